// The project-description box at the sizes it holds and beyond, each step
// against the same step in a bare QPlainTextEdit of the same size and font
// that does not wrap (a long line laid out once, the least any box can do),
// in turn in the same run:
//  - a paste of 1,048,576 characters without a blank into the empty box;
//  - a keystroke (a character, then a Backspace) at the end of a box that
//    holds 1,048,576 characters stored as one line, at the end of the
//    longest line the box keeps (4,096 characters: without a blank, of
//    words, and a letter under 4,094 accents, the slowest text measured),
//    and at the end of the most lines the box is given: the most it shows
//    (100,000 short lines), and a description that the box took at its
//    limits as it comes back from the project file (61,001 lines);
//  - a paste of the most lines the box takes (50,000 short lines) into the
//    empty box, and pastes far beyond them, which the box cuts to those
//    50,000, against the bare box pasting the 50,000: 4 million short lines
//    (12 MiB), and 500,000 lines ended by each line break of the view (LF,
//    CR, CR LF, U+2028, U+2029, U+FDD0, U+FDD1);
//  - the dialog opened on the most lines it shows (100,000 lines of 40
//    characters, and 100,000 short lines ended by each line break), against
//    the bare box showing them, and on 500,000 lines ended by each line
//    break, which it does not show;
//  - the dialog opened on a project whose description is one line of 16 MiB
//    less 64 KiB (as large as a project file holds), against the bare box
//    showing the same line;
//  - the open dialog left alone with its text cursor blinking at the end of
//    the longest lines, of a million characters and of the most lines,
//    against the bare box holding the same text: the CPU time in percent of
//    the time that passed (IdleCpuPercent).
// Each side is the CPU time of the main thread from the step until its
// paint is done; the counters give both and their ratio. The figure of the
// last opening is BRANTEL_BENCH_DESCRIPTION_KB kilobytes of description when
// that is set (the short run under ctest takes a smaller one).

#include "BenchHelpers.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/DescriptionDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace {

using namespace brantel;

// What a step left to the event loop (a message on a timer, the paint).
void Settle() {
  QCoreApplication::processEvents();
  bench::PaintPending();
}

// A bare box like the description box: its size and font, no wrapping.
void MakeBareBox(QPlainTextEdit& bare, const QPlainTextEdit& like) {
  bare.setLineWrapMode(QPlainTextEdit::NoWrap);
  bare.setFont(like.font());
  bare.resize(like.size());
}

// Runs `ours` and `bare` in turn in every iteration, each timed in CPU time,
// `reset` untimed after each; sets the counters.
template <typename Ours, typename Bare, typename Reset>
void AgainstBare(benchmark::State& state, Ours ours, Bare bare, Reset reset) {
  double oursCpu = 0, bareCpu = 0;
  for (auto _ : state) {
    double t0 = bench::ThreadCpuMicroseconds();
    ours();
    Settle();
    oursCpu += bench::ThreadCpuMicroseconds() - t0;

    state.PauseTiming();
    t0 = bench::ThreadCpuMicroseconds();
    bare();
    Settle();
    bareCpu += bench::ThreadCpuMicroseconds() - t0;
    reset();
    Settle();
    state.ResumeTiming();
  }
  const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
  state.counters["description_ms"] = oursCpu / n / 1000;
  state.counters["bare_ms"] = bareCpu / n / 1000;
  state.counters["ratio"] = bareCpu > 0 ? oursCpu / bareCpu : 0;
}

void Paste(QPlainTextEdit* box) {
  box->setFocus();
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

qsizetype Length(const QPlainTextEdit* box) { return box->document()->characterCount() - 1; }

// The dialog, empty, and a bare box like its box, both on screen.
struct BoxesOnScreen {
  explicit BoxesOnScreen(benchmark::State& state) {
    bench::ShowOnScreen(dialog, state);
    MakeBareBox(bare, *box);
    bench::ShowOnScreen(bare, state);
  }
  DescriptionDialog dialog;
  QPlainTextEdit* box = dialog.Layout().Require<QPlainTextEdit>(description::kDescription);
  QPlainTextEdit bare;
};

void BM_PasteALineWithoutABlank(benchmark::State& state) {
  bench::QuietSettings();
  BoxesOnScreen on(state);
  DescriptionDialog& dialog = on.dialog;
  QPlainTextEdit* box = on.box;
  QPlainTextEdit& bare = on.bare;
  QApplication::clipboard()->setText(QString(kMaxDescriptionLength, u'x'));
  bool whole = true;
  AgainstBare(
      state, [&] { Paste(box); }, [&] { Paste(&bare); },
      [&] {
        // The box breaks the line into lines of the most characters a line holds.
        whole = whole && box->document()->characterCount() - box->document()->blockCount() == kMaxDescriptionLength &&
                Length(&bare) == kMaxDescriptionLength;
        box->clear();
        bare.clear();
      });
  if (!whole) state.SkipWithError("a paste did not go in whole");
  dialog.close();
}
BENCHMARK(BM_PasteALineWithoutABlank)->Unit(benchmark::kMillisecond)->Iterations(4);

// Pastes `pasted` into the empty box, against the bare box pasting the
// 50,000 lines that the box keeps of it.
void PasteLines(benchmark::State& state, const QString& pasted) {
  bench::QuietSettings();
  BoxesOnScreen on(state);
  DescriptionDialog& dialog = on.dialog;
  QPlainTextEdit* box = on.box;
  QPlainTextEdit& bare = on.bare;
  const QString kept = QStringLiteral("x\n").repeated(49'999) + u'x';
  bool cut = true;
  AgainstBare(
      state,
      [&] {
        QApplication::clipboard()->setText(pasted);
        Paste(box);
      },
      [&] {
        QApplication::clipboard()->setText(kept);
        Paste(&bare);
      },
      [&] {
        cut = cut && box->document()->blockCount() == 50'000 && bare.document()->blockCount() == 50'000;
        box->clear();
        bare.clear();
      });
  if (!cut) state.SkipWithError("the box did not keep 50,000 lines");
  dialog.close();
}
BENCHMARK_CAPTURE(PasteLines, the_most_lines, QStringLiteral("x\n").repeated(49'999) + u'x')
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);
BENCHMARK_CAPTURE(PasteLines, far_beyond, QStringLiteral("x\r\n").repeated(4 * 1024 * 1024))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// Each line break of the view (IsViewLineBreak), named for the benchmarks.
const std::pair<const char*, QString> kLineBreaks[] = {
    {"lf", QStringLiteral("\n")},        {"cr", QStringLiteral("\r")},        {"crlf", QStringLiteral("\r\n")},
    {"u2028", QStringLiteral("\u2028")}, {"u2029", QStringLiteral("\u2029")}, {"ufdd0", QStringLiteral("\ufdd0")},
    {"ufdd1", QStringLiteral("\ufdd1")}};

// `count` lines "a", each ended by `lineBreak` but the last.
QString ShortLines(const QString& lineBreak, int count) { return (u'a' + lineBreak).repeated(count - 1) + u'a'; }

// Opens the dialog on the project's description, against the bare box
// showing `bareText`; false when `shown` said no of the dialog's box and the
// bare box once.
bool OpenAgainstBare(benchmark::State& state, const QString& bareText,
                     const std::function<bool(const QPlainTextEdit&, const QPlainTextEdit&)>& shown) {
  std::unique_ptr<DescriptionDialog> dialog;
  std::unique_ptr<QPlainTextEdit> bare;
  bool all = true;
  AgainstBare(
      state,
      [&] {
        dialog = std::make_unique<DescriptionDialog>();
        dialog->show();
      },
      [&] {
        bare = std::make_unique<QPlainTextEdit>();
        MakeBareBox(*bare, *dialog->Layout().Require<QPlainTextEdit>(description::kDescription));
        bare->setPlainText(bareText);
        bare->show();
      },
      [&] {
        all = all && shown(*dialog->Layout().Require<QPlainTextEdit>(description::kDescription), *bare);
        dialog.reset();
        bare.reset();
      });
  return all;
}

void BM_OpenTheMostLinesShown(benchmark::State& state) {
  bench::QuietSettings();
  const QString line(40, u'x');
  Project.ProjectDescription = (line + QStringLiteral("\r\n")).repeated(99'999) + line;
  const bool shown = OpenAgainstBare(
      state, (line + u'\n').repeated(99'999) + line, [](const QPlainTextEdit& box, const QPlainTextEdit& bare) {
        return box.document()->blockCount() == 100'000 && bare.document()->blockCount() == 100'000;
      });
  if (!shown) state.SkipWithError("the description was not shown");
  Project.ProjectDescription.clear();
}
BENCHMARK(BM_OpenTheMostLinesShown)->Unit(benchmark::kMillisecond)->Iterations(2);

// Opens the dialog on `count` short lines ended by `lineBreak`: the most it
// shows (100,000), against the bare box showing them; more, which it does
// not show, against the bare box showing nothing.
void OpenLinesEndedBy(benchmark::State& state, const QString& lineBreak, int count) {
  bench::QuietSettings();
  Project.ProjectDescription = ShortLines(lineBreak, count);
  const int shownLines = count <= 100'000 ? count : 1;  // the empty box has one
  const bool right = OpenAgainstBare(state, count <= 100'000 ? ShortLines(QStringLiteral("\n"), count) : QString(),
                                     [shownLines](const QPlainTextEdit& box, const QPlainTextEdit& bare) {
                                       return box.document()->blockCount() == shownLines &&
                                              bare.document()->blockCount() == shownLines;
                                     });
  if (!right) state.SkipWithError("the box did not show the lines it shows");
  Project.ProjectDescription.clear();
}

// For each line break: a paste of 500,000 lines it ends, and the dialog
// opened on 100,000 and on 500,000 stored lines it ends.
const bool kLineBreakBenchmarks = [] {
  for (const auto& [name, lineBreak] : kLineBreaks) {
    const std::string kind = name;
    bench::RegisterRunOnce("PasteLinesEndedBy/" + kind + "_500000",
                           [lineBreak](benchmark::State& state) { PasteLines(state, ShortLines(lineBreak, 500'000)); });
    for (const int count : {100'000, 500'000}) {
      bench::RegisterRunOnce(
          "OpenLinesEndedBy/" + kind + "_" + std::to_string(count),
          [lineBreak, count](benchmark::State& state) { OpenLinesEndedBy(state, lineBreak, count); });
    }
  }
  return true;
}();

// Shows the dialog, which has loaded the project's description, and beside
// it the bare box holding the text the dialog shows, the text cursor of each
// at the end; gives the dialog's box.
QPlainTextEdit* ShowBesideBare(benchmark::State& state, DescriptionDialog& dialog, QPlainTextEdit& bare) {
  bench::ShowOnScreen(dialog, state);
  auto* box = dialog.Layout().Require<QPlainTextEdit>(description::kDescription);
  MakeBareBox(bare, *box);
  bare.setPlainText(box->toPlainText());
  bench::ShowOnScreen(bare, state);
  for (QPlainTextEdit* each : {box, &bare}) each->moveCursor(QTextCursor::End);
  Settle();
  return box;
}

// A character, then a Backspace, in turn, typed at the end of the stored
// `description` shown in the dialog, against the bare box holding the text
// the dialog shows; `lengthAfterKey` is the length of the box's text once a
// character went in.
void KeystrokesAtTheEnd(benchmark::State& state, const QString& description, qsizetype lengthAfterKey) {
  bench::QuietSettings();
  Project.ProjectDescription = description;
  DescriptionDialog dialog;
  QPlainTextEdit bare;
  QPlainTextEdit* box = ShowBesideBare(state, dialog, bare);
  int key = 0;
  const auto type = [&key](QPlainTextEdit* into) {
    into->setFocus();
    if (key % 2 == 0) QTest::keyClick(into, 'y');
    else QTest::keyClick(into, Qt::Key_Backspace);
  };
  bool typed = true;
  AgainstBare(
      state, [&] { type(box); }, [&] { type(&bare); },
      [&] {
        if (key % 2 == 0) typed = typed && Length(box) == lengthAfterKey;
        ++key;
      });
  if (!typed) state.SkipWithError("a key did not go into the box");
  dialog.close();
  Project.ProjectDescription.clear();
}

// A box one character short of full, stored as one line, which the box
// shows as lines of the longest length (their line ends not counted).
void BM_KeystrokeIntoAFullBox(benchmark::State& state) {
  const qsizetype lineEnds = kMaxDescriptionLength / kMaxDescriptionLineLength - 1;
  KeystrokesAtTheEnd(state, QString(kMaxDescriptionLength - 1, u'x'), kMaxDescriptionLength + lineEnds);
}
BENCHMARK(BM_KeystrokeIntoAFullBox)->Unit(benchmark::kMillisecond)->Iterations(8);

// The longest line less one character, which the key fills.
void KeystrokeIntoTheLongestLine(benchmark::State& state, const QString& line) {
  KeystrokesAtTheEnd(state, line, line.size() + 1);
  state.counters["line_characters"] = static_cast<double>(kMaxDescriptionLineLength);
}
BENCHMARK_CAPTURE(KeystrokeIntoTheLongestLine, no_blank, QString(kMaxDescriptionLineLength - 1, u'x'))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK_CAPTURE(KeystrokeIntoTheLongestLine, words,
                  QStringLiteral("ring 17, ").repeated(kMaxDescriptionLineLength).left(kMaxDescriptionLineLength - 1))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK_CAPTURE(KeystrokeIntoTheLongestLine, accents, u'a' + QString(kMaxDescriptionLineLength - 2, QChar(0x0301)))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

// The stored description that `make` gives, of short lines (none longer
// than the box keeps), the key at the end of its last line.
void KeystrokeAtTheEndOfManyLines(benchmark::State& state, QString (*make)()) {
  const QString description = make();
  const qsizetype shown = description.size() - description.count(QStringLiteral("\r\n"));
  KeystrokesAtTheEnd(state, description, shown + 1);
}
QString TheMostLinesShown() { return ShortLines(QStringLiteral("\r\n"), 100'000); }
// A description the box took at its limits (30,000 lines of a character
// and 15,500 of 62: 45,500 lines, 1,036,499 characters), as it comes back
// from the project file: its long lines wrapped at 60 characters, 61,001
// lines.
QString SavedAtTheLimits() {
  ProjectRecord saved;
  saved.ProjectDescription =
      ShortLines(QStringLiteral("\r\n"), 30'000) + (QStringLiteral("\r\n") + QString(62, u'w')).repeated(15'500);
  SetProjectSignatures();
  if (!ReadProjectBytes(ProjectFileBytes(saved), QStringLiteral("saved.BNL"), saved).read) return QString();
  return saved.ProjectDescription;
}
BENCHMARK_CAPTURE(KeystrokeAtTheEndOfManyLines, the_most_shown, TheMostLinesShown)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK_CAPTURE(KeystrokeAtTheEndOfManyLines, saved_at_the_limits, SavedAtTheLimits)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

void BM_OpenAnOversizeDescription(benchmark::State& state) {
  bench::QuietSettings();
  const int asked = qEnvironmentVariableIntValue("BRANTEL_BENCH_DESCRIPTION_KB");
  const qsizetype length = asked > 0 ? qsizetype{asked} * 1024 : kMaxProjectFileBytes - 64 * 1024;
  Project.ProjectDescription = QString(length, u'x');
  OpenAgainstBare(state, Project.ProjectDescription, [](const QPlainTextEdit&, const QPlainTextEdit&) { return true; });
  state.counters["description_kb"] = static_cast<double>(length) / 1024;
  Project.ProjectDescription.clear();
}
BENCHMARK(BM_OpenAnOversizeDescription)->Unit(benchmark::kMillisecond)->Iterations(1);

// The dialog open on the stored `description` with the text cursor at its
// end, left alone, against the bare box holding the text the dialog shows.
void IdleWithDescription(benchmark::State& state, const QString& description) {
  bench::QuietSettings();
  Project.ProjectDescription = description;
  DescriptionDialog dialog;
  QPlainTextEdit bare;
  QPlainTextEdit* box = ShowBesideBare(state, dialog, bare);
  bench::IdleAgainstBare(state, box, &bare, "description");
  if (state.counters["paints"] == 0) state.SkipWithError("the text cursor did not blink");
  dialog.close();
  Project.ProjectDescription.clear();
}
BENCHMARK_CAPTURE(IdleWithDescription, longest_line_no_blank, QString(kMaxDescriptionLineLength, u'x'))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithDescription, longest_line_accents,
                  u'a' + QString(kMaxDescriptionLineLength - 1, QChar(0x0301)))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithDescription, a_million_characters, QString(kMaxDescriptionLength, u'x'))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithDescription, u2028_50000, ShortLines(QStringLiteral("\u2028"), kMaxDescriptionLines))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(IdleWithDescription, the_most_lines, ShortLines(QStringLiteral("\r\n"), 2 * kMaxDescriptionLines))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
