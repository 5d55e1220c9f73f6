#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "maintenance/SettingsDialog.h"
#include "platform/CommonDialogs.h"
#include "platform/FileDialog.h"
#include "support/DialogTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace brantel {
namespace {

// Runs `action` on the modal dialog of type T once it shows.
template <typename T>
void WhenModalShows(std::function<void(T*)> action) {
  auto* poll = new QTimer(QApplication::instance());
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(dialog);
  });
  poll->start();
}

class SettingsDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // As start-up leaves them.
    MsgTitlePrefixes[9] = QStringLiteral("Settings: ");
    UnitSystemNames = {QStringLiteral("ft, in, lbs, psi, pcf"), QStringLiteral("m, cm, kN, MPa, kN/m3")};
    dataFolder_ = Home() + QStringLiteral("/data");
    QDir().mkpath(dataFolder_ + QStringLiteral("/projects/old"));
    QDir().mkpath(dataFolder_ + QStringLiteral("/projects/new"));
    previousFont_ = platform::SetFontDialogHandler([this](QFont& font, QWidget*) {
      presetFont_ = font;
      if (!chosenFont_) return false;
      font = *chosenFont_;
      return true;
    });
    previousFile_ = platform::SetFileDialogHandler([this](const platform::FileDialogRequest& request, QWidget*) {
      fileRequest_ = request;
      return chosenFile_;
    });
  }
  void TearDown() override {
    platform::SetFontDialogHandler(previousFont_);
    platform::SetFileDialogHandler(previousFile_);
    DialogTest::TearDown();
  }
  frmSet& Open() { return DialogTest::Open<frmSet>(); }
  bool Checked(QStringView box) const { return Control<QCheckBox>(box)->isChecked(); }
  void Tick(QStringView box, bool on) {
    if (Checked(box) != on) Press(box);
  }
  // The [Settings] value of a key in the settings file.
  QString Stored(const char* key) const {
    IniDocument doc;
    doc.Load(SettingsIniPath);
    return doc.Value(QStringLiteral("Settings"), QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
  }

  QString dataFolder_;
  std::optional<QFont> chosenFont_;
  QFont presetFont_;
  std::optional<QString> chosenFile_;
  platform::FileDialogRequest fileRequest_;
  platform::FontDialogHandler previousFont_;
  platform::FileDialogHandler previousFile_;
};

// Every setting the dialog edits, away from its default.
void SetEverySetting(const QString& dataPath) {
  DefaultUnits = 0;
  DisplayHistoryWin = 1;
  MaxDisplaySize = 8000;
  KeepFileNames = 0;
  ShortRecentFiles = 1;
  ShowDisclaim = 0;
  MaxMainMenu = 1;
  EnableMainMenuToolbar = 0;
  LoadLastInputFile = 1;
  RemindAnnualUpdates = 0;
  CopyExampleFiles = 0;
  DataPath = dataPath;
  FileExtension = QStringLiteral("B2");
  ExternalEditor = QStringLiteral("/usr/bin/my editor");
}

TEST_F(SettingsDialogTest, ShowsEverySettingAndOkWithoutEditsKeepsThemAndSavesThem) {
  SetEverySetting(dataFolder_ + u'/');
  Open();
  EXPECT_EQ(Text(u"optUnits(0)"), QStringLiteral("ft, in, lbs, psi, pcf"));
  EXPECT_EQ(Text(u"optUnits(1)"), QStringLiteral("m, cm, kN, MPa, kN/m3"));
  EXPECT_TRUE(Control<QRadioButton>(u"optUnits(0)")->isChecked());
  EXPECT_TRUE(Checked(u"chkDispHist"));
  EXPECT_EQ(Text(u"Text3"), QStringLiteral("8000"));
  EXPECT_FALSE(Checked(u"chkKeepRecentFL"));
  EXPECT_TRUE(Checked(u"chkShortNames"));
  EXPECT_FALSE(Enabled(u"chkShortNames"));  // follows the recent file list
  EXPECT_FALSE(Checked(u"chkShowDiscl"));
  EXPECT_TRUE(Checked(u"chkMaxMenu"));
  EXPECT_FALSE(Checked(u"chkEnableTB"));
  EXPECT_TRUE(Checked(u"chkLoadLastInputFile"));
  EXPECT_FALSE(Checked(u"chkUpdate"));
  EXPECT_FALSE(Checked(u"chkCopyExamples"));
  EXPECT_EQ(Text(u"Text2"), dataFolder_ + u'/');
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("B2"));
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("/usr/bin/my editor"));
  EXPECT_TRUE(Messages().empty());  // the check boxes' messages stay quiet at load

  Press(u"CmdOk");
  EXPECT_TRUE(Current().IsAccepted());
  EXPECT_EQ(DefaultUnits, 0);
  EXPECT_EQ(MaxDisplaySize, 8000);
  EXPECT_EQ(ShortRecentFiles, 1);
  EXPECT_EQ(MaxMainMenu, 1);
  EXPECT_EQ(DataPath, dataFolder_ + u'/');
  EXPECT_EQ(FileExtension, QStringLiteral("B2"));
  EXPECT_EQ(ExternalEditor, QStringLiteral("/usr/bin/my editor"));
  EXPECT_EQ(Stored("MaxDisplaySize"), QStringLiteral("8000"));
  EXPECT_EQ(Stored("DataPath"), dataFolder_ + u'/');
  EXPECT_TRUE(History().contains(QStringLiteral("1. Editing Settings")));
  EXPECT_TRUE(History().contains(QStringLiteral("2. Settings Modified")));
  EXPECT_TRUE(History().contains(QStringLiteral("3. Saving default settings to file: ")));
}

TEST_F(SettingsDialogTest, EditedSettingsRoundTripThroughTheSettingsFile) {
  Open();
  Press(u"optUnits(0)");
  Type(u"Text3", QStringLiteral("12000"));
  Tick(u"chkShowDiscl", false);
  Tick(u"chkMaxMenu", true);
  Tick(u"chkEnableTB", false);
  Tick(u"chkLoadLastInputFile", true);
  Tick(u"chkUpdate", false);
  Tick(u"chkShortNames", true);
  Tick(u"chkKeepRecentFL", false);
  Type(u"Text2", QStringLiteral("  ") + dataFolder_ + QStringLiteral("/projects  "));
  Type(u"Text1", QStringLiteral(" prj7 "));
  Type(u"Text4", QStringLiteral("kate"));
  Press(u"CmdOk");
  ASSERT_TRUE(Current().IsAccepted()) << LastMessage().toStdString();
  // The folder gets its "/", the extension is stored trimmed in capitals.
  EXPECT_EQ(DataPath, dataFolder_ + QStringLiteral("/projects/"));
  EXPECT_EQ(FileExtension, QStringLiteral("PRJ7"));

  SetDefaultSettings();
  ReadAllSettings();
  EXPECT_EQ(DefaultUnits, 0);
  EXPECT_EQ(MaxDisplaySize, 12000);
  EXPECT_EQ(ShowDisclaim, 0);
  EXPECT_EQ(MaxMainMenu, 1);
  EXPECT_EQ(EnableMainMenuToolbar, 0);
  EXPECT_EQ(LoadLastInputFile, 1);
  EXPECT_EQ(RemindAnnualUpdates, 0);
  EXPECT_EQ(ShortRecentFiles, 1);
  EXPECT_EQ(KeepFileNames, 0);
  EXPECT_EQ(DataPath, dataFolder_ + QStringLiteral("/projects/"));
  EXPECT_EQ(FileExtension, QStringLiteral("PRJ7"));
  EXPECT_EQ(ExternalEditor, QStringLiteral("kate"));
}

TEST_F(SettingsDialogTest, EachCheckRefusesInOrderAndKeepsTheDialogOpen) {
  struct Case {
    const char* path;  // below the test's data folder; nullptr: the folder itself
    const char* size;
    const char* extension;
    QString message;
    QString title;
    const char16_t* focus;
  };
  const QString range = QStringLiteral("Size of Command History Window: ");
  const std::vector<Case> cases = {
      {"/missing", "4095", "B.N", QStringLiteral("Invalid Path for Data Files"), QStringLiteral("Settings: Error"),
       u"Text2"},
      {nullptr, "4095", "B.N",
       range + QStringLiteral("Value '4095' is outside input range\r\nValid range is: 4096-16384"),
       QStringLiteral("Settings: Range Error"), u"Text3"},
      {nullptr, "16385", "BNL",
       range + QStringLiteral("Value '16385' is outside input range\r\nValid range is: 4096-16384"),
       QStringLiteral("Settings: Range Error"), u"Text3"},
      {nullptr, "", "BNL", range + QStringLiteral("Blank field not allowed"), QStringLiteral("Settings: Range Error"),
       u"Text3"},
      {nullptr, "16384", "B N", QStringLiteral("Invalid character in file extension"),
       QStringLiteral("Settings: Invalid Character"), u"Text1"},
      {nullptr, "4096", "B.N", QStringLiteral("Invalid character in file extension"),
       QStringLiteral("Settings: Invalid Character"), u"Text1"},
  };
  for (const Case& c : cases) {
    SetDefaultSettings();
    MaxDisplaySize = 5000;
    Open();
    Type(u"Text2", dataFolder_ + QString::fromLatin1(c.path ? c.path : ""));
    Type(u"Text3", QString::fromLatin1(c.size));
    Type(u"Text1", QString::fromLatin1(c.extension));
    Press(u"CmdOk");
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().prompt.toStdString(), c.message.toStdString());
    EXPECT_EQ(Messages().back().title, c.title);
    EXPECT_TRUE(Current().isVisible());
    EXPECT_TRUE(Control<QLineEdit>(c.focus)->hasFocus()) << c.message.toStdString();
    EXPECT_EQ(MaxDisplaySize, 5000);
    EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
    EXPECT_EQ(Stored("MaxDisplaySize"), QStringLiteral("<none>"));
    Current().close();
  }
  // The path box shows what was checked: the text with its "/".
  Open();
  Type(u"Text2", dataFolder_ + QStringLiteral("/missing"));
  Press(u"CmdOk");
  EXPECT_EQ(Text(u"Text2"), dataFolder_ + QStringLiteral("/missing/"));
}

TEST_F(SettingsDialogTest, BoundsAndEmptyBoxesThatPass) {
  for (const char* size : {"4096", "16384"}) {
    DataPath = dataFolder_ + u'/';
    Open();
    Type(u"Text3", QString::fromLatin1(size));
    Type(u"Text1", QString());
    Type(u"Text2", QString());
    Press(u"CmdOk");
    ASSERT_TRUE(Current().IsAccepted()) << LastMessage().toStdString();
    EXPECT_EQ(MaxDisplaySize, QString::fromLatin1(size).toShort());
    // No extension and no data folder are kept as empty texts.
    EXPECT_EQ(FileExtension, QString());
    EXPECT_EQ(DataPath, QString());
  }
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxChangeNothing) {
  for (int closeBox = 0; closeBox < 2; ++closeBox) {
    SetDefaultSettings();
    DisplayHistoryWin = 1;
    HistoryLog::Instance().Clear();
    Open();
    Press(u"optUnits(0)");
    Type(u"Text1", QStringLiteral("abc"));
    Tick(u"chkEnableTB", false);
    chosenFile_ = QStringLiteral("/usr/bin/vi");
    Press(u"cmdSelect");
    EXPECT_EQ(Text(u"Text4"), QStringLiteral("/usr/bin/vi"));
    if (closeBox) Current().close();
    else Press(u"cmdCancel");
    EXPECT_FALSE(Current().IsAccepted());
    EXPECT_EQ(DefaultUnits, 1);
    EXPECT_EQ(EnableMainMenuToolbar, 1);
    EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
    EXPECT_EQ(ExternalEditor, QStringLiteral("Notepad.exe"));
    EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
    EXPECT_TRUE(History().contains(QStringLiteral("Settings Not Modified")));
  }
}

TEST_F(SettingsDialogTest, TheBoxesFollowTheirCheckBoxesAndTheExtensionIsCapitalised) {
  Open();
  Tick(u"chkDispHist", false);
  EXPECT_FALSE(Enabled(u"Text3"));
  EXPECT_FALSE(Enabled(u"Command5"));
  Tick(u"chkDispHist", true);
  EXPECT_TRUE(Enabled(u"Text3"));
  EXPECT_TRUE(Enabled(u"Command5"));
  Tick(u"chkKeepRecentFL", false);
  EXPECT_FALSE(Enabled(u"chkShortNames"));
  Tick(u"chkKeepRecentFL", true);
  EXPECT_TRUE(Enabled(u"chkShortNames"));

  // The short-names message on ticking and on clearing; the example-files one
  // on ticking only.
  Tick(u"chkShortNames", true);
  Tick(u"chkShortNames", false);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].prompt, QStringLiteral("Option will take effect upon restarting this program"));
  EXPECT_EQ(Messages()[1].title, QStringLiteral("Message"));
  Tick(u"chkCopyExamples", false);
  Tick(u"chkCopyExamples", true);
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_TRUE(LastMessage().startsWith(QStringLiteral(
      "When this option is enabled, every time the program runs, it will try to copy the example files from the "
      "install directory to the ")));
  EXPECT_TRUE(LastMessage().endsWith(UserFolder + QStringLiteral(
      " directory. The modified files will not be overridden, but missing files will be replaced. ")));
  EXPECT_EQ(Messages().back().title, QStringLiteral("Brantel"));

  Type(u"Text1", QStringLiteral("bnl"));
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("BNL"));
  Press(u"cmdSetDefault");
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("Notepad.exe"));
  EXPECT_EQ(Control<QLineEdit>(u"Text3")->accessibleName(), QStringLiteral("Size of command history window (chars)"));
  EXPECT_EQ(Control<QLineEdit>(u"Text2")->accessibleName(), QStringLiteral("Path:"));
}

TEST_F(SettingsDialogTest, TheHistoryFontIsSetAtOnceAndCancelKeepsIt) {
  DisplayFontName = QStringLiteral("DejaVu Sans");
  DisplayFontSize = 10;
  Open();
  QFont chosen(QStringLiteral("DejaVu Serif"));
  chosen.setPointSizeF(14);
  chosen.setBold(true);
  chosenFont_ = chosen;
  Press(u"Command5");
  EXPECT_EQ(presetFont_.family(), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(presetFont_.pointSizeF(), 10.0);
  EXPECT_EQ(DisplayFontName, QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(DisplayFontSize, 14.0f);
  EXPECT_EQ(DisplayFontBold, -1);
  EXPECT_EQ(DisplayFontItalic, 0);
  // The font dialog's Cancel keeps the font set.
  chosenFont_.reset();
  Press(u"Command5");
  EXPECT_EQ(DisplayFontName, QStringLiteral("DejaVu Serif"));
  Press(u"cmdCancel");
  EXPECT_EQ(DisplayFontSize, 14.0f);
}

TEST_F(SettingsDialogTest, TheEditorIsChosenFromTheFileDialog) {
  Open();
  Press(u"cmdSelect");  // cancelled
  EXPECT_EQ(fileRequest_.title, QStringLiteral("Select External Editor"));
  EXPECT_EQ(fileRequest_.mode, platform::FileDialogMode::Open);
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("Notepad.exe"));
  chosenFile_ = QStringLiteral("/opt/editors/my edit");
  Press(u"cmdSelect");
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("/opt/editors/my edit"));
  EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
}

TEST_F(SettingsDialogTest, TheFolderChooserPutsTheChosenFolderInThePathBox) {
  Open();
  Type(u"Text2", dataFolder_ + QStringLiteral("/projects"));
  // OK after opening a subfolder.
  WhenModalShows<frmPath>([this](frmPath* chooser) {
    EXPECT_EQ(chooser->DirPath(), dataFolder_ + QStringLiteral("/projects"));
    auto* list = chooser->findChild<QListWidget*>(QStringLiteral("Dir1"));
    const QList<QListWidgetItem*> found = list->findItems(QStringLiteral("new"), Qt::MatchEndsWith);
    ASSERT_EQ(found.size(), 1);
    emit list->itemClicked(found.front());
    QTRY_COMPARE(chooser->DirPath(), dataFolder_ + QStringLiteral("/projects/new"));
    chooser->OkClicked();
  });
  Press(u"cmdSetPath");
  EXPECT_EQ(Text(u"Text2"), dataFolder_ + QStringLiteral("/projects/new/"));
  EXPECT_EQ(PathExchange, dataFolder_ + QStringLiteral("/projects/new/"));

  // Cancel leaves the box as it was.
  WhenModalShows<frmPath>([](frmPath* chooser) { chooser->CancelClicked(); });
  Press(u"cmdSetPath");
  EXPECT_EQ(Text(u"Text2"), dataFolder_ + QStringLiteral("/projects/new/"));
}

class FolderChooserTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    MsgTitlePrefixes[9] = QStringLiteral("Settings: ");
  }
};

TEST_F(FolderChooserTest, QuickLocationsAndVolumes) {
  const QString folder = Home() + QStringLiteral("/a/b");
  QDir().mkpath(folder + QStringLiteral("/c"));
  AppFolder = Home() + QStringLiteral("/a/");
  UserFolder = folder + u'/';
  UserTempFolder = QString();
  PathExchange = folder + u'/';
  auto& chooser = Open<frmPath>();
  EXPECT_EQ(chooser.DirPath(), folder);  // starts at "Current"
  EXPECT_TRUE(Control<QRadioButton>(u"Option1(2)")->isChecked());
  // The parents from the root, then the subfolders.
  auto* list = Control<QListWidget>(u"Dir1");
  ASSERT_GE(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("/"));
  EXPECT_EQ(list->currentItem()->data(Qt::UserRole).toString(), folder);
  EXPECT_EQ(list->item(list->count() - 1)->data(Qt::UserRole).toString(), folder + QStringLiteral("/c"));

  Press(u"Option1(1)");
  EXPECT_EQ(chooser.DirPath(), Home() + QStringLiteral("/a"));
  Press(u"Option1(3)");  // no folder: the lists stay
  EXPECT_EQ(chooser.DirPath(), Home() + QStringLiteral("/a"));
  Press(u"Option1(0)");
  EXPECT_EQ(chooser.DirPath(), folder);

  // A volume that cannot be read is reported; the lists stay.
  auto* drives = Control<QComboBox>(u"Drive1");
  EXPECT_GE(drives->findText(QStringLiteral("/")), 0);
  drives->addItem(Home() + QStringLiteral("/gone"));
  drives->setCurrentIndex(drives->count() - 1);
  emit drives->activated(drives->count() - 1);
  EXPECT_EQ(LastMessage(), QStringLiteral("Windows is unable to read selected drive. Make sure the door is closed "
                                          "and the disk is formatted and free of errors"));
  EXPECT_EQ(chooser.DirPath(), folder);
  drives->setCurrentIndex(drives->findText(QStringLiteral("/")));
  emit drives->activated(drives->currentIndex());
  EXPECT_EQ(chooser.DirPath(), QStringLiteral("/"));
  Press(u"Command2");
  EXPECT_EQ(PathExchange, QStringLiteral("/"));
}

TEST_F(SettingsDialogTest, RenderSettingsAndFolderChooser) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  DataPath = dataFolder_ + u'/';
  Open();
  EXPECT_FALSE(Current().grab().toImage().isNull());
  Current().grab().save(folder + QStringLiteral("/settings.png"));
  PathExchange = dataFolder_ + QStringLiteral("/projects/");
  DialogTest::Open<frmPath>();
  Current().grab().save(folder + QStringLiteral("/folder-chooser.png"));
}

}  // namespace
}  // namespace brantel
