#include "mainwindow/MainWindowFixture.h"

#include "maintenance/UpdateController.h"
#include "maintenance/UpdateDialog.h"
#include "maintenance/Updater.h"
#include "platform/Launcher.h"
#include "support/LocalHttpServer.h"

#include <QElapsedTimer>
#include <QPushButton>

namespace brantel {
namespace {

using test::LocalHttpServer;
using test::MainWindowTest;
using test::TestWindow;

class UpdateCheckTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    UpdateFolderURL = server_.Url(QStringLiteral("/updates/"));
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    UpdateFolderURL.clear();
  }
  LocalHttpServer server_;
};

TEST_F(UpdateCheckTest, TheWindowShowsAtOnceAndTheCheckAnswersLater) {
  const QString newer = QString::number(CurrentVersionText().toLongLong() + 1);
  LocalHttpServer::Response slow;
  slow.mode = LocalHttpServer::Response::Mode::Silent;
  server_.Serve("/updates/brantel_version.txt", slow);

  // A server that never answers delays nothing.
  QElapsedTimer clock;
  clock.start();
  TestWindow& w = LoadWindow();
  w.show();
  QTest::qWait(300);
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_EQ(server_.Requests().size(), 1u);
  EXPECT_NE(w.findChild<StartupUpdateCheck*>(), nullptr);
  EXPECT_TRUE(boxes_->Shown().empty());

  // A server that answers: the offer comes while the window is up.
  server_.Serve("/updates/brantel_version.txt", 200, newer.toLatin1());
  window_.reset();
  TestWindow& again = LoadWindow();
  again.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes_->Shown().empty(); }, 10000));
  EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("A new BRANTEL version is available.")));
  EXPECT_TRUE(again.txtMain->toPlainText().contains(QStringLiteral("Server/Current: ") + newer + u'/' +
                                                    CurrentVersionText()));
  // Cancelled: the check is over and gone.
  EXPECT_TRUE(QTest::qWaitFor([&] { return again.findChild<StartupUpdateCheck*>() == nullptr; }, 2000));
}

TEST_F(UpdateCheckTest, RemindAnnualUpdatesOffMeansNoCheck) {
  RemindAnnualUpdates = 0;
  TestWindow& w = LoadWindow();
  QTest::qWait(200);
  EXPECT_EQ(w.findChild<StartupUpdateCheck*>(), nullptr);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(UpdateCheckTest, LeavingForAnUpdateAsksToSaveTheProjectFirst) {
  RemindAnnualUpdates = 0;
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = kFlagFalse;
  Project.ProjectPath = QStringLiteral("/data/tunnel.BNL");
  LeaveProgramForUpdate();
  EXPECT_TRUE(boxes_->Shown().empty()) << "closes only once the event loop is back";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes_->Shown().empty(); }, 2000));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: /data/tunnel.BNL?"));
  // Cancel keeps the program running.
  EXPECT_TRUE(w.isVisible());
}

TEST_F(UpdateCheckTest, HelpItemSixDownloadsAndLeavesThroughTheSavePrompt) {
  const QString newer = QString::number(CurrentVersionText().toLongLong() + 1);
  server_.Serve("/updates/brantel_version.txt", 200, newer.toLatin1());
  server_.Serve("/updates/brantel" + newer.toLatin1() + ".exe", 200, "setup");
  std::vector<QString> started, revealed;
  const platform::LauncherHandlers previous = platform::SetLauncherHandlers({
      [&](const QString& program, const QStringList&) { return started.push_back(program), true; },
      [](const QUrl&) { return true; },
      [&](const QString& path) { return revealed.push_back(path), true; },
  });
  RemindAnnualUpdates = 0;
  RegisterProgramTools();
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = kFlagFalse;
  Project.ProjectPath = QStringLiteral("/data/tunnel.BNL");
  // Download? Yes; the two notices; the save prompt: Cancel.
  for (const qint16 reply : {answer::kYes, answer::kOk, answer::kOk, answer::kCancel}) boxes_->Answer(reply);
  bool shown = false;
  test::WhenModalShows<frmUpdate>([&](frmUpdate* dialog) {
    shown = true;
    dialog->findChild<QPushButton*>(QStringLiteral("cmdCheck"))->click();
    auto* install = dialog->findChild<QPushButton*>(QStringLiteral("cmdInstall"));
    if (QTest::qWaitFor([&] { return install->isEnabled(); }, 10000)) install->click();
    else dialog->close();
  });
  w.mnuHelpItem_Click(6);
  EXPECT_TRUE(shown);
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_->Shown().size() == 4; }, 5000));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: /data/tunnel.BNL?"));
  EXPECT_EQ(revealed.size(), 1u);
  EXPECT_TRUE(started.empty());
  EXPECT_TRUE(w.isVisible());
  platform::SetLauncherHandlers(previous);
}

}  // namespace
}  // namespace brantel
