#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/failure/CoulombJoint.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/FailurePlot.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the discontinuity dialog's controls, for its code and its tests.
namespace coulombjoint {
inline constexpr char kParameterSet[] = "optSet";  // which of the two sets is shown
inline constexpr forms::ItemName kSet1 = forms::Item(kParameterSet, 0);
inline constexpr forms::ItemName kSet2 = forms::Item(kParameterSet, 1);
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kPoreOption[] = "chkPore";
inline constexpr char kPorePressureLabel[] = "lblPore";
inline constexpr char kPorePressure[] = "txtPore";
inline constexpr char kMaterialCohesion[] = "Text5";
inline constexpr char kMaterialFrictionAngle[] = "Text6";
inline constexpr char kMaterialStrength[] = "Text4";  // filled by the s1-beta chart
inline constexpr char kGraphOption[] = "optGraph";
inline constexpr forms::ItemName kNoGraph = forms::Item(kGraphOption, 0);
inline constexpr forms::ItemName kMohrGraph = forms::Item(kGraphOption, 1);
inline constexpr forms::ItemName kS1BetaGraph = forms::Item(kGraphOption, 2);
inline constexpr char kS1[] = "Text10";
inline constexpr char kS1Direction[] = "Text11";
inline constexpr char kS2[] = "Text12";
inline constexpr char kS2Direction[] = "Text13";
inline constexpr char kJointCohesion[] = "Text7";
inline constexpr char kJointFrictionAngle[] = "Text8";
inline constexpr char kJointInclination[] = "Text9";  // from the horizontal, counter-clockwise
inline constexpr char kInclinationSketch[] = "Picture1";
inline constexpr char kJointFailureVerdict[] = "txtJointFail";
inline constexpr char kMaterialFailureVerdict[] = "txtMatFail";
inline constexpr char kJointPoreFailureVerdict[] = "txtJoinFailPore";  // on the effective stresses
inline constexpr char kMaterialPoreFailureVerdict[] = "txtMatFailPore";
inline constexpr char kJointPoreFailureLabel[] = "lblJointFailPore";
inline constexpr char kMaterialPoreFailureLabel[] = "lblMatFailPore";
inline constexpr char kPoreNotice[] = "Label18";     // shown while the pore pressure exceeds s2
inline constexpr char kAngleToS1[] = "Text18";       // of the discontinuity's normal
inline constexpr char kJointLegendLine[] = "Line1";  // the legend of the Mohr plot
inline constexpr char kJointLegend[] = "Label25";
inline constexpr char kMaterialLegendLine[] = "Line2";
inline constexpr char kMaterialLegend[] = "Label26";
inline constexpr char kMohrPlot[] = "picMohr";
inline constexpr char kSigma1BetaChart[] = "MSChart1";
inline constexpr char kSlidingRangeStart[] = "Label4";  // under the chart
inline constexpr char kSlidingRangeEnd[] = "Label7";
inline constexpr char kCoordinates[] = "lblCoord";  // the read-outs of the point under the pointer
inline constexpr char kInternalCoordinates[] = "lblIntCoord";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace coulombjoint

class Sigma1BetaChartView;

// The Mohr plot of the discontinuity tool, on one scale for both axes and a
// grid: the half-circles of the total and effective stresses, the envelopes
// of the material (teal) and of the discontinuity (yellow) from their
// cohesions on the shear axis, the limits of the range of planes that can
// slide (magenta) and the radius to the given discontinuity at 2 beta
// (brown); the values s2, C and s1 under the axis and the two cohesions
// beside it.
class CoulombJointPlot : public FailurePlot {
  Q_OBJECT

 public:
  static constexpr QRgb kYellow = qRgb(255, 255, 0);   // the discontinuity's envelope, marker and caption
  static constexpr QRgb kMagenta = qRgb(255, 0, 255);  // the limits of the sliding range
  static constexpr QRgb kBrown = qRgb(144, 80, 64);    // the given discontinuity

  explicit CoulombJointPlot(QWidget* parent = nullptr);

  // The state drawn: the principal stresses, the material with the pore
  // pressure that acts, the discontinuity and its angle beta from s1.
  void SetState(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane, float beta);

 protected:
  void SetCaptions() override;
  void DrawCriterion() override;
  void PlaceCaptions() override;

 private:
  Principal2D principal_;
  JointMaterial material_;
  JointPlane plane_;
  float beta_ = 0;
  float jointRow_ = 0;  // the row of the discontinuity's cohesion
};

// The Coulomb criterion in a material with one pre-existing discontinuity:
// principal stresses, failure of the intact material and sliding on the
// discontinuity, each with and without pore pressure, for one of two
// parameter sets at a time, with the Mohr plot or the s1-beta chart. Works
// on the Joint fields of the project (JointStress, JointMaterials,
// JointPlanes, JointSelectedSet); the mechanics are in CoulombJoint.h.
class CoulombJointDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 7650;
  static constexpr int kWideWidth = 11955;

  explicit CoulombJointDialog(QWidget* owner = nullptr);
  ~CoulombJointDialog() override;

  // The working copy of a set's material.
  const JointMaterial& WorkingMaterial(int set) const { return material_.at(static_cast<std::size_t>(set)); }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  // The constructor's steps: the controls built from the table and found,
  // the plot given its read-outs; the input boxes in the order of
  // validation; the buttons, boxes and options connected to their handlers.
  void BuildControls();
  void AddInputs();
  void ConnectHandlers();

  void OnLoad();
  void OnParameterSetChosen(int index);
  void OnInputEdited();
  void OnPoreOptionToggled();
  void OnGraphChosen();
  void OnOkClicked();

  // Shows a set in the boxes and computes it.
  void LoadSet(int set);
  // Stores the boxes in a set without checking them.
  void ReadInputs(int set);
  void CalcStresses();
  void ClearResults();
  void RedrawGraph(bool reset);
  void DrawSigma1BetaPlot();
  void ShowPoreOption();

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QCheckBox* poreOption;
    QLineEdit* porePressure;
    QLineEdit* materialCohesion;
    QLineEdit* materialFrictionAngle;
    QLineEdit* materialStrength;
    QLineEdit* jointCohesion;
    QLineEdit* jointFrictionAngle;
    QLineEdit* jointInclination;
    QLineEdit* s1;
    QLineEdit* s1Direction;
    QLineEdit* s2;
    QLineEdit* s2Direction;
    QLineEdit* jointFailureVerdict;
    QLineEdit* materialFailureVerdict;
    QLineEdit* jointPoreFailureVerdict;
    QLineEdit* materialPoreFailureVerdict;
    QLineEdit* angleToS1;
    QLabel* poreNotice;
    QLabel* slidingRangeStart;
    QLabel* slidingRangeEnd;
    QPushButton* ok;
    forms::OptionArray parameterSet;
    forms::ChoiceArray<StressGraph> graphOption;
    PoreControls materialPore;  // the option with the material's pore verdict
    PoreControls jointPore;     // and with the discontinuity's
    std::array<QWidget*, 4> legend;
    std::array<QLabel*, 2> readouts;  // the coordinates and the rounded ones
    CoulombJointPlot* plot;
    Sigma1BetaChartView* chart;
  } ui_;

  // The working copy of both sets.
  std::array<StressInput, 2> stress_{};
  std::array<JointMaterial, 2> material_{};
  std::array<JointPlane, 2> plane_{};
  int set_ = 0;  // the set shown
  // The input boxes, read into the entry copy of the set shown.
  forms::NumericInputs inputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  StressInput entryStress_;
  JointMaterial entryMaterial_;
  JointPlane entryPlane_;
  float entryPore_ = 0;
  JointResult result_;
  bool calculating_ = false;
};

}  // namespace brantel
