#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace brantel::platform {

// Starting other programs and opening documents with the desktop. Programs
// are started directly with an argument list, never through a shell.

// Starts a program detached from this process; false when it could not be
// started.
bool StartProgram(const QString& program, const QStringList& arguments);

// Opens a URL with the desktop's default program for it (a local file: the
// program the desktop associates with its type); false when none opened.
bool OpenUrl(const QUrl& url);

// Opens a file with the program the desktop associates with its type;
// false when none opened (goes through OpenUrl).
bool OpenWithDefaultProgram(const QString& path);

// Shows a file in its folder in the desktop's file manager, the file
// selected where the file manager can do so; the file itself is never
// opened. False when nothing could show it.
bool ShowFileInFolder(const QString& path);

// The path of an executable program: a path with a "/" that names an
// executable file, or a name found on the search path; "" when neither.
QString FindProgram(const QString& name);

// The functions behind StartProgram, OpenUrl and ShowFileInFolder,
// replaceable by tests.
struct LauncherHandlers {
  std::function<bool(const QString& program, const QStringList& arguments)> start;
  std::function<bool(const QUrl& url)> open;
  std::function<bool(const QString& path)> reveal = {};
};

// Installs the handlers (an empty one keeps the desktop's); returns the
// previous ones.
LauncherHandlers SetLauncherHandlers(LauncherHandlers handlers);

}  // namespace brantel::platform
