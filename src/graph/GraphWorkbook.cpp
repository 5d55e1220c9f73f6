#include "graph/GraphWorkbook.h"

#include "core/NumberFormat.h"

#include <QFile>

#include <xlsxwriter.h>

#include <cmath>

namespace brantel {
namespace {

// A value that came from a 32-bit float is written as the shortest decimal
// of that float (0.1, not 0.100000001490116); any other value as it is.
double CellValue(double value) {
  const float single = static_cast<float>(value);
  if (static_cast<double>(single) != value) return value;
  const auto parsed = ParseNumber(FormatShortest(single));
  return parsed ? *parsed : value;
}

QString ErrorText(lxw_error error) { return QString::fromUtf8(lxw_strerror(error)); }

}  // namespace

QString WriteCurveWorkbook(const QString& path, const std::vector<WorkbookCurve>& curves) {
  const QByteArray file = QFile::encodeName(path);
  lxw_workbook* workbook = workbook_new(file.constData());
  if (!workbook) return QStringLiteral("the workbook could not be created");
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
  lxw_error failure = LXW_NO_ERROR;
  auto keep = [&failure](lxw_error e) {
    if (failure == LXW_NO_ERROR) failure = e;
  };
  if (!sheet) keep(LXW_ERROR_MEMORY_MALLOC_FAILED);

  for (std::size_t s = 0; sheet && s < curves.size(); ++s) {
    const auto column = static_cast<lxw_col_t>(2 * s);
    const std::vector<QPointF>& points = curves[s].points;
    for (std::size_t p = 0; p < points.size(); ++p) {
      const auto row = static_cast<lxw_row_t>(p + 1);
      if (std::isfinite(points[p].x())) {
        keep(worksheet_write_number(sheet, row, column, CellValue(points[p].x()), nullptr));
      }
      if (std::isfinite(points[p].y())) {
        keep(worksheet_write_number(sheet, row, column + 1, CellValue(points[p].y()), nullptr));
      }
    }
    keep(worksheet_write_string(sheet, 0, column, "X-coord", nullptr));
    keep(worksheet_write_string(sheet, 0, column + 1, curves[s].name.toUtf8().constData(), nullptr));
  }
  // Closing writes the file, and frees the workbook whatever happens.
  keep(workbook_close(workbook));
  return failure == LXW_NO_ERROR ? QString() : ErrorText(failure);
}

}  // namespace brantel
