#include <QApplication>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

// The console's report, and whether any benchmark stopped with an error
// (a plot that a step left unpainted, a window that never showed): the run
// then fails, so that a short run as a test catches it.
class FailingReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  FailingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  bool failed = false;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) failed = failed || run.error_occurred;
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::benchmark::Initialize(&argc, argv);
  if (::benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FailingReporter reporter;
  ::benchmark::RunSpecifiedBenchmarks(&reporter);
  ::benchmark::Shutdown();
  return reporter.failed ? 1 : 0;
}
