#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "tools/failure/CoulombWedge.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brantel {

// Stability of a bolted rock block on a planar discontinuity: the safety
// factor for a given bolt (tab 0) and the bolt load for a required safety
// factor (tab 1). One class serves the bolted rock wedge (frmCoulombWedge,
// on CoulombWedgeData) and its twin, the bolted rock slope (frmCoulombSlope,
// on CoulombSlopeData); they differ only by the texts of TextsOf(tool). The
// mechanics are in CoulombWedge.h.
class frmCoulombWedge : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmCoulombWedge(QWidget* owner = nullptr, WedgeTool tool = WedgeTool::Wedge);
  ~frmCoulombWedge() override;

  // Empties the result box of the selected tab.
  void ZeroResults();

  WedgeTool Tool() const { return tool_; }
  // The working copy of the tool's record.
  const BoltedWedgeData& Working() const { return work_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Text_Change();
  void SSTab1_Click();
  // Computes and shows the selected tab's result.
  void CalcSafetyFactor();
  qint16 SelectedTab() const;
  // The tool's block of the project record.
  BoltedWedgeData& Record() const;

  struct Ui {
    QLineEdit* width;            // Text1
    QLineEdit* height;           // Text2
    QLineEdit* unitWeight;       // Text3
    QLineEdit* cohesion;         // Text6
    QLineEdit* frictionAngle;    // Text7
    QLineEdit* discAngle;        // Text8
    QLineEdit* boltLoad;         // Text4, tab 0
    QLineEdit* boltAngle;        // Text5, tab 0
    QLineEdit* safetyFactor;     // Text10, tab 0 result
    QLabel* tensionWarning;      // Label14
    QLineEdit* reqSafetyFactor;  // Text11, tab 1
    QLineEdit* boltAngle2;       // Text12, tab 1
    QLineEdit* reqBoltLoad;      // Text9, tab 1 result
    QLabel* loadNote;            // Label15
    QTabWidget* tabs;            // SSTab1
    QPushButton* ok;             // CmdOk
  } ui_;

  WedgeTool tool_;
  BoltedWedgeData work_;
};

}  // namespace brantel
