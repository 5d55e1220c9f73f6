#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the dialog's controls, for its code and its tests. The
// 3 x 3 grids are filled row by row: box k holds component (k / 3 + 1, k % 3 + 1).
namespace elasticity3d {
inline constexpr char kStressTensor[] = "Text1";
inline constexpr char kStrainTensor[] = "Text3";
inline constexpr std::array<forms::ItemName, 9> kStressBox = forms::Items<9>(kStressTensor);
inline constexpr std::array<forms::ItemName, 9> kStrainBox = forms::Items<9>(kStrainTensor);
inline constexpr char kModulus[] = "txtElastic";
inline constexpr char kPoisson[] = "txtPoisson";
inline constexpr char kPoissonNotice[] = "lblPoisMsg";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace elasticity3d

// Hooke's law in three dimensions: the strain tensor of a symmetric stress
// tensor with Young's modulus and Poisson's ratio. Editing an off-diagonal
// stress writes its twin too. Works on Hooke3DInputs of the project; the
// mechanics are in Elasticity3D.h.
class Elasticity3DDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit Elasticity3DDialog(QWidget* owner = nullptr);
  ~Elasticity3DDialog() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  // Stress box `index` (0..8, row by row) edited: its twin takes the same
  // text, and the strains follow.
  void OnStressEdited(int index);
  // Young's modulus or Poisson's ratio edited.
  void OnConstantEdited();
  // Shows the strains of the stresses, E and nu the boxes hold.
  void ShowStrains();

  struct Ui {
    std::array<QLineEdit*, 9> stress;  // row by row
    std::array<QLineEdit*, 9> strain;
    QLineEdit* modulus;
    QLineEdit* poisson;
    QLabel* poissonNotice;
    QPushButton* ok;
  } ui_;

  // The stress boxes, checked in order into the working copy; E and nu
  // follow with their own verdicts (Elasticity3D.h).
  forms::NumericInputs stressInputs_;
  Hooke3DData hooke_;
};

}  // namespace brantel
