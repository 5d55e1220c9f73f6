#include "core/Settings.h"
#include "plot/StressPlot.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace brantel {
namespace {

using test::CoreTest;

class StressPlotTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    plot = std::make_unique<MohrCirclePlot>();
    plot->resize(272, 267);  // 4080 x 4000 twips
    zoom = std::make_unique<QScrollBar>(Qt::Horizontal);
    coord = std::make_unique<QLabel>();
    intCoord = std::make_unique<QLabel>();
    plot->AttachZoomBar(zoom.get());
    plot->AttachReadouts(coord.get(), intCoord.get());
    plot->SetPlotShown(true);
  }
  void Draw(float s1, float s2) {
    plot->SetPrincipal(s1, s2, (s1 - s2) / 2);
    plot->Redraw(true);
  }
  int Count(PlotItem::Type type) const {
    int n = 0;
    for (const PlotItem& item : plot->Items()) n += item.type == type;
    return n;
  }
  // The straight pieces of the lines, polylines and sets of lines drawn.
  int Segments() const {
    std::size_t n = 0;
    for (const PlotItem& item : plot->Items()) n += item.Segments().size();
    return static_cast<int>(n);
  }
  std::unique_ptr<MohrCirclePlot> plot;
  std::unique_ptr<QScrollBar> zoom;
  std::unique_ptr<QLabel> coord, intCoord;
};

TEST_F(StressPlotTest, DefaultRangeAndZoom) {
  plot->SetPrincipal(30, 10, 10);
  plot->SetPlotRange(true);
  EXPECT_EQ(plot->XMin(), 0.0f);     // s2 - R
  EXPECT_EQ(plot->XMax(), 40.0f);    // s1 + R
  EXPECT_EQ(plot->XRange(), 48.0f);  // widened to 1.2 xmax
  EXPECT_EQ(plot->YMin(), -10.0f);
  EXPECT_EQ(plot->YMax(), 20.0f);
  plot->SetPlotRange(false);  // zoom bar at 10: the same range
  EXPECT_EQ(plot->XRange(), 48.0f);
  zoom->setValue(1);  // f = 0.1: the bar redraws at once, the span split at the crossing
  EXPECT_FLOAT_EQ(plot->XRange(), 37.2f);
  EXPECT_FLOAT_EQ(plot->XMin(), -37.2f * 576 / 4080);
  plot->SetPlotRange(false);
  EXPECT_FLOAT_EQ(plot->XMin(), 9.0f);
  EXPECT_FLOAT_EQ(plot->XMax(), 31.0f);
  EXPECT_FLOAT_EQ(plot->XRange(), 37.2f);
}

TEST_F(StressPlotTest, WholeCircleLeftOfTheShearAxis) {
  plot->SetPrincipal(-10, -20, 5);
  plot->SetPlotRange(true);
  EXPECT_EQ(plot->XMax(), -5.0f);
  EXPECT_EQ(plot->XRange(), 20.0f);  // 2R (1 + f), no 1.2 floor for a negative xmax
  plot->Redraw(true);
  EXPECT_EQ(Count(PlotItem::Type::Arc), 1);
  EXPECT_LT(plot->CircleX() + plot->CircleRadius(), plot->YAxis().x1());
}

TEST_F(StressPlotTest, ZeroStateDrawsNeitherGridNorCircle) {
  Draw(0, 0);
  EXPECT_EQ(plot->XRange(), 0.0f);
  EXPECT_TRUE(plot->Items().empty() || (Count(PlotItem::Type::Arc) == 0 && Count(PlotItem::Type::Dot) == 0));
  EXPECT_EQ(plot->Caption(PlotCaption::S2)->text(), QStringLiteral("0.0"));
  EXPECT_EQ(plot->Caption(PlotCaption::Origin)->text(), QStringLiteral("0"));
}

TEST_F(StressPlotTest, TheReadoutFollowsTheCircle) {
  Draw(30, 10);
  const float right = plot->CircleX() + plot->CircleRadius();
  const float top = plot->CircleY() - plot->CircleRadius();
  EXPECT_EQ(plot->CoordinatesText(right, plot->CircleY()), QStringLiteral("Coordinates: (X=30, Y=0)"));
  EXPECT_EQ(plot->CoordinatesText(plot->CircleX(), top), QStringLiteral("Coordinates: (X=20, Y=10)"));
  EnglishMenus = false;
  EXPECT_TRUE(plot->CoordinatesText(right, plot->CircleY()).startsWith(QStringLiteral("Συντεταγμένες: (X=30")));
}

TEST_F(StressPlotTest, TheReadoutIsRightWhenS1IsZero) {
  Draw(0, -10);
  const float left = plot->CircleX() - plot->CircleRadius();
  EXPECT_EQ(plot->CoordinatesText(left, plot->CircleY()), QStringLiteral("Coordinates: (X=-10, Y=0)"));
  EXPECT_TRUE(plot->Caption(PlotCaption::Centre)->isVisible() || !plot->isVisible());
}

TEST_F(StressPlotTest, InternalCoordinatesOnlyWhenAsked) {
  Draw(30, 10);
  plot->OnPointerMoved(1500, 2000);
  EXPECT_TRUE(intCoord->text().isEmpty());
  ShowInternalPlotCoords = true;
  plot->OnPointerMoved(1500, 2000);
  EXPECT_EQ(intCoord->text(), QStringLiteral("Int. Coordinates: (X=1500, Y=2000)"));
  EXPECT_TRUE(coord->text().startsWith(QStringLiteral("Coordinates: (X=")));
}

TEST_F(StressPlotTest, DraggingMovesTheOriginAndRedrawsOnRelease) {
  Draw(30, 10);
  const float range = plot->XRange();
  plot->OnPointerPressed(2040, 2000);
  EXPECT_TRUE(plot->Items().empty());
  EXPECT_TRUE(plot->Caption(PlotCaption::S1)->text().isEmpty());
  plot->OnPointerMoved(1020, 1000);
  EXPECT_EQ(plot->YAxis().x1(), 1020);
  EXPECT_EQ(plot->XAxis().y1(), 1000);
  EXPECT_FLOAT_EQ(plot->XMax(), (4080.0f - 1020.0f) * range / 4080.0f);
  EXPECT_FLOAT_EQ(plot->XMin(), -range * 1020.0f / 4080.0f);
  plot->OnPointerReleased(1020, 1000);
  EXPECT_FALSE(plot->Dragging());
  EXPECT_EQ(Count(PlotItem::Type::Arc), 1);
  EXPECT_EQ(plot->Caption(PlotCaption::S1)->text(), QStringLiteral("30.0"));
}

TEST_F(StressPlotTest, AxesDraggedOntoAnEdgeKeepTheDrawing) {
  // Either end of the window at 0 is still a window: the circle and the
  // grid are drawn on the scale of the picture, whichever edge the axes
  // lie on, and nothing is logged.
  struct Case {
    float s1, s2;
    float x;  // where the vertical axis is dropped
  };
  for (const Case& c : {Case{30, 10, 0}, Case{-10, -20, 4080}, Case{30, 10, 4080}}) {
    SCOPED_TRACE(c.x);
    Draw(c.s1, c.s2);
    const float range = plot->XRange();
    plot->OnPointerPressed(c.x, 2000);
    plot->OnPointerReleased(c.x, 2000);
    EXPECT_EQ(c.x == 0 ? plot->XMin() : plot->XMax(), 0.0f);
    ASSERT_EQ(Count(PlotItem::Type::Arc), 1);
    const double scale = 4080.0 / range;
    EXPECT_NEAR(plot->CircleX(), c.x + plot->Centre() * scale, 0.01);
    EXPECT_NEAR(plot->CircleRadius(), plot->Radius() * scale, 0.01);
    EXPECT_GT(Segments(), 4);  // the grid
    EXPECT_FALSE(plot->Caption(PlotCaption::S1)->isHidden());
  }
  EXPECT_FALSE(History().contains(QStringLiteral("Division by zero")));
}

TEST_F(StressPlotTest, ZoomRedrawsAroundTheOrigin) {
  Draw(30, 10);
  const float x0 = static_cast<float>(plot->YAxis().x1());
  zoom->setValue(20);  // f = 2
  EXPECT_EQ(plot->YAxis().x1(), x0);
  EXPECT_FLOAT_EQ(plot->XRange(), 60.0f);  // (s1 + 2R) - (s2 - 2R)
  EXPECT_EQ(Count(PlotItem::Type::Arc), 1);
}

TEST_F(StressPlotTest, HugeRangesStayBoundedAndFinite) {
  // A small s1 with a huge negative s2 asks for a grid step of 1 over a
  // billion units; only what can be seen is drawn.
  QElapsedTimer timer;
  timer.start();
  Draw(1, -1e9f);
  EXPECT_LT(timer.elapsed(), 2000);
  EXPECT_LT(plot->Items().size(), 5000u);
  // Values whose range overflows a 32-bit float are logged, not drawn.
  Draw(3e38f, -3e38f);
  for (const PlotItem& item : plot->Items()) {
    ASSERT_TRUE(std::isfinite(item.a.x()) && std::isfinite(item.a.y()));
    ASSERT_TRUE(std::isfinite(item.b.x()) && std::isfinite(item.b.y()));
    ASSERT_TRUE(std::isfinite(item.radius));
  }
  EXPECT_TRUE(History().contains(QStringLiteral("6 Overflow")));
  // A value label of a value far off the scale goes out of sight, not to a
  // position past the range of a pixel coordinate.
  plot->PlaceCaption(PlotCaption::S1, -1.5e31f, 3e38f);
  EXPECT_EQ(plot->Caption(PlotCaption::S1)->pos(), QPoint(-1000000, 1000000));
}

TEST_F(StressPlotTest, ThePlaneRadiusEndsOnThePlanesPoint) {
  plot->SetPlaneAngle(45);  // 2 x 45 degrees on the circle: the top, at tmax
  Draw(30, 10);
  const PlotItem* radius = nullptr;
  for (const PlotItem& item : plot->Items())
    if (item.type == PlotItem::Type::Line && item.colour == QColor(255, 0, 255) && item.width == 2) radius = &item;
  ASSERT_NE(radius, nullptr);
  EXPECT_NEAR(radius->b.x(), plot->CircleX(), 0.01);
  EXPECT_NEAR(radius->b.y(), plot->CircleY() - plot->CircleRadius(), 0.01);
}

// A curve of many steps is one polyline in one pen; the painter joins only
// the points a picture can tell apart, each left-out point within a tenth
// of a pixel (1.5 twips) of the line drawn in its place, and the picture is
// that of the whole curve.
TEST_F(StressPlotTest, ACurveIsOnePolylinePaintedAsTheWholeCurve) {
  plot->ClearDrawing();
  std::vector<QPointF> arc;
  for (int i = 0; i <= 2000; ++i) {
    const double a = 1.4 * i / 2000;
    arc.emplace_back(600 + 3000 * std::sin(a), 3600 - 3000 * (1 - std::cos(a)) - 600 * a);
  }
  plot->DrawPolyline(arc, QColor(0, 128, 128), 2);
  ASSERT_EQ(plot->Items().size(), 1u);
  const PlotItem& curve = plot->Items().front();
  EXPECT_EQ(curve.type, PlotItem::Type::Polyline);
  EXPECT_EQ(curve.points, arc);
  EXPECT_TRUE(curve.smooth);
  ASSERT_GE(curve.painted.size(), 2u);
  EXPECT_LT(curve.painted.size(), 200u);
  EXPECT_EQ(curve.painted.front(), arc.front());
  EXPECT_EQ(curve.painted.back(), arc.back());
  for (const QPointF& p : arc) {
    double nearest = 1e9;
    for (std::size_t i = 1; i < curve.painted.size(); ++i) {
      const QLineF piece(curve.painted[i - 1], curve.painted[i]);
      const QPointF along = piece.p2() - piece.p1();
      const double t =
          std::clamp(QPointF::dotProduct(p - piece.p1(), along) / QPointF::dotProduct(along, along), 0.0, 1.0);
      nearest = std::min(nearest, QLineF(p, piece.p1() + t * along).length());
    }
    ASSERT_LE(nearest, 1.5);
  }

  // The picture against the whole curve drawn in the same pen: edge pixels
  // may shade a little differently, none by more than a faint tint.
  QImage whole(plot->size(), QImage::Format_RGB32);
  whole.fill(Qt::white);
  {
    QPainter painter(&whole);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0 / 15, 1.0 / 15);
    painter.setPen(curve.pen);
    painter.drawPolyline(arc.data(), static_cast<int>(arc.size()));
  }
  plot->SetAxes(QLineF(-100, -100, -100, -100), QLineF(-100, -100, -100, -100));  // out of the way
  const QImage drawn = plot->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int inked = 0;
  for (int y = 0; y < whole.height(); ++y) {
    for (int x = 0; x < whole.width(); ++x) {
      const QRgb a = whole.pixel(x, y), b = drawn.pixel(x, y);
      inked += a != qRgb(255, 255, 255);
      ASSERT_LE(std::abs(qGreen(a) - qGreen(b)) + std::abs(qRed(a) - qRed(b)), 48) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 300);
}

// A point that is not a finite number breaks a curve; pieces along the axes
// stay sharp and slanted ones are smoothed, as each would be alone.
TEST_F(StressPlotTest, ACurveBreaksAtUndefinedPointsAndAtAChangeOfSlant) {
  plot->ClearDrawing();
  const double nan = std::nan("");
  plot->DrawPolyline({{0, 0}, {0, 100}, {50, 150}, {100, 200}, {nan, 5}, {10, 10}, {20, 30}, {30, 30}},
                     QColor(Qt::black));
  const auto& items = plot->Items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].points, (std::vector<QPointF>{{0, 0}, {0, 100}}));
  EXPECT_FALSE(items[0].smooth);
  EXPECT_EQ(items[1].points, (std::vector<QPointF>{{0, 100}, {50, 150}, {100, 200}}));
  EXPECT_TRUE(items[1].smooth);
  EXPECT_EQ(items[2].points, (std::vector<QPointF>{{10, 10}, {20, 30}}));
  EXPECT_EQ(items[3].points, (std::vector<QPointF>{{20, 30}, {30, 30}}));
  EXPECT_FALSE(items[3].smooth);
  EXPECT_EQ(Segments(), 5);
}

}  // namespace
}  // namespace brantel
