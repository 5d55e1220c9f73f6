#include "tools/failure/VonMisesDialog.h"

#include "core/NumberFormat.h"
#include "forms/FormInputs.h"

#include <QLineEdit>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{
    .name = "frmVonMises",
    .width = VonMisesDialog::kNarrowWidth,
    .height = 5640,
    .caption = {"Von Mises Failure Criterion", "Κριτήριο αστοχίας κατά Von Mises σε υλικό"}};

// clang-format off
constexpr auto kControls = forms::JoinRows(
    // The stress state and the plot switch.
    CriterionStressRows({.frame = {120, 120, 4530, 1455}, .labelWidth = 600, .boxLeft = 960}),
    CriterionGraphSwitchRows({2640, 300, 1695, 255}),
    // The material and the results.
    std::to_array<ControlRow>({
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1680, 4530, 735}, .caption = {"Material Parameter", "Παράμετρος υλικού"}},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame2", .at = {240, 300, 2280, 255}, .caption = {"Tensile Strength", "Αντοχή σε εφελκυσμό"}, .partner = vonmises::kTensileStrength},
    {.name = vonmises::kTensileStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2640, 270, 1215, 285}, .maxLength = 20},
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 2520, 4530, 1095}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame3", .at = {240, 300, 2280, 255}, .caption = {"Von Mises Stress", "Τάση Von Mises"}, .partner = vonmises::kVonMisesStress},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame3", .at = {240, 660, 2280, 255}, .caption = {"Failure", "Αστοχία"}, .partner = vonmises::kFailureVerdict},
    {.name = vonmises::kVonMisesStress, .kind = Kind::TextBox, .container = "Frame3", .at = {2640, 270, 1215, 285}, .flags = kResult},
    {.name = vonmises::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {2640, 630, 1215, 285}, .flags = kResult},
    }),
    // The interactive plot, beyond the narrow width, and the buttons.
    CriterionPlotRows({.plotLeft = 4800, .zoomTop = 120, .plotTop = 480, .coordinatesTop = 4560, .internalCoordinatesTop = 5040}),
    CriterionButtonRows({.top = 5040, .help = 240, .cancel = 1800, .ok = 3360}));
// clang-format on

}  // namespace

VonMisesDialog::VonMisesDialog(QWidget* owner) : PrincipalCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(vonmises::kPlot)) return new PrincipalCriterionPlot(parent);
    return nullptr;
  });
  BindCriterionControls(FailurePlot::VerticalRange::LikeHorizontal);
  ui_.tensileStrength = Require<QLineEdit>(vonmises::kTensileStrength);
  ui_.vonMisesStress = Require<QLineEdit>(vonmises::kVonMisesStress);
  ui_.failureVerdict = Require<QLineEdit>(vonmises::kFailureVerdict);
  ui_.ok = Require<QPushButton>(vonmises::kOk);

  // Each box read as a whole entry; an empty one becomes "0".
  AddCriterionInputs(inputs_,
                     {{stressBoxes_.sx, stress_.Sx, VonMisesBox::Sx},
                      {stressBoxes_.sy, stress_.Sy, VonMisesBox::Sy},
                      {stressBoxes_.txy, stress_.Txy, VonMisesBox::Txy},
                      {ui_.tensileStrength, input_.TensileStrength, VonMisesBox::T}},
                     BoxRulesOf(VonMisesInvalidMessage), true);

  WireButtons(ui_.ok, Require<QPushButton>(vonmises::kCancel), Require<QPushButton>(vonmises::kHelp));
  connect(ui_.tensileStrength, &QLineEdit::textChanged, this, &VonMisesDialog::OnInputEdited);

  OpenCriterion({"Failure Analysis based on the Von Mises failure criterion.",
                 "Εκτίμηση της αστοχίας υλικού βάσει του κριτηρίου Von Mises."});
}

VonMisesDialog::~VonMisesDialog() = default;

void VonMisesDialog::LoadFromProject() {
  stress_ = Project.VonMisesStress;
  input_ = Project.VonMisesInput;
  principal_ = Principal2D{};
  computed_ = false;
  ShowStressInputs();
  ShowInputValue(ui_.tensileStrength, input_.TensileStrength);
  ShowGraphOption();
}

bool VonMisesDialog::ValidateInput() { return CheckInputSets({&inputs_}, input_); }

void VonMisesDialog::Calculate() {
  calculating_ = true;
  computed_ = forms::Calculate({ui_.vonMisesStress, ui_.failureVerdict}, [this] {
    const VonMisesResult result = EvaluateVonMises(stress_, input_);
    principal_ = result.Principal;
    input_.Failure = result.Failure;
    ShowVerdict(ui_.failureVerdict, result.FailureVerdict);
    forms::ShowResult(ui_.vonMisesStress, result.EquivalentStress, kVonMisesStressMask);
    ui_.ok->setEnabled(result.CanCommit);
  });
  calculating_ = false;
}

void VonMisesDialog::PlotState() {
  const float t = input_.TensileStrength;
  Plot()->SetCriterion(principal_, t, VonMisesEnvelope(t), std::nullopt);
}

void VonMisesDialog::CommitToProject() {
  // The plot switch is not kept: the next opening shows the plot as
  // EnableMohrCircles says.
  stress_.GraphOption = StressGraph::None;
  Project.VonMisesStress = stress_;
  Project.VonMisesInput = input_;
  MarkProjectChanged();
}

}  // namespace brantel
