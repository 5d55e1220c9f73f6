#include "PdfPrinting.h"

#include "core/Globals.h"
#include "platform/CommonDialogs.h"
#include "platform/Printer.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>

namespace brantel::test {

void PrintTest::SetUp() {
  DialogTest::SetUp();
  AppNameUpper = QStringLiteral("BRANTEL");
  platform::SetPrintDialogHandler([this](QPrinter&, platform::PrintDialogKind, QWidget*) {
    ++printDialogs_;
    return printDialogAnswer_;
  });
  platform::SetFontDialogHandler([](QFont&, QWidget*) { return false; });
}

void PrintTest::TearDown() {
  platform::SetPrintDialogHandler({});
  platform::SetFontDialogHandler({});
  DialogTest::TearDown();
}

QString PrintTest::PrintToPdf(const QString& name) {
  const QString path = Home() + u'/' + name;
  QFile::remove(path);
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  return path;
}

QStringList PrintTest::PdfPages(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext (poppler-utils) could not read " << path.toStdString();
    return {};
  }
  QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
  // Every page ends with a form feed.
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

}  // namespace brantel::test
