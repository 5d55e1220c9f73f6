#include "tools/stress/PointLoadDialog.h"

#include "core/NumberFormat.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormInputs.h"
#include "tools/stress/StressDialogs.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <limits>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly;

constexpr forms::FormDesign kForm{9900, 6360, "Calculation of Additional Pressure in the Subsurface due to Point Load",
                                "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Σημειακή Φόρτιση"};

constexpr ControlRow kControls[] = {
    {"Frame2", Kind::Frame, nullptr, 120, 120, 3720, 2580, "Parameters", "Παράμετροι"},
    {"lblFortio(0)", Kind::Label, "Frame2", 420, 330, 1935, 255, "Point Load Q:", "Σημειακό φορτίο Q", "txtFortio(0)"},
    {"lblFortio(1)", Kind::Label, "Frame2", 420, 690, 1935, 255, "Line Load Qm:", "Γραμμικό φορτίο Qm", "txtFortio(1)"},
    {"lblFortio(2)", Kind::Label, "Frame2", 420, 1050, 1935, 255, "Strip Load q:", "Φορτίο Λωρίδας q", "txtFortio(2)"},
    // The load kinds, each beside the label of its load.
    {"Option1(0)", Kind::Option, "Frame2", 120, 330, 255, 255, nullptr, nullptr, "lblFortio(0)"},
    {"Option1(1)", Kind::Option, "Frame2", 120, 690, 255, 255, nullptr, nullptr, "lblFortio(1)"},
    {"Option1(2)", Kind::Option, "Frame2", 120, 1050, 255, 255, nullptr, nullptr, "lblFortio(2)"},
    {"txtFortio(0)", Kind::TextBox, "Frame2", 2400, 300, 1095, 285, nullptr, nullptr, nullptr, 0, 20},
    {"txtFortio(1)", Kind::TextBox, "Frame2", 2400, 660, 1095, 285, nullptr, nullptr, nullptr, 0, 20},
    {"txtFortio(2)", Kind::TextBox, "Frame2", 2400, 1020, 1095, 285, nullptr, nullptr, nullptr, 0, 20},
    {"lblWidth", Kind::Label, "Frame2", 420, 1410, 1935, 255, "Strip Width", "Πλάτος Λωρίδας", "txtWidth",
     forms::kDisabled},
    {"txtWidth", Kind::TextBox, "Frame2", 2400, 1380, 1095, 285, nullptr, nullptr, nullptr, forms::kDisabled},
    {"lblHorizDist", Kind::Label, "Frame2", 120, 1830, 2235, 255, "Horizontal Distance R:", "Οριζόντια απόσταση R",
     "txtR"},
    {"lblVertDist", Kind::Label, "Frame2", 120, 2190, 2235, 255, "Vertical Distance Z:", "Κατακόρυφη απόσταση Z",
     "txtZ"},
    {"txtR", Kind::TextBox, "Frame2", 2400, 1800, 1095, 285, nullptr, nullptr, nullptr, 0, 20},
    {"txtZ", Kind::TextBox, "Frame2", 2400, 2160, 1095, 285, nullptr, nullptr, nullptr, 0, 20},
    {"Frame1", Kind::Frame, nullptr, 120, 2820, 3720, 1095, "Calculation of Additional Pressure",
     "Υπολογισμός Πρόσθετης Τάσης"},
    {"Label17", Kind::Label, "Frame1", 240, 330, 2055, 255, "Boussinesq Dsv", nullptr, "txtDsvBoussi"},
    {"Label18", Kind::Label, "Frame1", 240, 690, 2055, 255, "Westergaard Dsv", nullptr, "txtDsvWester"},
    {"txtDsvBoussi", Kind::TextBox, "Frame1", 2400, 300, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"txtDsvWester", Kind::TextBox, "Frame1", 2400, 660, 1095, 285, nullptr, nullptr, nullptr, kResult},
    {"lblVertSection", Kind::Label, nullptr, 3960, 120, 5820, 255, "Vertical section", "Κατακόρυφη Τομή"},
    {"frmEdafos", Kind::Picture, nullptr, 3960, 420, 5820, 5820},
    {"cmdHelp", Kind::Button, nullptr, 120, 5865, 1095, 375, "Help"},
    {"btnCancel", Kind::Button, nullptr, 1380, 5865, 1095, 375, "Cancel"},
    {"btnOk", Kind::Button, nullptr, 2640, 5865, 1095, 375, "OK", nullptr, nullptr, forms::kDefault},
};

constexpr InputMessage kNegativeR = Sentence({"Horizontal distance should be positive",
                                              "Η οριζόντια απόσταση πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kNegativeZ = Sentence({"Vertical distance should be positive",
                                              "Η κατακόρυφη απόσταση πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kNegativeLoad = Sentence({"The load should be positive",
                                                  "Το φορτίο πρέπει να έχει θετική τιμή!"});

// Pixels of the section for a length in units.
double SectionPixels(double units) {
  return units * VerticalSection::kTwipsPerUnit / forms::kTwipsPerPixel;
}

// The length of an arrow head in pixels.
constexpr double kArrowHead = 5;

}  // namespace

VerticalSection::VerticalSection(QWidget* parent) : QFrame(parent) {
  SetUpSketchFrame(this, QColor(246, 240, 224));
  setCursor(Qt::CrossCursor);
}

void VerticalSection::SetPoint(std::optional<QPointF> point) {
  point_ = point;
  update();
}

void VerticalSection::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double end = SectionPixels(kTicks) + 36;
  // The ground surface and the two axes.
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(QPointF(0, 1), QPointF(width(), 1));
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(1, 1), QPointF(1, end));
  for (int k = 1; k <= kTicks; ++k) {
    const double at = SectionPixels(k);
    const QString text = QString::number(k);
    p.drawLine(QPointF(at, 0), QPointF(at, 6));
    p.drawText(QRectF(at - 10, 7, 20, 14), Qt::AlignCenter, text);
    p.drawLine(QPointF(0, at), QPointF(6, at));
    p.drawText(QRectF(8, at - 7, 20, 14), Qt::AlignLeft | Qt::AlignVCenter, text);
  }
  // The directions of R and Z.
  DrawArrow(p, {end - 20, 14}, {end, 14}, kArrowHead);
  p.drawText(QRectF(end + 3, 7, 20, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("R"));
  DrawArrow(p, {14, end - 20}, {14, end}, kArrowHead);
  p.drawText(QRectF(4, end + 2, 20, 14), Qt::AlignCenter, QStringLiteral("Z"));
  // The load on the surface at the corner.
  p.setPen(QPen(Qt::blue, 2));
  DrawArrow(p, {18, 4}, {18, 30}, kArrowHead);
  p.drawText(QRectF(24, 10, 20, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Q"));
  // The point, with its distances from the axes.
  if (point_) {
    const QPointF at(SectionPixels(point_->x()), SectionPixels(point_->y()));
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(QPointF(at.x(), 1), at);
    p.drawLine(QPointF(1, at.y()), at);
    p.setPen(QPen(Qt::red, 1));
    p.setBrush(Qt::red);
    p.drawEllipse(at, 3, 3);
  }
}

void VerticalSection::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onPress_) {
    const QPointF at = event->position() * forms::kTwipsPerPixel;
    onPress_(QPoint(qRound(at.x()), qRound(at.y())));
  }
  QFrame::mousePressEvent(event);
}

frmPointLoad::frmPointLoad(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmPointLoad"));
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String("frmEdafos")) return new VerticalSection(parent);
    return nullptr;
  });
  for (int i = 0; i < 3; ++i) ui_.load[i] = Require<QLineEdit>(QStringLiteral("txtFortio(%1)").arg(i));
  ui_.r = Require<QLineEdit>(u"txtR");
  ui_.z = Require<QLineEdit>(u"txtZ");
  ui_.boussinesq = Require<QLineEdit>(u"txtDsvBoussi");
  ui_.westergaard = Require<QLineEdit>(u"txtDsvWester");
  ui_.kind = Options(u"Option1");
  ui_.section = Require<VerticalSection>(u"frmEdafos");

  WireButtons(Require<QPushButton>(u"btnOk"), Require<QPushButton>(u"btnCancel"), Require<QPushButton>(u"cmdHelp"));
  for (int i = 0; i < 3; ++i) {
    connect(ui_.load[i], &QLineEdit::textChanged, this, [this, i] { txtFortio_Change(i); });
  }
  connect(ui_.r, &QLineEdit::textChanged, this, &frmPointLoad::txtR_Change);
  connect(ui_.z, &QLineEdit::textChanged, this, &frmPointLoad::txtZ_Change);
  ui_.section->OnPress([this](QPoint twips) { frmEdafos_MouseEvent(twips); });

  Form_Load();
}

frmPointLoad::~frmPointLoad() = default;

void frmPointLoad::Form_Load() {
  LoadInputs();
  // The dialog opens on the point load, whatever kind was stored; the
  // project's kind changes only with OK.
  forms::SetArrayIndex(ui_.kind, static_cast<int>(PointLoadKind::Point));
  Recalculate();
}

void frmPointLoad::LoadFromProject() {
  const std::array<float, 3> loads = {Project.PointLoadQ, Project.LineLoadQm, Project.StripLoadQ};
  for (int i = 0; i < 3; ++i) forms::ShowStoredGeneral(ui_.load[i], loads[i]);
  forms::ShowStoredGeneral(ui_.r, Project.PointLoadR);
  forms::ShowStoredGeneral(ui_.z, Project.PointLoadZ);
}

bool frmPointLoad::ValidateInput() {
  // In the order of the checks.
  const std::array<QLineEdit*, 5> boxes = {ui_.r, ui_.z, ui_.load[0], ui_.load[1], ui_.load[2]};
  const auto values = EntryValues(boxes);
  if (!values) {
    ShowInputNotNumeric();
    return false;
  }
  const PointLoadEntries entries{(*values)[0], (*values)[1], (*values)[2], (*values)[3], (*values)[4]};
  const PointLoadCheck check = CheckPointLoad(entries);
  QLineEdit* const box = boxes[static_cast<std::size_t>(check.Box)];
  switch (check.Fault) {
    case PointLoadFault::None:
      entries_ = entries;
      return true;
    case PointLoadFault::NotNumeric:
      ShowInputNotNumeric();
      return false;
    case PointLoadFault::NegativeR:
      return forms::RefuseEntry(box, kNegativeR);
    case PointLoadFault::NegativeZ:
      return forms::RefuseEntry(box, kNegativeZ);
    case PointLoadFault::NegativeLoad:
      return forms::RefuseEntry(box, kNegativeLoad);
  }
  return false;
}

bool frmPointLoad::CalcBoussinesq() {
  if (!ValidateInput()) return false;
  const auto q = static_cast<float>(entries_.Q), r = static_cast<float>(entries_.R), z = static_cast<float>(entries_.Z);
  ui_.section->SetPoint(QPointF(r, z));
  forms::Calculate({ui_.boussinesq}, [&] {
    const PointLoadStress s = BoussinesqStress(q, r, z);
    forms::ShowResult(ui_.boussinesq, s.Singular ? kSingularText.toString() : Format(s.Value, kPointLoadResultMask));
  });
  return true;
}

void frmPointLoad::CalcWestergaard() {
  // Follows a successful CalcBoussinesq, on the inputs it validated.
  const auto q = static_cast<float>(entries_.Q), r = static_cast<float>(entries_.R), z = static_cast<float>(entries_.Z);
  forms::Calculate({ui_.westergaard}, [&] {
    const PointLoadStress s = WestergaardStress(q, r, z);
    forms::ShowResult(ui_.westergaard, s.Singular ? kSingularText.toString() : Format(s.Value, kPointLoadResultMask));
  });
}

void frmPointLoad::txtFortio_Change(int index) {
  // The line and strip loads take no part in a result.
  if (index == 0) Recalculate();
}

void frmPointLoad::txtR_Change() { Recalculate(); }

void frmPointLoad::txtZ_Change() { Recalculate(); }

void frmPointLoad::Recalculate() {
  if (loading_) return;
  if (CalcBoussinesq()) CalcWestergaard();
}

void frmPointLoad::frmEdafos_MouseEvent(QPoint twips) {
  const SectionPoint point = SectionPointAt(twips.x(), twips.y());
  forms::ShowStoredValue(ui_.r, point.R, Format(point.R, kSectionReadoutMask));
  forms::ShowStoredValue(ui_.z, point.Z, Format(point.Z, kSectionReadoutMask));
}

void frmPointLoad::CommitToProject() {
  Project.PointLoadQ = static_cast<float>(entries_.Q);
  Project.LineLoadQm = static_cast<float>(entries_.Qm);
  Project.StripLoadQ = static_cast<float>(entries_.StripQ);
  Project.PointLoadR = static_cast<float>(entries_.R);
  Project.PointLoadZ = static_cast<float>(entries_.Z);
  Project.PointLoadType = forms::GetArrayIndex(ui_.kind);
  MarkProjectChanged();
}

}  // namespace brantel
