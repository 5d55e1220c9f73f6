#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <QPalette>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brantel {

// The design names of the three-dimensional stress dialog's controls, for its
// code, its tests and its benchmark.
namespace stress3d {
inline constexpr char kTabs[] = "SSTab1";
inline constexpr char kTensor[] = "Text1";  // the tensor's boxes, row by row
inline constexpr forms::ItemName kT11 = forms::Item(kTensor, 0);
inline constexpr forms::ItemName kT12 = forms::Item(kTensor, 1);
inline constexpr forms::ItemName kT13 = forms::Item(kTensor, 2);
inline constexpr forms::ItemName kT21 = forms::Item(kTensor, 3);
inline constexpr forms::ItemName kT22 = forms::Item(kTensor, 4);
inline constexpr forms::ItemName kT23 = forms::Item(kTensor, 5);
inline constexpr forms::ItemName kT31 = forms::Item(kTensor, 6);
inline constexpr forms::ItemName kT32 = forms::Item(kTensor, 7);
inline constexpr forms::ItemName kT33 = forms::Item(kTensor, 8);
inline constexpr char kCalculateAtPlane[] = "Check1";
inline constexpr char kCalculateDeviator[] = "Check2";
inline constexpr char kS1[] = "Text2";
inline constexpr char kS2[] = "Text3";
inline constexpr char kS3[] = "Text4";
inline constexpr char kI1[] = "Text5";
inline constexpr char kI2[] = "Text6";
inline constexpr char kI3[] = "Text7";
inline constexpr char kComplexRootsNotice[] = "Label8";
inline constexpr char kBracketTop[] = "Line7";  // the bracket beside s2 and s3
inline constexpr char kBracket[] = "Line8";
inline constexpr char kBracketBottom[] = "Line9";
inline constexpr char kDeviator[] = "txtDevTens";  // the deviatoric tensor's boxes, row by row
inline constexpr forms::ItemName kD11 = forms::Item(kDeviator, 0);
inline constexpr forms::ItemName kD12 = forms::Item(kDeviator, 1);
inline constexpr forms::ItemName kD13 = forms::Item(kDeviator, 2);
inline constexpr forms::ItemName kD21 = forms::Item(kDeviator, 3);
inline constexpr forms::ItemName kD22 = forms::Item(kDeviator, 4);
inline constexpr forms::ItemName kD23 = forms::Item(kDeviator, 5);
inline constexpr forms::ItemName kD31 = forms::Item(kDeviator, 6);
inline constexpr forms::ItemName kD32 = forms::Item(kDeviator, 7);
inline constexpr forms::ItemName kD33 = forms::Item(kDeviator, 8);
inline constexpr char kJ1[] = "Text14";
inline constexpr char kJ2[] = "Text15";
inline constexpr char kJ3[] = "Text16";
inline constexpr char kPlaneNormal[] = "Text8";
inline constexpr forms::ItemName kN1 = forms::Item(kPlaneNormal, 0);
inline constexpr forms::ItemName kN2 = forms::Item(kPlaneNormal, 1);
inline constexpr forms::ItemName kN3 = forms::Item(kPlaneNormal, 2);
inline constexpr char kNormOfNormal[] = "Text10";
inline constexpr char kStressVector[] = "Text9";
inline constexpr forms::ItemName kStressVector1 = forms::Item(kStressVector, 0);
inline constexpr forms::ItemName kStressVector2 = forms::Item(kStressVector, 1);
inline constexpr forms::ItemName kStressVector3 = forms::Item(kStressVector, 2);
inline constexpr char kNormOfStressVector[] = "txtStress";
inline constexpr char kNormalComponent[] = "txtNormal";
inline constexpr char kShearComponent[] = "txtShear";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace stress3d

// Stresses in three dimensions: the invariants of a stress tensor, its
// principal stresses, the deviatoric tensor with its invariants and the
// stress vector on a plane. Works on Stress3D of the project; the mechanics
// are in Stress3D.h.
class Stress3DDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  // The pages of the tab control.
  static constexpr int kTensorTab = 0;
  static constexpr int kDeviatorTab = 1;
  static constexpr int kPlaneTab = 2;

  explicit Stress3DDialog(QWidget* owner = nullptr);
  ~Stress3DDialog() override;

  // The working copy, with the results of the last calculation.
  const Stress3DData& WorkingStress() const { return stress_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void OnTensorEdited(int index);
  void OnNormalEdited();
  void OnCalculateAtPlaneToggled();
  void OnCalculateDeviatorToggled();

  // True when the results could be computed.
  // Each shows its results from the accepted inputs; false when the
  // arithmetic failed and emptied them.
  bool ShowNormOfNormal();
  bool ShowResults();
  // With complex roots, s1 shows the real root and s2, s3 stay empty
  // beside the notice.
  void ShowPrincipalStresses(const Vector3& roots, bool complexRoots);
  void ShowComplexRoots(bool shown);

  struct Ui {
    std::array<QLineEdit*, 9> tensor;  // row by row
    std::array<QLineEdit*, 3> normal;
    std::array<QLineEdit*, 3> principal;
    std::array<QLineEdit*, 3> invariant;
    std::array<QLineEdit*, 9> deviator;  // row by row
    std::array<QLineEdit*, 3> deviatorInvariant;
    std::array<QLineEdit*, 3> stressVector;
    QLineEdit* normOfNormal;
    QLineEdit* normOfStressVector;
    QLineEdit* normalComponent;
    QLineEdit* shearComponent;
    QLabel* complexRootsNotice;
    std::array<QWidget*, 3> bracket;
    QCheckBox* calculateAtPlane;
    QCheckBox* calculateDeviator;
    QTabWidget* tabs;
  } ui_;

  forms::NumericInputs inputs_;
  Stress3DData stress_;
  QPalette resultPalette_;  // of a result box showing a value
  bool mirroring_ = false;  // a tensor box is being copied into its partner
};

}  // namespace brantel
