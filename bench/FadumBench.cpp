// The two Fadum dialogs as the user drives them, each against a whole
// repaint of the same window (plan or chart included) in the same run:
// - one pointer move over the plan of the foundation tool, from the move to
//   the stress box and the plan painted (a step of a pixel, and a jump
//   across the plan);
// - one keystroke in an input box of the coefficient dialog, from the change
//   to its results painted, and the choice of its Graph tab, from the click
//   to the twenty curves drawn and painted.

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/Fadum.h"
#include "tools/stress/FadumChartDialog.h"
#include "tools/stress/FoundationDialog.h"
#include "tools/stress/FoundationPlanPicture.h"

#include <QChartView>
#include <QMouseEvent>
#include <QTabWidget>

#include <functional>

namespace {

using namespace brantel;

void FoundationProject() {
  bench::QuietSettings();
  Project.FadumLength = 3;
  Project.FadumWidth = 2;
  Project.FadumDepth = 1.5f;
  Project.FadumLoad = 100;
  Project.FadumX = 4;
  Project.FadumY = 4;
}

void CornerProject() {
  bench::QuietSettings();
  Project.CornerLoad = 100;
  Project.CornerWidth = 1;
  Project.CornerLength = 1;
  Project.CornerDepth = 1;
}

void PointerMoves(benchmark::State& state, const std::function<QPointF(int)>& place) {
  FoundationProject();
  FoundationDialog dialog;
  bench::ShowOnScreen(dialog, state);
  auto* plan = dialog.Layout().Require<FoundationPlan>(foundation::kPlanView);
  bench::Run(state, {bench::WholeWindows({&dialog}),
                     {},
                     [&](int step) {
                       const QPointF at = place(step);
                       QMouseEvent move(QEvent::MouseMove, at, plan->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                                        Qt::NoModifier);
                       QCoreApplication::sendEvent(plan, &move);
                     },
                     {}});
}

// The pointer moving as a hand moves it: a pixel at a time, on a slant
// across the plan, through the foundation and out beyond its far corner.
void BM_PlanPointerMove(benchmark::State& state) {
  PointerMoves(state, [](int step) {
    const int i = step % 600;
    return QPointF(20 + i, 10 + i / 2);
  });
}
BENCHMARK(BM_PlanPointerMove)->Unit(benchmark::kMicrosecond);

// The worst move: a jump between a point under the foundation and one far
// beyond it, every rectangle laid out anew.
void BM_PlanPointerJump(benchmark::State& state) {
  PointerMoves(
      state, [](int step) { return step % 2 ? QPointF(1200.0 / 15, 700.0 / 15) : QPointF(5300.0 / 15, 4100.0 / 15); });
}
BENCHMARK(BM_PlanPointerJump)->Unit(benchmark::kMicrosecond);

void BM_CoefficientKeystroke(benchmark::State& state) {
  CornerProject();
  FadumChartDialog dialog;
  bench::ShowOnScreen(dialog, state);
  bench::KeystrokesAgainstRepaint(state, dialog, dialog.Layout().Require<QLineEdit>(fadumchart::kFoundationLength),
                                  QStringLiteral("1.5"), QStringLiteral("1"));
}
BENCHMARK(BM_CoefficientKeystroke)->Unit(benchmark::kMicrosecond);

// From the Analysis tab to the twenty curves painted; the baseline is the
// dialog on its Graph tab, repainted whole.
void BM_CoefficientGraphTabClick(benchmark::State& state) {
  CornerProject();
  FadumChartDialog dialog;
  bench::ShowOnScreen(dialog, state);
  bench::TabClicksAgainstRepaint(state, dialog, dialog.Layout().Require<QTabWidget>(fadumchart::kTabs),
                                 FadumChartDialog::kGraphTab, FadumChartDialog::kAnalysisTab,
                                 {bench::ChartViewport(dialog.Layout().Require<QChartView>(fadumchart::kFadumChart))});
}
BENCHMARK(BM_CoefficientGraphTabClick)->Unit(benchmark::kMicrosecond);

}  // namespace
