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

constexpr forms::FormDesign kForm{frmVonMises::kNarrowWidth, 5640, "Von Mises Failure Criterion",
                                  "Κριτήριο αστοχίας κατά Von Mises σε υλικό"};

constexpr ControlRow kControls[] = {
    // The stress state and the plot switch.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 4530, 1455, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 240, 300, 600, 255, "sx", "σ x", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 240, 660, 600, 255, "sy", "σ y", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 240, 1020, 600, 255, "txy", "τ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 960, 270, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text2", Kind::TextBox, "Frame1", 960, 630, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text3", Kind::TextBox, "Frame1", 960, 990, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkGraph", Kind::CheckBox, "Frame1", 2640, 300, 1695, 255, "Graph", "Γράφημα"},
    // The material.
    {"Frame2", Kind::Frame, nullptr, 120, 1680, 4530, 735, "Material Parameter", "Παράμετρος υλικού"},
    {"Label4", Kind::Label, "Frame2", 240, 300, 2280, 255, "Tensile Strength", "Αντοχή σε εφελκυσμό", "Text4"},
    {"Text4", Kind::TextBox, "Frame2", 2640, 270, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    // The results.
    {"Frame3", Kind::Frame, nullptr, 120, 2520, 4530, 1095, "Results", "Αποτελέσματα"},
    {"Label6", Kind::Label, "Frame3", 240, 300, 2280, 255, "Von Mises Stress", "Τάση Von Mises", "Text6"},
    {"Label5", Kind::Label, "Frame3", 240, 660, 2280, 255, "Failure", "Αστοχία", "Text5"},
    {"Text6", Kind::TextBox, "Frame3", 2640, 270, 1215, 285, nullptr, nullptr, nullptr, kResult},
    {"Text5", Kind::TextBox, "Frame3", 2640, 630, 1215, 285, nullptr, nullptr, nullptr, kResult},
    // The interactive plot, beyond the narrow width.
    {"HScroll1", Kind::HScroll, nullptr, 5280, 120, 3015, 255, "Zoom", "Μεγέθυνση"},
    {"Picture1", Kind::Picture, nullptr, 4800, 480, 4080, 4000},
    {"lblCoord", Kind::Label, nullptr, 5280, 4560, 3255, 495},
    {"lblIntCoord", Kind::Label, nullptr, 5280, 5040, 3255, 495},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 240, 5040, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 1800, 5040, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 3360, 5040, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

}  // namespace

frmVonMises::frmVonMises(QWidget* owner) : PrincipalCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  setObjectName(QStringLiteral("frmVonMises"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("Picture1")) return new PrincipalCriterionPlot(parent);
    return nullptr;
  });
  BindCriterionControls(FailurePlot::VerticalRange::LikeHorizontal);
  ui_.strength = Require<QLineEdit>(u"Text4");
  ui_.stress = Require<QLineEdit>(u"Text6");
  ui_.failure = Require<QLineEdit>(u"Text5");
  ui_.ok = Require<QPushButton>(u"CmdOk");

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  connect(ui_.strength, &QLineEdit::textChanged, this, &frmVonMises::TextInput_Change);

  OpenCriterion({"Failure Analysis based on the Von Mises failure criterion.",
                 "Εκτίμηση της αστοχίας υλικού βάσει του κριτηρίου Von Mises."});
}

frmVonMises::~frmVonMises() = default;

std::array<QLineEdit*, kVonMisesBoxCount> frmVonMises::Boxes() const {
  return {stressBoxes_.sx, stressBoxes_.sy, stressBoxes_.txy, ui_.strength};
}

void frmVonMises::LoadFromProject() {
  stress_ = Project.VonMisesStress;
  input_ = Project.VonMisesInput;
  principal_ = Principal2D{};
  computed_ = false;
  ShowStressInputs();
  ShowInputValue(ui_.strength, input_.TensileStrength);
  ShowGraphOption();
}

bool frmVonMises::ValidateInput() {
  if (!CheckBoxes(Boxes(), CheckVonMisesInputs)) return false;
  ReadStressInputs();
  input_.TensileStrength = forms::EntryValue<float>(ui_.strength).value_or(0.0f);
  return true;
}

void frmVonMises::Calculate() {
  calculating_ = true;
  computed_ = forms::Calculate({ui_.stress, ui_.failure}, [this] {
    const VonMisesResult result = EvaluateVonMises(stress_, input_);
    principal_ = result.Principal;
    input_.Failure = result.Failure;
    ShowVerdict(ui_.failure, result.FailureVerdict);
    forms::ShowResult(ui_.stress, result.EquivalentStress, kVonMisesStressMask);
    ui_.ok->setEnabled(result.CanCommit);
  });
  calculating_ = false;
}

void frmVonMises::PlotState() {
  const float t = input_.TensileStrength;
  Plot()->SetCriterion(principal_, t, VonMisesEnvelope(t), std::nullopt);
}

void frmVonMises::CommitToProject() {
  // The plot switch is not kept: the next opening shows the plot as
  // EnableMohrCircles says.
  stress_.GraphOption = 0;
  Project.VonMisesStress = stress_;
  Project.VonMisesInput = input_;
  MarkProjectChanged();
}

}  // namespace brantel
