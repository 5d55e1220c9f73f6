#include "GraphTestSupport.h"

#include "core/Globals.h"
#include "core/graph/GraphBuffer.h"
#include "core/platform/Launcher.h"
#include "graph/GraphWindow.h"
#include "platform/CommonDialogs.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>

#include <cmath>

namespace brantel::test {

void GraphTest::SetUp() {
  DialogTest::SetUp();
  SetUpGraphBuffer();
  UserTempFolder = Home() + QStringLiteral("/Documents/MyBrantel/Temp/");
  QDir().mkpath(UserTempFolder);
  printFile_ = Home() + QStringLiteral("/graph.pdf");
  platform::LauncherHandlers launcher;
  launcher.open = [this](const QUrl& url) {
    opened_ << url.toLocalFile();
    return openSucceeds_;
  };
  platform::SetLauncherHandlers(launcher);
  platform::SetPrintDialogHandler([this](QPrinter& printer, platform::PrintDialogKind kind, QWidget*) {
    EXPECT_EQ(kind, platform::PrintDialogKind::Print);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFile_);
    return printerAccepts_;
  });
}

void GraphTest::TearDown() {
  GraphWindow::UnloadWindow();
  QApplication::processEvents();
  platform::SetLauncherHandlers({});
  platform::SetPrintDialogHandler({});
  DialogTest::TearDown();
}

void GraphTest::FillCurves(int last) {
  // sx = 0, sy = 10, w = 30 degrees, a = 1, curves to 3 radii.
  const double s1 = 10, s2 = 0;
  const double p = s2 + s1, q = s2 - s1;
  const double t = 30 * 0.017453292519943278;
  for (int i = 0; i <= last; ++i) {
    const double x = 1 + 0.03 * i;
    const double k = 1 / (x * x);
    auto& c = GraphCurveData;
    c[0][i][0] = c[1][i][0] = c[2][i][0] = static_cast<float>(x);
    c[0][i][1] = static_cast<float>(p / 2 * (1 - k) + q / 2 * (1 - 4 * k + 3 * k * k) * std::cos(2 * t));
    c[1][i][1] = static_cast<float>(p / 2 * (1 + k) - q / 2 * (1 + 3 * k * k) * std::cos(2 * t));
    c[2][i][1] = static_cast<float>(-q / 2 * (1 + 2 * k - 3 * k * k) * std::sin(2 * t));
  }
  GraphLastPoint = last;
}

}  // namespace brantel::test
