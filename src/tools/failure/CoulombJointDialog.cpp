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

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 20;

constexpr forms::FormDesign kForm{frmCoulombJoint::kNarrowWidth, 6495,
                                  "Coulomb Criterion in Material with pre-existing Discontinuity",
                                  "Κριτήριο Coulomb σε ασυνέχεια"};

constexpr ControlRow kControls[] = {
    // The set shown and its stresses.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 3375, 2295, "Input Data", "Εισαγωγή δεδομένων"},
    {"optSet(0)", Kind::Option, "Frame1", 240, 300, 1200, 255, "Set 1"},
    {"optSet(1)", Kind::Option, "Frame1", 1680, 300, 1200, 255, "Set 2"},
    {"lblsx", Kind::Label, "Frame1", 240, 720, 1440, 255, "sx", "σx", "Text1"},
    {"Text1", Kind::TextBox, "Frame1", 1740, 690, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"lblsy", Kind::Label, "Frame1", 240, 1080, 1440, 255, "sy", "σy", "Text2"},
    {"Text2", Kind::TextBox, "Frame1", 1740, 1050, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"lbltxy", Kind::Label, "Frame1", 240, 1440, 1440, 255, "txy", "τxy", "Text3"},
    {"Text3", Kind::TextBox, "Frame1", 1740, 1410, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"chkPore", Kind::CheckBox, "Frame1", 240, 1830, 255, 255, nullptr, nullptr, "lblPore"},
    {"lblPore", Kind::Label, "Frame1", 540, 1830, 1140, 255, "Pore Pressure", "Πίεση Πόρων", "txtPore"},
    {"txtPore", Kind::TextBox, "Frame1", 1740, 1800, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    // The intact material.
    {"Frame2", Kind::Frame, nullptr, 120, 2520, 3375, 1575, "Material Properties", "Παράμετροι υλικού"},
    {"Label5", Kind::Label, "Frame2", 240, 330, 1440, 255, "Cohesion", "Συνοχή", "Text5"},
    {"Text5", Kind::TextBox, "Frame2", 1740, 300, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label6", Kind::Label, "Frame2", 240, 660, 1440, 420, "Friction Angle", "Γωνία εσωτερικής τριβής", "Text6"},
    {"Text6", Kind::TextBox, "Frame2", 1740, 690, 1455, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label1", Kind::Label, "Frame2", 240, 1140, 1440, 255, "Material Strength", "Αντοχή Υλικού", "Text4"},
    {"Text4", Kind::TextBox, "Frame2", 1740, 1110, 1455, 285, nullptr, nullptr, nullptr, kResult},
    // The graph.
    {"Frame6", Kind::Frame, nullptr, 120, 4200, 3375, 1665, "Graph Options", "Γράφημα"},
    {"optGraph(0)", Kind::Option, "Frame6", 240, 360, 2880, 255, "None", "Κανένα"},
    {"optGraph(1)", Kind::Option, "Frame6", 240, 780, 2880, 255, "Mohr's Circle", "Κύκλος του Mohr"},
    {"optGraph(2)", Kind::Option, "Frame6", 240, 1200, 2880, 255, "s1-b"},
    // Principal stresses.
    {"Frame4", Kind::Frame, nullptr, 3615, 120, 3915, 1095, "Principal Stresses", "Κύριες τάσεις"},
    {"lbls1", Kind::Label, "Frame4", 240, 300, 540, 255, "s1", "σ1", "Text10"},
    {"Text10", Kind::TextBox, "Frame4", 780, 270, 1035, 285, nullptr, nullptr, nullptr, kResult},
    {"lbls2", Kind::Label, "Frame4", 240, 660, 540, 255, "s2", "σ2", "Text12"},
    {"Text12", Kind::TextBox, "Frame4", 780, 630, 1035, 285, nullptr, nullptr, nullptr, kResult},
    {"lblth1", Kind::Label, "Frame4", 1980, 300, 720, 255, "w1(s1)", "θ(σ1)", "Text11"},
    {"Text11", Kind::TextBox, "Frame4", 2760, 270, 1035, 285, nullptr, nullptr, nullptr, kResult},
    {"lblth2", Kind::Label, "Frame4", 1980, 660, 720, 255, "w2(s2)", "θ(σ2)", "Text13"},
    {"Text13", Kind::TextBox, "Frame4", 2760, 630, 1035, 285, nullptr, nullptr, nullptr, kResult},
    // The discontinuity.
    {"Frame3", Kind::Frame, nullptr, 3615, 1320, 3915, 1935, "Discontinuity Parameters", "Παράμετροι ασυνέχειας"},
    {"lblCohesion", Kind::Label, "Frame3", 120, 330, 1440, 255, "Cohesion", "Συνοχή", "Text7"},
    {"Text7", Kind::TextBox, "Frame3", 1620, 300, 975, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"lblFrictionAngle", Kind::Label, "Frame3", 120, 660, 1440, 420, "Friction Angle", "Γωνία εσωτερικής τριβής",
     "Text8"},
    {"Text8", Kind::TextBox, "Frame3", 1620, 690, 975, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"lblAngleHor", Kind::Label, "Frame3", 120, 1140, 1440, 615, "Discontinuity Angle from Horizontal",
     "Γωνία ασυνέχειας από το οριζόντιο επίπεδο ", "Text9"},
    {"Text9", Kind::TextBox, "Frame3", 1620, 1290, 975, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Picture1", Kind::Picture, "Frame3", 2670, 300, 1185, 1470},
    // The verdicts.
    {"Frame5", Kind::Frame, nullptr, 3615, 3360, 3915, 2505, "Results", "Αποτελέσματα"},
    {"lblJointFail", Kind::Label, "Frame5", 120, 300, 2640, 255, "Failure at Discontinuity", "Αστοχία στην ασυνέχεια",
     "txtJointFail"},
    {"txtJointFail", Kind::TextBox, "Frame5", 2820, 270, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"lblMatFail", Kind::Label, "Frame5", 120, 630, 2640, 255, "Failure in Material", "Αστοχία στο υλικό",
     "txtMatFail"},
    {"txtMatFail", Kind::TextBox, "Frame5", 2820, 600, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"lblJointFailPore", Kind::Label, "Frame5", 120, 930, 2640, 420, "Failure at Discontinuity due to Pore Pressure",
     "Αστοχία στην ασυνέχεια λόγω πίεσης πόρων", "txtJoinFailPore"},
    {"txtJoinFailPore", Kind::TextBox, "Frame5", 2820, 990, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"lblMatFailPore", Kind::Label, "Frame5", 120, 1380, 2640, 420, "Failure in Material due to Pore Pressure",
     "Αστοχία στο υλικό λόγω πίεσης πόρων", "txtMatFailPore"},
    {"txtMatFailPore", Kind::TextBox, "Frame5", 2820, 1440, 975, 285, nullptr, nullptr, nullptr, kResult},
    {"Label18", Kind::Label, "Frame5", 2820, 1740, 975, 225, nullptr, nullptr, nullptr, forms::kRedText},
    {"Label27", Kind::Label, "Frame5", 120, 2100, 2640, 255, "Angle to s1", "Γωνία από σ1", "Text18"},
    {"Text18", Kind::TextBox, "Frame5", 2820, 2070, 975, 285, nullptr, nullptr, nullptr, kResult},
    // The plot area, beyond the narrow width: the legend of the Mohr plot,
    // the plot and the chart in one place, the chart's range below it.
    {"Line1", Kind::Picture, nullptr, 7680, 180, 450, 255},
    {"Label25", Kind::Label, nullptr, 8220, 180, 3540, 255, "Discontinuity Criterion", "Κριτήριο αστοχίας ασυνέχειας."},
    {"Line2", Kind::Picture, nullptr, 7680, 540, 450, 255},
    {"Label26", Kind::Label, nullptr, 8220, 540, 3540, 255, "Material Criterion", "Κριτήριο αστοχίας υλικού."},
    {"picMohr", Kind::Picture, nullptr, 7680, 960, 4080, 4000},
    {"MSChart1", Kind::Picture, nullptr, 7680, 960, 4080, 4000},
    {"Label4", Kind::Label, nullptr, 7680, 5040, 1935, 255},
    {"Label7", Kind::Label, nullptr, 9825, 5040, 1935, 255},
    {"lblCoord", Kind::Label, nullptr, 7680, 5040, 4080, 255},
    {"lblIntCoord", Kind::Label, nullptr, 7680, 5340, 4080, 255},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 3675, 6000, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 4995, 6000, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 6315, 6000, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

qint16 InRange(qint16 value, qint16 last) { return value >= 0 && value <= last ? value : qint16(0); }

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

void CoulombJointPlot::SetState(const Principal2D& principal, const JointMaterial& material,
                                const JointPlane& plane, float beta) {
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

frmCoulombJoint::frmCoulombJoint(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmCoulombJoint"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String("picMohr")) return new CoulombJointPlot(parent);
    if (name == QLatin1String("MSChart1")) return new Sigma1BetaChartView(parent);
    if (name == QLatin1String("Picture1")) return new PlaneSketch(parent);
    if (name == QLatin1String("Line1")) return new LegendLine(CoulombJointPlot::kYellow, parent);
    if (name == QLatin1String("Line2")) return new LegendLine(FailurePlot::kTeal, parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(u"Text1");
  ui_.sy = Require<QLineEdit>(u"Text2");
  ui_.txy = Require<QLineEdit>(u"Text3");
  ui_.pore = Require<QCheckBox>(u"chkPore");
  ui_.porePressure = Require<QLineEdit>(u"txtPore");
  ui_.cohesion = Require<QLineEdit>(u"Text5");
  ui_.friction = Require<QLineEdit>(u"Text6");
  ui_.strength = Require<QLineEdit>(u"Text4");
  ui_.jointCohesion = Require<QLineEdit>(u"Text7");
  ui_.jointFriction = Require<QLineEdit>(u"Text8");
  ui_.alpha = Require<QLineEdit>(u"Text9");
  ui_.s1 = Require<QLineEdit>(u"Text10");
  ui_.theta1 = Require<QLineEdit>(u"Text11");
  ui_.s2 = Require<QLineEdit>(u"Text12");
  ui_.theta2 = Require<QLineEdit>(u"Text13");
  ui_.jointFailure = Require<QLineEdit>(u"txtJointFail");
  ui_.failure = Require<QLineEdit>(u"txtMatFail");
  ui_.jointPoreFailure = Require<QLineEdit>(u"txtJoinFailPore");
  ui_.poreFailure = Require<QLineEdit>(u"txtMatFailPore");
  ui_.beta = Require<QLineEdit>(u"Text18");
  ui_.poreNotice = Require<QLabel>(u"Label18");
  ui_.beta1 = Require<QLabel>(u"Label4");
  ui_.beta2 = Require<QLabel>(u"Label7");
  ui_.ok = Require<QPushButton>(u"CmdOk");
  ui_.set = Options(u"optSet");
  ui_.graph = Options(u"optGraph");
  auto* poreCaption = Require<QLabel>(u"lblPore");
  ui_.materialPore = {ui_.pore, poreCaption, ui_.porePressure, Require<QLabel>(u"lblMatFailPore"), ui_.poreFailure};
  ui_.jointPore = {ui_.pore, poreCaption, ui_.porePressure, Require<QLabel>(u"lblJointFailPore"),
                   ui_.jointPoreFailure};
  ui_.legend = {Require<QWidget>(u"Line1"), Require<QLabel>(u"Label25"), Require<QWidget>(u"Line2"),
                Require<QLabel>(u"Label26")};
  ui_.readouts = {Require<QLabel>(u"lblCoord"), Require<QLabel>(u"lblIntCoord")};
  ui_.plot = Require<CoulombJointPlot>(u"picMohr");
  ui_.chart = Require<Sigma1BetaChartView>(u"MSChart1");
  // The zoom bar of the plot family has no part in this tool.
  ConnectFailurePlot(ui_.plot, nullptr, ui_.readouts[0], ui_.readouts[1]);

  WireButtons(nullptr, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  connect(ui_.ok, &QPushButton::clicked, this, &frmCoulombJoint::CmdOk_Click);
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.porePressure, ui_.cohesion, ui_.friction, ui_.jointCohesion,
                         ui_.jointFriction, ui_.alpha})
    connect(box, &QLineEdit::textChanged, this, &frmCoulombJoint::TextInput_Change);
  connect(ui_.pore, &QCheckBox::toggled, this, &frmCoulombJoint::chkPore_Click);
  for (int i = 0; i <= ui_.set.UBound(); ++i) {
    connect(ui_.set.At(i), &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optSet_Click(i);
    });
  }
  for (QRadioButton* option : ui_.graph.buttons) {
    connect(option, &QRadioButton::toggled, this, [this](bool on) {
      if (on) optGraph_Click();
    });
  }

  Form_Load();
}

frmCoulombJoint::~frmCoulombJoint() = default;

void frmCoulombJoint::Form_Load() {
  ui_.beta1->clear();
  ui_.beta2->clear();
  LoadInputs();
  if (EnableMohrCircles == 1) forms::SetArrayIndex(ui_.graph, 1);
  AddHistoryLine(Tr({"Determination of shear failure plane based on Coulomb's theory on material with given "
                     "discontinuities.",
                     "Υπολογισμός του επιπέδου διατμητικής αστοχίας βάσει της θεωρίας του Coulomb σε υλικό με "
                     "προκαθορισμένο επίπεδο ασυνέχειας."}));
}

void frmCoulombJoint::LoadFromProject() {
  stress_ = {Project.JointStress[0], Project.JointStress[1]};
  material_ = {Project.JointMaterials[0], Project.JointMaterials[1]};
  plane_ = {Project.JointPlanes[0], Project.JointPlanes[1]};
  const qint16 set = InRange(Project.JointSelectedSet, 1);
  forms::SetArrayIndex(ui_.set, set);
  LoadSet(set);
}

void frmCoulombJoint::LoadSet(int set) {
  const bool wasLoading = loading_;
  loading_ = true;
  set_ = static_cast<qint16>(set);
  const StressInput& stress = stress_[set_];
  const JointMaterial& material = material_[set_];
  const JointPlane& plane = plane_[set_];
  ShowInputValue(ui_.sx, stress.Sx, kJointStressMask);
  ShowInputValue(ui_.sy, stress.Sy, kJointStressMask);
  ShowInputValue(ui_.txy, stress.Txy, kJointStressMask);
  // A choice the record cannot hold opens as the first one.
  forms::SetArrayIndex(ui_.graph, InRange(stress.GraphOption, 2));
  // One option and box serve both verdicts with pore pressure.
  ShowPoreInput(ui_.materialPore, material.UsePore, material.PorePressure, kJointStressMask);
  ShowPoreControls(ui_.jointPore);
  ShowInputValue(ui_.cohesion, material.Cohesion, kJointStressMask);
  ShowInputValue(ui_.friction, material.FrictionAngle, kJointAngleMask);
  ShowInputValue(ui_.jointCohesion, plane.Cohesion, kJointStressMask);
  ShowInputValue(ui_.jointFriction, plane.FrictionAngle, kJointAngleMask);
  ShowInputValue(ui_.alpha, plane.Alpha, kJointAngleMask);
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

void frmCoulombJoint::ReadInputs(int set) {
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
  stress.GraphOption = forms::GetArrayIndex(ui_.graph);
  if (ui_.pore->isChecked()) {
    keep(ui_.porePressure, material.PorePressure);
    material.UsePore = RecordBool(true);
  } else {
    material.PorePressure = 0;
    material.UsePore = RecordBool(false);
  }
  keep(ui_.cohesion, material.Cohesion);
  keep(ui_.friction, material.FrictionAngle);
  keep(ui_.jointCohesion, plane.Cohesion);
  keep(ui_.jointFriction, plane.FrictionAngle);
  keep(ui_.alpha, plane.Alpha);
}

QLineEdit* frmCoulombJoint::BoxOf(JointField field) const {
  switch (field) {
    case JointField::Sx: return ui_.sx;
    case JointField::Sy: return ui_.sy;
    case JointField::Txy: return ui_.txy;
    case JointField::PorePressure: return ui_.porePressure;
    case JointField::MaterialCohesion: return ui_.cohesion;
    case JointField::MaterialFriction: return ui_.friction;
    case JointField::JointCohesion: return ui_.jointCohesion;
    case JointField::JointFriction: return ui_.jointFriction;
    case JointField::Alpha:
    case JointField::None: break;
  }
  return ui_.alpha;
}

bool frmCoulombJoint::ValidateInput() {
  StressInput stress = stress_[set_];
  JointMaterial material = material_[set_];
  JointPlane plane = plane_[set_];
  const bool poreOn = ui_.pore->isChecked();
  float pore = 0;
  const auto read = [this](JointField field, float& target) {
    const std::optional<float> value = forms::LeadingValue<float>(BoxOf(field));
    if (!value) return forms::RefuseEntry(BoxOf(field), JointInvalidMessage(field));
    target = *value;
    return true;
  };
  if (!read(JointField::Sx, stress.Sx) || !read(JointField::Sy, stress.Sy) || !read(JointField::Txy, stress.Txy))
    return false;
  if (poreOn && !read(JointField::PorePressure, pore)) return false;
  if (!read(JointField::MaterialCohesion, material.Cohesion) ||
      !read(JointField::MaterialFriction, material.FrictionAngle) ||
      !read(JointField::JointCohesion, plane.Cohesion) || !read(JointField::JointFriction, plane.FrictionAngle) ||
      !read(JointField::Alpha, plane.Alpha))
    return false;
  const JointField invalid = FirstInvalidJointInput(material, plane);
  if (invalid != JointField::None) return forms::RefuseEntry(BoxOf(invalid), JointInvalidMessage(invalid));

  material.UsePore = RecordBool(poreOn);
  material.PorePressure = pore;
  stress_[set_] = stress;
  material_[set_] = material;
  plane_[set_] = plane;
  return true;
}

void frmCoulombJoint::ClearResults() {
  forms::ClearResults({ui_.s1, ui_.theta1, ui_.s2, ui_.theta2, ui_.jointFailure, ui_.failure, ui_.jointPoreFailure,
                       ui_.poreFailure, ui_.beta});
  ui_.poreNotice->clear();
}

void frmCoulombJoint::CalcStresses() {
  calculating_ = true;
  result_ = CalcCoulombJoint(stress_[set_], material_[set_], plane_[set_]);
  if (!result_.Computed) {
    // Principal stresses beyond the 32-bit range: nothing of the last
    // state stays on show.
    LogRuntimeError(RuntimeError(err::kOverflow));
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
      const QSignalBlocker quiet(ui_.pore);
      ui_.pore->setChecked(false);
    }
    ShowPoreOption();
  }

  const Principal2D& p = result_.Principal;
  forms::ShowResult(ui_.s1, p.S1, kJointStressMask);
  forms::ShowResult(ui_.theta1, p.Theta1, kJointStressMask);
  forms::ShowResult(ui_.s2, p.S2, kJointStressMask);
  forms::ShowResult(ui_.theta2, p.Theta2, kJointStressMask);
  ShowVerdict(ui_.failure, result_.MaterialVerdict, VerdictCase::Lower);
  ShowVerdict(ui_.poreFailure, result_.MaterialPoreVerdict, VerdictCase::Lower);
  ui_.poreNotice->setText(result_.PoreAboveS2 ? kJointPoreNotice.toString() : QString());
  forms::ShowResult(ui_.beta, result_.Beta, kJointBetaMask);
  ShowVerdict(ui_.jointFailure, result_.JointVerdict, VerdictCase::Lower);
  ShowVerdict(ui_.jointPoreFailure, result_.JointPoreVerdict, VerdictCase::Lower);
  calculating_ = false;
}

void frmCoulombJoint::RedrawGraph(bool reset) {
  const qint16 graph = forms::GetArrayIndex(ui_.graph);
  if (graph == 2) {
    DrawSigma1BetaPlot();
    return;
  }
  // The material strength and the sliding range are the chart's: no value
  // of an earlier state stays on show without it.
  ui_.strength->clear();
  ui_.beta1->clear();
  ui_.beta2->clear();
  if (graph != 1) return;
  if (!result_.Computed) {
    ui_.plot->Blank();
    return;
  }
  ui_.plot->SetState(result_.Principal, material_[set_], plane_[set_], result_.Beta);
  ui_.plot->Redraw(reset);
}

void frmCoulombJoint::DrawSigma1BetaPlot() {
  Sigma1BetaChart chart;
  if (result_.Computed) chart = Sigma1BetaSeries(result_.Principal, material_[set_], plane_[set_]);
  if (!chart.Computed) {
    ui_.strength->clear();
    ui_.beta1->clear();
    ui_.beta2->clear();
    ui_.chart->Clear();
    return;
  }
  forms::ShowResult(ui_.strength, chart.MaterialStrength, kJointStrengthMask);
  ui_.beta1->setText(chart.Beta1 ? Format(*chart.Beta1, kJointAngleMask) : QString());
  ui_.beta2->setText(chart.Beta2 ? Format(*chart.Beta2, kJointAngleMask) : QString());
  ui_.chart->Show(chart, Sigma1BetaTitles());
}

void frmCoulombJoint::ShowPoreOption() {
  ShowPoreControls(ui_.materialPore);
  ShowPoreControls(ui_.jointPore);
}

void frmCoulombJoint::TextInput_Change() {
  if (loading_ || calculating_) return;
  if (!ValidateInput()) return;
  CalcStresses();
  RedrawGraph(false);
}

void frmCoulombJoint::chkPore_Click() {
  ShowPoreOption();
  TextInput_Change();
}

void frmCoulombJoint::optSet_Click(int index) {
  if (loading_ || index == set_) return;
  // The set shown until now keeps its entries as they stand, unchecked.
  ReadInputs(set_);
  LoadSet(index);
}

void frmCoulombJoint::optGraph_Click() {
  const qint16 graph = forms::GetArrayIndex(ui_.graph);
  SwitchPlotWidth(*this, ui_.plot, graph != 0, kNarrowWidth, kWideWidth);
  // The plot and the chart share the place beside the inputs.
  ui_.plot->SetPlotShown(graph == 1);
  ui_.plot->setVisible(graph == 1);
  ui_.chart->setVisible(graph == 2);
  for (QWidget* item : ui_.legend) item->setVisible(graph == 1);
  for (QLabel* readout : ui_.readouts) readout->setVisible(graph == 1);
  ui_.beta1->setVisible(graph == 2);
  ui_.beta2->setVisible(graph == 2);
  if (!loading_) RedrawGraph(true);
}

void frmCoulombJoint::CmdOk_Click() {
  if (!ValidateInput()) return;
  // The other set may hold entries that a switch stored unchecked; OK counts
  // only when both sets pass, so a refused one is shown with its message.
  const int other = 1 - set_;
  if (FirstInvalidJointInput(material_[other], plane_[other]) != JointField::None) {
    forms::SetArrayIndex(ui_.set, other);
    return;
  }
  AcceptAndUnload();
}

void frmCoulombJoint::CommitToProject() {
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
