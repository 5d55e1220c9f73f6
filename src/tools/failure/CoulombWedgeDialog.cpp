#include "tools/failure/CoulombWedgeDialog.h"

#include "core/Bilingual.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailureDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <iterator>
#include <vector>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;

// The tabs, by the index the tab control and the project (Tab) give them.
constexpr int kSafetyFactorTab = 0;  // the safety factor for a given bolt
constexpr int kBoltLoadTab = 1;      // the bolt load for a required safety factor
constexpr int kInputLength = 20;

// The block's frame, the width note, the required safety factor's label and
// the window's title are captioned from the tool's texts (TextsOf).
// clang-format off
constexpr ControlRow kControls[] = {
    // The block.
    {.name = coulombwedge::kBlockFrame, .kind = Kind::Frame, .at = {120, 120, 4560, 2400}},
    {.name = "Label1", .kind = Kind::Label, .container = coulombwedge::kBlockFrame, .at = {120, 360, 2640, 255}, .caption = {"Length (m)", " Πλάτος (m)"}, .partner = coulombwedge::kWidth},
    {.name = coulombwedge::kWidth, .kind = Kind::TextBox, .container = coulombwedge::kBlockFrame, .at = {2880, 330, 1560, 285}, .maxLength = kInputLength},
    {.name = "Label2", .kind = Kind::Label, .container = coulombwedge::kBlockFrame, .at = {120, 780, 2640, 255}, .caption = {"Height (m)", "Ύψος (m)"}, .partner = coulombwedge::kHeight},
    {.name = coulombwedge::kHeight, .kind = Kind::TextBox, .container = coulombwedge::kBlockFrame, .at = {2880, 750, 1560, 285}, .maxLength = kInputLength},
    {.name = "Label4", .kind = Kind::Label, .container = coulombwedge::kBlockFrame, .at = {120, 1140, 2640, 420}, .caption = {"Unit Weight (kN/m3)", "Μοναδιαίο βάρος υλικού (kN/m3)"}, .partner = coulombwedge::kUnitWeight},
    {.name = coulombwedge::kUnitWeight, .kind = Kind::TextBox, .container = coulombwedge::kBlockFrame, .at = {2880, 1170, 1560, 285}, .maxLength = kInputLength},
    {.name = coulombwedge::kBlockNote, .kind = Kind::Label, .container = coulombwedge::kBlockFrame, .at = {120, 1800, 4320, 420}},
    // The discontinuity.
    {.name = "Frame3", .kind = Kind::Frame, .at = {4800, 120, 4560, 2400}, .caption = {"Discontinuity Parameters", "Παράμετροι ασυνέχειας"}},
    {.name = "Label6", .kind = Kind::Label, .container = "Frame3", .at = {120, 360, 2520, 255}, .caption = {"Cohesion (kPa)", "Συνοχή (kPa)"}, .partner = coulombwedge::kPlaneCohesion},
    {.name = coulombwedge::kPlaneCohesion, .kind = Kind::TextBox, .container = "Frame3", .at = {2760, 330, 1020, 285}, .maxLength = kInputLength},
    {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {120, 780, 2520, 255}, .caption = {"Friction Angle", "Γωνία εσωτερικής τριβής"}, .partner = coulombwedge::kPlaneFrictionAngle},
    {.name = coulombwedge::kPlaneFrictionAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {2760, 750, 1020, 285}, .maxLength = kInputLength},
    {.name = "Label9", .kind = Kind::Label, .container = "Frame3", .at = {120, 1140, 2520, 615}, .caption = {"Angle of Discontinuity Plane to Horizontal Plane", "Γωνία επιπέδου ασυνέχειας με την διεύθυνση του οριζόντιου επιπέδου "}, .partner = coulombwedge::kPlaneAngle},
    {.name = coulombwedge::kPlaneAngle, .kind = Kind::TextBox, .container = "Frame3", .at = {2760, 1170, 1020, 285}, .maxLength = kInputLength},
    {.name = "Label12", .kind = Kind::Label, .container = "Frame3", .at = {120, 1800, 2880, 420}, .caption = {"Counter-Clockwise", "*Φορά ανάποδα από την φορά των δεικτών του ρολογιού"}},
    {.name = coulombwedge::kPlaneSketch, .kind = Kind::Picture, .container = "Frame3", .at = {3120, 1560, 1320, 720}},
    // The two modes.
    {.name = coulombwedge::kTabs, .kind = Kind::TabStrip, .at = {120, 2640, 9240, 3000}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = coulombwedge::kTabs, .caption = {"Safety Factor", "Συντελεστής ασφαλείας"}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = coulombwedge::kTabs, .caption = {"Load", "Φορτίο"}},
    // Tab 0: the safety factor for a given bolt.
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {120, 480, 4440, 1920}, .caption = {"Rock Bolt Parameters", "Παράμετροι κοχλία"}},
    {.name = "Label5", .kind = Kind::Label, .container = "Frame2", .at = {120, 360, 2520, 255}, .caption = {"Bolt Load (kN)", "Φορτίο (Τάνυση Κοχλία) (kN)"}, .partner = coulombwedge::kBoltLoad},
    {.name = coulombwedge::kBoltLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2760, 330, 1440, 285}, .maxLength = kInputLength},
    {.name = "Label7", .kind = Kind::Label, .container = "Frame2", .at = {120, 780, 2520, 420}, .caption = {"Angle of Bolt to Horizontal", "Γωνία του κοχλία ως προς την οριζόντιο "}, .partner = coulombwedge::kBoltAngle},
    {.name = coulombwedge::kBoltAngle, .kind = Kind::TextBox, .container = "Frame2", .at = {2760, 780, 1440, 285}, .maxLength = kInputLength},
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {4680, 480, 4440, 1920}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label19", .kind = Kind::Label, .container = "Frame4", .at = {120, 360, 2520, 420}, .caption = {"Safety Factor for Slope", "Συντελεστής ασφαλείας σφήνας"}, .partner = coulombwedge::kSafetyFactor},
    {.name = coulombwedge::kSafetyFactor, .kind = Kind::TextBox, .container = "Frame4", .at = {2760, 330, 1440, 285}, .flags = kResult},
    {.name = coulombwedge::kTensionWarning, .kind = Kind::Label, .container = "Frame4", .at = {120, 840, 4200, 900}},
    // Tab 1: the bolt load for a required safety factor.
    {.name = "Frame5", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {120, 480, 4440, 1920}, .caption = {"Parameters", "Παράμετροι"}},
    {.name = coulombwedge::kRequiredSafetyFactorLabel, .kind = Kind::Label, .container = "Frame5", .at = {120, 360, 2520, 255}, .partner = coulombwedge::kRequiredSafetyFactor},
    {.name = coulombwedge::kRequiredSafetyFactor, .kind = Kind::TextBox, .container = "Frame5", .at = {2760, 330, 1440, 285}, .maxLength = kInputLength},
    {.name = "Label10", .kind = Kind::Label, .container = "Frame5", .at = {120, 780, 2520, 420}, .caption = {"Angle of Bolt to Horizontal", "Γωνία του κοχλία ως προς την οριζόντιο "}, .partner = coulombwedge::kBoltAngleForLoad},
    {.name = coulombwedge::kBoltAngleForLoad, .kind = Kind::TextBox, .container = "Frame5", .at = {2760, 780, 1440, 285}, .maxLength = kInputLength},
    {.name = coulombwedge::kBoltSketch, .kind = Kind::Picture, .container = "Frame5", .at = {2760, 1200, 1440, 630}},
    {.name = "Frame6", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {4680, 480, 4440, 1920}, .caption = {"Results", "Αποτελέσματα"}},
    {.name = "Label17", .kind = Kind::Label, .container = "Frame6", .at = {120, 360, 2520, 255}, .caption = {"Load (kN)", "Φορτίο (kN)"}, .partner = coulombwedge::kRequiredBoltLoad},
    {.name = coulombwedge::kRequiredBoltLoad, .kind = Kind::TextBox, .container = "Frame6", .at = {2760, 330, 1440, 285}, .flags = kResult},
    {.name = coulombwedge::kLoadNote, .kind = Kind::Label, .container = "Frame6", .at = {120, 840, 4200, 900}},
    {.name = "Label13", .kind = Kind::Label, .container = "SSTab1(1)", .at = {120, 2520, 9000, 255}, .caption = {"*Clockwise is Positive", "*Φορά σύμφωνα με την φορά των δεικτών του ρολογιού"}},
    // Buttons.
    {.name = coulombwedge::kHelp, .kind = Kind::Button, .at = {5040, 5790, 1215, 375}, .caption = {"Help"}},
    {.name = coulombwedge::kCancel, .kind = Kind::Button, .at = {6480, 5790, 1215, 375}, .caption = {"Cancel"}},
    {.name = coulombwedge::kOk, .kind = Kind::Button, .at = {7920, 5790, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on
constexpr int kFormWidth = 9480;
constexpr int kFormHeight = 6300;

// The control table with the captions of the tool's own texts.
std::vector<ControlRow> ControlsOf(const WedgeTexts& texts) {
  std::vector<ControlRow> rows(std::begin(kControls), std::end(kControls));
  for (ControlRow& row : rows) {
    const Bilingual* text = nullptr;
    if (std::strcmp(row.name, coulombwedge::kBlockFrame) == 0) text = &texts.BlockFrame;
    if (std::strcmp(row.name, coulombwedge::kBlockNote) == 0) text = &texts.WidthNote;
    if (std::strcmp(row.name, coulombwedge::kRequiredSafetyFactorLabel) == 0) text = &texts.RequiredSafetyFactorCaption;
    if (text) {
      row.caption.english = text->english;
      row.caption.greek = text->greek;
    }
  }
  return rows;
}

// A small drawing of an angle's positive sense: the horizontal, a line at an
// angle to it and an arrowed arc from the one to the other marked "+". The
// discontinuity plane turns counter-clockwise, the bolt clockwise.
class AngleSketch : public QWidget {
 public:
  enum class Sense { CounterClockwise, Clockwise };
  AngleSketch(Sense sense, QWidget* parent) : QWidget(parent), sense_(sense) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(3, 3, -3, -3);
    const bool plane = sense_ == Sense::CounterClockwise;
    const double degrees = plane ? 35 : -30;  // counter-clockwise on the screen
    const double a = qDegreesToRadians(degrees);
    const QPointF origin(area.left(), plane ? area.bottom() : area.top() + 0.2 * area.height());
    const double room = plane ? area.height() : 0.8 * area.height();  // for the line's rise or fall
    const double length = std::min(area.width(), room / std::fabs(std::sin(a)));
    const auto at = [&](double radius, double angle) {
      return origin + QPointF(radius * std::cos(angle), -radius * std::sin(angle));
    };

    p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    p.drawLine(origin, at(length, 0));
    p.setPen(QPen(palette().color(QPalette::WindowText), plane ? 2 : 1.5));
    p.drawLine(origin, at(length, a));
    if (!plane) {
      // The bolt's plate at the face.
      const QPointF across(0.12 * length * std::sin(a), 0.12 * length * std::cos(a));
      p.drawLine(origin - across, origin + across);
    }

    const QColor arc(0, 0, 255);
    const double radius = 0.6 * length;
    p.setPen(QPen(arc, 1));
    p.drawArc(QRectF(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius), 0, qRound(degrees * 16));
    // The arrowhead at the arc's end, pointing the way the angle turns.
    const QPointF tip = at(radius, a);
    const double turn = plane ? 1 : -1;
    const double head = 0.08 * length + 2;
    FillArrowhead(p, tip, QPointF(-turn * std::sin(a), -turn * std::cos(a)), head, arc);
    const QPointF mark = at(radius + 0.5 * head + 4, a / 2);
    DrawSenseMark(p, QRectF(mark.x() - 8, mark.y() - 8, 16, 16), QStringLiteral("+"), arc);
  }

 private:
  Sense sense_;
};

}  // namespace

CoulombWedgeDialog::CoulombWedgeDialog(QWidget* owner, WedgeTool tool) : FormDialog(owner), tool_(tool) {
  const WedgeTexts& texts = TextsOf(tool);
  const forms::FormDesign design{.name = tool == WedgeTool::Slope ? "frmCoulombSlope" : "frmCoulombWedge",
                                 .width = kFormWidth,
                                 .height = kFormHeight,
                                 .caption = texts.Title};
  Build(design, ControlsOf(texts), [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(coulombwedge::kPlaneSketch))
      return new AngleSketch(AngleSketch::Sense::CounterClockwise, parent);
    if (name == QLatin1String(coulombwedge::kBoltSketch)) return new AngleSketch(AngleSketch::Sense::Clockwise, parent);
    return nullptr;
  });
  ui_.width = Require<QLineEdit>(coulombwedge::kWidth);
  ui_.height = Require<QLineEdit>(coulombwedge::kHeight);
  ui_.unitWeight = Require<QLineEdit>(coulombwedge::kUnitWeight);
  ui_.planeCohesion = Require<QLineEdit>(coulombwedge::kPlaneCohesion);
  ui_.planeFrictionAngle = Require<QLineEdit>(coulombwedge::kPlaneFrictionAngle);
  ui_.planeAngle = Require<QLineEdit>(coulombwedge::kPlaneAngle);
  ui_.boltLoad = Require<QLineEdit>(coulombwedge::kBoltLoad);
  ui_.boltAngle = Require<QLineEdit>(coulombwedge::kBoltAngle);
  ui_.safetyFactor = Require<QLineEdit>(coulombwedge::kSafetyFactor);
  ui_.tensionWarning = Require<QLabel>(coulombwedge::kTensionWarning);
  ui_.requiredSafetyFactor = Require<QLineEdit>(coulombwedge::kRequiredSafetyFactor);
  ui_.boltAngleForLoad = Require<QLineEdit>(coulombwedge::kBoltAngleForLoad);
  ui_.requiredBoltLoad = Require<QLineEdit>(coulombwedge::kRequiredBoltLoad);
  ui_.loadNote = Require<QLabel>(coulombwedge::kLoadNote);
  ui_.tabs = Require<QTabWidget>(coulombwedge::kTabs);
  ui_.ok = Require<QPushButton>(coulombwedge::kOk);

  // Each box by its leading number, refused beyond the 32-bit range or by
  // its value rule; the bolt's two only on their own page.
  const auto add = [this](forms::NumericInputs& inputs, QLineEdit* box, float& field, WedgeInput which,
                          std::function<bool()> when = {}) {
    inputs.Add(box, field,
               {.reading = Reading::LeadingNumber,
                .message = WedgeTooLargeMessage(),
                .rule = WedgeValueRule(tool_, which),
                .when = std::move(when)});
  };
  add(blockInputs_, ui_.width, work_.Width, WedgeInput::Width);
  add(blockInputs_, ui_.height, work_.Height, WedgeInput::Height);
  add(blockInputs_, ui_.unitWeight, work_.SpecificGravity, WedgeInput::UnitWeight);
  add(blockInputs_, ui_.planeCohesion, work_.Cohesion, WedgeInput::Cohesion);
  add(blockInputs_, ui_.planeFrictionAngle, work_.FrictionAngle, WedgeInput::FrictionAngle);
  add(blockInputs_, ui_.planeAngle, work_.DiscAngle, WedgeInput::PlaneAngle);
  const auto onPage = [this](int tab) { return [this, tab] { return SelectedTab() == tab; }; };
  add(boltInputs_, ui_.boltLoad, work_.BoltLoad, WedgeInput::BoltLoad, onPage(kSafetyFactorTab));
  add(boltInputs_, ui_.boltAngle, work_.BoltAngle, WedgeInput::BoltAngle, onPage(kSafetyFactorTab));
  add(boltInputs_, ui_.requiredSafetyFactor, work_.ReqSafetyFactor, WedgeInput::RequiredSafetyFactor,
      onPage(kBoltLoadTab));
  add(boltInputs_, ui_.boltAngleForLoad, work_.BoltAngle2, WedgeInput::BoltAngleForLoad, onPage(kBoltLoadTab));

  WireButtons(ui_.ok, Require<QPushButton>(coulombwedge::kCancel), Require<QPushButton>(coulombwedge::kHelp));
  for (QLineEdit* box : {ui_.width, ui_.height, ui_.unitWeight, ui_.planeCohesion, ui_.planeFrictionAngle,
                         ui_.planeAngle, ui_.boltLoad, ui_.boltAngle, ui_.requiredSafetyFactor, ui_.boltAngleForLoad}) {
    connect(box, &QLineEdit::textChanged, this, &CoulombWedgeDialog::OnInputEdited);
  }
  // The boxes of the page not shown are out of the Tab-key order by
  // themselves, being hidden.
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &CoulombWedgeDialog::OnTabChanged);

  OnLoad();
}

CoulombWedgeDialog::~CoulombWedgeDialog() = default;

BoltedWedgeData& CoulombWedgeDialog::Record() const {
  return tool_ == WedgeTool::Slope ? Project.CoulombSlopeData : Project.CoulombWedgeData;
}

int CoulombWedgeDialog::SelectedTab() const { return ui_.tabs->currentIndex(); }

void CoulombWedgeDialog::OnLoad() {
  LoadInputs();
  if (ValidateInput()) CalcSafetyFactor();
  AddHistoryLine(Tr(TextsOf(tool_).History));
}

void CoulombWedgeDialog::LoadFromProject() {
  work_ = Record();
  ShowInputValue(ui_.width, work_.Width);
  ShowInputValue(ui_.height, work_.Height);
  ShowInputValue(ui_.unitWeight, work_.SpecificGravity);
  ShowInputValue(ui_.planeCohesion, work_.Cohesion);
  ShowInputValue(ui_.planeFrictionAngle, work_.FrictionAngle);
  ShowInputValue(ui_.planeAngle, work_.DiscAngle);
  // In Greek the dialog opens on the stored tab; in English always on
  // "Safety Factor".
  ui_.tabs->setCurrentIndex(!ProgramInEnglish() && work_.Tab == kBoltLoadTab ? kBoltLoadTab : kSafetyFactorTab);
  ShowInputValue(ui_.boltLoad, work_.BoltLoad);
  ShowInputValue(ui_.boltAngle, work_.BoltAngle);
  ShowInputValue(ui_.requiredSafetyFactor, work_.ReqSafetyFactor);
  ShowInputValue(ui_.boltAngleForLoad, work_.BoltAngle2);
}

bool CoulombWedgeDialog::ValidateInput() {
  // The block's values are kept once they pass, even when the tab's do not.
  return blockInputs_.Validate() && boltInputs_.Validate();
}

void CoulombWedgeDialog::ZeroResults() {
  if (SelectedTab() == kSafetyFactorTab) forms::ShowResult(ui_.safetyFactor, QString());
  if (SelectedTab() == kBoltLoadTab) forms::ShowResult(ui_.requiredBoltLoad, QString());
}

void CoulombWedgeDialog::CalcSafetyFactor() {
  if (SelectedTab() == kSafetyFactorTab) {
    const WedgeSafetyFactor r = CalcWedgeSafetyFactor(work_);
    if (r.Computable) {
      work_.SafetyFactor = r.SafetyFactor;
      forms::ShowResult(ui_.safetyFactor, FormatGeneral(r.SafetyFactor));
    } else {
      ZeroResults();
    }
    ui_.tensionWarning->setText(r.ExcessiveTensioning ? Tr(TextsOf(tool_).TensionWarning) : QString());
    ui_.ok->setEnabled(r.Computable);
  } else if (SelectedTab() == kBoltLoadTab) {
    const WedgeBoltLoad r = CalcWedgeBoltLoad(work_);
    const bool computable = r.Outcome != WedgeLoadOutcome::NotComputable;
    if (computable) work_.ReqBoltLoad = r.ReqBoltLoad;
    if (r.Outcome == WedgeLoadOutcome::Load) {
      forms::ShowResult(ui_.requiredBoltLoad, FormatGeneral(r.ReqBoltLoad));
    } else {
      ZeroResults();
    }
    ui_.loadNote->setText(Tr(WedgeLoadNote(r.Outcome)));
    ui_.ok->setEnabled(computable);
  }
}

void CoulombWedgeDialog::OnInputEdited() {
  RecalculateIfValid([this] { CalcSafetyFactor(); });
}

void CoulombWedgeDialog::OnTabChanged() {
  RecalculateIfValid([this] { CalcSafetyFactor(); });
}

void CoulombWedgeDialog::CommitToProject() {
  work_.Tab = SelectedTab();
  Record() = work_;
  MarkProjectChanged();
}

}  // namespace brantel
