#include "tools/failure/Bieniawski.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace brantel {

namespace {

constexpr int Index(BieniawskiBox box) { return static_cast<int>(box); }

constexpr CriterionBoxMessages kBoxMessages[kBieniawskiBoxCount] = {
    kSxMessages,
    kSyMessages,
    kTxyMessages,
    kPoreMessages,
    kStrengthMessages,
    {Sentence({"Invalid value for Parameter A", "Εσφαλμένη τιμή για την Παράμετρο Α"}), Sentence({"A > 0", "A > 0"})},
    {Sentence({"Invalid value for Parameter k", "Εσφαλμένη τιμή για την Παράμετρο k"}), Sentence({"k > 0", "k > 0"})},
};

}  // namespace

InputMessage BieniawskiInvalidMessage(BieniawskiBox box) { return kBoxMessages[Index(box)].Invalid; }

ValueRule BieniawskiValueRule(BieniawskiBox box) { return NotNegativeRule(kBoxMessages[Index(box)].Negative); }

Verdict BieniawskiVerdict(double s1, double s2, float co, float a, float k) {
  if (!(co > 0.0f)) return Verdict::Blank;
  if (!(s2 > 0.0)) return Verdict::RangeError;
  const double c = co;
  const double strengthSide = 1.0 + static_cast<double>(a) * std::pow(s2 / c, static_cast<double>(k));
  return CompareCriterionSides(s1 / c, strengthSide);
}

BieniawskiResult EvaluateBieniawski(const StressInput& stress, const BieniawskiParams& params) {
  return JudgePrincipalStresses(stress, params, [&params](double s1, double s2) {
    return BieniawskiVerdict(s1, s2, params.Co, params.A, params.K);
  });
}

Envelope BieniawskiEnvelope(float co, float a, float k, float s1) {
  Envelope envelope;
  if (co == 0.0f) return envelope;
  const double c = co;
  envelope.Points.push_back({0.0f, co});
  for (float x : EnvelopeSteps(0.0f, s1, 1.0)) {
    const double y = c * (1.0 + static_cast<double>(a) * std::pow(x / c, static_cast<double>(k)));
    if (!AddEnvelopePoint(envelope, x, y)) break;
  }
  return envelope;
}

namespace {

QString SignedGeneral(float value) {
  const QString text = FormatGeneral(value);
  return value < 0.0f ? text : QStringLiteral(" ") + text;
}

}  // namespace

QString BieniawskiReadoutTail(float xmin, float xmax) {
  return SignedGeneral(xmin) + QStringLiteral(" ") + SignedGeneral(xmax);
}

}  // namespace brantel
