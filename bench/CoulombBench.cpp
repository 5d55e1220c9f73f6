// One keystroke in a stress box of the Coulomb tool with the Mohr plot
// shown, from the change of the text to the dialog painted (the path every
// failure tool shares: validation, the criterion, the result boxes and the
// plot), against a whole repaint of the same window, its plot included, in
// the same run; at small and at psi-scale stresses.

#include "BenchHelpers.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "tools/failure/CoulombDialog.h"

#include <memory>

namespace {

using namespace brantel;

// The dialog with a failing state, the pore pressure on and the Mohr plot
// shown: every result box and every curve of the plot is drawn.
void Keystrokes(benchmark::State& state, float scale) {
  bench::QuietSettings();
  EnableMohrCircles = true;
  Project.CoulombStress = StressInput{60 * scale, 10 * scale, 5 * scale, StressGraph::MohrCircle};
  Project.CoulombInput = CoulombParams{};
  Project.CoulombInput.UsePore = true;
  Project.CoulombInput.PorePressure = 4 * scale;
  Project.CoulombInput.Cohesion = 5 * scale;
  Project.CoulombInput.FrictionAngle = 30;
  Project.CoulombInput.ParamOption = CoulombDerived::UniaxialStrength;
  CoulombDialog dialog;
  bench::ShowOnScreen(dialog, state);
  const QString sx = QString::number(60 * scale);
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().Require<QLineEdit>(coulomb::kSx), sx + u'1', sx,
                                  {dialog.Layout().Require<CoulombPlot>(coulomb::kPlot)});
  dialog.close();
}

void BM_CoulombKeystrokeWithMohrPlot(benchmark::State& state) { Keystrokes(state, 1); }
BENCHMARK(BM_CoulombKeystrokeWithMohrPlot)->Unit(benchmark::kMicrosecond);

void BM_CoulombKeystrokeWithMohrPlotPsi(benchmark::State& state) { Keystrokes(state, 100); }
BENCHMARK(BM_CoulombKeystrokeWithMohrPlotPsi)->Unit(benchmark::kMicrosecond);

}  // namespace
