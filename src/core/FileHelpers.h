#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

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

// A file written in pieces (a download as it arrives) and put in its
// target's place whole, with one rename: the file a link names, when the
// target is a symbolic link; a loop of links is refused as the system
// refuses it, "Too many levels of symbolic links". The new file is synced
// to the disk once, renamed and its folder synced, so that after a power
// cut the target is the old file or the new one, never a part. It has the
// old file's permissions; a file that may not be written is not replaced.
// Where the file system makes a temporary file without a name (O_TMPFILE)
// it has none until just before the rename; elsewhere (FAT, network file
// systems, many FUSE ones) it is made, new, under the name
// SaveInProgressName gives. Before it is made the save is recorded in the
// user's scratch folder (RemoveSavesCutShort). A writer that fails, or
// goes without its commit, removes its temporary file and its record at
// once, and the old file stays as it was: a full disk gives Disk full
// (61), a folder that takes no new file Permission denied (70) with a text
// that names the folder.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Records the save and makes the temporary file beside the target of
  // `path`; once for each writer. Returns the error, or nothing.
  std::optional<RuntimeError> Open(const QString& path);
  // Writes every byte after those written before. The writer's first
  // failure (of the open, a write or the commit) comes back from this call
  // and from every later Write and Commit.
  std::optional<RuntimeError> Write(QByteArrayView bytes);
  // Puts the file written in the target's place; nothing is written after.
  // Returns the error, or nothing.
  std::optional<RuntimeError> Commit();

 private:
  // Makes the temporary file with the permissions `mode`. Returns 0 or the
  // errno.
  int Create(unsigned mode);
  void Record();
  // Removes what is left of the save (temporary file and record), keeps
  // the error for every later call and returns it.
  RuntimeError Fail(const RuntimeError& error);
  // Closes the temporary file and removes what is left of the save: the
  // temporary file while it has a name, and the record.
  void Finish();

  QString target_;
  QByteArray record_;                  // the record of the save, while it is there
  QByteArray name_;                    // the temporary file's, while it has one
  int fd_ = -1;                        // the temporary file, until the commit or a failure
  std::optional<RuntimeError> error_;  // the first failure
};

// Writes the bytes through an AtomicFileWriter, all at once. Returns the
// error, or nothing on success.
std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The temporary file of a save carries a name that only this program
// gives, "<target>.~brantel-save-<pid>-<attempt>": from the start where
// the file system cannot make one without a name, or linked under it just
// before the rename where it can. What a save cut short leaves there can
// so be told from the user's own files.
inline constexpr char kSaveInProgressMark[] = ".~brantel-save-";
QString SaveInProgressName(const QString& target, qint64 pid, int attempt);

// The files that saves of `target` cut short (the process killed before
// the rename) left beside it: removes every ordinary file in the target's
// folder named exactly as SaveInProgressName names it after the target's
// own name (the file a link names, when the target is a link), whose
// process is gone; a live process may be saving it now. Nothing else is
// touched, whatever its name. Returns how many were removed.
int RemoveAbandonedSaves(const QString& target);

// A save in progress is recorded in the user's scratch folder
// (UserTempFolder) as a file of its own, "~brantel-saving-<pid>-<n>",
// holding the target's path and a line end; the save removes it when it
// ends, either way. A save cut short leaves it, and with it the one place
// that names a new file's folder before the file is in the recent list.
inline constexpr char kSaveRecordPrefix[] = "~brantel-saving-";
// No record of a path is larger; a larger file is not read.
inline constexpr qint64 kMaxSaveRecordBytes = 16 * 1024;
// How long a record whose folder cannot be read is kept for a later start
// (a memory stick out, a network folder not mounted).
inline constexpr qint64 kSaveRecordAgeSeconds = 30LL * 24 * 60 * 60;

// For every record in `folder` of a save whose process is gone: removes
// what that save left beside its target (RemoveAbandonedSaves), then the
// record. A record cut short, or larger than kMaxSaveRecordBytes (never
// read beyond that), is removed alone. A record whose target's folder
// cannot be read is kept, silently, until it is older than
// kSaveRecordAgeSeconds. Only ordinary files of the record's exact name
// are looked at. Returns how many leftovers were removed.
int RemoveSavesCutShort(const QString& folder);

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
