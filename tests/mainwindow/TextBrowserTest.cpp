#include "PdfPrinting.h"

#include "core/FileBrowsing.h"
#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/platform/Launcher.h"
#include "mainwindow/TextBrowser.h"
#include "platform/CommonDialogs.h"
#include "support/Renders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <sys/stat.h>

namespace brantel {
namespace {

using test::PrintTest;

class TextBrowserTest : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    data_ = Documents() + QStringLiteral("/MyBrantel/Data");
    WriteFile(data_ + QStringLiteral("/Tunnel.BNL"), "BRANTEL_110\r\n");
    WriteFile(data_ + QStringLiteral("/notes.txt"), "first\nsecond\n");
    WriteFile(data_ + QStringLiteral("/README"), "no extension");
    DataPath = data_ + u'/';
    UserFolder = Documents() + QStringLiteral("/MyBrantel/");
    UserTempFolder = UserFolder + QStringLiteral("Temp/");
    QDir().mkpath(UserTempFolder);
    BrowseLastDir.clear();
    platform::SetLauncherHandlers({
        [this](const QString& program, const QStringList& arguments) {
          started_.append(QStringList{program} + arguments);
          return true;
        },
        [this](const QUrl& url) {
          opened_.append(url);
          return openAnswer_;
        },
    });
  }
  void TearDown() override {
    platform::SetLauncherHandlers({});
    PrintTest::TearDown();
  }
  QString PatternBox() const { return Text(textbrowser::kPattern); }
  void ViewExternally(TextBrowser& browser, const QString& name) {
    Press(textbrowser::kUseExternalViewer);
    ASSERT_TRUE(browser.SelectFile(name));
    browser.OnFileChosen();
  }

  QString data_;
  QList<QStringList> started_;
  QList<QUrl> opened_;
  bool openAnswer_ = true;
};

TEST_F(TextBrowserTest, FirstOpeningShowsProjectFilesOfTheDataFolder) {
  TextBrowser& browser = Open<TextBrowser>();
  EXPECT_EQ(PatternBox(), QStringLiteral("*.BNL"));
  EXPECT_EQ(browser.CurrentFolder(), data_);
  EXPECT_EQ(browser.ListedFiles(), QStringList{QStringLiteral("Tunnel.BNL")});
  EXPECT_EQ(Control<QComboBox>(textbrowser::kDrive)->currentText(), Documents());
  EXPECT_EQ(browser.windowTitle(), QStringLiteral("View Source Files"));

  // Typing narrows the list at once; the text file opens in the view.
  QLineEdit* pattern = Control<QLineEdit>(textbrowser::kPattern);
  pattern->setText(QStringLiteral("*.TXT;*.bnl"));
  EXPECT_EQ(browser.ListedFiles(), (QStringList{QStringLiteral("notes.txt"), QStringLiteral("Tunnel.BNL")}));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("notes.txt")));
  QTest::keyClick(Control<QWidget>(textbrowser::kFiles), Qt::Key_Return);
  EXPECT_EQ(Control<QPlainTextEdit>(textbrowser::kView)->toPlainText(), QStringLiteral("first\nsecond\n"));
  EXPECT_EQ(Control<QLabel>(textbrowser::kCurrentFile)->text(), data_ + QStringLiteral("/notes.txt"));
  EXPECT_TRUE(started_.isEmpty() && opened_.isEmpty());

  // Each of CR LF, CR and LF ends one line.
  WriteFile(data_ + QStringLiteral("/dos.txt"), "a\r\nb\rc\n\r\nd");
  pattern->setText(QStringLiteral("*.txt"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("dos.txt")));
  browser.OnFileChosen();
  EXPECT_EQ(Control<QPlainTextEdit>(textbrowser::kView)->toPlainText(), QStringLiteral("a\nb\nc\n\nd"));
  test::SaveRender(browser, QStringLiteral("text-browser-file"));
}

TEST_F(TextBrowserTest, StarDotStarListsFilesWithoutAnExtension) {
  TextBrowser& browser = Open<TextBrowser>();
  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.*"));
  EXPECT_EQ(browser.ListedFiles(),
            (QStringList{QStringLiteral("notes.txt"), QStringLiteral("README"), QStringLiteral("Tunnel.BNL")}));
}

TEST_F(TextBrowserTest, RemembersFolderForTheRunAndPatternInTheSettings) {
  const QString other = data_ + QStringLiteral("/Old");
  WriteFile(other + QStringLiteral("/a.log"), "x");
  {
    TextBrowser& browser = Open<TextBrowser>();
    browser.OpenFolder(other);
    EXPECT_EQ(browser.CurrentFolder(), other);
    Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.log"));
    EXPECT_EQ(browser.ListedFiles(), QStringList{QStringLiteral("a.log")});
    Press(textbrowser::kOk);
  }
  EXPECT_EQ(BrowseLastDir, other + u'/');
  IniDocument ini;
  ASSERT_TRUE(ini.Load(SettingsIniPath));
  EXPECT_EQ(ini.Value(QStringLiteral("TextBrowse"), QStringLiteral("BrowseDefaultFilter")).value_or(QString()),
            QStringLiteral("*.log"));

  TextBrowser& again = Open<TextBrowser>();
  EXPECT_EQ(again.CurrentFolder(), other);
  EXPECT_EQ(PatternBox(), QStringLiteral("*.log"));

  // A folder of the last visit that has gone since gives way to the data folder.
  QDir(other).removeRecursively();
  TextBrowser& gone = Open<TextBrowser>();
  EXPECT_EQ(gone.CurrentFolder(), data_);
  EXPECT_TRUE(boxes_->Shown().empty());

  // After a restart the data folder shows again, with the stored pattern.
  BrowseLastDir.clear();
  TextBrowser& restarted = Open<TextBrowser>();
  EXPECT_EQ(restarted.CurrentFolder(), data_);
  EXPECT_EQ(PatternBox(), QStringLiteral("*.log"));
}

TEST_F(TextBrowserTest, BadPatternTypedOrSavedShowsEveryFile) {
  {
    TextBrowser& browser = Open<TextBrowser>();
    Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("sub/*.txt"));
    EXPECT_EQ(browser.FilePattern(), QStringLiteral("*.*"));
    EXPECT_EQ(browser.ListedFiles().size(), 3);
    browser.close();  // the close box saves like OK
  }
  EXPECT_EQ(BrowseDefaultFilter, QStringLiteral("sub/*.txt"));
  TextBrowser& reopened = Open<TextBrowser>();
  EXPECT_EQ(PatternBox(), QStringLiteral("*.*"));
  EXPECT_EQ(reopened.ListedFiles().size(), 3);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(TextBrowserTest, ExternalViewerGetsTheScratchCopyAsOneArgument) {
  const QString viewer = Home() + QStringLiteral("/my viewer; rm -rf x");
  WriteFile(viewer, "#!/bin/sh\n");
  QFile::setPermissions(viewer, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  ExternalViewer = viewer;
  TextBrowser& browser = Open<TextBrowser>();
  EXPECT_TRUE(Control<QWidget>(textbrowser::kSetFont)->isEnabled());
  ViewExternally(browser, QStringLiteral("Tunnel.BNL"));
  EXPECT_FALSE(Control<QWidget>(textbrowser::kSetFont)->isEnabled());
  ASSERT_EQ(started_.size(), 1);
  ASSERT_EQ(started_[0].size(), 2);
  EXPECT_EQ(started_[0][0], viewer);
  EXPECT_EQ(ReadFile(started_[0][1]), QByteArray("BRANTEL_110\r\n"));
  EXPECT_TRUE(opened_.isEmpty());
}

TEST_F(TextBrowserTest, EachExternalViewGetsANewCopyThatNoPlantedLinkRedirects) {
  ExternalViewer = QStringLiteral("Notepad.exe");
  // A link at the name the copy once had, pointing at a file of the user's.
  const QString precious = WriteFile(Home() + QStringLiteral("/precious.txt"), "keep me");
  ASSERT_TRUE(QFile::link(precious, UserTempFolder + QStringLiteral("~tmpbr.tmp")));
  TextBrowser& browser = Open<TextBrowser>();
  ViewExternally(browser, QStringLiteral("Tunnel.BNL"));
  browser.OnFileChosen();
  ASSERT_EQ(opened_.size(), 2);
  EXPECT_EQ(ReadFile(precious), QByteArray("keep me"));
  const QString first = opened_[0].toLocalFile(), second = opened_[1].toLocalFile();
  EXPECT_NE(first, second);
  for (const QString& copy : {first, second}) {
    const QFileInfo info(copy);
    EXPECT_EQ(info.absolutePath() + u'/', UserTempFolder);
    EXPECT_TRUE(info.fileName().startsWith(QStringLiteral("~tmpbr-")) &&
                info.fileName().endsWith(QStringLiteral(".tmp")));
    EXPECT_FALSE(info.isSymLink());
    EXPECT_EQ(ReadFile(copy), QByteArray("BRANTEL_110\r\n"));
  }
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(TextBrowserTest, MissingViewerFallsBackToTheDesktop) {
  for (const QString& viewer : {QStringLiteral("Notepad.exe"), QStringLiteral("/no/such/viewer")}) {
    ExternalViewer = viewer;
    opened_.clear();
    TextBrowser& browser = Open<TextBrowser>();
    ViewExternally(browser, QStringLiteral("Tunnel.BNL"));
    EXPECT_TRUE(started_.isEmpty());
    ASSERT_EQ(opened_.size(), 1);
    EXPECT_TRUE(opened_[0].toLocalFile().startsWith(UserTempFolder + QStringLiteral("~tmpbr-")));
  }
  // Nothing opened it: the message names the viewer.
  openAnswer_ = false;
  TextBrowser& browser = Open<TextBrowser>();
  ViewExternally(browser, QStringLiteral("Tunnel.BNL"));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Shell operation failed. Check status of External Viewer: /no/such/viewer"));
}

TEST_F(TextBrowserTest, FailedScratchCopyStartsNoViewer) {
  UserTempFolder = Home() + QStringLiteral("/no/such/folder/");
  TextBrowser& browser = Open<TextBrowser>();
  ViewExternally(browser, QStringLiteral("Tunnel.BNL"));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("File I/O problem with TMP file: ")));
  EXPECT_TRUE(started_.isEmpty() && opened_.isEmpty());
}

TEST_F(TextBrowserTest, AFileThatBecameAPipeIsRefusedInsteadOfWaitedFor) {
  TextBrowser& browser = Open<TextBrowser>();
  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.txt"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("notes.txt")));
  // Listed as a file, then replaced by a pipe with no writer: reading it
  // would wait for ever, in the view and in the external viewer's copy.
  const QString path = data_ + QStringLiteral("/notes.txt");
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
  browser.OnFileChosen();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("pipe"))) << boxes_->Last().prompt.toStdString();
  EXPECT_TRUE(Text(textbrowser::kCurrentFile).isEmpty());  // the view shows no file yet
  ViewExternally(browser, QStringLiteral("notes.txt"));
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("Requested File not found: ")));
  EXPECT_TRUE(started_.isEmpty() && opened_.isEmpty());
}

TEST_F(TextBrowserTest, AFileTooLargeForAListingIsRefusedBeforeAnyRead) {
  // Sparse files: a size that costs neither disk nor time to make.
  const auto sparse = [this](const QString& name, qint64 size) {
    const QString path = data_ + u'/' + name;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(file.resize(size));
    return path;
  };
  const QString atLimit = sparse(QStringLiteral("limit.txt"), kMaxBrowsedFileBytes);
  const QString above = sparse(QStringLiteral("above.txt"), kMaxBrowsedFileBytes + 1);
  const QString huge = sparse(QStringLiteral("huge.txt"), qint64{8} * 1024 * 1024 * 1024);
  EXPECT_FALSE(RefuseOversizedBrowserFile(atLimit));
  EXPECT_FALSE(RefuseOversizedBrowserFile(data_ + QStringLiteral("/gone.txt")));
  EXPECT_FALSE(RefuseOversizedBrowserFile(data_));
  const std::optional<RuntimeError> refused = RefuseOversizedBrowserFile(above);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->Number(), ErrorNumber::PathFileAccess);
  // Rounded up: just above the limit never reads as the limit.
  EXPECT_EQ(refused->Description(), QStringLiteral("Cannot show the file \"") + above +
                                        QStringLiteral("\": it is too large to browse: 32.1 MB (the browser shows "
                                                       "files of at most 32 MB)"));

  TextBrowser& browser = Open<TextBrowser>();
  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.txt"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("notes.txt")));
  browser.OnFileChosen();
  const QString shown = Text(textbrowser::kView);
  ASSERT_EQ(shown, QStringLiteral("first\nsecond\n"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("huge.txt")));
  browser.OnFileChosen();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Cannot show the file \"") + huge +
                                       QStringLiteral("\": it is too large to browse: 8192.0 MB (the browser shows "
                                                      "files of at most 32 MB) (75). Procedure Terminated"));
  // The view, and "Current file", keep the file shown.
  EXPECT_EQ(Text(textbrowser::kView), shown);
  const QString notes = data_ + QStringLiteral("/notes.txt");
  EXPECT_EQ(Text(textbrowser::kCurrentFile), notes);

  // Nor is a copy made for the external viewer.
  ViewExternally(browser, QStringLiteral("above.txt"));
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("32.1 MB")));
  EXPECT_TRUE(QDir(UserTempFolder).isEmpty());
  EXPECT_TRUE(started_.isEmpty() && opened_.isEmpty());
  EXPECT_EQ(Text(textbrowser::kCurrentFile), notes);
}

TEST_F(TextBrowserTest, AFileThatHoldsMoreThanItsSizeSaysIsReadNoFurtherThanTheLimit) {
  // A file of the system that says it is empty and never ends.
  const QString endless = data_ + QStringLiteral("/endless.txt");
  ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/pagemap"), endless));
  const QString said = QStringLiteral("Error occurred: Cannot show the file \"") + endless +
                       QStringLiteral(
                           "\": it is too large to browse: more than 32 MB (the browser shows files of "
                           "at most 32 MB) (75). Procedure Terminated");
  TextBrowser& browser = Open<TextBrowser>();
  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.txt"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("notes.txt")));
  browser.OnFileChosen();
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("endless.txt")));
  browser.OnFileChosen();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, said);
  EXPECT_EQ(Text(textbrowser::kView), QStringLiteral("first\nsecond\n"));

  ViewExternally(browser, QStringLiteral("endless.txt"));
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(boxes_->Last().prompt, said);
  EXPECT_TRUE(QDir(UserTempFolder).isEmpty());
  EXPECT_TRUE(started_.isEmpty() && opened_.isEmpty());
}

TEST_F(TextBrowserTest, TooManyLinesOrTooLongALineIsRefusedBeforeTheView) {
  // The most lines, with every kind of break and the longest line first:
  // the view shows them all, one block for each and the empty one after.
  // (U+2028, U+2029, U+FDD0 and U+FDD1 in UTF-8).
  QByteArray most = QByteArray(kMaxBrowsedLineLength, 'w') + "\r\n";
  const QByteArray lines[] = {
      "Sigma X....12.5 (MPa)\r\n", "\n", "tau\r", "a\xe2\x80\xa8", "b\xe2\x80\xa9", "c\xef\xb7\x90", "d\xef\xb7\x91"};
  for (qsizetype i = 1; i < kMaxBrowsedLines; ++i) most += lines[i % 7];
  WriteFile(data_ + QStringLiteral("/most.txt"), most);
  WriteFile(data_ + QStringLiteral("/breaks.txt"), QByteArray(kMaxBrowsedLines + 1, '\n'));
  WriteFile(data_ + QStringLiteral("/separators.txt"), QByteArray("\xe2\x80\xa8").repeated(kMaxBrowsedLines + 1));
  WriteFile(data_ + QStringLiteral("/wide.txt"), QByteArray(kMaxBrowsedLineLength + 1, 'w'));
  // Emoji (four bytes of UTF-8, two UTF-16 units): one character each.
  const QByteArray emoji = "\xf0\x9f\x98\x80";
  WriteFile(data_ + QStringLiteral("/emoji.txt"), emoji.repeated(kMaxBrowsedLineLength));
  WriteFile(data_ + QStringLiteral("/wide-emoji.txt"), emoji.repeated(kMaxBrowsedLineLength + 1));

  TextBrowser& browser = Open<TextBrowser>();
  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.txt"));
  auto* view = Control<QPlainTextEdit>(textbrowser::kView);
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("most.txt")));
  browser.OnFileChosen();
  ASSERT_TRUE(boxes_->Shown().empty());
  EXPECT_EQ(view->blockCount(), kMaxBrowsedLines + 1);
  EXPECT_EQ(view->document()->firstBlock().length(), kMaxBrowsedLineLength + 1);

  ASSERT_TRUE(browser.SelectFile(QStringLiteral("breaks.txt")));
  browser.OnFileChosen();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Cannot show the file \"") + data_ +
                                       QStringLiteral("/breaks.txt\": it has too many lines to browse: 100001 lines "
                                                      "(the browser shows files of at most 100000 lines) (75). "
                                                      "Procedure Terminated"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("separators.txt")));
  browser.OnFileChosen();
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("100001 lines")));
  for (const char* wide : {"wide.txt", "wide-emoji.txt"}) {
    ASSERT_TRUE(browser.SelectFile(QString::fromUtf8(wide)));
    browser.OnFileChosen();
    EXPECT_TRUE(boxes_->Last().prompt.contains(
        QStringLiteral("its line 1 is too long to browse: 4097 characters (the browser shows lines of at most 4096 "
                       "characters)")));
  }
  ASSERT_EQ(boxes_->Shown().size(), 4u);
  // The view keeps the file it showed, and "Current file" names it; the
  // next file opens as before.
  EXPECT_EQ(view->blockCount(), kMaxBrowsedLines + 1);
  EXPECT_EQ(Text(textbrowser::kCurrentFile), data_ + QStringLiteral("/most.txt"));
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("emoji.txt")));
  browser.OnFileChosen();
  EXPECT_EQ(view->document()->firstBlock().length(), 2 * kMaxBrowsedLineLength + 1);
  ASSERT_TRUE(browser.SelectFile(QStringLiteral("notes.txt")));
  browser.OnFileChosen();
  EXPECT_EQ(Text(textbrowser::kView), QStringLiteral("first\nsecond\n"));
  EXPECT_EQ(boxes_->Shown().size(), 4u);
}

TEST_F(TextBrowserTest, ALinkToADeviceIsNoFolderAndItsRefusalNamesIt) {
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), data_ + QStringLiteral("/null")));
  const QString zero = data_ + QStringLiteral("/zero");
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero));
  ASSERT_TRUE(QDir().mkpath(data_ + QStringLiteral("/Reports")));
  ASSERT_TRUE(QFile::link(data_ + QStringLiteral("/Reports"), data_ + QStringLiteral("/Linked")));
  TextBrowser& browser = Open<TextBrowser>();
  const QListWidget* folders = Control<QListWidget>(textbrowser::kFolders);
  QStringList listed;
  for (int i = folders->currentRow() + 1; i < folders->count(); ++i) listed << folders->item(i)->text().trimmed();
  EXPECT_EQ(listed, (QStringList{QStringLiteral("Linked"), QStringLiteral("Reports")}));

  Control<QLineEdit>(textbrowser::kPattern)->setText(QStringLiteral("*.*"));
  for (const bool english : {true, false}) {
    EnglishMenus = english;
    ASSERT_TRUE(browser.SelectFile(QStringLiteral("zero")));
    browser.OnFileChosen();
    EXPECT_TRUE(boxes_->Last().prompt.contains(english ? QStringLiteral("Cannot show the file \"") + zero +
                                                             QStringLiteral("\": it is a device, not a file")
                                                       : QStringLiteral("Αδύνατη η εμφάνιση του αρχείου \"") + zero +
                                                             QStringLiteral("\": είναι συσκευή, όχι αρχείο")))
        << boxes_->Last().prompt.toStdString();
  }
}

TEST_F(TextBrowserTest, FolderThatCannotBeShownLeavesTheListAsItWas) {
  TextBrowser& browser = Open<TextBrowser>();
  browser.OpenFolder(data_ + QStringLiteral("/gone"));
  EXPECT_EQ(browser.CurrentFolder(), data_);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("Path not found")));
}

TEST_F(TextBrowserTest, FontDialogStoresTheChosenFont) {
  platform::SetFontDialogHandler([](QFont& font, QWidget*) {
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(12.0);
    font.setBold(true);
    return true;
  });
  TextBrowser& browser = Open<TextBrowser>();
  browser.OnSetFontClicked();
  EXPECT_EQ(BrowseFontName, QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(BrowseFontSize, 12.0f);
  EXPECT_TRUE(BrowseFontBold);
  EXPECT_FALSE(BrowseFontItalic);
  EXPECT_EQ(Control<QPlainTextEdit>(textbrowser::kView)->font().family(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_TRUE(Control<QPlainTextEdit>(textbrowser::kView)->font().bold());

  // A cancelled dialog gives back what it was given.
  platform::SetFontDialogHandler([](QFont&, QWidget*) { return false; });
  browser.OnSetFontClicked();
  EXPECT_EQ(BrowseFontName, QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(BrowseFontSize, 12.0f);
  EXPECT_TRUE(BrowseFontBold);
}

}  // namespace
}  // namespace brantel
