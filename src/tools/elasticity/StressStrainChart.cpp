#include "tools/elasticity/StressStrainChart.h"

#include "graph/NiceNumber.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QList>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

// An automatic scale from 0 a little past the largest value, in steps of
// a round number; 0 to 1 for nothing above 0. The axis is touched only when
// its scale changes, since every change lays the chart out anew.
void ScaleFromZero(QValueAxis* axis, double largest) {
  double top = 1;
  int ticks = 6;
  if (largest > 0 && std::isfinite(largest)) {
    const double reach = largest * 1.05;
    const double step = NiceNumber(NiceNumber(reach, true) / 5, false);
    const double steps = std::ceil(reach / step);
    top = steps * step;
    ticks = static_cast<int>(steps) + 1;
  }
  if (axis->tickCount() != ticks) axis->setTickCount(ticks);
  if (axis->min() != 0 || axis->max() != top) axis->setRange(0, top);
}

}  // namespace

StressStrainChart::StressStrainChart(QWidget* parent) : QWidget(parent) {
  chart_ = new QChart;
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->legend()->hide();
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  chart_->setMargins(QMargins(4, 4, 8, 4));
  chart_->setBackgroundRoundness(0);
  QFont titleFont = font();
  titleFont.setBold(true);
  chart_->setTitleFont(titleFont);

  series_ = new QLineSeries;
  series_->setPointsVisible(true);
  QPen pen(QColor(0, 0, 255));
  pen.setWidth(2);
  series_->setPen(pen);
  chart_->addSeries(series_);

  axisX_ = new QValueAxis;
  axisY_ = new QValueAxis;
  for (QValueAxis* axis : {axisX_, axisY_}) {
    axis->setLabelsFont(font());
    axis->setTitleFont(font());
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTickCount(6);
    axis->setRange(0, 1);
  }
  chart_->addAxis(axisX_, Qt::AlignBottom);
  chart_->addAxis(axisY_, Qt::AlignLeft);
  series_->attachAxis(axisX_);
  series_->attachAxis(axisY_);

  view_ = new QChartView(chart_, this);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setFrameShape(QFrame::Box);
  view_->setGeometry(rect());
}

StressStrainChart::~StressStrainChart() = default;

void StressStrainChart::SetTitles(const QString& title, const QString& xTitle, const QString& yTitle) {
  // Setting a text lays the chart out anew, even the text it has.
  if (chart_->title() != title) chart_->setTitle(title);
  if (axisX_->titleText() != xTitle) axisX_->setTitleText(xTitle);
  if (axisY_->titleText() != yTitle) axisY_->setTitleText(yTitle);
}

void StressStrainChart::SetPoints(const std::vector<QPointF>& points) {
  double xMax = 0, yMax = 0;
  for (const QPointF& p : points) {
    xMax = std::max(xMax, p.x());
    yMax = std::max(yMax, p.y());
  }
  ScaleFromZero(axisX_, xMax);
  ScaleFromZero(axisY_, yMax);
  // A curve handed over again is worked out and painted anew: one that
  // stands already (the height changes no point) is left as it is.
  const QList<QPointF> curve(points.begin(), points.end());
  if (series_->points() != curve) series_->replace(curve);
}

void StressStrainChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  view_->setGeometry(rect());
}

}  // namespace brantel
