#pragma once

#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace brantel {

// The design names of the settings dialog's controls, for its code and its
// tests.
namespace settings {
inline constexpr char kDefaultUnits[] = "optUnits";
inline constexpr forms::ItemName kEnglishUnits = forms::Item(kDefaultUnits, 0);
inline constexpr forms::ItemName kMetricUnits = forms::Item(kDefaultUnits, 1);
inline constexpr char kDisplayHistory[] = "chkDispHist";
inline constexpr char kHistorySize[] = "Text3";  // size of the history window (chars)
inline constexpr char kHistoryFont[] = "Command5";
inline constexpr char kDataPath[] = "Text2";
inline constexpr char kSetPath[] = "cmdSetPath";  // opens the folder chooser
inline constexpr char kExtension[] = "Text1";     // default extension for data files
inline constexpr char kViewer[] = "Text4";        // the external text viewer
inline constexpr char kSelectViewer[] = "cmdSelect";
inline constexpr char kDefaultViewer[] = "cmdSetDefault";
inline constexpr char kKeepRecent[] = "chkKeepRecentFL";
inline constexpr char kShortNames[] = "chkShortNames";
inline constexpr char kShowDisclaimer[] = "chkShowDiscl";
inline constexpr char kMaxMenu[] = "chkMaxMenu";
inline constexpr char kEnableToolbar[] = "chkEnableTB";
inline constexpr char kLoadLast[] = "chkLoadLastInputFile";
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
inline constexpr char kPlaces[] = "Option1";  // the quick locations
inline constexpr forms::ItemName kUserHome = forms::Item(kPlaces, 0);
inline constexpr forms::ItemName kApplication = forms::Item(kPlaces, 1);
inline constexpr forms::ItemName kCurrent = forms::Item(kPlaces, 2);
inline constexpr forms::ItemName kUserTemporary = forms::Item(kPlaces, 3);
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
  void Form_Load();
  void Form_Activate();
  void chkDispHist_Click();
  void chkKeepRecentFL_Click();
  void chkShortNames_Click();
  void chkCopyExamples_Click();
  void cmdSetPath_Click();
  void cmdSetDefault_Click();
  void cmdSelect_Click();
  void Command5_Click();
  void Text1_Change();
  void UpdateShortNamesEnabled();
  // The checks of OK, in order; the first failure shows its message, puts
  // the focus back in its box and ends them.
  bool ValidateSettings();

  struct Ui {
    forms::OptionArray units;
    QCheckBox* dispHist;
    QLineEdit* historySize;
    QPushButton* historyFont;
    QCheckBox* keepRecent;
    QCheckBox* shortNames;
    QCheckBox* showDisclaimer;
    QCheckBox* maxMenu;
    QCheckBox* enableToolbar;
    QCheckBox* loadLast;
    QCheckBox* update;
    QCheckBox* copyExamples;
    QLineEdit* dataPath;
    QLineEdit* extension;
    QLineEdit* viewer;
  } ui_;

  bool pendingPath_ = false;  // the folder chooser has been opened
};

// The folder chooser of the settings dialog: a list of the mounted volumes,
// a list of folders (the open folder's parents and its subfolders; a click
// opens one) and four quick locations. It starts at PathExchange and, on
// OK, leaves the folder highlighted there with a trailing "/".
class DataFolderDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit DataFolderDialog(QWidget* owner = nullptr);

  // The folder highlighted in the list: the open one, until another is
  // picked with the keys.
  QString DirPath() const { return dirPath_; }

 protected:
  void FormUnload() override;

 private:
  void Form_Load();
  void Option1_Click(int index);
  void Drive1_Change();
  // Moves the volume list and the folder list to a folder; false (and
  // nothing moved) when it is no readable folder.
  bool MoveTo(const QString& folder);
  void ShowFolder(const QString& folder);

  struct Ui {
    forms::OptionArray places;
    QComboBox* drives;
    QListWidget* folders;
  } ui_;

  QString dirPath_;
};

}  // namespace brantel
