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

ErrorKind KindOf(qint32 number) {
  switch (number) {
    case err::kPrinterError:
    case err::kPrinterDriver:
    case err::kPrinterInfo:
    case err::kDeviceTimeout:
    case err::kDeviceFault:
    case err::kPrinterOutOfPaper:
    case err::kFileNotFound:
    case err::kDeviceIO:
    case err::kDiskFull:
    case err::kInputPastEnd:
    case err::kPermissionDenied:
    case err::kDiskNotReady:
    case err::kDiskMedia: return ErrorKind::Retryable;
    case err::kDialogCancel: return ErrorKind::DialogCancel;
    default: return ErrorKind::Fatal;
  }
}

}  // namespace

void LogRuntimeError(const RuntimeError& error) {
  AddHistoryLine(QString::number(error.Number()) + u' ' + error.Description());
}

NextStep ReportError(const RuntimeError& error, bool report) {
  const qint32 n = error.Number();
  const ErrorKind kind = KindOf(n);
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
