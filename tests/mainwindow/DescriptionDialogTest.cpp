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
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

namespace brantel {
namespace {

class DescriptionDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    DefaultUnits = 1;
    bool rename = true, units = true;
    FileNew(rename, units);
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

// Lines of 63 characters with their line ends, and a last line that makes
// the text `length` characters long.
QString LinesOfLength(qsizetype length) {
  QString text;
  text.reserve(length);
  while (text.size() + 64 <= length) text += QString(63, u'a') + u'\n';
  text += QString(length - text.size(), u'b');
  return text;
}

constexpr char kLeftOut[] =
    "The project description holds at most 1,048,576 characters: what was typed or pasted beyond that was left out.";

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

  EXPECT_EQ(Project.InputUnits, 0);
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.BoltDiameter, 22.0f);
  EXPECT_EQ(Project.CoulombPrincipal.S1, 5.0f);
  EXPECT_EQ(Project.ProjectDescription, QStringLiteral("Line one\r\nΓραμμή δύο"));
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);
  EXPECT_EQ(Project.FileHoldsData, kFlagTrue);
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

TEST_F(DescriptionDialogTest, TheBoxTakesAtMostItsLimitAndSaysWhatWasLeftOut) {
  const qsizetype limit = kMaxDescriptionLength;
  Open();
  const QString start = LinesOfLength(limit - 5);
  PasteAtCursor(start);
  EXPECT_EQ(DescriptionBox()->toPlainText().size(), limit - 5);
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
  EXPECT_EQ(Project.ProjectDescription.size(), limit + expected.count(u'\n'));
  EXPECT_TRUE(Project.ProjectDescription == QString(expected).replace(u'\n', QStringLiteral("\r\n")));
}

TEST_F(DescriptionDialogTest, ALongerStoredDescriptionStaysWholeAndMayOnlyShrink) {
  EnglishMenus = false;
  const qsizetype stored = kMaxDescriptionLength + 100;
  const QString text = LinesOfLength(stored);
  Project.ProjectDescription = QString(text).replace(u'\n', QStringLiteral("\r\n"));
  Open();
  EXPECT_TRUE(DescriptionBox()->toPlainText() == text);
  EXPECT_TRUE(Messages().empty());

  // Shortened by two, it takes two characters again, and no more.
  CursorAtEnd();
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  QTest::keyClick(DescriptionBox(), Qt::Key_Backspace);
  KeysAtCursor(QStringLiteral("xyz"));
  EXPECT_EQ(DescriptionBox()->toPlainText().size(), stored);
  EXPECT_TRUE(DescriptionBox()->toPlainText().endsWith(QStringLiteral("bbbxy")));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Η περιγραφή του έργου χωρά το πολύ 1.048.576 χαρακτήρες: ό,τι "
                                          "πληκτρολογήθηκε ή επικολλήθηκε πέρα από αυτό παραλείφθηκε."));
  Press(description::kCancel);
  EXPECT_TRUE(Project.ProjectDescription == QString(text).replace(u'\n', QStringLiteral("\r\n")));
}

TEST_F(DescriptionDialogTest, AProjectReadFromAFileKeepsItsUnits) {
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = QStringLiteral("BRANTEL_%1").arg(100 + k);
  ProjectRecord source;
  source.InputUnits = 0;
  source.ProjectDescription = QStringLiteral("from the file");
  ASSERT_TRUE(ReadProjectBytes(ProjectFileBytes(source), QStringLiteral("f.BNL"), Project).read);
  auto d = Open();
  EXPECT_TRUE(Units(0)->isChecked());
  EXPECT_TRUE(Units(0)->isEnabled());
  EXPECT_FALSE(Units(1)->isEnabled());
  d->close();
  EXPECT_EQ(Project.InputUnits, 0);
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
  EXPECT_EQ(Project.InputUnits, 1);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);
  EXPECT_EQ(Project.FileHoldsData, kFlagTrue);
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
    EXPECT_EQ(Project.FileSaved, kFlagTrue);
    EXPECT_EQ(Project.FileEmpty, kFlagTrue);
    EXPECT_EQ(Project.FileHoldsData, kFlagFalse);
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
  EXPECT_EQ(Project.FileHoldsData, kFlagTrue);
  QTimer::singleShot(0, [] {
    if (auto* d = qobject_cast<DescriptionDialog*>(QApplication::activeModalWidget())) d->close();
  });
  EXPECT_FALSE(forms::ShowModal<DescriptionDialog>(nullptr));
}

TEST_F(DescriptionDialogTest, RendersWithoutClippedCaptions) {
  Project.ProjectDescription = QStringLiteral(
      "Tunnel T1 at chainage 1+250: ground investigation, borehole BH-3\r\n"
      "Σήραγγα Τ1: γεωτεχνική έρευνα, γεώτρηση Γ-3\r\n");
  for (int english : {1, 0}) {
    EnglishMenus = english == 1;
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
