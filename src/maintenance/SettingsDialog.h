#pragma once

#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace brantel {

// The design names of the settings dialog's controls, for its code and its
// tests.
namespace settings {
inline constexpr char kDefaultUnits[] = "optUnits";
inline constexpr forms::ItemName kEnglishUnits = forms::Item(kDefaultUnits, 0);
inline constexpr forms::ItemName kMetricUnits = forms::Item(kDefaultUnits, 1);
inline constexpr char kDisplayHistory[] = "chkDispHist";
inline constexpr char kHistorySize[] = "Text3";  // in characters
inline constexpr char kHistoryFont[] = "Command5";
inline constexpr char kDataPath[] = "Text2";
inline constexpr char kChooseDataFolder[] = "cmdSetPath";
inline constexpr char kDefaultExtension[] = "Text1";  // of project files
inline constexpr char kExternalViewer[] = "Text4";    // of the text browser
inline constexpr char kSelectViewer[] = "cmdSelect";
inline constexpr char kDefaultViewer[] = "cmdSetDefault";
inline constexpr char kKeepRecent[] = "chkKeepRecentFL";
inline constexpr char kShortNames[] = "chkShortNames";
inline constexpr char kShowDisclaimer[] = "chkShowDiscl";
inline constexpr char kMaximizeMainWindow[] = "chkMaxMenu";
inline constexpr char kEnableToolbar[] = "chkEnableTB";
inline constexpr char kLoadLastProject[] = "chkLoadLastInputFile";
inline constexpr char kUpdateReminder[] = "chkUpdate";
inline constexpr char kCopyExamples[] = "chkCopyExamples";
inline constexpr char kHelp[] = "cmdHelp";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kOk[] = "CmdOk";
}  // namespace settings

// The design names of the folder chooser's controls.
namespace selectpath {
inline constexpr char kDrives[] = "Drive1";
inline constexpr char kFolders[] = "Dir1";
inline constexpr char kQuickLocations[] = "Option1";
inline constexpr forms::ItemName kUserHome = forms::Item(kQuickLocations, 0);
inline constexpr forms::ItemName kApplication = forms::Item(kQuickLocations, 1);
inline constexpr forms::ItemName kCurrent = forms::Item(kQuickLocations, 2);
inline constexpr forms::ItemName kUserTemporary = forms::Item(kQuickLocations, 3);
inline constexpr char kOk[] = "Command2";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kHelp[] = "Command3";
}  // namespace selectpath

// The general settings: the unit system of new projects, the history
// window, the data folder and the project-file extension, the external text
// viewer and the start-up options. OK checks the data folder, the history
// size and the extension, then writes the settings, has them applied to the
// main window (settingsApplied) and saves the [Settings] section. The history
// font is set at once by its own button (displayFontChosen), whatever the
// dialog's end. English texts only.
class SettingsDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(QWidget* owner = nullptr);

 signals:
  // A new history font is in the display-font settings.
  void displayFontChosen();
  // OK wrote the settings of the main window (the history window, its menu
  // entries, the toolbar, the maximised window); the [Settings] section is
  // saved after the receivers return.
  void settingsApplied();

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void OnLoad();
  void OnActivate();
  // The history's size and font can be set while the history is shown.
  void OnDisplayHistoryToggled();
  // Short names can be chosen while the recent files are kept.
  void OnKeepRecentFilesToggled();
  // Says that short names take effect at the next start.
  void OnShortNamesToggled();
  // Says what copying the example files does, when it is ticked.
  void OnCopyExamplesToggled();
  // The folder chooser, starting at the data folder's box; its OK fills the
  // box.
  void OnChooseDataFolderClicked();
  void OnDefaultViewerClicked();
  // The file dialog for the external viewer's program.
  void OnSelectViewerClicked();
  // The font dialog for the history; a font chosen applies at once.
  void OnHistoryFontClicked();
  // The extension shows in upper case as it is typed.
  void OnExtensionEdited();
  void UpdateShortNamesEnabled();
  // The checks of OK, in order; the first failure shows its message, puts
  // the focus back in its box and ends them.
  bool ValidateSettings();

  struct Ui {
    forms::OptionArray units;
    QCheckBox* displayHistory;
    QLineEdit* historySize;
    QPushButton* historyFont;
    QCheckBox* keepRecent;
    QCheckBox* shortNames;
    QCheckBox* showDisclaimer;
    QCheckBox* maximizeMainWindow;
    QCheckBox* enableToolbar;
    QCheckBox* loadLastProject;
    QCheckBox* updateReminder;
    QCheckBox* copyExamples;
    QLineEdit* dataPath;
    QLineEdit* extension;
    QLineEdit* externalViewer;
  } ui_;

  bool pendingPath_ = false;  // the folder chooser has been opened
  int historySize_ = 0;       // the history size OK accepted
};

// The quick locations of the folder chooser, in the order of its options.
enum class QuickLocation {
  UserData = 0,     // the user's data folder
  Program = 1,      // the program's folder
  Current = 2,      // the folder the chooser started at
  UserScratch = 3,  // the user's scratch folder
};

// The mount table from which the folder chooser takes its volumes: the
// kernel's, for this process, read as a file. Reading it touches none of
// the volumes, so that one that does not answer (a network folder whose
// server is gone) holds nothing up.
inline constexpr char kMountTableFile[] = "/proc/self/mountinfo";

// The volumes a mount table names, in the form of /proc/self/mountinfo (the
// mount point is the fifth field, its blanks and other such characters
// written as "\040" and the like; the file-system type follows the field
// "-"), each once, sorted, the root first. Left out are the kernel's own
// file systems, which hold no user's files: proc, sysfs, devtmpfs, devpts,
// mqueue, cgroup and cgroup2, debugfs, tracefs, securityfs, selinuxfs,
// pstore, bpf, configfs, fusectl, hugetlbfs, efivarfs, binfmt_misc, nsfs,
// rpc_pipefs and autofs (whose mount points mount another volume when they
// are looked at).
QStringList VolumesInMountTable(const QByteArray& table);

// How long the folder chooser waits for a folder the user chose to be
// listed before it shows the folder without its subfolders, saying that
// the volume does not answer; the subfolders follow when it answers.
inline constexpr int kFolderAnswerWaitMs = 300;

// The folder chooser of the settings dialog: a list of the mounted volumes,
// a list of folders (the open folder's parents and its subfolders; a click
// opens one) and four quick locations. It starts at PathExchange and, on
// OK, leaves the folder highlighted there with a trailing "/". Folders are
// listed in a process of their own (ChildTask): the chooser opens without
// waiting for any volume, and a folder chosen on a volume that does not
// answer shows without its subfolders and with a line saying so.
class DataFolderDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  // `mountTable`: the file the volumes are read from (kMountTableFile).
  explicit DataFolderDialog(QWidget* owner = nullptr, const QString& mountTable = QString::fromLatin1(kMountTableFile));
  ~DataFolderDialog() override;

  // The folder highlighted in the list: the open one, until another is
  // picked with the keys.
  QString ChosenFolder() const { return chosenFolder_; }

 protected:
  void FormUnload() override;

 private:
  // What becomes of a folder that is found not to be a readable folder: the
  // lists stay where they were (or go back there), and then...
  enum class IfUnreadable {
    Quiet,            // nothing more
    SayDriveFailed,   // the message that the drive cannot be read
    OpenStartFolder,  // the current folder of the program is opened
  };
  // A listing under way: its folder, its child task and what becomes of a
  // folder found unreadable.
  struct Listing;

  void OnLoad();
  void OnQuickLocationChosen(QuickLocation location);
  void OnVolumeChosen();
  // Moves the volume list and the folder list to a folder, once it is
  // listed (waiting at most `waitMs` here; a later answer is taken when it
  // comes, and meanwhile the folder shows without its subfolders).
  void MoveTo(const QString& folder, IfUnreadable ifUnreadable, int waitMs = kFolderAnswerWaitMs);
  // Takes the answer of the listing under way, when it has come.
  void OnListingAnswered();
  // Shows the folder's parents and its subfolders, or in their place, while
  // its volume keeps the answer waiting, a line that says so.
  void ShowFolder(const QString& folder, const QStringList& subfolders, bool volumeSilent = false);

  struct Ui {
    forms::ChoiceArray<QuickLocation> quickLocations;
    QComboBox* drives;
    QListWidget* folders;
  } ui_;

  QString mountTable_;
  QString chosenFolder_;
  // The folder last listed whole, and its subfolders: where the lists go
  // back to when a folder chosen since is found unreadable.
  QString listedFolder_;
  QStringList listedSubfolders_;
  std::unique_ptr<Listing> pending_;  // the listing under way
  QTimer* answerPoll_ = nullptr;
};

}  // namespace brantel
