#pragma once

#include "forms/FormDialog.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace brantel {

// "View Source Files": walks the places and folders, lists the files that
// match a pattern and shows one, in its own view or in the external viewer.
// The pattern, the viewer choice and the font are kept in the settings
// file, the last folder for the life of the process.
class frmTextBrow : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmTextBrow(QWidget* owner = nullptr);

  // The folder of the folder list (and of the file list).
  const QString& DirPath() const { return dirPath_; }
  // The pattern the file list applies.
  const QString& FilePattern() const { return pattern_; }
  // The names the file list shows.
  QStringList ListedFiles() const;

  // Sets the folder list's folder, as a double-click on it does.
  void SetDirPath(const QString& path);
  // Makes a file of the list the selected one; false when it is not listed.
  bool SelectFile(const QString& name);

  void Drive1_Change();
  void Text2_Change();
  void File1_DblClick();
  void Check1_Click();
  void cmdSetFont_Click();

 protected:
  // Loads the settings of the browser and the folder of the last visit.
  void LoadFromProject() override;
  void FormUnload() override;
  bool event(QEvent* event) override;

 private:
  void Form_Load();
  void Dir1_Change(const QString& path);
  // Lists the folder and its files; raises when the folder cannot be read.
  void ChangeFolder(const QString& path);
  void RefreshFiles();
  void ShowDriveOfFolder();
  void LoadView(const QString& path);
  void ViewExternally(const QString& path);
  void ApplyBrowserFont();
  void UpdateViewerState();

  struct Ui {
    QComboBox* drive;     // Drive1
    QListWidget* dirs;    // Dir1
    QListWidget* files;   // File1
    QLineEdit* pattern;   // Text2
    QLabel* current;      // Label1: the file shown
    QPlainTextEdit* view; // RichTextBox1: the file as plain text
    QCheckBox* external;  // Check1: use the external viewer
    QPushButton* setFont; // cmdSetFont
    QPushButton* ok;      // Command1
  } ui_;
  QStringList drives_;
  QString dirPath_;
  QString pattern_ = QStringLiteral("*.*");
};

// Opens a file in the external viewer: the viewer program (a path, or a
// name on the search path, optionally followed by its own arguments) is
// started with the file as a separate argument. The default "Notepad.exe"
// and any program that cannot be found give the file to the desktop's
// default program for it instead. False when nothing could be started.
bool OpenInExternalViewer(const QString& viewer, const QString& file);

// The name of the copies the external viewer opens: each view makes a new
// file in the scratch folder, its "XXXXXX" made unique.
QString BrowserScratchPattern();

}  // namespace brantel
