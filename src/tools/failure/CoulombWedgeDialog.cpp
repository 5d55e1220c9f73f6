#include "tools/failure/CoulombWedgeDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
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
#include <iterator>
#include <limits>
#include <vector>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

// A box whose number is too large to read counts as beyond every range, for
// the checks to refuse.
constexpr double kUnreadable = std::numeric_limits<double>::infinity();

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 20;

// Frame1, Label3 and Label11 and the window's title are captioned from the
// tool's texts (TextsOf).
constexpr ControlRow kControls[] = {
    // The block.
    {"Frame1", Kind::Frame, nullptr, 120, 120, 4560, 2400},
    {"Label1", Kind::Label, "Frame1", 120, 360, 2640, 255, "Length (m)", " Πλάτος (m)", "Text1"},
    {"Text1", Kind::TextBox, "Frame1", 2880, 330, 1560, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label2", Kind::Label, "Frame1", 120, 780, 2640, 255, "Height (m)", "Ύψος (m)", "Text2"},
    {"Text2", Kind::TextBox, "Frame1", 2880, 750, 1560, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label4", Kind::Label, "Frame1", 120, 1140, 2640, 420, "Unit Weight (kN/m3)", "Μοναδιαίο βάρος υλικού (kN/m3)",
     "Text3"},
    {"Text3", Kind::TextBox, "Frame1", 2880, 1170, 1560, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label3", Kind::Label, "Frame1", 120, 1800, 4320, 420},
    // The discontinuity.
    {"Frame3", Kind::Frame, nullptr, 4800, 120, 4560, 2400, "Discontinuity Parameters", "Παράμετροι ασυνέχειας"},
    {"Label6", Kind::Label, "Frame3", 120, 360, 2520, 255, "Cohesion (kPa)", "Συνοχή (kPa)", "Text6"},
    {"Text6", Kind::TextBox, "Frame3", 2760, 330, 1020, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label8", Kind::Label, "Frame3", 120, 780, 2520, 255, "Friction Angle", "Γωνία εσωτερικής τριβής", "Text7"},
    {"Text7", Kind::TextBox, "Frame3", 2760, 750, 1020, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label9", Kind::Label, "Frame3", 120, 1140, 2520, 615, "Angle of Discontinuity Plane to Horizontal Plane",
     "Γωνία επιπέδου ασυνέχειας με την διεύθυνση του οριζόντιου επιπέδου ", "Text8"},
    {"Text8", Kind::TextBox, "Frame3", 2760, 1170, 1020, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label12", Kind::Label, "Frame3", 120, 1800, 2880, 420, "Counter-Clockwise",
     "*Φορά ανάποδα από την φορά των δεικτών του ρολογιού"},
    {"Image3", Kind::Picture, "Frame3", 3120, 1560, 1320, 720},
    // The two modes.
    {"SSTab1", Kind::TabStrip, nullptr, 120, 2640, 9240, 3000},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Safety Factor", "Συντελεστής ασφαλείας"},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Load", "Φορτίο"},
    // Tab 0: the safety factor for a given bolt.
    {"Frame2", Kind::Frame, "SSTab1(0)", 120, 480, 4440, 1920, "Rock Bolt Parameters", "Παράμετροι κοχλία"},
    {"Label5", Kind::Label, "Frame2", 120, 360, 2520, 255, "Bolt Load (kN)", "Φορτίο (Τάνυση Κοχλία) (kN)", "Text4"},
    {"Text4", Kind::TextBox, "Frame2", 2760, 330, 1440, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label7", Kind::Label, "Frame2", 120, 780, 2520, 420, "Angle of Bolt to Horizontal",
     "Γωνία του κοχλία ως προς την οριζόντιο ", "Text5"},
    {"Text5", Kind::TextBox, "Frame2", 2760, 780, 1440, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Frame4", Kind::Frame, "SSTab1(0)", 4680, 480, 4440, 1920, "Results", "Αποτελέσματα"},
    {"Label19", Kind::Label, "Frame4", 120, 360, 2520, 420, "Safety Factor for Slope", "Συντελεστής ασφαλείας σφήνας",
     "Text10"},
    {"Text10", Kind::TextBox, "Frame4", 2760, 330, 1440, 285, nullptr, nullptr, nullptr, kResult},
    {"Label14", Kind::Label, "Frame4", 120, 840, 4200, 900},
    // Tab 1: the bolt load for a required safety factor.
    {"Frame5", Kind::Frame, "SSTab1(1)", 120, 480, 4440, 1920, "Parameters", "Παράμετροι"},
    {"Label11", Kind::Label, "Frame5", 120, 360, 2520, 255, nullptr, nullptr, "Text11"},
    {"Text11", Kind::TextBox, "Frame5", 2760, 330, 1440, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Label10", Kind::Label, "Frame5", 120, 780, 2520, 420, "Angle of Bolt to Horizontal",
     "Γωνία του κοχλία ως προς την οριζόντιο ", "Text12"},
    {"Text12", Kind::TextBox, "Frame5", 2760, 780, 1440, 285, nullptr, nullptr, nullptr, 0, kInputLength},
    {"Image2", Kind::Picture, "Frame5", 2760, 1200, 1440, 630},
    {"Frame6", Kind::Frame, "SSTab1(1)", 4680, 480, 4440, 1920, "Results", "Αποτελέσματα"},
    {"Label17", Kind::Label, "Frame6", 120, 360, 2520, 255, "Load (kN)", "Φορτίο (kN)", "Text9"},
    {"Text9", Kind::TextBox, "Frame6", 2760, 330, 1440, 285, nullptr, nullptr, nullptr, kResult},
    {"Label15", Kind::Label, "Frame6", 120, 840, 4200, 900},
    {"Label13", Kind::Label, "SSTab1(1)", 120, 2520, 9000, 255, "*Clockwise is Positive",
     "*Φορά σύμφωνα με την φορά των δεικτών του ρολογιού"},
    // Buttons.
    {"cmdHelp", Kind::Button, nullptr, 5040, 5790, 1215, 375, "Help"},
    {"cmdCancel", Kind::Button, nullptr, 6480, 5790, 1215, 375, "Cancel"},
    {"CmdOk", Kind::Button, nullptr, 7920, 5790, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};
constexpr int kFormWidth = 9480;
constexpr int kFormHeight = 6300;

// The control table with the captions of the tool's own texts.
std::vector<ControlRow> ControlsOf(const WedgeTexts& texts) {
  std::vector<ControlRow> rows(std::begin(kControls), std::end(kControls));
  for (ControlRow& row : rows) {
    const Bilingual* text = nullptr;
    if (std::strcmp(row.name, "Frame1") == 0) text = &texts.Frame1;
    if (std::strcmp(row.name, "Label3") == 0) text = &texts.Label3;
    if (std::strcmp(row.name, "Label11") == 0) text = &texts.Label11;
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
    p.drawArc(QRectF(origin.x() - radius, origin.y() - radius, 2 * radius, 2 * radius), 0,
              qRound(degrees * 16));
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

frmCoulombWedge::frmCoulombWedge(QWidget* owner, WedgeTool tool) : FormDialog(owner), tool_(tool) {
  const WedgeTexts& texts = TextsOf(tool);
  setObjectName(tool == WedgeTool::Slope ? QStringLiteral("frmCoulombSlope") : QStringLiteral("frmCoulombWedge"));
  const forms::FormDesign design{kFormWidth, kFormHeight, texts.Title.english, texts.Title.greek};
  Build(design, ControlsOf(texts), [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String("Image3")) return new AngleSketch(AngleSketch::Sense::CounterClockwise, parent);
    if (name == QLatin1String("Image2")) return new AngleSketch(AngleSketch::Sense::Clockwise, parent);
    return nullptr;
  });
  ui_.width = Require<QLineEdit>(u"Text1");
  ui_.height = Require<QLineEdit>(u"Text2");
  ui_.unitWeight = Require<QLineEdit>(u"Text3");
  ui_.cohesion = Require<QLineEdit>(u"Text6");
  ui_.frictionAngle = Require<QLineEdit>(u"Text7");
  ui_.discAngle = Require<QLineEdit>(u"Text8");
  ui_.boltLoad = Require<QLineEdit>(u"Text4");
  ui_.boltAngle = Require<QLineEdit>(u"Text5");
  ui_.safetyFactor = Require<QLineEdit>(u"Text10");
  ui_.tensionWarning = Require<QLabel>(u"Label14");
  ui_.reqSafetyFactor = Require<QLineEdit>(u"Text11");
  ui_.boltAngle2 = Require<QLineEdit>(u"Text12");
  ui_.reqBoltLoad = Require<QLineEdit>(u"Text9");
  ui_.loadNote = Require<QLabel>(u"Label15");
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  ui_.ok = Require<QPushButton>(u"CmdOk");

  WireButtons(ui_.ok, Require<QPushButton>(u"cmdCancel"), Require<QPushButton>(u"cmdHelp"));
  for (QLineEdit* box : {ui_.width, ui_.height, ui_.unitWeight, ui_.cohesion, ui_.frictionAngle, ui_.discAngle,
                         ui_.boltLoad, ui_.boltAngle, ui_.reqSafetyFactor, ui_.boltAngle2}) {
    connect(box, &QLineEdit::textChanged, this, &frmCoulombWedge::Text_Change);
  }
  // The boxes of the page not shown are out of the Tab-key order by
  // themselves, being hidden.
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &frmCoulombWedge::SSTab1_Click);

  Form_Load();
}

frmCoulombWedge::~frmCoulombWedge() = default;

BoltedWedgeData& frmCoulombWedge::Record() const {
  return tool_ == WedgeTool::Slope ? Project.CoulombSlopeData : Project.CoulombWedgeData;
}

qint16 frmCoulombWedge::SelectedTab() const { return static_cast<qint16>(ui_.tabs->currentIndex()); }

void frmCoulombWedge::Form_Load() {
  LoadInputs();
  if (ValidateInput()) CalcSafetyFactor();
  AddHistoryLine(Tr(TextsOf(tool_).History));
}

void frmCoulombWedge::LoadFromProject() {
  work_ = Record();
  ShowInputValue(ui_.width, work_.Width);
  ShowInputValue(ui_.height, work_.Height);
  ShowInputValue(ui_.unitWeight, work_.SpecificGravity);
  ShowInputValue(ui_.cohesion, work_.Cohesion);
  ShowInputValue(ui_.frictionAngle, work_.FrictionAngle);
  ShowInputValue(ui_.discAngle, work_.DiscAngle);
  // In Greek the dialog opens on the stored tab; in English always on
  // "Safety Factor".
  ui_.tabs->setCurrentIndex(EnglishMenus != 1 && work_.Tab == 1 ? 1 : 0);
  ShowInputValue(ui_.boltLoad, work_.BoltLoad);
  ShowInputValue(ui_.boltAngle, work_.BoltAngle);
  ShowInputValue(ui_.reqSafetyFactor, work_.ReqSafetyFactor);
  ShowInputValue(ui_.boltAngle2, work_.BoltAngle2);
}

bool frmCoulombWedge::ValidateInput() {
  WedgeBoxValues boxes;
  const auto read = [](const QLineEdit* box) { return forms::LeadingValue(box).value_or(kUnreadable); };
  boxes.Width = read(ui_.width);
  boxes.Height = read(ui_.height);
  boxes.SpecificGravity = read(ui_.unitWeight);
  boxes.Cohesion = read(ui_.cohesion);
  boxes.FrictionAngle = read(ui_.frictionAngle);
  boxes.DiscAngle = read(ui_.discAngle);
  boxes.BoltLoad = read(ui_.boltLoad);
  boxes.BoltAngle = read(ui_.boltAngle);
  boxes.ReqSafetyFactor = read(ui_.reqSafetyFactor);
  boxes.BoltAngle2 = read(ui_.boltAngle2);
  const auto failed = ValidateWedgeInput(tool_, boxes, SelectedTab(), work_);
  if (!failed) return true;
  QLineEdit* box = nullptr;
  switch (failed->Box) {
    case WedgeBox::Text1: box = ui_.width; break;
    case WedgeBox::Text2: box = ui_.height; break;
    case WedgeBox::Text3: box = ui_.unitWeight; break;
    case WedgeBox::Text6: box = ui_.cohesion; break;
    case WedgeBox::Text7: box = ui_.frictionAngle; break;
    case WedgeBox::Text8: box = ui_.discAngle; break;
    case WedgeBox::Text4: box = ui_.boltLoad; break;
    case WedgeBox::Text5: box = ui_.boltAngle; break;
    case WedgeBox::Text11: box = ui_.reqSafetyFactor; break;
    case WedgeBox::Text12: box = ui_.boltAngle2; break;
  }
  return forms::RefuseEntry(box, failed->Message);
}

void frmCoulombWedge::ZeroResults() {
  if (SelectedTab() == 0) forms::ShowResult(ui_.safetyFactor, QString());
  if (SelectedTab() == 1) forms::ShowResult(ui_.reqBoltLoad, QString());
}

void frmCoulombWedge::CalcSafetyFactor() {
  if (SelectedTab() == 0) {
    const WedgeSafetyFactor r = CalcWedgeSafetyFactor(work_);
    if (r.Computable) {
      work_.SafetyFactor = r.SafetyFactor;
      forms::ShowResult(ui_.safetyFactor, FormatGeneral(r.SafetyFactor));
    } else {
      ZeroResults();
    }
    ui_.tensionWarning->setText(r.ExcessiveTensioning ? Tr(TextsOf(tool_).TensionWarning) : QString());
    ui_.ok->setEnabled(r.Computable);
  } else if (SelectedTab() == 1) {
    const WedgeBoltLoad r = CalcWedgeBoltLoad(work_);
    const bool computable = r.Outcome != WedgeLoadOutcome::NotComputable;
    if (computable) work_.ReqBoltLoad = r.ReqBoltLoad;
    if (r.Outcome == WedgeLoadOutcome::Load) {
      forms::ShowResult(ui_.reqBoltLoad, FormatGeneral(r.ReqBoltLoad));
    } else {
      ZeroResults();
    }
    ui_.loadNote->setText(Tr(WedgeLoadNote(r.Outcome)));
    ui_.ok->setEnabled(computable);
  }
}

void frmCoulombWedge::Text_Change() {
  if (loading_) return;
  if (ValidateInput()) CalcSafetyFactor();
}

void frmCoulombWedge::SSTab1_Click() {
  if (loading_) return;
  if (ValidateInput()) CalcSafetyFactor();
}

void frmCoulombWedge::CommitToProject() {
  work_.Tab = SelectedTab();
  Record() = work_;
  MarkProjectChanged();
}

}  // namespace brantel
