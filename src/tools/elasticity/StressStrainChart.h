#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace brantel {

// The stress-strain chart of the uniaxial test tool: one curve of the axial
// stress against the axial strain, the points joined in the order given, on
// two linear axes that start at 0 and reach a little past the largest
// value, at round numbers. The
// chart library stays behind this class.
class StressStrainChart : public QWidget {
  Q_OBJECT

 public:
  explicit StressStrainChart(QWidget* parent = nullptr);
  ~StressStrainChart() override;

  void SetTitles(const QString& title, const QString& xTitle, const QString& yTitle);
  // Draws the curve through the points; an empty list leaves the axes bare.
  void SetPoints(const std::vector<QPointF>& points);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QChart* chart_ = nullptr;
  QChartView* view_ = nullptr;
  QLineSeries* series_ = nullptr;
  QValueAxis* axisX_ = nullptr;
  QValueAxis* axisY_ = nullptr;
};

}  // namespace brantel
