#include "tools/failure/VonMises.h"

#include <cmath>

namespace brantel {

InputMessage VonMisesInvalidMessage(VonMisesBox box) {
  switch (box) {
    case VonMisesBox::Sx: return kSxMessages.Invalid;
    case VonMisesBox::Sy: return kSyMessages.Invalid;
    case VonMisesBox::Txy: return kTxyMessages.Invalid;
    case VonMisesBox::T: break;
  }
  return Sentence({"Invalid tensile strength", "Λάθος αντοχή σε εφελκυσμό"});
}

std::optional<float> VonMisesStress(float s1, float s2) {
  const double a = s1, b = s2;
  // a^2 + b^2 - ab = ((a - b)^2 + a^2 + b^2)/2 is never negative.
  return SingleOf(std::sqrt(a * a + b * b - a * b));
}

VonMisesResult EvaluateVonMises(const StressInput& stress, const VonMisesData& input) {
  VonMisesResult result;
  result.Principal = FailurePrincipalStresses(stress);
  result.EquivalentStress = VonMisesStress(result.Principal.S1, result.Principal.S2);
  // Beyond the 32-bit range sv exceeds every strength.
  const bool holds = result.EquivalentStress && *result.EquivalentStress < input.TensileStrength;
  result.Failure = !holds;
  const bool anyStress = stress.Sx != 0.0f || stress.Sy != 0.0f || stress.Txy != 0.0f;
  result.CanCommit = input.TensileStrength != 0.0f && anyStress;
  result.FailureVerdict = !result.CanCommit ? Verdict::Blank : holds ? Verdict::Holds : Verdict::Fails;
  return result;
}

Envelope VonMisesEnvelope(float tensileStrength) {
  Envelope envelope;
  if (!(tensileStrength > 0.0f)) return envelope;
  const double t = tensileStrength;
  // The larger root of v^2 - u v + (u^2 - T^2) = 0; its discriminant
  // 4 T^2 - 3 u^2 is positive for 0 <= u <= T.
  auto root = [t](double u) { return (u + std::sqrt(u * u - 4.0 * (u * u - t * t))) / 2.0; };

  envelope.Points.push_back({0.0f, tensileStrength});
  for (float u : EnvelopeSteps(0.0f, tensileStrength, 0.1)) {
    if (!AddEnvelopePoint(envelope, u, root(u))) return envelope;
  }
  for (float u : EnvelopeSteps(tensileStrength, 0.0f, -0.1)) {
    const std::optional<float> v = SingleOf(root(u));
    if (!v) {
      envelope.Overflow = true;
      return envelope;
    }
    envelope.Points.push_back({*v, u});
  }
  return envelope;
}

}  // namespace brantel
