#include "platform/Printer.h"

#include "core/Bilingual.h"
#include "core/FileHelpers.h"
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace brantel::platform {
namespace {

QPrinter* printer = nullptr;

void ReleasePrinter() {
  delete printer;
  printer = nullptr;
}

// A fresh system printer with the old one's choices, for a printer that Qt
// left unusable.
void RenewSystemPrinter() {
  auto* fresh = new QPrinter(QPrinter::HighResolution);
  CopyPrinterChoices(*printer, *fresh);
  delete printer;
  printer = fresh;
}

// Qt ends a PDF file with "startxref", the offset of its cross-reference
// table, and "%%EOF". A write that failed leaves that end out, or leaves
// the table elsewhere than the offset says.
bool IsWholePdf(const QByteArray& pdf) {
  constexpr QByteArrayView kOffsetMark = "startxref";
  const qsizetype mark = pdf.lastIndexOf(kOffsetMark);
  if (!pdf.startsWith("%PDF-") || mark < 0) return false;
  const QList<QByteArray> tail = pdf.mid(mark + kOffsetMark.size()).simplified().split(' ');
  bool read = false;
  const qlonglong table = tail.value(0).toLongLong(&read);
  return tail.size() == 2 && tail[1] == "%%EOF" && read && table >= 0 && table < mark && pdf.mid(table, 4) == "xref";
}

bool PrintServerKnows(const QString& name) {
  return !name.isEmpty() && QPrinterInfo::availablePrinterNames().contains(name);
}

// Writes the bytes straight into a device or a pipe, opened without waiting
// for a reader.
std::optional<RuntimeError> WriteIntoDevice(const QString& path, const QByteArray& bytes) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ErrorFromErrno(errno, FileOp::Write);
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  int failed = WriteAllBytes(fd, bytes);
  if (::close(fd) != 0 && failed == 0 && errno != EINTR) failed = errno;
  if (failed != 0) return ErrorFromErrno(failed, FileOp::Write);
  return std::nullopt;
}

}  // namespace

QPrinter& SystemPrinter() {
  if (!printer) {
    printer = new QPrinter(QPrinter::HighResolution);
    // Gone before the application object, with the print system still up.
    qAddPostRoutine(ReleasePrinter);
  }
  return *printer;
}

void CopyPrinterChoices(const QPrinter& from, QPrinter& to) {
  to.setOutputFormat(from.outputFormat());
  if (from.outputFormat() == QPrinter::NativeFormat) to.setPrinterName(from.printerName());
  to.setOutputFileName(from.outputFileName());
  to.setPageLayout(from.pageLayout());
  to.setCopyCount(from.copyCount());
  to.setCollateCopies(from.collateCopies());
  to.setColorMode(from.colorMode());
  to.setDuplex(from.duplex());
  to.setDocName(from.docName());
}

PrinterJob::PrinterJob(QPrinter& printer) : printer_(&printer) {}

PrinterJob::~PrinterJob() { Abandon(); }

void PrinterJob::Begin(QPainter& painter) {
  if (printer_->outputFormat() == QPrinter::PdfFormat) {
    // Qt would start without a file and then refuse every change of choice.
    const QString file = printer_->outputFileName();
    if (file.isEmpty()) {
      Fail(Tr({"no printer is set up and no PDF file is chosen in Printer Setup",
               "δεν έχει ρυθμιστεί εκτυπωτής ούτε έχει επιλεγεί αρχείο PDF στη Ρύθμιση Εκτυπωτή"}));
    }
    scratch_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/brantel-print-XXXXXX.pdf"));
    if (!scratch_->open()) {
      Fail(Tr({"no scratch file for the PDF file could be made in %1",
               "δεν ήταν δυνατό να δημιουργηθεί προσωρινό αρχείο για το αρχείο PDF στο φάκελο %1"})
               .arg(QDir::tempPath()));
    }
    target_ = file;
    printer_->setOutputFileName(scratch_->fileName());
  } else if (!PrintServerKnows(printer_->printerName())) {
    Fail(Tr({"the print server does not answer, or does not know the printer %1",
             "ο διακομιστής εκτύπωσης δεν απαντά ή δεν γνωρίζει τον εκτυπωτή %1"})
             .arg(printer_->printerName()));
  }
  if (!painter.begin(printer_)) Fail(QString());
  painter_ = &painter;
}

void PrinterJob::NewPage() {
  if (!printer_->newPage()) Fail(QString());
}

void PrinterJob::Finish() {
  const bool ended = painter_->end();
  painter_ = nullptr;
  if (!ended || printer_->printerState() == QPrinter::Error) Fail(QString());
  if (!target_.isEmpty()) {
    DeliverPdf();
  } else if (!PrintServerKnows(printer_->printerName())) {
    // Qt hands the job over at the end and says nothing when the server
    // was not there to take it.
    Fail(Tr({"the print server did not take the job for the printer %1",
             "ο διακομιστής εκτύπωσης δεν δέχτηκε την εργασία για τον εκτυπωτή %1"})
             .arg(printer_->printerName()));
  }
  Recover(false);
}

void PrinterJob::DeliverPdf() {
  const QString file = target_;
  const QString notWritten =
      Tr({"the PDF file %1 was not written: ", "το αρχείο PDF %1 δεν γράφτηκε: "}).arg(QDir::toNativeSeparators(file));
  QFile scratch(scratch_->fileName());
  const QByteArray pdf = scratch.open(QIODevice::ReadOnly) ? scratch.readAll() : QByteArray();
  if (!IsWholePdf(pdf)) {
    // Qt's writer stops for good at its first failed write.
    Recover(true);
    Fail(notWritten + Tr({"its scratch file in %1 could not be written whole",
                          "το προσωρινό του αρχείο στο φάκελο %1 δεν γράφτηκε ολόκληρο"})
                          .arg(QDir::tempPath()));
  }
  Recover(false);
  const bool device = !IrregularFileReason(file).isEmpty() && !QFileInfo(file).isDir();
  const std::optional<RuntimeError> error = device ? WriteIntoDevice(file, pdf) : SaveFileAtomically(file, pdf);
  if (error) Fail(notWritten + error->Description());
}

void PrinterJob::Abandon() {
  const bool painting = painter_ != nullptr;
  if (painting) {
    printer_->abort();
    if (painter_->isActive()) painter_->end();
    painter_ = nullptr;
  }
  // A job cut short may have stopped Qt's writer for good.
  Recover(painting);
}

void PrinterJob::Recover(bool printerUnusable) {
  const QPrinter::PrinterState state = printer_->printerState();
  if ((printerUnusable || state == QPrinter::Active || state == QPrinter::Error) && printer_ == printer) {
    RenewSystemPrinter();
    printer_ = printer;
  }
  if (!target_.isEmpty() && printer_->printerState() != QPrinter::Active) printer_->setOutputFileName(target_);
  target_.clear();
  scratch_.reset();
}

void PrinterJob::Fail(const QString& reason) {
  Abandon();
  const QString text = ErrorText(ErrorNumber::PrinterError);
  RaiseError(ErrorNumber::PrinterError, reason.isEmpty() ? text : text + QStringLiteral(": ") + reason);
}

}  // namespace brantel::platform
