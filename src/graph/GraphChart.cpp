#include "graph/GraphChart.h"

#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QValueAxis>
#include <QGraphicsLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace brantel {
namespace {

// More curves than this are never kept, whatever number a caller passes.
constexpr int kMostCurves = 64;
constexpr int kMostPoints = 100000;

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

bool IsFinite(const QPointF& p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// The symbol: a diamond in the curve's colour, drawn finer than it shows so
// that it stays smooth when scaled down.
QImage DiamondImage(int size, const QColor& colour) {
  const int side = std::max(4, size * 4);
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

// An axis range around the values, never empty.
void RangeOf(const std::vector<double>& values, double& low, double& high) {
  if (values.empty()) {
    low = 0;
    high = 1;
    return;
  }
  const auto [mn, mx] = std::minmax_element(values.begin(), values.end());
  low = *mn;
  high = *mx;
  if (!(high > low)) {
    const double pad = std::max(1.0, std::abs(low) * 0.1);
    low -= pad;
    high += pad;
  }
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

  // Sizes and lays the chart out now, also while the window is hidden, so
  // that the plot area, pictures and prints match the widget's size.
  void Settle(const QWidget* owner) const {
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

  void Sync() {
    chart->removeAllSeries();
    std::vector<double> xs, ys;
    bool anyLabel = false;
    for (int i = 0; i < curveCount; ++i) {
      const CurveState& c = curves[static_cast<std::size_t>(i)];
      auto* series = new QLineSeries;
      QList<QPointF> drawn;
      drawn.reserve(static_cast<qsizetype>(c.points.size()));
      for (const QPointF& p : c.points) {
        if (!IsFinite(p)) continue;
        drawn.append(p);
        xs.push_back(p.x());
        ys.push_back(p.y());
      }
      series->replace(drawn);
      QPen pen(c.lineColour);
      pen.setWidth(c.lineWidth);
      if (!c.lineShown) pen.setStyle(Qt::NoPen);
      series->setPen(pen);
      if (c.symbolShown && c.symbolSize > 0) {
        series->setLightMarker(DiamondImage(c.symbolSize, c.symbolColour));
        series->setMarkerSize(c.symbolSize);
      }
      series->setName(c.label);
      chart->addSeries(series);
      series->attachAxis(axisX);
      series->attachAxis(axisY);
      const QColor legendColour = c.lineShown ? c.lineColour : c.symbolColour;
      for (QLegendMarker* marker : chart->legend()->markers(series)) {
        marker->setVisible(!c.label.isEmpty());
        marker->setPen(QPen(legendColour));
        marker->setBrush(legendColour);
      }
      if (!c.label.isEmpty()) anyLabel = true;
    }
    chart->legend()->setVisible(anyLabel);
    double low = 0, high = 1;
    RangeOf(xs, low, high);
    axisX->setRange(low, high);
    axisX->applyNiceNumbers();
    RangeOf(ys, low, high);
    axisY->setRange(low, high);
    axisY->applyNiceNumbers();
  }
};

GraphChart::GraphChart(QWidget* parent) : QWidget(parent), d_(std::make_unique<Impl>()) {
  d_->chart = new QChart;
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
  }
  d_->chart->addAxis(d_->axisX, Qt::AlignBottom);
  d_->chart->addAxis(d_->axisY, Qt::AlignLeft);
  d_->axisX->setRange(0, 1);
  d_->axisY->setRange(0, 1);

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

void GraphChart::Changed() {
  if (d_->repainting) d_->Sync();
}

void GraphChart::SetRepainting(bool on) {
  d_->repainting = on;
  d_->view->setUpdatesEnabled(on);
  if (on) d_->Sync();
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

bool GraphChart::LegendShown() const { return d_->chart->legend()->isVisible(); }

void GraphChart::SetMargin(int pixels) {
  const int m = std::max(0, pixels);
  d_->chart->layout()->setContentsMargins(m, m, m, m);
  d_->chart->setMargins(QMargins(m, m, m, m));
}

QString GraphChart::Header() const { return d_->chart->title(); }

void GraphChart::SetHeader(const QString& text) { d_->chart->setTitle(text); }

void GraphChart::SetHeaderFontSize(int points) {
  QFont font = d_->chart->titleFont();
  font.setPointSize(std::max(1, points));
  d_->chart->setTitleFont(font);
}

QString GraphChart::AxisTitle(Axis axis) const { return d_->AxisOf(axis)->titleText(); }

void GraphChart::SetAxisTitle(Axis axis, const QString& title) {
  d_->AxisOf(axis)->setTitleText(title);
}

void GraphChart::SetAxisFontSize(Axis axis, int points) {
  QFont font = d_->AxisOf(axis)->titleFont();
  font.setPointSize(std::max(1, points));
  d_->AxisOf(axis)->setTitleFont(font);
}

void GraphChart::SetAxisLineWidth(Axis axis, int width) {
  QPen pen = d_->AxisOf(axis)->linePen();
  pen.setColor(Qt::black);
  pen.setWidth(std::max(0, width));
  d_->AxisOf(axis)->setLinePen(pen);
}

bool GraphChart::Grid(Axis axis) const { return d_->AxisOf(axis)->isGridLineVisible(); }

void GraphChart::SetGrid(Axis axis, bool shown) { d_->AxisOf(axis)->setGridLineVisible(shown); }

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
