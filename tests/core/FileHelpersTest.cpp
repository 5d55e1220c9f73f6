#include "core/FileHelpers.h"
#include "core/Messages.h"
#include "support/TestEnvironment.h"

#include <QDir>

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
  SetMessageTitles(13);
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
  SetMessageTitles(13);
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
  EXPECT_EQ(missing->Number(), err::kPathNotFound);

  QDir().mkpath(Home() + QStringLiteral("/folder"));
  const auto folder = SaveFileAtomically(Home() + QStringLiteral("/folder"), "y");
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->Number(), err::kPathFileAccess);
  EXPECT_EQ(QDir(Home()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.txt")});
}

TEST(PathJoining, OneSlashBetween) {
  EXPECT_EQ(JoinPath(QStringLiteral("/a/"), QStringLiteral("/b")), QStringLiteral("/a/b"));
  EXPECT_EQ(JoinPath(QStringLiteral("/a"), QStringLiteral("b/")), QStringLiteral("/a/b/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/a//")), QStringLiteral("/a/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
}

}  // namespace
}  // namespace brantel
