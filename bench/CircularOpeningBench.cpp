// The circular-opening tool with the graph window shown beside it, against
// a whole repaint of both windows (their charts included) in the same run:
// one keystroke in a stress box, from the change of the text to both
// windows painted, the curves refilled and redrawn (on either tab), and a
// click on the Graph tab after an edit on the other one, from the click to
// the dialog's chart brought up to the edit and painted.

#include "BenchHelpers.h"
#include "core/graph/GraphBuffer.h"
#include "core/project/ProjectRecord.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"
#include "tools/stress/CircularOpeningDialog.h"

#include <QPushButton>
#include <QTemporaryFile>

namespace {

using namespace brantel;

// The two windows side by side are wider than the 800 pixels of the
// offscreen platform's screen, and what lies beyond its edge is never
// painted; a wider screen, set before the application starts.
const bool kWideScreen = [] {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return false;
  static QTemporaryFile config;
  if (!config.open()) return false;
  config.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920, "height": 1080,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
  return true;
}();

// The settings and the stored state the dialog opens with: a general
// state, a point half a radius off the wall.
struct CircularProject {
  CircularProject() {
    bench::QuietSettings();
    CircularCurvesExtent = 5;
    SetUpGraphBuffer();
    Project.CircStress = {12, 4, 3, StressGraph::None};
    Project.CircOpening = {};
    Project.CircOpening.A = 1;
    Project.CircOpening.R = 1.5f;
    Project.CircOpening.Angle = 30;
  }
};

// The dialog on `tab`, its curves drawn once, and the graph window beside it.
struct OpenCircular : CircularProject {
  CircularOpeningDialog dialog;
  GraphWindow* graph = nullptr;
  QTabWidget* tabs = nullptr;

  OpenCircular(benchmark::State& state, int tab) {
    dialog.show();
    tabs = dialog.Layout().Require<QTabWidget>(circularopening::kTabs);
    tabs->setCurrentIndex(tab);
    dialog.Layout().Require<QPushButton>(circularopening::kPlotStresses)->click();
    graph = GraphWindow::Loaded();
    if (!graph || !QTest::qWaitForWindowExposed(&dialog) || !QTest::qWaitForWindowExposed(graph)) {
      state.SkipWithError("no windows");
      graph = nullptr;
    }
    bench::PaintPending();
  }
};

void Keystrokes(benchmark::State& state, int tab) {
  OpenCircular open(state, tab);
  if (!open.graph) return;
  // The charts each keystroke must paint: the graph window's, and the
  // dialog's while its Graph tab shows.
  QList<QWidget*> charts{bench::ChartViewport(&open.graph->Chart())};
  if (tab == 1) charts << bench::ChartViewport(open.dialog.Layout().Require<GraphChart>(circularopening::kCurveChart));
  QLineEdit* box = open.dialog.Layout().Require<QLineEdit>(circularopening::kSx);
  box->setFocus();
  bench::Run(state, {bench::WholeWindows({&open.dialog, open.graph}),
                     charts,
                     [&](int i) { box->setText(i % 2 ? QStringLiteral("12") : QStringLiteral("13")); },
                     {}});
  open.dialog.close();
}

void BM_KeystrokeCalculationsTab(benchmark::State& state) { Keystrokes(state, 0); }
BENCHMARK(BM_KeystrokeCalculationsTab)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeGraphTab(benchmark::State& state) { Keystrokes(state, 1); }
BENCHMARK(BM_KeystrokeGraphTab)->Unit(benchmark::kMicrosecond);

// The baseline is the dialog on its Graph tab, repainted whole.
void BM_GraphTabClickAfterAnEdit(benchmark::State& state) {
  OpenCircular open(state, 0);
  if (!open.graph) return;
  QLineEdit* box = open.dialog.Layout().Require<QLineEdit>(circularopening::kSx);
  bench::TabClicksAgainstRepaint(
      state, open.dialog, open.tabs, 1, 0,
      {bench::ChartViewport(open.dialog.Layout().Require<GraphChart>(circularopening::kCurveChart))},
      [&](int i) { box->setText(i % 2 ? QStringLiteral("12") : QStringLiteral("13")); });
  open.dialog.close();
}
BENCHMARK(BM_GraphTabClickAfterAnEdit)->Unit(benchmark::kMicrosecond);

}  // namespace
