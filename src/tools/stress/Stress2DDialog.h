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
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kShowMohrCircle[] = "chkMohr";
inline constexpr char kViewOrientation[] = "cmdView";  // the element turned to the principal directions
inline constexpr char kS1[] = "Text4";
inline constexpr char kS2[] = "Text5";
inline constexpr char kAngleOfS1[] = "Text6(0)";
inline constexpr char kAngleOfS2[] = "Text10";
inline constexpr char kTmax[] = "Text11";
inline constexpr char kAngleOfTmax[] = "Text12";       // from the x axis
inline constexpr char kAngleOfOtherTmax[] = "Text13";  // from the x axis
inline constexpr char kPlaneAngle[] = "Text9";
inline constexpr char kPlaneAngleFromX[] = "Text14";
inline constexpr char kAngleMeasuredFrom[] = "optAngle";
inline constexpr forms::ItemName kAngleFromS1 = forms::Item(kAngleMeasuredFrom, 0);
inline constexpr forms::ItemName kAngleFromXAxis = forms::Item(kAngleMeasuredFrom, 1);
inline constexpr char kPlaneNormalStress[] = "Text7";
inline constexpr char kPlaneShearStress[] = "Text8";
inline constexpr char kRedrawPlot[] = "cmdPlot";
inline constexpr char kReferenceElement[] = "pic_ref";
inline constexpr char kTurnedElement[] = "pic_bot";
inline constexpr char kZoomBar[] = "HScroll1";
inline constexpr char kMohrPlot[] = "picMohr";
inline constexpr char kPointerCoordinates[] = "lblCoord";
inline constexpr char kInternalCoordinates[] = "lblIntCoord";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace stress2d

class ElementView;
class MohrCirclePlot;
class ReferenceElement;

// The options beside the plane's angle boxes: the angle from s1 or from the
// x-axis.
enum class AngleMeasuredFrom { S1 = 0, XAxis = 1 };

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
  void OnLoad();
  void OnStressEdited();
  void OnPlaneAngleEdited();
  void OnStressFocusGained();
  void OnStressFocusLost(QLineEdit* box);
  void OnPlaneAngleFocusLost();
  void OnMohrCircleToggled();
  void OnRedrawPlotClicked();
  void OnSketchDelayElapsed();

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
    QLineEdit* planeAngle;  // from s1
    QLineEdit* s1;
    QLineEdit* s2;
    QLineEdit* angleOfS1;
    QLineEdit* angleOfS2;
    QLineEdit* tmax;
    QLineEdit* angleOfTmax;
    QLineEdit* angleOfOtherTmax;
    QLineEdit* planeNormalStress;
    QLineEdit* planeShearStress;
    QLineEdit* planeAngleFromX;
    QCheckBox* showMohrCircle;
    QPushButton* viewOrientation;
    QPushButton* redrawPlot;
    QPushButton* ok;
    forms::ChoiceArray<AngleMeasuredFrom> angleMeasuredFrom;
    MohrCirclePlot* mohrPlot;
    ReferenceElement* referenceElement;
    ElementView* turnedElement;
  } ui_;

  forms::NumericInputs inputs_;
  QTimer sketchDelay_;
  StressInput stress_;
  StressOnPlane plane_;
  Principal2D principal_;
  bool principalShown_ = false;  // the principal results stand for the inputs
  bool sketchDrawn_ = false;
};

}  // namespace brantel
