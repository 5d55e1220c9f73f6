#pragma once

#include "core/FileHelpers.h"
#include "core/RuntimeError.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class QTextBlock;

namespace brantel {

// Folder and file listing for the text-file browser, and the lines of a
// text as the browser's view and the description box show them, without
// widgets.

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

// The plain (not hidden) subfolders of a folder and links to folders (never
// a link to a device, a pipe or a socket), sorted the same way, with the
// same errors.
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

// The error the browser reports, before reading a byte, for a path that
// names a folder, a device, a pipe or a socket (itself or through a link):
// ErrorNumber::PathFileAccess with a message that names the file and what
// it is. Nothing for an ordinary file or a path where nothing is.
std::optional<RuntimeError> RefuseIrregularBrowserFile(const QString& path);

// The limit of every read of the browser and of its copy for the external
// viewer: kMaxBrowsedFileBytes, with the same error; for a file that holds
// more than its size says (a file of /proc), "more than 32 MB".
ReadLimit BrowserReadLimit();

// Lines as Qt's plain-text view (QPlainTextEdit on a QTextDocument) shows
// them, for the browser's view and the project-description box. The view
// starts a new block at LF, at CR, at CR LF (one break), at the paragraph
// separator U+2029 and at the frame marks U+FDD0 and U+FDD1, and breaks the
// line inside its block at the line separator U+2028. No other character
// breaks a line: a vertical tab, a form feed or a NEL (U+0085) is shown as a
// character. The view gives each of them back as LF.
constexpr bool IsViewLineBreak(QChar c) {
  const char16_t u = c.unicode();
  return u == u'\n' || u == u'\r' || u == u'\u2028' || u == u'\u2029' || u == u'\ufdd0' || u == u'\ufdd1';
}

// The length of the line break that starts at `at`: 2 for CR LF, 1 for any
// other break of the view, 0 where no line ends.
qsizetype ViewLineBreakLength(QStringView text, qsizetype at);

// Makes each line break of the view one LF, in place: the view shows the
// same lines, each a block of its own, and gives back the same text. A line
// ended by U+2028 would otherwise share its block, which the view lays out
// whole, with every line after it up to the next block's start.
void MakeLineBreaksLineFeeds(QString& text);

// Makes each line separator (U+2028) an LF, in place and at once: the other
// line breaks of the view start a block of their own as the text goes in,
// so that every line of the text is then a block of the view.
void MakeLineSeparatorsLineFeeds(QString& text);

// The characters of a text, each pair of surrogates (a character outside
// the basic plane, such as an emoji) counted once.
qsizetype CharacterCount(QStringView text);

// The index just past the first `count` characters of the text (counted as
// CharacterCount counts them), or its size if it has fewer.
qsizetype IndexAfterCharacters(QStringView text, qsizetype count);

// Keeps the layout of each long line of a view's document from `first` to
// `last` once it is made, instead of making it again at each paint: Qt lays
// a plain-text view's line out anew whenever it paints it, and the view
// paints the line of its text cursor at every blink of the cursor and every
// key that moves it (a line of a thousand accented letters took 5 ms a
// paint). Lines longer than kLongestLineLaidOutAtPaint characters are kept,
// for at most ten bytes a character more.
inline constexpr int kLongestLineLaidOutAtPaint = 256;
void KeepLongLinesLaidOut(const QTextBlock& first, const QTextBlock& last);

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
// at every line break of the view (IsViewLineBreak), and its characters are
// counted as CharacterCount counts them. Nothing for a text within both
// limits.
std::optional<RuntimeError> RefuseUnshowableBrowserText(const QString& path, QStringView text);

// The places of the drive list: the root folder, the user's home folder and
// documents folder (each once, only those that exist).
QStringList BrowserDrives();

// The drive of a path: the longest entry of the list that holds the path;
// the first entry when none does.
QString DriveOfPath(const QString& path, const QStringList& drives);

}  // namespace brantel
