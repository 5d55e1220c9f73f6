#pragma once

#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace brantel {

// The general settings: the unit system of new projects, the history
// window, the data folder and the project-file extension, the external text
// viewer and the start-up options. OK checks the data folder, the history
// size and the extension, then writes the settings, has them applied to the
// main window (settingsApplied) and saves the [Settings] section. The history
// font is set at once by its own button (displayFontChosen), whatever the
// dialog's end. English texts only.
class frmSet : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmSet(QWidget* owner = nullptr);

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
    forms::OptionArray units;     // optUnits
    QCheckBox* dispHist;          // chkDispHist
    QLineEdit* historySize;       // Text3
    QPushButton* historyFont;     // Command5
    QCheckBox* keepRecent;        // chkKeepRecentFL
    QCheckBox* shortNames;        // chkShortNames
    QCheckBox* showDisclaimer;    // chkShowDiscl
    QCheckBox* maxMenu;           // chkMaxMenu
    QCheckBox* enableToolbar;     // chkEnableTB
    QCheckBox* loadLast;          // chkLoadLastInputFile
    QCheckBox* update;            // chkUpdate
    QCheckBox* copyExamples;      // chkCopyExamples
    QLineEdit* dataPath;          // Text2
    QLineEdit* extension;         // Text1
    QLineEdit* viewer;            // Text4
  } ui_;

  bool pendingPath_ = false;  // the folder chooser has been opened
};

// The folder chooser of the settings dialog: a list of the mounted volumes,
// a list of folders (the open folder's parents and its subfolders; a click
// opens one) and four quick locations. It starts at PathExchange and, on
// OK, leaves the folder highlighted there with a trailing "/".
class frmPath : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmPath(QWidget* owner = nullptr);

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
    forms::OptionArray places;  // Option1
    QComboBox* drives;          // Drive1
    QListWidget* folders;       // Dir1
  } ui_;

  QString dirPath_;
};

}  // namespace brantel
