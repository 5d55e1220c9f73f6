#include "tools/stress/Stress2DDialog.h"

#include "core/History.h"
#include "core/Messages.h"
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

// The leading number of a box in a calculation; a number too large to read
// raises Overflow, which the calculation reports.
double BoxNumber(const QLineEdit* box) {
  const std::optional<double> value = forms::LeadingValue(box);
  if (!value) RaiseError(ErrorNumber::Overflow);
  return *value;
}

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
    {.name = stress2d::kShowMohrCircle, .kind = Kind::CheckBox, .container = "Frame1", .at = {2520, 360, 1815, 255}, .caption = {"Mohr's Circle", "Κύκλος του Mohr"}},
    {.name = stress2d::kViewOrientation, .kind = Kind::Button, .container = "Frame1", .at = {2400, 840, 2055, 375}, .caption = {"View Orientation", "απεικόνιση στροφής"}},
    // Principal results.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1680, 4695, 2055}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame2", .at = {600, 240, 345, 255}, .caption = {"s1", "σ1"}, .partner = stress2d::kS1},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame2", .at = {600, 600, 345, 255}, .caption = {"s2", "σ2"}, .partner = stress2d::kS2},
    {.name = stress2d::kS1, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 240, 1095, 285}, .flags = kResult},
    {.name = stress2d::kS2, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 600, 1095, 285}, .flags = kResult},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame2", .at = {2640, 240, 480, 255}, .caption = {"w(s1)", "θ1"}, .partner = stress2d::kAngleOfS1},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame2", .at = {2640, 600, 480, 255}, .caption = {"w(s2)", "θ2"}, .partner = stress2d::kAngleOfS2},
    {.name = stress2d::kAngleOfS1, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 240, 1095, 285}, .flags = kResult},
    {.name = stress2d::kAngleOfS2, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 600, 1095, 285}, .flags = kResult},
    {.name = "lbltmax", .kind = Kind::Label, .container = "Frame2", .at = {120, 1200, 825, 255}, .caption = {"tmax", "τ max"}, .partner = stress2d::kTmax},
    {.name = stress2d::kTmax, .kind = Kind::TextBox, .container = "Frame2", .at = {960, 1200, 855, 285}, .flags = kResult},
    {.name = "lblth1x", .kind = Kind::Label, .container = "Frame2", .at = {1890, 1200, 1215, 255}, .caption = {"w(tmax) from x", "θ (from x)"}, .partner = stress2d::kAngleOfTmax},
    {.name = "lblth2x", .kind = Kind::Label, .container = "Frame2", .at = {1890, 1560, 1215, 255}, .caption = {"w(tmax) from x", "θ (from x)"}, .partner = stress2d::kAngleOfOtherTmax},
    {.name = stress2d::kAngleOfTmax, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 1200, 1095, 285}, .flags = kResult},
    {.name = stress2d::kAngleOfOtherTmax, .kind = Kind::TextBox, .container = "Frame2", .at = {3120, 1560, 1095, 285}, .flags = kResult},
    // The plane.
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 3840, 4695, 1815}, .caption = {"Stress Calculation at any Plane", "Υπολογισμός τάσεων σε τυχαίο επίπεδο"}},
    {.name = "Label19", .kind = Kind::Label, .container = "Frame3", .at = {240, 360, 1500, 615}, .caption = {"Angle of Plane Vector from s1 (deg) ", "γωνία διανύ- σματος επιπέδου από σ1 (ο)"}, .partner = stress2d::kPlaneAngle},
    {.name = stress2d::kPlaneAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {1800, 480, 855, 285}, .maxLength = 7},
    {.name = "Label21", .kind = Kind::Label, .container = "Frame3", .at = {240, 1080, 1500, 615}, .caption = {"Angle of Plane from x-axis (deg) ", "γωνία επιπέδου από x (o)"}, .partner = stress2d::kPlaneAngleFromX},
    {.name = stress2d::kPlaneAngleFromX, .kind = Kind::TextBox, .container = "Frame3", .at = {1800, 1200, 855, 285}, .flags = kResult},
    {.name = stress2d::kAngleFromS1, .kind = Kind::Option, .container = "Frame3", .at = {2760, 480, 225, 255}, .partner = "Label19"},
    {.name = stress2d::kAngleFromXAxis, .kind = Kind::Option, .container = "Frame3", .at = {2760, 1200, 225, 255}, .partner = "Label21"},
    {.name = "lblsN", .kind = Kind::Label, .container = "Frame3", .at = {3000, 360, 435, 255}, .caption = {"s_n", "σ_n"}, .partner = stress2d::kPlaneNormalStress},
    {.name = "lbltN", .kind = Kind::Label, .container = "Frame3", .at = {3000, 720, 435, 255}, .caption = {"t_n", "τ_n"}, .partner = stress2d::kPlaneShearStress},
    {.name = stress2d::kPlaneNormalStress, .kind = Kind::TextBox, .container = "Frame3", .at = {3480, 360, 1095, 285}, .flags = kResult},
    {.name = stress2d::kPlaneShearStress, .kind = Kind::TextBox, .container = "Frame3", .at = {3480, 720, 1095, 285}, .flags = kResult},
    {.name = stress2d::kRedrawPlot, .kind = Kind::Button, .container = "Frame3", .at = {3240, 1200, 1215, 375}, .caption = {"View", "απεικόνιση"}, .flags = forms::kHidden},
    // The element sketch.
    {.name = stress2d::kReferenceElement, .kind = Kind::Picture, .at = {4920, 240, 3000, 3000}},
    {.name = stress2d::kTurnedElement, .kind = Kind::Picture, .at = {4920, 3360, 3000, 3000}},
    // The interactive plot.
    {.name = stress2d::kZoomBar, .kind = Kind::HScroll, .at = {8640, 240, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
    {.name = stress2d::kMohrPlot, .kind = Kind::Picture, .at = {8160, 720, 4080, 4000}},
    {.name = stress2d::kPointerCoordinates, .kind = Kind::Label, .at = {8640, 5040, 3255, 495}},
    {.name = stress2d::kInternalCoordinates, .kind = Kind::Label, .at = {8640, 5880, 3255, 495}},
    // Buttons.
    {.name = stress2d::kHelp, .kind = Kind::Button, .at = {600, 5880, 1215, 375}, .caption = {"Help"}},
    {.name = stress2d::kCancel, .kind = Kind::Button, .at = {2040, 5880, 1215, 375}, .caption = {"Cancel"}},
    {.name = stress2d::kOk, .kind = Kind::Button, .at = {3480, 5880, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

}  // namespace

Stress2DDialog::Stress2DDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(stress2d::kMohrPlot)) return new MohrCirclePlot(parent);
    if (name == QLatin1String(stress2d::kReferenceElement)) return new ReferenceElement(parent);
    if (name == QLatin1String(stress2d::kTurnedElement)) return new ElementView(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(stress2d::kSx);
  ui_.sy = Require<QLineEdit>(stress2d::kSy);
  ui_.txy = Require<QLineEdit>(stress2d::kTxy);
  ui_.planeAngle = Require<QLineEdit>(stress2d::kPlaneAngle);
  ui_.s1 = Require<QLineEdit>(stress2d::kS1);
  ui_.s2 = Require<QLineEdit>(stress2d::kS2);
  ui_.angleOfS1 = Require<QLineEdit>(stress2d::kAngleOfS1);
  ui_.angleOfS2 = Require<QLineEdit>(stress2d::kAngleOfS2);
  ui_.tmax = Require<QLineEdit>(stress2d::kTmax);
  ui_.angleOfTmax = Require<QLineEdit>(stress2d::kAngleOfTmax);
  ui_.angleOfOtherTmax = Require<QLineEdit>(stress2d::kAngleOfOtherTmax);
  ui_.planeNormalStress = Require<QLineEdit>(stress2d::kPlaneNormalStress);
  ui_.planeShearStress = Require<QLineEdit>(stress2d::kPlaneShearStress);
  ui_.planeAngleFromX = Require<QLineEdit>(stress2d::kPlaneAngleFromX);
  ui_.showMohrCircle = Require<QCheckBox>(stress2d::kShowMohrCircle);
  ui_.viewOrientation = Require<QPushButton>(stress2d::kViewOrientation);
  ui_.redrawPlot = Require<QPushButton>(stress2d::kRedrawPlot);
  ui_.ok = Require<QPushButton>(stress2d::kOk);
  ui_.angleMeasuredFrom = {Options(stress2d::kAngleMeasuredFrom)};
  ui_.mohrPlot = Require<MohrCirclePlot>(stress2d::kMohrPlot);
  ui_.referenceElement = Require<ReferenceElement>(stress2d::kReferenceElement);
  ui_.turnedElement = Require<ElementView>(stress2d::kTurnedElement);

  inputs_.Add(ui_.sx, stress_.Sx, {Reading::WholeEntry, InvalidValueFor({"sx", "σx"})});
  inputs_.Add(ui_.sy, stress_.Sy, {Reading::WholeEntry, InvalidValueFor({"sy", "σy"})});
  inputs_.Add(ui_.txy, stress_.Txy, {Reading::WholeEntry, InvalidValueFor({"txy", "τxy"})});
  inputs_.Add(ui_.planeAngle, plane_.PlaneAngle, {Reading::WholeEntry, InvalidValueFor({"angle theta", "θ"})});

  auto* coord = Require<QLabel>(stress2d::kPointerCoordinates);
  auto* intCoord = Require<QLabel>(stress2d::kInternalCoordinates);
  for (QLabel* label : {coord, intCoord}) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  ui_.mohrPlot->AttachZoomBar(Require<QScrollBar>(stress2d::kZoomBar));
  ui_.mohrPlot->AttachReadouts(coord, intCoord);

  WireButtons(ui_.ok, Require<QPushButton>(stress2d::kCancel), Require<QPushButton>(stress2d::kHelp));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    connect(box, &QLineEdit::textChanged, this, &Stress2DDialog::OnStressEdited);
    forms::OnGotFocus(box, [this] { OnStressFocusGained(); });
    forms::OnLostFocus(box, [this, box] { OnStressFocusLost(box); });
  }
  connect(ui_.planeAngle, &QLineEdit::textChanged, this, &Stress2DDialog::OnPlaneAngleEdited);
  forms::OnLostFocus(ui_.planeAngle, [this] { OnPlaneAngleFocusLost(); });
  connect(ui_.showMohrCircle, &QCheckBox::toggled, this, &Stress2DDialog::OnMohrCircleToggled);
  connect(ui_.redrawPlot, &QPushButton::clicked, this, &Stress2DDialog::OnRedrawPlotClicked);
  sketchDelay_.setSingleShot(true);
  connect(&sketchDelay_, &QTimer::timeout, this, &Stress2DDialog::OnSketchDelayElapsed);

  OnLoad();
}

Stress2DDialog::~Stress2DDialog() = default;

void Stress2DDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput() && CalcPrincipal()) sketchDelay_.start(500);
  if (EnableMohrCircles) ui_.showMohrCircle->setChecked(true);
  RedrawPlot(true);
  ui_.angleMeasuredFrom.Choose(AngleMeasuredFrom::S1);
  // A number too large to read is not 0 either.
  const std::optional<double> angle = forms::LeadingValue(ui_.planeAngle);
  if (!angle || *angle != 0) OnPlaneAngleEdited();
  AddHistoryLine(Tr({"Stress Analysis in Two Dimensions.", "Ανάλυση τάσεων σε δύο διαστάσεις."}));
}

void Stress2DDialog::LoadFromProject() {
  stress_ = Project.Stress2D;
  plane_ = Project.Stress2DPlane;
  inputs_.Show(u"#0.##0");
  ui_.showMohrCircle->setChecked(stress_.GraphOption == StressGraph::MohrCircle);
  OnMohrCircleToggled();
}

bool Stress2DDialog::ValidateInput() {
  const bool valid = inputs_.Validate();
  ui_.ok->setEnabled(stress_.Sx != 0 || stress_.Sy != 0 || stress_.Txy != 0 || plane_.PlaneAngle != 0);
  return valid;
}

bool Stress2DDialog::CalcPrincipal() {
  principalShown_ = forms::Calculate(
      {ui_.s1, ui_.s2, ui_.angleOfS1, ui_.angleOfS2, ui_.tmax, ui_.angleOfTmax, ui_.angleOfOtherTmax,
       ui_.planeNormalStress, ui_.planeShearStress, ui_.planeAngleFromX},
      [this] {
        principal_ = PrincipalStresses(stress_.Sx, stress_.Sy, stress_.Txy);
        forms::ShowResult(ui_.s1, principal_.S1);
        forms::ShowResult(ui_.s2, principal_.S2);
        forms::ShowResult(ui_.angleOfS1, principal_.Theta1);
        forms::ShowResult(ui_.angleOfS2, principal_.Theta2);
        forms::ShowResult(ui_.tmax, principal_.TauMax);
        forms::ShowResult(ui_.angleOfTmax, principal_.ThetaPlus45);
        forms::ShowResult(ui_.angleOfOtherTmax, principal_.ThetaMinus45);
      },
      [this] {
        principal_ = {};
        ui_.mohrPlot->Blank();
      });
  if (!principalShown_) return false;
  ui_.viewOrientation->setEnabled(true);
  sketchDrawn_ = false;
  return CalcPlaneStress();
}

bool Stress2DDialog::CalcPlaneStress() {
  if (!principalShown_) return false;  // the plane follows from the principal stresses
  return forms::Calculate({ui_.planeNormalStress, ui_.planeShearStress, ui_.planeAngleFromX}, [this] {
    const PlaneStress p = StressOnPlaneAt(principal_.S1, principal_.S2, plane_.PlaneAngle);
    plane_.SigmaN = p.SigmaN;
    plane_.TauN = p.TauN;
    forms::ShowResult(ui_.planeNormalStress, plane_.SigmaN);
    forms::ShowResult(ui_.planeShearStress, plane_.TauN);
    // The angle from x is the sum of the two boxes as they read: the plane's
    // angle as entered and the angle of s1 as shown.
    forms::ShowResult(ui_.planeAngleFromX, BoxNumber(ui_.planeAngle) + BoxNumber(ui_.angleOfS1));
  });
}

void Stress2DDialog::RedrawPlot(bool useDefault) {
  if (!principalShown_) {
    ui_.mohrPlot->Blank();
    return;
  }
  ui_.mohrPlot->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
  // A number too large to read draws the plane at 0 degrees: nothing is
  // computed from that text, and validation refuses it with its message.
  ui_.mohrPlot->SetPlaneAngle(forms::LeadingValue(ui_.planeAngle).value_or(0.0));
  ui_.mohrPlot->Redraw(useDefault);
}

void Stress2DDialog::OnStressEdited() {
  RecalculateIfValid([this] {
    CalcPrincipal();
    RedrawPlot(false);
  });
}

void Stress2DDialog::OnPlaneAngleEdited() {
  RecalculateIfValid([this] {
    CalcPlaneStress();
    RedrawPlot(false);
  });
}

bool Stress2DDialog::AnyStressEntered() const {
  for (const QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy}) {
    // A number too large to read is not 0 either.
    const std::optional<double> value = forms::LeadingValue(box);
    if (!value || *value != 0) return true;
  }
  return false;
}

void Stress2DDialog::OnStressFocusGained() {
  forms::SelectAllText();
  if (AnyStressEntered()) DrawElementImage();
}

void Stress2DDialog::OnStressFocusLost(QLineEdit* box) {
  forms::ShowTypedValue(box, u"#0.##0", forms::OnLeave::ValueOfText);
  if (AnyStressEntered()) DrawElementImage();
}

void Stress2DDialog::OnPlaneAngleFocusLost() {
  forms::ShowTypedValue(ui_.planeAngle, u"#0.##0", forms::OnLeave::NumbersOnly);
}

void Stress2DDialog::OnMohrCircleToggled() {
  const bool shown = ui_.showMohrCircle->isChecked();
  ui_.mohrPlot->SetPlotShown(shown);
  ui_.mohrPlot->setVisible(shown);  // no sliver of it at the edge of the narrow dialog
  ui_.redrawPlot->setVisible(shown);
  Layout().SetFormWidth(shown ? kWideWidth : kNarrowWidth);
  if (shown) OnRedrawPlotClicked();
  forms::CenterForm(this);
}

void Stress2DDialog::OnRedrawPlotClicked() {
  if (principal_.S1 != 0 || principal_.S2 != 0) {
    RedrawPlot(true);
  } else {
    ui_.mohrPlot->SetPrincipal(principal_.S1, principal_.S2, principal_.TauMax);
    ui_.mohrPlot->SetPlotRangeSafely(true);
  }
}

void Stress2DDialog::OnSketchDelayElapsed() {
  DrawElementImage();
  sketchDelay_.stop();
}

void Stress2DDialog::DrawElementImage() {
  if (sketchDrawn_) return;
  if (principal_.Theta1 == 0) {
    // A principal direction along x: the labelled picture is the sketch.
    if (!ui_.turnedElement->LabelledShown()) ui_.turnedElement->ShowLabelled();
  } else {
    ui_.turnedElement->ShowTurned(ui_.referenceElement->Picture(), principal_.Theta1);
  }
  sketchDrawn_ = true;
  ui_.viewOrientation->setEnabled(false);
}

void Stress2DDialog::CommitToProject() {
  stress_.GraphOption = ui_.showMohrCircle->isChecked() ? StressGraph::MohrCircle : StressGraph::None;
  Project.Stress2D = stress_;
  Project.Stress2DPlane = plane_;
  MarkProjectChanged();
}

void Stress2DDialog::FormUnload() { sketchDelay_.stop(); }

}  // namespace brantel
