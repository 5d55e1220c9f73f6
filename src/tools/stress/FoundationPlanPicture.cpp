#include "tools/stress/FoundationPlanPicture.h"

#include "forms/FormBuilder.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>

namespace brantel {
namespace {

const QColor kGround(0, 192, 192);
const QColor kFoundationFill(192, 64, 0);
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// A rectangle of the plan in pixels, its sides held to a little beyond the
// widget so that a side far larger than the plan is never handed to the
// painter (a rectangle of no width stays a line).
QRectF InPixels(const PlanRect& r, const QRectF& clip) {
  const QRectF units = r.InPlanUnits();
  const double k = 1.0 / forms::kTwipsPerPixel;
  const auto x = [&](double v) { return std::clamp(v * k, clip.left(), clip.right()); };
  const auto y = [&](double v) { return std::clamp(v * k, clip.top(), clip.bottom()); };
  return QRectF(QPointF(x(units.left()), y(units.top())), QPointF(x(units.right()), y(units.bottom())));
}

// The band of a rectangle's outline, wide enough for the widest pen.
QRegion Outline(const QRect& r) {
  if (r.isNull()) return {};
  constexpr int kPen = 3;
  const QRect outer = r.adjusted(-kPen, -kPen, kPen, kPen);
  const QRect inner = r.adjusted(kPen, kPen, -kPen, -kPen);
  return inner.isValid() ? QRegion(outer).subtracted(QRegion(inner)) : QRegion(outer);
}

}  // namespace

FoundationPlan::FoundationPlan(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void FoundationPlan::SetFoundation(const PlanRect& outline) {
  foundation_ = outline;
  update();
}

void FoundationPlan::SetAuxiliary(const std::array<PlanRect, 4>& rects) {
  // Only what changed is painted again: where a rectangle's area gained or
  // lost ground, and its old and new outlines. The hatching is laid from the
  // plan's corner, so the part of a rectangle that stays needs no painting.
  QRegion changed;
  const QRectF clip = PaintClip();
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const PlanRect& was = auxiliary_[i];
    const PlanRect& now = rects[i];
    if (was.Shown == now.Shown &&
        (!now.Shown || (was.X0 == now.X0 && was.X1 == now.X1 && was.Y0 == now.Y0 && was.Y1 == now.Y1))) {
      continue;
    }
    const QRect before = was.Shown ? InPixels(was, clip).toRect() : QRect();
    const QRect after = now.Shown ? InPixels(now, clip).toRect() : QRect();
    changed += QRegion(before).xored(QRegion(after));
    changed += Outline(before);
    changed += Outline(after);
  }
  auxiliary_ = rects;
  if (!changed.isEmpty()) update(changed);
}

void FoundationPlan::HideAuxiliary() {
  std::array<PlanRect, 4> hidden = auxiliary_;
  for (PlanRect& r : hidden) r.Shown = false;
  SetAuxiliary(hidden);
}

QRectF FoundationPlan::PaintClip() const { return QRectF(rect()).adjusted(-8, -8, 8, 8); }

void FoundationPlan::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRectF clip = PaintClip();
  // Everything on the plan is a rectangle with sides along the axes, so it
  // is all filled, and only within the parts to paint: a pointer move leaves
  // narrow bands. A narrow fill covers at most kBand rows at a time, because
  // the raster engine hands a fill of many rows to its threads, whose waking
  // costs more than a narrow band takes to fill; a large area is worth them.
  constexpr int kBand = 64;
  constexpr int kLargeArea = 1 << 16;
  const QRegion& parts = event->region();
  const auto fill = [&](const QRect& area, const QBrush& brush) {
    for (const QRect& part : parts) {
      const QRect piece = part.intersected(area);
      if (piece.width() * piece.height() >= kLargeArea) {
        p.fillRect(piece, brush);
        continue;
      }
      for (int top = piece.top(); top <= piece.bottom(); top += kBand) {
        p.fillRect(QRect(piece.left(), top, piece.width(), std::min(kBand, piece.bottom() + 1 - top)), brush);
      }
    }
  };
  // A rectangle's outline, `width` pixels wide about its sides.
  const auto frame = [&](const QRect& r, int width, const QColor& colour) {
    const int before = width / 2, after = width - before;
    const QRect outer = r.adjusted(-before, -before, after, after);
    fill(QRect(outer.left(), outer.top(), outer.width(), width), colour);
    fill(QRect(outer.left(), r.bottom() + 1 - before, outer.width(), width), colour);
    fill(QRect(outer.left(), outer.top(), width, outer.height()), colour);
    fill(QRect(r.right() + 1 - before, outer.top(), width, outer.height()), colour);
  };

  fill(rect(), kGround);
  const QRect foundation = InPixels(foundation_, clip).toRect();
  if (foundation_.Shown) fill(foundation, kFoundationFill);

  // The grid, a line at every length unit; the axes wider, the last lines
  // a little wider than the rest.
  const int end = qRound(kPlanGridLines * kPlanUnitsPerLength / forms::kTwipsPerPixel);
  for (int i = 0; i <= kPlanGridLines; ++i) {
    const int width = i == 0 ? 4 : i == kPlanGridLines ? 2 : 1;
    const int at = qRound(i * kPlanUnitsPerLength / forms::kTwipsPerPixel) - width / 2;
    fill(QRect(0, at, end, width), Qt::black);
    fill(QRect(at, 0, width, end), Qt::black);
  }

  if (foundation_.Shown) frame(foundation, 3, Qt::black);

  // The auxiliary rectangles: the whole one in green outline, the two
  // subtracted ones hatched red, the added one hatched green.
  struct Look {
    QColor colour;
    int width;
    Qt::BrushStyle hatch;
  };
  const Look looks[4] = {{kGreen, 2, Qt::NoBrush},
                         {kRed, 1, Qt::FDiagPattern},
                         {kRed, 1, Qt::FDiagPattern},
                         {kGreen, 1, Qt::BDiagPattern}};
  for (std::size_t i = 0; i < auxiliary_.size(); ++i) {
    if (!auxiliary_[i].Shown) continue;
    const QRect place = InPixels(auxiliary_[i], clip).toRect();
    if (looks[i].hatch != Qt::NoBrush) fill(place, QBrush(looks[i].colour, looks[i].hatch));
    frame(place, looks[i].width, looks[i].colour);
  }
}

void FoundationPlan::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position() * forms::kTwipsPerPixel;
  emit PointerMoved(at.x(), at.y());
}

}  // namespace brantel
