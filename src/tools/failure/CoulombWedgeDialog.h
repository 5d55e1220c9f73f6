#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/failure/CoulombWedge.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brantel {

// The design names of the bolted wedge and slope dialog's controls, for its code and its tests.
namespace coulombwedge {
inline constexpr char kBlockFrame[] = "Frame1";  // captioned by the tool
inline constexpr char kWidth[] = "Text1";        // the block's length L along the plane
inline constexpr char kHeight[] = "Text2";
inline constexpr char kUnitWeight[] = "Text3";
inline constexpr char kBlockNote[] = "Label3";  // captioned by the tool
inline constexpr char kPlaneCohesion[] = "Text6";
inline constexpr char kPlaneFrictionAngle[] = "Text7";
inline constexpr char kPlaneAngle[] = "Text8";  // to the horizontal
inline constexpr char kPlaneSketch[] = "Image3";
inline constexpr char kTabs[] = "SSTab1";  // safety factor (page 0) or bolt load (page 1)
inline constexpr char kBoltLoad[] = "Text4";
inline constexpr char kBoltAngle[] = "Text5";
inline constexpr char kSafetyFactor[] = "Text10";  // the result of page 0
inline constexpr char kTensionWarning[] = "Label14";
inline constexpr char kRequiredSafetyFactorLabel[] = "Label11";  // captioned by the tool
inline constexpr char kRequiredSafetyFactor[] = "Text11";
inline constexpr char kBoltAngleForLoad[] = "Text12";
inline constexpr char kBoltSketch[] = "Image2";
inline constexpr char kRequiredBoltLoad[] = "Text9";  // the result of page 1
inline constexpr char kLoadNote[] = "Label15";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace coulombwedge

// Stability of a bolted rock block on a planar discontinuity: the safety
// factor for a given bolt (tab 0) and the bolt load for a required safety
// factor (tab 1). One class serves the bolted rock wedge (CoulombWedgeDialog,
// on CoulombWedgeData) and its twin, the bolted rock slope (frmCoulombSlope,
// on CoulombSlopeData); they differ only by the texts of TextsOf(tool). The
// mechanics are in CoulombWedge.h.
class CoulombWedgeDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit CoulombWedgeDialog(QWidget* owner = nullptr, WedgeTool tool = WedgeTool::Wedge);
  ~CoulombWedgeDialog() override;

  // Empties the result box of the selected tab.
  void ZeroResults();

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void OnInputEdited();
  void OnTabChanged();
  // Computes and shows the selected tab's result.
  void CalcSafetyFactor();
  int SelectedTab() const;
  // The tool's block of the project record.
  BoltedWedgeData& Record() const;

  struct Ui {
    QLineEdit* width;
    QLineEdit* height;
    QLineEdit* unitWeight;
    QLineEdit* planeCohesion;
    QLineEdit* planeFrictionAngle;
    QLineEdit* planeAngle;
    QLineEdit* boltLoad;      // tab 0
    QLineEdit* boltAngle;     // tab 0
    QLineEdit* safetyFactor;  // tab 0 result
    QLabel* tensionWarning;
    QLineEdit* requiredSafetyFactor;  // tab 1
    QLineEdit* boltAngleForLoad;      // tab 1
    QLineEdit* requiredBoltLoad;      // tab 1 result
    QLabel* loadNote;
    QTabWidget* tabs;
    QPushButton* ok;
  } ui_;

  WedgeTool tool_;
  BoltedWedgeData work_;
  // The block's six boxes, and the two of the selected page.
  forms::NumericInputs blockInputs_;
  forms::NumericInputs boltInputs_;
};

}  // namespace brantel
