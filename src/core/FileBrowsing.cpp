#include "core/FileBrowsing.h"

#include "core/Bilingual.h"
#include "core/FileHelpers.h"
#include "core/Messages.h"
#include "core/platform/Desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>

#include <sys/stat.h>

#include <algorithm>

namespace brantel {
namespace {

bool GlobMatches(const QString& name, const QString& glob) {
  if (glob == QStringLiteral("*.*") || glob == QStringLiteral("*")) return true;
  if (glob == QStringLiteral("*.")) return !name.contains(u'.');
  QString expression;
  expression.reserve(glob.size() * 2 + 4);
  for (const QChar c : glob) {
    if (c == u'*') expression += QStringLiteral(".*");
    else if (c == u'?') expression += u'.';
    else expression += QRegularExpression::escape(QString(c));
  }
  const QRegularExpression re(
      QRegularExpression::anchoredPattern(expression),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  return re.match(name).hasMatch();
}

void SortByName(QStringList& names) {
  std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
}

QStringList ListEntries(const QString& folder, QDir::Filters filters) {
  CheckFolderReadable(folder);
  QStringList names = QDir(folder).entryList(filters | QDir::NoDotAndDotDot, QDir::NoSort);
  SortByName(names);
  return names;
}

}  // namespace

QStringList SplitFilePattern(const QString& pattern) {
  QStringList globs;
  for (const QString& glob : pattern.split(u';')) {
    const QString trimmed = glob.trimmed();
    if (!trimmed.isEmpty()) globs.append(trimmed);
  }
  return globs;
}

bool IsValidFilePattern(const QString& pattern) {
  const QStringList globs = SplitFilePattern(pattern);
  if (globs.isEmpty()) return false;
  for (const QString& glob : globs) {
    for (const QChar c : glob) {
      if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
    }
  }
  return true;
}

bool MatchesFilePattern(const QString& name, const QString& pattern) {
  const QStringList globs = SplitFilePattern(pattern);
  return std::any_of(globs.begin(), globs.end(), [&name](const QString& glob) { return GlobMatches(name, glob); });
}

void CheckFolderReadable(const QString& folder) {
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.exists() || !info.isDir()) RaiseError(ErrorNumber::PathNotFound);
  if (!info.isReadable() || !info.isExecutable()) RaiseError(ErrorNumber::PermissionDenied);
}

QStringList ListMatchingFiles(const QString& folder, const QString& pattern) {
  QStringList files = ListEntries(folder, QDir::Files);
  files.erase(std::remove_if(files.begin(), files.end(),
                             [&pattern](const QString& name) { return !MatchesFilePattern(name, pattern); }),
              files.end());
  return files;
}

QStringList ListSubfolders(const QString& folder) {
  QStringList names = ListEntries(folder, QDir::Dirs);
  // QDir lists a link to a device, a pipe or a socket among the folders
  // (a link to /dev/null): only a folder, or a link to one, stays.
  names.erase(
      std::remove_if(names.begin(), names.end(),
                     [&folder](const QString& name) { return !QFileInfo(BrowserFilePath(folder, name)).isDir(); }),
      names.end());
  return names;
}

QString CleanFolderPath(const QString& folder) {
  QString path = QDir::cleanPath(QDir(folder).absolutePath());
  while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
  return path;
}

QStringList FolderChain(const QString& folder) {
  const QString path = CleanFolderPath(folder);
  QStringList chain{QStringLiteral("/")};
  QString current;
  for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
    current += u'/' + part;
    chain.append(current);
  }
  return chain;
}

QString BrowserFilePath(const QString& folder, const QString& name) {
  return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

namespace {

RuntimeError TooLargeToBrowse(const QString& path, std::optional<qint64> size) {
  return RuntimeError(ErrorNumber::PathFileAccess,
                      Tr({"Cannot show the file \"%1\": it is too large to browse: %2 (the browser shows files of at "
                          "most %3 MB)",
                          "Αδύνατη η εμφάνιση του αρχείου \"%1\": είναι πολύ μεγάλο για προβολή: %2 (ο περιηγητής "
                          "δείχνει αρχεία έως %3 MB)"})
                          .arg(ShownText(path, 1024), TooLargeSizeText(size, kMaxBrowsedFileBytes),
                               QString::number(kMaxBrowsedFileBytes / (1024 * 1024))));
}

}  // namespace

std::optional<RuntimeError> RefuseIrregularBrowserFile(const QString& path) {
  const QString reason = IrregularFileReason(path);
  if (reason.isEmpty()) return std::nullopt;
  return RuntimeError(ErrorNumber::PathFileAccess,
                      Tr({"Cannot show the file \"%1\": %2", "Αδύνατη η εμφάνιση του αρχείου \"%1\": %2"})
                          .arg(ShownText(path, 1024), reason));
}

ReadLimit BrowserReadLimit() { return ReadLimit{kMaxBrowsedFileBytes, TooLargeToBrowse}; }

std::optional<RuntimeError> RefuseOversizedBrowserFile(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
  if (!S_ISREG(st.st_mode) || st.st_size <= kMaxBrowsedFileBytes) return std::nullopt;
  return TooLargeToBrowse(path, static_cast<qint64>(st.st_size));
}

qsizetype ViewLineBreakLength(QStringView text, qsizetype at) {
  if (!IsViewLineBreak(text[at])) return 0;
  return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

void MakeLineBreaksLineFeeds(QString& text) {
  const qsizetype n = text.size();
  qsizetype at = 0;
  while (at < n && !IsViewLineBreak(text[at])) ++at;
  if (at == n) return;  // no break at all: the text is not copied
  QChar* out = text.data();
  qsizetype kept = at;
  while (at < n) {
    if (!IsViewLineBreak(out[at])) {
      out[kept++] = out[at++];
      continue;
    }
    at += ViewLineBreakLength(text, at);
    out[kept++] = u'\n';
  }
  text.truncate(kept);
}

void MakeLineSeparatorsLineFeeds(QString& text) { text.replace(QChar::LineSeparator, QChar(u'\n')); }

qsizetype CharacterCount(QStringView text) {
  qsizetype count = text.size();
  for (qsizetype i = 1; i < text.size(); ++i) {
    if (text[i].isLowSurrogate() && text[i - 1].isHighSurrogate()) --count;
  }
  return count;
}

qsizetype IndexAfterCharacters(QStringView text, qsizetype count) {
  qsizetype at = 0;
  for (; at < text.size() && count > 0; --count) {
    at += text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
  }
  return at;
}

void KeepLongLinesLaidOut(const QTextBlock& first, const QTextBlock& last) {
  for (QTextBlock line = first; line.isValid(); line = line.next()) {
    if (line.length() > kLongestLineLaidOutAtPaint) line.layout()->setCacheEnabled(true);
    if (line == last) break;
  }
}

std::optional<RuntimeError> RefuseUnshowableBrowserText(const QString& path, QStringView text) {
  qsizetype lines = 0;
  qsizetype start = 0;
  qsizetype longLine = 0;  // the first line too long, counted from 1
  qsizetype longLength = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i <= n;) {
    if (i < n && !IsViewLineBreak(text[i])) {
      ++i;
      continue;
    }
    const qsizetype breakLength = i < n ? ViewLineBreakLength(text, i) : 1;
    // A text that ends with a break has no empty line after it.
    if (i == n && start == n) break;
    ++lines;
    // Only a line with more UTF-16 units than the limit can have more
    // characters.
    if (longLine == 0 && i - start > kMaxBrowsedLineLength) {
      const qsizetype length = CharacterCount(text.sliced(start, i - start));
      if (length > kMaxBrowsedLineLength) {
        longLine = lines;
        longLength = length;
      }
    }
    i += breakLength;
    start = i;
  }
  if (lines > kMaxBrowsedLines) {
    return RuntimeError(ErrorNumber::PathFileAccess,
                        Tr({"Cannot show the file \"%1\": it has too many lines to browse: %2 lines (the browser shows "
                            "files of at most %3 lines)",
                            "Αδύνατη η εμφάνιση του αρχείου \"%1\": έχει πάρα πολλές γραμμές για προβολή: %2 γραμμές "
                            "(ο περιηγητής δείχνει αρχεία έως %3 γραμμών)"})
                            .arg(ShownText(path, 1024), QString::number(lines), QString::number(kMaxBrowsedLines)));
  }
  if (longLine > 0) {
    return RuntimeError(ErrorNumber::PathFileAccess,
                        Tr({"Cannot show the file \"%1\": its line %2 is too long to browse: %3 characters (the "
                            "browser shows lines of at most %4 characters)",
                            "Αδύνατη η εμφάνιση του αρχείου \"%1\": η γραμμή %2 του είναι πολύ μεγάλη για προβολή: %3 "
                            "χαρακτήρες (ο περιηγητής δείχνει γραμμές έως %4 χαρακτήρων)"})
                            .arg(ShownText(path, 1024), QString::number(longLine), QString::number(longLength),
                                 QString::number(kMaxBrowsedLineLength)));
  }
  return std::nullopt;
}

QStringList BrowserDrives() {
  QStringList drives{QStringLiteral("/")};
  auto add = [&drives](const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return;
    const QString clean = CleanFolderPath(folder);
    if (!drives.contains(clean)) drives.append(clean);
  };
  add(QDir::homePath());
  if (const std::optional<QString> documents = platform::DocumentsFolder()) add(*documents);
  return drives;
}

QString DriveOfPath(const QString& path, const QStringList& drives) {
  if (drives.isEmpty()) return QString();
  const QString clean = CleanFolderPath(path);
  QString best;
  for (const QString& drive : drives) {
    const bool holds = drive == QStringLiteral("/") || clean == drive || clean.startsWith(drive + u'/');
    if (holds && drive.size() > best.size()) best = drive;
  }
  return best.isEmpty() ? drives.first() : best;
}

}  // namespace brantel
