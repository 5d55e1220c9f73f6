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
inline constexpr char kSet[] = "optSet";  // the parameter set shown
inline constexpr forms::ItemName kSet1 = forms::Item(kSet, 0);
inline constexpr forms::ItemName kSet2 = forms::Item(kSet, 1);
inline constexpr char kSx[] = "Text1";      // sx
inline constexpr char kSy[] = "Text2";      // sy
inline constexpr char kTxy[] = "Text3";     // txy
inline constexpr char kPore[] = "chkPore";  // the pore pressure option
inline constexpr char kPoreLabel[] = "lblPore";
inline constexpr char kPorePressure[] = "txtPore";  // pore pressure
inline constexpr char kCohesion[] = "Text5";        // material cohesion
inline constexpr char kFriction[] = "Text6";        // material friction angle
inline constexpr char kStrength[] = "Text4";        // material strength, from the s1-b chart
inline constexpr char kGraph[] = "optGraph";        // the graph option
inline constexpr forms::ItemName kNoGraph = forms::Item(kGraph, 0);
inline constexpr forms::ItemName kMohrGraph = forms::Item(kGraph, 1);
inline constexpr forms::ItemName kS1BetaGraph = forms::Item(kGraph, 2);
inline constexpr char kS1[] = "Text10";                         // s1
inline constexpr char kTheta1[] = "Text11";                     // angle of s1
inline constexpr char kS2[] = "Text12";                         // s2
inline constexpr char kTheta2[] = "Text13";                     // angle of s2
inline constexpr char kJointCohesion[] = "Text7";               // discontinuity cohesion
inline constexpr char kJointFriction[] = "Text8";               // discontinuity friction angle
inline constexpr char kAlpha[] = "Text9";                       // discontinuity angle from the horizontal
inline constexpr char kSketch[] = "Picture1";                   // the sketch of the angle's sense
inline constexpr char kJointFailure[] = "txtJointFail";         // the verdict on the discontinuity
inline constexpr char kFailure[] = "txtMatFail";                // the verdict on the material
inline constexpr char kJointPoreFailure[] = "txtJoinFailPore";  // on the discontinuity with pore pressure
inline constexpr char kPoreFailure[] = "txtMatFailPore";        // on the material with pore pressure
inline constexpr char kJointPoreFailureLabel[] = "lblJointFailPore";
inline constexpr char kPoreFailureLabel[] = "lblMatFailPore";
inline constexpr char kPoreNotice[] = "Label18";     // the notice of a pore pressure above s2
inline constexpr char kBeta[] = "Text18";            // angle to s1
inline constexpr char kJointLegendLine[] = "Line1";  // the legend of the Mohr plot
inline constexpr char kJointLegend[] = "Label25";
inline constexpr char kMaterialLegendLine[] = "Line2";
inline constexpr char kMaterialLegend[] = "Label26";
inline constexpr char kPlot[] = "picMohr";    // the Mohr plot
inline constexpr char kChart[] = "MSChart1";  // the s1-b chart
inline constexpr char kBeta1[] = "Label4";    // the ends of the sliding range, under the chart
inline constexpr char kBeta2[] = "Label7";
inline constexpr char kCoord[] = "lblCoord";        // the coordinates under the pointer
inline constexpr char kIntCoord[] = "lblIntCoord";  // the rounded coordinates
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
// on CoulombJointSets of the project; the mechanics are in CoulombJoint.h.
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
  void Form_Load();
  void optSet_Click(int index);
  void TextInput_Change();
  void chkPore_Click();
  void optGraph_Click();
  void CmdOk_Click();

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
    QCheckBox* pore;
    QLineEdit* porePressure;
    QLineEdit* cohesion;
    QLineEdit* friction;
    QLineEdit* strength;
    QLineEdit* jointCohesion;
    QLineEdit* jointFriction;
    QLineEdit* alpha;
    QLineEdit* s1;
    QLineEdit* theta1;
    QLineEdit* s2;
    QLineEdit* theta2;
    QLineEdit* jointFailure;
    QLineEdit* failure;
    QLineEdit* jointPoreFailure;
    QLineEdit* poreFailure;
    QLineEdit* beta;
    QLabel* poreNotice;
    QLabel* beta1;
    QLabel* beta2;
    QPushButton* ok;
    forms::OptionArray set;
    forms::OptionArray graph;
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
  qint16 set_ = 0;  // the set shown
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
