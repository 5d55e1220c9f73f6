#include "GraphTestSupport.h"

#include "core/graph/GraphBuffer.h"
#include "forms/FormBuilder.h"
#include "graph/GraphChart.h"
#include "graph/GraphOptionsDialog.h"
#include "graph/GraphWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace brantel {
namespace {

using Axis = GraphChart::Axis;
const QString kDefaultTitle = QStringLiteral("Stress Distribution Around a Circular Opening");

class GraphOptionsTest : public test::GraphTest {
 protected:
  void SetUp() override {
    GraphTest::SetUp();
    FillCurves(66);
    window_ = GraphWindow::Load();
    window_->GraphInit();
    window_->DrawCurve();
  }
  // Options > Basic Options.
  GraphOptionsDialog* Open() {
    window_->EntryOf(GraphCommand::BasicOptions)->trigger();
    GraphOptionsDialog* dialog = window_->OptionsDialog();
    EXPECT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    Use(*dialog);
    return dialog;
  }
  static void Close() { QApplication::processEvents(); }
  QRadioButton* Mode(int index) const { return Control<QRadioButton>(QStringLiteral("Option1(%1)").arg(index)); }

  GraphWindow* window_ = nullptr;
};

TEST_F(GraphOptionsTest, DefaultModeShowsTheDefaultsAndCancelPutsThemOnTheChart) {
  window_->show();
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  window_->Chart().SetHeader(QStringLiteral("Any text"));
  window_->Chart().SetGrid(Axis::X, true);

  GraphOptionsDialog* dialog = Open();
  // The window loses the activation to the dialog; that must not undo the
  // reset the dialog made when it opened.
  QTest::qWait(20);
  EXPECT_TRUE(Mode(0)->isChecked());
  EXPECT_EQ(Control<QLineEdit>(graphoptions::kGraphTitle)->text(), kDefaultTitle);
  EXPECT_EQ(Control<QComboBox>(graphoptions::kGridStyle)->currentIndex(), 0);
  // Only the X-axis title can be edited in this mode.
  EXPECT_TRUE(Control<QLineEdit>(graphoptions::kXTitle)->isEnabled());
  EXPECT_FALSE(Control<QLineEdit>(graphoptions::kGraphTitle)->isEnabled());
  EXPECT_FALSE(Control<QComboBox>(graphoptions::kGraphStyle)->isEnabled());
  EXPECT_FALSE(Control<QScrollBar>(graphoptions::kSymbolSize)->isEnabled());

  dialog->close();  // the close box is a Cancel
  Close();
  EXPECT_EQ(window_->OptionsDialog(), nullptr);
  EXPECT_EQ(window_->Chart().Header(), kDefaultTitle);
  EXPECT_FALSE(window_->Chart().Grid(Axis::X));
  EXPECT_FALSE(GraphSettingsValid);
  EXPECT_EQ(History().count(QStringLiteral("Saving default settings")), 0);
}

TEST_F(GraphOptionsTest, LastUsedModeKeepsVerticalGridAndSymbolsOnly) {
  Open();
  QTest::mouseClick(Mode(1), Qt::LeftButton);
  EXPECT_TRUE(Control<QLineEdit>(graphoptions::kGraphTitle)->isEnabled());
  Control<QComboBox>(graphoptions::kGridStyle)->setCurrentIndex(2);   // Vertical
  Control<QComboBox>(graphoptions::kGraphStyle)->setCurrentIndex(1);  // Symbols Only
  Control<QScrollBar>(graphoptions::kSymbolSize)->setValue(8);
  Press(graphoptions::kOk);
  Close();

  GraphChart& chart = window_->Chart();
  EXPECT_TRUE(chart.Grid(Axis::X));
  EXPECT_FALSE(chart.Grid(Axis::Y));
  for (int s = 1; s <= 3; ++s) {
    EXPECT_FALSE(chart.LineShown(s));
    EXPECT_TRUE(chart.SymbolShown(s));
    EXPECT_EQ(chart.SymbolSize(s), 8);
  }
  EXPECT_TRUE(GraphSettingsValid);
  EXPECT_EQ(GraphSettings.GridStyle, GridLines::Vertical);
  EXPECT_EQ(GraphSettings.GraphStyle, CurveStyle::Symbols);
  EXPECT_TRUE(History().contains(QStringLiteral("Saving default settings to file: ")));

  // Reopened, the dialog shows the same choices, all editable; OK without
  // an edit changes nothing.
  const GraphFormat before = GraphSettings;
  Open();
  EXPECT_TRUE(Mode(1)->isChecked());
  EXPECT_EQ(Control<QComboBox>(graphoptions::kGridStyle)->currentText(), QStringLiteral("Vertical"));
  EXPECT_EQ(Control<QComboBox>(graphoptions::kGraphStyle)->currentText(), QStringLiteral("Symbols Only"));
  EXPECT_EQ(Control<QScrollBar>(graphoptions::kSymbolSize)->value(), 8);
  EXPECT_TRUE(Control<QComboBox>(graphoptions::kGridStyle)->isEnabled());
  Press(graphoptions::kOk);
  Close();
  EXPECT_EQ(GraphSettings.GridStyle, before.GridStyle);
  EXPECT_EQ(GraphSettings.GraphStyle, before.GraphStyle);
  EXPECT_EQ(GraphSettings.SymbolSize, before.SymbolSize);
  EXPECT_EQ(GraphSettings.CurveLegend, before.CurveLegend);
  EXPECT_EQ(GraphSettings.GraphTitle, before.GraphTitle);
  EXPECT_EQ(GraphSettings.XTitles, before.XTitles);

  // Choosing the defaults again resets at once, even when then cancelled.
  Open();
  QTest::mouseClick(Mode(0), Qt::LeftButton);
  Press(graphoptions::kCancel);
  Close();
  EXPECT_FALSE(GraphSettingsValid);
  EXPECT_EQ(GraphSettings.GridStyle, GridLines::None);
  EXPECT_TRUE(window_->Chart().LineShown(1));
}

TEST_F(GraphOptionsTest, SymbolSizeShowsOnlyForStylesWithSymbols) {
  GraphSettingsValid = true;
  Open();
  auto* style = Control<QComboBox>(graphoptions::kGraphStyle);
  style->setCurrentIndex(0);  // Lines Only
  EXPECT_TRUE(Control<QScrollBar>(graphoptions::kSymbolSize)->isHidden());
  EXPECT_TRUE(Control<QLabel>(graphoptions::kSymbolLabel)->isHidden());
  style->setCurrentIndex(1);
  EXPECT_FALSE(Control<QScrollBar>(graphoptions::kSymbolSize)->isHidden());
  style->setCurrentIndex(2);
  EXPECT_FALSE(Control<QLabel>(graphoptions::kSymbolLabel)->isHidden());
  Press(graphoptions::kCancel);
  Close();
}

TEST_F(GraphOptionsTest, WithoutLegendTheStyleStillTakesEffect) {
  GraphSettingsValid = true;
  Open();
  Control<QCheckBox>(graphoptions::kCurveLegend)->setChecked(false);
  Control<QComboBox>(graphoptions::kGraphStyle)->setCurrentIndex(0);  // Lines Only
  Control<QLineEdit>(graphoptions::kYTitle)->setText(QString());      // an empty title is accepted
  Press(graphoptions::kOk);
  Close();
  GraphChart& chart = window_->Chart();
  EXPECT_EQ(chart.SeriesLabelCount(), 0);
  EXPECT_FALSE(chart.LegendShown());
  EXPECT_FALSE(chart.SymbolShown(2));
  EXPECT_TRUE(chart.LineShown(2));
  EXPECT_EQ(chart.AxisTitle(Axis::Y), QString());
  EXPECT_FALSE(GraphSettings.CurveLegend);
}

TEST_F(GraphOptionsTest, TypedTextThatIsNoListItemIsRefusedOnce) {
  GraphSettingsValid = true;
  Open();
  auto* grid = Control<QComboBox>(graphoptions::kGridStyle);
  grid->setCurrentIndex(3);
  grid->lineEdit()->selectAll();
  QTest::keyClicks(grid->lineEdit(), QStringLiteral("x"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Please select a valid entry"));
  EXPECT_EQ(grid->currentIndex(), 0);
  EXPECT_EQ(grid->currentText(), QStringLiteral("None"));
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Please select a valid entry")));

  auto* style = Control<QComboBox>(graphoptions::kGraphStyle);
  style->lineEdit()->clear();
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(style->currentText(), QStringLiteral("Lines Only"));
  EXPECT_TRUE(Control<QScrollBar>(graphoptions::kSymbolSize)->isHidden());
  Press(graphoptions::kCancel);
  Close();
}

}  // namespace
}  // namespace brantel
