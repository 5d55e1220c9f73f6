#pragma once

#include <QString>

#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

namespace brantel::platform {

// The one printer object of the process: every print goes to it, and the
// printer setup dialog configures it. It starts on the system's default
// printer and lives until the application object goes, or until a failed
// job replaces it (PrinterJob): a reference to it holds only until the next
// job.
QPrinter& SystemPrinter();

// A printer with the same choices (printer, output file, page, copies,
// colour) that counts in the screen's pixels. Drawings whose texts are
// sized in points relative to the screen, such as charts, print on it in
// their screen proportions.
void CopyPrinterChoices(const QPrinter& from, QPrinter& to);

// One job on a printer, from the painter's begin to the output handed
// over. Qt ends a job as a success when its PDF file could not be written
// whole or when the print server took nothing, and after some failures it
// leaves the printer unable to change its choices or to write again. Every
// failure of a job is raised here as ErrorNumber::PrinterError, and a job
// that fails leaves the system printer ready for the next one: replaced by
// a fresh printer with the same choices where Qt left it unusable.
//
// A PDF file is written into a scratch file first and, once read back
// whole, put in the chosen file's place by the program's atomic writer: a
// job that fails leaves no part of a PDF file behind and the file that was
// there as it was. (A device or a pipe chosen as the file is written
// straight into.) A job for a printer of the print server needs the server
// to know that printer when the job begins and when it has been handed
// over.
class PrinterJob {
 public:
  explicit PrinterJob(QPrinter& printer);
  // A job that was not finished is abandoned.
  ~PrinterJob();
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  // Starts the painter on the printer. Raises PrinterError when the job
  // cannot start: no printer and no PDF file chosen, a print server that
  // does not answer or does not know the printer, a printer that refuses.
  void Begin(QPainter& painter);
  // Starts a new page; raises PrinterError when the printer cannot.
  void NewPage();
  // Ends the painting and hands the output over: the PDF file put in
  // place, or the job left with the print server. Raises PrinterError with
  // a text that names the file or the printer when that fails.
  void Finish();
  // Drops a job that has begun, with no output; the printer is ready again.
  void Abandon();

 private:
  [[noreturn]] void Fail(const QString& reason);
  // Gives the printer its own output file back and, where Qt left it
  // unusable, replaces the system printer.
  void Recover(bool printerUnusable);
  void DeliverPdf();

  QPrinter* printer_;
  QPainter* painter_ = nullptr;  // while the job runs
  QString target_;               // the PDF file chosen, while the printer writes the scratch file
  std::unique_ptr<QTemporaryFile> scratch_;
};

}  // namespace brantel::platform
