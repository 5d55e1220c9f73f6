#include "tools/failure/FailureCommon.h"

#include "core/Conversions.h"
#include "tools/stress/Stress2D.h"

#include <algorithm>
#include <cmath>

namespace brantel {

QString VerdictText(Verdict verdict, VerdictCase letterCase) {
  const bool lower = letterCase == VerdictCase::Lower;
  switch (verdict) {
    case Verdict::Fails: return lower ? QStringLiteral("true") : QStringLiteral("True");
    case Verdict::Holds: return lower ? QStringLiteral("false") : QStringLiteral("False");
    case Verdict::RangeError: return QStringLiteral("Range Error");
    case Verdict::Blank: break;
  }
  return QString();
}

bool FailureFlagAfter(Verdict verdict, bool previous) {
  if (verdict == Verdict::Fails) return true;
  if (verdict == Verdict::Holds) return false;
  return previous;
}

std::optional<float> SingleOf(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const float single = static_cast<float>(value);
  if (std::isinf(single)) return std::nullopt;
  return single;
}

Verdict CompareCriterionSides(double stressSide, double strengthSide) {
  if (!std::isfinite(stressSide) || !std::isfinite(strengthSide)) return Verdict::Blank;
  const std::optional<float> q = SingleOf(stressSide);
  const std::optional<float> r = SingleOf(strengthSide);
  return VerdictOf((q && r) ? *q > *r : stressSide > strengthSide);
}

Principal2D FailurePrincipalStresses(const StressInput& stress) {
  return PrincipalStresses(stress.Sx, stress.Sy, stress.Txy);
}

StressGraph KnownStressGraph(StressGraph stored) {
  switch (stored) {
    case StressGraph::MohrCircle:
    case StressGraph::Sigma1Chart: return stored;
    case StressGraph::None: break;
  }
  return StressGraph::None;  // also any value outside the list
}

double EffectiveStress(float stress, float porePressure) {
  const double exact = static_cast<double>(stress) - static_cast<double>(porePressure);
  const std::optional<float> single = SingleOf(exact);
  return single ? static_cast<double>(*single) : exact;
}

AxisRange StressPlotRange(float s1, float s2, float zoom) {
  const double r = CheckedFloat((static_cast<double>(s1) - s2) / 2.0);
  AxisRange range;
  range.Min = CheckedFloat(s2 - zoom * r);
  range.Max = CheckedFloat(s1 + zoom * r);
  range.Span = CheckedFloat(static_cast<double>(range.Max) - range.Min);
  const float raised = CheckedFloat(1.2 * range.Max);
  if (raised > range.Span) range.Span = raised;
  return range;
}

AxisRange PlainAxisRange(float s1, float s2) {
  const double r = CheckedFloat((static_cast<double>(s1) - s2) / 2.0);
  AxisRange range;
  range.Min = CheckedFloat(s2 - r);
  range.Max = CheckedFloat(s1 + r);
  range.Span = CheckedFloat(static_cast<double>(range.Max) - range.Min);
  if (range.Span == 0.0f && range.Max > 0.0f) range.Span = CheckedFloat(1.2 * range.Max);
  return range;
}

PlotPoint StressPointOf(float s1, float s2) { return PlotPoint{s2, s1}; }

std::optional<PlotPoint> EffectiveStressPointOf(float s1, float s2, float porePressure, bool poreOn) {
  if (!poreOn || !(porePressure > 0.0f)) return std::nullopt;
  const std::optional<float> e2 = SingleOf(EffectiveStress(s2, porePressure));
  const std::optional<float> e1 = SingleOf(EffectiveStress(s1, porePressure));
  if (!e1 || !e2 || !(*e2 > 0.0f)) return std::nullopt;
  return PlotPoint{*e2, *e1};
}

bool AddEnvelopePoint(Envelope& envelope, float x, double y) {
  if (std::isnan(y)) return false;
  const std::optional<float> single = SingleOf(y);
  if (!single) {
    envelope.Overflow = true;
    return false;
  }
  envelope.Points.push_back({x, *single});
  return true;
}

std::vector<double> EnvelopeSteps(double from, double to, double step) {
  std::vector<double> values;
  if (step == 0.0 || !std::isfinite(step) || !std::isfinite(from) || !std::isfinite(to)) return values;
  // Whether a value, as a 32-bit float, has not passed the end of the run.
  // Values beyond the 32-bit range are compared as they are.
  auto within = [&](double v) {
    const std::optional<float> a = SingleOf(v);
    const std::optional<float> b = SingleOf(to);
    const double x = (a && b) ? *a : v;
    const double end = (a && b) ? *b : to;
    return step > 0 ? x <= end : x >= end;
  };
  if (!within(from)) return values;

  // The number of whole steps, first estimated, then settled on the values
  // as they are rounded; a run too long for the plot takes equal steps
  // from the start to the end instead.
  const double estimate = std::floor((to - from) / step);
  int n = kMaxEnvelopeSteps + 1;
  if (estimate <= kMaxEnvelopeSteps) {
    n = static_cast<int>(std::max(0.0, estimate));
    while (n > 0 && !within(from + n * step)) --n;
    while (n <= kMaxEnvelopeSteps && within(from + (n + 1) * step)) ++n;
  }
  if (n > kMaxEnvelopeSteps) {
    values.reserve(kMaxEnvelopeSteps + 1);
    for (int i = 0; i < kMaxEnvelopeSteps; ++i) values.push_back(from + (to - from) * i / kMaxEnvelopeSteps);
    values.push_back(to);
    return values;
  }
  values.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) values.push_back(from + i * step);
  return values;
}

}  // namespace brantel
