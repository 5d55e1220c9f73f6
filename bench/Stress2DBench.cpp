// One keystroke in a stress box of the plane stress tool, from the change
// of the text to the dialog painted, with Mohr's circle shown and without
// it, against a whole repaint of the same window (its plot included) in the
// same run; at small and at psi-scale stresses.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "plot/StressPlot.h"
#include "tools/stress/Stress2DDialog.h"

namespace {

using namespace brantel;

void Keystrokes(benchmark::State& state, bool plot, StressInput stress, const QString& first, const QString& second) {
  bench::QuietSettings();
  EnableMohrCircles = plot;
  stress.GraphOption = plot ? StressGraph::MohrCircle : StressGraph::None;
  Project.Stress2D = stress;
  Stress2DDialog dialog;
  bench::ShowOnScreen(dialog, state);
  QList<QWidget*> mustPaint;
  if (plot) mustPaint << dialog.Layout().Require<MohrCirclePlot>(stress2d::kMohrPlot);
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().Require<QLineEdit>(stress2d::kSx), first, second,
                                  mustPaint);
  dialog.close();
}

void BM_KeystrokeWithPlot(benchmark::State& state) {
  Keystrokes(state, true, {30, 10, 8, StressGraph::None}, QStringLiteral("31"), QStringLiteral("30"));
}
BENCHMARK(BM_KeystrokeWithPlot)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeWithPlotPsi(benchmark::State& state) {
  Keystrokes(state, true, {6000, 1000, 800, StressGraph::None}, QStringLiteral("60001"), QStringLiteral("6000"));
}
BENCHMARK(BM_KeystrokeWithPlotPsi)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeWithoutPlot(benchmark::State& state) {
  Keystrokes(state, false, {30, 10, 8, StressGraph::None}, QStringLiteral("31"), QStringLiteral("30"));
}
BENCHMARK(BM_KeystrokeWithoutPlot)->Unit(benchmark::kMicrosecond);

}  // namespace
