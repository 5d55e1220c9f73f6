#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "core/project/ProjectRecord.h"

#include <QTimer>

#include <array>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace brantel {

class ElementView;
class MohrCirclePlot;
class ReferenceElement;

// Stresses in two dimensions: principal stresses, the stresses on a plane,
// Mohr's circle and a sketch of the element turned to the principal
// directions. Works on Stress2D and Stress2DPlane of the project.
class frm2DPrinc : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8170;
  static constexpr int kWideWidth = 12448;

  explicit frm2DPrinc(QWidget* owner = nullptr);
  ~frm2DPrinc() override;

  const forms::FormLayout& Layout() const { return *layout_; }
  MohrCirclePlot* Plot() const { return plot_; }
  ElementView* Sketch() const { return sketch_; }
  QTimer& SketchTimer() { return timer1_; }
  bool SketchDrawn() const { return sketchDrawn_; }
  // The working copy and the principal results.
  const StressInput& WorkingStress() const { return stress_; }
  const StressOnPlane& WorkingPlane() const { return plane_; }
  const std::array<float, 7>& PrincipalResults() const { return principal_; }

  // Handlers.
  void Form_Load();
  void TextStress_Change();
  void Text9_Change();
  void TextStress_GotFocus();
  void TextStress_LostFocus(QLineEdit* box);
  void Text9_LostFocus();
  void chkMohr_Click();
  void cmdPlot_Click();
  void CmdOk_Click();
  void cmdCancel_Click();
  void Timer1_Timer();
  void DrawElementImage();

 protected:
  void FormUnload() override;

 private:
  bool ValidateInput();
  // True when a stress box holds a leading number other than 0.
  bool AnyStressEntered() const;
  void CalcPrincipal();
  void CalcPlaneStress();
  void ReadInputs();
  void LoadFromGlobals();
  void RedrawPlot(bool useDefault);
  QLineEdit* Box(QStringView name) const;

  std::unique_ptr<forms::FormLayout> layout_;
  MohrCirclePlot* plot_ = nullptr;
  ReferenceElement* reference_ = nullptr;
  ElementView* sketch_ = nullptr;
  QTimer timer1_;
  StressInput stress_;
  StressOnPlane plane_;
  std::array<float, 7> principal_{};
  bool sketchDrawn_ = false;
};

// Opens the tool modally and returns when it has closed.
void ShowStress2DTool(QWidget* owner = nullptr);

}  // namespace brantel
