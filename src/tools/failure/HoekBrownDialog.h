#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailureDialogs.h"
#include "tools/failure/HoekBrown.h"

#include <array>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace brantel {

// The design names of the Hoek-Brown dialog's controls, for its code and its tests.
namespace hoek {
using namespace criterion;      // the stresses, the plot and the buttons
using namespace porecriterion;  // the pore pressure and the principal results
// Co and m of intact rock.
inline constexpr char kIntactStrength[] = "Text5";
inline constexpr char kParameterM[] = "Text6";
// Co' of the intact pieces, mb, s and a of the rock mass.
inline constexpr char kPiecesStrength[] = "Text25";
inline constexpr char kParameterMb[] = "Text26";
inline constexpr char kParameterS[] = "Text27";
inline constexpr char kParameterA[] = "Text28";
inline constexpr char kIntactStrengthLabel[] = "Label5";
inline constexpr char kParameterMLabel[] = "Label6";
inline constexpr char kPiecesStrengthLabel[] = "Label25";
inline constexpr char kParameterMbLabel[] = "Label26";
inline constexpr char kParameterSLabel[] = "Label27";
inline constexpr char kParameterALabel[] = "Label28";
inline constexpr char kCriterionType[] = "optType";
inline constexpr forms::ItemName kIntact = forms::Item(kCriterionType, 0);
inline constexpr forms::ItemName kGeneralized = forms::Item(kCriterionType, 1);
}  // namespace hoek

// The Hoek-Brown criterion, for intact rock (Co, m) or in the generalized
// form for a rock mass (Co', mb, s, a): the principal stresses, the verdict
// on the total and on the effective stresses, and the state against the
// envelope in the principal-stress plane. Works on HoekStress, HoekInput
// and HoekPrincipal of the project; the mechanics are in HoekBrown.h.
class HoekBrownDialog : public PoreCriterionDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 6405;
  static constexpr int kWideWidth = 10740;

  explicit HoekBrownDialog(QWidget* owner = nullptr);
  ~HoekBrownDialog() override;

  // The working copy, as the last valid edit and calculation left it.
  const HoekParams& WorkingParams() const { return params_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void Calculate() override;
  void PlotState() override;

 private:
  void OnCriterionTypeChosen();

  // The material boxes of the selected criterion type enabled, the others
  // greyed.
  void ShowCriterionBoxes();

  struct Ui {
    QLineEdit* intactStrength;
    QLineEdit* parameterM;
    QLineEdit* piecesStrength;
    QLineEdit* parameterMb;
    QLineEdit* parameterS;
    QLineEdit* parameterA;
    QLabel* intactStrengthCaption;
    QLabel* parameterMCaption;
    std::array<QLabel*, 4> generalizedCaptions;
    forms::ChoiceArray<HoekCriterion> criterionType;
    QScrollBar* zoomBar;
  } ui_;

  HoekParams params_;
  // The groups of boxes in the order of validation, each read whole before
  // its signs are judged; the pore pressure only while its option is ticked.
  forms::NumericInputs stressInputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  forms::NumericInputs poreInput_;
  forms::NumericInputs materialInputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
};

}  // namespace brantel
