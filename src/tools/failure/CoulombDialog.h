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
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kPoreOption[] = "chkPore";
inline constexpr char kPorePressure[] = "Text4";
inline constexpr char kCohesion[] = "Text5";
inline constexpr char kUniaxialStrength[] = "Text6";
inline constexpr char kFrictionAngle[] = "Text7";
inline constexpr char kDerivedParameter[] = "optParam";  // which of the three is derived
inline constexpr forms::ItemName kDeriveCohesion = forms::Item(kDerivedParameter, 0);
inline constexpr forms::ItemName kDeriveStrength = forms::Item(kDerivedParameter, 1);
inline constexpr forms::ItemName kDeriveFriction = forms::Item(kDerivedParameter, 2);
inline constexpr char kGraphOption[] = "optGraph";
inline constexpr forms::ItemName kNoGraph = forms::Item(kGraphOption, 0);
inline constexpr forms::ItemName kMohrGraph = forms::Item(kGraphOption, 1);
inline constexpr forms::ItemName kS1S2Graph = forms::Item(kGraphOption, 2);
inline constexpr char kS1[] = "Text11";
inline constexpr char kS1Direction[] = "Text12";
inline constexpr char kS2[] = "Text13";
inline constexpr char kS2Direction[] = "Text14";
inline constexpr char kFailureVerdict[] = "Text8";
inline constexpr char kPoreFailureVerdict[] = "Text9";  // on the effective stresses
inline constexpr char kFailureAngle[] = "Text10";       // of the failure plane, from the X axis
inline constexpr char kShearAtFailure[] = "Text20";
inline constexpr char kPoreNotice[] = "Label15";  // shown while the pore pressure exceeds s2
inline constexpr char kUpperLimit[] = "cmdLimit";
inline constexpr char kLowerLimit[] = "cmdLimitD";
inline constexpr char kZoomBar[] = "HScroll1";
inline constexpr char kPlot[] = "picMohr1";
inline constexpr char kCoordinates[] = "lblCoord";  // the read-outs of the point under the pointer
inline constexpr char kInternalCoordinates[] = "lblIntCoord";
inline constexpr char kPorePressureLabel[] = "lblPorePress";
inline constexpr char kPoreFailureLabel[] = "Label9";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace coulomb

// The plot of the Coulomb tool: the Mohr circle with the Coulomb envelope
// (MohrCircle) or the s1-s3 plane with the criterion line (Sigma1Chart), on one
// scale for both axes and a grid, with the values s2, C and s1 under the
// axis and c or UCS beside it.
class CoulombPlot : public FailurePlot {
  Q_OBJECT

 public:
  explicit CoulombPlot(QWidget* parent = nullptr);

  // The state drawn: the principal stresses, the parameters (the derived
  // one filled in) and the view.
  void SetState(const Principal2D& principal, const CoulombParams& params, StressGraph view);

 protected:
  void DrawCriterion() override;
  void PlaceCaptions() override;

 private:
  void DrawMohrCircle();
  void DrawS1S3Plot();

  Principal2D principal_;
  CoulombParams params_;
  StressGraph view_ = StressGraph::None;
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

  // The working copy, as the last valid edit and calculation left it.
  const CoulombParams& WorkingParams() const { return params_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  // The constructor's steps: the controls built from the table and found,
  // the plot given its zoom bar and read-outs; the buttons, boxes and options
  // connected to their handlers; the input boxes in the order of validation.
  void BuildControls();
  void ConnectHandlers();
  void AddInputs();

  void OnLoad();
  void OnInputEdited();
  void OnPoreOptionToggled();
  void OnDerivedParameterChosen();
  void OnGraphChosen();
  void OnUpperLimitClicked();
  void OnLowerLimitClicked();

  // Works out the criterion on the accepted inputs and shows the results.
  void ShowResults();
  void RedrawGraph(bool reset);
  void SearchLimit(bool upper);
  // The derived parameter's box read-only and out of the Tab order, the
  // other two editable.
  void ShowParameterBoxes();
  QLineEdit* ParameterBox(CoulombDerived parameter) const;
  CoulombDerived DerivedChoice() const;  // the option chosen in the group

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QCheckBox* poreOption;
    QLineEdit* porePressure;
    QLineEdit* cohesion;
    QLineEdit* uniaxialStrength;
    QLineEdit* frictionAngle;
    QLineEdit* s1;
    QLineEdit* s1Direction;
    QLineEdit* s2;
    QLineEdit* s2Direction;
    QLineEdit* failureVerdict;
    QLineEdit* poreFailureVerdict;
    QLineEdit* failureAngle;
    QLineEdit* shearAtFailure;
    QLabel* poreNotice;
    QPushButton* ok;
    forms::ChoiceArray<CoulombDerived> derivedParameter;
    forms::ChoiceArray<StressGraph> graphOption;
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
