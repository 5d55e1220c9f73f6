#pragma once

#include "core/commands/Commands.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "platform/FileDialog.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace brantel {

class CommandBar;
class IconStrip;

// Set when the recent-file entries of the File menu were built.
extern bool RecentMenuChanged;

// The one top-level window: menus, toolbar, a logo in the middle, the
// version in the top right corner and the history pane along the bottom.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow();
  // The main window while it exists, else nullptr.
  static MainWindow* Instance();
  ~MainWindow() override;

  // --- Window events.
  // Runs the load steps; false when the user declined the disclaimer, and
  // the program ends without showing the window.
  bool OnLoad();
  // Every activation: while FirstActivation is set and there is a command
  // line, logs "Command: " and the command line, and when the file it names
  // (the command line without its double quotes) exists, opens it as the
  // project and clears FirstActivation. Until that file exists each
  // activation tries again; the open project keeps its own path meanwhile.
  void OnActivate();
  // Start-up holds the command-line project back while it loads the last
  // project, so that the command line's is the one open at its end; letting
  // go tries it at once, as the window's first activation.
  void HoldCommandLineProject(bool hold);
  // Says that the file named on the command line is not there, when the
  // window still waits for it; each later activation tries it again.
  void ReportMissingCommandLineProject();
  void OnResize();

  // --- Project commands (FileCommands.cpp).
  // New (FileNew) with the modeless tools closed first, as a Cancel, and the
  // caption of the new project.
  void NewProject(ProjectNameOnReset name = ProjectNameOnReset::Untitled,
                  UnitsOnReset units = UnitsOnReset::NewProjectUnits);
  // Opens the file at ProjectPath; ProjectDisplayName holds the path of the
  // project open before (every Open command sets it). Offers to save that
  // project first; true when the new file was read. A file that cannot be
  // read leaves the open project, its path and flags as they were; the
  // error is reported here (Retry reads again).
  virtual bool FileOpen();
  // Writes the project to ProjectPath (atomically) under the file's lock
  // (ProjectFileLock), once another copy of the program saving it has
  // finished; true. Raises the error of a failed write, or of a lock held
  // too long, with the project still unsaved.
  virtual bool FileSave();
  // Save, or Save As (the save dialog first) for a new project or when
  // asked; true when saved, false when cancelled or failed (the error
  // reported, ProjectPath as it was).
  virtual bool FileMenuSave(bool saveAs);
  // FileOpen, then the recent-file list and the caption.
  virtual void LoadProjectFile();
  // Opens recent file 1..4; a file that is gone is reported and nothing
  // changes.
  virtual void OnRecentFileChosen(int index);
  // The open or save dialog of project files, starting in DataPath and
  // proposing the project's file name: the file chosen, nothing when the
  // user cancels.
  virtual std::optional<QString> ChooseProjectFile(platform::FileDialogMode mode);
  // The file chosen in that dialog becomes ProjectPath; a cancel raises the
  // dialog-cancel error and changes nothing.
  void TakeChosenProjectFile(platform::FileDialogMode mode);
  // Puts ProjectPath first in the recent-file list and writes the list.
  virtual void UpdateRecentFiles();
  void RefreshRecentFilesMenu();
  void SelectRecentFile(int index);
  // Whether Open, Save, Save As and the recent files can run yet.
  virtual bool FileCommandsReady() const;

  // Asks the maker's server for a newer version, in the background once the
  // window is on the screen, and offers the update window when there is
  // one; nothing when YearlyUpdateReminder says no.
  void CheckForUpdates();

  // --- Menu and toolbar handlers. An entry runs what its row in the menu's
  // table names (core/commands/Commands.h): its tool or its command.
  // Runs one of the main window's own commands, or opens a tool (Print and
  // Print Preview ask first when the project is empty). Each starts with
  // the cancelled flag clear.
  void RunCommand(Command command);
  void RunTool(Tool tool);
  // The toolbar button clicked, by its key.
  void OnToolbarButtonClicked(const QString& key);
  // Runs quick button 0, 1 or 2: the menu entry of its code (QuickButtonTools).
  void RunQuickButton(int button);

  // Captions of every menu entry in the current language.
  void SetMenuCaptions();
  // Enables the entries and buttons whose commands are there to run.
  void UpdateCommandStates();

  // The entries of a menu, index 0 first (separators included).
  const std::vector<QAction*>& MenuItems(Menu menu) const;
  // The menu entry that runs a tool, or one of the window's own commands.
  QAction* EntryOf(Tool tool) const;
  QAction* EntryOf(Command command) const;

  // --- Form-level state.
  // How long Save waits for the lock of the project's file while another
  // copy of the program holds it (ProjectFileLock::Take).
  int SaveLockWaitSeconds = kProjectFileLockWaitSeconds;
  bool FirstActivation = false;
  bool Cancelled = false;
  QString CaptionPrefix;  // shown before the project's name in the window's caption

  // --- Controls.
  QPlainTextEdit* historyPane = nullptr;
  QLabel* logo = nullptr;
  QLabel* versionLabel = nullptr;
  CommandBar* toolbar = nullptr;
  QWidget* surface = nullptr;  // the window's client area below the menus
  QMenu* fileMenu = nullptr;
  QMenu* inputMenu = nullptr;
  QMenu* stressMenu = nullptr;   // the Stress Analysis sub-menu of the Input menu
  QMenu* failureMenu = nullptr;  // the Failure Criteria sub-menu of the Input menu
  QMenu* utilitiesMenu = nullptr;
  QMenu* helpMenu = nullptr;
  std::vector<QAction*> recentFileEntries;  // 0: the separator before the recent files
  // The toolbar's icons, once the window has loaded.
  const IconStrip* ToolbarIcons() const { return toolbarIcons_.get(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Before an unsaved project is let go: "Save changes to: <path>?" with
  // Yes, No and Cancel. Yes saves first (the recent-file list follows); No
  // lets the changes go. True when the project may be let go: false after
  // Cancel, a box closed without an answer, or a save that failed or was
  // cancelled. A saved project asks nothing.
  bool MayLetProjectGo();
  void OnUnload();

 private:
  void BuildMenus();
  // Fills a menu with the entries of its table; a sub-menu head brings its
  // sub-menu, filled in turn.
  void BuildMenu(Menu which);
  // The history pane shows the history and follows each change of it.
  void FollowHistory();
  void ShowLastHistoryLine();

  // Toolbar construction.
  void LoadToolbarIcons();
  void AddToolbarButtons();
  void CreateStandardBar();

  // Whether an entry does something now: a tool that exists, a command that
  // can run (CommandRuns); a separator, a sub-menu head or an index outside
  // the menu runs nothing.
  bool EntryRuns(Menu menu, int index) const;
  bool CommandRuns(Command command) const;
  // Runs what the row of an entry names: its tool, its command, or nothing
  // (a separator, a sub-menu head, an index outside the menu). The menus'
  // entries and the quick buttons come here.
  void OnEntryChosen(Menu menu, int index);
  // The menu of the menu bar, or the sub-menu, that shows a menu's entries.
  QMenu*& MenuOf(Menu menu);
  // The empty-project question before printing; false ends the command.
  bool ConfirmPrintEmpty();

  // One statement of a menu handler under the handlers' error path: a
  // run-time error resets the pointer and goes to ReportError, which
  // decides: retry the statement, go on (cancelled flag set for a cancelled
  // dialog), or leave the handler (false).
  bool Run(const std::function<void()>& statement);

  // A save of the project (FileMenuSave, FileSave) begins and ends. A close
  // of the window asked for while one runs waits for its end, then goes on
  // as any close does.
  void BeginSave();
  void EndSave();
  // Closes the window from the event loop once no save runs and no modal
  // window stands in front.
  void CloseWhenNothingInFront();

  std::unique_ptr<IconStrip> toolbarIcons_;
  int savesRunning_ = 0;
  bool closeAskedDuringSave_ = false;
  std::vector<QAction*> menuItems_[6];
  bool unloading_ = false;
  bool holdCommandLine_ = false;
};

// Window procedures.
void LayoutMainWindow(MainWindow& window);
void CenterLogoPicture(MainWindow& window);
void ShowVersionLabel(MainWindow& window, QWidget* refresh);
void EnableMainWindow(MainWindow& window);
void SetMainCaption(MainWindow& window);
// The display-font settings onto the history pane of the main window.
void ApplyDisplayFont();
// Closes the main window through its normal close path (the question to
// save a changed project first, whose Cancel keeps the program running) once
// the event loop is back: the update window's install step.
void LeaveProgramForUpdate();
// A modeless tool has closed: the main window enabled and active again.
void ReturnToMainWindow();

}  // namespace brantel
