#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace brantel {

// The design names of the dialog of the stresses around a circular opening,
// for its code, its tests and its benchmark.
namespace circularopening {
inline constexpr char kSx[] = "Text1";                    // sx
inline constexpr char kSy[] = "Text2";                    // sy
inline constexpr char kTxy[] = "Text3";                   // txy
inline constexpr char kRadius[] = "Text4";                // radius of the opening, a
inline constexpr char kRadiusNote[] = "lblRadMsg";        // what is wrong with the radius
inline constexpr char kPressure[] = "txtlInternalPress";  // internal pressure
inline constexpr char kAngle[] = "Text5";                 // angle w of the point
inline constexpr char kAngleBar[] = "HScroll1";           // the angle's scroll bar
inline constexpr char kAngleSense[] = "Image1";           // the positive sense of angles
inline constexpr char kGraph[] = "chkGraph";              // the curves along the radial line
inline constexpr char kPlotTo3R[] = "Check2";             // the curves out to three radii
inline constexpr char kPlot[] = "Command1";               // Plot Stresses
inline constexpr char kTabs[] = "SSTab1";                 // the point's results and the curves
inline constexpr char kDistance[] = "Text11";             // distance r of the point
inline constexpr char kDistanceNote[] = "lblDistMsg";     // what is wrong with the distance
inline constexpr char kAngleFromS2[] = "Text6";           // angle Dw of the radial line from s2
inline constexpr char kSigmaR[] = "Text7";                // radial stress
inline constexpr char kSigmaTheta[] = "Text8";            // tangential stress
inline constexpr char kTau[] = "Text9";                   // shear stress
inline constexpr char kRadialRatio[] = "Label11";
inline constexpr char kTangentialRatio[] = "Label9";
inline constexpr char kChart[] = "Graph1";  // the curves on the Graph tab
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace circularopening

class GraphChart;
struct CircularEntries;
enum class CircularField;

// Stresses around a circular opening (Kirsch): the radial, tangential and
// shear stress at a point, and with Graph checked the three stresses along
// the point's radial line as curves, on the dialog's Graph tab and in the
// graph window beside the dialog. Shown modeless: the main window stays
// usable. Works on CircStress and CircOpening of the project; the mechanics
// are in CircularOpening.h.
class CircularOpeningDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit CircularOpeningDialog(QWidget* owner = nullptr);
  ~CircularOpeningDialog() override;

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
  // The box of an input, and the note beside it (the radius's and the
  // distance's; none for another).
  QLineEdit* BoxOf(CircularField field) const;
  QLabel* NoteOf(CircularField field) const;

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QLineEdit* a;      // radius of the opening
    QLineEdit* angle;  // w
    QLineEdit* r;      // distance of the point
    QLineEdit* pressure;
    QLineEdit* dw;  // angle of the radial line from s2
    QLineEdit* sigmaR;
    QLineEdit* sigmaTheta;
    QLineEdit* tau;
    QLabel* radialRatio;
    QLabel* tangentialRatio;
    QLabel* radiusMessage;
    QLabel* distanceMessage;
    QScrollBar* angleBar;
    QCheckBox* graph;
    QCheckBox* plotTo3R;
    QTabWidget* tabs;
    GraphChart* chart;
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
