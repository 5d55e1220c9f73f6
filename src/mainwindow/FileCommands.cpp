// The project-file commands of the main window: Open, Save, Save As, the file
// dialog they share and the list of recently used project files below the
// fixed entries of the File menu.
//
// Open reads into a scratch record, so the open project changes only when
// the new file was read whole; Save writes through a temporary file, so a
// failed save leaves the old file as it was.

#include "mainwindow/MainWindow.h"

#include "core/ErrorReporting.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "platform/FileDialog.h"

#include <QAction>
#include <QFileInfo>
#include <QScopeGuard>

namespace brantel {
namespace {

std::size_t At(int index) { return static_cast<std::size_t>(index); }

// The caption of recent entry i as the settings give it.
QString RecentCaption(int i) { return RecentFilesByName ? RecentFileName[At(i)] : RecentFilePath[At(i)]; }

// Captions a recent entry and shows it when it names a file; a file name's
// "&" is no access key.
void ShowRecentEntry(QAction* entry, const QString& caption) {
  QString text = caption;
  entry->setText(text.replace(u'&', QStringLiteral("&&")));
  entry->setVisible(!caption.isEmpty());
}

QString WithoutTrailingSlash(QString folder) {
  while (folder.size() > 1 && folder.endsWith(u'/')) folder.chop(1);
  return folder;
}

// The project's file as this run last opened or saved it.
ProjectFileStamp& ProjectOnDisk() {
  static ProjectFileStamp stamp;
  return stamp;
}

// Whether the project's file no longer holds the bytes of `known` (what
// this run opened or last saved, or what the file held when the user was
// asked about it): another copy of the program, or another program, has
// saved its own edit there since. A folder, a device or a pipe in its place
// is no such edit: the save itself refuses it and says what stands there.
bool ChangedByAnotherProgram(const ProjectFileStamp& known) {
  return known.path == Project.ProjectPath && IrregularFileReason(known.path).isEmpty() && ChangedOnDisk(known);
}

// What the question about another program's change says: the change since
// the project was opened, or one more while the user was being asked.
enum class ChangeAsked { SinceOpened, WhileAsked };

bool UserSaysOverwrite(ChangeAsked change) {
  const QString path = ShownText(Project.ProjectPath, 1024);
  const Bilingual text =
      change == ChangeAsked::SinceOpened
          ? Bilingual{"%1 was changed by another program since it was opened. Overwrite it?",
                      "Το %1 άλλαξε από άλλο πρόγραμμα αφότου ανοίχτηκε. Να αντικατασταθεί;"}
          : Bilingual{"%1 was changed again by another program while you were asked. Overwrite it?",
                      "Το %1 άλλαξε ξανά από άλλο πρόγραμμα όσο σας γινόταν η ερώτηση. Να αντικατασταθεί;"};
  const Answer pressed = ShowMessageBox(Tr(text).arg(path),
                                        BoxStyle{Buttons::YesNoCancel, Icon::Warning, DefaultButton::Second}, AppTitle);
  return pressed == Answer::Yes;
}

// Writes the project to its path, the file's lock held by the caller; the
// file is written whole to a temporary file and renamed over the old one.
// When anything fails the old file stays and the error is raised, the
// project still unsaved.
void WriteProject() {
  ProjectFileStamp written;
  if (std::optional<RuntimeError> error = WriteProjectFile(Project.ProjectPath, Project, &written)) throw *error;
  ProjectOnDisk() = written;
  // The project keeps the description as the file holds it.
  WrapDescription(Project.ProjectDescription);
  Project.FileSaved = true;
}

}  // namespace

bool MainWindow::FileCommandsReady() const { return true; }

bool MainWindow::FileSave() {
  BeginSave();
  const auto saveOver = qScopeGuard([this] { EndSave(); });
  setCursor(Qt::WaitCursor);
  // Another copy of the program saving the same file finishes first.
  ProjectFileLock lock;
  if (std::optional<RuntimeError> error = lock.Take(Project.ProjectPath, SaveLockWaitSeconds)) throw *error;
  WriteProject();
  unsetCursor();
  return true;
}

bool MainWindow::FileOpen() {
  // The file to open; until it has been read whole the open project keeps
  // its own path (the path it had when the command began).
  const QString target = Project.ProjectPath;
  Project.ProjectPath = Project.ProjectDisplayName;

  // A folder, a device or a pipe is said so before anything else: reading
  // one could wait for ever or never end.
  if (std::optional<RuntimeError> refused = RefuseIrregularProjectFile(target)) {
    ReportError(*refused, true);
    return false;
  }

  bool savedFirst = false;
  if (!Project.FileSaved) {
    const Answer pressed = ShowMessageBox(QStringLiteral("Save changes to: ") + Project.ProjectDisplayName + u'?',
                                          BoxStyle{Buttons::YesNo, Icon::Question, DefaultButton::Second}, AppTitle);
    if (pressed == Answer::Yes) {
      // A save that fails or is cancelled abandons the Open: the unsaved
      // project is not discarded.
      if (!FileMenuSave(false)) return false;
      savedFirst = true;
    } else if (pressed != Answer::No) {
      return false;  // the box closed without an answer
    }
  }
  forms::CloseModelessTools();  // as a Cancel: nothing of them reaches the next project

  setCursor(Qt::WaitCursor);
  for (;;) {
    const ProjectReadResult result = ReadProjectFile(target, Project);
    unsetCursor();
    if (result.read) {
      ProjectOnDisk() = result.stamp;
      // The new project is in place only now.
      AddFileInitializedLine();
      return true;
    }
    // The project, its flags and its path are as they were. A project saved
    // under a new name just now shows that name.
    if (savedFirst) SetMainCaption(*this);
    if (result.signatureRefused) return false;  // "Invalid File Type" has been shown
    if (ReportError(result.Error(), true) != NextStep::Retry) return false;
    setCursor(Qt::WaitCursor);
  }
}

bool MainWindow::FileMenuSave(bool saveAs) {
  BeginSave();
  const auto saveOver = qScopeGuard([this] { EndSave(); });
  const QString before = Project.ProjectPath;
  bool saved = false;
  if (before.isEmpty() || before.toUpper() == u"UNTITLED" || saveAs) {
    bool chosen = false;
    Run([&] {
      TakeChosenProjectFile(platform::FileDialogMode::Save);
      chosen = true;
    });
    if (chosen && !Cancelled) Run([&] { saved = FileSave(); });
  } else {
    // A file chosen in the dialog was the user's choice; the project's own
    // file is checked for another program's change first. The check and the
    // write happen under one lock of the file, so that of two copies of the
    // program saving it at once the second waits, then finds the first one's
    // edit and asks. The lock is not held while the question waits, so a Yes
    // checks again what the file holds against what it held when asked: an
    // edit saved meanwhile is asked about in turn, never overwritten unseen.
    Run([&] {
      ProjectFileStamp known = ProjectOnDisk();
      ChangeAsked change = ChangeAsked::SinceOpened;
      for (;;) {
        setCursor(Qt::WaitCursor);
        {
          ProjectFileLock lock;
          if (std::optional<RuntimeError> error = lock.Take(Project.ProjectPath, SaveLockWaitSeconds)) throw *error;
          if (!ChangedByAnotherProgram(known)) {
            WriteProject();
            saved = true;
          } else {
            known = StampOfFile(Project.ProjectPath);
          }
        }
        unsetCursor();
        if (saved || !UserSaysOverwrite(change)) break;
        change = ChangeAsked::WhileAsked;
      }
    });
  }
  // A save that did not happen leaves the project under its old name.
  if (!saved) Project.ProjectPath = before;
  return saved;
}

void MainWindow::LoadProjectFile() {
  if (!FileOpen()) return;
  UpdateRecentFiles();
  SetMainCaption(*this);
}

void MainWindow::OnRecentFileChosen(int index) {
  if (index < 0) return;
  // A file that is gone is said so before anything changes; its entry stays.
  bool present = false;
  const bool go = Run([&] {
    if (index < 1 || index > kMaxRecentFiles) RaiseError(ErrorNumber::Subscript);
    const QString& path = RecentFilePath[At(index)];
    // Anything else that stands at the path (a folder, a pipe) is refused
    // by the open itself.
    if (!QFileInfo::exists(path)) {
      RaiseError(ErrorNumber::FileNotFound,
                 Tr({"Cannot open the project file \"%1\": the file no longer exists",
                     "Αδύνατο το άνοιγμα του αρχείου έργου \"%1\": το αρχείο δεν υπάρχει πια"})
                     .arg(ShownText(path, 1024)));
    }
    present = true;
  });
  if (!go || !present) return;
  Run([&] {
    Project.ProjectDisplayName = Project.ProjectPath;
    SelectRecentFile(index);
    LoadProjectFile();
  });
}

std::optional<QString> MainWindow::ChooseProjectFile(platform::FileDialogMode mode) {
  Cancelled = false;
  platform::FileDialogRequest request;
  request.mode = mode;
  // The dialog proposes the project's file name; the project keeps its path
  // until a file is chosen.
  if (!Project.ProjectPath.trimmed().isEmpty()) request.fileName = StripPath(Project.ProjectPath, false);
  request.folder = WithoutTrailingSlash(DataPath);
  request.filter = QStringLiteral("All Files (*.*)|*.*|") + AppNameUpper + QStringLiteral(" Files (*.") +
                   FileExtension + QStringLiteral(")|*.") + FileExtension;
  request.filterIndex = 2;
  request.defaultExtension = FileExtension;
  return platform::ShowFileDialog(request, this);
}

void MainWindow::TakeChosenProjectFile(platform::FileDialogMode mode) {
  const std::optional<QString> chosen = ChooseProjectFile(mode);
  if (!chosen) RaiseError(ErrorNumber::DialogCancel);
  Project.ProjectPath = *chosen;
}

void MainWindow::UpdateRecentFiles() {
  if (!RecentFilesListed) return;
  AddRecentFile(Project.ProjectPath, Project.NewFileMark);
  // The list as the settings file holds it now: another copy of the
  // program may have opened files of its own meanwhile.
  SaveSettings(SettingsPart::FileMenu);
  for (int i = 1; i <= kMaxRecentFiles; ++i)
    ShowRecentEntry(recentFileEntries[At(i)], i <= RecentFileCount ? RecentCaption(i) : QString());
  recentFileEntries[0]->setVisible(true);
}

void MainWindow::RefreshRecentFilesMenu() {
  RecentMenuChanged = false;
  if (!RecentFilesListed) return;
  for (int i = 1; i <= RecentFileCount && i <= kMaxRecentFiles; ++i) {
    if (RecentFileName[At(i)].isEmpty()) continue;
    ShowRecentEntry(recentFileEntries[At(i)], RecentCaption(i));
    RecentMenuChanged = true;
  }
}

void MainWindow::SelectRecentFile(int index) {
  if (index < 1 || index > kMaxRecentFiles) RaiseError(ErrorNumber::Subscript);
  Project.ProjectPath = RecentFilePath[At(index)];
}

}  // namespace brantel
