#include "graph/GraphChart.h"

#include "graph/NiceNumber.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace brantel {
namespace {

// More curves than this are never kept, whatever number a caller passes.
constexpr int kMostCurves = 64;
constexpr int kMostPoints = 100000;
// An axis aims at this many ticks; it never takes more than the most.
constexpr int kTicksWanted = 5;
constexpr int kMostTicks = 50;

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

// A series of the chart with what it was last given: every change of the
// chart lays it out or redraws it, so only what differs is handed on.
struct SeriesState {
  QLineSeries* series = nullptr;
  QList<QPointF> points;
  QPen pen;
  bool symbol = false;
  int symbolSize = 0;
  QColor symbolColour;
  QString label;
  QColor legendColour;
};

// An axis as shown: its range, from one tick to the last, the step between
// the ticks at "nice" numbers, and how the axis places them. Counted ticks
// (a number of them from end to end) make a new layout of the whole chart
// whenever their number changes; ticks at whole multiples of the step need
// one only when the step changes, but stand where the axis adds the step up
// from the first, so they are used only for steps that add up exactly.
struct Scale {
  double min = 0;
  double max = 1;
  double step = 0.25;
  int ticks = 5;
  bool multiples = true;
};

bool IsFinite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The axis around the values from low to high: both widened to whole steps
// of a nice size; never empty. Values alike to nine digits get a range
// around them; values beyond any range keep the default one (and are cut
// off).
Scale ScaleOf(double low, double high) {
  const double magnitude = std::max(std::abs(low), std::abs(high));
  if (!(high - low > magnitude * 1e-9)) {
    const double pad = std::max(1.0, magnitude * 0.1);
    low -= pad;
    high += pad;
  }
  if (!std::isfinite(high - low)) return Scale{};
  const double step = NiceNumber(NiceNumber(high - low, true) / (kTicksWanted - 1), false);
  const double first = std::floor(low / step);
  const double last = std::ceil(high / step);
  if (!(step > 0) || !std::isfinite(first * step) || !std::isfinite(last * step) || !(last - first <= kMostTicks)) {
    return Scale{};
  }
  Scale s;
  s.min = first * step;
  s.max = last * step;
  s.step = step;
  s.ticks = static_cast<int>(last - first) + 1;
  // Multiples of 1/1024 add up exactly while they stay well inside the
  // 53 bits of a double: the last tick then falls on the end of the axis.
  const double units = std::ldexp(step, 10);
  constexpr double kExact = 4503599627370496.0;  // 2^52
  s.multiples = units == std::round(units) && std::abs(first) * units < kExact && std::abs(last) * units < kExact;
  if (!s.multiples && first <= 0 && last >= 0) {
    // Counted ticks stand at min + (i (max - min)) / (ticks - 1): the ends
    // move by a few units in the last place until the tick at 0 comes out
    // as 0, not as a rounding error that would read 1.38778e-17.
    const double zero = -first;
    const double intervals = s.ticks - 1;
    const auto nudged = [](double x, int k) {  // 0, +1, -1, +2, -2 .. units
      for (int i = 0; i < (k + 1) / 2; ++i) x = std::nextafter(x, k % 2 ? HUGE_VAL : -HUGE_VAL);
      return x;
    };
    bool found = false;
    for (int i = 0; i <= 16 && !found; ++i) {
      const double max = nudged(s.max, i);
      for (int j = 0; j <= 16 && !found; ++j) {
        const double min = nudged(s.min, j);
        if (min + (zero * (max - min)) / intervals == 0) {
          s.min = min;
          s.max = max;
          found = true;
        }
      }
    }
  }
  return s;
}

// The symbol: a diamond in the curve's colour at the size it shows, so that
// it is placed on the chart without scaling.
QImage DiamondImage(int size, const QColor& colour) {
  const int side = std::max(2, size);
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const double h = side / 2.0;
  painter.drawPolygon(QPolygonF({QPointF(h, 0), QPointF(side, h), QPointF(h, side), QPointF(0, h)}));
  return image;
}

bool Differs(const QValueAxis* axis, const Scale& scale) {
  if (axis->min() != scale.min || axis->max() != scale.max) return true;
  if (scale.multiples) return axis->tickType() != QValueAxis::TicksDynamic || axis->tickInterval() != scale.step;
  return axis->tickType() != QValueAxis::TicksFixed || axis->tickCount() != scale.ticks;
}

// Only what changed is set: each setting lays the axis out again.
void SetScale(QValueAxis* axis, const Scale& scale) {
  const QValueAxis::TickType type = scale.multiples ? QValueAxis::TicksDynamic : QValueAxis::TicksFixed;
  if (scale.multiples && axis->tickInterval() != scale.step) axis->setTickInterval(scale.step);
  if (!scale.multiples && axis->tickCount() != scale.ticks) axis->setTickCount(scale.ticks);
  if (axis->tickType() != type) axis->setTickType(type);
  if (axis->min() != scale.min || axis->max() != scale.max) axis->setRange(scale.min, scale.max);
}

}  // namespace

struct GraphChart::Impl {
  QChart* chart = nullptr;
  QChartView* view = nullptr;
  QValueAxis* axisX = nullptr;
  QValueAxis* axisY = nullptr;
  std::vector<CurveState> curves;  // styles of every curve ever set
  int curveCount = 0;
  bool repainting = true;
  // The curves changed since the chart was last brought up to them, and a
  // sync is waiting for the event loop.
  bool dirty = false;
  bool posted = false;
  std::vector<SeriesState> series;  // one for each of the curves shown

  CurveState* Curve(int curve) {
    if (curve < 1 || curve > kMostCurves) return nullptr;
    if (static_cast<int>(curves.size()) < curve) curves.resize(static_cast<std::size_t>(curve));
    return &curves[static_cast<std::size_t>(curve - 1)];
  }
  const CurveState* Curve(int curve) const {
    if (curve < 1 || curve > static_cast<int>(curves.size())) return nullptr;
    return &curves[static_cast<std::size_t>(curve - 1)];
  }
  QValueAxis* AxisOf(Axis axis) const { return axis == Axis::X ? axisX : axisY; }

  // Brings the chart up to the curves now if they changed.
  void Catch() const {
    if (dirty) const_cast<Impl*>(this)->Sync();
  }

  // Sizes and lays the chart out now, also while the window is hidden, so
  // that the plot area, pictures and prints match the widget's size.
  void Settle(const QWidget* owner) const {
    Catch();
    if (view->size() != owner->size()) view->setGeometry(owner->rect());
    if (chart->size() != QSizeF(view->size())) {
      chart->resize(view->size());
      view->setSceneRect(chart->geometry());
    }
    if (chart->layout()) chart->layout()->activate();
  }
  QPointF ChartPos(const QWidget* owner, QPoint pixel) const {
    const QPoint inViewport = view->viewport()->mapFrom(owner, pixel);
    return chart->mapFromScene(view->mapToScene(inViewport));
  }
  QPointF WidgetPos(const QWidget* owner, QPointF chartPos) const {
    const QPointF scene = chart->mapToScene(chartPos);
    const QPointF inViewport = view->mapFromScene(scene);
    return QPointF(view->viewport()->mapTo(owner, QPoint(0, 0))) + inViewport;
  }
  QPointF ChartPosOfValue(QPointF value) const {
    const QRectF plot = chart->plotArea();
    const double fx = (value.x() - axisX->min()) / (axisX->max() - axisX->min());
    const double fy = (value.y() - axisY->min()) / (axisY->max() - axisY->min());
    return QPointF(plot.left() + fx * plot.width(), plot.bottom() - fy * plot.height());
  }

  // The chart brought up to the curves: the series are made once and kept,
  // and each gets only what changed, so that a new set of values redraws
  // the curves without laying out the legend, the titles or (while their
  // steps stay) the axes again.
  void Sync() {
    dirty = false;
    while (static_cast<int>(series.size()) > curveCount) {
      QLineSeries* dropped = series.back().series;
      series.pop_back();
      chart->removeSeries(dropped);
      delete dropped;
    }
    while (static_cast<int>(series.size()) < curveCount) {
      SeriesState added;
      added.series = new QLineSeries;
      added.pen = added.series->pen();
      chart->addSeries(added.series);
      added.series->attachAxis(axisX);
      added.series->attachAxis(axisY);
      series.push_back(added);
    }

    // The points drawn (those with finite values) and the axes around them.
    std::vector<QList<QPointF>> drawn(static_cast<std::size_t>(curveCount));
    double xLow = std::numeric_limits<double>::infinity(), xHigh = -xLow;
    double yLow = xLow, yHigh = -xLow;
    for (int i = 0; i < curveCount; ++i) {
      const CurveState& c = curves[static_cast<std::size_t>(i)];
      QList<QPointF>& points = drawn[static_cast<std::size_t>(i)];
      points.reserve(static_cast<qsizetype>(c.points.size()));
      for (const QPointF& p : c.points) {
        if (!IsFinite(p)) continue;
        points.append(p);
        xLow = std::min(xLow, p.x());
        xHigh = std::max(xHigh, p.x());
        yLow = std::min(yLow, p.y());
        yHigh = std::max(yHigh, p.y());
      }
    }
    const bool any = xLow <= xHigh;
    const Scale x = any ? ScaleOf(xLow, xHigh) : ScaleOf(0, 1);
    const Scale y = any ? ScaleOf(yLow, yHigh) : ScaleOf(0, 1);

    // A new range makes every series that holds points work out its whole
    // line again; one that is about to get new points is emptied first, so
    // that it does so once, with them.
    if (Differs(axisX, x) || Differs(axisY, y)) {
      for (int i = 0; i < curveCount; ++i) {
        SeriesState& s = series[static_cast<std::size_t>(i)];
        if (!s.points.isEmpty() && drawn[static_cast<std::size_t>(i)] != s.points) {
          s.points.clear();
          s.series->replace(s.points);
        }
      }
      SetScale(axisX, x);
      SetScale(axisY, y);
    }

    bool anyLabel = false;
    for (int i = 0; i < curveCount; ++i) {
      const CurveState& c = curves[static_cast<std::size_t>(i)];
      SeriesState& s = series[static_cast<std::size_t>(i)];
      QList<QPointF>& points = drawn[static_cast<std::size_t>(i)];
      if (points != s.points) {
        s.series->replace(points);
        s.points = std::move(points);
      }

      QPen pen(c.lineColour);
      pen.setWidth(c.lineWidth);
      if (!c.lineShown) pen.setStyle(Qt::NoPen);
      if (pen != s.pen) {
        s.series->setPen(pen);
        s.pen = pen;
      }

      const bool symbol = c.symbolShown && c.symbolSize > 0;
      if (symbol != s.symbol || (symbol && (c.symbolSize != s.symbolSize || c.symbolColour != s.symbolColour))) {
        s.series->setLightMarker(symbol ? DiamondImage(c.symbolSize, c.symbolColour) : QImage());
        if (symbol) s.series->setMarkerSize(c.symbolSize);
        s.symbol = symbol;
        s.symbolSize = c.symbolSize;
        s.symbolColour = c.symbolColour;
      }

      const QColor legendColour = c.lineShown ? c.lineColour : c.symbolColour;
      if (c.label != s.label || legendColour != s.legendColour) {
        if (c.label != s.label) s.series->setName(c.label);
        for (QLegendMarker* marker : chart->legend()->markers(s.series)) {
          marker->setVisible(!c.label.isEmpty());
          marker->setPen(QPen(legendColour));
          marker->setBrush(legendColour);
        }
        s.label = c.label;
        s.legendColour = legendColour;
      }
      if (!c.label.isEmpty()) anyLabel = true;
    }
    if (chart->legend()->isVisible() != anyLabel) chart->legend()->setVisible(anyLabel);
    // Laid out now rather than when the event loop next runs, so that a
    // picture taken at once (or a paint that comes first) shows the new
    // legend and axes in place.
    if (chart->layout()) chart->layout()->activate();
  }
};

GraphChart::GraphChart(QWidget* parent) : QWidget(parent), d_(std::make_unique<Impl>()) {
  d_->chart = new QChart;
  d_->chart->setAnimationOptions(QChart::NoAnimation);
  // A plain white ground: the theme's shaded one costs a blend of every
  // pixel at each redraw.
  d_->chart->setBackgroundBrush(Qt::white);
  d_->chart->setBackgroundRoundness(0);
  d_->chart->legend()->setAlignment(Qt::AlignRight);
  d_->chart->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
  d_->chart->legend()->setVisible(false);
  d_->axisX = new QValueAxis;
  d_->axisY = new QValueAxis;
  for (QValueAxis* axis : {d_->axisX, d_->axisY}) {
    axis->setMinorGridLineVisible(false);
    axis->setGridLineVisible(false);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTickAnchor(0);
    SetScale(axis, Scale{});
  }
  d_->chart->addAxis(d_->axisX, Qt::AlignBottom);
  d_->chart->addAxis(d_->axisY, Qt::AlignLeft);

  d_->view = new QChartView(d_->chart, this);
  d_->view->setFrameShape(QFrame::NoFrame);
  d_->view->setRenderHint(QPainter::Antialiasing);
  // The pointer over the chart is this widget's: the view takes no mouse
  // events of its own.
  d_->view->setAttribute(Qt::WA_TransparentForMouseEvents);
  setMouseTracking(true);
  d_->view->setGeometry(rect());
}

void GraphChart::resizeEvent(QResizeEvent* event) {
  d_->view->setGeometry(rect());
  QWidget::resizeEvent(event);
}

GraphChart::~GraphChart() = default;

// A change reaches the chart when repainting resumes, when something asks
// where the chart stands, or else when the event loop runs (before the
// paint it causes): a run of single changes costs one sync, not one each.
void GraphChart::Changed() {
  d_->dirty = true;
  if (!d_->repainting || d_->posted) return;
  d_->posted = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        d_->posted = false;
        if (d_->repainting) d_->Catch();
      },
      Qt::QueuedConnection);
}

void GraphChart::SetRepainting(bool on) {
  d_->repainting = on;
  if (on) d_->Catch();
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
  return static_cast<int>(
      std::count_if(d_->curves.begin(), d_->curves.end(), [](const CurveState& c) { return !c.label.isEmpty(); }));
}

bool GraphChart::LegendShown() const {
  d_->Catch();
  return d_->chart->legend()->isVisible();
}

void GraphChart::SetMargin(int pixels) {
  const int m = std::max(0, pixels);
  if (d_->chart->margins() == QMargins(m, m, m, m)) return;
  d_->chart->layout()->setContentsMargins(m, m, m, m);
  d_->chart->setMargins(QMargins(m, m, m, m));
}

QString GraphChart::Header() const { return d_->chart->title(); }

// Every text, font and pen below lays the chart out again when set, even
// to what it holds: each is set only when it changes.
void GraphChart::SetHeader(const QString& text) {
  if (d_->chart->title() != text) d_->chart->setTitle(text);
}

void GraphChart::SetHeaderFontSize(int points) {
  QFont font = d_->chart->titleFont();
  if (font.pointSize() == std::max(1, points)) return;
  font.setPointSize(std::max(1, points));
  d_->chart->setTitleFont(font);
}

QString GraphChart::AxisTitle(Axis axis) const { return d_->AxisOf(axis)->titleText(); }

void GraphChart::SetAxisTitle(Axis axis, const QString& title) {
  if (d_->AxisOf(axis)->titleText() != title) d_->AxisOf(axis)->setTitleText(title);
}

void GraphChart::SetAxisFontSize(Axis axis, int points) {
  QFont font = d_->AxisOf(axis)->titleFont();
  if (font.pointSize() == std::max(1, points)) return;
  font.setPointSize(std::max(1, points));
  d_->AxisOf(axis)->setTitleFont(font);
}

void GraphChart::SetAxisLineWidth(Axis axis, int width) {
  QPen pen = d_->AxisOf(axis)->linePen();
  pen.setColor(Qt::black);
  pen.setWidth(std::max(0, width));
  if (pen != d_->AxisOf(axis)->linePen()) d_->AxisOf(axis)->setLinePen(pen);
}

bool GraphChart::Grid(Axis axis) const { return d_->AxisOf(axis)->isGridLineVisible(); }

void GraphChart::SetGrid(Axis axis, bool shown) {
  if (d_->AxisOf(axis)->isGridLineVisible() != shown) d_->AxisOf(axis)->setGridLineVisible(shown);
}

bool GraphChart::InPlotArea(QPoint pixel) const {
  d_->Settle(this);
  return d_->chart->plotArea().contains(d_->ChartPos(this, pixel));
}

QPointF GraphChart::ValueAt(QPoint pixel) const {
  d_->Settle(this);
  const QRectF plot = d_->chart->plotArea();
  const QPointF pos = d_->ChartPos(this, pixel);
  if (plot.width() <= 0 || plot.height() <= 0) return QPointF();
  const double fx = (pos.x() - plot.left()) / plot.width();
  const double fy = (plot.bottom() - pos.y()) / plot.height();
  return QPointF(d_->axisX->min() + fx * (d_->axisX->max() - d_->axisX->min()),
                 d_->axisY->min() + fy * (d_->axisY->max() - d_->axisY->min()));
}

QPointF GraphChart::PixelOf(int curve, int point) const {
  d_->Settle(this);
  return d_->WidgetPos(this, d_->ChartPosOfValue(Point(curve, point)));
}

GraphChart::Nearest GraphChart::NearestPoint(QPoint pixel) const {
  d_->Settle(this);
  Nearest best;
  double bestDistance = std::numeric_limits<double>::infinity();
  const QPointF target = d_->ChartPos(this, pixel);
  for (int s = 1; s <= d_->curveCount; ++s) {
    const CurveState& c = d_->curves[static_cast<std::size_t>(s - 1)];
    for (std::size_t p = 0; p < c.points.size(); ++p) {
      if (!IsFinite(c.points[p])) continue;
      const QPointF at = d_->ChartPosOfValue(c.points[p]);
      const double distance = std::hypot(at.x() - target.x(), at.y() - target.y());
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
  d_->Settle(this);
  return d_->view->grab().toImage();
}

void GraphChart::Render(QPainter& painter, const QRectF& target) const {
  d_->Settle(this);
  const QRectF source = d_->chart->mapRectToScene(d_->chart->rect());
  if (source.isEmpty() || target.isEmpty()) return;
  // The largest rectangle of the chart's proportions at the target's corner.
  const double scale = std::min(target.width() / source.width(), target.height() / source.height());
  const QRectF fitted(target.topLeft(), source.size() * scale);
  d_->view->scene()->render(&painter, fitted, source, Qt::KeepAspectRatio);
}

void GraphChart::mouseMoveEvent(QMouseEvent* event) {
  emit PointerMoved(event->buttons(), event->modifiers(), event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

}  // namespace brantel
