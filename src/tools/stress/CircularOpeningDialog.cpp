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

constexpr forms::FormDesign kForm{8235, 7605, "Stress Distribution around Circular Openings (Kirsch)",
                                "Εντατική κατάσταση γύρω από κυκλικά ανοίγματα"};

constexpr ControlRow kControls[] = {
    // Inputs.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 7935, 2775, "Input Data", "Εισαγωγή δεδομένων"},
    {"lblsx", Kind::Label, "Frame1", 720, 360, 975, 255, "sx", "σ x", "Text1"},
    {"lblsy", Kind::Label, "Frame1", 720, 840, 975, 255, "sy", "σ y", "Text2"},
    {"lbltxy", Kind::Label, "Frame1", 720, 1320, 975, 255, "txy", "τ xy", "Text3"},
    {"Text1", Kind::TextBox, "Frame1", 1800, 360, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"Text2", Kind::TextBox, "Frame1", 1800, 840, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"Text3", Kind::TextBox, "Frame1", 1800, 1320, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"lblRadius", Kind::Label, "Frame1", 840, 1800, 855, 255, "Radius", "Ακτίνα (a)", "Text4"},
    {"Text4", Kind::TextBox, "Frame1", 1800, 1800, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"lblRadMsg", Kind::Label, "Frame1", 3240, 1800, 1575, 255},
    {"lblInternalPress", Kind::Label, "Frame1", 120, 2280, 1575, 255, "Internal Pressure", "Εσωτερική Πίεση ",
     "txtlInternalPress"},
    {"txtlInternalPress", Kind::TextBox, "Frame1", 1800, 2280, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"lblBoreholeStab", Kind::Label, "Frame1", 3240, 2280, 2055, 255, "* for Borehole Stability",
     "* ευστάθεια γεώτρησης"},
    {"lblAngle", Kind::Label, "Frame1", 3840, 360, 855, 255, "Angle w", "γωνία θ", "Text5"},
    {"Text5", Kind::TextBox, "Frame1", 4800, 360, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"HScroll1", Kind::HScroll, "Frame1", 6240, 360, 1455, 310, "Angle w", "γωνία θ"},
    {"lblDirection", Kind::Label, "Frame1", 6120, 840, 1575, 855, "* Counter Clockwise Direction",
     "* Φορά ανάποδα από την φορά των δεικτών του ρολογιού"},
    {"Image1", Kind::Picture, "Frame1", 4920, 780, 900, 900},
    {"chkGraph", Kind::CheckBox, "Frame1", 4920, 1800, 1335, 255, "Graph", "Γράφημα"},
    {"Check2", Kind::CheckBox, "Frame1", 4920, 2040, 1335, 255, "Plot to 3R", "Graph to 3R"},
    {"Command1", Kind::Button, "Frame1", 6480, 1920, 1215, 375, "Plot Stresses"},
    // The point results and the curves, one tab each.
    {"SSTab1", Kind::TabStrip, nullptr, 120, 3000, 7935, 3855},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Calculations", "Υπολογισμοί"},
    {"Frame2", Kind::Frame, "SSTab1(0)", 120, 480, 7695, 3255, "Stress Calculations around Circular Opening",
     "Υπολογισμός τάσεων γύρω από κυκλικό άνοιγμα"},
    {"Label33", Kind::Label, "Frame2", 480, 480, 495, 255, "r", nullptr, "Text11"},
    {"Text11", Kind::TextBox, "Frame2", 1080, 480, 1215, 285, nullptr, nullptr, nullptr, kInput, 20},
    {"lblDistMsg", Kind::Label, "Frame2", 2520, 480, 2055, 255},
    {"lblAngleDtheta", Kind::Label, "Frame2", 4680, 480, 855, 255, "Angle Dw", "γωνία Δθ", "Text6"},
    {"Text6", Kind::TextBox, "Frame2", 5640, 480, 1215, 285, nullptr, nullptr, nullptr, kResult},
    {"lblsr", Kind::Label, "Frame2", 120, 1440, 855, 255, "sRadial", "σ r", "Text7"},
    {"lblsth", Kind::Label, "Frame2", 120, 1920, 855, 255, "sTangent", "σ θ", "Text8"},
    {"lbltth", Kind::Label, "Frame2", 120, 2400, 855, 255, "t(rt)", "τ rθ", "Text9"},
    {"Text7", Kind::TextBox, "Frame2", 1080, 1440, 1215, 285, nullptr, nullptr, nullptr, kResult, 30},
    {"Text8", Kind::TextBox, "Frame2", 1080, 1920, 1215, 285, nullptr, nullptr, nullptr, kResult, 30},
    {"Text9", Kind::TextBox, "Frame2", 1080, 2400, 1215, 285, nullptr, nullptr, nullptr, kResult, 30},
    {"Label11", Kind::Label, "Frame2", 3120, 1440, 3255, 255},
    {"Label9", Kind::Label, "Frame2", 3120, 2040, 3135, 255},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Graph", "Γραφική Παράσταση"},
    {"Frame3", Kind::Frame, "SSTab1(1)", 120, 480, 7695, 3255, "Graph of Stresses around Circular Opening",
     "Γραφική παράσταση τάσεων γύρω από το κυκλικό άνοιγμα"},
    {"Graph1", Kind::Picture, "Frame3", 120, 240, 7215, 2775, "Graph", "Γραφική Παράσταση"},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 3960, 7080, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 5400, 7080, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 6840, 7080, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

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
    if (event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
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

frmCircular::frmCircular(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmCircular"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String("Graph1")) return new GraphChart(parent);
    if (name == QLatin1String("Image1")) return new AngleSense(parent);
    return nullptr;
  });
  ui_.sx = Require<QLineEdit>(u"Text1");
  ui_.sy = Require<QLineEdit>(u"Text2");
  ui_.txy = Require<QLineEdit>(u"Text3");
  ui_.a = Require<QLineEdit>(u"Text4");
  ui_.angle = Require<QLineEdit>(u"Text5");
  ui_.r = Require<QLineEdit>(u"Text11");
  ui_.pressure = Require<QLineEdit>(u"txtlInternalPress");
  ui_.dw = Require<QLineEdit>(u"Text6");
  ui_.sigmaR = Require<QLineEdit>(u"Text7");
  ui_.sigmaTheta = Require<QLineEdit>(u"Text8");
  ui_.tau = Require<QLineEdit>(u"Text9");
  ui_.radialRatio = Require<QLabel>(u"Label11");
  ui_.tangentialRatio = Require<QLabel>(u"Label9");
  ui_.radiusMessage = Require<QLabel>(u"lblRadMsg");
  ui_.distanceMessage = Require<QLabel>(u"lblDistMsg");
  ui_.angleBar = Require<QScrollBar>(u"HScroll1");
  ui_.graph = Require<QCheckBox>(u"chkGraph");
  ui_.plotTo3R = Require<QCheckBox>(u"Check2");
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  ui_.chart = Require<GraphChart>(u"Graph1");

  ui_.angleBar->setRange(-360, 360);
  ui_.angleBar->setSingleStep(10);
  ui_.angleBar->setPageStep(45);
  ui_.chart->SetMargin(2);
  ui_.radialRatio->setText(QStringLiteral("-"));
  ui_.tangentialRatio->setText(QStringLiteral("-"));

  WireButtons(Require<QPushButton>(u"CmdOk"), Require<QPushButton>(u"cmdCancel"),
              Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.a, ui_.r, ui_.pressure}) {
    connect(box, &QLineEdit::textChanged, this, &frmCircular::Text_Change);
  }
  connect(ui_.angle, &QLineEdit::textChanged, this, &frmCircular::Text5_Change);
  for (QLineEdit* box : {ui_.sx, ui_.sy, ui_.txy, ui_.a, ui_.angle, ui_.r, ui_.pressure}) {
    box->installEventFilter(new GotFocusFilter(box, [this, box] { TextBox_GotFocus(box); }));
  }
  connect(ui_.angleBar, &QScrollBar::valueChanged, this, &frmCircular::HScroll1_Change);
  connect(ui_.plotTo3R, &QCheckBox::toggled, this, &frmCircular::Check2_Click);
  connect(Require<QPushButton>(u"Command1"), &QPushButton::clicked, this, &frmCircular::Command1_Click);
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &frmCircular::SSTab1_Click);

  Form_Load();
}

frmCircular::~frmCircular() = default;

void frmCircular::Form_Load() {
  ui_.radiusMessage->clear();
  ui_.distanceMessage->clear();
  LoadInputs();
  AddHistoryLine(Tr({"Stress Distribution around Circular Openings.",
                     "Κατανομή εντατικού πεδίου γύρω από κυκλικά ανοίγματα."}));
  ui_.tabs->setCurrentIndex(0);
  // Nothing is computed until the first change, Plot Stresses, or Plot to 3R
  // on the Graph tab.
}

void frmCircular::LoadFromProject() {
  // The working copy starts from the project, so that the fields no box
  // shows keep their stored values.
  stress_ = Project.CircStress;
  opening_ = Project.CircOpening;
  ShowStored(ui_.sx, stress_.Sx);
  ShowStored(ui_.sy, stress_.Sy);
  ShowStored(ui_.txy, stress_.Txy);
  ShowStored(ui_.r, opening_.R, true);
  ShowStored(ui_.a, opening_.A, true);
  ShowStored(ui_.angle, opening_.Angle);
  ShowStored(ui_.pressure, opening_.InternalPressure);
  // Both boxes start checked, whatever the project holds.
  ui_.graph->setChecked(true);
  ui_.plotTo3R->setChecked(true);
}

CircularEntries frmCircular::ReadEntries() const {
  return {OpeningEntryOf(ui_.sx), OpeningEntryOf(ui_.sy),    OpeningEntryOf(ui_.txy),      OpeningEntryOf(ui_.a),
          OpeningEntryOf(ui_.angle), OpeningEntryOf(ui_.r), OpeningEntryOf(ui_.pressure), ui_.graph->isChecked()};
}

bool frmCircular::ValidateInput() {
  ui_.radiusMessage->clear();
  ui_.distanceMessage->clear();
  const CircularEntries entries = ReadEntries();
  const CircularCheck check = FailedCircularCheck(entries);
  if (check == CircularCheck::None) {
    StoreCircularEntries(entries, stress_, opening_);
    return true;
  }
  const CircularCheckMessage& message = CircularCheckMessageOf(check);
  QLineEdit* box = Require<QLineEdit>(QString::fromLatin1(message.Focus));
  if (!message.Label) {
    return forms::RefuseEntry(box, message.Message);
  }
  Require<QLabel>(QString::fromLatin1(message.Label))->setText(QString::fromUtf8(message.LabelText));
  // The note beside the box says what is wrong; while the user types in
  // another box the keys stay there.
  if (!typing_) box->setFocus();
  return false;
}

void frmCircular::ZeroResults() { forms::ClearResults({ui_.sigmaR, ui_.sigmaTheta, ui_.tau}); }

void frmCircular::Calculate() {
  if (!ValidateInput()) {
    ZeroResults();
    return;
  }
  CalcKirschPoint();
  // With Graph clear a graph window already shown stays as it is.
  if (ui_.graph->isChecked()) PlotCurves();
}

void frmCircular::CalcKirschPoint() {
  CircularPoint point;
  const bool ran = forms::Calculate({ui_.dw, ui_.sigmaR, ui_.sigmaTheta, ui_.tau},
                                    [&] { point = brantel::CalcKirschPoint(stress_, opening_); });
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
  forms::ShowResult(ui_.dw, point.AngleFromS2, kCircularAngleMask);
  forms::ShowResult(ui_.sigmaR, point.Stress.SigmaR, kCircularStressMask);
  forms::ShowResult(ui_.sigmaTheta, point.Stress.SigmaTheta, kCircularStressMask);
  forms::ShowResult(ui_.tau, point.Stress.TauRTheta, kCircularStressMask);
  ui_.radialRatio->setText(RadialRatioText(point.RadialRatio));
  ui_.tangentialRatio->setText(TangentialRatioText(point.TangentialRatio));
}

void frmCircular::PlotCurves() {
  FillGraphCurves();
  FillChartData();
  ShowGraphWindow();
}

void frmCircular::FillGraphCurves() {
  try {
    const StressCurves curves =
        CalcStressCurves(stress_, opening_, CurveExtent(ui_.plotTo3R->isChecked(), CircExtend));
    RecordStressCurves(curves, opening_);
    FillGraphBuffer(curves);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    // No points rather than the curves of an earlier state.
    GraphLastPoint = -1;
  }
}

void frmCircular::FillChartData() {
  if (ui_.chart->isVisible()) {
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

void frmCircular::SSTab1_Click(int tab) {
  if (tab != 1 || !chartBehind_) return;
  // The curves of the last calculation in the default format, whatever the
  // graph window's options dialog has chosen since.
  const GraphFormat chosen = GraphSettings;
  const qint16 units = GraphUnits;
  GraphInit();
  DrawCurve();
  chartBehind_ = false;
  GraphSettings = chosen;
  GraphUnits = units;
}

void frmCircular::GraphInit() {
  // Every curve calculation starts again from the default format, the
  // graph window's too.
  ResetGraphSettings();
  SetUpGraphChart(*ui_.chart, false);
}

void frmCircular::DrawCurve() { DrawGraphBuffer(*ui_.chart); }

void frmCircular::ShowGraphWindow() {
  const bool active = isActiveWindow();
  frmGraph* graph = frmGraph::Load();
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

void frmCircular::Text_Change() {
  if (loading_) return;
  const QScopedValueRollback typing(typing_, true);
  Calculate();
}

void frmCircular::Text5_Change() {
  if (!loading_) {
    const QScopedValueRollback typing(typing_, true);
    Calculate();
  }
  FollowAngle();
}

void frmCircular::FollowAngle() {
  // A text that holds no digit yet ("-", "." on the way to "-45" or ".5")
  // leaves the bar where it is; the next key makes the number.
  const QString text = ui_.angle->text();
  if (std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); })) return;
  // A number too large to read leaves the scroll bar where it is.
  const std::optional<double> angle = forms::LeadingValue(ui_.angle);
  const std::optional<int> position = angle ? AngleScrollPosition(*angle) : std::nullopt;
  // A new position writes its whole degrees into the box (HScroll1_Change):
  // 370 becomes 10 and 30.7 becomes 31, while 30.5 stays beside a bar at 30.
  if (position) ui_.angleBar->setValue(*position);
}

// The bar moved: whole degrees into the box. At the opening the bar only
// shows the stored angle: the box keeps that value until the user edits it.
void frmCircular::HScroll1_Change(int value) {
  if (loading_) forms::ShowStoredValue(ui_.angle, opening_.Angle, QString::number(value));
  else ui_.angle->setText(QString::number(value));
}

void frmCircular::TextBox_GotFocus(QLineEdit* box) {
  // While the curves show in the graph window the box keeps its caret.
  const frmGraph* graph = frmGraph::Loaded();
  if (ui_.graph->isChecked() && graph && graph->isVisible()) return;
  // After a click has placed the caret.
  QTimer::singleShot(0, box, [box] {
    if (box->hasFocus()) box->selectAll();
  });
}

void frmCircular::Check2_Click() {
  if (loading_) return;
  if (ui_.tabs->currentIndex() == 1) Calculate();
}

void frmCircular::Command1_Click() { Calculate(); }

void frmCircular::CommitToProject() {
  opening_.ShowGraph = ui_.graph->isChecked() ? -1 : 0;
  opening_.PlotTo3R = ui_.plotTo3R->isChecked() ? -1 : 0;
  Project.CircStress = stress_;
  Project.CircOpening = opening_;
  MarkProjectChanged();
}

void frmCircular::FormUnload() {
  frmGraph::UnloadWindow();  // and its options dialog
}

}  // namespace brantel
