#include "tools/elasticity/PlaneElasticityDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "forms/FormHelpers.h"
#include "tools/elasticity/PlaneElasticity.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

// The pages of the tab control, in the order of PlaneElasticityTab: the
// stress tab (strains in, stresses out), then the strain tab (stresses in,
// strains out).
int PageOf(PlaneElasticityTab tab) { return static_cast<int>(tab); }

constexpr forms::FormDesign kForm{
    .name = "frmPlaneStress",
    .width = 7335,
    .height = 4860,
    .caption = {"Plane Stress/Strain Assumption", "Θεώρηση επίπεδης τάσης και παραμόρφωσης"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = planeelasticity::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 7095, 4095}},
    // Tab 0: the stresses from the strains.
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = planeelasticity::kTabs, .caption = {"Calculate Stress State", "Υπολογισμός εντατικής κατάστασης"}},
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {240, 480, 3375, 1575}, .caption = {"Strain State", "Παραμορφωσιακή κατάσταση"}},
    {.name = "lblex", .kind = Kind::Label, .container = "Frame2", .at = {240, 360, 615, 255}, .caption = {"ex", "ε x"}, .partner = planeelasticity::kEx},
    {.name = "lbley", .kind = Kind::Label, .container = "Frame2", .at = {240, 720, 615, 255}, .caption = {"ey", "ε y"}, .partner = planeelasticity::kEy},
    {.name = "lblgxy", .kind = Kind::Label, .container = "Frame2", .at = {240, 1080, 615, 255}, .caption = {"gxy", "γ xy"}, .partner = planeelasticity::kGxy},
    {.name = planeelasticity::kEx, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 330, 2175, 285}},
    {.name = planeelasticity::kEy, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 690, 2175, 285}},
    {.name = planeelasticity::kGxy, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 1050, 2175, 285}},
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {3720, 480, 3255, 1575}, .caption = {"Material Constants", "Σταθερές πετρώματος"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame1", .at = {240, 360, 375, 255}, .caption = {"E", "E"}, .partner = planeelasticity::kStressTabModulus},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame1", .at = {240, 720, 375, 255}, .caption = {"v", "v"}, .partner = planeelasticity::kStressTabPoisson},
    {.name = planeelasticity::kStressTabModulus, .kind = Kind::TextBox, .container = "Frame1", .at = {720, 330, 2295, 285}},
    {.name = planeelasticity::kStressTabPoisson, .kind = Kind::TextBox, .container = "Frame1", .at = {720, 690, 1095, 285}, .maxLength = 7},
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {240, 2160, 3375, 1575}, .caption = {"Stress State", "Εντατική κατάσταση"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame3", .at = {240, 360, 615, 255}, .caption = {"sx", "σ x"}, .partner = planeelasticity::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame3", .at = {240, 720, 615, 255}, .caption = {"sy", "σ y"}, .partner = planeelasticity::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame3", .at = {240, 1080, 615, 255}, .caption = {"txy", "τ xy"}, .partner = planeelasticity::kTxy},
    {.name = planeelasticity::kSx, .kind = Kind::TextBox, .container = "Frame3", .at = {960, 330, 2175, 285}, .flags = kResult},
    {.name = planeelasticity::kSy, .kind = Kind::TextBox, .container = "Frame3", .at = {960, 690, 2175, 285}, .flags = kResult},
    {.name = planeelasticity::kTxy, .kind = Kind::TextBox, .container = "Frame3", .at = {960, 1050, 2175, 285}, .flags = kResult},
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {3720, 2160, 3255, 1575}, .caption = {"Solution Assumption:", "Επίλυση με θεώρηση:"}},
    {.name = planeelasticity::kStressTabPlaneStress, .kind = Kind::Option, .container = "Frame4", .at = {240, 480, 2895, 255}, .caption = {"Plane Stress", "Επίπεδης Τάσης"}},
    {.name = planeelasticity::kStressTabPlaneStrain, .kind = Kind::Option, .container = "Frame4", .at = {240, 960, 2895, 255}, .caption = {"Plane Strain", "Επίπεδης Παραμόρφωσης"}},
    // Tab 1: the strains from the stresses.
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = planeelasticity::kTabs, .caption = {"Calculate Strain State", "Υπολογισμός παραμορφωσιακής κατάστασης"}},
    {.name = "Frame6", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 480, 3375, 1575}, .caption = {"Stress State", "Εντατική κατάσταση"}},
    {.name = "lblsx1", .kind = Kind::Label, .container = "Frame6", .at = {240, 360, 615, 255}, .caption = {"sx", "σ x"}, .partner = planeelasticity::kSxIn},
    {.name = "lblsy1", .kind = Kind::Label, .container = "Frame6", .at = {240, 720, 615, 255}, .caption = {"sy", "σ y"}, .partner = planeelasticity::kSyIn},
    {.name = "lbltxy1", .kind = Kind::Label, .container = "Frame6", .at = {240, 1080, 615, 255}, .caption = {"txy", "τ xy"}, .partner = planeelasticity::kTxyIn},
    {.name = planeelasticity::kSxIn, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 330, 2175, 285}, .maxLength = 7},
    {.name = planeelasticity::kSyIn, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 690, 2175, 285}, .maxLength = 7},
    {.name = planeelasticity::kTxyIn, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 1050, 2175, 285}, .maxLength = 7},
    {.name = "Frame5", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {3720, 480, 3255, 1575}, .caption = {"Material Constants", "Σταθερές πετρώματος"}},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame5", .at = {240, 360, 375, 255}, .caption = {"E", "E"}, .partner = planeelasticity::kStrainTabModulus},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame5", .at = {240, 720, 375, 255}, .caption = {"v", "v"}, .partner = planeelasticity::kStrainTabPoisson},
    {.name = planeelasticity::kStrainTabModulus, .kind = Kind::TextBox, .container = "Frame5", .at = {720, 330, 2295, 285}},
    {.name = planeelasticity::kStrainTabPoisson, .kind = Kind::TextBox, .container = "Frame5", .at = {720, 690, 1095, 285}, .maxLength = 7},
    {.name = "Frame7", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 2160, 3375, 1575}, .caption = {"Strain State", "Παραμορφωσιακή Κατάσταση"}},
    {.name = "lblex1", .kind = Kind::Label, .container = "Frame7", .at = {240, 360, 615, 255}, .caption = {"ex", "ε x"}, .partner = planeelasticity::kExOut},
    {.name = "lbley1", .kind = Kind::Label, .container = "Frame7", .at = {240, 720, 615, 255}, .caption = {"ey", "ε y"}, .partner = planeelasticity::kEyOut},
    {.name = "lblgxy1", .kind = Kind::Label, .container = "Frame7", .at = {240, 1080, 615, 255}, .caption = {"gxy", "γ xy"}, .partner = planeelasticity::kGxyOut},
    {.name = planeelasticity::kExOut, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 330, 2175, 285}, .flags = kResult},
    {.name = planeelasticity::kEyOut, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 690, 2175, 285}, .flags = kResult},
    {.name = planeelasticity::kGxyOut, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 1050, 2175, 285}, .flags = kResult},
    {.name = "Frame8", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {3720, 2160, 3255, 1575}, .caption = {"Solution Assumption:", "Επίλυση με θεώρηση:"}},
    {.name = planeelasticity::kStrainTabPlaneStress, .kind = Kind::Option, .container = "Frame8", .at = {240, 480, 2895, 255}, .caption = {"Plane Stress", "Επίπεδης Τάσης"}},
    {.name = planeelasticity::kStrainTabPlaneStrain, .kind = Kind::Option, .container = "Frame8", .at = {240, 960, 2895, 255}, .caption = {"Plane Strain", "Επίπεδης Παραμόρφωσης"}},
    // Buttons.
    {.name = planeelasticity::kHelp, .kind = Kind::Button, .at = {1320, 4320, 1215, 375}, .caption = {"Help"}},
    {.name = planeelasticity::kCancel, .kind = Kind::Button, .at = {3060, 4320, 1215, 375}, .caption = {"Cancel"}},
    {.name = planeelasticity::kOk, .kind = Kind::Button, .at = {4800, 4320, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

PlaneElasticityDialog::PlaneElasticityDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(planeelasticity::kTabs);
  ui_.ex = Require<QLineEdit>(planeelasticity::kEx);
  ui_.ey = Require<QLineEdit>(planeelasticity::kEy);
  ui_.gxy = Require<QLineEdit>(planeelasticity::kGxy);
  ui_.stressTabModulus = Require<QLineEdit>(planeelasticity::kStressTabModulus);
  ui_.stressTabPoisson = Require<QLineEdit>(planeelasticity::kStressTabPoisson);
  ui_.sx = Require<QLineEdit>(planeelasticity::kSx);
  ui_.sy = Require<QLineEdit>(planeelasticity::kSy);
  ui_.txy = Require<QLineEdit>(planeelasticity::kTxy);
  ui_.stressTabAssumption = {Options(planeelasticity::kStressTabAssumption)};
  ui_.sxIn = Require<QLineEdit>(planeelasticity::kSxIn);
  ui_.syIn = Require<QLineEdit>(planeelasticity::kSyIn);
  ui_.txyIn = Require<QLineEdit>(planeelasticity::kTxyIn);
  ui_.strainTabModulus = Require<QLineEdit>(planeelasticity::kStrainTabModulus);
  ui_.strainTabPoisson = Require<QLineEdit>(planeelasticity::kStrainTabPoisson);
  ui_.exOut = Require<QLineEdit>(planeelasticity::kExOut);
  ui_.eyOut = Require<QLineEdit>(planeelasticity::kEyOut);
  ui_.gxyOut = Require<QLineEdit>(planeelasticity::kGxyOut);
  ui_.strainTabAssumption = {Options(planeelasticity::kStrainTabAssumption)};
  ui_.ok = Require<QPushButton>(planeelasticity::kOk);

  stressTab_.state.Add(ui_.ex, stagedStrains_.Ex, {Reading::WholeEntry, InvalidValueFor({"ex", "ex"})});
  stressTab_.state.Add(ui_.ey, stagedStrains_.Ey, {Reading::WholeEntry, InvalidValueFor({"ey", "ey"})});
  stressTab_.state.Add(ui_.gxy, stagedStrains_.Gxy, {Reading::WholeEntry, InvalidValueFor({"gxy", "gxy"})});
  stressTab_.modulus.Add(ui_.stressTabModulus, stagedStressTabConstants_.E,
                         {Reading::WholeEntry, kPlaneModulusMessage, PlaneModulusRule()});
  stressTab_.poisson.Add(ui_.stressTabPoisson, stagedStressTabConstants_.Nu,
                         {Reading::WholeEntry, kPlanePoissonMessage, PlanePoissonRule()});
  strainTab_.state.Add(ui_.sxIn, stagedStress_.Sx, {Reading::WholeEntry, InvalidValueFor({"sx", "σx"})});
  strainTab_.state.Add(ui_.syIn, stagedStress_.Sy, {Reading::WholeEntry, InvalidValueFor({"sy", "σy"})});
  strainTab_.state.Add(ui_.txyIn, stagedStress_.Txy, {Reading::WholeEntry, InvalidValueFor({"txy", "τxy"})});
  strainTab_.modulus.Add(ui_.strainTabModulus, stagedStrainTabConstants_.E,
                         {Reading::WholeEntry, kPlaneModulusMessage, PlaneModulusRule()});
  strainTab_.poisson.Add(ui_.strainTabPoisson, stagedStrainTabConstants_.Nu,
                         {Reading::WholeEntry, kPlanePoissonMessage, PlanePoissonRule()});

  WireButtons(ui_.ok, Require<QPushButton>(planeelasticity::kCancel), Require<QPushButton>(planeelasticity::kHelp));
  for (QLineEdit* box : {ui_.ex, ui_.ey, ui_.gxy, ui_.stressTabModulus, ui_.stressTabPoisson, ui_.sxIn, ui_.syIn,
                         ui_.txyIn, ui_.strainTabModulus, ui_.strainTabPoisson}) {
    connect(box, &QLineEdit::textChanged, this, &PlaneElasticityDialog::OnInputEdited);
  }
  for (const forms::OptionArray* group : {&ui_.stressTabAssumption, &ui_.strainTabAssumption}) {
    for (QRadioButton* button : group->buttons) {
      connect(button, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OnAssumptionChosen();
      });
    }
  }
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &PlaneElasticityDialog::OnTabChanged);

  OnLoad();
}

PlaneElasticityDialog::~PlaneElasticityDialog() {
  // The tab control may change its tab while it is taken down.
  disconnect(ui_.tabs, nullptr, this, nullptr);
}

void PlaneElasticityDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput()) CalcPlaneElasticity();
  EnableInputsForTab();
  AddHistoryLine(Tr(
      {"Calculation of elastic behavior in two dimensions.", "Υπολογισμός ελαστικής συμπεριφοράς σε δύο διαστάσεις."}));
}

void PlaneElasticityDialog::LoadFromProject() {
  elasticity_ = Project.PlaneElasticity;
  stressTabConstants_ = Project.PlaneStressTabConstants;
  stressIn_ = Project.PlaneStressIn;
  strainTabConstants_ = Project.PlaneStrainTabConstants;
  stagedStrains_ = elasticity_;
  stagedStressTabConstants_ = stressTabConstants_;
  stagedStress_ = stressIn_;
  stagedStrainTabConstants_ = strainTabConstants_;
  stressTab_.state.Show(kPlaneStrainMask);
  stressTab_.modulus.Show(kPlaneStressMask);
  strainTab_.state.Show(kPlaneStressMask);
  strainTab_.modulus.Show(kPlaneStressMask);
  // Poisson's ratio in the general number format.
  forms::ShowStoredGeneral(ui_.stressTabPoisson, stressTabConstants_.Nu);
  forms::ShowStoredGeneral(ui_.strainTabPoisson, strainTabConstants_.Nu);
  ui_.tabs->setCurrentIndex(PageOf(elasticity_.Tab));
  ui_.stressTabAssumption.Choose(elasticity_.StressTabAssumption);
  ui_.strainTabAssumption.Choose(elasticity_.StrainTabAssumption);
}

PlaneElasticityTab PlaneElasticityDialog::ActiveTab() const {
  const bool strain = ui_.tabs->currentIndex() == PageOf(PlaneElasticityTab::Strain);
  return strain ? PlaneElasticityTab::Strain : PlaneElasticityTab::Stress;
}

bool PlaneElasticityDialog::ValidateTab(const TabInputs& tab) {
  return tab.state.Validate() && tab.modulus.Validate() && tab.poisson.Validate();
}

bool PlaneElasticityDialog::ValidateInput() {
  // Only the tab in view is checked; the other keeps what it last accepted.
  const PlaneElasticityTab tab = ActiveTab();
  const bool valid = ValidateTab(tab == PlaneElasticityTab::Strain ? strainTab_ : stressTab_);
  if (valid && tab == PlaneElasticityTab::Strain) {
    stressIn_ = stagedStress_;
    strainTabConstants_ = stagedStrainTabConstants_;
  } else if (valid) {
    elasticity_.Ex = stagedStrains_.Ex;
    elasticity_.Ey = stagedStrains_.Ey;
    elasticity_.Gxy = stagedStrains_.Gxy;
    stressTabConstants_ = stagedStressTabConstants_;
  }
  ui_.ok->setEnabled(PlaneOkEnabled(tab, elasticity_, stressIn_, strainTabConstants_));
  return valid;
}

void PlaneElasticityDialog::CalcPlaneElasticity() {
  // A state without a finite answer (E = 0 on tab 1, nu = 0.5 in plane
  // strain on tab 0) empties the results rather than leave the last ones.
  if (ActiveTab() == PlaneElasticityTab::Strain) {
    const auto results = {ui_.exOut, ui_.eyOut, ui_.gxyOut};
    forms::Calculate(results, [&] {
      const PlaneStrainResult r = CalcStrainState(stressIn_, strainTabConstants_, ui_.strainTabAssumption.Chosen());
      if (!r.Computable) return forms::ClearResults(results);
      forms::ShowResult(ui_.exOut, r.Ex, kPlaneStrainMask);
      forms::ShowResult(ui_.eyOut, r.Ey, kPlaneStrainMask);
      forms::ShowResult(ui_.gxyOut, r.Gxy, kPlaneStrainMask);
    });
    return;
  }
  const auto results = {ui_.sx, ui_.sy, ui_.txy};
  forms::Calculate(results, [&] {
    const PlaneStressResult r = CalcStressState(elasticity_, stressTabConstants_, ui_.stressTabAssumption.Chosen());
    if (!r.Computable) return forms::ClearResults(results);
    forms::ShowResult(ui_.sx, r.Sx, kPlaneStressMask);
    forms::ShowResult(ui_.sy, r.Sy, kPlaneStressMask);
    forms::ShowResult(ui_.txy, r.Txy, kPlaneStressMask);
  });
}

void PlaneElasticityDialog::EnableInputsForTab() {
  const bool first = ActiveTab() == PlaneElasticityTab::Stress;
  for (QLineEdit* box : {ui_.ex, ui_.ey, ui_.gxy, ui_.stressTabModulus, ui_.stressTabPoisson}) box->setEnabled(first);
  for (QLineEdit* box : {ui_.sxIn, ui_.syIn, ui_.txyIn, ui_.strainTabModulus, ui_.strainTabPoisson})
    box->setEnabled(!first);
  ui_.stressTabAssumption.At(0)->setEnabled(first);
  ui_.strainTabAssumption.At(0)->setEnabled(!first);
}

void PlaneElasticityDialog::OnInputEdited() {
  RecalculateIfValid([this] { CalcPlaneElasticity(); });
}

void PlaneElasticityDialog::OnAssumptionChosen() {
  RecalculateIfValid([this] { CalcPlaneElasticity(); });
}

void PlaneElasticityDialog::OnTabChanged() {
  EnableInputsForTab();
  RecalculateIfValid([this] { CalcPlaneElasticity(); });
}

void PlaneElasticityDialog::CommitToProject() {
  // The inputs of the tab in view were read by the validation of OK; the
  // assumption of each tab is stored, not only the one in view.
  elasticity_.Tab = ActiveTab();
  elasticity_.StressTabAssumption = ui_.stressTabAssumption.Chosen();
  elasticity_.StrainTabAssumption = ui_.strainTabAssumption.Chosen();
  Project.PlaneElasticity = elasticity_;
  Project.PlaneStressTabConstants = stressTabConstants_;
  Project.PlaneStressIn = stressIn_;
  Project.PlaneStrainTabConstants = strainTabConstants_;
  MarkProjectChanged();
}

}  // namespace brantel
