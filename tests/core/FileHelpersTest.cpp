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

TEST_F(FileHelpersTest, OnlyTheLeftoversOfSavesWhoseProcessIsGoneAreRemoved) {
  const pid_t gonePid = GonePid();
  const QString gone = QString::number(gonePid);
  const QString folder = Home() + QStringLiteral("/p/");
  const QString target = WriteFile(folder + QStringLiteral("my [1] *.BNL"), "project");
  const auto leftover = [](const QString& of, qint64 pid, int attempt) { return SaveInProgressName(of, pid, attempt); };
  const QStringList removed{leftover(target, gonePid, 0), leftover(target, gonePid, 99)};
  const QString mark = QLatin1String(kSaveInProgressMark);
  // A save under way.
  QStringList kept{leftover(target, QCoreApplication::applicationPid(), 0)};
  // The user's own copies, whatever the numbers in their names.
  kept << target + QStringLiteral(".20240105.1") << target + QStringLiteral(".2024.1")
       << target + QStringLiteral(".1.1") << target + u'.' + gone + QStringLiteral(".0");
  // Not quite the names a save gives; no process has the id 0.
  kept << target + mark + gone << target + mark + gone + u'-' << target + mark + gone + QStringLiteral("-0-1")
       << target + mark + gone + QStringLiteral("-0x") << target + mark + u'-' + gone + QStringLiteral("-0")
       << target + mark + QStringLiteral("0-0") << target + mark + QStringLiteral("99999999999999999999-0");
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

  EXPECT_EQ(RemoveAbandonedSaves(target), removed.size());
  for (const QString& path : removed) EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& path : kept) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  EXPECT_TRUE(QFileInfo(folderOfTheName).isDir());
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadFile(elsewhere), QByteArray("keep"));
  EXPECT_EQ(ReadFile(target), QByteArray("project"));

  // A project reached through a link: the save replaced the file the link
  // names, beside it. A missing project's folder is looked at all the same.
  const QString real = WriteFile(Home() + QStringLiteral("/real/r.BNL"), "real");
  const QString ofReal = WriteFile(leftover(real, gonePid, 0), "leftover");
  ASSERT_TRUE(QFile::link(real, folder + QStringLiteral("r.BNL")));
  EXPECT_EQ(RemoveAbandonedSaves(folder + QStringLiteral("r.BNL")), 1);
  EXPECT_FALSE(QFileInfo::exists(ofReal));
  const QString ofMissing = WriteFile(leftover(folder + QStringLiteral("deleted.BNL"), gonePid, 4), "x");
  EXPECT_EQ(RemoveAbandonedSaves(folder + QStringLiteral("deleted.BNL")), 1);
  EXPECT_FALSE(QFileInfo::exists(ofMissing));
  EXPECT_EQ(RemoveAbandonedSaves(QString()), 0);
  EXPECT_EQ(RemoveAbandonedSaves(Home() + QStringLiteral("/no/such/folder/x.BNL")), 0);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FileHelpersTest, TheRecordsOfSavesCutShortLeadToTheirOwnLeftoversAndNothingElse) {
  const pid_t gonePid = GonePid();
  const QString records = Home() + QStringLiteral("/Temp/");
  const auto record = [&](qint64 pid, int n, const QByteArray& text) {
    return WriteFile(records + QLatin1String(kSaveRecordPrefix) + QString::number(pid) + u'-' + QString::number(n),
                     text);
  };
  // A project with the user's copy beside it and what a save cut short left.
  const auto project = [&](const char* name) {
    const QString path = WriteFile(Home() + u'/' + QLatin1String(name) + QStringLiteral("/p.BNL"), "project");
    WriteFile(path + QStringLiteral(".1"), "copy");
    WriteFile(SaveInProgressName(path, gonePid, 0), "leftover");
    return path;
  };
  const QString cut = project("cut"), saving = project("saving"), cutRecord = project("cut-record"),
                huge = project("huge"), unreadable = project("unreadable");
  const pid_t live = QCoreApplication::applicationPid();
  const QStringList removed{record(gonePid, 0, QFile::encodeName(cut) + '\n'),
                            record(gonePid, 1, QFile::encodeName(cutRecord)),
                            record(gonePid, 2, QFile::encodeName(huge) + '\n')};
  // Past its first line, the large record is a gigabyte of nothing.
  ASSERT_TRUE(QFile::resize(removed.last(), qint64{1} << 30));
  const QStringList kept{record(live, 0, QFile::encodeName(saving) + '\n'),
                         record(gonePid, 3, QFile::encodeName(unreadable) + '\n')};
  {
    const test::ObeyFilePermissions obey;
    ASSERT_TRUE(obey.Valid());
    const QString folder = QFileInfo(unreadable).absolutePath();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(RemoveSavesCutShort(records), 1);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  for (const QString& path : removed) EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& path : kept) EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  for (const QString& target : {cut, saving, cutRecord, huge, unreadable}) {
    EXPECT_EQ(QFileInfo::exists(SaveInProgressName(target, gonePid, 0)), target != cut) << target.toStdString();
    EXPECT_EQ(ReadFile(target) + ReadFile(target + QStringLiteral(".1")), QByteArray("projectcopy"));
  }
  // Its folder readable again, the record is followed; one that could not
  // be followed for a month goes.
  EXPECT_EQ(RemoveSavesCutShort(records), 1);
  EXPECT_FALSE(QFileInfo::exists(SaveInProgressName(unreadable, gonePid, 0)));
  const QString old = record(gonePid, 4, "/no/such/folder/p.BNL\n");
  QFile file(old);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-kSaveRecordAgeSeconds - 60),
                               QFileDevice::FileModificationTime));
  const QString recent = record(gonePid, 5, "/no/such/folder/p.BNL\n");
  EXPECT_EQ(RemoveSavesCutShort(records), 0);
  EXPECT_FALSE(QFileInfo::exists(old));
  EXPECT_TRUE(QFileInfo::exists(recent));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST(PathJoining, OneSlashBetween) {
  EXPECT_EQ(JoinPath(QStringLiteral("/a/"), QStringLiteral("/b")), QStringLiteral("/a/b"));
  EXPECT_EQ(JoinPath(QStringLiteral("/a"), QStringLiteral("b/")), QStringLiteral("/a/b/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/a//")), QStringLiteral("/a/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
}

}  // namespace
}  // namespace brantel
