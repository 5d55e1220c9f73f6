#include "PdfPrinting.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/OutputBuffers.h"
#include "mainwindow/OutputPagesWindow.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/TextView.h"
#include "platform/Printer.h"

#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>

namespace brantel {
namespace {

using test::PrintTest;

class OutputWindows : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    OutBuf[0] = QStringLiteral("[PROJECT TITLE]\r\nFirst page\r\n");
    OutBuf[1] = QStringLiteral("Second page\r\n");
    OutBufLastPage = 1;
  }
  QTextEdit* View() const { return Control<QTextEdit>(textview::kName); }
};

TEST_F(OutputWindows, PreviewShowsPageZeroAndCopiesItExactly) {
  Open<PrintPreview>();
  EXPECT_EQ(ViewText(View()), OutBuf[0]);
  EXPECT_TRUE(View()->isReadOnly());
  EXPECT_TRUE(History().contains(QStringLiteral("1. Preview displayed")));
  Press(printpreview::kCopyToClipboard);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output copied to clipboard")));
}

TEST_F(OutputWindows, PreviewPrintsItsText) {
  const QString pdf = PrintToPdf();
  Open<PrintPreview>();
  Press(printpreview::kPrint);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("[PROJECT TITLE]")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
  EXPECT_EQ(printDialogs_, 0);  // the preview prints without asking
}

TEST_F(OutputWindows, PreviewPrintAnsweredWithCancelEndsThatJobOnly) {
  platform::SystemPrinter().setOutputFormat(QPrinter::PdfFormat);
  platform::SystemPrinter().setOutputFileName(Home() + QStringLiteral("/no/such/out.pdf"));
  PrintPreview& preview = Open<PrintPreview>();
  boxes_->Answer(Answer::Cancel);
  Press(printpreview::kPrint);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(History().endsWith(QStringLiteral("Printing aborted\r\n")));
  // A printer error answered with Cancel is no cancelled dialog: once the
  // printer is ready, Print prints.
  EXPECT_FALSE(preview.PrintCancelled());
  const QString pdf = PrintToPdf();
  Press(printpreview::kPrint);
  EXPECT_EQ(Messages().size(), 1u);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
}

TEST_F(OutputWindows, TextViewsKeepTheColumnsOfTheListing) {
  for (int window = 0; window < 2; ++window) {
    if (window == 0) Open<PrintPreview>();
    else Open<OutputPagesWindow>();
    const QTextEdit* view = View();
    EXPECT_TRUE(QFontInfo(view->font()).fixedPitch()) << QFontInfo(view->font()).family().toStdString();
    EXPECT_EQ(view->lineWrapMode(), QTextEdit::NoWrap);
  }
}

TEST_F(OutputWindows, PagedWindowOpensOnTheLastPageAndPagesBack) {
  OutputPagesWindow& box = Open<OutputPagesWindow>();
  EXPECT_EQ(box.CurrentPage(), 1);
  EXPECT_EQ(ViewText(View()), OutBuf[1]);
  EXPECT_FALSE(Enabled(outputpages::kNext));
  EXPECT_TRUE(Enabled(outputpages::kPrevious));
  EXPECT_TRUE(History().contains(QStringLiteral("Results displayed")));

  box.OnNextPageClicked();  // Next on the last page stays there
  EXPECT_EQ(box.CurrentPage(), 1);
  EXPECT_FALSE(Enabled(outputpages::kNext));

  Press(outputpages::kPrevious);
  EXPECT_EQ(box.CurrentPage(), 0);
  EXPECT_EQ(ViewText(View()), OutBuf[0]);
  EXPECT_FALSE(Enabled(outputpages::kPrevious));
  EXPECT_TRUE(Enabled(outputpages::kNext));
  box.OnPreviousPageClicked();  // Previous on page 0 stays there
  EXPECT_EQ(box.CurrentPage(), 0);
  EXPECT_FALSE(Enabled(outputpages::kPrevious));
}

TEST_F(OutputWindows, PagedWindowCopiesAPageOrAll) {
  OutputPagesWindow& box = Open<OutputPagesWindow>();
  box.OnPreviousPageClicked();
  Press(outputpages::kCopyPage);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output page # 0copied to clipboard")));
  Press(outputpages::kCopyAll);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0] + OutBuf[1]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output copied to clipboard")));
}

TEST_F(OutputWindows, PagedWindowLogsAPrintOnlyWhenItSucceeded) {
  Open<OutputPagesWindow>();
  // The print dialog cancelled: nothing printed.
  printDialogAnswer_ = false;
  const QString pdf = PrintToPdf();
  Press(outputpages::kPrintPage);
  EXPECT_TRUE(History().contains(QStringLiteral("Printing aborted")));
  EXPECT_FALSE(History().contains(QStringLiteral("Current page printed")));
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(Messages().empty());

  // A printer that cannot start, answered with Cancel.
  printDialogAnswer_ = true;
  platform::SystemPrinter().setOutputFileName(Home() + QStringLiteral("/no/such/out.pdf"));
  boxes_->Answer(Answer::Cancel);
  Press(outputpages::kPrintAll);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_FALSE(History().contains(QStringLiteral("All pages printed")));

  // A good print of all pages, logged after it.
  PrintToPdf();
  HistoryLog::Instance().Clear();
  Press(outputpages::kPrintAll);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Second page")));
  EXPECT_TRUE(History().endsWith(QStringLiteral("All pages printed\r\n")));
  EXPECT_EQ(ViewText(View()), OutBuf[1]);
}

}  // namespace
}  // namespace brantel
