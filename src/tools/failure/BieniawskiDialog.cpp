#include "tools/failure/BieniawskiDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "forms/FormInputs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{frmBieniawski::kNarrowWidth, 6000,
                                  "Failure Analysis based on the Bieniawski Criterion",
                                  "Κριτήριο Bieniawski σε υλικό"};

constexpr ControlRow kControls[] = {
    // The stress state, the pore pressure and the plot switch.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 3240, 2100, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 240, 300, 1320, 255, "sx", "σ x", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 240, 660, 1320, 255, "sy", "σ y", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 240, 1020, 1320, 255, "txy", "τ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 1800, 270, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text2", Kind::TextBox, "Frame1", 1800, 630, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text3", Kind::TextBox, "Frame1", 1800, 990, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkPore", Kind::CheckBox, "Frame1", 240, 1410, 255, 255, nullptr, nullptr, "Label4"},
    {"Label4", Kind::Label, "Frame1", 540, 1410, 1200, 255, "Pore Pressure", "Πίεση πόρων", "Text4"},
    {"Text4", Kind::TextBox, "Frame1", 1800, 1380, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkGraph", Kind::CheckBox, "Frame1", 240, 1740, 1500, 255, "Graph", "Γράφημα"},
    // The material.
    {"Frame2", Kind::Frame, nullptr, 120, 2340, 3240, 1590, "Material Parameters", "Παράμετροι υλικού"},
    {"Label6", Kind::Label, "Frame2", 120, 270, 1860, 420, "Uniaxial Compressive Strength",
     "Αντοχή σε μονοαξονική θλίψη", "Text5"},
    {"Label5", Kind::Label, "Frame2", 120, 780, 1860, 255, "Parameter A", "Παράμετρος Α", "Text6"},
    {"Label7", Kind::Label, "Frame2", 120, 1140, 1860, 255, "Parameter k", "Παράμετρος k", "Text7"},
    {"Text5", Kind::TextBox, "Frame2", 2040, 300, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text6", Kind::TextBox, "Frame2", 2040, 750, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text7", Kind::TextBox, "Frame2", 2040, 1110, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    // Principal stresses.
    {"Frame4", Kind::Frame, nullptr, 3480, 120, 2880, 1695, "Principal Stresses", "Κύριες τάσεις"},
    {"lbls1", Kind::Label, "Frame4", 240, 300, 1035, 255, "s1", "σ1", "Text11"},
    {"lblth1", Kind::Label, "Frame4", 240, 630, 1035, 255, "w1(s1)", "θ(σ1)", "Text12"},
    {"lbls2", Kind::Label, "Frame4", 240, 960, 1035, 255, "s2", "σ2", "Text13"},
    {"lblth2", Kind::Label, "Frame4", 240, 1290, 1035, 255, "w2(s2)", "θ(σ2)", "Text14"},
    {"Text11", Kind::TextBox, "Frame4", 1320, 270, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text12", Kind::TextBox, "Frame4", 1320, 600, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text13", Kind::TextBox, "Frame4", 1320, 930, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text14", Kind::TextBox, "Frame4", 1320, 1260, 1335, 285, nullptr, nullptr, nullptr, kResult},
    // The verdicts.
    {"Frame3", Kind::Frame, nullptr, 3480, 1920, 2880, 1215, "Results", "Αποτελέσματα"},
    {"Label8", Kind::Label, "Frame3", 180, 300, 1440, 255, "Failure", "Αστοχία", "Text8"},
    {"Label9", Kind::Label, "Frame3", 180, 690, 1440, 420, "Failure due to Pore Pressure",
     "Αστοχία εξ αιτίας πίεσης πόρων", "Text9"},
    {"Text8", Kind::TextBox, "Frame3", 1680, 270, 1050, 285, nullptr, nullptr, nullptr, kResult},
    {"Text9", Kind::TextBox, "Frame3", 1680, 720, 1050, 285, nullptr, nullptr, nullptr, kResult},
    // The interactive plot, beyond the narrow width.
    {"HScroll1", Kind::HScroll, nullptr, 6960, 240, 3015, 255, "Zoom", "Μεγέθυνση"},
    {"Picture1", Kind::Picture, nullptr, 6480, 720, 4080, 4000},
    {"lblCoord", Kind::Label, nullptr, 6960, 4860, 3255, 495},
    {"lblIntCoord", Kind::Label, nullptr, 6960, 5400, 3255, 495},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 2160, 5400, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3600, 5400, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5040, 5400, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

// A number of the record in its box, shown in the tool's mask.
void ShowInput(QLineEdit* box, float value) {
  forms::ShowStoredValue(box, value, Format(value, kCriterionValueMask));
}

// The value of a box that validation has passed.
float ValueOf(const QLineEdit* box) { return InputBoxValue(box).value_or(0.0f); }

}  // namespace

// --- The plot ----------------------------------------------------------------

QString BieniawskiPlot::InternalCoordinatesText(float x, float y) const {
  QString text = PrincipalCriterionPlot::InternalCoordinatesText(x, y);
  if (EnglishMenus == 1) text += BieniawskiReadoutTail(XMin(), XMax());
  return text;
}

// --- The dialog ----------------------------------------------------------------

frmBieniawski::frmBieniawski(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmBieniawski"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("Picture1")) return new BieniawskiPlot(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(u"Text1");
  ui_.sy = Require<QLineEdit>(u"Text2");
  ui_.txy = Require<QLineEdit>(u"Text3");
  ui_.pore = Require<QCheckBox>(u"chkPore");
  ui_.porePressure = Require<QLineEdit>(u"Text4");
  ui_.graph = Require<QCheckBox>(u"chkGraph");
  ui_.co = Require<QLineEdit>(u"Text5");
  ui_.a = Require<QLineEdit>(u"Text6");
  ui_.k = Require<QLineEdit>(u"Text7");
  ui_.s1 = Require<QLineEdit>(u"Text11");
  ui_.theta1 = Require<QLineEdit>(u"Text12");
  ui_.s2 = Require<QLineEdit>(u"Text13");
  ui_.theta2 = Require<QLineEdit>(u"Text14");
  ui_.failure = Require<QLineEdit>(u"Text8");
  ui_.poreFailure = Require<QLineEdit>(u"Text9");
  ui_.poreControls = {ui_.pore, Require<QLabel>(u"Label4"), ui_.porePressure, Require<QLabel>(u"Label9"),
                      ui_.poreFailure};
  ui_.plot = Require<BieniawskiPlot>(u"Picture1");
  ui_.plot->SetVerticalRange(FailurePlot::VerticalRange::LikeHorizontal);
  ConnectFailurePlot(ui_.plot, Require<QScrollBar>(u"HScroll1"), Require<QLabel>(u"lblCoord"),
                     Require<QLabel>(u"lblIntCoord"));

  WireButtons(Require<QPushButton>(u"CmdOk"), Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.co, ui_.a, ui_.k})
    connect(box, &QLineEdit::textChanged, this, &frmBieniawski::TextInput_Change);
  connect(ui_.porePressure, &QLineEdit::textChanged, this, &frmBieniawski::Text4_Change);
  connect(ui_.pore, &QCheckBox::toggled, this, &frmBieniawski::chkPore_Click);
  connect(ui_.graph, &QCheckBox::toggled, this, &frmBieniawski::chkGraph_Click);

  Form_Load();
}

frmBieniawski::~frmBieniawski() = default;

std::array<QLineEdit*, kBieniawskiBoxCount> frmBieniawski::Boxes() const {
  return {ui_.sx, ui_.sy, ui_.txy, ui_.porePressure, ui_.co, ui_.a, ui_.k};
}

void frmBieniawski::Form_Load() {
  LoadInputs();
  if (ValidateInput()) Calculate();
  if (EnableMohrCircles == 1) ui_.graph->setChecked(true);
  Redraw(true);
  AddHistoryLine(Tr(QStringLiteral("Failure Analysis based on the Bieniawski criterion."),
                    QStringLiteral("Εκτίμηση αστοχίας βάσει του κριτηρίου Bieniawski.")));
}

void frmBieniawski::LoadFromProject() {
  // The working copy starts from the project, so that the flags a blank
  // verdict keeps are the project's own.
  stress_ = Project.BieniawskiStress;
  params_ = Project.BieniawskiInput;
  principal_ = Project.BieniawskiPrincipal;
  computed_ = false;
  ShowInput(ui_.sx, stress_.Sx);
  ShowInput(ui_.sy, stress_.Sy);
  ShowInput(ui_.txy, stress_.Txy);
  {
    const QSignalBlocker quiet(ui_.pore);
    ui_.pore->setChecked(params_.UsePore != 0);
  }
  ShowPoreControls(ui_.poreControls);
  if (params_.UsePore != 0) ShowInput(ui_.porePressure, params_.PorePressure);
  else ui_.porePressure->setText(QStringLiteral("0"));
  ShowInput(ui_.co, params_.Co);
  ShowInput(ui_.a, params_.A);
  ShowInput(ui_.k, params_.K);
  {
    const QSignalBlocker quiet(ui_.graph);
    ui_.graph->setChecked(stress_.GraphOption == 1);
  }
  chkGraph_Click();
}

bool frmBieniawski::ValidateInput() {
  const std::array<QLineEdit*, kBieniawskiBoxCount> boxes = Boxes();
  // An empty box gets "0"; the check then runs again over the boxes as they
  // now stand, so that every box is judged and each fault shown once.
  const QScopedValueRollback guard(validating_, true);
  for (;;) {
    std::array<QString, kBieniawskiBoxCount> texts;
    for (std::size_t i = 0; i < boxes.size(); ++i) texts[i] = boxes[i]->text();
    const CriterionInputCheck check = CheckBieniawskiInputs(texts, ui_.pore->isChecked());
    if (!ApplyInputCheck(check, boxes)) return false;
    if (check.ZeroedBoxes.empty()) break;
  }
  ReadInputs();
  return true;
}

void frmBieniawski::ReadInputs() {
  stress_.Sx = ValueOf(ui_.sx);
  stress_.Sy = ValueOf(ui_.sy);
  stress_.Txy = ValueOf(ui_.txy);
  const bool pore = ui_.pore->isChecked();
  params_.UsePore = pore ? 1 : 0;
  params_.PorePressure = pore ? ValueOf(ui_.porePressure) : 0.0f;
  params_.Co = ValueOf(ui_.co);
  params_.A = ValueOf(ui_.a);
  params_.K = ValueOf(ui_.k);
}

void frmBieniawski::Calculate() {
  calculating_ = true;
  computed_ = forms::Calculate({ui_.s1, ui_.theta1, ui_.s2, ui_.theta2, ui_.failure, ui_.poreFailure}, [this] {
    const BieniawskiResult result = EvaluateBieniawski(stress_, params_);
    principal_ = result.Principal;
    forms::ShowResult(ui_.s1, principal_.S1, kCriterionValueMask);
    forms::ShowResult(ui_.theta1, principal_.Theta1, kCriterionValueMask);
    forms::ShowResult(ui_.s2, principal_.S2, kCriterionValueMask);
    forms::ShowResult(ui_.theta2, principal_.Theta2, kCriterionValueMask);
    ShowVerdict(ui_.failure, result.FailureVerdict);
    params_.Failure = result.Failure;
    if (result.PoreVerdict) {
      ShowVerdict(ui_.poreFailure, *result.PoreVerdict);
      params_.PoreFailure = result.PoreFailure;
    }
  });
  calculating_ = false;
}

void frmBieniawski::Redraw(bool reset) {
  if (!computed_) {
    ui_.plot->Forget();
    return;
  }
  ui_.plot->SetCriterion(principal_, params_.Co, BieniawskiEnvelope(params_.Co, params_.A, params_.K, principal_.S1),
                         EffectiveStressPointOf(principal_.S1, principal_.S2, params_.PorePressure,
                                                params_.UsePore == 1));
  ui_.plot->Show(reset);
}

void frmBieniawski::TextInput_Change() {
  if (loading_ || calculating_ || validating_) return;
  if (!ValidateInput()) return;
  Calculate();
  Redraw(false);
}

void frmBieniawski::Text4_Change() {
  if (loading_ || calculating_ || validating_) return;
  TextInput_Change();
  if (!ui_.pore->isChecked()) return;
  // With no pore pressure there is no second verdict to give.
  const std::optional<float> p = InputBoxValue(ui_.porePressure);
  if (p && *p == 0.0f) ui_.poreFailure->clear();
}

void frmBieniawski::chkPore_Click() {
  ShowPoreControls(ui_.poreControls);
  if (loading_) return;
  // Emptying the box is an edit: it calculates and redraws.
  if (!ui_.pore->isChecked()) ui_.porePressure->clear();
  if (ValidateInput() && !calculating_) Calculate();
}

void frmBieniawski::chkGraph_Click() {
  const bool shown = ui_.graph->isChecked();
  SwitchPlotWidth(*this, ui_.plot, shown, kNarrowWidth, kWideWidth);
  if (shown && !loading_) Redraw(true);
}

void frmBieniawski::CommitToProject() {
  stress_.GraphOption = ui_.graph->isChecked() ? 1 : 0;
  Project.BieniawskiStress = stress_;
  Project.BieniawskiInput = params_;
  Project.BieniawskiPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
