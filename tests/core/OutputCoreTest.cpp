#include "core/FileBrowsing.h"
#include "core/OutputBuffers.h"
#include "core/PrintFonts.h"
#include "core/RuntimeError.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>

namespace brantel {
namespace {

using test::CoreTest;

TEST(FilePattern, SplitsOnSemicolonsAndMatchesWithoutCase) {
  EXPECT_EQ(SplitFilePattern(QStringLiteral(" *.txt ; ;*.BNL")),
            (QStringList{QStringLiteral("*.txt"), QStringLiteral("*.BNL")}));
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("Report.TXT"), QStringLiteral("*.txt;*.bnl")));
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("a.bnl"), QStringLiteral("*.txt;*.BNL")));
  EXPECT_FALSE(MatchesFilePattern(QStringLiteral("a.bnlx"), QStringLiteral("*.bnl")));
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("data1.csv"), QStringLiteral("data?.csv")));
  EXPECT_FALSE(MatchesFilePattern(QStringLiteral("data12.csv"), QStringLiteral("data?.csv")));
  // Regular-expression characters in a pattern are plain characters.
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("a+b (1).txt"), QStringLiteral("a+b (1).*")));
  EXPECT_FALSE(MatchesFilePattern(QStringLiteral("aab (1).txt"), QStringLiteral("a+b (1).*")));
}

TEST(FilePattern, StarDotStarListsNamesWithoutADot) {
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("README"), QStringLiteral("*.*")));
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("a.b.c"), QStringLiteral("*.*")));
  EXPECT_TRUE(MatchesFilePattern(QStringLiteral("README"), QStringLiteral("*.")));
  EXPECT_FALSE(MatchesFilePattern(QStringLiteral("a.txt"), QStringLiteral("*.")));
}

TEST(FilePattern, ValidityOfPatterns) {
  EXPECT_TRUE(IsValidFilePattern(QStringLiteral("*.BNL")));
  EXPECT_TRUE(IsValidFilePattern(QStringLiteral("notes.txt;*.log")));
  EXPECT_FALSE(IsValidFilePattern(QString()));
  EXPECT_FALSE(IsValidFilePattern(QStringLiteral("  ; ")));
  EXPECT_FALSE(IsValidFilePattern(QStringLiteral("sub/*.txt")));
  EXPECT_FALSE(IsValidFilePattern(QStringLiteral("C:\\Data\\*.bnl")));
  EXPECT_FALSE(IsValidFilePattern(QStringLiteral("*.t\txt")));
}

class FileListing : public CoreTest {};

TEST_F(FileListing, ListsPlainFilesAndFoldersSortedWithoutCase) {
  const QString folder = Home() + QStringLiteral("/data");
  for (const char* name : {"b.TXT", "a.txt", "README", ".hidden.txt", "C.bnl"}) {
    WriteFile(folder + u'/' + QString::fromLatin1(name), "x");
  }
  QDir().mkpath(folder + QStringLiteral("/Zeta"));
  QDir().mkpath(folder + QStringLiteral("/alpha"));
  QDir().mkpath(folder + QStringLiteral("/.cache"));
  EXPECT_EQ(ListMatchingFiles(folder, QStringLiteral("*.txt")),
            (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.TXT")}));
  EXPECT_EQ(ListMatchingFiles(folder, QStringLiteral("*.*")),
            (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.TXT"), QStringLiteral("C.bnl"),
                         QStringLiteral("README")}));
  EXPECT_EQ(ListSubfolders(folder), (QStringList{QStringLiteral("alpha"), QStringLiteral("Zeta")}));
}

TEST_F(FileListing, MissingAndUnreadableFoldersRaiseTheirErrors) {
  try {
    ListSubfolders(Home() + QStringLiteral("/missing"));
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::PathNotFound);
  }
  if (!PermissionsApply()) GTEST_SKIP() << "the superuser reads every folder";
  const QString locked = Home() + QStringLiteral("/locked");
  QDir().mkpath(locked);
  QFile::setPermissions(locked, QFileDevice::WriteOwner);
  try {
    ListMatchingFiles(locked, QStringLiteral("*.*"));
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::PermissionDenied);
  }
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(FolderPaths, ChainFilePathAndDrive) {
  EXPECT_EQ(FolderChain(QStringLiteral("/home/ann/")),
            (QStringList{QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/home/ann")}));
  EXPECT_EQ(FolderChain(QStringLiteral("/")), QStringList{QStringLiteral("/")});
  EXPECT_EQ(BrowserFilePath(QStringLiteral("/"), QStringLiteral("a.txt")), QStringLiteral("/a.txt"));
  EXPECT_EQ(BrowserFilePath(QStringLiteral("/tmp"), QStringLiteral("a.txt")), QStringLiteral("/tmp/a.txt"));
  const QStringList drives{QStringLiteral("/"), QStringLiteral("/home/ann"), QStringLiteral("/home/ann/Documents")};
  EXPECT_EQ(DriveOfPath(QStringLiteral("/home/ann/Documents/x/"), drives), drives[2]);
  EXPECT_EQ(DriveOfPath(QStringLiteral("/home/ann/Doc"), drives), drives[1]);
  EXPECT_EQ(DriveOfPath(QStringLiteral("/home/annie"), drives), drives[0]);
}

TEST(BrowserTextLimits, CountLinesAsTheViewStartsThemAndNameTheLimit) {
  const QString path = QStringLiteral("/data/list.txt");
  // Every line ended, CR LF as one break: exactly the most lines.
  EXPECT_FALSE(RefuseUnshowableBrowserText(path, QString(kMaxBrowsedLines, u'\n')));
  EXPECT_FALSE(RefuseUnshowableBrowserText(path, QStringLiteral("ab\r\n").repeated(kMaxBrowsedLines)));
  // LF CR is two breaks, and a paragraph separator is one.
  for (const QString& over :
       {QString(kMaxBrowsedLines, u'\n') + u'x', QStringLiteral("a\n\r").repeated(kMaxBrowsedLines / 2 + 1),
        QStringLiteral("a\u2029").repeated(kMaxBrowsedLines) + u'b'}) {
    EXPECT_EQ(RefuseUnshowableBrowserText(path, over).value_or(RuntimeError(ErrorNumber{})).Number(),
              ErrorNumber::PathFileAccess);
  }
  EXPECT_EQ(RefuseUnshowableBrowserText(path, QString(kMaxBrowsedLines * 2, u'\r'))->Description(),
            QStringLiteral("Cannot show the file \"/data/list.txt\": it has too many lines to browse: 200000 lines "
                           "(the browser shows files of at most 100000 lines)"));

  // The longest line, its break not counted, at the end of the text too.
  const QString longest(kMaxBrowsedLineLength, u'x');
  EXPECT_FALSE(RefuseUnshowableBrowserText(path, longest + QStringLiteral("\r\n") + longest));
  const std::optional<RuntimeError> tooLong =
      RefuseUnshowableBrowserText(path, QStringLiteral("a\r\n\r") + longest + QStringLiteral("yz\n") + longest + u'!');
  ASSERT_TRUE(tooLong);
  EXPECT_EQ(tooLong->Description(),
            QStringLiteral("Cannot show the file \"/data/list.txt\": its line 3 is too long to browse: 4098 characters "
                           "(the browser shows lines of at most 4096 characters)"));
  EXPECT_TRUE(RefuseUnshowableBrowserText(path, longest + u'!'));
}

// Every character at which the view starts a line ends one, and no other;
// a character outside the basic plane (an emoji) is one character.
TEST(BrowserTextLimits, EveryLineBreakOfTheViewEndsALineAndAnEmojiIsOneCharacter) {
  const QString path = QStringLiteral("/data/list.txt");
  for (const char16_t lineBreak : {u'\n', u'\r', u'\u2028', u'\u2029', u'\ufdd0', u'\ufdd1'}) {
    SCOPED_TRACE(static_cast<int>(lineBreak));
    const QString most = (QStringLiteral("ab") + QChar(lineBreak)).repeated(kMaxBrowsedLines);
    EXPECT_FALSE(RefuseUnshowableBrowserText(path, most));
    EXPECT_TRUE(RefuseUnshowableBrowserText(path, most + u'c'));
  }
  // A vertical tab, a form feed and a NEL are characters of their line.
  const QString notBreaks = QStringLiteral("\v\f\u0085x").repeated(kMaxBrowsedLineLength / 4);
  EXPECT_FALSE(RefuseUnshowableBrowserText(path, notBreaks));
  EXPECT_TRUE(RefuseUnshowableBrowserText(path, notBreaks + u'x'));

  const QString emoji = QString::fromUtf8("\U0001F600");
  EXPECT_FALSE(RefuseUnshowableBrowserText(path, emoji.repeated(kMaxBrowsedLineLength)));
  EXPECT_EQ(RefuseUnshowableBrowserText(path, QStringLiteral("x\u2028") + emoji.repeated(kMaxBrowsedLineLength + 1))
                ->Description(),
            QStringLiteral("Cannot show the file \"/data/list.txt\": its line 2 is too long to browse: 4097 characters "
                           "(the browser shows lines of at most 4096 characters)"));

  // The view's own text: every break one LF, nothing else changed.
  QString text = QStringLiteral("a\r\nb\rc\u2028d\u2029e\ufdd0f\ufdd1g\n\r\vh") + emoji;
  MakeLineBreaksLineFeeds(text);
  EXPECT_EQ(text, QStringLiteral("a\nb\nc\nd\ne\nf\ng\n\n\vh") + emoji);
}

TEST(PrintFonts, FixedFontFollowsThePreferenceThenTheFirstFont) {
  EXPECT_EQ(FixedFontName({QStringLiteral("Mono"), QStringLiteral("ARIAL"), QStringLiteral("courier")}),
            QStringLiteral("courier"));
  EXPECT_EQ(FixedFontName({QStringLiteral("Mono"), QStringLiteral("Sans")}), QStringLiteral("Mono"));
  QFont font(QStringLiteral("Serif"), 14);
  font.setBold(true);
  font.setItalic(true);
  font.setUnderline(true);
  font.setStrikeOut(true);
  SetObjectFont(font);
  EXPECT_FALSE(font.bold() || font.italic() || font.underline() || font.strikeOut());
  EXPECT_EQ(font.pointSizeF(), 9.0);
  EXPECT_EQ(font.family(), FixedFontName());
  // Without the preferred fonts, the desktop's fixed-pitch font prints.
  EXPECT_TRUE(QFontInfo(font).fixedPitch() || FixedFontName().contains(QStringLiteral("Arial")));
}

TEST(OutputBuffers, JoinsPagesWithoutSeparator) {
  OutBuf[0] = QStringLiteral("a\r\n");
  OutBuf[1] = QStringLiteral("b\r\n");
  EXPECT_EQ(JoinOutBuf(0, 1), QStringLiteral("a\r\nb\r\n"));
  EXPECT_EQ(JoinOutBuf(1, 1), QStringLiteral("b\r\n"));
  EXPECT_EQ(JoinOutBuf(0, 5), QStringLiteral("a\r\nb\r\n"));
  EXPECT_TRUE(JoinOutBuf(2, 5).isEmpty());
}

}  // namespace
}  // namespace brantel
