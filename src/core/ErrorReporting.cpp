#include "core/ErrorReporting.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"

namespace brantel {

int ErrorClass(qint32 number) {
  switch (number) {
    case 482:
    case 483:
    case 484: return 0;
    case 24:
    case 25:
    case 27:
    case 53:
    case 57:
    case 61:
    case 62:
    case 70:
    case 71:
    case 72: return 1;
    case 5:
    case 6:
    case 7: return 2;
    case 52:
    case 55:
    case 64:
    case 68:
    case 75:
    case 76: return 3;
    case err::kDialogCancel: return 5;
    case err::kDatabaseCommand: return 6;
    default: return 4;
  }
}

void LogRuntimeError(const RuntimeError& error) {
  AddHistoryLine(QString::number(error.Number()) + u' ' + error.Description());
}

int ReportError(const RuntimeError& error, bool report) {
  const qint32 n = error.Number();
  const int errorClass = ErrorClass(n);
  const QString text = error.Description();
  if (report) {
    if (errorClass == 5) {
      AddHistoryLine(text);
    } else {
      AddHistoryLine(QStringLiteral("Error ") + FormatSigned(n) + QStringLiteral(":") + text);
    }
  }
  const QString detail = QStringLiteral("Error occurred: ") + text + QStringLiteral(" (") + QString::number(n);
  switch (errorClass) {
    case 0:
    case 1: {
      if (!report) return kErrContinue;
      const qint16 pressed = ShowMsg(detail + QStringLiteral(")"), mb::kRetryCancel, ErrorTitle);
      return pressed == answer::kRetry ? kErrRetry : kErrContinue;
    }
    case 5: return kErrCancelled;
    case 6:
      if (report) ShowMsg(detail + QStringLiteral("). Procedure Terminated"), mb::kOkOnly, ErrorTitle);
      return kErrDatabase;
    default:
      if (report) ShowMsg(detail + QStringLiteral("). Procedure Terminated"), mb::kOkOnly, ErrorTitle);
      return kErrTerminated;
  }
}

}  // namespace brantel
