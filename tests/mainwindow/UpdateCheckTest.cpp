#include "mainwindow/MainWindowFixture.h"

#include "core/platform/Launcher.h"
#include "core/update/UpdateController.h"
#include "core/update/Updater.h"
#include "maintenance/UpdateDialog.h"
#include "mainwindow/CommandBar.h"
#include "support/LocalHttpServer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace brantel {
namespace {

using test::ChooseEntry;
using test::LocalHttpServer;
using test::MainWindowTest;
using test::TestWindow;

// Calls `seen` for every event of a type that reaches an object.
class EventSpy : public QObject {
 public:
  EventSpy(QObject* watched, QEvent::Type type, std::function<void()> seen) : type_(type), seen_(std::move(seen)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == type_) seen_();
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void()> seen_;
};

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
  EXPECT_TRUE(again.historyPane->toPlainText().contains(QStringLiteral("Server/Current: ") + newer + u'/' +
                                                        CurrentVersionText()));
  // Cancelled: the check is over and gone.
  EXPECT_TRUE(QTest::qWaitFor([&] { return again.findChild<StartupUpdateCheck*>() == nullptr; }, 2000));
}

TEST_F(UpdateCheckTest, TheCheckStartsFromTheEventLoopOnceTheWindowIsOnTheScreen) {
  server_.Serve("/updates/brantel_version.txt", 200, CurrentVersionText().toLatin1());
  TestWindow& w = LoadWindow();
  auto* check = w.findChild<StartupUpdateCheck*>();
  ASSERT_NE(check, nullptr);
  // The event loop runs, but the window is not shown yet.
  QTest::qWait(150);
  EXPECT_FALSE(check->Started());
  EXPECT_TRUE(server_.Requests().empty());
  // Not from show() itself: from the event loop, after the first paint.
  bool paintedBeforeTheCheck = false;
  EventSpy paints(&w, QEvent::Paint, [&] { paintedBeforeTheCheck |= !check->Started(); });
  w.show();
  EXPECT_FALSE(check->Started());
  ASSERT_TRUE(QTest::qWaitFor([&] { return server_.Requests().size() == 1; }, 5000));
  EXPECT_TRUE(paintedBeforeTheCheck);
  // The other start-up steps ran in their order before it: the captions
  // and the toolbar are there.
  EXPECT_FALSE(w.toolbar->actions().isEmpty());
}

TEST_F(UpdateCheckTest, YesToTheOfferOpensTheUpdateWindowWhichDownloadsAndInstalls) {
  const QString newer = QString::number(CurrentVersionText().toLongLong() + 1);
  server_.Serve("/updates/brantel_version.txt", 200, newer.toLatin1());
  LocalHttpServer::Response setup(200, QByteArray(70000, 's'));
  setup.pieces = 7;
  server_.Serve("/updates/brantel" + newer.toLatin1() + ".exe", setup);
  std::vector<QString> started, revealed;
  const platform::LauncherHandlers previous = platform::SetLauncherHandlers({
      [&](const QString& program, const QStringList&) { return started.push_back(program), true; },
      [](const QUrl&) { return true; },
      [&](const QString& path) { return revealed.push_back(path), true; },
  });
  TestWindow& w = LoadWindow();
  Project.FileSaved = false;
  Project.ProjectPath = QStringLiteral("/data/tunnel.BNL");
  // Proceed? Yes; "Download completed"; the install notice; the save
  // prompt: Cancel.
  for (const Answer reply : {Answer::Yes, Answer::Ok, Answer::Ok, Answer::Cancel}) boxes_->Answer(reply);
  w.show();

  // The update window comes up beside the main window and shows its steps.
  QPointer<UpdateDialog> update;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
          if (auto* found = qobject_cast<UpdateDialog*>(top); found && found->isVisible()) update = found;
        return !update.isNull();
      },
      10000));
  EXPECT_EQ(update->parentWidget(), nullptr);
  EXPECT_FALSE(update->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  // What the window shows at each of its steps.
  std::vector<QString> bytes;
  QString lastVersion;
  UpdateController& steps = update->Controller();
  QObject::connect(&steps, &UpdateController::changed, update, [&] {
    lastVersion = update->findChild<QLabel*>(QString::fromLatin1(update::kLastVersion))->text();
    bytes.push_back(update->findChild<QLabel*>(QString::fromLatin1(update::kBytesReceived))->text());
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_->Shown().size() == 4; }, 10000));
  EXPECT_EQ(lastVersion,
            QStringLiteral("Server Version: ") + newer + QStringLiteral(" / Current Version: ") + CurrentVersionText());
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), QStringLiteral("70000"));
  const QString path = Home() + QStringLiteral("/Downloads/brantel") + newer + QStringLiteral(".exe");
  EXPECT_TRUE(boxes_->Shown()[0].prompt.startsWith(QStringLiteral("A new BRANTEL version is available.")));
  EXPECT_EQ(boxes_->Shown()[1].prompt, QStringLiteral("Download completed. Program at: ") + path);
  EXPECT_TRUE(boxes_->Shown()[2].prompt.contains(QStringLiteral("Brantel will now close.")));
  EXPECT_EQ(boxes_->Shown()[3].prompt, QStringLiteral("Save changes to: /data/tunnel.BNL?"));
  EXPECT_EQ(revealed, std::vector<QString>{path});
  EXPECT_TRUE(started.empty());
  // Cancel at the save prompt: the program runs on, the update window is gone.
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return update.isNull(); }, 2000));
  EXPECT_EQ(server_.Requests().size(), 3u);  // the check, the window's check, the setup
  platform::SetLauncherHandlers(previous);
}

TEST_F(UpdateCheckTest, RemindAnnualUpdatesOffMeansNoCheck) {
  YearlyUpdateReminder = false;
  TestWindow& w = LoadWindow();
  QTest::qWait(200);
  EXPECT_EQ(w.findChild<StartupUpdateCheck*>(), nullptr);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(UpdateCheckTest, LeavingForAnUpdateAsksToSaveTheProjectFirst) {
  YearlyUpdateReminder = false;
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = false;
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
  YearlyUpdateReminder = false;
  RegisterProgramTools();
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = false;
  Project.ProjectPath = QStringLiteral("/data/tunnel.BNL");
  // Download? Yes; the two notices; the save prompt: Cancel.
  for (const Answer reply : {Answer::Yes, Answer::Ok, Answer::Ok, Answer::Cancel}) boxes_->Answer(reply);
  bool shown = false;
  test::WhenModalShows<UpdateDialog>([&](UpdateDialog* dialog) {
    shown = true;
    dialog->findChild<QPushButton*>(QString::fromLatin1(update::kCheckForUpdates))->click();
    auto* install = dialog->findChild<QPushButton*>(QString::fromLatin1(update::kInstallUpdate));
    if (QTest::qWaitFor([&] { return install->isEnabled(); }, 10000)) install->click();
    else dialog->close();
  });
  ChooseEntry(w, Tool::ProgramUpdate);
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
