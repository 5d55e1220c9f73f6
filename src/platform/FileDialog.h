#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace brantel::platform {

// The open and save dialogs of project files. They go through a function
// that tests replace, so that no test waits for a person.

enum class FileDialogMode {
  Open,  // the folder and the file must exist
  Save,  // an existing file is overwritten only after the user confirms
};

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  QString fileName;          // the name proposed, without folders
  QString folder;            // the starting folder; "" (see ShowFileDialog)
  QString filter;            // pairs "description|pattern|description|pattern"
  int filterIndex = 1;       // the pair selected at first, from 1
  QString defaultExtension;  // added to a typed name that has none
  QString title;             // the window's caption; "" for the platform's
};

// Shows the dialog; the chosen file's full path, or nothing when the user
// cancelled. An empty starting folder is the current folder when it holds
// files of the selected filter, else the documents folder.
std::optional<QString> ShowFileDialog(const FileDialogRequest& request, QWidget* parent);

// The name filters of a "description|pattern|..." text as the dialog shows
// them: "description (patterns)", "*.*" standing for every file.
QStringList FileDialogNameFilters(const QString& filter);

using FileDialogHandler = std::function<std::optional<QString>(const FileDialogRequest&, QWidget*)>;

// Installs a replacement (an empty one gives the real dialog back); returns
// the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

}  // namespace brantel::platform
