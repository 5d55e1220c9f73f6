#pragma once

#include <QPointF>
#include <QString>

#include <vector>

namespace brantel {

struct WorkbookCurve {
  QString name;
  std::vector<QPointF> points;
};

// Writes a new spreadsheet workbook (.xlsx) at path with one sheet: curve s
// (from 1) fills columns 2s-1 and 2s, "X-coord" and its name in row 1 and
// its points' x and y in the rows below, point p in row p + 1. A value that
// is not a finite number leaves its cell empty. Returns an empty text when
// the file was written, else what went wrong.
QString WriteCurveWorkbook(const QString& path, const std::vector<WorkbookCurve>& curves);

}  // namespace brantel
