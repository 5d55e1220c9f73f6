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

void SetScale(QValueAxis* axis, const ChartAxisScale& scale) {
  axis->setRange(scale.Minimum, scale.Maximum);
  axis->setTickCount(scale.MajorDivisions + 1);
}

}  // namespace

Sigma1BetaChartView::Sigma1BetaChartView(QWidget* parent)
    : QChartView(parent), series_(new QLineSeries), betaAxis_(new QValueAxis), sigma1Axis_(new QValueAxis) {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  chart->setMargins(QMargins(4, 2, 8, 2));
  chart->setBackgroundRoundness(0);
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
  this->chart()->setTitle(titles.Title);
  betaAxis_->setTitleText(titles.BetaTitle);
  sigma1Axis_->setTitleText(titles.Sigma1Title);
  SetScale(betaAxis_, chart.BetaAxis);
  SetScale(sigma1Axis_, chart.Sigma1Axis);
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(chart.Points.size()));
  for (const PlotPoint& p : chart.Points) points.append(QPointF(p.X, p.Y));
  series_->replace(points);
}

void Sigma1BetaChartView::Clear() { series_->clear(); }

}  // namespace brantel
