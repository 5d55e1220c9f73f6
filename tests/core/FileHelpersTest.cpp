#include "core/FileHelpers.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "support/FileSystemTricks.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

namespace brantel {
namespace {

using test::CoreTest;

class FileHelpersTest : public CoreTest {};

TEST_F(FileHelpersTest, FileExistsIsForFilesOnly) {
  const QString file = WriteFile(Home() + QStringLiteral("/a/project.BNL"), "x");
  const QString dotFile = WriteFile(Home() + QStringLiteral("/a/.hidden"), "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_TRUE(FileExists(dotFile));
  EXPECT_FALSE(FileExists(Home() + QStringLiteral("/a")));
  EXPECT_FALSE(FileExists(Home() + QStringLiteral("/a/")));
  EXPECT_FALSE(FileExists(Home() + QStringLiteral("/a/missing.BNL")));
  EXPECT_FALSE(FileExists(QString()));
  EXPECT_TRUE(FileExists(Home() + QStringLiteral("/a/*.BNL")));
  EXPECT_TRUE(FileExists(Home() + QStringLiteral("/a/project.???")));
  EXPECT_FALSE(FileExists(Home() + QStringLiteral("/a/*.txt")));
  EXPECT_FALSE(FileExists(Home() + QStringLiteral("/none/*.BNL")));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FileHelpersTest, ValidPathForFoldersAndFiles) {
  const QString file = WriteFile(Home() + QStringLiteral("/d/f.txt"), "x");
  EXPECT_TRUE(ValidPath(Home() + QStringLiteral("/d"), true));
  EXPECT_TRUE(ValidPath(Home() + QStringLiteral("/d/"), true));
  EXPECT_TRUE(ValidPath(file, true));
  EXPECT_FALSE(ValidPath(Home() + QStringLiteral("/nope/"), false));
  EXPECT_FALSE(ValidPath(file + QStringLiteral("/"), false));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FileHelpersTest, ValidPathReportsABadNameUnlessQuiet) {
  const QString bad = Home() + QStringLiteral("/a") + QChar(0) + QStringLiteral("b");
  EXPECT_FALSE(ValidPath(bad, true));
  EXPECT_TRUE(boxes_->Shown().empty());
  SetMessageTitles(TitlePrefix::Unnamed);
  EXPECT_FALSE(ValidPath(bad, false));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid path: ") + bad);
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Error"));
}

TEST_F(FileHelpersTest, StripPathCutsToTheFileName) {
  EXPECT_EQ(StripPath(QStringLiteral("/one/two/three/data.tar.BNL"), false), QStringLiteral("data.tar.BNL"));
  EXPECT_EQ(StripPath(QStringLiteral("/one/two/three/data.tar.BNL"), true), QStringLiteral("data"));
  EXPECT_EQ(StripPath(QStringLiteral("plain.BNL"), false), QStringLiteral("plain.BNL"));
  EXPECT_EQ(StripPath(QStringLiteral("/x/.profile"), true), QStringLiteral(".profile"));
  EXPECT_EQ(StripPath(QStringLiteral("/x/.config.bak"), true), QStringLiteral(".config"));
  EXPECT_EQ(StripPath(QString(), true), QString());
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FileHelpersTest, StripPathOfAFolderShowsAnErrorAndGivesThePathBack) {
  SetMessageTitles(TitlePrefix::Unnamed);
  const QString path = QStringLiteral("/a/b/c/");
  EXPECT_EQ(StripPath(path, false), path);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error in filename: c/"));
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Error"));
}

TEST_F(FileHelpersTest, AtomicSaveKeepsTheOldFileOnFailure) {
  const QString path = WriteFile(Home() + QStringLiteral("/keep.txt"), "old");
  EXPECT_FALSE(SaveFileAtomically(path, "new").has_value());
  EXPECT_EQ(ReadFile(path), QByteArray("new"));

  const auto missing = SaveFileAtomically(Home() + QStringLiteral("/no/such/x.txt"), "y");
  ASSERT_TRUE(missing.has_value());
  EXPECT_EQ(missing->Number(), ErrorNumber::PathNotFound);

  QDir().mkpath(Home() + QStringLiteral("/folder"));
  const auto folder = SaveFileAtomically(Home() + QStringLiteral("/folder"), "y");
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->Number(), ErrorNumber::PathFileAccess);
  EXPECT_EQ(QDir(Home()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.txt")});
}

TEST_F(FileHelpersTest, ASaveIntoAFolderThatTakesNoNewFileSaysSoAndKeepsTheOldFile) {
  const test::ObeyFilePermissions obey;
  ASSERT_TRUE(obey.Valid());
  const QString folder = Home() + QStringLiteral("/locked");
  const QString path = WriteFile(folder + QStringLiteral("/p.BNL"), "old");
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
  const std::optional<RuntimeError> error = SaveFileAtomically(path, "new");
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::PermissionDenied);
  EXPECT_EQ(error->Description(), QStringLiteral("Permission denied: the folder \"") + folder +
                                      QStringLiteral("\" cannot be written (a save makes its new file there)"));
  EXPECT_EQ(ReadFile(path), QByteArray("old"));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("p.BNL")});
}

TEST_F(FileHelpersTest, AReadStopsJustPastItsLimitWhateverSizeTheFileSays) {
  // A file of the system that says it is empty and never ends; the
  // settings file is read within its own limit.
  const QString endless = QStringLiteral("/proc/self/pagemap");
  QByteArray bytes;
  const std::optional<RuntimeError> error = ReadRegularFile(endless, bytes, ReadLimit{1 << 20, {}});
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Description(), QStringLiteral("it is too large: more than 1 MB"));
  EXPECT_TRUE(bytes.isEmpty());
  EXPECT_FALSE(IniDocument().Load(endless));
}

// A process id that no process has: that of a child that has ended.
pid_t GonePid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

// The records of saves in a scratch folder of the test's own, written as a
// save writes them.
class SaveRecordsTest : public CoreTest {
 protected:
  QString Records() const { return Home() + QStringLiteral("/Temp/"); }
  // A record of this version: the target, then the temporary file's name
  // and inode number (none for a file made under its name).
  QString Record(qint64 pid, int n, const QString& target, const QString& temporary = {},
                 std::optional<ino_t> inode = {}) {
    QByteArray text = QFile::encodeName(target) + '\0';
    if (!temporary.isEmpty()) {
      text += QFile::encodeName(QFileInfo(temporary).fileName()) + '\0';
      text += (inode ? QByteArray::number(static_cast<qulonglong>(*inode)) : QByteArray()) + '\0';
    }
    return RecordText(pid, n, text);
  }
  QString RecordText(qint64 pid, int n, const QByteArray& text) {
    return WriteFile(Records() + QLatin1String(kSaveRecordPrefix) + QString::number(pid) + u'-' + QString::number(n),
                     text);
  }
  static ino_t InodeOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_ino;
  }
  static void Age(const QString& path, qint64 seconds) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    // Made then, and not looked at since.
    for (const auto time : {QFileDevice::FileModificationTime, QFileDevice::FileAccessTime})
      ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), time));
  }
  int CleanUp() { return RemoveSavesCutShort(Records(), FileNamesIn(Records()), {}); }
};

TEST_F(SaveRecordsTest, RecordsOfTheLastVersionLeadToTheNamesItGaveAndNothingElseWithoutListingAFolder) {
  const pid_t gonePid = GonePid();
  const QString gone = QString::number(gonePid);
  const QString folder = Home() + QStringLiteral("/p/");
  const QString target = WriteFile(folder + QStringLiteral("my [1] *.BNL"), "project");
  const auto leftover = [](const QString& of, qint64 pid, int attempt) { return SaveInProgressName(of, pid, attempt); };
  const QStringList removed{leftover(target, gonePid, 0), leftover(target, gonePid, 99)};
  const QString mark = QLatin1String(kSaveInProgressMark);
  // The user's own copies, whatever the numbers in their names.
  QStringList kept{target + QStringLiteral(".20240105.1"), target + QStringLiteral(".2024.1"),
                   target + QStringLiteral(".1.1"), target + u'.' + gone + QStringLiteral(".0")};
  // Not quite the names a save gives, or of another process.
  kept << target + mark + gone << target + mark + gone + u'-' << target + mark + gone + QStringLiteral("-0-1")
       << target + mark + gone + QStringLiteral("-0x") << target + mark + u'-' + gone + QStringLiteral("-0")
       << leftover(target, gonePid + 1, 0) << leftover(target, gonePid, 100);
  // The leftovers of other files.
  for (const char* other : {"my [1] *.bnl", "y [1] *.BNL", "other.BNL"})
    kept << leftover(folder + QLatin1String(other), gonePid, 0);
  for (const QString& path : removed + kept) WriteFile(path, "leftover");
  // A folder or a link of such a name is not a save's file.
  const QString folderOfTheName = leftover(target, gonePid, 1);
  QDir().mkpath(folderOfTheName);
  const QString elsewhere = WriteFile(Home() + QStringLiteral("/elsewhere.txt"), "keep");
  const QString link = leftover(target, gonePid, 2);
  ASSERT_TRUE(QFile::link(elsewhere, link));
  const QString record = RecordText(gonePid, 0, QFile::encodeName(target) + '\n');

  // The names are looked up one by one: a folder that may be searched but
  // not listed gives them all the same.
  const test::ObeyFilePermissions obey;
  ASSERT_TRUE(obey.Valid());
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::WriteOwner | QFile::ExeOwner));
  EXPECT_EQ(CleanUp(), removed.size());
  ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  for (const QString& path : removed) EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& path : kept) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  EXPECT_TRUE(QFileInfo(folderOfTheName).isDir());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadFile(elsewhere), QByteArray("keep"));
  EXPECT_EQ(ReadFile(target), QByteArray("project"));
  EXPECT_FALSE(QFileInfo::exists(record));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(SaveRecordsTest, ARecordIsFollowedOnlyOnceItsLockIsFreeWhateverPidItsNameCarries) {
  const pid_t gonePid = GonePid();
  const auto project = [&](const char* name) {
    return WriteFile(Home() + u'/' + QLatin1String(name) + QStringLiteral("/p.BNL"), "project");
  };
  const auto temporary = [&](const QString& target, qint64 pid) {
    return WriteFile(SaveInProgressName(target, pid, 0), "temporary");
  };
  // Ended: a copy that ran as pid 1 in a namespace of its own, and one that
  // made its file without a name, linked just before the rename.
  const QString ended = project("ended"), unnamed = project("unnamed");
  const QStringList gone{temporary(ended, 1), temporary(unnamed, gonePid)};
  const QStringList removed{Record(1, 0, ended, gone[0]), Record(gonePid, 1, unnamed, gone[1], InodeOf(gone[1]))};
  // Under way, whatever its pid; and a file at the recorded name that is
  // not the one the save made.
  const QString running = project("running"), other = project("other");
  const QStringList kept{temporary(running, gonePid), temporary(other, gonePid)};
  const QString runningRecord = Record(gonePid, 2, running, kept[0]);
  const QString otherRecord = Record(gonePid, 3, other, kept[1], InodeOf(kept[1]) + 1);
  // Being written (made under its name, not locked yet), for a minute at
  // most; and larger than any record.
  const QString unwritten = RecordText(gonePid, 4, QByteArray());
  const QString stale = RecordText(gonePid, 5, QByteArray());
  Age(stale, kUnfinishedSaveRecordSeconds + 60);
  const QString huge = RecordText(gonePid, 6, QFile::encodeName(other) + '\n');
  ASSERT_TRUE(QFile::resize(huge, qint64{1} << 30));

  // Its lock held as a save holds it (a lock of another open of the file,
  // as of another process).
  const int save = ::open(QFile::encodeName(runningRecord).constData(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(::flock(save, LOCK_EX), 0);
  EXPECT_EQ(CleanUp(), 2);
  ::close(save);
  for (const QString& path : gone + removed + QStringList{otherRecord, stale, huge})
    EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& path : kept + QStringList{runningRecord, unwritten})
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

TEST_F(SaveRecordsTest, ARecordWaitsWhileNeitherItsTargetNorItsTemporaryFileIsThere) {
  const pid_t gonePid = GonePid();
  // A memory stick out, its mount folder left empty.
  const QString stick = Home() + QStringLiteral("/media/stick/");
  QDir().mkpath(stick);
  const QString project = stick + QStringLiteral("p.BNL");
  const QString named = SaveInProgressName(project, gonePid, 0);
  const QStringList records{Record(gonePid, 0, project, named),
                            RecordText(gonePid, 1, QFile::encodeName(stick + QStringLiteral("q.BNL")) + '\n')};
  EXPECT_EQ(CleanUp(), 0);
  for (const QString& record : records) EXPECT_TRUE(QFileInfo::exists(record)) << record.toStdString();
  // Back: the temporary files go, then their records.
  WriteFile(named, "temporary");
  WriteFile(SaveInProgressName(stick + QStringLiteral("q.BNL"), gonePid, 7), "temporary");
  EXPECT_EQ(CleanUp(), 2);
  EXPECT_EQ(QDir(stick).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_EQ(QDir(Records()).entryList(QDir::Files | QDir::Hidden), QStringList());

  // A folder that cannot be searched is tried again at a later start, for
  // a month.
  const QString locked = WriteFile(Home() + QStringLiteral("/locked/p.BNL"), "project");
  const QString lockedRecord = Record(gonePid, 2, locked, WriteFile(SaveInProgressName(locked, gonePid, 0), "t"));
  const QString old = Record(gonePid, 3, QStringLiteral("/no/such/folder/p.BNL"),
                             SaveInProgressName(QStringLiteral("/no/such/folder/p.BNL"), gonePid, 0));
  Age(old, kSaveRecordAgeSeconds + 60);
  {
    const test::ObeyFilePermissions obey;
    ASSERT_TRUE(obey.Valid());
    ASSERT_TRUE(QFile::setPermissions(QFileInfo(locked).absolutePath(), QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(CleanUp(), 0);
    QFile::setPermissions(QFileInfo(locked).absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  EXPECT_TRUE(QFileInfo::exists(lockedRecord));
  EXPECT_FALSE(QFileInfo::exists(old));
  EXPECT_EQ(CleanUp(), 1);
  EXPECT_EQ(QDir(Records()).entryList(QDir::Files | QDir::Hidden), QStringList());
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(SaveRecordsTest, AStartFollowsABoundedNumberOfRecordsTheOldestFirst) {
  const pid_t gonePid = GonePid();
  const QString project = WriteFile(Home() + QStringLiteral("/p/p.BNL"), "project");
  const int count = kMaxSaveRecordsPerStart + 20;
  QStringList temporaries;
  for (int n = 0; n < count; ++n) {
    temporaries << WriteFile(SaveInProgressName(project, gonePid, n), "temporary");
    Age(Record(gonePid, n, project, temporaries.back()), count - n);
  }
  EXPECT_EQ(CleanUp(), kMaxSaveRecordsPerStart);
  for (int n = 0; n < count; ++n) EXPECT_EQ(QFileInfo::exists(temporaries[n]), n >= kMaxSaveRecordsPerStart) << n;
  EXPECT_EQ(CleanUp(), 20);
}

TEST(PathJoining, OneSlashBetween) {
  EXPECT_EQ(JoinPath(QStringLiteral("/a/"), QStringLiteral("/b")), QStringLiteral("/a/b"));
  EXPECT_EQ(JoinPath(QStringLiteral("/a"), QStringLiteral("b/")), QStringLiteral("/a/b/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/a//")), QStringLiteral("/a/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
}

}  // namespace
}  // namespace brantel
