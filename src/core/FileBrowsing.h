#pragma once

#include "core/FileHelpers.h"
#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace brantel {

// Folder and file listing for the text-file browser, without widgets.

// A file pattern is one or more wildcard patterns separated by ";" ("*" any
// run of characters, "?" one character), matched without regard to case.
// "*.*" matches every name, with or without a dot; "*." matches the names
// without a dot. Blanks around each pattern are ignored.
QStringList SplitFilePattern(const QString& pattern);

// False for a text that holds no pattern at all, or a pattern with a folder
// separator ("/" or "\") or a control character in it.
bool IsValidFilePattern(const QString& pattern);

// True when the file name matches one of the patterns of the text.
bool MatchesFilePattern(const QString& name, const QString& pattern);

// The plain (not hidden) files of a folder that match the pattern, sorted
// by name without regard to case. Raises "Path not found" for a folder that
// does not exist and "Permission denied" for one that cannot be read.
QStringList ListMatchingFiles(const QString& folder, const QString& pattern);

// The plain (not hidden) subfolders of a folder, sorted the same way, with
// the same errors.
QStringList ListSubfolders(const QString& folder);

// Raises the error ListSubfolders would raise for the folder.
void CheckFolderReadable(const QString& folder);

// The folder's path in the form the browser keeps: absolute, clean, without
// a trailing "/" (the root stays "/").
QString CleanFolderPath(const QString& folder);

// The folders from the root down to the folder itself ("/", "/home",
// "/home/ann").
QStringList FolderChain(const QString& folder);

// A file's full path from a folder and a name: one "/" between them.
QString BrowserFilePath(const QString& folder, const QString& name);

// The largest file the browser shows or copies for the external viewer: far
// above any output listing, far below what would keep the program reading
// for minutes.
inline constexpr qint64 kMaxBrowsedFileBytes = 32LL * 1024 * 1024;

// The error the browser reports, before reading a byte, for a file larger
// than kMaxBrowsedFileBytes: ErrorNumber::PathFileAccess with a message that
// names the file, its size and the limit. Nothing for a file within the
// limit, or for a path that names no file (the read itself reports that).
std::optional<RuntimeError> RefuseOversizedBrowserFile(const QString& path);

// The limit of every read of the browser and of its copy for the external
// viewer: kMaxBrowsedFileBytes, with the same error; for a file that holds
// more than its size says (a file of /proc), "more than 32 MB".
ReadLimit BrowserReadLimit();

// The most lines, and the longest line in characters, that the browser's
// view shows. The view keeps a few hundred bytes and a few microseconds for
// every line, and lays out each line it shows whole, however little of it
// fits: within these, any file of at most kMaxBrowsedFileBytes opens in
// under two seconds and two hundred megabytes, whatever its mix of lines.
inline constexpr qsizetype kMaxBrowsedLines = 100000;
inline constexpr qsizetype kMaxBrowsedLineLength = 4096;

// The error the browser reports, before the text reaches its view, for the
// text of a file with more than kMaxBrowsedLines lines or a line longer than
// kMaxBrowsedLineLength characters: ErrorNumber::PathFileAccess with a
// message that names the file, what is too much and the limit. A line ends
// where the view starts a new one: at CR LF, LF, CR or a paragraph
// separator. Nothing for a text within both limits.
std::optional<RuntimeError> RefuseUnshowableBrowserText(const QString& path, QStringView text);

// The places of the drive list: the root folder, the user's home folder and
// documents folder (each once, only those that exist).
QStringList BrowserDrives();

// The drive of a path: the longest entry of the list that holds the path;
// the first entry when none does.
QString DriveOfPath(const QString& path, const QStringList& drives);

}  // namespace brantel
