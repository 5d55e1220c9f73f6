#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
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

// The design names of the laboratory test dialog's controls, for its code,
// its tests and its benchmark.
namespace labtest {
inline constexpr char kHeight[] = "txtHeight";
inline constexpr char kDiameter[] = "txtDiam";
inline constexpr char kArea[] = "txtArea";
inline constexpr char kDiameterLabel[] = "lblDiam";
inline constexpr char kAreaLabel[] = "lblArea";
inline constexpr char kCalcDiameter[] = "lblCalcDiam";  // the diameter of a given area
inline constexpr char kAreaFrom[] = "optArea";          // what gives the loading area
inline constexpr forms::ItemName kAreaFromDiameter = forms::Item(kAreaFrom, 0);
inline constexpr forms::ItemName kAreaGiven = forms::Item(kAreaFrom, 1);
inline constexpr char kCount[] = "txtNum";       // the number of data points
inline constexpr char kCountBar[] = "HScroll1";  // the same number, by steps
inline constexpr char kDataType[] = "optType";
inline constexpr forms::ItemName kForceStrain = forms::Item(kDataType, 0);
inline constexpr forms::ItemName kForceDisplacement = forms::Item(kDataType, 1);
inline constexpr forms::ItemName kStressStrain = forms::Item(kDataType, 2);
inline constexpr char kPlot[] = "chkPlot";  // the chart switch
inline constexpr char kVolume[] = "txtVol";
inline constexpr char kModulus[] = "Text4";  // mean elasticity modulus
inline constexpr char kPoisson[] = "Text5";  // mean Poisson's ratio
inline constexpr char kEnergy[] = "Text6";   // energy to failure
inline constexpr char kGrid[] = "fLx1";      // the readings
inline constexpr char kChart[] = "MSChart1";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace labtest

class StressStrainChart;

// Evaluation of a uniaxial compression test: the readings of up to 20 load
// steps in a grid, the columns the data type leaves open filled in, the
// specimen volume, the mean elasticity modulus, the mean Poisson's ratio,
// the energy to failure and the stress-strain chart. Works on the
// LabTestInputs fields of the project; the mechanics are in LabTest.h.
class LabTestDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8355;
  static constexpr int kWideWidth = 12360;

  explicit LabTestDialog(QWidget* owner = nullptr);
  ~LabTestDialog() override;

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
    QLineEdit* height;
    QLineEdit* diameter;
    QLineEdit* area;
    QLabel* diameterLabel;
    QLabel* areaLabel;
    QLabel* calcDiameter;
    QLineEdit* count;
    QScrollBar* countBar;
    QCheckBox* plot;
    QLineEdit* volume;
    QLineEdit* modulus;
    QLineEdit* poisson;
    QLineEdit* energy;
    QTableWidget* grid;
    StressStrainChart* chart;
    forms::OptionArray areaFrom;
    forms::OptionArray dataType;
  } ui_;

  // The specimen's boxes, read by OK into the 32-bit fields below; the
  // readings of the grid keep their own cell handling.
  forms::NumericInputs inputs_;
  float height_ = 0;
  float diameter_ = 0;
  float area_ = 0;

  int pointCount_ = 1;
  // The texts of the rows a smaller count dropped, given back when the
  // count grows again (typing "12" passes through a count of 1).
  std::array<std::array<QString, labcol::kCount>, kLabMaxPointCount> dropped_{};
  bool gridBusy_ = false;  // the dialog itself is resizing the grid or the count box
  LabEvaluation evaluation_;
};

}  // namespace brantel
