#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/platform/Launcher.h"
#include "core/update/Updater.h"
#include "maintenance/UpdateDialog.h"
#include "support/DialogTest.h"
#include "support/IniValues.h"
#include "support/LocalHttpServer.h"
#include "support/Renders.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>

namespace brantel {
namespace {

using test::LocalHttpServer;
using Mode = LocalHttpServer::Response::Mode;

const QByteArray kVersionPath = "/updates/brantel_version.txt";

class UpdateDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    UpdateFolderURL = server_.Url(QStringLiteral("/updates/"));
    WebPageURL = server_.Url(QStringLiteral("/brantel.html"));
    AppNameUpper = QStringLiteral("BRANTEL");
    previous_ = platform::SetLauncherHandlers({
        [this](const QString& program, const QStringList&) { return started_.push_back(program), true; },
        [this](const QUrl& url) { return opened_.push_back(url.toString()), true; },
        [this](const QString& path) { return revealed_.push_back(path), true; },
    });
  }
  void TearDown() override {
    DialogTest::TearDown();
    platform::SetLauncherHandlers(previous_);
    UpdateFolderURL.clear();
    WebPageURL.clear();
  }

  UpdateDialog& Open() { return DialogTest::Open<UpdateDialog>(); }
  static QString Newer() { return QString::number(CurrentVersionText().toLongLong() + 1); }
  QString SetupPath() const { return Home() + QStringLiteral("/Downloads/") + SetupFileNameOf(Newer()); }
  QByteArray SetupRoute() const { return "/updates/" + SetupFileNameOf(Newer()).toLatin1(); }
  bool Red(QAnyStringView label) const { return Control(label)->palette().color(QPalette::WindowText) == Qt::red; }
  // Presses "Check for Updates" and waits for the answer.
  void Check(UpdateDialog& dialog) {
    Press(update::kCheckForUpdates);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Controller().Transfers().Checking(); }, 10000));
  }

  LocalHttpServer server_;
  platform::LauncherHandlers previous_;
  std::vector<QString> started_, opened_, revealed_;
};

TEST_F(UpdateDialogTest, OpensWithItsTextsAndBothStepsWaiting) {
  UpdateDialog& dialog = Open();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Program Update for BRANTEL"));
  EXPECT_TRUE(Text(update::kAgeNotice).startsWith(QStringLiteral("This version was released ")));
  EXPECT_EQ(Text(update::kVersionInfo), QStringLiteral("Current Program Version: ") + CurrentVersionText() +
                                            QStringLiteral("\nCurrent Revision Date: 24-Mar-2023"));
  EXPECT_EQ(Text(update::kLastVersion), QStringLiteral("Version Available: "));
  EXPECT_EQ(Text(update::kWebPageLink), WebPageURL);
  EXPECT_EQ(Text(update::kBytesReceived), QString());
  EXPECT_FALSE(Enabled(update::kDownloadUpdate));
  EXPECT_FALSE(Enabled(update::kInstallUpdate));
  EXPECT_EQ(dialog.focusWidget(), Control(update::kOk));
  EXPECT_EQ(Control(update::kWebPageLink)->accessibleName(), QStringLiteral("URL to program web page:"));
  EXPECT_EQ(Control(update::kProgress)->accessibleName(), QStringLiteral("Download progress"));
  // Every caption fits its control.
  for (const char* name : {update::kCheckForUpdates, update::kDownloadUpdate, update::kInstallUpdate, update::kOk,
                           update::kDisableCheck, update::kWebPageLinkLabel}) {
    QWidget* w = Control(name);
    EXPECT_GE(w->width(), w->sizeHint().width()) << name;
  }
  for (const char* name : {update::kAgeNotice, update::kVersionInfo}) {
    auto* label = Control<QLabel>(name);
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
  }
  test::SaveRender(dialog, QStringLiteral("update"));

  // The link opens the web page, by a click or from the keyboard, and is
  // underlined while the pointer is over it.
  auto* link = Control<QLabel>(update::kWebPageLink);
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(link, &enter);
  EXPECT_TRUE(link->font().underline());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(link, &leave);
  EXPECT_FALSE(link->font().underline());
  QTest::mouseClick(link, Qt::LeftButton);
  QTest::keyClick(link, Qt::Key_Space);
  EXPECT_EQ(opened_, (std::vector<QString>{WebPageURL, WebPageURL}));
}

TEST_F(UpdateDialogTest, CheckDownloadAndInstallShowTheSetupAndNeverRunIt) {
  QByteArray setup(40000, Qt::Uninitialized);
  QRandomGenerator random(7);
  for (char& byte : setup) byte = static_cast<char>(random.generate() & 0xFF);
  server_.Serve(kVersionPath, 200, Newer().toLatin1() + "\r\n");
  LocalHttpServer::Response pieces(200, setup);
  pieces.pieces = 5;
  server_.Serve(SetupRoute(), pieces);

  UpdateDialog& dialog = Open();
  AnswerNextBox(Answer::Yes);  // "A new version is available. Download?"
  Press(update::kCheckForUpdates);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Enabled(update::kInstallUpdate); }, 10000));
  EXPECT_EQ(Text(update::kLastVersion), QStringLiteral("Server Version: ") + Newer() +
                                            QStringLiteral(" / Current Version: ") + CurrentVersionText());
  EXPECT_TRUE(Red(update::kLastVersion));
  EXPECT_TRUE(Enabled(update::kDownloadUpdate));
  EXPECT_EQ(Text(update::kBytesReceived), QStringLiteral("40000"));
  EXPECT_EQ(Control<QProgressBar>(update::kProgress)->value(), 3);  // three chunks of 16384 bytes
  EXPECT_EQ(LastMessage(), QStringLiteral("Download completed. Program at: ") + SetupPath());
  EXPECT_TRUE(ReadFile(SetupPath()) == setup);
  test::SaveRender(dialog, QStringLiteral("update-downloaded"));

  // Install shows the file in its folder, says what to do and leaves: the
  // window goes, and the setup program is never started.
  Press(update::kInstallUpdate);
  EXPECT_EQ(revealed_, std::vector<QString>{SetupPath()});
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("Run the setup program")));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(started_.empty());
  EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("RemindAnnualUpdates"), SettingsIniPath),
            QStringLiteral("1"));
}

TEST_F(UpdateDialogTest, EachAnswerOfTheServerShowsInTheWindow) {
  struct Case {
    LocalHttpServer::Response response;
    QString label;
    const char* message;
  };
  const QString same = QStringLiteral("Server Version: ") + CurrentVersionText() +
                       QStringLiteral(" / Current Version: ") + CurrentVersionText();
  const QString newer =
      QStringLiteral("Server Version: ") + Newer() + QStringLiteral(" / Current Version: ") + CurrentVersionText();
  const char* invalid = "Invalid information for new version. Check with developer.";
  const Case cases[] = {
      {{200, CurrentVersionText().toLatin1()}, same, "Program is up to date"},
      {{200, Newer().toLatin1() + ",x"}, newer, "A new version is available. Download?"},  // answered No
      {{404, "<html><body>404</body></html>"}, QStringLiteral("Internet Connection Failed"), nullptr},
      {{500, "<html><body>500</body></html>"}, QStringLiteral("Internet Connection Failed"), nullptr},
      {{200, "<html>2106</html>"}, QStringLiteral("Version Available: "), invalid},
      {{200, "../../brantel"}, QStringLiteral("Version Available: "), invalid},
      {{200, "1234567890"}, QStringLiteral("Version Available: "), invalid},
  };
  for (const Case& c : cases) {
    server_.Serve(kVersionPath, c.response);
    boxes_->Clear();
    AnswerNextBox(Answer::No);
    UpdateDialog& dialog = Open();
    Check(dialog);
    EXPECT_EQ(Text(update::kLastVersion), c.label) << c.response.body.constData();
    EXPECT_TRUE(Red(update::kLastVersion));
    EXPECT_EQ(LastMessage(), QString::fromLatin1(c.message ? c.message : "")) << c.response.body.constData();
    EXPECT_EQ(Enabled(update::kDownloadUpdate), c.label == newer);
    EXPECT_FALSE(Enabled(update::kInstallUpdate));
  }
  // Nothing but the version file was asked for.
  EXPECT_EQ(server_.RequestsFor(kVersionPath), static_cast<int>(server_.Requests().size()));

  // A refused port.
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  UpdateFolderURL = QStringLiteral("http://127.0.0.1:%1/updates/").arg(closed.serverPort());
  closed.close();
  Check(Open());
  EXPECT_EQ(Text(update::kLastVersion), QStringLiteral("Internet Connection Failed"));
}

TEST_F(UpdateDialogTest, ACheckThatFailsLeavesNoEarlierVersionOnShow) {
  const QString newer =
      QStringLiteral("Server Version: ") + Newer() + QStringLiteral(" / Current Version: ") + CurrentVersionText();
  const std::pair<LocalHttpServer::Response, QString> failures[] = {
      {{404, "<html><body>404</body></html>"}, QStringLiteral("Internet Connection Failed")},
      {{200, "garbage"}, QStringLiteral("Version Available: ")},
  };
  for (const auto& [failure, label] : failures) {
    UpdateDialog& dialog = Open();
    server_.Serve(kVersionPath, 200, Newer().toLatin1());
    AnswerNextBox(Answer::No);  // "A new version is available. Download?"
    Check(dialog);
    ASSERT_EQ(Text(update::kLastVersion), newer);
    ASSERT_TRUE(Enabled(update::kDownloadUpdate));

    server_.Serve(kVersionPath, failure);
    Check(dialog);
    EXPECT_EQ(Text(update::kLastVersion), label) << failure.body.constData();
    EXPECT_FALSE(Enabled(update::kDownloadUpdate)) << failure.body.constData();
    Press(update::kDownloadUpdate);
    EXPECT_FALSE(dialog.Controller().Transfers().Downloading());
  }
  EXPECT_EQ(server_.RequestsFor(SetupRoute()), 0);
}

TEST_F(UpdateDialogTest, ASilentServerTimesOutWhileTheWindowStaysLive) {
  LocalHttpServer::Response silent;
  silent.mode = Mode::Silent;
  server_.Serve(kVersionPath, silent);
  UpdateDialog& dialog = Open();
  dialog.Controller().Transfers().SetTimeout(400);
  Press(update::kCheckForUpdates);
  QTest::qWait(100);
  Press(update::kDisableCheck);     // the window answers meanwhile
  Press(update::kCheckForUpdates);  // and a second check waits for the first
  EXPECT_TRUE(Control<QCheckBox>(update::kDisableCheck)->isChecked());
  Check(dialog);
  EXPECT_EQ(Text(update::kLastVersion), QStringLiteral("Internet Connection Failed"));
  EXPECT_EQ(server_.RequestsFor(kVersionPath), 1);
}

TEST_F(UpdateDialogTest, ClosingStopsADownloadAndWritesTheSettings) {
  server_.Serve(kVersionPath, 200, Newer().toLatin1());
  LocalHttpServer::Response silent;
  silent.mode = Mode::Silent;
  server_.Serve(SetupRoute(), silent);
  enum class Close { Ok, CloseBox, Escape };
  const std::pair<Close, bool> cases[] = {{Close::Ok, false}, {Close::CloseBox, true}, {Close::Escape, false}};
  for (const auto& [how, tick] : cases) {
    QFile::remove(SettingsIniPath);
    YearlyUpdateReminder = true;
    UpdateDialog& dialog = Open();
    AnswerNextBox(Answer::Yes);
    Check(dialog);
    ASSERT_TRUE(dialog.Controller().Transfers().Downloading());
    if (tick) Press(update::kDisableCheck);
    boxes_->Clear();
    if (how == Close::Ok) Press(update::kOk);
    else if (how == Close::CloseBox) dialog.close();
    else QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Controller().Transfers().Downloading());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(YearlyUpdateReminder, !tick);
    EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("RemindAnnualUpdates"), SettingsIniPath),
              tick ? QStringLiteral("0") : QStringLiteral("1"));
  }
  const QDir downloads(Home() + QStringLiteral("/Downloads"));
  EXPECT_TRUE(downloads.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

}  // namespace
}  // namespace brantel
