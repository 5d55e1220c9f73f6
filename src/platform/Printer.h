#pragma once

#include <QString>

#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace brantel::platform {

class ScratchFile;

// The one printer object of the process: every print goes to it, and the
// printer setup dialog configures it. It starts on the system's default
// printer and lives until the application object goes, or until a failed
// job replaces it (PrinterJob): a reference to it holds only until the next
// job.
QPrinter& SystemPrinter();

// Gives a printer the choices of another: the printer of the print server
// or the PDF file, the page layout, copies and collation, two-sided
// printing, colour, page order, paper source, the whole page or its
// printable part, the pages to print, the document's name and creator, and
// the print server's own options that the print dialog set. Not the
// resolution: a printer that counts in the screen's pixels keeps counting
// in them, so that drawings whose texts are sized in points relative to the
// screen, such as charts, print on it in their screen proportions. A
// printer of the print server that the server does not know just now stays
// on the default one (or makes PDF): a job sent with the choices of the
// first (PrinterJob's second form) still goes to the printer chosen.
void CopyPrinterChoices(const QPrinter& from, QPrinter& to);

// One job on a printer, from the painter's begin to the output handed
// over. Qt ends a job as a success when its PDF file could not be written
// whole and takes no answer from the print server, and after some failures
// it leaves the printer unable to change its choices or to write again.
// Every failure of a job is raised here as ErrorNumber::PrinterError, and a
// job that fails leaves the system printer ready for the next one: replaced
// by a fresh printer with the same choices where Qt left it unusable.
//
// The printer paints into a scratch PDF file in the temporary folder that
// has no name there (where the file system cannot make such a file, a name
// of the program's own, recorded like the temporary file of a save, so that
// the next start removes what a job killed midway leaves), read back whole
// once the painting ends. A PDF file is then put in the chosen file's place
// by the program's atomic writer: a job that fails leaves no part of a PDF
// file behind and the file that was there as it was. (A device or a pipe
// chosen as the file is written straight into.) A job for a printer of the
// print server asks the server, before anything is painted, whether the
// printer takes jobs, and is handed over by the program itself with the
// printer's choices as the server's options; a job the server refuses is
// reported with the server's reason and cancelled there. Each question to
// the server waits a few seconds at most.
class PrinterJob {
 public:
  // A job painted on the printer and sent where it sends its output.
  explicit PrinterJob(QPrinter& printer);
  // A job painted on `printer` (a copy with another resolution) and sent
  // where `choices` sends its output, with the choices of `choices`.
  PrinterJob(QPrinter& printer, const QPrinter& choices);
  // A job that was not finished is abandoned.
  ~PrinterJob();
  PrinterJob(const PrinterJob&) = delete;
  PrinterJob& operator=(const PrinterJob&) = delete;

  // Starts the painter on the printer. Raises PrinterError when the job
  // cannot start: no printer and no PDF file chosen, a print server that
  // does not answer or does not know the printer, a printer that does not
  // accept jobs (with the server's reason), no scratch file.
  void Begin(QPainter& painter);
  // Starts a new page; raises PrinterError when the printer cannot.
  void NewPage();
  // Ends the painting and hands the output over: the PDF file put in
  // place, or the job taken by the print server. Raises PrinterError with
  // a text that names the file or the printer (and the server's reason)
  // when that fails.
  void Finish();
  // Drops a job that has begun, with no output; the printer is ready again.
  void Abandon();

 private:
  [[noreturn]] void Fail(const QString& reason);
  // Gives the printer its own output file back, drops the scratch file
  // and, where Qt left the printer unusable, replaces the system printer.
  void Recover(bool printerUnusable);
  void DeliverPdf(const QByteArray& pdf);
  void HandOverToServer(const QByteArray& pdf);

  QPrinter* printer_;               // painted on
  const QPrinter* choices_;         // where the output goes, and how
  QPainter* painter_ = nullptr;     // while the job runs
  QString pdfFile_;                 // the PDF file chosen, for a job that writes one
  QString queue_;                   // the print server's printer, for a job that goes there
  std::optional<QString> ownFile_;  // the printer's output file, while it writes the scratch file
  std::unique_ptr<ScratchFile> scratch_;
};

}  // namespace brantel::platform
