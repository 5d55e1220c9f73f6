#include "tools/elasticity/RoofBoltingDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormInputs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <optional>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 20;

constexpr forms::FormDesign kForm{9600, 6270, "Calculation of Roof Bolting Density", "Υπολογισμοί κοχλιώσεων"};

// Each box sits at its row's top with its label beside it; the labels
// leave room for two lines of caption.
constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 9360, 5520},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Roof Bolting Density", "Πυκνότητα κοχλίωσης"},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Tensile Strength of Anchor", "Αντοχή σε εφελκυσμό"},
    // Tab 0: the bolt density.
    {"Frame1", Kind::Frame, "SSTab1(0)", 120, 480, 4560, 4020, "Input Data", "Δεδομένα"},
    {"Label1", Kind::Label, "Frame1", 120, 330, 2880, 420, "Steel Strength (MPa)",
     "Αντοχή χάλυβα (MPa)", "txtStrength"},
    {"txtStrength", Kind::TextBox, "Frame1", 3060, 300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label2", Kind::Label, "Frame1", 120, 840, 2880, 420, "Bolt Diameter (mm)",
     "Διάμετρος κοχλία (mm)", "txtDiameter"},
    {"txtDiameter", Kind::TextBox, "Frame1", 3060, 810, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label3", Kind::Label, "Frame1", 120, 1350, 2880, 420, "Bolt Length (m)",
     "Μήκος κοχλία (m)", "txtLength"},
    {"txtLength", Kind::TextBox, "Frame1", 3060, 1320, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label4", Kind::Label, "Frame1", 120, 1860, 2880, 420, "Bolt SF",
     "Συντελεστής ασφάλειας", "txtSF"},
    {"txtSF", Kind::TextBox, "Frame1", 3060, 1830, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label5", Kind::Label, "Frame1", 120, 2370, 2880, 420, "Supported Rock Height (m)",
     "Υψος μάζας πετρώματος (m)", "txtHeight"},
    {"txtHeight", Kind::TextBox, "Frame1", 3060, 2340, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label6", Kind::Label, "Frame1", 120, 2880, 2880, 420, "Unit Weight of Rock (kN/m3)",
     "Μοναδιαίο βάρος πετρώματος (kN/m3)", "txtUnit"},
    {"txtUnit", Kind::TextBox, "Frame1", 3060, 2850, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label7", Kind::Label, "Frame1", 120, 3390, 2880, 420, "Opening width (m)",
     "Πλάτος ανοίγματος (m)", "txtWidth"},
    {"txtWidth", Kind::TextBox, "Frame1", 3060, 3360, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Frame2", Kind::Frame, "SSTab1(0)", 4800, 480, 4440, 4020, "Results", "Αποτελέσματα"},
    {"Label11", Kind::Label, "Frame2", 120, 330, 2760, 420, "Maximum Rock Bolt Load (kN)",
     "Μέγιστο φορτίο κοχλία (kN)", "txtDynami"},
    {"txtDynami", Kind::TextBox, "Frame2", 2940, 300, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label12", Kind::Label, "Frame2", 120, 840, 2760, 420, "Design Rock Bolt Load (kN)",
     "Φορτίο κοχλία σχεδιασμού (kN)", "txtDesign"},
    {"txtDesign", Kind::TextBox, "Frame2", 2940, 810, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label13", Kind::Label, "Frame2", 120, 1350, 2760, 420, "Overburden Stress (kPa)",
     "Τάση υπερκειμένων (kPa)", "txtOver"},
    {"txtOver", Kind::TextBox, "Frame2", 2940, 1320, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label14", Kind::Label, "Frame2", 120, 1860, 2760, 420, "Bolt Density (bolts/m2)",
     "Πυκνότητα κοχλίωσης (κοχλίες/m2)", "txtDensity"},
    {"txtDensity", Kind::TextBox, "Frame2", 2940, 1830, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label15", Kind::Label, "Frame2", 120, 2370, 2760, 420, "Bolt Density (m2/bolt)",
     "Πυκνότητα κοχλίωσης (m2/κοχλία)", "txtDensity1"},
    {"txtDensity1", Kind::TextBox, "Frame2", 2940, 2340, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label16", Kind::Label, "Frame2", 120, 2880, 2760, 420, "Bolt Density (bolts/unit section)",
     "Πυκνότητα κοχλίωσης (κοχλίες/m διατομής)", "txtDensity2"},
    {"txtDensity2", Kind::TextBox, "Frame2", 2940, 2850, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label8", Kind::Label, "Frame2", 120, 3390, 4200, 420},
    // Tab 1: the anchor.
    {"Frame3", Kind::Frame, "SSTab1(1)", 120, 480, 4560, 4920, "Input Data", "Δεδομένα"},
    {"Label21", Kind::Label, "Frame3", 120, 330, 2880, 420, "Bolt Diameter (mm)",
     "Διάμετρος κοχλία (mm)", "txtDiam2"},
    {"txtDiam2", Kind::TextBox, "Frame3", 3060, 300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label22", Kind::Label, "Frame3", 120, 830, 2880, 420, "Bolt Length (m)",
     "Μήκος κοχλία (m)", "txtLength2"},
    {"txtLength2", Kind::TextBox, "Frame3", 3060, 800, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label23", Kind::Label, "Frame3", 120, 1330, 2880, 420, "Hole Diameter (mm)",
     "Διάμετρος διατρήματος (mm)", "txtDiamHole"},
    {"txtDiamHole", Kind::TextBox, "Frame3", 3060, 1300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label24", Kind::Label, "Frame3", 120, 1830, 2880, 420, "Cohesion of Bolt / Resin Interface (kPa)",
     "Συνοχή διεπιφάνειας κοχλία / ενέμα (kPa)", "txtCo1"},
    {"txtCo1", Kind::TextBox, "Frame3", 3060, 1800, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label25", Kind::Label, "Frame3", 120, 2330, 2880, 420, "Friction Angle of Bolt / Resin Interface (deg)",
     "Γων. τριβής διεπιφάνειας κοχλία / ενέμα", "txtPhi1"},
    {"txtPhi1", Kind::TextBox, "Frame3", 3060, 2300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label26", Kind::Label, "Frame3", 120, 2830, 2880, 420, "Cohesion of Resin / Rock Interface (kPa)",
     "Συνοχή διεπιφάνειας  ενέμα / πετρωμα (kPa)", "txtCo2"},
    {"txtCo2", Kind::TextBox, "Frame3", 3060, 2800, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label27", Kind::Label, "Frame3", 120, 3330, 2880, 420, "Friction of Resin / Rock Interface (deg)",
     "Γων. τριβής διεπιφάνειας ενέμα / πέτρωμα", "txtPhi2"},
    {"txtPhi2", Kind::TextBox, "Frame3", 3060, 3300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label28", Kind::Label, "Frame3", 120, 3830, 2880, 420, "Normal Stress (kPa)",
     "Πλευρική Τάση (kPa)", "txtS2"},
    {"txtS2", Kind::TextBox, "Frame3", 3060, 3800, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label29", Kind::Label, "Frame3", 120, 4330, 2880, 420, "Safety Factor",
     "Συντελεστής Ασφάλειας", "txtSF1"},
    {"txtSF1", Kind::TextBox, "Frame3", 3060, 4300, 1335, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Frame4", Kind::Frame, "SSTab1(1)", 4800, 480, 4440, 2280, "Results", "Αποτελέσματα"},
    {"Label31", Kind::Label, "Frame4", 120, 330, 2760, 420, "Load at B/R Interface (kN)",
     "Φορτίο Διεπιφάνειας Κ/Ε (kN)", "Text1"},
    {"Text1", Kind::TextBox, "Frame4", 2940, 300, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label32", Kind::Label, "Frame4", 120, 830, 2760, 420, "Load at R/R Interface (kN)",
     "Φορτίο Διεπιφάνειας Ε/Π (kN)", "Text2"},
    {"Text2", Kind::TextBox, "Frame4", 2940, 800, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label33", Kind::Label, "Frame4", 120, 1330, 2760, 420, "Maximum Bolt Load (kN)",
     "Μέγιστο φορτίο κοχλία (kN)", "Text4"},
    {"Text4", Kind::TextBox, "Frame4", 2940, 1300, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Label34", Kind::Label, "Frame4", 120, 1830, 2760, 420, "Design Bolt Load (kN)",
     "Φορτίο Σχεδιασμού (kN)", "Text3"},
    {"Text3", Kind::TextBox, "Frame4", 2940, 1800, 1335, 285, nullptr, nullptr, nullptr, kResult},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 5040, 5760, 1215, 375, "Help"},
    {"btnCancel", Kind::Button, nullptr, 6480, 5760, 1215, 375, "Cancel"},
    {"btnOk", Kind::Button, nullptr, 7920, 5760, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

// The input boxes in the order of BoltInputs.
constexpr const char16_t* kInputNames[kBoltBoxCount] = {
    u"txtStrength", u"txtDiameter", u"txtLength", u"txtSF",   u"txtHeight", u"txtUnit",
    u"txtWidth",    u"txtDiam2",    u"txtLength2", u"txtDiamHole", u"txtCo1", u"txtPhi1",
    u"txtCo2",      u"txtPhi2",     u"txtS2",      u"txtSF1"};

// The record's fields in the same order.
float* const kFields[kBoltBoxCount] = {
    &Project.BoltStrength, &Project.BoltDiameter, &Project.BoltLength, &Project.BoltSF,
    &Project.BoltHeight,   &Project.BoltUnit,     &Project.BoltWidth,  &Project.BoltDiam2,
    &Project.BoltLength2,  &Project.BoltDiamHole, &Project.BoltCo1,    &Project.BoltPhi1,
    &Project.BoltCo2,      &Project.BoltPhi2,     &Project.BoltS2,     &Project.BoltSF1};

}  // namespace

frmBolt::frmBolt(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmBolt"));
  Build(kForm, kControls);
  for (int i = 0; i < kBoltBoxCount; ++i) ui_.inputs[i] = Require<QLineEdit>(kInputNames[i]);
  ui_.maxLoad = Require<QLineEdit>(u"txtDynami");
  ui_.designLoad = Require<QLineEdit>(u"txtDesign");
  ui_.overburden = Require<QLineEdit>(u"txtOver");
  ui_.boltsPerArea = Require<QLineEdit>(u"txtDensity");
  ui_.areaPerBolt = Require<QLineEdit>(u"txtDensity1");
  ui_.boltsPerSection = Require<QLineEdit>(u"txtDensity2");
  ui_.heightWarning = Require<QLabel>(u"Label8");
  ui_.boltResinLoad = Require<QLineEdit>(u"Text1");
  ui_.resinRockLoad = Require<QLineEdit>(u"Text2");
  ui_.steelLoad = Require<QLineEdit>(u"Text4");
  ui_.anchorLoad = Require<QLineEdit>(u"Text3");
  ui_.tabs = Require<QTabWidget>(u"SSTab1");

  WireButtons(Require<QPushButton>(u"btnOk"), Require<QPushButton>(u"btnCancel"), Require<QPushButton>(u"cmdHelp"));
  for (int i = 0; i < kBoltBoxCount; ++i) {
    const bool first = TabOf(static_cast<BoltBox>(i)) == 0;
    connect(ui_.inputs[i], &QLineEdit::textChanged, this, first ? &frmBolt::Density_Change : &frmBolt::Anchor_Change);
  }

  Form_Load();
}

frmBolt::~frmBolt() = default;

void frmBolt::Form_Load() {
  LoadInputs();
  CalcBoltDensity();
  CalcAnchorCapacity();
  AddHistoryLine(Tr({"Evaluation of roof bolting capacity.", "Αξιολόγηση κοχλίωσης."}));
  ui_.tabs->setCurrentIndex(0);
}

void frmBolt::LoadFromProject() {
  // Plain numbers that read back to the stored values.
  for (int i = 0; i < kBoltBoxCount; ++i) forms::ShowStoredValue(ui_.inputs[i], *kFields[i], FormatShortest(*kFields[i]));
}

std::array<QString, kBoltBoxCount> frmBolt::BoxTexts() const {
  std::array<QString, kBoltBoxCount> texts;
  for (int i = 0; i < kBoltBoxCount; ++i) texts[i] = ui_.inputs[i]->text();
  return texts;
}

void frmBolt::Density_Change() {
  if (loading_) return;
  CalcBoltDensity();
  CalcAnchorCapacity();
}

void frmBolt::Anchor_Change() {
  if (loading_) return;
  CalcAnchorCapacity();
}

void frmBolt::CalcBoltDensity() {
  density_ = brantel::CalcBoltDensity(DensityInputsOf(BoxTexts()));
  ui_.heightWarning->setText(density_.HeightWarning ? QString::fromUtf8(kBoltHeightWarning) : QString());
  forms::ShowResult(ui_.maxLoad, density_.MaxLoad, kBoltLoadMask);
  forms::ShowResult(ui_.designLoad, density_.DesignLoad, kBoltLoadMask);
  forms::ShowResult(ui_.overburden, density_.Overburden ? FormatGeneral(*density_.Overburden) : QString());
  forms::ShowResult(ui_.boltsPerArea, density_.BoltsPerArea, kBoltDensityMask);
  forms::ShowResult(ui_.areaPerBolt, density_.AreaPerBolt, kBoltDensityMask);
  forms::ShowResult(ui_.boltsPerSection, density_.BoltsPerSection, kBoltDensityMask);
  forms::ShowResult(ui_.steelLoad, density_.MaxLoad, kBoltLoadMask);
}

void frmBolt::CalcAnchorCapacity() {
  const AnchorCapacity anchor = brantel::CalcAnchorCapacity(AnchorInputsOf(BoxTexts()), density_);
  forms::ShowResult(ui_.boltResinLoad, anchor.BoltResinLoad, kAnchorMask);
  forms::ShowResult(ui_.resinRockLoad, anchor.ResinRockLoad, kAnchorMask);
  forms::ShowResult(ui_.anchorLoad, anchor.DesignLoad, kAnchorMask);
}

bool frmBolt::ValidateInput() {
  const std::optional<BoltInvalid> failed = ValidateRoofBolting(BoxTexts());
  if (!failed) return true;
  const InputMessage message = Sentence(failed->Message);
  if (!failed->Box) {
    // Not a number: the focus stays where it was.
    ShowInputMessage(message);
    return false;
  }
  ui_.tabs->setCurrentIndex(TabOf(*failed->Box));
  return forms::RefuseEntry(Box(*failed->Box), message);
}

void frmBolt::CommitToProject() {
  // The validation of OK has read every box into the 32-bit range.
  for (int i = 0; i < kBoltBoxCount; ++i) *kFields[i] = forms::LeadingValue<float>(ui_.inputs[i]).value();
  MarkProjectChanged();
}

}  // namespace brantel
