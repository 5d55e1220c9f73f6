#include "tools/failure/BieniawskiDialog.h"

#include "core/Bilingual.h"
#include "forms/FormInputs.h"

#include <QLineEdit>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr forms::FormDesign kForm{
    .name = "frmBieniawski",
    .width = BieniawskiDialog::kNarrowWidth,
    .height = 6000,
    .caption = {"Failure Analysis based on the Bieniawski Criterion", "Κριτήριο Bieniawski σε υλικό"}};

// clang-format off
constexpr auto kControls = forms::JoinRows(
    // The stress state, the pore pressure and the plot switch.
    CriterionStressRows({.frame = {120, 120, 3240, 2100}, .labelWidth = 1320, .boxLeft = 1800}),
    CriterionPoreRows(),
    CriterionGraphSwitchRows({240, 1740, 1500, 255}),
    // The material.
    std::to_array<ControlRow>({
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2340, 3240, 1590}, .caption = {"Material Parameters", "Παράμετροι υλικού"}},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame2", .at = {120, 270, 1860, 420}, .caption = {"Uniaxial Compressive Strength", "Αντοχή σε μονοαξονική θλίψη"}, .partner = bieniawski::kStrength},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame2", .at = {120, 780, 1860, 255}, .caption = {"Parameter A", "Παράμετρος Α"}, .partner = bieniawski::kParameterA},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame2", .at = {120, 1140, 1860, 255}, .caption = {"Parameter k", "Παράμετρος k"}, .partner = bieniawski::kParameterK},
    {.name = bieniawski::kStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 300, 1035, 285}, .maxLength = 20},
    {.name = bieniawski::kParameterA, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 750, 1035, 285}, .maxLength = 20},
    {.name = bieniawski::kParameterK, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1110, 1035, 285}, .maxLength = 20},
    }),
    CriterionPrincipalRows(2880),
    CriterionVerdictRows({3480, 1920, 2880, 1215}, 1050),
    // The interactive plot, beyond the narrow width, and the buttons.
    CriterionPlotRows({.plotLeft = 6480, .zoomTop = 240, .plotTop = 720, .coordinatesTop = 4860, .internalCoordinatesTop = 5400}),
    CriterionButtonRows({.top = 5400, .help = 2160, .cancel = 3600, .ok = 5040}));
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
  ShowPoreSetting(params_.UsePore, params_.PorePressure);
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
