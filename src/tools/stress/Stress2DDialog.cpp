#include "tools/stress/Stress2DDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "plot/StressPlot.h"
#include "tools/stress/ElementPicture.h"
#include "tools/stress/Stress2D.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly;

constexpr forms::FormDesign kForm{.name = "frm2DPrinc",
                                  .width = Stress2DDialog::kNarrowWidth,
                                  .height = 6480,
                                  .caption = {"Stress Analysis in Two Dimensions", "Ανάλυση τάσεων σε δύο διαστάσεις"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // Inputs.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 4695, 1455}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {480, 240, 450, 255}, .caption = {"sx", "σx"}, .partner = stress2d::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {480, 600, 450, 255}, .caption = {"sy", "σy"}, .partner = stress2d::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {480, 960, 450, 255}, .caption = {"txy", "τxy"}, .partner = stress2d::kTxy},
    {.name = stress2d::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 240, 855, 285}, .maxLength = 20},
    {.name = stress2d::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 600, 855, 285}, .maxLength = 20},
    {.name = stress2d::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {960, 960, 855, 285}, .maxLength = 20},
    {.name = stress2d::kMohr, .kind = Kind::CheckBox, .container = "Frame1", .at = {2520, 360, 1815, 255}, .caption = {"Mohr's Circle", "Κύκλος του Mohr"}},
    {.name = stress2d::kView, .kind = Kind::Button, .container = "Frame1", .at = {2400, 840, 2055, 375}, .caption = {"View Orientation", "απεικόνιση στροφής"}},
    // Principal results.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1680, 4695, 2055}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame2", .at = {600, 240, 345, 255}, .caption = {"s1", "σ1"}, .partner = stress2d::kS1},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame2", .at = {600, 600, 345, 255}, .caption = {"s2", "σ2"}, .partner = stress2d::kS2},
    {.name = stress2d::kS1, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 240, 1095, 285}, .flags = kResult},
    {.name = stress2d::kS2, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 600, 1095, 285}, .flags = kResult},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame2", .at = {2640, 240, 480, 255}, .caption = {"w(s1)", "θ1"}, .partner = stress2d::kTheta1},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame2", .at = {2640, 600, 480, 255}, .caption = {"w(s2)", "θ2"}, .partner = stress2d::kTheta2},
    {.name = stress2d::kTheta1, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 240, 1095, 285}, .flags = kResult},
    {.name = stress2d::kTheta2, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 600, 1095, 285}, .flags = kResult},
    {.name = "lbltmax", .kind = Kind::Label, .container = "Frame2", .at = {120, 1200, 825, 255}, .caption = {"tmax", "τ max"}, .partner = stress2d::kTmax},
    {.name = stress2d::kTmax, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 1200, 855, 285}, .flags = kResult},
    {.name = "lblth1x", .kind = Kind::Label, .container = "Frame2", .at = {1890, 1200, 1215, 255}, .caption = {"w(tmax) from x", "θ (from x)"}, .partner = stress2d::kThetaPlus45},
    {.name = "lblth2x", .kind = Kind::Label, .container = "Frame2", .at = {1890, 1560, 1215, 255}, .caption = {"w(tmax) from x", "θ (from x)"}, .partner = stress2d::kThetaMinus45},
    {.name = stress2d::kThetaPlus45, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 1200, 1095, 285}, .flags = kResult},
    {.name = stress2d::kThetaMinus45, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 1560, 1095, 285}, .flags = kResult},
    // The plane.
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 3840, 4695, 1815}, .caption = {"Stress Calculation at any Plane", "Υπολογισμός τάσεων σε τυχαίο επίπεδο"}},
    {.name = "Label19", .kind = Kind::Label, .container = "Frame3", .at = {240, 360, 1500, 615}, .caption = {"Angle of Plane Vector from s1 (deg) ", "γωνία διανύ- σματος επιπέδου από σ1 (ο)"}, .partner = stress2d::kAngle},
    {.name = stress2d::kAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {1800, 480, 855, 285}, .maxLength = 7},
    {.name = "Label21", .kind = Kind::Label, .container = "Frame3", .at = {240, 1080, 1500, 615}, .caption = {"Angle of Plane from x-axis (deg) ", "γωνία επιπέδου από x (o)"}, .partner = stress2d::kAngleFromX},
    {.name = stress2d::kAngleFromX, .kind = Kind::TextBox, .container = "Frame3", .at = {1800, 1200, 855, 285}, .flags = kResult},
    {.name = stress2d::kAngleFromS1, .kind = Kind::Option, .container = "Frame3", .at = {2760, 480, 225, 255}, .partner = "Label19"},
    {.name = stress2d::kAngleFromXAxis, .kind = Kind::Option, .container = "Frame3", .at = {2760, 1200, 225, 255}, .partner = "Label21"},
    {.name = "lblsN", .kind = Kind::Label, .container = "Frame3", .at = {3000, 360, 435, 255}, .caption = {"s_n", "σ_n"}, .partner = stress2d::kSigmaN},
    {.name = "lbltN", .kind = Kind::Label, .container = "Frame3", .at = {3000, 720, 435, 255}, .caption = {"t_n", "τ_n"}, .partner = stress2d::kTauN},
    {.name = stress2d::kSigmaN, .kind = Kind::TextBox, .container = "Frame3", .at = {3480, 360, 1095, 285}, .flags = kResult},
    {.name = stress2d::kTauN, .kind = Kind::TextBox, .container = "Frame3", .at = {3480, 720, 1095, 285}, .flags = kResult},
    {.name = stress2d::kPlotPlane, .kind = Kind::Button, .container = "Frame3", .at = {3240, 1200, 1215, 375}, .caption = {"View", "απεικόνιση"}, .flags = forms::kHidden},
    // The element sketch.
    {.name = stress2d::kReference, .kind = Kind::Picture, .at = {4920, 240, 3000, 3000}},
    {.name = stress2d::kSketch, .kind = Kind::Picture, .at = {4920, 3360, 3000, 3000}},
    // The interactive plot.
    {.name = stress2d::kZoom, .kind = Kind::HScroll, .at = {8640, 240, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = stress2d::kPlot, .kind = Kind::Picture, .at = {8160, 720, 4080, 4000}},
    {.name = stress2d::kCoord, .kind = Kind::Label, .at = {8640, 5040, 3255, 495}},
    {.name = stress2d::kIntCoord, .kind = Kind::Label, .at = {8640, 5880, 3255, 495}},
    // Buttons.
    {.name = stress2d::kHelp, .kind = Kind::Button, .at = {600, 5880, 1215, 375}, .caption = {"Help"}},
    {.name = stress2d::kCancel, .kind = Kind::Button, .at = {2040, 5880, 1215, 375}, .caption = {"Cancel"}},
    {.name = stress2d::kOk, .kind = Kind::Button, .at = {3480, 5880, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

Stress2DDialog::Stress2DDialog(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frm2DPrinc"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(stress2d::kPlot)) return new MohrCirclePlot(parent);
    if (name == QLatin1String(stress2d::kReference)) return new ReferenceElement(parent);
    if (name == QLatin1String(stress2d::kSketch)) return new ElementView(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(stress2d::kSx);
  ui_.sy = Require<QLineEdit>(stress2d::kSy);
  ui_.txy = Require<QLineEdit>(stress2d::kTxy);
  ui_.angle = Require<QLineEdit>(stress2d::kAngle);
  ui_.s1 = Require<QLineEdit>(stress2d::kS1);
  ui_.s2 = Require<QLineEdit>(stress2d::kS2);
  ui_.theta1 = Require<QLineEdit>(stress2d::kTheta1);
  ui_.theta2 = Require<QLineEdit>(stress2d::kTheta2);
  ui_.tmax = Require<QLineEdit>(stress2d::kTmax);
  ui_.thetaPlus45 = Require<QLineEdit>(stress2d::kThetaPlus45);
  ui_.thetaMinus45 = Require<QLineEdit>(stress2d::kThetaMinus45);
  ui_.sigmaN = Require<QLineEdit>(stress2d::kSigmaN);
  ui_.tauN = Require<QLineEdit>(stress2d::kTauN);
  ui_.angleFromX = Require<QLineEdit>(stress2d::kAngleFromX);
  ui_.mohr = Require<QCheckBox>(stress2d::kMohr);
  ui_.view = Require<QPushButton>(stress2d::kView);
  ui_.plot = Require<QPushButton>(stress2d::kPlotPlane);
  ui_.ok = Require<QPushButton>(stress2d::kOk);
  ui_.angleFrom = Options(stress2d::kAngleFrom);
  ui_.picMohr = Require<MohrCirclePlot>(stress2d::kPlot);
  ui_.reference = Require<ReferenceElement>(stress2d::kReference);
  ui_.sketch = Require<ElementView>(stress2d::kSketch);

  inputs_.Add(ui_.sx, stress_.Sx, {Reading::WholeEntry, InvalidValueFor({"sx", "σx"})});
  inputs_.Add(ui_.sy, stress_.Sy, {Reading::WholeEntry, InvalidValueFor({"sy", "σy"})});
  inputs_.Add(ui_.txy, stress_.Txy, {Reading::WholeEntry, InvalidValueFor({"txy", "τxy"})});
  inputs_.Add(ui_.angle, plane_.PlaneAngle, {Reading::WholeEntry, InvalidValueFor({"angle theta", "θ"})});

  auto* coord = Require<QLabel>(stress2d::kCoord);
  auto* intCoord = Require<QLabel>(stress2d::kIntCoord);
  for (QLabel* label : {coord, intCoord}) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  ui_.picMohr->AttachZoomBar(Require<QScrollBar>(stress2d::kZoom));
  ui_.picMohr->AttachReadouts(coord, intCoord);

  WireButtons(ui_.ok, Require<QPushButton>(stress2d::kCancel), Require<QPushButton>(stress2d::kHelp));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    connect(box, &QLineEdit::textChanged, this, &Stress2DDialog::TextStress_Change);
    forms::OnGotFocus(box, [this] { TextStress_GotFocus(); });
    forms::OnLostFocus(box, [this, box] { TextStress_LostFocus(box); });
  }
  connect(ui_.angle, &QLineEdit::textChanged, this, &Stress2DDialog::Text9_Change);
  forms::OnLostFocus(ui_.angle, [this] { Text9_LostFocus(); });
  connect(ui_.mohr, &QCheckBox::toggled, this, &Stress2DDialog::chkMohr_Click);
  connect(ui_.plot, &QPushButton::clicked, this, &Stress2DDialog::cmdPlot_Click);
  timer1_.setSingleShot(true);
  connect(&timer1_, &QTimer::timeout, this, &Stress2DDialog::Timer1_Timer);

  Form_Load();
}

Stress2DDialog::~Stress2DDialog() = default;

void Stress2DDialog::Form_Load() {
  LoadInputs();
  if (ValidateInput() && CalcPrincipal()) timer1_.start(500);
  if (EnableMohrCircles == 1) ui_.mohr->setChecked(true);
  RedrawPlot(true);
  forms::SetArrayIndex(ui_.angleFrom, 0);
  if (ParseLeadingNumber(ui_.angle->text()) != 0) Text9_Change();
  AddHistoryLine(Tr({"Stress Analysis in Two Dimensions.", "Ανάλυση τάσεων σε δύο διαστάσεις."}));
}

void Stress2DDialog::LoadFromProject() {
  stress_ = Project.Stress2D;
  plane_ = Project.Stress2DPlane;
  inputs_.Show(u"#0.##0");
  ui_.mohr->setChecked(stress_.GraphOption == 1);
  chkMohr_Click();
}

bool Stress2DDialog::ValidateInput() {
  const bool valid = inputs_.Validate();
  ui_.ok->setEnabled(stress_.Sx != 0 || stress_.Sy != 0 || stress_.Txy != 0 || plane_.PlaneAngle != 0);
  return valid;
}

bool Stress2DDialog::CalcPrincipal() {
  principalShown_ = forms::Calculate(
      {ui_.s1, ui_.s2, ui_.theta1, ui_.theta2, ui_.tmax, ui_.thetaPlus45, ui_.thetaMinus45, ui_.sigmaN, ui_.tauN,
       ui_.angleFromX},
      [this] {
        principal_ = PrincipalStresses(stress_.Sx, stress_.Sy, stress_.Txy);
        forms::ShowResult(ui_.s1, principal_.S1);
        forms::ShowResult(ui_.s2, principal_.S2);
        forms::ShowResult(ui_.theta1, principal_.Theta1);
        forms::ShowResult(ui_.theta2, principal_.Theta2);
        forms::ShowResult(ui_.tmax, principal_.TauMax);
        forms::ShowResult(ui_.thetaPlus45, principal_.ThetaPlus45);
        forms::ShowResult(ui_.thetaMinus45, principal_.ThetaMinus45);
      },
      [this] {
        principal_ = {};
        ui_.picMohr->Blank();
      });
  if (!principalShown_) return false;
  ui_.view->setEnabled(true);
  sketchDrawn_ = false;
  return CalcPlaneStress();
}

bool Stress2DDialog::CalcPlaneStress() {
  if (!principalShown_) return false;  // the plane follows from the principal stresses
  return forms::Calculate({ui_.sigmaN, ui_.tauN, ui_.angleFromX}, [this] {
    const PlaneStress p = StressOnPlaneAt(principal_.S1, principal_.S2, plane_.PlaneAngle);
    plane_.SigmaN = p.SigmaN;
    plane_.TauN = p.TauN;
    forms::ShowResult(ui_.sigmaN, plane_.SigmaN);
    forms::ShowResult(ui_.tauN, plane_.TauN);
    // The angle from x is the sum of the two texts as they stand.
    forms::ShowResult(ui_.angleFromX, ParseLeadingNumber(ui_.angle->text()) + ParseLeadingNumber(ui_.theta1->text()));
  });
}

void Stress2DDialog::RedrawPlot(bool useDefault) {
  if (!principalShown_) {
    ui_.picMohr->Blank();
    return;
  }
  ui_.picMohr->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
  // A number too large to read draws the plane at 0 degrees: nothing is
  // computed from that text, and validation refuses it with its message.
  ui_.picMohr->SetPlaneAngle(LeadingNumber(ui_.angle->text()).value_or(0.0));
  ui_.picMohr->Redraw(useDefault);
}

void Stress2DDialog::TextStress_Change() {
  if (loading_) return;
  if (ValidateInput()) {
    CalcPrincipal();
    RedrawPlot(false);
  }
}

void Stress2DDialog::Text9_Change() {
  if (loading_) return;
  if (ValidateInput()) {
    CalcPlaneStress();
    RedrawPlot(false);
  }
}

bool Stress2DDialog::AnyStressEntered() const {
  for (const QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    // A number too large to read is not 0 either.
    const std::optional<double> value = LeadingNumber(box->text());
    if (!value || *value != 0) return true;
  }
  return false;
}

void Stress2DDialog::TextStress_GotFocus() {
  forms::SelectAllText();
  if (AnyStressEntered()) DrawElementImage();
}

void Stress2DDialog::TextStress_LostFocus(QLineEdit* box) {
  forms::ShowTypedValue(box, u"#0.##0", forms::OnLeave::ValueOfText);
  if (AnyStressEntered()) DrawElementImage();
}

void Stress2DDialog::Text9_LostFocus() { forms::ShowTypedValue(ui_.angle, u"#0.##0", forms::OnLeave::NumbersOnly); }

void Stress2DDialog::chkMohr_Click() {
  const bool shown = ui_.mohr->isChecked();
  ui_.picMohr->SetPlotShown(shown);
  ui_.picMohr->setVisible(shown);  // no sliver of it at the edge of the narrow dialog
  ui_.plot->setVisible(shown);
  Layout().SetFormWidth(shown ? kWideWidth : kNarrowWidth);
  if (shown) cmdPlot_Click();
  forms::CenterForm(this);
}

void Stress2DDialog::cmdPlot_Click() {
  if (principal_.S1 != 0 || principal_.S2 != 0) {
    RedrawPlot(true);
  } else {
    ui_.picMohr->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
    ui_.picMohr->SetPlotRangeSafely(true);
  }
}

void Stress2DDialog::Timer1_Timer() {
  DrawElementImage();
  timer1_.stop();
}

void Stress2DDialog::DrawElementImage() {
  if (sketchDrawn_) return;
  if (principal_.Theta1 == 0) {
    // A principal direction along x: the labelled picture is the sketch.
    if (!ui_.sketch->LabelledShown()) ui_.sketch->ShowLabelled();
  } else {
    ui_.sketch->ShowTurned(ui_.reference->Picture(), principal_.Theta1);
  }
  sketchDrawn_ = true;
  ui_.view->setEnabled(false);
}

void Stress2DDialog::CommitToProject() {
  stress_.GraphOption = ui_.mohr->isChecked() ? 1 : 0;
  Project.Stress2D = stress_;
  Project.Stress2DPlane = plane_;
  MarkProjectChanged();
}

void Stress2DDialog::FormUnload() { timer1_.stop(); }

}  // namespace brantel
