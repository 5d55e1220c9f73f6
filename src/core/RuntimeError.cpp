#include "core/RuntimeError.h"

#include "core/Bilingual.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace brantel {

QString ErrorText(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case ErrorNumber::Overflow: return QStringLiteral("Overflow");
    case ErrorNumber::OutOfMemory: return QStringLiteral("Out of memory");
    case ErrorNumber::Subscript: return QStringLiteral("Subscript out of range");
    case ErrorNumber::DivisionByZero: return QStringLiteral("Division by zero");
    case ErrorNumber::TypeMismatch: return QStringLiteral("Type mismatch");
    case ErrorNumber::DeviceTimeout: return QStringLiteral("Device timeout");
    case ErrorNumber::DeviceFault: return QStringLiteral("Device fault");
    case ErrorNumber::PrinterOutOfPaper: return QStringLiteral("Printer out of paper");
    case ErrorNumber::BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case ErrorNumber::FileNotFound: return QStringLiteral("File not found");
    case ErrorNumber::BadFileMode: return QStringLiteral("Bad file mode");
    case ErrorNumber::FileAlreadyOpen: return QStringLiteral("File already open");
    case ErrorNumber::DeviceIO: return QStringLiteral("Device I/O error");
    case ErrorNumber::FileAlreadyExists: return QStringLiteral("File already exists");
    case ErrorNumber::DiskFull: return QStringLiteral("Disk full");
    case ErrorNumber::InputPastEnd: return QStringLiteral("Input past end of file");
    case ErrorNumber::BadFileName: return QStringLiteral("Bad file name");
    case ErrorNumber::TooManyFiles: return QStringLiteral("Too many files");
    case ErrorNumber::DeviceUnavailable: return QStringLiteral("Device unavailable");
    case ErrorNumber::PermissionDenied: return QStringLiteral("Permission denied");
    case ErrorNumber::DiskNotReady: return QStringLiteral("Disk not ready");
    case ErrorNumber::DiskMedia: return QStringLiteral("Disk-media error");
    case ErrorNumber::PathFileAccess: return QStringLiteral("Path/File access error");
    case ErrorNumber::PathNotFound: return QStringLiteral("Path not found");
    case ErrorNumber::PrinterError: return QStringLiteral("Printer error");
    case ErrorNumber::PrinterDriver: return QStringLiteral("Printer driver does not support specified property");
    case ErrorNumber::PrinterInfo:
      return QStringLiteral(
          "Problem getting printer information from the system. "
          "Make sure the printer is set up correctly");
    case ErrorNumber::DialogCancel: return QStringLiteral("Cancel was selected.");
  }
  return QStringLiteral("Application-defined or object-defined error");
}

RuntimeError::RuntimeError(ErrorNumber number) : RuntimeError(number, ErrorText(number)) {}

RuntimeError::RuntimeError(ErrorNumber number, QString description)
    : number_(number), description_(std::move(description)) {
  what_ = QStringLiteral("Error %1: %2").arg(Code()).arg(description_).toStdString();
}

void RaiseError(ErrorNumber number) { throw RuntimeError(number); }

void RaiseError(ErrorNumber number, const QString& description) { throw RuntimeError(number, description); }

RuntimeError ErrorFromErrno(int errnoValue, FileOp op) {
  switch (errnoValue) {
    case ENOENT: return RuntimeError(op == FileOp::List ? ErrorNumber::PathNotFound : ErrorNumber::FileNotFound);
    case ENOTDIR: return RuntimeError(ErrorNumber::PathNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY: return RuntimeError(ErrorNumber::PermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return RuntimeError(ErrorNumber::DiskFull);
    case EISDIR:
    case EBUSY:
    case EEXIST:
    case ENOTEMPTY: return RuntimeError(ErrorNumber::PathFileAccess);
    case ELOOP:
      return RuntimeError(ErrorNumber::PathFileAccess,
                          Tr({"Too many levels of symbolic links", "Πάρα πολλά επίπεδα συμβολικών συνδέσμων"}));
    case ENAMETOOLONG:
    case EINVAL: return RuntimeError(ErrorNumber::BadFileName);
    case EMFILE:
    case ENFILE: return RuntimeError(ErrorNumber::TooManyFiles);
    case EIO: return RuntimeError(ErrorNumber::DeviceIO);
    case ENXIO:
    case ENODEV: return RuntimeError(ErrorNumber::DeviceUnavailable);
    case ENOMEM: return RuntimeError(ErrorNumber::OutOfMemory);
    case ETIMEDOUT: return RuntimeError(ErrorNumber::DeviceTimeout);
    default: return RuntimeError(ErrorNumber::PathFileAccess);
  }
}

RuntimeError ErrorFromFile(const QFileDevice& file, FileOp op, int savedErrno) {
  const QString path = file.fileName();
  const QFileInfo info(path);
  if (savedErrno == ENOENT) {
    return RuntimeError(info.dir().exists() ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound);
  }
  if (savedErrno != 0) return ErrorFromErrno(savedErrno, op);

  switch (file.error()) {
    case QFileDevice::ReadError: return RuntimeError(ErrorNumber::DeviceIO);
    case QFileDevice::ResourceError: return RuntimeError(ErrorNumber::DiskFull);
    case QFileDevice::WriteError:
      if (info.exists() && !info.isWritable()) return RuntimeError(ErrorNumber::PermissionDenied);
      return RuntimeError(ErrorNumber::DeviceIO);
    default: break;
  }
  // Open failures and the rest: look at the path itself.
  if (path.isEmpty()) return RuntimeError(ErrorNumber::BadFileName);
  if (info.isDir()) return RuntimeError(ErrorNumber::PathFileAccess);
  if (!info.dir().exists()) return RuntimeError(ErrorNumber::PathNotFound);
  if (!info.exists()) {
    return RuntimeError(op == FileOp::Write ? ErrorNumber::PermissionDenied : ErrorNumber::FileNotFound);
  }
  if (op == FileOp::Read && !info.isReadable()) return RuntimeError(ErrorNumber::PermissionDenied);
  if (op == FileOp::Write && !info.isWritable()) return RuntimeError(ErrorNumber::PermissionDenied);
  return RuntimeError(ErrorNumber::PathFileAccess);
}

}  // namespace brantel
