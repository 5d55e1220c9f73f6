#pragma once

#include <QFileDevice>
#include <QString>

#include <exception>
#include <string>

namespace brantel {

// Run-time error numbers. The numbers are the ones a message shows ("File
// not found (53)"); every failure of the library or the operating system is
// mapped onto one of them before it reaches a caller's handler.
enum class ErrorNumber : qint32 {
  InvalidCall = 5,  // invalid procedure call or argument
  Overflow = 6,
  OutOfMemory = 7,
  Subscript = 9,  // subscript out of range
  DivisionByZero = 11,
  TypeMismatch = 13,  // a text that is not a number
  DeviceTimeout = 24,
  DeviceFault = 25,
  PrinterOutOfPaper = 27,
  BadFileNameOrNumber = 52,
  FileNotFound = 53,
  BadFileMode = 54,
  FileAlreadyOpen = 55,
  DeviceIO = 57,
  FileAlreadyExists = 58,
  DiskFull = 61,
  InputPastEnd = 62,
  BadFileName = 64,
  TooManyFiles = 67,
  DeviceUnavailable = 68,
  PermissionDenied = 70,
  DiskNotReady = 71,
  DiskMedia = 72,
  PathFileAccess = 75,
  PathNotFound = 76,
  PrinterError = 482,
  PrinterDriver = 483,   // the driver does not support a property
  PrinterInfo = 484,     // the system gave no printer information
  DialogCancel = 32755,  // the user cancelled a file or printer dialog
};

// The standard text of an error number ("File not found" for FileNotFound).
QString ErrorText(ErrorNumber number);

// A numbered run-time error, raised as an exception and caught by the
// procedure's error handler, which usually hands it to ReportError.
class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(ErrorNumber number);
  RuntimeError(ErrorNumber number, QString description);

  ErrorNumber Number() const { return number_; }
  // The number as a message shows it.
  qint32 Code() const { return static_cast<qint32>(number_); }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  ErrorNumber number_;
  QString description_;
  std::string what_;
};

[[noreturn]] void RaiseError(ErrorNumber number);
[[noreturn]] void RaiseError(ErrorNumber number, const QString& description);

// What a file operation was doing when it failed; decides between
// "file not found" and "path not found" and the like.
enum class FileOp { Read, Write, Delete, List };

// Maps an errno value of a failed file operation on `path` to a run-time error.
// A loop of symbolic links (ELOOP) says so in the current language.
RuntimeError ErrorFromErrno(int errnoValue, FileOp op);

// Maps a failed QFile operation to a run-time error. `savedErrno`
// is errno taken right after the failing call (0 when not known); the path is
// examined when the error alone does not tell the cause.
RuntimeError ErrorFromFile(const QFileDevice& file, FileOp op, int savedErrno);

}  // namespace brantel
