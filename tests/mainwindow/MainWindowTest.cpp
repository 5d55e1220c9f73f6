#include "MainWindowFixture.h"

#include "core/Fonts.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/IconStrip.h"
#include "platform/CommonDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <map>

namespace brantel {
namespace {

using test::ChooseEntry;
using test::MainWindowTest;
using test::TestWindow;

TEST_F(MainWindowTest, HistoryFromBeforeTheWindowShowsAndFollowsEveryLine) {
  AddHistoryLine(QStringLiteral("logged at start-up"));
  TestWindow& w = LoadWindow();
  EXPECT_TRUE(w.historyPane->toPlainText().startsWith(QStringLiteral("1. logged at start-up")));
  AddHistoryLine(QStringLiteral("later"));
  EXPECT_TRUE(w.historyPane->toPlainText().contains(QStringLiteral("2. later")));
  EXPECT_TRUE(w.historyPane->textCursor().atEnd());

  // Clear empties the pane; the numbering goes on.
  ChooseEntry(w, Command::ClearHistory);
  EXPECT_TRUE(w.historyPane->toPlainText().isEmpty());
  AddHistoryLine(QStringLiteral("after"));
  EXPECT_EQ(w.historyPane->toPlainText(), QStringLiteral("3. after\n"));
}

// The pane follows the history line by line and cut by cut; it must show
// what the whole history text would show, with every kind of line break a
// logged text may carry.
TEST_F(MainWindowTest, ThePaneShowsTheHistoryAsAWholeTextWouldThroughEveryCut) {
  HistoryMaxCharacters = 4096;
  TestWindow& w = LoadWindow();
  QPlainTextEdit whole;
  const QString odd[] = {QStringLiteral("a\rb"),
                         QStringLiteral("c\nd"),
                         QStringLiteral("e\r\nf"),
                         QStringLiteral("g\r"),
                         QString(QChar::ParagraphSeparator) + u'h',
                         QString()};
  int cuts = 0;
  for (int i = 0; i < 400; ++i) {
    const qsizetype before = History().size();
    AddHistoryLine(QString(i % 7 * 40, u'x') + odd[i % 6]);
    cuts += History().size() < before ? 1 : 0;
    whole.setPlainText(History());
    ASSERT_EQ(w.historyPane->toPlainText(), whole.toPlainText()) << "line " << i;
  }
  EXPECT_GE(cuts, 5);
  EXPECT_TRUE(w.historyPane->textCursor().atEnd());
  EXPECT_FALSE(w.historyPane->document()->isUndoAvailable());  // a read-only pane keeps no undo steps
}

TEST_F(MainWindowTest, MenuCaptionsInBothLanguages) {
  TestWindow& w = LoadWindow();
  EXPECT_EQ(w.fileMenu->title(), QStringLiteral("&File"));
  EXPECT_EQ(w.inputMenu->title(), QStringLiteral("&Input"));
  EXPECT_EQ(w.EntryOf(Command::SaveAs)->text(), QStringLiteral("&Save As..."));
  EXPECT_EQ(w.stressMenu->title(), QStringLiteral("Stress Analysis"));
  EXPECT_EQ(w.EntryOf(Tool::Foundation)->text(), QStringLiteral("Distributed Load on Surface..."));
  EXPECT_EQ(w.EntryOf(Command::ToggleHistory)->text(), QStringLiteral("Close History Window"));
  EXPECT_EQ(w.EntryOf(Command::About)->text(), QStringLiteral("About the Program..."));

  EnglishMenus = false;
  w.SetMenuCaptions();
  EXPECT_EQ(w.fileMenu->title(), QStringLiteral("Αρχείο"));
  EXPECT_EQ(w.inputMenu->title(), QStringLiteral("Δεδομένα"));
  EXPECT_EQ(w.utilitiesMenu->title(), QStringLiteral("Εργαλεία"));
  EXPECT_EQ(w.helpMenu->title(), QStringLiteral("Βοήθεια"));
  EXPECT_EQ(w.EntryOf(Tool::Elasticity3D)->text(), QStringLiteral("Ελαστική Συμπεριφορά σε Τρεις Διαστάσεις"));
  EXPECT_EQ(w.EntryOf(Tool::StrainRosette)->text(), QStringLiteral("Ανάλυση Παραμορφώσεων..."));
  EXPECT_EQ(w.failureMenu->title(), QStringLiteral("Κριτήρια Αστοχίας"));
  EXPECT_EQ(w.EntryOf(Tool::HoekBrown)->text(),
            QStringLiteral("Κριτήριο Αστοχίας κατά Hoek - Brown σε Ακέραιο Πέτρωμα..."));
  EXPECT_EQ(w.EntryOf(Tool::CircularFailure)->text(), QStringLiteral("Failure Around a Circular Opening"));
  EXPECT_EQ(w.EntryOf(Tool::PrinterSetup)->text(), QStringLiteral("Ρύθμιση Εκτύπωτη"));
  EXPECT_EQ(w.EntryOf(Command::Disclaimer)->text(), QStringLiteral("Συμφωνία Χρήσης..."));
  // The separators stand where the tables put them, and only there.
  for (Menu menu : kAllMenus) {
    const auto rows = MenuRows(menu);
    ASSERT_EQ(w.MenuItems(menu).size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
      EXPECT_EQ(w.MenuItems(menu)[i]->isSeparator(), IsSeparator(rows[i].caption))
          << w.MenuItems(menu)[i]->text().toStdString();
  }
}

// What an entry showed: each window that came up while it ran, closed by
// the test as soon as it showed (a modal one from within its own loop).
struct ShownWindow {
  const QMetaObject* type;
  QString title;
  QWidget* owner;
  bool modal;
  bool openAfterTheEntry;  // still open once the entry had returned
};

std::vector<ShownWindow> TriggerAndClose(QAction* action, const QWidget& main) {
  std::vector<ShownWindow> shown;
  bool returned = false;
  const auto closeShown = [&] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top == &main || !top->isVisible() || !qobject_cast<QDialog*>(top)) continue;
      shown.push_back({top->metaObject(), top->windowTitle(), top->parentWidget(), top->isModal(), returned});
      top->close();
    }
  };
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, closeShown);
  poll.start();
  action->trigger();
  poll.stop();
  returned = true;
  closeShown();  // a modeless window
  QApplication::processEvents();
  return shown;
}

// Every entry that names a tool, run through its menu action with the
// program's own tools: it shows one window, the tool's (the registered
// class), either modal (the entry returns once it has closed) or modeless
// (open beside the main window once the entry has returned), owned by the
// main window where the tool belongs to it, and titled after its own tool:
// no two entries open windows of one title.
TEST_F(MainWindowTest, EveryToolEntryOpensItsOwnWindow) {
  RegisterProgramTools();
  TestWindow& w = LoadWindow();
  w.show();
  std::vector<platform::PrintDialogKind> printDialogs;
  const auto previous = platform::SetPrintDialogHandler([&](QPrinter&, platform::PrintDialogKind kind, QWidget*) {
    printDialogs.push_back(kind);
    return false;
  });
  std::map<QString, QString> titles;  // title: the entry that showed it
  int entries = 0;
  for (Menu menu : {Menu::File, Menu::Input, Menu::Stress, Menu::Failure, Menu::Utilities, Menu::Help}) {
    const auto rows = MenuRows(menu);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (!rows[i].tool) continue;
      const Tool tool = *rows[i].tool;
      QAction* action = w.EntryOf(tool);
      const std::string entry = action->text().toStdString();
      ASSERT_TRUE(action->isEnabled()) << entry;
      const ToolWindow& window = ToolWindowOf(tool);
      // Print goes to the printer (the listing's tests print it into a PDF
      // file); Printer Setup shows the desktop's printer dialog.
      if (tool == Tool::Print) continue;
      if (!window.make) {
        ASSERT_EQ(tool, Tool::PrinterSetup) << entry << " opens no window";
        action->trigger();
        EXPECT_EQ(printDialogs, std::vector{platform::PrintDialogKind::Setup});
        continue;
      }
      ++entries;
      boxes_->Answer(Answer::Yes);  // a preview of the empty project
      const std::vector<ShownWindow> shown = TriggerAndClose(action, w);
      ASSERT_EQ(shown.size(), 1u) << entry;
      EXPECT_EQ(shown[0].type, window.type) << entry << " showed " << shown[0].type->className();
      EXPECT_NE(shown[0].modal, shown[0].openAfterTheEntry) << entry;
      EXPECT_EQ(shown[0].owner, OwnedByMainWindow(tool) ? static_cast<QWidget*>(&w) : nullptr) << entry;
      EXPECT_FALSE(shown[0].title.isEmpty()) << entry;
      const auto [other, fresh] = titles.emplace(shown[0].title, action->text());
      EXPECT_TRUE(fresh) << entry << " shows the title of " << other->second.toStdString();
      EXPECT_TRUE(w.isEnabled()) << entry;
    }
  }
  platform::SetPrintDialogHandler(previous);
  // Every tool with a window of its own has an entry.
  int windows = 0;
  for (int t = 0; t < kToolCount; ++t) windows += ToolWindowOf(static_cast<Tool>(t)).make ? 1 : 0;
  EXPECT_EQ(entries, windows);
}

TEST_F(MainWindowTest, TheOtherEntriesRunTheirCommands) {
  TestWindow& w = LoadWindow();
  // The entries that are not ready say so, and the history logs it.
  for (Command notReady : {Command::CoulombSlope, Command::FileConversion}) {
    boxes_->Clear();
    ChooseEntry(w, notReady);
    ASSERT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Option not ready yet"));
    EXPECT_EQ(boxes_->Last().title, QStringLiteral("Brantel"));
  }
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Option not ready yet")));

  // New starts a project and captions the window, once the unsaved one
  // may go.
  Project.ProjectPath = QStringLiteral("/x/old.BNL");
  Project.FileSaved = false;
  boxes_->Clear();
  boxes_->Answer(Answer::No);
  ChooseEntry(w, Command::New);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: /x/old.BNL?"));
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral(": Untitled"));

  // Open, Save and Save As reach the file commands once they are there.
  w.fileCommandsReady = true;
  w.UpdateCommandStates();
  ChooseEntry(w, Command::Open);
  EXPECT_EQ(w.dialogModes, std::vector<platform::FileDialogMode>{platform::FileDialogMode::Open});
  EXPECT_EQ(w.loads.size(), 1u);
  w.saveResult = true;
  ChooseEntry(w, Command::Save);
  ChooseEntry(w, Command::SaveAs);
  EXPECT_EQ(w.saveCalls, (std::vector<bool>{false, true}));
  EXPECT_EQ(w.recentUpdates, 2);
}

TEST_F(MainWindowTest, EntriesWithoutTheirDialogsStayDisabled) {
  TestWindow& w = LoadWindow();
  for (Command command : {Command::Open, Command::Save, Command::SaveAs})
    EXPECT_FALSE(w.EntryOf(command)->isEnabled()) << w.EntryOf(command)->text().toStdString();
  for (Tool tool : {Tool::PrinterSetup, Tool::Print, Tool::PrintPreview, Tool::TextBrowser})
    EXPECT_FALSE(w.EntryOf(tool)->isEnabled()) << w.EntryOf(tool)->text().toStdString();
  EXPECT_TRUE(w.EntryOf(Command::New)->isEnabled());
  EXPECT_TRUE(w.EntryOf(Command::Exit)->isEnabled());
  EXPECT_FALSE(w.EntryOf(Tool::ProjectDescription)->isEnabled());
  EXPECT_TRUE(w.stressMenu->menuAction()->isEnabled());  // sub-menu heads
  for (const QAction* entry : w.MenuItems(Menu::Stress))
    EXPECT_FALSE(entry->isEnabled()) << entry->text().toStdString();
  EXPECT_TRUE(w.EntryOf(Command::CoulombSlope)->isEnabled());
  EXPECT_TRUE(w.EntryOf(Command::FileConversion)->isEnabled());
  EXPECT_FALSE(w.EntryOf(Tool::ProgramUpdate)->isEnabled());
  for (Command help :
       {Command::HelpContents, Command::HelpIndex, Command::HelpManual, Command::Disclaimer, Command::About})
    EXPECT_TRUE(w.EntryOf(help)->isEnabled()) << w.EntryOf(help)->text().toStdString();
  for (const char* key : {"OPEN", "SAVE", "PRINT", "DESCRIPTION", "QUICKBTN1", "QUICKBTN2", "QUICKBTN3"})
    EXPECT_FALSE(w.toolbar->Button(QString::fromLatin1(key))->isEnabled()) << key;

  // A dialog that arrives enables its entry and its quick button.
  RegisterTool(Tool::Stress2D, [](QWidget*) {});
  w.UpdateCommandStates();
  EXPECT_TRUE(w.EntryOf(Tool::Stress2D)->isEnabled());
  EXPECT_TRUE(w.toolbar->Button(QStringLiteral("QUICKBTN1"))->isEnabled());  // code 21
}

TEST_F(MainWindowTest, QuickButtonsRunTheToolOfTheirCode) {
  RegisterAllTools();
  TestWindow& w = LoadWindow();
  struct Case {
    qint16 code;
    std::optional<Tool> tool;
  };
  const Case cases[] = {
      {0, {}},
      {1, Tool::ProjectDescription},
      {2, {}},
      {4, Tool::PlaneElasticity},
      {9, Tool::RoofBolting},
      {10, {}},
      {21, Tool::Stress2D},
      {26, Tool::Foundation},
      {static_cast<qint16>(21 + MenuRows(Menu::Stress).size()), {}},  // past the last entry
      {30, {}},
      {31, Tool::Coulomb},
      {38, Tool::CircularFailure},
      {static_cast<qint16>(31 + MenuRows(Menu::Failure).size()), {}},
      {40, {}},
      {-1, {}},
  };
  for (const Case& c : cases) {
    QuickButtonTools[1] = c.code;
    w.UpdateCommandStates();
    QAction* button = w.toolbar->Button(QStringLiteral("QUICKBTN2"));
    EXPECT_EQ(button->isEnabled(), c.tool.has_value()) << c.code;
    opened_.clear();
    w.OnToolbarButtonClicked(QStringLiteral("QUICKBTN2"));
    if (c.tool) {
      ASSERT_EQ(opened_.size(), 1u) << c.code;
      EXPECT_EQ(opened_[0].tool, *c.tool) << c.code;
    } else {
      EXPECT_TRUE(opened_.empty()) << c.code;
    }
  }
  // The other toolbar keys; the separator's key runs nothing.
  opened_.clear();
  w.OnToolbarButtonClicked(QStringLiteral("DESCRIPTION"));
  w.OnToolbarButtonClicked(QStringLiteral("QUICKBTN1"));  // quick button 0: code 21
  w.OnToolbarButtonClicked(QStringLiteral("SEP1"));
  ASSERT_EQ(opened_.size(), 2u);
  EXPECT_EQ(opened_[0].tool, Tool::ProjectDescription);
  EXPECT_EQ(opened_[1].tool, Tool::Stress2D);
}

TEST_F(MainWindowTest, CommandErrorsFollowTheReportedAnswer) {
  TestWindow& w = LoadWindow();
  int calls = 0;
  ErrorNumber error = ErrorNumber::FileNotFound;
  RegisterTool(Tool::Stress3D, [&](QWidget*) {
    ++calls;
    RaiseError(error);
  });
  w.UpdateCommandStates();
  // A file error offers Retry: the statement runs again.
  boxes_->Answer(Answer::Retry);
  boxes_->Answer(Answer::Cancel);
  ChooseEntry(w, Tool::Stress3D);
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(w.Cancelled);

  // A cancelled dialog is silent and sets the cancelled flag.
  boxes_->Clear();
  error = ErrorNumber::DialogCancel;
  ChooseEntry(w, Tool::Stress3D);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(w.Cancelled);

  // A cancelled open dialog skips the reading.
  w.cancelDialog = true;
  w.fileCommandsReady = true;
  w.UpdateCommandStates();
  ChooseEntry(w, Command::Open);
  EXPECT_TRUE(w.Cancelled);
  EXPECT_TRUE(w.loads.empty());

  // Any other error ends the command with its message.
  RegisterTool(Tool::Print, [&](QWidget*) { RaiseError(ErrorNumber::InvalidCall); });
  w.UpdateCommandStates();
  Project.FileEmpty = false;
  ChooseEntry(w, Tool::Print);
  EXPECT_TRUE(boxes_->Last().prompt.endsWith(QStringLiteral("Procedure Terminated")));
  EXPECT_FALSE(w.Cancelled);

  // The update window of the Help menu is reported the same way.
  boxes_->Clear();
  RegisterTool(Tool::ProgramUpdate, [&](QWidget*) { RaiseError(ErrorNumber::InvalidCall); });
  w.UpdateCommandStates();
  ChooseEntry(w, Tool::ProgramUpdate);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.endsWith(QStringLiteral("Procedure Terminated")));
}

TEST_F(MainWindowTest, PrintingAnEmptyProjectAsksFirst) {
  RegisterAllTools();
  TestWindow& w = LoadWindow();
  boxes_->Answer(Answer::No);
  ChooseEntry(w, Tool::Print);
  EXPECT_TRUE(opened_.empty());
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Current file is empty. Continue?"));
  EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNo, Icon::Question, DefaultButton::Second));
  boxes_->Answer(Answer::Yes);
  ChooseEntry(w, Tool::PrintPreview);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].tool, Tool::PrintPreview);
}

TEST_F(MainWindowTest, CaptionShortensLongPathsAndMarksChanges) {
  TestWindow& w = LoadWindow();
  const QString fifty = QStringLiteral("/home/user/projects/rock/") + QString(25, u'a');
  ASSERT_EQ(fifty.size(), 50);
  Project.ProjectPath = fifty;
  Project.FileSaved = true;
  SetMainCaption(w);
  EXPECT_EQ(w.windowTitle(), QStringLiteral(": ") + fifty);
  Project.ProjectPath = fifty + u'b';
  Project.FileSaved = false;
  w.CaptionPrefix = QStringLiteral("Brantel");
  SetMainCaption(w);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Brantel: /home/user...") + Project.ProjectPath.right(37) + u'*');
  EXPECT_EQ(w.windowTitle().size(), 9 + 50 + 1);
}

TEST_F(MainWindowTest, HistoryPaneToggleAndCopy) {
  AddHistoryLine(QStringLiteral("one"));
  TestWindow& w = LoadWindow();
  QAction* toggle = w.EntryOf(Command::ToggleHistory);
  QAction* copy = w.EntryOf(Command::CopyHistory);
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));

  toggle->trigger();
  EXPECT_TRUE(w.historyPane->isHidden());
  EXPECT_EQ(toggle->text(), QStringLiteral("Restore History &Window"));
  EXPECT_FALSE(copy->isEnabled());
  w.RunCommand(Command::CopyHistory);  // its entry disabled, the command itself: the clipboard stays
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

  // A language switch while hidden gives the table's caption.
  EnglishMenus = false;
  w.SetMenuCaptions();
  EXPECT_EQ(toggle->text(), QStringLiteral("Κλείσιμο Ιστορικού"));
  toggle->trigger();
  EXPECT_FALSE(w.historyPane->isHidden());
  EXPECT_EQ(toggle->text(), QStringLiteral("Κλείσιμο Ιστορικού"));
  EnglishMenus = true;
  toggle->trigger();
  toggle->trigger();
  EXPECT_EQ(toggle->text(), QStringLiteral("Close History &Window"));
  EXPECT_TRUE(copy->isEnabled());
  copy->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1. one\n"));
}

TEST_F(MainWindowTest, SettingsShapeTheWindow) {
  HistoryShown = false;
  ToolbarShown = false;
  TestWindow& w = LoadWindow();
  EXPECT_TRUE(w.historyPane->isHidden());
  for (Command history : {Command::ClearHistory, Command::ToggleHistory, Command::CopyHistory})
    EXPECT_FALSE(w.EntryOf(history)->isEnabled()) << w.EntryOf(history)->text().toStdString();
  EXPECT_TRUE(w.toolbar->isHidden());
  EXPECT_EQ(w.versionLabel->y(), 0);

  HistoryShown = true;
  ToolbarShown = true;
  EnableMainWindow(w);
  EXPECT_FALSE(w.historyPane->isHidden());
  EXPECT_TRUE(w.EntryOf(Command::CopyHistory)->isEnabled());
  EXPECT_EQ(w.versionLabel->y(), w.toolbar->sizeHint().height());

  // The pane runs along the bottom edge, the version sits at the right.
  w.resize(900, 700);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const QRect pane = w.historyPane->geometry();
  EXPECT_EQ(pane.bottom(), w.surface->height() - 1);
  EXPECT_EQ(pane.width(), w.surface->width());
  EXPECT_EQ(pane.height(), 80);
  EXPECT_EQ(w.versionLabel->geometry().right(), w.surface->width() - 1);
  EXPECT_EQ(w.versionLabel->text(), GetVersionString(VersionForm::Dotted) + u' ');
  EXPECT_FALSE(w.logo->geometry().intersects(pane));
}

TEST_F(MainWindowTest, AMaximisedWindowLoadsAndStaysMaximised) {
  MainWindowMaximized = true;
  TestWindow& w = LoadWindow();
  EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
  w.show();
  EXPECT_TRUE(w.isMaximized());
}

TEST_F(MainWindowTest, ToolbarShowsTheStandardButtonsWithTheirImages) {
  TestWindow& w = LoadWindow();
  ASSERT_NE(w.ToolbarIcons(), nullptr);
  EXPECT_EQ(w.ToolbarIcons()->Count(), 7);
  EXPECT_EQ(w.ToolbarIcons()->IconSize(), QSize(24, 24));
  EXPECT_EQ(w.toolbar->CurrentBar(), QStringLiteral("STANDARD"));
  EXPECT_EQ(w.toolbar->windowTitle(), QStringLiteral("Standard Buttons"));
  QStringList shown;
  for (QAction* a : w.toolbar->actions()) shown << a->objectName();
  EXPECT_EQ(shown, QStringList({"OPEN", "SAVE", "PRINT", "DESCRIPTION", "QUICKBTN1", "QUICKBTN2", "QUICKBTN3"}));
  QAction* open = w.toolbar->Button(QStringLiteral("OPEN"));
  EXPECT_EQ(open->toolTip(), QStringLiteral("Open File"));
  EXPECT_FALSE(open->icon().isNull());
  // The strip's background is transparent.
  const QImage image = w.ToolbarIcons()->Icon(0).toImage();
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

TEST_F(MainWindowTest, ClosingAsksAboutUnsavedChanges) {
  TestWindow& w = LoadWindow();
  w.show();
  Project.ProjectPath = QStringLiteral("/data/pillar.BNL");
  Project.FileSaved = false;

  boxes_->Answer(Answer::Cancel);
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: /data/pillar.BNL?"));
  EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNoCancel, Icon::Question));
  EXPECT_FALSE(History().contains(QStringLiteral("Save changes")));  // this box is not logged
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));

  // Yes with a save that fails keeps the program running, unsaved.
  boxes_->Answer(Answer::Yes);
  EXPECT_FALSE(w.close());
  EXPECT_EQ(w.saveCalls, std::vector<bool>{false});
  EXPECT_EQ(w.recentUpdates, 0);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));

  // No closes without saving and writes the recent files.
  boxes_->Answer(Answer::No);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(w.saveCalls.size(), 1u);
  EXPECT_TRUE(QFileInfo::exists(SettingsIniPath));
  EXPECT_TRUE(ReadFile(SettingsIniPath).contains("[FileMenu]"));
}

TEST_F(MainWindowTest, ClosingSavesFirstWhenTheSaveWorks) {
  TestWindow& w = LoadWindow();
  w.show();
  Project.FileSaved = false;
  w.saveResult = true;
  boxes_->Answer(Answer::Yes);
  EXPECT_TRUE(w.close());
  EXPECT_EQ(w.recentUpdates, 1);

  // A saved project closes without a question.
  TestWindow& again = LoadWindow();
  again.show();
  Project.FileSaved = true;
  boxes_->Clear();
  EXPECT_TRUE(again.close());
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(MainWindowTest, EachActivationTriesTheCommandLineProjectUntilItsFileIsThere) {
  // The command line names a file that is not there yet (a tab in its name,
  // escaped in the history): each activation logs the command line and opens
  // nothing, and the open project keeps its path.
  TestWindow& w = LoadWindow();
  const QString later = Home() + QStringLiteral("/later\tone.BNL");
  CommandLine = u'"' + later + u'"';
  const QString logged = QStringLiteral("Command: \"") + Home() + QStringLiteral("/later\\tone.BNL\"\r\n");
  Project.ProjectPath = Home() + QStringLiteral("/saved as.BNL");
  w.OnActivate();
  w.OnActivate();
  EXPECT_EQ(History().count(logged), 2);
  EXPECT_EQ(History().count(QStringLiteral("Command: ")), 2);
  EXPECT_TRUE(w.loads.empty());
  EXPECT_EQ(Project.ProjectPath, Home() + QStringLiteral("/saved as.BNL"));
  EXPECT_TRUE(w.FirstActivation);

  // The window's own activations, each after another window had the
  // keyboard.
  QWidget other;
  const auto activate = [](QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  };
  w.show();
  other.show();
  ASSERT_TRUE(activate(other));
  qsizetype tries = History().count(logged);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(activate(w));
    EXPECT_EQ(History().count(logged), ++tries);
    ASSERT_TRUE(activate(other));
  }
  EXPECT_TRUE(w.loads.empty());

  // The file is there: the next activation opens it, once.
  WriteFile(later, "BRANTEL_110\r\n");
  ASSERT_TRUE(activate(w));
  EXPECT_EQ(History().count(logged), ++tries);
  EXPECT_EQ(w.loads, std::vector<QString>{later});
  EXPECT_EQ(Project.ProjectDisplayName, Home() + QStringLiteral("/saved as.BNL"));
  EXPECT_FALSE(w.FirstActivation);
  ASSERT_TRUE(activate(other));
  ASSERT_TRUE(activate(w));
  w.OnActivate();
  EXPECT_EQ(History().count(QStringLiteral("Command: ")), tries);
  EXPECT_EQ(w.loads.size(), 1u);

  // Held back (start-up loading the last project), an activation does
  // nothing; letting go is the attempt.
  TestWindow& next = LoadWindow();
  next.HoldCommandLineProject(true);
  next.OnActivate();
  EXPECT_EQ(History().count(QStringLiteral("Command: ")), tries);
  next.HoldCommandLineProject(false);
  EXPECT_EQ(History().count(QStringLiteral("Command: ")), tries + 1);
  EXPECT_EQ(next.loads, std::vector<QString>{later});
}

TEST_F(MainWindowTest, DisplayFontAppliesOrSaysWhichFontFailed) {
  TestWindow& w = LoadWindow();
  DisplayFontName = QStringLiteral("Liberation Mono");
  DisplayFontSize = 12.0f;
  DisplayFontBold = true;
  ApplyDisplayFont();
  EXPECT_EQ(w.historyPane->font().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(w.historyPane->font().pointSizeF(), 12.0);
  EXPECT_TRUE(w.historyPane->font().bold());
  EXPECT_TRUE(boxes_->Shown().empty());

  DisplayFontName = QStringLiteral("No Such Font");
  DisplayFontSize = 20.0f;
  ApplyDisplayFont();
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid font selection:No Such Font"));
  EXPECT_EQ(w.historyPane->font().family(), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(w.historyPane->font().pointSizeF(), 12.0);

  // A settings file that names Arial shows its metric twin without a word.
  if (FontExists(QStringLiteral("Arial"), QFontDatabase::families()) < 0) {
    boxes_->Clear();
    DisplayFontName = QStringLiteral("Arial");
    ApplyDisplayFont();
    EXPECT_TRUE(boxes_->Shown().empty());
    EXPECT_EQ(QFontInfo(w.historyPane->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(w.historyPane->font().pointSizeF(), 20.0);
  }
}

}  // namespace
}  // namespace brantel
