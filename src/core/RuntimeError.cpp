#include "core/RuntimeError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace brantel {

QString ErrorText(qint32 number) {
  switch (number) {
    case 3: return QStringLiteral("Return without GoSub");
    case err::kInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case err::kOverflow: return QStringLiteral("Overflow");
    case err::kOutOfMemory: return QStringLiteral("Out of memory");
    case err::kSubscript: return QStringLiteral("Subscript out of range");
    case 10: return QStringLiteral("This array is fixed or temporarily locked");
    case err::kDivisionByZero: return QStringLiteral("Division by zero");
    case err::kTypeMismatch: return QStringLiteral("Type mismatch");
    case 14: return QStringLiteral("Out of string space");
    case 17: return QStringLiteral("Can't perform requested operation");
    case 18: return QStringLiteral("User interrupt occurred");
    case 20: return QStringLiteral("Resume without error");
    case err::kDeviceTimeout: return QStringLiteral("Device timeout");
    case err::kDeviceFault: return QStringLiteral("Device fault");
    case err::kPrinterOutOfPaper: return QStringLiteral("Printer out of paper");
    case 28: return QStringLiteral("Out of stack space");
    case 51: return QStringLiteral("Internal error");
    case err::kBadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case err::kFileNotFound: return QStringLiteral("File not found");
    case err::kBadFileMode: return QStringLiteral("Bad file mode");
    case err::kFileAlreadyOpen: return QStringLiteral("File already open");
    case err::kDeviceIO: return QStringLiteral("Device I/O error");
    case err::kFileAlreadyExists: return QStringLiteral("File already exists");
    case 59: return QStringLiteral("Bad record length");
    case err::kDiskFull: return QStringLiteral("Disk full");
    case err::kInputPastEnd: return QStringLiteral("Input past end of file");
    case 63: return QStringLiteral("Bad record number");
    case err::kBadFileName: return QStringLiteral("Bad file name");
    case err::kTooManyFiles: return QStringLiteral("Too many files");
    case err::kDeviceUnavailable: return QStringLiteral("Device unavailable");
    case err::kPermissionDenied: return QStringLiteral("Permission denied");
    case err::kDiskNotReady: return QStringLiteral("Disk not ready");
    case err::kDiskMedia: return QStringLiteral("Disk-media error");
    case 74: return QStringLiteral("Can't rename with different drive");
    case err::kPathFileAccess: return QStringLiteral("Path/File access error");
    case err::kPathNotFound: return QStringLiteral("Path not found");
    case 91: return QStringLiteral("Object variable or With block variable not set");
    case 93: return QStringLiteral("Invalid pattern string");
    case 94: return QStringLiteral("Invalid use of Null");
    case err::kInvalidPropertyValue: return QStringLiteral("Invalid property value");
    case 424: return QStringLiteral("Object required");
    case 429: return QStringLiteral("ActiveX component can't create object");
    case 438: return QStringLiteral("Object doesn't support this property or method");
    case err::kKeyAlreadyInCollection:
      return QStringLiteral("This key is already associated with an element of this collection");
    case err::kPrinterError: return QStringLiteral("Printer error");
    case err::kPrinterDriver: return QStringLiteral("Printer driver does not support specified property");
    case err::kPrinterInfo:
      return QStringLiteral(
          "Problem getting printer information from the system. "
          "Make sure the printer is set up correctly");
    case err::kDialogCancel: return QStringLiteral("Cancel was selected.");
    case err::kDatabaseCommand: return QStringLiteral("Syntax error or access violation in a database command");
    default: return QStringLiteral("Application-defined or object-defined error");
  }
}

RuntimeError::RuntimeError(qint32 number) : RuntimeError(number, ErrorText(number)) {}

RuntimeError::RuntimeError(qint32 number, QString description) : number_(number), description_(std::move(description)) {
  what_ = QStringLiteral("Error %1: %2").arg(number_).arg(description_).toStdString();
}

void RaiseError(qint32 number) { throw RuntimeError(number); }

void RaiseError(qint32 number, const QString& description) { throw RuntimeError(number, description); }

RuntimeError ErrorFromErrno(int errnoValue, FileOp op) {
  switch (errnoValue) {
    case ENOENT: return RuntimeError(op == FileOp::List ? err::kPathNotFound : err::kFileNotFound);
    case ENOTDIR: return RuntimeError(err::kPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return RuntimeError(err::kPermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return RuntimeError(err::kDiskFull);
    case EISDIR:
    case EBUSY:
    case EEXIST:
    case ENOTEMPTY:
    case ELOOP: return RuntimeError(err::kPathFileAccess);
    case ENAMETOOLONG:
    case EINVAL: return RuntimeError(err::kBadFileName);
    case EMFILE:
    case ENFILE: return RuntimeError(err::kTooManyFiles);
    case EIO: return RuntimeError(err::kDeviceIO);
    case ENXIO:
    case ENODEV: return RuntimeError(err::kDeviceUnavailable);
    case ENOMEM: return RuntimeError(err::kOutOfMemory);
    case ETIMEDOUT: return RuntimeError(err::kDeviceTimeout);
    default: return RuntimeError(err::kPathFileAccess);
  }
}

RuntimeError ErrorFromFile(const QFileDevice& file, FileOp op, int savedErrno) {
  const QString path = file.fileName();
  const QFileInfo info(path);
  if (savedErrno == ENOENT) {
    return RuntimeError(info.dir().exists() ? err::kFileNotFound : err::kPathNotFound);
  }
  if (savedErrno != 0) return ErrorFromErrno(savedErrno, op);

  switch (file.error()) {
    case QFileDevice::ReadError: return RuntimeError(err::kDeviceIO);
    case QFileDevice::ResourceError: return RuntimeError(err::kDiskFull);
    case QFileDevice::WriteError:
      if (info.exists() && !info.isWritable()) return RuntimeError(err::kPermissionDenied);
      return RuntimeError(err::kDeviceIO);
    default: break;
  }
  // Open failures and the rest: look at the path itself.
  if (path.isEmpty()) return RuntimeError(err::kBadFileName);
  if (info.isDir()) return RuntimeError(err::kPathFileAccess);
  if (!info.dir().exists()) return RuntimeError(err::kPathNotFound);
  if (!info.exists()) {
    return RuntimeError(op == FileOp::Write ? err::kPermissionDenied : err::kFileNotFound);
  }
  if (op == FileOp::Read && !info.isReadable()) return RuntimeError(err::kPermissionDenied);
  if (op == FileOp::Write && !info.isWritable()) return RuntimeError(err::kPermissionDenied);
  return RuntimeError(err::kPathFileAccess);
}

}  // namespace brantel
