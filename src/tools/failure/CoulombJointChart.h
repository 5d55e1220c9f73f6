#pragma once

#include "tools/failure/CoulombJoint.h"

#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace brantel {

// The s1-beta chart of the discontinuity tool: s1 at failure against the
// angle beta between the discontinuity's normal and s1, one X-Y line over
// fixed axis scales (beta 0 to 90 in 9 divisions, s1 as Sigma1BetaSeries
// scales it). The points and scales come from CoulombJoint.h.
class Sigma1BetaChartView : public QChartView {
  Q_OBJECT

 public:
  explicit Sigma1BetaChartView(QWidget* parent = nullptr);

  // Draws the chart's points on its scales, under the titles.
  void Show(const Sigma1BetaChart& chart, const ChartTitles& titles);
  // No points: the state cannot be charted, and no earlier one stands for
  // it.
  void Clear();

  const QLineSeries* Series() const { return series_; }
  const QValueAxis* BetaAxis() const { return betaAxis_; }
  const QValueAxis* Sigma1Axis() const { return sigma1Axis_; }

 private:
  QLineSeries* series_;
  QValueAxis* betaAxis_;
  QValueAxis* sigma1Axis_;
};

}  // namespace brantel
