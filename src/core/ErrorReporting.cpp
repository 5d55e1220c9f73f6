#include "core/ErrorReporting.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"

namespace brantel {

namespace {

// What an error number asks of the handler.
enum class ErrorKind {
  Retryable,     // printer, device and file errors the user can put right
  DialogCancel,  // the user cancelled a file or printer dialog
  Fatal,         // the rest: the procedure ends
};

ErrorKind KindOf(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::PrinterError:
    case ErrorNumber::PrinterDriver:
    case ErrorNumber::PrinterInfo:
    case ErrorNumber::DeviceTimeout:
    case ErrorNumber::DeviceFault:
    case ErrorNumber::PrinterOutOfPaper:
    case ErrorNumber::FileNotFound:
    case ErrorNumber::DeviceIO:
    case ErrorNumber::DiskFull:
    case ErrorNumber::InputPastEnd:
    case ErrorNumber::PermissionDenied:
    case ErrorNumber::DiskNotReady:
    case ErrorNumber::DiskMedia: return ErrorKind::Retryable;
    case ErrorNumber::DialogCancel: return ErrorKind::DialogCancel;
    default: return ErrorKind::Fatal;
  }
}

}  // namespace

void LogRuntimeError(const RuntimeError& error) {
  AddHistoryLine(QString::number(error.Code()) + u' ' + error.Description());
}

NextStep ReportError(const RuntimeError& error, bool report) {
  const qint32 n = error.Code();
  const ErrorKind kind = KindOf(error.Number());
  const QString text = error.Description();
  if (report) {
    if (kind == ErrorKind::DialogCancel) {
      AddHistoryLine(text);
    } else {
      AddHistoryLine(QStringLiteral("Error ") + FormatSigned(n) + QStringLiteral(":") + text);
    }
  }
  const QString detail = QStringLiteral("Error occurred: ") + text + QStringLiteral(" (") + QString::number(n);
  switch (kind) {
    case ErrorKind::Retryable: {
      if (!report) return NextStep::ResumeNext;
      const Answer pressed = ShowMsg(detail + QStringLiteral(")"), Buttons::RetryCancel, ErrorTitle);
      return pressed == Answer::Retry ? NextStep::Retry : NextStep::ResumeNext;
    }
    case ErrorKind::DialogCancel: return NextStep::ResumeCancelled;
    case ErrorKind::Fatal: break;
  }
  if (report) ShowMsg(detail + QStringLiteral("). Procedure Terminated"), Buttons::Ok, ErrorTitle);
  return NextStep::Exit;
}

}  // namespace brantel
