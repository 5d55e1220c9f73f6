// The three-dimensional stress tool as the user drives it, against a whole
// repaint of its window in the same run: one keystroke in a box of the
// stress tensor (the principal stresses, the invariants, the deviator and
// the stresses on the plane computed again and shown), and a click on each
// of its other tabs.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/Stress3DDialog.h"

#include <QCheckBox>

namespace {

using namespace brantel;

// A general state in psi with the plane and the deviator pages shown.
void StoreState() {
  bench::QuietSettings();
  Project.Stress3D = Stress3DData{};
  Project.Stress3D.Tensor = {{{6000, 800, -300}, {800, 2500, 450}, {-300, 450, 1000}}};
  Project.Stress3D.Normal = {0.6f, 0.48f, 0.64f};
  Project.Stress3D.AtGivenPlane = true;
}

struct Open3D {
  Stress3DDialog dialog;
  explicit Open3D(benchmark::State& state) {
    dialog.Layout().Require<QCheckBox>(stress3d::kCalculateDeviator)->setChecked(true);
    bench::ShowOnScreen(dialog, state);
  }
};

void BM_TensorKeystroke(benchmark::State& state) {
  StoreState();
  Open3D open(state);
  bench::KeystrokesAgainstRepaint(state, open.dialog, open.dialog.Layout().Require<QLineEdit>(stress3d::kT11),
                                  QStringLiteral("60001"), QStringLiteral("6000"));
}
BENCHMARK(BM_TensorKeystroke)->Unit(benchmark::kMicrosecond);

void TabClicks(benchmark::State& state, int tab) {
  StoreState();
  Open3D open(state);
  bench::TabClicksAgainstRepaint(state, open.dialog, open.dialog.Layout().Require<QTabWidget>(stress3d::kTabs), tab,
                                 Stress3DDialog::kTensorTab);
}

void BM_DeviatorTabClick(benchmark::State& state) { TabClicks(state, Stress3DDialog::kDeviatorTab); }
BENCHMARK(BM_DeviatorTabClick)->Unit(benchmark::kMicrosecond);

void BM_PlaneTabClick(benchmark::State& state) { TabClicks(state, Stress3DDialog::kPlaneTab); }
BENCHMARK(BM_PlaneTabClick)->Unit(benchmark::kMicrosecond);

}  // namespace
