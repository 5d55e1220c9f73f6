// One keystroke in a stress box of the failure-criteria tools that draw an
// envelope or a chart (Von Mises, Hoek-Brown, Bieniawski, and Coulomb on a
// discontinuity with its Mohr plot and its s1-beta chart), from the change
// of the text to the dialog painted, against a whole repaint of the same
// window, plot or chart included, in the same run. The stresses are psi
// scale, where an envelope is longest (its run of steps grows with s1 or
// with the strength).

#include "BenchHelpers.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "tools/failure/BieniawskiDialog.h"
#include "tools/failure/CoulombJointChart.h"
#include "tools/failure/CoulombJointDialog.h"
#include "tools/failure/FailurePlot.h"
#include "tools/failure/HoekBrownDialog.h"
#include "tools/failure/VonMisesDialog.h"

#include <QRadioButton>

namespace {

using namespace brantel;

constexpr StressInput kPsiStress{6000, 1000, 0, StressGraph::MohrCircle};

// Types into sx of an open principal-plane tool, its plot shown.
template <typename Dialog>
void PrincipalKeystrokes(benchmark::State& state) {
  EnableMohrCircles = true;
  Dialog dialog;
  bench::ShowOnScreen(dialog, state);
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().template Require<QLineEdit>(criterion::kSx),
                                  QStringLiteral("60001"), QStringLiteral("6000"),
                                  {dialog.Layout().template Require<PrincipalCriterionPlot>(criterion::kPlot)});
  dialog.close();
}

// T 5000: an envelope of two runs of 1,000 steps.
void BM_VonMisesKeystrokePsi(benchmark::State& state) {
  bench::QuietSettings();
  Project.VonMisesStress = kPsiStress;
  Project.VonMisesInput = {5000, false};
  PrincipalKeystrokes<VonMisesDialog>(state);
}
BENCHMARK(BM_VonMisesKeystrokePsi)->Unit(benchmark::kMicrosecond);

// A strength of 20000 with a pore pressure of 300 on, the other
// parameters as the tool's record leaves them.
template <typename Params>
Params PsiStrengthWithPore() {
  Params params{};
  params.Co = 20000;
  params.UsePore = 1;
  params.PorePressure = 300;
  return params;
}

// Intact rock, m 10: 1,000 steps up to s1.
void BM_HoekBrownKeystrokePsi(benchmark::State& state) {
  bench::QuietSettings();
  Project.HoekStress = kPsiStress;
  Project.HoekInput = PsiStrengthWithPore<HoekParams>();
  Project.HoekInput.M = 10;
  PrincipalKeystrokes<HoekBrownDialog>(state);
}
BENCHMARK(BM_HoekBrownKeystrokePsi)->Unit(benchmark::kMicrosecond);

// A 3, k 0.7: 1,000 steps up to s1.
void BM_BieniawskiKeystrokePsi(benchmark::State& state) {
  bench::QuietSettings();
  Project.BieniawskiStress = kPsiStress;
  Project.BieniawskiInput = PsiStrengthWithPore<BieniawskiParams>();
  Project.BieniawskiInput.A = 3;
  Project.BieniawskiInput.K = 0.7f;
  PrincipalKeystrokes<BieniawskiDialog>(state);
}
BENCHMARK(BM_BieniawskiKeystrokePsi)->Unit(benchmark::kMicrosecond);

// The discontinuity tool with a pore pressure, the discontinuity able to
// slide; its Mohr plot (graph option 1) or its s1-beta chart (option 2).
void JointKeystrokes(benchmark::State& state, int graph) {
  bench::QuietSettings();
  EnableMohrCircles = false;
  for (std::size_t set = 0; set < 2; ++set) {
    Project.JointStress[set] = {6000, 1000, 500, StressGraph::None};
    Project.JointMaterials[set] = JointMaterial{};
    Project.JointMaterials[set].UsePore = true;
    Project.JointMaterials[set].PorePressure = 300;
    Project.JointMaterials[set].Cohesion = 1500;
    Project.JointMaterials[set].FrictionAngle = 30;
    Project.JointPlanes[set] = {100, 25, 60, false};
  }
  Project.JointSelectedSet = 0;
  CoulombJointDialog dialog;
  dialog.Layout()
      .Require<QRadioButton>(graph == 1 ? coulombjoint::kMohrGraph : coulombjoint::kS1BetaGraph)
      ->setChecked(true);
  bench::ShowOnScreen(dialog, state);
  QWidget* drawn =
      graph == 1 ? static_cast<QWidget*>(dialog.Layout().Require<CoulombJointPlot>(coulombjoint::kMohrPlot))
                 : bench::ChartViewport(dialog.Layout().Require<Sigma1BetaChartView>(coulombjoint::kSigma1BetaChart));
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().Require<QLineEdit>(coulombjoint::kSx),
                                  QStringLiteral("60001"), QStringLiteral("6000"), {drawn});
  dialog.close();
}

void BM_JointKeystrokeMohrPsi(benchmark::State& state) { JointKeystrokes(state, 1); }
BENCHMARK(BM_JointKeystrokeMohrPsi)->Unit(benchmark::kMicrosecond);

void BM_JointKeystrokeS1BetaPsi(benchmark::State& state) { JointKeystrokes(state, 2); }
BENCHMARK(BM_JointKeystrokeS1BetaPsi)->Unit(benchmark::kMicrosecond);

}  // namespace
