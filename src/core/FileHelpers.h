#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QString>

#include <functional>
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

// The most bytes a read takes from a file, and the error of a file that
// holds more: from its path and the size it gives, or nothing where it
// holds more than it says (a file of /proc or /sys says 0). Without that
// function the error is a plain "too large" text.
struct ReadLimit {
  qint64 bytes = 0;
  std::function<RuntimeError(const QString& path, std::optional<qint64> size)> tooLarge;
};

// A size for a message about a file too large: "32.1 MB" (in megabytes
// with one decimal, rounded up, so that a size just above a limit never
// reads as the limit), or where the size is not known "more than 32 MB"
// after the limit.
QString TooLargeSizeText(std::optional<qint64> size, qint64 limit);

// Reads a whole ordinary file into `bytes`. A folder, a device, a pipe or a
// socket is refused with ErrorNumber::PathFileAccess and the reason before
// any byte is read, and the open never waits for the writer of a pipe. A
// file that says it is larger than the limit is refused before any byte is
// read; one that says less is read in pieces that stop as soon as they
// hold more than the limit, whatever the file says. Returns the error of a
// refusal or a failed read (and `bytes` empty), or nothing.
std::optional<RuntimeError> ReadRegularFile(const QString& path, QByteArray& bytes, const ReadLimit& limit);

// A copy of a text file with every line ended by CR LF, into a file created
// new, in the folder and under the name of `pattern` with its "XXXXXX" made
// unique: never into anything that is there already, a link planted at a
// name included. The source is read within `limit`: a file above it is
// reported with its error (ReportError). Gives the new file's path, or an
// empty text after the message ("Requested File not found: " and the
// source, or "File I/O problem with TMP file: " and the pattern when the
// source cannot be read or the copy cannot be made).
QString CopyTextFileToNew(const QString& source, const QString& pattern, const ReadLimit& limit);

// Joins a folder and a name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

// The folder with exactly one trailing "/".
QString WithTrailingSlash(const QString& folder);

}  // namespace brantel
