#include "tools/failure/PrincipalCriteria.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

#include <cfloat>
#include <cmath>

namespace brantel {

QString CriterionVerdictText(CriterionVerdict verdict) {
  switch (verdict) {
    case CriterionVerdict::Holds: return QStringLiteral("False");
    case CriterionVerdict::Fails: return QStringLiteral("True");
    case CriterionVerdict::RangeError: return QStringLiteral("Range Error");
    case CriterionVerdict::Blank:
    case CriterionVerdict::NotComputable: break;
  }
  return QString();
}

qint16 FailureFlagAfter(CriterionVerdict verdict, qint16 previous) {
  if (verdict == CriterionVerdict::Fails) return -1;
  if (verdict == CriterionVerdict::Holds) return 0;
  return previous;
}

std::optional<float> SingleOf(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const float single = static_cast<float>(value);
  if (std::isinf(single)) return std::nullopt;
  return single;
}

CriterionVerdict CompareCriterionSides(double stressSide, double strengthSide) {
  if (!std::isfinite(stressSide) || !std::isfinite(strengthSide)) return CriterionVerdict::NotComputable;
  const std::optional<float> q = SingleOf(stressSide);
  const std::optional<float> r = SingleOf(strengthSide);
  const bool fails = (q && r) ? *q > *r : stressSide > strengthSide;
  return fails ? CriterionVerdict::Fails : CriterionVerdict::Holds;
}

Principal2D PrincipalOf(float sx, float sy, float txy) { return CalcPrincipal2D(sx, sy, txy); }

double EffectiveStress(float stress, float porePressure) {
  const double exact = static_cast<double>(stress) - static_cast<double>(porePressure);
  const std::optional<float> single = SingleOf(exact);
  return single ? static_cast<double>(*single) : exact;
}

bool IsCriterionEntry(const QString& text) {
  if (!IsNumericEntry(text)) return false;
  try {
    return SingleOf(Val(text)).has_value();
  } catch (const RuntimeError&) {
    return false;  // beyond the 64-bit range
  }
}

float CriterionEntryValue(const QString& text) {
  try {
    return SingleOf(Val(text)).value_or(0.0f);
  } catch (const RuntimeError&) {
    return 0.0f;
  }
}

InputFault TextFault(std::span<const CriterionBoxRule> rules, int index) {
  const CriterionBoxRule& rule = rules[static_cast<std::size_t>(index)];
  return InputFault{index, QString::fromUtf8(rule.Greek), QString::fromUtf8(rule.English), rule.Prefixed};
}

InputFault SignFault(std::span<const CriterionBoxRule> rules, int index) {
  const CriterionBoxRule& rule = rules[static_cast<std::size_t>(index)];
  return InputFault{index, QString::fromUtf8(rule.SignGreek), QString::fromUtf8(rule.SignEnglish), false};
}

float ZoomFactorOf(int barValue) { return CSng(static_cast<double>(barValue) / 10.0); }

PrincipalAxisRange ZoomedAxisRange(float s1, float s2, float zoomFactor) {
  const float r = CSng((static_cast<double>(s1) - s2) / 2.0);
  PrincipalAxisRange a;
  a.Min = CSng(static_cast<double>(s2) - static_cast<double>(zoomFactor) * r);
  a.Max = CSng(static_cast<double>(s1) + static_cast<double>(zoomFactor) * r);
  a.Span = CSng(static_cast<double>(a.Max) - a.Min);
  const float raised = CSng(1.2 * a.Max);
  if (raised > a.Span) a.Span = raised;
  return a;
}

PrincipalAxisRange PlainAxisRange(float s1, float s2) {
  const float r = CSng((static_cast<double>(s1) - s2) / 2.0);
  PrincipalAxisRange a;
  a.Min = CSng(static_cast<double>(s2) - r);
  a.Max = CSng(static_cast<double>(s1) + r);
  a.Span = CSng(static_cast<double>(a.Max) - a.Min);
  return a;
}

QPointF StressPointOf(float s1, float s2) { return QPointF(s2, s1); }

std::optional<QPointF> EffectiveStressPointOf(float s1, float s2, float porePressure, qint16 usePore) {
  if (usePore != 1 || !(porePressure > 0.0f)) return std::nullopt;
  const double e2 = EffectiveStress(s2, porePressure);
  if (!(e2 > 0.0)) return std::nullopt;
  return QPointF(e2, EffectiveStress(s1, porePressure));
}

bool AddEnvelopePoint(PrincipalEnvelope& envelope, float x, double y) {
  if (std::isnan(y)) return false;
  const std::optional<float> single = SingleOf(y);
  if (!single) {
    envelope.Overflow = true;
    return false;
  }
  envelope.Points.emplace_back(x, *single);
  return true;
}

std::vector<float> EnvelopeSteps(float from, float to, double step) {
  std::vector<float> values;
  if (step == 0.0 || !std::isfinite(step)) return values;
  const double start = from, end = to;
  // Whether a value, as a 32-bit float, has not passed the end of the run.
  auto within = [&](double v) {
    const std::optional<float> single = SingleOf(v);
    if (!single) return false;
    return step > 0 ? *single <= to : *single >= to;
  };
  if (!within(start)) return values;

  // The number of whole steps, first estimated, then settled on the values
  // as they are rounded; a run too long for the plot takes equal steps
  // from the start to the end instead.
  const double estimate = std::floor((end - start) / step);
  int n = kMaxEnvelopeSteps + 1;
  if (estimate <= kMaxEnvelopeSteps) {
    n = static_cast<int>(std::max(0.0, estimate));
    while (n > 0 && !within(start + n * step)) --n;
    while (n <= kMaxEnvelopeSteps && within(start + (n + 1) * step)) ++n;
  }
  if (n > kMaxEnvelopeSteps) {
    values.reserve(kMaxEnvelopeSteps + 1);
    for (int i = 0; i < kMaxEnvelopeSteps; ++i)
      values.push_back(static_cast<float>(start + (end - start) * i / kMaxEnvelopeSteps));
    values.push_back(to);
    return values;
  }
  values.reserve(static_cast<std::size_t>(n) + 1);
  for (int i = 0; i <= n; ++i) values.push_back(static_cast<float>(start + i * step));
  return values;
}

}  // namespace brantel
