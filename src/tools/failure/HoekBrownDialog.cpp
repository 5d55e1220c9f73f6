#include "tools/failure/HoekBrownDialog.h"

#include "forms/FormInputs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{
    .name = "frmHoek",
    .width = HoekBrownDialog::kNarrowWidth,
    .height = 6000,
    .caption = {"Failure Analysis based on the Hoek Brown Criterion", "Κριτήριο Hoek - Brown σε υλικό"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // The stress state, the pore pressure and the plot switch.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 3240, 2100}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 300, 1320, 255}, .caption = {"sx", "σ x"}, .partner = hoek::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 660, 1320, 255}, .caption = {"sy", "σ y"}, .partner = hoek::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1020, 1320, 255}, .caption = {"txy", "τ xy"}, .partner = hoek::kTxy},
    {.name = hoek::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 270, 1215, 285}, .maxLength = 20},
    {.name = hoek::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 630, 1215, 285}, .maxLength = 20},
    {.name = hoek::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 990, 1215, 285}, .maxLength = 20},
    {.name = hoek::kPoreOption, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1410, 255, 255}, .partner = hoek::kPorePressureLabel},
    {.name = hoek::kPorePressureLabel, .kind = Kind::Label, .container = "Frame1", .at = {540, 1410, 1200, 255}, .caption = {"Pore Pressure", "Πίεση πόρων"}, .partner = hoek::kPorePressure},
    {.name = hoek::kPorePressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1380, 1215, 285}, .maxLength = 20},
    {.name = hoek::kGraphSwitch, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1740, 1500, 255}, .caption = {"Graph", "Γράφημα"}},
    // The material: intact rock above, the generalized criterion below.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2340, 3240, 2790}, .caption = {"Material Parameters", "Παράμετροι υλικού"}},
    {.name = hoek::kIntactStrengthLabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 270, 1860, 420}, .caption = {"Uniaxial Compressive Strength (Intact)", "Αντοχή ΑΚΕΡΑΙΟΥ σε μονοαξονική θλίψη "}, .partner = hoek::kIntactStrength},
    {.name = hoek::kParameterMLabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 780, 1860, 255}, .caption = {"Parameter m", "Παράμετρος m"}, .partner = hoek::kParameterM},
    {.name = hoek::kPiecesStrengthLabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 1140, 1860, 420}, .caption = {"Uniaxial Compressive Strength (Intact-Pieces)", "Αντοχή ΤΕΜΑΧΩΝ σε μονοαξονική θλίψη "}, .partner = hoek::kPiecesStrength},
    {.name = hoek::kParameterMbLabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 1650, 1860, 255}, .caption = {"Parameter mb", "Παράμετρος mb"}, .partner = hoek::kParameterMb},
    {.name = hoek::kParameterSLabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 2010, 1860, 255}, .caption = {"Parameter s", "Παράμετρος s"}, .partner = hoek::kParameterS},
    {.name = hoek::kParameterALabel, .kind = Kind::Label, .container = "Frame2", .at = {120, 2370, 1860, 255}, .caption = {"Parameter a", "Παράμετρος a"}, .partner = hoek::kParameterA},
    {.name = hoek::kIntactStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 300, 1035, 285}, .maxLength = 20},
    {.name = hoek::kParameterM, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 750, 1035, 285}, .maxLength = 20},
    {.name = hoek::kPiecesStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1170, 1035, 285}, .maxLength = 20},
    {.name = hoek::kParameterMb, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1620, 1035, 285}, .maxLength = 20},
    {.name = hoek::kParameterS, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1980, 1035, 285}, .maxLength = 20},
    {.name = hoek::kParameterA, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 2340, 1035, 285}, .maxLength = 20},
    // Principal stresses.
    {.name = "Frame4", .kind = Kind::Frame, .at = {3480, 120, 2805, 1695}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame4", .at = {240, 300, 1035, 255}, .caption = {"s1", "σ1"}, .partner = hoek::kS1},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame4", .at = {240, 630, 1035, 255}, .caption = {"w1(s1)", "θ(σ1)"}, .partner = hoek::kS1Direction},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame4", .at = {240, 960, 1035, 255}, .caption = {"s2", "σ2"}, .partner = hoek::kS2},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame4", .at = {240, 1290, 1035, 255}, .caption = {"w2(s2)", "θ(σ2)"}, .partner = hoek::kS2Direction},
    {.name = hoek::kS1, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 270, 1335, 285}, .flags = kResult},
    {.name = hoek::kS1Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 600, 1335, 285}, .flags = kResult},
    {.name = hoek::kS2, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 930, 1335, 285}, .flags = kResult},
    {.name = hoek::kS2Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 1260, 1335, 285}, .flags = kResult},
    // The criterion type.
    {.name = "Frame5", .kind = Kind::Frame, .at = {3480, 1920, 2805, 1020}, .caption = {"Type of Criterion", "Τύπος Κριτηρίου"}},
    {.name = hoek::kIntact, .kind = Kind::Option, .container = "Frame5", .at = {240, 300, 2445, 255}, .caption = {"Intact Rock", "Ακέραιο Πέτρωμα"}},
    {.name = hoek::kGeneralized, .kind = Kind::Option, .container = "Frame5", .at = {240, 630, 2445, 255}, .caption = {"Generalized Criterion", "Γενικευμένο Κριτήριο"}},
    // The verdicts.
    {.name = "Frame3", .kind = Kind::Frame, .at = {3480, 3060, 2805, 1215}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {180, 300, 1440, 255}, .caption = {"Failure", "Αστοχία"}, .partner = hoek::kFailureVerdict},
    {.name = hoek::kPoreFailureLabel, .kind = Kind::Label, .container = "Frame3", .at = {180, 690, 1440, 420}, .caption = {"Failure due to Pore Pressure", "Αστοχία εξ αιτίας πίεσης πόρων"}, .partner = hoek::kPoreFailureVerdict},
    {.name = hoek::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 270, 975, 285}, .flags = kResult},
    {.name = hoek::kPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 720, 975, 285}, .flags = kResult},
    // The interactive plot, beyond the narrow width.
    {.name = hoek::kZoomBar, .kind = Kind::HScroll, .at = {6960, 240, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = hoek::kPlot, .kind = Kind::Picture, .at = {6480, 720, 4080, 4000}},
    {.name = hoek::kCoordinates, .kind = Kind::Label, .at = {6960, 4860, 3255, 495}},
    {.name = hoek::kInternalCoordinates, .kind = Kind::Label, .at = {6960, 5400, 3255, 495}},
    // Buttons.
    {.name = hoek::kHelp, .kind = Kind::Button, .at = {2160, 5400, 1215, 375}, .caption = {"Help"}},
    {.name = hoek::kCancel, .kind = Kind::Button, .at = {3600, 5400, 1215, 375}, .caption = {"Cancel"}},
    {.name = hoek::kOk, .kind = Kind::Button, .at = {5040, 5400, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

HoekBrownDialog::HoekBrownDialog(QWidget* owner) : PoreCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  setObjectName(QStringLiteral("frmHoek"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(hoek::kPlot)) return new PrincipalCriterionPlot(parent);
    return nullptr;
  });
  // The vertical range s2 - R .. s1 + R, whatever the zoom.
  BindPoreCriterionControls(FailurePlot::VerticalRange::Plain);
  ui_.intactStrength = Require<QLineEdit>(hoek::kIntactStrength);
  ui_.parameterM = Require<QLineEdit>(hoek::kParameterM);
  ui_.piecesStrength = Require<QLineEdit>(hoek::kPiecesStrength);
  ui_.parameterMb = Require<QLineEdit>(hoek::kParameterMb);
  ui_.parameterS = Require<QLineEdit>(hoek::kParameterS);
  ui_.parameterA = Require<QLineEdit>(hoek::kParameterA);
  ui_.intactStrengthCaption = Require<QLabel>(hoek::kIntactStrengthLabel);
  ui_.parameterMCaption = Require<QLabel>(hoek::kParameterMLabel);
  ui_.generalizedCaptions = {Require<QLabel>(hoek::kPiecesStrengthLabel), Require<QLabel>(hoek::kParameterMbLabel),
                             Require<QLabel>(hoek::kParameterSLabel), Require<QLabel>(hoek::kParameterALabel)};
  ui_.criterionType = Options(hoek::kCriterionType);
  ui_.zoomBar = Require<QScrollBar>(hoek::kZoomBar);

  const CriterionBoxRules rules = BoxRulesOf(HoekInvalidMessage, HoekValueRule);
  AddStressAndPoreInputs(stressInputs_, poreInput_, params_.PorePressure, rules, false);
  // Both criterion types' boxes, whichever is selected.
  AddCriterionInputs(materialInputs_,
                     {{ui_.intactStrength, params_.Co, HoekBox::Co},
                      {ui_.parameterM, params_.M, HoekBox::M},
                      {ui_.piecesStrength, params_.CoMass, HoekBox::CoMass},
                      {ui_.parameterMb, params_.Mb, HoekBox::Mb},
                      {ui_.parameterS, params_.S, HoekBox::S},
                      {ui_.parameterA, params_.A, HoekBox::A}},
                     rules, false);

  WireButtons(Require<QPushButton>(hoek::kOk), Require<QPushButton>(hoek::kCancel), Require<QPushButton>(hoek::kHelp));
  for (QLineEdit* box :
       {ui_.intactStrength, ui_.parameterM, ui_.piecesStrength, ui_.parameterMb, ui_.parameterS, ui_.parameterA})
    connect(box, &QLineEdit::textChanged, this, &HoekBrownDialog::OnInputEdited);
  for (QRadioButton* option : ui_.criterionType.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnCriterionTypeChosen();
    });
  }

  OpenCriterion(
      {"Failure Analysis based on the Hoek - Brown criterion.", "Εκτίμηση αστοχίας βάσει του κριτηρίου Hoek - Brown."});
}

HoekBrownDialog::~HoekBrownDialog() = default;

void HoekBrownDialog::LoadFromProject() {
  // The working copy starts from the project, so that the flags a blank
  // verdict keeps are the project's own.
  stress_ = Project.HoekStress;
  params_ = Project.HoekInput;
  principal_ = Project.HoekPrincipal;
  computed_ = false;
  ShowStressInputs();
  ShowGraphOption();
  ShowPoreInput(params_.UsePore, params_.PorePressure);
  // A type the record cannot hold opens as intact rock.
  forms::SetArrayIndex(ui_.criterionType, params_.CriterionType == 1 ? 1 : 0);
  ShowCriterionBoxes();
  ShowInputValue(ui_.intactStrength, params_.Co);
  ShowInputValue(ui_.parameterM, params_.M);
  ShowInputValue(ui_.piecesStrength, params_.CoMass);
  ShowInputValue(ui_.parameterMb, params_.Mb);
  ShowInputValue(ui_.parameterS, params_.S);
  ShowInputValue(ui_.parameterA, params_.A);
}

bool HoekBrownDialog::ValidateInput() {
  // Every calculation judges the boxes as they stand.
  if (!CheckInputSets({&stressInputs_, &poreInput_, &materialInputs_}, params_)) return false;
  ReadPoreOption(params_.UsePore, params_.PorePressure);
  params_.CriterionType = forms::GetArrayIndex(ui_.criterionType);
  return true;
}

void HoekBrownDialog::Calculate() {
  CalculateVerdicts([this] { return EvaluateHoek(stress_, params_); }, params_.Failure, params_.PoreFailure);
}

void HoekBrownDialog::PlotState() {
  Plot()->SetCriterion(principal_, HoekStrength(params_), HoekEnvelope(params_, principal_.S1),
                       EffectiveStressPointOf(principal_.S1, principal_.S2, params_.PorePressure, params_.UsePore));
}

void HoekBrownDialog::ShowCriterionBoxes() {
  const bool generalized = forms::GetArrayIndex(ui_.criterionType) == 1;
  for (QWidget* w : {static_cast<QWidget*>(ui_.intactStrengthCaption), static_cast<QWidget*>(ui_.intactStrength),
                     static_cast<QWidget*>(ui_.parameterMCaption), static_cast<QWidget*>(ui_.parameterM)})
    w->setEnabled(!generalized);
  for (QLabel* caption : ui_.generalizedCaptions) caption->setEnabled(generalized);
  for (QLineEdit* box : {ui_.piecesStrength, ui_.parameterMb, ui_.parameterS, ui_.parameterA})
    box->setEnabled(generalized);
}

void HoekBrownDialog::OnCriterionTypeChosen() {
  ShowCriterionBoxes();
  if (loading_) return;
  if (!ValidateInput()) return;
  if (!calculating_) Calculate();
  {
    // The zoom bar goes to its least value; the plot is drawn once, reset.
    const QSignalBlocker quiet(ui_.zoomBar);
    ui_.zoomBar->setValue(1);
  }
  Redraw(true);
}

void HoekBrownDialog::CommitToProject() {
  stress_.GraphOption = GraphOption();
  // The reserved fields are the project file's: carried through unchanged.
  params_.Reserved1 = Project.HoekInput.Reserved1;
  params_.Reserved2 = Project.HoekInput.Reserved2;
  params_.Reserved3 = Project.HoekInput.Reserved3;
  Project.HoekStress = stress_;
  Project.HoekInput = params_;
  Project.HoekPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
