#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace brantel {

class GraphChart;
struct CircularEntries;

// Stresses around a circular opening (Kirsch): the radial, tangential and
// shear stress at a point, and with Graph checked the three stresses along
// the point's radial line as curves, on the dialog's Graph tab and in the
// graph window beside the dialog. Shown modeless: the main window stays
// usable. Works on CircStress and CircOpening of the project; the mechanics
// are in CircularOpening.h.
class frmCircular : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmCircular(QWidget* owner = nullptr);
  ~frmCircular() override;

  // Empties the three stress results.
  void ZeroResults();
  // The dialog's own chart: set up from the default graph format (which
  // becomes the current one), and the curves of the graph buffer on it.
  void GraphInit();
  void DrawCurve();

  // The working copy.
  const StressInput& WorkingStress() const { return stress_; }
  const CircularData& WorkingOpening() const { return opening_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void Form_Load();
  void Text_Change();
  void Text5_Change();
  void TextBox_GotFocus(QLineEdit* box);
  void HScroll1_Change(int value);
  void Check2_Click();
  void Command1_Click();
  void SSTab1_Click(int tab);

  void Calculate();
  void CalcKirschPoint();
  // The curve step: the buffer, the dialog's chart and the graph window.
  void PlotCurves();
  void FillGraphCurves();
  void FillChartData();
  void ShowGraphWindow();
  // The scroll bar shows the angle of the box: its whole degrees, the
  // remainder of a division by 360.
  void FollowAngle();
  CircularEntries ReadEntries() const;

  struct Ui {
    QLineEdit* sx;        // Text1
    QLineEdit* sy;        // Text2
    QLineEdit* txy;       // Text3
    QLineEdit* a;         // Text4: radius of the opening
    QLineEdit* angle;     // Text5: w
    QLineEdit* r;         // Text11: distance of the point
    QLineEdit* pressure;  // txtlInternalPress
    QLineEdit* dw;        // Text6: angle of the radial line from s2
    QLineEdit* sigmaR;    // Text7
    QLineEdit* sigmaTheta;  // Text8
    QLineEdit* tau;       // Text9
    QLabel* radialRatio;      // Label11
    QLabel* tangentialRatio;  // Label9
    QLabel* radiusMessage;    // lblRadMsg
    QLabel* distanceMessage;  // lblDistMsg
    QScrollBar* angleBar;     // HScroll1
    QCheckBox* graph;         // chkGraph
    QCheckBox* plotTo3R;      // Check2
    QTabWidget* tabs;         // SSTab1
    GraphChart* chart;        // Graph1
  } ui_;

  StressInput stress_;
  CircularData opening_;
  // Set while a box change runs the calculation: a check that names another
  // box then leaves the focus where the user types.
  bool typing_ = false;
  // The curves in the buffer are newer than those on the hidden Graph tab.
  bool chartBehind_ = false;
};

}  // namespace brantel
