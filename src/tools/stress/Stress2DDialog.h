#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <QTimer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace brantel {

// The design names of the plane stress dialog's controls, for its code, its
// tests and its benchmark.
namespace stress2d {
inline constexpr char kSx[] = "Text1";             // sx
inline constexpr char kSy[] = "Text2";             // sy
inline constexpr char kTxy[] = "Text3";            // txy
inline constexpr char kMohr[] = "chkMohr";         // the Mohr's circle option
inline constexpr char kView[] = "cmdView";         // the element turned to the principal directions
inline constexpr char kS1[] = "Text4";             // s1
inline constexpr char kS2[] = "Text5";             // s2
inline constexpr char kTheta1[] = "Text6(0)";      // angle of s1
inline constexpr char kTheta2[] = "Text10";        // angle of s2
inline constexpr char kTmax[] = "Text11";          // tmax
inline constexpr char kThetaPlus45[] = "Text12";   // angle of tmax from x
inline constexpr char kThetaMinus45[] = "Text13";  // angle of the other tmax from x
inline constexpr char kAngle[] = "Text9";          // the plane's angle from s1
inline constexpr char kAngleFromX[] = "Text14";    // the plane's angle from the x axis
inline constexpr char kAngleFrom[] = "optAngle";   // which of the two angles is entered
inline constexpr forms::ItemName kAngleFromS1 = forms::Item(kAngleFrom, 0);
inline constexpr forms::ItemName kAngleFromXAxis = forms::Item(kAngleFrom, 1);
inline constexpr char kSigmaN[] = "Text7";          // normal stress on the plane
inline constexpr char kTauN[] = "Text8";            // shear stress on the plane
inline constexpr char kPlotPlane[] = "cmdPlot";     // the plane on the plot
inline constexpr char kReference[] = "pic_ref";     // the reference element
inline constexpr char kSketch[] = "pic_bot";        // the element turned
inline constexpr char kZoom[] = "HScroll1";         // the zoom of the plot
inline constexpr char kPlot[] = "picMohr";          // Mohr's circle
inline constexpr char kCoord[] = "lblCoord";        // the coordinates under the pointer
inline constexpr char kIntCoord[] = "lblIntCoord";  // the rounded coordinates
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace stress2d

class ElementView;
class MohrCirclePlot;
class ReferenceElement;

// Stresses in two dimensions: principal stresses, the stresses on a plane,
// Mohr's circle and a sketch of the element turned to the principal
// directions. Works on Stress2D and Stress2DPlane of the project; the
// mechanics are in Stress2D.h.
class Stress2DDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8170;
  static constexpr int kWideWidth = 12448;

  explicit Stress2DDialog(QWidget* owner = nullptr);
  ~Stress2DDialog() override;

  // The working copy, the principal results and whether the element sketch
  // shows the current state.
  const StressInput& WorkingStress() const { return stress_; }
  const StressOnPlane& WorkingPlane() const { return plane_; }
  const Principal2D& Principal() const { return principal_; }
  bool SketchDrawn() const { return sketchDrawn_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void Form_Load();
  void TextStress_Change();
  void Text9_Change();
  void TextStress_GotFocus();
  void TextStress_LostFocus(QLineEdit* box);
  void Text9_LostFocus();
  void chkMohr_Click();
  void cmdPlot_Click();
  void Timer1_Timer();

  // True when the results could be computed.
  bool CalcPrincipal();
  bool CalcPlaneStress();
  void RedrawPlot(bool useDefault);
  void DrawElementImage();
  // True when a stress box holds a leading number other than 0.
  bool AnyStressEntered() const;

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QLineEdit* angle;  // the plane's angle from s1
    QLineEdit* s1;
    QLineEdit* s2;
    QLineEdit* theta1;
    QLineEdit* theta2;
    QLineEdit* tmax;
    QLineEdit* thetaPlus45;
    QLineEdit* thetaMinus45;
    QLineEdit* sigmaN;
    QLineEdit* tauN;
    QLineEdit* angleFromX;
    QCheckBox* mohr;
    QPushButton* view;
    QPushButton* plot;
    QPushButton* ok;
    forms::OptionArray angleFrom;
    MohrCirclePlot* picMohr;
    ReferenceElement* reference;
    ElementView* sketch;
  } ui_;

  forms::NumericInputs inputs_;
  QTimer timer1_;
  StressInput stress_;
  StressOnPlane plane_;
  Principal2D principal_;
  bool principalShown_ = false;  // the principal results stand for the inputs
  bool sketchDrawn_ = false;
};

}  // namespace brantel
