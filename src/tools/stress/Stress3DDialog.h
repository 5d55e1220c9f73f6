#pragma once

#include "core/project/ProjectRecord.h"
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

// Stresses in three dimensions: the invariants of a stress tensor, its
// principal stresses, the deviatoric tensor with its invariants and the
// stress vector on a plane. Works on Stress3D of the project; the mechanics
// are in Stress3D.h.
class frm3DPrinc : public forms::FormDialog {
  Q_OBJECT

 public:
  // The pages of the tab control.
  static constexpr int kTensorTab = 0;
  static constexpr int kDeviatorTab = 1;
  static constexpr int kPlaneTab = 2;

  explicit frm3DPrinc(QWidget* owner = nullptr);
  ~frm3DPrinc() override;

  // The working copy, with the results of the last calculation.
  const Stress3DData& WorkingStress() const { return stress_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Text1_Change(int index);
  void Text8_Change();
  void Check1_Click();
  void Check2_Click();

  // True when the results could be computed.
  bool CalcNormOfNormal();
  bool CalcStress3D();
  // With complex roots, s1 shows the real root and s2, s3 stay empty
  // beside the notice.
  void ShowPrincipalStresses(const Vector3& roots, bool complexRoots);
  void ShowComplexRoots(bool shown);

  struct Ui {
    std::array<QLineEdit*, 9> tensor;    // Text1(0..8), row by row
    std::array<QLineEdit*, 3> normal;    // Text8(0..2)
    std::array<QLineEdit*, 3> principal; // Text2, Text3, Text4
    std::array<QLineEdit*, 3> invariant; // Text5, Text6, Text7
    std::array<QLineEdit*, 9> deviator;  // txtDevTens(0..8)
    std::array<QLineEdit*, 3> deviatorInvariant;  // Text14, Text15, Text16
    std::array<QLineEdit*, 3> traction;  // Text9(0..2)
    QLineEdit* normOfNormal;             // Text10
    QLineEdit* normOfTraction;           // txtStress
    QLineEdit* normalComponent;          // txtNormal
    QLineEdit* shear;                    // txtShear
    QLabel* complexNotice;               // Label8
    std::array<QWidget*, 3> bracket;     // Line7, Line8, Line9
    QCheckBox* atPlane;                  // Check1
    QCheckBox* deviatoric;               // Check2
    QTabWidget* tabs;                    // SSTab1
  } ui_;

  forms::NumericInputs inputs_;
  Stress3DData stress_;
  QPalette resultPalette_;  // of a result box showing a value
  bool mirroring_ = false;  // a tensor box is being copied into its partner
};

}  // namespace brantel
