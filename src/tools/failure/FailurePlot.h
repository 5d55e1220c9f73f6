#pragma once

#include "core/RuntimeError.h"
#include "plot/StressPlot.h"
#include "tools/failure/FailureCommon.h"

#include <QColor>

#include <optional>

#include <vector>

namespace brantel {

// The interactive stress plot as the failure-criteria tools use it: the
// plot of plot/StressPlot.h (dragged axes, zoom bar, read-out) with the
// range rule, axis marks and captions of the failure tools. A tool derives
// from it, feeds it its state and draws its envelope in world units.
//
// The shared API, for a tool's plot class:
//   - Setters, usually in the constructor: SetVerticalRange (how the range
//     of the vertical axis follows the principal stresses), SetAxisMarks
//     (a grid across the picture, or short ticks on the axis lines),
//     SetEqualScales (one scale on both axes, so that a circle stays round
//     and an envelope touches it where the state fails), SetStepRounded
//     (the grid step's zoom multiple rounded rather than cut).
//   - The state, before every Redraw: SetPrincipal (s1, s2, tmax) and
//     SetStrength (the value of the strength caption and the height of the
//     strength marker).
//   - Hooks a tool overrides: SetCaptions (the texts of its own value
//     captions; the origin, the strength and s2, C and s1 are set already),
//     DrawCriterion (its curves and points; the captions are shown when it
//     starts), and PlaceCaptions (where its own captions go; the origin and
//     the strength are placed already).
//   - Inside DrawCriterion: Step(...) runs one drawing step under the
//     family's error rule (an overflow hides the captions and the drawing
//     goes on; any other run-time error ends it); DrawStrengthMarker,
//     DrawWorldDot, DrawWorldLine, DrawWorldPolyline, DrawEnvelope and
//     DrawHalfCircle (DrawStressCircle for the state's own circle, placed
//     for PlaceCircleCaptions) draw in world units; ColumnOf, RowOf and
//     HorizontalScale map world values to the picture (twips).
//   - Captions (PlotCaption): the origin ("0", Label(0)) and the strength
//     (teal, Label19) exist; a tool adds the values under the axis (S2,
//     Centre, S1) or others of its own with AddCaption; SetCaptionsVisible
//     hides some.
//   - The dialog: SetPlotShown with its graph switch, AttachZoomBar and
//     AttachReadouts as for every stress plot (or ConnectFailurePlot of
//     FailureDialogs.h), Redraw(true) on a reset, Redraw(false) after
//     an edit, SetPlotRangeSafely(true) alone when the switch turns on while
//     s1 and s2 are both 0, Blank when the state cannot be computed.
class FailurePlot : public StressPlot {
  Q_OBJECT

 public:
  // The drawing colours of the failure plots.
  static constexpr QRgb kTeal = qRgb(0, 128, 128);     // envelope, strength marker and caption
  static constexpr QRgb kBlue = qRgb(0, 0, 255);       // the stress state
  static constexpr QRgb kRed = qRgb(255, 0, 0);        // the effective state of the principal plots
  static constexpr QRgb kDarkGreen = qRgb(0, 128, 0);  // the effective state of the Coulomb plots

  // The vertical world range against the horizontal one, which is always
  // s2 - f R .. s1 + f R with the 1.2 rule (StressPlotRange).
  enum class VerticalRange {
    LikeHorizontal,  // the same range (Coulomb, Bieniawski, Von Mises)
    Plain,           // s2 - R .. s1 + R, no zoom and no 1.2 rule (Hoek-Brown)
    Shear,           // -R .. 2R, the shear axis of a Mohr plot (discontinuity)
  };
  // Lines across the whole picture at every multiple of the step, or short
  // ticks on the two axis lines.
  enum class AxisMarks { Grid, Ticks };

  explicit FailurePlot(QWidget* parent = nullptr);

  void SetVerticalRange(VerticalRange range) { vertical_ = range; }
  void SetAxisMarks(AxisMarks marks) { marks_ = marks; }
  void SetEqualScales(bool equal) { equalScales_ = equal; }
  void SetStepRounded(bool rounded) { stepRounded_ = rounded; }

  void SetStrength(float value) { strength_ = value; }

  // --- The mapping (with HorizontalScale and ColumnOf of the stress plot).
  // Twips per stress unit up the vertical axis (0 while there is no range).
  double VerticalScale() const;
  // The picture row of a world y. Raises Overflow (6) when it lies beyond
  // the 32-bit range.
  float RowOf(double y) const;
  QPointF PictureOf(PlotPoint p) const { return Mapping()(p); }
  // The same placing of world points in the picture, worked out once for
  // the many points of a curve.
  struct WorldToPicture {
    double X0 = 0, Y0 = 0;  // the axes' crossing
    double Kx = 0, Ky = 0;  // twips per stress unit across and up
    QPointF operator()(PlotPoint p) const;
  };
  WorldToPicture Mapping() const;
  // The row of the strength marker of the last drawing.
  float MarkerRow() const { return markerRow_; }

  void SetPlotRange(bool useDefault) override;
  void DrawAxisTicks() override;
  void DrawCurves() override;
  void PlaceAxisLabels() override;
  QPointF WorldAt(float x, float y) const override;

 protected:
  virtual void SetCaptions() {}
  virtual void DrawCriterion() {}
  virtual void PlaceCaptions() {}

  // Runs one drawing step; false when the drawing must end.
  template <typename F>
  bool Step(F&& step) {
    try {
      step();
      return true;
    } catch (const RuntimeError& e) {
      return DrawingFailed(e);
    }
  }

  // A teal dot of width 5 on the vertical axis, 10 twips above the height of
  // the strength; that height is the row of the strength caption.
  void DrawStrengthMarker();
  // A dot of width 5, `lift` twips above the point.
  void DrawWorldDot(PlotPoint p, const QColor& colour, float lift = 0);
  void DrawWorldLine(PlotPoint from, PlotPoint to, const QColor& colour, int width = 2);
  void DrawWorldPolyline(const std::vector<PlotPoint>& points, const QColor& colour, int width = 2);
  // An envelope of FailureCommon.h as a teal polyline of width 2, as one
  // drawing step; a curve that stopped where it left the 32-bit range hides
  // the captions, as any overflow while drawing does. False when the
  // drawing must end.
  bool DrawEnvelope(const Envelope& envelope);
  // The upper half of the circle of centre (centre, 0) and radius r, in the
  // horizontal scale.
  void DrawHalfCircle(float centre, float radius, const QColor& colour);
  // The Mohr circle of the state, a blue half-circle, its place and size
  // kept (CircleX, CircleY, CircleRadius) for the captions under the axis.
  void DrawStressCircle(float centre, float radius);
  // The captions of s2, C and s1 under the axis, below the circle's left
  // end, centre and right end.
  void PlaceCircleCaptions();
  void SetCaptionColour(PlotCaption caption, const QColor& colour);

 private:
  // The family's error rule: an overflow hides the captions (true: go on),
  // any other error ends the drawing (false).
  bool DrawingFailed(const RuntimeError& e);
  void DrawTicks(float step);

  VerticalRange vertical_ = VerticalRange::LikeHorizontal;
  AxisMarks marks_ = AxisMarks::Ticks;
  bool equalScales_ = false;
  bool stepRounded_ = false;
  float strength_ = 0;
  float markerRow_ = 0;
};

// The plot of a criterion in the principal-stress plane, s2 across and s1
// up (the Hoek-Brown, Bieniawski and Von Mises tools): the strength marker,
// the envelope, the stress point (s2, s1) in blue and, with a pore
// pressure, the effective point in red; short ticks on the axes and only
// the origin and strength captions. The tool chooses the vertical range.
class PrincipalCriterionPlot : public FailurePlot {
  Q_OBJECT

 public:
  explicit PrincipalCriterionPlot(QWidget* parent = nullptr);

  // The state drawn: the principal stresses, the strength (marker and
  // its caption), the envelope in world points and the effective point, if any.
  void SetCriterion(const Principal2D& principal, float strength, Envelope envelope,
                    std::optional<PlotPoint> effective);
  // Draws the state again (reset: the ranges at zoom factor 1). A state of
  // s1 = s2 = 0 has no range: the plot is blank.
  void Show(bool reset);
  // There is no state to show (it could not be computed): blank, also when
  // the zoom bar moves, until the next SetCriterion.
  void Forget();

 protected:
  void DrawCriterion() override;

 private:
  Envelope envelope_;
  std::optional<PlotPoint> effective_;
};

}  // namespace brantel
