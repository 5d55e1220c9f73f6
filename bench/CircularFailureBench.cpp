// One keystroke in a stress box of the failure-around-an-opening tool, from
// the change of the text to the zone drawing painted, against a full repaint
// of the same window. On a busy machine, compare the two with
// --benchmark_repetitions=20 --benchmark_enable_random_interleaving=true.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/CircularFailureDialog.h"

namespace {

using namespace brantel;

// Both modes fail in part: eight hatched wedges, and no history lines.
void StoreZonesOfBothModes() {
  bench::QuietSettings();
  Project.CircFailStress = {0, 10, 0, 0};
  Project.CircFailInput = CircFailData{};
  Project.CircFailInput.A = 1;
  Project.CircFailInput.R = 1;
  Project.CircFailInput.Co = 20;
  Project.CircFailInput.To = 5;
}

void BM_KeystrokeToZonesPainted(benchmark::State& state) {
  StoreZonesOfBothModes();
  frmCircFail dialog;
  bench::ShowOnScreen(dialog, state);
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  bench::TypeInTurn(state, box, QStringLiteral("1"), QStringLiteral("0"));
  dialog.close();
}
BENCHMARK(BM_KeystrokeToZonesPainted)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  StoreZonesOfBothModes();
  frmCircFail dialog;
  bench::ShowOnScreen(dialog, state);
  for (auto _ : state) dialog.repaint();
  dialog.close();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
