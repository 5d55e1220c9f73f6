#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace brantel {

// Registration of the project-file extension with the desktop, for the
// user alone (no administrator rights needed), after the freedesktop.org
// shared-mime-info, desktop-entry and mime-apps rules:
//   1. a MIME type for the extension, "application/x-<program>-<ext>", in
//      the package <data>/mime/packages/<program>-<ext>.xml, whose glob
//      "*.<ext>" (lower case, so any case of the name matches);
//   2. a desktop entry <data>/applications/<program>.desktop that opens a
//      file with the program (Exec: the program's path in double quotes,
//      then %f) and names the MIME type;
//   3. the databases updated: update-mime-database <data>/mime and
//      update-desktop-database <data>/applications;
//   4. the program made the type's default handler in the [Default
//      Applications] group of <config>/mimeapps.list.
// <data> is the user's XDG data folder, <config> the XDG configuration
// folder; <program> is the program's file name in lower case with every
// character but a-z and 0-9 turned into "-".
//
// Every folder made, file written and command run is checked; what failed is
// listed in the result, and the steps that need a failed one are skipped.
// Files are written whole or not at all.

// The user's XDG data folder: $XDG_DATA_HOME when it is an absolute path,
// else $HOME/.local/share. No trailing "/".
QString XdgDataHome();
// The user's XDG configuration folder: $XDG_CONFIG_HOME when it is an
// absolute path, else $HOME/.config. No trailing "/".
QString XdgConfigHome();

// Runs a program to its end with the arguments (no shell). "" when it ran
// and exited with code 0; otherwise one line saying what went wrong (not
// found on the search path, could not start, did not finish within a minute,
// crashed, exited with a code other than 0).
using CommandRunner = std::function<QString(const QString& program, const QStringList& arguments)>;
QString RunCommandChecked(const QString& program, const QStringList& arguments);

// Where the registration writes and how it runs commands; an empty member
// takes the user's folder (XdgDataHome, XdgConfigHome) or RunCommandChecked.
struct FileAssociationPlaces {
  QString DataHome;
  QString ConfigHome;
  CommandRunner Run;
};

struct FileAssociationResult {
  QString ProgramPath;   // the program the desktop entry starts
  QString MimeType;      // "application/x-brantel-bnl"
  QString PackageFile;   // the shared-mime-info package written
  QString DesktopFile;   // the desktop entry written
  QString DefaultsFile;  // mimeapps.list
  QStringList Failures;  // one line per failed step; empty when all succeeded
  bool Succeeded() const { return Failures.isEmpty(); }
};

// True for an extension the registration takes: one or more ASCII letters
// and digits, nothing else ("BNL", "b2"; not "", "B N", "x.y", "*", "ä").
bool IsRegistrableExtension(QStringView extension);

// The id of the program in file names and in the MIME type ("brantel" for
// "Brantel"; "my-calc" for "My Calc").
QString FileAssociationProgramId(const QString& exeName);

// The MIME type of an extension: "application/x-" id "-" extension in lower
// case.
QString FileAssociationMimeType(const QString& exeName, const QString& extension);

// The Exec value for a program path: the path in double quotes with ", `, $
// and \ escaped by a backslash (then every \ doubled, as a desktop-entry
// string requires) and % written as %%, followed by " %f".
QString DesktopExecValue(const QString& programPath);

// The contents of the files.
QByteArray MimePackageText(const QString& mimeType, const QString& extension, const QString& comment);
QByteArray DesktopEntryText(const QString& name, const QString& programPath, const QString& mimeType);
// mimeapps.list with the desktop entry as the MIME type's default: the key in
// [Default Applications] replaced or added, every other line kept.
QByteArray MimeAppsWithDefault(const QByteArray& existing, const QString& mimeType, const QString& desktopId);

// Registers `extension` for the program `exeName` in `folder` (the file
// folder + exeName; programs carry no extension on this system), with
// `displayName` as the desktop entry's name. An extension that is not
// registrable, or a program path that is not an absolute path of an existing
// file (or holds a control character), is refused with one failure line and
// nothing written.
FileAssociationResult AssociateFileType(const QString& folder, const QString& exeName, const QString& extension,
                                        const QString& displayName, const FileAssociationPlaces& places = {});

}  // namespace brantel
