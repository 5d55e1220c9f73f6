#include "GraphTestSupport.h"

#include "core/NumberFormat.h"
#include "core/graph/GraphBuffer.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include <iterator>
#include <utility>

namespace brantel {
namespace {

using test::GraphTest;
using Axis = GraphChart::Axis;

GraphWindow* ShowGraph() {
  GraphWindow* window = GraphWindow::Load();
  window->GraphInit();
  window->DrawCurve();
  return window;
}

void Deactivate(QWidget* window) {
  QEvent event(QEvent::WindowDeactivate);
  QApplication::sendEvent(window, &event);
}

TEST_F(GraphTest, DrawsPointsZeroToGraphLastPointOfEveryCurve) {
  FillCurves(100);
  GraphWindow* window = ShowGraph();
  GraphChart& chart = window->Chart();
  ASSERT_EQ(chart.CurveCount(), 3);
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(chart.PointCount(s), 101) << s;
  EXPECT_EQ(chart.Point(3, 101), QPointF(GraphCurveData[2][100][0], GraphCurveData[2][100][1]));

  // A shorter filling: the points after GraphLastPoint stay in the buffer
  // but are not drawn.
  FillCurves(40);
  window->GraphInit();
  window->DrawCurve();
  for (int s = 1; s <= 3; ++s) EXPECT_EQ(chart.PointCount(s), 41) << s;
  EXPECT_EQ(chart.Point(2, 41).y(), static_cast<double>(GraphCurveData[1][40][1]));

  // A value the filling tool must never set cannot make the window read
  // outside the buffer.
  GraphLastPoint = 500;
  window->DrawCurve();
  EXPECT_EQ(chart.PointCount(1), 101);
}

TEST_F(GraphTest, FirstGraphOfTheProcessShowsTheDefaultFormat) {
  FillCurves(66);
  GraphChart& chart = ShowGraph()->Chart();
  EXPECT_EQ(chart.Header(), QStringLiteral("Stress Distribution Around a Circular Opening"));
  EXPECT_EQ(chart.AxisTitle(Axis::X), QStringLiteral("Distance from the center"));
  EXPECT_EQ(chart.AxisTitle(Axis::Y), QStringLiteral("Stress ratio"));
  EXPECT_FALSE(chart.Grid(Axis::X));
  EXPECT_FALSE(chart.Grid(Axis::Y));
  const QStringList names{"sRadial", "sTangent", "sShear"};
  const QColor colours[] = {QColor(0, 0, 255), QColor(205, 92, 92), QColor(0, 0, 0)};
  for (int s = 1; s <= 3; ++s) {
    EXPECT_TRUE(chart.LineShown(s));
    EXPECT_TRUE(chart.SymbolShown(s));
    EXPECT_EQ(chart.SymbolSize(s), 5);
    EXPECT_EQ(chart.LineWidth(s), 3);
    EXPECT_EQ(chart.LineColour(s), colours[s - 1]);
    EXPECT_EQ(chart.SymbolColour(s), colours[s - 1]);
    EXPECT_EQ(chart.SeriesLabel(s), names[s - 1]);
  }
  EXPECT_TRUE(chart.LegendShown());
  EXPECT_EQ(GraphUnits, Project.InputUnits);
}

TEST_F(GraphTest, AChangeOfUnitsStartsAgainFromTheDefaultFormat) {
  FillCurves(66);
  GraphWindow* window = ShowGraph();
  GraphSettings.GraphTitle = QStringLiteral("Chosen title");
  GraphSettings.GridStyle = GridLines::Both;
  GraphSettings.SymbolSize = 12;
  window->GraphInit();
  window->DrawCurve();
  EXPECT_EQ(window->Chart().Header(), QStringLiteral("Chosen title"));
  EXPECT_TRUE(window->Chart().Grid(Axis::X));

  Project.InputUnits = UnitSystem::SI;
  window->GraphInit();
  window->DrawCurve();
  EXPECT_EQ(window->Chart().Header(), QStringLiteral("Stress Distribution Around a Circular Opening"));
  EXPECT_FALSE(window->Chart().Grid(Axis::X));
  EXPECT_EQ(window->Chart().SymbolSize(2), 5);
  EXPECT_EQ(GraphSettings.GridStyle, GridLines::None);
  EXPECT_EQ(GraphUnits, UnitSystem::SI);
}

TEST_F(GraphTest, GridStylesSurviveADeactivationAndTheNextGraph) {
  FillCurves(66);
  GraphWindow* window = ShowGraph();
  for (const GridLines style : {GridLines::Horizontal, GridLines::Vertical}) {
    GraphSettings.GridStyle = style;
    window->GraphInit();
    window->DrawCurve();
    EXPECT_EQ(window->Chart().Grid(Axis::Y), style == GridLines::Horizontal);
    EXPECT_EQ(window->Chart().Grid(Axis::X), style == GridLines::Vertical);
    GraphSettings.GridStyle = GridLines::None;  // read back from the chart on deactivation
    Deactivate(window);
    EXPECT_EQ(GraphSettings.GridStyle, style);
    window->GraphInit();
    EXPECT_EQ(window->Chart().Grid(Axis::Y), style == GridLines::Horizontal);
    EXPECT_EQ(window->Chart().Grid(Axis::X), style == GridLines::Vertical);
  }
  // The rest of the format is read back too.
  window->Chart().ClearSeriesLabels();
  window->Chart().SetHeader(QStringLiteral("Edited"));
  Deactivate(window);
  EXPECT_FALSE(GraphSettings.CurveLegend);
  EXPECT_EQ(GraphSettings.GraphTitle, QStringLiteral("Edited"));
  EXPECT_EQ(GraphSettings.SymbolSize, 5);
}

TEST_F(GraphTest, ClearGraphEmptiesTheChartAndKeepsItsFormat) {
  FillCurves(66);
  GraphWindow* window = ShowGraph();
  window->ClearGraph();
  EXPECT_EQ(window->Chart().CurveCount(), 0);
  EXPECT_EQ(CurveCount, 3);
  Deactivate(window);
  EXPECT_EQ(GraphSettings.SymbolSize, 5);
  window->DrawCurve();
  EXPECT_EQ(window->Chart().PointCount(3), 67);
}

TEST_F(GraphTest, ResizingKeepsTheChartInsideTheWindow) {
  EXPECT_EQ(GraphWindow::ChartSizeFor(3000, 1000, 120, 300).height(), 100);
  EXPECT_EQ(GraphWindow::ChartSizeFor(3000, 5000, 120, 300).height(), 4000);
  EXPECT_EQ(GraphWindow::ChartSizeFor(3000, 5000, 120, 300).width(), 2580);
  EXPECT_EQ(GraphWindow::ChartSizeFor(900, 5000, 120, 300).width(), 500);

  GraphWindow* window = ShowGraph();
  window->show();
  QWidget* inner = window->centralWidget();
  window->resize(600, 400);
  QApplication::processEvents();
  const QWidget& chart = window->Chart();
  const int innerHeight = forms::Twips(inner->height());
  EXPECT_EQ(chart.height(), forms::Px(innerHeight - forms::Twips(chart.y()) - 700));
  EXPECT_EQ(chart.width(), forms::Px(forms::Twips(inner->width()) - forms::Twips(chart.x()) - 300));
  // The Point ID frame stays below the chart.
  const auto* frame = window->findChild<QGroupBox*>(QString::fromLatin1(graphwindow::kPointIdFrame));
  EXPECT_GE(frame->y(), chart.y() + chart.height());
  EXPECT_LE(frame->y() + frame->height(), inner->height());
}

// The menus as the window has always had them, and each command's entry in
// its place.
TEST_F(GraphTest, EachMenuEntryStandsWhereItAlwaysHasAndNamesItsCommand) {
  FillCurves(10);
  GraphWindow* window = ShowGraph();
  EXPECT_EQ(
      test::MenuBarLayout(*window->menuBar()),
      QStringList({"GraphFile &File", "  &Print", "  -", "  E&xport to Excel", "  -", "  E&xit", "GraphEdit &Edit",
                   "  Copy  Ctrl+C", "GraphOptions &Options", "  Point ID checkable", "  Basic &Options"}));
  const std::pair<GraphCommand, const char*> entries[] = {
      {GraphCommand::Print, "&Print"},     {GraphCommand::ExportToExcel, "E&xport to Excel"},
      {GraphCommand::Exit, "E&xit"},       {GraphCommand::Copy, "Copy "},
      {GraphCommand::PointId, "Point ID"}, {GraphCommand::BasicOptions, "Basic &Options"},
  };
  ASSERT_EQ(std::size(entries), static_cast<std::size_t>(kGraphCommandCount));
  for (const auto& [command, caption] : entries) {
    ASSERT_NE(window->EntryOf(command), nullptr) << caption;
    EXPECT_EQ(window->EntryOf(command)->text(), QString::fromUtf8(caption));
  }
}

class PointIdTest : public GraphTest {
 protected:
  void SetUp() override {
    GraphTest::SetUp();
    FillCurves(66);
    window_ = ShowGraph();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    viewport_ = &window_->Chart();
  }
  void MoveTo(QPointF pixel) {
    const QPoint at = pixel.toPoint();
    QMouseEvent move(QEvent::MouseMove, at, viewport_->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport_, &move);
  }
  QString Label(const char* name) const { return window_->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

  GraphWindow* window_ = nullptr;
  QWidget* viewport_ = nullptr;
};

TEST_F(PointIdTest, NamesTheCurveAndPointUnderThePointer) {
  GraphChart& chart = window_->Chart();
  const QPointF point = chart.PixelOf(2, 21);  // sTangent, x = 1.6
  MoveTo(point);
  EXPECT_EQ(Label(graphwindow::kNearestCurve), QStringLiteral("sTangent"));
  EXPECT_EQ(Label(graphwindow::kNearestX), QStringLiteral("1.60"));
  EXPECT_EQ(Label(graphwindow::kNearestValue), Format(static_cast<double>(GraphCurveData[1][20][1]), u"##0.00"));
  EXPECT_EQ(chart.Pointer(), Qt::CrossCursor);

  // Three pixels from a radial-stress point still finds it; four do not,
  // and leave the labels as they were.
  const QPointF radial = chart.PixelOf(1, 34);
  MoveTo(QPointF(radial.x(), std::round(radial.y()) - 4));
  EXPECT_EQ(Label(graphwindow::kNearestCurve), QStringLiteral("sTangent"));
  EXPECT_EQ(chart.Pointer(), Qt::ArrowCursor);
  MoveTo(QPointF(radial.x(), std::round(radial.y()) - 3));
  EXPECT_EQ(Label(graphwindow::kNearestCurve), QStringLiteral("sRadial"));
  EXPECT_EQ(Label(graphwindow::kNearestX), QStringLiteral("1.99"));

  // Outside the plot area: only the pointer changes.
  MoveTo(QPointF(2, 2));
  EXPECT_EQ(Label(graphwindow::kNearestCurve), QStringLiteral("sRadial"));
  EXPECT_EQ(chart.Pointer(), Qt::ArrowCursor);
}

TEST_F(PointIdTest, PointIdItemShowsAndHidesTheFrame) {
  QAction* item = window_->EntryOf(GraphCommand::PointId);
  auto* frame = window_->findChild<QGroupBox*>(QString::fromLatin1(graphwindow::kPointIdFrame));
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(frame->isVisible());
  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(frame->isVisible());
  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(frame->isVisible());
}

}  // namespace
}  // namespace brantel
