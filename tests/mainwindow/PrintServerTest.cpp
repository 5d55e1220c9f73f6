// Prints on a print server of the test's own: cupsd on a socket in the
// test's home, with one printer that holds its jobs, so that every job
// handed over stays in the spool folder (its document a d* file, its IPP
// attributes the c* file beside it).

#include "PdfPrinting.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/OutputBuffers.h"
#include "core/RuntimeError.h"
#include "mainwindow/OutputPagesWindow.h"
#include "mainwindow/PrintText.h"
#include "platform/Printer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>

namespace brantel {
namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";
constexpr char kPrinter[] = "brantel";

class PrintServerTest : public test::PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    if (!QFileInfo(QLatin1String(kCupsd)).isExecutable()) GTEST_SKIP() << "no print server here (cupsd)";
    ASSERT_TRUE(QDir().mkpath(Spool().path()));
    WriteConfig("cupsd.conf", "Listen %1/cups.sock\nBrowsing No\n");
    WriteConfig("cups-files.conf",
                "ServerRoot %1\nRequestRoot %1/spool\nTempDir %1\nCacheDir %1\nStateDir %1\nErrorLog %1/log\n"
                "AccessLog %1/log\nPageLog %1/log\nPrintcap %1/printcap\n");
    WriteQueue(true);
    // Read by the print system's library, which keeps the server it found
    // until told to look again.
    UseServer(Home() + QStringLiteral("/cups.sock"));
    if (!StartServer()) GTEST_SKIP() << "cupsd does not start here: " << server_.readAll().toStdString();
  }

  void TearDown() override {
    server_.terminate();
    server_.waitForFinished();
    qunsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
    PrintTest::TearDown();
  }

  static void UseServer(const QString& socket) {
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    cupsSetServer(nullptr);
  }

  // A file of the server's settings in the home folder, which %1 stands for.
  void WriteConfig(const char* name, const QString& text) const {
    QFile file(Home() + u'/' + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString(text).replace(QStringLiteral("%1"), Home()).toLocal8Bit());
  }

  // The printer, taking jobs or not (with the server's message why).
  void WriteQueue(bool accepting, const QString& message = QString()) const {
    WriteConfig("printers.conf", QStringLiteral("<Printer %1>\nDeviceURI file:///dev/null\nState Stopped\n"
                                                "Accepting %2\n%3</Printer>\n")
                                     .arg(QLatin1String(kPrinter), accepting ? "Yes" : "No",
                                          message.isEmpty() ? QString() : "StateMessage " + message + u'\n'));
  }

  bool StartServer() {
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QLatin1String(kCupsd),
                  {QStringLiteral("-f"), QStringLiteral("-c"), Home() + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), Home() + QStringLiteral("/cups-files.conf")});
    for (int wait = 0; wait < 200 && server_.state() != QProcess::NotRunning; ++wait) {
      if (QPrinterInfo::availablePrinterNames().contains(QLatin1String(kPrinter))) return true;
      QThread::msleep(100);
    }
    return false;
  }

  // The server stopped and started again on a new setting of its printer,
  // as its administrator does (cupsaccept, cupsreject).
  bool RestartServer(bool accepting, const QString& message = QString()) {
    server_.terminate();
    server_.waitForFinished();
    WriteQueue(accepting, message);
    return StartServer();
  }

  void UseServerPrinter() const {
    platform::SystemPrinter().setOutputFormat(QPrinter::NativeFormat);
    platform::SystemPrinter().setPrinterName(QLatin1String(kPrinter));
    platform::SystemPrinter().setOutputFileName(QString());  // as the print dialog leaves it
  }

  QDir Spool() const { return QDir(Home() + QStringLiteral("/spool")); }
  // The documents of the jobs the server holds.
  qsizetype JobsTaken() const { return Spool().entryList({QStringLiteral("d*")}, QDir::Files).size(); }
  void EmptySpool() const {
    for (const QString& name : Spool().entryList(QDir::Files)) ASSERT_TRUE(Spool().remove(name));
  }

  // The value of an attribute in the control file of the one job held: IPP
  // writes a tag, the name's length and the name, the value's length and
  // the value. Empty where there is no such attribute.
  QByteArray JobAttribute(const QByteArray& name) const {
    const QStringList controls = Spool().entryList({QStringLiteral("c*")}, QDir::Files);
    if (controls.size() != 1) return QByteArray();
    const QByteArray control = ReadFile(Spool().filePath(controls[0]));
    const QByteArray key = QByteArray(1, static_cast<char>(name.size() >> 8)) +
                           QByteArray(1, static_cast<char>(name.size() & 0xff)) + name;
    const qsizetype at = control.indexOf(key);
    if (at < 0 || at + key.size() + 2 > control.size()) return QByteArray();
    const qsizetype valueAt = at + key.size() + 2;
    const int length = (static_cast<uchar>(control[valueAt - 2]) << 8) | static_cast<uchar>(control[valueAt - 1]);
    return control.mid(valueAt, length);
  }

  // Prints the text from the place, or from the paged output window's Print
  // All, which writes its history line only after a print that succeeded.
  void PrintFrom(std::optional<test::PrintPlace> place, const QString& text) {
    if (place) return test::PrintFrom(*place, text);
    OutBuf[0] = text;
    OutBufLastPage = 0;
    Open<OutputPagesWindow>();
    Press(outputpages::kPrintAll);
  }

  QProcess server_;
};

// Every place that prints, the paged output window last (nothing).
const std::optional<test::PrintPlace> kEveryPlace[] = {test::PrintPlace::Listing, test::PrintPlace::Preview,
                                                       test::PrintPlace::FailureZones, test::PrintPlace::Graph,
                                                       std::nullopt};

TEST_F(PrintServerTest, APrintTheServerCannotTakeSaysSoFromEveryPlaceAndRetryHandsItOverOnceItIsBack) {
  UseServerPrinter();
  ASSERT_EQ(PrintWholeText(test::NumberedLines(3)), std::nullopt);
  ASSERT_EQ(JobsTaken(), 1);

  for (const std::optional<test::PrintPlace> place : kEveryPlace) {
    SCOPED_TRACE(place ? static_cast<int>(*place) : -1);
    // The server stops, and what it held goes with it.
    server_.terminate();
    ASSERT_TRUE(server_.waitForFinished());
    EmptySpool();
    QString prompt;
    const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text, BoxStyle, const QString&) {
      prompt += text;
      EXPECT_TRUE(StartServer());  // the user starts it again
      return Answer::Retry;
    });
    HistoryLog::Instance().Clear();
    PrintFrom(place, test::NumberedLines(3));
    SetMessageBoxHandler(previous);
    EXPECT_TRUE(
        prompt.startsWith(QStringLiteral("Error occurred: Printer error: the print server does not answer, "
                                         "or does not know the printer brantel")))
        << prompt.toStdString();
    EXPECT_EQ(JobsTaken(), 1);
    if (!place) {
      EXPECT_TRUE(History().contains(QStringLiteral("All pages printed")));
    }
  }
}

TEST_F(PrintServerTest, AQueueThatTakesNoJobsIsReportedFromEveryPlaceAndRetryHandsTheJobOverWithItsChoices) {
  ASSERT_TRUE(RestartServer(false, QStringLiteral("Paper jam in tray 2")));
  UseServerPrinter();
  for (const std::optional<test::PrintPlace> place : kEveryPlace) {
    SCOPED_TRACE(place ? static_cast<int>(*place) : -1);
    boxes_->Clear();
    HistoryLog::Instance().Clear();
    PrintFrom(place, test::NumberedLines(3));  // Cancel
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].style, Buttons::RetryCancel);
    EXPECT_EQ(Messages()[0].prompt, QStringLiteral("Error occurred: Printer error: the printer brantel does not "
                                                   "accept jobs: Paper jam in tray 2 (482)"))
        << Messages()[0].prompt.toStdString();
    EXPECT_FALSE(History().contains(QStringLiteral("printed")));
    EXPECT_EQ(JobsTaken(), 0);
  }

  // The choices the user made reach the server with the job.
  QPrinter& printer = platform::SystemPrinter();
  printer.setCopyCount(2);
  printer.setDocName(QStringLiteral("Pillar layout"));
  printer.setPageOrder(QPrinter::LastPageFirst);
  QString prompt;
  const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text, BoxStyle, const QString&) {
    prompt += text;
    EXPECT_TRUE(RestartServer(true));  // the administrator lets the printer take jobs again
    return Answer::Retry;
  });
  EXPECT_EQ(PrintWholeText(test::NumberedLines(3)), std::nullopt);
  SetMessageBoxHandler(previous);
  EXPECT_TRUE(prompt.contains(QStringLiteral("does not accept jobs")));
  ASSERT_EQ(JobsTaken(), 1);
  // The server writes what it knows of its jobs at the latest when it stops.
  server_.terminate();
  ASSERT_TRUE(server_.waitForFinished());
  EXPECT_EQ(JobAttribute("copies"), QByteArray("\0\0\0\2", 4));
  EXPECT_EQ(JobAttribute("job-name"), "Pillar layout");
  EXPECT_EQ(JobAttribute("document-format"), "application/pdf");
  EXPECT_EQ(JobAttribute("outputorder"), "reverse");
  EXPECT_EQ(JobAttribute("media"), printer.pageLayout().pageSize().key().toUtf8());
}

TEST_F(PrintServerTest, AQueueThatStopsTakingJobsDuringAPrintRefusesItAtTheHandOverWithTheServersReason) {
  UseServerPrinter();
  QPainter painter;
  platform::PrinterJob job(platform::SystemPrinter());
  job.Begin(painter);
  painter.drawText(100, 100, QStringLiteral("Pillar layout"));
  ASSERT_TRUE(RestartServer(false));
  try {
    job.Finish();
    ADD_FAILURE() << "the job was reported as printed";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), ErrorNumber::PrinterError);
    // The server's reason follows, in the server's words ("Destination
    // "brantel" is not accepting jobs.").
    const QString prefix =
        QStringLiteral("Printer error: the print server did not take the job for the printer brantel: ");
    EXPECT_TRUE(error.Description().startsWith(prefix) && error.Description().size() > prefix.size() + 5)
        << error.Description().toStdString();
  }
  EXPECT_EQ(JobsTaken(), 0);
}

TEST_F(PrintServerTest, APrintLeavesNoNamedFileInTheTemporaryFolderWhileItRuns) {
  const QString scratch = Home() + QStringLiteral("/scratch");
  ASSERT_TRUE(QDir().mkpath(scratch));
  const QByteArray temporary = qgetenv("TMPDIR");
  qputenv("TMPDIR", scratch.toLocal8Bit());
  const QString pdf = PrintToPdf();
  for (const bool toServer : {false, true}) {
    SCOPED_TRACE(toServer);
    if (toServer) UseServerPrinter();
    QPainter painter;
    platform::PrinterJob job(platform::SystemPrinter());
    job.Begin(painter);
    for (int page = 1; page <= 40; ++page) {
      if (page > 1) job.NewPage();
      for (int line = 0; line < 60; ++line) painter.drawText(100, 100 + 80 * line, test::NumberedLines(line + 1));
      EXPECT_EQ(QDir(scratch).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                QStringList());
    }
    job.Finish();
    EXPECT_TRUE(QDir(scratch).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
  }
  qputenv("TMPDIR", temporary);
  EXPECT_EQ(test::PdfPageCount(pdf), 40);
  EXPECT_EQ(JobsTaken(), 1);
}

TEST_F(PrintServerTest, APrinterReplacedAfterAFailedJobKeepsEveryChoice) {
  UseServerPrinter();
  QPrinter& old = platform::SystemPrinter();
  old.setPageOrder(QPrinter::LastPageFirst);
  old.setPaperSource(QPrinter::Lower);
  old.setFullPage(true);
  old.setCopyCount(3);
  old.setCollateCopies(true);
  old.setColorMode(QPrinter::GrayScale);
  old.setDocName(QStringLiteral("Pillar layout"));
  old.setCreator(QStringLiteral("Brantel test"));
  old.setResolution(300);
  old.setPrintRange(QPrinter::PageRange);
  old.setFromTo(2, 3);
  old.setPageOrientation(QPageLayout::Landscape);
  const auto serverOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);
  old.printEngine()->setProperty(serverOptions, QStringList{QStringLiteral("job-priority"), QStringLiteral("80")});
  {
    // A job cut short while painting: Qt's writer may be stopped for good.
    QPainter painter;
    platform::PrinterJob job(old);
    job.Begin(painter);
    job.Abandon();
  }
  const QPrinter& fresh = platform::SystemPrinter();
  ASSERT_NE(&fresh, &old);
  EXPECT_EQ(fresh.outputFormat(), QPrinter::NativeFormat);
  EXPECT_EQ(fresh.printerName(), QLatin1String(kPrinter));
  EXPECT_EQ(fresh.pageOrder(), QPrinter::LastPageFirst);
  EXPECT_EQ(fresh.paperSource(), QPrinter::Lower);
  EXPECT_TRUE(fresh.fullPage());
  EXPECT_EQ(fresh.copyCount(), 3);
  EXPECT_TRUE(fresh.collateCopies());
  EXPECT_EQ(fresh.colorMode(), QPrinter::GrayScale);
  EXPECT_EQ(fresh.docName(), QStringLiteral("Pillar layout"));
  EXPECT_EQ(fresh.creator(), QStringLiteral("Brantel test"));
  EXPECT_EQ(fresh.resolution(), 300);
  EXPECT_EQ(fresh.printRange(), QPrinter::PageRange);
  EXPECT_EQ(fresh.fromPage(), 2);
  EXPECT_EQ(fresh.toPage(), 3);
  EXPECT_EQ(fresh.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(fresh.outputFileName(), QString());
  EXPECT_EQ(fresh.printEngine()->property(serverOptions).toStringList(),
            QStringList({QStringLiteral("job-priority"), QStringLiteral("80")}));
}

TEST_F(PrintServerTest, AServerThatNeverAnswersHoldsAPrintForSecondsOnly) {
  UseServerPrinter();
  // A socket that takes connections into its queue and never reads them.
  const QString socketPath = Home() + QStringLiteral("/silent.sock");
  const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(silent, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = QFile::encodeName(socketPath);
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(silent, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(silent, 8), 0);
  UseServer(socketPath);

  QElapsedTimer clock;
  clock.start();
  PrintWholeText(test::NumberedLines(3));  // Cancel
  EXPECT_LT(clock.elapsed(), 20000);
  ::close(silent);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(
      Messages()[0].prompt.startsWith(QStringLiteral("Error occurred: Printer error: the print server does "
                                                     "not answer, or does not know the printer brantel")))
      << Messages()[0].prompt.toStdString();
}

}  // namespace
}  // namespace brantel
