#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "tools/elasticity/RoofBolting.h"

#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace brantel {

// The design names of the roof-bolting dialog's controls, for its code and its tests.
namespace roofbolting {
inline constexpr char kTabs[] = "SSTab1";
// Tab 0: the bolt density.
inline constexpr char kSteelStrength[] = "txtStrength";
inline constexpr char kBoltDiameter[] = "txtDiameter";
inline constexpr char kBoltLength[] = "txtLength";
inline constexpr char kSafetyFactor[] = "txtSF";
inline constexpr char kRockHeight[] = "txtHeight";
inline constexpr char kUnitWeight[] = "txtUnit";
inline constexpr char kOpeningWidth[] = "txtWidth";
inline constexpr char kMaxLoad[] = "txtDynami";
inline constexpr char kDesignLoad[] = "txtDesign";
inline constexpr char kOverburden[] = "txtOver";
inline constexpr char kBoltsPerArea[] = "txtDensity";
inline constexpr char kAreaPerBolt[] = "txtDensity1";
inline constexpr char kBoltsPerSection[] = "txtDensity2";
inline constexpr char kHeightWarning[] = "Label8";
// Tab 1: the anchor.
inline constexpr char kAnchorDiameter[] = "txtDiam2";
inline constexpr char kBondedLength[] = "txtLength2";
inline constexpr char kHoleDiameter[] = "txtDiamHole";
inline constexpr char kBoltResinCohesion[] = "txtCo1";
inline constexpr char kBoltResinFriction[] = "txtPhi1";
inline constexpr char kResinRockCohesion[] = "txtCo2";
inline constexpr char kResinRockFriction[] = "txtPhi2";
inline constexpr char kNormalStress[] = "txtS2";
inline constexpr char kAnchorSafetyFactor[] = "txtSF1";
inline constexpr char kBoltResinLoad[] = "Text1";
inline constexpr char kResinRockLoad[] = "Text2";
inline constexpr char kSteelLoad[] = "Text4";
inline constexpr char kAnchorDesignLoad[] = "Text3";
inline constexpr char kOk[] = "btnOk";
inline constexpr char kCancel[] = "btnCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace roofbolting

// Roof-bolting design: the bolt density that the steel of a bolt allows
// under a height of loosened rock (tab 0), and the load that a
// resin-grouted anchor carries at its two interfaces (tab 1). Works on the
// roof-bolting fields of the project (BoltStrength to
// BoltAnchorSafetyFactor); the mechanics are in RoofBolting.h.
class RoofBoltingDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit RoofBoltingDialog(QWidget* owner = nullptr);
  ~RoofBoltingDialog() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  // A box of the first tab edited: both tabs follow, the second through
  // the steel load.
  void OnDensityInputEdited();
  // A box of the second tab edited.
  void OnAnchorInputEdited();
  void ShowBoltDensity();
  void ShowAnchorCapacity();
  // The value of every input box (forms::LeadingValue).
  BoltReadings ReadBoxes() const;
  QLineEdit* Box(BoltBox box) const { return ui_.inputs[static_cast<std::size_t>(box)]; }

  struct Ui {
    std::array<QLineEdit*, kBoltBoxCount> inputs;  // in BoltBox order
    QLineEdit* maxLoad;
    QLineEdit* designLoad;
    QLineEdit* overburden;
    QLineEdit* boltsPerArea;
    QLineEdit* areaPerBolt;
    QLineEdit* boltsPerSection;
    QLabel* heightWarning;
    QLineEdit* boltResinLoad;
    QLineEdit* resinRockLoad;
    QLineEdit* steelLoad;
    QLineEdit* anchorDesignLoad;
    QTabWidget* tabs;
  } ui_;

  BoltDensity density_;  // the first tab's results as shown
  // The inputs that the checks of OK accepted, as the record holds them.
  std::array<float, kBoltBoxCount> accepted_{};
};

}  // namespace brantel
