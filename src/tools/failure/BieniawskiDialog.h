#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "tools/failure/Bieniawski.h"
#include "tools/failure/FailureDialogCommon.h"
#include "tools/failure/FailurePlot.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace brantel {

// The Bieniawski plot: the principal-stress plane, whose internal
// read-out in English also gives the horizontal range.
class BieniawskiPlot : public PrincipalCriterionPlot {
  Q_OBJECT

 public:
  using PrincipalCriterionPlot::PrincipalCriterionPlot;
  QString InternalCoordinatesText(float x, float y) const override;
};

// The Bieniawski criterion s1/Co > 1 + A (s3/Co)^k: the principal
// stresses, the verdict on the total and on the effective stresses
// ("Range Error" while the minor stress is not positive), and the state
// against the envelope in the principal-stress plane. Works on
// BieniawskiStress, BieniawskiInput and BieniawskiPrincipal of the project;
// the mechanics are in Bieniawski.h.
class frmBieniawski : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6480;
  static constexpr int kWideWidth = 10740;

  explicit frmBieniawski(QWidget* owner = nullptr);
  ~frmBieniawski() override;

  // The working copy, as the last valid edit and calculation left it.
  const StressInput& WorkingStress() const { return stress_; }
  const BieniawskiParams& WorkingParams() const { return params_; }
  const Principal2D& WorkingPrincipal() const { return principal_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void TextInput_Change();
  void Text4_Change();
  void chkPore_Click();
  void chkGraph_Click();

  // Every box into the working copy (only after a validation that passed).
  void ReadInputs();
  void Calculate();
  void Redraw(bool reset);
  std::array<QLineEdit*, kBieniawskiBoxCount> Boxes() const;

  struct Ui {
    QLineEdit* sx;            // Text1
    QLineEdit* sy;            // Text2
    QLineEdit* txy;           // Text3
    QCheckBox* pore;          // chkPore
    QLineEdit* porePressure;  // Text4
    QCheckBox* graph;         // chkGraph
    QLineEdit* co;            // Text5
    QLineEdit* a;             // Text6
    QLineEdit* k;             // Text7
    QLineEdit* s1;            // Text11
    QLineEdit* theta1;        // Text12
    QLineEdit* s2;            // Text13
    QLineEdit* theta2;        // Text14
    QLineEdit* failure;       // Text8
    QLineEdit* poreFailure;   // Text9
    PoreControls poreControls;
    BieniawskiPlot* plot;     // Picture1
  } ui_;

  StressInput stress_;
  BieniawskiParams params_;
  Principal2D principal_;
  bool computed_ = false;     // the results stand for the working copy
  bool calculating_ = false;  // the busy flag
  bool validating_ = false;   // boxes emptied to "0" are judged by the validation that wrote them
};

}  // namespace brantel
