#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brantel {

// Plane stress and plane strain: the stresses of a point from its strains
// (tab 0) and its strains from its stresses (tab 1), each tab with its own
// constants and its own assumption. Works on PlaneElasticity,
// PlaneConstants1, PlaneStressIn and PlaneConstants2 of the project; the
// mechanics are in PlaneElasticity.h.
class frmPlaneStress : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmPlaneStress(QWidget* owner = nullptr);
  ~frmPlaneStress() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  // The input boxes of one tab, checked in this order into the staged
  // values: the three state boxes, then E and nu with their value rules
  // (three groups, shown in three display forms).
  struct TabInputs {
    forms::NumericInputs state;
    forms::NumericInputs modulus;
    forms::NumericInputs poisson;
  };

  void Form_Load();
  void Text_Change();
  void Option_Click();
  void SSTab1_Click();
  bool ValidateTab(const TabInputs& tab);
  void CalcPlaneElasticity();
  void EnableInputsForTab();
  int ActiveTab() const;

  struct Ui {
    QTabWidget* tabs;  // SSTab1
    // Tab 0: strains in, stresses out.
    QLineEdit* ex;     // Text1
    QLineEdit* ey;     // Text2
    QLineEdit* gxy;    // Text3
    QLineEdit* e1;     // Text4
    QLineEdit* nu1;    // Text5
    QLineEdit* sx;     // Text6
    QLineEdit* sy;     // Text7
    QLineEdit* txy;    // Text8
    forms::OptionArray assumption1;  // Option1
    // Tab 1: stresses in, strains out.
    QLineEdit* sxIn;   // Text13
    QLineEdit* syIn;   // Text12
    QLineEdit* txyIn;  // Text11
    QLineEdit* e2;     // Text10
    QLineEdit* nu2;    // Text9
    QLineEdit* exOut;  // Text16
    QLineEdit* eyOut;  // Text15
    QLineEdit* gxyOut; // Text14
    forms::OptionArray assumption2;  // Option2
    QPushButton* ok;   // CmdOk
  } ui_;

  TabInputs tab0_;
  TabInputs tab1_;
  // The working copy (the inputs last accepted on each tab), and the values
  // being checked before they replace it.
  PlaneElasticityData elasticity_;
  ElasticConstants constants1_;
  PlaneStressState stressIn_;
  ElasticConstants constants2_;
  PlaneElasticityData stagedStrains_;
  ElasticConstants stagedConstants1_;
  PlaneStressState stagedStress_;
  ElasticConstants stagedConstants2_;
};

}  // namespace brantel
