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

constexpr forms::FormDesign kForm{
    .name = "frmHoek",
    .width = HoekBrownDialog::kNarrowWidth,
    .height = 6000,
    .caption = {"Failure Analysis based on the Hoek Brown Criterion", "Κριτήριο Hoek - Brown σε υλικό"}};

// clang-format off
constexpr auto kControls = forms::JoinRows(
    // The stress state, the pore pressure and the plot switch.
    CriterionStressRows({.frame = {120, 120, 3240, 2100}, .labelWidth = 1320, .boxLeft = 1800}),
    CriterionPoreRows(),
    CriterionGraphSwitchRows({240, 1740, 1500, 255}),
    // The material: intact rock above, the generalized criterion below.
    std::to_array<ControlRow>({
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
    }),
    CriterionPrincipalRows(2805),
    // The criterion type.
    std::to_array<ControlRow>({
    {.name = "Frame5", .kind = Kind::Frame, .at = {3480, 1920, 2805, 1020}, .caption = {"Type of Criterion", "Τύπος Κριτηρίου"}},
    {.name = hoek::kIntact, .kind = Kind::Option, .container = "Frame5", .at = {240, 300, 2445, 255}, .caption = {"Intact Rock", "Ακέραιο Πέτρωμα"}},
    {.name = hoek::kGeneralized, .kind = Kind::Option, .container = "Frame5", .at = {240, 630, 2445, 255}, .caption = {"Generalized Criterion", "Γενικευμένο Κριτήριο"}},
    }),
    CriterionVerdictRows({3480, 3060, 2805, 1215}, 975),
    // The interactive plot, beyond the narrow width, and the buttons.
    CriterionPlotRows({.plotLeft = 6480, .zoomTop = 240, .plotTop = 720, .coordinatesTop = 4860, .internalCoordinatesTop = 5400}),
    CriterionButtonRows({.top = 5400, .help = 2160, .cancel = 3600, .ok = 5040}));
// clang-format on

}  // namespace

HoekBrownDialog::HoekBrownDialog(QWidget* owner) : PoreCriterionDialog(owner, kNarrowWidth, kWideWidth) {
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
  ui_.criterionType = {Options(hoek::kCriterionType)};
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
  ShowPoreSetting(params_.UsePore, params_.PorePressure);
  // A type the record cannot hold opens as intact rock.
  ui_.criterionType.Choose(params_.CriterionType == HoekCriterion::Generalized ? HoekCriterion::Generalized
                                                                               : HoekCriterion::IntactRock);
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
  params_.CriterionType = ui_.criterionType.Chosen();
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
  const bool generalized = ui_.criterionType.Chosen() == HoekCriterion::Generalized;
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
