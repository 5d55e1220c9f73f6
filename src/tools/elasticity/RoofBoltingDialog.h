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
inline constexpr char kStrength[] = "txtStrength";  // steel strength
inline constexpr char kDiameter[] = "txtDiameter";
inline constexpr char kLength[] = "txtLength";
inline constexpr char kSF[] = "txtSF";
inline constexpr char kHeight[] = "txtHeight";  // supported rock height
inline constexpr char kUnitWeight[] = "txtUnit";
inline constexpr char kWidth[] = "txtWidth";  // opening width
inline constexpr char kMaxLoad[] = "txtDynami";
inline constexpr char kDesignLoad[] = "txtDesign";
inline constexpr char kOverburden[] = "txtOver";
inline constexpr char kBoltsPerArea[] = "txtDensity";
inline constexpr char kAreaPerBolt[] = "txtDensity1";
inline constexpr char kBoltsPerSection[] = "txtDensity2";
inline constexpr char kHeightWarning[] = "Label8";
// Tab 1: the anchor.
inline constexpr char kDiameter2[] = "txtDiam2";
inline constexpr char kLength2[] = "txtLength2";  // bonded length
inline constexpr char kHoleDiameter[] = "txtDiamHole";
inline constexpr char kCohesion1[] = "txtCo1";  // bolt/resin interface
inline constexpr char kFriction1[] = "txtPhi1";
inline constexpr char kCohesion2[] = "txtCo2";  // resin/rock interface
inline constexpr char kFriction2[] = "txtPhi2";
inline constexpr char kNormalStress[] = "txtS2";
inline constexpr char kSF2[] = "txtSF1";  // safety factor of the anchor
inline constexpr char kBoltResinLoad[] = "Text1";
inline constexpr char kResinRockLoad[] = "Text2";
inline constexpr char kSteelLoad[] = "Text4";
inline constexpr char kAnchorLoad[] = "Text3";  // design load of the anchor
inline constexpr char kOk[] = "btnOk";
inline constexpr char kCancel[] = "btnCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace roofbolting

// Roof-bolting design: the bolt density that the steel of a bolt allows
// under a height of loosened rock (tab 0), and the load that a
// resin-grouted anchor carries at its two interfaces (tab 1). Works on the
// BoltInputs fields of the project; the mechanics are in RoofBolting.h.
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
  void Form_Load();
  // A box of the first tab changed: both tabs follow, the second through
  // the steel load.
  void Density_Change();
  // A box of the second tab changed.
  void Anchor_Change();
  void CalcBoltDensity();
  void CalcAnchorCapacity();
  std::array<QString, kBoltBoxCount> BoxTexts() const;
  QLineEdit* Box(BoltBox box) const { return ui_.inputs[static_cast<int>(box)]; }

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
    QLineEdit* anchorLoad;
    QTabWidget* tabs;
  } ui_;

  BoltDensity density_;  // the first tab's results as shown
};

}  // namespace brantel
