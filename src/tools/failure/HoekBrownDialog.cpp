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

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{frmHoek::kNarrowWidth, 6000, "Failure Analysis based on the Hoek Brown Criterion",
                                  "Κριτήριο Hoek - Brown σε υλικό"};

constexpr ControlRow kControls[] = {
    // The stress state, the pore pressure and the plot switch.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 3240, 2100, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 240, 300, 1320, 255, "sx", "σ x", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 240, 660, 1320, 255, "sy", "σ y", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 240, 1020, 1320, 255, "txy", "τ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 1800, 270, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text2", Kind::TextBox, "Frame1", 1800, 630, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text3", Kind::TextBox, "Frame1", 1800, 990, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkPore", Kind::CheckBox, "Frame1", 240, 1410, 255, 255, nullptr, nullptr, "Label4"},
    {"Label4", Kind::Label, "Frame1", 540, 1410, 1200, 255, "Pore Pressure", "Πίεση πόρων", "Text4"},
    {"Text4", Kind::TextBox, "Frame1", 1800, 1380, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkGraph", Kind::CheckBox, "Frame1", 240, 1740, 1500, 255, "Graph", "Γράφημα"},
    // The material: intact rock above, the generalized criterion below.
    {"Frame2", Kind::Frame, nullptr, 120, 2340, 3240, 2790, "Material Parameters", "Παράμετροι υλικού"},
    {"Label5", Kind::Label, "Frame2", 120, 270, 1860, 420, "Uniaxial Compressive Strength (Intact)",
     "Αντοχή ΑΚΕΡΑΙΟΥ σε μονοαξονική θλίψη ", "Text5"},
    {"Label6", Kind::Label, "Frame2", 120, 780, 1860, 255, "Parameter m", "Παράμετρος m", "Text6"},
    {"Label25", Kind::Label, "Frame2", 120, 1140, 1860, 420, "Uniaxial Compressive Strength (Intact-Pieces)",
     "Αντοχή ΤΕΜΑΧΩΝ σε μονοαξονική θλίψη ", "Text25"},
    {"Label26", Kind::Label, "Frame2", 120, 1650, 1860, 255, "Parameter mb", "Παράμετρος mb", "Text26"},
    {"Label27", Kind::Label, "Frame2", 120, 2010, 1860, 255, "Parameter s", "Παράμετρος s", "Text27"},
    {"Label28", Kind::Label, "Frame2", 120, 2370, 1860, 255, "Parameter a", "Παράμετρος a", "Text28"},
    {"Text5", Kind::TextBox, "Frame2", 2040, 300, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text6", Kind::TextBox, "Frame2", 2040, 750, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text25", Kind::TextBox, "Frame2", 2040, 1170, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text26", Kind::TextBox, "Frame2", 2040, 1620, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text27", Kind::TextBox, "Frame2", 2040, 1980, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text28", Kind::TextBox, "Frame2", 2040, 2340, 1035, 285, nullptr, nullptr, nullptr, 0, 20},
    // Principal stresses.
    {"Frame4", Kind::Frame, nullptr, 3480, 120, 2805, 1695, "Principal Stresses", "Κύριες τάσεις"},
    {"lbls1", Kind::Label, "Frame4", 240, 300, 1035, 255, "s1", "σ1", "Text11"},
    {"lblth1", Kind::Label, "Frame4", 240, 630, 1035, 255, "w1(s1)", "θ(σ1)", "Text12"},
    {"lbls2", Kind::Label, "Frame4", 240, 960, 1035, 255, "s2", "σ2", "Text13"},
    {"lblth2", Kind::Label, "Frame4", 240, 1290, 1035, 255, "w2(s2)", "θ(σ2)", "Text14"},
    {"Text11", Kind::TextBox, "Frame4", 1320, 270, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text12", Kind::TextBox, "Frame4", 1320, 600, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text13", Kind::TextBox, "Frame4", 1320, 930, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text14", Kind::TextBox, "Frame4", 1320, 1260, 1335, 285, nullptr, nullptr, nullptr, kResult},
    // The criterion type.
    {"Frame5", Kind::Frame, nullptr, 3480, 1920, 2805, 1020, "Type of Criterion", "Τύπος Κριτηρίου"},
    {"optType(0)", Kind::Option, "Frame5", 240, 300, 2445, 255, "Intact Rock", "Ακέραιο Πέτρωμα"},
    {"optType(1)", Kind::Option, "Frame5", 240, 630, 2445, 255, "Generalized Criterion", "Γενικευμένο Κριτήριο"},
    // The verdicts.
    {"Frame3", Kind::Frame, nullptr, 3480, 3060, 2805, 1215, "Results", "Αποτελέσματα"},
    {"Label8", Kind::Label, "Frame3", 180, 300, 1440, 255, "Failure", "Αστοχία", "Text8"},
    {"Label9", Kind::Label, "Frame3", 180, 690, 1440, 420, "Failure due to Pore Pressure",
     "Αστοχία εξ αιτίας πίεσης πόρων", "Text9"},
    {"Text8", Kind::TextBox, "Frame3", 1680, 270, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Text9", Kind::TextBox, "Frame3", 1680, 720, 975, 285, nullptr, nullptr, nullptr, kResult},
    // The interactive plot, beyond the narrow width.
    {"HScroll1", Kind::HScroll, nullptr, 6960, 240, 3015, 255, "Zoom", "Μεγέθυνση"},
    {"Picture1", Kind::Picture, nullptr, 6480, 720, 4080, 4000},
    {"lblCoord", Kind::Label, nullptr, 6960, 4860, 3255, 495},
    {"lblIntCoord", Kind::Label, nullptr, 6960, 5400, 3255, 495},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 2160, 5400, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3600, 5400, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5040, 5400, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

}  // namespace

frmHoek::frmHoek(QWidget* owner) : PoreCriterionDialog(owner, kNarrowWidth, kWideWidth) {
  setObjectName(QStringLiteral("frmHoek"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("Picture1")) return new PrincipalCriterionPlot(parent);
    return nullptr;
  });
  // The vertical range s2 - R .. s1 + R, whatever the zoom.
  BindPoreCriterionControls(FailurePlot::VerticalRange::Plain);
  ui_.co = Require<QLineEdit>(u"Text5");
  ui_.m = Require<QLineEdit>(u"Text6");
  ui_.coMass = Require<QLineEdit>(u"Text25");
  ui_.mb = Require<QLineEdit>(u"Text26");
  ui_.s = Require<QLineEdit>(u"Text27");
  ui_.a = Require<QLineEdit>(u"Text28");
  ui_.coCaption = Require<QLabel>(u"Label5");
  ui_.mCaption = Require<QLabel>(u"Label6");
  ui_.generalizedCaptions = {Require<QLabel>(u"Label25"), Require<QLabel>(u"Label26"), Require<QLabel>(u"Label27"),
                             Require<QLabel>(u"Label28")};
  ui_.type = Options(u"optType");
  ui_.zoom = Require<QScrollBar>(u"HScroll1");

  WireButtons(Require<QPushButton>(u"CmdOk"), Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.co, ui_.m, ui_.coMass, ui_.mb, ui_.s, ui_.a})
    connect(box, &QLineEdit::textChanged, this, &frmHoek::TextInput_Change);
  for (QRadioButton* option : ui_.type.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) optType_Click();
    });
  }

  OpenCriterion({"Failure Analysis based on the Hoek - Brown criterion.",
                 "Εκτίμηση αστοχίας βάσει του κριτηρίου Hoek - Brown."});
}

frmHoek::~frmHoek() = default;

std::array<QLineEdit*, kHoekBoxCount> frmHoek::Boxes() const {
  return {stressBoxes_.sx, stressBoxes_.sy, stressBoxes_.txy, porePressureBox_, ui_.co, ui_.m, ui_.coMass, ui_.mb,
          ui_.s, ui_.a};
}

void frmHoek::LoadFromProject() {
  // The working copy starts from the project, so that the flags a blank
  // verdict keeps are the project's own.
  stress_ = Project.HoekStress;
  params_ = Project.HoekInput;
  principal_ = Project.HoekPrincipal;
  computed_ = false;
  ShowStressInputs();
  ShowGraphOption();
  ShowPoreInput(params_.UsePore, params_.PorePressure);
  // A type the record cannot hold opens as intact rock.
  forms::SetArrayIndex(ui_.type, params_.CriterionType == 1 ? 1 : 0);
  ShowCriterionBoxes();
  ShowInputValue(ui_.co, params_.Co);
  ShowInputValue(ui_.m, params_.M);
  ShowInputValue(ui_.coMass, params_.CoMass);
  ShowInputValue(ui_.mb, params_.Mb);
  ShowInputValue(ui_.s, params_.S);
  ShowInputValue(ui_.a, params_.A);
}

bool frmHoek::ValidateInput() {
  const bool valid = CheckBoxes(Boxes(), [this](const std::array<QString, kHoekBoxCount>& texts) {
    return CheckHoekInputs(texts, PoreTicked());
  });
  if (!valid) return false;
  // Every calculation judges the boxes as they stand.
  ReadInputs();
  return true;
}

void frmHoek::ReadInputs() {
  ReadStressInputs();
  ReadPoreInput(params_.UsePore, params_.PorePressure);
  params_.CriterionType = forms::GetArrayIndex(ui_.type);
  params_.Co = forms::EntryValue<float>(ui_.co).value_or(0.0f);
  params_.M = forms::EntryValue<float>(ui_.m).value_or(0.0f);
  params_.CoMass = forms::EntryValue<float>(ui_.coMass).value_or(0.0f);
  params_.Mb = forms::EntryValue<float>(ui_.mb).value_or(0.0f);
  params_.S = forms::EntryValue<float>(ui_.s).value_or(0.0f);
  params_.A = forms::EntryValue<float>(ui_.a).value_or(0.0f);
}

void frmHoek::Calculate() {
  CalculateVerdicts([this] { return EvaluateHoek(stress_, params_); }, params_.Failure, params_.PoreFailure);
}

void frmHoek::PlotState() {
  Plot()->SetCriterion(principal_, HoekStrength(params_), HoekEnvelope(params_, principal_.S1),
                       EffectiveStressPointOf(principal_.S1, principal_.S2, params_.PorePressure,
                                              params_.UsePore == 1));
}

void frmHoek::ShowCriterionBoxes() {
  const bool generalized = forms::GetArrayIndex(ui_.type) == 1;
  for (QWidget* w : {static_cast<QWidget*>(ui_.coCaption), static_cast<QWidget*>(ui_.co),
                     static_cast<QWidget*>(ui_.mCaption), static_cast<QWidget*>(ui_.m)})
    w->setEnabled(!generalized);
  for (QLabel* caption : ui_.generalizedCaptions) caption->setEnabled(generalized);
  for (QLineEdit* box : {ui_.coMass, ui_.mb, ui_.s, ui_.a}) box->setEnabled(generalized);
}

void frmHoek::optType_Click() {
  ShowCriterionBoxes();
  if (loading_) return;
  if (!ValidateInput()) return;
  if (!calculating_) Calculate();
  {
    // The zoom bar goes to its least value; the plot is drawn once, reset.
    const QSignalBlocker quiet(ui_.zoom);
    ui_.zoom->setValue(1);
  }
  Redraw(true);
}

void frmHoek::CommitToProject() {
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
