// Real message boxes that open while the help window is in front, on the
// platform the program runs on at the desktop (xcb, under Xvfb): each opens
// over the program's own window, closes, and leaves the program answering.
// A box that took the help window as its parent made the two windows each
// other's ancestor, and closing it hung the program; a hang here fails the
// test by its time limit.

#include "MainWindowFixture.h"

#include "core/update/Updater.h"
#include "maintenance/UpdateDialog.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/PrintPreview.h"
#include "platform/Printer.h"
#include "platform/WidgetMessageBox.h"
#include "support/LocalHttpServer.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <functional>

namespace brantel {
namespace {

using test::LocalHttpServer;
using test::MainWindowTest;
using test::WhenModalShows;

// Closes every real message box once it is in front, with the button that
// `choose` names for its text, and keeps what it saw.
class BoxCloser {
 public:
  struct Seen {
    QString text;
    QString owner;        // the class of the window the box stood over
    bool helpInFront;     // the help window had the keyboard as the box opened
    bool circle = false;  // the box's chain of transient parents came back to it
  };

  explicit BoxCloser(std::function<QMessageBox::StandardButton(const QString&)> choose) : choose_(std::move(choose)) {
    QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
    poll_.start(20);
    // The window in front before each box.
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, &poll_, [this](QWindow* window) {
      if (!window || !qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) ||
          window != QApplication::activeModalWidget()->windowHandle()) {
        beforeBox_ = window;
      }
    });
    beforeBox_ = QGuiApplication::focusWindow();
  }

  const std::vector<Seen>& Boxes() const { return seen_; }

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    if (box == current_) {
      // The box is closed once the desktop gave it the keyboard (or after a
      // while without it), as the user closes it.
      if (QGuiApplication::focusWindow() != box->windowHandle() && waited_.elapsed() < 2000) return;
      current_ = nullptr;
      seen_.back().circle = InACircle(box->windowHandle());
      QAbstractButton* button = box->button(choose_(box->text()));
      if (!button) {
        ADD_FAILURE() << "no such button for " << box->text().toStdString();
        box->reject();
        return;
      }
      button->click();
      return;
    }
    current_ = box;
    waited_.start();
    QWidget* owner = box->parentWidget();
    HelpWindow* help = HelpWindow::Existing();
    seen_.push_back({box->text(), owner ? QString::fromLatin1(owner->metaObject()->className()) : QString(),
                     help && beforeBox_ && beforeBox_ == help->windowHandle()});
  }

  // True when the chain of a window's transient parents leads back to it;
  // the walk is bounded, as the desktop's own is not.
  static bool InACircle(QWindow* window) {
    QWindow* w = window ? window->transientParent() : nullptr;
    for (int step = 0; w && step < 64; ++step, w = w->transientParent()) {
      if (w == window) return true;
    }
    return false;
  }

  std::function<QMessageBox::StandardButton(const QString&)> choose_;
  QTimer poll_;
  QPointer<QMessageBox> current_;
  QElapsedTimer waited_;
  QPointer<QWindow> beforeBox_;
  std::vector<Seen> seen_;
};

class BoxesBesideHelp : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    previousBoxes_ = SetMessageBoxHandler(&platform::ShowWidgetMessageBox);
    RegisterProgramTools();
    AppNameUpper = QStringLiteral("BRANTEL");
    UpdateFolderURL = server_.Url(QStringLiteral("/updates/"));
    YearlyUpdateReminder = false;  // the start-up check only where a test asks for it
  }
  void TearDown() override {
    HelpUninitialize();
    SetMessageBoxHandler(previousBoxes_);
    UpdateFolderURL.clear();
    MainWindowTest::TearDown();
  }

  // The main window on the screen and in front, with the help file beside
  // the program.
  MainWindow& ShowMainWindow() {
    QFile::remove(AppFolder + HelpFileName);
    EXPECT_TRUE(QFile::copy(QStringLiteral(BRANTEL_HELP_FILE), AppFolder + HelpFileName));
    MainWindow& w = LoadWindow();
    w.show();
    Activate(&w);
    return w;
  }

  // Gives a window the keyboard. A window is active as soon as the window
  // it is the transient child of is: the wait is for the window itself.
  static void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window->windowHandle(); }, 5000));
  }

  // F1 in a window, as the user presses it: the help window comes to the
  // front and takes the keyboard.
  static void PressF1In(QWidget* window) {
    QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_F1);
    HelpWindow* help = HelpWindow::Existing();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([help] { return QGuiApplication::focusWindow() == help->windowHandle(); }, 5000));
  }

  // A box opened while the help window had the keyboard stood over the
  // window whose class is `owner`, in no circle of transient parents, and
  // once it closed the event loop answers.
  static void ExpectBoxOverHelpClosedCleanly(const BoxCloser::Seen& box, const QString& owner) {
    EXPECT_TRUE(box.helpInFront);
    EXPECT_FALSE(box.circle);
    EXPECT_EQ(box.owner, owner);
    ExpectEventLoopAnswers();
  }

  // The event loop runs what it is given, within a second.
  static void ExpectEventLoopAnswers() {
    bool answered = false;
    QTimer::singleShot(0, [&answered] { answered = true; });
    EXPECT_TRUE(QTest::qWaitFor([&answered] { return answered; }, 1000));
  }

  static QString Newer() { return QString::number(CurrentVersionText().toLongLong() + 1); }

  MessageBoxHandler previousBoxes_;
  LocalHttpServer server_;
};

TEST_F(BoxesBesideHelp, APrintErrorOfThePreviewStandsOverThePreview) {
  MainWindow& w = ShowMainWindow();
  // A PDF file in a folder that is not there: the print stops with a printer
  // error.
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/folder/out.pdf"));
  BoxCloser closer([](const QString&) { return QMessageBox::Cancel; });
  bool printed = false;
  WhenModalShows<PrintPreview>([&](PrintPreview* preview) {
    Activate(preview);
    PressF1In(preview);
    preview->Layout().Require<QPushButton>(printpreview::kPrint)->click();
    printed = true;
    preview->reject();
  });
  OpenTool(Tool::PrintPreview, &w);
  EXPECT_TRUE(printed);
  ASSERT_EQ(closer.Boxes().size(), 1u);
  EXPECT_TRUE(closer.Boxes()[0].text.contains(QStringLiteral("Printer error: the PDF file ")) &&
              closer.Boxes()[0].text.contains(QStringLiteral("(482)")))
      << closer.Boxes()[0].text.toStdString();
  ExpectBoxOverHelpClosedCleanly(closer.Boxes()[0], QStringLiteral("brantel::PrintPreview"));
}

TEST_F(BoxesBesideHelp, AFinishedDownloadStandsOverTheUpdateWindow) {
  MainWindow& w = ShowMainWindow();
  server_.Serve("/updates/brantel_version.txt", 200, Newer().toLatin1() + "\r\n");
  // The setup arrives slowly enough for the user to turn to the help.
  LocalHttpServer::Response slow(200, QByteArray(40, 'x'));
  slow.mode = LocalHttpServer::Response::Mode::Trickle;
  slow.intervalMs = 75;
  server_.Serve("/updates/" + SetupFileNameOf(Newer()).toLatin1(), slow);
  BoxCloser closer([](const QString& text) {
    return text.startsWith(QStringLiteral("A new version")) ? QMessageBox::Yes : QMessageBox::Ok;
  });
  bool downloaded = false;
  WhenModalShows<UpdateDialog>([&](UpdateDialog* dialog) {
    Activate(dialog);
    Updater& transfers = dialog->Controller().Transfers();
    dialog->Layout().Require<QPushButton>(update::kCheckForUpdates)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return transfers.Downloading(); }, 10000));
    PressF1In(dialog);
    ASSERT_TRUE(transfers.Downloading());
    downloaded = QTest::qWaitFor([&] { return dialog->Controller().InstallEnabled(); }, 10000);
    dialog->Layout().Require<QPushButton>(update::kOk)->click();
  });
  OpenTool(Tool::ProgramUpdate, &w);
  EXPECT_TRUE(downloaded);
  ASSERT_EQ(closer.Boxes().size(), 2u);
  EXPECT_TRUE(closer.Boxes()[1].text.startsWith(QStringLiteral("Download completed. Program at: ")));
  ExpectBoxOverHelpClosedCleanly(closer.Boxes()[1], QStringLiteral("brantel::UpdateDialog"));
}

TEST_F(BoxesBesideHelp, TheStartupUpdateQuestionStandsOverTheMainWindow) {
  // The server's answer comes slowly enough for the user to turn to the help.
  LocalHttpServer::Response slow(200, Newer().toLatin1() + "\r\n");
  slow.mode = LocalHttpServer::Response::Mode::Trickle;
  slow.intervalMs = 250;
  server_.Serve("/updates/brantel_version.txt", slow);
  YearlyUpdateReminder = true;
  BoxCloser closer([](const QString&) { return QMessageBox::No; });
  MainWindow& w = ShowMainWindow();
  PressF1In(&w);
  ASSERT_TRUE(closer.Boxes().empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !closer.Boxes().empty(); }, 10000));
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 5000));
  EXPECT_TRUE(closer.Boxes()[0].text.contains(QStringLiteral("Proceed with Download and Install?")));
  ExpectBoxOverHelpClosedCleanly(closer.Boxes()[0], QStringLiteral("brantel::MainWindow"));
}

}  // namespace
}  // namespace brantel
