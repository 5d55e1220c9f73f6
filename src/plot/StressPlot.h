#pragma once

#include <QColor>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <vector>

class QLabel;
class QScrollBar;

namespace brantel {

// One thing drawn on the plot surface, in twips of the picture (origin top
// left, y downwards). What is drawn stays until the surface is cleared. A
// curve is one polyline, and a grid or a row of ticks one set of lines in
// one pen, however many pieces they have: the surface paints each thing
// with the pen it was given once, when it was drawn.
struct PlotItem {
  enum class Type {
    Line,      // from a to b
    Polyline,  // the points joined in turn
    Lines,     // separate lines, from each even point to the next
    Arc,
    Dot,
  };
  Type type = Type::Line;
  QPointF a, b;  // line ends; arc centre and dot position in a
  std::vector<QPointF> points;
  // The points of a polyline that the painter joins: those a picture can
  // tell apart from the line between their neighbours.
  std::vector<QPointF> painted;
  double radius = 0;      // arc radius, twips
  double startAngle = 0;  // arc angles in radians, counter-clockwise on screen
  double endAngle = 0;
  QColor colour;
  int width = 1;  // pen width in pixels
  Qt::PenStyle style = Qt::SolidLine;
  // Made when the item is drawn: the pen, and whether its edges are smoothed
  // (curves and slanted lines; lines along the axes stay sharp). A polyline
  // is all one or the other: a curve that has both is drawn as several.
  QPen pen;
  bool smooth = false;

  // The straight pieces of a line, a polyline or a set of lines.
  std::vector<QLineF> Segments() const;
};

// The world window along one axis of the plot: its two ends and its span,
// in stress units.
struct AxisWindow {
  float Min = 0;
  float Max = 0;
  float Span = 0;
};

// What the plot shows, in one place: the picture (twips, origin top left,
// always the widget's own size), the world window along each axis, and
// whether a window is set at all. Without one (no state yet, s1 = s2 = 0, or
// a state that could not be computed) nothing is drawn but the axis lines.
// With one, the world origin sits at the axes' crossing and a stress unit
// is Picture.width() / X.Span twips along the horizontal axis, wherever the
// crossing was dragged.
struct PlotViewport {
  QRectF Picture;
  AxisWindow X;
  AxisWindow Y;
  bool HasRange = false;
};

// The value captions a plot may show. Each plot adds those it has, under
// the names of its design.
enum class PlotCaption {
  Origin,  // "0" at the axes' crossing
  S2,      // the values of s2, C and s1 under the horizontal axis
  Centre,
  S1,
  TauMax,         // tmax beside the vertical axis (Mohr's circle)
  Strength,       // the strength beside the vertical axis (the failure plots)
  JointCohesion,  // the discontinuity's cohesion beside it
};
inline constexpr std::size_t kPlotCaptionCount = 7;

// The interactive stress plot: normal stress along the horizontal axis,
// shear stress up the vertical one. The user drags the axes' crossing (the
// world origin) with the mouse, zooms with a scroll bar and reads the world
// coordinates under the pointer. A member plot (Mohr's circle below, the
// failure plots) replaces SetPlotRange, DrawAxisTicks, DrawCurves,
// PlaceAxisLabels or WorldAt with its own range rule, marks and curves.
class StressPlot : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTwipsPerCm = 567;

  explicit StressPlot(QWidget* parent = nullptr);

  // --- The state the member supplies.
  void SetPrincipal(float s1, float s2, float tmax);
  // The plot draws only while its switch is on (the member's check box).
  void SetPlotShown(bool shown) { plotShown_ = shown; }
  bool PlotShown() const { return plotShown_; }
  // The zoom bar (values 1..20, 10 at open) and the two read-out labels.
  void AttachZoomBar(QScrollBar* bar);
  void AttachReadouts(QLabel* coordinates, QLabel* internalCoordinates);

  // --- The plot procedures. Public entry points catch every run-time
  // error of the arithmetic, log it to the history and leave the plot as
  // far as it got.
  void Redraw(bool useDefault);
  // Draws nothing until the next Redraw: the member's state could not be
  // computed, and the last one must not stand for it. A Redraw that fails
  // blanks the plot the same way.
  void Blank();
  void SetPlotRangeSafely(bool useDefault);
  // The default: s2 - f R .. s1 + f R across, widened to 1.2 s1 + f R when
  // that is larger (f = 1 for the default range, else the zoom factor),
  // and -R .. 2R up.
  virtual void SetPlotRange(bool useDefault);
  void MoveAxes(float x, float y);
  // The default: the square grid at the step AxisStep(s1, s2, 0).
  virtual void DrawAxisTicks();
  virtual void DrawCurves() {}
  virtual void PlaceAxisLabels() {}

  // --- Drawing on the surface, in twips. Points that are not finite
  // numbers are left out, with the pieces that meet them.
  void ClearDrawing();
  void DrawLine(QPointF from, QPointF to, const QColor& colour, int width = 1, Qt::PenStyle style = Qt::SolidLine);
  void DrawPolyline(std::vector<QPointF> points, const QColor& colour, int width = 1);
  // Separate lines in one pen: each even point to the next.
  void DrawLines(std::vector<QPointF> ends, const QColor& colour, int width = 1);
  void DrawArc(QPointF centre, double radius, double start, double end, const QColor& colour, int width = 1);
  void DrawDot(QPointF at, const QColor& colour, int width);
  const std::vector<PlotItem>& Items() const { return items_; }

  // --- The axis lines (controls, not drawings) and the picture's scale.
  QLineF XAxis() const { return xaxis_; }
  QLineF YAxis() const { return yaxis_; }
  void SetAxes(const QLineF& xaxis, const QLineF& yaxis);
  float ScaleWidth() const;
  float ScaleHeight() const;

  // --- The viewport, and the mapping from world to picture it gives.
  PlotViewport Viewport() const;
  bool HasRange() const { return hasRange_; }
  // Twips per stress unit along the horizontal axis (0 without a range).
  double HorizontalScale() const;
  // The picture column of a world x. Raises Overflow (6) when it lies
  // beyond the 32-bit range.
  float ColumnOf(double x) const;

  // --- The value captions: those the plot has (the others are null).
  QLabel* Caption(PlotCaption caption) const;
  void PlaceCaption(PlotCaption caption, float left, float top);

  // --- Plot state, read by the member and by tests.
  float S1() const { return s1_; }
  float S2() const { return s2_; }
  float TauMax() const { return tmax_; }
  float Radius() const { return radius_; }
  float Centre() const { return centre_; }
  float XMin() const { return x_.Min; }
  float XMax() const { return x_.Max; }
  float XRange() const { return x_.Span; }
  float YMin() const { return y_.Min; }
  float YMax() const { return y_.Max; }
  float YRange() const { return y_.Span; }
  float CircleX() const { return circleX_; }
  float CircleY() const { return circleY_; }
  float CircleRadius() const { return circleRadius_; }
  bool Dragging() const { return dragging_; }
  // Stress units per centimetre of the picture.
  double ReadoutScale() const;
  // The zoom factor: the bar's value / 10 (1 without a bar).
  float ZoomFactor() const;

  // The world point under a picture position (twips); the read-out.
  virtual QPointF WorldAt(float x, float y) const;
  QString CoordinatesText(float x, float y) const;
  // A member may add to the internal read-out.
  virtual QString InternalCoordinatesText(float x, float y) const;

  // The pointer pressed, moved and released at a place in twips (the
  // widget's mouse events call these): a press drags the axes' crossing.
  void OnPointerPressed(float x, float y);
  void OnPointerMoved(float x, float y);
  void OnPointerReleased(float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // The circle of the principal stresses: its radius R and centre C, the
  // first step of every range rule.
  void SetCircle();
  // The world window of a range rule (a range is set when the horizontal
  // span is not 0), and no window at all. With the placing at the axes'
  // crossing in Redraw and MoveAxes, the only writers of the window.
  void SetWindow(const AxisWindow& x, const AxisWindow& y);
  void ClearWindow();

  // The square grid of the plot: lines across the whole picture at every
  // multiple of the step (in stress units) either side of the axes'
  // crossing, spaced with the horizontal scale on both axes. Nothing
  // without a range.
  void DrawGrid(float step);

  QLabel* AddCaption(PlotCaption caption, const QString& designName, const QColor& colour = Qt::black);
  void SetCaptionText(PlotCaption caption, const QString& text);
  void SetCaptionsVisible(bool visible);
  void SetCaptionsVisible(std::initializer_list<PlotCaption> captions, bool visible);
  void BlankCaptions();

  float s1_ = 0, s2_ = 0, tmax_ = 0;
  float radius_ = 0, centre_ = 0;  // of the principal stresses' circle, stress units
  // The circle as drawn: its centre's column and row and its radius, twips.
  float circleX_ = 0, circleY_ = 0, circleRadius_ = 0;
  bool dragging_ = false;
  bool plotShown_ = false;
  QColor gridColour_ = QColor(160, 160, 160);
  QLineF xaxis_;
  QLineF yaxis_;
  QPointer<QScrollBar> zoomBar_;
  QPointer<QLabel> coordinatesLabel_;
  QPointer<QLabel> internalCoordinatesLabel_;

 private:
  // The window split around the axes' crossing: the spans stay, the
  // crossing is the world origin.
  void PlaceWindowAtCrossing();
  void AddItem(PlotItem item);

  AxisWindow x_;
  AxisWindow y_;
  bool hasRange_ = false;
  std::array<QLabel*, kPlotCaptionCount> captions_{};
  std::vector<PlotItem> items_;
};

// Mohr's circle of a plane stress state, with the radius to the point of a
// plane: the member plot of the two-dimensional stress tool.
class MohrCirclePlot : public StressPlot {
  Q_OBJECT

 public:
  explicit MohrCirclePlot(QWidget* parent = nullptr);
  // The plane's angle from s1, in degrees, as its box reads.
  void SetPlaneAngle(double degrees) { planeAngle_ = degrees; }

  void DrawAxisTicks() override;
  void DrawCurves() override;
  void PlaceAxisLabels() override;

 private:
  double planeAngle_ = 0;
};

}  // namespace brantel
