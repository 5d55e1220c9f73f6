#pragma once

#include <QStringList>

class QApplication;

namespace brantel {

// The process entry: start-up, the main window, the project named on the
// command line. Returns the exit code of the event loop.
int Main(QApplication& app, const QStringList& arguments);

// The command line as one text: the arguments after the program, joined by
// blanks.
QString JoinCommandLine(const QStringList& arguments);

}  // namespace brantel
