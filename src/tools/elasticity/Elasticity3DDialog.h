#pragma once

#include "forms/FormDialog.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brantel {

// Hooke's law in three dimensions: the strain tensor of a symmetric stress
// tensor with Young's modulus and Poisson's ratio. Editing an off-diagonal
// stress writes its twin too. Works on Hooke3DInputs of the project; the
// mechanics are in Elasticity3D.h.
class frmElasti3D : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmElasti3D(QWidget* owner = nullptr);
  ~frmElasti3D() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Text1_Change(int index);
  void txtElastic_Change();
  void txtPoisson_Change();
  void CalcStrainTensor3D();

  struct Ui {
    std::array<QLineEdit*, 9> stress;  // Text1(0..8), row by row
    std::array<QLineEdit*, 9> strain;  // Text3(0..8)
    QLineEdit* elastic;                // txtElastic
    QLineEdit* poisson;                // txtPoisson
    QLabel* poisMsg;                   // lblPoisMsg
    QPushButton* ok;                   // CmdOk
  } ui_;
};

}  // namespace brantel
