#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <memory>

class QPainter;

namespace brantel {

// The X-Y chart of the graph window: numbered curves (1..CurveCount) of
// numbered points (1..PointCount), each curve with its symbol and line
// style and its legend label, a header, two axis titles and their grids.
// The chart keeps what it is given and draws it; every change redraws at
// once unless repainting is suspended. The chart library stays behind this
// class.
class GraphChart : public QWidget {
  Q_OBJECT

 public:
  enum class Axis { X, Y };

  // A curve point near a pixel: curve and point numbers (-1 when none) and
  // the distance in pixels.
  struct Nearest {
    int curve = -1;
    int point = -1;
    int distance = 0;
  };

  explicit GraphChart(QWidget* parent = nullptr);
  ~GraphChart() override;

  // Suspends redrawing while many values change; resuming redraws.
  void SetRepainting(bool on);

  // Curves and their points. Styles of a curve stay when the number of
  // curves goes down and up again; the points of dropped curves go.
  int CurveCount() const;
  void SetCurveCount(int count);
  int PointCount(int curve) const;
  void SetPointCount(int curve, int count);
  void SetPoint(int curve, int point, double x, double y);
  QPointF Point(int curve, int point) const;

  // Curve styles. A symbol size is in pixels.
  int SymbolSize(int curve) const;
  void SetSymbolSize(int curve, int size);
  QColor SymbolColour(int curve) const;
  void SetSymbolColour(int curve, const QColor& colour);
  bool SymbolShown(int curve) const;
  void SetSymbolShown(int curve, bool shown);
  bool LineShown(int curve) const;
  void SetLineShown(int curve, bool shown);
  QColor LineColour(int curve) const;
  void SetLineColour(int curve, const QColor& colour);
  int LineWidth(int curve) const;
  void SetLineWidth(int curve, int width);

  // Legend labels; the legend shows while any curve has one.
  QString SeriesLabel(int curve) const;
  void SetSeriesLabel(int curve, const QString& label);
  void ClearSeriesLabels();
  int SeriesLabelCount() const;
  bool LegendShown() const;

  // The space between the widget's edges and the chart inside, in pixels;
  // a small chart gives it to its plot area.
  void SetMargin(int pixels);

  QString Header() const;
  void SetHeader(const QString& text);
  void SetHeaderFontSize(int points);
  QString AxisTitle(Axis axis) const;
  void SetAxisTitle(Axis axis, const QString& title);
  void SetAxisFontSize(Axis axis, int points);
  void SetAxisLineWidth(Axis axis, int width);
  // The major grid of an axis at its automatic spacing: the Y axis's grid
  // lines are horizontal, the X axis's vertical.
  bool Grid(Axis axis) const;
  void SetGrid(Axis axis, bool shown);

  // Pixel positions are those of this widget.
  bool InPlotArea(QPoint pixel) const;
  QPointF ValueAt(QPoint pixel) const;
  QPointF PixelOf(int curve, int point) const;
  // The drawn point nearest to a pixel (points without a finite value are
  // never found).
  Nearest NearestPoint(QPoint pixel) const;

  // The pointer over the chart.
  void SetPointer(Qt::CursorShape shape);
  void ResetPointer();
  Qt::CursorShape Pointer() const;

  // The chart as a picture at its size on the screen, and drawn into a
  // rectangle of a painter (a printer page), keeping its proportions.
  QImage Picture() const;
  void Render(QPainter& painter, const QRectF& target) const;

 signals:
  // The pointer moved over the chart (also while a button is down).
  void PointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pixel);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Impl;
  void Changed();
  std::unique_ptr<Impl> d_;
};

}  // namespace brantel
