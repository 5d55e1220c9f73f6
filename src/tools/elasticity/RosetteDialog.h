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
inline constexpr char kReadingA[] = "Text1";
inline constexpr char kReadingB[] = "Text2";
inline constexpr char kReadingC[] = "Text3";
inline constexpr char kDirectionA[] = "Text4";
inline constexpr char kDirectionB[] = "Text5";
inline constexpr char kDirectionC[] = "Text6";
inline constexpr char kPlaneAngle[] = "Text7";
inline constexpr char kEx[] = "Text14";
inline constexpr char kEy[] = "Text15";
inline constexpr char kGxy[] = "Text16";
inline constexpr char kE1[] = "Text9";
inline constexpr char kE2[] = "Text10";
inline constexpr char kE1Direction[] = "Text11";
inline constexpr char kE2Direction[] = "Text12";
inline constexpr char kPlaneNormalStrain[] = "Text13";
inline constexpr char kPlaneShearStrain[] = "Text8";
inline constexpr char kPictureArea[] = "Picture1";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace rosette

// Strain analysis from the readings of a three-gauge rosette: the plane
// strain tensor, the principal strains and the strains on a plane at an
// angle from the first principal direction. Works on Rosette,
// RosettePrincipal and RosetteTensor of the project; the mechanics are in
// Rosette.h.
class RosetteDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit RosetteDialog(QWidget* owner = nullptr);
  ~RosetteDialog() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  // A gauge's reading or direction edited.
  void OnGaugeEdited();
  void OnPlaneAngleEdited();
  void OnInputFocusLost(QLineEdit* box);
  // Solves the gauges and shows the strains, then the plane's.
  void ShowStrains();
  // Shows the strains on the plane, from the principal strains last solved.
  void ShowPlaneStrains();

  struct Ui {
    QLineEdit* readingA;
    QLineEdit* readingB;
    QLineEdit* readingC;
    QLineEdit* directionA;
    QLineEdit* directionB;
    QLineEdit* directionC;
    QLineEdit* planeAngle;
    QLineEdit* ex;
    QLineEdit* ey;
    QLineEdit* gxy;
    QLineEdit* e1;
    QLineEdit* e2;
    QLineEdit* e1Direction;
    QLineEdit* e2Direction;
    QLineEdit* planeNormalStrain;
    QLineEdit* planeShearStrain;
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
