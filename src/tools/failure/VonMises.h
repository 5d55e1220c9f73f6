#pragma once

#include "core/project/ProjectRecord.h"
#include "tools/failure/FailureCommon.h"

#include <optional>

namespace brantel {

// Mechanics of the Von Mises tool: the equivalent stress of the two
// principal stresses of a plane state, sv = (s1^2 + s2^2 - s1 s2)^0.5
// (64-bit, kept as a 32-bit float), against the tensile strength T: the
// state fails when sv reaches T (a tie fails). There is nothing to judge
// while T is 0 or all three stresses are 0: the verdict is blank and OK is
// disabled.
//
// Shared arithmetic of core/Arithmetic.h: CalcPrincipal2D (through
// FailurePrincipalStresses). Stresses in the project's stress unit.

// The mask of the Von Mises stress; the other boxes use kCriterionValueMask.
inline constexpr QStringView kVonMisesStressMask = u"#0.#0";

// The input boxes in the order validation visits them.
enum class VonMisesBox { Sx, Sy, Txy, T };

// The message that refuses the text of a box: "Invalid value for " + "sx",
// "sy" or "txy", and a sentence for T. There is no value rule: negative
// stresses and a negative T are taken.
InputMessage VonMisesInvalidMessage(VonMisesBox box);

// sv of two principal stresses; empty when it lies beyond the 32-bit range.
std::optional<float> VonMisesStress(float s1, float s2);

struct VonMisesResult {
  Principal2D Principal;
  // sv (kVonMisesStressMask); empty, with the box blank, when it
  // lies beyond the 32-bit range (the state then fails).
  std::optional<float> EquivalentStress;
  bool Failure = false;                     // sv >= T; set even when the verdict is blank
  Verdict FailureVerdict = Verdict::Blank;  // Fails, Holds or Blank
  bool CanCommit = false;                   // OK enabled: T is not 0 and some stress is not 0
};

// The calculation on the stresses and the tensile strength given (the
// boxes' current values). Raises Overflow (6) when the principal stresses
// leave the 32-bit range.
VonMisesResult EvaluateVonMises(const StressInput& stress, const VonMisesData& input);

// --- The plot (its ranges: FailurePlot's vertical range like the
// horizontal one; a redraw after the zoom bar sets both).

// The envelope, the part of the ellipse s1^2 - s1 s2 + s2^2 = T^2 between
// the two axes, as one polyline from (0, T): first (u, v) for u = 0, 0.1,
// 0.2, ... up to T, then (v, u) for u = T, T - 0.1, ... down to 0, v being
// the larger root of v^2 - u v + u^2 - T^2 = 0. It runs over (T, T) to
// about (T, 0) and bulges to about 1.155 T. Empty unless T > 0.
Envelope VonMisesEnvelope(float tensileStrength);

}  // namespace brantel
