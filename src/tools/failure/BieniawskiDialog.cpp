#include "tools/failure/BieniawskiDialog.h"

#include "core/Settings.h"
#include "forms/FormInputs.h"

#include <QLineEdit>
#include <QPushButton>

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

}  // namespace

// --- The plot ----------------------------------------------------------------

QString BieniawskiPlot::InternalCoordinatesText(float x, float y) const {
  QString text = PrincipalCriterionPlot::InternalCoordinatesText(x, y);
  if (EnglishMenus == 1) text += BieniawskiReadoutTail(XMin(), XMax());
  return text;
}

// --- The dialog ----------------------------------------------------------------

frmBieniawski::frmBieniawski(QWidget* owner) : PoreCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  setObjectName(QStringLiteral("frmBieniawski"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("Picture1")) return new BieniawskiPlot(parent);
    return nullptr;
  });
  BindPoreCriterionControls(FailurePlot::VerticalRange::LikeHorizontal);
  ui_.co = Require<QLineEdit>(u"Text5");
  ui_.a = Require<QLineEdit>(u"Text6");
  ui_.k = Require<QLineEdit>(u"Text7");

  WireButtons(Require<QPushButton>(u"CmdOk"), Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.co, ui_.a, ui_.k})
    connect(box, &QLineEdit::textChanged, this, &frmBieniawski::TextInput_Change);

  OpenCriterion({"Failure Analysis based on the Bieniawski criterion.",
                 "Εκτίμηση αστοχίας βάσει του κριτηρίου Bieniawski."});
}

frmBieniawski::~frmBieniawski() = default;

std::array<QLineEdit*, kBieniawskiBoxCount> frmBieniawski::Boxes() const {
  return {stressBoxes_.sx, stressBoxes_.sy, stressBoxes_.txy, porePressureBox_, ui_.co, ui_.a, ui_.k};
}

void frmBieniawski::LoadFromProject() {
  // The working copy starts from the project, so that the flags a blank
  // verdict keeps are the project's own.
  stress_ = Project.BieniawskiStress;
  params_ = Project.BieniawskiInput;
  principal_ = Project.BieniawskiPrincipal;
  computed_ = false;
  ShowStressInputs();
  ShowPoreInput(params_.UsePore, params_.PorePressure);
  ShowInputValue(ui_.co, params_.Co);
  ShowInputValue(ui_.a, params_.A);
  ShowInputValue(ui_.k, params_.K);
  ShowGraphOption();
}

bool frmBieniawski::ValidateInput() {
  const bool valid = CheckBoxes(Boxes(), [this](const std::array<QString, kBieniawskiBoxCount>& texts) {
    return CheckBieniawskiInputs(texts, PoreTicked());
  });
  if (!valid) return false;
  ReadInputs();
  return true;
}

void frmBieniawski::ReadInputs() {
  ReadStressInputs();
  ReadPoreInput(params_.UsePore, params_.PorePressure);
  params_.Co = forms::EntryValue<float>(ui_.co).value_or(0.0f);
  params_.A = forms::EntryValue<float>(ui_.a).value_or(0.0f);
  params_.K = forms::EntryValue<float>(ui_.k).value_or(0.0f);
}

void frmBieniawski::Calculate() {
  CalculateVerdicts([this] { return EvaluateBieniawski(stress_, params_); }, params_.Failure, params_.PoreFailure);
}

void frmBieniawski::PlotState() {
  Plot()->SetCriterion(principal_, params_.Co, BieniawskiEnvelope(params_.Co, params_.A, params_.K, principal_.S1),
                       EffectiveStressPointOf(principal_.S1, principal_.S2, params_.PorePressure,
                                              params_.UsePore == 1));
}

void frmBieniawski::CommitToProject() {
  stress_.GraphOption = GraphOption();
  Project.BieniawskiStress = stress_;
  Project.BieniawskiInput = params_;
  Project.BieniawskiPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
