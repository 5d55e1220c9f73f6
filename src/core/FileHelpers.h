#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include <sys/types.h>

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

// What a save does with a symbolic link at its path.
enum class LinkAtPath {
  Followed,  // the file the link names is replaced (a project, the settings)
  Replaced,  // the link itself gives way to the new file (a download)
};

// The record, in the user's scratch folder (UserTempFolder), of a file made
// beside a target that must not outlive a program killed meanwhile: the
// temporary file of a save, a print's scratch file made under a name. Its
// form is kSaveRecordPrefix's; RemoveSavesCutShort follows what a program
// killed left. Open makes it, locked, before the file is made; Name adds
// each name the file takes or is about to take; Remove, or the end of the
// object, removes it and lets its lock go last. Where none can be made the
// work goes on without one.
class LeftoverRecord {
 public:
  LeftoverRecord() = default;
  ~LeftoverRecord() { Remove(); }
  LeftoverRecord(const LeftoverRecord&) = delete;
  LeftoverRecord& operator=(const LeftoverRecord&) = delete;

  // Makes the record of the target at `target` (an absolute path).
  void Open(const QString& target);
  // Adds the name (a path beside the target) that the file has or is about
  // to have, and its inode number where that identifies it.
  void Name(const QByteArray& name, std::optional<ino_t> inode);
  void Remove();

 private:
  QByteArray path_;  // while the record is there
  int fd_ = -1;      // the record, open and locked, while it is there
};

// A file written in pieces (a download as it arrives) and put in its
// target's place whole, with one rename: the file a link names, when the
// target is a symbolic link that is followed; a loop of links is refused as
// the system refuses it, "Too many levels of symbolic links". The new file
// is synced to the disk once, renamed and its folder synced, so that after
// a power cut the target is the old file or the new one, never a part. It
// has the old file's permissions; a file that may not be written is not
// replaced. Where the file system makes a temporary file without a name
// (O_TMPFILE) it has none until just before the rename; elsewhere (FAT,
// network file systems, many FUSE ones) it is made, new, under the name
// SaveInProgressName gives. Before it is made the save is recorded in the
// user's scratch folder and the record locked for the whole save
// (RemoveSavesCutShort). A writer that fails, or goes without its commit,
// removes its temporary file and its record at once, and the old file stays
// as it was: a full disk gives Disk full (61), a folder that takes no new
// file or a read-only file system Permission denied (70) with a text that
// names the folder.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Records the save and makes the temporary file beside the target of
  // `path`; once for each writer. Returns the error, or nothing.
  std::optional<RuntimeError> Open(const QString& path, LinkAtPath link = LinkAtPath::Followed);
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
  // Puts the written file in the target's place, giving a file without a
  // name one first. Returns 0 or the errno; the file has no name left.
  int PutInPlace();
  // Removes what is left of the save (temporary file and record), keeps
  // the error for every later call and returns it.
  RuntimeError Fail(const RuntimeError& error);
  // Closes the temporary file and removes what is left of the save: the
  // temporary file while it has a name, and the record, then lets the
  // record's lock go.
  void Finish();

  QString target_;
  qsizetype nameLimit_ = 0;            // the longest file name of the target's folder, in bytes
  LeftoverRecord record_;              // of the save, while it runs
  QByteArray name_;                    // the temporary file's, while it has one
  int fd_ = -1;                        // the temporary file, until the commit or a failure
  std::optional<ino_t> inode_;         // the temporary file's, when it was made without a name
  std::optional<RuntimeError> error_;  // the first failure
};

// Writes every byte into an open file, going on after a write that took
// only some of them or was interrupted. Returns 0 or the errno (EIO for a
// write that took nothing).
int WriteAllBytes(int fd, QByteArrayView bytes);

// The first `size` bytes of a file open for reading, read from its start
// whatever its offset, going on after a read that took only some of them
// or was interrupted. Nothing where fewer can be read.
std::optional<QByteArray> ReadOpenFile(int fd, qsizetype size);

// Writes the bytes through an AtomicFileWriter, all at once. Returns the
// error, or nothing on success.
std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes);

// The temporary file of a save carries a name that only this program
// gives, "<target>.~brantel-save-<pid>-<attempt>": from the start where
// the file system cannot make one without a name, or linked under it just
// before the rename where it can. What a save cut short leaves there can
// so be told from the user's own files. Where that name would be longer
// than the folder's longest name (`nameLimit` bytes), the target's name in
// it is cut short, between two characters.
inline constexpr char kSaveInProgressMark[] = ".~brantel-save-";
inline constexpr qsizetype kMaxFileNameBytes = 255;
QString SaveInProgressName(const QString& target, qint64 pid, int attempt, qsizetype nameLimit = kMaxFileNameBytes);

// A save in progress is recorded in the user's scratch folder
// (UserTempFolder) as a file of its own, "~brantel-saving-<pid>-<n>",
// locked (flock) by the save from before its temporary file is made until
// after the record is removed, when the save ends either way. It holds the
// target's path and a NUL, then for each name the temporary file took or
// was about to take, the name, a NUL, the file's inode number (for a file
// made without a name; empty for one made under its name, whose file
// system may number it anew) and a NUL: the last of them is the
// temporary file's. A save cut short leaves the record unlocked, and with
// it the one place that names a new file's folder before the file is in
// the recent list. The records of the last version hold the target's path
// and a line end, and are never locked.
inline constexpr char kSaveRecordPrefix[] = "~brantel-saving-";
// No record is larger; a larger file is not read.
inline constexpr qint64 kMaxSaveRecordBytes = 64 * 1024;
// How long a record is kept for a later start while neither its target nor
// its temporary file can be found or looked at (a memory stick out, a
// network folder not mounted).
inline constexpr qint64 kSaveRecordAgeSeconds = 30LL * 24 * 60 * 60;
// A record still being written (by a save on a file system that makes no
// file without a name) is left alone for this long.
inline constexpr qint64 kUnfinishedSaveRecordSeconds = 60;
// The most records one start looks at, those not looked at for longest
// first (the oldest; a record kept for a later start goes to the back): the
// rest wait for the starts after it.
inline constexpr int kMaxSaveRecordsPerStart = 100;
// Of those, the most records of the last version, each of which looks up
// the hundred names its save may have given.
inline constexpr int kMaxLastVersionRecordsPerStart = 10;

// For every record among `names` (FileNamesIn `folder`) of a save that
// has ended, that is whose lock can be taken now, whatever process made
// it: removes the temporary file the record names beside its target, then
// the record. Only that file is removed: an ordinary file (not a link) of
// that exact name, of the inode number recorded where there is one, and
// none of `kept` (the file the program is to open, the recent projects,
// the settings file), whatever their names. The temporary file of a record
// of the last version is looked for under the names it gave, with the pid
// of the record's name. A record whose target and temporary file are both
// missing, or cannot be looked at, is kept, silently, until it is older
// than kSaveRecordAgeSeconds. A record larger than kMaxSaveRecordBytes
// (never read) is removed alone, and so is one cut short once it is older
// than kUnfinishedSaveRecordSeconds. Only ordinary files of a record's
// exact name are looked at, at most kMaxSaveRecordsPerStart of them, each
// with a few system calls; no other folder is listed. A record of the
// number of `program` (the process whose saves may run beside the
// clean-up; 0 for the calling one) is left for a later start. Each record
// is marked as looked at before its files are: one whose folder does not
// answer goes to the back for the next start. Touches no global: it may run
// in a process of its own. Returns how many temporary files were removed.
int RemoveSavesCutShort(const QString& folder, const QList<QByteArray>& names, const QStringList& kept,
                        qint64 program = 0);

// The names of the entries in a folder that are files (or of a kind the
// file system does not tell), read once with readdir. None where the
// folder cannot be read.
QList<QByteArray> FileNamesIn(const QString& folder);

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
