// The setup download onto a Downloads folder that fills up: a 64 KB memory
// file system of its own (in the mount namespace that the test program
// enters at start).

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/platform/Launcher.h"
#include "core/update/UpdateController.h"
#include "core/update/Updater.h"
#include "support/FileSystemTricks.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

#include <optional>

namespace brantel {
namespace {

using test::LocalHttpServer;

class UpdateFullDiskTest : public test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    if (!test::InOwnMountNamespace()) GTEST_SKIP() << "this machine gives a test no mount namespace";
    disk_.emplace(Downloads(), 64);
    if (!disk_->Valid()) GTEST_SKIP() << "no memory file system could be mounted";
    UpdateFolderURL = server_.Url(QStringLiteral("/updates/"));
    AppNameUpper = QStringLiteral("BRANTEL");
    UserFolder = Documents() + QStringLiteral("/MyBrantel/");
    previous_ = platform::SetLauncherHandlers({
        [](const QString&, const QStringList&) { return true; },
        [](const QUrl&) { return true; },
        [](const QString&) { return true; },
    });
    server_.Serve("/updates/brantel_version.txt", 200, Newer().toLatin1());
  }
  void TearDown() override {
    disk_.reset();
    platform::SetLauncherHandlers(previous_);
    UpdateFolderURL.clear();
    CoreTest::TearDown();
  }

  static QString Newer() { return QString::number(CurrentVersionText().toLongLong() + 1); }
  QString Downloads() const { return Home() + QStringLiteral("/Downloads"); }
  QString SetupPath() const { return Downloads() + u'/' + SetupFileNameOf(Newer()); }
  QByteArray SetupRoute() const { return "/updates/" + SetupFileNameOf(Newer()).toLatin1(); }
  QStringList DiskFiles() const { return QDir(Downloads()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

  // "Check for Updates", the answers, and the end of the download.
  void CheckAndDownload(UpdateController& window, std::initializer_list<Answer> answers) {
    for (const Answer answer : answers) boxes_->Answer(answer);
    bool over = false;
    QObject::connect(&window, &UpdateController::downloadFinished, [&] { over = true; });
    window.Check();
    ASSERT_TRUE(QTest::qWaitFor([&] { return over; }, 10000));
  }

  LocalHttpServer server_;
  std::optional<test::TinyFileSystem> disk_;
  platform::LauncherHandlers previous_;
};

TEST_F(UpdateFullDiskTest, AnEndlessSetupFillsTheDiskOnlyUntilItIsReportedAsDiskFull) {
  LocalHttpServer::Response endless;
  endless.mode = LocalHttpServer::Response::Mode::Endless;
  server_.Serve(SetupRoute(), endless);
  // After Yes to the download, Retry downloads again, onto a disk as full
  // as before; Cancel ends.
  UpdateController window;
  CheckAndDownload(window, {Answer::Yes, Answer::Retry, Answer::Cancel});

  const QString disk = QStringLiteral("Error occurred: Disk full: ") + SetupPath() + QStringLiteral(" (61)");
  ASSERT_EQ(boxes_->Shown().size(), 3u);
  EXPECT_EQ(boxes_->Shown()[1].prompt, disk);
  EXPECT_EQ(boxes_->Shown()[1].style, Buttons::RetryCancel);
  EXPECT_EQ(boxes_->Shown()[2].prompt, disk);
  EXPECT_EQ(server_.RequestsFor(SetupRoute()), 2);
  EXPECT_FALSE(window.InstallEnabled());
  // Nothing of it is left: the disk has its room back.
  EXPECT_TRUE(DiskFiles().isEmpty()) << DiskFiles().join(u' ').toStdString();
  EXPECT_FALSE(SaveFileAtomically(Downloads() + QStringLiteral("/room"), QByteArray(32 * 1024, 'r')).has_value());
}

TEST_F(UpdateFullDiskTest, ASmallSetupThatFitsOnlyTheWriteBufferIsReportedToo) {
  server_.Serve(SetupRoute(), 200, QByteArray(1300, 's'));
  ASSERT_TRUE(disk_->FillUp());
  UpdateController window;
  CheckAndDownload(window, {Answer::Yes});
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Error occurred: Disk full: ") + SetupPath() + QStringLiteral(" (61)"));
  EXPECT_FALSE(window.InstallEnabled());
  EXPECT_EQ(DiskFiles(), QStringList{QStringLiteral("filler")});
}

}  // namespace
}  // namespace brantel
