// One keystroke in a stress box of the plane stress tool, from the change
// of the text to the dialog repainted with its plot shown, against a bare
// repaint of a widget of the same size.

#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/Stress2DDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

void Keystrokes(benchmark::State& state, bool plot) {
  EnglishMenus = 1;
  DisplayHistoryWin = 0;
  EnableMohrCircles = plot ? 1 : 0;
  Project.Stress2D = {30, 10, 8, plot ? qint16(1) : qint16(0)};
  frm2DPrinc dialog;
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("no window");
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  bool flip = false;
  for (auto _ : state) {
    box->setText(flip ? QStringLiteral("30") : QStringLiteral("31"));
    flip = !flip;
    // Paint what the keystroke changed, as the event loop does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  dialog.close();
}

void BM_KeystrokeWithPlot(benchmark::State& state) { Keystrokes(state, true); }
BENCHMARK(BM_KeystrokeWithPlot)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeWithoutPlot(benchmark::State& state) { Keystrokes(state, false); }
BENCHMARK(BM_KeystrokeWithoutPlot)->Unit(benchmark::kMicrosecond);

void BM_BareRepaint(benchmark::State& state) {
  QWidget widget;
  widget.resize(830, 432);  // the wide dialog
  widget.show();
  if (!QTest::qWaitForWindowExposed(&widget)) state.SkipWithError("no window");
  for (auto _ : state) {
    widget.update();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
}
BENCHMARK(BM_BareRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {
using namespace brantel;

void BM_KeystrokeWithoutRepaint(benchmark::State& state) {
  EnglishMenus = 1;
  DisplayHistoryWin = 0;
  EnableMohrCircles = 1;
  Project.Stress2D = {30, 10, 8, 1};
  frm2DPrinc dialog;
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("no window");
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  bool flip = false;
  for (auto _ : state) {
    box->setText(flip ? QStringLiteral("30") : QStringLiteral("31"));
    flip = !flip;
  }
}
BENCHMARK(BM_KeystrokeWithoutRepaint)->Unit(benchmark::kMicrosecond);

void BM_DialogRepaintOnly(benchmark::State& state) {
  EnableMohrCircles = 1;
  Project.Stress2D = {30, 10, 8, 1};
  frm2DPrinc dialog;
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("no window");
  for (auto _ : state) dialog.repaint();
}
BENCHMARK(BM_DialogRepaintOnly)->Unit(benchmark::kMicrosecond);
}  // namespace
