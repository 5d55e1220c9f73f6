#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "tools/failure/FailureDialogCommon.h"
#include "tools/failure/HoekBrown.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace brantel {

class PrincipalCriterionPlot;

// The Hoek-Brown criterion, for intact rock (Co, m) or in the generalized
// form for a rock mass (Co', mb, s, a): the principal stresses, the verdict
// on the total and on the effective stresses, and the state against the
// envelope in the principal-stress plane. Works on HoekStress, HoekInput
// and HoekPrincipal of the project; the mechanics are in HoekBrown.h.
class frmHoek : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6405;
  static constexpr int kWideWidth = 10740;

  explicit frmHoek(QWidget* owner = nullptr);
  ~frmHoek() override;

  // The working copy, as the last valid edit and calculation left it.
  const StressInput& WorkingStress() const { return stress_; }
  const HoekParams& WorkingParams() const { return params_; }
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
  void optType_Click();
  void chkGraph_Click();

  // Every box into the working copy (only after a validation that passed).
  void ReadInputs();
  void Calculate();
  void Redraw(bool reset);
  // The material boxes of the selected criterion type enabled, the others
  // greyed.
  void ShowCriterionBoxes();
  std::array<QLineEdit*, kHoekBoxCount> Boxes() const;

  struct Ui {
    QLineEdit* sx;            // Text1
    QLineEdit* sy;            // Text2
    QLineEdit* txy;           // Text3
    QCheckBox* pore;          // chkPore
    QLineEdit* porePressure;  // Text4
    QCheckBox* graph;         // chkGraph
    QLineEdit* co;            // Text5
    QLineEdit* m;             // Text6
    QLineEdit* coMass;        // Text25
    QLineEdit* mb;            // Text26
    QLineEdit* s;             // Text27
    QLineEdit* a;             // Text28
    QLabel* coCaption;        // Label5
    QLabel* mCaption;         // Label6
    std::array<QLabel*, 4> generalizedCaptions;  // Label25 to Label28
    QLineEdit* s1;            // Text11
    QLineEdit* theta1;        // Text12
    QLineEdit* s2;            // Text13
    QLineEdit* theta2;        // Text14
    QLineEdit* failure;       // Text8
    QLineEdit* poreFailure;   // Text9
    forms::OptionArray type;  // optType
    QScrollBar* zoom;         // HScroll1
    PoreControls poreControls;
    PrincipalCriterionPlot* plot;  // Picture1
  } ui_;

  StressInput stress_;
  HoekParams params_;
  Principal2D principal_;
  bool computed_ = false;     // the results stand for the working copy
  bool calculating_ = false;  // the busy flag
};

}  // namespace brantel
