#pragma once

#include "forms/FormDialog.h"

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

// Fadum's influence factor under a corner of a uniformly loaded rectangle
// and the stress it gives there, with the chart of the factor on its own
// tab. Opened by the rectangular foundation tool; works on the corner
// fields of the project (CornerLoad, CornerWidth, CornerLength,
// CornerDepth). The mechanics are in Fadum.h.
class frmFadumCoefs : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kGraphTab = 0;
  static constexpr int kAnalysisTab = 1;

  explicit frmFadumCoefs(QWidget* owner = nullptr);
  ~frmFadumCoefs() override;

  // The chart and how often it has been drawn.
  QChart* Chart() const;
  int ChartDrawCount() const { return chartDrawCount_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The four inputs as last accepted.
  struct Inputs {
    float Load = 0.0f, Width = 0.0f, Length = 0.0f, Depth = 0.0f;
  };

  void Form_Load();
  void Form_Resize();
  void SSTab1_Click(int tab);
  void TextInput_Change();

  void CalcResults();
  void DrawFadumChart();
  void SetUpChart();
  void PlaceCurveLabels();

  struct Ui {
    QTabWidget* tabs;     // SSTab1
    QChartView* chart;    // MSChart1
    QLineEdit* load;      // txtFortio
    QLineEdit* width;     // txtPlatos
    QLineEdit* length;    // txtMhkos
    QLineEdit* depth;     // txtBathos
    QLineEdit* ir;        // txtIr
    QLineEdit* sigma;     // txtSigma
    QPushButton* ok;      // btnOk
    QPushButton* cancel;  // btnCancel
  } ui_;

  Inputs inputs_;
  QList<QLineSeries*> curves_;
  // The value of n beside the right end of each curve, and the heading "n".
  QList<QGraphicsSimpleTextItem*> curveLabels_;
  QGraphicsSimpleTextItem* curveHeading_ = nullptr;
  int chartDrawCount_ = 0;
};

}  // namespace brantel
