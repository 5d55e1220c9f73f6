// A print sent while the print server is not running, on a print server of
// the test's own: cupsd on a socket in the test's home, with one printer
// that holds its jobs, so that every job handed over stays in the spool
// folder.

#include "PdfPrinting.h"

#include "core/Messages.h"
#include "mainwindow/PrintText.h"
#include "platform/Printer.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QThread>

namespace brantel {
namespace {

constexpr char kCupsd[] = "/usr/sbin/cupsd";

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
    WriteConfig("printers.conf",
                "<Printer brantel>\nDeviceURI file:///dev/null\nState Stopped\nAccepting Yes\n</Printer>\n");
    // Read by the print system's library when the first print needs it.
    qputenv("CUPS_SERVER", (Home() + QStringLiteral("/cups.sock")).toLocal8Bit());
    if (!StartServer()) GTEST_SKIP() << "cupsd does not start here: " << server_.readAll().toStdString();
  }

  void TearDown() override {
    server_.terminate();
    server_.waitForFinished();
    qunsetenv("CUPS_SERVER");
    PrintTest::TearDown();
  }

  // A file of the server's settings in the home folder, which %1 stands for.
  void WriteConfig(const char* name, const char* text) const {
    QFile file(Home() + u'/' + QLatin1String(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromLatin1(text).replace(QStringLiteral("%1"), Home()).toLocal8Bit());
  }

  bool StartServer() {
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QLatin1String(kCupsd),
                  {QStringLiteral("-f"), QStringLiteral("-c"), Home() + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), Home() + QStringLiteral("/cups-files.conf")});
    for (int wait = 0; wait < 200 && server_.state() != QProcess::NotRunning; ++wait) {
      if (QPrinterInfo::availablePrinterNames().contains(QStringLiteral("brantel"))) return true;
      QThread::msleep(100);
    }
    return false;
  }

  QDir Spool() const { return QDir(Home() + QStringLiteral("/spool")); }
  // The documents of the jobs the server holds.
  qsizetype JobsTaken() const { return Spool().entryList({QStringLiteral("d*")}, QDir::Files).size(); }

  QProcess server_;
};

TEST_F(PrintServerTest, APrintTheServerCannotTakeSaysSoAndRetryHandsItOverOnceItIsBack) {
  platform::SystemPrinter().setOutputFormat(QPrinter::NativeFormat);
  platform::SystemPrinter().setPrinterName(QStringLiteral("brantel"));
  ASSERT_EQ(PrintWholeText(test::NumberedLines(3)), std::nullopt);
  ASSERT_EQ(JobsTaken(), 1);

  // The server stops, and what it held goes with it.
  server_.terminate();
  ASSERT_TRUE(server_.waitForFinished());
  for (const QString& name : Spool().entryList(QDir::Files)) ASSERT_TRUE(Spool().remove(name));
  QString prompt;
  const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString& text, BoxStyle, const QString&) {
    prompt += text;
    EXPECT_TRUE(StartServer());  // the user starts it again
    return Answer::Retry;
  });
  EXPECT_EQ(PrintWholeText(test::NumberedLines(3)), std::nullopt);
  SetMessageBoxHandler(previous);
  EXPECT_TRUE(prompt.startsWith(QStringLiteral("Error occurred: Printer error: ")) && prompt.contains(u"brantel"))
      << prompt.toStdString();
  EXPECT_EQ(JobsTaken(), 1);
}

}  // namespace
}  // namespace brantel
