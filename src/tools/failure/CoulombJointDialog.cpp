#include "tools/failure/CoulombJointDialog.h"

#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "forms/FormInputs.h"
#include "tools/failure/CoulombJointChart.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 20;

constexpr forms::FormDesign kForm{
    .name = "frmCoulombJoint",
    .width = CoulombJointDialog::kNarrowWidth,
    .height = 6495,
    .caption = {"Coulomb Criterion in Material with pre-existing Discontinuity", "Κριτήριο Coulomb σε ασυνέχεια"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // The set shown and its stresses.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 3375, 2295}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = coulombjoint::kSet1, .kind = Kind::Option, .container = "Frame1", .at = {240, 300, 1200, 255}, .caption = {"Set 1"}},
    {.name = coulombjoint::kSet2, .kind = Kind::Option, .container = "Frame1", .at = {1680, 300, 1200, 255}, .caption = {"Set 2"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 720, 1440, 255}, .caption = {"sx", "σx"}, .partner = coulombjoint::kSx},
    {.name = coulombjoint::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {1740, 690, 1455, 285}, .maxLength = kInputLength},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1080, 1440, 255}, .caption = {"sy", "σy"}, .partner = coulombjoint::kSy},
    {.name = coulombjoint::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {1740, 1050, 1455, 285}, .maxLength = kInputLength},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1440, 1440, 255}, .caption = {"txy", "τxy"}, .partner = coulombjoint::kTxy},
    {.name = coulombjoint::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {1740, 1410, 1455, 285}, .maxLength = kInputLength},
    {.name = coulombjoint::kPoreOption, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1830, 255, 255}, .partner = coulombjoint::kPorePressureLabel},
    {.name = coulombjoint::kPorePressureLabel, .kind = Kind::Label, .container = "Frame1", .at = {540, 1830, 1140, 255}, .caption = {"Pore Pressure", "Πίεση Πόρων"}, .partner = coulombjoint::kPorePressure},
    {.name = coulombjoint::kPorePressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1740, 1800, 1455, 285}, .maxLength = kInputLength},
    // The intact material.
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2520, 3375, 1575}, .caption = {"Material Properties", "Παράμετροι υλικού"}},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame2", .at = {240, 330, 1440, 255}, .caption = {"Cohesion", "Συνοχή"}, .partner = coulombjoint::kMaterialCohesion},
    {.name = coulombjoint::kMaterialCohesion, .kind = Kind::TextBox, .container = "Frame2", .at = {1740, 300, 1455, 285}, .maxLength = kInputLength},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame2", .at = {240, 660, 1440, 420}, .caption = {"Friction Angle", "Γωνία εσωτερικής τριβής"}, .partner = coulombjoint::kMaterialFrictionAngle},
    {.name = coulombjoint::kMaterialFrictionAngle, .kind = Kind::TextBox, .container = "Frame2", .at = {1740, 690, 1455, 285}, .maxLength = kInputLength},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame2", .at = {240, 1140, 1440, 255}, .caption = {"Material Strength", "Αντοχή Υλικού"}, .partner = coulombjoint::kMaterialStrength},
    {.name = coulombjoint::kMaterialStrength, .kind = Kind::TextBox, .container = "Frame2", .at = {1740, 1110, 1455, 285}, .flags = kResult},
    // The graph.
    {.name = "Frame6", .kind = Kind::Frame, .at = {120, 4200, 3375, 1665}, .caption = {"Graph Options", "Γράφημα"}},
    {.name = coulombjoint::kNoGraph, .kind = Kind::Option, .container = "Frame6", .at = {240, 360, 2880, 255}, .caption = {"None", "Κανένα"}},
    {.name = coulombjoint::kMohrGraph, .kind = Kind::Option, .container = "Frame6", .at = {240, 780, 2880, 255}, .caption = {"Mohr's Circle", "Κύκλος του Mohr"}},
    {.name = coulombjoint::kS1BetaGraph, .kind = Kind::Option, .container = "Frame6", .at = {240, 1200, 2880, 255}, .caption = {"s1-b"}},
    // Principal stresses.
    {.name = "Frame4", .kind = Kind::Frame, .at = {3615, 120, 3915, 1095}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
    {.name = "lbls1", .kind = Kind::Label, .container = "Frame4", .at = {240, 300, 540, 255}, .caption = {"s1", "σ1"}, .partner = coulombjoint::kS1},
    {.name = coulombjoint::kS1, .kind = Kind::TextBox, .container = "Frame4", .at = {780, 270, 1035, 285}, .flags = kResult},
    {.name = "lbls2", .kind = Kind::Label, .container = "Frame4", .at = {240, 660, 540, 255}, .caption = {"s2", "σ2"}, .partner = coulombjoint::kS2},
    {.name = coulombjoint::kS2, .kind = Kind::TextBox, .container = "Frame4", .at = {780, 630, 1035, 285}, .flags = kResult},
    {.name = "lblth1", .kind = Kind::Label, .container = "Frame4", .at = {1980, 300, 720, 255}, .caption = {"w1(s1)", "θ(σ1)"}, .partner = coulombjoint::kS1Direction},
    {.name = coulombjoint::kS1Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {2760, 270, 1035, 285}, .flags = kResult},
    {.name = "lblth2", .kind = Kind::Label, .container = "Frame4", .at = {1980, 660, 720, 255}, .caption = {"w2(s2)", "θ(σ2)"}, .partner = coulombjoint::kS2Direction},
    {.name = coulombjoint::kS2Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {2760, 630, 1035, 285}, .flags = kResult},
    // The discontinuity.
    {.name = "Frame3", .kind = Kind::Frame, .at = {3615, 1320, 3915, 1935}, .caption = {"Discontinuity Parameters", "Παράμετροι ασυνέχειας"}},
    {.name = "lblCohesion", .kind = Kind::Label, .container = "Frame3", .at = {120, 330, 1440, 255}, .caption = {"Cohesion", "Συνοχή"}, .partner = coulombjoint::kJointCohesion},
    {.name = coulombjoint::kJointCohesion, .kind = Kind::TextBox, .container = "Frame3", .at = {1620, 300, 975, 285}, .maxLength = kInputLength},
    {.name = "lblFrictionAngle", .kind = Kind::Label, .container = "Frame3", .at = {120, 660, 1440, 420}, .caption = {"Friction Angle", "Γωνία εσωτερικής τριβής"}, .partner = coulombjoint::kJointFrictionAngle},
    {.name = coulombjoint::kJointFrictionAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {1620, 690, 975, 285}, .maxLength = kInputLength},
    {.name = "lblAngleHor", .kind = Kind::Label, .container = "Frame3", .at = {120, 1140, 1440, 615}, .caption = {"Discontinuity Angle from Horizontal", "Γωνία ασυνέχειας από το οριζόντιο επίπεδο "}, .partner = coulombjoint::kJointInclination},
    {.name = coulombjoint::kJointInclination, .kind = Kind::TextBox, .container = "Frame3", .at = {1620, 1290, 975, 285}, .maxLength = kInputLength},
    {.name = coulombjoint::kInclinationSketch, .kind = Kind::Picture, .container = "Frame3", .at = {2670, 300, 1185, 1470}},
    // The verdicts.
    {.name = "Frame5", .kind = Kind::Frame, .at = {3615, 3360, 3915, 2505}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "lblJointFail", .kind = Kind::Label, .container = "Frame5", .at = {120, 300, 2640, 255}, .caption = {"Failure at Discontinuity", "Αστοχία στην ασυνέχεια"}, .partner = coulombjoint::kJointFailureVerdict},
    {.name = coulombjoint::kJointFailureVerdict, .kind = Kind::TextBox, .container = "Frame5", .at = {2820, 270, 975, 285}, .flags = kResult},
    {.name = "lblMatFail", .kind = Kind::Label, .container = "Frame5", .at = {120, 630, 2640, 255}, .caption = {"Failure in Material", "Αστοχία στο υλικό"}, .partner = coulombjoint::kMaterialFailureVerdict},
    {.name = coulombjoint::kMaterialFailureVerdict, .kind = Kind::TextBox, .container = "Frame5", .at = {2820, 600, 975, 285}, .flags = kResult},
    {.name = coulombjoint::kJointPoreFailureLabel, .kind = Kind::Label, .container = "Frame5", .at = {120, 930, 2640, 420}, .caption = {"Failure at Discontinuity due to Pore Pressure", "Αστοχία στην ασυνέχεια λόγω πίεσης πόρων"}, .partner = coulombjoint::kJointPoreFailureVerdict},
    {.name = coulombjoint::kJointPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame5", .at = {2820, 990, 975, 285}, .flags = kResult},
    {.name = coulombjoint::kMaterialPoreFailureLabel, .kind = Kind::Label, .container = "Frame5", .at = {120, 1380, 2640, 420}, .caption = {"Failure in Material due to Pore Pressure", "Αστοχία στο υλικό λόγω πίεσης πόρων"}, .partner = coulombjoint::kMaterialPoreFailureVerdict},
    {.name = coulombjoint::kMaterialPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame5", .at = {2820, 1440, 975, 285}, .flags = kResult},
    {.name = coulombjoint::kPoreNotice, .kind = Kind::Label, .container = "Frame5", .at = {2820, 1740, 975, 225}, .flags = forms::kRedText},
    {.name = "Label27", .kind = Kind::Label, .container = "Frame5", .at = {120, 2100, 2640, 255}, .caption = {"Angle to s1", "Γωνία από σ1"}, .partner = coulombjoint::kAngleToS1},
    {.name = coulombjoint::kAngleToS1, .kind = Kind::TextBox, .container = "Frame5", .at = {2820, 2070, 975, 285}, .flags = kResult},
    // The plot area, beyond the narrow width: the legend of the Mohr plot,
    // the plot and the chart in one place, the chart's range below it.
    {.name = coulombjoint::kJointLegendLine, .kind = Kind::Picture, .at = {7680, 180, 450, 255}},
    {.name = coulombjoint::kJointLegend, .kind = Kind::Label, .at = {8220, 180, 3540, 255}, .caption = {"Discontinuity Criterion", "Κριτήριο αστοχίας ασυνέχειας."}},
    {.name = coulombjoint::kMaterialLegendLine, .kind = Kind::Picture, .at = {7680, 540, 450, 255}},
    {.name = coulombjoint::kMaterialLegend, .kind = Kind::Label, .at = {8220, 540, 3540, 255}, .caption = {"Material Criterion", "Κριτήριο αστοχίας υλικού."}},
    {.name = coulombjoint::kMohrPlot, .kind = Kind::Picture, .at = {7680, 960, 4080, 4000}},
    {.name = coulombjoint::kSigma1BetaChart, .kind = Kind::Picture, .at = {7680, 960, 4080, 4000}},
    {.name = coulombjoint::kSlidingRangeStart, .kind = Kind::Label, .at = {7680, 5040, 1935, 255}},
    {.name = coulombjoint::kSlidingRangeEnd, .kind = Kind::Label, .at = {9825, 5040, 1935, 255}},
    {.name = coulombjoint::kCoordinates, .kind = Kind::Label, .at = {7680, 5040, 4080, 255}},
    {.name = coulombjoint::kInternalCoordinates, .kind = Kind::Label, .at = {7680, 5340, 4080, 255}},
    // Buttons.
    {.name = coulombjoint::kHelp, .kind = Kind::Button, .at = {3675, 6000, 1215, 375}, .caption = {"Help"}},
    {.name = coulombjoint::kCancel, .kind = Kind::Button, .at = {4995, 6000, 1215, 375}, .caption = {"Cancel"}},
    {.name = coulombjoint::kOk, .kind = Kind::Button, .at = {6315, 6000, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

int InRange(int value, int last) { return value >= 0 && value <= last ? value : 0; }

// The sketch beside the discontinuity's inputs: the horizontal, a plane
// inclined to it and the positive sense of the inclination, counter-clockwise.
class PlaneSketch : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(4, 16, -4, -8);
    const double a = qDegreesToRadians(35.0);
    const QPointF origin(area.left(), area.bottom());
    const double length = std::min(area.width(), area.height() / std::sin(a));
    const auto at = [&](double radius, double angle) {
      return origin + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
    };
    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    p.drawLine(origin, at(area.width(), 0));
    p.setPen(QPen(palette().color(QPalette::WindowText), 2));
    p.drawLine(origin, at(length, a));

    const QColor arc(0, 0, 255);
    const double radius = 0.55 * length;
    p.setPen(QPen(arc, 1));
    p.drawArc(QRectF(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius), 0, qRound(35.0 * 16));
    // The arrowhead at the arc's end, turning counter-clockwise.
    const QPointF tip = at(radius, a);
    FillArrowhead(p, tip, QPointF(-std::sin(a), -std::cos(a)), 6, arc);
    const QPointF mark = at(radius + 12, a / 2);
    DrawSenseMark(p, QRectF(mark.x() - 12, mark.y() - 9, 24, 18), QStringLiteral("θ+"), arc);
  }
};

// A line of the plot's legend, in the colour of its curve.
class LegendLine : public QWidget {
 public:
  LegendLine(QRgb colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(QColor(colour_), 2));
    const int y = height() / 2;
    p.drawLine(0, y, width(), y);
  }

 private:
  QRgb colour_;
};

}  // namespace

// --- The plot ----------------------------------------------------------------

CoulombJointPlot::CoulombJointPlot(QWidget* parent) : FailurePlot(parent) {
  SetVerticalRange(VerticalRange::Shear);
  SetAxisMarks(AxisMarks::Grid);
  SetEqualScales(true);
  // The origin and the values under the axis are teal, as the material's
  // cohesion; the discontinuity's cohesion is yellow, as its envelope.
  const QColor teal(kTeal);
  SetCaptionColour(PlotCaption::Origin, teal);
  AddCaption(PlotCaption::S2, QStringLiteral("Label20"), teal);
  AddCaption(PlotCaption::Centre, QStringLiteral("Label21"), teal);
  AddCaption(PlotCaption::S1, QStringLiteral("Label22"), teal);
  AddCaption(PlotCaption::JointCohesion, QStringLiteral("Label24"), QColor(kYellow));
}

void CoulombJointPlot::SetState(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane,
                                float beta) {
  SetPrincipal(principal.S1, principal.S2, principal.TauMax);
  principal_ = principal;
  material_ = material;
  plane_ = plane;
  beta_ = beta;
  SetStrength(material.Cohesion);
}

void CoulombJointPlot::SetCaptions() {
  SetCaptionText(PlotCaption::JointCohesion, Format(plane_.Cohesion, kStrengthCaptionMask));
}

void CoulombJointPlot::DrawCriterion() {
  const JointMohrView v = JointMohrPlot(principal_, material_, plane_, beta_);
  if (!Step([&] { DrawStressCircle(v.Centre, v.Radius); })) return;
  if (v.EffectiveCircleShown && !Step([&] {
        DrawHalfCircle(v.EffectiveCentre, v.Radius, QColor(kDarkGreen));
        DrawWorldDot({v.EffectiveCentre, 0}, QColor(kDarkGreen), 20);
      }))
    return;
  if (!Step([&] { DrawWorldDot(v.StressPoint, QColor(kBlue), 20); })) return;
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (!Step([&] {
        jointRow_ = RowOf(plane_.Cohesion);
        DrawWorldDot(v.JointCohesionMarker, QColor(kYellow), 10);
      }))
    return;
  const auto line = [&](const std::optional<PlotSegment>& segment, QRgb colour) {
    return !segment || Step([&] { DrawWorldLine(segment->From, segment->To, QColor(colour), 2); });
  };
  if (!line(v.MaterialEnvelope, kTeal) || !line(v.JointEnvelope, kYellow)) return;
  if (!line(v.RangeLimit1, kMagenta) || !line(v.RangeLimit2, kMagenta)) return;
  line(v.DiscontinuityLine, kBrown);
}

void CoulombJointPlot::PlaceCaptions() {
  const float x0 = static_cast<float>(YAxis().x1());
  PlaceCircleCaptions();
  PlaceCaption(PlotCaption::Strength, x0 - 550, MarkerRow());
  PlaceCaption(PlotCaption::JointCohesion, x0 - 550, jointRow_);
}

// --- The dialog ----------------------------------------------------------------

CoulombJointDialog::CoulombJointDialog(QWidget* owner) : FormDialog(owner) {
  BuildControls();
  AddInputs();
  ConnectHandlers();
  OnLoad();
}

CoulombJointDialog::~CoulombJointDialog() = default;

void CoulombJointDialog::BuildControls() {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(coulombjoint::kMohrPlot)) return new CoulombJointPlot(parent);
    if (name == QLatin1String(coulombjoint::kSigma1BetaChart)) return new Sigma1BetaChartView(parent);
    if (name == QLatin1String(coulombjoint::kInclinationSketch)) return new PlaneSketch(parent);
    if (name == QLatin1String(coulombjoint::kJointLegendLine)) return new LegendLine(CoulombJointPlot::kYellow, parent);
    if (name == QLatin1String(coulombjoint::kMaterialLegendLine)) return new LegendLine(FailurePlot::kTeal, parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(coulombjoint::kSx);
  ui_.sy = Require<QLineEdit>(coulombjoint::kSy);
  ui_.txy = Require<QLineEdit>(coulombjoint::kTxy);
  ui_.poreOption = Require<QCheckBox>(coulombjoint::kPoreOption);
  ui_.porePressure = Require<QLineEdit>(coulombjoint::kPorePressure);
  ui_.materialCohesion = Require<QLineEdit>(coulombjoint::kMaterialCohesion);
  ui_.materialFrictionAngle = Require<QLineEdit>(coulombjoint::kMaterialFrictionAngle);
  ui_.materialStrength = Require<QLineEdit>(coulombjoint::kMaterialStrength);
  ui_.jointCohesion = Require<QLineEdit>(coulombjoint::kJointCohesion);
  ui_.jointFrictionAngle = Require<QLineEdit>(coulombjoint::kJointFrictionAngle);
  ui_.jointInclination = Require<QLineEdit>(coulombjoint::kJointInclination);
  ui_.s1 = Require<QLineEdit>(coulombjoint::kS1);
  ui_.s1Direction = Require<QLineEdit>(coulombjoint::kS1Direction);
  ui_.s2 = Require<QLineEdit>(coulombjoint::kS2);
  ui_.s2Direction = Require<QLineEdit>(coulombjoint::kS2Direction);
  ui_.jointFailureVerdict = Require<QLineEdit>(coulombjoint::kJointFailureVerdict);
  ui_.materialFailureVerdict = Require<QLineEdit>(coulombjoint::kMaterialFailureVerdict);
  ui_.jointPoreFailureVerdict = Require<QLineEdit>(coulombjoint::kJointPoreFailureVerdict);
  ui_.materialPoreFailureVerdict = Require<QLineEdit>(coulombjoint::kMaterialPoreFailureVerdict);
  ui_.angleToS1 = Require<QLineEdit>(coulombjoint::kAngleToS1);
  ui_.poreNotice = Require<QLabel>(coulombjoint::kPoreNotice);
  ui_.slidingRangeStart = Require<QLabel>(coulombjoint::kSlidingRangeStart);
  ui_.slidingRangeEnd = Require<QLabel>(coulombjoint::kSlidingRangeEnd);
  ui_.ok = Require<QPushButton>(coulombjoint::kOk);
  ui_.parameterSet = Options(coulombjoint::kParameterSet);
  ui_.graphOption = {Options(coulombjoint::kGraphOption)};
  auto* poreCaption = Require<QLabel>(coulombjoint::kPorePressureLabel);
  ui_.materialPore = {ui_.poreOption, poreCaption, ui_.porePressure,
                      Require<QLabel>(coulombjoint::kMaterialPoreFailureLabel), ui_.materialPoreFailureVerdict};
  ui_.jointPore = {ui_.poreOption, poreCaption, ui_.porePressure, Require<QLabel>(coulombjoint::kJointPoreFailureLabel),
                   ui_.jointPoreFailureVerdict};
  ui_.legend = {Require<QWidget>(coulombjoint::kJointLegendLine), Require<QLabel>(coulombjoint::kJointLegend),
                Require<QWidget>(coulombjoint::kMaterialLegendLine), Require<QLabel>(coulombjoint::kMaterialLegend)};
  ui_.readouts = {Require<QLabel>(coulombjoint::kCoordinates), Require<QLabel>(coulombjoint::kInternalCoordinates)};
  ui_.plot = Require<CoulombJointPlot>(coulombjoint::kMohrPlot);
  ui_.chart = Require<Sigma1BetaChartView>(coulombjoint::kSigma1BetaChart);
  // The zoom bar of the plot family has no part in this tool.
  ConnectFailurePlot(ui_.plot, nullptr, ui_.readouts[0], ui_.readouts[1]);
}

void CoulombJointDialog::AddInputs() {
  // Every box by its leading number, refused beyond the 32-bit range; the
  // parameters' ranges after all boxes are read.
  const auto add = [this](QLineEdit* box, float& field, JointField which, std::function<bool()> when = {}) {
    inputs_.Add(box, field,
                {.reading = Reading::LeadingNumber,
                 .message = JointInvalidMessage(which),
                 .rule = JointValueRule(which),
                 .when = std::move(when)});
  };
  add(ui_.sx, entryStress_.Sx, JointField::Sx);
  add(ui_.sy, entryStress_.Sy, JointField::Sy);
  add(ui_.txy, entryStress_.Txy, JointField::Txy);
  add(ui_.porePressure, entryPore_, JointField::PorePressure, [this] { return ui_.poreOption->isChecked(); });
  add(ui_.materialCohesion, entryMaterial_.Cohesion, JointField::MaterialCohesion);
  add(ui_.materialFrictionAngle, entryMaterial_.FrictionAngle, JointField::MaterialFriction);
  add(ui_.jointCohesion, entryPlane_.Cohesion, JointField::JointCohesion);
  add(ui_.jointFrictionAngle, entryPlane_.FrictionAngle, JointField::JointFriction);
  add(ui_.jointInclination, entryPlane_.Alpha, JointField::Alpha);
}

void CoulombJointDialog::ConnectHandlers() {
  WireButtons(nullptr, Require<QPushButton>(coulombjoint::kCancel), Require<QPushButton>(coulombjoint::kHelp));
  connect(ui_.ok, &QPushButton::clicked, this, &CoulombJointDialog::OnOkClicked);
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.porePressure, ui_.materialCohesion, ui_.materialFrictionAngle,
                         ui_.jointCohesion, ui_.jointFrictionAngle, ui_.jointInclination})
    connect(box, &QLineEdit::textChanged, this, &CoulombJointDialog::OnInputEdited);
  connect(ui_.poreOption, &QCheckBox::toggled, this, &CoulombJointDialog::OnPoreOptionToggled);
  for (int i = 0; i <= ui_.parameterSet.UBound(); ++i) {
    connect(ui_.parameterSet.At(i), &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) OnParameterSetChosen(i);
    });
  }
  for (QRadioButton* option : ui_.graphOption.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) OnGraphChosen();
    });
  }
}

void CoulombJointDialog::OnLoad() {
  ui_.slidingRangeStart->clear();
  ui_.slidingRangeEnd->clear();
  LoadInputs();
  if (EnableMohrCircles) ui_.graphOption.Choose(StressGraph::MohrCircle);
  AddHistoryLine(
      Tr({"Determination of shear failure plane based on Coulomb's theory on material with given "
          "discontinuities.",
          "Υπολογισμός του επιπέδου διατμητικής αστοχίας βάσει της θεωρίας του Coulomb σε υλικό με "
          "προκαθορισμένο επίπεδο ασυνέχειας."}));
}

void CoulombJointDialog::LoadFromProject() {
  stress_ = {Project.JointStress[0], Project.JointStress[1]};
  material_ = {Project.JointMaterials[0], Project.JointMaterials[1]};
  plane_ = {Project.JointPlanes[0], Project.JointPlanes[1]};
  const int set = InRange(Project.JointSelectedSet, 1);
  forms::SetArrayIndex(ui_.parameterSet, set);
  LoadSet(set);
}

void CoulombJointDialog::LoadSet(int set) {
  const bool wasLoading = loading_;
  loading_ = true;
  set_ = set;
  const StressInput& stress = stress_[set_];
  const JointMaterial& material = material_[set_];
  const JointPlane& plane = plane_[set_];
  ShowInputValue(ui_.sx, stress.Sx, kJointStressMask);
  ShowInputValue(ui_.sy, stress.Sy, kJointStressMask);
  ShowInputValue(ui_.txy, stress.Txy, kJointStressMask);
  // A choice the record cannot hold opens as the first one.
  ui_.graphOption.Choose(KnownStressGraph(stress.GraphOption));
  // One option and box serve both verdicts with pore pressure.
  ShowPoreInput(ui_.materialPore, material.UsePore, material.PorePressure, kJointStressMask);
  ShowPoreControls(ui_.jointPore);
  ShowInputValue(ui_.materialCohesion, material.Cohesion, kJointStressMask);
  ShowInputValue(ui_.materialFrictionAngle, material.FrictionAngle, kJointAngleMask);
  ShowInputValue(ui_.jointCohesion, plane.Cohesion, kJointStressMask);
  ShowInputValue(ui_.jointFrictionAngle, plane.FrictionAngle, kJointAngleMask);
  ShowInputValue(ui_.jointInclination, plane.Alpha, kJointAngleMask);
  loading_ = wasLoading;

  if (ValidateInput()) {
    CalcStresses();
  } else {
    // Nothing of the set shown before stays on show for this one.
    ClearResults();
    result_ = JointResult{};
  }
  RedrawGraph(true);
}

void CoulombJointDialog::ReadInputs(int set) {
  StressInput& stress = stress_[static_cast<std::size_t>(set)];
  JointMaterial& material = material_[static_cast<std::size_t>(set)];
  JointPlane& plane = plane_[static_cast<std::size_t>(set)];
  // Unchecked: a box whose number does not fit keeps the field's value.
  const auto keep = [](const QLineEdit* box, float& field) {
    if (const std::optional<float> value = forms::LeadingValue<float>(box)) field = *value;
  };
  keep(ui_.sx, stress.Sx);
  keep(ui_.sy, stress.Sy);
  keep(ui_.txy, stress.Txy);
  stress.GraphOption = ui_.graphOption.Chosen();
  if (ui_.poreOption->isChecked()) {
    keep(ui_.porePressure, material.PorePressure);
    material.UsePore = true;
  } else {
    material.PorePressure = 0;
    material.UsePore = false;
  }
  keep(ui_.materialCohesion, material.Cohesion);
  keep(ui_.materialFrictionAngle, material.FrictionAngle);
  keep(ui_.jointCohesion, plane.Cohesion);
  keep(ui_.jointFrictionAngle, plane.FrictionAngle);
  keep(ui_.jointInclination, plane.Alpha);
}

bool CoulombJointDialog::ValidateInput() {
  // The boxes are read into a copy of the set shown, which takes them only
  // when every box passes.
  entryStress_ = stress_[set_];
  entryMaterial_ = material_[set_];
  entryPlane_ = plane_[set_];
  entryPore_ = 0;
  if (!inputs_.Validate()) return false;
  const bool poreOn = ui_.poreOption->isChecked();
  entryMaterial_.UsePore = poreOn;
  entryMaterial_.PorePressure = entryPore_;
  stress_[set_] = entryStress_;
  material_[set_] = entryMaterial_;
  plane_[set_] = entryPlane_;
  return true;
}

void CoulombJointDialog::ClearResults() {
  forms::ClearResults({ui_.s1, ui_.s1Direction, ui_.s2, ui_.s2Direction, ui_.jointFailureVerdict,
                       ui_.materialFailureVerdict, ui_.jointPoreFailureVerdict, ui_.materialPoreFailureVerdict,
                       ui_.angleToS1});
  ui_.poreNotice->clear();
}

void CoulombJointDialog::CalcStresses() {
  calculating_ = true;
  result_ = CalcCoulombJoint(stress_[set_], material_[set_], plane_[set_]);
  if (!result_.Computed) {
    // Principal stresses beyond the 32-bit range: nothing of the last
    // state stays on show.
    LogRuntimeError(RuntimeError(ErrorNumber::Overflow));
    ClearResults();
    calculating_ = false;
    return;
  }
  StoreJointResult(result_, material_[set_], plane_[set_]);
  if (result_.PoreAction == PoreClamp::ReducedToS2) {
    ShowInputMessage(JointPoreTooHighMessage());
    ShowInputValue(ui_.porePressure, result_.PorePressure, kJointReducedPoreMask);
  } else if (result_.PoreAction == PoreClamp::OptionSwitchedOff) {
    ShowInputMessage(JointPoreTooHighMessage());
    ShowInputMessage(JointPoreNegativeMessage());
    {
      const QSignalBlocker quiet(ui_.poreOption);
      ui_.poreOption->setChecked(false);
    }
    ShowPoreOption();
  }

  const Principal2D& p = result_.Principal;
  forms::ShowResult(ui_.s1, p.S1, kJointStressMask);
  forms::ShowResult(ui_.s1Direction, p.Theta1, kJointStressMask);
  forms::ShowResult(ui_.s2, p.S2, kJointStressMask);
  forms::ShowResult(ui_.s2Direction, p.Theta2, kJointStressMask);
  ShowVerdict(ui_.materialFailureVerdict, result_.MaterialVerdict, VerdictCase::Lower);
  ShowVerdict(ui_.materialPoreFailureVerdict, result_.MaterialPoreVerdict, VerdictCase::Lower);
  ui_.poreNotice->setText(result_.PoreAboveS2 ? kJointPoreNotice.toString() : QString());
  forms::ShowResult(ui_.angleToS1, result_.Beta, kJointBetaMask);
  ShowVerdict(ui_.jointFailureVerdict, result_.JointVerdict, VerdictCase::Lower);
  ShowVerdict(ui_.jointPoreFailureVerdict, result_.JointPoreVerdict, VerdictCase::Lower);
  calculating_ = false;
}

void CoulombJointDialog::RedrawGraph(bool reset) {
  const StressGraph graph = ui_.graphOption.Chosen();
  if (graph == StressGraph::Sigma1Chart) {
    DrawSigma1BetaPlot();
    return;
  }
  // The material strength and the sliding range are the chart's: no value
  // of an earlier state stays on show without it.
  ui_.materialStrength->clear();
  ui_.slidingRangeStart->clear();
  ui_.slidingRangeEnd->clear();
  if (graph != StressGraph::MohrCircle) return;
  if (!result_.Computed) {
    ui_.plot->Blank();
    return;
  }
  ui_.plot->SetState(result_.Principal, material_[set_], plane_[set_], result_.Beta);
  ui_.plot->Redraw(reset);
}

void CoulombJointDialog::DrawSigma1BetaPlot() {
  Sigma1BetaChart chart;
  if (result_.Computed) chart = Sigma1BetaSeries(result_.Principal, material_[set_], plane_[set_]);
  if (!chart.Computed) {
    ui_.materialStrength->clear();
    ui_.slidingRangeStart->clear();
    ui_.slidingRangeEnd->clear();
    ui_.chart->Clear();
    return;
  }
  forms::ShowResult(ui_.materialStrength, chart.MaterialStrength, kJointStrengthMask);
  ui_.slidingRangeStart->setText(chart.Beta1 ? Format(*chart.Beta1, kJointAngleMask) : QString());
  ui_.slidingRangeEnd->setText(chart.Beta2 ? Format(*chart.Beta2, kJointAngleMask) : QString());
  ui_.chart->Show(chart, Sigma1BetaTitles());
}

void CoulombJointDialog::ShowPoreOption() {
  ShowPoreControls(ui_.materialPore);
  ShowPoreControls(ui_.jointPore);
}

void CoulombJointDialog::OnInputEdited() {
  if (loading_ || calculating_) return;
  if (!ValidateInput()) return;
  CalcStresses();
  RedrawGraph(false);
}

void CoulombJointDialog::OnPoreOptionToggled() {
  ShowPoreOption();
  OnInputEdited();
}

void CoulombJointDialog::OnParameterSetChosen(int index) {
  if (loading_ || index == set_) return;
  // The set shown until now keeps its entries as they stand, unchecked.
  ReadInputs(set_);
  LoadSet(index);
}

void CoulombJointDialog::OnGraphChosen() {
  const StressGraph graph = ui_.graphOption.Chosen();
  SwitchPlotWidth(*this, ui_.plot, graph != StressGraph::None, kNarrowWidth, kWideWidth);
  // The plot and the chart share the place beside the inputs.
  const bool mohr = graph == StressGraph::MohrCircle;
  const bool chart = graph == StressGraph::Sigma1Chart;
  ui_.plot->SetPlotShown(mohr);
  ui_.plot->setVisible(mohr);
  ui_.chart->setVisible(chart);
  for (QWidget* item : ui_.legend) item->setVisible(mohr);
  for (QLabel* readout : ui_.readouts) readout->setVisible(mohr);
  ui_.slidingRangeStart->setVisible(chart);
  ui_.slidingRangeEnd->setVisible(chart);
  if (!loading_) RedrawGraph(true);
}

void CoulombJointDialog::OnOkClicked() {
  if (!ValidateInput()) return;
  // The other set may hold entries that a switch stored unchecked; OK counts
  // only when both sets pass, so a refused one is shown with its message.
  const int other = 1 - set_;
  if (FirstInvalidJointInput(material_[other], plane_[other]) != JointField::None) {
    forms::SetArrayIndex(ui_.parameterSet, other);
    return;
  }
  AcceptAndUnload();
}

void CoulombJointDialog::CommitToProject() {
  ReadInputs(set_);
  for (std::size_t i = 0; i < 2; ++i) {
    Project.JointStress[i] = stress_[i];
    Project.JointMaterials[i] = material_[i];
    Project.JointPlanes[i] = plane_[i];
  }
  Project.JointSelectedSet = set_;
  MarkProjectChanged();
}

}  // namespace brantel
