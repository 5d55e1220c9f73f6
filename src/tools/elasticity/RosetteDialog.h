#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

class QLineEdit;
class QPushButton;

namespace brantel {

// Strain analysis from the readings of a three-gauge rosette: the plane
// strain tensor, the principal strains and the strains on a plane at an
// angle from the first principal direction. Works on Rosette,
// RosetteResults1 and RosetteResults2 of the project; the mechanics are in
// Rosette.h.
class frmRozeta : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmRozeta(QWidget* owner = nullptr);
  ~frmRozeta() override;

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
    QLineEdit* ea;       // Text1
    QLineEdit* eb;       // Text2
    QLineEdit* ec;       // Text3
    QLineEdit* w1;       // Text4
    QLineEdit* w2;       // Text5
    QLineEdit* w3;       // Text6
    QLineEdit* w;        // Text7: the plane's angle from e1
    QLineEdit* ex;       // Text14
    QLineEdit* ey;       // Text15
    QLineEdit* gxy;      // Text16
    QLineEdit* e1;       // Text9
    QLineEdit* e2;       // Text10
    QLineEdit* theta1;   // Text11
    QLineEdit* theta2;   // Text12
    QLineEdit* ew;       // Text13
    QLineEdit* gw;       // Text8
    QPushButton* ok;     // CmdOk
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
