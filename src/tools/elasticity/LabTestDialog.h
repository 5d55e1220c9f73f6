#pragma once

#include "forms/FormDialog.h"
#include "tools/elasticity/LabTest.h"

#include <QString>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

namespace brantel {

class StressStrainChart;

// Evaluation of a uniaxial compression test: the readings of up to 20 load
// steps in a grid, the columns the data type leaves open filled in, the
// specimen volume, the mean elasticity modulus, the mean Poisson's ratio,
// the energy to failure and the stress-strain chart. Works on the
// LabTestInputs fields of the project; the mechanics are in LabTest.h.
class frmLab : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8355;
  static constexpr int kWideWidth = 12360;

  explicit frmLab(QWidget* owner = nullptr);
  ~frmLab() override;

  // The number of data rows N.
  int PointCount() const { return pointCount_; }
  // The last evaluation shown.
  const LabEvaluation& Evaluation() const { return evaluation_; }

  // The cell editor of the grid for the cell at data row r (1..N) and grid
  // column c, as a double click or Enter on the cell raises it.
  void fLx1_EditCell(int r, int c);

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void LoadFromGlobals();
  void SaveToGlobals();
  void SetupGridForDataType();
  void EvaluateTest();
  void PlotStressStrain();

  void txtHeight_Change();
  void txtDiam_Change();
  void txtArea_Change();
  void txtNum_Change();
  void txtNum_LostFocus();
  void HScroll1_Change(int value);
  void optArea_Click(int index);
  void optType_Click(int index);
  void chkPlot_Click();

  // Makes the grid N data rows long, keeping the rows that remain, and
  // shows N in the box and on the scroll bar.
  void SetPointCount(int n);
  void WriteGridHeader();
  // The leading number of a cell (0 for an empty one).
  double CellValue(int r, int c) const;
  void SetCellText(int r, int c, const QString& text);

  struct Ui {
    QLineEdit* height;      // txtHeight
    QLineEdit* diameter;    // txtDiam
    QLineEdit* area;        // txtArea
    QLabel* diameterLabel;  // lblDiam
    QLabel* areaLabel;      // lblArea
    QLabel* calcDiameter;   // lblCalcDiam
    QLineEdit* count;       // txtNum
    QScrollBar* countBar;   // HScroll1
    QCheckBox* plot;        // chkPlot
    QLineEdit* volume;      // txtVol
    QLineEdit* modulus;     // Text4
    QLineEdit* poisson;     // Text5
    QLineEdit* energy;      // Text6
    QTableWidget* grid;     // fLx1
    StressStrainChart* chart;  // MSChart1
    forms::OptionArray areaFrom;  // optArea
    forms::OptionArray dataType;  // optType
  } ui_;

  int pointCount_ = 1;
  // The texts of the rows a smaller count dropped, given back when the
  // count grows again (typing "12" passes through a count of 1).
  std::array<std::array<QString, labcol::kCount>, kLabMaxPointCount> dropped_{};
  bool gridBusy_ = false;  // the dialog itself is resizing the grid or the count box
  LabEvaluation evaluation_;
};

}  // namespace brantel
