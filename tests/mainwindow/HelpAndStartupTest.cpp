#include "MainWindowFixture.h"

#include "core/FileHelpers.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Logo.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/Version.h"
#include "core/platform/Launcher.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "maintenance/DisclaimerDialog.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/Main.h"
#include "platform/HelpMessageBox.h"
#include "platform/Printer.h"
#include "platform/WidgetMessageBox.h"
#include "support/IniValues.h"
#include "support/StalledFolder.h"
#include "tools/elasticity/RosetteDialog.h"
#include "tools/stress/Stress2DDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <chrono>

#include <sys/file.h>

namespace brantel {
namespace {

using test::ChooseEntry;
using test::MainWindowTest;
using test::TestWindow;
using test::WhenModalShows;

class HelpTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    platform::LauncherHandlers launcher;
    launcher.open = [this](const QUrl& url) {
      opened.push_back(url.toLocalFile());
      return openWorks;
    };
    platform::SetLauncherHandlers(launcher);
  }
  void TearDown() override {
    HelpUninitialize();
    platform::SetLauncherHandlers({});
    platform::SetHelpMessageBoxHandler({});
    MainWindowTest::TearDown();
  }
  // The help file the build made, beside the program.
  void InstallHelp() {
    QFile::remove(AppFolder + HelpFileName);
    ASSERT_TRUE(QFile::copy(QStringLiteral(BRANTEL_HELP_FILE), AppFolder + HelpFileName));
  }
  // The page the help window shows; "" when there is no help window.
  static QString ShownPage() {
    HelpWindow* help = HelpWindow::Existing();
    return help && help->isVisible() ? help->CurrentPage() : QString();
  }
  std::vector<QString> opened;
  bool openWorks = true;
};

TEST_F(HelpTest, HelpShowsInTheHelpWindowAndTheManualInTheDesktopsViewer) {
  TestWindow& w = LoadWindow();
  EXPECT_EQ(GetHelpFile(), AppFolder + QStringLiteral("Brantel.chm"));

  // Nothing beside the program yet.
  for (Command help : {Command::HelpContents, Command::HelpIndex, Command::HelpManual}) ChooseEntry(w, help);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(HelpWindow::Existing(), nullptr);
  ASSERT_EQ(boxes_->Shown().size(), 3u);
  EXPECT_EQ(boxes_->Shown()[0].prompt, QStringLiteral("Help file (Brantel.chm) not available"));
  EXPECT_EQ(boxes_->Shown()[1].prompt, QStringLiteral("Help file (Brantel.chm) not available"));
  EXPECT_EQ(boxes_->Shown()[2].prompt, QStringLiteral("Help file (Brantel.PDF) not available"));
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Help file (Brantel.PDF) not available")));

  // A help file that is no help file.
  WriteFile(AppFolder + QStringLiteral("Brantel.chm"), "help");
  ChooseEntry(w, Command::HelpContents);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Operation Failed"));
  EXPECT_EQ(HelpWindow::Existing(), nullptr);

  // The help the build made: contents and index in one window.
  InstallHelp();
  boxes_->Clear();
  ChooseEntry(w, Command::HelpContents);
  EXPECT_EQ(ShownPage(), QStringLiteral("contents.html"));
  HelpWindow* help = HelpWindow::Existing();
  ChooseEntry(w, Command::HelpIndex);
  EXPECT_EQ(ShownPage(), QStringLiteral("index.html"));
  EXPECT_EQ(HelpWindow::Existing(), help);
  EXPECT_TRUE(boxes_->Shown().empty());

  WriteFile(AppFolder + QStringLiteral("Brantel.PDF"), "%PDF");
  ChooseEntry(w, Command::HelpManual);
  EXPECT_EQ(opened, std::vector<QString>{AppFolder + QStringLiteral("Brantel.PDF")});
  EXPECT_TRUE(boxes_->Shown().empty());

  // A document the desktop cannot open.
  openWorks = false;
  ChooseEntry(w, Command::HelpManual);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Operation Failed"));

  // The separators do nothing.
  boxes_->Clear();
  int separators = 0;
  for (QAction* entry : w.MenuItems(Menu::Help)) {
    if (!entry->isSeparator()) continue;
    entry->trigger();
    ++separators;
  }
  EXPECT_EQ(separators, 3);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(HelpTest, F1ShowsTheTopicOfTheWindowInFront) {
  TestWindow& w = LoadWindow();
  InstallHelp();
  w.show();
  QApplication::setActiveWindow(&w);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(w.historyPane, Qt::Key_F1);
  EXPECT_EQ(ShownPage(), QStringLiteral("main-window.html"));

  // A window without a topic of its own shows the contents.
  QDialog dialog;
  auto* box = new QLineEdit(&dialog);
  dialog.open();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  box->setFocus();
  QTest::keyClick(box, Qt::Key_F1);
  EXPECT_EQ(ShownPage(), QStringLiteral("contents.html"));
  dialog.close();
}

TEST_F(HelpTest, F1InAToolShownModallyShowsItsPageInAWindowThatStaysUsable) {
  TestWindow& w = LoadWindow();
  InstallHelp();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QString inBox, onHelpButton;
  WhenModalShows<Stress2DDialog>([&](Stress2DDialog* dialog) {
    QApplication::setActiveWindow(dialog);
    auto* box = dialog->Layout().Require<QLineEdit>(stress2d::kSx);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);
    inBox = ShownPage();
    auto* help = dialog->Layout().Require<QPushButton>(stress2d::kHelp);
    help->setFocus();
    QTest::keyClick(help, Qt::Key_F1);
    onHelpButton = ShownPage();
    dialog->reject();
  });
  forms::ShowModal<Stress2DDialog>(nullptr);
  EXPECT_EQ(inBox, QStringLiteral("stress-2d.html"));
  EXPECT_EQ(onHelpButton, QStringLiteral("getting-help.html"));

  // The rosette's first box; the help window takes the keyboard while the
  // tool is still open (Alt+Left goes back to the rosette's page).
  QString shown, afterBack;
  WhenModalShows<RosetteDialog>([&](RosetteDialog* dialog) {
    QApplication::setActiveWindow(dialog);
    auto* box = dialog->Layout().Require<QLineEdit>(rosette::kReadingA);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);
    shown = ShownPage();
    HelpWindow* help = HelpWindow::Existing();
    if (help) {
      help->Browser()->setSource(HelpPageUrl(QStringLiteral("contents.html")));
      help->Browser()->setFocus();
      QTest::keyClick(help->windowHandle(), Qt::Key_Left, Qt::AltModifier);
      afterBack = help->CurrentPage();
    }
    dialog->reject();
  });
  forms::ShowModal<RosetteDialog>(nullptr);
  EXPECT_EQ(shown, QStringLiteral("strain-rosette.html"));
  EXPECT_EQ(afterBack, QStringLiteral("strain-rosette.html"));
}

TEST_F(HelpTest, AboutBoxIsNotLoggedAndItsHelpShowsTheAboutPage) {
  TestWindow& w = LoadWindow();
  InstallHelp();
  const QString before = History();
  QString shownText;
  Icon shownIcon = Icon::None;
  QString shownTitle;
  platform::SetHelpMessageBoxHandler(
      [&](const QString& text, Icon icon, const QString& title, const std::function<void()>& onHelp) {
        shownText = text;
        shownIcon = icon;
        shownTitle = title;
        onHelp();
        return Answer::Ok;
      });
  ChooseEntry(w, Command::About);
  EXPECT_EQ(History(), before);
  EXPECT_EQ(shownIcon, Icon::Information);
  EXPECT_EQ(shownTitle, QStringLiteral("About the BRANTEL Program"));
  const QString version =
      QStringLiteral("Version: %1.%2.%3\r\n\n").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision);
  EXPECT_TRUE(shownText.startsWith(QStringLiteral("BRANTEL\r\n\n") + version +
                                   QStringLiteral("Revision Date: 24-Mar-2023\r\n\n"
                                                  "This program was created and is currently maintained by:\r\n   ")));
  EXPECT_TRUE(shownText.contains(
      QStringLiteral("\r\n\nThe contribution of the following individuals is acknowledged:\r\na) ")));
  EXPECT_TRUE(shownText.endsWith(QStringLiteral("\r\n")));
  EXPECT_TRUE(shownText.contains(QStringLiteral("\r\nb) ")));
  EXPECT_EQ(ShownPage(), QStringLiteral("about.html"));
}

TEST_F(HelpTest, F1InTheAboutBoxShowsTheAboutPageAsItsHelpButtonDoes) {
  TestWindow& w = LoadWindow();
  InstallHelp();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  platform::InstallWidgetHelpMessageBox();
  QString onF1;
  bool stayedOpen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_F1);
    onF1 = ShownPage();
    stayedOpen = box->isVisible();
    box->button(QMessageBox::Ok)->click();
  });
  ChooseEntry(w, Command::About);
  EXPECT_EQ(onF1, QStringLiteral("about.html"));
  EXPECT_TRUE(stayedOpen);

  // F1 elsewhere is the program's own again.
  QTest::keyClick(w.historyPane, Qt::Key_F1);
  EXPECT_EQ(ShownPage(), QStringLiteral("main-window.html"));
}

TEST_F(HelpTest, AMessageBoxNeverStandsOverTheHelpWindowNorTheHelpUnderABoxOfItsOwn) {
  TestWindow& w = LoadWindow();
  InstallHelp();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ChooseEntry(w, Command::HelpContents);
  HelpWindow* help = HelpWindow::Existing();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(help));
  EXPECT_EQ(platform::MessageBoxOwner(), &w);

  // A modal window that the help window parents (no box does, but a window
  // may): the help window stays clear of it rather than becoming its child.
  QDialog fromHelp(help);
  fromHelp.setModal(true);
  fromHelp.show();
  fromHelp.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&fromHelp));
  EXPECT_NE(help->windowHandle()->transientParent(), fromHelp.windowHandle());
  EXPECT_EQ(platform::MessageBoxOwner(), &w);
  fromHelp.close();

  // A modal window of the program: the help follows it, and a box belongs
  // to it.
  QDialog tool(&w);
  tool.setModal(true);
  tool.show();
  tool.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&tool));
  EXPECT_EQ(help->windowHandle()->transientParent(), tool.windowHandle());
  help->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(help));
  EXPECT_EQ(platform::MessageBoxOwner(), &tool);
}

TEST_F(HelpTest, DecliningTheDisclaimerFromTheMenuClosesTheNormalWay) {
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = false;
  Project.ProjectPath = QStringLiteral("/data/wedge.BNL");
  WhenModalShows<DisclaimerDialog>([](DisclaimerDialog* d) {
    d->Layout().Require<QCheckBox>(disclaimer::kDoNotShowAgain)->setChecked(true);
    d->Layout().Require<QPushButton>(disclaimer::kDecline)->click();
  });
  boxes_->Answer(Answer::Cancel);  // the save question: stay
  ChooseEntry(w, Command::Disclaimer);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: /data/wedge.BNL?"));
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(DisclaimerAtStart);  // as the test set it: a declined box saves nothing
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));

  // Accepting leaves the window as it is.
  WhenModalShows<DisclaimerDialog>(
      [](DisclaimerDialog* d) { d->Layout().Require<QPushButton>(disclaimer::kAccept)->click(); });
  boxes_->Clear();
  ChooseEntry(w, Command::Disclaimer);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(w.isVisible());
}

class MainStartupTest : public MainWindowTest {
 protected:
  // A settings file of the current version with the disclaimer setting.
  void WriteSettings(int showDisclaim) {
    RunStartupSteps();  // a first start writes the file with the defaults
    ASSERT_TRUE(QFileInfo::exists(SettingsIniPath));
    WriteIniValue(QStringLiteral("Settings"), QStringLiteral("ShowDisclaim"), QString::number(showDisclaim),
                  SettingsIniPath);
    HistoryLog::Instance().Clear();
    HistoryCounter = 0;
  }
};

TEST_F(MainStartupTest, StartsWithANewProjectInTheShownWindow) {
  WriteSettings(0);
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(MainWindow::Instance(), window.get());
  EXPECT_EQ(window->windowTitle(), QStringLiteral(": Untitled"));
  EXPECT_EQ(Project.InputUnits, UnitSystem::SI);
  // Lines written before the window existed are in its pane.
  EXPECT_TRUE(window->historyPane->toPlainText().contains(QStringLiteral("File initialized")));
  EXPECT_EQ(window->historyPane->toPlainText(), History().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

TEST_F(MainStartupTest, TheWindowShowsAtOnceWhenTheRecordsOfSavesCutShortNameAFolderThatDoesNotAnswer) {
  WriteSettings(0);
  test::StalledFolder stalled(Home() + QStringLiteral("/network folder"), std::chrono::seconds(10));
  if (!stalled.Valid()) GTEST_SKIP() << stalled.WhyNot().toStdString();
  // A record of each form, of saves cut short on the folder that stopped
  // answering since.
  const QString records = UserTempFolder + QLatin1String(kSaveRecordPrefix);
  const QByteArray target = QFile::encodeName(stalled.Path() + QStringLiteral("/projects/p.BNL"));
  const QStringList kept{
      WriteFile(records + QStringLiteral("4000000-0"), target + '\0' + "p.BNL.~brantel-save-4000000-0" + '\0' + '\0'),
      WriteFile(records + QStringLiteral("4000001-0"), target + '\n')};
  QElapsedTimer clock;
  clock.start();
  std::unique_ptr<MainWindow> window = StartMainWindow();
  QCoreApplication::processEvents();  // the first paint
  EXPECT_LT(clock.elapsed(), 2000);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());

  // Cut off, the folder answers with an error at last: the clean-up ends,
  // and keeps both records, unlocked, for a later start.
  stalled.Release();
  ASSERT_TRUE(WaitForLeftoverCleanUp(std::chrono::seconds(10)));
  for (const QString& record : kept) {
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << record.toStdString();
    EXPECT_EQ(::flock(file.handle(), LOCK_EX | LOCK_NB), 0);
  }
}

TEST_F(MainStartupTest, TheLogoIsDrawnWholeAndCentredWhenTheWindowIsFirstPainted) {
  WriteSettings(0);
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  // The logo over the window's background, whose corner it leaves bare.
  const QImage drawn = window->logo->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage logo(drawn.size(), QImage::Format_ARGB32_Premultiplied);
  logo.fill(drawn.pixel(0, 0));
  QPainter(&logo).drawPixmap(0, 0, ProgramLogo());
  EXPECT_EQ(ProgramLogo().size(), drawn.size());
  EXPECT_EQ(drawn, logo);
  const QSize area = window->surface->size();
  EXPECT_EQ(window->logo->pos(),
            QPoint(area.width() / 2 - logo.width() / 2, (area.height() - logo.height() - forms::Px(1000)) / 2));
}

TEST_F(MainStartupTest, DecliningTheDisclaimerEndsBeforeTheWindowShowsAndWritesNothing) {
  WriteSettings(1);
  const QByteArray before = ReadFile(SettingsIniPath);
  WhenModalShows<DisclaimerDialog>([](DisclaimerDialog* d) {
    d->Layout().Require<QCheckBox>(disclaimer::kDoNotShowAgain)->setChecked(true);
    d->close();  // the close box declines
  });
  EXPECT_EQ(StartMainWindow(), nullptr);
  EXPECT_EQ(MainWindow::Instance(), nullptr);
  EXPECT_EQ(ReadFile(SettingsIniPath), before);
}

TEST_F(MainStartupTest, AcceptingWithTheBoxTickedTurnsTheDisclaimerOff) {
  WriteSettings(1);
  WhenModalShows<DisclaimerDialog>([](DisclaimerDialog* d) {
    d->Layout().Require<QCheckBox>(disclaimer::kDoNotShowAgain)->setChecked(true);
    d->Layout().Require<QPushButton>(disclaimer::kAccept)->click();
  });
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(DisclaimerAtStart);
  EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("ShowDisclaim"), SettingsIniPath),
            QStringLiteral("0"));
}

TEST_F(MainStartupTest, ARelativeCommandLinePathNamesAFileOfTheStartFolder) {
  const QString start = QStringLiteral("/start/here");
  EXPECT_EQ(ResolveCommandLine(QString(), start), QString());
  EXPECT_EQ(ResolveCommandLine(QStringLiteral("/x/a.BNL"), start), QStringLiteral("/x/a.BNL"));
  EXPECT_EQ(ResolveCommandLine(QStringLiteral("\"/x/a b.BNL\""), start), QStringLiteral("\"/x/a b.BNL\""));
  EXPECT_EQ(ResolveCommandLine(QStringLiteral("\"a b.BNL\""), start), QStringLiteral("/start/here/a b.BNL"));
  EXPECT_EQ(ResolveCommandLine(QStringLiteral("../p/a.BNL"), start), QStringLiteral("/start/p/a.BNL"));

  // The window's load makes the program folder current; the file is found
  // all the same.
  WriteSettings(0);
  const QString folder = Home() + QStringLiteral("/work");
  QDir().mkpath(folder);
  ASSERT_FALSE(WriteProjectFile(folder + QStringLiteral("/p.BNL"), Project));
  CommandLine = ResolveCommandLine(QStringLiteral("p.BNL"), folder);
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(QDir::currentPath() + u'/', AppFolder);
  EXPECT_EQ(Project.ProjectPath, folder + QStringLiteral("/p.BNL"));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(MainStartupTest, ACommandLineProjectThatAppearsLaterOpensAtTheNextActivation) {
  WriteSettings(0);
  const QString later = Home() + QStringLiteral("/work/later.BNL");
  CommandLine = later;
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  // Nothing to open: the missing file is named once; the new project of
  // start-up keeps its name.
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(later + QStringLiteral("\": the file does not exist")));
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral(": Untitled"));
  const qsizetype tried = History().count(QStringLiteral("Command: ") + later);
  EXPECT_GE(tried, 1);

  Project.Stress2D.Sx = 7.0f;
  ASSERT_TRUE(QDir().mkpath(Home() + QStringLiteral("/work")));
  ASSERT_FALSE(WriteProjectFile(later, Project));
  Project.Stress2D.Sx = 0.0f;
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(Project.ProjectPath, later);
  EXPECT_EQ(Project.Stress2D.Sx, 7.0f);
  EXPECT_EQ(History().count(QStringLiteral("Opening: ") + later), 1);
  EXPECT_EQ(History().count(QStringLiteral("Command: ") + later), tried + 1);
  EXPECT_EQ(boxes_->Shown().size(), 1u);

  // Opened: the later activations leave it be.
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  EXPECT_EQ(History().count(QStringLiteral("Command: ") + later), tried + 1);
  EXPECT_EQ(History().count(QStringLiteral("Opening: ") + later), 1);
}

// From the start, before any tool or the description box has been opened,
// Ctrl+V and Shift+Insert with no text on the clipboard change no box of the
// desktop's dialogs: File > Open's name box, Printer Setup's output file.
TEST_F(MainStartupTest, APasteOfNothingChangesNoBoxOfTheDesktopsDialogsFromTheStart) {
  WriteSettings(0);
  RegisterProgramTools();
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  platform::SystemPrinter().setOutputFormat(QPrinter::PdfFormat);
  platform::SystemPrinter().setOutputFileName(Home() + QStringLiteral("/listing.pdf"));
  struct Box {
    std::function<void()> open;
    const char* name;
  };
  const Box boxes[] = {{[&] { ChooseEntry(*window, Command::Open); }, "fileNameEdit"},
                       {[&] { ChooseEntry(*window, Tool::PrinterSetup); }, "filename"}};
  for (const Box& box : boxes) {
    QString before;
    QString after;
    WhenModalShows<QDialog>([&](QDialog* dialog) {
      auto* line = dialog->findChild<QLineEdit*>(QLatin1String(box.name));
      if (line) {
        line->setText(QStringLiteral("kept.BNL"));
        line->setFocus();
        line->selectAll();
        before = line->text();
        for (const QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection})
          QGuiApplication::clipboard()->clear(mode);
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        QTest::keyClick(line, Qt::Key_Insert, Qt::ShiftModifier);
        after = line->text();
      }
      dialog->reject();
    });
    box.open();
    EXPECT_FALSE(before.isEmpty()) << box.name << " was not found";
    EXPECT_EQ(after.toStdString(), before.toStdString()) << box.name;
  }
}

TEST_F(MainStartupTest, TheProgramRunsUntilItsWindowCloses) {
  WriteSettings(1);
  WhenModalShows<DisclaimerDialog>(
      [](DisclaimerDialog* d) { d->Layout().Require<QPushButton>(disclaimer::kAccept)->click(); });
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  // The closed disclaimer does not end the event loop; closing the window does.
  bool closed = false;
  bool stuck = false;
  QTimer::singleShot(200, window.get(), [&] { closed = window->close(); });
  QTimer::singleShot(10000, [&] {
    stuck = true;
    QCoreApplication::quit();
  });
  QCoreApplication::exec();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(stuck);
}

}  // namespace
}  // namespace brantel
