#include "graph/GraphChart.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace brantel {
namespace {

// The numbers the chart writes along its axes, in order.
std::vector<double> AxisNumbers(GraphChart& chart, QStringList& texts) {
  chart.Picture();  // laid out and drawn
  std::vector<double> numbers;
  const QGraphicsView* view = chart.findChild<QGraphicsView*>();
  for (QGraphicsItem* item : view->scene()->items()) {
    const auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
    if (!text || !text->isVisible()) continue;
    bool ok = false;
    const double value = text->toPlainText().toDouble(&ok);
    if (!ok) continue;
    numbers.push_back(value);
    texts << text->toPlainText();
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

// One curve from x = 1 to 3 (axis 1, 1.5 .. 3) with y from low to high.
void ShowCurve(GraphChart& chart, double low, double high) {
  chart.SetRepainting(false);
  chart.SetCurveCount(1);
  chart.SetPointCount(1, 3);
  chart.SetPoint(1, 1, 1, low);
  chart.SetPoint(1, 2, 2, (low + high) / 2);
  chart.SetPoint(1, 3, 3, high);
  chart.SetRepainting(true);
}

// Typed values change the axes one after another, across steps that add
// up exactly and steps that do not: every tick carries its number, the
// numbers are round (0 reads 0), and the values lie on the axis.
TEST(GraphChartAxes, RoundNumbersAtEveryTickAsTheValuesChange) {
  GraphChart chart;
  chart.resize(600, 400);
  const std::vector<double> xs{1, 1.5, 2, 2.5, 3};
  const struct {
    double low, high;
    std::vector<double> ys;
  } cases[] = {
      {-2.6, 9.8, {-5, 0, 5, 10}},
      {-3.2, 10.39, {-5, 0, 5, 10, 15}},
      {-0.26, 0.07, {-0.3, -0.2, -0.1, 0, 0.1}},
      {-0.0888, 0.0457, {-0.1, -0.05, 0, 0.05}},
      {-0.2919, 0.1883, {-0.3, -0.2, -0.1, 0, 0.1, 0.2}},
      {-2.6, 9.8, {-5, 0, 5, 10}},
      {0.0012, 0.0047, {0.001, 0.002, 0.003, 0.004, 0.005}},
      {-0.71, -0.07, {-0.8, -0.6, -0.4, -0.2, 0}},
      {30, 30, {26, 28, 30, 32, 34}},
      {0, 1e6, {0, 200000, 400000, 600000, 800000, 1e6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.low << " .. " << c.high);
    ShowCurve(chart, c.low, c.high);
    std::vector<double> expected = xs;
    expected.insert(expected.end(), c.ys.begin(), c.ys.end());
    std::sort(expected.begin(), expected.end());
    QStringList texts;
    const std::vector<double> numbers = AxisNumbers(chart, texts);
    ASSERT_EQ(numbers.size(), expected.size()) << texts.join(u' ').toStdString();
    for (std::size_t i = 0; i < numbers.size(); ++i) EXPECT_NEAR(numbers[i], expected[i], 1e-12);
    for (const QString& text : texts) {
      EXPECT_FALSE(text.contains(u'e') && !text.contains(QStringLiteral("e+"))) << text.toStdString();
      EXPECT_NE(text, QStringLiteral("-0"));
    }
  }
}

// Changes made one by one, without suspending the repainting, reach the
// chart in one go when the event loop runs; whatever asks the chart before
// that sees them already.
TEST(GraphChartChanges, SingleChangesShowAtOnceToQuestions) {
  GraphChart chart;
  chart.resize(400, 300);
  chart.SetCurveCount(1);
  chart.SetPointCount(1, 2);
  chart.SetPoint(1, 1, 0, 0);
  chart.SetPoint(1, 2, 10, 100);
  EXPECT_FALSE(chart.LegendShown());
  chart.SetSeriesLabel(1, QStringLiteral("sRadial"));
  EXPECT_TRUE(chart.LegendShown());
  const QPointF far = chart.PixelOf(1, 2);
  EXPECT_EQ(chart.NearestPoint(far.toPoint()).point, 2);
  EXPECT_NEAR(chart.ValueAt(far.toPoint()).y(), 100, 1);
  chart.SetPoint(1, 2, 10, 50);  // the axis now ends at 50
  EXPECT_NEAR(chart.ValueAt(chart.PixelOf(1, 2).toPoint()).y(), 50, 0.5);
  EXPECT_LT(std::abs(chart.PixelOf(1, 2).y() - far.y()), 1);
}

// The pointer over the chart reaches the chart itself (the drawing inside
// takes no mouse events), so pointer moves name the points under it.
TEST(GraphChartPointer, MovesReachTheChart) {
  GraphChart chart;
  chart.resize(400, 300);
  ShowCurve(chart, 0, 10);
  chart.show();
  QApplication::processEvents();
  const QPoint at = chart.PixelOf(1, 2).toPoint();
  EXPECT_EQ(chart.childAt(at), nullptr);
  int moves = 0;
  QObject::connect(&chart, &GraphChart::PointerMoved, [&] { ++moves; });
  QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&chart, &move);
  EXPECT_EQ(moves, 1);
}

}  // namespace
}  // namespace brantel
