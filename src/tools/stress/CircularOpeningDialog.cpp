#include "tools/stress/CircularOpeningDialog.h"

#include "core/Arithmetic.h"
#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/graph/GraphBuffer.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "graph/GraphChart.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphWindow.h"
#include "tools/stress/CircularOpening.h"
#include "tools/stress/StressDialogs.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <functional>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kInput = forms::kNoSelectAll;  // the dialog selects the text itself
constexpr unsigned kResult = forms::kReadOnly;

// The tabs, by their index in the tab control.
constexpr int kCalculationsTab = 0;  // the point's results
constexpr int kGraphTab = 1;         // the curves

constexpr forms::FormDesign kForm{.name = "frmCircular",
                                  .width = 8235,
                                  .height = 7605,
                                  .caption = {"Stress Distribution around Circular Openings (Kirsch)",
                                              "Εντατική κατάσταση γύρω από κυκλικά ανοίγματα"}};

// clang-format off
constexpr ControlRow kControls[] = {
    // Inputs.
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 7935, 2775}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {720, 360, 975, 255}, .caption = {"sx", "σ x"}, .partner = circularopening::kSx},
    {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {720, 840, 975, 255}, .caption = {"sy", "σ y"}, .partner = circularopening::kSy},
    {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {720, 1320, 975, 255}, .caption = {"txy", "τ xy"}, .partner = circularopening::kTxy},
    {.name = circularopening::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 360, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = circularopening::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 840, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = circularopening::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1320, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = "lblRadius", .kind = Kind::Label, .container = "Frame1", .at = {840, 1800, 855, 255}, .caption = {"Radius", "Ακτίνα (a)"}, .partner = circularopening::kOpeningRadius},
    {.name = circularopening::kOpeningRadius, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1800, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = circularopening::kOpeningRadiusNote, .kind = Kind::Label, .container = "Frame1", .at = {3240, 1800, 1575, 255}},
    {.name = "lblInternalPress", .kind = Kind::Label, .container = "Frame1", .at = {120, 2280, 1575, 255}, .caption = {"Internal Pressure", "Εσωτερική Πίεση "}, .partner = circularopening::kInternalPressure},
    {.name = circularopening::kInternalPressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 2280, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = "lblBoreholeStab", .kind = Kind::Label, .container = "Frame1", .at = {3240, 2280, 2055, 255}, .caption = {"* for Borehole Stability", "* ευστάθεια γεώτρησης"}},
    {.name = "lblAngle", .kind = Kind::Label, .container = "Frame1", .at = {3840, 360, 855, 255}, .caption = {"Angle w", "γωνία θ"}, .partner = circularopening::kPointAngle},
    {.name = circularopening::kPointAngle, .kind = Kind::TextBox, .container = "Frame1", .at = {4800, 360, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = circularopening::kPointAngleBar, .kind = Kind::HScroll, .container = "Frame1", .at = {6240, 360, 1455, 310}, .caption = {"Angle w", "γωνία θ"}},
    {.name = "lblDirection", .kind = Kind::Label, .container = "Frame1", .at = {6120, 840, 1575, 855}, .caption = {"* Counter Clockwise Direction", "* Φορά ανάποδα από την φορά των δεικτών του ρολογιού"}},
    {.name = circularopening::kPositiveAngleSense, .kind = Kind::Picture, .container = "Frame1", .at = {4920, 780, 900, 900}},
    {.name = circularopening::kShowCurves, .kind = Kind::CheckBox, .container = "Frame1", .at = {4920, 1800, 1335, 255}, .caption = {"Graph", "Γράφημα"}},
    {.name = circularopening::kPlotTo3R, .kind = Kind::CheckBox, .container = "Frame1", .at = {4920, 2040, 1335, 255}, .caption = {"Plot to 3R", "Graph to 3R"}},
    {.name = circularopening::kPlotStresses, .kind = Kind::Button, .container = "Frame1", .at = {6480, 1920, 1215, 375}, .caption = {"Plot Stresses"}},
    // The point results and the curves, one tab each.
    {.name = circularopening::kTabs, .kind = Kind::TabStrip, .at = {120, 3000, 7935, 3855}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = circularopening::kTabs, .caption = {"Calculations", "Υπολογισμοί"}},
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {120, 480, 7695, 3255}, .caption = {"Stress Calculations around Circular Opening", "Υπολογισμός τάσεων γύρω από κυκλικό άνοιγμα"}},
    {.name = "Label33", .kind = Kind::Label, .container = "Frame2", .at = {480, 480, 495, 255}, .caption = {"r"}, .partner = circularopening::kPointDistance},
    {.name = circularopening::kPointDistance, .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 480, 1215, 285}, .flags = kInput, .maxLength = 20},
    {.name = circularopening::kPointDistanceNote, .kind = Kind::Label, .container = "Frame2", .at = {2520, 480, 2055, 255}},
    {.name = "lblAngleDtheta", .kind = Kind::Label, .container = "Frame2", .at = {4680, 480, 855, 255}, .caption = {"Angle Dw", "γωνία Δθ"}, .partner = circularopening::kAngleFromS2},
    {.name = circularopening::kAngleFromS2, .kind = Kind::TextBox, .container = "Frame2", .at = {5640, 480, 1215, 285}, .flags = kResult},
    {.name = "lblsr", .kind = Kind::Label, .container = "Frame2", .at = {120, 1440, 855, 255}, .caption = {"sRadial", "σ r"}, .partner = circularopening::kRadialStress},
    {.name = "lblsth", .kind = Kind::Label, .container = "Frame2", .at = {120, 1920, 855, 255}, .caption = {"sTangent", "σ θ"}, .partner = circularopening::kTangentialStress},
    {.name = "lbltth", .kind = Kind::Label, .container = "Frame2", .at = {120, 2400, 855, 255}, .caption = {"t(rt)", "τ rθ"}, .partner = circularopening::kShearStress},
    {.name = circularopening::kRadialStress, .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 1440, 1215, 285}, .flags = kResult, .maxLength = 30},
    {.name = circularopening::kTangentialStress, .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 1920, 1215, 285}, .flags = kResult, .maxLength = 30},
    {.name = circularopening::kShearStress, .kind = Kind::TextBox, .container = "Frame2", .at = {1080, 2400, 1215, 285}, .flags = kResult, .maxLength = 30},
    {.name = circularopening::kRadialRatio, .kind = Kind::Label, .container = "Frame2", .at = {3120, 1440, 3255, 255}},
    {.name = circularopening::kTangentialRatio, .kind = Kind::Label, .container = "Frame2", .at = {3120, 2040, 3135, 255}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = circularopening::kTabs, .caption = {"Graph", "Γραφική Παράσταση"}},
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {120, 480, 7695, 3255}, .caption = {"Graph of Stresses around Circular Opening", "Γραφική παράσταση τάσεων γύρω από το κυκλικό άνοιγμα"}},
    {.name = circularopening::kCurveChart, .kind = Kind::Picture, .container = "Frame3", .at = {120, 240, 7215, 2775}, .caption = {"Graph", "Γραφική Παράσταση"}},
    // Buttons.
    {.name = circularopening::kHelp, .kind = Kind::Button, .at = {3960, 7080, 1215, 375}, .caption = {"Help"}},
    {.name = circularopening::kCancel, .kind = Kind::Button, .at = {5400, 7080, 1215, 375}, .caption = {"Cancel"}},
    {.name = circularopening::kOk, .kind = Kind::Button, .at = {6840, 7080, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The positive sense of angles: two rays from a corner and a curved arrow
// marked with a plus sign turning from the first to the second.
class AngleSense : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    const QPointF corner(w * 0.12, h * 0.88);
    const double ray = std::min(w, h) * 0.82;
    constexpr double kRayDegrees = 50;
    const double t = kRayDegrees * kDegreeFactor;
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(corner, corner + QPointF(ray, 0));
    p.drawLine(corner, corner + QPointF(ray * std::cos(t), -ray * std::sin(t)));

    // The arc from the first ray to the second, with its arrow head.
    const double r = ray * 0.55;
    const QRectF circle(corner.x() - r, corner.y() - r, 2 * r, 2 * r);
    p.setPen(QPen(Qt::blue, 1.5));
    QPainterPath arc;
    arc.arcMoveTo(circle, 0);
    arc.arcTo(circle, 0, kRayDegrees - 8);
    p.drawPath(arc);
    const QPointF tip = corner + QPointF(r * std::cos(t), -r * std::sin(t));
    const QPointF back = arc.currentPosition();
    const QPointF along = tip - back;
    const QPointF across(-along.y() * 0.6, along.x() * 0.6);
    p.setBrush(Qt::blue);
    p.drawPolygon(QPolygonF({tip, back + across, back - across}));

    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::blue);
    const QPointF mark = corner + QPointF(r * 1.15, -r * 0.75);
    p.drawText(QRectF(mark.x() - 6, mark.y() - 8, 12, 16), Qt::AlignCenter, QStringLiteral("+"));
  }
};

// A box's GotFocus: every focus it takes, also the one that comes with its
// window (the dialog opening, or coming back from the graph window or the
// main window); not the return from a box's own context menu.
class GotFocusFilter : public QObject {
 public:
  GotFocusFilter(QObject* box, std::function<void()> handler) : QObject(box), handler_(std::move(handler)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusIn && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
      handler_();
    }
    return false;
  }

 private:
  std::function<void()> handler_;
};

// Shows a stored value in its box; a value of 0 may show as an empty box.
void ShowStored(QLineEdit* box, float value, bool emptyForZero = false) {
  const QString text = emptyForZero && value == 0.0f ? QString() : Format(value, kCircularStressMask);
  forms::ShowStoredValue(box, value, text);
}

}  // namespace

CircularOpeningDialog::CircularOpeningDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(circularopening::kCurveChart)) return new GraphChart(parent);
    if (name == QLatin1String(circularopening::kPositiveAngleSense)) return new AngleSense(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(circularopening::kSx);
  ui_.sy = Require<QLineEdit>(circularopening::kSy);
  ui_.txy = Require<QLineEdit>(circularopening::kTxy);
  ui_.radius = Require<QLineEdit>(circularopening::kOpeningRadius);
  ui_.pointAngle = Require<QLineEdit>(circularopening::kPointAngle);
  ui_.distance = Require<QLineEdit>(circularopening::kPointDistance);
  ui_.pressure = Require<QLineEdit>(circularopening::kInternalPressure);
  ui_.angleFromS2 = Require<QLineEdit>(circularopening::kAngleFromS2);
  ui_.radialStress = Require<QLineEdit>(circularopening::kRadialStress);
  ui_.tangentialStress = Require<QLineEdit>(circularopening::kTangentialStress);
  ui_.shearStress = Require<QLineEdit>(circularopening::kShearStress);
  ui_.radialRatio = Require<QLabel>(circularopening::kRadialRatio);
  ui_.tangentialRatio = Require<QLabel>(circularopening::kTangentialRatio);
  ui_.radiusNote = Require<QLabel>(circularopening::kOpeningRadiusNote);
  ui_.distanceNote = Require<QLabel>(circularopening::kPointDistanceNote);
  ui_.pointAngleBar = Require<QScrollBar>(circularopening::kPointAngleBar);
  ui_.showCurves = Require<QCheckBox>(circularopening::kShowCurves);
  ui_.plotTo3R = Require<QCheckBox>(circularopening::kPlotTo3R);
  ui_.tabs = Require<QTabWidget>(circularopening::kTabs);
  ui_.curveChart = Require<GraphChart>(circularopening::kCurveChart);

  ui_.pointAngleBar->setRange(-360, 360);
  ui_.pointAngleBar->setSingleStep(10);
  ui_.pointAngleBar->setPageStep(45);
  ui_.curveChart->SetMargin(2);
  ui_.radialRatio->setText(QStringLiteral("-"));
  ui_.tangentialRatio->setText(QStringLiteral("-"));

  WireButtons(Require<QPushButton>(circularopening::kOk), Require<QPushButton>(circularopening::kCancel),
              Require<QPushButton>(circularopening::kHelp));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.radius, ui_.distance, ui_.pressure}) {
    connect(box, &QLineEdit::textChanged, this, &CircularOpeningDialog::OnInputEdited);
  }
  connect(ui_.pointAngle, &QLineEdit::textChanged, this, &CircularOpeningDialog::OnPointAngleEdited);
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.radius, ui_.pointAngle, ui_.distance, ui_.pressure}) {
    box->installEventFilter(new GotFocusFilter(box, [this, box] { OnInputFocusGained(box); }));
  }
  connect(ui_.pointAngleBar, &QScrollBar::valueChanged, this, &CircularOpeningDialog::OnPointAngleBarMoved);
  connect(ui_.plotTo3R, &QCheckBox::toggled, this, &CircularOpeningDialog::OnPlotTo3RToggled);
  connect(Require<QPushButton>(circularopening::kPlotStresses), &QPushButton::clicked, this,
          &CircularOpeningDialog::OnPlotStressesClicked);
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &CircularOpeningDialog::OnTabChanged);

  OnLoad();
}

CircularOpeningDialog::~CircularOpeningDialog() = default;

void CircularOpeningDialog::OnLoad() {
  ui_.radiusNote->clear();
  ui_.distanceNote->clear();
  LoadInputs();
  AddHistoryLine(
      Tr({"Stress Distribution around Circular Openings.", "Κατανομή εντατικού πεδίου γύρω από κυκλικά ανοίγματα."}));
  ui_.tabs->setCurrentIndex(kCalculationsTab);
  // Nothing is computed until the first change, Plot Stresses, or Plot to 3R
  // on the Graph tab.
}

void CircularOpeningDialog::LoadFromProject() {
  // The working copy starts from the project, so that the fields no box
  // shows keep their stored values.
  stress_ = Project.CircStress;
  opening_ = Project.CircOpening;
  ShowStored(ui_.sx, stress_.Sx);
  ShowStored(ui_.sy, stress_.Sy);
  ShowStored(ui_.txy, stress_.Txy);
  ShowStored(ui_.distance, opening_.R, true);
  ShowStored(ui_.radius, opening_.A, true);
  ShowStored(ui_.pointAngle, opening_.Angle);
  ShowStored(ui_.pressure, opening_.InternalPressure);
  // Both boxes start checked, whatever the project holds.
  ui_.showCurves->setChecked(true);
  ui_.plotTo3R->setChecked(true);
}

CircularEntries CircularOpeningDialog::ReadEntries() const {
  return {OpeningEntryOf(ui_.sx),       OpeningEntryOf(ui_.sy),         OpeningEntryOf(ui_.txy),
          OpeningEntryOf(ui_.radius),   OpeningEntryOf(ui_.pointAngle), OpeningEntryOf(ui_.distance),
          OpeningEntryOf(ui_.pressure), ui_.showCurves->isChecked()};
}

QLineEdit* CircularOpeningDialog::BoxOf(CircularField field) const {
  switch (field) {
    case CircularField::Sx: return ui_.sx;
    case CircularField::Sy: return ui_.sy;
    case CircularField::Txy: return ui_.txy;
    case CircularField::Radius: return ui_.radius;
    case CircularField::Angle: return ui_.pointAngle;
    case CircularField::Distance: return ui_.distance;
    case CircularField::Pressure: return ui_.pressure;
  }
  Q_UNREACHABLE();
  return nullptr;
}

QLabel* CircularOpeningDialog::NoteOf(CircularField field) const {
  if (field == CircularField::Radius) return ui_.radiusNote;
  if (field == CircularField::Distance) return ui_.distanceNote;
  return nullptr;
}

bool CircularOpeningDialog::ValidateInput() {
  ui_.radiusNote->clear();
  ui_.distanceNote->clear();
  const CircularEntries entries = ReadEntries();
  const CircularCheck check = FailedCircularCheck(entries);
  if (check == CircularCheck::None) {
    StoreCircularEntries(entries, stress_, opening_);
    return true;
  }
  const CircularCheckMessage& message = CircularCheckMessageOf(check);
  QLineEdit* box = BoxOf(message.Field);
  QLabel* note = NoteOf(message.Field);
  if (!message.Note || !note) {
    return forms::RefuseEntry(box, message.Message);
  }
  note->setText(QString::fromUtf8(message.Note));
  // The note beside the box says what is wrong; while the user types in
  // another box the keys stay there.
  if (!typing_) box->setFocus();
  return false;
}

void CircularOpeningDialog::ZeroResults() {
  forms::ClearResults({ui_.radialStress, ui_.tangentialStress, ui_.shearStress});
}

void CircularOpeningDialog::Recompute() {
  if (!ValidateInput()) {
    ZeroResults();
    return;
  }
  ShowPointResults();
  // With Graph clear a graph window already shown stays as it is.
  if (ui_.showCurves->isChecked()) PlotCurves();
}

void CircularOpeningDialog::ShowPointResults() {
  CircularPoint point;
  const bool ran = forms::Calculate({ui_.angleFromS2, ui_.radialStress, ui_.tangentialStress, ui_.shearStress},
                                    [&] { point = CalcKirschPoint(stress_, opening_); });
  if (!ran) {
    ui_.radialRatio->setText(QStringLiteral("-"));
    ui_.tangentialRatio->setText(QStringLiteral("-"));
    return;
  }
  if (!point.Computed) {
    // No point without a positive distance (Graph checked and the distance
    // box empty): the three stresses go; the angle and the ratios stay.
    AddHistoryLine(CircularDistanceWarning());
    ZeroResults();
    return;
  }
  RecordKirschPoint(point, opening_);
  forms::ShowResult(ui_.angleFromS2, point.AngleFromS2, kCircularAngleMask);
  forms::ShowResult(ui_.radialStress, point.Stress.SigmaR, kCircularStressMask);
  forms::ShowResult(ui_.tangentialStress, point.Stress.SigmaTheta, kCircularStressMask);
  forms::ShowResult(ui_.shearStress, point.Stress.TauRTheta, kCircularStressMask);
  ui_.radialRatio->setText(RadialRatioText(point.RadialRatio));
  ui_.tangentialRatio->setText(TangentialRatioText(point.TangentialRatio));
}

void CircularOpeningDialog::PlotCurves() {
  FillGraphCurves();
  FillChartData();
  ShowGraphWindow();
}

void CircularOpeningDialog::FillGraphCurves() {
  try {
    const StressCurves curves =
        CalcStressCurves(stress_, opening_, CurveExtent(ui_.plotTo3R->isChecked(), CircularCurvesExtent));
    RecordStressCurves(curves, opening_);
    FillGraphBuffer(curves);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    // No points rather than the curves of an earlier state.
    GraphLastPoint = -1;
  }
}

void CircularOpeningDialog::FillChartData() {
  if (ui_.curveChart->isVisible()) {
    GraphInit();
    DrawCurve();
    chartBehind_ = false;
    return;
  }
  // The Graph tab is not showing: its chart is drawn when it shows. The
  // format starts again from the defaults all the same.
  ResetGraphSettings();
  chartBehind_ = true;
}

void CircularOpeningDialog::OnTabChanged(int tab) {
  if (tab != kGraphTab || !chartBehind_) return;
  // The curves of the last calculation in the default format, whatever the
  // graph window's options dialog has chosen since.
  const GraphFormat chosen = GraphSettings;
  const UnitSystem units = GraphUnits;
  GraphInit();
  DrawCurve();
  chartBehind_ = false;
  GraphSettings = chosen;
  GraphUnits = units;
}

void CircularOpeningDialog::GraphInit() {
  // Every curve calculation starts again from the default format, the
  // graph window's too.
  ResetGraphSettings();
  SetUpGraphChart(*ui_.curveChart, false);
}

void CircularOpeningDialog::DrawCurve() { DrawGraphBuffer(*ui_.curveChart); }

void CircularOpeningDialog::ShowGraphWindow() {
  const bool active = isActiveWindow();
  GraphWindow* graph = GraphWindow::Load();
  graph->GraphInit();
  graph->DrawCurve();
  if (!graph->isVisible()) {
    graph->setAttribute(Qt::WA_ShowWithoutActivating);
    graph->show();
  }
  // Side by side in the middle of the screen, the graph window on the
  // right; the tops stay.
  const QRect screenArea = screen() ? screen()->geometry() : QRect();
  const int dialogWidth = frameGeometry().width();
  const int total = graph->frameGeometry().width() + dialogWidth;
  const int left = std::max(screenArea.left(), screenArea.left() + (screenArea.width() - total) / 2);
  if (pos().x() != left) move(left, pos().y());
  if (graph->pos().x() != left + dialogWidth) graph->move(left + dialogWidth, graph->pos().y());
  // The keys go on into the box the user types in.
  if (active && !isActiveWindow()) activateWindow();
}

void CircularOpeningDialog::OnInputEdited() {
  if (loading_) return;
  const QScopedValueRollback typing(typing_, true);
  Recompute();
}

void CircularOpeningDialog::OnPointAngleEdited() {
  if (!loading_) {
    const QScopedValueRollback typing(typing_, true);
    Recompute();
  }
  FollowAngle();
}

void CircularOpeningDialog::FollowAngle() {
  // A text that holds no digit yet ("-", "." on the way to "-45" or ".5")
  // leaves the bar where it is; the next key makes the number.
  const QString text = ui_.pointAngle->text();
  if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); })) return;
  // A number too large to read leaves the scroll bar where it is.
  const std::optional<double> angle = forms::LeadingValue(ui_.pointAngle);
  const std::optional<int> position = angle ? AngleScrollPosition(*angle) : std::nullopt;
  // A new position writes its whole degrees into the box (OnPointAngleBarMoved):
  // 370 becomes 10 and 30.7 becomes 31, while 30.5 stays beside a bar at 30.
  if (position) ui_.pointAngleBar->setValue(*position);
}

// The bar moved: whole degrees into the box. At the opening the bar only
// shows the stored angle: the box keeps that value until the user edits it.
void CircularOpeningDialog::OnPointAngleBarMoved(int value) {
  if (loading_) forms::ShowStoredValue(ui_.pointAngle, opening_.Angle, QString::number(value));
  else ui_.pointAngle->setText(QString::number(value));
}

void CircularOpeningDialog::OnInputFocusGained(QLineEdit* box) {
  // While the curves show in the graph window the box keeps its caret.
  const GraphWindow* graph = GraphWindow::Loaded();
  if (ui_.showCurves->isChecked() && graph && graph->isVisible()) return;
  // After a click has placed the caret.
  QTimer::singleShot(0, box, [box] {
    if (box->hasFocus()) box->selectAll();
  });
}

void CircularOpeningDialog::OnPlotTo3RToggled() {
  if (loading_) return;
  if (ui_.tabs->currentIndex() == kGraphTab) Recompute();
}

void CircularOpeningDialog::OnPlotStressesClicked() { Recompute(); }

void CircularOpeningDialog::CommitToProject() {
  opening_.ShowGraph = ui_.showCurves->isChecked();
  opening_.PlotTo3R = ui_.plotTo3R->isChecked();
  Project.CircStress = stress_;
  Project.CircOpening = opening_;
  MarkProjectChanged();
}

void CircularOpeningDialog::FormUnload() {
  GraphWindow::UnloadWindow();  // and its options dialog
}

}  // namespace brantel
