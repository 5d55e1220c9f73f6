#include "graph/GraphChart.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace brantel {
namespace {

// More curves than this are never kept, whatever number a caller passes.
constexpr int kMostCurves = 64;
constexpr int kMostPoints = 100000;
constexpr int kTicksWanted = 5;
constexpr int kMostTicks = 50;
constexpr double kTickLength = 4;
constexpr double kGap = 5;  // between texts and what they stand beside
constexpr double kLegendSwatch = 10;
const QColor kGridColour(0xD0, 0xD0, 0xD0);

struct CurveState {
  std::vector<QPointF> points;
  int symbolSize = 5;
  QColor symbolColour = Qt::black;
  bool symbolShown = true;
  bool lineShown = true;
  QColor lineColour = Qt::black;
  int lineWidth = 1;
  QString label;
};

struct AxisState {
  QString title;
  int titlePoints = 10;
  int lineWidth = 1;
  bool grid = false;
};

// An axis as drawn: its range at "nice" numbers and its ticks.
struct Scale {
  double min = 0;
  double max = 1;
  double step = 0.25;
  long long first = 0;  // min / step
  int ticks = 5;

  double Tick(int i) const { return static_cast<double>(first + i) * step; }
};

bool IsFinite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// A number of the form 1, 2 or 5 times a power of 10 near x: at least x
// (ceiling) or the nearest.
double NiceNumber(double x, bool ceiling) {
  const double z = std::pow(10.0, std::floor(std::log10(x)));
  const double q = x / z;
  double nice = 10;
  if (ceiling) {
    if (q <= 1.0) nice = 1;
    else if (q <= 2.0) nice = 2;
    else if (q <= 5.0) nice = 5;
  } else {
    if (q < 1.5) nice = 1;
    else if (q < 3.0) nice = 2;
    else if (q < 7.0) nice = 5;
  }
  return nice * z;
}

// The axis around the values: the smallest and largest widened to whole
// steps of a nice size; never empty.
Scale ScaleOf(double low, double high) {
  if (!(high > low)) {
    const double pad = std::max(1.0, std::abs(low) * 0.1);
    low -= pad;
    high += pad;
  }
  Scale s;
  const double range = NiceNumber(high - low, true);
  s.step = NiceNumber(range / (kTicksWanted - 1), false);
  const double first = std::floor(low / s.step);
  const double last = std::ceil(high / s.step);
  if (!(s.step > 0) || !std::isfinite(first) || !std::isfinite(last) || last - first > kMostTicks ||
      std::abs(first) > 1e15 || std::abs(last) > 1e15) {
    // Values too far apart for whole steps: the plain range, two ticks.
    s.min = low;
    s.max = high;
    s.step = high - low;
    s.first = 0;
    s.ticks = 2;
    return s;
  }
  s.first = static_cast<long long>(first);
  s.ticks = static_cast<int>(last - first) + 1;
  s.min = first * s.step;
  s.max = last * s.step;
  return s;
}

QString TickText(const Scale& s, int i) {
  if (s.ticks == 2 && s.first == 0) return QString::number(i == 0 ? s.min : s.max, 'g', 6);
  return QString::number(s.Tick(i), 'g', 6);
}

QPolygonF Diamond(QPointF at, double half) {
  return QPolygonF({QPointF(at.x(), at.y() - half), QPointF(at.x() + half, at.y()),
                    QPointF(at.x(), at.y() + half), QPointF(at.x() - half, at.y())});
}

}  // namespace

struct GraphChart::Impl {
  std::vector<CurveState> curves;  // styles of every curve ever set
  int curveCount = 0;
  bool repainting = true;
  int margin = 10;
  QString header;
  int headerPoints = 15;
  AxisState axes[2];  // X, Y

  // Where everything goes for a size; made again after any change.
  struct Geometry {
    QSizeF size;
    QFont font;
    Scale x, y;
    QRectF plot;
    QRectF legend;
    bool valid = false;
  };
  mutable Geometry geometry;

  CurveState* Curve(int curve) {
    if (curve < 1 || curve > kMostCurves) return nullptr;
    if (static_cast<int>(curves.size()) < curve) curves.resize(static_cast<std::size_t>(curve));
    return &curves[static_cast<std::size_t>(curve - 1)];
  }
  const CurveState* Curve(int curve) const {
    if (curve < 1 || curve > static_cast<int>(curves.size())) return nullptr;
    return &curves[static_cast<std::size_t>(curve - 1)];
  }
  AxisState& AxisOf(Axis axis) { return axes[axis == Axis::X ? 0 : 1]; }
  const AxisState& AxisOf(Axis axis) const { return axes[axis == Axis::X ? 0 : 1]; }

  std::vector<const CurveState*> Labelled() const {
    std::vector<const CurveState*> out;
    for (int i = 0; i < curveCount; ++i) {
      const CurveState& c = curves[static_cast<std::size_t>(i)];
      if (!c.label.isEmpty()) out.push_back(&c);
    }
    return out;
  }

  QFont TitleFont(const QFont& base) const {
    QFont f = base;
    f.setPointSize(headerPoints);
    return f;
  }
  QFont AxisTitleFont(const QFont& base, Axis axis) const {
    QFont f = base;
    f.setPointSize(AxisOf(axis).titlePoints);
    f.setBold(true);
    return f;
  }

  const Geometry& Layout(const QFont& base, QSizeF size) const {
    if (geometry.valid && geometry.size == size && geometry.font == base) return geometry;
    Geometry g;
    g.size = size;
    g.font = base;
    std::vector<double> xs, ys;
    for (int i = 0; i < curveCount; ++i) {
      for (const QPointF& p : curves[static_cast<std::size_t>(i)].points) {
        if (!IsFinite(p)) continue;
        xs.push_back(p.x());
        ys.push_back(p.y());
      }
    }
    const auto range = [](const std::vector<double>& v) {
      if (v.empty()) return ScaleOf(0, 1);
      const auto [low, high] = std::minmax_element(v.begin(), v.end());
      return ScaleOf(*low, *high);
    };
    g.x = range(xs);
    g.y = range(ys);

    const QFontMetricsF labels(base);
    QRectF area(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
    if (!header.isEmpty()) area.setTop(area.top() + QFontMetricsF(TitleFont(base)).height() + kGap);
    const auto labelled = Labelled();
    if (!labelled.empty()) {
      double width = 0;
      for (const CurveState* c : labelled) width = std::max(width, labels.horizontalAdvance(c->label));
      const double legendWidth = kLegendSwatch + kGap + width;
      const double legendHeight = static_cast<double>(labelled.size()) * (labels.height() + 4);
      area.setRight(area.right() - legendWidth - 2 * kGap);
      g.legend = QRectF(area.right() + 2 * kGap, 0, legendWidth, legendHeight);
    }
    if (!AxisOf(Axis::Y).title.isEmpty()) {
      area.setLeft(area.left() + QFontMetricsF(AxisTitleFont(base, Axis::Y)).height() + kGap);
    }
    double yLabels = 0;
    for (int i = 0; i < g.y.ticks; ++i) yLabels = std::max(yLabels, labels.horizontalAdvance(TickText(g.y, i)));
    area.setLeft(area.left() + yLabels + kTickLength + kGap);
    if (!AxisOf(Axis::X).title.isEmpty()) {
      area.setBottom(area.bottom() - QFontMetricsF(AxisTitleFont(base, Axis::X)).height() - kGap);
    }
    area.setBottom(area.bottom() - labels.height() - kTickLength - kGap);
    // Half a label above the top tick and beside the last one.
    area.setTop(area.top() + labels.height() / 2);
    area.setRight(area.right() - labels.horizontalAdvance(TickText(g.x, g.x.ticks - 1)) / 2);
    if (area.width() < 1) area.setWidth(1);
    if (area.height() < 1) area.setHeight(1);
    g.plot = area;
    g.legend.moveTop(area.center().y() - g.legend.height() / 2);
    g.valid = true;
    geometry = g;
    return geometry;
  }

  // The symbol of a curve as a picture, made once for its size and colour.
  mutable std::vector<std::pair<std::pair<double, QRgb>, QImage>> symbols;
  QImage Symbol(double half, const QColor& colour) const {
    const std::pair<double, QRgb> key(half, colour.rgba());
    for (const auto& [k, image] : symbols) {
      if (k == key) return image;
    }
    const int side = static_cast<int>(std::ceil(2 * half)) + 2;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(Diamond(QPointF(side / 2.0, side / 2.0), half));
    painter.end();
    if (symbols.size() >= 16) symbols.erase(symbols.begin());
    symbols.emplace_back(key, image);
    return image;
  }

  static QPointF ToPixel(const Geometry& g, QPointF value) {
    const double fx = (value.x() - g.x.min) / (g.x.max - g.x.min);
    const double fy = (value.y() - g.y.min) / (g.y.max - g.y.min);
    return QPointF(g.plot.left() + fx * g.plot.width(), g.plot.bottom() - fy * g.plot.height());
  }

  void Draw(QPainter& p, const QFont& base, QSizeF size) const {
    const Geometry& g = Layout(base, size);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    const QFontMetricsF labels(base);
    p.setFont(base);

    if (!header.isEmpty()) {
      p.setFont(TitleFont(base));
      p.setPen(Qt::black);
      p.drawText(QRectF(margin, margin, size.width() - 2 * margin, QFontMetricsF(p.font()).height()),
                 Qt::AlignHCenter | Qt::AlignTop, header);
      p.setFont(base);
    }

    // Grids, then the axes with their ticks and labels.
    p.setPen(QPen(kGridColour, 1));
    if (AxisOf(Axis::X).grid) {
      for (int i = 0; i < g.x.ticks; ++i) {
        const double x = ToPixel(g, QPointF(g.x.Tick(i), g.y.min)).x();
        p.drawLine(QPointF(x, g.plot.top()), QPointF(x, g.plot.bottom()));
      }
    }
    if (AxisOf(Axis::Y).grid) {
      for (int i = 0; i < g.y.ticks; ++i) {
        const double y = ToPixel(g, QPointF(g.x.min, g.y.Tick(i))).y();
        p.drawLine(QPointF(g.plot.left(), y), QPointF(g.plot.right(), y));
      }
    }
    p.setPen(QPen(Qt::black, 1));
    for (int i = 0; i < g.x.ticks; ++i) {
      const double x = g.x.ticks == 2 && g.x.first == 0 ? (i == 0 ? g.plot.left() : g.plot.right())
                                                          : ToPixel(g, QPointF(g.x.Tick(i), 0)).x();
      p.drawLine(QPointF(x, g.plot.bottom()), QPointF(x, g.plot.bottom() + kTickLength));
      const QString text = TickText(g.x, i);
      const double w = labels.horizontalAdvance(text);
      p.drawText(QRectF(x - w / 2 - 1, g.plot.bottom() + kTickLength + 1, w + 2, labels.height()),
                 Qt::AlignCenter, text);
    }
    for (int i = 0; i < g.y.ticks; ++i) {
      const double y = g.y.ticks == 2 && g.y.first == 0 ? (i == 0 ? g.plot.bottom() : g.plot.top())
                                                          : ToPixel(g, QPointF(0, g.y.Tick(i))).y();
      p.drawLine(QPointF(g.plot.left() - kTickLength, y), QPointF(g.plot.left(), y));
      const QString text = TickText(g.y, i);
      p.drawText(QRectF(0, y - labels.height() / 2, g.plot.left() - kTickLength - 2, labels.height()),
                 Qt::AlignRight | Qt::AlignVCenter, text);
    }
    p.setPen(QPen(Qt::black, std::max(1, AxisOf(Axis::X).lineWidth)));
    if (AxisOf(Axis::X).lineWidth > 0) p.drawLine(g.plot.bottomLeft(), g.plot.bottomRight());
    p.setPen(QPen(Qt::black, std::max(1, AxisOf(Axis::Y).lineWidth)));
    if (AxisOf(Axis::Y).lineWidth > 0) p.drawLine(g.plot.bottomLeft(), g.plot.topLeft());

    if (const QString& title = AxisOf(Axis::X).title; !title.isEmpty()) {
      p.setFont(AxisTitleFont(base, Axis::X));
      const double h = QFontMetricsF(p.font()).height();
      const double top = g.plot.bottom() + kTickLength + labels.height() + kGap;
      p.drawText(QRectF(g.plot.left(), top, g.plot.width(), h), Qt::AlignHCenter | Qt::AlignTop, title);
    }
    if (const QString& title = AxisOf(Axis::Y).title; !title.isEmpty()) {
      p.setFont(AxisTitleFont(base, Axis::Y));
      const double h = QFontMetricsF(p.font()).height();
      p.save();
      p.translate(margin, g.plot.center().y());
      p.rotate(-90);
      p.drawText(QRectF(-g.plot.height() / 2, 0, g.plot.height(), h), Qt::AlignHCenter | Qt::AlignTop, title);
      p.restore();
    }
    p.setFont(base);

    // The curves, within the plot area (and the symbols on its edges).
    p.save();
    p.setClipRect(g.plot.adjusted(-12, -12, 12, 12));
    for (int i = 0; i < curveCount; ++i) {
      const CurveState& c = curves[static_cast<std::size_t>(i)];
      QPolygonF line;
      line.reserve(static_cast<qsizetype>(c.points.size()));
      for (const QPointF& point : c.points) {
        if (IsFinite(point)) line.append(ToPixel(g, point));
      }
      if (c.lineShown && c.lineWidth > 0 && line.size() > 1) {
        p.setPen(QPen(c.lineColour, c.lineWidth));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
      }
      if (c.symbolShown && c.symbolSize > 0) {
        const double half = std::max(1.5, c.symbolSize / 2.0);
        if (p.transform().isIdentity()) {
          // On the screen one picture of the symbol, placed at each point.
          const QImage symbol = Symbol(half, c.symbolColour);
          const QPointF centre(symbol.width() / 2.0, symbol.height() / 2.0);
          for (const QPointF& at : line) p.drawImage(at - centre, symbol);
        } else {
          p.setPen(Qt::NoPen);
          p.setBrush(c.symbolColour);
          for (const QPointF& at : line) p.drawPolygon(Diamond(at, half));
        }
      }
    }
    p.restore();

    // The legend.
    const auto labelled = Labelled();
    double top = g.legend.top();
    for (const CurveState* c : labelled) {
      const QColor colour = c->lineShown ? c->lineColour : c->symbolColour;
      const double h = labels.height();
      p.fillRect(QRectF(g.legend.left(), top + (h - kLegendSwatch) / 2, kLegendSwatch, kLegendSwatch), colour);
      p.setPen(Qt::black);
      p.drawText(QRectF(g.legend.left() + kLegendSwatch + kGap, top, g.legend.width(), h),
                 Qt::AlignLeft | Qt::AlignVCenter, c->label);
      top += h + 4;
    }
    p.restore();
  }
};

GraphChart::GraphChart(QWidget* parent) : QWidget(parent), d_(std::make_unique<Impl>()) {
  setMouseTracking(true);
}

GraphChart::~GraphChart() = default;

void GraphChart::Changed() {
  d_->geometry.valid = false;
  if (d_->repainting) update();
}

void GraphChart::SetRepainting(bool on) {
  d_->repainting = on;
  if (on) Changed();
}

int GraphChart::CurveCount() const { return d_->curveCount; }

void GraphChart::SetCurveCount(int count) {
  count = std::clamp(count, 0, kMostCurves);
  if (count > 0) d_->Curve(count);
  for (int i = count; i < static_cast<int>(d_->curves.size()); ++i) {
    d_->curves[static_cast<std::size_t>(i)].points.clear();
  }
  d_->curveCount = count;
  Changed();
}

int GraphChart::PointCount(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c && curve <= d_->curveCount ? static_cast<int>(c->points.size()) : 0;
}

void GraphChart::SetPointCount(int curve, int count) {
  if (curve > d_->curveCount) return;
  CurveState* c = d_->Curve(curve);
  if (!c) return;
  c->points.resize(static_cast<std::size_t>(std::clamp(count, 0, kMostPoints)));
  Changed();
}

void GraphChart::SetPoint(int curve, int point, double x, double y) {
  if (curve > d_->curveCount) return;
  CurveState* c = d_->Curve(curve);
  if (!c || point < 1 || point > static_cast<int>(c->points.size())) return;
  c->points[static_cast<std::size_t>(point - 1)] = QPointF(x, y);
  Changed();
}

QPointF GraphChart::Point(int curve, int point) const {
  if (point < 1 || point > PointCount(curve)) return QPointF();
  return d_->Curve(curve)->points[static_cast<std::size_t>(point - 1)];
}

int GraphChart::SymbolSize(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->symbolSize : CurveState{}.symbolSize;
}

void GraphChart::SetSymbolSize(int curve, int size) {
  if (CurveState* c = d_->Curve(curve)) {
    c->symbolSize = std::clamp(size, 0, 200);
    Changed();
  }
}

QColor GraphChart::SymbolColour(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->symbolColour : CurveState{}.symbolColour;
}

void GraphChart::SetSymbolColour(int curve, const QColor& colour) {
  if (CurveState* c = d_->Curve(curve)) {
    c->symbolColour = colour;
    Changed();
  }
}

bool GraphChart::SymbolShown(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->symbolShown : CurveState{}.symbolShown;
}

void GraphChart::SetSymbolShown(int curve, bool shown) {
  if (CurveState* c = d_->Curve(curve)) {
    c->symbolShown = shown;
    Changed();
  }
}

bool GraphChart::LineShown(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->lineShown : CurveState{}.lineShown;
}

void GraphChart::SetLineShown(int curve, bool shown) {
  if (CurveState* c = d_->Curve(curve)) {
    c->lineShown = shown;
    Changed();
  }
}

QColor GraphChart::LineColour(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->lineColour : CurveState{}.lineColour;
}

void GraphChart::SetLineColour(int curve, const QColor& colour) {
  if (CurveState* c = d_->Curve(curve)) {
    c->lineColour = colour;
    Changed();
  }
}

int GraphChart::LineWidth(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->lineWidth : CurveState{}.lineWidth;
}

void GraphChart::SetLineWidth(int curve, int width) {
  if (CurveState* c = d_->Curve(curve)) {
    c->lineWidth = std::clamp(width, 0, 50);
    Changed();
  }
}

QString GraphChart::SeriesLabel(int curve) const {
  const CurveState* c = d_->Curve(curve);
  return c ? c->label : QString();
}

void GraphChart::SetSeriesLabel(int curve, const QString& label) {
  if (CurveState* c = d_->Curve(curve)) {
    c->label = label;
    Changed();
  }
}

void GraphChart::ClearSeriesLabels() {
  for (CurveState& c : d_->curves) c.label.clear();
  Changed();
}

int GraphChart::SeriesLabelCount() const {
  return static_cast<int>(std::count_if(d_->curves.begin(), d_->curves.end(),
                                        [](const CurveState& c) { return !c.label.isEmpty(); }));
}

bool GraphChart::LegendShown() const { return !d_->Labelled().empty(); }

void GraphChart::SetMargin(int pixels) {
  d_->margin = std::max(0, pixels);
  Changed();
}

QString GraphChart::Header() const { return d_->header; }

void GraphChart::SetHeader(const QString& text) {
  d_->header = text;
  Changed();
}

void GraphChart::SetHeaderFontSize(int points) {
  d_->headerPoints = std::max(1, points);
  Changed();
}

QString GraphChart::AxisTitle(Axis axis) const { return d_->AxisOf(axis).title; }

void GraphChart::SetAxisTitle(Axis axis, const QString& title) {
  d_->AxisOf(axis).title = title;
  Changed();
}

void GraphChart::SetAxisFontSize(Axis axis, int points) {
  d_->AxisOf(axis).titlePoints = std::max(1, points);
  Changed();
}

void GraphChart::SetAxisLineWidth(Axis axis, int width) {
  d_->AxisOf(axis).lineWidth = std::max(0, width);
  Changed();
}

bool GraphChart::Grid(Axis axis) const { return d_->AxisOf(axis).grid; }

void GraphChart::SetGrid(Axis axis, bool shown) {
  d_->AxisOf(axis).grid = shown;
  Changed();
}

bool GraphChart::InPlotArea(QPoint pixel) const {
  return d_->Layout(font(), QSizeF(size())).plot.contains(QPointF(pixel));
}

QPointF GraphChart::ValueAt(QPoint pixel) const {
  const Impl::Geometry& g = d_->Layout(font(), QSizeF(size()));
  const double fx = (pixel.x() - g.plot.left()) / g.plot.width();
  const double fy = (g.plot.bottom() - pixel.y()) / g.plot.height();
  return QPointF(g.x.min + fx * (g.x.max - g.x.min), g.y.min + fy * (g.y.max - g.y.min));
}

QPointF GraphChart::PixelOf(int curve, int point) const {
  return Impl::ToPixel(d_->Layout(font(), QSizeF(size())), Point(curve, point));
}

GraphChart::Nearest GraphChart::NearestPoint(QPoint pixel) const {
  const Impl::Geometry& g = d_->Layout(font(), QSizeF(size()));
  Nearest best;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int s = 1; s <= d_->curveCount; ++s) {
    const CurveState& c = d_->curves[static_cast<std::size_t>(s - 1)];
    for (std::size_t p = 0; p < c.points.size(); ++p) {
      if (!IsFinite(c.points[p])) continue;
      const QPointF at = Impl::ToPixel(g, c.points[p]);
      const double distance = std::hypot(at.x() - pixel.x(), at.y() - pixel.y());
      if (distance < bestDistance) {
        bestDistance = distance;
        best.curve = s;
        best.point = static_cast<int>(p) + 1;
      }
    }
  }
  if (best.curve > 0) {
    best.distance = static_cast<int>(std::min(std::round(bestDistance), 2.0e9));
  }
  return best;
}

void GraphChart::SetPointer(Qt::CursorShape shape) { setCursor(shape); }

void GraphChart::ResetPointer() { unsetCursor(); }

Qt::CursorShape GraphChart::Pointer() const { return cursor().shape(); }

QImage GraphChart::Picture() const {
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  d_->Draw(painter, font(), QSizeF(size()));
  return image;
}

void GraphChart::Render(QPainter& painter, const QRectF& target) const {
  const QSizeF source(size());
  if (source.isEmpty() || target.isEmpty()) return;
  // The largest rectangle of the chart's proportions at the target's corner.
  const double scale = std::min(target.width() / source.width(), target.height() / source.height());
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(scale, scale);
  d_->Draw(painter, font(), source);
  painter.restore();
}

void GraphChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  d_->Draw(painter, font(), QSizeF(size()));
}

void GraphChart::mouseMoveEvent(QMouseEvent* event) {
  emit PointerMoved(event->buttons(), event->modifiers(), event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

}  // namespace brantel
