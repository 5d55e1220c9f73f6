// The project-file commands of the main window: Open, Save, Save As, the file
// dialog and the recent-file list. Reading and writing project files comes
// with the project-file format; until then Open, Save, Save As and the recent
// files stay disabled in the menus and on the toolbar.

#include "mainwindow/MainWindow.h"

#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"

#include <QAction>

namespace brantel {

bool frmMain::FileCommandsReady() const { return false; }

qint16 frmMain::FileOpen() { return 0; }

qint16 frmMain::FileSave() { return 0; }

qint16 frmMain::FileMenuSave(bool saveAs) { return 0; }

void frmMain::LoadProjFile() {}

void frmMain::mnuFileArray_Click(qint16 index) {}

void frmMain::ShowFileDialog(qint16 mode, QString& path) { Cancelled = false; }

void frmMain::UpdateRecentFiles() {}

qint16 frmMain::RefreshRecentFilesMenu() {
  RecentMenuChanged = 0;
  if (KeepFileNames != 1) return 0;
  for (int i = 1; i <= MaxLastFiles && i <= kMaxRecentFiles; ++i) {
    const auto at = static_cast<std::size_t>(i);
    if (LastFile[at].isEmpty()) continue;
    QAction* entry = mnuFileArray[at];
    // A file name's "&" is no access key.
    QString caption = ShortRecentFiles == 1 ? LastFile[at] : LastFileLong[at];
    entry->setText(caption.replace(u'&', QStringLiteral("&&")));
    entry->setVisible(true);
    RecentMenuChanged = -1;
  }
  return 0;
}

void frmMain::SelectRecentFile(qint16 index) {
  if (index < 1 || index > kMaxRecentFiles) RaiseError(err::kSubscript);
  Project.ProjectPath = LastFileLong[static_cast<std::size_t>(index)];
}

}  // namespace brantel
