#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/failure/Coulomb.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/FailurePlot.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the Coulomb dialog's controls, for its code and its tests.
namespace coulomb {
inline constexpr char kSx[] = "Text1";            // sx
inline constexpr char kSy[] = "Text2";            // sy
inline constexpr char kTxy[] = "Text3";           // txy
inline constexpr char kPore[] = "chkPore";        // the pore pressure option
inline constexpr char kPorePressure[] = "Text4";  // pore pressure
inline constexpr char kCohesion[] = "Text5";      // cohesion
inline constexpr char kStrength[] = "Text6";      // uniaxial strength
inline constexpr char kFriction[] = "Text7";      // friction angle
inline constexpr char kParam[] = "optParam";      // the option of the derived parameter
inline constexpr forms::ItemName kDeriveCohesion = forms::Item(kParam, 0);
inline constexpr forms::ItemName kDeriveStrength = forms::Item(kParam, 1);
inline constexpr forms::ItemName kDeriveFriction = forms::Item(kParam, 2);
inline constexpr char kGraph[] = "optGraph";  // the graph option
inline constexpr forms::ItemName kNoGraph = forms::Item(kGraph, 0);
inline constexpr forms::ItemName kMohrGraph = forms::Item(kGraph, 1);
inline constexpr forms::ItemName kS1S2Graph = forms::Item(kGraph, 2);
inline constexpr char kS1[] = "Text11";             // s1
inline constexpr char kTheta1[] = "Text12";         // angle of s1
inline constexpr char kS2[] = "Text13";             // s2
inline constexpr char kTheta2[] = "Text14";         // angle of s2
inline constexpr char kFailure[] = "Text8";         // the verdict
inline constexpr char kPoreFailure[] = "Text9";     // the verdict with pore pressure
inline constexpr char kFailureAngle[] = "Text10";   // failure angle from the X axis
inline constexpr char kShear[] = "Text20";          // shear stress at failure
inline constexpr char kPoreNotice[] = "Label15";    // the pore pressure notice
inline constexpr char kLimit[] = "cmdLimit";        // upper limit search
inline constexpr char kLimitDown[] = "cmdLimitD";   // lower limit search
inline constexpr char kZoom[] = "HScroll1";         // the zoom of the plot
inline constexpr char kPlot[] = "picMohr1";         // the plot
inline constexpr char kCoord[] = "lblCoord";        // the coordinates under the pointer
inline constexpr char kIntCoord[] = "lblIntCoord";  // the rounded coordinates
inline constexpr char kPoreLabel[] = "lblPorePress";
inline constexpr char kPoreFailureLabel[] = "Label9";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace coulomb

// The plot of the Coulomb tool: the Mohr circle with the Coulomb envelope
// (view 1) or the s1-s3 plane with the criterion line (view 2), on one
// scale for both axes and a grid, with the values s2, C and s1 under the
// axis and c or UCS beside it.
class CoulombPlot : public FailurePlot {
  Q_OBJECT

 public:
  explicit CoulombPlot(QWidget* parent = nullptr);

  // The state drawn: the principal stresses, the parameters (the derived
  // one filled in) and the view (0 none, 1 Mohr, 2 s1-s3).
  void SetState(const Principal2D& principal, const CoulombParams& params, qint16 view);
  qint16 View() const { return view_; }

 protected:
  void DrawCriterion() override;
  void PlaceCaptions() override;

 private:
  void DrawMohrCircle();
  void DrawS1S3Plot();

  Principal2D principal_;
  CoulombParams params_;
  qint16 view_ = 0;
};

// The Coulomb criterion in intact material: principal stresses, the third
// of cohesion, uniaxial strength and friction angle from the other two, the
// verdict with and without pore pressure, the failure plane and the shear
// on it, the searches for the stress at which failure starts, and the plot.
// Works on CoulombStress, CoulombInput and CoulombPrincipal of the project;
// the mechanics are in Coulomb.h.
class CoulombDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6405;
  static constexpr int kWideWidth = 10740;

  explicit CoulombDialog(QWidget* owner = nullptr);
  ~CoulombDialog() override;

  // The working copy and the last computation.
  const StressInput& WorkingStress() const { return stress_; }
  const CoulombParams& WorkingParams() const { return params_; }
  const CoulombResult& LastResult() const { return result_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void TextInput_Change();
  void chkPore_Click();
  void optParam_Click();
  void optGraph_Click();
  void cmdLimit_Click();
  void cmdLimitD_Click();

  void CalcCoulomb();
  void RedrawGraph(bool reset);
  void SearchLimit(bool upper);
  // The derived parameter's box read-only and out of the Tab order, the
  // other two editable.
  void ShowParameterBoxes();
  QLineEdit* ParameterBox(qint16 index) const;

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QCheckBox* pore;
    QLineEdit* porePressure;
    QLineEdit* cohesion;
    QLineEdit* strength;
    QLineEdit* friction;
    QLineEdit* s1;
    QLineEdit* theta1;
    QLineEdit* s2;
    QLineEdit* theta2;
    QLineEdit* failure;
    QLineEdit* poreFailure;
    QLineEdit* failureAngle;
    QLineEdit* shear;
    QLabel* poreNotice;
    QPushButton* ok;
    forms::OptionArray param;
    forms::OptionArray graph;
    PoreControls poreControls;
    CoulombPlot* plot;
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  CoulombParams params_;
  Principal2D principal_;
  CoulombResult result_;
  bool calculating_ = false;
};

}  // namespace brantel
