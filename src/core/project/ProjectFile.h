#pragma once

#include "core/RuntimeError.h"
#include "core/project/ProjectFileVersion.h"
#include "core/project/ProjectRecord.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace brantel {

// The project file: one value per line in a fixed order, the description
// between two marker lines, a signature naming the format version on the
// first line. The versions from kProjectFileFirstVersion to
// kProjectFileLastVersion are read; kProjectFileVersionWritten is written
// (ProjectFileVersion.h).

inline constexpr int kDescriptionWidth = 60;  // longest line of a wrapped description

QString ProjectSignatureWritten();  // of kProjectFileVersionWritten: "BRANTEL_109"
QString StartDescMarker();          // "##StartDesc##"
QString EndDescMarker();            // "##EndDesc##"

// A value as the project file writes it: numbers in the shortest text that
// reads back to the same value, always with "." as the decimal point; a text
// has its first "," turned into ".".
QString ToDotDecimal(float value);
QString ToDotDecimal(double value);
QString ToDotDecimal(qint16 value);
QString ToDotDecimal(const QString& text);

// Fills ProjectSignatures with the signature of every version read.
void SetProjectSignatures();

// Looks the signature up among ProjectSignatures (exactly, case included)
// and sets the version kProjectFileFirstVersion + its index. A signature that is not there shows
// "Invalid File Type" (under the application title) and gives false.
bool CheckFileSignature(const QString& signature, int& fileVersion);

// Splits a line in place into pieces of at most 60 characters joined by
// CR LF: a piece ends at a blank between characters 40 and 60 where there is
// one (the blank stays at the end of the piece), otherwise after character 60.
void WrapLine(QString& line);

// Rewraps a description in place: lines of blanks only are dropped, lines
// longer than 60 characters (blanks around them not counted) are split by
// WrapLine (pieces of blanks only dropped as well), and the lines are joined
// by CR LF without a final one.
void WrapDescription(QString& description);

// The conversion step of the file-conversion dialog: it converts nothing and
// reports success.
bool ConvertProjectFiles();

// The largest project file read, and written. A real project is a few
// kilobytes; a larger file is no project, and reading it would hold the
// window up. Save refuses a project whose file would be larger, so that
// every file the program writes opens again.
inline constexpr qint64 kMaxProjectFileBytes = 16LL * 1024 * 1024;

// The most characters the description box takes, its line ends not counted
// (the wrap of the file adds line ends only). A character is at most three
// bytes of the file (UTF-8), and a wrap adds two bytes for at least one
// character more: four bytes a character at most, which with the box's
// line ends (two bytes each, in at most a hundred thousand lines) and the
// value lines keeps any project far below kMaxProjectFileBytes.
inline constexpr qsizetype kMaxDescriptionLength = 1024 * 1024;
static_assert(4 * kMaxDescriptionLength + 64 * 1024 < kMaxProjectFileBytes / 2);

// A project file as this run of the program last read or wrote it: enough
// to tell whether another program has changed it since.
struct ProjectFileStamp {
  QString path;  // empty: no file
  qint64 size = -1;
  qint64 modifiedNs = 0;  // modification time, nanoseconds since 1970
  QByteArray digest;      // SHA-256 of its bytes
};

// Whether the file at the stamp's path no longer holds the bytes of the
// stamp: another size, or bytes of another digest (anything but an ordinary
// file, and a file that cannot be read, count as changed). A file only
// touched (a new modification time, the same bytes) is unchanged. An empty
// stamp, and a file that is gone, have nothing that a save could lose: false.
// A stamp without a digest (StampOfFile of a file whose bytes could not be
// read) matches a file of its size and modification time whose bytes still
// cannot be read.
bool ChangedOnDisk(const ProjectFileStamp& stamp);

// The stamp of the file at `path` as it stands now, its bytes read: what a
// question about another program's change was asked about, against which
// the save after it tells whether the file changed again. No size (-1)
// where nothing stands at the path, so that a file put there later is a
// change; no digest where the bytes cannot be read (anything but an
// ordinary file, a file larger than a project file).
ProjectFileStamp StampOfFile(const QString& path);

// How long a save waits for the lock of a project file that another program
// holds. A save holds it for well under a second, even on a slow memory
// stick; a lock held longer belongs to a program that hangs (on a network
// folder that no longer answers, say).
inline constexpr int kProjectFileLockWaitSeconds = 30;

// An exclusive lock (flock) on a project file, held while a save checks the
// file for another program's change and replaces it: two copies of the
// program saving one project take turns, and the second sees the first
// one's edit. The lock is on the file itself, the file a link names; a save
// puts a new file in its place, so a lock taken is checked against the file
// that the path names then, and taken again on that one.
class ProjectFileLock {
 public:
  ProjectFileLock() = default;
  ~ProjectFileLock() { Release(); }
  ProjectFileLock(const ProjectFileLock&) = delete;
  ProjectFileLock& operator=(const ProjectFileLock&) = delete;

  // Takes the lock of the file at `path`. While another program holds it,
  // waits with the application's events going on (repaints, timers), user
  // input held back, for at most `waitSeconds`; then gives "Cannot save the
  // project file", the path and how long it waited
  // (ErrorNumber::PathFileAccess), and holds nothing. When a wait ends, the
  // input that came meanwhile is dropped, but for the window system's
  // requests to close a window: those reach the window while Waiting() is
  // still true, so that it can close once the save is over. A path where no
  // file is, anything but an ordinary file, a file that cannot be opened and
  // a file system without locks take no lock, and give nothing: the save
  // goes on as it would without one.
  std::optional<RuntimeError> Take(const QString& path, int waitSeconds = kProjectFileLockWaitSeconds);
  // Lets the lock go, when one is held.
  void Release();
  bool Held() const { return fd_ >= 0; }
  // True while a save waits for a lock. The application's events go on
  // meanwhile: what would end the program, or start another save, waits
  // until that save is over.
  static bool Waiting();

 private:
  int fd_ = -1;  // the locked file, open for reading
};

// The outcome of reading a project file.
struct ProjectReadResult {
  bool read = false;              // the file was read whole into the record
  bool signatureRefused = false;  // "Invalid File Type" has been shown
  ErrorNumber errorNumber{};      // the run-time error of any other failure
  QString message;                // what failed, naming the file and the line
  ProjectFileStamp stamp;         // the file as it was read (ReadProjectFile)

  // The run-time error that the caller's error handler reports.
  RuntimeError Error() const { return RuntimeError(errorNumber, message); }
};

// The error that File Open reports, before anything else, for a path that
// names a folder, a device, a pipe or a socket, or a file larger than
// kMaxProjectFileBytes: ErrorNumber::PathFileAccess with "Cannot open the
// project file", the path and the reason (for a large file, its size).
// Nothing for an ordinary file of a project's size or a path where nothing
// is.
std::optional<RuntimeError> RefuseIrregularProjectFile(const QString& path);

// Reads a project file. The record is replaced only by a file read whole:
// the reading starts from a copy of `out` reset as File Open resets it (the
// path kept, the units of a new project), takes ProjectPath = path, reads
// every value that the file's version holds and marks the copy saved, not
// empty and holding data; only then does it become `out`. On any failure
// `out` stays exactly as it was:
//  - a refused signature shows "Invalid File Type" (signatureRefused);
//  - a folder, a device, a pipe or a socket, and a file larger than
//    kMaxProjectFileBytes, are refused before any byte is read (and the
//    open never waits for a pipe's writer); a file that holds more than
//    its size says (a file of /proc says 0) is read no further than just
//    past the limit, and refused as too large, "more than 16 MB";
//  - a missing or unreadable file, a file that ends early, a missing
//    "##EndDesc##", a value that is not a number, a 16-bit value out of
//    range, a number beyond the 32-bit (or 64-bit) range, or a LabPointCount
//    outside 0..20 give the run-time error and a message naming the file
//    and the line; the file's text in a message has its control
//    characters escaped and is cut short when long.
// Appends "Opening: " and the path to the history first.
ProjectReadResult ReadProjectFile(const QString& path, ProjectRecord& out);

// The same, with the message of any failure ("Invalid File Type" for a
// refused signature); true when the file was read.
bool ReadProjectFile(const QString& path, ProjectRecord& out, QString& message);

// The reading of a file's bytes (UTF-8, or Windows-1253 when the bytes are
// not UTF-8; CR LF, LF or CR; a byte-order mark ignored); `path` names the
// file in messages and becomes ProjectPath. No history line.
ProjectReadResult ReadProjectBytes(const QByteArray& bytes, const QString& path, ProjectRecord& out);

// The bytes of a project file of the record, of the version written (UTF-8,
// CR LF). The description is written wrapped (the record keeps its own
// text). Raises Overflow (6) for a value that is not a finite number and
// Subscript out of range (9) for a LabPointCount outside 0..20, naming the
// field. The bytes may be more than kMaxProjectFileBytes: WriteProjectFile
// refuses those.
QByteArray ProjectFileBytes(const ProjectRecord& record);

// The error that File Save reports for a file of `size` bytes, larger than
// kMaxProjectFileBytes: ErrorNumber::PathFileAccess with "Cannot save the
// project file", the path, the size it would have and the limit. Nothing
// for a file of a project's size.
std::optional<RuntimeError> RefuseOversizeProjectFile(const QString& path, qint64 size);

// Writes the record to `path` as a project file of the version written,
// through a temporary file: when anything fails the old file stays as it was
// and the error comes back. A folder, a device, a pipe or a socket at the
// path is refused first, as File Open refuses it, with "Cannot save the
// project file", the path and what stands there
// (ErrorNumber::PathFileAccess); then
// "Saving: " and the path go to the history, and a file that would be
// larger than kMaxProjectFileBytes is refused (RefuseOversizeProjectFile)
// before any byte is written.
// The record's flags are the caller's to set: File Save rewraps the
// project's own description (WrapDescription), writes, and on success sets
// FileSaved; File Open calls ReadProjectFile on the current project instead
// of resetting it first, so a file that fails to read changes nothing.
// `written`, when given, receives the stamp of the file written.
std::optional<RuntimeError> WriteProjectFile(const QString& path, const ProjectRecord& record,
                                             ProjectFileStamp* written = nullptr);

}  // namespace brantel
