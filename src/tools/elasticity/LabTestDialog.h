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
inline constexpr char kEquivalentDiameter[] = "lblCalcDiam";
inline constexpr char kAreaSource[] = "optArea";
inline constexpr forms::ItemName kAreaFromDiameter = forms::Item(kAreaSource, 0);
inline constexpr forms::ItemName kAreaGiven = forms::Item(kAreaSource, 1);
inline constexpr char kPointCount[] = "txtNum";
inline constexpr char kPointCountBar[] = "HScroll1";
inline constexpr char kDataType[] = "optType";
inline constexpr forms::ItemName kForceStrain = forms::Item(kDataType, 0);
inline constexpr forms::ItemName kForceDisplacement = forms::Item(kDataType, 1);
inline constexpr forms::ItemName kStressStrain = forms::Item(kDataType, 2);
inline constexpr char kShowChart[] = "chkPlot";
inline constexpr char kVolume[] = "txtVol";
inline constexpr char kMeanModulus[] = "Text4";
inline constexpr char kMeanPoisson[] = "Text5";
inline constexpr char kFailureEnergy[] = "Text6";
inline constexpr char kReadings[] = "fLx1";
inline constexpr char kChart[] = "MSChart1";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace labtest

class StressStrainChart;

// Evaluation of a uniaxial compression test: the readings of up to 20 load
// steps in a grid, the columns the data type leaves open filled in, the
// specimen volume, the mean elasticity modulus, the mean Poisson's ratio,
// the energy to failure and the stress-strain chart. Works on the Lab
// fields of the project (LabHeight to LabPoints); the mechanics are in
// LabTest.h.
class LabTestDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8355;
  static constexpr int kWideWidth = 12360;

  explicit LabTestDialog(QWidget* owner = nullptr);
  ~LabTestDialog() override;

  // The cell editor of the grid for the cell at data row r (1..N) and grid
  // column c, as a double click or Enter on the cell raises it.
  void EditCell(int r, int c);

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void SetupGridForDataType();
  LabDataKind DataKindChosen() const;  // the options chosen in the groups
  LabAreaSource AreaSourceChosen() const;
  void EvaluateTest();
  void PlotStressStrain();

  // The height or the diameter edited.
  void OnSpecimenEdited();
  void OnAreaEdited();
  void OnPointCountEdited();
  void OnPointCountFocusLost();
  void OnPointCountScrolled(int value);
  void OnAreaSourceChosen(LabAreaSource source);
  void OnDataTypeChosen();
  void OnShowChartToggled();

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
    QLabel* equivalentDiameter;
    QLineEdit* pointCount;
    QScrollBar* pointCountBar;
    QCheckBox* showChart;
    QLineEdit* volume;
    QLineEdit* meanModulus;
    QLineEdit* meanPoisson;
    QLineEdit* failureEnergy;
    QTableWidget* readings;
    StressStrainChart* chart;
    forms::ChoiceArray<LabAreaSource> areaSource;
    forms::ChoiceArray<LabDataKind> dataType;
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
