#include "MainWindowFixture.h"
#include "PdfPrinting.h"

#include "core/Messages.h"
#include "core/OutputBuffers.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/PrintPreview.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/TextView.h"
#include "platform/CommonDialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

#include <limits>
#include <optional>

namespace brantel {
namespace {

using test::ChooseEntry;
using test::TestWindow;

// The main window with the program's own print commands, printing into a
// PDF file of the test's home folder.
class ListingMenu : public test::PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    InitGlobals();  // the unit-label table
    SetDefaultSettings();
    EnglishMenus = true;
    HistoryShown = true;
    HistoryMaxCharacters = 4096;
    DisclaimerAtStart = false;
    AppFolder = Home() + QStringLiteral("/program/");
    QDir().mkpath(AppFolder);
    QFile::copy(QStringLiteral(BRANTEL_TOOLBAR_STRIP), AppFolder + QStringLiteral("Brantel.bmp"));
    ToolbarBitmapName = QStringLiteral("Brantel.bmp");
    AppNameUpper = QStringLiteral("BRANTEL");
    CommandLine.clear();
    ClearTools();
    RegisterProgramTools();
    window_ = std::make_unique<TestWindow>();
    ASSERT_TRUE(window_->OnLoad());
    FileNew();
    Project.InputUnits = UnitSystem::SI;
  }

  void TearDown() override {
    window_.reset();
    ClearTools();
    PrintTest::TearDown();
  }

  static void FillProject() {
    Project.ProjectPath = QStringLiteral("/home/engineer/Documents/MyBrantel/Quarry.BNL");
    Project.ProjectTitle = QStringLiteral("Σήραγγα Μετρό, bench 3");
    Project.ProjectDescription = QStringLiteral("Face stability of the north bench.");
    Project.Stress2D = {12.5f, -3.0f, 0.0f, StressGraph::None};
    Project.VonMisesInput.TensileStrength = 8.5f;
    Project.FileEmpty = false;
    Project.FileSaved = false;
  }

  // The preview's text once it shows, and the preview closed; nothing when
  // File Print Preview returned without showing it.
  std::optional<QString> PreviewFromMenu(const QString& picture = QString()) {
    auto shown = std::make_shared<std::optional<QString>>();
    test::WhenModalShows<PrintPreview>([shown, picture](PrintPreview* preview) {
      *shown = ViewText(preview->Layout().Require<QTextEdit>(printpreview::kView));
      if (!picture.isEmpty()) preview->grab().save(picture);
      preview->Layout().Require<QPushButton>(printpreview::kClose)->click();
    });
    ChooseEntry(*window_, Tool::PrintPreview);
    return *shown;
  }

  std::unique_ptr<TestWindow> window_;
};

TEST_F(ListingMenu, EmptyProjectAsksBeforePreviewAndPrintAndStopsOnNo) {
  ASSERT_TRUE(Project.FileEmpty);
  EXPECT_TRUE(window_->EntryOf(Tool::Print)->isEnabled());
  EXPECT_TRUE(window_->EntryOf(Tool::PrintPreview)->isEnabled());
  EXPECT_TRUE(window_->toolbar->Button(QStringLiteral("PRINT"))->isEnabled());

  OutBuf[0] = QStringLiteral("earlier page");
  boxes_->Answer(Answer::No);
  ChooseEntry(*window_, Tool::PrintPreview);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Current file is empty. Continue?"));
  EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNo, Icon::Question, DefaultButton::Second));
  EXPECT_EQ(OutBuf[0], QStringLiteral("earlier page"));  // no listing was built
  EXPECT_FALSE(History().contains(QStringLiteral("Preview displayed")));

  const QString pdf = PrintToPdf();
  boxes_->Answer(Answer::No);
  window_->OnToolbarButtonClicked(QStringLiteral("PRINT"));
  EXPECT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_FALSE(QFileInfo::exists(pdf));

  // Yes goes on: the preview shows the listing of the new project.
  boxes_->Answer(Answer::Yes);
  const std::optional<QString> shown = PreviewFromMenu();
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(*shown, OutBuf[0]);
  EXPECT_TRUE(shown->contains(QStringLiteral("Project File: Untitled\r\n")));
  EXPECT_TRUE(shown->contains(QStringLiteral("[PROJECT TITLE]\r\n\r\n\r\n[PROJECT DESCRIPTION]\r\n\r\n\r\n")));
}

TEST_F(ListingMenu, PreviewOfAFilledProjectShowsItsListing) {
  FillProject();
  const QString picture = QStringLiteral(BRANTEL_TEST_OUTPUT_DIR "/preview-listing.png");
  const std::optional<QString> shown = PreviewFromMenu(picture);
  ASSERT_TRUE(shown.has_value());
  EXPECT_TRUE(boxes_->Shown().empty());  // a project with inputs is not asked about
  EXPECT_EQ(*shown, OutBuf[0]);
  EXPECT_TRUE(shown->startsWith(QStringLiteral("Brantel module build: ")));
  EXPECT_TRUE(shown->contains(QStringLiteral("\r\nΣήραγγα Μετρό, bench 3\r\n")));
  EXPECT_TRUE(shown->contains(QStringLiteral("\r\nSigma X...................................12.5 (MPa)\r\n")));
  EXPECT_TRUE(shown->endsWith(QStringLiteral("\r\nTensile Strength..........................8.5 (MPa)\r\n")));
  EXPECT_TRUE(History().contains(QStringLiteral("Preview displayed")));
  EXPECT_TRUE(QFileInfo(picture).size() > 0);
}

TEST_F(ListingMenu, PrintSendsTheListingToThePrinterChosenInPrinterSetup) {
  FillProject();
  // The printer setup dialog, answered as a user who prints into a file.
  const QString pdf = Home() + QStringLiteral("/listing.pdf");
  platform::SetPrintDialogHandler([&](QPrinter& printer, platform::PrintDialogKind kind, QWidget*) {
    EXPECT_EQ(kind, platform::PrintDialogKind::Setup);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  ChooseEntry(*window_, Tool::PrinterSetup);
  window_->OnToolbarButtonClicked(QStringLiteral("PRINT"));
  EXPECT_TRUE(boxes_->Shown().empty());

  // Kept beside the test for a look at the printed pages.
  const QString kept = QStringLiteral(BRANTEL_TEST_OUTPUT_DIR "/listing-print.pdf");
  QFile::remove(kept);
  QFile::copy(pdf, kept);

  const QStringList pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 2) << pages.join(u'\f').toStdString();
  for (int i = 0; i < pages.size(); ++i) {
    EXPECT_TRUE(pages[i].contains(QStringLiteral("BRANTEL Version: ") + GetVersionString(VersionForm::Dotted) +
                                  QStringLiteral(", ") + PrintHeaderInfo.Date + QStringLiteral(", ") +
                                  PrintHeaderInfo.Time))
        << i;
    EXPECT_TRUE(pages[i].contains(QStringLiteral("Page: %1").arg(i + 1))) << i;
  }
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Project File: /home/engineer/Documents/MyBrantel/Quarry.BNL")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Sigma X...................................12.5 (MPa)")));
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Tensile Strength..........................8.5 (MPa)")));
  // Every line of the listing is printed once, in order (the PDF reader
  // gives runs of blanks back as one).
  const auto oneBlank = [](QString text) {
    return text.replace(QRegularExpression(QStringLiteral(" +")), QStringLiteral(" "));
  };
  const QString printed = oneBlank(pages.join(QString()));
  qsizetype at = 0;
  for (const QString& line : OutBuf[0].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
    const qsizetype found = printed.indexOf(oneBlank(line), at);
    ASSERT_GE(found, 0) << line.toStdString();
    at = found + 1;
  }
  EXPECT_FALSE(History().contains(QStringLiteral("Printing aborted")));
}

TEST_F(ListingMenu, ValueThatIsNoNumberStopsPrintAndPreviewWithAMessage) {
  FillProject();
  Project.CircOpening.R = std::numeric_limits<float>::infinity();
  const QString pdf = PrintToPdf();
  ChooseEntry(*window_, Tool::Print);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Error occurred: The listing was not built: [Circular Opening] Distance from Center "
                           "is not a finite number. (6). Procedure Terminated"));
  EXPECT_FALSE(QFileInfo::exists(pdf));

  EXPECT_FALSE(PreviewFromMenu().has_value());
  EXPECT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_TRUE(OutBuf[0].isEmpty());
}

}  // namespace
}  // namespace brantel
