#include "core/FileHelpers.h"

#include "core/Bilingual.h"
#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <new>

#include <tuple>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

QString SaveInProgressName(const QString& target, qint64 pid, int attempt, qsizetype nameLimit) {
  const QByteArray suffix =
      QByteArray(kSaveInProgressMark) + QByteArray::number(pid) + '-' + QByteArray::number(attempt);
  const qsizetype slash = target.lastIndexOf(u'/');
  QByteArray name = QFile::encodeName(target.mid(slash + 1));
  const qsizetype room = std::max<qsizetype>(nameLimit - suffix.size(), 1);
  if (name.size() > room) {
    // Cut before the first byte of a character, never inside one.
    qsizetype cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.truncate(cut);
  }
  return target.left(slash + 1) + QFile::decodeName(name + suffix);
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

QByteArray FolderOf(const QString& file) { return QFile::encodeName(QFileInfo(file).absolutePath()); }

// The longest file name the folder takes, in bytes: what the file system
// reports, but never more than 255. FAT and exFAT report 1530 (255
// characters of up to six bytes each) yet take no more than 255
// characters, which a temporary name cut to their figure would pass for a
// target of 234 bytes or more; a name of at most 255 bytes is at most 255
// characters.
qsizetype FileNameLimit(const QByteArray& folder) {
  const long limit = ::pathconf(folder.constData(), _PC_NAME_MAX);
  return limit > 0 ? std::min(static_cast<qsizetype>(limit), kMaxFileNameBytes) : kMaxFileNameBytes;
}

// Syncs a written file's bytes to the disk, where the answer is heard:
// some file systems tell of a full disk only now. A file system that
// cannot sync says so with EINVAL or ENOTSUP. Returns 0 or the errno.
int SyncData(int fd) {
  if (::fdatasync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EROFS) return 0;
  return errno;
}

// Syncs the folder that holds a file, so that a rename in it lasts. A file
// system that cannot sync a folder is left as it is.
void SyncFolder(const QString& file) {
  const int fd = ::open(FolderOf(file).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

RuntimeError LoopOfLinksError() { return ErrorFromErrno(ELOOP, FileOp::Write); }

QString SaveRecordName(qint64 pid, int attempt) {
  return QLatin1String(kSaveRecordPrefix) + QString::number(pid) + u'-' + QString::number(attempt);
}

// The error of a save that the target's file system refuses because it is
// mounted read-only: the folder is named, since nothing about the file
// itself is at fault.
RuntimeError ReadOnlyError(const QString& target) {
  return RuntimeError(ErrorNumber::PermissionDenied,
                      Tr({"Permission denied: the folder \"%1\" is on a read-only file system",
                          "Δεν επιτρέπεται η πρόσβαση: ο φάκελος \"%1\" βρίσκεται σε σύστημα αρχείων μόνο για "
                          "ανάγνωση"})
                          .arg(ShownText(QFileInfo(target).absolutePath(), 1024)));
}

RuntimeError WriteError(const QString& target, int failed) {
  return failed == EROFS ? ReadOnlyError(target) : ErrorFromErrno(failed, FileOp::Write);
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
  return WriteError(target, failed);
}

bool Exists(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Finish(); }

std::optional<RuntimeError> AtomicFileWriter::Open(const QString& path, LinkAtPath link) {
  if (!target_.isEmpty() || error_) return RuntimeError(ErrorNumber::FileAlreadyOpen);
  if (path.isEmpty()) return Fail(RuntimeError(ErrorNumber::BadFileName));
  std::optional<QString> target = path;
  struct stat old {};
  bool replaces = false;
  if (link == LinkAtPath::Followed) {
    if (QFileInfo(path).isDir()) return Fail(RuntimeError(ErrorNumber::PathFileAccess));
    target = FinalName(path);
    if (!target) return Fail(LoopOfLinksError());
    replaces = ::stat(QFile::encodeName(*target).constData(), &old) == 0;
  } else if (::lstat(QFile::encodeName(path).constData(), &old) == 0) {
    // A link gives way to a new file; the file it names is never opened.
    if (S_ISDIR(old.st_mode)) return Fail(RuntimeError(ErrorNumber::PathFileAccess));
    replaces = !S_ISLNK(old.st_mode);
  }
  if (replaces && ::access(QFile::encodeName(*target).constData(), W_OK) != 0) {
    return Fail(errno == EROFS ? ReadOnlyError(*target) : RuntimeError(ErrorNumber::PermissionDenied));
  }
  target_ = *target;
  nameLimit_ = FileNameLimit(FolderOf(target_));
  record_.Open(QFileInfo(target_).absoluteFilePath());
  // Nobody else reads the new file before it has the old one's permissions.
  if (const int failed = Create(replaces ? 0600 : 0666)) return Fail(CreateError(target_, failed));
  if (replaces) ::fchmod(fd_, old.st_mode & 0777);
  return std::nullopt;
}

std::optional<RuntimeError> AtomicFileWriter::Write(QByteArrayView bytes) {
  if (error_) return error_;
  if (fd_ < 0) return Fail(RuntimeError(ErrorNumber::BadFileMode));
  if (const int failed = WriteAllBytes(fd_, bytes)) return Fail(ErrorFromErrno(failed, FileOp::Write));
  return std::nullopt;
}

std::optional<RuntimeError> AtomicFileWriter::Commit() {
  if (error_) return error_;
  if (fd_ < 0) return Fail(RuntimeError(ErrorNumber::BadFileMode));
  // Synced to the disk once, renamed over the target, and the folder
  // synced, so that the new file is the one found after a power cut,
  // never the old one or none.
  int failed = SyncData(fd_);
  if (!failed) failed = PutInPlace();
  if (failed) return Fail(WriteError(target_, failed));
  SyncFolder(target_);
  Finish();
  return std::nullopt;
}

int AtomicFileWriter::PutInPlace() {
  if (name_.isEmpty()) {
    // Linked under a name of its own beside the target, recorded first.
    for (int attempt = 0; attempt < kNameAttempts && name_.isEmpty(); ++attempt) {
      const QByteArray name = QFile::encodeName(SaveInProgressName(target_, ::getpid(), attempt, nameLimit_));
      if (Exists(name)) continue;
      record_.Name(name, inode_);
      if (::linkat(AT_FDCWD, ProcPath(fd_).constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
        name_ = name;
      } else if (errno != EEXIST) {
        return errno;
      }
    }
    if (name_.isEmpty()) return EEXIST;
  }
  const QByteArray from = std::exchange(name_, QByteArray());
  if (::rename(from.constData(), QFile::encodeName(target_).constData()) == 0) return 0;
  const int failed = errno;
  ::unlink(from.constData());
  return failed;
}

int AtomicFileWriter::Create(unsigned mode) {
  // Without a name where the file system makes one, else created new under
  // the program's own name (never through a link, never over a file of
  // that name), recorded before it is made.
  fd_ = ::open(FolderOf(target_).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
  if (fd_ >= 0) {
    struct stat st {};
    if (::fstat(fd_, &st) == 0) inode_ = st.st_ino;
    return 0;
  }
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QByteArray name = QFile::encodeName(SaveInProgressName(target_, ::getpid(), attempt, nameLimit_));
    if (Exists(name)) continue;
    record_.Name(name, std::nullopt);
    fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd_ >= 0) {
      name_ = name;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

void LeftoverRecord::Open(const QString& target) {
  // Locked before anyone can find it under its name: made without a name,
  // locked, written and then linked where the file system allows; else
  // made under its name and locked at once (RemoveSavesCutShort leaves a
  // young record that is not written whole).
  Remove();
  if (UserTempFolder.isEmpty()) return;
  const QByteArray text = QFile::encodeName(target) + '\0';
  if (text.size() > kMaxSaveRecordBytes / 2) return;
  const auto nameOf = [](int attempt) {
    return QFile::encodeName(JoinPath(UserTempFolder, SaveRecordName(::getpid(), attempt)));
  };
  int fd = ::open(QFile::encodeName(UserTempFolder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) {
    if (::flock(fd, LOCK_EX) == 0 && WriteAllBytes(fd, text) == 0) {
      for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = nameOf(attempt);
        if (::linkat(AT_FDCWD, ProcPath(fd).constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
          path_ = name;
          fd_ = fd;
          return;
        }
        if (errno != EEXIST) break;
      }
    }
    ::close(fd);  // and made under its name instead
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const QByteArray name = nameOf(attempt);
    fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX) == 0 && WriteAllBytes(fd, text) == 0) {
      path_ = name;
      fd_ = fd;
    } else {
      ::unlink(name.constData());
      ::close(fd);
    }
    return;
  }
}

void LeftoverRecord::Name(const QByteArray& name, std::optional<ino_t> inode) {
  if (fd_ < 0) return;
  const QByteArray entry = name.mid(name.lastIndexOf('/') + 1) + '\0' +
                           (inode ? QByteArray::number(static_cast<qulonglong>(*inode)) : QByteArray()) + '\0';
  WriteAllBytes(fd_, entry);
}

void LeftoverRecord::Remove() {
  if (!path_.isEmpty()) ::unlink(path_.constData());
  path_.clear();
  // The lock goes only now: a record that can be locked is of a file whose
  // work has ended or is no longer there.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
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
  record_.Remove();
}

int WriteAllBytes(int fd, QByteArrayView bytes) {
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    data += n;
    left -= n;
  }
  return 0;
}

std::optional<QByteArray> ReadOpenFile(int fd, qsizetype size) {
  QByteArray bytes(size, Qt::Uninitialized);
  qsizetype total = 0;
  while (total < size) {
    const ssize_t n = ::pread(fd, bytes.data() + total, static_cast<size_t>(size - total), total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    total += n;
  }
  return bytes;
}

std::optional<RuntimeError> SaveFileAtomically(const QString& path, const QByteArray& bytes) {
  AtomicFileWriter file;
  if (std::optional<RuntimeError> error = file.Open(path)) return error;
  if (std::optional<RuntimeError> error = file.Write(bytes)) return error;
  return file.Commit();
}

namespace {

bool AllDigits(QByteArrayView text) {
  return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The pid of a name that SaveRecordName gave: after the prefix, the pid and
// the attempt, each in digits, and nothing else. Nothing for any other name.
std::optional<qint64> RecordPid(QByteArrayView name) {
  const QByteArrayView prefix(kSaveRecordPrefix);
  if (!name.startsWith(prefix)) return std::nullopt;
  const QByteArrayView rest = name.sliced(prefix.size());
  const qsizetype dash = rest.indexOf('-');
  if (dash < 0 || !AllDigits(rest.first(dash)) || !AllDigits(rest.sliced(dash + 1))) return std::nullopt;
  bool ok = false;
  const qint64 pid = rest.first(dash).toLongLong(&ok);
  return ok ? std::optional<qint64>(pid) : std::nullopt;
}

// True for a name that SaveInProgressName gives a temporary file of the
// target named `target`: the start of that name, the mark, the pid and the
// attempt.
bool IsTemporaryNameOf(QByteArrayView name, QByteArrayView target) {
  const QByteArrayView mark(kSaveInProgressMark);
  const qsizetype at = name.lastIndexOf(mark);
  if (at <= 0 || !target.startsWith(name.first(at))) return false;
  const QByteArrayView rest = name.sliced(at + mark.size());
  const qsizetype dash = rest.indexOf('-');
  return dash > 0 && AllDigits(rest.first(dash)) && AllDigits(rest.sliced(dash + 1));
}

// What a record says, read whole.
struct SaveRecord {
  QByteArray target;                    // an absolute path
  std::optional<QByteArray> temporary;  // the temporary file's path, beside the target
  std::optional<ino_t> inode;           // the temporary file's, where it identifies it
  bool lastVersion = false;             // a record of the last version: no temporary file named
};

QByteArrayView FolderPart(QByteArrayView path) { return path.first(path.lastIndexOf('/') + 1); }

// The record's text, or nothing for a record cut short or not of either
// form.
std::optional<SaveRecord> ParseSaveRecord(const QByteArray& bytes) {
  SaveRecord record;
  if (!bytes.startsWith('/')) return std::nullopt;
  if (!bytes.contains('\0')) {
    if (bytes.size() < 2 || !bytes.endsWith('\n')) return std::nullopt;
    record.target = bytes.chopped(1);
    record.lastVersion = true;
    return record;
  }
  // Every field ends with a NUL; what follows the last one was being
  // written when the save stopped, as is a name without its inode field.
  QList<QByteArray> fields = bytes.split('\0');
  fields.removeLast();
  record.target = fields.front();
  const QByteArrayView targetName = QByteArrayView(record.target).sliced(FolderPart(record.target).size());
  for (qsizetype i = 1; i + 1 < fields.size(); i += 2) {
    const QByteArray& name = fields[i];
    const QByteArray& inode = fields[i + 1];
    if (name.contains('/') || !IsTemporaryNameOf(name, targetName)) return std::nullopt;
    if (!inode.isEmpty() && !AllDigits(inode)) return std::nullopt;
    record.temporary = FolderPart(record.target).toByteArray() + name;
    record.inode.reset();
    if (!inode.isEmpty()) record.inode = static_cast<ino_t>(inode.toULongLong());
  }
  return record;
}

enum class Presence { There, Missing, Unknown };

Presence Look(const QByteArray& path, struct stat& st) {
  if (::lstat(path.constData(), &st) == 0) return Presence::There;
  return errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG ? Presence::Missing : Presence::Unknown;
}

// The files that the clean-up never removes, looked up (through links) the
// first time a file is about to be removed.
class KeptFiles {
 public:
  explicit KeptFiles(const QStringList& paths) : paths_(paths) {}

  bool Holds(const struct stat& file) {
    if (!known_) {
      known_ = true;
      for (const QString& path : paths_) {
        struct stat st {};
        if (!path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0)
          files_.emplace_back(st.st_dev, st.st_ino);
      }
    }
    return std::find(files_.begin(), files_.end(), std::make_pair(file.st_dev, file.st_ino)) != files_.end();
  }

 private:
  QStringList paths_;
  bool known_ = false;
  std::vector<std::pair<dev_t, ino_t>> files_;
};

enum class Removal { Removed, NotThere, NotTheSaves, Unknown };

// Removes the file at `path` when it is the temporary file of a save: an
// ordinary file, of that inode where one is given, and none of the kept.
Removal RemoveTemporaryFile(const QByteArray& path, std::optional<ino_t> inode, KeptFiles& kept) {
  struct stat st {};
  const Presence presence = Look(path, st);
  if (presence != Presence::There) return presence == Presence::Missing ? Removal::NotThere : Removal::Unknown;
  if (!S_ISREG(st.st_mode) || (inode && st.st_ino != *inode) || kept.Holds(st)) return Removal::NotTheSaves;
  if (::unlink(path.constData()) == 0) return Removal::Removed;
  return errno == ENOENT ? Removal::NotThere : Removal::Unknown;
}

// What becomes of a record whose save has ended.
enum class Verdict { Drop, KeepForALaterStart };

Verdict CleanUpAfter(const SaveRecord& record, qint64 pid, KeptFiles& kept, int& removed) {
  struct stat st {};
  bool unknown = false;
  bool found = false;
  const auto look = [&](const QByteArray& path, std::optional<ino_t> inode) {
    switch (RemoveTemporaryFile(path, inode, kept)) {
      case Removal::Removed: ++removed; [[fallthrough]];
      case Removal::NotTheSaves: found = true; break;
      case Removal::Unknown: unknown = true; break;
      case Removal::NotThere: break;
    }
  };
  if (!record.lastVersion) {
    // Nothing named: the save stopped before its temporary file had a name.
    if (!record.temporary) return Verdict::Drop;
    look(*record.temporary, record.inode);
  } else {
    // Each name the last version gave, looked up alone; the folder first,
    // which spares them all when it is not there.
    const Presence folder = Look(FolderPart(record.target).toByteArray(), st);
    if (folder != Presence::There) return Verdict::KeepForALaterStart;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
      look(record.target + kSaveInProgressMark + QByteArray::number(pid) + '-' + QByteArray::number(attempt),
           std::nullopt);
    }
  }
  if (unknown) return Verdict::KeepForALaterStart;
  if (found || Look(record.target, st) == Presence::There) return Verdict::Drop;
  // Neither the target nor its temporary file: a memory stick out, maybe.
  return Verdict::KeepForALaterStart;
}

// What one clean-up keeps and has done so far.
struct CleanUpPass {
  KeptFiles kept;
  int lastVersionRecordsLeft = kMaxLastVersionRecordsPerStart;
  int removed = 0;  // temporary files
};

// Cleans up after the record `name` in the folder `folder` when its save has
// ended.
void CleanUpAfterRecord(int folder, const QByteArray& name, qint64 pid, CleanUpPass& pass) {
  int fd = ::openat(folder, name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 && errno == EACCES)
    fd = ::openat(folder, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  const auto closeRecord = qScopeGuard([fd] { ::close(fd); });
  // A save under way holds the lock. Once it is taken, the record must
  // still be there (a record has one name and keeps it): a save that ended
  // removed its record before it let the lock go.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink == 0) return;
  const qint64 age = static_cast<qint64>(::time(nullptr)) - static_cast<qint64>(st.st_mtime);
  const auto drop = [&] { ::unlinkat(folder, name.constData(), 0); };
  if (st.st_size > kMaxSaveRecordBytes) return drop();
  const std::optional<QByteArray> bytes = ReadOpenFile(fd, static_cast<qsizetype>(st.st_size));
  if (!bytes) return;
  const std::optional<SaveRecord> record = ParseSaveRecord(*bytes);
  if (!record) {
    if (age > kUnfinishedSaveRecordSeconds) drop();
    return;
  }
  // Each record of the last version costs a hundred look-ups.
  if (record->lastVersion && pass.lastVersionRecordsLeft-- <= 0) return;
  // Looked at now, before its files: the records not looked at for longest
  // go first at the next start, so that those kept cannot hold back the
  // rest, nor can one whose folder does not answer and holds this clean-up
  // for good.
  const timespec times[2] = {{0, UTIME_NOW}, {0, UTIME_OMIT}};
  ::futimens(fd, times);
  if (CleanUpAfter(*record, pid, pass.kept, pass.removed) == Verdict::Drop || age > kSaveRecordAgeSeconds) drop();
}

}  // namespace

QList<QByteArray> FileNamesIn(const QString& folder) {
  QList<QByteArray> names;
  DIR* dir = folder.isEmpty() ? nullptr : ::opendir(QFile::encodeName(folder).constData());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_type == DT_REG || entry->d_type == DT_UNKNOWN) names << QByteArray(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

int RemoveSavesCutShort(const QString& folder, const QList<QByteArray>& names, const QStringList& kept,
                        qint64 program) {
  const int dir =
      folder.isEmpty() ? -1 : ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return 0;
  const auto closeFolder = qScopeGuard([dir] { ::close(dir); });
  struct Found {
    timespec lookedAt;
    QByteArray name;
    qint64 pid;
  };
  std::vector<Found> records;
  // A record of the program's own number is of an earlier process that had
  // it: the names it gave are those the program's saves take, maybe now,
  // while the clean-up runs beside them. A later start cleans up after it.
  if (program == 0) program = ::getpid();
  for (const QByteArray& name : names) {
    const std::optional<qint64> pid = RecordPid(name);
    struct stat st {};
    if (!pid || *pid == program) continue;
    if (::fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    records.push_back({st.st_atim, name, *pid});
  }
  const auto older = [](const Found& a, const Found& b) {
    return std::tie(a.lookedAt.tv_sec, a.lookedAt.tv_nsec, a.name) <
           std::tie(b.lookedAt.tv_sec, b.lookedAt.tv_nsec, b.name);
  };
  const std::size_t count = std::min<std::size_t>(records.size(), kMaxSaveRecordsPerStart);
  std::partial_sort(records.begin(), records.begin() + static_cast<std::ptrdiff_t>(count), records.end(), older);
  CleanUpPass pass{KeptFiles(kept)};
  for (std::size_t i = 0; i < count; ++i) CleanUpAfterRecord(dir, records[i].name, records[i].pid, pass);
  return pass.removed;
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
