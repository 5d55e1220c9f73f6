#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/HoekBrown.h"

#include <array>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace brantel {

// The Hoek-Brown criterion, for intact rock (Co, m) or in the generalized
// form for a rock mass (Co', mb, s, a): the principal stresses, the verdict
// on the total and on the effective stresses, and the state against the
// envelope in the principal-stress plane. Works on HoekStress, HoekInput
// and HoekPrincipal of the project; the mechanics are in HoekBrown.h.
class frmHoek : public PoreCriterionDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6405;
  static constexpr int kWideWidth = 10740;

  explicit frmHoek(QWidget* owner = nullptr);
  ~frmHoek() override;

  // The working copy, as the last valid edit and calculation left it.
  const HoekParams& WorkingParams() const { return params_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void Calculate() override;
  void PlotState() override;

 private:
  void optType_Click();

  // Every box into the working copy (only after a validation that passed).
  void ReadInputs();
  // The material boxes of the selected criterion type enabled, the others
  // greyed.
  void ShowCriterionBoxes();
  std::array<QLineEdit*, kHoekBoxCount> Boxes() const;

  struct Ui {
    QLineEdit* co;            // Text5
    QLineEdit* m;             // Text6
    QLineEdit* coMass;        // Text25
    QLineEdit* mb;            // Text26
    QLineEdit* s;             // Text27
    QLineEdit* a;             // Text28
    QLabel* coCaption;        // Label5
    QLabel* mCaption;         // Label6
    std::array<QLabel*, 4> generalizedCaptions;  // Label25 to Label28
    forms::OptionArray type;  // optType
    QScrollBar* zoom;         // HScroll1
  } ui_;

  HoekParams params_;
};

}  // namespace brantel
