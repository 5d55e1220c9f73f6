#include "GraphTestSupport.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/graph/GraphBuffer.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"
#include "platform/CommonDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QPrintDialog>
#include <QProcess>
#include <QTimer>
#include <QXmlStreamReader>

#include <limits>

namespace brantel {
namespace {

// One member of a zip archive, by the unzip command.
QByteArray Unzip(const QString& archive, const QString& member) {
  QProcess unzip;
  unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
  if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0) return QByteArray();
  return unzip.readAllStandardOutput();
}

// The cells of the workbook's first sheet by name ("A1"), strings resolved.
QMap<QString, QString> SheetCells(const QString& path) {
  QStringList shared;
  QXmlStreamReader strings(Unzip(path, QStringLiteral("xl/sharedStrings.xml")));
  while (!strings.atEnd()) {
    if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"t") {
      shared << strings.readElementText();
    }
  }
  QMap<QString, QString> cells;
  QXmlStreamReader sheet(Unzip(path, QStringLiteral("xl/worksheets/sheet1.xml")));
  QString ref, type;
  while (!sheet.atEnd()) {
    if (sheet.readNext() != QXmlStreamReader::StartElement) continue;
    if (sheet.name() == u"c") {
      ref = sheet.attributes().value(QStringLiteral("r")).toString();
      type = sheet.attributes().value(QStringLiteral("t")).toString();
    } else if (sheet.name() == u"v") {
      const QString value = sheet.readElementText();
      cells[ref] = type == u"s" ? shared.value(value.toInt()) : value;
    }
  }
  return cells;
}

class GraphCommandsTest : public test::GraphTest {
 protected:
  void SetUp() override {
    GraphTest::SetUp();
    FillCurves(100);
    window_ = GraphWindow::Load();
    window_->GraphInit();
    window_->DrawCurve();
  }
  GraphWindow* window_ = nullptr;
};

TEST_F(GraphCommandsTest, ExportWritesEveryCurveToANewWorkbookAndOpensIt) {
  window_->EntryOf(GraphCommand::ExportToExcel)->trigger();
  ASSERT_EQ(opened_.size(), 1);
  const QString path = opened_.first();
  EXPECT_TRUE(path.startsWith(UserTempFolder));
  EXPECT_TRUE(path.endsWith(QStringLiteral(".xlsx")));

  const QMap<QString, QString> cells = SheetCells(path);
  ASSERT_FALSE(cells.isEmpty());
  const QStringList headings{"X-coord", "sRadial", "X-coord", "sTangent", "X-coord", "sShear"};
  const QString columns = QStringLiteral("ABCDEF");
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(cells.value(columns[c] + QStringLiteral("1")), headings[c]);
    for (int row = 2; row <= 102; ++row) {
      const float expected = GraphCurveData[c / 2][row - 2][c % 2];
      const QString ref = columns[c] + QString::number(row);
      ASSERT_TRUE(cells.contains(ref)) << ref.toStdString();
      // The shortest decimal of the chart's value.
      EXPECT_EQ(cells.value(ref).toFloat(), expected) << ref.toStdString();
    }
  }
  EXPECT_EQ(cells.size(), 6 * 102);
  EXPECT_EQ(cells.value(QStringLiteral("A2")), QStringLiteral("1"));
  EXPECT_EQ(cells.value(QStringLiteral("A5")), QStringLiteral("1.09"));

  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Exported 3 Curves"));
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Exported 3 Curves")));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The next export makes a workbook of its own.
  window_->EntryOf(GraphCommand::ExportToExcel)->trigger();
  ASSERT_EQ(opened_.size(), 2);
  EXPECT_NE(opened_[1], path);
  EXPECT_TRUE(QFileInfo::exists(path));
}

TEST_F(GraphCommandsTest, AValueThatIsNoNumberNeverReachesTheWorkbook) {
  GraphCurveData[1][5][1] = std::numeric_limits<float>::quiet_NaN();
  GraphCurveData[2][6][1] = std::numeric_limits<float>::infinity();
  window_->DrawCurve();
  window_->EntryOf(GraphCommand::ExportToExcel)->trigger();
  ASSERT_EQ(opened_.size(), 1);
  const QMap<QString, QString> cells = SheetCells(opened_.first());
  EXPECT_FALSE(cells.contains(QStringLiteral("D7")));
  EXPECT_FALSE(cells.contains(QStringLiteral("F8")));
  EXPECT_EQ(cells.size(), 6 * 102 - 2);
  // Point identification passes over them too.
  EXPECT_NE(window_->Chart().NearestPoint(window_->Chart().PixelOf(2, 5).toPoint()).point, 6);
}

TEST_F(GraphCommandsTest, AnExportThatFailsSaysSoAndNeverClaimsSuccess) {
  // No program opens the workbook.
  openSucceeds_ = false;
  window_->EntryOf(GraphCommand::ExportToExcel)->trigger();
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("no program could be started")));
  EXPECT_EQ(boxes_->Last().style.icon, Icon::Critical);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The workbook cannot be written: the scratch folder lies below a file.
  openSucceeds_ = true;
  opened_.clear();
  UserTempFolder = WriteFile(Home() + QStringLiteral("/plain"), "x") + QStringLiteral("/Temp/");
  window_->EntryOf(GraphCommand::ExportToExcel)->trigger();
  EXPECT_TRUE(opened_.isEmpty());
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_TRUE(
      boxes_->Last().prompt.startsWith(QStringLiteral("The curves could not be exported to a spreadsheet file in ") +
                                       UserTempFolder + QStringLiteral(": ")));
  EXPECT_FALSE(History().contains(QStringLiteral("Exported 3 Curves")));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GraphCommandsTest, PrintSendsTheChartToThePrinterUnlessCancelled) {
  printerAccepts_ = false;
  window_->EntryOf(GraphCommand::Print)->trigger();
  EXPECT_FALSE(QFileInfo::exists(printFile_));
  EXPECT_FALSE(History().contains(QStringLiteral("Printing Graph")));
  EXPECT_TRUE(boxes_->Shown().empty());

  printerAccepts_ = true;
  window_->EntryOf(GraphCommand::Print)->trigger();
  EXPECT_TRUE(History().contains(QStringLiteral("Printing Graph")));
  EXPECT_TRUE(ReadFile(printFile_).startsWith("%PDF"));
}

TEST_F(GraphCommandsTest, ThePrintDialogOffersNeitherPageNumbersNorASelection) {
  // The desktop's own dialog: the chart is one page, printed whole.
  platform::SetPrintDialogHandler({});
  bool shown = false;
  QMap<QString, bool> enabled;
  bool allPages = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    shown = true;
    for (const char* name :
         {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit", "printCurrentPage", "printSelection"}) {
      if (const auto* choice = dialog->findChild<QWidget*>(QLatin1String(name))) enabled[name] = choice->isEnabled();
    }
    const auto* all = dialog->findChild<QAbstractButton*>(QStringLiteral("printAll"));
    allPages = all && all->isEnabled() && all->isChecked();
    dialog->reject();
  });
  window_->EntryOf(GraphCommand::Print)->trigger();
  ASSERT_TRUE(shown);
  for (const char* name : {"printRange", "printCurrentPage", "printSelection"})
    EXPECT_TRUE(enabled.contains(name)) << name;
  for (auto choice = enabled.cbegin(); choice != enabled.cend(); ++choice) {
    EXPECT_FALSE(choice.value()) << choice.key().toStdString();
  }
  EXPECT_TRUE(allPages);
  EXPECT_FALSE(History().contains(QStringLiteral("Printing Graph")));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(GraphCommandsTest, CopyPutsTheChartOnTheClipboard) {
  window_->show();
  window_->EntryOf(GraphCommand::Copy)->trigger();
  const QImage image = QApplication::clipboard()->image();
  EXPECT_EQ(image.size(), window_->Chart().size());
}

TEST_F(GraphCommandsTest, ExitUnloadsTheWindowAndEnablesTheMainWindow) {
  QWidget main;
  main.setObjectName(QStringLiteral("frmMain"));
  main.setEnabled(false);
  window_->show();
  window_->EntryOf(GraphCommand::Exit)->trigger();
  QApplication::processEvents();
  EXPECT_EQ(GraphWindow::Loaded(), nullptr);
  EXPECT_TRUE(main.isEnabled());
  EXPECT_NE(GraphWindow::Load(), nullptr);
}

}  // namespace
}  // namespace brantel
