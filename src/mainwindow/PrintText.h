#pragma once

#include "core/ErrorReporting.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

class QWidget;

namespace brantel {

// Printing of plain text on the system printer (platform::SystemPrinter),
// with a header line on every page: the program's name and version, the
// job's date and time, and "Page: n" at the right.

// The header data of the current job, set when it starts.
struct PrintHeaderData {
  QString Date;  // "m/d/yyyy"
  QString Time;  // "hh:mm:ss"
  int Page = 0;  // counts up from 1 within a job
};
extern PrintHeaderData PrintHeaderInfo;

// What a call of PrintText does.
enum class PrintMode {
  Line,           // one line at the left margin
  StartJob,       // font, date, time, page 1, header
  EjectPage,      // next page, with its header
  Text,           // a multi-line text, line by line
  EndJob,         // end of the document
  EjectNoHeader,  // next page, without a header
};

// Prints by mode (see PrintMode). Positions are twips on the printable
// area: the body starts at 1152 from the left and the top, the header line
// at 576; a page is full once the position passes the printable height less
// 1872, and the next page starts when more is printed on it. A printer that
// cannot start, turn a page or finish raises ErrorNumber::PrinterError; the job then
// is over and later modes do nothing until a new one starts. Modes other
// than StartJob do nothing while no job runs.
void PrintText(PrintMode mode, const QString& text);

// True between a successful start and the end of a job.
bool PrintJobActive();

// Drops the current job, if any, without finishing it.
void AbortPrintJob();

// Prints a whole text as one job (start, the text, end) under the error
// handling of the print commands: a failure goes to ReportError; Retry
// starts the job again from its beginning; any other answer abandons the
// job, logs "Printing aborted" and returns that answer. Returns nothing
// when the job was printed.
std::optional<NextStep> PrintWholeText(const QString& text);

// The printer setup of the File menu: the print dialog on the system
// printer. Cancel raises ErrorNumber::DialogCancel, which
// ReportError treats as a silent cancel.
void PrinterSetup(QWidget* owner = nullptr);

// The date as "m/d/yyyy", whatever the locale.
QString PrintDateText(const QDate& date);

}  // namespace brantel
