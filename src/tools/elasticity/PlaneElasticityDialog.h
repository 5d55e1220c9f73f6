#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <array>

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brantel {

// The design names of the plane stress/strain dialog's controls, for its code and its tests.
namespace planeelasticity {
inline constexpr char kTabs[] = "SSTab1";
// Tab 0, the stress tab ("Calculate Stress State"): strains in, stresses out.
inline constexpr char kEx[] = "Text1";
inline constexpr char kEy[] = "Text2";
inline constexpr char kGxy[] = "Text3";
inline constexpr char kStressTabModulus[] = "Text4";
inline constexpr char kStressTabPoisson[] = "Text5";
inline constexpr char kSx[] = "Text6";
inline constexpr char kSy[] = "Text7";
inline constexpr char kTxy[] = "Text8";
inline constexpr char kStressTabAssumption[] = "Option1";
inline constexpr forms::ItemName kStressTabPlaneStress = forms::Item(kStressTabAssumption, 0);
inline constexpr forms::ItemName kStressTabPlaneStrain = forms::Item(kStressTabAssumption, 1);
// Tab 1, the strain tab ("Calculate Strain State"): stresses in, strains out.
inline constexpr char kSxIn[] = "Text13";
inline constexpr char kSyIn[] = "Text12";
inline constexpr char kTxyIn[] = "Text11";
inline constexpr char kStrainTabModulus[] = "Text10";
inline constexpr char kStrainTabPoisson[] = "Text9";
inline constexpr char kExOut[] = "Text16";
inline constexpr char kEyOut[] = "Text15";
inline constexpr char kGxyOut[] = "Text14";
inline constexpr char kStrainTabAssumption[] = "Option2";
inline constexpr forms::ItemName kStrainTabPlaneStress = forms::Item(kStrainTabAssumption, 0);
inline constexpr forms::ItemName kStrainTabPlaneStrain = forms::Item(kStrainTabAssumption, 1);
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "Command3";
}  // namespace planeelasticity

// Plane stress and plane strain: the stresses of a point from its strains
// (tab 0) and its strains from its stresses (tab 1), each tab with its own
// constants and its own assumption. Works on PlaneElasticity,
// PlaneStressTabConstants, PlaneStressIn and PlaneStrainTabConstants of the project; the
// mechanics are in PlaneElasticity.h.
class PlaneElasticityDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit PlaneElasticityDialog(QWidget* owner = nullptr);
  ~PlaneElasticityDialog() override;

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

  void OnLoad();
  void OnInputEdited();
  void OnAssumptionChosen();
  void OnTabChanged();
  bool ValidateTab(const TabInputs& tab);
  void CalcPlaneElasticity();
  void EnableInputsForTab();
  PlaneElasticityTab ActiveTab() const;

  struct Ui {
    QTabWidget* tabs;
    // Tab 0: strains in, stresses out.
    QLineEdit* ex;
    QLineEdit* ey;
    QLineEdit* gxy;
    QLineEdit* stressTabModulus;
    QLineEdit* stressTabPoisson;
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    forms::ChoiceArray<PlaneAssumption> stressTabAssumption;
    // Tab 1: stresses in, strains out.
    QLineEdit* sxIn;
    QLineEdit* syIn;
    QLineEdit* txyIn;
    QLineEdit* strainTabModulus;
    QLineEdit* strainTabPoisson;
    QLineEdit* exOut;
    QLineEdit* eyOut;
    QLineEdit* gxyOut;
    forms::ChoiceArray<PlaneAssumption> strainTabAssumption;
    QPushButton* ok;
  } ui_;

  TabInputs stressTab_;
  TabInputs strainTab_;
  // The working copy (the inputs last accepted on each tab), and the values
  // being checked before they replace it.
  PlaneElasticityData elasticity_;
  ElasticConstants stressTabConstants_;
  PlaneStressState stressIn_;
  ElasticConstants strainTabConstants_;
  PlaneElasticityData stagedStrains_;
  ElasticConstants stagedStressTabConstants_;
  PlaneStressState stagedStress_;
  ElasticConstants stagedStrainTabConstants_;
};

}  // namespace brantel
