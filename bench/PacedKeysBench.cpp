// Keys typed at a typist's pace (one every 20 ms, each painted by the event
// loop in the gap) into the Von Mises tool at psi-scale inputs (T 5000,
// sx 6000, sy 1000, the plot shown), against the same keys typed into the
// bare QLineEdit of the reference program lineedit_reference, run beside
// this one in every iteration. Each side is the CPU time of the program's
// main thread per key, over the whole typing; the counters give the medians
// and their ratio. Run it on a real display server for figures that count:
//
//   QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/paced_keys_bench --benchmark_min_time=20
//
// (the minimum time is wall time: some 0.7 s an iteration).

#include "BenchHelpers.h"
#include "core/project/ProjectRecord.h"
#include "tools/failure/VonMisesDialog.h"

#include <QProcess>

#include <vector>

namespace {

using namespace brantel;

constexpr int kKeys = 16;  // each side, per iteration

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The reference program's CPU time per key; nothing when it did not run.
std::optional<double> ReferenceCpuPerKey() {
  QProcess reference;
  reference.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lineedit_reference"),
                  {QString::number(kKeys)});
  if (!reference.waitForFinished(60000) || reference.exitCode() != 0) return std::nullopt;
  bool ok = false;
  const double cpu = reference.readAllStandardOutput().trimmed().toDouble(&ok);
  return ok ? std::optional<double>(cpu) : std::nullopt;
}

void BM_VonMisesPacedKeysAgainstLineEdit(benchmark::State& state) {
  bench::QuietSettings();
  EnableMohrCircles = true;
  Project.VonMisesStress = {6000, 1000, 0, StressGraph::MohrCircle};
  Project.VonMisesInput = {5000, false};
  VonMisesDialog dialog;
  bench::ShowOnScreen(dialog, state);
  QLineEdit* box = dialog.Layout().Require<QLineEdit>(vonmises::kSx);
  std::vector<double> ours, theirs;
  for (auto _ : state) {
    const std::optional<double> reference = ReferenceCpuPerKey();
    if (!reference) {
      state.SkipWithError("the reference program did not run");
      break;
    }
    theirs.push_back(*reference);
    ours.push_back(bench::CpuPerPacedKey(box, kKeys));
  }
  const double vonMises = Median(ours), lineEdit = Median(theirs);
  state.counters["vonmises_cpu_per_key_us"] = vonMises;
  state.counters["lineedit_cpu_per_key_us"] = lineEdit;
  state.counters["ratio"] = lineEdit > 0 ? vonMises / lineEdit : 0;
  dialog.close();
}
BENCHMARK(BM_VonMisesPacedKeysAgainstLineEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
