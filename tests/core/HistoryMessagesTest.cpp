#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "support/TestEnvironment.h"

#include <QSignalSpy>

namespace brantel {
namespace {

using test::CoreTest;

class HistoryTest : public CoreTest {};

TEST_F(HistoryTest, LinesAreNumberedAndWrapAfter16384) {
  AddHistoryLine(QStringLiteral("first"));
  AddHistoryLine(QStringLiteral("second"));
  EXPECT_EQ(History(), QStringLiteral("1. first\r\n2. second\r\n"));
  HistoryCounter = 16384;
  AddHistoryLine(QStringLiteral("wrapped"));
  EXPECT_TRUE(History().endsWith(QStringLiteral("\r\n1. wrapped\r\n")));
  EXPECT_EQ(HistoryCounter, 1);
}

TEST_F(HistoryTest, HistoryOffAppendsNothingButStillMovesTheCaret) {
  AddHistoryLine(QStringLiteral("on"));
  HistoryShown = false;
  QSignalSpy changed(&HistoryLog::Instance(), &HistoryLog::Changed);
  AddHistoryLine(QStringLiteral("off"));
  EXPECT_EQ(History(), QStringLiteral("1. on\r\n"));
  EXPECT_EQ(HistoryCounter, 1);
  EXPECT_EQ(changed.count(), 1);
}

TEST_F(HistoryTest, AFullPaneKeepsItsLastTwoLines) {
  HistoryMaxCharacters = 4096;
  const QString body(410, u'x');
  for (int i = 0; i < 10; ++i) AddHistoryLine(body);  // 10 lines of about 415 characters
  ASSERT_GE(History().size(), 4096);
  AddHistoryLine(QStringLiteral("new"));
  EXPECT_EQ(History(),
            QStringLiteral("9. ") + body + QStringLiteral("\r\n10. ") + body + QStringLiteral("\r\n11. new\r\n"));
}

TEST_F(HistoryTest, TheLimitCountsCrLfAsTwoCharacters) {
  HistoryMaxCharacters = 4096;
  // Lines "n. " + text + CR LF; pad the last so the pane holds exactly 4095.
  for (int i = 1; i <= 3; ++i) AddHistoryLine(QString(1000, u'a'));
  const qsizetype used = History().size();
  AddHistoryLine(QString(4095 - used - 5, u'b'));  // "4. " and CR LF are 5
  ASSERT_EQ(History().size(), 4095);
  AddHistoryLine(QStringLiteral("x"));  // below the limit: nothing dropped
  EXPECT_TRUE(History().startsWith(QStringLiteral("1. ")));
  AddHistoryLine(QStringLiteral("y"));  // now at or over the limit
  EXPECT_TRUE(History().startsWith(QStringLiteral("4. ")));
  EXPECT_EQ(History().count(QStringLiteral("\r\n")), 3);
}

TEST_F(HistoryTest, AFullPaneWithTwoLinesIsNotTrimmed) {
  HistoryMaxCharacters = 4096;
  AddHistoryLine(QString(3000, u'a'));
  AddHistoryLine(QString(2000, u'b'));
  AddHistoryLine(QStringLiteral("c"));
  EXPECT_EQ(History().count(QStringLiteral("\r\n")), 3);
  EXPECT_TRUE(History().startsWith(QStringLiteral("1. ")));
}

TEST_F(HistoryTest, ClearingKeepsTheNumbering) {
  AddHistoryLine(QStringLiteral("a"));
  HistoryLog::Instance().Clear();
  AddHistoryLine(QStringLiteral("b"));
  EXPECT_EQ(History(), QStringLiteral("2. b\r\n"));
}

class MessagesTest : public CoreTest {};

TEST_F(MessagesTest, ShowMsgLogsTheTitleOrMessage) {
  ShowMsg(QStringLiteral("Read the manual"), Icon::Warning, QStringLiteral("Help"));
  EXPECT_EQ(History(), QStringLiteral("1. Help: Read the manual\r\n"));
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Help"));
  EXPECT_EQ(boxes_->Last().style, Icon::Warning);

  ShowMsg(QStringLiteral("No title"), Buttons::Ok, QString());
  EXPECT_TRUE(History().endsWith(QStringLiteral("2. Message: No title\r\n")));
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
}

// A message title that SetMessageTitles has not set yet shows the
// application title, and holds it from then on; any other empty title stays
// as it is.
TEST_F(MessagesTest, AnEmptyMessageTitleTakesTheApplicationTitle) {
  ASSERT_TRUE(RangeErrorTitle.isEmpty());
  ShowMsg(QStringLiteral("x"), Buttons::Ok, RangeErrorTitle);
  ShowMsg(QStringLiteral("y"), Buttons::Ok, RangeErrorTitle);
  EXPECT_EQ(RangeErrorTitle, QStringLiteral("Brantel"));
  EXPECT_TRUE(ErrorTitle.isEmpty());
  EXPECT_EQ(History(), QStringLiteral("1. Message: x\r\n2. Brantel: y\r\n"));
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
  AppTitle.clear();
  ShowMsg(QStringLiteral("z"), Buttons::Ok, QString());
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("brantel-tests"));
  EXPECT_TRUE(AppTitle.isEmpty());
}

TEST_F(MessagesTest, ShowMsgAnswersWithThePressedButton) {
  boxes_->Answer(Answer::Retry);
  EXPECT_EQ(ShowMsg(QStringLiteral("?"), Buttons::RetryCancel, QStringLiteral("T")), Answer::Retry);
  EXPECT_EQ(ShowMsg(QStringLiteral("?"), Buttons::RetryCancel, QStringLiteral("T")), Answer::Cancel);
}

TEST_F(MessagesTest, InvalidValueInBothLanguages) {
  EXPECT_EQ(ShowInvalidValue({"sx", "σx"}, true), Answer::Ok);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid value for sx"));
  EXPECT_EQ(boxes_->Last().style, BoxStyle{});
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
  EXPECT_TRUE(History().endsWith(QStringLiteral("Message: Invalid value for sx\r\n")));

  ShowInvalidValue({nullptr, "σx"}, true);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid value for σx"));

  EnglishMenus = false;
  ShowInvalidValue({"sx", "σx"}, true);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Εσφαλμένη τιμή για το σx"));
  ShowInvalidValue({"Invalid distance", "Άκυρη απόσταση"}, false);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Άκυρη απόσταση"));
}

TEST_F(MessagesTest, ABilingualTextInEitherLanguage) {
  const Bilingual results{"Results", "Αποτελέσματα"};
  EXPECT_EQ(Tr(results), QStringLiteral("Results"));
  EXPECT_EQ(results.In(false), QStringLiteral("Αποτελέσματα"));
  EXPECT_EQ(Tr(Bilingual{nullptr, "σx"}), QStringLiteral("σx"));  // no English: the Greek text
  EXPECT_EQ(Tr(Bilingual{}), QString());
  EXPECT_TRUE(ProgramInEnglish());
  EnglishMenus = false;
  EXPECT_FALSE(ProgramInEnglish());
  EXPECT_EQ(Tr(results), QStringLiteral("Αποτελέσματα"));
  EXPECT_EQ(results.In(true), QStringLiteral("Results"));
  // Only 1 in the settings file is English; any other value there is Greek.
  for (const char* stored : {"-1", "2", "English"}) {
    EnglishMenus = true;
    ReadAllSettings(
        IniDocument::FromText(QStringLiteral("[BrantelOptions]\nEnglishMenus=") + QString::fromLatin1(stored) + u'\n'));
    EXPECT_FALSE(ProgramInEnglish()) << stored;
  }
  EXPECT_EQ(Tr(results), QStringLiteral("Αποτελέσματα"));
}

TEST_F(MessagesTest, TitlesBehindADialogsPrefix) {
  SetMessageTitles(TitlePrefix::ProgramOptions);
  EXPECT_EQ(MsgTitle, QStringLiteral("Message"));
  EXPECT_EQ(RangeErrorTitle, QStringLiteral("Program Options: Range Error"));
  EXPECT_EQ(RangeWarningTitle, QStringLiteral("Program Options: Range Warning"));
  EXPECT_EQ(InvalidCharTitle, QStringLiteral("Program Options: Invalid Character"));
  EXPECT_EQ(ErrorTitle, QStringLiteral("Program Options: Error"));
  EXPECT_EQ(LogicErrorTitle, QStringLiteral("Program Options: Logic Error"));
  SetMessageTitles(TitlePrefix::ProjectDescription);
  EXPECT_EQ(ErrorTitle, QStringLiteral("Project Description: Error"));
  SetMessageTitles(TitlePrefix::Unnamed);
  EXPECT_EQ(RangeErrorTitle, QStringLiteral("Range Error"));
}

TEST_F(MessagesTest, WithoutAHandlerTheSafeAnswerIsGiven) {
  boxes_.reset();
  const MessageBoxHandler saved = SetMessageBoxHandler(nullptr);
  EXPECT_EQ(ShowMessageBox(QStringLiteral("x"), Buttons::Ok, QString()), Answer::Ok);
  EXPECT_EQ(ShowMessageBox(QStringLiteral("x"), Buttons::RetryCancel, QString()), Answer::Cancel);
  EXPECT_EQ(ShowMessageBox(QStringLiteral("x"), Buttons::YesNoCancel, QString()), Answer::Cancel);
  EXPECT_EQ(ShowMessageBox(QStringLiteral("x"), Buttons::YesNo, QString()), Answer::No);
  SetMessageBoxHandler(saved);
}

TEST(ShownText, EscapesWhatAMessageMustNotShowAndCutsLongTexts) {
  const QString greek = QStringLiteral("Πυλώνας Α");
  const QString bomb = QString::fromUtf8("\xF0\x9F\x92\xA3");  // one character, two UTF-16 units
  struct Case {
    QString text;
    qsizetype max;
    QString shown;
  };
  const Case cases[] = {
      {QStringLiteral("plain / text"), 40, QStringLiteral("plain / text")},
      {greek, 40, greek},
      {QStringLiteral("a\r\nb\tc") + QChar(0) + u'd', 40, QStringLiteral("a\\r\\nb\\tc\\0d")},
      {QStringLiteral("\x1B[2J\x07\x7F") + QChar(0x85), 40, QStringLiteral("\\x1B[2J\\x07\\x7F\\x85")},
      // Characters that turn text round or hide it.
      {QStringLiteral("abc") + QChar(0x202E) + QChar(0x2028) + QChar(0x200B), 40,
       QStringLiteral("abc\\u{202E}\\u{2028}\\u{200B}")},
      {QString(QChar(0xD800)) + u'x', 40, QStringLiteral("\\u{D800}x")},
      // Exactly the limit stays whole; one more is cut with "...".
      {QString(10, u'x'), 10, QString(10, u'x')},
      {QString(11, u'x'), 10, QString(10, u'x') + QStringLiteral("...")},
      // An escape that would pass the limit is left out whole, and so is a
      // character of two UTF-16 units.
      {QStringLiteral("123456789\n"), 10, QStringLiteral("123456789...")},
      {QStringLiteral("123456789") + bomb, 10, QStringLiteral("123456789...")},
      {QStringLiteral("12345678") + bomb, 10, QStringLiteral("12345678") + bomb},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShownText(c.text, c.max), c.shown) << c.text.toStdString();
  }
  EXPECT_EQ(QuotedText(QString(50, u'9')), u'"' + QString(40, u'9') + QStringLiteral("...\""));
}

}  // namespace
}  // namespace brantel
