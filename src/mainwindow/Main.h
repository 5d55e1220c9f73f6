#pragma once

#include <QStringList>

#include <memory>

class QApplication;

namespace brantel {

class MainWindow;

// The process entry: start-up, the main window, the project named on the
// command line. Returns the exit code of the event loop.
int Main(QApplication& app, const QStringList& arguments);

// Start-up up to the shown main window, without the event loop: the filter
// of empty pastes (forms::FilterEmptyPastes), the globals and the settings
// file, the loaded main window with a new project, the display font, then
// the last project (when the settings ask for it) and the one on the
// command line. Nothing when the user declined the
// disclaimer: the program then ends without having shown its window.
std::unique_ptr<MainWindow> StartMainWindow();

// The command line as one text: the arguments after the program, joined by
// blanks.
QString JoinCommandLine(const QStringList& arguments);

// The command line with a relative project path made absolute against the
// folder the program was started in (the main window makes the program's
// own folder the current one when it loads). Any other text is kept as it
// is.
QString ResolveCommandLine(const QString& commandLine, const QString& startFolder);

}  // namespace brantel
