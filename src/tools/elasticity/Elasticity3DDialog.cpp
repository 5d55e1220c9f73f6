#include "tools/elasticity/Elasticity3DDialog.h"

#include "core/Conversions.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormInputs.h"
#include "tools/elasticity/Elasticity3D.h"
#include "tools/elasticity/MatrixBracketsPicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{.name = "frmElasti3D",
                                  .width = 8055,
                                  .height = 5220,
                                  .caption = {"Hooke's elasticity law in 3D", "Ελαστικότητα σε Τρεις Διαστάσεις"}};

// The grids hold component (k / 3 + 1, k % 3 + 1) in box k; a box's caption
// is the component's name, which its messages give it too.
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 7815, 1575}, .caption = {"Stress Tensor", "Τανυστής Τάσης"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame1", .at = {120, 690, 855, 255}, .caption = {"s ij", "σ ij = "}},
    {.name = "linStress", .kind = Kind::Picture, .container = "Frame1", .at = {1050, 270, 6555, 1125}},
    {.name = elasticity3d::kStressBox[0], .kind = Kind::TextBox, .container = "Frame1", .at = {1140, 330, 2055, 285}, .caption = {"s11", "σ11"}},
    {.name = elasticity3d::kStressBox[1], .kind = Kind::TextBox, .container = "Frame1", .at = {3300, 330, 2055, 285}, .caption = {"s12", "σ12"}},
    {.name = elasticity3d::kStressBox[2], .kind = Kind::TextBox, .container = "Frame1", .at = {5460, 330, 2055, 285}, .caption = {"s13", "σ13"}},
    {.name = elasticity3d::kStressBox[3], .kind = Kind::TextBox, .container = "Frame1", .at = {1140, 690, 2055, 285}, .caption = {"s21", "σ21"}},
    {.name = elasticity3d::kStressBox[4], .kind = Kind::TextBox, .container = "Frame1", .at = {3300, 690, 2055, 285}, .caption = {"s22", "σ22"}},
    {.name = elasticity3d::kStressBox[5], .kind = Kind::TextBox, .container = "Frame1", .at = {5460, 690, 2055, 285}, .caption = {"s23", "σ23"}},
    {.name = elasticity3d::kStressBox[6], .kind = Kind::TextBox, .container = "Frame1", .at = {1140, 1050, 2055, 285}, .caption = {"s31", "σ31"}},
    {.name = elasticity3d::kStressBox[7], .kind = Kind::TextBox, .container = "Frame1", .at = {3300, 1050, 2055, 285}, .caption = {"s32", "σ32"}},
    {.name = elasticity3d::kStressBox[8], .kind = Kind::TextBox, .container = "Frame1", .at = {5460, 1050, 2055, 285}, .caption = {"s33", "σ33"}},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1800, 7815, 1575}, .caption = {"Strain Tensor", "Ανηγμένες Παραμορφώσεις"}},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame2", .at = {120, 690, 855, 255}, .caption = {"e ij", "ε ij = "}},
    {.name = "linStrain", .kind = Kind::Picture, .container = "Frame2", .at = {1050, 270, 6555, 1125}},
    {.name = elasticity3d::kStrainBox[0], .kind = Kind::TextBox, .container = "Frame2", .at = {1140, 330, 2055, 285}, .caption = {"e11", "ε11"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[1], .kind = Kind::TextBox, .container = "Frame2", .at = {3300, 330, 2055, 285}, .caption = {"e12", "ε12"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[2], .kind = Kind::TextBox, .container = "Frame2", .at = {5460, 330, 2055, 285}, .caption = {"e13", "ε13"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[3], .kind = Kind::TextBox, .container = "Frame2", .at = {1140, 690, 2055, 285}, .caption = {"e21", "ε21"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[4], .kind = Kind::TextBox, .container = "Frame2", .at = {3300, 690, 2055, 285}, .caption = {"e22", "ε22"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[5], .kind = Kind::TextBox, .container = "Frame2", .at = {5460, 690, 2055, 285}, .caption = {"e23", "ε23"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[6], .kind = Kind::TextBox, .container = "Frame2", .at = {1140, 1050, 2055, 285}, .caption = {"e31", "ε31"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[7], .kind = Kind::TextBox, .container = "Frame2", .at = {3300, 1050, 2055, 285}, .caption = {"e32", "ε32"}, .flags = kResult},
    {.name = elasticity3d::kStrainBox[8], .kind = Kind::TextBox, .container = "Frame2", .at = {5460, 1050, 2055, 285}, .caption = {"e33", "ε33"}, .flags = kResult},
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 3480, 7815, 1095}, .caption = {"Elasticity Constants", "Ελαστικές Σταθερές"}},
    {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {240, 330, 1935, 255}, .caption = {"Young's Modulus", "Μέτρο Ελαστικότητας"}, .partner = elasticity3d::kModulus},
    {.name = elasticity3d::kModulus, .kind = Kind::TextBox, .container = "Frame3", .at = {2280, 300, 1695, 285}},
    {.name = "Label9", .kind = Kind::Label, .container = "Frame3", .at = {240, 690, 1935, 255}, .caption = {"Poisson's Ratio", "Λόγος Poisson"}, .partner = elasticity3d::kPoisson},
    {.name = elasticity3d::kPoisson, .kind = Kind::TextBox, .container = "Frame3", .at = {2280, 660, 1695, 285}},
    {.name = elasticity3d::kPoissonNotice, .kind = Kind::Label, .container = "Frame3", .at = {4140, 690, 2415, 255}, .flags = forms::kRedText},
    // Buttons.
    {.name = elasticity3d::kHelp, .kind = Kind::Button, .at = {1740, 4740, 1215, 375}, .caption = {"Help"}},
    {.name = elasticity3d::kCancel, .kind = Kind::Button, .at = {3420, 4740, 1215, 375}, .caption = {"Cancel"}},
    {.name = elasticity3d::kOk, .kind = Kind::Button, .at = {5100, 4740, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The names of the stress components in the messages, box by box.
constexpr InputMessage kStressNames[9] = {
    InvalidValueFor({"s11", "σ11"}), InvalidValueFor({"s12", "σ12"}), InvalidValueFor({"s13", "σ13"}),
    InvalidValueFor({"s21", "σ21"}), InvalidValueFor({"s22", "σ22"}), InvalidValueFor({"s23", "σ23"}),
    InvalidValueFor({"s31", "σ31"}), InvalidValueFor({"s32", "σ32"}), InvalidValueFor({"s33", "σ33"}),
};

// A constant box as its checks read it (Elasticity3D.h): whether its whole
// entry is a number that the record's 32-bit field holds, and the value its
// verdict takes.
struct ConstantReading {
  bool numeric = false;
  double value = 0.0;
};

ConstantReading ReadConstant(const QLineEdit* box) {
  return {forms::EntryValue<float>(box).has_value(), HookeVerdictValue(forms::LeadingValue(box), box->text())};
}

// The decimal that a stored 32-bit value stands for, as a 64-bit value, so
// that a stored 0.3 computes as 0.3 and not as 0.30000001192...; it rounds
// back to the same 32-bit value.
double DecimalOf(float value) {
  const double shortest = ParseLeadingNumber(FormatShortest(value));
  return CheckedFloat(shortest) == value ? shortest : static_cast<double>(value);
}

void ShowGeneral(QLineEdit* box, float value) { forms::ShowStoredValue(box, DecimalOf(value), FormatGeneral(value)); }

}  // namespace

Elasticity3DDialog::Elasticity3DDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, BracketsOfRow);
  for (int k = 0; k < 9; ++k) {
    ui_.stress[static_cast<std::size_t>(k)] = Require<QLineEdit>(elasticity3d::kStressBox[static_cast<std::size_t>(k)]);
    ui_.strain[static_cast<std::size_t>(k)] = Require<QLineEdit>(elasticity3d::kStrainBox[static_cast<std::size_t>(k)]);
  }
  for (std::size_t k = 0; k < 9; ++k) {
    stressInputs_.Add(ui_.stress[k], hooke_.Stress[k / 3][k % 3], {forms::Reading::WholeEntry, kStressNames[k]});
  }
  ui_.modulus = Require<QLineEdit>(elasticity3d::kModulus);
  ui_.poisson = Require<QLineEdit>(elasticity3d::kPoisson);
  ui_.poissonNotice = Require<QLabel>(elasticity3d::kPoissonNotice);
  ui_.ok = Require<QPushButton>(elasticity3d::kOk);

  WireButtons(ui_.ok, Require<QPushButton>(elasticity3d::kCancel), Require<QPushButton>(elasticity3d::kHelp));
  for (int k = 0; k < 9; ++k) {
    connect(ui_.stress[static_cast<std::size_t>(k)], &QLineEdit::textChanged, this, [this, k] { OnStressEdited(k); });
  }
  for (QLineEdit* constant : {ui_.modulus, ui_.poisson}) {
    connect(constant, &QLineEdit::textChanged, this, &Elasticity3DDialog::OnConstantEdited);
  }

  OnLoad();
}

Elasticity3DDialog::~Elasticity3DDialog() = default;

void Elasticity3DDialog::OnLoad() {
  ui_.poissonNotice->clear();
  LoadInputs();
  if (ValidateInput()) ShowStrains();
  AddHistoryLine(Tr({"Hooke's elasticity law in 3D.", "Νόμος ελαστικότητας του Hooke σε τρεις διαστάσεις."}));
}

void Elasticity3DDialog::LoadFromProject() {
  // The tensor is shown as stored, also when it is not symmetric: the
  // twins are written only by the user's edits.
  const Hooke3DData& stored = Project.Hooke3DInputs;
  for (std::size_t k = 0; k < 9; ++k) ShowGeneral(ui_.stress[k], stored.Stress[k / 3][k % 3]);
  ShowGeneral(ui_.modulus, stored.E == 0.0f ? kHookeDefaultE : stored.E);
  ShowGeneral(ui_.poisson, stored.Nu == 0.0f ? kHookeDefaultNu : stored.Nu);
}

void Elasticity3DDialog::OnStressEdited(int index) {
  // The twin takes the same text without running its own change handler,
  // so that one bad entry is refused once.
  QLineEdit* box = ui_.stress[static_cast<std::size_t>(index)];
  const int twin = HookeTwinBox(index);
  if (twin >= 0 && !loading_) {
    QLineEdit* other = ui_.stress[static_cast<std::size_t>(twin)];
    const QSignalBlocker block(other);
    forms::CopyBoxText(box, other);
  }
  RecalculateIfValid([this] { ShowStrains(); });
}

void Elasticity3DDialog::OnConstantEdited() {
  RecalculateIfValid([this] { ShowStrains(); });
}

bool Elasticity3DDialog::ValidateInput() {
  ui_.poissonNotice->clear();
  const ConstantReading e = ReadConstant(ui_.modulus);
  const ConstantReading nu = ReadConstant(ui_.poisson);
  // The entry tests, up to the first box refused: the stresses, then E and
  // nu, whose message depends on the value their text begins with.
  bool valid =
      stressInputs_.Validate() &&
      (e.numeric || forms::RefuseEntry(ui_.modulus, *HookeModulusMessage(CheckHookeModulus(false, e.value)))) &&
      (nu.numeric || forms::RefuseEntry(ui_.poisson, *HookePoissonMessage(CheckHookePoisson(false, nu.value))));
  // The ranges of the constants that passed their entry test, each checked
  // whatever the entry tests found.
  if (e.numeric) {
    if (const auto refusal = HookeModulusMessage(CheckHookeModulus(true, e.value))) {
      valid = forms::RefuseEntry(ui_.modulus, *refusal);
    }
  }
  if (nu.numeric) {
    const HookePoissonVerdict verdict = CheckHookePoisson(true, nu.value);
    if (verdict == HookePoissonVerdict::NotPositiveNotice) {
      ui_.poissonNotice->setText(Tr(kHookePoissonNotice));
      ui_.poisson->setFocus();
      valid = false;
    } else if (const auto refusal = HookePoissonMessage(verdict)) {
      valid = forms::RefuseEntry(ui_.poisson, *refusal);
    }
  }
  return valid;
}

void Elasticity3DDialog::ShowStrains() {
  Matrix3d stress{};
  // Validation has read every box.
  for (std::size_t k = 0; k < 9; ++k) stress[k / 3][k % 3] = forms::LeadingValue(ui_.stress[k]).value();
  const double e = forms::LeadingValue(ui_.modulus).value();
  const double nu = forms::LeadingValue(ui_.poisson).value();
  const auto results = {ui_.strain[0], ui_.strain[1], ui_.strain[2], ui_.strain[3], ui_.strain[4],
                        ui_.strain[5], ui_.strain[6], ui_.strain[7], ui_.strain[8]};
  forms::Calculate(results, [&] {
    const HookeStrains3D r = CalcStrainTensor3D(stress, e, nu);
    if (!r.Computable) return forms::ClearResults(results);
    const Matrix3d t = r.Tensor();
    for (std::size_t k = 0; k < 9; ++k) {
      const double value = t[k / 3][k % 3];
      // e33 and e31 (with its twin e13) are 32-bit values.
      const bool single = k == 2 || k == 6 || k == 8;
      forms::ShowResult(ui_.strain[k], single ? FormatGeneral(static_cast<float>(value)) : FormatGeneral(value));
    }
  });
}

void Elasticity3DDialog::CommitToProject() {
  Hooke3DData& stored = Project.Hooke3DInputs;
  // The validation of OK has read the stresses into the working copy, and
  // E and nu into the 32-bit range.
  stored.Stress = hooke_.Stress;
  stored.E = forms::LeadingValue<float>(ui_.modulus).value();
  stored.Nu = forms::LeadingValue<float>(ui_.poisson).value();
  stored.Flag = 0;
  MarkProjectChanged();
}

}  // namespace brantel
