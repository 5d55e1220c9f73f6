#pragma once

#include "core/project/ProjectRecord.h"
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
class frmCoulomb : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6405;
  static constexpr int kWideWidth = 10740;

  explicit frmCoulomb(QWidget* owner = nullptr);
  ~frmCoulomb() override;

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
    QLineEdit* sx;           // Text1
    QLineEdit* sy;           // Text2
    QLineEdit* txy;          // Text3
    QCheckBox* pore;         // chkPore
    QLineEdit* porePressure; // Text4
    QLineEdit* cohesion;     // Text5
    QLineEdit* strength;     // Text6
    QLineEdit* friction;     // Text7
    QLineEdit* s1;           // Text11
    QLineEdit* theta1;       // Text12
    QLineEdit* s2;           // Text13
    QLineEdit* theta2;       // Text14
    QLineEdit* failure;      // Text8
    QLineEdit* poreFailure;  // Text9
    QLineEdit* failureAngle; // Text10
    QLineEdit* shear;        // Text20
    QLabel* poreNotice;      // Label15
    QPushButton* ok;         // CmdOk
    forms::OptionArray param;  // optParam
    forms::OptionArray graph;  // optGraph
    PoreControls poreControls;
    CoulombPlot* plot;         // picMohr1
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  CoulombParams params_;
  Principal2D principal_;
  CoulombResult result_;
  bool calculating_ = false;
};

}  // namespace brantel
