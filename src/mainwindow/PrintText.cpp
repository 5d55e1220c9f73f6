#include "mainwindow/PrintText.h"

#include "core/ErrorReporting.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/PrintFonts.h"
#include "core/Startup.h"
#include "core/TextCodec.h"
#include "platform/CommonDialogs.h"
#include "platform/Printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace brantel {

PrintHeaderData PrintHeaderInfo;

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMargin = 1152.0;    // left margin and top of the body
constexpr double kHeaderTop = 576.0;  // half the margin
constexpr double kFootRoom = 1872.0;  // room kept free at the bottom of a page

struct PrintJob {
  QPrinter* printer = nullptr;
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<platform::PrinterJob> output;  // ended before the painter goes
  QFont font;
  QFont bold;
  double dpiX = 0.0, dpiY = 0.0;
  double width = 0.0, height = 0.0;  // printable area, twips
  double x = 0.0, y = 0.0;           // print position, twips
  double lineHeight = 0.0;           // twips
  bool pageFull = false;             // the next line goes on a new page
};

PrintJob job;

double DevX(double twips) { return twips * job.dpiX / kTwipsPerInch; }
double DevY(double twips) { return twips * job.dpiY / kTwipsPerInch; }

double TextWidth(const QString& text, const QFont& font) {
  return QFontMetricsF(font, job.printer).horizontalAdvance(text) * kTwipsPerInch / job.dpiX;
}

// Tabs stand at every eighth column, as in a plain text view.
QString ExpandTabs(const QString& line) {
  if (!line.contains(u'\t')) return line;
  QString out;
  for (const QChar c : line) {
    if (c == u'\t') {
      do out += u' ';
      while (out.size() % 8 != 0);
    } else {
      out += c;
    }
  }
  return out;
}

// Prints text at the position with the font; the position moves right.
void PrintAt(const QString& text, const QFont& font) {
  job.painter->setFont(font);
  const QFontMetricsF metrics(font, job.printer);
  job.painter->drawText(QPointF(DevX(job.x), DevY(job.y) + metrics.ascent()), ExpandTabs(text));
  job.x += TextWidth(text, font);
}

void PrintHeader() {
  job.x = kMargin;
  job.y = kHeaderTop;
  PrintAt(AppNameUpper + QStringLiteral(" Version: ") + GetVersionString(VersionForm::Dotted) + QStringLiteral(", ") +
              PrintHeaderInfo.Date + QStringLiteral(", ") + PrintHeaderInfo.Time,
          job.bold);
  const QString page = QStringLiteral("Page: ") + QString::number(PrintHeaderInfo.Page);
  job.x = job.width - kMargin - 1.2 * TextWidth(page, job.bold);
  job.y = kHeaderTop;
  PrintAt(page, job.bold);
  job.x = kMargin;
  job.y = kMargin;
}

void NewPage() {
  try {
    job.output->NewPage();
  } catch (const RuntimeError&) {
    AbortPrintJob();
    throw;
  }
  ++PrintHeaderInfo.Page;
  job.x = 0.0;
  job.y = 0.0;
  job.pageFull = false;
}

// A page that filled up turns over only when more is printed, so that a
// text which ends exactly at the foot of a page prints no empty last page.
void TurnFullPage() {
  if (!job.pageFull) return;
  NewPage();
  PrintHeader();
}

void StartJob() {
  if (job.painter) AbortPrintJob();
  QFont font;
  SetObjectFont(font);
  const QDateTime now = QDateTime::currentDateTime();
  PrintHeaderInfo.Date = PrintDateText(now.date());
  PrintHeaderInfo.Time = now.time().toString(QStringLiteral("hh:mm:ss"));
  PrintHeaderInfo.Page = 1;

  QPrinter& printer = platform::SystemPrinter();
  auto painter = std::make_unique<QPainter>();
  auto output = std::make_unique<platform::PrinterJob>(printer);
  output->Begin(*painter);
  job.printer = &printer;
  job.painter = std::move(painter);
  job.output = std::move(output);
  job.font = font;
  job.bold = font;
  job.bold.setBold(true);
  job.dpiX = printer.logicalDpiX();
  job.dpiY = printer.logicalDpiY();
  job.width = printer.width() * kTwipsPerInch / job.dpiX;
  job.height = printer.height() * kTwipsPerInch / job.dpiY;
  job.lineHeight = QFontMetricsF(font, &printer).height() * kTwipsPerInch / job.dpiY;
  job.pageFull = false;
  PrintHeader();
}

void PrintLine(const QString& text) {
  TurnFullPage();
  job.x = kMargin;
  PrintAt(text, job.font);
  job.x = kMargin;
  job.y += job.lineHeight;
  if (job.y > job.height - kFootRoom) job.pageFull = true;
}

void EndJob() {
  // The job is over either way: a failure to hand the output over is the
  // job's last word.
  const std::unique_ptr<QPainter> painter = std::move(job.painter);
  const std::unique_ptr<platform::PrinterJob> output = std::move(job.output);
  job.printer = nullptr;
  job.pageFull = false;
  output->Finish();
}

}  // namespace

QString PrintDateText(const QDate& date) {
  return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

bool PrintJobActive() { return job.painter != nullptr; }

void AbortPrintJob() {
  if (!job.painter) return;
  job.output.reset();  // abandons the job
  job.painter.reset();
  job.printer = nullptr;
  job.pageFull = false;
}

void PrintText(PrintMode mode, const QString& text) {
  if (mode == PrintMode::StartJob) {
    StartJob();
    return;
  }
  if (!PrintJobActive()) return;
  switch (mode) {
    case PrintMode::Line: PrintLine(text); break;
    case PrintMode::Text:
      for (const QString& line : SplitLines(text)) PrintLine(line);
      break;
    case PrintMode::EjectPage:
      TurnFullPage();
      NewPage();
      PrintHeader();
      break;
    case PrintMode::EjectNoHeader:
      TurnFullPage();
      NewPage();
      break;
    case PrintMode::EndJob: EndJob(); break;
    case PrintMode::StartJob: break;
  }
}

std::optional<NextStep> PrintWholeText(const QString& text) {
  const std::optional<NextStep> failed = RunReported(
      [&] {
        PrintText(PrintMode::StartJob, QString());
        PrintText(PrintMode::Text, text);
        PrintText(PrintMode::EndJob, QString());
      },
      [] { AbortPrintJob(); });
  if (failed) AddHistoryLine(QStringLiteral("Printing aborted"));
  return failed;
}

void PrinterSetup(QWidget* owner) {
  if (!platform::ShowPrintDialog(platform::SystemPrinter(), platform::PrintDialogKind::Setup, owner)) {
    RaiseError(ErrorNumber::DialogCancel);
  }
}

}  // namespace brantel
