#include "PdfPrinting.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/OutputBuffers.h"
#include "mainwindow/OutputPages.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/RichTextBox.h"
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
  template <typename Form>
  static void Click(const Form& form, const char16_t* name) {
    form.Layout().template Require<QPushButton>(name)->click();
  }
  template <typename Form>
  static bool Enabled(const Form& form, const char16_t* name) {
    return form.Layout().template Require<QWidget>(name)->isEnabled();
  }
};

TEST_F(OutputWindows, PreviewShowsPageZeroAndCopiesItExactly) {
  frmPreview preview;
  EXPECT_EQ(RichText(preview.View()), OutBuf[0]);
  EXPECT_TRUE(preview.View()->isReadOnly());
  EXPECT_TRUE(History().contains(QStringLiteral("1. Preview displayed")));
  Click(preview, u"Command2");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output copied to clipboard")));
}

TEST_F(OutputWindows, PreviewPrintsItsText) {
  const QString pdf = PrintToPdf();
  frmPreview preview;
  Click(preview, u"Command3");
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("[PROJECT TITLE]")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
  EXPECT_EQ(printDialogs_, 0);  // the preview prints without asking
}

TEST_F(OutputWindows, PreviewPrintAnsweredWithCancelEndsThatJobOnly) {
  platform::SystemPrinter().setOutputFormat(QPrinter::PdfFormat);
  platform::SystemPrinter().setOutputFileName(Home() + QStringLiteral("/no/such/out.pdf"));
  frmPreview preview;
  boxes_->Answer(answer::kCancel);
  Click(preview, u"Command3");
  EXPECT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(History().endsWith(QStringLiteral("Printing aborted\r\n")));
  // A printer error answered with Cancel is no cancelled dialog: once the
  // printer is ready, Print prints.
  EXPECT_FALSE(preview.PrintCancelled());
  const QString pdf = PrintToPdf();
  Click(preview, u"Command3");
  EXPECT_EQ(boxes_->Shown().size(), 1u);
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
}

TEST_F(OutputWindows, TextViewsKeepTheColumnsOfTheListing) {
  frmPreview preview;
  frmTxtBox pages;
  for (const QTextEdit* view : {preview.View(), pages.View()}) {
    EXPECT_TRUE(QFontInfo(view->font()).fixedPitch()) << QFontInfo(view->font()).family().toStdString();
    EXPECT_EQ(view->lineWrapMode(), QTextEdit::NoWrap);
  }
}

TEST_F(OutputWindows, PagedWindowOpensOnTheLastPageAndPagesBack) {
  frmTxtBox box;
  EXPECT_EQ(box.CurrentPage(), 1);
  EXPECT_EQ(RichText(box.View()), OutBuf[1]);
  EXPECT_FALSE(Enabled(box, u"Command4"));
  EXPECT_TRUE(Enabled(box, u"Command5"));
  EXPECT_TRUE(History().contains(QStringLiteral("Results displayed")));

  box.Command4_Click();  // Next on the last page stays there
  EXPECT_EQ(box.CurrentPage(), 1);
  EXPECT_FALSE(Enabled(box, u"Command4"));

  Click(box, u"Command5");
  EXPECT_EQ(box.CurrentPage(), 0);
  EXPECT_EQ(RichText(box.View()), OutBuf[0]);
  EXPECT_FALSE(Enabled(box, u"Command5"));
  EXPECT_TRUE(Enabled(box, u"Command4"));
  box.Command5_Click();  // Previous on page 0 stays there
  EXPECT_EQ(box.CurrentPage(), 0);
  EXPECT_FALSE(Enabled(box, u"Command5"));
}

TEST_F(OutputWindows, PagedWindowCopiesAPageOrAll) {
  frmTxtBox box;
  box.Command5_Click();
  Click(box, u"Command2");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output page # 0copied to clipboard")));
  Click(box, u"Command7");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), OutBuf[0] + OutBuf[1]);
  EXPECT_TRUE(History().contains(QStringLiteral("Output copied to clipboard")));
}

TEST_F(OutputWindows, PagedWindowLogsAPrintOnlyWhenItSucceeded) {
  frmTxtBox box;
  // The print dialog cancelled: nothing printed.
  printDialogAnswer_ = false;
  const QString pdf = PrintToPdf();
  Click(box, u"Command3");
  EXPECT_TRUE(History().contains(QStringLiteral("Printing aborted")));
  EXPECT_FALSE(History().contains(QStringLiteral("Current page printed")));
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(boxes_->Shown().empty());

  // A printer that cannot start, answered with Cancel.
  printDialogAnswer_ = true;
  platform::SystemPrinter().setOutputFileName(Home() + QStringLiteral("/no/such/out.pdf"));
  boxes_->Answer(answer::kCancel);
  Click(box, u"Command6");
  EXPECT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_FALSE(History().contains(QStringLiteral("All pages printed")));

  // A good print of all pages, logged after it.
  PrintToPdf();
  HistoryLog::Instance().Clear();
  Click(box, u"Command6");
  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("First page")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Second page")));
  EXPECT_TRUE(History().endsWith(QStringLiteral("All pages printed\r\n")));
  EXPECT_EQ(RichText(box.View()), OutBuf[1]);
}

}  // namespace
}  // namespace brantel
