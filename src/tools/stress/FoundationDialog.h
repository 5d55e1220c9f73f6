#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/stress/Fadum.h"
#include "tools/stress/FoundationDialogs.h"

class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the foundation dialog's controls, for its code and its tests.
namespace foundation {
using namespace foundationboxes;  // the foundation's pressure, width and length, OK and Cancel
inline constexpr char kPlanView[] = "frmKatopsi";
inline constexpr char kPointX[] = "txtX";
inline constexpr char kPointY[] = "txtY";
inline constexpr char kPointDepth[] = "txtVathos";            // Z
inline constexpr char kAdditionalStress[] = "txtProsthetes";  // Dsv, at the point
inline constexpr char kPointXLabel[] = "Label21";
inline constexpr char kPointYLabel[] = "Label22";
inline constexpr char kPointDepthLabel[] = "Label23";
inline constexpr char kAdditionalStressLabel[] = "Label31";
inline constexpr char kFadumDetails[] = "cmdFadum";  // opens the coefficient dialog
}  // namespace foundation

class FoundationPlan;

// The additional vertical stress under any point of the ground, at a depth
// below a uniformly loaded rectangular foundation, by superposition of
// rectangles that each have the point under a corner. The point follows the
// pointer over the plan view. Works on the Fadum fields of the project
// (FadumLength, FadumWidth, FadumDepth, FadumLoad, FadumX, FadumY); the
// mechanics are in Fadum.h.
class FoundationDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit FoundationDialog(QWidget* owner = nullptr);
  ~FoundationDialog() override;

  // The superposition last shown.
  const FoundationStress& LastStress() const { return stress_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void OnLengthEdited();
  void OnWidthEdited();
  void OnDepthEdited();
  void OnPlanPointerMoved(double x, double y);
  void OnFadumDetailsClicked();

  void CalcPointStress();
  void DrawFoundation();

  struct Ui {
    FoundationPlan* plan;
    QLineEdit* pressure;
    QLineEdit* width;
    QLineEdit* length;
    QLineEdit* x;
    QLineEdit* y;
    QLineEdit* depth;
    QLineEdit* additionalStress;
    QPushButton* fadumDetails;
    QPushButton* ok;
    QPushButton* cancel;
  } ui_;

  // The foundation as drawn, and the point.
  float drawnLength_ = 0.0f, drawnWidth_ = 0.0f;
  float x_ = 0.0f, y_ = 0.0f;
  // The four inputs as accepted by OK, and their boxes.
  forms::NumericInputs inputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  float length_ = 0.0f, width_ = 0.0f, load_ = 0.0f, depth_ = 0.0f;
  FoundationStress stress_;
};

}  // namespace brantel
