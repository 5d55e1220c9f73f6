#include "platform/Printer.h"

#include "core/Bilingual.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/RuntimeError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageRanges>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QScopeGuard>

#include <cups/cups.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace brantel::platform {

// The file a job's PDF is painted into before it goes to its file or to the
// print server. Where the temporary folder's file system makes a file
// without a name (O_TMPFILE), it never has one, and goes with the last
// descriptor of it, however the program ends; Qt writes it through the
// process's own view of that descriptor, /proc/self/fd/N. Elsewhere it is
// made under a name of the program's own, recorded first in the user's
// scratch folder the way a save records its temporary file (so that the
// next start removes it should the program be killed), and the name goes
// again at once where /proc lets Qt reach the file without it.
class ScratchFile {
 public:
  ScratchFile() = default;
  ~ScratchFile();
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Makes the file in the folder. Returns 0 or the errno.
  int Make(const QString& folder);
  // The path through which Qt writes the file.
  const QString& Path() const { return path_; }
  // Everything written into the file; nothing where it cannot be read.
  std::optional<QByteArray> Contents() const;

 private:
  int MakeNamed(const QString& folder);
  void DropName();

  int fd_ = -1;
  QString path_;
  QByteArray name_;        // while the file has a name in the folder
  LeftoverRecord record_;  // of that name, while it is there
};

namespace {

QPrinter* printer = nullptr;

// The property under which Qt's print engine for CUPS keeps the options the
// print dialog set for the print server (page set, pages per sheet, banner
// pages, the options of the printer's PPD file...), as name, value, name,
// value.
constexpr auto kServerOptionsProperty = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);

// How long a question to the print server may take: to connect, and each
// wait for an answer or for room to send more of a job.
constexpr int kServerConnectMilliseconds = 5000;
constexpr double kServerAnswerSeconds = 10.0;

// How many names the scratch file and its record try before giving up.
constexpr int kNameAttempts = 100;

void ReleasePrinter() {
  delete printer;
  printer = nullptr;
}

// A fresh system printer with the old one's choices, for a printer that Qt
// left unusable; its resolution too, which a copy does not take.
void RenewSystemPrinter() {
  auto* fresh = new QPrinter(QPrinter::HighResolution);
  CopyPrinterChoices(*printer, *fresh);
  fresh->setResolution(printer->resolution());
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

QString ProcPath(int fd) { return QStringLiteral("/proc/self/fd/") + QString::number(fd); }

// True when Qt can open the file through /proc/self/fd/N: that path leads
// to the very file open under the descriptor.
bool ReachableThroughProc(int fd) {
  struct stat file {};
  struct stat reached {};
  return ::fstat(fd, &file) == 0 && ::stat(QFile::encodeName(ProcPath(fd)).constData(), &reached) == 0 &&
         file.st_dev == reached.st_dev && file.st_ino == reached.st_ino;
}

// ---------------------------------------------------------------- print server

// Gives up a wait for the print server once its time has passed.
int GiveUpWaiting(http_t*, void*) { return 0; }

// A connection to the print server that the print system's settings name
// (CUPS_SERVER, client.conf: the local socket or a host), opened within
// kServerConnectMilliseconds, every later wait on it at most
// kServerAnswerSeconds.
class PrintServer {
 public:
  PrintServer()
      : http_(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kServerConnectMilliseconds,
                           nullptr)) {
    if (http_) httpSetTimeout(http_, kServerAnswerSeconds, GiveUpWaiting, nullptr);
  }
  ~PrintServer() {
    if (http_) httpClose(http_);
  }
  PrintServer(const PrintServer&) = delete;
  PrintServer& operator=(const PrintServer&) = delete;

  http_t* Connection() const { return http_; }

 private:
  http_t* http_;
};

// What the print server said last, or why it said nothing.
QString ServerReason(http_t* http) {
  QString reason = QString::fromUtf8(cupsLastErrorString()).trimmed();
  if (reason.isEmpty() && http && httpError(http) != 0) reason = QString::fromLocal8Bit(std::strerror(httpError(http)));
  return reason;
}

// The print server's name of a queue: Qt names an instance of a printer
// "printer/instance", and the server knows the printer alone.
QByteArray QueueOf(const QString& printerName) { return printerName.section(u'/', 0, 0).toUtf8(); }

// What the print server says of a printer before a job.
struct QueueAnswer {
  bool known = false;      // the server answered and knows the printer
  bool accepting = false;  // the printer takes jobs
  QString reason;          // the server's word: why it did not answer, or why the printer takes no jobs
};

QueueAnswer AskAboutQueue(const QByteArray& queue) {
  QueueAnswer answer;
  const PrintServer server;
  if (!server.Connection()) return answer;
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   queue.constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kWanted[] = {"printer-is-accepting-jobs", "printer-state-message", "printer-state-reasons"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(kWanted)), nullptr, kWanted);
  ipp_t* response = cupsDoRequest(server.Connection(), request, "/");  // takes the request
  const auto dropResponse = qScopeGuard([response] { ippDelete(response); });
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    answer.reason = ServerReason(server.Connection());
    return answer;
  }
  answer.known = true;
  ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  answer.accepting = !accepting || ippGetBoolean(accepting, 0);
  if (ipp_attribute_t* message = ippFindAttribute(response, "printer-state-message", IPP_TAG_ZERO)) {
    answer.reason = QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed();
  }
  if (answer.reason.isEmpty()) {
    QStringList reasons;
    ipp_attribute_t* keywords = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD);
    for (int i = 0; keywords && i < ippGetCount(keywords); ++i) {
      const QString reason = QString::fromUtf8(ippGetString(keywords, i, nullptr));
      if (reason != u"none") reasons << reason;
    }
    answer.reason = reasons.join(QStringLiteral(", "));
  }
  return answer;
}

// The print server's keyword of a paper source (PWG media-source), or
// nothing for the printer's own choice and for sources it has no word for.
const char* MediaSourceOf(QPrinter::PaperSource source) {
  switch (source) {
    case QPrinter::Upper: return "top";  // also QPrinter::OnlyOne
    case QPrinter::Middle: return "middle";
    case QPrinter::Lower: return "bottom";
    case QPrinter::Manual: return "manual";
    case QPrinter::Envelope:
    case QPrinter::EnvelopeManual: return "envelope";
    case QPrinter::LargeCapacity: return "large-capacity";
    case QPrinter::Cassette: return "main";
    default: return nullptr;
  }
}

using ServerOption = std::pair<QByteArray, QByteArray>;

// The printer's choices as the print server's options. Those Qt's own print
// engine for CUPS hands over, as it names them: the page size's name,
// copies, collation, the sides of the paper and the options the print
// dialog set. (Not Qt's "landscape": its empty value is read as false, and
// the pages of the PDF are already turned.) Besides them, what Qt leaves
// out: the page order, grey scale, a paper source chosen outside the
// dialog's printer options and the pages to print.
std::vector<ServerOption> ServerOptionsOf(const QPrinter& choices) {
  std::vector<ServerOption> options;
  const QPageLayout layout = choices.pageLayout();
  if (!layout.pageSize().key().isEmpty()) options.emplace_back("media", layout.pageSize().key().toUtf8());
  if (choices.copyCount() > 1) {
    options.emplace_back("copies", QByteArray::number(choices.copyCount()));
    if (choices.collateCopies()) options.emplace_back("Collate", "True");
  }
  switch (choices.duplex()) {
    case QPrinter::DuplexNone: options.emplace_back("sides", "one-sided"); break;
    case QPrinter::DuplexAuto:
      options.emplace_back(
          "sides", layout.orientation() == QPageLayout::Portrait ? "two-sided-long-edge" : "two-sided-short-edge");
      break;
    case QPrinter::DuplexLongSide: options.emplace_back("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: options.emplace_back("sides", "two-sided-short-edge"); break;
  }
  if (choices.pageOrder() == QPrinter::LastPageFirst) options.emplace_back("outputorder", "reverse");
  if (choices.colorMode() == QPrinter::GrayScale) options.emplace_back("print-color-mode", "monochrome");
  if (choices.printRange() == QPrinter::PageRange && !choices.pageRanges().isEmpty()) {
    options.emplace_back("page-ranges", choices.pageRanges().toString().toUtf8());
  }
  const QStringList dialogOptions = choices.printEngine()->property(kServerOptionsProperty).toStringList();
  for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2) {
    options.emplace_back(dialogOptions[i].toUtf8(), dialogOptions[i + 1].toUtf8());
  }
  const bool slotChosen = dialogOptions.contains(QStringLiteral("InputSlot"));
  if (const char* source = MediaSourceOf(choices.paperSource()); source && !slotChosen) {
    options.emplace_back("media-col", QByteArray("{media-source=") + source + '}');
  }
  return options;
}

QString NoAnswerText(const QString& printerName, const QString& reason) {
  const QString text = Tr({"the print server does not answer, or does not know the printer %1",
                           "ο διακομιστής εκτύπωσης δεν απαντά ή δεν γνωρίζει τον εκτυπωτή %1"})
                           .arg(printerName);
  return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

QString NotTakenText(const QString& printerName, const QString& reason) {
  const QString text = Tr({"the print server did not take the job for the printer %1",
                           "ο διακομιστής εκτύπωσης δεν δέχτηκε την εργασία για τον εκτυπωτή %1"})
                           .arg(printerName);
  return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

}  // namespace

// ---------------------------------------------------------------- scratch file

ScratchFile::~ScratchFile() {
  if (fd_ >= 0) ::close(fd_);
  DropName();
}

int ScratchFile::Make(const QString& folder) {
  fd_ = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd_ >= 0 && ReachableThroughProc(fd_)) {
    path_ = ProcPath(fd_);
    return 0;
  }
  if (fd_ >= 0) {
    // Without /proc Qt could not reach it: made under a name instead.
    ::close(fd_);
    fd_ = -1;
  } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    return errno;
  }
  return MakeNamed(folder);
}

int ScratchFile::MakeNamed(const QString& folder) {
  const QString target = JoinPath(QFileInfo(folder).absoluteFilePath(), QStringLiteral("brantel-print.pdf"));
  record_.Open(target);
  for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
    const QByteArray name = QFile::encodeName(SaveInProgressName(target, ::getpid(), attempt));
    struct stat st {};
    if (::lstat(name.constData(), &st) == 0) continue;
    record_.Name(name, std::nullopt);
    fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0 && errno != EEXIST) {
      const int failed = errno;
      DropName();
      return failed;
    }
    if (fd_ >= 0) name_ = name;
  }
  if (fd_ < 0) {
    DropName();
    return EEXIST;
  }
  if (ReachableThroughProc(fd_)) {
    DropName();
    path_ = ProcPath(fd_);
  } else {
    path_ = QFile::decodeName(name_);
  }
  return 0;
}

void ScratchFile::DropName() {
  if (!name_.isEmpty()) ::unlink(name_.constData());
  name_.clear();
  record_.Remove();
}

std::optional<QByteArray> ScratchFile::Contents() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return std::nullopt;
  return ReadOpenFile(fd_, static_cast<qsizetype>(st.st_size));
}

// ---------------------------------------------------------------- printer

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
  to.setFullPage(from.fullPage());
  to.setCopyCount(from.copyCount());
  to.setCollateCopies(from.collateCopies());
  to.setColorMode(from.colorMode());
  to.setDuplex(from.duplex());
  to.setPageOrder(from.pageOrder());
  to.setPaperSource(from.paperSource());
  to.setPrintRange(from.printRange());
  to.setPageRanges(from.pageRanges());
  to.setDocName(from.docName());
  to.setCreator(from.creator());
  const QVariant serverOptions = from.printEngine()->property(kServerOptionsProperty);
  if (serverOptions.isValid()) to.printEngine()->setProperty(kServerOptionsProperty, serverOptions);
}

PrinterJob::PrinterJob(QPrinter& printer) : PrinterJob(printer, printer) {}

PrinterJob::PrinterJob(QPrinter& printer, const QPrinter& choices) : printer_(&printer), choices_(&choices) {}

PrinterJob::~PrinterJob() { Abandon(); }

void PrinterJob::Begin(QPainter& painter) {
  pdfFile_.clear();
  queue_.clear();
  // A printer of the print server with an output file writes that file, as
  // Qt's own engine does.
  if (choices_->outputFormat() == QPrinter::PdfFormat || !choices_->outputFileName().isEmpty()) {
    // Qt would start without a file and then refuse every change of choice.
    pdfFile_ = choices_->outputFileName();
    if (pdfFile_.isEmpty()) {
      Fail(Tr({"no printer is set up and no PDF file is chosen in Printer Setup",
               "δεν έχει ρυθμιστεί εκτυπωτής ούτε έχει επιλεγεί αρχείο PDF στη Ρύθμιση Εκτυπωτή"}));
    }
  } else {
    queue_ = choices_->printerName();
    // Asked before anything is painted: a printer that takes no jobs now
    // would refuse this one at its end.
    const QueueAnswer answer = AskAboutQueue(QueueOf(queue_));
    if (!answer.known) Fail(NoAnswerText(queue_, answer.reason));
    if (!answer.accepting) {
      const QString text =
          Tr({"the printer %1 does not accept jobs", "ο εκτυπωτής %1 δεν δέχεται εργασίες"}).arg(queue_);
      Fail(answer.reason.isEmpty() ? text : text + QStringLiteral(": ") + answer.reason);
    }
  }
  scratch_ = std::make_unique<ScratchFile>();
  if (const int failed = scratch_->Make(QDir::tempPath())) {
    Fail(Tr({"no scratch file for the print could be made in %1: ",
             "δεν ήταν δυνατό να δημιουργηθεί προσωρινό αρχείο για την εκτύπωση στο φάκελο %1: "})
             .arg(QDir::tempPath()) +
         ErrorFromErrno(failed, FileOp::Write).Description());
  }
  ownFile_ = printer_->outputFileName();
  printer_->setOutputFileName(scratch_->Path());
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
  const QByteArray pdf = scratch_->Contents().value_or(QByteArray());
  if (!IsWholePdf(pdf)) {
    // Qt's writer stops for good at its first failed write.
    Recover(true);
    const QString notWhole = Tr({"its scratch file in %1 could not be written whole",
                                 "το προσωρινό του αρχείο στο φάκελο %1 δεν γράφτηκε ολόκληρο"})
                                 .arg(QDir::tempPath());
    if (!queue_.isEmpty()) {
      Fail(Tr({"the job for the printer %1 was not printed: ", "η εργασία για τον εκτυπωτή %1 δεν εκτυπώθηκε: "})
               .arg(queue_) +
           notWhole);
    }
    Fail(Tr({"the PDF file %1 was not written: ", "το αρχείο PDF %1 δεν γράφτηκε: "})
             .arg(QDir::toNativeSeparators(pdfFile_)) +
         notWhole);
  }
  Recover(false);
  if (queue_.isEmpty()) {
    DeliverPdf(pdf);
  } else {
    HandOverToServer(pdf);
  }
}

void PrinterJob::DeliverPdf(const QByteArray& pdf) {
  const QString& file = pdfFile_;
  const bool device = !IrregularFileReason(file).isEmpty() && !QFileInfo(file).isDir();
  const std::optional<RuntimeError> error = device ? WriteIntoDevice(file, pdf) : SaveFileAtomically(file, pdf);
  if (error) {
    Fail(Tr({"the PDF file %1 was not written: ", "το αρχείο PDF %1 δεν γράφτηκε: "})
             .arg(QDir::toNativeSeparators(file)) +
         error->Description());
  }
}

void PrinterJob::HandOverToServer(const QByteArray& pdf) {
  const PrintServer server;
  http_t* http = server.Connection();
  if (!http) Fail(NoAnswerText(queue_, QString()));
  cups_option_t* options = nullptr;
  int count = 0;
  for (const auto& [name, value] : ServerOptionsOf(*choices_)) {
    count = cupsAddOption(name.constData(), value.constData(), count, &options);
  }
  const auto freeOptions = qScopeGuard([&] { cupsFreeOptions(count, options); });
  const QByteArray queue = QueueOf(queue_);
  QString name = choices_->docName();
  if (name.isEmpty()) name = QCoreApplication::applicationName();
  const QByteArray title = name.toUtf8();
  const char* const titleOrNone = title.isEmpty() ? nullptr : title.constData();

  // A job id of 0 is a refusal, and the server's reason is its last word.
  const int job = cupsCreateJob(http, queue.constData(), titleOrNone, count, options);
  if (job == 0) Fail(NotTakenText(queue_, ServerReason(http)));
  bool sent = cupsStartDocument(http, queue.constData(), job, titleOrNone, CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
  constexpr qsizetype kPiece = 64 * 1024;
  for (qsizetype at = 0; sent && at < pdf.size(); at += kPiece) {
    const qsizetype piece = std::min(kPiece, pdf.size() - at);
    sent = cupsWriteRequestData(http, pdf.constData() + at, static_cast<size_t>(piece)) == HTTP_STATUS_CONTINUE;
  }
  if (sent && cupsFinishDocument(http, queue.constData()) <= IPP_STATUS_OK_CONFLICTING) return;
  // A job begun and not taken whole never prints: cancelled, on a
  // connection of its own where this one broke off.
  const QString reason = ServerReason(http);
  const PrintServer again;
  if (again.Connection()) cupsCancelJob2(again.Connection(), queue.constData(), job, 0);
  Fail(NotTakenText(queue_, reason));
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
    const bool sameChoices = choices_ == printer_;
    RenewSystemPrinter();
    printer_ = printer;
    if (sameChoices) choices_ = printer;
  }
  // Straight to the print engine: QPrinter would turn a printer of the print
  // server whose own file is a ".pdf" one into a PDF printer, and a PDF
  // printer without a file back into one of the print server.
  if (ownFile_ && printer_->printerState() != QPrinter::Active) {
    printer_->printEngine()->setProperty(QPrintEngine::PPK_OutputFileName, *ownFile_);
  }
  ownFile_.reset();
  scratch_.reset();
}

void PrinterJob::Fail(const QString& reason) {
  Abandon();
  const QString text = ErrorText(ErrorNumber::PrinterError);
  RaiseError(ErrorNumber::PrinterError, reason.isEmpty() ? text : text + QStringLiteral(": ") + reason);
}

}  // namespace brantel::platform
