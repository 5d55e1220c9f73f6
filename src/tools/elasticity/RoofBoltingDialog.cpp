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

constexpr forms::FormDesign kForm{.name = "frmBolt",
                                  .width = 9600,
                                  .height = 6270,
                                  .caption = {"Calculation of Roof Bolting Density", "Υπολογισμοί κοχλιώσεων"}};

// Each box sits at its row's top with its label beside it; the labels
// leave room for two lines of caption.
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = roofbolting::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 9360, 5520}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = roofbolting::kTabs, .caption = {"Roof Bolting Density", "Πυκνότητα κοχλίωσης"}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = roofbolting::kTabs, .caption = {"Tensile Strength of Anchor", "Αντοχή σε εφελκυσμό"}},
    // Tab 0: the bolt density.
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {120, 480, 4560, 4020}, .caption = {"Input Data", "Δεδομένα"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame1", .at = {120, 330, 2880, 420}, .caption = {"Steel Strength (MPa)", "Αντοχή χάλυβα (MPa)"}, .partner = roofbolting::kSteelStrength},
    {.name = roofbolting::kSteelStrength, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame1", .at = {120, 840, 2880, 420}, .caption = {"Bolt Diameter (mm)", "Διάμετρος κοχλία (mm)"}, .partner = roofbolting::kBoltDiameter},
    {.name = roofbolting::kBoltDiameter, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 810, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame1", .at = {120, 1350, 2880, 420}, .caption = {"Bolt Length (m)", "Μήκος κοχλία (m)"}, .partner = roofbolting::kBoltLength},
    {.name = roofbolting::kBoltLength, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 1320, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label4", .kind = Kind::Label, .container = "Frame1", .at = {120, 1860, 2880, 420}, .caption = {"Bolt SF", "Συντελεστής ασφάλειας"}, .partner = roofbolting::kSafetyFactor},
    {.name = roofbolting::kSafetyFactor, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 1830, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame1", .at = {120, 2370, 2880, 420}, .caption = {"Supported Rock Height (m)", "Υψος μάζας πετρώματος (m)"}, .partner = roofbolting::kRockHeight},
    {.name = roofbolting::kRockHeight, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 2340, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame1", .at = {120, 2880, 2880, 420}, .caption = {"Unit Weight of Rock (kN/m3)", "Μοναδιαίο βάρος πετρώματος (kN/m3)"}, .partner = roofbolting::kUnitWeight},
    {.name = roofbolting::kUnitWeight, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 2850, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame1", .at = {120, 3390, 2880, 420}, .caption = {"Opening width (m)", "Πλάτος ανοίγματος (m)"}, .partner = roofbolting::kOpeningWidth},
    {.name = roofbolting::kOpeningWidth, .kind = Kind::TextBox, .container = "Frame1", .at = {3060, 3360, 1335, 285}, .maxLength = kInputLength},
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {4800, 480, 4440, 4020}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label11", .kind = Kind::Label, .container = "Frame2", .at = {120, 330, 2760, 420}, .caption = {"Maximum Rock Bolt Load (kN)", "Μέγιστο φορτίο κοχλία (kN)"}, .partner = roofbolting::kMaxLoad},
    {.name = roofbolting::kMaxLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 300, 1335, 285}, .flags = kResult},
    {.name = "Label12", .kind = Kind::Label, .container = "Frame2", .at = {120, 840, 2760, 420}, .caption = {"Design Rock Bolt Load (kN)", "Φορτίο κοχλία σχεδιασμού (kN)"}, .partner = roofbolting::kDesignLoad},
    {.name = roofbolting::kDesignLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 810, 1335, 285}, .flags = kResult},
    {.name = "Label13", .kind = Kind::Label, .container = "Frame2", .at = {120, 1350, 2760, 420}, .caption = {"Overburden Stress (kPa)", "Τάση υπερκειμένων (kPa)"}, .partner = roofbolting::kOverburden},
    {.name = roofbolting::kOverburden, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 1320, 1335, 285}, .flags = kResult},
    {.name = "Label14", .kind = Kind::Label, .container = "Frame2", .at = {120, 1860, 2760, 420}, .caption = {"Bolt Density (bolts/m2)", "Πυκνότητα κοχλίωσης (κοχλίες/m2)"}, .partner = roofbolting::kBoltsPerArea},
    {.name = roofbolting::kBoltsPerArea, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 1830, 1335, 285}, .flags = kResult},
    {.name = "Label15", .kind = Kind::Label, .container = "Frame2", .at = {120, 2370, 2760, 420}, .caption = {"Bolt Density (m2/bolt)", "Πυκνότητα κοχλίωσης (m2/κοχλία)"}, .partner = roofbolting::kAreaPerBolt},
    {.name = roofbolting::kAreaPerBolt, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 2340, 1335, 285}, .flags = kResult},
    {.name = "Label16", .kind = Kind::Label, .container = "Frame2", .at = {120, 2880, 2760, 420}, .caption = {"Bolt Density (bolts/unit section)", "Πυκνότητα κοχλίωσης (κοχλίες/m διατομής)"}, .partner = roofbolting::kBoltsPerSection},
    {.name = roofbolting::kBoltsPerSection, .kind = Kind::TextBox, .container = "Frame2", .at = {2940, 2850, 1335, 285}, .flags = kResult},
    {.name = roofbolting::kHeightWarning, .kind = Kind::Label, .container = "Frame2", .at = {120, 3390, 4200, 420}},
    // Tab 1: the anchor.
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {120, 480, 4560, 4920}, .caption = {"Input Data", "Δεδομένα"}},
    {.name = "Label21", .kind = Kind::Label, .container = "Frame3", .at = {120, 330, 2880, 420}, .caption = {"Bolt Diameter (mm)", "Διάμετρος κοχλία (mm)"}, .partner = roofbolting::kAnchorDiameter},
    {.name = roofbolting::kAnchorDiameter, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label22", .kind = Kind::Label, .container = "Frame3", .at = {120, 830, 2880, 420}, .caption = {"Bolt Length (m)", "Μήκος κοχλία (m)"}, .partner = roofbolting::kBondedLength},
    {.name = roofbolting::kBondedLength, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 800, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label23", .kind = Kind::Label, .container = "Frame3", .at = {120, 1330, 2880, 420}, .caption = {"Hole Diameter (mm)", "Διάμετρος διατρήματος (mm)"}, .partner = roofbolting::kHoleDiameter},
    {.name = roofbolting::kHoleDiameter, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 1300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label24", .kind = Kind::Label, .container = "Frame3", .at = {120, 1830, 2880, 420}, .caption = {"Cohesion of Bolt / Resin Interface (kPa)", "Συνοχή διεπιφάνειας κοχλία / ενέμα (kPa)"}, .partner = roofbolting::kBoltResinCohesion},
    {.name = roofbolting::kBoltResinCohesion, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 1800, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label25", .kind = Kind::Label, .container = "Frame3", .at = {120, 2330, 2880, 420}, .caption = {"Friction Angle of Bolt / Resin Interface (deg)", "Γων. τριβής διεπιφάνειας κοχλία / ενέμα"}, .partner = roofbolting::kBoltResinFriction},
    {.name = roofbolting::kBoltResinFriction, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 2300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label26", .kind = Kind::Label, .container = "Frame3", .at = {120, 2830, 2880, 420}, .caption = {"Cohesion of Resin / Rock Interface (kPa)", "Συνοχή διεπιφάνειας  ενέμα / πετρωμα (kPa)"}, .partner = roofbolting::kResinRockCohesion},
    {.name = roofbolting::kResinRockCohesion, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 2800, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label27", .kind = Kind::Label, .container = "Frame3", .at = {120, 3330, 2880, 420}, .caption = {"Friction of Resin / Rock Interface (deg)", "Γων. τριβής διεπιφάνειας ενέμα / πέτρωμα"}, .partner = roofbolting::kResinRockFriction},
    {.name = roofbolting::kResinRockFriction, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 3300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label28", .kind = Kind::Label, .container = "Frame3", .at = {120, 3830, 2880, 420}, .caption = {"Normal Stress (kPa)", "Πλευρική Τάση (kPa)"}, .partner = roofbolting::kNormalStress},
    {.name = roofbolting::kNormalStress, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 3800, 1335, 285}, .maxLength = kInputLength},
    {.name = "Label29", .kind = Kind::Label, .container = "Frame3", .at = {120, 4330, 2880, 420}, .caption = {"Safety Factor", "Συντελεστής Ασφάλειας"}, .partner = roofbolting::kAnchorSafetyFactor},
    {.name = roofbolting::kAnchorSafetyFactor, .kind = Kind::TextBox, .container = "Frame3", .at = {3060, 4300, 1335, 285}, .maxLength = kInputLength},
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {4800, 480, 4440, 2280}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label31", .kind = Kind::Label, .container = "Frame4", .at = {120, 330, 2760, 420}, .caption = {"Load at B/R Interface (kN)", "Φορτίο Διεπιφάνειας Κ/Ε (kN)"}, .partner = roofbolting::kBoltResinLoad},
    {.name = roofbolting::kBoltResinLoad, .kind = Kind::TextBox, .container = "Frame4", .at = {2940, 300, 1335, 285}, .flags = kResult},
    {.name = "Label32", .kind = Kind::Label, .container = "Frame4", .at = {120, 830, 2760, 420}, .caption = {"Load at R/R Interface (kN)", "Φορτίο Διεπιφάνειας Ε/Π (kN)"}, .partner = roofbolting::kResinRockLoad},
    {.name = roofbolting::kResinRockLoad, .kind = Kind::TextBox, .container = "Frame4", .at = {2940, 800, 1335, 285}, .flags = kResult},
    {.name = "Label33", .kind = Kind::Label, .container = "Frame4", .at = {120, 1330, 2760, 420}, .caption = {"Maximum Bolt Load (kN)", "Μέγιστο φορτίο κοχλία (kN)"}, .partner = roofbolting::kSteelLoad},
    {.name = roofbolting::kSteelLoad, .kind = Kind::TextBox, .container = "Frame4", .at = {2940, 1300, 1335, 285}, .flags = kResult},
    {.name = "Label34", .kind = Kind::Label, .container = "Frame4", .at = {120, 1830, 2760, 420}, .caption = {"Design Bolt Load (kN)", "Φορτίο Σχεδιασμού (kN)"}, .partner = roofbolting::kAnchorDesignLoad},
    {.name = roofbolting::kAnchorDesignLoad, .kind = Kind::TextBox, .container = "Frame4", .at = {2940, 1800, 1335, 285}, .flags = kResult},
    // Buttons.
    {.name = roofbolting::kHelp, .kind = Kind::Button, .at = {5040, 5760, 1215, 375}, .caption = {"Help"}},
    {.name = roofbolting::kCancel, .kind = Kind::Button, .at = {6480, 5760, 1215, 375}, .caption = {"Cancel"}},
    {.name = roofbolting::kOk, .kind = Kind::Button, .at = {7920, 5760, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The input boxes in BoltBox order.
constexpr const char* kInputNames[kBoltBoxCount] = {
    roofbolting::kSteelStrength,     roofbolting::kBoltDiameter,      roofbolting::kBoltLength,
    roofbolting::kSafetyFactor,      roofbolting::kRockHeight,        roofbolting::kUnitWeight,
    roofbolting::kOpeningWidth,      roofbolting::kAnchorDiameter,    roofbolting::kBondedLength,
    roofbolting::kHoleDiameter,      roofbolting::kBoltResinCohesion, roofbolting::kBoltResinFriction,
    roofbolting::kResinRockCohesion, roofbolting::kResinRockFriction, roofbolting::kNormalStress,
    roofbolting::kAnchorSafetyFactor};

// The record's fields in the same order.
float* const kFields[kBoltBoxCount] = {&Project.BoltStrength,      &Project.BoltDiameter,
                                       &Project.BoltLength,        &Project.BoltSF,
                                       &Project.BoltHeight,        &Project.BoltUnit,
                                       &Project.BoltWidth,         &Project.BoltAnchorDiameter,
                                       &Project.BoltBondedLength,  &Project.BoltHoleDiameter,
                                       &Project.BoltResinCohesion, &Project.BoltResinFriction,
                                       &Project.ResinRockCohesion, &Project.ResinRockFriction,
                                       &Project.BoltNormalStress,  &Project.BoltAnchorSafetyFactor};

// A stored value as the plain number text that reads back to it. The box
// holds the number of that text, as if it had been typed, so that the
// results are those of the text shown (a stored 0.1 computes as 0.1, not as
// 0.100000001...); it rounds back to the stored 32-bit value.
void ShowStoredPlain(QLineEdit* box, float stored) {
  const QString text = FormatShortest(stored);
  const double typed = ParseLeadingNumber(text);
  forms::ShowStoredValue(box, static_cast<float>(typed) == stored ? typed : static_cast<double>(stored), text);
}

}  // namespace

RoofBoltingDialog::RoofBoltingDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) ui_.inputs[i] = Require<QLineEdit>(kInputNames[i]);
  ui_.maxLoad = Require<QLineEdit>(roofbolting::kMaxLoad);
  ui_.designLoad = Require<QLineEdit>(roofbolting::kDesignLoad);
  ui_.overburden = Require<QLineEdit>(roofbolting::kOverburden);
  ui_.boltsPerArea = Require<QLineEdit>(roofbolting::kBoltsPerArea);
  ui_.areaPerBolt = Require<QLineEdit>(roofbolting::kAreaPerBolt);
  ui_.boltsPerSection = Require<QLineEdit>(roofbolting::kBoltsPerSection);
  ui_.heightWarning = Require<QLabel>(roofbolting::kHeightWarning);
  ui_.boltResinLoad = Require<QLineEdit>(roofbolting::kBoltResinLoad);
  ui_.resinRockLoad = Require<QLineEdit>(roofbolting::kResinRockLoad);
  ui_.steelLoad = Require<QLineEdit>(roofbolting::kSteelLoad);
  ui_.anchorDesignLoad = Require<QLineEdit>(roofbolting::kAnchorDesignLoad);
  ui_.tabs = Require<QTabWidget>(roofbolting::kTabs);

  WireButtons(Require<QPushButton>(roofbolting::kOk), Require<QPushButton>(roofbolting::kCancel),
              Require<QPushButton>(roofbolting::kHelp));
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) {
    const bool first = TabOf(static_cast<BoltBox>(i)) == 0;
    connect(ui_.inputs[i], &QLineEdit::textChanged, this,
            first ? &RoofBoltingDialog::OnDensityInputEdited : &RoofBoltingDialog::OnAnchorInputEdited);
  }

  OnLoad();
}

RoofBoltingDialog::~RoofBoltingDialog() = default;

void RoofBoltingDialog::OnLoad() {
  LoadInputs();
  ShowBoltDensity();
  ShowAnchorCapacity();
  AddHistoryLine(Tr({"Evaluation of roof bolting capacity.", "Αξιολόγηση κοχλίωσης."}));
  ui_.tabs->setCurrentIndex(0);
}

void RoofBoltingDialog::LoadFromProject() {
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) ShowStoredPlain(ui_.inputs[i], *kFields[i]);
}

BoltReadings RoofBoltingDialog::ReadBoxes() const {
  BoltReadings readings;
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) readings[i] = forms::LeadingValue(ui_.inputs[i]);
  return readings;
}

void RoofBoltingDialog::OnDensityInputEdited() {
  if (loading_) return;
  ShowBoltDensity();
  ShowAnchorCapacity();
}

void RoofBoltingDialog::OnAnchorInputEdited() {
  if (loading_) return;
  ShowAnchorCapacity();
}

void RoofBoltingDialog::ShowBoltDensity() {
  density_ = CalcBoltDensity(DensityInputsOf(ReadBoxes()));
  ui_.heightWarning->setText(density_.HeightWarning ? QString::fromUtf8(kBoltHeightWarning) : QString());
  forms::ShowResult(ui_.maxLoad, density_.MaxLoad, kBoltLoadMask);
  forms::ShowResult(ui_.designLoad, density_.DesignLoad, kBoltLoadMask);
  forms::ShowResult(ui_.overburden, density_.Overburden ? FormatGeneral(*density_.Overburden) : QString());
  forms::ShowResult(ui_.boltsPerArea, density_.BoltsPerArea, kBoltDensityMask);
  forms::ShowResult(ui_.areaPerBolt, density_.AreaPerBolt, kBoltDensityMask);
  forms::ShowResult(ui_.boltsPerSection, density_.BoltsPerSection, kBoltDensityMask);
  forms::ShowResult(ui_.steelLoad, density_.MaxLoad, kBoltLoadMask);
}

void RoofBoltingDialog::ShowAnchorCapacity() {
  const AnchorCapacity anchor = CalcAnchorCapacity(AnchorInputsOf(ReadBoxes()), density_);
  forms::ShowResult(ui_.boltResinLoad, anchor.BoltResinLoad, kAnchorMask);
  forms::ShowResult(ui_.resinRockLoad, anchor.ResinRockLoad, kAnchorMask);
  forms::ShowResult(ui_.anchorDesignLoad, anchor.DesignLoad, kAnchorMask);
}

bool RoofBoltingDialog::ValidateInput() {
  // Not the usual refusal of the first box in order: the boxes of the bolt
  // density are first checked together for a text that is no number, with
  // one message for them all that leaves the focus where it was; then the
  // values of every box (RoofBolting.h), a refusal shown in its box on its
  // tab.
  for (std::size_t i = 0; i < kBoltNumericBoxes; ++i) {
    if (!forms::EntryValue(ui_.inputs[i])) {
      ShowInputMessage(kBoltNotNumeric);
      return false;
    }
  }
  const BoltReadings readings = ReadBoxes();
  if (const std::optional<BoltRefusal> refusal = CheckBoltValues(readings)) {
    ui_.tabs->setCurrentIndex(TabOf(refusal->Box));
    return forms::RefuseEntry(Box(refusal->Box), refusal->Message);
  }
  // Every value fits its 32-bit field.
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) accepted_[i] = static_cast<float>(*readings[i]);
  return true;
}

void RoofBoltingDialog::CommitToProject() {
  for (std::size_t i = 0; i < kBoltBoxCount; ++i) *kFields[i] = accepted_[i];
  MarkProjectChanged();
}

}  // namespace brantel
