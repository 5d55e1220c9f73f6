// One keystroke in a stress box of the Coulomb tool with the Mohr plot
// shown, from the change of the text to the dialog painted (the path every
// failure tool shares: validation, the criterion, the result boxes and the
// plot), against a full repaint of the same window in the same run. The
// keystroke benchmark reports both figures and their ratio as counters.

#include "BenchHelpers.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "tools/failure/CoulombDialog.h"

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using namespace brantel;
using Clock = std::chrono::steady_clock;

// The dialog with a failing state, the pore pressure on and the Mohr plot
// shown: every result box and every curve of the plot is drawn.
std::unique_ptr<frmCoulomb> OpenWithMohrPlot(benchmark::State& state) {
  bench::QuietSettings();
  EnableMohrCircles = 1;
  Project.CoulombStress = StressInput{60, 10, 5, 1};
  Project.CoulombInput = CoulombParams{};
  Project.CoulombInput.UsePore = -1;
  Project.CoulombInput.PorePressure = 4;
  Project.CoulombInput.Cohesion = 5;
  Project.CoulombInput.FrictionAngle = 30;
  Project.CoulombInput.ParamOption = kCoulombDeriveStrength;
  auto dialog = std::make_unique<frmCoulomb>();
  bench::ShowOnScreen(*dialog, state);
  return dialog;
}

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void BM_CoulombKeystrokeWithMohrPlot(benchmark::State& state) {
  auto dialog = OpenWithMohrPlot(state);
  QLineEdit* box = dialog->Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  const Clock::time_point start = Clock::now();
  bench::TypeInTurn(state, box, QStringLiteral("61"), QStringLiteral("60"));
  const double keystroke = Microseconds(Clock::now() - start) / std::max<double>(1, state.iterations());

  // The baseline: the same window repainted whole, as many times.
  const int repaints = static_cast<int>(std::clamp<benchmark::IterationCount>(state.iterations(), 20, 2000));
  const Clock::time_point before = Clock::now();
  for (int i = 0; i < repaints; ++i) dialog->repaint();
  const double repaint = Microseconds(Clock::now() - before) / repaints;

  state.counters["keystroke_us"] = keystroke;
  state.counters["full_repaint_us"] = repaint;
  state.counters["ratio"] = repaint > 0 ? keystroke / repaint : 0;
  dialog->close();
}
BENCHMARK(BM_CoulombKeystrokeWithMohrPlot)->Unit(benchmark::kMicrosecond);

void BM_CoulombFullRepaint(benchmark::State& state) {
  auto dialog = OpenWithMohrPlot(state);
  for (auto _ : state) dialog->repaint();
  dialog->close();
}
BENCHMARK(BM_CoulombFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
