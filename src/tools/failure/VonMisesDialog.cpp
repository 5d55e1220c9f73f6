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
constexpr ControlRow kControls[] = {
    // The stress state and the plot switch.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 4530, 1455}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 300, 600, 255}, .caption = {"sx", "σ x"}, .partner = vonmises::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 660, 600, 255}, .caption = {"sy", "σ y"}, .partner = vonmises::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1020, 600, 255}, .caption = {"txy", "τ xy"}, .partner = vonmises::kTxy},
    {.name = vonmises::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 270, 1215, 285}, .maxLength = 20},
    {.name = vonmises::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 630, 1215, 285}, .maxLength = 20},
    {.name = vonmises::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 990, 1215, 285}, .maxLength = 20},
    {.name = vonmises::kGraphSwitch, .kind = Kind::CheckBox, .container = "Frame1", .at = {2640, 300, 1695, 255}, .caption = {"Graph", "Γράφημα"}},
    // The material.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1680, 4530, 735}, .caption = {"Material Parameter", "Παράμετρος υλικού"}},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame2", .at = {240, 300, 2280, 255}, .caption = {"Tensile Strength", "Αντοχή σε εφελκυσμό"}, .partner = vonmises::kTensileStrength},
    {.name = vonmises::kTensileStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {2640, 270, 1215, 285}, .maxLength = 20},
    // The results.
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 2520, 4530, 1095}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame3", .at = {240, 300, 2280, 255}, .caption = {"Von Mises Stress", "Τάση Von Mises"}, .partner = vonmises::kVonMisesStress},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame3", .at = {240, 660, 2280, 255}, .caption = {"Failure", "Αστοχία"}, .partner = vonmises::kFailureVerdict},
    {.name = vonmises::kVonMisesStress, .kind = Kind::TextBox, .container = "Frame3", .at = {2640, 270, 1215, 285}, .flags = kResult},
    {.name = vonmises::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {2640, 630, 1215, 285}, .flags = kResult},
    // The interactive plot, beyond the narrow width.
    {.name = vonmises::kZoomBar, .kind = Kind::HScroll, .at = {5280, 120, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = vonmises::kPlot, .kind = Kind::Picture, .at = {4800, 480, 4080, 4000}},
    {.name = vonmises::kCoordinates, .kind = Kind::Label, .at = {5280, 4560, 3255, 495}},
    {.name = vonmises::kInternalCoordinates, .kind = Kind::Label, .at = {5280, 5040, 3255, 495}},
    // Buttons.
    {.name = vonmises::kHelp, .kind = Kind::Button, .at = {240, 5040, 1215, 375}, .caption = {"Help"}},
    {.name = vonmises::kCancel, .kind = Kind::Button, .at = {1800, 5040, 1215, 375}, .caption = {"Cancel"}},
    {.name = vonmises::kOk, .kind = Kind::Button, .at = {3360, 5040, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
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
  stress_.GraphOption = 0;
  Project.VonMisesStress = stress_;
  Project.VonMisesInput = input_;
  MarkProjectChanged();
}

}  // namespace brantel
