#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "tools/failure/FailureDialogCommon.h"
#include "tools/failure/VonMises.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace brantel {

class PrincipalCriterionPlot;

// The Von Mises criterion: the equivalent stress of the principal stresses
// against the tensile strength T, the verdict, and the state against the
// envelope in the principal-stress plane. OK is enabled only while there
// is something to judge. Works on VonMisesStress and VonMisesInput of the
// project; the mechanics are in VonMises.h.
class frmVonMises : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 4770;
  static constexpr int kWideWidth = 9180;

  explicit frmVonMises(QWidget* owner = nullptr);
  ~frmVonMises() override;

  // The working copy, as the last valid edit and calculation left it.
  const StressInput& WorkingStress() const { return stress_; }
  const VonMisesData& WorkingInput() const { return input_; }
  const Principal2D& WorkingPrincipal() const { return principal_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void TextInput_Change();
  void chkGraph_Click();

  void Calculate();
  void Redraw(bool reset);
  std::array<QLineEdit*, kVonMisesBoxCount> Boxes() const;

  struct Ui {
    QLineEdit* sx;        // Text1
    QLineEdit* sy;        // Text2
    QLineEdit* txy;       // Text3
    QLineEdit* strength;  // Text4: the tensile strength T
    QCheckBox* graph;     // chkGraph
    QLineEdit* stress;    // Text6: the Von Mises stress
    QLineEdit* failure;   // Text5
    QPushButton* ok;      // CmdOk
    PrincipalCriterionPlot* plot;  // Picture1
  } ui_;

  StressInput stress_;
  VonMisesData input_;
  Principal2D principal_;
  bool computed_ = false;     // the results stand for the working copy
  bool calculating_ = false;  // the busy flag
  bool validating_ = false;   // boxes emptied to "0" are judged by the validation that wrote them
};

}  // namespace brantel
