#include "tools/stress/Stress3DDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "forms/FormHelpers.h"
#include "tools/stress/Stress3D.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly;

constexpr forms::FormDesign kForm{.name = "frm3DPrinc",
                                  .width = 7080,
                                  .height = 5340,
                                  .caption = {"Stress Analysis in three Dimensions", "Τανυστής τάσης"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = stress3d::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 6840, 4560}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = stress3d::kTabs, .caption = {"Stress Tensor", "Εντατική Κατάσταση"}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = stress3d::kTabs, .caption = {"Deviatoric Stress Tensor", "Αποκλίνων Τανυστής"}},
    {.name = "SSTab1(2)", .kind = Kind::TabPage, .container = stress3d::kTabs, .caption = {"Stresses on any Plane", "Τυχαίο Επίπεδο"}},

    // The tensor.
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {120, 480, 6600, 1500}, .caption = {"Input Stress Tensor", "Εισαγωγή τανυστή τάσεων"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame1", .at = {240, 690, 660, 255}, .caption = {"s ij", "σ ij ="}},
    // A box is spoken of by the element it holds, as its messages name it.
    {.name = stress3d::kT11, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 300, 1095, 285}, .caption = {"s11"}, .maxLength = 20},
    {.name = stress3d::kT12, .kind = Kind::TextBox, .container = "Frame1", .at = {2160, 300, 1095, 285}, .caption = {"s12"}, .maxLength = 20},
    {.name = stress3d::kT13, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 300, 1095, 285}, .caption = {"t13"}, .maxLength = 20},
    {.name = stress3d::kT21, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 660, 1095, 285}, .caption = {"t21"}, .maxLength = 20},
    {.name = stress3d::kT22, .kind = Kind::TextBox, .container = "Frame1", .at = {2160, 660, 1095, 285}, .caption = {"s22"}, .maxLength = 20},
    {.name = stress3d::kT23, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 660, 1095, 285}, .caption = {"t23"}, .maxLength = 20},
    {.name = stress3d::kT31, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 1020, 1095, 285}, .caption = {"t31"}, .maxLength = 20},
    {.name = stress3d::kT32, .kind = Kind::TextBox, .container = "Frame1", .at = {2160, 1020, 1095, 285}, .caption = {"t32"}, .maxLength = 20},
    {.name = stress3d::kT33, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 1020, 1095, 285}, .caption = {"s33"}, .maxLength = 20},
    {.name = stress3d::kCalculateAtPlane, .kind = Kind::CheckBox, .container = "SSTab1(0)", .at = {240, 2070, 6480, 255}, .caption = {"Calculate Stresses at Given Plane", "Υπολογισμός τάσεων σε τυχαίο επίπεδο"}},
    {.name = stress3d::kCalculateDeviator, .kind = Kind::CheckBox, .container = "SSTab1(0)", .at = {240, 2370, 6480, 255}, .caption = {"Calculate Deviatoric Stress Tensor", "Υπολογισμός αποκλίνουσας εντατικής κατάστασης"}},

    // Principal stresses and invariants.
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {120, 2700, 6600, 1500}, .caption = {"Principal Stresses and Stress Invariants", "Κύριες τάσεις και σταθερές (αναλλοίωτες) τάσης"}},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame2", .at = {240, 330, 600, 255}, .caption = {"s 1", "σ 1"}, .partner = stress3d::kS1},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame2", .at = {240, 690, 600, 255}, .caption = {"s 2", "σ 2"}, .partner = stress3d::kS2},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame2", .at = {240, 1050, 600, 255}, .caption = {"s 3", "σ 3"}, .partner = stress3d::kS3},
    {.name = stress3d::kS1, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 300, 1215, 285}, .flags = kResult},
    {.name = stress3d::kS2, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 660, 1215, 285}, .flags = kResult},
    {.name = stress3d::kS3, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 1020, 1215, 285}, .flags = kResult},
    // The bracket and the notice beside s2 and s3 when the cubic has complex roots.
    {.name = stress3d::kBracketTop, .kind = Kind::Picture, .container = "Frame2", .at = {2280, 795, 180, 15}, .flags = forms::kHidden},
    {.name = stress3d::kBracket, .kind = Kind::Picture, .container = "Frame2", .at = {2445, 795, 15, 375}, .flags = forms::kHidden},
    {.name = stress3d::kBracketBottom, .kind = Kind::Picture, .container = "Frame2", .at = {2280, 1155, 180, 15}, .flags = forms::kHidden},
    {.name = stress3d::kComplexRootsNotice, .kind = Kind::Label, .container = "Frame2", .at = {2580, 660, 1215, 615}, .flags = forms::kRedText},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame2", .at = {4080, 330, 600, 255}, .caption = {"Ι 1"}, .partner = stress3d::kI1},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame2", .at = {4080, 690, 600, 255}, .caption = {"Ι 2"}, .partner = stress3d::kI2},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame2", .at = {4080, 1050, 600, 255}, .caption = {"Ι 3"}, .partner = stress3d::kI3},
    {.name = stress3d::kI1, .kind = Kind::TextBox, .container = "Frame2", .at = {4680, 300, 1695, 285}, .flags = kResult},
    {.name = stress3d::kI2, .kind = Kind::TextBox, .container = "Frame2", .at = {4680, 660, 1695, 285}, .flags = kResult},
    {.name = stress3d::kI3, .kind = Kind::TextBox, .container = "Frame2", .at = {4680, 1020, 1695, 285}, .flags = kResult},

    // The deviator.
    {.name = "Frame6", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {120, 480, 6600, 1500}, .caption = {"Deviatoric Stress", "Αποκλίνων τανυστής"}},
    {.name = "Label15", .kind = Kind::Label, .container = "Frame6", .at = {240, 690, 660, 255}, .caption = {"s ij", "σ ij ="}},
    {.name = stress3d::kD11, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 300, 1095, 285}, .caption = {"Deviatoric Stress s11", "Αποκλίνων τανυστής s11"}, .flags = kResult},
    {.name = stress3d::kD12, .kind = Kind::TextBox, .container = "Frame6", .at = {2160, 300, 1095, 285}, .caption = {"Deviatoric Stress s12", "Αποκλίνων τανυστής s12"}, .flags = kResult},
    {.name = stress3d::kD13, .kind = Kind::TextBox, .container = "Frame6", .at = {3360, 300, 1095, 285}, .caption = {"Deviatoric Stress t13", "Αποκλίνων τανυστής t13"}, .flags = kResult},
    {.name = stress3d::kD21, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 660, 1095, 285}, .caption = {"Deviatoric Stress t21", "Αποκλίνων τανυστής t21"}, .flags = kResult},
    {.name = stress3d::kD22, .kind = Kind::TextBox, .container = "Frame6", .at = {2160, 660, 1095, 285}, .caption = {"Deviatoric Stress s22", "Αποκλίνων τανυστής s22"}, .flags = kResult},
    {.name = stress3d::kD23, .kind = Kind::TextBox, .container = "Frame6", .at = {3360, 660, 1095, 285}, .caption = {"Deviatoric Stress t23", "Αποκλίνων τανυστής t23"}, .flags = kResult},
    {.name = stress3d::kD31, .kind = Kind::TextBox, .container = "Frame6", .at = {960, 1020, 1095, 285}, .caption = {"Deviatoric Stress t31", "Αποκλίνων τανυστής t31"}, .flags = kResult},
    {.name = stress3d::kD32, .kind = Kind::TextBox, .container = "Frame6", .at = {2160, 1020, 1095, 285}, .caption = {"Deviatoric Stress t32", "Αποκλίνων τανυστής t32"}, .flags = kResult},
    {.name = stress3d::kD33, .kind = Kind::TextBox, .container = "Frame6", .at = {3360, 1020, 1095, 285}, .caption = {"Deviatoric Stress s33", "Αποκλίνων τανυστής s33"}, .flags = kResult},
    {.name = "Frame7", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {120, 2100, 6600, 1500}, .caption = {"Deviatoric Stress Invariants", "Σταθερές (αναλλοίωτες) αποκλίνουσας τάσης"}},
    {.name = "Label19", .kind = Kind::Label, .container = "Frame7", .at = {240, 330, 600, 255}, .caption = {"J 1"}, .partner = stress3d::kJ1},
    {.name = "Label20", .kind = Kind::Label, .container = "Frame7", .at = {240, 690, 600, 255}, .caption = {"J 2"}, .partner = stress3d::kJ2},
    {.name = "Label21", .kind = Kind::Label, .container = "Frame7", .at = {240, 1050, 600, 255}, .caption = {"J 3"}, .partner = stress3d::kJ3},
    {.name = stress3d::kJ1, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 300, 1695, 285}, .flags = kResult},
    {.name = stress3d::kJ2, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 660, 1695, 285}, .flags = kResult},
    {.name = stress3d::kJ3, .kind = Kind::TextBox, .container = "Frame7", .at = {960, 1020, 1695, 285}, .flags = kResult},

    // The plane.
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {120, 480, 6600, 1140}, .caption = {"Input Unit (Normal) Vector of any Plane", "Εισαγωγή μοναδιαίου τυχαίου επιπέδου"}},
    {.name = stress3d::kN1, .kind = Kind::TextBox, .container = "Frame4", .at = {960, 300, 1095, 285}, .caption = {"n1"}, .maxLength = 20},
    {.name = stress3d::kN2, .kind = Kind::TextBox, .container = "Frame4", .at = {2160, 300, 1095, 285}, .caption = {"n2"}, .maxLength = 20},
    {.name = stress3d::kN3, .kind = Kind::TextBox, .container = "Frame4", .at = {3360, 300, 1095, 285}, .caption = {"n3"}, .maxLength = 20},
    {.name = "Label13", .kind = Kind::Label, .container = "Frame4", .at = {240, 720, 3000, 255}, .caption = {"Norm of Unit (Normal) Vector", "μέτρο μοναδιαίου διανύσματος"}, .partner = stress3d::kNormOfNormal},
    {.name = stress3d::kNormOfNormal, .kind = Kind::TextBox, .container = "Frame4", .at = {3360, 690, 1095, 285}, .flags = kResult},
    {.name = "Frame5", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {120, 1740, 6600, 1140}, .caption = {"Stress Vector for nj", "Συνιστώσες διανύσματος τάσης στο ηj"}},
    {.name = "Label10", .kind = Kind::Label, .container = "Frame5", .at = {240, 330, 660, 255}, .caption = {"s' ij", "σ' i ="}},
    {.name = stress3d::kStressVector1, .kind = Kind::TextBox, .container = "Frame5", .at = {960, 300, 1095, 285}, .caption = {"s' 1", "σ' 1"}, .flags = kResult},
    {.name = stress3d::kStressVector2, .kind = Kind::TextBox, .container = "Frame5", .at = {2160, 300, 1095, 285}, .caption = {"s' 2", "σ' 2"}, .flags = kResult},
    {.name = stress3d::kStressVector3, .kind = Kind::TextBox, .container = "Frame5", .at = {3360, 300, 1095, 285}, .caption = {"s' 3", "σ' 3"}, .flags = kResult},
    {.name = "Label12", .kind = Kind::Label, .container = "Frame5", .at = {240, 720, 3000, 255}, .caption = {"Norm of Stress Vector", "μέτρο διανύσματος τάσης"}, .partner = stress3d::kNormOfStressVector},
    {.name = stress3d::kNormOfStressVector, .kind = Kind::TextBox, .container = "Frame5", .at = {3360, 690, 1095, 285}, .flags = kResult},
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {120, 3000, 6600, 1140}, .caption = {"Normal and Shear Components of Stress Vector", "Ορθή και διατμητική συνιστώσα στο nj"}},
    {.name = "Label18", .kind = Kind::Label, .container = "Frame3", .at = {240, 330, 3000, 255}, .caption = {"Normal Component", "Ορθή συνιστώσα"}, .partner = stress3d::kNormalComponent},
    {.name = stress3d::kNormalComponent, .kind = Kind::TextBox, .container = "Frame3", .at = {3360, 300, 1095, 285}, .flags = kResult},
    {.name = "Label11", .kind = Kind::Label, .container = "Frame3", .at = {240, 720, 3000, 255}, .caption = {"Shear Component (+/-)", "Διατμητική συνιστώσα (+/-)"}, .partner = stress3d::kShearComponent},
    {.name = stress3d::kShearComponent, .kind = Kind::TextBox, .container = "Frame3", .at = {3360, 690, 1095, 285}, .flags = kResult},

    // Buttons.
    {.name = stress3d::kHelp, .kind = Kind::Button, .at = {2400, 4800, 1215, 375}, .caption = {"Help"}},
    {.name = stress3d::kCancel, .kind = Kind::Button, .at = {3840, 4800, 1215, 375}, .caption = {"Cancel"}},
    {.name = stress3d::kOk, .kind = Kind::Button, .at = {5280, 4800, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The complex-roots notice, in Greek in both languages.
const char* const kComplexRootsNotice = "Μιγαδικές\nρίζες!\n";

}  // namespace

Stress3DDialog::Stress3DDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  for (int k = 0; k < 9; ++k) {
    ui_.tensor[k] = Require<QLineEdit>(forms::Item(stress3d::kTensor, k));
    ui_.deviator[k] = Require<QLineEdit>(forms::Item(stress3d::kDeviator, k));
  }
  for (int i = 0; i < 3; ++i) {
    ui_.normal[i] = Require<QLineEdit>(forms::Item(stress3d::kPlaneNormal, i));
    ui_.stressVector[i] = Require<QLineEdit>(forms::Item(stress3d::kStressVector, i));
  }
  ui_.principal = {Require<QLineEdit>(stress3d::kS1), Require<QLineEdit>(stress3d::kS2),
                   Require<QLineEdit>(stress3d::kS3)};
  ui_.invariant = {Require<QLineEdit>(stress3d::kI1), Require<QLineEdit>(stress3d::kI2),
                   Require<QLineEdit>(stress3d::kI3)};
  ui_.deviatorInvariant = {Require<QLineEdit>(stress3d::kJ1), Require<QLineEdit>(stress3d::kJ2),
                           Require<QLineEdit>(stress3d::kJ3)};
  ui_.normOfNormal = Require<QLineEdit>(stress3d::kNormOfNormal);
  ui_.normOfStressVector = Require<QLineEdit>(stress3d::kNormOfStressVector);
  ui_.normalComponent = Require<QLineEdit>(stress3d::kNormalComponent);
  ui_.shearComponent = Require<QLineEdit>(stress3d::kShearComponent);
  ui_.complexRootsNotice = Require<QLabel>(stress3d::kComplexRootsNotice);
  ui_.bracket = {Require<QWidget>(stress3d::kBracketTop), Require<QWidget>(stress3d::kBracket),
                 Require<QWidget>(stress3d::kBracketBottom)};
  ui_.calculateAtPlane = Require<QCheckBox>(stress3d::kCalculateAtPlane);
  ui_.calculateDeviator = Require<QCheckBox>(stress3d::kCalculateDeviator);
  ui_.tabs = Require<QTabWidget>(stress3d::kTabs);
  resultPalette_ = ui_.principal[1]->palette();

  // Validated in this order: the tensor row by row, then the normal.
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int k = TensorBox(row, col);
      inputs_.Add(ui_.tensor[k], stress_.Tensor[row][col],
                  {Reading::WholeEntry, InvalidValueFor({kTensorBoxNames[k], kTensorBoxNames[k]})});
    }
  }
  for (int i = 0; i < 3; ++i) {
    inputs_.Add(ui_.normal[i], stress_.Normal[i],
                {Reading::WholeEntry, InvalidValueFor({kNormalBoxNames[i], kNormalBoxNames[i]})});
  }

  WireButtons(Require<QPushButton>(stress3d::kOk), Require<QPushButton>(stress3d::kCancel),
              Require<QPushButton>(stress3d::kHelp));
  for (int k = 0; k < 9; ++k) {
    connect(ui_.tensor[k], &QLineEdit::textChanged, this, [this, k] { OnTensorEdited(k); });
  }
  for (QLineEdit* box : ui_.normal) connect(box, &QLineEdit::textChanged, this, &Stress3DDialog::OnNormalEdited);
  connect(ui_.calculateAtPlane, &QCheckBox::toggled, this, &Stress3DDialog::OnCalculateAtPlaneToggled);
  connect(ui_.calculateDeviator, &QCheckBox::toggled, this, &Stress3DDialog::OnCalculateDeviatorToggled);

  OnLoad();
}

Stress3DDialog::~Stress3DDialog() = default;

void Stress3DDialog::OnLoad() {
  forms::ShowResult(ui_.normOfStressVector, QStringLiteral("0"));
  LoadInputs();
  OnCalculateDeviatorToggled();
  if (ValidateInput()) {
    ShowNormOfNormal();
    ShowResults();
  }
  AddHistoryLine(Tr({"Stress calculations in three dimensions.", "Υπολογισμός κυρίων τάσεων σε τρεις διαστάσεις."}));
  ui_.tabs->setCurrentIndex(kTensorTab);
}

void Stress3DDialog::LoadFromProject() {
  stress_ = Project.Stress3D;
  // Each pair of the tensor shows the element of the lower triangle.
  stress_.Tensor = MirroredTensor(stress_.Tensor);
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const float value = stress_.Tensor[row][col];
      forms::ShowStoredGeneral(ui_.tensor[TensorBox(row, col)], value);
    }
  }
  for (int i = 0; i < 3; ++i) forms::ShowStoredGeneral(ui_.normal[i], stress_.Normal[i]);
  ui_.calculateAtPlane->setChecked(stress_.AtGivenPlane);
  OnCalculateAtPlaneToggled();
}

bool Stress3DDialog::ValidateInput() { return inputs_.Validate(); }

void Stress3DDialog::OnTensorEdited(int index) {
  if (mirroring_) return;
  // The tensor is symmetric: an off-diagonal entry also stands in its
  // partner, with the same value behind the text.
  if (const int partner = MirrorBox(index); partner >= 0) {
    QLineEdit* box = ui_.tensor[index];
    QLineEdit* other = ui_.tensor[partner];
    mirroring_ = true;
    forms::CopyBoxText(box, other);
    mirroring_ = false;
  }
  RecalculateIfValid([this] { ShowResults(); });
}

void Stress3DDialog::OnNormalEdited() {
  RecalculateIfValid([this] {
    if (ShowNormOfNormal()) ShowResults();
  });
}

void Stress3DDialog::OnCalculateAtPlaneToggled() {
  const bool on = ui_.calculateAtPlane->isChecked();
  ui_.tabs->setTabVisible(kPlaneTab, on);
  stress_.AtGivenPlane = on;
  // The plane's results were left alone while the box was clear; they are
  // brought up to date as the page comes back.
  if (!on) return;
  RecalculateIfValid([this] {
    if (ShowNormOfNormal()) ShowResults();
  });
}

void Stress3DDialog::OnCalculateDeviatorToggled() {
  ui_.tabs->setTabVisible(kDeviatorTab, ui_.calculateDeviator->isChecked());
}

bool Stress3DDialog::ShowNormOfNormal() {
  return forms::Calculate({ui_.normOfNormal},
                          [this] { forms::ShowResult(ui_.normOfNormal, FormatGeneral(NormOfNormal(stress_.Normal))); });
}

bool Stress3DDialog::ShowResults() {
  return forms::Calculate(
      {ui_.principal[0],         ui_.principal[1],         ui_.principal[2],    ui_.invariant[0],
       ui_.invariant[1],         ui_.invariant[2],         ui_.deviator[0],     ui_.deviator[1],
       ui_.deviator[2],          ui_.deviator[3],          ui_.deviator[4],     ui_.deviator[5],
       ui_.deviator[6],          ui_.deviator[7],          ui_.deviator[8],     ui_.deviatorInvariant[0],
       ui_.deviatorInvariant[1], ui_.deviatorInvariant[2], ui_.stressVector[0], ui_.stressVector[1],
       ui_.stressVector[2],      ui_.normOfStressVector,   ui_.normalComponent, ui_.shearComponent},
      [this] {
        const Stress3DResults r = CalcStress3D(stress_.Tensor, stress_.Normal, ui_.calculateAtPlane->isChecked());
        for (int k = 0; k < 9; ++k) forms::ShowResult(ui_.deviator[k], FormatGeneral(r.Deviator.Tensor[k / 3][k % 3]));
        const std::array<float, 3> invariants = {r.Invariants.I1, r.Invariants.I2, r.Invariants.I3};
        const std::array<float, 3> deviatorInvariants = {r.Deviator.J1, r.Deviator.J2, r.Deviator.J3};
        for (int i = 0; i < 3; ++i) {
          forms::ShowResult(ui_.invariant[i], invariants[i], kStress3DMask);
          forms::ShowResult(ui_.deviatorInvariant[i], deviatorInvariants[i], kStress3DMask);
        }
        if (r.PlaneComputed) {
          for (int i = 0; i < 3; ++i) forms::ShowResult(ui_.stressVector[i], FormatGeneral(r.Plane.Traction[i]));
          forms::ShowResult(ui_.normalComponent, FormatGeneral(r.Plane.Normal));
          forms::ShowResult(ui_.normOfStressVector, FormatGeneral(r.Plane.Norm));
          forms::ShowResult(ui_.shearComponent,
                            r.Plane.ShearError ? kShearErrorText.toString() : FormatGeneral(r.Plane.Shear));
        }
        StoreResults(r, stress_);
        ShowPrincipalStresses(r.Principal.S, r.Principal.ComplexRoots);
      },
      [this] { ShowComplexRoots(false); });
}

void Stress3DDialog::ShowPrincipalStresses(const Vector3& roots, bool complexRoots) {
  forms::ShowResult(ui_.principal[0], roots[0], kStress3DMask);
  for (int i = 1; i < 3; ++i)
    forms::ShowResult(ui_.principal[i], complexRoots ? QString() : Format(roots[i], kStress3DMask));
  ShowComplexRoots(complexRoots);
}

void Stress3DDialog::ShowComplexRoots(bool shown) {
  QPalette palette = resultPalette_;
  if (shown) {
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, Qt::red);
  }
  for (int i = 1; i < 3; ++i) ui_.principal[i]->setPalette(palette);
  ui_.complexRootsNotice->setText(shown ? QString::fromUtf8(kComplexRootsNotice) : QString());
  for (QWidget* line : ui_.bracket) line->setVisible(shown);
}

void Stress3DDialog::CommitToProject() {
  Project.Stress3D = stress_;
  MarkProjectChanged();
}

}  // namespace brantel
