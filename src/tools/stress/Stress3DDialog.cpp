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

constexpr forms::FormDesign kForm{7080, 5340, "Stress Analysis in three Dimensions", "Τανυστής τάσης"};

constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 6840, 4560},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Stress Tensor", "Εντατική Κατάσταση"},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Deviatoric Stress Tensor", "Αποκλίνων Τανυστής"},
    {"SSTab1(2)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Stresses on any Plane", "Τυχαίο Επίπεδο"},

    // The tensor.
    {"Frame1", Kind::Frame, "SSTab1(0)", 120, 480, 6600, 1500, "Input Stress Tensor", "Εισαγωγή τανυστή τάσεων"},
    {"Label1", Kind::Label, "Frame1", 240, 690, 660, 255, "s ij", "σ ij ="},
    // A box is spoken of by the element it holds, as its messages name it.
    {"Text1(0)", Kind::TextBox, "Frame1", 960, 300, 1095, 285, "s11", nullptr, nullptr, 0, 20},
    {"Text1(1)", Kind::TextBox, "Frame1", 2160, 300, 1095, 285, "s12", nullptr, nullptr, 0, 20},
    {"Text1(2)", Kind::TextBox, "Frame1", 3360, 300, 1095, 285, "t13", nullptr, nullptr, 0, 20},
    {"Text1(3)", Kind::TextBox, "Frame1", 960, 660, 1095, 285, "t21", nullptr, nullptr, 0, 20},
    {"Text1(4)", Kind::TextBox, "Frame1", 2160, 660, 1095, 285, "s22", nullptr, nullptr, 0, 20},
    {"Text1(5)", Kind::TextBox, "Frame1", 3360, 660, 1095, 285, "t23", nullptr, nullptr, 0, 20},
    {"Text1(6)", Kind::TextBox, "Frame1", 960, 1020, 1095, 285, "t31", nullptr, nullptr, 0, 20},
    {"Text1(7)", Kind::TextBox, "Frame1", 2160, 1020, 1095, 285, "t32", nullptr, nullptr, 0, 20},
    {"Text1(8)", Kind::TextBox, "Frame1", 3360, 1020, 1095, 285, "s33", nullptr, nullptr, 0, 20},
    {"Check1", Kind::CheckBox, "SSTab1(0)", 240, 2070, 6480, 255, "Calculate Stresses at Given Plane",
     "Υπολογισμός τάσεων σε τυχαίο επίπεδο"},
    {"Check2", Kind::CheckBox, "SSTab1(0)", 240, 2370, 6480, 255, "Calculate Deviatoric Stress Tensor",
     "Υπολογισμός αποκλίνουσας εντατικής κατάστασης"},

    // Principal stresses and invariants.
    {"Frame2", Kind::Frame, "SSTab1(0)", 120, 2700, 6600, 1500, "Principal Stresses and Stress Invariants",
     "Κύριες τάσεις και σταθερές (αναλλοίωτες) τάσης"},
    {"Label2", Kind::Label, "Frame2", 240, 330, 600, 255, "s 1", "σ 1", "Text2"},
    {"Label3", Kind::Label, "Frame2", 240, 690, 600, 255, "s 2", "σ 2", "Text3"},
    {"Label4", Kind::Label, "Frame2", 240, 1050, 600, 255, "s 3", "σ 3", "Text4"},
    {"Text2", Kind::TextBox, "Frame2", 960, 300, 1215, 285, nullptr, nullptr, nullptr, kResult},
    {"Text3", Kind::TextBox, "Frame2", 960, 660, 1215, 285, nullptr, nullptr, nullptr, kResult},
    {"Text4", Kind::TextBox, "Frame2", 960, 1020, 1215, 285, nullptr, nullptr, nullptr, kResult},
    // The bracket and the notice beside s2 and s3 when the cubic has complex roots.
    {"Line7", Kind::Picture, "Frame2", 2280, 795, 180, 15, nullptr, nullptr, nullptr, forms::kHidden},
    {"Line8", Kind::Picture, "Frame2", 2445, 795, 15, 375, nullptr, nullptr, nullptr, forms::kHidden},
    {"Line9", Kind::Picture, "Frame2", 2280, 1155, 180, 15, nullptr, nullptr, nullptr, forms::kHidden},
    {"Label8", Kind::Label, "Frame2", 2580, 660, 1215, 615, nullptr, nullptr, nullptr, forms::kRedText},
    {"Label5", Kind::Label, "Frame2", 4080, 330, 600, 255, "Ι 1", nullptr, "Text5"},
    {"Label6", Kind::Label, "Frame2", 4080, 690, 600, 255, "Ι 2", nullptr, "Text6"},
    {"Label7", Kind::Label, "Frame2", 4080, 1050, 600, 255, "Ι 3", nullptr, "Text7"},
    {"Text5", Kind::TextBox, "Frame2", 4680, 300, 1695, 285, nullptr, nullptr, nullptr, kResult},
    {"Text6", Kind::TextBox, "Frame2", 4680, 660, 1695, 285, nullptr, nullptr, nullptr, kResult},
    {"Text7", Kind::TextBox, "Frame2", 4680, 1020, 1695, 285, nullptr, nullptr, nullptr, kResult},

    // The deviator.
    {"Frame6", Kind::Frame, "SSTab1(1)", 120, 480, 6600, 1500, "Deviatoric Stress", "Αποκλίνων τανυστής"},
    {"Label15", Kind::Label, "Frame6", 240, 690, 660, 255, "s ij", "σ ij ="},
    {"txtDevTens(0)", Kind::TextBox, "Frame6", 960, 300, 1095, 285, "Deviatoric Stress s11", "Αποκλίνων τανυστής s11",
     nullptr, kResult},
    {"txtDevTens(1)", Kind::TextBox, "Frame6", 2160, 300, 1095, 285, "Deviatoric Stress s12", "Αποκλίνων τανυστής s12",
     nullptr, kResult},
    {"txtDevTens(2)", Kind::TextBox, "Frame6", 3360, 300, 1095, 285, "Deviatoric Stress t13", "Αποκλίνων τανυστής t13",
     nullptr, kResult},
    {"txtDevTens(3)", Kind::TextBox, "Frame6", 960, 660, 1095, 285, "Deviatoric Stress t21", "Αποκλίνων τανυστής t21",
     nullptr, kResult},
    {"txtDevTens(4)", Kind::TextBox, "Frame6", 2160, 660, 1095, 285, "Deviatoric Stress s22", "Αποκλίνων τανυστής s22",
     nullptr, kResult},
    {"txtDevTens(5)", Kind::TextBox, "Frame6", 3360, 660, 1095, 285, "Deviatoric Stress t23", "Αποκλίνων τανυστής t23",
     nullptr, kResult},
    {"txtDevTens(6)", Kind::TextBox, "Frame6", 960, 1020, 1095, 285, "Deviatoric Stress t31", "Αποκλίνων τανυστής t31",
     nullptr, kResult},
    {"txtDevTens(7)", Kind::TextBox, "Frame6", 2160, 1020, 1095, 285, "Deviatoric Stress t32", "Αποκλίνων τανυστής t32",
     nullptr, kResult},
    {"txtDevTens(8)", Kind::TextBox, "Frame6", 3360, 1020, 1095, 285, "Deviatoric Stress s33", "Αποκλίνων τανυστής s33",
     nullptr, kResult},
    {"Frame7", Kind::Frame, "SSTab1(1)", 120, 2100, 6600, 1500, "Deviatoric Stress Invariants",
     "Σταθερές (αναλλοίωτες) αποκλίνουσας τάσης"},
    {"Label19", Kind::Label, "Frame7", 240, 330, 600, 255, "J 1", nullptr, "Text14"},
    {"Label20", Kind::Label, "Frame7", 240, 690, 600, 255, "J 2", nullptr, "Text15"},
    {"Label21", Kind::Label, "Frame7", 240, 1050, 600, 255, "J 3", nullptr, "Text16"},
    {"Text14", Kind::TextBox, "Frame7", 960, 300, 1695, 285, nullptr, nullptr, nullptr, kResult},
    {"Text15", Kind::TextBox, "Frame7", 960, 660, 1695, 285, nullptr, nullptr, nullptr, kResult},
    {"Text16", Kind::TextBox, "Frame7", 960, 1020, 1695, 285, nullptr, nullptr, nullptr, kResult},

    // The plane.
    {"Frame4", Kind::Frame, "SSTab1(2)", 120, 480, 6600, 1140, "Input Unit (Normal) Vector of any Plane",
     "Εισαγωγή μοναδιαίου τυχαίου επιπέδου"},
    {"Text8(0)", Kind::TextBox, "Frame4", 960, 300, 1095, 285, "n1", nullptr, nullptr, 0, 20},
    {"Text8(1)", Kind::TextBox, "Frame4", 2160, 300, 1095, 285, "n2", nullptr, nullptr, 0, 20},
    {"Text8(2)", Kind::TextBox, "Frame4", 3360, 300, 1095, 285, "n3", nullptr, nullptr, 0, 20},
    {"Label13", Kind::Label, "Frame4", 240, 720, 3000, 255, "Norm of Unit (Normal) Vector",
     "μέτρο μοναδιαίου διανύσματος", "Text10"},
    {"Text10", Kind::TextBox, "Frame4", 3360, 690, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Frame5", Kind::Frame, "SSTab1(2)", 120, 1740, 6600, 1140, "Stress Vector for nj",
     "Συνιστώσες διανύσματος τάσης στο ηj"},
    {"Label10", Kind::Label, "Frame5", 240, 330, 660, 255, "s' ij", "σ' i ="},
    {"Text9(0)", Kind::TextBox, "Frame5", 960, 300, 1095, 285, "s' 1", "σ' 1", nullptr, kResult},
    {"Text9(1)", Kind::TextBox, "Frame5", 2160, 300, 1095, 285, "s' 2", "σ' 2", nullptr, kResult},
    {"Text9(2)", Kind::TextBox, "Frame5", 3360, 300, 1095, 285, "s' 3", "σ' 3", nullptr, kResult},
    {"Label12", Kind::Label, "Frame5", 240, 720, 3000, 255, "Norm of Stress Vector", "μέτρο διανύσματος τάσης",
     "txtStress"},
    {"txtStress", Kind::TextBox, "Frame5", 3360, 690, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Frame3", Kind::Frame, "SSTab1(2)", 120, 3000, 6600, 1140, "Normal and Shear Components of Stress Vector",
     "Ορθή και διατμητική συνιστώσα στο nj"},
    {"Label18", Kind::Label, "Frame3", 240, 330, 3000, 255, "Normal Component", "Ορθή συνιστώσα", "txtNormal"},
    {"txtNormal", Kind::TextBox, "Frame3", 3360, 300, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"Label11", Kind::Label, "Frame3", 240, 720, 3000, 255, "Shear Component (+/-)", "Διατμητική συνιστώσα (+/-)",
     "txtShear"},
    {"txtShear", Kind::TextBox, "Frame3", 3360, 690, 1095, 285, nullptr, nullptr, nullptr, kResult},

    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 2400, 4800, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3840, 4800, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5280, 4800, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

QString Indexed(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

// The complex-roots notice, in Greek in both languages.
const char* const kComplexRootsNotice = "Μιγαδικές\nρίζες!\n";

}  // namespace

frm3DPrinc::frm3DPrinc(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frm3DPrinc"));
  Build(kForm, kControls);
  for (int k = 0; k < 9; ++k) {
    ui_.tensor[k] = Require<QLineEdit>(Indexed("Text1", k));
    ui_.deviator[k] = Require<QLineEdit>(Indexed("txtDevTens", k));
  }
  for (int i = 0; i < 3; ++i) {
    ui_.normal[i] = Require<QLineEdit>(Indexed("Text8", i));
    ui_.traction[i] = Require<QLineEdit>(Indexed("Text9", i));
  }
  ui_.principal = {Require<QLineEdit>(u"Text2"), Require<QLineEdit>(u"Text3"), Require<QLineEdit>(u"Text4")};
  ui_.invariant = {Require<QLineEdit>(u"Text5"), Require<QLineEdit>(u"Text6"), Require<QLineEdit>(u"Text7")};
  ui_.deviatorInvariant = {Require<QLineEdit>(u"Text14"), Require<QLineEdit>(u"Text15"),
                           Require<QLineEdit>(u"Text16")};
  ui_.normOfNormal = Require<QLineEdit>(u"Text10");
  ui_.normOfTraction = Require<QLineEdit>(u"txtStress");
  ui_.normalComponent = Require<QLineEdit>(u"txtNormal");
  ui_.shear = Require<QLineEdit>(u"txtShear");
  ui_.complexNotice = Require<QLabel>(u"Label8");
  ui_.bracket = {Require<QWidget>(u"Line7"), Require<QWidget>(u"Line8"), Require<QWidget>(u"Line9")};
  ui_.atPlane = Require<QCheckBox>(u"Check1");
  ui_.deviatoric = Require<QCheckBox>(u"Check2");
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
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

  WireButtons(Require<QPushButton>(u"CmdOk"), Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (int k = 0; k < 9; ++k) {
    connect(ui_.tensor[k], &QLineEdit::textChanged, this, [this, k] { Text1_Change(k); });
  }
  for (QLineEdit* box : ui_.normal) connect(box, &QLineEdit::textChanged, this, &frm3DPrinc::Text8_Change);
  connect(ui_.atPlane, &QCheckBox::toggled, this, &frm3DPrinc::Check1_Click);
  connect(ui_.deviatoric, &QCheckBox::toggled, this, &frm3DPrinc::Check2_Click);

  Form_Load();
}

frm3DPrinc::~frm3DPrinc() = default;

void frm3DPrinc::Form_Load() {
  forms::ShowResult(ui_.normOfTraction, QStringLiteral("0"));
  LoadInputs();
  Check2_Click();
  if (ValidateInput()) {
    CalcNormOfNormal();
    CalcStress3D();
  }
  AddHistoryLine(Tr({"Stress calculations in three dimensions.",
                     "Υπολογισμός κυρίων τάσεων σε τρεις διαστάσεις."}));
  ui_.tabs->setCurrentIndex(kTensorTab);
}

void frm3DPrinc::LoadFromProject() {
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
  ui_.atPlane->setChecked(stress_.AtGivenPlane == 1);
  Check1_Click();
}

bool frm3DPrinc::ValidateInput() { return inputs_.Validate(); }

void frm3DPrinc::Text1_Change(int index) {
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
  if (loading_) return;
  if (ValidateInput()) CalcStress3D();
}

void frm3DPrinc::Text8_Change() {
  if (loading_) return;
  if (ValidateInput() && CalcNormOfNormal()) CalcStress3D();
}

void frm3DPrinc::Check1_Click() {
  const bool on = ui_.atPlane->isChecked();
  ui_.tabs->setTabVisible(kPlaneTab, on);
  stress_.AtGivenPlane = on ? 1 : 0;
  // The plane's results were left alone while the box was clear; they are
  // brought up to date as the page comes back.
  if (on && !loading_ && ValidateInput() && CalcNormOfNormal()) CalcStress3D();
}

void frm3DPrinc::Check2_Click() { ui_.tabs->setTabVisible(kDeviatorTab, ui_.deviatoric->isChecked()); }

bool frm3DPrinc::CalcNormOfNormal() {
  return forms::Calculate({ui_.normOfNormal}, [this] {
    forms::ShowResult(ui_.normOfNormal, FormatGeneral(NormOfNormal(stress_.Normal)));
  });
}

bool frm3DPrinc::CalcStress3D() {
  return forms::Calculate(
      {ui_.principal[0], ui_.principal[1], ui_.principal[2], ui_.invariant[0], ui_.invariant[1], ui_.invariant[2],
       ui_.deviator[0], ui_.deviator[1], ui_.deviator[2], ui_.deviator[3], ui_.deviator[4], ui_.deviator[5],
       ui_.deviator[6], ui_.deviator[7], ui_.deviator[8], ui_.deviatorInvariant[0], ui_.deviatorInvariant[1],
       ui_.deviatorInvariant[2], ui_.traction[0], ui_.traction[1], ui_.traction[2], ui_.normOfTraction,
       ui_.normalComponent, ui_.shear},
      [this] {
        const Stress3DResults r = brantel::CalcStress3D(stress_.Tensor, stress_.Normal, ui_.atPlane->isChecked());
        for (int k = 0; k < 9; ++k) forms::ShowResult(ui_.deviator[k], FormatGeneral(r.Deviator.Tensor[k / 3][k % 3]));
        const std::array<float, 3> invariants = {r.Invariants.I1, r.Invariants.I2, r.Invariants.I3};
        const std::array<float, 3> deviatorInvariants = {r.Deviator.J1, r.Deviator.J2, r.Deviator.J3};
        for (int i = 0; i < 3; ++i) {
          forms::ShowResult(ui_.invariant[i], invariants[i], kStress3DMask);
          forms::ShowResult(ui_.deviatorInvariant[i], deviatorInvariants[i], kStress3DMask);
        }
        if (r.PlaneComputed) {
          for (int i = 0; i < 3; ++i) forms::ShowResult(ui_.traction[i], FormatGeneral(r.Plane.Traction[i]));
          forms::ShowResult(ui_.normalComponent, FormatGeneral(r.Plane.Normal));
          forms::ShowResult(ui_.normOfTraction, FormatGeneral(r.Plane.Norm));
          forms::ShowResult(ui_.shear, r.Plane.ShearError ? kShearErrorText.toString() : FormatGeneral(r.Plane.Shear));
        }
        StoreResults(r, stress_);
        ShowPrincipalStresses(r.Principal.S, r.Principal.ComplexRoots);
      },
      [this] { ShowComplexRoots(false); });
}

void frm3DPrinc::ShowPrincipalStresses(const Vector3& roots, bool complexRoots) {
  forms::ShowResult(ui_.principal[0], roots[0], kStress3DMask);
  for (int i = 1; i < 3; ++i) forms::ShowResult(ui_.principal[i], complexRoots ? QString() : Format(roots[i], kStress3DMask));
  ShowComplexRoots(complexRoots);
}

void frm3DPrinc::ShowComplexRoots(bool shown) {
  QPalette palette = resultPalette_;
  if (shown) {
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, Qt::red);
  }
  for (int i = 1; i < 3; ++i) ui_.principal[i]->setPalette(palette);
  ui_.complexNotice->setText(shown ? QString::fromUtf8(kComplexRootsNotice) : QString());
  for (QWidget* line : ui_.bracket) line->setVisible(shown);
}

void frm3DPrinc::CommitToProject() {
  Project.Stress3D = stress_;
  MarkProjectChanged();
}

}  // namespace brantel
