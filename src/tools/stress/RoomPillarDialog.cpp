#include "tools/stress/RoomPillarDialog.h"

#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/stress/RoomPillar.h"
#include "tools/stress/StressDialogs.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;
using forms::Reading;

constexpr unsigned kResult = forms::kReadOnly;

constexpr forms::FormDesign kForm{.name = "frmRoomPillar",
                                  .width = 8160,
                                  .height = 5280,
                                  .caption = {"Tributary Area Stress Analysis of Room and Pillar Systems",
                                              "Εντατική κατάσταση σε σύστημα θαλάμων και στύλων"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 4815, 1815}, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
    {.name = roompillar::kVerticalStressLabel, .kind = Kind::Label, .container = "Frame1", .at = {240, 330, 3015, 255}, .caption = {"Insitu Vertical Stress", "Επιτόπου Κάθετη Τάση"}, .partner = roompillar::kVerticalStress},
    {.name = roompillar::kPillarWidthLabel, .kind = Kind::Label, .container = "Frame1", .at = {240, 690, 3015, 255}, .caption = {"Pillar Width", "Πλάτος στύλου"}, .partner = roompillar::kPillarWidth},
    {.name = roompillar::kPillarLengthLabel, .kind = Kind::Label, .container = "Frame1", .at = {240, 1050, 3015, 255}, .caption = {"Pillar Length", "Μήκος στύλου"}, .partner = roompillar::kPillarLength},
    {.name = roompillar::kOpeningWidthLabel, .kind = Kind::Label, .container = "Frame1", .at = {240, 1410, 3015, 255}, .caption = {"Opening Width", "Πλάτος ανοίγματος"}, .partner = roompillar::kOpeningWidth},
    {.name = roompillar::kVerticalStress, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 300, 1215, 285}, .maxLength = 20},
    {.name = roompillar::kPillarWidth, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 660, 1215, 285}, .maxLength = 20},
    {.name = roompillar::kPillarLength, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 1020, 1215, 285}, .maxLength = 20},
    {.name = roompillar::kOpeningWidth, .kind = Kind::TextBox, .container = "Frame1", .at = {3360, 1380, 1215, 285}, .maxLength = 20},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 2040, 4815, 1095}, .caption = {"Results - Tributary Area Stress", "Αποτελέσματα"}},
    {.name = roompillar::kAverageStressLabel, .kind = Kind::Label, .container = "Frame2", .at = {240, 330, 3015, 255}, .caption = {"Average Axial Stress", "Μέση αξονική τάση"}, .partner = roompillar::kAverageStress},
    {.name = roompillar::kExtractionRatioLabel, .kind = Kind::Label, .container = "Frame2", .at = {240, 690, 3015, 255}, .caption = {"Extraction (%)", "Απόληψη (%)"}, .partner = roompillar::kExtractionRatio},
    {.name = roompillar::kAverageStress, .kind = Kind::TextBox, .container = "Frame2", .at = {3360, 300, 1215, 285}, .flags = kResult},
    {.name = roompillar::kExtractionRatio, .kind = Kind::TextBox, .container = "Frame2", .at = {3360, 660, 1215, 285}, .flags = kResult},
    // The layout in plan, with the tributary area of one pillar, and in section.
    {.name = roompillar::kPlanSketch, .kind = Kind::Picture, .at = {5040, 135, 3000, 3000}},
    {.name = roompillar::kTributaryArea, .kind = Kind::Picture, .container = roompillar::kPlanSketch, .at = {975, 885, 1050, 1230}},
    {.name = roompillar::kSectionSketch, .kind = Kind::Picture, .at = {120, 3255, 7920, 1335}},
    {.name = roompillar::kHelp, .kind = Kind::Button, .at = {3600, 4770, 1215, 375}, .caption = {"Help"}},
    {.name = roompillar::kCancel, .kind = Kind::Button, .at = {5040, 4770, 1215, 375}, .caption = {"Cancel"}},
    {.name = roompillar::kOk, .kind = Kind::Button, .at = {6480, 4770, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The length of an arrow head in pixels.
constexpr double kArrowHead = 4;

}  // namespace

PillarSketch::PillarSketch(View view, QWidget* parent) : QFrame(parent), view_(view) {
  SetUpSketchFrame(this, Qt::white);
}

void PillarSketch::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(contentsRect());
  if (view_ == View::Plan) {
    DrawPlan(p);
  } else {
    DrawSection(p);
  }
}

void PillarSketch::DrawPlan(QPainter& p) const {
  const QPointF centre(width() / 2.0, height() / 2.0);
  p.setPen(QPen(Qt::darkGray, 1));
  p.setBrush(QColor(200, 200, 200));
  for (int i = -2; i <= 2; ++i) {
    for (int j = -2; j <= 2; ++j) {
      const QPointF c = centre + QPointF(i * (kPillarWidth + kOpening), j * (kPillarLength + kOpening));
      p.drawRect(QRectF(c.x() - kPillarWidth / 2.0, c.y() - kPillarLength / 2.0, kPillarWidth, kPillarLength));
    }
  }
  // The pillar in the middle with its sides.
  p.setPen(Qt::black);
  const double left = centre.x() - kPillarWidth / 2.0 + 3, right = centre.x() + kPillarWidth / 2.0 - 3;
  const double top = centre.y() - kPillarLength / 2.0 + 3, bottom = centre.y() + kPillarLength / 2.0 - 3;
  DrawArrow(p, {centre.x(), bottom - 4}, {left, bottom - 4}, kArrowHead);
  DrawArrow(p, {centre.x(), bottom - 4}, {right, bottom - 4}, kArrowHead);
  DrawArrow(p, {left + 2, centre.y()}, {left + 2, top}, kArrowHead);
  DrawArrow(p, {left + 2, centre.y()}, {left + 2, bottom - 8}, kArrowHead);
  p.drawText(QRectF(left + 6, top, right - left - 6, 20), Qt::AlignCenter, QStringLiteral("Lp"));
  p.drawText(QRectF(left, bottom - 26, right - left, 20), Qt::AlignCenter, QStringLiteral("Wp"));
  // The opening, in the road beside the row below.
  const QPointF road = centre + QPointF((kPillarWidth + kOpening) / 2.0, kPillarLength + kOpening);
  p.drawText(QRectF(road.x() - kOpening / 2.0, road.y() - 10, kOpening, 20), Qt::AlignCenter, QStringLiteral("Wo"));
}

void PillarSketch::DrawSection(QPainter& p) const {
  const int roof = height() * 2 / 5;
  const int floor = height() - 8;
  // The overburden with the vertical stress on it.
  p.fillRect(QRect(0, 0, width(), roof), QColor(235, 225, 205));
  p.setPen(QPen(Qt::black, 1));
  const int step = kPillarWidth + kOpening;
  for (int x = step / 2; x < width(); x += step) DrawArrow(p, {double(x), 3.0}, {double(x), roof - 3.0}, kArrowHead);
  p.drawText(QRect(step / 2 + 4, 0, 40, roof), Qt::AlignVCenter | Qt::AlignLeft, Tr({"sy", "σy"}));
  p.drawLine(0, roof, width(), roof);
  p.drawLine(0, floor, width(), floor);
  p.setBrush(QColor(200, 200, 200));
  p.setPen(Qt::darkGray);
  for (int x = kOpening; x < width(); x += step) p.drawRect(x, roof, kPillarWidth, floor - roof);
  p.setPen(Qt::black);
  p.drawText(QRect(kOpening + step, roof, kPillarWidth, floor - roof), Qt::AlignCenter, QStringLiteral("Wp"));
  p.drawText(QRect(kOpening + step + kPillarWidth, roof, kOpening, floor - roof), Qt::AlignCenter,
             QStringLiteral("Wo"));
}

RoomPillarDialog::RoomPillarDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, [](const ControlRow& row, QWidget* parent) -> QWidget* {
    const QLatin1String name(row.name);
    if (name == QLatin1String(roompillar::kPlanSketch)) return new PillarSketch(PillarSketch::View::Plan, parent);
    if (name == QLatin1String(roompillar::kSectionSketch)) return new PillarSketch(PillarSketch::View::Section, parent);
    if (name == QLatin1String(roompillar::kTributaryArea)) {
      auto* shape = new QFrame(parent);
      shape->setStyleSheet(QStringLiteral("QFrame { border: 1px dashed #c00000; background: transparent; }"));
      shape->setAttribute(Qt::WA_TransparentForMouseEvents);
      return shape;
    }
    return nullptr;
  });
  ui_.sy = Require<QLineEdit>(roompillar::kVerticalStress);
  ui_.wp = Require<QLineEdit>(roompillar::kPillarWidth);
  ui_.lp = Require<QLineEdit>(roompillar::kPillarLength);
  ui_.wo = Require<QLineEdit>(roompillar::kOpeningWidth);
  ui_.averageStress = Require<QLineEdit>(roompillar::kAverageStress);
  ui_.extraction = Require<QLineEdit>(roompillar::kExtractionRatio);

  WireButtons(Require<QPushButton>(roompillar::kOk), Require<QPushButton>(roompillar::kCancel),
              Require<QPushButton>(roompillar::kHelp));
  // Each box read by its leading number, in the order of the checks; a number
  // the field cannot hold is refused with the message of its value rule.
  const auto add = [this](QLineEdit* box, float& field, RoomPillarField which) {
    inputs_.Add(box, field, {Reading::LeadingNumber, RoomPillarMessage(which), RoomPillarValueRule(which)});
  };
  add(ui_.sy, stress_.Sy, RoomPillarField::Sy);
  add(ui_.wp, layout_.Wp, RoomPillarField::Wp);
  add(ui_.lp, layout_.Lp, RoomPillarField::Lp);
  add(ui_.wo, layout_.Wo, RoomPillarField::Wo);

  for (QLineEdit* box : {ui_.sy, ui_.wp, ui_.lp, ui_.wo}) {
    connect(box, &QLineEdit::textChanged, this, &RoomPillarDialog::OnInputEdited);
    forms::OnLostFocus(box, [this, box] { OnInputFocusLost(box); });
  }

  OnLoad();
}

RoomPillarDialog::~RoomPillarDialog() = default;

void RoomPillarDialog::OnLoad() {
  LoadInputs();  // nothing is computed before the first edit
  AddHistoryLine(Tr({"Stress Analysis for a simple Room and Pillar Mining System.",
                     "Ανάλυση εντατικής κατάστασης σε σύστημα θαλάμων και στύλων."}));
  AppendUnitsToCaptions(Layout(), {{roompillar::kVerticalStressLabel, UnitRow::Stress},
                                   {roompillar::kPillarWidthLabel, UnitRow::Length},
                                   {roompillar::kPillarLengthLabel, UnitRow::Length},
                                   {roompillar::kOpeningWidthLabel, UnitRow::Length},
                                   {roompillar::kAverageStressLabel, UnitRow::Stress}});
}

void RoomPillarDialog::LoadFromProject() {
  stress_ = Project.PillarStress;
  layout_ = Project.PillarLayout;
  if (RoomPillarLayoutStored(layout_)) {
    forms::ShowStoredValue(ui_.sy, stress_.Sy, Format(stress_.Sy, kRoomPillarInputMask));
    forms::ShowStoredValue(ui_.wp, layout_.Wp, Format(layout_.Wp, kRoomPillarInputMask));
    forms::ShowStoredValue(ui_.lp, layout_.Lp, Format(layout_.Lp, kRoomPillarInputMask));
    forms::ShowStoredValue(ui_.wo, layout_.Wo, Format(layout_.Wo, kRoomPillarInputMask));
  } else {
    forms::ClearResults({ui_.wp, ui_.lp, ui_.wo});
  }
}

bool RoomPillarDialog::ValidateInput() {
  // An empty side box refuses without a message while the user fills them.
  if (ui_.wp->text().isEmpty() || ui_.lp->text().isEmpty() || ui_.wo->text().isEmpty()) return false;
  if (!inputs_.Validate()) return false;
  stress_.Sx = 0.0f;
  stress_.Txy = 0.0f;
  stress_.GraphOption = StressGraph::None;
  return true;
}

void RoomPillarDialog::OnInputEdited() {
  RecalculateIfValid([this] { ShowResults(); });
}

void RoomPillarDialog::OnInputFocusLost(QLineEdit* box) {
  if (box != ui_.sy && box->text().isEmpty()) return;
  forms::ShowTypedGeneral(box, forms::OnLeave::ValueOfText);
}

void RoomPillarDialog::ShowResults() {
  const RoomPillarCalculation calc = CalcTributaryStress(stress_, layout_);
  for (const RuntimeError& error : calc.Errors) LogRuntimeError(error);
  if (!calc.Computed) return;
  layout_.Sv = calc.Sv;
  layout_.AvgPillarStress = calc.AvgPillarStress;
  layout_.Extraction = calc.Extraction;
  const RoomPillarMasks masks = RoomPillarResultMasks(Project.InputUnits);
  forms::ShowResult(ui_.averageStress,
                    calc.AvgPillarStressValid ? Format(layout_.AvgPillarStress, masks.AvgPillarStress) : QString());
  forms::ShowResult(ui_.extraction, calc.ExtractionValid ? Format(layout_.Extraction, masks.Extraction) : QString());
}

void RoomPillarDialog::CommitToProject() {
  Project.PillarStress = stress_;
  Project.PillarLayout = layout_;
  MarkProjectChanged();
}

}  // namespace brantel
