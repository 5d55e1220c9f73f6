#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/DescriptionDialog.h"
#include "support/DialogTest.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

#include <time.h>

namespace brantel {
namespace {

class DescriptionDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    NewProjectUnits = UnitSystem::SI;
    FileNew();
    HistoryLog::Instance().Clear();
    HistoryCounter = 0;
  }

  // Opens the dialog as the Input menu would, but without waiting.
  DescriptionDialog* Open() { return &DialogTest::Open<DescriptionDialog>(); }
  QRadioButton* Units(int i) const { return Control<QRadioButton>(QStringLiteral("Option1(%1)").arg(i)); }
  QPlainTextEdit* DescriptionBox() const { return Control<QPlainTextEdit>(description::kDescription); }

  // Pastes from the clipboard at the box's cursor, as Ctrl+V does, and lets
  // what the paste set off run.
  void PasteAtCursor(const QString& text) {
    QApplication::clipboard()->setText(text);
    DescriptionBox()->setFocus();
    QTest::keyClick(DescriptionBox(), Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
  }
  void KeysAtCursor(const QString& keys) {
    Keys(description::kDescription, keys);
    QCoreApplication::processEvents();
  }
  void Select(int from, int to) {
    QTextCursor cursor = DescriptionBox()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    DescriptionBox()->setTextCursor(cursor);
  }
  void CursorAtEnd() { DescriptionBox()->moveCursor(QTextCursor::End); }
};

// Lines of 63 characters and a last line that make `count` characters, the
// line ends not counted, as the box counts them.
QString LinesOfCharacters(qsizetype count) {
  QString text;
  text.reserve(count + count / 63);
  for (; count > 63; count -= 63) text += QString(63, u'a') + u'\n';
  return text + QString(count, u'b');
}
qsizetype CharactersBesideLineEnds(const QString& text) { return text.size() - text.count(u'\n'); }

// The CPU time of this thread, in seconds: the box's own work, however busy
// the machine is.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}
// The user waits under a second for any step; the bound leaves room for a
// slow machine and is still far below the minutes of a layout gone wrong.
constexpr double kStepSeconds = 3.0;
// A paste that the box cuts to its most lines takes a quarter of a second;
// laid out whole, half a million lines in one block took four.
constexpr double kCutPasteSeconds = 1.5;
// A key takes a millisecond or two; into a line of a million characters it
// took a quarter of a second.
constexpr double kKeySeconds = 0.1;

// Each line break of the view, and the lines it ends.
const QString kLineBreaks[] = {QStringLiteral("\n"),     QStringLiteral("\r"),     QStringLiteral("\r\n"),
                               QStringLiteral("\u2028"), QStringLiteral("\u2029"), QStringLiteral("\ufdd0"),
                               QStringLiteral("\ufdd1")};
QString ShortLines(const QString& lineBreak, int count) { return (u'a' + lineBreak).repeated(count - 1) + u'a'; }

// Whether each row of a line as the box shows it ends at a blank (the last
// row aside): its words are kept whole.
bool WordsKeptWhole(const QTextBlock& line) {
  const QTextLayout* layout = line.layout();
  if (!layout || layout->lineCount() < 2) return false;
  for (int row = 0; row + 1 < layout->lineCount(); ++row) {
    const QTextLine shown = layout->lineAt(row);
    if (line.text()[shown.textStart() + shown.textLength() - 1] != u' ') return false;
  }
  return true;
}

constexpr char kLeftOut[] =
    "The project description holds at most 1,048,576 characters: what was typed or pasted beyond that was left out.";
constexpr char kTooManyLines[] =
    "The project description holds at most 50,000 lines: what was typed or pasted beyond that was left out.";
constexpr char kLineTooLong[] =
    "A line of the project description holds at most 4,096 characters: what was typed or pasted beyond that was "
    "left out.";
constexpr char kLinesNotJoined[] =
    "A line of the project description holds at most 4,096 characters: the two lines were not joined, and nothing "
    "was left out.";
constexpr char kNotShown[] =
    "The project description is too long to show here: this box shows at most 4,194,304 characters in at most "
    "100,000 lines. The description is kept as it stands.";

TEST_F(DescriptionDialogTest, AFreshProjectMayChangeItsUnitsAndStartsAfresh) {
  Project.ProjectPath = QStringLiteral("/p/tunnel.BNL");
  Project.Stress2D.Sx = 12.0f;
  Project.BoltDiameter = 30.0f;
  Project.CoulombPrincipal.S1 = 5.0f;  // a result: New keeps it
  auto d = Open();
  EXPECT_TRUE(Units(0)->isEnabled());
  EXPECT_TRUE(Units(1)->isEnabled());
  EXPECT_TRUE(Units(1)->isChecked());
  EXPECT_FALSE(Units(0)->isChecked());
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Project Description"));
  EXPECT_EQ(DescriptionBox()->accessibleName(), QStringLiteral("Project Description"));

  Keys(description::kDescription, QStringLiteral("Line one"));
  QTest::keyClick(DescriptionBox(), Qt::Key_Return);
  DescriptionBox()->insertPlainText(QStringLiteral("Γραμμή δύο"));  // typed through an input method
  QTest::mouseClick(Units(0), Qt::LeftButton);
  ASSERT_TRUE(Units(0)->isChecked());
  Press(description::kOk);
  EXPECT_FALSE(d->isVisible());
  EXPECT_TRUE(d->IsAccepted());

  EXPECT_EQ(Project.InputUnits, UnitSystem::Imperial);
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.BoltDiameter, 22.0f);
  EXPECT_EQ(Project.CoulombPrincipal.S1, 5.0f);
  EXPECT_EQ(Project.ProjectDescription, QStringLiteral("Line one\r\nΓραμμή δύο"));
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
  EXPECT_TRUE(Project.FileHoldsData);
  EXPECT_EQ(History(), QStringLiteral("1. Editing Project Description\r\n"
                                      "2. File initialized. Use Edit-Project Parameters to enter data.\r\n"
                                      "3. Project Description Modified\r\n"));

  // The accepted visit locks the unit system.
  Open();
  EXPECT_TRUE(Units(0)->isChecked());
  EXPECT_TRUE(Units(0)->isEnabled());
  EXPECT_FALSE(Units(1)->isEnabled());
  EXPECT_FALSE(Units(1)->isChecked());
  EXPECT_EQ(DescriptionBox()->toPlainText(), QStringLiteral("Line one\nΓραμμή δύο"));
  Press(description::kCancel);
}

TEST_F(DescriptionDialogTest, ANewUnitSystemAsksBeforeItThrowsTypedInputsAway) {
  Project.Stress2D.Sx = 50.0f;
  MarkProjectChanged();  // as a tool's OK does
  const QString question = QStringLiteral(
      "A new unit system starts the project afresh: every tool's inputs return to their defaults, and the values "
      "typed in this project are lost. Change the unit system?");

  // No: the unit system and every input stay; the description is taken.
  Open();
  Keys(description::kDescription, QStringLiteral("Kept"));
  QTest::mouseClick(Units(0), Qt::LeftButton);
  AnswerNextBox(Answer::No);
  Press(description::kOk);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().back().prompt, question);
  EXPECT_EQ(Messages().back().style, BoxStyle(Buttons::YesNo, Icon::Question, DefaultButton::Second));
  EXPECT_EQ(Project.InputUnits, UnitSystem::SI);
  EXPECT_EQ(Project.Stress2D.Sx, 50.0f);
  EXPECT_EQ(Project.ProjectDescription, QStringLiteral("Kept"));

  // Yes, in Greek: the reset of a new unit system.
  Project.FileHoldsData = false;
  EnglishMenus = false;
  Open();
  QTest::mouseClick(Units(0), Qt::LeftButton);
  AnswerNextBox(Answer::Yes);
  Press(description::kOk);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(Messages().back().prompt.startsWith(QStringLiteral("Ένα νέο σύστημα μονάδων")));
  EXPECT_EQ(Project.InputUnits, UnitSystem::Imperial);
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.ProjectDescription, QStringLiteral("Kept"));
}

TEST_F(DescriptionDialogTest, TheBoxTakesAtMostItsLimitAndSaysWhatWasLeftOut) {
  const qsizetype limit = kMaxDescriptionLength;
  Open();
  const QString start = LinesOfCharacters(limit - 5);
  PasteAtCursor(start);
  EXPECT_EQ(CharactersBesideLineEnds(DescriptionBox()->toPlainText()), limit - 5);
  EXPECT_TRUE(Messages().empty());

  // Typed beyond it: what fits goes in, the rest is left out, and one
  // message says so once the typing is over.
  KeysAtCursor(QStringLiteral("cdefghi"));
  QString expected = start + QStringLiteral("cdefg");
  EXPECT_TRUE(DescriptionBox()->toPlainText() == expected);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QString::fromUtf8(kLeftOut));

  // Pasted over a selection: the text around it stays, the paste's end is
  // left out; Undo takes back the paste whole.
  Select(10, 13);
  PasteAtCursor(QStringLiteral("XYZW"));
  const QString beforePaste = expected;
  expected.replace(10, 3, QStringLiteral("XYZ"));
  EXPECT_TRUE(DescriptionBox()->toPlainText() == expected);
  EXPECT_EQ(Messages().size(), 2u);
  QTest::keyClick(DescriptionBox(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(DescriptionBox()->toPlainText() == beforePaste);
  expected = beforePaste;

  // A character outside the basic plane goes in whole or not at all.
  CursorAtEnd();
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  expected.chop(1);
  PasteAtCursor(QStringLiteral("😀"));
  EXPECT_TRUE(DescriptionBox()->toPlainText() == expected);
  EXPECT_EQ(Messages().size(), 3u);
  // Below the limit again, everything goes in without a word.
  KeysAtCursor(QStringLiteral("z"));
  EXPECT_TRUE(DescriptionBox()->toPlainText() == expected + u'z');
  EXPECT_EQ(Messages().size(), 3u);

  Press(description::kOk);
  expected += u'z';
  EXPECT_EQ(Project.ProjectDescription.size(), limit + 2 * expected.count(u'\n'));
  EXPECT_TRUE(Project.ProjectDescription == QString(expected).replace(u'\n', QStringLiteral("\r\n")));
}

TEST_F(DescriptionDialogTest, ALongerStoredDescriptionStaysWholeAndMayOnlyShrink) {
  EnglishMenus = false;
  const qsizetype stored = kMaxDescriptionLength + 100;
  const QString text = LinesOfCharacters(stored);
  Project.ProjectDescription = QString(text).replace(u'\n', QStringLiteral("\r\n"));
  Open();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == text);
  EXPECT_TRUE(Messages().empty());

  // Shortened by two, it takes two characters again, and no more.
  CursorAtEnd();
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  KeysAtCursor(QStringLiteral("xyz"));
  EXPECT_EQ(CharactersBesideLineEnds(DescriptionBox()->toPlainText()), stored);
  EXPECT_TRUE(DescriptionBox()->toPlainText().endsWith(QStringLiteral("bbbxy")));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Η περιγραφή του έργου χωρά το πολύ 1.048.576 χαρακτήρες: ό,τι "
                                          "πληκτρολογήθηκε ή επικολλήθηκε πέρα από αυτό παραλείφθηκε."));
  Press(description::kCancel);
  EXPECT_TRUE(Project.ProjectDescription == QString(text).replace(u'\n', QStringLiteral("\r\n")));
}

TEST_F(DescriptionDialogTest, ALineWithoutABlankIsPastedAndTypedIntoAtOnce) {
  Open();
  KeysAtCursor(QString(QStringLiteral("ring 17, ")).repeated(20));
  QTest::keyClick(DescriptionBox(), Qt::Key_Return);
  const QString prose = DescriptionBox()->toPlainText();
  EXPECT_TRUE(WordsKeptWhole(DescriptionBox()->document()->firstBlock()));

  // The line goes in whole, as lines of the most characters a line holds.
  const QString line(1'000'000, u'x');
  double start = CpuSeconds();
  PasteAtCursor(line);
  EXPECT_LT(CpuSeconds() - start, kStepSeconds);
  start = CpuSeconds();
  KeysAtCursor(QStringLiteral("y"));
  EXPECT_LT(CpuSeconds() - start, kKeySeconds);
  const QString lines = (QString(4096, u'x') + u'\n').repeated(244) + QString(576, u'x');
  EXPECT_TRUE(DescriptionBox()->toPlainText() == prose + lines + u'y');
  EXPECT_TRUE(Messages().empty());

  // Once the long line is gone, words are kept whole again.
  Select(static_cast<int>(prose.size()), static_cast<int>(prose.size() + lines.size() + 1));
  QTest::keyClick(DescriptionBox(), Qt::Key_Delete);
  QCoreApplication::processEvents();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == prose);
  EXPECT_TRUE(WordsKeptWhole(DescriptionBox()->document()->firstBlock()));
}

// A paste far beyond the limits is cut before the box lays it out, and
// ends where the limits end it: at the most characters, or at the most
// lines (50,000), which a Return cannot pass either.
TEST_F(DescriptionDialogTest, APasteFarBeyondTheLimitsIsCutAtOnce) {
  Open();
  KeysAtCursor(QStringLiteral("ab"));
  Select(1, 2);  // over the "b"
  double start = CpuSeconds();
  PasteAtCursor(QString(16 * kMaxDescriptionLength, u'x'));
  EXPECT_LT(CpuSeconds() - start, kStepSeconds);
  // In lines of the most characters a line holds, their line ends not counted.
  const QString full = DescriptionBox()->toPlainText();
  EXPECT_EQ(CharactersBesideLineEnds(full), kMaxDescriptionLength);
  EXPECT_TRUE(full.startsWith(u'a' + QString(4095, u'x') + u'\n' + QString(4096, u'x') + u'\n'));
  EXPECT_EQ(full.count(u'x'), kMaxDescriptionLength - 1);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QString::fromUtf8(kLeftOut));

  Select(1, static_cast<int>(full.size()));
  start = CpuSeconds();
  PasteAtCursor(QStringLiteral("x\r\n").repeated(4 * kMaxDescriptionLength));
  EXPECT_LT(CpuSeconds() - start, kStepSeconds);
  const QString lines = QStringLiteral("ax") + QStringLiteral("\nx").repeated(49'999);
  EXPECT_TRUE(DescriptionBox()->toPlainText() == lines);
  ASSERT_EQ(Messages().size(), 2u);
  const QString tooManyLines = QString::fromUtf8(kTooManyLines);
  EXPECT_EQ(LastMessage(), tooManyLines);
  CursorAtEnd();
  QTest::keyClick(DescriptionBox(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == lines);
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(LastMessage(), tooManyLines);
}

TEST_F(DescriptionDialogTest, ADescriptionTooLongToShowIsSaidSoAndKeptByteForByte) {
  SetProjectSignatures();
  // A file of another program: one line of 4 MiB without a blank, between
  // lines that the box would show otherwise.
  ProjectRecord source;
  source.ProjectDescription = QStringLiteral("@");
  QByteArray bytes = ProjectFileBytes(source);
  bytes.replace("\r\n@\r\n", "\r\nΣήραγγα Τ1\r\n" + QByteArray(4 * 1024 * 1024, 'x') + "\r\nend  \r\n");
  ASSERT_TRUE(ReadProjectBytes(bytes, QStringLiteral("long.BNL"), Project).read);
  const QString stored = Project.ProjectDescription;
  ASSERT_EQ(stored.size(), 4 * 1024 * 1024 + 21);
  const QByteArray expected = ProjectFileBytes(Project);

  const double start = CpuSeconds();
  Open();
  QCoreApplication::processEvents();
  EXPECT_LT(CpuSeconds() - start, kStepSeconds);
  EXPECT_TRUE(DescriptionBox()->toPlainText().isEmpty());
  EXPECT_TRUE(DescriptionBox()->isReadOnly());
  ASSERT_EQ(Messages().size(), 1u);
  const QString notShown = QString::fromUtf8(kNotShown);
  EXPECT_EQ(LastMessage(), notShown);

  // OK without an edit, then Save: the same bytes as a Save without the visit.
  Press(description::kOk);
  EXPECT_TRUE(Project.ProjectDescription == stored);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("long.BNL"));
  ASSERT_FALSE(WriteProjectFile(path, Project).has_value());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll() == expected);

  // Too many lines to show, short as they are, whatever line break ends
  // them; the most lines are shown, each a line of the box.
  Project.ProjectDescription = ShortLines(QStringLiteral("\u2028"), 100'000);
  Open();
  QCoreApplication::processEvents();
  EXPECT_EQ(DescriptionBox()->document()->blockCount(), 100'000);
  for (const QString& lineBreak : kLineBreaks) {
    SCOPED_TRACE(lineBreak.toUcs4().constFirst());
    Project.ProjectDescription = ShortLines(lineBreak, 100'001);
    Open();
    QCoreApplication::processEvents();
    EXPECT_TRUE(DescriptionBox()->toPlainText().isEmpty());
    EXPECT_EQ(LastMessage(), notShown);
  }
  EXPECT_EQ(Messages().size(), 8u);
}

// Every character at which the box starts a line counts toward its most
// lines, however the text comes in: a paste far beyond them is cut to them
// at once, and neither Return nor Shift+Return (a line separator) passes
// them.
TEST_F(DescriptionDialogTest, EveryLineBreakCountsTowardTheMostLines) {
  Open();
  const QString most = ShortLines(QStringLiteral("\n"), 50'000);
  for (const QString& lineBreak : kLineBreaks) {
    SCOPED_TRACE(lineBreak.toUcs4().constFirst());
    DescriptionBox()->clear();
    const std::size_t shown = Messages().size();
    const double start = CpuSeconds();
    PasteAtCursor(ShortLines(lineBreak, 500'000));
    EXPECT_LT(CpuSeconds() - start, kCutPasteSeconds);
    EXPECT_TRUE(DescriptionBox()->toPlainText() == most);
    EXPECT_EQ(DescriptionBox()->document()->blockCount(), 50'000);
    ASSERT_EQ(Messages().size(), shown + 1);
    EXPECT_EQ(LastMessage(), QString::fromUtf8(kTooManyLines));
  }
  CursorAtEnd();
  for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ShiftModifier}) {
    QTest::keyClick(DescriptionBox(), Qt::Key_Return, modifiers);
    QCoreApplication::processEvents();
    EXPECT_TRUE(DescriptionBox()->toPlainText() == most);
  }
  EXPECT_EQ(Messages().size(), 9u);
  // Below the most, Shift+Return ends a line of its own.
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  QTest::keyClick(DescriptionBox(), Qt::Key_Return, Qt::ShiftModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(DescriptionBox()->document()->blockCount(), 50'000);
  EXPECT_EQ(Messages().size(), 9u);
}

// A line holds at most 4,096 characters: a longer line pasted or stored is
// shown as lines that fit, broken after a blank where it has one, and
// nothing of it is lost; a key into a full line is left out with a message,
// and a Backspace or Delete that would join two lines too long together
// keeps them apart, with a message that says nothing was left out.
TEST_F(DescriptionDialogTest, ALineHoldsAtMost4096CharactersAndNothingPastedIsLostToIt) {
  const QString words = QStringLiteral("ring 17, ").repeated(1000);
  Project.ProjectDescription = QStringLiteral("Tunnel T1\r\n") + words;
  Open();
  const QString shown = DescriptionBox()->toPlainText();
  EXPECT_TRUE(shown == QStringLiteral("Tunnel T1\n") + words.left(4095) + u'\n' + words.mid(4095, 4095) + u'\n' +
                           words.mid(8190));
  Press(description::kOk);
  EXPECT_TRUE(Project.ProjectDescription == QStringLiteral("Tunnel T1\r\n") + words);

  Open();
  DescriptionBox()->clear();
  PasteAtCursor(QStringLiteral("(") + words + u')');
  const QString pasted = DescriptionBox()->toPlainText();
  EXPECT_TRUE(QString(pasted).remove(u'\n') == QStringLiteral("(") + words + u')');
  EXPECT_EQ(pasted.count(u'\n'), 2);
  EXPECT_TRUE(pasted.section(u'\n', 0, 0).endsWith(u' '));
  EXPECT_TRUE(Messages().empty());

  DescriptionBox()->clear();
  PasteAtCursor(QString(4095, u'x'));
  KeysAtCursor(QStringLiteral("yz"));
  const QString full = QString(4095, u'x') + u'y';
  EXPECT_TRUE(DescriptionBox()->toPlainText() == full);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QString::fromUtf8(kLineTooLong));
  QTest::keyClick(DescriptionBox(), Qt::Key_Return);
  KeysAtCursor(QStringLiteral("abc"));
  QTest::keyClick(DescriptionBox(), Qt::Key_Home);
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  QCoreApplication::processEvents();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == full + QStringLiteral("\nabc"));
  ASSERT_EQ(Messages().size(), 2u);
  const QString notJoined = QString::fromUtf8(kLinesNotJoined);
  EXPECT_EQ(LastMessage(), notJoined);
  QTest::keyClick(DescriptionBox(), Qt::Key_Up);
  QTest::keyClick(DescriptionBox(), Qt::Key_End);
  QTest::keyClick(DescriptionBox(), Qt::Key_Delete);
  QCoreApplication::processEvents();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == full + QStringLiteral("\nabc"));
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(LastMessage(), notJoined);
}

// A description the box took at its limits comes back from the project
// file with its lines wrapped at 60 characters and a line end after the
// last: 61,001 lines, 1,052,000 characters with their line ends. Keys go
// in, and no line more.
TEST_F(DescriptionDialogTest, ASavedDescriptionStaysEditable) {
  Open();
  PasteAtCursor(ShortLines(QStringLiteral("\n"), 30'000) + (u'\n' + QString(62, u'w')).repeated(15'500));
  Press(description::kOk);
  SetProjectSignatures();
  ASSERT_TRUE(ReadProjectBytes(ProjectFileBytes(Project), QStringLiteral("saved.BNL"), Project).read);
  Open();
  CursorAtEnd();
  KeysAtCursor(QStringLiteral("x"));
  QTest::keyClick(DescriptionBox(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(DescriptionBox()->toPlainText().endsWith(QString(60, u'w') + QStringLiteral("\nww\nx")));
  EXPECT_EQ(DescriptionBox()->document()->blockCount(), 61'001);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QString::fromUtf8(kTooManyLines));
}

// The open dialog left alone costs next to nothing, its cursor blinking at
// the end of the longest line (Qt would lay the line out again at each
// blink).
TEST_F(DescriptionDialogTest, TheOpenDialogIdlesWithItsCursorBlinking) {
  Project.ProjectDescription = QString(kMaxDescriptionLength, u'x');
  DescriptionDialog* d = Open();
  d->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d));
  DescriptionBox()->setFocus();
  CursorAtEnd();
  QCoreApplication::processEvents();
  struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } count;
  DescriptionBox()->viewport()->installEventFilter(&count);
  QEventLoop idle;
  QTimer::singleShot(2000, &idle, &QEventLoop::quit);
  QElapsedTimer wall;
  wall.start();
  const double start = CpuSeconds();
  idle.exec();
  const double cpu = CpuSeconds() - start;
  EXPECT_GT(count.paints, 0);  // the cursor blinked
  EXPECT_LT(cpu / (static_cast<double>(wall.elapsed()) / 1000.0), 0.01);
}

TEST_F(DescriptionDialogTest, AProjectReadFromAFileKeepsItsUnits) {
  SetProjectSignatures();
  ProjectRecord source;
  source.InputUnits = UnitSystem::Imperial;
  source.ProjectDescription = QStringLiteral("from the file");
  ASSERT_TRUE(ReadProjectBytes(ProjectFileBytes(source), QStringLiteral("f.BNL"), Project).read);
  auto d = Open();
  EXPECT_TRUE(Units(0)->isChecked());
  EXPECT_TRUE(Units(0)->isEnabled());
  EXPECT_FALSE(Units(1)->isEnabled());
  d->close();
  EXPECT_EQ(Project.InputUnits, UnitSystem::Imperial);
}

TEST_F(DescriptionDialogTest, OkWithoutEditsKeepsTheTextAsStoredButMarksTheProjectModified) {
  // Text that the box shows differently: a final CR LF, a lone CR, a blank line.
  const QString stored = QStringLiteral("first\r\n\r\nsecond\rthird  \r\n");
  Project.ProjectDescription = stored;
  Project.Stress2D.Sy = 4.0f;
  Project.ProjectPath = QStringLiteral("/p/keep.BNL");
  Open();
  Press(description::kOk);
  EXPECT_EQ(Project.ProjectDescription, stored);
  EXPECT_EQ(Project.Stress2D.Sy, 4.0f);
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("/p/keep.BNL"));
  EXPECT_EQ(Project.InputUnits, UnitSystem::SI);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
  EXPECT_TRUE(Project.FileHoldsData);
  EXPECT_TRUE(History().endsWith(QStringLiteral("2. Project Description Modified\r\n")));
}

TEST_F(DescriptionDialogTest, CancelEscAndTheCloseBoxChangeNothing) {
  Project.ProjectDescription = QStringLiteral("original");
  const ProjectRecord before = Project;
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    auto d = Open();
    Keys(description::kDescription, QStringLiteral(" typed"));
    QTest::mouseClick(Units(0), Qt::LeftButton);
    if (way == 0) Press(description::kCancel);
    if (way == 1) QTest::keyClick(d, Qt::Key_Escape);
    if (way == 2) d->close();
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(d->IsAccepted());
    EXPECT_EQ(Project.ProjectDescription, QStringLiteral("original"));
    EXPECT_EQ(Project.InputUnits, before.InputUnits);
    EXPECT_EQ(Project.ProjectPath, before.ProjectPath);
    EXPECT_TRUE(Project.FileSaved);
    EXPECT_TRUE(Project.FileEmpty);
    EXPECT_FALSE(Project.FileHoldsData);
    EXPECT_TRUE(History().endsWith(QStringLiteral(". Project Description Not Modified\r\n")));
  }
  EXPECT_EQ(History().count(QStringLiteral("Not Modified")), 3);
}

TEST_F(DescriptionDialogTest, GreekHistoryLinesAndTheHelpHint) {
  EnglishMenus = false;
  auto d = Open();
  EXPECT_EQ(Text(description::kOk), QStringLiteral("OK"));  // the dialog has English captions only
  Press(description::kHelp);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().back().title, QStringLiteral("Help"));
  EXPECT_TRUE(d->isVisible());
  Press(description::kOk);
  d = Open();
  Press(description::kCancel);
  EXPECT_TRUE(History().contains(QStringLiteral("1. Τροποποίηση περιγραφής\r\n")));
  EXPECT_TRUE(History().contains(QStringLiteral(". Η περιγραφή τροποποιήθηκε\r\n")));
  EXPECT_TRUE(History().contains(QStringLiteral(". Η περιγραφή δεν τροποποιήθηκε\r\n")));
}

TEST_F(DescriptionDialogTest, OpensModallyForTheInputMenu) {
  QTimer::singleShot(0, [this] {
    if (auto* d = qobject_cast<DescriptionDialog*>(QApplication::activeModalWidget())) {
      Use(*d);
      Press(description::kOk);
    }
  });
  EXPECT_TRUE(forms::ShowModal<DescriptionDialog>(nullptr));
  EXPECT_TRUE(Project.FileHoldsData);
  QTimer::singleShot(0, [] {
    if (auto* d = qobject_cast<DescriptionDialog*>(QApplication::activeModalWidget())) d->close();
  });
  EXPECT_FALSE(forms::ShowModal<DescriptionDialog>(nullptr));
}

TEST_F(DescriptionDialogTest, RendersWithoutClippedCaptions) {
  Project.ProjectDescription = QStringLiteral(
      "Tunnel T1 at chainage 1+250: ground investigation, borehole BH-3\r\n"
      "Σήραγγα Τ1: γεωτεχνική έρευνα, γεώτρηση Γ-3\r\n");
  for (const bool english : {true, false}) {
    EnglishMenus = english;
    auto d = Open();
    // Each caption fits the width its control was given.
    for (QRadioButton* option : {Units(0), Units(1)})
      EXPECT_LE(option->sizeHint().width(), option->width()) << option->text().toStdString();
    for (const char* name : {description::kCancel, description::kOk, description::kHelp}) {
      auto* button = Control<QPushButton>(name);
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width());
    }
    auto* frame = Control<QGroupBox>(description::kUnitsFrame);
    EXPECT_LE(frame->fontMetrics().horizontalAdvance(frame->title()) + 16, frame->width());
    // Sixty characters of the fixed font fit in the box.
    EXPECT_LE(DescriptionBox()->fontMetrics().horizontalAdvance(QString(60, u'M')) + 30, DescriptionBox()->width());
    d->grab().save(QStringLiteral(BRANTEL_TEST_OUTPUT_DIR "/DescriptionDialog-%1.png")
                       .arg(english ? QStringLiteral("en") : QStringLiteral("el")));
    Press(description::kCancel);
  }
}

}  // namespace
}  // namespace brantel
