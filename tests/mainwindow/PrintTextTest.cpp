#include "PdfPrinting.h"

#include "core/ErrorReporting.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "mainwindow/PrintText.h"
#include "platform/Printer.h"

#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace brantel {
namespace {

using test::NumberedLines;
using test::PrintTest;

// The numbered lines a page holds, in order.
QList<int> LinesOn(const QString& page) {
  QList<int> numbers;
  static const QRegularExpression re(QStringLiteral("Line (\\d{3})"));
  for (auto it = re.globalMatch(page); it.hasNext();) numbers.append(it.next().captured(1).toInt());
  return numbers;
}

// A word of a printed page and its box, in points from the sheet's top left.
struct PdfWord {
  QString text;
  double left = 0.0, top = 0.0, right = 0.0;
};

// The words of each page of a PDF file, read back with pdftotext.
QList<QList<PdfWord>> PdfWords(const QString& path) {
  QProcess pdftotext;
  pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext could not read " << path.toStdString();
    return {};
  }
  const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
  static const QRegularExpression re(QStringLiteral(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
  QList<QList<PdfWord>> pages;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    if (m.captured(0) == QStringLiteral("<page ")) {
      pages.append(QList<PdfWord>());
    } else if (!pages.isEmpty()) {
      pages.last().append(
          {m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble()});
    }
  }
  return pages;
}

const PdfWord* FindWord(const QList<PdfWord>& words, const QString& text, int nth = 0) {
  for (const PdfWord& word : words) {
    if (word.text == text && nth-- == 0) return &word;
  }
  return nullptr;
}

class Printing : public PrintTest {
 protected:
  // Lines that fill one page, learnt from a long print.
  int LinesPerPage() {
    const QString pdf = PrintToPdf(QStringLiteral("probe.pdf"));
    EXPECT_EQ(PrintWholeText(NumberedLines(200)), std::nullopt);
    const QStringList pages = PdfPages(pdf);
    return pages.isEmpty() ? 0 : static_cast<int>(LinesOn(pages.first()).size());
  }
};

TEST_F(Printing, LongTextPagesWithHeaderPageNumbersAndOneDate) {
  const QString pdf = PrintToPdf();
  ASSERT_EQ(PrintWholeText(NumberedLines(120)), std::nullopt);
  EXPECT_FALSE(PrintJobActive());
  const QStringList pages = PdfPages(pdf);
  ASSERT_GE(pages.size(), 2);

  const QString header = QStringLiteral("BRANTEL Version: ") + GetVersionString(VersionForm::Dotted) +
                         QStringLiteral(", ") + PrintHeaderInfo.Date + QStringLiteral(", ") + PrintHeaderInfo.Time;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$")).match(PrintHeaderInfo.Date).hasMatch());
  QList<int> all;
  const int perPage = static_cast<int>(LinesOn(pages[0]).size());
  EXPECT_GT(perPage, 30);  // 9-point lines on a letter or A4 sheet
  EXPECT_LT(perPage, 90);
  EXPECT_EQ(pages.size(), (120 + perPage - 1) / perPage);
  for (int i = 0; i < pages.size(); ++i) {
    const QString& page = pages[i];
    EXPECT_TRUE(page.contains(header)) << "page " << i + 1;
    EXPECT_TRUE(page.contains(QStringLiteral("Page: %1").arg(i + 1))) << "page " << i + 1;
    EXPECT_LT(page.indexOf(header), page.indexOf(QStringLiteral("Line "))) << "header first";
    const QList<int> lines = LinesOn(page);
    if (i + 1 < pages.size()) {
      EXPECT_EQ(lines.size(), perPage);
    }
    all += lines;
  }
  QList<int> expected;
  for (int i = 1; i <= 120; ++i) expected.append(i);
  EXPECT_EQ(all, expected);
  EXPECT_EQ(PrintHeaderInfo.Page, pages.size());
}

TEST_F(Printing, HeaderAndBodyStandWhereTheTwipsSay) {
  const QString pdf = PrintToPdf();
  ASSERT_EQ(PrintWholeText(NumberedLines(200)), std::nullopt);
  const QList<QList<PdfWord>> pages = PdfWords(pdf);
  ASSERT_GE(pages.size(), 2);
  const QList<PdfWord>& page = pages[0];
  // Twips on the printable area, from points on the sheet.
  const QRectF area = platform::SystemPrinter().pageLayout().paintRect(QPageLayout::Point);
  const auto twipsX = [&](double x) { return (x - area.left()) * 20.0; };
  constexpr double kNear = 6.0;  // a third of a point

  const PdfWord* name = FindWord(page, QStringLiteral("BRANTEL"));
  const PdfWord* first = FindWord(page, QStringLiteral("001"));
  const PdfWord* second = FindWord(page, QStringLiteral("002"));
  const PdfWord* label = FindWord(page, QStringLiteral("Page:"));
  const PdfWord* number = FindWord(page, QStringLiteral("1"));
  ASSERT_TRUE(name && first && second && label && number);
  const PdfWord* line = FindWord(page, QStringLiteral("Line"));
  EXPECT_NEAR(twipsX(name->left), 1152.0, kNear);
  EXPECT_NEAR(twipsX(line->left), 1152.0, kNear);
  // The header line at 576 from the top, the body from 1152 (texts of one
  // size have the same distance from their top to the word's box).
  const auto twipsY = [&](const PdfWord& word) { return 576.0 + (word.top - name->top) * 20.0; };
  EXPECT_NEAR(twipsY(*first), 1152.0, kNear);
  EXPECT_NEAR(label->top, name->top, 0.01);
  // "Page: 1" starts 1152 and 1.2 times its width before the right edge.
  const double width = (number->right - label->left) * 20.0;
  EXPECT_NEAR(twipsX(label->left), area.width() * 20.0 - 1152.0 - 1.2 * width, kNear);

  // The last line of a page is the one after which the position passed the
  // printable height less 1872.
  const double lineHeight = twipsY(*second) - twipsY(*first);
  ASSERT_GT(lineHeight, 100.0);
  const QList<int> numbers = LinesOn(PdfPages(pdf).first());
  ASSERT_FALSE(numbers.isEmpty());
  const PdfWord* last = FindWord(page, QStringLiteral("%1").arg(numbers.last(), 3, 10, QChar(u'0')));
  ASSERT_TRUE(last);
  const double limit = area.height() * 20.0 - 1872.0;
  EXPECT_LE(twipsY(*last), limit + kNear);
  EXPECT_GT(twipsY(*last) + lineHeight, limit - kNear);
}

TEST_F(Printing, EmptyTextPrintsOneSheetWithItsHeader) {
  const QString pdf = PrintToPdf();
  ASSERT_EQ(PrintWholeText(QString()), std::nullopt);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Page: 1")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("BRANTEL Version: ")));
}

TEST_F(Printing, FullPageBoundaryPrintsNoEmptyLastSheet) {
  const int perPage = LinesPerPage();
  ASSERT_GT(perPage, 0);

  QString pdf = PrintToPdf(QStringLiteral("exact.pdf"));
  ASSERT_EQ(PrintWholeText(NumberedLines(perPage)), std::nullopt);
  EXPECT_EQ(PdfPages(pdf).size(), 1);

  pdf = PrintToPdf(QStringLiteral("over.pdf"));
  ASSERT_EQ(PrintWholeText(NumberedLines(perPage + 1)), std::nullopt);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(LinesOn(pages[1]), QList<int>{perPage + 1});
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Page: 2")));

  // An explicit page turn after a full page still gives the full page's
  // successor before it.
  pdf = PrintToPdf(QStringLiteral("turns.pdf"));
  PrintText(PrintMode::StartJob, QString());
  PrintText(PrintMode::Text, NumberedLines(perPage));
  PrintText(PrintMode::EjectPage, QString());
  PrintText(PrintMode::Line, QStringLiteral("after"));
  PrintText(PrintMode::EndJob, QString());
  const QStringList turned = PdfPages(pdf);
  ASSERT_EQ(turned.size(), 3);
  EXPECT_TRUE(turned[2].contains(QStringLiteral("Page: 3")));
  EXPECT_TRUE(turned[2].contains(QStringLiteral("after")));
}

TEST_F(Printing, AJobThatCannotStartEndsAtCancelWithOneBox) {
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/folder/out.pdf"));
  boxes_->Answer(Answer::Cancel);
  EXPECT_NE(PrintWholeText(NumberedLines(5)), std::nullopt);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().style.buttons, Buttons::RetryCancel);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("Printer error")));
  EXPECT_TRUE(History().contains(QStringLiteral("Printing aborted")));
  EXPECT_FALSE(PrintJobActive());
  // Later modes of the dead job do nothing.
  PrintText(PrintMode::Line, QStringLiteral("x"));
  PrintText(PrintMode::EndJob, QString());
  EXPECT_EQ(boxes_->Shown().size(), 1u);
}

TEST_F(Printing, RetryStartsTheJobAgain) {
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/folder/out.pdf"));
  const QString good = Home() + QStringLiteral("/retried.pdf");
  int shown = 0;
  const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString&, BoxStyle, const QString&) {
    ++shown;
    platform::SystemPrinter().setOutputFileName(good);  // the user fixes the printer
    return Answer::Retry;
  });
  EXPECT_EQ(PrintWholeText(NumberedLines(3)), std::nullopt);
  SetMessageBoxHandler(previous);
  EXPECT_EQ(shown, 1);
  const QStringList pages = PdfPages(good);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_EQ(LinesOn(pages[0]), (QList<int>{1, 2, 3}));
  EXPECT_FALSE(History().contains(QStringLiteral("Printing aborted")));
}

TEST_F(Printing, DateIsMonthDayYearWhateverTheLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(PrintDateText(QDate(2024, 3, 7)), QStringLiteral("3/7/2024"));
  EXPECT_EQ(PrintDateText(QDate(1999, 12, 31)), QStringLiteral("12/31/1999"));
  QLocale::setDefault(QLocale::c());
}

TEST_F(Printing, PrinterSetupCancelRaisesTheDialogCancel) {
  printDialogAnswer_ = false;
  try {
    PrinterSetup();
    ADD_FAILURE() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::DialogCancel);
  }
  printDialogAnswer_ = true;
  EXPECT_NO_THROW(PrinterSetup());
  EXPECT_EQ(printDialogs_, 2);
}

}  // namespace
}  // namespace brantel
