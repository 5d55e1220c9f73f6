#include "tools/failure/BieniawskiDialog.h"

#include "core/Bilingual.h"
#include "forms/FormInputs.h"

#include <QLineEdit>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{
    .name = "frmBieniawski",
    .width = BieniawskiDialog::kNarrowWidth,
    .height = 6000,
    .caption = {"Failure Analysis based on the Bieniawski Criterion", "Κριτήριο Bieniawski σε υλικό"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // The stress state, the pore pressure and the plot switch.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 3240, 2100}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 300, 1320, 255}, .caption = {"sx", "σ x"}, .partner = bieniawski::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 660, 1320, 255}, .caption = {"sy", "σ y"}, .partner = bieniawski::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1020, 1320, 255}, .caption = {"txy", "τ xy"}, .partner = bieniawski::kTxy},
    {.name = bieniawski::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 270, 1215, 285}, .maxLength = 20},
    {.name = bieniawski::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 630, 1215, 285}, .maxLength = 20},
    {.name = bieniawski::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 990, 1215, 285}, .maxLength = 20},
    {.name = bieniawski::kPoreOption, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1410, 255, 255}, .partner = bieniawski::kPorePressureLabel},
    {.name = bieniawski::kPorePressureLabel, .kind = Kind::Label, .container = "Frame1", .at = {540, 1410, 1200, 255}, .caption = {"Pore Pressure", "Πίεση πόρων"}, .partner = bieniawski::kPorePressure},
    {.name = bieniawski::kPorePressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1380, 1215, 285}, .maxLength = 20},
    {.name = bieniawski::kGraphSwitch, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1740, 1500, 255}, .caption = {"Graph", "Γράφημα"}},
    // The material.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2340, 3240, 1590}, .caption = {"Material Parameters", "Παράμετροι υλικού"}},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame2", .at = {120, 270, 1860, 420}, .caption = {"Uniaxial Compressive Strength", "Αντοχή σε μονοαξονική θλίψη"}, .partner = bieniawski::kStrength},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame2", .at = {120, 780, 1860, 255}, .caption = {"Parameter A", "Παράμετρος Α"}, .partner = bieniawski::kParameterA},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame2", .at = {120, 1140, 1860, 255}, .caption = {"Parameter k", "Παράμετρος k"}, .partner = bieniawski::kParameterK},
    {.name = bieniawski::kStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 300, 1035, 285}, .maxLength = 20},
    {.name = bieniawski::kParameterA, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 750, 1035, 285}, .maxLength = 20},
    {.name = bieniawski::kParameterK, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1110, 1035, 285}, .maxLength = 20},
    // Principal stresses.
    {.name = "Frame4", .kind = Kind::Frame, .at = {3480, 120, 2880, 1695}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame4", .at = {240, 300, 1035, 255}, .caption = {"s1", "σ1"}, .partner = bieniawski::kS1},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame4", .at = {240, 630, 1035, 255}, .caption = {"w1(s1)", "θ(σ1)"}, .partner = bieniawski::kS1Direction},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame4", .at = {240, 960, 1035, 255}, .caption = {"s2", "σ2"}, .partner = bieniawski::kS2},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame4", .at = {240, 1290, 1035, 255}, .caption = {"w2(s2)", "θ(σ2)"}, .partner = bieniawski::kS2Direction},
    {.name = bieniawski::kS1, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 270, 1335, 285}, .flags = kResult},
    {.name = bieniawski::kS1Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 600, 1335, 285}, .flags = kResult},
    {.name = bieniawski::kS2, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 930, 1335, 285}, .flags = kResult},
    {.name = bieniawski::kS2Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 1260, 1335, 285}, .flags = kResult},
    // The verdicts.
    {.name = "Frame3", .kind = Kind::Frame, .at = {3480, 1920, 2880, 1215}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {180, 300, 1440, 255}, .caption = {"Failure", "Αστοχία"}, .partner = bieniawski::kFailureVerdict},
    {.name = bieniawski::kPoreFailureLabel, .kind = Kind::Label, .container = "Frame3", .at = {180, 690, 1440, 420}, .caption = {"Failure due to Pore Pressure", "Αστοχία εξ αιτίας πίεσης πόρων"}, .partner = bieniawski::kPoreFailureVerdict},
    {.name = bieniawski::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 270, 1050, 285}, .flags = kResult},
    {.name = bieniawski::kPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 720, 1050, 285}, .flags = kResult},
    // The interactive plot, beyond the narrow width.
    {.name = bieniawski::kZoomBar, .kind = Kind::HScroll, .at = {6960, 240, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = bieniawski::kPlot, .kind = Kind::Picture, .at = {6480, 720, 4080, 4000}},
    {.name = bieniawski::kCoordinates, .kind = Kind::Label, .at = {6960, 4860, 3255, 495}},
    {.name = bieniawski::kInternalCoordinates, .kind = Kind::Label, .at = {6960, 5400, 3255, 495}},
    // Buttons.
    {.name = bieniawski::kHelp, .kind = Kind::Button, .at = {2160, 5400, 1215, 375}, .caption = {"Help"}},
    {.name = bieniawski::kCancel, .kind = Kind::Button, .at = {3600, 5400, 1215, 375}, .caption = {"Cancel"}},
    {.name = bieniawski::kOk, .kind = Kind::Button, .at = {5040, 5400, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

// --- The plot ----------------------------------------------------------------

QString BieniawskiPlot::InternalCoordinatesText(float x, float y) const {
  QString text = PrincipalCriterionPlot::InternalCoordinatesText(x, y);
  // The English read-out also gives the horizontal range.
  if (ProgramInEnglish()) text += BieniawskiReadoutTail(XMin(), XMax());
  return text;
}

// --- The dialog ----------------------------------------------------------------

BieniawskiDialog::BieniawskiDialog(QWidget* owner) : PoreCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  setObjectName(QStringLiteral("frmBieniawski"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(bieniawski::kPlot)) return new BieniawskiPlot(parent);
    return nullptr;
  });
  BindPoreCriterionControls(FailurePlot::VerticalRange::LikeHorizontal);
  ui_.strength = Require<QLineEdit>(bieniawski::kStrength);
  ui_.parameterA = Require<QLineEdit>(bieniawski::kParameterA);
  ui_.parameterK = Require<QLineEdit>(bieniawski::kParameterK);

  // Each box read as a whole entry; an empty one becomes "0".
  const CriterionBoxRules rules = BoxRulesOf(BieniawskiInvalidMessage, BieniawskiValueRule);
  AddStressAndPoreInputs(stressInputs_, poreInput_, params_.PorePressure, rules, true);
  AddCriterionInputs(materialInputs_,
                     {{ui_.strength, params_.Co, BieniawskiBox::Co},
                      {ui_.parameterA, params_.A, BieniawskiBox::A},
                      {ui_.parameterK, params_.K, BieniawskiBox::K}},
                     rules, true);

  WireButtons(Require<QPushButton>(bieniawski::kOk), Require<QPushButton>(bieniawski::kCancel),
              Require<QPushButton>(bieniawski::kHelp));
  for (QLineEdit* box : {ui_.strength, ui_.parameterA, ui_.parameterK})
    connect(box, &QLineEdit::textChanged, this, &BieniawskiDialog::OnInputEdited);

  OpenCriterion(
      {"Failure Analysis based on the Bieniawski criterion.", "Εκτίμηση αστοχίας βάσει του κριτηρίου Bieniawski."});
}

BieniawskiDialog::~BieniawskiDialog() = default;

void BieniawskiDialog::LoadFromProject() {
  // The working copy starts from the project, so that the flags a blank
  // verdict keeps are the project's own.
  stress_ = Project.BieniawskiStress;
  params_ = Project.BieniawskiInput;
  principal_ = Project.BieniawskiPrincipal;
  computed_ = false;
  ShowStressInputs();
  ShowPoreInput(params_.UsePore, params_.PorePressure);
  ShowInputValue(ui_.strength, params_.Co);
  ShowInputValue(ui_.parameterA, params_.A);
  ShowInputValue(ui_.parameterK, params_.K);
  ShowGraphOption();
}

bool BieniawskiDialog::ValidateInput() {
  if (!CheckInputSets({&stressInputs_, &poreInput_, &materialInputs_}, params_)) return false;
  ReadPoreOption(params_.UsePore, params_.PorePressure);
  return true;
}

void BieniawskiDialog::Calculate() {
  CalculateVerdicts([this] { return EvaluateBieniawski(stress_, params_); }, params_.Failure, params_.PoreFailure);
}

void BieniawskiDialog::PlotState() {
  Plot()->SetCriterion(principal_, params_.Co, BieniawskiEnvelope(params_.Co, params_.A, params_.K, principal_.S1),
                       EffectiveStressPointOf(principal_.S1, principal_.S2, params_.PorePressure, params_.UsePore));
}

void BieniawskiDialog::CommitToProject() {
  stress_.GraphOption = GraphOption();
  Project.BieniawskiStress = stress_;
  Project.BieniawskiInput = params_;
  Project.BieniawskiPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
