#include "tools/failure/FailureCommon.h"

#include "core/Conversions.h"
#include "core/Messages.h"
#include "tools/stress/Stress2D.h"

#include <cmath>

namespace brantel {

QString VerdictText(Verdict verdict, VerdictCase letterCase) {
  const bool lower = letterCase == VerdictCase::Lower;
  switch (verdict) {
    case Verdict::True:
      return lower ? QStringLiteral("true") : QStringLiteral("True");
    case Verdict::False:
      return lower ? QStringLiteral("false") : QStringLiteral("False");
    case Verdict::RangeError:
      return QStringLiteral("Range Error");
    case Verdict::Blank:
      break;
  }
  return QString();
}

QString ToolMessage::Text() const {
  return Tr(English.toString(), Greek.toString());
}

Principal2D FailurePrincipalStresses(const StressInput& stress) {
  return PrincipalStresses(stress.Sx, stress.Sy, stress.Txy);
}

EffectiveStresses EffectiveStressState(float s1, float s2, float pore) {
  EffectiveStresses e;
  e.S1 = CSng(static_cast<double>(s1) - pore);
  e.S2 = CSng(static_cast<double>(s2) - pore);
  e.PoreAboveS2 = pore > s2;
  return e;
}

AxisRange StressPlotRange(float s1, float s2, float zoom) {
  const double r = CSng((static_cast<double>(s1) - s2) / 2.0);
  AxisRange range;
  range.Min = CSng(s2 - zoom * r);
  range.Max = CSng(s1 + zoom * r);
  range.Span = CSng(static_cast<double>(range.Max) - range.Min);
  const float raised = CSng(1.2 * range.Max);
  if (raised > range.Span) range.Span = raised;
  return range;
}

std::vector<double> EnvelopeAbscissae(double from, double to, double step, int maxPoints) {
  std::vector<double> xs;
  if (!std::isfinite(from) || !std::isfinite(to) || to < from) return xs;
  if (!(step > 0.0) || !std::isfinite(step) || maxPoints < 2) {
    xs.push_back(from);
    return xs;
  }
  const double intervals = std::floor((to - from) / step);
  const bool widened = !(intervals < maxPoints);
  if (widened) step = (to - from) / (maxPoints - 1);
  const int count = widened ? maxPoints : static_cast<int>(intervals) + 1;
  xs.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    // A widened run ends on `to` itself, whatever the rounding of the step.
    const double x = (widened && i == count - 1) ? to : from + i * step;
    if (x > to) break;
    xs.push_back(x);
  }
  return xs;
}

}  // namespace brantel
