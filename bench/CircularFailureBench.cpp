// One keystroke in a stress box of the failure-around-an-opening tool, from
// the change of the text to the zone drawing painted, against a full repaint
// of the same window. On a busy machine, compare the two with
// --benchmark_repetitions=20 --benchmark_enable_random_interleaving=true.

#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "tools/stress/CircularFailureDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

// Both modes fail in part: eight hatched wedges, and no history lines.
void StoreZonesOfBothModes() {
  EnglishMenus = 1;
  DisplayHistoryWin = 0;
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
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("no window");
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(u"Text1");
  box->setFocus();
  bool flip = false;
  for (auto _ : state) {
    box->setText(flip ? QStringLiteral("0") : QStringLiteral("1"));
    flip = !flip;
    // Paint what the keystroke changed, as the event loop does.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  dialog.close();
}
BENCHMARK(BM_KeystrokeToZonesPainted)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  StoreZonesOfBothModes();
  frmCircFail dialog;
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) state.SkipWithError("no window");
  for (auto _ : state) dialog.repaint();
  dialog.close();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
