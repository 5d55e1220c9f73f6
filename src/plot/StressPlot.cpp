#include "plot/StressPlot.h"

#include "core/Arithmetic.h"
#include "core/Bilingual.h"
#include "core/Conversions.h"
#include "core/ErrorReporting.h"
#include "core/History.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "forms/FormBuilder.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

constexpr float kTwips = forms::kTwipsPerPixel;
const QColor kAxisColour(192, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kMagenta(255, 0, 255);
constexpr double kHalfTurn = 3.14159274;  // the arc's end angle, pi as a 32-bit value

bool Finite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A line that runs along neither axis.
bool Slanted(QPointF from, QPointF to) { return from.x() != to.x() && from.y() != to.y(); }

// How far, in twips, a point of a smoothed curve may lie from the line
// drawn in its place: a tenth of a pixel, which the picture cannot show.
constexpr double kUnseenDeviation = 0.1 * kTwips;

// The square of the distance from p to the segment from a to b.
double SquaredDistanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
  const QPointF d = p - (a + t * ab);
  return QPointF::dotProduct(d, d);
}

// The points of a polyline without those that lie within `deviation` of the
// line joining the points kept either side of them (Douglas and Peucker):
// a curve of a thousand steps across a few hundred pixels keeps a few dozen.
std::vector<QPointF> WithoutUnseenPoints(const std::vector<QPointF>& points, double deviation) {
  const std::size_t n = points.size();
  if (n <= 2) return points;
  std::vector<char> keep(n, 0);
  keep[0] = keep[n - 1] = 1;
  std::vector<std::pair<std::size_t, std::size_t>> spans{{0, n - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    double farthest = 0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = SquaredDistanceToSegment(points[i], points[first], points[last]);
      if (d > farthest) {
        farthest = d;
        at = i;
      }
    }
    if (farthest > deviation * deviation) {
      keep[at] = 1;
      spans.emplace_back(first, at);
      spans.emplace_back(at, last);
    }
  }
  std::vector<QPointF> kept;
  for (std::size_t i = 0; i < n; ++i) {
    if (keep[i]) kept.push_back(points[i]);
  }
  return kept;
}

}  // namespace

StressPlot::StressPlot(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  xaxis_ = QLineF(0, 3424, 4000, 3424);
  yaxis_ = QLineF(576, 0, 576, 4000);
}

void StressPlot::SetPrincipal(float s1, float s2, float tmax) {
  s1_ = s1;
  s2_ = s2;
  tmax_ = tmax;
}

void StressPlot::AttachZoomBar(QScrollBar* bar) {
  zoomBar_ = bar;
  if (!bar) return;
  bar->setRange(1, 20);
  bar->setSingleStep(1);
  bar->setPageStep(2);
  bar->setValue(10);
  connect(bar, &QScrollBar::valueChanged, this, [this] { Redraw(false); });
}

void StressPlot::AttachReadouts(QLabel* coordinates, QLabel* internalCoordinates) {
  coordinatesLabel_ = coordinates;
  internalCoordinatesLabel_ = internalCoordinates;
}

float StressPlot::ZoomFactor() const { return zoomBar_ ? static_cast<float>(zoomBar_->value()) / 10.0f : 1.0f; }

float StressPlot::ScaleWidth() const { return static_cast<float>(width()) * kTwips; }
float StressPlot::ScaleHeight() const { return static_cast<float>(height()) * kTwips; }

void StressPlot::SetAxes(const QLineF& xaxis, const QLineF& yaxis) {
  xaxis_ = xaxis;
  yaxis_ = yaxis;
  update();
}

void StressPlot::SetPlotRangeSafely(bool useDefault) {
  try {
    SetPlotRange(useDefault);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
  }
}

void StressPlot::SetCircle() {
  radius_ = CheckedFloat((static_cast<double>(s1_) - s2_) / 2.0);
  centre_ = CheckedFloat((static_cast<double>(s2_) + s1_) / 2.0);
}

void StressPlot::SetPlotRange(bool useDefault) {
  SetCircle();
  AxisWindow x;
  if (useDefault) {
    x.Min = CheckedFloat(static_cast<double>(s2_) - radius_);
    x.Max = CheckedFloat(static_cast<double>(radius_) + s1_);
  } else {
    const double f = ZoomFactor();
    x.Min = CheckedFloat(s2_ - f * radius_);
    x.Max = CheckedFloat(f * radius_ + s1_);
  }
  x.Span = CheckedFloat(static_cast<double>(x.Max) - x.Min);
  if (CheckedFloat(1.2 * x.Max) > x.Span) x.Span = CheckedFloat(1.2 * x.Max);
  AxisWindow y;
  y.Min = -radius_;
  y.Max = CheckedFloat(2.0 * radius_);
  y.Span = CheckedFloat(static_cast<double>(y.Max) - y.Min);
  SetWindow(x, y);
}

void StressPlot::SetWindow(const AxisWindow& x, const AxisWindow& y) {
  x_ = x;
  y_ = y;
  hasRange_ = x.Span != 0;
}

void StressPlot::ClearWindow() {
  x_ = AxisWindow{};
  y_ = AxisWindow{};
  hasRange_ = false;
}

void StressPlot::PlaceWindowAtCrossing() {
  const QRectF picture = Viewport().Picture;
  const double w = picture.width();
  const double h = picture.height();
  if (w <= 0 || h <= 0) return;
  const double x0 = yaxis_.x1();
  const double y0 = xaxis_.y1();
  x_.Max = CheckedFloat((w - x0) * x_.Span / w);
  x_.Min = CheckedFloat(-static_cast<double>(x_.Span) * x0 / w);
  y_.Max = CheckedFloat(y0 * y_.Span / h);
  y_.Min = CheckedFloat(-static_cast<double>(y_.Span) * (h - y0) / h);
}

PlotViewport StressPlot::Viewport() const {
  return PlotViewport{QRectF(0, 0, ScaleWidth(), ScaleHeight()), x_, y_, hasRange_};
}

double StressPlot::HorizontalScale() const {
  const PlotViewport v = Viewport();
  if (!v.HasRange) return 0;
  return v.Picture.width() / static_cast<double>(v.X.Span);
}

float StressPlot::ColumnOf(double x) const {
  return CheckedFloat(yaxis_.x1() + static_cast<double>(CheckedFloat(x)) * HorizontalScale());
}

void StressPlot::Redraw(bool useDefault) {
  try {
    SetPlotRange(useDefault);
    if (!plotShown_) return;
    ClearDrawing();
    PlaceWindowAtCrossing();
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    Blank();
    return;
  }
  DrawAxisTicks();
  DrawCurves();
  PlaceAxisLabels();
}

void StressPlot::Blank() {
  // With no range, a release of the mouse draws nothing either.
  ClearWindow();
  BlankCaptions();
  SetCaptionsVisible(false);
  ClearDrawing();
}

void StressPlot::MoveAxes(float x, float y) {
  try {
    xaxis_ = QLineF(0, y, ScaleWidth(), y);
    yaxis_ = QLineF(x, 0, x, ScaleHeight());
    PlaceWindowAtCrossing();
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
  }
  update();
}

void StressPlot::DrawAxisTicks() {
  float step = 1;
  try {
    step = AxisStep(s1_, s2_, 0);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    return;
  }
  DrawGrid(step);
}

void StressPlot::DrawGrid(float step) {
  if (!hasRange_) return;
  float k = 0;
  const float x0 = static_cast<float>(yaxis_.x1());
  const float y0 = static_cast<float>(xaxis_.y1());
  try {
    k = CheckedFloat(static_cast<double>(ColumnOf(1)) - x0);
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    return;
  }

  // Lines closer than two pixels would only fill the picture: keep every
  // tenth (then hundredth...) multiple of the step until they stand apart.
  const double minimumSpacing = 2.0 * kTwips;
  while (std::fabs(static_cast<double>(k) * step) < minimumSpacing && std::isfinite(step * 10.0f)) step *= 10.0f;
  // Only lines that can fall inside the picture are drawn: beyond this
  // distance from the origin every line of a step lies outside it.
  const double reach =
      std::max({std::fabs(x0), std::fabs(ScaleWidth() - x0), std::fabs(y0), std::fabs(ScaleHeight() - y0)});
  std::vector<QPointF> lines;
  auto drawStep = [&](float t) -> bool {
    const double kt = static_cast<double>(k) * t;
    if (std::fabs(kt) > reach + 1) return false;
    try {
      const float xPlus = ColumnOf(t);
      const float xMinus = ColumnOf(-t);
      lines.insert(lines.end(), {{xPlus, yaxis_.y1()},
                                 {xPlus, yaxis_.y2()},
                                 {xMinus, yaxis_.y1()},
                                 {xMinus, yaxis_.y2()},
                                 {xaxis_.x1(), y0 + kt},
                                 {xaxis_.x2(), y0 + kt},
                                 {xaxis_.x1(), y0 - kt},
                                 {xaxis_.x2(), y0 - kt}});
    } catch (const RuntimeError& e) {
      LogRuntimeError(e);
    }
    return true;
  };
  for (float t = 0; t <= x_.Max; t += step) {
    if (!drawStep(t) || t + step == t) break;
  }
  for (float t = 0; t >= x_.Min; t -= step) {
    if (!drawStep(t) || t - step == t) break;
  }
  DrawLines(std::move(lines), gridColour_);
}

void StressPlot::ClearDrawing() {
  items_.clear();
  update();
}

std::vector<QLineF> PlotItem::Segments() const {
  std::vector<QLineF> segments;
  switch (type) {
    case Type::Line: segments.emplace_back(a, b); break;
    case Type::Polyline:
      for (std::size_t i = 1; i < points.size(); ++i) segments.emplace_back(points[i - 1], points[i]);
      break;
    case Type::Lines:
      for (std::size_t i = 1; i < points.size(); i += 2) segments.emplace_back(points[i - 1], points[i]);
      break;
    case Type::Arc:
    case Type::Dot: break;
  }
  return segments;
}

void StressPlot::AddItem(PlotItem item) {
  // Nothing undefined or infinite reaches the painter.
  if (!Finite(item.a) || !Finite(item.b) || !std::isfinite(item.radius)) return;
  switch (item.type) {
    case PlotItem::Type::Line: item.smooth = Slanted(item.a, item.b); break;
    case PlotItem::Type::Polyline:
      for (std::size_t i = 1; i < item.points.size() && !item.smooth; ++i)
        item.smooth = Slanted(item.points[i - 1], item.points[i]);
      break;
    case PlotItem::Type::Lines:
      for (std::size_t i = 1; i < item.points.size() && !item.smooth; i += 2)
        item.smooth = Slanted(item.points[i - 1], item.points[i]);
      break;
    case PlotItem::Type::Arc:
    case PlotItem::Type::Dot: item.smooth = true; break;
  }
  if (item.type == PlotItem::Type::Polyline) {
    item.painted = item.smooth ? WithoutUnseenPoints(item.points, kUnseenDeviation) : item.points;
  }
  if (item.type == PlotItem::Type::Dot) item.pen = QPen(Qt::NoPen);
  else item.pen = QPen(item.colour, item.width * kTwips, item.style, Qt::RoundCap, Qt::RoundJoin);
  items_.push_back(std::move(item));
  update();
}

void StressPlot::DrawLine(QPointF from, QPointF to, const QColor& colour, int width, Qt::PenStyle style) {
  PlotItem item;
  item.type = PlotItem::Type::Line;
  item.a = from;
  item.b = to;
  item.colour = colour;
  item.width = width;
  item.style = style;
  AddItem(std::move(item));
}

void StressPlot::DrawPolyline(std::vector<QPointF> points, const QColor& colour, int width) {
  const auto add = [&](std::size_t first, std::size_t last) {
    PlotItem item;
    item.type = PlotItem::Type::Polyline;
    item.points.assign(points.begin() + static_cast<std::ptrdiff_t>(first),
                       points.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    item.colour = colour;
    item.width = width;
    AddItem(std::move(item));
  };
  const std::size_t n = points.size();
  std::size_t from = 0;
  while (from < n) {
    // A point that is not a finite number breaks the curve.
    if (!Finite(points[from])) {
      ++from;
      continue;
    }
    std::size_t to = from;
    while (to + 1 < n && Finite(points[to + 1])) ++to;
    // Pieces along the axes stay sharp and slanted ones are smoothed, as
    // each would be alone: a run of one kind is one polyline.
    std::size_t start = from;
    for (std::size_t i = from + 1; i <= to; ++i) {
      if (i == to || Slanted(points[i - 1], points[i]) != Slanted(points[i], points[i + 1])) {
        add(start, i);
        start = i;
      }
    }
    from = to + 1;
  }
}

void StressPlot::DrawLines(std::vector<QPointF> ends, const QColor& colour, int width) {
  PlotItem item;
  item.type = PlotItem::Type::Lines;
  item.points.reserve(ends.size());
  for (std::size_t i = 1; i < ends.size(); i += 2) {
    if (Finite(ends[i - 1]) && Finite(ends[i])) item.points.insert(item.points.end(), {ends[i - 1], ends[i]});
  }
  if (item.points.empty()) return;
  item.colour = colour;
  item.width = width;
  AddItem(std::move(item));
}

void StressPlot::DrawArc(QPointF centre, double radius, double start, double end, const QColor& colour, int width) {
  PlotItem item;
  item.type = PlotItem::Type::Arc;
  item.a = centre;
  item.radius = radius;
  item.startAngle = start;
  item.endAngle = end;
  item.colour = colour;
  item.width = width;
  AddItem(std::move(item));
}

void StressPlot::DrawDot(QPointF at, const QColor& colour, int width) {
  PlotItem item;
  item.type = PlotItem::Type::Dot;
  item.a = at;
  item.colour = colour;
  item.width = width;
  AddItem(std::move(item));
}

QLabel* StressPlot::AddCaption(PlotCaption caption, const QString& designName, const QColor& colour) {
  QLabel*& slot = captions_.at(static_cast<std::size_t>(caption));
  delete slot;
  auto* label = new QLabel(this);
  label->setObjectName(designName);
  QFont font = label->font();
  font.setPointSizeF(7.5);
  label->setFont(font);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->hide();
  slot = label;
  return label;
}

QLabel* StressPlot::Caption(PlotCaption caption) const { return captions_.at(static_cast<std::size_t>(caption)); }

void StressPlot::SetCaptionText(PlotCaption caption, const QString& text) {
  QLabel* label = Caption(caption);
  if (!label || label->text() == text) return;
  label->setText(text);
  label->adjustSize();
}

void StressPlot::PlaceCaption(PlotCaption caption, float left, float top) {
  QLabel* label = Caption(caption);
  if (!label || !std::isfinite(left) || !std::isfinite(top)) return;
  // A value far off the scale puts its label out of sight, a million pixels
  // away at most.
  const auto pixels = [](float twips) { return qRound(std::clamp(twips / kTwips, -1e6f, 1e6f)); };
  label->move(pixels(left), pixels(top));
}

void StressPlot::SetCaptionsVisible(bool visible) {
  for (QLabel* label : captions_)
    if (label) label->setVisible(visible);
}

void StressPlot::SetCaptionsVisible(std::initializer_list<PlotCaption> captions, bool visible) {
  for (const PlotCaption caption : captions)
    if (QLabel* label = Caption(caption)) label->setVisible(visible);
}

void StressPlot::BlankCaptions() {
  for (QLabel* label : captions_)
    if (label) label->setText(QString());
}

double StressPlot::ReadoutScale() const {
  const double w = ScaleWidth();
  if (w <= 0) return 0;
  return static_cast<double>(x_.Span) * kTwipsPerCm / w;
}

QPointF StressPlot::WorldAt(float x, float y) const {
  const double s = ReadoutScale();
  const double x0 = yaxis_.x1();
  const double y0 = xaxis_.y1();
  return {(x - x0) * s / kTwipsPerCm, (y0 - y) * s / kTwipsPerCm};
}

QString StressPlot::CoordinatesText(float x, float y) const {
  const QPointF world = WorldAt(x, y);
  auto shown = [](double v) {
    if (!std::isfinite(v)) return QStringLiteral("0");
    return FormatGeneral(ParseLeadingNumber(Format(v, u"#0.##")));
  };
  const QString head = Tr({"Coordinates: (X=", "Συντεταγμένες: (X="});
  return head + shown(world.x()) + QStringLiteral(", Y=") + shown(world.y()) + u')';
}

QString StressPlot::InternalCoordinatesText(float x, float y) const {
  const QString head = Tr({"Int. Coordinates: (X=", "Εσωτ. Συντεταγμένες: (X="});
  return head + FormatGeneral(x) + QStringLiteral(", Y=") + FormatGeneral(y) + u')';
}

void StressPlot::OnPointerPressed(float x, float y) {
  dragging_ = true;
  BlankCaptions();
  ClearDrawing();
  MoveAxes(x, y);
}

void StressPlot::OnPointerMoved(float x, float y) {
  if (coordinatesLabel_) coordinatesLabel_->setText(CoordinatesText(x, y));
  if (internalCoordinatesLabel_ && ShowInternalPlotCoords)
    internalCoordinatesLabel_->setText(InternalCoordinatesText(x, y));
  if (dragging_) MoveAxes(x, y);
}

void StressPlot::OnPointerReleased(float x, float y) {
  dragging_ = false;
  if (hasRange_) {
    DrawAxisTicks();
    DrawCurves();
    PlaceAxisLabels();
  }
}

void StressPlot::mousePressEvent(QMouseEvent* event) {
  OnPointerPressed(static_cast<float>(event->position().x()) * kTwips,
                   static_cast<float>(event->position().y()) * kTwips);
}

void StressPlot::mouseMoveEvent(QMouseEvent* event) {
  OnPointerMoved(static_cast<float>(event->position().x()) * kTwips,
                 static_cast<float>(event->position().y()) * kTwips);
}

void StressPlot::mouseReleaseEvent(QMouseEvent* event) {
  OnPointerReleased(static_cast<float>(event->position().x()) * kTwips,
                    static_cast<float>(event->position().y()) * kTwips);
}

void StressPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.scale(1.0 / kTwips, 1.0 / kTwips);
  bool smooth = false;
  for (const PlotItem& item : items_) {
    // The painter is told only what changes from one item to the next.
    if (item.smooth != smooth) {
      smooth = item.smooth;
      painter.setRenderHint(QPainter::Antialiasing, smooth);
    }
    painter.setPen(item.pen);
    switch (item.type) {
      case PlotItem::Type::Line: painter.drawLine(item.a, item.b); break;
      case PlotItem::Type::Polyline:
        painter.drawPolyline(item.painted.data(), static_cast<int>(item.painted.size()));
        break;
      case PlotItem::Type::Lines:
        painter.drawLines(item.points.data(), static_cast<int>(item.points.size() / 2));
        break;
      case PlotItem::Type::Arc: {
        const QRectF box(item.a.x() - item.radius, item.a.y() - item.radius, 2 * item.radius, 2 * item.radius);
        const int start = qRound(item.startAngle * 180.0 / kPi * 16.0);
        const int span = qRound((item.endAngle - item.startAngle) * 180.0 / kPi * 16.0);
        painter.drawArc(box, start, span);
        break;
      }
      case PlotItem::Type::Dot:
        painter.setBrush(item.colour);
        painter.drawEllipse(item.a, item.width * kTwips / 2.0, item.width * kTwips / 2.0);
        painter.setBrush(Qt::NoBrush);
        break;
    }
  }
  // The axis lines stand above the drawing.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(kAxisColour, 2 * kTwips));
  painter.drawLine(xaxis_);
  painter.drawLine(yaxis_);
}

MohrCirclePlot::MohrCirclePlot(QWidget* parent) : StressPlot(parent) {
  AddCaption(PlotCaption::Origin, QStringLiteral("Label(0)"));
  AddCaption(PlotCaption::S2, QStringLiteral("Label14"));
  AddCaption(PlotCaption::Centre, QStringLiteral("Label16"));
  AddCaption(PlotCaption::S1, QStringLiteral("Label17"));
  AddCaption(PlotCaption::TauMax, QStringLiteral("Label18"));
  setAccessibleName(QStringLiteral("Mohr's circle"));
}

void MohrCirclePlot::DrawAxisTicks() {
  SetCaptionText(PlotCaption::Origin, QStringLiteral("0"));
  SetCaptionText(PlotCaption::S2, Format(s2_, u"###0.0"));
  SetCaptionText(PlotCaption::Centre, Format(centre_, u"###0.0"));
  SetCaptionText(PlotCaption::S1, Format(s1_, u"###0.0"));
  SetCaptionText(PlotCaption::TauMax, Format(tmax_, u"###0.0"));
  StressPlot::DrawAxisTicks();
}

void MohrCirclePlot::DrawCurves() {
  SetCaptionsVisible(true);
  if (!HasRange()) return;
  try {
    circleX_ = ColumnOf(centre_);
    circleY_ = static_cast<float>(xaxis_.y1());
    circleRadius_ = CheckedFloat(static_cast<double>(radius_) * HorizontalScale());
  } catch (const RuntimeError& e) {
    if (e.Number() != ErrorNumber::Overflow) return;
    SetCaptionsVisible(false);
  }
  DrawArc({circleX_, circleY_}, circleRadius_, 0, kHalfTurn, kBlue);
  DrawDot({circleX_, circleY_ - 20}, kBlue, 5);
  try {
    const double a = CheckFinite(2.0 * planeAngle_) * kDegreeFactor;
    DrawLine({circleX_, circleY_}, {circleX_ + circleRadius_ * std::cos(a), circleY_ - circleRadius_ * std::sin(a)},
             kMagenta, 2);
  } catch (const RuntimeError& e) {
    if (e.Number() != ErrorNumber::Overflow) return;
    SetCaptionsVisible(false);
  }
}

void MohrCirclePlot::PlaceAxisLabels() {
  const float x0 = static_cast<float>(yaxis_.x1());
  const float y0 = static_cast<float>(xaxis_.y1());
  DrawLine({x0, y0 - circleRadius_}, {circleX_, y0 - circleRadius_}, kMagenta, 1, Qt::DashDotLine);
  PlaceCaption(PlotCaption::Origin, x0 - 210, y0 + 90);
  PlaceCaption(PlotCaption::S2, circleX_ - circleRadius_ - 100, circleY_ + 200);
  PlaceCaption(PlotCaption::Centre, circleX_ - 100, circleY_ + 200);
  PlaceCaption(PlotCaption::S1, circleX_ + circleRadius_ - 100, circleY_ + 200);
  PlaceCaption(PlotCaption::TauMax, x0 - 350, circleY_ - circleRadius_);
}

}  // namespace brantel
