// What reaches the disk when a file is saved: the file's bytes synced once
// before the rename, and the folder synced after it, so that the new name
// survives a power cut. Every fsync and fdatasync of this test program
// passes through the counters below on its way to the C library.

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/project/ProjectFile.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

extern "C" int open64(const char* path, int flags, ...) {
  static const auto real = Real<int (*)(const char*, int, ...)>("open64");
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
    va_list args;
    va_start(args, flags);
    mode = va_arg(args, mode_t);
    va_end(args);
  }
  if (g_namedTemporaryFiles && (flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return real(path, flags, mode);
}

extern "C" int fsync(int fd) {
  static const auto real = Real<int (*)(int)>("fsync");
  Note(fd);
  return real(fd);
}

extern "C" int fdatasync(int fd) {
  static const auto real = Real<int (*)(int)>("fdatasync");
  Note(fd);
  return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
  static const auto real = Real<int (*)(const char*, const char*)>("rename");
  if (g_killAtRename) ::raise(SIGKILL);
  return real(from, to);
}

namespace brantel {
namespace {

class DurableSaveTest : public test::CoreTest {
 protected:
  static Syncs Take() { return std::exchange(g_syncs, Syncs{}); }
  void SavesOneByOne();
};

TEST_F(DurableSaveTest, EverySaveSyncsTheFileOnceAndThenItsFolder) {
  for (const bool named : {false, true}) {
    SCOPED_TRACE(named ? "named temporary files" : "temporary files without a name");
    g_namedTemporaryFiles = named;
    SavesOneByOne();
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
         QSaveFile file(text);
         if (!file.open(QIODevice::WriteOnly)) return false;
         for (int piece = 0; piece < 3; ++piece) file.write(QByteArray(700, 'p'));
         return !CommitAtomically(file);
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
  const QString copy = WriteFile(project + QStringLiteral(".20240105.1"), "the user's copy");
  RecentFileCount = 1;
  RecentFilePath[1] = project;
  const pid_t child = ::fork();
  if (child == 0) {
    g_killAtRename = true;
    SaveFileAtomically(project, QByteArray("new"));
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  const QStringList left = QDir(Home()).entryList({QStringLiteral("site.BNL*")}, QDir::Files | QDir::Hidden);
  ASSERT_EQ(left.size(), 3) << left.join(u' ').toStdString();
  EXPECT_TRUE(left.contains(QFileInfo(SaveInProgressName(project, child, 0)).fileName()));

  RemoveLeftoverFiles();
  EXPECT_EQ(QDir(Home()).entryList({QStringLiteral("site.BNL*")}, QDir::Files | QDir::Hidden),
            QStringList({QStringLiteral("site.BNL"), QStringLiteral("site.BNL.20240105.1")}));
  EXPECT_EQ(ReadFile(project), QByteArray("old"));
  EXPECT_EQ(ReadFile(copy), QByteArray("the user's copy"));
}

}  // namespace
}  // namespace brantel
