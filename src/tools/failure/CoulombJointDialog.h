#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "tools/failure/CoulombJoint.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/FailurePlot.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brantel {

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
class frmCoulombJoint : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 7650;
  static constexpr int kWideWidth = 11955;

  explicit frmCoulombJoint(QWidget* owner = nullptr);
  ~frmCoulombJoint() override;

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
  QLineEdit* BoxOf(JointField field) const;

  struct Ui {
    QLineEdit* sx;              // Text1
    QLineEdit* sy;              // Text2
    QLineEdit* txy;             // Text3
    QCheckBox* pore;            // chkPore
    QLineEdit* porePressure;    // txtPore
    QLineEdit* cohesion;        // Text5
    QLineEdit* friction;        // Text6
    QLineEdit* strength;        // Text4
    QLineEdit* jointCohesion;   // Text7
    QLineEdit* jointFriction;   // Text8
    QLineEdit* alpha;           // Text9
    QLineEdit* s1;              // Text10
    QLineEdit* theta1;          // Text11
    QLineEdit* s2;              // Text12
    QLineEdit* theta2;          // Text13
    QLineEdit* jointFailure;    // txtJointFail
    QLineEdit* failure;         // txtMatFail
    QLineEdit* jointPoreFailure;  // txtJoinFailPore
    QLineEdit* poreFailure;     // txtMatFailPore
    QLineEdit* beta;            // Text18
    QLabel* poreNotice;         // Label18
    QLabel* beta1;              // Label4
    QLabel* beta2;              // Label7
    QPushButton* ok;            // CmdOk
    forms::OptionArray set;     // optSet
    forms::OptionArray graph;   // optGraph
    PoreControls materialPore;  // the option with the material's pore verdict
    PoreControls jointPore;     // and with the discontinuity's
    std::array<QWidget*, 4> legend;     // Line1, Label25, Line2, Label26
    std::array<QLabel*, 2> readouts;    // lblCoord, lblIntCoord
    CoulombJointPlot* plot;     // picMohr
    Sigma1BetaChartView* chart; // MSChart1
  } ui_;

  // The working copy of both sets.
  std::array<StressInput, 2> stress_{};
  std::array<JointMaterial, 2> material_{};
  std::array<JointPlane, 2> plane_{};
  qint16 set_ = 0;  // the set shown
  JointResult result_;
  bool calculating_ = false;
};

}  // namespace brantel
