#pragma once

#include <QFileDevice>
#include <QString>

#include <exception>
#include <string>

namespace brantel {

// Run-time error numbers. The numbers are the ones the error reporting sorts
// into its classes; every failure of the library or the operating system is
// mapped onto one of them before it reaches a caller's handler.
namespace err {
inline constexpr qint32 kInvalidCall = 5;  // invalid procedure call or argument
inline constexpr qint32 kOverflow = 6;
inline constexpr qint32 kOutOfMemory = 7;
inline constexpr qint32 kSubscript = 9;  // subscript out of range
inline constexpr qint32 kDivisionByZero = 11;
inline constexpr qint32 kTypeMismatch = 13;  // a text that is not a number
inline constexpr qint32 kDeviceTimeout = 24;
inline constexpr qint32 kDeviceFault = 25;
inline constexpr qint32 kPrinterOutOfPaper = 27;
inline constexpr qint32 kBadFileNameOrNumber = 52;
inline constexpr qint32 kFileNotFound = 53;
inline constexpr qint32 kBadFileMode = 54;
inline constexpr qint32 kFileAlreadyOpen = 55;
inline constexpr qint32 kDeviceIO = 57;
inline constexpr qint32 kFileAlreadyExists = 58;
inline constexpr qint32 kDiskFull = 61;
inline constexpr qint32 kInputPastEnd = 62;
inline constexpr qint32 kBadFileName = 64;
inline constexpr qint32 kTooManyFiles = 67;
inline constexpr qint32 kDeviceUnavailable = 68;
inline constexpr qint32 kPermissionDenied = 70;
inline constexpr qint32 kDiskNotReady = 71;
inline constexpr qint32 kDiskMedia = 72;
inline constexpr qint32 kPathFileAccess = 75;
inline constexpr qint32 kPathNotFound = 76;
inline constexpr qint32 kInvalidPropertyValue = 380;
inline constexpr qint32 kKeyAlreadyInCollection = 457;
inline constexpr qint32 kPrinterError = 482;
inline constexpr qint32 kPrinterDriver = 483;
inline constexpr qint32 kPrinterInfo = 484;
inline constexpr qint32 kDialogCancel = 32755;  // the user cancelled a file or printer dialog
inline constexpr qint32 kDatabaseCommand = -2147217900;
}  // namespace err

// The standard text of an error number ("File not found" for 53).
QString ErrorText(qint32 number);

// A numbered run-time error, raised as an exception and caught by the
// procedure's error handler, which usually hands it to ReportError.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(qint32 number);
  RuntimeError(qint32 number, QString description);

  qint32 Number() const { return number_; }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  qint32 number_;
  QString description_;
  std::string what_;
};

[[noreturn]] void RaiseError(qint32 number);
[[noreturn]] void RaiseError(qint32 number, const QString& description);

// What a file operation was doing when it failed; decides between
// "file not found" and "path not found" and the like.
enum class FileOp { Read, Write, Delete, List };

// Maps an errno value of a failed file operation on `path` to a run-time error.
RuntimeError ErrorFromErrno(int errnoValue, FileOp op);

// Maps a failed QFile/QSaveFile operation to a run-time error. `savedErrno`
// is errno taken right after the failing call (0 when not known); the path is
// examined when the error alone does not tell the cause.
RuntimeError ErrorFromFile(const QFileDevice& file, FileOp op, int savedErrno);

}  // namespace brantel
