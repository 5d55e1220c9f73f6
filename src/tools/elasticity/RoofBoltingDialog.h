#pragma once

#include "forms/FormDialog.h"
#include "tools/elasticity/RoofBolting.h"

#include <array>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace brantel {

// Roof-bolting design: the bolt density that the steel of a bolt allows
// under a height of loosened rock (tab 0), and the load that a
// resin-grouted anchor carries at its two interfaces (tab 1). Works on the
// BoltInputs fields of the project; the mechanics are in RoofBolting.h.
class frmBolt : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmBolt(QWidget* owner = nullptr);
  ~frmBolt() override;

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
    std::array<QLineEdit*, kBoltBoxCount> inputs;  // txtStrength .. txtSF1, in BoltBox order
    QLineEdit* maxLoad;          // txtDynami
    QLineEdit* designLoad;       // txtDesign
    QLineEdit* overburden;       // txtOver
    QLineEdit* boltsPerArea;     // txtDensity
    QLineEdit* areaPerBolt;      // txtDensity1
    QLineEdit* boltsPerSection;  // txtDensity2
    QLabel* heightWarning;       // Label8
    QLineEdit* boltResinLoad;    // Text1
    QLineEdit* resinRockLoad;    // Text2
    QLineEdit* steelLoad;        // Text4
    QLineEdit* anchorLoad;       // Text3
    QTabWidget* tabs;            // SSTab1
  } ui_;

  BoltDensity density_;  // the first tab's results as shown
};

}  // namespace brantel
