// One keystroke in a stress box of the circular-opening tool with the graph
// window shown beside it: from the change of the text to both windows
// painted, the curves refilled and redrawn. The baseline, measured in the
// same run, is a full repaint of the same two windows; the counters give it
// and the ratio of the keystroke to it.

#include "core/Settings.h"
#include "core/graph/GraphBuffer.h"
#include "core/project/ProjectRecord.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"
#include "tools/stress/CircularOpeningDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace brantel;
using Clock = std::chrono::steady_clock;

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

// The widgets that received a paint event, and those that hold them: a
// chart counts as painted when it or a widget inside it was.
class PaintWatch : public QObject {
 public:
  QSet<QObject*> painted;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      for (QObject* o = watched; o; o = o->parent()) painted.insert(o);
    }
    return false;
  }
};

// A window and the widgets in it that fill their whole area (the view of
// a chart among them): a repaint of the window alone paints around those
// and keeps what they painted last.
QList<QWidget*> WidgetsToRepaint(QWidget* window) {
  QList<QWidget*> widgets{window};
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (child->autoFillBackground() || child->testAttribute(Qt::WA_OpaquePaintEvent)) widgets << child;
  }
  return widgets;
}

// Delivers what the change posted, the paints included.
void Flush() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

// One keystroke: the box's new text and everything the change posted.
// This and the repaint below stay out of line, so that a profiler (valgrind
// --tool=callgrind --toggle-collect=...) can measure each alone.
[[gnu::noinline]] void Keystroke(QLineEdit* box, const QString& text) {
  box->setText(text);
  Flush();
}

// The windows repainted whole: the window and the widgets that fill their
// area asked to paint, and the paints delivered.
[[gnu::noinline]] void RepaintWhole(const QList<QWidget*>& widgets) {
  for (QWidget* widget : widgets) widget->update();
  Flush();
}

double MicrosecondsPer(const Clock::duration& d, std::int64_t n) {
  return std::chrono::duration<double, std::micro>(d).count() / static_cast<double>(n);
}

void Keystrokes(benchmark::State& state, int tab) {
  EnglishMenus = 1;
  DisplayHistoryWin = 0;
  CircExtend = 5;
  SetUpGraphBuffer();
  Project.CircStress = {12, 4, 3, 0};
  Project.CircOpening = {};
  Project.CircOpening.A = 1;
  Project.CircOpening.R = 1.5f;
  Project.CircOpening.Angle = 30;
  frmCircular dialog;
  dialog.show();
  dialog.Layout().Require<QTabWidget>(u"SSTab1")->setCurrentIndex(tab);
  dialog.Layout().Require<QPushButton>(u"Command1")->click();
  frmGraph* graph = frmGraph::Loaded();
  if (!graph || !QTest::qWaitForWindowExposed(&dialog) || !QTest::qWaitForWindowExposed(graph)) {
    state.SkipWithError("no windows");
    return;
  }
  Flush();
  // The charts that must be painted each time: the graph window's, and the
  // dialog's while its Graph tab shows.
  QList<QObject*> charts{&graph->Chart()};
  if (tab == 1) charts << dialog.Layout().Require<GraphChart>(u"Graph1");
  PaintWatch watch;
  qApp->installEventFilter(&watch);
  const auto allPainted = [&] {
    for (QObject* chart : charts) {
      if (!watch.painted.contains(chart)) return false;
    }
    watch.painted.clear();
    return true;
  };

  // The baseline: both windows repainted whole, every widget in them.
  const QList<QWidget*> widgets = WidgetsToRepaint(&dialog) + WidgetsToRepaint(graph);
  constexpr int kRepaints = 50;
  const auto start = Clock::now();
  for (int i = 0; i < kRepaints; ++i) RepaintWhole(widgets);
  const double repaint = MicrosecondsPer(Clock::now() - start, kRepaints);
  const bool baselinePainted = allPainted();

  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  Flush();
  watch.painted.clear();
  bool flip = false;
  std::int64_t strokes = 0;
  std::int64_t unpainted = 0;  // keystrokes after which a chart was not painted
  Clock::duration spent{};
  for (auto _ : state) {
    const auto t0 = Clock::now();
    Keystroke(box, flip ? QStringLiteral("12") : QStringLiteral("13"));
    flip = !flip;
    spent += Clock::now() - t0;
    ++strokes;
    if (!allPainted()) ++unpainted;
    watch.painted.clear();
  }
  qApp->removeEventFilter(&watch);
  if (!baselinePainted || unpainted > 0) state.SkipWithError("a chart was not painted");
  const double keystroke = MicrosecondsPer(spent, strokes);
  state.counters["full_repaint_us"] = repaint;
  state.counters["ratio"] = keystroke / repaint;
  dialog.close();
}

void BM_KeystrokeCalculationsTab(benchmark::State& state) { Keystrokes(state, 0); }
BENCHMARK(BM_KeystrokeCalculationsTab)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeGraphTab(benchmark::State& state) { Keystrokes(state, 1); }
BENCHMARK(BM_KeystrokeGraphTab)->Unit(benchmark::kMicrosecond);

}  // namespace
