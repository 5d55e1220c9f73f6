#include "core/RuntimeError.h"
#include "support/TestEnvironment.h"
#include "tools/failure/FailurePlot.h"

#include <QLabel>

#include <cmath>
#include <functional>

namespace brantel {
namespace {

// A failure plot whose criterion is whatever the test draws.
class TestPlot : public FailurePlot {
 public:
  TestPlot() {
    resize(272, 267);  // 4080 by 4000 twips
    SetPlotShown(true);
  }
  std::function<void(TestPlot&)> draw;
  using FailurePlot::DrawStrengthMarker;
  using FailurePlot::DrawWorldPolyline;
  using FailurePlot::Step;

 protected:
  void DrawCriterion() override {
    if (draw) draw(*this);
  }
};

class FailurePlotTest : public test::CoreTest {};

TEST_F(FailurePlotTest, VerticalRangePolicies) {
  // s1 = 10, s2 = 2: R = 4; horizontally -2 .. 14, the span raised to 16.8.
  struct Case {
    FailurePlot::VerticalRange policy;
    float span;
  };
  for (const Case& c :
       {Case{FailurePlot::VerticalRange::LikeHorizontal, 16.8f}, Case{FailurePlot::VerticalRange::Plain, 16.0f},
        Case{FailurePlot::VerticalRange::Shear, 12.0f}}) {
    TestPlot plot;
    plot.SetVerticalRange(c.policy);
    plot.SetPrincipal(10, 2, 4);
    plot.Redraw(true);
    EXPECT_FLOAT_EQ(plot.XRange(), 16.8f);
    EXPECT_FLOAT_EQ(plot.YRange(), c.span);
    // The span splits around the horizontal axis's row.
    const double h = plot.ScaleHeight();
    EXPECT_NEAR(plot.YMax(), plot.XAxis().y1() * c.span / h, 1e-4);
    EXPECT_NEAR(plot.YMax() - plot.YMin(), c.span, 1e-4);
  }
}

TEST_F(FailurePlotTest, MappingAndReadOutAgree) {
  for (bool equal : {false, true}) {
    TestPlot plot;
    plot.SetVerticalRange(FailurePlot::VerticalRange::Plain);
    plot.SetEqualScales(equal);
    plot.SetPrincipal(30, 10, 10);
    plot.Redraw(true);
    plot.MoveAxes(1200, 3000);  // the crossing dragged
    EXPECT_NEAR(plot.ColumnOf(0), 1200, 1e-3);
    EXPECT_NEAR(plot.RowOf(0), 3000, 1e-3);
    const double ky = (plot.RowOf(0) - plot.RowOf(10)) / 10.0;
    EXPECT_NEAR(ky, plot.VerticalScale(), 1e-3);
    if (equal) EXPECT_NEAR(ky, plot.HorizontalScale(), 1e-3);
    else EXPECT_NEAR(ky, plot.ScaleHeight() / plot.YRange(), 1e-3);
    const QPointF world = plot.WorldAt(plot.ColumnOf(12.5), plot.RowOf(-7.25));
    EXPECT_NEAR(world.x(), 12.5, 1e-3);
    EXPECT_NEAR(world.y(), -7.25, 1e-3);
  }
}

TEST_F(FailurePlotTest, APlotBlankedBeforeItsFirstDrawingMapsFromItsOwnSize) {
  // A tool that opens on a state it cannot judge blanks the plot; the next
  // state is drawn without a reset of the range.
  TestPlot plot;
  EXPECT_EQ(plot.Viewport().Picture, QRectF(0, 0, 4080, 4005));
  plot.Blank();
  EXPECT_FALSE(plot.HasRange());
  plot.SetPrincipal(30, 10, 10);
  plot.Redraw(false);
  ASSERT_TRUE(plot.HasRange());
  EXPECT_NEAR(plot.HorizontalScale(), 4080 / plot.XRange(), 1e-6);
  EXPECT_NEAR(plot.ColumnOf(10), plot.YAxis().x1() + 10 * plot.HorizontalScale(), 1e-3);
  EXPECT_GT(plot.ColumnOf(10), plot.YAxis().x1());
}

TEST_F(FailurePlotTest, TicksSitOnTheAxesAndTheGridCrossesThePicture) {
  TestPlot ticks;
  ticks.SetPrincipal(30, 10, 10);
  ticks.Redraw(true);
  ASSERT_FALSE(ticks.Items().empty());
  const double x0 = ticks.YAxis().x1(), y0 = ticks.XAxis().y1();
  // The ticks are one set of black lines in one pen.
  ASSERT_EQ(ticks.Items().size(), 1u);
  EXPECT_EQ(ticks.Items().front().type, PlotItem::Type::Lines);
  EXPECT_EQ(ticks.Items().front().colour, QColor(Qt::black));
  EXPECT_GT(ticks.Items().front().Segments().size(), 10u);
  for (const QLineF& tick : ticks.Items().front().Segments()) {
    EXPECT_NEAR(tick.length(), 90, 1e-6);
    // Each tick is centred on one of the axis lines.
    const bool onX = std::fabs(tick.center().y() - y0) < 1e-6;
    const bool onY = std::fabs(tick.center().x() - x0) < 1e-6;
    EXPECT_TRUE(onX || onY);
  }

  TestPlot grid;
  grid.SetAxisMarks(FailurePlot::AxisMarks::Grid);
  grid.SetPrincipal(30, 10, 10);
  grid.Redraw(true);
  ASSERT_FALSE(grid.Items().empty());
  // Every grid line runs the whole length of the axis line it parallels.
  for (const PlotItem& item : grid.Items()) {
    for (const QLineF& line : item.Segments()) {
      const QLineF axis = line.x1() == line.x2() ? grid.YAxis() : grid.XAxis();
      EXPECT_DOUBLE_EQ(line.length(), axis.length());
    }
  }

  // Nothing to draw without a state.
  TestPlot empty;
  bool drawn = false;
  empty.draw = [&](TestPlot&) { drawn = true; };
  empty.Redraw(true);
  EXPECT_FALSE(empty.HasRange());
  EXPECT_TRUE(empty.Items().empty());
  EXPECT_FALSE(drawn);
}

TEST_F(FailurePlotTest, DrawingStepsFollowTheFamilyErrorRule) {
  TestPlot plot;
  plot.SetAxisMarks(FailurePlot::AxisMarks::Grid);
  plot.SetStrength(25);
  plot.SetPrincipal(30, 10, 10);
  std::vector<bool> steps;
  plot.draw = [&](TestPlot& p) {
    p.DrawStrengthMarker();
    steps.push_back(p.Step([] { throw RuntimeError(ErrorNumber::Overflow); }));
    steps.push_back(p.Step([&] { p.DrawWorldPolyline({{0, 25}, {10, 30}, {20, 32}}, QColor(FailurePlot::kTeal)); }));
    steps.push_back(p.Step([] { throw RuntimeError(ErrorNumber::DivisionByZero); }));
  };
  plot.Redraw(true);
  // An overflow hides the captions and the drawing goes on; another error
  // ends it.
  EXPECT_EQ(steps, (std::vector<bool>{true, true, false}));
  EXPECT_TRUE(plot.Caption(PlotCaption::Strength)->isHidden());
  int dots = 0, segments = 0;
  for (const PlotItem& item : plot.Items()) {
    if (item.colour != QColor(FailurePlot::kTeal)) continue;
    dots += item.type == PlotItem::Type::Dot ? 1 : 0;
    segments += static_cast<int>(item.Segments().size());
  }
  EXPECT_EQ(dots, 1);  // the marker
  EXPECT_EQ(segments, 2);
  EXPECT_EQ(plot.Caption(PlotCaption::Strength)->text(), QStringLiteral("25.0"));
  EXPECT_NEAR(plot.MarkerRow(), plot.RowOf(25), 1e-3);
  EXPECT_EQ(plot.Caption(PlotCaption::Strength)->y(), qRound(plot.MarkerRow() / 15));
}

}  // namespace
}  // namespace brantel
