#include "tools/failure/HoekBrown.h"

#include <cmath>

namespace brantel {

namespace {

constexpr int Index(HoekBox box) { return static_cast<int>(box); }

constexpr CriterionBoxMessages kBoxMessages[kHoekBoxCount] = {
    kSxMessages,
    kSyMessages,
    kTxyMessages,
    kPoreMessages,
    kStrengthMessages,
    {Sentence({"Invalid value for Parameter m", "Εσφαλμένη τιμή για την Παράμετρο m"}), Sentence({"m > 0", "m > 0"})},
    kStrengthMessages,  // Co'
    {Sentence({"Invalid value for Parameter mb", "Εσφαλμένη τιμή για την Παράμετρο mb"}),
     Sentence({"mb > 0", "mb > 0"})},
    {Sentence({"Invalid value for Parameter s", "Εσφαλμένη τιμή για την Παράμετρο s"}), Sentence({"s > 0", "s > 0"})},
    {Sentence({"Invalid value for Parameter a", "Εσφαλμένη τιμή για την Παράμετρο a"}), Sentence({"a > 0", "a > 0"})},
};

}  // namespace

InputMessage HoekInvalidMessage(HoekBox box) { return kBoxMessages[Index(box)].Invalid; }

ValueRule HoekValueRule(HoekBox box) { return NotNegativeRule(kBoxMessages[Index(box)].Negative); }

Verdict HoekBrownVerdict(double s1, double s2, float strength, float m, float s, float a) {
  if (!(strength > 0.0f)) return Verdict::Blank;
  const double co = strength;
  const double base = static_cast<double>(m) * s2 / co + s;
  // Beyond the tensile limit the rock has failed already.
  if (base < 0.0) return Verdict::Fails;
  const double r = s2 / co + std::pow(base, static_cast<double>(a));
  const double q = s1 / co;
  return CompareCriterionSides(q, r);
}

float HoekStrength(const HoekParams& params) {
  return params.CriterionType == HoekCriterion::Generalized ? params.CoMass : params.Co;
}

namespace {

Verdict VerdictOf(const HoekParams& p, double s1, double s2) {
  if (p.CriterionType == HoekCriterion::Generalized) return HoekBrownVerdict(s1, s2, p.CoMass, p.Mb, p.S, p.A);
  return HoekBrownVerdict(s1, s2, p.Co, p.M, 1.0f, 0.5f);
}

}  // namespace

HoekResult EvaluateHoek(const StressInput& stress, const HoekParams& params) {
  return JudgePrincipalStresses(stress, params, [&params](double s1, double s2) { return VerdictOf(params, s1, s2); });
}

Envelope HoekEnvelope(const HoekParams& params, float s1) {
  Envelope envelope;
  const float strength = HoekStrength(params);
  if (strength == 0.0f) return envelope;
  const bool generalized = params.CriterionType == HoekCriterion::Generalized;
  const double co = strength;
  const double m = generalized ? params.Mb : params.M;
  const double s = generalized ? static_cast<double>(params.S) : 1.0;
  const double a = generalized ? static_cast<double>(params.A) : 0.5;

  envelope.Points.push_back({0.0f, strength});
  // The last abscissa is the whole part of s1 plus 1; x is never negative.
  const double last = std::floor(static_cast<double>(s1)) + 1.0;
  const std::optional<float> end = SingleOf(last);
  if (!end || *end < 0.0f) return envelope;
  for (float x : EnvelopeSteps(0.0f, *end, 0.5)) {
    const double base = m * x / co + s;
    if (base < 0.0) break;
    if (!AddEnvelopePoint(envelope, x, co * (x / co + std::pow(base, a)))) break;
  }
  return envelope;
}

}  // namespace brantel
