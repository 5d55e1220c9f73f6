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
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kOpeningRadius[] = "Text4";
inline constexpr char kOpeningRadiusNote[] = "lblRadMsg";  // what is wrong with the radius
inline constexpr char kInternalPressure[] = "txtlInternalPress";
inline constexpr char kPointAngle[] = "Text5";
inline constexpr char kPointAngleBar[] = "HScroll1";
inline constexpr char kPositiveAngleSense[] = "Image1";
inline constexpr char kShowCurves[] = "chkGraph";  // the stresses along the radial line as curves
inline constexpr char kPlotTo3R[] = "Check2";      // the curves out to three radii
inline constexpr char kPlotStresses[] = "Command1";
inline constexpr char kTabs[] = "SSTab1";  // the point's results and the curves
inline constexpr char kPointDistance[] = "Text11";
inline constexpr char kPointDistanceNote[] = "lblDistMsg";  // what is wrong with the distance
inline constexpr char kAngleFromS2[] = "Text6";             // of the point's radial line
inline constexpr char kRadialStress[] = "Text7";
inline constexpr char kTangentialStress[] = "Text8";
inline constexpr char kShearStress[] = "Text9";
inline constexpr char kRadialRatio[] = "Label11";
inline constexpr char kTangentialRatio[] = "Label9";
inline constexpr char kCurveChart[] = "Graph1";  // on the Graph tab
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
  void OnLoad();
  void OnInputEdited();
  void OnPointAngleEdited();
  void OnInputFocusGained(QLineEdit* box);
  void OnPointAngleBarMoved(int value);
  void OnPlotTo3RToggled();
  void OnPlotStressesClicked();
  void OnTabChanged(int tab);

  // Checks the inputs, then shows the point's stresses and, with Graph
  // checked, plots the curves; refused inputs empty the point's stresses.
  void Recompute();
  void ShowPointResults();
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
    QLineEdit* radius;      // of the opening, a
    QLineEdit* pointAngle;  // w
    QLineEdit* distance;    // of the point, r
    QLineEdit* pressure;
    QLineEdit* angleFromS2;  // of the point's radial line, Dw
    QLineEdit* radialStress;
    QLineEdit* tangentialStress;
    QLineEdit* shearStress;
    QLabel* radialRatio;
    QLabel* tangentialRatio;
    QLabel* radiusNote;
    QLabel* distanceNote;
    QScrollBar* pointAngleBar;
    QCheckBox* showCurves;
    QCheckBox* plotTo3R;
    QTabWidget* tabs;
    GraphChart* curveChart;
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
