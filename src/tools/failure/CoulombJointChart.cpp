#include "tools/failure/CoulombJointChart.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QValueAxis>

#include <memory>

namespace brantel {
namespace {

const QColor kLine(0, 0, 255);

// Every text and scale handed to the chart lays it out anew, even one it
// shows already: each is set only when it changes. The number of ticks
// goes first, since a new range lays the labels out at once with the ticks
// the axis has.
void SetScale(QValueAxis* axis, const ChartAxisScale& scale) {
  if (axis->tickCount() != scale.MajorDivisions + 1) axis->setTickCount(scale.MajorDivisions + 1);
  if (axis->min() != scale.Minimum || axis->max() != scale.Maximum) axis->setRange(scale.Minimum, scale.Maximum);
}

void SetTitle(QValueAxis* axis, const QString& title) {
  if (axis->titleText() != title) axis->setTitleText(title);
}

}  // namespace

Sigma1BetaChartView::Sigma1BetaChartView(QWidget* parent)
    : QChartView(parent), series_(new QLineSeries), betaAxis_(new QValueAxis), sigma1Axis_(new QValueAxis) {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setMargins(QMargins(4, 2, 8, 2));
  chart->setBackgroundRoundness(0);
  // The theme's white ground as a plain brush rather than a gradient from
  // white to white, which costs a blend of every pixel at each paint.
  chart->setBackgroundBrush(Qt::white);
  QFont title = font();
  title.setBold(true);
  chart->setTitleFont(title);

  series_->setPen(QPen(kLine, 2));
  chart->addSeries(series_);
  QFont axisTitle = font();
  QFont labels = font();
  labels.setPointSizeF(font().pointSizeF() - 1);
  for (QValueAxis* axis : {betaAxis_, sigma1Axis_}) {
    axis->setTitleFont(axisTitle);
    axis->setLabelsFont(labels);
    axis->setLabelFormat(QStringLiteral("%g"));
  }
  chart->addAxis(betaAxis_, Qt::AlignBottom);
  chart->addAxis(sigma1Axis_, Qt::AlignLeft);
  series_->attachAxis(betaAxis_);
  series_->attachAxis(sigma1Axis_);
  SetScale(betaAxis_, Sigma1BetaChart{}.BetaAxis);
  SetScale(sigma1Axis_, Sigma1AxisScale(0, 0));

  // The view gives up the chart it was made with without deleting it.
  std::unique_ptr<QChart> blank(this->chart());
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setAccessibleName(QStringLiteral("s1-b"));
}

void Sigma1BetaChartView::Show(const Sigma1BetaChart& chart, const ChartTitles& titles) {
  if (this->chart()->title() != titles.Title) this->chart()->setTitle(titles.Title);
  SetTitle(betaAxis_, titles.BetaTitle);
  SetTitle(sigma1Axis_, titles.Sigma1Title);
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(chart.Points.size()));
  for (const PlotPoint& p : chart.Points) points.append(QPointF(p.X, p.Y));
  SetScale(betaAxis_, chart.BetaAxis);
  SetScale(sigma1Axis_, chart.Sigma1Axis);
  if (series_->points() != points) series_->replace(points);
  // Laid out now, not when the event loop next runs: a paint that came
  // first would be followed by a second one with the axes in place.
  if (this->chart()->layout()) this->chart()->layout()->activate();
}

void Sigma1BetaChartView::Clear() { series_->clear(); }

}  // namespace brantel
