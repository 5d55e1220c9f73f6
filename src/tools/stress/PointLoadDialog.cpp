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

constexpr forms::FormDesign kForm{.name = "frmPointLoad",
                                  .width = 9900,
                                  .height = 6360,
                                  .caption = {"Calculation of Additional Pressure in the Subsurface due to Point Load",
                                              "Υπολογισμός Πρόσθετης Τάσης στο Υπέδαφος από Σημειακή Φόρτιση"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 120, 3720, 2580}, .caption = {"Parameters", "Παράμετροι"}},
    {.name = "lblFortio(0)", .kind = Kind::Label, .container = "Frame2", .at = {420, 330, 1935, 255}, .caption = {"Point Load Q:", "Σημειακό φορτίο Q"}, .partner = pointload::kPointLoad},
    {.name = "lblFortio(1)", .kind = Kind::Label, .container = "Frame2", .at = {420, 690, 1935, 255}, .caption = {"Line Load Qm:", "Γραμμικό φορτίο Qm"}, .partner = pointload::kLineLoad},
    {.name = "lblFortio(2)", .kind = Kind::Label, .container = "Frame2", .at = {420, 1050, 1935, 255}, .caption = {"Strip Load q:", "Φορτίο Λωρίδας q"}, .partner = pointload::kStripLoad},
    // The load kinds, each beside the label of its load.
    {.name = pointload::kPointKind, .kind = Kind::Option, .container = "Frame2", .at = {120, 330, 255, 255}, .partner = "lblFortio(0)"},
    {.name = pointload::kLineKind, .kind = Kind::Option, .container = "Frame2", .at = {120, 690, 255, 255}, .partner = "lblFortio(1)"},
    {.name = pointload::kStripKind, .kind = Kind::Option, .container = "Frame2", .at = {120, 1050, 255, 255}, .partner = "lblFortio(2)"},
    {.name = pointload::kPointLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 300, 1095, 285}, .maxLength = 20},
    {.name = pointload::kLineLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 660, 1095, 285}, .maxLength = 20},
    {.name = pointload::kStripLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 1020, 1095, 285}, .maxLength = 20},
    {.name = pointload::kStripWidthLabel, .kind = Kind::Label, .container = "Frame2", .at = {420, 1410, 1935, 255}, .caption = {"Strip Width", "Πλάτος Λωρίδας"}, .partner = pointload::kStripWidth, .flags = forms::kDisabled},
    {.name = pointload::kStripWidth, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 1380, 1095, 285}, .flags = forms::kDisabled},
    {.name = "lblHorizDist", .kind = Kind::Label, .container = "Frame2", .at = {120, 1830, 2235, 255}, .caption = {"Horizontal Distance R:", "Οριζόντια απόσταση R"}, .partner = pointload::kHorizontalDistance},
    {.name = "lblVertDist", .kind = Kind::Label, .container = "Frame2", .at = {120, 2190, 2235, 255}, .caption = {"Vertical Distance Z:", "Κατακόρυφη απόσταση Z"}, .partner = pointload::kVerticalDistance},
    {.name = pointload::kHorizontalDistance, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 1800, 1095, 285}, .maxLength = 20},
    {.name = pointload::kVerticalDistance, .kind = Kind::TextBox, .container = "Frame2", .at = {2400, 2160, 1095, 285}, .maxLength = 20},
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 2820, 3720, 1095}, .caption = {"Calculation of Additional Pressure", "Υπολογισμός Πρόσθετης Τάσης"}},
    {.name = "Label17", .kind = Kind::Label, .container = "Frame1", .at = {240, 330, 2055, 255}, .caption = {"Boussinesq Dsv"}, .partner = pointload::kBoussinesqStress},
    {.name = "Label18", .kind = Kind::Label, .container = "Frame1", .at = {240, 690, 2055, 255}, .caption = {"Westergaard Dsv"}, .partner = pointload::kWestergaardStress},
    {.name = pointload::kBoussinesqStress, .kind = Kind::TextBox, .container = "Frame1", .at = {2400, 300, 1095, 285}, .flags = kResult},
    {.name = pointload::kWestergaardStress, .kind = Kind::TextBox, .container = "Frame1", .at = {2400, 660, 1095, 285}, .flags = kResult},
    {.name = "lblVertSection", .kind = Kind::Label, .at = {3960, 120, 5820, 255}, .caption = {"Vertical section", "Κατακόρυφη Τομή"}},
    {.name = pointload::kVerticalSection, .kind = Kind::Picture, .at = {3960, 420, 5820, 5820}},
    {.name = pointload::kHelp, .kind = Kind::Button, .at = {120, 5865, 1095, 375}, .caption = {"Help"}},
    {.name = pointload::kCancel, .kind = Kind::Button, .at = {1380, 5865, 1095, 375}, .caption = {"Cancel"}},
    {.name = pointload::kOk, .kind = Kind::Button, .at = {2640, 5865, 1095, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// Pixels of the section for a length in units.
double SectionPixels(double units) { return units * VerticalSection::kTwipsPerUnit / forms::kTwipsPerPixel; }

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

PointLoadDialog::PointLoadDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    if (QLatin1String(row.name) == QLatin1String(pointload::kVerticalSection)) return new VerticalSection(parent);
    return nullptr;
  });
  for (int i = 0; i < 3; ++i) ui_.loads[i] = Require<QLineEdit>(forms::Item(pointload::kLoads, i));
  ui_.horizontalDistance = Require<QLineEdit>(pointload::kHorizontalDistance);
  ui_.verticalDistance = Require<QLineEdit>(pointload::kVerticalDistance);
  ui_.boussinesqStress = Require<QLineEdit>(pointload::kBoussinesqStress);
  ui_.westergaardStress = Require<QLineEdit>(pointload::kWestergaardStress);
  ui_.loadKind = {Options(pointload::kLoadKind)};
  ui_.section = Require<VerticalSection>(pointload::kVerticalSection);

  WireButtons(Require<QPushButton>(pointload::kOk), Require<QPushButton>(pointload::kCancel),
              Require<QPushButton>(pointload::kHelp));
  for (int i = 0; i < 3; ++i) {
    connect(ui_.loads[i], &QLineEdit::textChanged, this, [this, i] { OnLoadValueEdited(i); });
  }
  connect(ui_.horizontalDistance, &QLineEdit::textChanged, this, &PointLoadDialog::OnHorizontalDistanceEdited);
  connect(ui_.verticalDistance, &QLineEdit::textChanged, this, &PointLoadDialog::OnVerticalDistanceEdited);
  ui_.section->SetPressHandler([this](QPoint twips) { OnSectionPressed(twips); });

  // Every box is read before any value is checked.
  inputs_.Add(ui_.horizontalDistance, entries_.R, WholeEntryRules(PointLoadValueRule(PointLoadBox::R)));
  inputs_.Add(ui_.verticalDistance, entries_.Z, WholeEntryRules(PointLoadValueRule(PointLoadBox::Z)));
  inputs_.Add(ui_.loads[0], entries_.Q, WholeEntryRules(PointLoadValueRule(PointLoadBox::Q)));
  inputs_.Add(ui_.loads[1], entries_.Qm, WholeEntryRules(PointLoadValueRule(PointLoadBox::Qm)));
  inputs_.Add(ui_.loads[2], entries_.StripQ, WholeEntryRules(PointLoadValueRule(PointLoadBox::StripQ)));

  OnLoad();
}

PointLoadDialog::~PointLoadDialog() = default;

void PointLoadDialog::OnLoad() {
  LoadInputs();
  // The dialog opens on the point load, whatever kind was stored; the
  // project's kind changes only with OK.
  ui_.loadKind.Choose(PointLoadKind::Point);
  Recalculate();
}

void PointLoadDialog::LoadFromProject() {
  const std::array<float, 3> loads = {Project.PointLoadQ, Project.LineLoadQm, Project.StripLoadQ};
  for (int i = 0; i < 3; ++i) forms::ShowStoredGeneral(ui_.loads[i], loads[i]);
  forms::ShowStoredGeneral(ui_.horizontalDistance, Project.PointLoadR);
  forms::ShowStoredGeneral(ui_.verticalDistance, Project.PointLoadZ);
}

bool PointLoadDialog::ValidateInput() { return inputs_.Validate(); }

bool PointLoadDialog::CalcBoussinesq() {
  if (!ValidateInput()) return false;
  const float q = entries_.Q, r = entries_.R, z = entries_.Z;
  ui_.section->SetPoint(QPointF(r, z));
  forms::Calculate({ui_.boussinesqStress}, [&] {
    const PointLoadStress s = BoussinesqStress(q, r, z);
    forms::ShowResult(ui_.boussinesqStress,
                      s.Singular ? kSingularText.toString() : Format(s.Value, kPointLoadResultMask));
  });
  return true;
}

void PointLoadDialog::CalcWestergaard() {
  // Follows a successful CalcBoussinesq, on the inputs it validated.
  const float q = entries_.Q, r = entries_.R, z = entries_.Z;
  forms::Calculate({ui_.westergaardStress}, [&] {
    const PointLoadStress s = WestergaardStress(q, r, z);
    forms::ShowResult(ui_.westergaardStress,
                      s.Singular ? kSingularText.toString() : Format(s.Value, kPointLoadResultMask));
  });
}

void PointLoadDialog::OnLoadValueEdited(int index) {
  // The line and strip loads take no part in a result.
  if (index == 0) Recalculate();
}

void PointLoadDialog::OnHorizontalDistanceEdited() { Recalculate(); }

void PointLoadDialog::OnVerticalDistanceEdited() { Recalculate(); }

void PointLoadDialog::Recalculate() {
  if (loading_) return;
  if (CalcBoussinesq()) CalcWestergaard();
}

void PointLoadDialog::OnSectionPressed(QPoint twips) {
  const SectionPoint point = SectionPointAt(twips.x(), twips.y());
  forms::ShowStoredValue(ui_.horizontalDistance, point.R, Format(point.R, kSectionReadoutMask));
  forms::ShowStoredValue(ui_.verticalDistance, point.Z, Format(point.Z, kSectionReadoutMask));
}

void PointLoadDialog::CommitToProject() {
  Project.PointLoadQ = entries_.Q;
  Project.LineLoadQm = entries_.Qm;
  Project.StripLoadQ = entries_.StripQ;
  Project.PointLoadR = entries_.R;
  Project.PointLoadZ = entries_.Z;
  Project.PointLoadType = ui_.loadKind.Chosen();
  MarkProjectChanged();
}

}  // namespace brantel
