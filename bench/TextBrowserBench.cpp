// A large plain text file opened in the text browser's view, from the
// double-click on its name until the event loop is idle again (the view
// painted), against a bare QPlainTextEdit of the same size and font, without
// word wrap as the browser's view, that reads the same file and shows it, in
// turn in the same run. The counters
// give the time of both and their ratio, and the peak memory each took
// beyond what the program held before (the process's peak resident size is
// set back before each).
//
// The files:
//   - listing: BRANTEL_BENCH_TEXT_MB megabytes of listing lines (default 1,
//     at most the browser's 32 MiB);
//   - most_lines: the most lines the browser shows, filling the largest
//     file it shows;
//   - longest_lines: the largest file in lines of the longest length;
//   - longest_first: the most lines, the first screens of them of the
//     longest length and the rest filling the largest file;
//   - line_breaks: the largest file of line breaks alone, and one_line: the
//     largest file in one line, which the browser refuses (a bare view of
//     either runs for minutes into gigabytes, so it is not measured);
//   - the most lines, ended by each line break of the view (LF, CR, CR LF,
//     U+2028, U+2029, U+FDD0, U+FDD1), and ten times as many ended by U+2028,
//     which the browser refuses;
//   - the largest file in lines of the most emoji, each one character of
//     two UTF-16 units.
// Then the browser left open on the longest lines (of letters, of emoji,
// and of a letter under 4,095 accents, the slowest text measured), its
// view's text cursor blinking, against the bare view holding the same text:
// the CPU time in percent of the time that passed (IdleCpuPercent).
// The file's lines are laid out in the browser's font, or at 1 point where
// the name ends in "_1pt": the smallest size the font dialog offers (and
// below the 7 points the settings file takes), a line about a pixel high,
// the most lines in the view at once, each of them laid out whole.

#include "BenchHelpers.h"
#include "core/FileBrowsing.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "mainwindow/TextBrowser.h"
#include "mainwindow/TextView.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), or -1.
long StatusKilobytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  const QByteArray key = QByteArray(field) + ':';
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').first().toLong();
  }
  return -1;
}

// The peak resident size of the process set back to what it holds now
// (Linux 4.0 and later); false where that cannot be done.
bool ResetPeakMemory() {
  std::FILE* f = std::fopen("/proc/self/clear_refs", "w");
  if (!f) return false;
  const bool done = std::fputs("5", f) >= 0;
  return std::fclose(f) == 0 && done;
}

// The time and the peak memory beyond the memory before, of an action and
// the event loop after it.
struct Cost {
  double milliseconds = 0;
  double megabytes = 0;
};

Cost Measure(const std::function<void()>& action) {
  UntilIdle();
  // What the last view let go goes back to the system, so that neither side
  // is measured in memory the other one freed.
  malloc_trim(0);
  ResetPeakMemory();
  const long before = StatusKilobytes("VmRSS");
  const auto t0 = Clock::now();
  action();
  const auto t1 = UntilIdle();
  return {Milliseconds(t1 - t0), static_cast<double>(StatusKilobytes("VmHWM") - before) / 1024.0};
}

constexpr qsizetype kMiB = 1024 * 1024;

QByteArray ListingText(qsizetype bytes) {
  const QByteArray line = "Sigma X...................................12.5 (MPa)    Tunnel section 4, ring 17\r\n";
  QByteArray text;
  text.reserve(bytes + line.size());
  while (text.size() + line.size() <= bytes) text += line;
  return text;
}

// `count` lines ended by CR LF of `length` characters each.
QByteArray Lines(qsizetype count, qsizetype length) {
  QByteArray line(length, 'x');
  for (qsizetype i = 0; i < length; i += 10) line[i] = static_cast<char>('0' + i / 10 % 10);
  line += "\r\n";
  return line.repeated(count);
}

// Short lines that fill what the longer ones leave of the largest file.
QByteArray FillWithLines(QByteArray text, qsizetype lines) {
  const qsizetype length = std::max<qsizetype>(0, (kMaxBrowsedFileBytes - text.size()) / lines - 2);
  return text + Lines(lines, length);
}

enum class File { Listing, MostLines, LongestLines, LongestFirst, LineBreaks, OneLine };

QByteArray FileText(File file) {
  switch (file) {
    case File::Listing: {
      const qsizetype asked = qEnvironmentVariableIntValue("BRANTEL_BENCH_TEXT_MB");
      return ListingText(std::min(asked > 0 ? asked * kMiB : kMiB, kMaxBrowsedFileBytes));
    }
    case File::MostLines: return FillWithLines({}, kMaxBrowsedLines);
    case File::LongestLines: return Lines(kMaxBrowsedFileBytes / (kMaxBrowsedLineLength + 2), kMaxBrowsedLineLength);
    case File::LongestFirst: {
      // More long lines than the view holds in the smallest font.
      constexpr qsizetype kLong = 1000;
      return FillWithLines(Lines(kLong, kMaxBrowsedLineLength), kMaxBrowsedLines - kLong);
    }
    case File::LineBreaks: return QByteArray(kMaxBrowsedFileBytes, '\n');
    case File::OneLine: return QByteArray(kMaxBrowsedFileBytes, 'x');
  }
  return {};
}

// A file of `text` in the browser's folder, its settings, and the browser's
// messages caught, for as long as it lives.
class BrowsedFile {
 public:
  BrowsedFile(benchmark::State& state, const QByteArray& text) {
    bench::QuietSettings();
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
      state.SkipWithError("no file");
      return;
    }
    state.counters["file_mb"] = static_cast<double>(text.size()) / kMiB;
    state.counters["lines"] = static_cast<double>(text.count('\n'));
    DataPath = folder_.path() + u'/';
    BrowseLastDir.clear();
    BrowseDefaultFilter = QStringLiteral("*.txt");
    BrowseInExternalViewer = false;
    previous_ = SetMessageBoxHandler([this](const QString& prompt, BoxStyle style, const QString&) {
      messages.append(prompt);
      return SafeAnswer(style.buttons);
    });
  }
  ~BrowsedFile() { SetMessageBoxHandler(previous_); }
  QString name() const { return QStringLiteral("listing.txt"); }
  QString path() const { return folder_.filePath(name()); }
  // What the bare view shows of the file.
  QString Text() const {
    QFile again(path());
    return again.open(QIODevice::ReadOnly) ? QString::fromUtf8(again.readAll()) : QString();
  }
  // The messages of the file's opening (the browser's own start may have one
  // about the font of settings that were never loaded).
  QStringList messages;

 private:
  QTemporaryDir folder_;
  MessageBoxHandler previous_;
};

// A bare view like the browser's: its font, size and no wrap.
void MakeBareView(QPlainTextEdit& bare, const QPlainTextEdit& like) {
  bare.setFont(like.font());
  bare.setLineWrapMode(QPlainTextEdit::NoWrap);
  bare.resize(like.size());
}

// Opens a file of `text` in the browser, against the bare view reading and
// showing it unless the browser is to refuse it.
void OpenAFile(benchmark::State& state, const QByteArray& text, bool refused, double points) {
  BrowsedFile file(state, text);
  {
    TextBrowser browser;
    auto* view = browser.Layout().Require<QPlainTextEdit>(textbrowser::kView);
    if (points > 0) {
      QFont font = view->font();
      font.setPointSizeF(points);
      view->setFont(font);
    }
    bench::ShowOnScreen(browser, state);
    QPlainTextEdit bare;
    MakeBareView(bare, *view);
    bench::ShowOnScreen(bare, state);
    if (!browser.SelectFile(file.name())) state.SkipWithError("the file is not listed");
    file.messages.clear();

    Cost browserCost, bareCost;
    for (auto _ : state) {
      const Cost b = Measure([&] { browser.OnFileChosen(); });
      browserCost.milliseconds += b.milliseconds;
      browserCost.megabytes = std::max(browserCost.megabytes, b.megabytes);

      state.PauseTiming();
      if (!refused) {
        view->clear();
        const Cost r = Measure([&] { bare.setPlainText(file.Text()); });
        bareCost.milliseconds += r.milliseconds;
        bareCost.megabytes = std::max(bareCost.megabytes, r.megabytes);
        bare.clear();
      }
      UntilIdle();
      state.ResumeTiming();
    }
    const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    if (refused == file.messages.isEmpty()) {
      state.SkipWithError(refused ? "the file was shown"
                                  : qPrintable(QStringLiteral("the file was refused: ") + file.messages.first()));
    }
    state.counters["browser_ms"] = browserCost.milliseconds / n;
    state.counters["browser_peak_mb"] = browserCost.megabytes;
    if (!refused) {
      state.counters["bare_ms"] = bareCost.milliseconds / n;
      state.counters["bare_peak_mb"] = bareCost.megabytes;
      state.counters["ratio"] = bareCost.milliseconds > 0 ? browserCost.milliseconds / bareCost.milliseconds : 0;
    }
    browser.close();
  }
}

void OpenATextFile(benchmark::State& state, File kind, double points) {
  OpenAFile(state, FileText(kind), kind == File::LineBreaks || kind == File::OneLine, points);
}

BENCHMARK_CAPTURE(OpenATextFile, listing, File::Listing, 0.0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(OpenATextFile, most_lines, File::MostLines, 0.0)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(OpenATextFile, longest_lines, File::LongestLines, 0.0)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(OpenATextFile, longest_first, File::LongestFirst, 0.0)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(OpenATextFile, longest_first_1pt, File::LongestFirst, 1.0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(OpenATextFile, line_breaks, File::LineBreaks, 0.0)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_CAPTURE(OpenATextFile, one_line, File::OneLine, 0.0)->Unit(benchmark::kMillisecond)->Iterations(2);

// Each line break of the view (IsViewLineBreak) in UTF-8, named for the
// benchmarks.
const std::pair<const char*, QByteArray> kLineBreaks[] = {{"lf", "\n"},
                                                          {"cr", "\r"},
                                                          {"crlf", "\r\n"},
                                                          {"u2028", "\xe2\x80\xa8"},
                                                          {"u2029", "\xe2\x80\xa9"},
                                                          {"ufdd0", "\xef\xb7\x90"},
                                                          {"ufdd1", "\xef\xb7\x91"}};

// `count` short lines, each ended by `lineBreak`: the most lines the browser
// shows, against the bare view, or more, which it refuses.
void OpenLinesEndedBy(benchmark::State& state, const QByteArray& lineBreak, qsizetype count) {
  OpenAFile(state, (QByteArray("Sigma X....12.5 (MPa)") + lineBreak).repeated(count), count > kMaxBrowsedLines, 0.0);
  state.counters["lines"] = static_cast<double>(count);
}

// For each line break, the most lines it ends; for the line separator, ten
// times as many too.
const bool kLineBreakBenchmarks = [] {
  for (const auto& [name, lineBreak] : kLineBreaks) {
    const std::string kind = name;
    const auto counts = kind == "u2028" ? std::vector<qsizetype>{kMaxBrowsedLines, 10 * kMaxBrowsedLines}
                                        : std::vector<qsizetype>{kMaxBrowsedLines};
    for (const qsizetype count : counts) {
      bench::RegisterRunOnce(
          "OpenLinesEndedBy/" + kind + "_" + std::to_string(count),
          [lineBreak, count](benchmark::State& state) { OpenLinesEndedBy(state, lineBreak, count); });
    }
  }
  return true;
}();

// The largest file in lines of the most emoji (four bytes of UTF-8, two
// UTF-16 units each) a line holds.
QByteArray EmojiLines() {
  const QByteArray line = QByteArray("\xf0\x9f\x98\x80").repeated(kMaxBrowsedLineLength) + "\r\n";
  return line.repeated(kMaxBrowsedFileBytes / line.size());
}
void BM_OpenTheLongestLinesOfEmoji(benchmark::State& state) { OpenAFile(state, EmojiLines(), false, 0.0); }
BENCHMARK(BM_OpenTheLongestLinesOfEmoji)->Unit(benchmark::kMillisecond)->Iterations(2);

// A view as the browser's (read-only, its text selectable by the keyboard),
// for the baselines that the browser's view is measured against.
void MakeBareReadingView(QPlainTextEdit& bare, const QPlainTextEdit& like) {
  SetUpReadingView(&bare);
  MakeBareView(bare, like);
}

// The browser showing a file of `text`, and a bare view as the browser's
// showing the same text, both on screen.
struct BrowserAndBareView {
  BrowserAndBareView(benchmark::State& state, const QByteArray& text) : file(state, text) {
    bench::ShowOnScreen(browser, state);
    MakeBareReadingView(bare, *view);
    bare.setPlainText(file.Text());
    bench::ShowOnScreen(bare, state);
    if (!browser.SelectFile(file.name())) state.SkipWithError("the file is not listed");
    file.messages.clear();
    browser.OnFileChosen();
    if (!file.messages.isEmpty()) state.SkipWithError("the file was refused");
  }
  BrowsedFile file;
  TextBrowser browser;
  QPlainTextEdit* view = browser.Layout().Require<QPlainTextEdit>(textbrowser::kView);
  QPlainTextEdit bare;
};

// Keys that move the text cursor along the first line of a file of `text`
// (Right, then Left, in turn), in the browser's view against the bare view
// showing the same text: each key paints the line again. CPU time of the
// main thread from the key until its paint is done.
void KeysAlongALine(benchmark::State& state, const QByteArray& text) {
  BrowserAndBareView on(state, text);
  QPlainTextEdit* view = on.view;
  QPlainTextEdit& bare = on.bare;
  for (QPlainTextEdit* each : {view, &bare}) {
    QTextCursor middle = each->textCursor();
    middle.setPosition(kMaxBrowsedLineLength / 2);
    each->setTextCursor(middle);
  }
  UntilIdle();
  double ours = 0, bareCpu = 0;
  int key = 0;
  const auto press = [&key](QPlainTextEdit* view) {
    const double start = bench::ThreadCpuMicroseconds();
    QTest::keyClick(view, key % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
    bench::PaintPending();
    return bench::ThreadCpuMicroseconds() - start;
  };
  for (auto _ : state) {
    ours += press(view);
    state.PauseTiming();
    bareCpu += press(&bare);
    ++key;
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters["browser_ms"] = ours / n / 1000;
  state.counters["bare_ms"] = bareCpu / n / 1000;
  state.counters["ratio"] = bareCpu > 0 ? ours / bareCpu : 0;
}

// The longest lines of letters, and of a letter under 4,095 accents (two
// bytes of UTF-8 each), the slowest text measured.
QByteArray LongestLinesOfAccents() {
  return (QByteArray("a") + QByteArray("\xcc\x81").repeated(kMaxBrowsedLineLength - 1) + "\n").repeated(100);
}
BENCHMARK_CAPTURE(KeysAlongALine, longest_lines, Lines(100, kMaxBrowsedLineLength))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK_CAPTURE(KeysAlongALine, longest_lines_of_accents, LongestLinesOfAccents())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

// The browser open on a file of `text`, its view's text cursor at the end
// of the first line, left alone, against a bare view as the browser's
// (read-only, its text selectable by the keyboard: its cursor does not
// blink) showing the same text.
void IdleWithAFile(benchmark::State& state, const QByteArray& text) {
  BrowserAndBareView on(state, text);
  for (QPlainTextEdit* each : {on.view, &on.bare}) each->moveCursor(QTextCursor::EndOfBlock);
  UntilIdle();
  bench::IdleAgainstBare(state, on.view, &on.bare, "browser");
}
BENCHMARK_CAPTURE(IdleWithAFile, longest_lines, Lines(100, kMaxBrowsedLineLength))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithAFile, longest_lines_of_emoji, EmojiLines().left(100 * (4 * kMaxBrowsedLineLength + 2)))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithAFile, longest_lines_of_accents, LongestLinesOfAccents())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
