#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QSaveFile;

namespace brantel {

// True when the path names an existing file (not a folder). A path with the
// wildcards "*" or "?" in its file name is True when any file matches. A name
// beginning with "." is an ordinary file here. Never shows a message.
bool FileExists(const QString& path);

// True when the path names an existing folder (with or without a trailing
// "/") or file. An error while looking shows "Invalid path: " (unless quiet)
// or the internal-error message, and gives False.
bool ValidPath(const QString& path, bool quiet);

// The file name of a path (the part after the last "/"). With noExtension,
// the name is cut before its first "." that is not its first character.
// A path that ends with "/" shows "Error in filename: " and comes back whole.
QString StripPath(const QString& path, bool noExtension);

// Writes the bytes through a temporary file beside the target and a rename,
// as CommitAtomically does. A disk that is full gives Disk full (61); on any
// failure the temporary file is removed. Returns the error, or nothing on
// success.
std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The last step of every write through a QSaveFile (in place of its
// commit): flushes the bytes written and syncs them to the disk once,
// checking each answer of the disk, and only then renames the temporary
// file over the target (the file a link names, when the target is a
// symbolic link) and syncs the folder, so that the new file is the one
// found after a power cut. On failure the temporary file is removed, the
// old file stays, and the error comes back (Disk full for a full disk).
// Either way the QSaveFile writes no more; destroying it removes what is
// left of its temporary file.
std::optional<RuntimeError> CommitAtomically(QSaveFile& file);

// A save whose temporary file has no name (made with O_TMPFILE) links it
// beside the target, just before the rename over it, as
// "<target>.~brantel-save-<pid>-<attempt>": a name that only this program
// gives, so that what a save cut short leaves there can be told from the
// user's own files.
inline constexpr char kSaveInProgressMark[] = ".~brantel-save-";
QString SaveInProgressName(const QString& target, qint64 pid, int attempt);

// The files that saves of `target` cut short (the process killed between
// the link and the rename of CommitAtomically) left beside it: removes every
// ordinary file in the target's folder named exactly as SaveInProgressName
// names it after the target's own name (the file a link names, when the
// target is a link), whose process is gone; a live process may be saving it
// now. Nothing else is touched, whatever its name. Returns how many were
// removed.
int RemoveAbandonedSaves(const QString& target);

// Why a path names something other than an ordinary file: "it is a folder",
// or a device, a pipe or a socket, in the current language. Empty for an
// ordinary file and for a path where nothing is (the open says that).
QString IrregularFileReason(const QString& path);

// Reads a whole ordinary file into `bytes`. A folder, a device, a pipe or a
// socket is refused with ErrorNumber::PathFileAccess and the reason before
// any byte is read, and the open never waits for the writer of a pipe.
// Returns the error of a refusal or a failed read, or nothing.
std::optional<RuntimeError> ReadRegularFile(const QString& path, QByteArray& bytes);

// The same copy into a file created new, in the folder and under the name of
// `pattern` with its "XXXXXX" made unique: never into anything that is there
// already, a link planted at a name included. Gives the new file's path, or
// an empty text after the message ("File I/O problem with TMP file: " and
// the pattern when the copy cannot be made).
QString CopyTextFileToNew(const QString& source, const QString& pattern);

// Joins a folder and a name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

// The folder with exactly one trailing "/".
QString WithTrailingSlash(const QString& folder);

}  // namespace brantel
