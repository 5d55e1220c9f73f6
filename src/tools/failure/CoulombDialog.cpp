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

constexpr forms::FormDesign kForm{.name = "frmCoulomb",
                                  .width = CoulombDialog::kNarrowWidth,
                                  .height = 6360,
                                  .caption = {"Coulomb Criterion in Material", "Κριτήριο Coulomb σε υλικό"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // Inputs.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 3240, 1935}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 300, 1320, 255}, .caption = {"sx", "σ x"}, .partner = coulomb::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 660, 1320, 255}, .caption = {"sy", "σ y"}, .partner = coulomb::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1020, 1320, 255}, .caption = {"txy", "τ xy"}, .partner = coulomb::kTxy},
    {.name = coulomb::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 270, 1215, 285}, .maxLength = 20},
    {.name = coulomb::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 630, 1215, 285}, .maxLength = 20},
    {.name = coulomb::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 990, 1215, 285}, .maxLength = 20},
    {.name = coulomb::kPoreOption, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1470, 255, 255}, .partner = coulomb::kPorePressureLabel},
    {.name = coulomb::kPorePressureLabel, .kind = Kind::Label, .container = "Frame1", .at = {540, 1470, 1200, 255}, .caption = {"Pore Pressure", "Πίεση πόρων"}, .partner = coulomb::kPorePressure},
    {.name = coulomb::kPorePressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1440, 1215, 285}, .maxLength = 20},
    // The strength parameters: two given, the third derived.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2160, 3240, 2055}, .caption = {"Material Properties", "Παράμετροι υλικού"}},
    {.name = "lblCohesion", .kind = Kind::Label, .container = "Frame2", .at = {240, 330, 1500, 420}, .caption = {"Cohesion", "Συνοχή"}, .partner = coulomb::kCohesion},
    {.name = "lblUCS", .kind = Kind::Label, .container = "Frame2", .at = {240, 840, 1500, 615}, .caption = {"Uniaxial Strength", "Αντοχή σε μονοαξονική θλίψη"}, .partner = coulomb::kUniaxialStrength},
    {.name = "lblPhi", .kind = Kind::Label, .container = "Frame2", .at = {240, 1500, 1500, 420}, .caption = {"Friction Angle", "Γωνία εσωτερική τριβής"}, .partner = coulomb::kFrictionAngle},
    {.name = coulomb::kCohesion, .kind = Kind::TextBox, .container = "Frame2", .at = {1800, 300, 1035, 285}, .flags = forms::kRedText, .maxLength = 20},
    {.name = coulomb::kUniaxialStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {1800, 840, 1035, 285}, .flags = forms::kRedText, .maxLength = 20},
    {.name = coulomb::kFrictionAngle, .kind = Kind::TextBox, .container = "Frame2", .at = {1800, 1470, 1035, 285}, .flags = forms::kRedText, .maxLength = 20},
    {.name = coulomb::kDeriveCohesion, .kind = Kind::Option, .container = "Frame2", .at = {2895, 315, 255, 255}, .partner = "lblCohesion"},
    {.name = coulomb::kDeriveStrength, .kind = Kind::Option, .container = "Frame2", .at = {2895, 855, 255, 255}, .partner = "lblUCS"},
    {.name = coulomb::kDeriveFriction, .kind = Kind::Option, .container = "Frame2", .at = {2895, 1485, 255, 255}, .partner = "lblPhi"},
    // The graph.
    {.name = "Frame5", .kind = Kind::Frame, .at = {120, 4320, 3240, 1215}, .caption = {"Graph Options", "Γράφημα"}},
    {.name = coulomb::kNoGraph, .kind = Kind::Option, .container = "Frame5", .at = {240, 270, 2880, 255}, .caption = {"No Graph", "Κανένα"}},
    {.name = coulomb::kMohrGraph, .kind = Kind::Option, .container = "Frame5", .at = {240, 570, 2880, 255}, .caption = {"Mohr's Circle", "Κύκλος του Mohr"}},
    {.name = coulomb::kS1S2Graph, .kind = Kind::Option, .container = "Frame5", .at = {240, 870, 2880, 255}, .caption = {"s1-s2 Plot", "σ1-σ2"}},
    // Principal stresses.
    {.name = "Frame4", .kind = Kind::Frame, .at = {3480, 120, 2805, 1695}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame4", .at = {240, 300, 1035, 255}, .caption = {"s1", "σ 1"}, .partner = coulomb::kS1},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame4", .at = {240, 630, 1035, 255}, .caption = {"w1(s1)", "θ 1"}, .partner = coulomb::kS1Direction},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame4", .at = {240, 960, 1035, 255}, .caption = {"s2", "σ 2"}, .partner = coulomb::kS2},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame4", .at = {240, 1290, 1035, 255}, .caption = {"w2(s2)", "θ 2"}, .partner = coulomb::kS2Direction},
    {.name = coulomb::kS1, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 270, 1335, 285}, .flags = kResult},
    {.name = coulomb::kS1Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 600, 1335, 285}, .flags = kResult},
    {.name = coulomb::kS2, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 930, 1335, 285}, .flags = kResult},
    {.name = coulomb::kS2Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 1260, 1335, 285}, .flags = kResult},
    // The verdict.
    {.name = "Frame3", .kind = Kind::Frame, .at = {3480, 1920, 2805, 2535}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {180, 300, 1440, 255}, .caption = {"Failure", "Αστοχία"}, .partner = coulomb::kFailureVerdict},
    {.name = coulomb::kPoreFailureLabel, .kind = Kind::Label, .container = "Frame3", .at = {180, 690, 1440, 420}, .caption = {"Failure due to Pore Pressure", "Αστοχία εξ αιτίας πίεσης πόρων"}, .partner = coulomb::kPoreFailureVerdict},
    {.name = "Label10", .kind = Kind::Label, .container = "Frame3", .at = {180, 1230, 1440, 420}, .caption = {"Failure Angle from X-axis", "Γωνία επιπέδου αστοχίας από Χ"}, .partner = coulomb::kFailureAngle},
    {.name = "Label20", .kind = Kind::Label, .container = "Frame3", .at = {180, 1770, 1440, 420}, .caption = {"Shear Stress at Failure", "Διατμητική τάση στην αστοχία"}, .partner = coulomb::kShearAtFailure},
    {.name = coulomb::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 270, 975, 285}, .flags = kResult},
    {.name = coulomb::kPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 720, 975, 285}, .flags = kResult},
    {.name = coulomb::kFailureAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 1260, 975, 285}, .flags = kResult},
    {.name = coulomb::kShearAtFailure, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 1800, 975, 285}, .flags = kResult},
    {.name = coulomb::kPoreNotice, .kind = Kind::Label, .container = "Frame3", .at = {1680, 1005, 975, 225}, .flags = forms::kRedText},
    // The limit searches.
    {.name = coulomb::kUpperLimit, .kind = Kind::Button, .at = {3480, 4560, 1335, 375}, .caption = {"Upper Limit", "Άνω Όριο"}},
    {.name = coulomb::kLowerLimit, .kind = Kind::Button, .at = {4950, 4560, 1335, 375}, .caption = {"Lower Limit", "Κάτω Όριο"}},
    // The interactive plot, beyond the narrow width.
    {.name = coulomb::kZoomBar, .kind = Kind::HScroll, .at = {6960, 240, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = coulomb::kPlot, .kind = Kind::Picture, .at = {6480, 720, 4080, 4000}},
    {.name = coulomb::kCoordinates, .kind = Kind::Label, .at = {6960, 4920, 3255, 495}},
    {.name = coulomb::kInternalCoordinates, .kind = Kind::Label, .at = {6960, 5760, 3255, 495}},
    // Buttons.
    {.name = coulomb::kHelp, .kind = Kind::Button, .at = {2160, 5760, 1215, 375}, .caption = {"Help"}},
    {.name = coulomb::kCancel, .kind = Kind::Button, .at = {3600, 5760, 1215, 375}, .caption = {"Cancel"}},
    {.name = coulomb::kOk, .kind = Kind::Button, .at = {5040, 5760, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

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

void CoulombPlot::SetState(const Principal2D& principal, const CoulombParams& params, StressGraph view) {
  SetPrincipal(principal.S1, principal.S2, principal.TauMax);
  principal_ = principal;
  params_ = params;
  view_ = view;
  const CoulombStrength strength = DeriveCoulombStrength(params);
  SetStrength(view == StressGraph::MohrCircle ? strength.Cohesion : strength.UniaxialStrength);
}

void CoulombPlot::DrawCriterion() {
  if (view_ == StressGraph::MohrCircle) DrawMohrCircle();
  else if (view_ == StressGraph::Sigma1Chart) DrawS1S3Plot();
}

void CoulombPlot::DrawMohrCircle() {
  const CoulombMohrView v = CoulombMohrPlot(principal_, params_);
  if (!Step([&] { DrawStressCircle(v.Centre, v.Radius); })) return;
  if (v.EffectiveCircleShown && !Step([&] { DrawHalfCircle(v.EffectiveCentre, v.Radius, QColor(kDarkGreen)); })) return;
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (!Step([&] { DrawWorldDot(v.StressPoint, QColor(kBlue), 20); })) return;
  if (v.Envelope) Step([&] { DrawWorldLine(v.Envelope->From, v.Envelope->To, QColor(kTeal), 2); });
}

void CoulombPlot::DrawS1S3Plot() {
  SetCaptionsVisible({PlotCaption::S2, PlotCaption::Centre, PlotCaption::S1}, false);
  const CoulombPrincipalView v = CoulombS1S3Plot(principal_, params_);
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (v.CriterionLine && !Step([&] { DrawWorldLine(v.CriterionLine->From, v.CriterionLine->To, QColor(kTeal), 2); }))
    return;
  if (!Step([&] { DrawWorldDot(v.StressPoint, QColor(kBlue)); })) return;
  if (v.EffectivePoint) Step([&] { DrawWorldDot(*v.EffectivePoint, QColor(kDarkGreen)); });
}

void CoulombPlot::PlaceCaptions() { PlaceCircleCaptions(); }

// --- The dialog ----------------------------------------------------------------

CoulombDialog::CoulombDialog(QWidget* owner) : FormDialog(owner) {
  BuildControls();
  ConnectHandlers();
  AddInputs();
  OnLoad();
}

CoulombDialog::~CoulombDialog() = default;

void CoulombDialog::BuildControls() {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(coulomb::kPlot)) return new CoulombPlot(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(coulomb::kSx);
  ui_.sy = Require<QLineEdit>(coulomb::kSy);
  ui_.txy = Require<QLineEdit>(coulomb::kTxy);
  ui_.poreOption = Require<QCheckBox>(coulomb::kPoreOption);
  ui_.porePressure = Require<QLineEdit>(coulomb::kPorePressure);
  ui_.cohesion = Require<QLineEdit>(coulomb::kCohesion);
  ui_.uniaxialStrength = Require<QLineEdit>(coulomb::kUniaxialStrength);
  ui_.frictionAngle = Require<QLineEdit>(coulomb::kFrictionAngle);
  ui_.s1 = Require<QLineEdit>(coulomb::kS1);
  ui_.s1Direction = Require<QLineEdit>(coulomb::kS1Direction);
  ui_.s2 = Require<QLineEdit>(coulomb::kS2);
  ui_.s2Direction = Require<QLineEdit>(coulomb::kS2Direction);
  ui_.failureVerdict = Require<QLineEdit>(coulomb::kFailureVerdict);
  ui_.poreFailureVerdict = Require<QLineEdit>(coulomb::kPoreFailureVerdict);
  ui_.failureAngle = Require<QLineEdit>(coulomb::kFailureAngle);
  ui_.shearAtFailure = Require<QLineEdit>(coulomb::kShearAtFailure);
  ui_.poreNotice = Require<QLabel>(coulomb::kPoreNotice);
  ui_.ok = Require<QPushButton>(coulomb::kOk);
  ui_.derivedParameter = {Options(coulomb::kDerivedParameter)};
  ui_.graphOption = {Options(coulomb::kGraphOption)};
  ui_.poreControls = {ui_.poreOption, Require<QLabel>(coulomb::kPorePressureLabel), ui_.porePressure,
                      Require<QLabel>(coulomb::kPoreFailureLabel), ui_.poreFailureVerdict};
  ui_.plot = Require<CoulombPlot>(coulomb::kPlot);
  ConnectFailurePlot(ui_.plot, Require<QScrollBar>(coulomb::kZoomBar), Require<QLabel>(coulomb::kCoordinates),
                     Require<QLabel>(coulomb::kInternalCoordinates));
}

void CoulombDialog::ConnectHandlers() {
  WireButtons(ui_.ok, Require<QPushButton>(coulomb::kCancel), Require<QPushButton>(coulomb::kHelp));
  for (QLineEdit* box :
       {ui_.sx, ui_.sy, ui_.txy, ui_.porePressure, ui_.cohesion, ui_.uniaxialStrength, ui_.frictionAngle})
    connect(box, &QLineEdit::textChanged, this, &CoulombDialog::OnInputEdited);
  connect(ui_.poreOption, &QCheckBox::toggled, this, &CoulombDialog::OnPoreOptionToggled);
  for (QRadioButton* option : ui_.derivedParameter.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnDerivedParameterChosen();
    });
  }
  for (QRadioButton* option : ui_.graphOption.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnGraphChosen();
    });
  }
  connect(Require<QPushButton>(coulomb::kUpperLimit), &QPushButton::clicked, this, &CoulombDialog::OnUpperLimitClicked);
  connect(Require<QPushButton>(coulomb::kLowerLimit), &QPushButton::clicked, this, &CoulombDialog::OnLowerLimitClicked);
}

void CoulombDialog::AddInputs() {
  // The inputs in the order of validation: each box read as a whole entry,
  // with the tool's message and value rule (Coulomb.h); the pore pressure
  // only while its option is ticked, a strength parameter only while it is
  // not the derived one.
  const auto entered = [this](CoulombDerived parameter) {
    return [this, parameter] { return DerivedChoice() != parameter; };
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
               .when = [this] { return ui_.poreOption->isChecked(); }});
  inputs_.Add(ui_.cohesion, params_.Cohesion,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::Cohesion),
               .rule = CoulombValueRule(CoulombField::Cohesion),
               .when = entered(CoulombDerived::Cohesion)});
  inputs_.Add(ui_.uniaxialStrength, params_.UniaxialStrength,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::UniaxialStrength),
               .rule = CoulombValueRule(CoulombField::UniaxialStrength),
               .when = entered(CoulombDerived::UniaxialStrength)});
  inputs_.Add(ui_.frictionAngle, params_.FrictionAngle,
              {.reading = Reading::WholeEntry,
               .message = CoulombInvalidMessage(CoulombField::FrictionAngle),
               .rule = CoulombValueRule(CoulombField::FrictionAngle),
               .when = entered(CoulombDerived::FrictionAngle)});
}

void CoulombDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput()) ShowResults();
  if (EnableMohrCircles) ui_.graphOption.Choose(StressGraph::MohrCircle);
  RedrawGraph(true);
  AddHistoryLine(Tr({"Determination of shear failure plane based on Coulomb's theory.",
                     "Υπολογισμός του επιπέδου διατμητικής αστοχίας βάσει της θεωρίας του Coulomb."}));
}

void CoulombDialog::LoadFromProject() {
  stress_ = Project.CoulombStress;
  params_ = Project.CoulombInput;
  principal_ = Project.CoulombPrincipal;
  result_ = CoulombResult{};
  ShowInputValue(ui_.sx, stress_.Sx, kCoulombStressMask);
  ShowInputValue(ui_.sy, stress_.Sy, kCoulombStressMask);
  ShowInputValue(ui_.txy, stress_.Txy, kCoulombStressMask);
  // A choice the record cannot hold opens as the first one.
  ui_.graphOption.Choose(KnownStressGraph(stress_.GraphOption));
  ShowPoreInput(ui_.poreControls, params_.UsePore, params_.PorePressure, kCoulombStressMask);
  ui_.derivedParameter.Choose(DerivedParameter(params_.ParamOption));
  ShowInputValue(ui_.cohesion, params_.Cohesion, kCoulombStressMask);
  ShowInputValue(ui_.uniaxialStrength, params_.UniaxialStrength, kCoulombStressMask);
  ShowInputValue(ui_.frictionAngle, params_.FrictionAngle, kCoulombFrictionMask);
  ShowParameterBoxes();
}

QLineEdit* CoulombDialog::ParameterBox(CoulombDerived parameter) const {
  switch (parameter) {
    case CoulombDerived::UniaxialStrength: return ui_.uniaxialStrength;
    case CoulombDerived::FrictionAngle: return ui_.frictionAngle;
    case CoulombDerived::Cohesion: break;
  }
  return ui_.cohesion;
}

CoulombDerived CoulombDialog::DerivedChoice() const { return ui_.derivedParameter.Chosen(); }

void CoulombDialog::ShowParameterBoxes() {
  const CoulombDerived derived = DerivedChoice();
  for (CoulombDerived parameter :
       {CoulombDerived::Cohesion, CoulombDerived::UniaxialStrength, CoulombDerived::FrictionAngle}) {
    QLineEdit* box = ParameterBox(parameter);
    box->setReadOnly(parameter == derived);
    box->setFocusPolicy(parameter == derived ? Qt::ClickFocus : Qt::StrongFocus);
  }
}

bool CoulombDialog::ValidateInput() {
  if (!inputs_.Validate()) return false;
  // The options count once every box has passed.
  params_.ParamOption = DerivedChoice();
  params_.UsePore = ui_.poreOption->isChecked();
  if (!ui_.poreOption->isChecked()) params_.PorePressure = 0;
  return true;
}

void CoulombDialog::ShowResults() {
  calculating_ = true;
  result_ = CalcCoulomb(stress_, params_);
  const CoulombDerived derived = DerivedChoice();
  QLineEdit* derivedBox = ParameterBox(derived);
  if (!result_.Computed) {
    // Principal stresses beyond the 32-bit range: nothing of the last
    // state stays on show.
    LogRuntimeError(RuntimeError(ErrorNumber::Overflow));
    forms::ClearResults({ui_.s1, ui_.s1Direction, ui_.s2, ui_.s2Direction, ui_.failureVerdict, ui_.poreFailureVerdict,
                         ui_.failureAngle, ui_.shearAtFailure, derivedBox});
    ui_.poreNotice->clear();
    calculating_ = false;
    return;
  }
  StoreCoulombResult(result_, params_, principal_);
  forms::ShowResult(ui_.s1, principal_.S1, kCoulombStressMask);
  forms::ShowResult(ui_.s2, principal_.S2, kCoulombStressMask);
  forms::ShowResult(ui_.s1Direction, principal_.Theta1, kCoulombDirectionMask);
  forms::ShowResult(ui_.s2Direction, principal_.Theta2, kCoulombDirectionMask);

  const QString derivedText = DerivedParameterText(result_.Strength, derived);
  if (derivedText.isEmpty()) {
    forms::ShowResult(derivedBox, QString());
  } else {
    const CoulombStrength& s = result_.Strength;
    const float value = derived == CoulombDerived::UniaxialStrength ? s.UniaxialStrength
                        : derived == CoulombDerived::FrictionAngle  ? s.FrictionAngle
                                                                    : s.Cohesion;
    forms::ShowStoredValue(derivedBox, value, derivedText);
  }

  ShowVerdict(ui_.failureVerdict, result_.FailureVerdict, VerdictCase::Lower);
  if (ui_.poreOption->isChecked()) ShowVerdict(ui_.poreFailureVerdict, result_.PoreVerdict, VerdictCase::Lower);
  forms::ShowResult(ui_.failureAngle, result_.FailureAngle, kCoulombFailureAngleMask);
  forms::ShowResult(ui_.shearAtFailure, result_.ShearAtFailure, kCoulombStressMask);
  ui_.poreNotice->setText(result_.PoreAboveS2 ? kCoulombPoreNotice.toString() : QString());
  calculating_ = false;
}

void CoulombDialog::RedrawGraph(bool reset) {
  if (!result_.Computed) {
    // No state: the zoom bar, which redraws from the plot's own state, finds
    // nothing to draw either.
    ui_.plot->SetPrincipal(0, 0, 0);
    ui_.plot->Blank();
    return;
  }
  ui_.plot->SetState(principal_, params_, ui_.graphOption.Chosen());
  ui_.plot->Redraw(reset);
}

void CoulombDialog::OnInputEdited() {
  if (loading_ || calculating_) return;
  if (!ValidateInput()) return;
  ShowResults();
  RedrawGraph(false);
}

void CoulombDialog::OnPoreOptionToggled() {
  ShowPoreControls(ui_.poreControls);
  OnInputEdited();
}

void CoulombDialog::OnDerivedParameterChosen() {
  ShowParameterBoxes();
  {
    // The box that becomes derived starts from 0; the computation fills it.
    QLineEdit* box = ParameterBox(DerivedChoice());
    const QSignalBlocker quiet(box);
    forms::ShowResult(box, QStringLiteral("0"));
  }
  OnInputEdited();
}

void CoulombDialog::OnGraphChosen() {
  const bool shown = ui_.graphOption.Chosen() != StressGraph::None;
  SwitchPlotWidth(*this, ui_.plot, shown, kNarrowWidth, kWideWidth);
  RedrawGraph(true);
}

void CoulombDialog::OnUpperLimitClicked() { SearchLimit(true); }

void CoulombDialog::OnLowerLimitClicked() { SearchLimit(false); }

void CoulombDialog::SearchLimit(bool upper) {
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

void CoulombDialog::CommitToProject() {
  stress_.GraphOption = ui_.graphOption.Chosen();
  // The derived parameter is kept as its box shows it. A text that cannot
  // be read as a 32-bit number (the box is the program's, so only an error
  // can put one there) keeps the value computed, and the error goes to the
  // history.
  const CoulombDerived derived = DerivedChoice();
  float& field = derived == CoulombDerived::UniaxialStrength ? params_.UniaxialStrength
                 : derived == CoulombDerived::FrictionAngle  ? params_.FrictionAngle
                                                             : params_.Cohesion;
  if (const std::optional<float> shown = forms::LeadingValue<float>(ParameterBox(derived))) {
    field = DerivedParameterAsShown(*shown, derived);
  } else {
    LogRuntimeError(RuntimeError(ErrorNumber::Overflow));
  }
  Project.CoulombStress = stress_;
  Project.CoulombInput = params_;
  Project.CoulombPrincipal = principal_;
  MarkProjectChanged();
}

}  // namespace brantel
