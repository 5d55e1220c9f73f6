// The tools without a benchmark of their own, each as the user drives it,
// against a whole repaint of its window in the same run: a keystroke in its
// first input box (a digit typed at the end of the stored value and deleted
// again), and a click on its second tab where it has tabs. The project is a
// new one; the boxes hold its values.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/elasticity/Elasticity3DDialog.h"
#include "tools/elasticity/PlaneElasticityDialog.h"
#include "tools/elasticity/RoofBoltingDialog.h"
#include "tools/elasticity/RosetteDialog.h"
#include "tools/elasticity/TransformationDialog.h"
#include "tools/failure/CoulombWedgeDialog.h"
#include "tools/stress/PointLoadDialog.h"
#include "tools/stress/RoomPillarDialog.h"

namespace {

using namespace brantel;

// The first box the user can type in: shown, enabled and not read-only.
QLineEdit* FirstInputBox(QWidget& dialog) {
  for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
    if (box->isVisible() && box->isEnabled() && !box->isReadOnly()) return box;
  }
  return nullptr;
}

template <typename Dialog>
void Keystrokes(benchmark::State& state) {
  bench::QuietSettings();
  ResetProjectRecord(Project);
  Dialog dialog;
  bench::ShowOnScreen(dialog, state);
  QLineEdit* box = FirstInputBox(dialog);
  if (!box) {
    state.SkipWithError("no input box");
    return;
  }
  const QString stored = box->text();
  bench::KeystrokesAgainstRepaint(state, dialog, box, stored + u'1', stored);
  dialog.close();
}

template <typename Dialog>
void SecondTabClicks(benchmark::State& state) {
  bench::QuietSettings();
  ResetProjectRecord(Project);
  Dialog dialog;
  bench::ShowOnScreen(dialog, state);
  auto* tabs = dialog.template findChild<QTabWidget*>();
  if (!tabs || tabs->count() < 2) {
    state.SkipWithError("no second tab");
    return;
  }
  bench::TabClicksAgainstRepaint(state, dialog, tabs, 1, 0);
  dialog.close();
}

BENCHMARK_TEMPLATE(Keystrokes, CoulombWedgeDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(SecondTabClicks, CoulombWedgeDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, PlaneElasticityDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(SecondTabClicks, PlaneElasticityDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, Elasticity3DDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, RosetteDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, TransformationDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, RoofBoltingDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(SecondTabClicks, RoofBoltingDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, RoomPillarDialog)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Keystrokes, PointLoadDialog)->Unit(benchmark::kMicrosecond);

}  // namespace
