#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/stress/FoundationDialogs.h"

#include <QList>

class QChart;
class QChartView;
class QGraphicsSimpleTextItem;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QResizeEvent;
class QTabWidget;

namespace brantel {

// The design names of the Fadum coefficient dialog's controls, for its code and its tests.
namespace fadumchart {
using namespace foundationboxes;  // the foundation's pressure, width and length, OK and Cancel
// The pressure on the foundation, which this dialog calls the distributed load.
inline constexpr auto& kDistributedLoad = kFoundationPressure;
inline constexpr auto& kDistributedLoadLabel = kFoundationPressureLabel;
inline constexpr char kTabs[] = "SSTab1";  // the chart and the analysis
inline constexpr char kFadumChart[] = "MSChart1";
inline constexpr char kPointDepth[] = "txtBathos";
inline constexpr char kPointDepthLabel[] = "Label14";
inline constexpr char kCornerStressLabel[] = "Label22";
inline constexpr char kIrCoefficient[] = "txtIr";
inline constexpr char kCornerStress[] = "txtSigma";  // the additional stress q Ir under the corner
}  // namespace fadumchart

// Fadum's influence factor under a corner of a uniformly loaded rectangle
// and the stress it gives there, with the chart of the factor on its own
// tab. Opened by the rectangular foundation tool; works on the corner
// fields of the project (CornerLoad, CornerWidth, CornerLength,
// CornerDepth). The mechanics are in Fadum.h.
class FadumChartDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kGraphTab = 0;
  static constexpr int kAnalysisTab = 1;

  explicit FadumChartDialog(QWidget* owner = nullptr);
  ~FadumChartDialog() override;

  // The chart and how often it has been drawn.
  QChart* Chart() const;
  int ChartDrawCount() const { return chartDrawCount_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnLoad();
  void OnResize();
  void OnTabChanged(int tab);
  void OnInputEdited();

  void CalcResults();
  void DrawFadumChart();
  void SetUpChart();
  void PlaceCurveLabels();

  struct Ui {
    QTabWidget* tabs;
    QChartView* fadumChart;
    QLineEdit* load;
    QLineEdit* width;
    QLineEdit* length;
    QLineEdit* depth;
    QLineEdit* irCoefficient;
    QLineEdit* cornerStress;
    QPushButton* ok;
    QPushButton* cancel;
  } ui_;

  // The four inputs as last accepted, and their boxes.
  struct Values {
    float Load = 0.0f, Width = 0.0f, Length = 0.0f, Depth = 0.0f;
  } values_;
  forms::NumericInputs inputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  QList<QLineSeries*> curves_;
  // The value of n beside the right end of each curve, and the heading "n".
  QList<QGraphicsSimpleTextItem*> curveLabels_;
  QGraphicsSimpleTextItem* curveHeading_ = nullptr;
  int chartDrawCount_ = 0;
};

}  // namespace brantel
