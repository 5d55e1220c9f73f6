#include "PdfPrinting.h"

#include "core/Globals.h"
#include "core/OutputBuffers.h"
#include "core/graph/GraphBuffer.h"
#include "graph/GraphWindow.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/PrintText.h"
#include "platform/CommonDialogs.h"
#include "platform/Printer.h"
#include "tools/stress/CircularFailureDialog.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

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

QString NumberedLines(int count) {
  QString text;
  for (int i = 1; i <= count; ++i) text += QStringLiteral("Line %1\r\n").arg(i, 3, 10, QChar(u'0'));
  return text;
}

void PrintFrom(PrintPlace place, const QString& text) {
  switch (place) {
    case PrintPlace::Listing: PrintWholeText(text); break;
    case PrintPlace::Preview: {
      OutBuf[0] = text;
      PrintPreview preview;
      preview.Layout().Require<QPushButton>(printpreview::kPrint)->click();
      break;
    }
    case PrintPlace::FailureZones: {
      CircularFailureDialog zones;
      zones.show();
      zones.EntryOf(CircularFailureCommand::Print)->trigger();
      break;
    }
    case PrintPlace::Graph: {
      SetUpGraphBuffer();
      GraphCurveData[0][1] = {1.0f, 2.0f};
      GraphLastPoint = 1;
      GraphWindow* graph = GraphWindow::Load();
      graph->GraphInit();
      graph->DrawCurve();
      graph->EntryOf(GraphCommand::Print)->trigger();
      GraphWindow::UnloadWindow();
      break;
    }
  }
}

int PdfPageCount(const QString& path) {
  QProcess pdfinfo;
  pdfinfo.start(QStringLiteral("pdfinfo"), {path});
  if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0) return 0;
  static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
  return pages.match(QString::fromUtf8(pdfinfo.readAllStandardOutput())).captured(1).toInt();
}

}  // namespace brantel::test
