// One keystroke in a stress box of the plane stress tool, from the change
// of the text to the dialog repainted with its plot shown, against a bare
// repaint of a widget of the same size.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/Stress2DDialog.h"

namespace {

using namespace brantel;

void Keystrokes(benchmark::State& state, bool plot) {
  bench::QuietSettings();
  EnableMohrCircles = plot ? 1 : 0;
  Project.Stress2D = {30, 10, 8, plot ? qint16(1) : qint16(0)};
  frm2DPrinc dialog;
  bench::ShowOnScreen(dialog, state);
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  bench::TypeInTurn(state, box, QStringLiteral("31"), QStringLiteral("30"));
  dialog.close();
}

void BM_KeystrokeWithPlot(benchmark::State& state) { Keystrokes(state, true); }
BENCHMARK(BM_KeystrokeWithPlot)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeWithoutPlot(benchmark::State& state) { Keystrokes(state, false); }
BENCHMARK(BM_KeystrokeWithoutPlot)->Unit(benchmark::kMicrosecond);

void BM_BareRepaint(benchmark::State& state) {
  QWidget widget;
  widget.resize(830, 432);  // the wide dialog
  bench::ShowOnScreen(widget, state);
  for (auto _ : state) {
    widget.update();
    bench::PaintPending();
  }
}
BENCHMARK(BM_BareRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {
using namespace brantel;

void BM_KeystrokeWithoutRepaint(benchmark::State& state) {
  bench::QuietSettings();
  EnableMohrCircles = 1;
  Project.Stress2D = {30, 10, 8, 1};
  frm2DPrinc dialog;
  bench::ShowOnScreen(dialog, state);
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  bench::TypeInTurn(state, box, QStringLiteral("31"), QStringLiteral("30"), false);
}
BENCHMARK(BM_KeystrokeWithoutRepaint)->Unit(benchmark::kMicrosecond);

void BM_DialogRepaintOnly(benchmark::State& state) {
  EnableMohrCircles = 1;
  Project.Stress2D = {30, 10, 8, 1};
  frm2DPrinc dialog;
  bench::ShowOnScreen(dialog, state);
  for (auto _ : state) dialog.repaint();
}
BENCHMARK(BM_DialogRepaintOnly)->Unit(benchmark::kMicrosecond);
}  // namespace
