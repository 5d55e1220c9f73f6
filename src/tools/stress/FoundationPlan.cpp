#include "tools/stress/FoundationPlan.h"

#include "forms/FormBuilder.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

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
  auxiliary_ = rects;
  update();
}

void FoundationPlan::HideAuxiliary() {
  for (PlanRect& r : auxiliary_) r.Shown = false;
  update();
}

void FoundationPlan::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kGround);
  const QRectF clip = QRectF(rect()).adjusted(-8, -8, 8, 8);

  if (foundation_.Shown) p.fillRect(InPixels(foundation_, clip), kFoundationFill);

  // The grid, a line at every length unit; the axes wider, the last lines
  // a little wider than the rest.
  const double step = kPlanUnitsPerLength / forms::kTwipsPerPixel;
  const double end = kPlanGridLines * step;
  for (int i = 0; i <= kPlanGridLines; ++i) {
    const int width = i == 0 ? 4 : i == kPlanGridLines ? 2 : 1;
    p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    const double at = i * step;
    p.drawLine(QPointF(0, at), QPointF(end, at));
    p.drawLine(QPointF(at, 0), QPointF(at, end));
  }

  if (foundation_.Shown) {
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(InPixels(foundation_, clip));
  }

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
  for (int i = 0; i < 4; ++i) {
    const PlanRect& r = auxiliary_[static_cast<std::size_t>(i)];
    if (!r.Shown) continue;
    const QRectF place = InPixels(r, clip);
    if (looks[i].hatch != Qt::NoBrush) p.fillRect(place, QBrush(looks[i].colour, looks[i].hatch));
    p.setPen(QPen(looks[i].colour, looks[i].width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(place);
  }
}

void FoundationPlan::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position() * forms::kTwipsPerPixel;
  emit PointerMoved(at.x(), at.y());
}

}  // namespace brantel
