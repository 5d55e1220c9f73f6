#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/stress/Fadum.h"

class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the foundation dialog's controls, for its code and its tests.
namespace foundation {
inline constexpr char kPlan[] = "frmKatopsi";       // the plan view
inline constexpr char kLoad[] = "txtFortio";        // pressure on the foundation
inline constexpr char kWidth[] = "txtPlatos";       // foundation width
inline constexpr char kLength[] = "txtMhkos";       // foundation length
inline constexpr char kX[] = "txtX";                // the point's X
inline constexpr char kY[] = "txtY";                // the point's Y
inline constexpr char kDepth[] = "txtVathos";       // depth of the point, Z
inline constexpr char kStress[] = "txtProsthetes";  // the additional stress Dsv
inline constexpr char kLoadLabel[] = "Label11";
inline constexpr char kWidthLabel[] = "Label12";
inline constexpr char kLengthLabel[] = "Label13";
inline constexpr char kXLabel[] = "Label21";
inline constexpr char kYLabel[] = "Label22";
inline constexpr char kDepthLabel[] = "Label23";
inline constexpr char kStressLabel[] = "Label31";
inline constexpr char kFadum[] = "cmdFadum";  // the coefficient dialog
inline constexpr char kOk[] = "btnOk";
inline constexpr char kCancel[] = "btnCancel";
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
  void Form_Load();
  void txtMhkos_Change();
  void txtPlatos_Change();
  void txtVathos_Change();
  void frmKatopsi_MouseMove(double x, double y);
  void cmdFadum_Click();

  void CalcPointStress();
  void DrawFoundation();

  struct Ui {
    FoundationPlan* plan;
    QLineEdit* load;
    QLineEdit* width;
    QLineEdit* length;
    QLineEdit* x;
    QLineEdit* y;
    QLineEdit* depth;
    QLineEdit* stress;
    QPushButton* fadum;
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
