#include "PdfPrinting.h"

#include "core/ErrorReporting.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "mainwindow/PrintText.h"
#include "platform/Printer.h"

#include <QFile>
#include <QLocale>
#include <QPrinter>
#include <QRegularExpression>

namespace brantel {
namespace {

using test::PrintTest;

QString NumberedLines(int count) {
  QString text;
  for (int i = 1; i <= count; ++i) text += QStringLiteral("Line %1\r\n").arg(i, 3, 10, QChar(u'0'));
  return text;
}

// The numbered lines a page holds, in order.
QList<int> LinesOn(const QString& page) {
  QList<int> numbers;
  static const QRegularExpression re(QStringLiteral("Line (\\d{3})"));
  for (auto it = re.globalMatch(page); it.hasNext();) numbers.append(it.next().captured(1).toInt());
  return numbers;
}

class Printing : public PrintTest {
 protected:
  // Lines that fill one page, learnt from a long print.
  int LinesPerPage() {
    const QString pdf = PrintToPdf(QStringLiteral("probe.pdf"));
    EXPECT_EQ(PrintWholeText(NumberedLines(200)), kErrNone);
    const QStringList pages = PdfPages(pdf);
    return pages.isEmpty() ? 0 : static_cast<int>(LinesOn(pages.first()).size());
  }
};

TEST_F(Printing, LongTextPagesWithHeaderPageNumbersAndOneDate) {
  const QString pdf = PrintToPdf();
  ASSERT_EQ(PrintWholeText(NumberedLines(120)), kErrNone);
  EXPECT_FALSE(PrintJobActive());
  const QStringList pages = PdfPages(pdf);
  ASSERT_GE(pages.size(), 2);

  const QString header = QStringLiteral("BRANTEL Version: ") + GetVersionString(1) + QStringLiteral(", ") +
                         PrintHeaderInfo.Date + QStringLiteral(", ") + PrintHeaderInfo.Time;
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

TEST_F(Printing, EmptyTextPrintsOneSheetWithItsHeader) {
  const QString pdf = PrintToPdf();
  ASSERT_EQ(PrintWholeText(QString()), kErrNone);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Page: 1")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("BRANTEL Version: ")));
}

TEST_F(Printing, FullPageBoundaryPrintsNoEmptyLastSheet) {
  const int perPage = LinesPerPage();
  ASSERT_GT(perPage, 0);

  QString pdf = PrintToPdf(QStringLiteral("exact.pdf"));
  ASSERT_EQ(PrintWholeText(NumberedLines(perPage)), kErrNone);
  EXPECT_EQ(PdfPages(pdf).size(), 1);

  pdf = PrintToPdf(QStringLiteral("over.pdf"));
  ASSERT_EQ(PrintWholeText(NumberedLines(perPage + 1)), kErrNone);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 2);
  EXPECT_EQ(LinesOn(pages[1]), QList<int>{perPage + 1});
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Page: 2")));

  // An explicit page turn after a full page still gives the full page's
  // successor before it.
  pdf = PrintToPdf(QStringLiteral("turns.pdf"));
  PrintText(printmode::kStartJob, QString());
  PrintText(printmode::kText, NumberedLines(perPage));
  PrintText(printmode::kEjectPage, QString());
  PrintText(printmode::kLine, QStringLiteral("after"));
  PrintText(printmode::kEndJob, QString());
  const QStringList turned = PdfPages(pdf);
  ASSERT_EQ(turned.size(), 3);
  EXPECT_TRUE(turned[2].contains(QStringLiteral("Page: 3")));
  EXPECT_TRUE(turned[2].contains(QStringLiteral("after")));
}

TEST_F(Printing, AJobThatCannotStartEndsAtCancelWithOneBox) {
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/folder/out.pdf"));
  boxes_->Answer(answer::kCancel);
  EXPECT_NE(PrintWholeText(NumberedLines(5)), kErrNone);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().buttons & mb::kButtonMask, mb::kRetryCancel);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("Printer error")));
  EXPECT_TRUE(History().contains(QStringLiteral("Printing aborted")));
  EXPECT_FALSE(PrintJobActive());
  // Later modes of the dead job do nothing.
  PrintText(printmode::kLine, QStringLiteral("x"));
  PrintText(printmode::kEndJob, QString());
  EXPECT_EQ(boxes_->Shown().size(), 1u);
}

TEST_F(Printing, RetryStartsTheJobAgain) {
  QPrinter& printer = platform::SystemPrinter();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Home() + QStringLiteral("/no/such/folder/out.pdf"));
  const QString good = Home() + QStringLiteral("/retried.pdf");
  int shown = 0;
  const MessageBoxHandler previous = SetMessageBoxHandler([&](const QString&, qint32, const QString&) {
    ++shown;
    platform::SystemPrinter().setOutputFileName(good);  // the user fixes the printer
    return answer::kRetry;
  });
  EXPECT_EQ(PrintWholeText(NumberedLines(3)), kErrNone);
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
    EXPECT_EQ(e.Number(), err::kDialogCancel);
  }
  printDialogAnswer_ = true;
  EXPECT_NO_THROW(PrinterSetup());
  EXPECT_EQ(printDialogs_, 2);
}

}  // namespace
}  // namespace brantel
