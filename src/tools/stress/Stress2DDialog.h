#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <QTimer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace brantel {

class ElementView;
class MohrCirclePlot;
class ReferenceElement;

// Stresses in two dimensions: principal stresses, the stresses on a plane,
// Mohr's circle and a sketch of the element turned to the principal
// directions. Works on Stress2D and Stress2DPlane of the project; the
// mechanics are in Stress2D.h.
class frm2DPrinc : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kNarrowWidth = 8170;
  static constexpr int kWideWidth = 12448;

  explicit frm2DPrinc(QWidget* owner = nullptr);
  ~frm2DPrinc() override;

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
    QLineEdit* sx;            // Text1
    QLineEdit* sy;            // Text2
    QLineEdit* txy;           // Text3
    QLineEdit* angle;         // Text9: the plane's angle from s1
    QLineEdit* s1;            // Text4
    QLineEdit* s2;            // Text5
    QLineEdit* theta1;        // Text6(0)
    QLineEdit* theta2;        // Text10
    QLineEdit* tmax;          // Text11
    QLineEdit* thetaPlus45;   // Text12
    QLineEdit* thetaMinus45;  // Text13
    QLineEdit* sigmaN;        // Text7
    QLineEdit* tauN;          // Text8
    QLineEdit* angleFromX;    // Text14
    QCheckBox* mohr;          // chkMohr
    QPushButton* view;        // cmdView
    QPushButton* plot;        // cmdPlot
    QPushButton* ok;          // CmdOk
    forms::OptionArray angleFrom;  // optAngle
    MohrCirclePlot* picMohr;
    ReferenceElement* reference;   // pic_ref
    ElementView* sketch;           // pic_bot
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
