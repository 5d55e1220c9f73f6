#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/VonMises.h"

class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the Von Mises dialog's controls, for its code and its tests.
namespace vonmises {
using namespace criterion;  // the stresses, the plot and the buttons
inline constexpr char kTensileStrength[] = "Text4";
inline constexpr char kVonMisesStress[] = "Text6";
inline constexpr char kFailureVerdict[] = "Text5";
}  // namespace vonmises

// The Von Mises criterion: the equivalent stress of the principal stresses
// against the tensile strength T, the verdict, and the state against the
// envelope in the principal-stress plane. OK is enabled only while there
// is something to judge. Works on VonMisesStress and VonMisesInput of the
// project; the mechanics are in VonMises.h.
class VonMisesDialog : public PrincipalCriterionDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 4770;
  static constexpr int kWideWidth = 9180;

  explicit VonMisesDialog(QWidget* owner = nullptr);
  ~VonMisesDialog() override;

  // The working copy, as the last valid edit and calculation left it.
  const VonMisesData& WorkingInput() const { return input_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void Calculate() override;
  void PlotState() override;

 private:
  struct Ui {
    QLineEdit* tensileStrength;
    QLineEdit* vonMisesStress;
    QLineEdit* failureVerdict;
    QPushButton* ok;
  } ui_;

  VonMisesData input_;
  forms::NumericInputs inputs_;  // sx, sy, txy and T
};

}  // namespace brantel
