// What reaches the disk when a file is saved: the file's bytes synced once
// before the rename, and the folder synced after it, so that the new name
// survives a power cut. Every fsync and fdatasync of this test program
// passes through the counters below on its way to the C library.

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/project/ProjectFile.h"
#include "core/update/Updater.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <functional>
#include <utility>
#include <vector>

namespace {

struct Syncs {
  std::vector<std::pair<dev_t, ino_t>> files;
  QStringList folders;

  // How often the file now at `path` was synced.
  long SyncsOf(const QString& path) const {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return std::count(files.begin(), files.end(), std::make_pair(st.st_dev, st.st_ino));
  }
};

Syncs g_syncs;

// While set, a temporary file without a name (O_TMPFILE) cannot be made,
// as on file systems that do not know them: the save falls back on a
// temporary file with a name.
bool g_namedTemporaryFiles = false;

// While set, the process is killed (SIGKILL) as a save renames its
// temporary file over the target: the save is cut short where it can
// leave a file behind.
bool g_killAtRename = false;

// While set, the process is killed as a save syncs its written file: the
// temporary file holds every byte, and the old file is still in place.
bool g_killAtSync = false;

// While not 0, every rename fails with this errno.
int g_renameError = 0;

// While not 0, pathconf reports this as every folder's longest file name,
// as FAT and exFAT report 1530.
long g_reportedNameLimit = 0;

void Note(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    char target[4096];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof target);
    g_syncs.folders << (n > 0 ? QString::fromLocal8Bit(target, n) : QString());
  } else if (S_ISREG(st.st_mode)) {
    g_syncs.files.emplace_back(st.st_dev, st.st_ino);
  }
}

template <typename F>
F Real(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

namespace {

int Open(const char* name, const char* path, int flags, va_list args) {
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) mode = va_arg(args, mode_t);
  if (g_namedTemporaryFiles && (flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return Real<int (*)(const char*, int, ...)>(name)(path, flags, mode);
}

}  // namespace

extern "C" int open64(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = Open("open64", path, flags, args);
  va_end(args);
  return fd;
}

extern "C" int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const int fd = Open("open", path, flags, args);
  va_end(args);
  return fd;
}

extern "C" int fsync(int fd) {
  static const auto real = Real<int (*)(int)>("fsync");
  Note(fd);
  return real(fd);
}

extern "C" int fdatasync(int fd) {
  static const auto real = Real<int (*)(int)>("fdatasync");
  if (g_killAtSync) ::raise(SIGKILL);
  Note(fd);
  return real(fd);
}

extern "C" long pathconf(const char* path, int name) {
  static const auto real = Real<long (*)(const char*, int)>("pathconf");
  if (name == _PC_NAME_MAX && g_reportedNameLimit != 0) return g_reportedNameLimit;
  return real(path, name);
}

extern "C" int rename(const char* from, const char* to) {
  static const auto real = Real<int (*)(const char*, const char*)>("rename");
  if (g_killAtRename) ::raise(SIGKILL);
  if (g_renameError) {
    errno = g_renameError;
    return -1;
  }
  return real(from, to);
}

namespace brantel {
namespace {

class DurableSaveTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    UserTempFolder = Home() + QStringLiteral("/Temp/");
    QDir().mkpath(UserTempFolder);
  }
  void TearDown() override {
    g_namedTemporaryFiles = false;
    g_renameError = 0;
    g_reportedNameLimit = 0;
    CoreTest::TearDown();
  }

  static Syncs Take() { return std::exchange(g_syncs, Syncs{}); }
  void SavesOneByOne();

  // Saves the bytes in a child process that is killed at the rename (or
  // the sync); returns the child's pid.
  static pid_t KilledSave(const QString& path, bool atSync) {
    const pid_t child = ::fork();
    if (child == 0) {
      // Random names of its own, as a process started anew would draw.
      QRandomGenerator::global()->discard(static_cast<unsigned long long>(::getpid()) * 64);
      (atSync ? g_killAtSync : g_killAtRename) = true;
      SaveFileAtomically(path, QByteArray(3000, 'n'));
      ::_exit(0);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    return child;
  }

  static QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  }
};

TEST_F(DurableSaveTest, EverySaveSyncsTheFileOnceAndThenItsFolder) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary files" : "temporary files without a name");
    g_namedTemporaryFiles = named;
    SavesOneByOne();
    // The new file has the old one's permissions, and no record is left.
    const QString shared = WriteFile(Home() + QStringLiteral("/shared.BNL"), "old");
    ASSERT_TRUE(QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_FALSE(SaveFileAtomically(shared, QByteArray("new")).has_value());
    EXPECT_EQ(QFileInfo(shared).permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    EXPECT_EQ(ReadFile(shared), QByteArray("new"));
    EXPECT_EQ(Names(UserTempFolder), QStringList());
    g_namedTemporaryFiles = false;
    for (const QString& name : QDir(Home()).entryList(QDir::Files | QDir::Hidden)) QFile::remove(Home() + u'/' + name);
    SetDefaultSettings();
  }
}

void DurableSaveTest::SavesOneByOne() {
  const QString text = Home() + QStringLiteral("/saved.txt");
  const QString project = Home() + QStringLiteral("/p.BNL");
  // A new file, the same file again as a download writes it, piece by
  // piece, the settings and a project.
  const std::pair<QString, std::function<bool()>> saves[] = {
      {text, [&] { return !SaveFileAtomically(text, QByteArray("first")); }},
      {text,
       [&] {
         AtomicFileWriter file;
         file.Open(text);
         for (int piece = 0; piece < 3; ++piece) file.Write(QByteArray(700, 'p'));
         return !file.Commit();  // the first failure, if any
       }},
      {SettingsIniPath, [] { return SaveSettings(SettingsPart::Everything); }},
      {project, [&] { return !WriteProjectFile(project, ProjectRecord{}); }},
  };
  for (const auto& [path, save] : saves) {
    Take();
    ASSERT_TRUE(save()) << path.toStdString();
    const Syncs syncs = Take();
    EXPECT_EQ(syncs.SyncsOf(path), 1) << path.toStdString();
    EXPECT_EQ(syncs.folders.join(u'|'), QFileInfo(Home()).canonicalFilePath());
  }
  EXPECT_EQ(ReadFile(text), QByteArray(2100, 'p'));
  EXPECT_EQ(QDir(Home()).entryList(QDir::Files | QDir::Hidden),
            QStringList({QStringLiteral("Brantel.INI"), QStringLiteral("p.BNL"), QStringLiteral("saved.txt")}));
}

TEST_F(DurableSaveTest, ASaveThroughALinkReplacesTheFileItNames) {
  const QString real = WriteFile(Home() + QStringLiteral("/real.BNL"), "old");
  const QString link = Home() + QStringLiteral("/link.BNL");
  ASSERT_TRUE(QFile::link(real, link));
  ASSERT_FALSE(SaveFileAtomically(link, QByteArray("new")).has_value());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadFile(real), QByteArray("new"));
}

TEST_F(DurableSaveTest, WhatASaveKilledMidwayLeavesIsRemovedAtTheNextStartAndNothingElse) {
  const QString project = WriteFile(Home() + QStringLiteral("/site.BNL"), "old");
  // The user's copies, one of them named as another program's temporary
  // file would be.
  const QStringList copies{WriteFile(project + QStringLiteral(".20240105.1"), "copy"),
                           WriteFile(project + QStringLiteral(".a1B2c3"), "copy")};
  const QStringList kept{QStringLiteral("site.BNL"), QStringLiteral("site.BNL.20240105.1"),
                         QStringLiteral("site.BNL.a1B2c3")};
  RecentFileCount = 1;
  RecentFilePath[1] = project;
  // Where the file system makes no file without a name (FAT, network and
  // FUSE file systems), the temporary file has a name from the start.
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary files" : "temporary files without a name");
    g_namedTemporaryFiles = named;
    constexpr int kKills = 100;
    QStringList left = kept;
    for (int kill = 0; kill < kKills; ++kill) {
      const bool atSync = kill % 2 == 1;
      const pid_t child = KilledSave(project, atSync);
      if (named || !atSync) left << QFileInfo(SaveInProgressName(project, child, 0)).fileName();
    }
    left.sort();
    EXPECT_EQ(Names(Home()), left);
    EXPECT_EQ(Names(UserTempFolder).size(), kKills);  // the records of the saves

    RemoveLeftoverFiles();
    EXPECT_EQ(Names(Home()), kept);
    EXPECT_EQ(ReadFile(project), QByteArray("old"));
    for (const QString& copy : copies) EXPECT_EQ(ReadFile(copy), QByteArray("copy"));
    EXPECT_EQ(Names(UserTempFolder), QStringList());
  }
}

TEST_F(DurableSaveTest, ASaveThroughALoopOfLinksIsRefusedAndTheLinksStay) {
  const QString first = Home() + QStringLiteral("/loop1.BNL");
  const QString second = Home() + QStringLiteral("/loop2.BNL");
  ASSERT_TRUE(QFile::link(second, first));
  ASSERT_TRUE(QFile::link(first, second));
  const std::optional<RuntimeError> error = WriteProjectFile(first, ProjectRecord{});
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(error->Description(), QStringLiteral("Too many levels of symbolic links: ") + first);
  EXPECT_EQ(QFileInfo(first).symLinkTarget(), second);
  EXPECT_EQ(QFileInfo(second).symLinkTarget(), first);
  EXPECT_EQ(Names(Home()), QStringList({QStringLiteral("loop1.BNL"), QStringLiteral("loop2.BNL")}));
  EXPECT_EQ(Names(UserTempFolder), QStringList());
}

TEST_F(DurableSaveTest, AFirstSaveUnderANewNameCutShortIsRemovedAtTheNextStart) {
  // Save As to a new name: the recent-file list does not hold it yet.
  const QString folder = Home() + QStringLiteral("/new/");
  QDir().mkpath(folder);
  const QString project = folder + QStringLiteral("fresh.BNL");
  const QString copy = WriteFile(project + QStringLiteral(".1"), "the user's");
  RecentFileCount = 0;
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary files" : "temporary files without a name");
    g_namedTemporaryFiles = named;
    const pid_t child = KilledSave(project, false);
    EXPECT_TRUE(QFileInfo::exists(SaveInProgressName(project, child, 0)));
    EXPECT_EQ(Names(UserTempFolder).size(), 1);

    RemoveLeftoverFiles();
    EXPECT_EQ(Names(folder), QStringList{QStringLiteral("fresh.BNL.1")});
    EXPECT_EQ(ReadFile(copy), QByteArray("the user's"));
    EXPECT_EQ(Names(UserTempFolder), QStringList());
  }
}

TEST_F(DurableSaveTest, ADownloadKilledMidwayLeavesNothingThatTheNextStartDoesNotRemove) {
  // A Downloads folder on a file system that makes no file without a name.
  g_namedTemporaryFiles = true;
  const QString version = QString::number(CurrentVersionText().toLongLong() + 1);
  const QString downloads = Home() + QStringLiteral("/Downloads");
  const QString setup = WriteFile(downloads + u'/' + SetupFileNameOf(version), "the copy downloaded before");
  const pid_t child = ::fork();
  if (child == 0) {
    test::LocalHttpServer server;
    test::LocalHttpServer::Response trickle(200, QByteArray(1000, 's'));
    trickle.mode = test::LocalHttpServer::Response::Mode::Trickle;
    trickle.intervalMs = 10;
    server.Serve("/updates/" + SetupFileNameOf(version).toLatin1(), trickle);
    UpdateFolderURL = server.Url(QStringLiteral("/updates/"));
    Updater updater;
    QObject::connect(&updater, &Updater::downloadProgress, [](qint64 received, qint64) {
      if (received > 0) ::raise(SIGKILL);
    });
    updater.DownloadSetup(version, setup);
    QTest::qWait(10000);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the download was not under way";
  EXPECT_EQ(Names(downloads),
            QStringList({SetupFileNameOf(version), QFileInfo(SaveInProgressName(setup, child, 0)).fileName()}));
  EXPECT_EQ(Names(UserTempFolder).size(), 1);

  RemoveLeftoverFiles();
  EXPECT_EQ(Names(downloads), QStringList{SetupFileNameOf(version)});
  EXPECT_EQ(ReadFile(setup), QByteArray("the copy downloaded before"));
  EXPECT_EQ(Names(UserTempFolder), QStringList());

  // Stopped by the program instead: nothing is left at all.
  {
    AtomicFileWriter stopped;
    ASSERT_FALSE(stopped.Open(setup).has_value());
    ASSERT_FALSE(stopped.Write(QByteArray(700, 's')).has_value());
    EXPECT_EQ(Names(downloads).size(), 2);
  }
  EXPECT_EQ(Names(downloads), QStringList{SetupFileNameOf(version)});
  EXPECT_EQ(Names(UserTempFolder), QStringList());
}

TEST_F(DurableSaveTest, ANameAtTheFileSystemsLimitSavesAndWhatItsSaveCutShortLeftIsRemoved) {
  // 255 bytes, in ASCII and in Greek letters of two bytes each; on a file
  // system that reports its own limit, and on one that reports 1530 as FAT
  // and exFAT do (255 characters of up to six bytes).
  QString greek;
  for (int i = 0; i < 125; ++i) greek += QChar(0x03B1 + i % 25);
  for (const QString& name : {QString(251, u'a') + QStringLiteral(".BNL"), greek + QStringLiteral("x.BNL")}) {
    ASSERT_EQ(QFile::encodeName(name).size(), 255);
    for (const auto& [named, reportedLimit] :
         {std::pair{false, 0L}, std::pair{true, 0L}, std::pair{false, 1530L}, std::pair{true, 1530L}}) {
      SCOPED_TRACE(named ? "named temporary files" : "temporary files without a name");
      SCOPED_TRACE(reportedLimit != 0 ? "a limit of 1530 reported" : "the file system's own limit");
      g_namedTemporaryFiles = named;
      g_reportedNameLimit = reportedLimit;
      const QString path = Home() + u'/' + name;
      ASSERT_FALSE(SaveFileAtomically(path, QByteArray("saved")).has_value());
      EXPECT_EQ(ReadFile(path), QByteArray("saved"));
      const QString left = QFileInfo(SaveInProgressName(path, KilledSave(path, false), 0)).fileName();
      QStringList both{name, left};
      both.sort();
      EXPECT_EQ(Names(Home()).join(u'|').toStdString(), both.join(u'|').toStdString());
      // Cut between two characters, under its own name.
      EXPECT_EQ(QFile::decodeName(QFile::encodeName(left)), left);
      EXPECT_TRUE(name.startsWith(left.left(left.indexOf(QLatin1String(kSaveInProgressMark)))));
      RemoveLeftoverFiles();
      EXPECT_EQ(Names(Home()).join(u'|').toStdString(), name.toStdString());
      QFile::remove(path);
    }
  }
}

TEST_F(DurableSaveTest, ARenameOntoAFileSystemMadeReadOnlyNamesTheFolderAndSaysItIsReadOnly) {
  // Remounted read-only while the save wrote (which a real remount refuses
  // while a file is open for writing): the rename is what fails.
  g_renameError = EROFS;
  const QString project = WriteFile(Home() + QStringLiteral("/p.BNL"), "old");
  const std::optional<RuntimeError> error = SaveFileAtomically(project, "new");
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::PermissionDenied);
  EXPECT_EQ(error->Description(), QStringLiteral("Permission denied: the folder \"") + Home() +
                                      QStringLiteral("\" is on a read-only file system"));
  EXPECT_EQ(ReadFile(project), QByteArray("old"));
  EXPECT_EQ(Names(Home()), QStringList{QStringLiteral("p.BNL")});
}

}  // namespace
}  // namespace brantel
