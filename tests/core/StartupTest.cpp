#include "core/FileHelpers.h"
#include "core/Fonts.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/Version.h"
#include "core/graph/GraphBuffer.h"
#include "core/platform/Desktop.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/Main.h"
#include "support/FileSystemTricks.h"
#include "support/StalledFolder.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brantel {
namespace {

using test::CoreTest;

class StartupTest : public CoreTest {
 protected:
  QString IniPath() const { return Documents() + QStringLiteral("/MyBrantel/Brantel.INI"); }

  // The file a first start writes, byte for byte.
  static QByteArray FreshFile() {
    const QByteArray font = DefaultFontName().toUtf8();
    return QByteArray(
               "[Version]\r\nINIFileVersion=050909\r\n\r\n"
               "[Settings]\r\nDefaultUnits=1\r\nDisplayHistoryWin=1\r\nMaxDisplaySize=2048\r\n"
               "DisplayFontName=") +
           font +
           QByteArray(
               "\r\nDisplayFontSize=10\r\nDisplayFontBold=0\r\nDisplayFontItalic=0\r\n"
               "KeepFileNames=1\r\nShowDisclaim=1\r\nMaxMainMenu=0\r\nEnableMainMenuToolbar=1\r\n"
               "ShortRecentFiles=0\r\nLoadLastInputFile=0\r\nRemindAnnualUpdates=1\r\n"
               "CopyExampleFiles=1\r\nDataPath=\r\nFileExtension=BNL\r\nExternalEditor=Notepad.exe\r\n"
               "\r\n[FileMenu]\r\nMaxLastFiles=0\r\n"
               "\r\n[TextBrowse]\r\nBrowseFontName=") +
           font +
           QByteArray(
               "\r\nBrowseFontSize=10\r\nBrowseFontBold=0\r\nBrowseFontItalic=0\r\n"
               "BrowseDefaultFilter=\r\nBrowseUseNotepad=0\r\n"
               "\r\n[BrantelOptions]\r\nEnglishMenus=1\r\nPrintModuleHeader=1\r\nEnableMohrCircles=1\r\n"
               "CircExtend=5\r\nShowInternalPlotCoords=0\r\nToolBarPointer0=21\r\nToolBarPointer1=31\r\n"
               "ToolBarPointer2=4\r\n");
  }

  void PointDocumentsAt(const QString& folder) {
    WriteFile(Home() + QStringLiteral("/.config/user-dirs.dirs"),
              QByteArray("XDG_DOCUMENTS_DIR=\"") + folder.toUtf8() + QByteArray("\"\n"));
  }
};

TEST_F(StartupTest, FirstStartWritesTheDefaultsAndRunsWithCheckedValues) {
  ASSERT_FALSE(QFileInfo::exists(Documents()));
  RunStartupSteps();

  EXPECT_EQ(UserFolder, Documents() + QStringLiteral("/MyBrantel/"));
  EXPECT_EQ(UserTempFolder, Documents() + QStringLiteral("/MyBrantel/Temp/"));
  EXPECT_TRUE(QFileInfo(UserTempFolder).isDir());
  EXPECT_EQ(SettingsIniPath, IniPath());
  EXPECT_EQ(ReadFile(IniPath()), FreshFile());

  EXPECT_EQ(HistoryMaxCharacters, 4096);  // written as 2048, read back through the range
  EXPECT_EQ(NewProjectUnits, UnitSystem::SI);
  EXPECT_EQ(Project.InputUnits, UnitSystem::SI);
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_TRUE(EnglishMenus);
  EXPECT_EQ(UnitsStartTab, UnitTab::Load);
  EXPECT_EQ(INIFileVersion, QStringLiteral("050909"));
  EXPECT_EQ(History(), QStringLiteral("1. Saving default settings to file: ") + IniPath() + QStringLiteral("\r\n"));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(StartupTest, AnotherStampIsDeletedAndWrittenAnew) {
  for (const char* stamp : {"INIFileVersion=050908\r\n", ""}) {
    WriteFile(IniPath(),
              QByteArray("[Version]\r\n") + stamp + "[Settings]\r\nMaxDisplaySize=8000\r\nEnglishMenus=0\r\n");
    RunStartupSteps();
    EXPECT_EQ(ReadFile(IniPath()), FreshFile()) << stamp;
    EXPECT_EQ(HistoryMaxCharacters, 4096);
  }
}

TEST_F(StartupTest, AStampWithoutItsSettingsGetsTheMissingSectionsAndKeepsTheRest) {
  // What a write cut short leaves: the stamp alone is a first start, and
  // the file is written whole.
  WriteFile(IniPath(), "[Version]\r\nINIFileVersion=050909\r\n");
  RunStartupSteps();
  EXPECT_EQ(ReadFile(IniPath()), FreshFile());
  EXPECT_TRUE(DisclaimerAtStart);

  // The stamp, the recent files and the language, but no [Settings]: the
  // sections that are missing take their defaults, the others stay.
  const QByteArray kept(
      "[Version]\r\nINIFileVersion=050909\r\n\r\n"
      "[FileMenu]\r\nMaxLastFiles=1\r\nLastFile1=a.BNL\r\nLastFileMode1=1\r\nLastFileLong1=/data/a.BNL\r\n\r\n"
      "[BrantelOptions]\r\nEnglishMenus=0\r\nToolBarPointer1=23\r\n");
  WriteFile(IniPath(), kept);
  HistoryLog::Instance().Clear();
  RunStartupSteps();
  EXPECT_FALSE(EnglishMenus);
  EXPECT_EQ(QuickButtonTools[1], 23);
  EXPECT_EQ(QuickButtonTools[0], 0);  // a section that is there is read as it stands
  ASSERT_EQ(RecentFileCount, 1);
  EXPECT_EQ(RecentFilePath[1], QStringLiteral("/data/a.BNL"));
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_TRUE(RecentFilesListed);
  EXPECT_EQ(BrowseFontSize, 10.0f);
  const QByteArray written = ReadFile(IniPath());
  EXPECT_TRUE(written.startsWith(kept));
  EXPECT_EQ(written.count("[FileMenu]"), 1);
  EXPECT_EQ(written.count("[BrantelOptions]"), 1);
  EXPECT_TRUE(written.contains("\r\n[Settings]\r\nDefaultUnits=1\r\nDisplayHistoryWin=1\r\n"));
  EXPECT_TRUE(written.contains("\r\n[TextBrowse]\r\nBrowseFontName="));
  EXPECT_EQ(History(), QStringLiteral("1. Saving default settings to file: ") + IniPath() + QStringLiteral("\r\n"));

  // Complete now: the next start reads it and writes nothing.
  HistoryLog::Instance().Clear();
  RunStartupSteps();
  EXPECT_EQ(ReadFile(IniPath()), written);
  EXPECT_FALSE(EnglishMenus);
  EXPECT_TRUE(History().isEmpty());

  // A [Settings] section, even an empty one, is a file of its own: its
  // missing keys take the range minimum.
  WriteFile(IniPath(), "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\n");
  RunStartupSteps();
  EXPECT_FALSE(DisclaimerAtStart);
  EXPECT_FALSE(EnglishMenus);
  EXPECT_EQ(ReadFile(IniPath()), QByteArray("[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\n"));
}

TEST_F(StartupTest, ASettingsFileAboveOneMebibyteIsSetAsideUnread) {
  const QByteArray start =
      "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nShowDisclaim=0\r\n"
      "[BrantelOptions]\r\nEnglishMenus=0\r\n; ";
  // Exactly 1 MiB is still a settings file.
  WriteFile(IniPath(), start + QByteArray(kMaxSettingsFileBytes - start.size(), 'x'));
  RunStartupSteps();
  EXPECT_FALSE(EnglishMenus);
  EXPECT_FALSE(QFileInfo::exists(IniPath() + QStringLiteral(".bad")));
  EXPECT_TRUE(History().isEmpty());

  // 200 MB, on the disk as a sparse file: read, it would cost seconds and
  // gigabytes at every start. An older damaged file is replaced.
  const QString bad = WriteFile(IniPath() + QStringLiteral(".bad"), "an older damaged file");
  constexpr qint64 kHuge = 200 << 20;
  {
    QFile huge(WriteFile(IniPath(), start));
    ASSERT_TRUE(huge.resize(kHuge));
  }
  QElapsedTimer clock;
  clock.start();
  RunStartupSteps();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(QFileInfo(bad).size(), kHuge);
  QFile kept(bad);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.read(start.size()), start);
  EXPECT_EQ(ReadFile(IniPath()), FreshFile());
  EXPECT_TRUE(EnglishMenus);
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_EQ(History(),
            QStringLiteral("1. The settings file is larger than 1 MiB and so damaged; it was not read and is "
                           "kept as ") +
                bad + QStringLiteral("; the program starts from the default settings\r\n") +
                QStringLiteral("2. Saving default settings to file: ") + IniPath() + QStringLiteral("\r\n"));
}

TEST_F(StartupTest, ADamagedSettingsFileThatCannotBeMovedIsNeitherReadNorWritten) {
  // A folder with a file in it stands where the damaged file would go.
  WriteFile(IniPath() + QStringLiteral(".bad/inside"), "x");
  {
    QFile huge(WriteFile(IniPath(), "[Version]\r\nINIFileVersion=050909\r\n"));
    ASSERT_TRUE(huge.resize(kMaxSettingsFileBytes + 1));
  }
  RunStartupSteps();
  EXPECT_EQ(QFileInfo(IniPath()).size(), kMaxSettingsFileBytes + 1);
  EXPECT_TRUE(EnglishMenus);
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(History().count(QStringLiteral("could not be set aside, and the program runs on the default settings")), 1);
  EXPECT_FALSE(SaveSettings(SettingsPart::FileMenu));
  EXPECT_EQ(QFileInfo(IniPath()).size(), kMaxSettingsFileBytes + 1);
}

TEST_F(StartupTest, AFileOfTheCurrentStampIsReadAsItStands) {
  WriteFile(IniPath(),
            "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nMaxDisplaySize=8000\r\n"
            "DefaultUnits=0\r\n[BrantelOptions]\r\nEnglishMenus=0\r\nToolBarPointer1=23\r\n");
  RunStartupSteps();
  EXPECT_EQ(HistoryMaxCharacters, 8000);
  EXPECT_EQ(NewProjectUnits, UnitSystem::Imperial);
  EXPECT_FALSE(EnglishMenus);
  EXPECT_EQ(QuickButtonTools[1], 23);
  EXPECT_TRUE(History().isEmpty());  // nothing was written
}

TEST_F(StartupTest, AnUnwritableSettingsFileFallsBackToTheDefaults) {
  // A folder stands where the settings file should be: it can be neither
  // read nor written, and start-up must not loop on it.
  QDir().mkpath(IniPath());
  RunStartupSteps();
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(NewProjectUnits, UnitSystem::SI);
  EXPECT_TRUE(EnglishMenus);
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_EQ(QuickButtonTools[2], 4);
  EXPECT_EQ(History().count(QStringLiteral("The settings file could not be written: ")), 1) << History().toStdString();
}

TEST_F(StartupTest, AnUndeletableFileOfAnotherStampFallsBackToTheDefaults) {
  const test::ObeyFilePermissions obey;
  if (!obey.Valid()) GTEST_SKIP() << "the superuser here deletes in read-only folders";
  WriteFile(IniPath(), "[Version]\r\nINIFileVersion=050908\r\n[Settings]\r\nMaxDisplaySize=8000\r\n");
  const QString folder = QFileInfo(IniPath()).absolutePath();
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  RunStartupSteps();
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(History().count(QStringLiteral("could not be written")), 1);
}

TEST_F(StartupTest, ASettingsFileThatCannotBeReadIsKeptAndTheDefaultsRun) {
  const QByteArray mine =
      "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nShowDisclaim=0\r\n"
      "[FileMenu]\r\nMaxLastFiles=1\r\nLastFileLong1=/data/a.BNL\r\n";
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "a pipe" : "no read permission");
    QDir().mkpath(QFileInfo(IniPath()).absolutePath());
    QFile::remove(IniPath());
    if (pipe) {
      ASSERT_EQ(::mkfifo(QFile::encodeName(IniPath()).constData(), 0644), 0);
    } else {
      WriteFile(IniPath(), mine);
      QFile::setPermissions(IniPath(), QFileDevice::Permissions());
    }
    HistoryLog::Instance().Clear();
    {
      const test::ObeyFilePermissions obey;
      ASSERT_TRUE(obey.Valid());
      RunStartupSteps();
      RecentFileCount = 1;  // the recent-file list written at exit
      RecentFilePath[1] = QStringLiteral("/data/b.BNL");
      EXPECT_FALSE(SaveSettings(SettingsPart::FileMenu));
    }
    EXPECT_EQ(History().count(QStringLiteral("The settings file could not be read; the program runs on the "
                                             "default settings: ") +
                              IniPath()),
              1);
    EXPECT_TRUE(DisclaimerAtStart);
    EXPECT_EQ(HistoryMaxCharacters, 4096);
    const QFileInfo after(IniPath());
    if (pipe) {
      EXPECT_FALSE(after.isFile());
      EXPECT_TRUE(after.exists());
    } else {
      QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner);
      EXPECT_EQ(ReadFile(IniPath()), mine);
    }
  }
}

// A copy of the program that took the lock beside the settings file and
// hangs: it holds the lock until its input ends (or it is killed).
class LockHolder {
 public:
  explicit LockHolder(const QString& settingsFile) {
    process_.start(QStringLiteral(BRANTEL_SETTINGS_COPY), {settingsFile, QStringLiteral("hold")});
    held_ = process_.waitForReadyRead(10000) && process_.readLine().trimmed() == "held";
  }
  ~LockHolder() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) process_.kill();
    process_.waitForFinished(10000);
  }
  bool Held() const { return held_; }
  // Lets go of the lock as a copy that ends normally does.
  bool Finish() {
    process_.closeWriteChannel();
    return process_.waitForFinished(10000) && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
  }
  // Dies without a word: its lock file stays, naming a process that is gone.
  void Die() {
    process_.kill();
    process_.waitForFinished(10000);
  }

 private:
  QProcess process_;
  bool held_ = false;
};

qint64 Milliseconds(const std::function<void()>& run) {
  QElapsedTimer clock;
  clock.start();
  run();
  return clock.elapsed();
}

TEST_F(StartupTest, ACopyHangingWithTheLockHoldsNeitherStartNorExit) {
  QDir().mkpath(QFileInfo(IniPath()).absolutePath());
  LockHolder holder(IniPath());
  ASSERT_TRUE(holder.Held());
  // A first start writes the file and reads it back; Exit writes the
  // recent-file list. Each waits a moment for the lock, then goes on.
  EXPECT_LT(Milliseconds([] { RunStartupSteps(); }), 1000);
  AddRecentFile(QStringLiteral("/data/p.BNL"), RecentFileMark::Marked);
  bool saved = false;
  EXPECT_LT(Milliseconds([&] { saved = SaveSettings(SettingsPart::FileMenu); }), 1000);
  EXPECT_TRUE(saved);

  ReadAllSettings();
  ASSERT_EQ(RecentFileCount, 1);
  EXPECT_EQ(RecentFilePath[1], QStringLiteral("/data/p.BNL"));
  EXPECT_TRUE(DisclaimerAtStart);
  const QString withoutLock =
      QStringLiteral("The settings file was saved without its lock, which another copy of the program holds: ") +
      IniPath() + QStringLiteral(".lock");
  EXPECT_EQ(History().count(withoutLock), 2);
  // The other copy's lock is its own to let go.
  EXPECT_TRUE(QFileInfo::exists(IniPath() + QStringLiteral(".lock")));
  EXPECT_TRUE(holder.Finish());
  EXPECT_FALSE(QFileInfo::exists(IniPath() + QStringLiteral(".lock")));
}

TEST_F(StartupTest, AStaleLockInAReadOnlyFolderHoldsNeitherStartNorExit) {
  const QString folder = QFileInfo(IniPath()).absolutePath();
  QDir().mkpath(folder + QStringLiteral("/Temp"));
  WriteFile(IniPath(),
            "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nShowDisclaim=0\r\nDisplayHistoryWin=1\r\n"
            "[BrantelOptions]\r\nEnglishMenus=1\r\n");
  {
    LockHolder holder(IniPath());
    ASSERT_TRUE(holder.Held());
    holder.Die();
  }
  ASSERT_TRUE(QFileInfo::exists(IniPath() + QStringLiteral(".lock")));
  const QByteArray before = ReadFile(IniPath());
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  qint64 start = 0;
  qint64 exit = 0;
  bool saved = true;
  {
    // The superuser, too, is refused the folder meanwhile.
    const test::ObeyFilePermissions obey;
    if (obey.Valid()) {
      start = Milliseconds([] { RunStartupSteps(); });
      AddRecentFile(QStringLiteral("/data/p.BNL"), RecentFileMark::Marked);
      exit = Milliseconds([&] { saved = SaveSettings(SettingsPart::FileMenu); });
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!obey.Valid()) GTEST_SKIP() << "the superuser here writes in read-only folders";
  }
  EXPECT_LT(start, 1000);
  EXPECT_LT(exit, 1000);
  EXPECT_FALSE(DisclaimerAtStart);  // read as it stands
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(IniPath()), before);
  EXPECT_EQ(History().count(QStringLiteral("The settings file could not be written: ")), 1) << History().toStdString();
}

// A process id that no process has: that of a child that has ended.
pid_t GonePid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST_F(StartupTest, TheStartRemovesWhatItsSavesRecordedButNeverAFileTheUserMeansToOpenOrKeep) {
  const pid_t gone = GonePid();
  const QString projects = Home() + QStringLiteral("/projects/");
  // Saved by the user under names a save could give: the first recent
  // project, and a leftover named on the command line to recover work.
  const QString recent = WriteFile(SaveInProgressName(projects + QStringLiteral("p.BNL"), 4000000, 0), "project");
  const QString recovered = WriteFile(SaveInProgressName(projects + QStringLiteral("site.BNL"), gone, 3), "project");
  WriteFile(IniPath(),
            "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nShowDisclaim=0\r\n"
            "[FileMenu]\r\nMaxLastFiles=1\r\nLastFile1=p.BNL\r\nLastFileLong1=" +
                recent.toUtf8() + "\r\n");
  CommandLine = u'"' + recovered + u'"';
  // Records of the last version, as a save cut short left them; and a
  // leftover beside a recent project that no record names.
  const QString temp = Documents() + QStringLiteral("/MyBrantel/Temp/") + QLatin1String(kSaveRecordPrefix);
  WriteFile(temp + QStringLiteral("4000000-0"), QFile::encodeName(projects + QStringLiteral("p.BNL")) + '\n');
  WriteFile(temp + QString::number(gone) + QStringLiteral("-0"),
            QFile::encodeName(projects + QStringLiteral("site.BNL")) + '\n');
  WriteFile(temp + QString::number(gone) + QStringLiteral("-1"), QFile::encodeName(IniPath()) + '\n');
  const QString cutShort = WriteFile(SaveInProgressName(IniPath(), gone, 0), "leftover");
  const QString unrecorded = WriteFile(SaveInProgressName(recent, gone, 0), "leftover");
  RunStartupSteps();
  CommandLine.clear();
  ASSERT_TRUE(WaitForLeftoverCleanUp(std::chrono::seconds(10)));
  EXPECT_FALSE(QFileInfo::exists(cutShort));
  for (const QString& path : {recent, recovered, unrecorded})
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  EXPECT_EQ(QDir(UserTempFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_FALSE(DisclaimerAtStart);
}

TEST_F(StartupTest, TheStartRemovesTheViewersScratchCopiesOlderThanADay) {
  const QString temp = Documents() + QStringLiteral("/MyBrantel/Temp/");
  const QDateTime now = QDateTime::currentDateTime();
  const auto make = [&](const QString& name, qint64 ageSeconds) {
    const QString path = WriteFile(temp + name, QByteArray(1000, 'c'));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadWrite));
    EXPECT_TRUE(file.setFileTime(now.addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    return path;
  };
  const qint64 day = kScratchCopyAgeSeconds;
  const QStringList removed{make(QStringLiteral("~tmpbr-aB3xYz.tmp"), day + 60),
                            make(QStringLiteral("~tmpbr-000000.tmp"), 30 * day)};
  const QStringList kept{make(QStringLiteral("~tmpbr-qwerty.tmp"), day - 3600),  // still being viewed, maybe
                         make(QStringLiteral("~tmpbr-abcde.tmp"), 2 * day),      // not the viewer's names
                         make(QStringLiteral("~tmpbr-abcdefg.tmp"), 2 * day),
                         make(QStringLiteral("~tmpbr-abcdef.tmp.txt"), 2 * day),
                         make(QStringLiteral("~TMPBR-abcdef.tmp"), 2 * day),
                         make(QStringLiteral("~tmpdesc.tmp"), 2 * day),
                         make(QStringLiteral("Book1.xlsx"), 2 * day)};
  // A folder of the viewer's name is no copy.
  QDir().mkpath(temp + QStringLiteral("~tmpbr-folder.tmp"));
  RunStartupSteps();
  ASSERT_TRUE(WaitForLeftoverCleanUp(std::chrono::seconds(10)));
  for (const QString& path : removed) EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& path : kept) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  EXPECT_TRUE(QFileInfo(temp + QStringLiteral("~tmpbr-folder.tmp")).isDir());
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(StartupTest, TheProgramEndsAtOnceWhileItsCleanUpWaitsOnAFolderThatDoesNotAnswer) {
  // The death test runs this test again in a process of its own, which
  // ends with exit() (the program's static objects go) while the clean-up
  // it began still waits in the kernel, on a record of either form naming
  // a file in a folder that does not answer: the exit waits for nothing.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  test::StalledFolder stalled(Home() + QStringLiteral("/network"), std::chrono::seconds(10));
  if (!stalled.Valid()) GTEST_SKIP() << stalled.WhyNot().toStdString();
  const QString temp = Documents() + QStringLiteral("/MyBrantel/Temp/") + QLatin1String(kSaveRecordPrefix);
  const QByteArray target = QFile::encodeName(stalled.Path() + QStringLiteral("/projects/p.BNL"));
  WriteFile(temp + QStringLiteral("4000000-0"), target + '\0' + "p.BNL.~brantel-save-4000000-0" + '\0' + '\0');
  WriteFile(temp + QStringLiteral("4000001-0"), target + '\n');
  // That process ends without the application's own end, whose font
  // library keeps its caches: the leak checker of a sanitizer build would
  // report them.
  env_.Set("ASAN_OPTIONS", qgetenv("ASAN_OPTIONS") + ":detect_leaks=0");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EXIT(
      {
        RunStartupSteps();
        const bool waiting = !WaitForLeftoverCleanUp(std::chrono::milliseconds(200));
        // The exit skips the test's own clean-up: its home goes now.
        stalled.Detach();
        home_.remove();
        std::exit(waiting ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  // The process of its own starts and makes its folder too.
  EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(StartupTest, ADocumentsFolderThatDoesNotAnswerLeavesTheProgramInItsOwnFolderForTheRun) {
  const test::StalledFolder stalled(Home() + QStringLiteral("/network"), std::chrono::seconds(10));
  if (!stalled.Valid()) GTEST_SKIP() << stalled.WhyNot().toStdString();
  PointDocumentsAt(stalled.Path() + QStringLiteral("/Documents"));
  EXPECT_LT(Milliseconds([] { InitGlobals(); }), kUserFoldersWaitMs + 1000);
  EXPECT_EQ(UserFolder, AppFolder);
  EXPECT_EQ(UserTempFolder, AppFolder);
  EXPECT_EQ(History(), QStringLiteral("1. The documents folder does not answer; this time the program keeps its "
                                      "settings in its own folder: ") +
                           stalled.Path() + QStringLiteral("/Documents\r\n"));
}

TEST_F(StartupTest, DocumentsFolderWithOrWithoutTrailingSlash) {
  for (const QString& suffix : {QStringLiteral("/Docs"), QStringLiteral("/Docs/")}) {
    PointDocumentsAt(Home() + suffix);
    InitGlobals();
    EXPECT_EQ(UserFolder, Home() + QStringLiteral("/Docs/MyBrantel/"));
    EXPECT_EQ(UserTempFolder, Home() + QStringLiteral("/Docs/MyBrantel/Temp/"));
  }
}

TEST_F(StartupTest, FoldersThatCannotBeMadeFallBackToTheProgramFolder) {
  // No documents folder can exist below a plain file.
  WriteFile(Home() + QStringLiteral("/blocker"), "x");
  PointDocumentsAt(Home() + QStringLiteral("/blocker/Docs"));
  InitGlobals();
  EXPECT_EQ(UserFolder, AppFolder);
  EXPECT_EQ(UserTempFolder, AppFolder);

  // The documents folder exists but "MyBrantel" is a plain file.
  PointDocumentsAt(Home() + QStringLiteral("/Docs2"));
  WriteFile(Home() + QStringLiteral("/Docs2/MyBrantel"), "x");
  InitGlobals();
  EXPECT_EQ(UserFolder, AppFolder);
  EXPECT_EQ(UserTempFolder, AppFolder);
  EXPECT_EQ(AppFolder, QCoreApplication::applicationDirPath() + u'/');
}

TEST_F(StartupTest, GlobalsOfTheFirstSteps) {
  RunStartupSteps();
  EXPECT_EQ(AppTitle, QStringLiteral("Brantel"));
  EXPECT_EQ(ToolbarBitmapName, QStringLiteral("Brantel.bmp"));
  EXPECT_EQ(AppNameUpper, QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toUpper());
  EXPECT_EQ(ProjectSignatures[0], QStringLiteral("BRANTEL_100"));
  EXPECT_EQ(ProjectSignatures[10], QStringLiteral("BRANTEL_110"));
  EXPECT_EQ(UnitLabel(UnitSystem::Imperial, UnitRow::Length), QStringLiteral(" (ft)"));
  EXPECT_EQ(UnitLabel(UnitSystem::SI, UnitRow::Tonnage), QStringLiteral(" (tn)"));
  EXPECT_EQ(UnitLabel(UnitSystem::SI, UnitRow::LengthInFeetOrCentimetres), QStringLiteral(" (cm)"));
  EXPECT_EQ(UnitLabel(UnitSystem::Imperial, UnitRow::TonMomentPerArea), QStringLiteral(" (ton-ft/ft^2)"));
  EXPECT_EQ(UnitLabel(UnitSystem::SI, static_cast<UnitRow>(0)), QString());
  EXPECT_EQ(UnitLabel(UnitSystem::SI, static_cast<UnitRow>(kUnitRows + 1)), QString());
  EXPECT_EQ(UnitSystemNames[1], QStringLiteral("m, cm, kN, MPa, kN/m3"));
  EXPECT_EQ(MsgTitle, QStringLiteral("Message"));
  EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
  EXPECT_EQ(DescTempFile, SystemTempFolder + QStringLiteral("~tmpdesc.tmp"));
  EXPECT_TRUE(SystemTempFolder.endsWith(u'/'));
  EXPECT_EQ(AppHelpFile, AppFolder + QStringLiteral("Brantel.chm"));
  EXPECT_TRUE(Project.FileSaved);
  EXPECT_TRUE(Project.FileEmpty);
  // Graph defaults.
  EXPECT_EQ(CurveNames[1], QStringLiteral("sTangent"));
  EXPECT_EQ(CurveColours[1], ColourRGB(205, 92, 92));
  EXPECT_EQ(GraphDefaults.GraphStyle, CurveStyle::LinesAndSymbols);
  EXPECT_EQ(GraphDefaults.XTitles[0], QStringLiteral("Distance from the center"));
  EXPECT_FALSE(GraphSettingsValid);
  ResetGraphSettings();
  EXPECT_EQ(GraphSettings.GraphTitle, QStringLiteral("Stress Distribution Around a Circular Opening"));
  EXPECT_EQ(GraphUnits, UnitSystem::SI);
}

TEST_F(StartupTest, TheProcessWritesDecimalPoints) {
  RunStartupSteps();
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1.5");
  EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1.5"));
  EXPECT_EQ(GetDecimalSeparator(), QStringLiteral("."));
}

TEST(StartupCommaLocale, DesktopCommaBecomesDotForTheProcess) {
  if (platform::DesktopDecimalSeparator() != QStringLiteral(","))
    GTEST_SKIP() << "runs under a desktop locale with a decimal comma";
  ForceDotDecimalSeparator();
  EXPECT_EQ(SavedDecimalSeparator, QStringLiteral(","));
  EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral("."));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", 2.25);
  EXPECT_STREQ(buffer, "2.25");
  RestoreDecimalSeparator();
  // The desktop's own setting was never touched.
  EXPECT_EQ(platform::DesktopDecimalSeparator(), QStringLiteral(","));
}

TEST(VersionString, DottedAndCompactForms) {
  EXPECT_EQ(FormatVersion(2, 0, 7, VersionForm::Dotted), QStringLiteral("2.0.07"));
  EXPECT_EQ(FormatVersion(2, 0, 7, VersionForm::Digits), QStringLiteral("2007"));
  EXPECT_EQ(FormatVersion(1, 12, 123, VersionForm::Dotted), QStringLiteral("1.12.123"));
  EXPECT_EQ(GetVersionString(VersionForm::Dotted),
            FormatVersion(version::kMajor, version::kMinor, version::kRevision, VersionForm::Dotted));
}

TEST(CommandLine, ArgumentsJoinedByBlanks) {
  EXPECT_EQ(JoinCommandLine({QStringLiteral("brantel")}), QString());
  EXPECT_EQ(JoinCommandLine({QStringLiteral("brantel"), QStringLiteral("/x/my project.BNL")}),
            QStringLiteral("/x/my project.BNL"));
}

TEST_F(StartupTest, ATextFileCopiedForViewingEndsEveryLineWithCrLf) {
  const QString source = WriteFile(Home() + QStringLiteral("/in.txt"), "one\ntwo\r\nthree\rfour");
  const QString pattern = Home() + QStringLiteral("/Temp/~copy-XXXXXX.tmp");
  QDir().mkpath(Home() + QStringLiteral("/Temp"));
  const QString copy = CopyTextFileToNew(source, pattern, ReadLimit{1024, {}});
  ASSERT_FALSE(copy.isEmpty());
  EXPECT_EQ(ReadFile(copy), QByteArray("one\r\ntwo\r\nthree\r\nfour\r\n"));

  EXPECT_TRUE(CopyTextFileToNew(Home() + QStringLiteral("/missing.txt"), pattern, ReadLimit{1024, {}}).isEmpty());
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Requested File not found: ") + Home() + QStringLiteral("/missing.txt"));
  const QString nowhere = Home() + QStringLiteral("/no/folder/~copy-XXXXXX.tmp");
  EXPECT_TRUE(CopyTextFileToNew(source, nowhere, ReadLimit{1024, {}}).isEmpty());
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("File I/O problem with TMP file: ") + nowhere);
  EXPECT_FALSE(QDir(Home() + QStringLiteral("/no")).exists());
}

}  // namespace
}  // namespace brantel
