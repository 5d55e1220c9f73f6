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

constexpr forms::FormDesign kForm{7335, 4860, "Plane Stress/Strain Assumption",
                                "Θεώρηση επίπεδης τάσης και παραμόρφωσης"};

constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 7095, 4095},
    // Tab 0: the stresses from the strains.
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Calculate Stress State", "Υπολογισμός εντατικής κατάστασης"},
    {"Frame2", Kind::Frame, "SSTab1(0)", 240, 480, 3375, 1575, "Strain State", "Παραμορφωσιακή κατάσταση"},
    {"lblex", Kind::Label, "Frame2", 240, 360, 615, 255, "ex", "ε x", "Text1"},
    {"lbley", Kind::Label, "Frame2", 240, 720, 615, 255, "ey", "ε y", "Text2"},
    {"lblgxy", Kind::Label, "Frame2", 240, 1080, 615, 255, "gxy", "γ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame2", 960, 330, 2175, 285},
    {"Text2", Kind::TextBox, "Frame2", 960, 690, 2175, 285},
    {"Text3", Kind::TextBox, "Frame2", 960, 1050, 2175, 285},
    {"Frame1", Kind::Frame, "SSTab1(0)", 3720, 480, 3255, 1575, "Material Constants", "Σταθερές πετρώματος"},
    {"Label1", Kind::Label, "Frame1", 240, 360, 375, 255, "E", "E", "Text4"},
    {"Label2", Kind::Label, "Frame1", 240, 720, 375, 255, "v", "v", "Text5"},
    {"Text4", Kind::TextBox, "Frame1", 720, 330, 2295, 285},
    {"Text5", Kind::TextBox, "Frame1", 720, 690, 1095, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Frame3", Kind::Frame, "SSTab1(0)", 240, 2160, 3375, 1575, "Stress State", "Εντατική κατάσταση"},
    {"lblsx", Kind::Label, "Frame3", 240, 360, 615, 255, "sx", "σ x", "Text6"},
    {"lblsy", Kind::Label, "Frame3", 240, 720, 615, 255, "sy", "σ y", "Text7"},
    {"lbltxy", Kind::Label, "Frame3", 240, 1080, 615, 255, "txy", "τ xy", "Text8"},
    {"Text6", Kind::TextBox, "Frame3", 960, 330, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Text7", Kind::TextBox, "Frame3", 960, 690, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Text8", Kind::TextBox, "Frame3", 960, 1050, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Frame4", Kind::Frame, "SSTab1(0)", 3720, 2160, 3255, 1575, "Solution Assumption:", "Επίλυση με θεώρηση:"},
    {"Option1(0)", Kind::Option, "Frame4", 240, 480, 2895, 255, "Plane Stress", "Επίπεδης Τάσης"},
    {"Option1(1)", Kind::Option, "Frame4", 240, 960, 2895, 255, "Plane Strain", "Επίπεδης Παραμόρφωσης"},
    // Tab 1: the strains from the stresses.
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Calculate Strain State",
     "Υπολογισμός παραμορφωσιακής κατάστασης"},
    {"Frame6", Kind::Frame, "SSTab1(1)", 240, 480, 3375, 1575, "Stress State", "Εντατική κατάσταση"},
    {"lblsx1", Kind::Label, "Frame6", 240, 360, 615, 255, "sx", "σ x", "Text13"},
    {"lblsy1", Kind::Label, "Frame6", 240, 720, 615, 255, "sy", "σ y", "Text12"},
    {"lbltxy1", Kind::Label, "Frame6", 240, 1080, 615, 255, "txy", "τ xy", "Text11"},
    {"Text13", Kind::TextBox, "Frame6", 960, 330, 2175, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Text12", Kind::TextBox, "Frame6", 960, 690, 2175, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Text11", Kind::TextBox, "Frame6", 960, 1050, 2175, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Frame5", Kind::Frame, "SSTab1(1)", 3720, 480, 3255, 1575, "Material Constants", "Σταθερές πετρώματος"},
    {"Label7", Kind::Label, "Frame5", 240, 360, 375, 255, "E", "E", "Text10"},
    {"Label6", Kind::Label, "Frame5", 240, 720, 375, 255, "v", "v", "Text9"},
    {"Text10", Kind::TextBox, "Frame5", 720, 330, 2295, 285},
    {"Text9", Kind::TextBox, "Frame5", 720, 690, 1095, 285, nullptr, nullptr, nullptr, 0, 7},
    {"Frame7", Kind::Frame, "SSTab1(1)", 240, 2160, 3375, 1575, "Strain State", "Παραμορφωσιακή Κατάσταση"},
    {"lblex1", Kind::Label, "Frame7", 240, 360, 615, 255, "ex", "ε x", "Text16"},
    {"lbley1", Kind::Label, "Frame7", 240, 720, 615, 255, "ey", "ε y", "Text15"},
    {"lblgxy1", Kind::Label, "Frame7", 240, 1080, 615, 255, "gxy", "γ xy", "Text14"},
    {"Text16", Kind::TextBox, "Frame7", 960, 330, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Text15", Kind::TextBox, "Frame7", 960, 690, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Text14", Kind::TextBox, "Frame7", 960, 1050, 2175, 285, nullptr, nullptr, nullptr, kResult},
    {"Frame8", Kind::Frame, "SSTab1(1)", 3720, 2160, 3255, 1575, "Solution Assumption:", "Επίλυση με θεώρηση:"},
    {"Option2(0)", Kind::Option, "Frame8", 240, 480, 2895, 255, "Plane Stress", "Επίπεδης Τάσης"},
    {"Option2(1)", Kind::Option, "Frame8", 240, 960, 2895, 255, "Plane Strain", "Επίπεδης Παραμόρφωσης"},
    // Buttons.
    {"Command3", Kind::Button, nullptr, 1320, 4320, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3060, 4320, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 4800, 4320, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

PlaneAssumption AssumptionOf(const forms::OptionArray& group) {
  return forms::GetArrayIndex(group) == 1 ? PlaneAssumption::PlaneStrain : PlaneAssumption::PlaneStress;
}

}  // namespace

frmPlaneStress::frmPlaneStress(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmPlaneStress"));
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  ui_.ex = Require<QLineEdit>(u"Text1");
  ui_.ey = Require<QLineEdit>(u"Text2");
  ui_.gxy = Require<QLineEdit>(u"Text3");
  ui_.e1 = Require<QLineEdit>(u"Text4");
  ui_.nu1 = Require<QLineEdit>(u"Text5");
  ui_.sx = Require<QLineEdit>(u"Text6");
  ui_.sy = Require<QLineEdit>(u"Text7");
  ui_.txy = Require<QLineEdit>(u"Text8");
  ui_.assumption1 = Options(u"Option1");
  ui_.sxIn = Require<QLineEdit>(u"Text13");
  ui_.syIn = Require<QLineEdit>(u"Text12");
  ui_.txyIn = Require<QLineEdit>(u"Text11");
  ui_.e2 = Require<QLineEdit>(u"Text10");
  ui_.nu2 = Require<QLineEdit>(u"Text9");
  ui_.exOut = Require<QLineEdit>(u"Text16");
  ui_.eyOut = Require<QLineEdit>(u"Text15");
  ui_.gxyOut = Require<QLineEdit>(u"Text14");
  ui_.assumption2 = Options(u"Option2");
  ui_.ok = Require<QPushButton>(u"CmdOk");

  tab0_.state.Add(ui_.ex, stagedStrains_.Ex, {Reading::WholeEntry, InvalidValueFor({"ex", "ex"})});
  tab0_.state.Add(ui_.ey, stagedStrains_.Ey, {Reading::WholeEntry, InvalidValueFor({"ey", "ey"})});
  tab0_.state.Add(ui_.gxy, stagedStrains_.Gxy, {Reading::WholeEntry, InvalidValueFor({"gxy", "gxy"})});
  tab0_.modulus.Add(ui_.e1, stagedConstants1_.E, {Reading::WholeEntry, kPlaneModulusMessage, PlaneModulusRule()});
  tab0_.poisson.Add(ui_.nu1, stagedConstants1_.Nu, {Reading::WholeEntry, kPlanePoissonMessage, PlanePoissonRule()});
  tab1_.state.Add(ui_.sxIn, stagedStress_.Sx, {Reading::WholeEntry, InvalidValueFor({"sx", "σx"})});
  tab1_.state.Add(ui_.syIn, stagedStress_.Sy, {Reading::WholeEntry, InvalidValueFor({"sy", "σy"})});
  tab1_.state.Add(ui_.txyIn, stagedStress_.Txy, {Reading::WholeEntry, InvalidValueFor({"txy", "τxy"})});
  tab1_.modulus.Add(ui_.e2, stagedConstants2_.E, {Reading::WholeEntry, kPlaneModulusMessage, PlaneModulusRule()});
  tab1_.poisson.Add(ui_.nu2, stagedConstants2_.Nu, {Reading::WholeEntry, kPlanePoissonMessage, PlanePoissonRule()});

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"Command3"));
  for (QLineEdit* box : {ui_.ex, ui_.ey, ui_.gxy, ui_.e1, ui_.nu1, ui_.sxIn, ui_.syIn, ui_.txyIn, ui_.e2, ui_.nu2}) {
    connect(box, &QLineEdit::textChanged, this, &frmPlaneStress::Text_Change);
  }
  for (const forms::OptionArray* group : {&ui_.assumption1, &ui_.assumption2}) {
    for (QRadioButton* button : group->buttons) {
      connect(button, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option_Click();
      });
    }
  }
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &frmPlaneStress::SSTab1_Click);

  Form_Load();
}

frmPlaneStress::~frmPlaneStress() {
  // The tab control may change its tab while it is taken down.
  disconnect(ui_.tabs, nullptr, this, nullptr);
}

void frmPlaneStress::Form_Load() {
  LoadInputs();
  if (ValidateInput()) CalcPlaneElasticity();
  EnableInputsForTab();
  AddHistoryLine(Tr({"Calculation of elastic behavior in two dimensions.",
                     "Υπολογισμός ελαστικής συμπεριφοράς σε δύο διαστάσεις."}));
}

void frmPlaneStress::LoadFromProject() {
  elasticity_ = Project.PlaneElasticity;
  constants1_ = Project.PlaneConstants1;
  stressIn_ = Project.PlaneStressIn;
  constants2_ = Project.PlaneConstants2;
  stagedStrains_ = elasticity_;
  stagedConstants1_ = constants1_;
  stagedStress_ = stressIn_;
  stagedConstants2_ = constants2_;
  tab0_.state.Show(kPlaneStrainMask);
  tab0_.modulus.Show(kPlaneStressMask);
  tab1_.state.Show(kPlaneStressMask);
  tab1_.modulus.Show(kPlaneStressMask);
  // Poisson's ratio in the general number format.
  forms::ShowStoredGeneral(ui_.nu1, constants1_.Nu);
  forms::ShowStoredGeneral(ui_.nu2, constants2_.Nu);
  ui_.tabs->setCurrentIndex(elasticity_.Tab);
  forms::SetArrayIndex(ui_.assumption1, elasticity_.Assumption1);
  forms::SetArrayIndex(ui_.assumption2, elasticity_.Assumption2);
}

int frmPlaneStress::ActiveTab() const { return ui_.tabs->currentIndex() == 1 ? 1 : 0; }

bool frmPlaneStress::ValidateTab(const TabInputs& tab) {
  return tab.state.Validate() && tab.modulus.Validate() && tab.poisson.Validate();
}

bool frmPlaneStress::ValidateInput() {
  // Only the tab in view is checked; the other keeps what it last accepted.
  const int tab = ActiveTab();
  const bool valid = ValidateTab(tab == 1 ? tab1_ : tab0_);
  if (valid && tab == 1) {
    stressIn_ = stagedStress_;
    constants2_ = stagedConstants2_;
  } else if (valid) {
    elasticity_.Ex = stagedStrains_.Ex;
    elasticity_.Ey = stagedStrains_.Ey;
    elasticity_.Gxy = stagedStrains_.Gxy;
    constants1_ = stagedConstants1_;
  }
  ui_.ok->setEnabled(PlaneOkEnabled(static_cast<qint16>(tab), elasticity_, stressIn_, constants2_));
  return valid;
}

void frmPlaneStress::CalcPlaneElasticity() {
  // A state without a finite answer (E = 0 on tab 1, nu = 0.5 in plane
  // strain on tab 0) empties the results rather than leave the last ones.
  if (ActiveTab() == 1) {
    const auto results = {ui_.exOut, ui_.eyOut, ui_.gxyOut};
    forms::Calculate(results, [&] {
      const PlaneStrainResult r = CalcStrainState(stressIn_, constants2_, AssumptionOf(ui_.assumption2));
      if (!r.Computable) return forms::ClearResults(results);
      forms::ShowResult(ui_.exOut, r.Ex, kPlaneStrainMask);
      forms::ShowResult(ui_.eyOut, r.Ey, kPlaneStrainMask);
      forms::ShowResult(ui_.gxyOut, r.Gxy, kPlaneStrainMask);
    });
    return;
  }
  const auto results = {ui_.sx, ui_.sy, ui_.txy};
  forms::Calculate(results, [&] {
    const PlaneStressResult r = CalcStressState(elasticity_, constants1_, AssumptionOf(ui_.assumption1));
    if (!r.Computable) return forms::ClearResults(results);
    forms::ShowResult(ui_.sx, r.Sx, kPlaneStressMask);
    forms::ShowResult(ui_.sy, r.Sy, kPlaneStressMask);
    forms::ShowResult(ui_.txy, r.Txy, kPlaneStressMask);
  });
}

void frmPlaneStress::EnableInputsForTab() {
  const bool first = ActiveTab() == 0;
  for (QLineEdit* box : {ui_.ex, ui_.ey, ui_.gxy, ui_.e1, ui_.nu1}) box->setEnabled(first);
  for (QLineEdit* box : {ui_.sxIn, ui_.syIn, ui_.txyIn, ui_.e2, ui_.nu2}) box->setEnabled(!first);
  ui_.assumption1.At(0)->setEnabled(first);
  ui_.assumption2.At(0)->setEnabled(!first);
}

void frmPlaneStress::Text_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcPlaneElasticity();
}

void frmPlaneStress::Option_Click() {
  if (loading_) return;
  if (ValidateInput()) CalcPlaneElasticity();
}

void frmPlaneStress::SSTab1_Click() {
  EnableInputsForTab();
  if (loading_) return;
  if (ValidateInput()) CalcPlaneElasticity();
}

void frmPlaneStress::CommitToProject() {
  // The inputs of the tab in view were read by the validation of OK; the
  // assumption of each tab is stored, not only the one in view.
  elasticity_.Tab = static_cast<qint16>(ActiveTab());
  elasticity_.Assumption1 = forms::GetArrayIndex(ui_.assumption1);
  elasticity_.Assumption2 = forms::GetArrayIndex(ui_.assumption2);
  Project.PlaneElasticity = elasticity_;
  Project.PlaneConstants1 = constants1_;
  Project.PlaneStressIn = stressIn_;
  Project.PlaneConstants2 = constants2_;
  MarkProjectChanged();
}

}  // namespace brantel
