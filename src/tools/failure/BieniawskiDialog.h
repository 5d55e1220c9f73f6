#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/failure/Bieniawski.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/FailurePlot.h"

class QLineEdit;

namespace brantel {

// The design names of the Bieniawski dialog's controls, for its code and its tests.
namespace bieniawski {
using namespace criterion;                    // the stresses, the plot and the buttons
using namespace porecriterion;                // the pore pressure and the principal results
inline constexpr char kStrength[] = "Text5";  // uniaxial compressive strength Co
inline constexpr char kParameterA[] = "Text6";
inline constexpr char kParameterK[] = "Text7";
}  // namespace bieniawski

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
class BieniawskiDialog : public PoreCriterionDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6480;
  static constexpr int kWideWidth = 10740;

  explicit BieniawskiDialog(QWidget* owner = nullptr);
  ~BieniawskiDialog() override;

  // The working copy, as the last valid edit and calculation left it.
  const BieniawskiParams& WorkingParams() const { return params_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void Calculate() override;
  void PlotState() override;

 private:
  struct Ui {
    QLineEdit* strength;
    QLineEdit* parameterA;
    QLineEdit* parameterK;
  } ui_;

  BieniawskiParams params_;
  // The groups of boxes in the order of validation, each read whole before
  // its signs are judged; the pore pressure only while its option is ticked.
  forms::NumericInputs stressInputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  forms::NumericInputs poreInput_;
  forms::NumericInputs materialInputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
};

}  // namespace brantel
