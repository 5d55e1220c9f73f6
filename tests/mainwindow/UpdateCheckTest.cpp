#include "mainwindow/MainWindowFixture.h"

#include "maintenance/UpdateController.h"
#include "maintenance/Updater.h"
#include "support/LocalHttpServer.h"

#include <QElapsedTimer>

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

}  // namespace
}  // namespace brantel
