// The menus and the toolbar of the main window and the commands behind them.

#include "mainwindow/MainWindow.h"

#include "core/Bilingual.h"
#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "maintenance/DisclaimerDialog.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/IconStrip.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <variant>

namespace brantel {
namespace {

const QString kNotReady = QStringLiteral("Option not ready yet");

// A quick button of the toolbar, 0..2: it runs the menu entry of its code
// (QuickButtonTools).
struct QuickButton {
  int index;
};

// What a toolbar button runs; a separator runs nothing.
using ButtonAction = std::variant<std::monostate, Command, Tool, QuickButton>;

struct ToolbarButton {
  const char* key;
  int icon;  // in the toolbar's icon strip; -1 for none
  const char* caption;
  ButtonKind kind;
  const char* toolTip;
  ButtonAction action;
};

const ToolbarButton kToolbarButtons[] = {
    {"OPEN", 0, "Open", ButtonKind::Button, "Open File", Command::Open},
    {"SAVE", 1, "Save", ButtonKind::Button, "Save Current File", Command::Save},
    {"PRINT", 2, "Print", ButtonKind::Button, "Print Current File", Tool::Print},
    {"DESCRIPTION", 3, "Description", ButtonKind::Button, "Project File Description", Tool::ProjectDescription},
    {"SEP1", -1, "", ButtonKind::Separator, "", std::monostate{}},
    {"QUICKBTN1", 4, "Quick Button 1", ButtonKind::Button, "Quick Button 1", QuickButton{0}},
    {"QUICKBTN2", 5, "Quick Button 2", ButtonKind::Button, "Quick Button 2", QuickButton{1}},
    {"QUICKBTN3", 6, "Quick Button 3", ButtonKind::Button, "Quick Button 3", QuickButton{2}},
};

QString MenuObjectName(Menu menu) {
  switch (menu) {
    case Menu::File: return QStringLiteral("mnuFile");
    case Menu::Input: return QStringLiteral("mnuEdit");
    case Menu::Stress: return QStringLiteral("mnuEditStress");
    case Menu::Failure: return QStringLiteral("mnuEditFailure");
    case Menu::Utilities: return QStringLiteral("mnuUtil");
    case Menu::Help: return QStringLiteral("mnuHelp");
  }
  return QString();
}

}  // namespace

QMenu*& MainWindow::MenuOf(Menu menu) {
  switch (menu) {
    case Menu::File: return fileMenu;
    case Menu::Input: return inputMenu;
    case Menu::Stress: return stressMenu;
    case Menu::Failure: return failureMenu;
    case Menu::Utilities: return utilitiesMenu;
    case Menu::Help: return helpMenu;
  }
  return helpMenu;
}

void MainWindow::BuildMenu(Menu which) {
  QMenu* const menu = MenuOf(which);
  std::vector<QAction*>& items = menuItems_[static_cast<int>(which)];
  const auto rows = MenuRows(which);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const MainMenuRow& row = rows[i];
    const int index = static_cast<int>(i);
    QAction* action = nullptr;
    if (row.subMenu) {
      QMenu* sub = new QMenu(row.caption.In(true), menu);
      sub->setObjectName(MenuObjectName(*row.subMenu));
      MenuOf(*row.subMenu) = sub;
      action = menu->addMenu(sub);
      BuildMenu(*row.subMenu);
    } else if (IsSeparator(row.caption)) {
      action = menu->addSeparator();
    } else {
      action = menu->addAction(row.caption.In(true));
      connect(action, &QAction::triggered, this, [this, which, index] { OnEntryChosen(which, index); });
    }
    items.push_back(action);
  }
}

void MainWindow::BuildMenus() {
  for (const TopMenu& top : TopMenus()) {
    QMenu*& menu = MenuOf(top.menu);
    menu = menuBar()->addMenu(top.caption.In(true));
    menu->setObjectName(MenuObjectName(top.menu));
  }
  for (const TopMenu& top : TopMenus()) BuildMenu(top.menu);

  // The recent files follow the fixed entries of the File menu; they show
  // once the list has entries.
  recentFileEntries.push_back(fileMenu->addSeparator());
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    QAction* entry = fileMenu->addAction(QString());
    connect(entry, &QAction::triggered, this, [this, i] { OnRecentFileChosen(i); });
    recentFileEntries.push_back(entry);
  }
  for (QAction* entry : recentFileEntries) entry->setVisible(false);
}

void MainWindow::SetMenuCaptions() {
  const bool english = ProgramInEnglish();
  for (const TopMenu& top : TopMenus()) MenuOf(top.menu)->setTitle(top.caption.In(english));
  // Every entry of the tables (the history toggle too: the table's caption).
  for (Menu menu : kAllMenus) {
    const auto& items = MenuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i]->isSeparator()) continue;
      items[i]->setText(MenuCaptionText(menu, static_cast<int>(i), english));
    }
  }
}

bool MainWindow::CommandRuns(Command command) const {
  switch (command) {
    case Command::Open:
    case Command::Save:
    case Command::SaveAs: return FileCommandsReady();
    case Command::New:
    case Command::Exit:
    case Command::CoulombSlope:
    case Command::FileConversion:
    case Command::ClearHistory:
    case Command::ToggleHistory:
    case Command::CopyHistory:
    case Command::HelpContents:
    case Command::HelpIndex:
    case Command::HelpManual:
    case Command::Disclaimer:
    case Command::About: return true;
  }
  return false;
}

bool MainWindow::EntryRuns(Menu menu, int index) const {
  const MainMenuRow* row = RowOfEntry(menu, index);
  if (!row) return false;
  if (row->tool) return ToolAvailable(*row->tool);
  if (row->command) return CommandRuns(*row->command);
  return false;
}

namespace {

bool Runs(const MainMenuRow& row, Tool tool) { return row.tool == tool; }
bool Runs(const MainMenuRow& row, Command command) { return row.command == command; }

// The entry of the main window's menus whose row runs `what`.
template <typename ToolOrCommand>
QAction* EntryRunning(const MainWindow& window, ToolOrCommand what) {
  for (Menu menu : kAllMenus) {
    const auto rows = MenuRows(menu);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (Runs(rows[i], what)) return window.MenuItems(menu)[i];
    }
  }
  return nullptr;
}

}  // namespace

QAction* MainWindow::EntryOf(Tool tool) const { return EntryRunning(*this, tool); }

QAction* MainWindow::EntryOf(Command command) const { return EntryRunning(*this, command); }

void MainWindow::UpdateCommandStates() {
  for (Menu menu : kAllMenus) {
    const auto rows = MenuRows(menu);
    const auto& items = MenuItems(menu);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const MainMenuRow& row = rows[i];
      // Separators and sub-menu heads run nothing; the history entries
      // follow the history setting (EnableMainWindow).
      if (!row.tool && !row.command) continue;
      if (row.command && IsHistoryCommand(*row.command)) continue;
      items[i]->setEnabled(EntryRuns(menu, static_cast<int>(i)));
    }
  }
  for (std::size_t i = 1; i < recentFileEntries.size(); ++i) recentFileEntries[i]->setEnabled(FileCommandsReady());

  for (const ToolbarButton& b : kToolbarButtons) {
    QAction* button = toolbar->Button(QString::fromLatin1(b.key));
    if (!button) continue;
    if (const auto* command = std::get_if<Command>(&b.action)) {
      button->setEnabled(CommandRuns(*command));
    } else if (const auto* tool = std::get_if<Tool>(&b.action)) {
      button->setEnabled(ToolAvailable(*tool));
    } else if (const auto* quick = std::get_if<QuickButton>(&b.action)) {
      const auto target = QuickButtonTarget(QuickButtonTools[static_cast<std::size_t>(quick->index)]);
      button->setEnabled(target && EntryRuns(target->menu, target->index));
    }
  }
}

bool MainWindow::Run(const std::function<void()>& statement) {
  const std::optional<NextStep> failed = RunReported(statement, [this] {
    unsetCursor();
    Cancelled = false;
  });
  if (!failed) return true;
  switch (*failed) {
    case NextStep::ResumeNext: return true;
    case NextStep::ResumeCancelled: Cancelled = true; return true;
    case NextStep::Retry:
    case NextStep::Exit: break;
  }
  return false;
}

bool MainWindow::ConfirmPrintEmpty() {
  if (!Project.FileEmpty) return true;
  return ShowMsg(QStringLiteral("Current file is empty. Continue?"),
                 BoxStyle{Buttons::YesNo, Icon::Question, DefaultButton::Second}, QString()) == Answer::Yes;
}

void MainWindow::OnEntryChosen(Menu menu, int index) {
  const MainMenuRow* row = RowOfEntry(menu, index);
  if (!row) return;
  if (row->tool) RunTool(*row->tool);
  else if (row->command) RunCommand(*row->command);
}

void MainWindow::RunTool(Tool tool) {
  Cancelled = false;
  if ((tool == Tool::Print || tool == Tool::PrintPreview) && !ConfirmPrintEmpty()) return;
  // A run-time error of the tool is reported here rather than escaping the
  // menu.
  Run([&] { OpenTool(tool, OwnedByMainWindow(tool) ? this : nullptr); });
  if (tool == Tool::ProgramOptions) {
    // The language and the quick buttons may have changed.
    SetMenuCaptions();
    UpdateCommandStates();
  }
}

void MainWindow::RunCommand(Command command) {
  Cancelled = false;
  switch (command) {
    case Command::New:
      // Typed work is let go only after the question of closing the window.
      if (!MayLetProjectGo()) break;
      Run([&] { NewProject(); });
      break;
    case Command::Open: {
      if (!Run([&] { Project.ProjectDisplayName = Project.ProjectPath; })) return;
      if (!Run([&] { TakeChosenProjectFile(platform::FileDialogMode::Open); })) return;
      if (!Cancelled) Run([&] { LoadProjectFile(); });
      break;
    }
    case Command::Save:
    case Command::SaveAs: {
      bool saved = false;
      if (!Run([&] { saved = FileMenuSave(command == Command::SaveAs); })) return;
      if (saved) {
        if (!Run([&] { UpdateRecentFiles(); })) return;
        Run([&] { SetMainCaption(*this); });
      }
      break;
    }
    case Command::Exit: close(); break;
    case Command::CoulombSlope:
    case Command::FileConversion: ShowMsg(kNotReady, Buttons::Ok, QString()); break;
    case Command::ClearHistory: HistoryLog::Instance().Clear(); break;
    case Command::ToggleHistory: {
      const bool visible = historyPane->isHidden();
      historyPane->setVisible(visible);
      EntryOf(Command::ToggleHistory)->setText(HistoryToggleCaption(visible, ProgramInEnglish()));
      EntryOf(Command::CopyHistory)->setEnabled(visible);
      break;
    }
    case Command::CopyHistory:
      if (!historyPane->isHidden()) QGuiApplication::clipboard()->setText(historyPane->toPlainText());
      break;
    // The help commands report their own failures; a run-time error is
    // reported here rather than escaping the menu.
    case Command::HelpContents: Run([] { HelpShowContents(); }); break;
    case Command::HelpIndex: Run([] { HelpShowIndex(); }); break;
    case Command::HelpManual: Run([] { ShowHelpManual(); }); break;
    case Command::Disclaimer:
      // Declining closes the window the normal way, so that an unsaved
      // project is offered for saving first.
      Run([this] {
        if (!ShowDisclaimer()) close();
      });
      break;
    case Command::About: Run([] { ShowAboutBox(); }); break;
  }
}

void MainWindow::RunQuickButton(int button) {
  if (button < 0 || button > 2) return;
  const auto target = QuickButtonTarget(QuickButtonTools[static_cast<std::size_t>(button)]);
  if (target) OnEntryChosen(target->menu, target->index);
}

void MainWindow::OnToolbarButtonClicked(const QString& key) {
  for (const ToolbarButton& b : kToolbarButtons) {
    if (key != QLatin1StringView(b.key)) continue;
    if (const auto* command = std::get_if<Command>(&b.action)) RunCommand(*command);
    else if (const auto* tool = std::get_if<Tool>(&b.action)) RunTool(*tool);
    else if (const auto* quick = std::get_if<QuickButton>(&b.action)) RunQuickButton(quick->index);
    return;
  }
}

// --- Toolbar construction.

void MainWindow::LoadToolbarIcons() {
  toolbarIcons_ = std::make_unique<IconStrip>(AppFolder + ToolbarBitmapName, QSize(24, 24));
}

void MainWindow::AddToolbarButtons() {
  for (const ToolbarButton& b : kToolbarButtons) {
    toolbar->AddButton(QString::fromLatin1(b.key), b.icon, QString::fromLatin1(b.caption), b.kind,
                       QString::fromLatin1(b.toolTip));
  }
}

void MainWindow::CreateStandardBar() {
  toolbar->AddBar(
      QStringLiteral("STANDARD"), QStringLiteral("Standard Buttons"),
      {QStringLiteral("OPEN"), QStringLiteral("SAVE"), QStringLiteral("PRINT"), QStringLiteral("DESCRIPTION"),
       QStringLiteral("QUICKBTN1"), QStringLiteral("QUICKBTN2"), QStringLiteral("QUICKBTN3")});
}

}  // namespace brantel
