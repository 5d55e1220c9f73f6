// One history line, from AddHistoryLine to the main window's history pane
// painted, at every fill of the pane from the first line up to the size cap
// (where the oldest lines go), against QPlainTextEdit::appendPlainText of the
// same line into a bare pane of the same size and font, painted too, line
// for line in the same run over the same range of fills. The counters give
// the cost of a history line in each quarter of the fill, the baseline, and
// the ratio of the dearest quarter to the baseline.

#include "BenchHelpers.h"
#include "core/History.h"
#include "core/Settings.h"
#include "mainwindow/MainWindow.h"

#include <QPlainTextEdit>

#include <algorithm>
#include <array>
#include <chrono>

namespace {

using namespace brantel;
using Clock = std::chrono::steady_clock;

constexpr int kCap = 16384;  // the largest HistoryMaxCharacters
const QString kLine = QStringLiteral("Stress Distribution around Circular Openings.");

// Everything a line left to the event loop, the paint included.
void Settle() { QCoreApplication::sendPostedEvents(); }

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The bare pane: as the history pane is made, nothing of the program.
void MakeBarePane(QPlainTextEdit& pane, const QPlainTextEdit& like) {
  pane.setReadOnly(true);
  pane.setUndoRedoEnabled(false);
  pane.setLineWrapMode(QPlainTextEdit::WidgetWidth);
  pane.setFont(like.font());
  pane.resize(like.size());
}

void BM_HistoryLineAgainstAppendPlainText(benchmark::State& state) {
  bench::QuietSettings();
  HistoryShown = true;
  HistoryMaxCharacters = kCap;
  HistoryLog::Instance().Clear();
  MainWindow window;
  window.resize(800, 600);
  EnableMainWindow(window);
  LayoutMainWindow(window);
  bench::ShowOnScreen(window, state);
  QPlainTextEdit bare;
  MakeBarePane(bare, *window.historyPane);
  bench::ShowOnScreen(bare, state);

  // A history line and a baseline line in turn, so that both meet the same
  // load of the machine. The bare pane is emptied (untimed) whenever it
  // reaches the cap, so that it goes through the same fills.
  std::array<Clock::duration, 4> spent{};
  std::array<std::int64_t, 4> lines{};
  Clock::duration baselineSpent{};
  qsizetype baselineFill = 0;
  for (auto _ : state) {
    const auto quarter = static_cast<std::size_t>(
        std::min<qsizetype>(3, HistoryLog::Instance().Text().size() * 4 / HistoryMaxCharacters));
    auto t0 = Clock::now();
    AddHistoryLine(kLine);
    Settle();
    spent[quarter] += Clock::now() - t0;
    ++lines[quarter];

    state.PauseTiming();
    if (baselineFill >= kCap) {
      bare.clear();
      Settle();
      baselineFill = 0;
    }
    t0 = Clock::now();
    bare.appendPlainText(kLine);
    Settle();
    baselineSpent += Clock::now() - t0;
    baselineFill += kLine.size() + 8;  // the number, ". " and the line break of a history line
    state.ResumeTiming();
  }

  const double baseline =
      Microseconds(baselineSpent) / static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
  double dearest = 0;
  for (std::size_t q = 0; q < spent.size(); ++q) {
    const double perLine = lines[q] > 0 ? Microseconds(spent[q]) / static_cast<double>(lines[q]) : 0.0;
    state.counters["quarter" + std::to_string(q + 1) + "_us"] = perLine;
    dearest = std::max(dearest, perLine);
  }
  state.counters["append_plain_text_us"] = baseline;
  state.counters["ratio"] = baseline > 0 ? dearest / baseline : 0;
  HistoryLog::Instance().Clear();
}
BENCHMARK(BM_HistoryLineAgainstAppendPlainText)->Unit(benchmark::kMicrosecond);

}  // namespace
