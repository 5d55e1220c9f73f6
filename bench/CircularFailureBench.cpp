// One keystroke in a stress box of the failure-around-an-opening tool, from
// the change of the text to the zone drawing painted, against a whole
// repaint of the same window in the same run.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/CircularFailureDialog.h"
#include "tools/stress/FailureZonePicture.h"

namespace {

using namespace brantel;

// Both modes fail in part: eight hatched wedges, and no history lines.
void StoreZonesOfBothModes() {
  bench::QuietSettings();
  Project.CircFailStress = {0, 10, 0, StressGraph::None};
  Project.CircFailInput = CircFailData{};
  Project.CircFailInput.A = 1;
  Project.CircFailInput.R = 1;
  Project.CircFailInput.Co = 20;
  Project.CircFailInput.To = 5;
}

void BM_KeystrokeToZonesPainted(benchmark::State& state) {
  StoreZonesOfBothModes();
  CircularFailureDialog dialog;
  bench::ShowOnScreen(dialog, state);
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().Require<QLineEdit>(circularfailure::kSx),
                                  QStringLiteral("1"), QStringLiteral("0"),
                                  {dialog.Layout().Require<FailureZonePicture>(circularfailure::kZonePicture)});
  dialog.close();
}
BENCHMARK(BM_KeystrokeToZonesPainted)->Unit(benchmark::kMicrosecond);

}  // namespace
