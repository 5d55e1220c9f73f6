#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the strain rosette dialog's controls, for its code and its tests.
namespace rosette {
inline constexpr char kEa[] = "Text1";  // reading of gauge a
inline constexpr char kEb[] = "Text2";
inline constexpr char kEc[] = "Text3";
inline constexpr char kAngleA[] = "Text4";  // direction of gauge a
inline constexpr char kAngleB[] = "Text5";
inline constexpr char kAngleC[] = "Text6";
inline constexpr char kPlaneAngle[] = "Text7";  // the plane's angle from e1
inline constexpr char kEx[] = "Text14";
inline constexpr char kEy[] = "Text15";
inline constexpr char kGxy[] = "Text16";
inline constexpr char kE1[] = "Text9";
inline constexpr char kE2[] = "Text10";
inline constexpr char kTheta1[] = "Text11";       // direction of e1
inline constexpr char kTheta2[] = "Text12";       // direction of e2
inline constexpr char kPlaneStrain[] = "Text13";  // normal strain on the plane
inline constexpr char kPlaneShear[] = "Text8";    // shear strain on the plane
inline constexpr char kPicture[] = "Picture1";    // the rosette's sketch
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace rosette

// Strain analysis from the readings of a three-gauge rosette: the plane
// strain tensor, the principal strains and the strains on a plane at an
// angle from the first principal direction. Works on Rosette,
// RosetteResults1 and RosetteResults2 of the project; the mechanics are in
// Rosette.h.
class RosetteDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit RosetteDialog(QWidget* owner = nullptr);
  ~RosetteDialog() override;

  // The working copy of the readings, directions and plane.
  const RosetteData& Working() const { return rosette_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Gauge_Change();  // Text1 .. Text6
  void Text7_Change();
  void Text_LostFocus(QLineEdit* box);
  void CalcStrainTensor();
  void CalcStrainAtAngle();

  struct Ui {
    QLineEdit* ea;
    QLineEdit* eb;
    QLineEdit* ec;
    QLineEdit* w1;
    QLineEdit* w2;
    QLineEdit* w3;
    QLineEdit* w;  // the plane's angle from e1
    QLineEdit* ex;
    QLineEdit* ey;
    QLineEdit* gxy;
    QLineEdit* e1;
    QLineEdit* e2;
    QLineEdit* theta1;
    QLineEdit* theta2;
    QLineEdit* ew;
    QLineEdit* gw;
    QPushButton* ok;
  } ui_;

  // The readings and directions are all read before the range rules run.
  forms::NumericInputs inputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
  RosetteData staged_;  // the values being checked before they replace the working copy
  RosetteData rosette_;
  RosettePrincipalStrains principal_;
  RosetteStrainTensor tensor_;
  bool solved_ = false;  // the results stand for the inputs: the gauge system is solvable
};

}  // namespace brantel
