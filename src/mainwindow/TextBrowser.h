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

// The design names of the text browser's controls, for its code, its tests
// and its benchmark.
namespace textbrowser {
inline constexpr char kDrive[] = "Drive1";
inline constexpr char kFolders[] = "Dir1";
inline constexpr char kFiles[] = "File1";
inline constexpr char kPattern[] = "Text2";
inline constexpr char kCurrentFile[] = "Label1";
inline constexpr char kView[] = "RichTextBox1";
inline constexpr char kUseExternalViewer[] = "Check1";
inline constexpr char kSetFont[] = "cmdSetFont";
inline constexpr char kOk[] = "Command1";
}  // namespace textbrowser

// "View Source Files": walks the places and folders, lists the files that
// match a pattern and shows one, in its own view or in the external viewer.
// The pattern, the viewer choice and the font are kept in the settings
// file, the last folder for the life of the process.
class TextBrowser : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit TextBrowser(QWidget* owner = nullptr);

  // The folder of the folder list (and of the file list).
  const QString& CurrentFolder() const { return folder_; }
  // The pattern the file list applies.
  const QString& FilePattern() const { return pattern_; }
  // The names the file list shows.
  QStringList ListedFiles() const;

  // Sets the folder list's folder, as a double-click on it does.
  void OpenFolder(const QString& path);
  // Makes a file of the list the selected one; false when it is not listed.
  bool SelectFile(const QString& name);

  // A place chosen in the drive list: its folder is listed.
  void OnDriveChosen();
  // The pattern typed: the file list follows it, and a file it names
  // exactly is selected.
  void OnPatternEdited();
  // A file double-clicked or entered in the file list: it is shown, in the
  // view or in the external viewer.
  void OnFileChosen();
  void OnExternalViewerToggled();
  void OnSetFontClicked();

 protected:
  // Loads the settings of the browser and the folder of the last visit.
  void LoadFromProject() override;
  void FormUnload() override;
  bool event(QEvent* event) override;

 private:
  void OnLoad();
  // A folder double-clicked or entered in the folder list.
  void OnFolderChosen(const QString& path);
  // Lists the folder and its files; raises when the folder cannot be read.
  void ChangeFolder(const QString& path);
  void RefreshFiles();
  void ShowDriveOfFolder();
  void LoadView(const QString& path);
  void ViewExternally(const QString& path);
  void ApplyBrowserFont();
  void UpdateViewerState();

  struct Ui {
    QComboBox* drive;
    QListWidget* folders;
    QListWidget* files;
    QLineEdit* pattern;
    QLabel* currentFile;   // the path of the file shown
    QPlainTextEdit* view;  // the file as plain text
    QCheckBox* useExternalViewer;
    QPushButton* setFont;
    QPushButton* ok;
  } ui_;
  QStringList drives_;
  QString folder_;
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
