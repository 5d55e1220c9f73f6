#include "core/FileHelpers.h"

#include "core/Bilingual.h"
#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <new>

#include <signal.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brantel {

bool FileExists(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (name.contains(u'*') || name.contains(u'?')) {
    const QDir dir = info.dir();
    if (!dir.exists()) return false;
    return !dir.entryList({name}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
  }
  return info.exists() && info.isFile();
}

bool ValidPath(const QString& path, bool quiet) {
  try {
    if (path.contains(QChar(0))) RaiseError(ErrorNumber::BadFileNameOrNumber);
    if (path.isEmpty()) return false;
    return QFileInfo::exists(path);
  } catch (const RuntimeError& e) {
    if (ReportError(e, false) == NextStep::Exit) {
      if (!quiet) ShowMsg(QStringLiteral("Invalid path: ") + path, Buttons::Ok, ErrorTitle);
    } else {
      ShowMsg(QStringLiteral("Internal Error in ValidPath Function: Contact Developer"), Buttons::Ok, RangeErrorTitle);
    }
    return false;
  }
}

QString StripPath(const QString& path, bool noExtension) {
  QString rest = path;
  for (;;) {
    const qsizetype slash = rest.indexOf(u'/');
    if (slash < 0) break;
    if (slash == rest.size() - 1) {
      ShowMsg(QStringLiteral("Error in filename: ") + rest, Buttons::Ok, ErrorTitle);
      return path;
    }
    rest = rest.mid(slash + 1);
  }
  if (noExtension) {
    const qsizetype dot = rest.indexOf(u'.', 1);
    if (dot > 0) rest = rest.left(dot);
  }
  return rest;
}

QString SaveInProgressName(const QString& target, qint64 pid, int attempt) {
  return target + QLatin1String(kSaveInProgressMark) + QString::number(pid) + u'-' + QString::number(attempt);
}

namespace {

// How many names a save tries for its temporary file, and for its record,
// before it gives up: each is taken only while a file of that name is there.
constexpr int kNameAttempts = 100;

// The most links followed to the file a save replaces, as the system
// follows them: one more is a loop.
constexpr int kMaxLinkHops = 40;

// The file a save replaces: a symbolic link is followed to the file it
// names, whether that is there or not. Nothing for a loop of links.
std::optional<QString> FinalName(const QString& name) {
  QFileInfo info(name);
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    if (!info.isSymLink()) return info.filePath();
    info.setFile(info.symLinkTarget());
  }
  return std::nullopt;
}

QByteArray ProcPath(int fd) { return "/proc/self/fd/" + QByteArray::number(fd); }

// Syncs a written file's bytes to the disk, where the answer is heard:
// some file systems tell of a full disk only now. A file system that
// cannot sync says so with EINVAL or ENOTSUP. Returns 0 or the errno.
int SyncData(int fd) {
  if (::fdatasync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS) return 0;
  return errno;
}

// Puts the written temporary file `from` in the target's place with one
// rename. A temporary file without a name (made with O_TMPFILE; `from`
// empty) is first linked under a name of its own beside the target.
// Returns 0 or the errno; on failure the temporary file has no name left.
int PutInPlace(int fd, QByteArray from, const QString& target) {
  const QByteArray to = QFile::encodeName(target);
  if (from.isEmpty()) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      const QByteArray name = QFile::encodeName(SaveInProgressName(target, ::getpid(), attempt));
      if (::linkat(AT_FDCWD, ProcPath(fd).constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
        from = name;
        break;
      }
      if (errno != EEXIST) return errno;
    }
    if (from.isEmpty()) return EEXIST;
  }
  if (::rename(from.constData(), to.constData()) == 0) return 0;
  const int failed = errno;
  if (from != to) ::unlink(from.constData());
  return failed;
}

// Syncs the folder that holds a file, so that a rename in it lasts. A file
// system that cannot sync a folder is left as it is.
void SyncFolder(const QString& file) {
  const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

RuntimeError LoopOfLinksError() { return ErrorFromErrno(ELOOP, FileOp::Write); }

QString SaveRecordName(qint64 pid, int attempt) {
  return QLatin1String(kSaveRecordPrefix) + QString::number(pid) + u'-' + QString::number(attempt);
}

// The error of a temporary file that could not be made beside the target.
// A folder that takes no new file is named: the target itself may well be
// writable, and "Permission denied" on it alone would not say why.
RuntimeError CreateError(const QString& target, int failed) {
  const QString folder = QFileInfo(target).absolutePath();
  if (failed == ENOENT || failed == ENOTDIR) return RuntimeError(ErrorNumber::PathNotFound);
  if (failed == EACCES || failed == EPERM) {
    return RuntimeError(ErrorNumber::PermissionDenied,
                        Tr({"Permission denied: the folder \"%1\" cannot be written (a save makes its new file there)",
                            "Δεν επιτρέπεται η πρόσβαση: στον φάκελο \"%1\" δεν επιτρέπεται η εγγραφή (η αποθήκευση "
                            "δημιουργεί εκεί το νέο αρχείο)"})
                            .arg(ShownText(folder, 1024)));
  }
  return ErrorFromErrno(failed, FileOp::Write);
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Finish(); }

std::optional<RuntimeError> AtomicFileWriter::Open(const QString& path) {
  if (!target_.isEmpty() || error_) return RuntimeError(ErrorNumber::FileAlreadyOpen);
  if (path.isEmpty()) return Fail(RuntimeError(ErrorNumber::BadFileName));
  if (QFileInfo(path).isDir()) return Fail(RuntimeError(ErrorNumber::PathFileAccess));
  const std::optional<QString> target = FinalName(path);
  if (!target) return Fail(LoopOfLinksError());
  const QByteArray targetName = QFile::encodeName(*target);
  struct stat old {};
  const bool replaces = ::stat(targetName.constData(), &old) == 0;
  if (replaces && ::access(targetName.constData(), W_OK) != 0) return Fail(RuntimeError(ErrorNumber::PermissionDenied));
  target_ = *target;
  Record();
  // Nobody else reads the new file before it has the old one's permissions.
  if (const int failed = Create(replaces ? 0600 : 0666)) return Fail(CreateError(target_, failed));
  if (replaces) ::fchmod(fd_, old.st_mode & 0777);
  return std::nullopt;
}

std::optional<RuntimeError> AtomicFileWriter::Write(QByteArrayView bytes) {
  if (error_) return error_;
  if (fd_ < 0) return Fail(RuntimeError(ErrorNumber::BadFileMode));
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, data, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(ErrorFromErrno(n < 0 ? errno : EIO, FileOp::Write));
    data += n;
    left -= n;
  }
  return std::nullopt;
}

std::optional<RuntimeError> AtomicFileWriter::Commit() {
  if (error_) return error_;
  if (fd_ < 0) return Fail(RuntimeError(ErrorNumber::BadFileMode));
  // Synced to the disk once, renamed over the target, and the folder
  // synced, so that the new file is the one found after a power cut,
  // never the old one or none.
  int failed = SyncData(fd_);
  if (!failed) {
    failed = PutInPlace(fd_, name_, target_);
    name_.clear();  // renamed, or removed by the failed rename
  }
  if (failed) return Fail(ErrorFromErrno(failed, FileOp::Write));
  SyncFolder(target_);
  Finish();
  return std::nullopt;
}

int AtomicFileWriter::Create(unsigned mode) {
  // Without a name where the file system makes one, else created new under
  // the program's own name (never through a link, never over a file of
  // that name).
  const QByteArray folder = QFile::encodeName(QFileInfo(target_).absolutePath());
  fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd_ >= 0) return 0;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QByteArray name = QFile::encodeName(SaveInProgressName(target_, ::getpid(), attempt));
    fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd_ >= 0) {
      name_ = name;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

void AtomicFileWriter::Record() {
  // In one write of a file made new. Where none can be made the save goes
  // on without it.
  if (UserTempFolder.isEmpty()) return;
  const QByteArray text = QFile::encodeName(QFileInfo(target_).absoluteFilePath()) + '\n';
  if (text.size() > kMaxSaveRecordBytes) return;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QByteArray name = QFile::encodeName(JoinPath(UserTempFolder, SaveRecordName(::getpid(), attempt)));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return;
    const bool written = ::write(fd, text.constData(), static_cast<size_t>(text.size())) == text.size();
    ::close(fd);
    if (written) record_ = name;
    else ::unlink(name.constData());
    return;
  }
}

RuntimeError AtomicFileWriter::Fail(const RuntimeError& error) {
  Finish();
  if (!error_) error_ = error;
  return *error_;
}

void AtomicFileWriter::Finish() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!name_.isEmpty()) ::unlink(name_.constData());
  name_.clear();
  if (!record_.isEmpty()) ::unlink(record_.constData());
  record_.clear();
}

std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes) {
  AtomicFileWriter file;
  if (std::optional<RuntimeError> error = file.Open(path)) return error;
  if (std::optional<RuntimeError> error = file.Write(bytes)) return error;
  return file.Commit();
}

namespace {

// The pid of a name that SaveInProgressName (or SaveRecordName) gave, or 0
// for any other name: after the mark, the pid and the attempt, each in
// digits, and nothing else.
pid_t SaveInProgressPid(QStringView rest) {
  const qsizetype dash = rest.indexOf(u'-');
  if (dash <= 0 || dash == rest.size() - 1) return 0;
  const auto allDigits = [](QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  };
  const QStringView pid = rest.left(dash);
  const QStringView attempt = rest.mid(dash + 1);
  if (!allDigits(pid) || !allDigits(attempt)) return 0;
  bool ok = false;
  const int number = pid.toInt(&ok);
  return ok ? static_cast<pid_t>(number) : 0;
}

bool ProcessGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

// The ordinary files (not links) in a folder named `prefix`, a pid and an
// attempt, whose process is gone.
QStringList FilesOfGoneProcesses(const QDir& folder, const QString& prefix) {
  QStringList paths;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (!name.startsWith(prefix)) continue;
    const pid_t pid = SaveInProgressPid(QStringView(name).mid(prefix.size()));
    if (pid <= 0 || !ProcessGone(pid)) continue;
    const QString path = folder.filePath(name);
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    paths << path;
  }
  return paths;
}

// The target a record of a save names: an absolute path, on the record's
// one line. Nothing for a record cut short, too large or not of that form.
std::optional<QString> RecordedTarget(const QString& record) {
  QByteArray bytes;
  if (ReadRegularFile(record, bytes, ReadLimit{kMaxSaveRecordBytes, {}})) return std::nullopt;
  if (bytes.size() < 2 || !bytes.startsWith('/') || !bytes.endsWith('\n')) return std::nullopt;
  bytes.chop(1);
  if (bytes.contains('\0')) return std::nullopt;
  return QFile::decodeName(bytes);
}

bool FolderReadable(const QString& file) {
  const int fd =
      ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

qint64 AgeSeconds(const QString& path) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return 0;
  return static_cast<qint64>(::time(nullptr)) - static_cast<qint64>(st.st_mtime);
}

}  // namespace

int RemoveAbandonedSaves(const QString& target) {
  if (target.isEmpty()) return 0;
  const std::optional<QString> final = FinalName(target);
  if (!final) return 0;
  const QFileInfo info(*final);
  if (info.fileName().isEmpty()) return 0;
  int removed = 0;
  for (const QString& path : FilesOfGoneProcesses(info.dir(), info.fileName() + QLatin1String(kSaveInProgressMark))) {
    if (::unlink(QFile::encodeName(path).constData()) == 0) ++removed;
  }
  return removed;
}

int RemoveSavesCutShort(const QString& folder) {
  if (folder.isEmpty()) return 0;
  int removed = 0;
  for (const QString& record : FilesOfGoneProcesses(QDir(folder), QLatin1String(kSaveRecordPrefix))) {
    if (const std::optional<QString> target = RecordedTarget(record)) {
      if (FolderReadable(*target)) removed += RemoveAbandonedSaves(*target);
      else if (AgeSeconds(record) <= kSaveRecordAgeSeconds) continue;
    }
    ::unlink(QFile::encodeName(record).constData());
  }
  return removed;
}

namespace {

QString IrregularReason(mode_t mode) {
  if (S_ISREG(mode)) return QString();
  if (S_ISDIR(mode)) return Tr({"it is a folder", "είναι φάκελος"});
  if (S_ISFIFO(mode)) return Tr({"it is a pipe, not a file", "είναι διοχέτευση (pipe), όχι αρχείο"});
  if (S_ISSOCK(mode)) return Tr({"it is a socket, not a file", "είναι υποδοχή (socket), όχι αρχείο"});
  return Tr({"it is a device, not a file", "είναι συσκευή, όχι αρχείο"});
}

}  // namespace

QString IrregularFileReason(const QString& path) {
  struct stat st {};
  if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
  return IrregularReason(st.st_mode);
}

QString TooLargeSizeText(std::optional<qint64> size, qint64 limit) {
  if (!size) {
    return Tr({"more than %1 MB", "περισσότερα από %1 MB"}).arg(QString::number(limit / (1024 * 1024)));
  }
  const double megabytes = std::ceil(static_cast<double>(*size) / (1024.0 * 1024.0) * 10.0) / 10.0;
  return QString::number(megabytes, 'f', 1) + QStringLiteral(" MB");
}

namespace {

// A read takes a file in pieces of this size. (Some files of the system
// are read only in multiples of eight bytes.)
constexpr qsizetype kReadPiece = 64 * 1024;

RuntimeError TooLargeError(const ReadLimit& limit, const QString& path, std::optional<qint64> size) {
  if (limit.tooLarge) return limit.tooLarge(path, size);
  return RuntimeError(ErrorNumber::PathFileAccess,
                      Tr({"it is too large: %1", "είναι πολύ μεγάλο: %1"}).arg(TooLargeSizeText(size, limit.bytes)));
}

// Reads an open file to its end, but never more than one piece past the
// limit: true when it ended within the limit. Returns 0 or the errno.
int ReadUpTo(int fd, qint64 limit, QByteArray& bytes, bool& withinLimit) {
  qsizetype total = 0;
  withinLimit = false;
  for (;;) {
    bytes.resize(total + kReadPiece);
    const ssize_t n = ::read(fd, bytes.data() + total, static_cast<size_t>(kReadPiece));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    total += n;
    bytes.resize(total);
    if (total > limit) return 0;
    if (n == 0) break;
  }
  withinLimit = true;
  return 0;
}

}  // namespace

std::optional<RuntimeError> ReadRegularFile(const QString& path, QByteArray& bytes, const ReadLimit& limit) {
  bytes.clear();
  if (path.isEmpty()) return RuntimeError(ErrorNumber::BadFileName);
  if (path.contains(QChar(0))) return RuntimeError(ErrorNumber::BadFileNameOrNumber);
  const QString before = IrregularFileReason(path);
  if (!before.isEmpty()) return RuntimeError(ErrorNumber::PathFileAccess, before);
  // Opened without waiting, and looked at again once open: a pipe put in
  // place of the file meanwhile is refused all the same.
  errno = 0;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int saved = errno;
    return ErrorFromFile(QFile(path), FileOp::Read, saved);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return RuntimeError(ErrorNumber::DeviceIO);
  }
  const QString reason = IrregularReason(st.st_mode);
  if (!reason.isEmpty()) {
    ::close(fd);
    return RuntimeError(ErrorNumber::PathFileAccess, reason);
  }
  if (st.st_size > limit.bytes) {
    ::close(fd);
    return TooLargeError(limit, path, static_cast<qint64>(st.st_size));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  int failed = 0;
  bool withinLimit = false;
  try {
    bytes.reserve(static_cast<qsizetype>(st.st_size) + kReadPiece);
    failed = ReadUpTo(fd, limit.bytes, bytes, withinLimit);
  } catch (const std::bad_alloc&) {
    ::close(fd);
    bytes.clear();
    return RuntimeError(ErrorNumber::OutOfMemory);
  }
  ::close(fd);
  if (failed == 0 && withinLimit) return std::nullopt;
  bytes.clear();
  bytes.squeeze();
  // A file that said less than it holds: its size is not known.
  if (failed == 0) return TooLargeError(limit, path, std::nullopt);
  return ErrorFromErrno(failed, FileOp::Read);
}

namespace {

// The lines of a text file, each ending with CR LF. A missing source shows
// "Requested File not found: ", a source above the limit its error, an
// unreadable one "File I/O problem with TMP file: " and the name of the
// copy; all give nothing.
std::optional<QByteArray> TextFileLines(const QString& source, const QString& copyName, const ReadLimit& limit) {
  if (!FileExists(source)) {
    ShowMsg(QStringLiteral("Requested File not found: ") + source, Buttons::Ok, ErrorTitle);
    return std::nullopt;
  }
  bool tooLarge = false;
  const ReadLimit noted{limit.bytes, [&](const QString& path, std::optional<qint64> size) {
                          tooLarge = true;
                          return TooLargeError(limit, path, size);
                        }};
  QByteArray bytes;
  if (const std::optional<RuntimeError> error = ReadRegularFile(source, bytes, noted)) {
    if (tooLarge) ReportError(*error, true);
    else ShowMsg(QStringLiteral("File I/O problem with TMP file: ") + copyName, Buttons::Ok, ErrorTitle);
    return std::nullopt;
  }
  QByteArray copy;
  copy.reserve(bytes.size() + bytes.size() / 16 + 2);
  qsizetype start = 0;
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      copy += bytes.mid(start, i - start);
      copy += "\r\n";
      if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) {
    copy += bytes.mid(start);
    copy += "\r\n";
  }
  return copy;
}

}  // namespace

QString CopyTextFileToNew(const QString& source, const QString& pattern, const ReadLimit& limit) {
  const std::optional<QByteArray> copy = TextFileLines(source, pattern, limit);
  if (!copy) return QString();
  // Created with O_CREAT | O_EXCL under a name of its own, and written
  // through that handle only.
  QTemporaryFile file(pattern);
  file.setAutoRemove(false);
  if (file.open()) {
    if (file.write(*copy) == copy->size() && file.flush()) {
      file.close();
      return file.fileName();
    }
    file.remove();  // no half copy stays
  }
  ShowMsg(QStringLiteral("File I/O problem with TMP file: ") + pattern, Buttons::Ok, ErrorTitle);
  return QString();
}

QString WithTrailingSlash(const QString& folder) {
  QString f = folder;
  while (f.size() > 1 && f.endsWith(u'/')) f.chop(1);
  if (!f.endsWith(u'/')) f += u'/';
  return f;
}

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.isEmpty()) return name;
  QString n = name;
  while (n.startsWith(u'/')) n.remove(0, 1);
  return WithTrailingSlash(folder) + n;
}

}  // namespace brantel
