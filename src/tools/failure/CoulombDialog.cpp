#include "tools/failure/CoulombDialog.h"

#include "core/Conversions.h"
#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "forms/FormInputs.h"

#include <QCheckBox>
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
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

constexpr forms::FormDesign kForm{frmCoulomb::kNarrowWidth, 6360, "Coulomb Criterion in Material",
                                  "Κριτήριο Coulomb σε υλικό"};

constexpr ControlRow kControls[] = {
    // Inputs.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 3240, 1935, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 240, 300, 1320, 255, "sx", "σ x", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 240, 660, 1320, 255, "sy", "σ y", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 240, 1020, 1320, 255, "txy", "τ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 1800, 270, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text2", Kind::TextBox, "Frame1", 1800, 630, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Text3", Kind::TextBox, "Frame1", 1800, 990, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    {"chkPore", Kind::CheckBox, "Frame1", 240, 1470, 255, 255, nullptr, nullptr, "lblPorePress"},
    {"lblPorePress", Kind::Label, "Frame1", 540, 1470, 1200, 255, "Pore Pressure", "Πίεση πόρων", "Text4"},
    {"Text4", Kind::TextBox, "Frame1", 1800, 1440, 1215, 285, nullptr, nullptr, nullptr, 0, 20},
    // The strength parameters: two given, the third derived.
    {"Frame2", Kind::Frame, nullptr, 120, 2160, 3240, 2055, "Material Properties", "Παράμετροι υλικού"},
    {"lblCohesion", Kind::Label, "Frame2", 240, 330, 1500, 420, "Cohesion", "Συνοχή", "Text5"},
    {"lblUCS", Kind::Label, "Frame2", 240, 840, 1500, 615, "Uniaxial Strength", "Αντοχή σε μονοαξονική θλίψη",
     "Text6"},
    {"lblPhi", Kind::Label, "Frame2", 240, 1500, 1500, 420, "Friction Angle", "Γωνία εσωτερική τριβής", "Text7"},
    {"Text5", Kind::TextBox, "Frame2", 1800, 300, 1035, 285, nullptr, nullptr, nullptr, forms::kRedText, 20},
    {"Text6", Kind::TextBox, "Frame2", 1800, 840, 1035, 285, nullptr, nullptr, nullptr, forms::kRedText, 20},
    {"Text7", Kind::TextBox, "Frame2", 1800, 1470, 1035, 285, nullptr, nullptr, nullptr, forms::kRedText, 20},
    {"optParam(0)", Kind::Option, "Frame2", 2895, 315, 255, 255, nullptr, nullptr, "lblCohesion"},
    {"optParam(1)", Kind::Option, "Frame2", 2895, 855, 255, 255, nullptr, nullptr, "lblUCS"},
    {"optParam(2)", Kind::Option, "Frame2", 2895, 1485, 255, 255, nullptr, nullptr, "lblPhi"},
    // The graph.
    {"Frame5", Kind::Frame, nullptr, 120, 4320, 3240, 1215, "Graph Options", "Γράφημα"},
    {"optGraph(0)", Kind::Option, "Frame5", 240, 270, 2880, 255, "No Graph", "Κανένα"},
    {"optGraph(1)", Kind::Option, "Frame5", 240, 570, 2880, 255, "Mohr's Circle", "Κύκλος του Mohr"},
    {"optGraph(2)", Kind::Option, "Frame5", 240, 870, 2880, 255, "s1-s2 Plot", "σ1-σ2"},
    // Principal stresses.
    {"Frame4", Kind::Frame, nullptr, 3480, 120, 2805, 1695, "Principal Stresses", "Κύριες τάσεις"},
    {"lbls1", Kind::Label, "Frame4", 240, 300, 1035, 255, "s1", "σ 1", "Text11"},
    {"lblth1", Kind::Label, "Frame4", 240, 630, 1035, 255, "w1(s1)", "θ 1", "Text12"},
    {"lbls2", Kind::Label, "Frame4", 240, 960, 1035, 255, "s2", "σ 2", "Text13"},
    {"lblth2", Kind::Label, "Frame4", 240, 1290, 1035, 255, "w2(s2)", "θ 2", "Text14"},
    {"Text11", Kind::TextBox, "Frame4", 1320, 270, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text12", Kind::TextBox, "Frame4", 1320, 600, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text13", Kind::TextBox, "Frame4", 1320, 930, 1335, 285, nullptr, nullptr, nullptr, kResult},
    {"Text14", Kind::TextBox, "Frame4", 1320, 1260, 1335, 285, nullptr, nullptr, nullptr, kResult},
    // The verdict.
    {"Frame3", Kind::Frame, nullptr, 3480, 1920, 2805, 2535, "Results", "Αποτελέσματα"},
    {"Label8", Kind::Label, "Frame3", 180, 300, 1440, 255, "Failure", "Αστοχία", "Text8"},
    {"Label9", Kind::Label, "Frame3", 180, 690, 1440, 420, "Failure due to Pore Pressure",
     "Αστοχία εξ αιτίας πίεσης πόρων", "Text9"},
    {"Label10", Kind::Label, "Frame3", 180, 1230, 1440, 420, "Failure Angle from X-axis",
     "Γωνία επιπέδου αστοχίας από Χ", "Text10"},
    {"Label20", Kind::Label, "Frame3", 180, 1770, 1440, 420, "Shear Stress at Failure",
     "Διατμητική τάση στην αστοχία", "Text20"},
    {"Text8", Kind::TextBox, "Frame3", 1680, 270, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Text9", Kind::TextBox, "Frame3", 1680, 720, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Text10", Kind::TextBox, "Frame3", 1680, 1260, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Text20", Kind::TextBox, "Frame3", 1680, 1800, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Label15", Kind::Label, "Frame3", 1680, 1005, 975, 225, nullptr, nullptr, nullptr, forms::kRedText},
    // The limit searches.
    {"cmdLimit", Kind::Button, nullptr, 3480, 4560, 1335, 375, "Upper Limit", "Άνω Όριο"},
    {"cmdLimitD", Kind::Button, nullptr, 4950, 4560, 1335, 375, "Lower Limit", "Κάτω Όριο"},
    // The interactive plot, beyond the narrow width.
    {"HScroll1", Kind::HScroll, nullptr, 6960, 240, 3015, 255, "Zoom", "Μεγέθυνση"},
    {"picMohr1", Kind::Picture, nullptr, 6480, 720, 4080, 4000},
    {"lblCoord", Kind::Label, nullptr, 6960, 4920, 3255, 495},
    {"lblIntCoord", Kind::Label, nullptr, 6960, 5760, 3255, 495},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 2160, 5760, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 3600, 5760, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 5040, 5760, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

}  // namespace

// --- The plot ----------------------------------------------------------------

CoulombPlot::CoulombPlot(QWidget* parent) : FailurePlot(parent) {
  SetVerticalRange(VerticalRange::LikeHorizontal);
  SetAxisMarks(AxisMarks::Grid);
  SetEqualScales(true);
  SetStepRounded(true);
  // The values s2, C and s1 under the axis are teal, as the strength beside
  // it, which lies above them where they meet.
  const QColor teal(kTeal);
  AddCaption(PlotCaption::Centre, QStringLiteral("Label16"), teal);
  AddCaption(PlotCaption::S2, QStringLiteral("Label17"), teal);
  AddCaption(PlotCaption::S1, QStringLiteral("Label18"), teal);
  Caption(PlotCaption::Strength)->raise();
}

void CoulombPlot::SetState(const Principal2D& principal, const CoulombParams& params, qint16 view) {
  SetPrincipal(principal.S1, principal.S2, principal.TauMax);
  principal_ = principal;
  params_ = params;
  view_ = view;
  const CoulombStrength strength = DeriveCoulombStrength(params);
  SetStrength(view == 1 ? strength.Cohesion : strength.UniaxialStrength);
}

void CoulombPlot::DrawCriterion() {
  if (view_ == 1) DrawMohrCircle();
  else if (view_ == 2) DrawS1S3Plot();
}

void CoulombPlot::DrawMohrCircle() {
  const CoulombMohrView v = CoulombMohrPlot(principal_, params_);
  if (!Step([&] { DrawStressCircle(v.Centre, v.Radius); })) return;
  if (v.EffectiveCircleShown &&
      !Step([&] { DrawHalfCircle(v.EffectiveCentre, v.Radius, QColor(kDarkGreen)); }))
    return;
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (!Step([&] { DrawWorldDot(v.StressPoint, QColor(kBlue), 20); })) return;
  if (v.Envelope) Step([&] { DrawWorldLine(v.Envelope->From, v.Envelope->To, QColor(kTeal), 2); });
}

void CoulombPlot::DrawS1S3Plot() {
  SetCaptionsVisible({PlotCaption::S2, PlotCaption::Centre, PlotCaption::S1}, false);
  const CoulombPrincipalView v = CoulombS1S3Plot(principal_, params_);
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (v.CriterionLine &&
      !Step([&] { DrawWorldLine(v.CriterionLine->From, v.CriterionLine->To, QColor(kTeal), 2); }))
    return;
  if (!Step([&] { DrawWorldDot(v.StressPoint, QColor(kBlue)); })) return;
  if (v.EffectivePoint) Step([&] { DrawWorldDot(*v.EffectivePoint, QColor(kDarkGreen)); });
}

void CoulombPlot::PlaceCaptions() { PlaceCircleCaptions(); }

// --- The dialog ----------------------------------------------------------------

frmCoulomb::frmCoulomb(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmCoulomb"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("picMohr1")) return new CoulombPlot(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(u"Text1");
  ui_.sy = Require<QLineEdit>(u"Text2");
  ui_.txy = Require<QLineEdit>(u"Text3");
  ui_.pore = Require<QCheckBox>(u"chkPore");
  ui_.porePressure = Require<QLineEdit>(u"Text4");
  ui_.cohesion = Require<QLineEdit>(u"Text5");
  ui_.strength = Require<QLineEdit>(u"Text6");
  ui_.friction = Require<QLineEdit>(u"Text7");
  ui_.s1 = Require<QLineEdit>(u"Text11");
  ui_.theta1 = Require<QLineEdit>(u"Text12");
  ui_.s2 = Require<QLineEdit>(u"Text13");
  ui_.theta2 = Require<QLineEdit>(u"Text14");
  ui_.failure = Require<QLineEdit>(u"Text8");
  ui_.poreFailure = Require<QLineEdit>(u"Text9");
  ui_.failureAngle = Require<QLineEdit>(u"Text10");
  ui_.shear = Require<QLineEdit>(u"Text20");
  ui_.poreNotice = Require<QLabel>(u"Label15");
  ui_.ok = Require<QPushButton>(u"CmdOk");
  ui_.param = Options(u"optParam");
  ui_.graph = Options(u"optGraph");
  ui_.poreControls = {ui_.pore, Require<QLabel>(u"lblPorePress"), ui_.porePressure, Require<QLabel>(u"Label9"),
                      ui_.poreFailure};
  ui_.plot = Require<CoulombPlot>(u"picMohr1");
  ConnectFailurePlot(ui_.plot, Require<QScrollBar>(u"HScroll1"), Require<QLabel>(u"lblCoord"),
                     Require<QLabel>(u"lblIntCoord"));

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.porePressure, ui_.cohesion, ui_.strength, ui_.friction})
    connect(box, &QLineEdit::textChanged, this, &frmCoulomb::TextInput_Change);
  connect(ui_.pore, &QCheckBox::toggled, this, &frmCoulomb::chkPore_Click);
  for (QRadioButton* option : ui_.param.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) optParam_Click();
    });
  }
  for (QRadioButton* option : ui_.graph.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) optGraph_Click();
    });
  }
  connect(Require<QPushButton>(u"cmdLimit"), &QPushButton::clicked, this, &frmCoulomb::cmdLimit_Click);
  connect(Require<QPushButton>(u"cmdLimitD"), &QPushButton::clicked, this, &frmCoulomb::cmdLimitD_Click);

  // The inputs in the order of validation: each box read as a whole entry,
  // with the tool's message and value rule (Coulomb.h); the pore pressure
  // only while its option is ticked, a strength parameter only while it is
  // not the derived one.
  const auto entered = [this](qint16 parameter) {
    return [this, parameter] { return forms::GetArrayIndex(ui_.param) != parameter; };
  };
  inputs_.Add(ui_.sx, stress_.Sx,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::Sx),
               .rule = CoulombValueRule(CoulombField::Sx)});
  inputs_.Add(ui_.sy, stress_.Sy,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::Sy),
               .rule = CoulombValueRule(CoulombField::Sy)});
  inputs_.Add(ui_.txy, stress_.Txy,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::Txy),
               .rule = CoulombValueRule(CoulombField::Txy)});
  inputs_.Add(ui_.porePressure, params_.PorePressure,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::PorePressure),
               .rule = CoulombValueRule(CoulombField::PorePressure),
               .when = [this] { return ui_.pore->isChecked(); }});
  inputs_.Add(ui_.cohesion, params_.Cohesion,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::Cohesion),
               .rule = CoulombValueRule(CoulombField::Cohesion),
               .when = entered(kCoulombDeriveCohesion)});
  inputs_.Add(ui_.strength, params_.UniaxialStrength,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::UniaxialStrength),
               .rule = CoulombValueRule(CoulombField::UniaxialStrength),
               .when = entered(kCoulombDeriveStrength)});
  inputs_.Add(ui_.friction, params_.FrictionAngle,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::FrictionAngle),
               .rule = CoulombValueRule(CoulombField::FrictionAngle),
               .when = entered(kCoulombDeriveFriction)});

  Form_Load();
}

frmCoulomb::~frmCoulomb() = default;

void frmCoulomb::Form_Load() {
  LoadInputs();
  if (ValidateInput()) CalcCoulomb();
  if (EnableMohrCircles == 1) forms::SetArrayIndex(ui_.graph, 1);
  RedrawGraph(true);
  AddHistoryLine(Tr({"Determination of shear failure plane based on Coulomb's theory.",
                     "Υπολογισμός του επιπέδου διατμητικής αστοχίας βάσει της θεωρίας του Coulomb."}));
}

void frmCoulomb::LoadFromProject() {
  stress_ = Project.CoulombStress;
  params_ = Project.CoulombInput;
  principal_ = Project.CoulombPrincipal;
  result_ = CoulombResult{};
  ShowInputValue(ui_.sx, stress_.Sx, kCoulombStressMask);
  ShowInputValue(ui_.sy, stress_.Sy, kCoulombStressMask);
  ShowInputValue(ui_.txy, stress_.Txy, kCoulombStressMask);
  // A choice the record cannot hold opens as the first one.
  const qint16 graph = stress_.GraphOption >= 0 && stress_.GraphOption <= 2 ? stress_.GraphOption : qint16(0);
  forms::SetArrayIndex(ui_.graph, graph);
  ShowPoreInput(ui_.poreControls, params_.UsePore, params_.PorePressure, kCoulombStressMask);
  const qint16 k = params_.ParamOption;
  forms::SetArrayIndex(ui_.param, k >= kCoulombDeriveCohesion && k <= kCoulombDeriveFriction ? k : 0);
  ShowInputValue(ui_.cohesion, params_.Cohesion, kCoulombStressMask);
  ShowInputValue(ui_.strength, params_.UniaxialStrength, kCoulombStressMask);
  ShowInputValue(ui_.friction, params_.FrictionAngle, kCoulombFrictionMask);
  ShowParameterBoxes();
}

QLineEdit* frmCoulomb::ParameterBox(qint16 index) const {
  if (index == kCoulombDeriveStrength) return ui_.strength;
  if (index == kCoulombDeriveFriction) return ui_.friction;
  return ui_.cohesion;
}

void frmCoulomb::ShowParameterBoxes() {
  const qint16 derived = forms::GetArrayIndex(ui_.param);
  for (qint16 i = 0; i < 3; ++i) {
    QLineEdit* box = ParameterBox(i);
    box->setReadOnly(i == derived);
    box->setFocusPolicy(i == derived ? Qt::ClickFocus : Qt::StrongFocus);
  }
}

bool frmCoulomb::ValidateInput() {
  if (!inputs_.Validate()) return false;
  // The options count once every box has passed.
  params_.ParamOption = forms::GetArrayIndex(ui_.param);
  params_.UsePore = RecordBool(ui_.pore->isChecked());
  if (!ui_.pore->isChecked()) params_.PorePressure = 0;
  return true;
}

void frmCoulomb::CalcCoulomb() {
  calculating_ = true;
  result_ = brantel::CalcCoulomb(stress_, params_);
  const qint16 derived = forms::GetArrayIndex(ui_.param);
  QLineEdit* derivedBox = ParameterBox(derived);
  if (!result_.Computed) {
    // Principal stresses beyond the 32-bit range: nothing of the last
    // state stays on show.
    LogRuntimeError(RuntimeError(err::kOverflow));
    forms::ClearResults({ui_.s1, ui_.theta1, ui_.s2, ui_.theta2, ui_.failure, ui_.poreFailure,
                         ui_.failureAngle, ui_.shear, derivedBox});
    ui_.poreNotice->clear();
    calculating_ = false;
    return;
  }
  StoreCoulombResult(result_, params_, principal_);
  forms::ShowResult(ui_.s1, principal_.S1, kCoulombStressMask);
  forms::ShowResult(ui_.s2, principal_.S2, kCoulombStressMask);
  forms::ShowResult(ui_.theta1, principal_.Theta1, kCoulombDirectionMask);
  forms::ShowResult(ui_.theta2, principal_.Theta2, kCoulombDirectionMask);

  const QString derivedText = DerivedParameterText(result_.Strength, derived);
  if (derivedText.isEmpty()) {
    forms::ShowResult(derivedBox, QString());
  } else {
    const CoulombStrength& s = result_.Strength;
    const float value = derived == kCoulombDeriveStrength   ? s.UniaxialStrength
                        : derived == kCoulombDeriveFriction ? s.FrictionAngle
                                                            : s.Cohesion;
    forms::ShowStoredValue(derivedBox, value, derivedText);
  }

  ShowVerdict(ui_.failure, result_.FailureVerdict, VerdictCase::Lower);
  if (ui_.pore->isChecked()) ShowVerdict(ui_.poreFailure, result_.PoreVerdict, VerdictCase::Lower);
  forms::ShowResult(ui_.failureAngle, result_.FailureAngle, kCoulombFailureAngleMask);
  forms::ShowResult(ui_.shear, result_.ShearAtFailure, kCoulombStressMask);
  ui_.poreNotice->setText(result_.PoreAboveS2 ? kCoulombPoreNotice.toString() : QString());
  calculating_ = false;
}

void frmCoulomb::RedrawGraph(bool reset) {
  if (!result_.Computed) {
    // No state: the zoom bar, which redraws from the plot's own state, finds
    // nothing to draw either.
    ui_.plot->SetPrincipal(0, 0, 0);
    ui_.plot->Blank();
    return;
  }
  ui_.plot->SetState(principal_, params_, forms::GetArrayIndex(ui_.graph));
  ui_.plot->Redraw(reset);
}

void frmCoulomb::TextInput_Change() {
  if (loading_ || calculating_) return;
  if (!ValidateInput()) return;
  CalcCoulomb();
  RedrawGraph(false);
}

void frmCoulomb::chkPore_Click() {
  ShowPoreControls(ui_.poreControls);
  TextInput_Change();
}

void frmCoulomb::optParam_Click() {
  ShowParameterBoxes();
  {
    // The box that becomes derived starts from 0; the computation fills it.
    QLineEdit* box = ParameterBox(forms::GetArrayIndex(ui_.param));
    const QSignalBlocker quiet(box);
    forms::ShowResult(box, QStringLiteral("0"));
  }
  TextInput_Change();
}

void frmCoulomb::optGraph_Click() {
  const qint16 view = forms::GetArrayIndex(ui_.graph);
  SwitchPlotWidth(*this, ui_.plot, view != 0, kNarrowWidth, kWideWidth);
  RedrawGraph(true);
}

void frmCoulomb::cmdLimit_Click() { SearchLimit(true); }

void frmCoulomb::cmdLimitD_Click() { SearchLimit(false); }

void frmCoulomb::SearchLimit(bool upper) {
  // A box that cannot be read has shown its own message.
  if (!ValidateInput()) return;
  const CoulombLimit limit = upper ? CoulombUpperLimit(stress_, params_) : CoulombLowerLimit(stress_, params_);
  if (limit.Status != LimitSearch::Found) {
    ShowInputMessage(CoulombLimitMessage(limit.Status));
    return;
  }
  // Written once: its change validates, computes and redraws.
  (upper ? ui_.sy : ui_.sx)->setText(Format(limit.Value, kCoulombLimitMask));
}

void frmCoulomb::CommitToProject() {
  stress_.GraphOption = forms::GetArrayIndex(ui_.graph);
  // The derived parameter is kept as its box shows it. A text that cannot
  // be read as a 32-bit number (the box is the program's, so only an error
  // can put one there) keeps the value computed, and the error goes to the
  // history.
  const qint16 derived = forms::GetArrayIndex(ui_.param);
  float& field = derived == kCoulombDeriveStrength   ? params_.UniaxialStrength
                 : derived == kCoulombDeriveFriction ? params_.FrictionAngle
                                                     : params_.Cohesion;
  if (const std::optional<float> shown = LeadingNumber<float>(ParameterBox(derived)->text())) {
    field = *shown;
  } else {
    LogRuntimeError(RuntimeError(err::kOverflow));
  }
  Project.CoulombStress = stress_;
  Project.CoulombInput = params_;
  Project.CoulombPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
