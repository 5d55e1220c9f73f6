#include "tools/failure/FailurePlot.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/ErrorReporting.h"
#include "core/NumberFormat.h"
#include "forms/FormBuilder.h"

#include <QLabel>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

constexpr double kHalfTurn = 3.14159274;  // the arc's end angle, pi as a 32-bit value
constexpr float kTickHalfLength = 45;     // twips either side of the axis line

}  // namespace

FailurePlot::FailurePlot(QWidget* parent) : StressPlot(parent) {
  // The family's captions: the origin and the strength beside the vertical
  // axis; a tool adds its own.
  AddCaption(PlotCaption::Origin, QStringLiteral("Label(0)"));
  AddCaption(PlotCaption::Strength, QStringLiteral("Label19"), QColor(kTeal));
  setAccessibleName(QStringLiteral("Failure criterion plot"));
}

void FailurePlot::SetCaptionColour(PlotCaption caption, const QColor& colour) {
  QLabel* label = Caption(caption);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

double FailurePlot::VerticalScale() const {
  if (equalScales_) return HorizontalScale();
  const PlotViewport v = Viewport();
  if (!v.HasRange || v.Y.Span == 0) return 0;
  return v.Picture.height() / static_cast<double>(v.Y.Span);
}

float FailurePlot::RowOf(double y) const {
  const float y0 = static_cast<float>(xaxis_.y1());
  return CheckedFloat(y0 - CheckedFloat(y) * VerticalScale());
}

FailurePlot::WorldToPicture FailurePlot::Mapping() const {
  return {yaxis_.x1(), static_cast<float>(xaxis_.y1()), HorizontalScale(), VerticalScale()};
}

QPointF FailurePlot::WorldToPicture::operator()(PlotPoint p) const {
  // As ColumnOf and RowOf place them.
  return {CheckedFloat(X0 + static_cast<double>(CheckedFloat(p.X)) * Kx), CheckedFloat(Y0 - CheckedFloat(p.Y) * Ky)};
}

void FailurePlot::SetPlotRange(bool useDefault) {
  SetCircle();
  const AxisRange x = StressPlotRange(s1_, s2_, useDefault ? 1.0f : ZoomFactor());
  AxisRange y = x;
  if (vertical_ == VerticalRange::Plain) {
    y = PlainAxisRange(s1_, s2_);
  } else if (vertical_ == VerticalRange::Shear) {
    y = {-radius_, CheckedFloat(2.0 * radius_), CheckedFloat(3.0 * radius_)};
  }
  SetWindow({x.Min, x.Max, x.Span}, {y.Min, y.Max, y.Span});
}

void FailurePlot::DrawAxisTicks() {
  SetCaptionText(PlotCaption::Origin, QStringLiteral("0"));
  SetCaptionText(PlotCaption::Strength, Format(strength_, kStrengthCaptionMask));
  SetCaptionText(PlotCaption::S2, Format(s2_, kStrengthCaptionMask));
  SetCaptionText(PlotCaption::Centre, Format(centre_, kStrengthCaptionMask));
  SetCaptionText(PlotCaption::S1, Format(s1_, kStrengthCaptionMask));
  SetCaptions();
  if (!HasRange()) return;

  float step = 1;
  try {
    const double multiple = static_cast<double>(ZoomFactor());
    // A whole multiple of the step, 1 at least (AxisStep turns 0 into 1).
    step = AxisStep(s1_, s2_, static_cast<int>(stepRounded_ ? std::nearbyint(multiple) : std::floor(multiple)));
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    return;
  }
  if (marks_ == AxisMarks::Grid) DrawGrid(step);
  else DrawTicks(step);
}

void FailurePlot::DrawTicks(float step) {
  if (!HasRange() || !(step > 0)) return;
  const float x0 = static_cast<float>(yaxis_.x1());
  const float y0 = static_cast<float>(xaxis_.y1());
  const double kx = HorizontalScale();
  const double ky = VerticalScale();
  const QColor black(Qt::black);
  // Ticks closer than two pixels would only blacken the axis: keep every
  // tenth (then hundredth...) multiple until they stand apart; only ticks
  // that fall inside the picture are drawn.
  auto spaced = [&](double scale) {
    double s = step;
    while (scale * s < 2.0 * forms::kTwipsPerPixel && std::isfinite(s * 10.0)) s *= 10.0;
    return s;
  };
  auto run = [&](double scale, double origin, double extent, auto&& draw) {
    if (!(scale > 0)) return;
    const double spacing = spaced(scale) * scale;
    const double first = std::ceil(-origin / spacing);
    const double last = std::floor((extent - origin) / spacing);
    if (!std::isfinite(first) || !std::isfinite(last)) return;
    for (double i = first; i <= last; ++i) draw(origin + i * spacing);
  };
  std::vector<QPointF> ticks;
  run(kx, x0, ScaleWidth(), [&](double x) {
    ticks.insert(ticks.end(), {{x, y0 - kTickHalfLength}, {x, y0 + kTickHalfLength}});
  });
  run(ky, y0, ScaleHeight(), [&](double y) {
    ticks.insert(ticks.end(), {{x0 - kTickHalfLength, y}, {x0 + kTickHalfLength, y}});
  });
  DrawLines(std::move(ticks), black);
}

void FailurePlot::DrawCurves() {
  if (!HasRange()) return;
  SetCaptionsVisible(true);
  DrawCriterion();
}

void FailurePlot::PlaceAxisLabels() {
  if (!HasRange()) return;
  const float x0 = static_cast<float>(yaxis_.x1());
  const float y0 = static_cast<float>(xaxis_.y1());
  PlaceCaption(PlotCaption::Origin, x0 - 210, y0 + 90);
  // 350 twips left of the axis, or further when a long value would reach it.
  const float width = static_cast<float>(Caption(PlotCaption::Strength)->width() * forms::kTwipsPerPixel);
  PlaceCaption(PlotCaption::Strength, std::min(x0 - 350, x0 - width - 90), markerRow_);
  PlaceCaptions();
}

QPointF FailurePlot::WorldAt(float x, float y) const {
  const double kx = HorizontalScale();
  const double ky = VerticalScale();
  if (kx == 0 || ky == 0) return {};
  return {(x - yaxis_.x1()) / kx, (xaxis_.y1() - y) / ky};
}

bool FailurePlot::DrawingFailed(const RuntimeError& e) {
  if (e.Number() != ErrorNumber::Overflow) return false;
  SetCaptionsVisible(false);
  return true;
}

void FailurePlot::DrawStrengthMarker() {
  const float x0 = static_cast<float>(yaxis_.x1());
  markerRow_ = RowOf(strength_);
  DrawDot({x0, markerRow_ - 10}, QColor(kTeal), 5);
}

void FailurePlot::DrawWorldDot(PlotPoint p, const QColor& colour, float lift) {
  const QPointF at = PictureOf(p);
  DrawDot({at.x(), at.y() - lift}, colour, 5);
}

void FailurePlot::DrawWorldLine(PlotPoint from, PlotPoint to, const QColor& colour, int width) {
  DrawLine(PictureOf(from), PictureOf(to), colour, width);
}

void FailurePlot::DrawWorldPolyline(const std::vector<PlotPoint>& points, const QColor& colour, int width) {
  std::vector<QPointF> picture;
  picture.reserve(points.size());
  const WorldToPicture place = Mapping();
  try {
    for (const PlotPoint& p : points) picture.push_back(place(p));
  } catch (const RuntimeError&) {
    // The curve as far as it could be placed, then the error.
    DrawPolyline(std::move(picture), colour, width);
    throw;
  }
  DrawPolyline(std::move(picture), colour, width);
}

bool FailurePlot::DrawEnvelope(const Envelope& envelope) {
  if (!Step([&] { DrawWorldPolyline(envelope.Points, QColor(kTeal), 2); })) return false;
  if (envelope.Overflow) SetCaptionsVisible(false);
  return true;
}

void FailurePlot::DrawHalfCircle(float centre, float radius, const QColor& colour) {
  DrawArc({ColumnOf(centre), xaxis_.y1()}, CheckedFloat(static_cast<double>(radius) * HorizontalScale()), 0, kHalfTurn,
          colour);
}

void FailurePlot::DrawStressCircle(float centre, float radius) {
  circleX_ = ColumnOf(centre);
  circleY_ = static_cast<float>(xaxis_.y1());
  circleRadius_ = CheckedFloat(static_cast<double>(radius) * HorizontalScale());
  DrawHalfCircle(centre, radius, QColor(kBlue));
}

void FailurePlot::PlaceCircleCaptions() {
  PlaceCaption(PlotCaption::S2, circleX_ - circleRadius_ - 100, circleY_ + 200);
  PlaceCaption(PlotCaption::Centre, circleX_ - 100, circleY_ + 200);
  PlaceCaption(PlotCaption::S1, circleX_ + circleRadius_ - 100, circleY_ + 200);
}

// --- The principal-stress plane --------------------------------------------

PrincipalCriterionPlot::PrincipalCriterionPlot(QWidget* parent) : FailurePlot(parent) {
  SetAxisMarks(AxisMarks::Ticks);
}

void PrincipalCriterionPlot::SetCriterion(const Principal2D& principal, float strength, Envelope envelope,
                                          std::optional<PlotPoint> effective) {
  SetPrincipal(principal.S1, principal.S2, principal.TauMax);
  SetStrength(strength);
  envelope_ = std::move(envelope);
  effective_ = effective;
}

void PrincipalCriterionPlot::Show(bool reset) {
  if (s1_ == 0 && s2_ == 0) Blank();
  else Redraw(reset);
}

void PrincipalCriterionPlot::Forget() {
  SetCriterion(Principal2D{}, 0, Envelope{}, std::nullopt);
  Blank();
}

void PrincipalCriterionPlot::DrawCriterion() {
  if (!Step([&] { DrawStrengthMarker(); })) return;
  if (!DrawEnvelope(envelope_)) return;
  if (!Step([&] { DrawWorldDot(StressPointOf(s1_, s2_), QColor(kBlue)); })) return;
  if (effective_) Step([&] { DrawWorldDot(*effective_, QColor(kRed)); });
}

}  // namespace brantel
