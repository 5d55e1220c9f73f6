#pragma once

// What the dialog benchmarks share: the settings they run under, a window
// shown on screen, the whole repaint of a window that every keystroke and
// click is measured against, and keys typed in turn, at once or at a
// typist's pace.
//
// Times are CPU time of the main thread (the one thread of the program),
// so that a busy machine slows neither side of a ratio more than the other.

#include "core/Settings.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

namespace bench {

// English texts, and no history window to write to.
inline void QuietSettings() {
  brantel::EnglishMenus = true;
  brantel::HistoryShown = false;
}

// Shows a window and waits until it is on screen; without one the benchmark
// is skipped.
inline void ShowOnScreen(QWidget& window, benchmark::State& state) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
}

// Runs what a step posted, as the event loop does: the changes a chart
// posts to its scene, then the paints of every widget that changed.
inline void PaintPending() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents();
}

// The CPU time of the calling thread, in microseconds.
inline double ThreadCpuMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// Every widget of the windows that a whole repaint paints: each window and
// every widget shown in it. A window's own repaint() leaves out the opaque
// widgets in it (a plot, a chart view), which keep what they painted last.
inline QList<QWidget*> WholeWindows(std::initializer_list<QWidget*> windows) {
  QList<QWidget*> widgets;
  for (QWidget* window : windows) {
    widgets << window;
    for (QWidget* child : window->findChildren<QWidget*>()) {
      if (child->isVisible() && !child->isWindow()) widgets << child;
    }
  }
  return widgets;
}

// The windows painted whole, as when they are uncovered.
inline void RepaintWhole(const QList<QWidget*>& widgets) {
  for (QWidget* widget : widgets) widget->update();
  PaintPending();
}

// The paint events that widgets received since the last Clear, counted for
// each widget (a chart's view paints in its viewport: ChartViewport).
class PaintWatch : public QObject {
 public:
  PaintWatch() { qApp->installEventFilter(this); }
  ~PaintWatch() override { qApp->removeEventFilter(this); }
  bool Painted(const QList<QWidget*>& widgets) const {
    return std::all_of(widgets.begin(), widgets.end(), [this](QWidget* w) { return painted_.contains(w); });
  }
  int Paints(QWidget* widget) const { return painted_.value(widget); }
  void Clear() { painted_.clear(); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++painted_[watched];
    return false;
  }

 private:
  QHash<QObject*, int> painted_;
};

// A step of the user (a keystroke, a click) against the whole repaint of
// its windows: in every iteration the step is taken and all it posted is
// run, paints included, then (in the first iterations and every eighth
// after them) the windows are repainted whole. The
// benchmark's time is the step's; the counters give the CPU time of each
// (step_us, full_repaint_us) and their ratio. `between` runs untimed after
// each step (a click on another tab before the next click on this one).
// A step that leaves a widget of `mustPaint` unpainted (a plot, a chart)
// fails the benchmark: its figure would not be that of a painted step.
struct StepAgainstRepaint {
  QList<QWidget*> windows;    // repainted whole as the baseline
  QList<QWidget*> mustPaint;  // painted by every step
  std::function<void(int)> step;
  std::function<void(int)> between;
};

inline void Run(benchmark::State& state, const StepAgainstRepaint& run) {
  PaintPending();
  PaintWatch watch;
  double stepCpu = 0, repaintCpu = 0;
  int i = 0, repaints = 0, unpainted = 0, baselineUnpainted = 0, paints = 0;
  for (auto _ : state) {
    watch.Clear();
    const double t0 = ThreadCpuMicroseconds();
    run.step(i);
    PaintPending();
    stepCpu += ThreadCpuMicroseconds() - t0;
    if (!watch.Painted(run.mustPaint)) ++unpainted;
    for (QWidget* widget : run.mustPaint) paints += watch.Paints(widget);

    state.PauseTiming();
    // The baseline after the first steps and then after every eighth: a
    // long run of cheap steps is not made to last by their repaints.
    if (i < 16 || i % 8 == 0) {
      watch.Clear();
      const double t1 = ThreadCpuMicroseconds();
      RepaintWhole(run.windows);
      repaintCpu += ThreadCpuMicroseconds() - t1;
      ++repaints;
      if (!watch.Painted(run.mustPaint)) ++baselineUnpainted;
    }
    if (run.between) {
      run.between(i);
      PaintPending();
    }
    ++i;
    state.ResumeTiming();
  }
  if (unpainted > 0) state.SkipWithError("a step left a plot or chart unpainted");
  if (baselineUnpainted > 0) state.SkipWithError("the whole repaint left a plot or chart unpainted");
  const double step = stepCpu / std::max(1, i);
  const double repaint = repaintCpu / std::max(1, repaints);
  state.counters["step_us"] = step;
  state.counters["full_repaint_us"] = repaint;
  state.counters["ratio"] = repaint > 0 ? step / repaint : 0;
  // How often a step paints each plot or chart it must paint: more than
  // once is a paint wasted.
  if (!run.mustPaint.isEmpty()) {
    state.counters["paints_per_plot"] = static_cast<double>(paints) / std::max(1, i) / run.mustPaint.size();
  }
}

// Keystrokes in one box of a window: the box's text set to the two texts in
// turn, as typing a character and deleting it again does.
inline void KeystrokesAgainstRepaint(benchmark::State& state, QWidget& window, QLineEdit* box, const QString& first,
                                     const QString& second, const QList<QWidget*>& mustPaint = {}) {
  box->setFocus();
  Run(state, {WholeWindows({&window}), mustPaint, [&](int i) { box->setText(i % 2 ? second : first); }, {}});
}

// A click on a tab of a tab control, from another tab: `away` is the tab
// shown (untimed) before each click; `beforeClick` runs untimed there too
// (an edit that leaves the tab behind the data).
inline void TabClicksAgainstRepaint(benchmark::State& state, QWidget& window, QTabWidget* tabs, int tab, int away,
                                    const QList<QWidget*>& mustPaint = {},
                                    const std::function<void(int)>& beforeClick = {}) {
  QTabBar* bar = tabs->tabBar();
  const auto click = [bar](int index) { QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center()); };
  click(tab);
  PaintPending();
  // The baseline is the window as the click leaves it.
  const QList<QWidget*> whole = WholeWindows({&window});
  click(away);
  if (beforeClick) beforeClick(-1);
  Run(state, {whole, mustPaint, [&](int) { click(tab); },
              [&](int i) {
                click(away);
                if (beforeClick) beforeClick(i);
              }});
}

// The view of a chart (its viewport is what paints), for mustPaint.
inline QWidget* ChartViewport(QWidget* chartOrView) {
  if (auto* view = qobject_cast<QAbstractScrollArea*>(chartOrView)) return view->viewport();
  for (auto* view : chartOrView->findChildren<QAbstractScrollArea*>()) return view->viewport();
  return chartOrView;
}

// Registers a benchmark by name (one made up in a loop), run once and
// reported in milliseconds.
template <typename Run>
void RegisterRunOnce(const std::string& name, Run run) {
  benchmark::RegisterBenchmark(name.c_str(), std::move(run))->Unit(benchmark::kMillisecond)->Iterations(1);
}

// --- A window left open -------------------------------------------------------

// How long a window is left open for IdleCpuPercent: BRANTEL_BENCH_IDLE_MS
// milliseconds, one second unless that is set.
inline int IdleMilliseconds() {
  const int asked = qEnvironmentVariableIntValue("BRANTEL_BENCH_IDLE_MS");
  return asked > 0 ? asked : 1000;
}

// The CPU time of this thread, in percent of the time that passed, while
// the event loop runs for IdleMilliseconds with `focus` focused in its
// active window: what an open window costs while the user only reads it,
// an editable box's text cursor blinking. `paints` gets how often `focus`
// (or its view) painted meanwhile: a blinking cursor paints about twice a
// second, a read-only view's cursor does not blink (and none when the
// window could not be made active).
inline double IdleCpuPercent(QWidget* focus, int& paints) {
  paints = 0;
  focus->window()->activateWindow();
  if (!QTest::qWaitForWindowActive(focus->window())) return 0;
  // Once the window has taken its activation (a window may move the focus
  // then).
  QCoreApplication::processEvents();
  focus->setFocus();
  PaintPending();
  QCoreApplication::processEvents();
  auto* scrolled = qobject_cast<QAbstractScrollArea*>(focus);
  QWidget* painted = scrolled ? scrolled->viewport() : focus;
  PaintWatch watch;
  QEventLoop loop;
  QTimer::singleShot(IdleMilliseconds(), &loop, &QEventLoop::quit);
  QElapsedTimer wall;
  wall.start();
  const double start = ThreadCpuMicroseconds();
  loop.exec();
  const double cpu = ThreadCpuMicroseconds() - start;
  paints = watch.Paints(painted);
  return cpu / 10.0 / static_cast<double>(std::max<qint64>(1, wall.elapsed()));
}

// The open window left alone with the focus in `ours`, against a bare box
// left alone the same way, in turn in every iteration. The counters give the
// CPU share of each (`oursName`_cpu_percent, bare_cpu_percent), their ratio,
// the seconds each was left alone, and how often `ours` painted meanwhile.
inline void IdleAgainstBare(benchmark::State& state, QWidget* ours, QWidget* bare, const std::string& oursName) {
  double oursCpu = 0, bareCpu = 0;
  int paints = 0;
  for (auto _ : state) {
    int oursPaints = 0, barePaints = 0;
    oursCpu += IdleCpuPercent(ours, oursPaints);
    state.PauseTiming();
    bareCpu += IdleCpuPercent(bare, barePaints);
    paints += oursPaints;
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters[oursName + "_cpu_percent"] = oursCpu / n;
  state.counters["bare_cpu_percent"] = bareCpu / n;
  state.counters["ratio"] = bareCpu > 0 ? oursCpu / bareCpu : 0;
  state.counters["seconds"] = IdleMilliseconds() / 1000.0;
  state.counters["paints"] = paints / n;
}

// --- Keys at a typist's pace -------------------------------------------------

// Real key presses, one every `gapMs` milliseconds, each painted by the
// event loop in the gap as it paints a user's keystroke: `count` keys,
// a character and a Backspace in turn, at the end of the box's text. The
// result is the CPU time of this thread per key over the whole typing,
// the idle gaps included.
inline double CpuPerPacedKey(QLineEdit* box, int count, int gapMs = 20, char character = '1') {
  box->setFocus();
  box->end(false);
  QTest::qWait(gapMs);
  const double start = ThreadCpuMicroseconds();
  for (int k = 0; k < count; ++k) {
    if (k % 2 == 0) QTest::keyClick(box, character);
    else QTest::keyClick(box, Qt::Key_Backspace);
    QTest::qWait(gapMs);
  }
  return (ThreadCpuMicroseconds() - start) / std::max(1, count);
}

}  // namespace bench
