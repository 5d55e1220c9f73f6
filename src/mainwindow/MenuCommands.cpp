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
#include "mainwindow/CommandBar.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/IconStrip.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

namespace brantel {
namespace {

const QString kNotReady = QStringLiteral("Option not ready yet");

struct ToolbarButton {
  const char* key;
  int icon;  // in the toolbar's icon strip; -1 for none
  const char* caption;
  int kind;
  const char* toolTip;
};

constexpr ToolbarButton kToolbarButtons[] = {
    {"OPEN", 0, "Open", 0, "Open File"},
    {"SAVE", 1, "Save", 0, "Save Current File"},
    {"PRINT", 2, "Print", 0, "Print Current File"},
    {"DESCRIPTION", 3, "Description", 0, "Project File Description"},
    {"SEP1", -1, "", 1, ""},
    {"QUICKBTN1", 4, "Quick Button 1", 0, "Quick Button 1"},
    {"QUICKBTN2", 5, "Quick Button 2", 0, "Quick Button 2"},
    {"QUICKBTN3", 6, "Quick Button 3", 0, "Quick Button 3"},
};

}  // namespace

QMenu* MainWindow::BuildMenu(QMenu* menu, Menu which, std::vector<QAction*>& items) {
  const auto rows = MenuRows(which);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const MenuCaption& caption = rows[i].caption;
    const auto index = static_cast<qint16>(i);
    QAction* action = nullptr;
    if (which == Menu::Input && (index == 1 || index == 2)) {
      // The heads of the two sub-menus.
      QMenu* sub = new QMenu(caption.In(true), menu);
      sub->setObjectName(index == 1 ? QStringLiteral("mnuEditStress") : QStringLiteral("mnuEditFailure"));
      if (index == 1) stressMenu = sub;
      else failureMenu = sub;
      action = menu->addMenu(sub);
    } else if (IsSeparator(caption)) {
      action = menu->addSeparator();
    } else {
      action = menu->addAction(caption.In(true));
      connect(action, &QAction::triggered, this, [this, which, index] {
        switch (which) {
          case Menu::File: OnFileEntryChosen(index); break;
          case Menu::Input: OnInputEntryChosen(index); break;
          case Menu::Stress: OnStressEntryChosen(index); break;
          case Menu::Failure: OnFailureEntryChosen(index); break;
          case Menu::Utilities: OnUtilitiesEntryChosen(index); break;
          case Menu::Help: OnHelpEntryChosen(index); break;
        }
      });
    }
    items.push_back(action);
  }
  return menu;
}

void MainWindow::BuildMenus() {
  const auto top = TopMenuCaptions();
  fileMenu = menuBar()->addMenu(top[0].In(true));
  inputMenu = menuBar()->addMenu(top[1].In(true));
  utilitiesMenu = menuBar()->addMenu(top[2].In(true));
  helpMenu = menuBar()->addMenu(top[3].In(true));
  fileMenu->setObjectName(QStringLiteral("mnuFile"));
  inputMenu->setObjectName(QStringLiteral("mnuEdit"));
  utilitiesMenu->setObjectName(QStringLiteral("mnuUtil"));
  helpMenu->setObjectName(QStringLiteral("mnuHelp"));

  BuildMenu(fileMenu, Menu::File, menuItems_[static_cast<int>(Menu::File)]);
  // The recent files follow the fixed entries; they show once the list has
  // entries.
  recentFileEntries.push_back(fileMenu->addSeparator());
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    QAction* entry = fileMenu->addAction(QString());
    connect(entry, &QAction::triggered, this, [this, i] { OnRecentFileChosen(static_cast<qint16>(i)); });
    recentFileEntries.push_back(entry);
  }
  for (QAction* entry : recentFileEntries) entry->setVisible(false);

  BuildMenu(inputMenu, Menu::Input, menuItems_[static_cast<int>(Menu::Input)]);
  BuildMenu(stressMenu, Menu::Stress, menuItems_[static_cast<int>(Menu::Stress)]);
  BuildMenu(failureMenu, Menu::Failure, menuItems_[static_cast<int>(Menu::Failure)]);
  BuildMenu(utilitiesMenu, Menu::Utilities, menuItems_[static_cast<int>(Menu::Utilities)]);
  BuildMenu(helpMenu, Menu::Help, menuItems_[static_cast<int>(Menu::Help)]);
}

void MainWindow::SetMenuCaptions() {
  const bool english = ProgramInEnglish();
  const auto top = TopMenuCaptions();
  QMenu* const menus[] = {fileMenu, inputMenu, utilitiesMenu, helpMenu};
  for (std::size_t i = 0; i < top.size(); ++i) {
    menus[i]->setTitle(top[i].In(english));
  }
  // Every entry of the tables (the history toggle too: the table's caption).
  for (Menu menu : {Menu::Input, Menu::Stress, Menu::Failure, Menu::File, Menu::Utilities, Menu::Help}) {
    const auto& items = MenuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i]->isSeparator()) continue;
      items[i]->setText(MenuCaptionText(menu, static_cast<int>(i), english));
    }
  }
}

bool MainWindow::EntryRuns(Menu menu, int index) const {
  if (const auto tool = ToolOfEntry(menu, index)) return ToolAvailable(*tool);
  switch (menu) {
    case Menu::File:
      if (index == 1 || index == 2 || index == 3) return FileCommandsReady();
      return index == 0 || index == 11;
    case Menu::Input:
    case Menu::Stress: return false;
    case Menu::Failure: return index == 3;
    case Menu::Utilities: return index == 3 || (index >= 5 && index <= 7);
    case Menu::Help: return index == 0 || index == 1 || index == 2 || index == 4 || index == 8;
  }
  return false;
}

void MainWindow::UpdateCommandStates() {
  static constexpr Menu kMenus[] = {Menu::File, Menu::Input, Menu::Stress, Menu::Failure, Menu::Utilities, Menu::Help};
  for (Menu menu : kMenus) {
    const auto& items = MenuItems(menu);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const int index = static_cast<int>(i);
      if (items[i]->isSeparator() || items[i]->menu()) continue;
      // The history entries follow the history setting (EnableMainWindow).
      if (menu == Menu::Utilities && index >= 5) continue;
      items[i]->setEnabled(EntryRuns(menu, index));
    }
  }
  for (std::size_t i = 1; i < recentFileEntries.size(); ++i) recentFileEntries[i]->setEnabled(FileCommandsReady());

  auto enable = [this](const char* key, bool on) {
    if (QAction* button = toolbar->Button(QString::fromLatin1(key))) button->setEnabled(on);
  };
  enable("OPEN", EntryRuns(Menu::File, 1));
  enable("SAVE", EntryRuns(Menu::File, 2));
  enable("PRINT", EntryRuns(Menu::File, 6));
  enable("DESCRIPTION", EntryRuns(Menu::Input, 0));
  const char* const quick[] = {"QUICKBTN1", "QUICKBTN2", "QUICKBTN3"};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto target = QuickButtonTarget(ToolBarPointer[i]);
    enable(quick[i], target && EntryRuns(target->menu, target->index));
  }
}

bool MainWindow::Run(const std::function<void()>& statement) {
  const qint16 result = RunReported(statement, [this] {
    unsetCursor();
    Cancelled = false;
  });
  switch (result) {
    case kErrNone:
    case kErrContinue: return true;
    case kErrCancelled: Cancelled = true; return true;
    default: return false;
  }
}

void MainWindow::OpenToolOf(Menu menu, int index) {
  const auto tool = ToolOfEntry(menu, index);
  if (!tool) return;
  Run([&] { OpenTool(*tool, OwnedByMainWindow(*tool) ? this : nullptr); });
}

bool MainWindow::ConfirmPrintEmpty() {
  if (!Project.FileEmpty) return true;
  return ShowMsg(QStringLiteral("Current file is empty. Continue?"), mb::kYesNo | mb::kQuestion | mb::kDefaultButton2,
                 QString()) == answer::kYes;
}

void MainWindow::OnFileEntryChosen(qint16 index) {
  Cancelled = false;
  switch (index) {
    case 0:
      Run([&] {
        bool rename = true;
        bool units = true;
        FileNew(rename, units);
      });
      break;
    case 1: {
      QString path;
      if (!Run([&] { Project.ProjectDisplayName = Project.ProjectPath; })) return;
      if (!Run([&] { ShowFileDialog(1, path); })) return;
      if (!Cancelled) Run([&] { LoadProjectFile(); });
      break;
    }
    case 2:
    case 3: {
      qint16 saved = 0;
      if (!Run([&] { saved = FileMenuSave(index == 3); })) return;
      if (saved != 0) {
        if (!Run([&] { UpdateRecentFiles(); })) return;
        Run([&] { SetMainCaption(*this); });
      }
      break;
    }
    case 5:
    case 9: OpenToolOf(Menu::File, index); break;
    case 6:
    case 7:
      if (!ConfirmPrintEmpty()) return;
      OpenToolOf(Menu::File, index);
      break;
    case 11: close(); break;
    default: break;
  }
}

void MainWindow::OnInputEntryChosen(qint16 index) { OpenToolOf(Menu::Input, index); }

void MainWindow::OnStressEntryChosen(qint16 index) { OpenToolOf(Menu::Stress, index); }

void MainWindow::OnFailureEntryChosen(qint16 index) {
  if (index == 3) {
    ShowMsg(kNotReady, mb::kOkOnly, QString());
    return;
  }
  OpenToolOf(Menu::Failure, index);
}

void MainWindow::OnUtilitiesEntryChosen(qint16 index) {
  switch (index) {
    case 0:
    case 2: OpenToolOf(Menu::Utilities, index); break;
    case 1:
      OpenToolOf(Menu::Utilities, index);
      // The language and the quick buttons may have changed.
      SetMenuCaptions();
      UpdateCommandStates();
      break;
    case 3: ShowMsg(kNotReady, mb::kOkOnly, QString()); break;
    case 5: HistoryLog::Instance().Clear(); break;
    case 6: {
      const bool visible = historyPane->isHidden();
      historyPane->setVisible(visible);
      const auto& items = MenuItems(Menu::Utilities);
      items[6]->setText(HistoryToggleCaption(visible, ProgramInEnglish()));
      items[7]->setEnabled(visible);
      break;
    }
    case 7:
      if (!historyPane->isHidden()) QGuiApplication::clipboard()->setText(historyPane->toPlainText());
      break;
    default: break;
  }
}

void MainWindow::OnHelpEntryChosen(qint16 index) {
  // The help commands report their own failures; a run-time error of the
  // update window is reported here rather than escaping the menu.
  Run([&] { HelpMenuAction(index, this); });
}

void MainWindow::RunQuickButton(int button) {
  if (button < 0 || button > 2) return;
  const auto target = QuickButtonTarget(ToolBarPointer[static_cast<std::size_t>(button)]);
  if (!target) return;
  const auto index = static_cast<qint16>(target->index);
  switch (target->menu) {
    case Menu::Input: OnInputEntryChosen(index); break;
    case Menu::Stress: OnStressEntryChosen(index); break;
    case Menu::Failure: OnFailureEntryChosen(index); break;
    default: break;
  }
}

void MainWindow::OnToolbarButtonClicked(const QString& key) {
  if (key == u"OPEN") OnFileEntryChosen(1);
  else if (key == u"SAVE") OnFileEntryChosen(2);
  else if (key == u"PRINT") OnFileEntryChosen(6);
  else if (key == u"DESCRIPTION") OnInputEntryChosen(0);
  else if (key == u"QUICKBTN1") RunQuickButton(0);
  else if (key == u"QUICKBTN2") RunQuickButton(1);
  else if (key == u"QUICKBTN3") RunQuickButton(2);
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
