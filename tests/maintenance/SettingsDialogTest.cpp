#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "maintenance/SettingsDialog.h"
#include "platform/FileDialog.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "support/StalledFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <chrono>

namespace brantel {
namespace {

class SettingsDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // As start-up leaves them.
    UnitSystemNames = {QStringLiteral("ft, in, lbs, psi, pcf"), QStringLiteral("m, cm, kN, MPa, kN/m3")};
    data_ = Home() + QStringLiteral("/data");
    QDir().mkpath(data_ + QStringLiteral("/projects/new"));
    previous_ = platform::SetFileDialogHandler([this](const platform::FileDialogRequest& request, QWidget*) {
      fileTitle_ = request.title;
      return chosenFile_;
    });
  }
  void TearDown() override {
    platform::SetFileDialogHandler(previous_);
    DialogTest::TearDown();
  }
  SettingsDialog& Open() { return DialogTest::Open<SettingsDialog>(); }
  void Tick(QAnyStringView box, bool on) {
    if (Control<QCheckBox>(box)->isChecked() != on) Press(box);
  }

  QString data_;
  std::optional<QString> chosenFile_;
  QString fileTitle_;
  platform::FileDialogHandler previous_;
};

// The check boxes and their settings.
const std::vector<std::pair<const char*, bool*>> kChecks = {{settings::kDisplayHistory, &HistoryShown},
                                                            {settings::kKeepRecent, &RecentFilesListed},
                                                            {settings::kShortNames, &RecentFilesByName},
                                                            {settings::kShowDisclaimer, &DisclaimerAtStart},
                                                            {settings::kMaximizeMainWindow, &MainWindowMaximized},
                                                            {settings::kEnableToolbar, &ToolbarShown},
                                                            {settings::kLoadLastProject, &LastProjectOpensAtStart},
                                                            {settings::kUpdateReminder, &YearlyUpdateReminder},
                                                            {settings::kCopyExamples, &CopyExampleFiles}};

TEST_F(SettingsDialogTest, OkWithoutEditsKeepsEverySettingAndEditsRoundTripThroughTheFile) {
  for (int i = 0; i < static_cast<int>(kChecks.size()); ++i) *kChecks[i].second = i % 2 == 0;
  NewProjectUnits = UnitSystem::Imperial;
  HistoryMaxCharacters = 8000;
  DataPath = data_ + u'/';
  FileExtension = QStringLiteral("B2");
  ExternalViewer = QStringLiteral("/usr/bin/my editor");
  Open();
  EXPECT_EQ(Text(settings::kMetricUnits), QStringLiteral("m, cm, kN, MPa, kN/m3"));
  EXPECT_EQ(Text(settings::kHistorySize), QStringLiteral("8000"));
  EXPECT_TRUE(Messages().empty());  // the check boxes' messages stay quiet at load
  Press(settings::kOk);
  ASSERT_TRUE(Current().IsAccepted()) << LastMessage().toStdString();
  for (int i = 0; i < static_cast<int>(kChecks.size()); ++i) EXPECT_EQ(*kChecks[i].second, i % 2 == 0) << i;
  EXPECT_EQ(NewProjectUnits, UnitSystem::Imperial);
  EXPECT_EQ(HistoryMaxCharacters, 8000);
  EXPECT_EQ(DataPath, data_ + u'/');
  EXPECT_EQ(FileExtension, QStringLiteral("B2"));
  EXPECT_EQ(ExternalViewer, QStringLiteral("/usr/bin/my editor"));
  EXPECT_TRUE(History().startsWith(QStringLiteral("1. Editing Settings\r\n2. Settings Modified\r\n3. Saving default")));

  // Every box edited; the folder gets its "/", the extension is stored
  // trimmed in capitals.
  Open();
  Type(settings::kHistorySize, QStringLiteral("16384"));
  for (const auto& [box, setting] : kChecks) Press(box);
  Press(settings::kMetricUnits);
  Type(settings::kDataPath, QStringLiteral("  ") + data_ + QStringLiteral("/projects  "));
  Type(settings::kDefaultExtension, QStringLiteral(" prj7 "));
  EXPECT_EQ(Text(settings::kDefaultExtension), QStringLiteral(" PRJ7 "));
  Type(settings::kExternalViewer, QStringLiteral("kate"));
  Press(settings::kOk);
  ASSERT_TRUE(Current().IsAccepted()) << LastMessage().toStdString();
  SetDefaultSettings();
  ReadAllSettings();
  for (int i = 0; i < static_cast<int>(kChecks.size()); ++i) EXPECT_EQ(*kChecks[i].second, i % 2 != 0) << i;
  EXPECT_EQ(NewProjectUnits, UnitSystem::SI);
  EXPECT_EQ(HistoryMaxCharacters, 16384);
  EXPECT_EQ(DataPath, data_ + QStringLiteral("/projects/"));
  EXPECT_EQ(FileExtension, QStringLiteral("PRJ7"));
  EXPECT_EQ(ExternalViewer, QStringLiteral("kate"));

  // No data folder and no extension are kept as empty texts.
  HistoryShown = true;
  Open();
  Type(settings::kDataPath, QString());
  Type(settings::kDefaultExtension, QString());
  Type(settings::kHistorySize, QStringLiteral("4096"));
  Press(settings::kOk);
  EXPECT_TRUE(DataPath.isEmpty() && FileExtension.isEmpty() && HistoryMaxCharacters == 4096);
}

TEST_F(SettingsDialogTest, EachCheckRefusesInOrderAndKeepsTheDialogOpen) {
  const QString range = QStringLiteral("Size of Command History Window: ");
  struct Case {
    QString path, size, extension, message, title;
    const char* focus;
  };
  const std::vector<Case> cases = {
      {data_ + QStringLiteral("/gone"), "4095", "B.N", "Invalid Path for Data Files", "Settings: Error",
       settings::kDataPath},
      {data_, "4095", "B.N", range + "Value '4095' is outside input range\r\nValid range is: 4096-16384",
       "Settings: Range Error", settings::kHistorySize},
      {data_, "16385", "BNL", range + "Value '16385' is outside input range\r\nValid range is: 4096-16384",
       "Settings: Range Error", settings::kHistorySize},
      {data_, "", "BNL", range + "Blank field not allowed", "Settings: Range Error", settings::kHistorySize},
      {data_, "16384", "B N", "Invalid character in file extension", "Settings: Invalid Character",
       settings::kDefaultExtension},
      {data_, "4096", "B.N", "Invalid character in file extension", "Settings: Invalid Character",
       settings::kDefaultExtension},
  };
  for (const Case& c : cases) {
    Open();
    Type(settings::kDataPath, c.path);
    Type(settings::kHistorySize, c.size);
    Type(settings::kDefaultExtension, c.extension);
    Press(settings::kOk);
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().prompt, c.message);
    EXPECT_EQ(Messages().back().title, c.title);
    EXPECT_TRUE(Current().isVisible());
    EXPECT_TRUE(Control<QLineEdit>(c.focus)->hasFocus()) << c.message.toStdString();
    EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
  }
  EXPECT_EQ(Text(settings::kDataPath), data_ + u'/');  // the box shows the path checked
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxChangeNothing) {
  for (int closeBox = 0; closeBox < 2; ++closeBox) {
    Open();
    Press(settings::kEnglishUnits);
    Tick(settings::kEnableToolbar, false);
    Type(settings::kDefaultExtension, QStringLiteral("abc"));
    chosenFile_.reset();
    Press(settings::kSelectViewer);  // the file dialog cancelled
    EXPECT_EQ(Text(settings::kExternalViewer), QStringLiteral("Notepad.exe"));
    chosenFile_ = QStringLiteral("/opt/editors/my edit");
    Press(settings::kSelectViewer);
    EXPECT_EQ(fileTitle_, QStringLiteral("Select External Editor"));
    EXPECT_EQ(Text(settings::kExternalViewer), QStringLiteral("/opt/editors/my edit"));
    closeBox ? (void)Current().close() : Press(settings::kCancel);
    EXPECT_FALSE(Current().IsAccepted());
    EXPECT_EQ(NewProjectUnits, UnitSystem::SI);
    EXPECT_TRUE(ToolbarShown);
    EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
    EXPECT_EQ(ExternalViewer, QStringLiteral("Notepad.exe"));
  }
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
  EXPECT_EQ(History().count(QStringLiteral("Settings Not Modified")), 2);
}

TEST_F(SettingsDialogTest, TheBoxesFollowTheirCheckBoxesWithTheirMessages) {
  Open();
  Tick(settings::kDisplayHistory, false);
  EXPECT_FALSE(Enabled(settings::kHistorySize) || Enabled(settings::kHistoryFont));
  Tick(settings::kDisplayHistory, true);
  EXPECT_TRUE(Enabled(settings::kHistorySize) && Enabled(settings::kHistoryFont));
  Tick(settings::kKeepRecent, false);
  EXPECT_FALSE(Enabled(settings::kShortNames));
  Tick(settings::kKeepRecent, true);
  // The short-names message on ticking and on clearing; the example-files
  // one on ticking only.
  Tick(settings::kShortNames, true);
  Tick(settings::kShortNames, false);
  Tick(settings::kCopyExamples, false);
  Tick(settings::kCopyExamples, true);
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(Messages()[1].prompt, QStringLiteral("Option will take effect upon restarting this program"));
  EXPECT_EQ(Messages()[1].title, QStringLiteral("Message"));
  EXPECT_EQ(LastMessage(), QStringLiteral("When this option is enabled, every time the program runs, it will try "
                                          "to copy the example files from the install directory to the ") +
                               UserFolder +
                               QStringLiteral(" directory. The modified files will not be overridden, but missing "
                                              "files will be replaced. "));
  Press(settings::kDefaultViewer);
  EXPECT_EQ(Text(settings::kExternalViewer), QStringLiteral("Notepad.exe"));
  EXPECT_EQ(Control<QLineEdit>(settings::kHistorySize)->accessibleName(),
            QStringLiteral("Size of command history window (chars)"));
}

TEST_F(SettingsDialogTest, TheFolderChooserFillsThePathBoxOnOkOnly) {
  Open();
  Type(settings::kDataPath, data_ + QStringLiteral("/projects"));
  for (const bool ok : {true, false}) {
    QTimer::singleShot(0, [this, ok] {
      auto* chooser = qobject_cast<DataFolderDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(chooser, nullptr);
      auto* list = chooser->findChild<QListWidget*>(QString::fromLatin1(selectpath::kFolders));
      // The subfolders follow the folder once they are listed.
      QTRY_COMPARE(list->findItems(QStringLiteral("new"), Qt::MatchEndsWith).size(), 1);
      const auto found = list->findItems(QStringLiteral("new"), Qt::MatchEndsWith);
      emit list->itemClicked(found.front());
      QTRY_COMPARE(chooser->ChosenFolder(), data_ + QStringLiteral("/projects/new"));
      ok ? chooser->OkClicked() : chooser->CancelClicked();
    });
    Press(settings::kChooseDataFolder);
    EXPECT_EQ(Text(settings::kDataPath), data_ + QStringLiteral("/projects/new/"));
  }
}

TEST_F(SettingsDialogTest, TheFolderChooserQuickLocationsAndVolumes) {
  AppFolder = Home() + u'/';
  UserFolder = data_ + u'/';
  UserTempFolder.clear();
  PathExchange = data_ + QStringLiteral("/projects/");
  SetMessageTitles(TitlePrefix::Settings);  // as the settings dialog leaves them
  auto& chooser = DialogTest::Open<DataFolderDialog>();
  EXPECT_EQ(chooser.ChosenFolder(), data_ + QStringLiteral("/projects"));  // "Current"
  auto* list = Control<QListWidget>(selectpath::kFolders);
  EXPECT_EQ(list->item(0)->text(), QStringLiteral("/"));  // the parents from the root, then the subfolders
  QTRY_COMPARE(list->item(list->count() - 1)->data(Qt::UserRole).toString(), data_ + QStringLiteral("/projects/new"));
  const std::vector<std::pair<const char*, QString>> places = {
      {selectpath::kApplication, Home()},
      {selectpath::kUserTemporary, Home()},  // no scratch folder: stays
      {selectpath::kUserHome, data_}};
  for (const auto& [option, folder] : places) {
    Press(option);
    EXPECT_EQ(chooser.ChosenFolder(), folder);
  }
  // A volume that cannot be read is reported; the lists stay.
  auto* drives = Control<QComboBox>(selectpath::kDrives);
  drives->addItem(Home() + QStringLiteral("/gone"));
  for (const QString& volume : {Home() + QStringLiteral("/gone"), QStringLiteral("/")}) {
    drives->setCurrentIndex(drives->findText(volume));
    emit drives->activated(drives->currentIndex());
  }
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Windows is unable to read selected drive. Make sure the door is closed "
                                          "and the disk is formatted and free of errors"));
  EXPECT_EQ(Messages().back().title, QStringLiteral("Settings: Error"));
  EXPECT_EQ(chooser.ChosenFolder(), QStringLiteral("/"));
  list->setCurrentRow(list->count() - 1);  // a folder picked with the keys is the one OK takes
  const QString picked = list->currentItem()->data(Qt::UserRole).toString();
  Press(selectpath::kOk);
  EXPECT_EQ(PathExchange, picked + u'/');
}

TEST(MountTable, TheVolumesAreItsMountPointsWithoutTheKernelsOwnFileSystemsEachOnce) {
  const QByteArray table =
      "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
      "23 22 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
      "24 22 0:22 / /sys rw - sysfs sysfs rw\n"
      "25 24 0:23 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n"
      "26 22 0:5 / /dev rw - devtmpfs udev rw\n"
      "27 26 0:24 / /dev/pts rw - devpts devpts rw,mode=600\n"
      "28 26 0:25 / /dev/mqueue rw - mqueue mqueue rw\n"
      "29 22 0:26 / /run rw - tmpfs tmpfs rw\n"
      "30 22 8:17 / /media/ann/My\\040Stick rw - vfat /dev/sdb1 rw\n"
      "31 22 0:40 / /mnt/tab\\011and\\134back rw - nfs4 server:/export rw\n"
      // Two optional fields before the separator.
      "32 22 0:41 / /home/ann/remote rw,nosuid shared:40 master:3 - fuse.sshfs ann@host:/ rw\n"
      "33 22 0:42 / /net rw - autofs /etc/auto.net rw\n"
      "34 22 0:43 / /sys/fs/fuse/connections rw - fusectl fusectl rw\n"
      "35 22 8:1 / / rw - ext4 /dev/sda1 rw\n"  // mounted over
      "36 22 0:44 / /mnt/a\\040b rw - ext4 /dev/sdc rw\n"
      "a line of no mount table\n"
      "\n"
      "37 23 0:45 / /proc/sys/fs/binfmt_misc rw - binfmt_misc binfmt_misc rw";
  EXPECT_EQ(VolumesInMountTable(table),
            QStringList({QStringLiteral("/"), QStringLiteral("/home/ann/remote"), QStringLiteral("/media/ann/My Stick"),
                         QStringLiteral("/mnt/a b"), QStringLiteral("/mnt/tab\tand\\back"), QStringLiteral("/run")}));
  EXPECT_EQ(VolumesInMountTable(QByteArray()), QStringList());
}

// A volume whose server has gone: the folder chooser opens without waiting
// for it, and choosing it leaves the window answering, with a line that
// says the volume does not; when its answer comes (an error, once it is cut
// off), the lists go back and the drive is said to be unreadable.
TEST_F(SettingsDialogTest, TheFolderChooserNeverWaitsOnAVolumeThatDoesNotAnswer) {
  test::StalledFolder stalled(Home() + QStringLiteral("/network folder"), std::chrono::seconds(10));
  if (!stalled.Valid()) GTEST_SKIP() << stalled.WhyNot().toStdString();
  const QString silent = QStringLiteral("(the volume does not answer)");
  const auto lastLine = [this] {
    auto* list = Control<QListWidget>(selectpath::kFolders);
    return list->count() > 0 ? list->item(list->count() - 1)->text().trimmed() : QString();
  };

  // The kernel's own table, which names the stalled volume now; the chooser
  // starts in it.
  PathExchange = stalled.Path() + QStringLiteral("/projects/");
  QElapsedTimer clock;
  clock.start();
  DataFolderDialog* chooser = &DialogTest::Open<DataFolderDialog>();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_GE(Control<QComboBox>(selectpath::kDrives)->findText(stalled.Path()), 0);
  EXPECT_EQ(chooser->ChosenFolder(), stalled.Path() + QStringLiteral("/projects"));
  QTRY_COMPARE(lastLine(), silent);

  // A table of the test's own, and a start on a folder that answers.
  const QString table = WriteFile(Home() + QStringLiteral("/mountinfo"),
                                  "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                  "23 22 0:21 / /proc rw - proc proc rw\n"
                                  "40 22 0:50 / " +
                                      QFile::encodeName(stalled.Path()).replace(" ", "\\040") +
                                      " rw,nosuid,nodev - fuse brantel-stall rw\n");
  PathExchange = data_;
  clock.restart();
  chooser = &DialogTest::Open<DataFolderDialog>(nullptr, table);
  EXPECT_LT(clock.elapsed(), 1000);
  auto* drives = Control<QComboBox>(selectpath::kDrives);
  ASSERT_EQ(drives->count(), 2);
  EXPECT_EQ(drives->itemText(1), stalled.Path());
  QTRY_COMPARE(lastLine(), QStringLiteral("projects"));

  drives->setCurrentIndex(1);
  clock.restart();
  emit drives->activated(1);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(chooser->ChosenFolder(), stalled.Path());
  EXPECT_EQ(lastLine(), silent);
  EXPECT_TRUE(Messages().empty());
  test::SaveRender(*chooser, QStringLiteral("folder-chooser-silent-volume"));

  stalled.Release();
  QTRY_COMPARE(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Windows is unable to read selected drive. Make sure the door is closed "
                                          "and the disk is formatted and free of errors"));
  EXPECT_EQ(chooser->ChosenFolder(), data_);
  EXPECT_EQ(lastLine(), QStringLiteral("projects"));
}

}  // namespace
}  // namespace brantel
