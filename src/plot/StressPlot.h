#pragma once

#include <QColor>
#include <QHash>
#include <QLineF>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

class QLabel;
class QScrollBar;

namespace brantel {

// One thing drawn on the plot surface, in twips of the picture (origin top
// left, y downwards). What is drawn stays until the surface is cleared.
struct PlotItem {
  enum class Type { Line, Arc, Dot };
  Type type = Type::Line;
  QPointF a, b;             // line ends; arc centre and dot position in a
  double radius = 0;        // arc radius, twips
  double startAngle = 0;    // arc angles in radians, counter-clockwise on screen
  double endAngle = 0;
  QColor colour;
  int width = 1;            // pen width in pixels
  Qt::PenStyle style = Qt::SolidLine;
};

// The interactive stress plot: normal stress along the horizontal axis,
// shear stress up the vertical one. The user drags the axes' crossing (the
// world origin) with the mouse, zooms with a scroll bar and reads the world
// coordinates under the pointer. The default behaviour draws Mohr's circle
// of a plane stress state; a dialog with other curves or another range rule
// derives from it and replaces SetPlotRange, DrawAxisTicks, DrawCurves,
// PlaceAxisLabels, MoveAxes or WorldAt.
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
  virtual void SetPlotRange(bool useDefault);
  virtual void MoveAxes(float x, float y);
  virtual void DrawAxisTicks();
  virtual void DrawCurves();
  virtual void PlaceAxisLabels();

  // --- Drawing on the surface, in twips.
  void Cls();
  void DrawLine(QPointF from, QPointF to, const QColor& colour, int width = 1,
                Qt::PenStyle style = Qt::SolidLine);
  void DrawArc(QPointF centre, double radius, double start, double end, const QColor& colour,
               int width = 1);
  void DrawDot(QPointF at, const QColor& colour, int width);
  const std::vector<PlotItem>& Items() const { return items_; }

  // --- The axis lines (controls, not drawings) and the picture's scale.
  QLineF XAxis() const { return xaxis_; }
  QLineF YAxis() const { return yaxis_; }
  void SetAxes(const QLineF& xaxis, const QLineF& yaxis);
  float ScaleWidth() const;
  float ScaleHeight() const;

  // --- Value labels on the plot, by name ("Label(0)", "Label14", ...).
  QLabel* AddValueLabel(const QString& name, const QColor& colour = Qt::black);
  QLabel* ValueLabel(const QString& name) const;
  void PlaceValueLabel(const QString& name, float left, float top);

  // --- Plot state, read by the member and by tests.
  float S1() const { return s1_; }
  float S2() const { return s2_; }
  float TauMax() const { return tmax_; }
  float Radius() const { return r_; }
  float Centre() const { return c_; }
  float XMin() const { return xmin_; }
  float XMax() const { return xmax_; }
  float XRange() const { return xrange_; }
  float YMin() const { return ymin_; }
  float YMax() const { return ymax_; }
  float YRange() const { return yrange_; }
  float CircleX() const { return cx_; }
  float CircleY() const { return cy_; }
  float CircleRadius() const { return rtw_; }
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

  // Mouse handling in twips (the widget's mouse events call these).
  void MouseDown(float x, float y);
  void MouseMove(float x, float y);
  void MouseUp(float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;


  // The first step of SetPlotRange: the circle of the principal stresses
  // (its radius and centre), and for the default range the whole picture
  // as the extents.
  void SetCircleAndExtents(bool useDefault);

  // The square grid of the plot: lines across the whole picture at every
  // multiple of the step (in stress units) either side of the axes'
  // crossing, spaced with the horizontal scale on both axes. Nothing while
  // xmin or xmax is 0.
  void DrawGrid(float step);

  // The five value labels of the Mohr plot.
  void SetValueLabelsVisible(bool visible);
  void BlankValueLabels();

  float s1_ = 0, s2_ = 0, tmax_ = 0;
  float r_ = 0, c_ = 0;
  float left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;  // picture extents, twips
  float xmin_ = 0, xmax_ = 0, xrange_ = 0;
  float ymin_ = 0, ymax_ = 0, yrange_ = 0;
  float cx_ = 0, cy_ = 0, rtw_ = 0;
  bool dragging_ = false;
  bool plotShown_ = false;
  QColor drawColour_ = QColor(160, 160, 160);  // the grid
  QLineF xaxis_;
  QLineF yaxis_;
  QPointer<QScrollBar> zoomBar_;
  QPointer<QLabel> coordLabel_;
  QPointer<QLabel> intCoordLabel_;
  QHash<QString, QLabel*> labels_;
  QStringList mohrLabels_;

 private:
  void AddItem(const PlotItem& item);
  std::vector<PlotItem> items_;
};

// Mohr's circle of a plane stress state, with the radius to the point of a
// plane: the member plot of the two-dimensional stress tool.
class MohrCirclePlot : public StressPlot {
  Q_OBJECT

 public:
  explicit MohrCirclePlot(QWidget* parent = nullptr);
  // The plane's angle from s1, in degrees, as its box reads (Val of the text).
  void SetPlaneAngle(double degrees) { planeAngle_ = degrees; }

  void DrawCurves() override;

 private:
  double planeAngle_ = 0;
};

}  // namespace brantel
