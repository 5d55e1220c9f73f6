// A large plain text file opened in the text browser's view, from the
// double-click on its name until the event loop is idle again (the view
// painted), against a bare QPlainTextEdit of the same size and font that
// reads the same file and shows it, in turn in the same run. The counters
// give both and their ratio.
//
// The file is BRANTEL_BENCH_TEXT_MB megabytes of listing lines (default 1, so
// that the short run under ctest stays short); the figure of record is
//   BRANTEL_BENCH_TEXT_MB=50 build/bench/text_browser_bench

#include "BenchHelpers.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "mainwindow/TextBrowser.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <chrono>

namespace {

using namespace brantel;
using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs the event loop until it has had nothing to do for a while (a view
// may lay its text out in steps on a timer), and gives the moment of its
// last event.
Clock::time_point UntilIdle() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  Clock::time_point last = Clock::now();
  while (Clock::now() - last < std::chrono::milliseconds(30)) {
    QCoreApplication::sendPostedEvents();
    if (dispatcher->processEvents(QEventLoop::AllEvents)) last = Clock::now();
  }
  return last;
}

QByteArray ListingText(qsizetype megabytes) {
  const QByteArray line = "Sigma X...................................12.5 (MPa)    Tunnel section 4, ring 17\r\n";
  QByteArray text;
  text.reserve(megabytes * 1024 * 1024 + line.size());
  while (text.size() < megabytes * 1024 * 1024) text += line;
  return text;
}

void BM_OpenALargeTextFile(benchmark::State& state) {
  bench::QuietSettings();
  const int asked = qEnvironmentVariableIntValue("BRANTEL_BENCH_TEXT_MB");
  const qsizetype megabytes = asked > 0 ? asked : 1;
  QTemporaryDir folder;
  const QString name = QStringLiteral("listing.txt");
  QFile file(folder.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(ListingText(megabytes)) < 0) {
    state.SkipWithError("no file");
    return;
  }
  file.close();
  DataPath = folder.path() + u'/';
  BrowseLastDir.clear();
  BrowseDefaultFilter = QStringLiteral("*.txt");
  BrowseUseNotepad = false;

  TextBrowser browser;
  bench::ShowOnScreen(browser, state);
  auto* view = browser.Layout().Require<QPlainTextEdit>(textbrowser::kView);
  QPlainTextEdit bare;
  bare.setFont(view->font());
  bare.resize(view->size());
  bench::ShowOnScreen(bare, state);
  if (!browser.SelectFile(name)) state.SkipWithError("the file is not listed");
  UntilIdle();

  Clock::duration browserSpent{}, bareSpent{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    browser.OnFileChosen();
    browserSpent += UntilIdle() - t0;

    state.PauseTiming();
    bare.clear();
    UntilIdle();
    t0 = Clock::now();
    QFile again(folder.filePath(name));
    if (again.open(QIODevice::ReadOnly)) bare.setPlainText(QString::fromUtf8(again.readAll()));
    bareSpent += UntilIdle() - t0;
    view->clear();
    UntilIdle();
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters["megabytes"] = static_cast<double>(megabytes);
  state.counters["browser_ms"] = Milliseconds(browserSpent) / n;
  state.counters["bare_ms"] = Milliseconds(bareSpent) / n;
  state.counters["ratio"] = bareSpent.count() > 0 ? Milliseconds(browserSpent) / Milliseconds(bareSpent) : 0;
  browser.close();
}
BENCHMARK(BM_OpenALargeTextFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
