// The project-description box at the sizes it holds and beyond, each step
// against the same step in a bare QPlainTextEdit of the same size and font
// that does not wrap (a long line laid out once, the least any box can do),
// in turn in the same run:
//  - a paste of 1,048,576 characters without a blank into the empty box;
//  - a keystroke (a character, then a Backspace) at the end of a box that
//    holds one line of 1,048,576 characters;
//  - a paste of the most lines the box takes (50,000 short lines) into the
//    empty box, and a paste of 4 million short lines (12 MiB), which the
//    box cuts to those 50,000, against the bare box pasting the 50,000;
//  - the dialog opened on the most lines it shows (100,000 lines of 40
//    characters), against the bare box showing them;
//  - the dialog opened on a project whose description is one line of 16 MiB
//    less 64 KiB (as large as a project file holds), against the bare box
//    showing the same line.
// Each side is the CPU time of the main thread from the step until its
// paint is done; the counters give both and their ratio. The figure of the
// last one is BRANTEL_BENCH_DESCRIPTION_KB kilobytes of description when
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
        whole = whole && Length(box) == kMaxDescriptionLength && Length(&bare) == kMaxDescriptionLength;
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

// Opens the dialog on the project's description, against the bare box
// showing `bareText`; false when `shown` said no of the bare box once.
bool OpenAgainstBare(benchmark::State& state, const QString& bareText,
                     const std::function<bool(const QPlainTextEdit&)>& shown) {
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
        all = all && shown(*bare);
        dialog.reset();
        bare.reset();
      });
  return all;
}

void BM_OpenTheMostLinesShown(benchmark::State& state) {
  bench::QuietSettings();
  const QString line(40, u'x');
  Project.ProjectDescription = (line + QStringLiteral("\r\n")).repeated(99'999) + line;
  const bool shown = OpenAgainstBare(state, (line + u'\n').repeated(99'999) + line, [](const QPlainTextEdit& bare) {
    return bare.document()->blockCount() == 100'000;
  });
  if (!shown) state.SkipWithError("the description was not shown");
  Project.ProjectDescription.clear();
}
BENCHMARK(BM_OpenTheMostLinesShown)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_KeystrokeIntoAFullBox(benchmark::State& state) {
  bench::QuietSettings();
  Project.ProjectDescription = QString(kMaxDescriptionLength - 1, u'x');
  DescriptionDialog dialog;
  bench::ShowOnScreen(dialog, state);
  auto* box = dialog.Layout().Require<QPlainTextEdit>(description::kDescription);
  QPlainTextEdit bare;
  MakeBareBox(bare, *box);
  bare.setPlainText(box->toPlainText());
  bench::ShowOnScreen(bare, state);
  for (QPlainTextEdit* each : {box, &bare}) each->moveCursor(QTextCursor::End);
  Settle();
  // A character into a full box, then a Backspace, in turn.
  int key = 0;
  const auto type = [&key](QPlainTextEdit* into) {
    into->setFocus();
    if (key % 2 == 0) QTest::keyClick(into, 'y');
    else QTest::keyClick(into, Qt::Key_Backspace);
  };
  bool full = true;
  AgainstBare(
      state, [&] { type(box); }, [&] { type(&bare); },
      [&] {
        if (key % 2 == 0) full = full && Length(box) == kMaxDescriptionLength;
        ++key;
      });
  if (!full) state.SkipWithError("a key did not go into the box");
  dialog.close();
  Project.ProjectDescription.clear();
}
BENCHMARK(BM_KeystrokeIntoAFullBox)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_OpenAnOversizeDescription(benchmark::State& state) {
  bench::QuietSettings();
  const int asked = qEnvironmentVariableIntValue("BRANTEL_BENCH_DESCRIPTION_KB");
  const qsizetype length = asked > 0 ? qsizetype{asked} * 1024 : kMaxProjectFileBytes - 64 * 1024;
  Project.ProjectDescription = QString(length, u'x');
  OpenAgainstBare(state, Project.ProjectDescription, [](const QPlainTextEdit&) { return true; });
  state.counters["description_kb"] = static_cast<double>(length) / 1024;
  Project.ProjectDescription.clear();
}
BENCHMARK(BM_OpenAnOversizeDescription)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
