#pragma once

#include "core/project/ProjectRecord.h"
#include "tools/failure/FailureCommon.h"

#include <optional>

namespace brantel {

// Mechanics of the Bieniawski tool: a plane stress state judged by the
// Bieniawski criterion s1/Co > 1 + A (s3/Co)^k, the minor principal stress
// s2 of the plane state playing the part of s3, on the total stresses and,
// with a pore pressure P, on the effective stresses s1 - P and s2 - P.
//
// Both sides are rounded to 32-bit floats before they are compared (a tie
// holds). A strength Co not greater than 0 leaves the verdict blank; a
// minor stress not greater than 0 gives "Range Error" (the power is only
// taken of a positive ratio).
//
// Shared arithmetic of core/Arithmetic.h: CalcPrincipal2D (through
// FailurePrincipalStresses). Stresses in the project's stress unit, angles in degrees.

// The input boxes in the order validation visits them.
enum class BieniawskiBox { Sx, Sy, Txy, Pore, Co, A, K };
inline constexpr int kBieniawskiBoxCount = 7;

// The message that refuses the text of a box: "Invalid value for " + "sx",
// "sy" or "txy", a sentence for the pore pressure and each parameter.
InputMessage BieniawskiInvalidMessage(BieniawskiBox box);
// The value rule of a box: a negative value is refused ("sx > 0", ...,
// "P > 0", "Co > 0", "A > 0", "k > 0"); zero passes.
ValueRule BieniawskiValueRule(BieniawskiBox box);

// The verdict of one state (s1 and s2 may be effective stresses).
Verdict BieniawskiVerdict(double s1, double s2, float co, float a, float k);

// The verdicts of the tool (on the total and the effective stresses) and its
// principal stresses.
using BieniawskiResult = PrincipalVerdicts;

// The calculation on the stresses given (the boxes' current values) and the
// working parameters: Co, A, K, UsePore, PorePressure, and the
// previous Failure and PoreFailure. Raises Overflow (6) when the principal
// stresses leave the 32-bit range.
BieniawskiResult EvaluateBieniawski(const StressInput& stress, const BieniawskiParams& params);

// --- The plot (its ranges: FailurePlot's vertical range like the
// horizontal one, both following the zoom bar).

// The envelope: from (0, Co) through the points (x, Co (1 + A (x/Co)^k))
// for x = 0, 1, 2, ... while x does not exceed s1 (no point when s1 is
// negative). Empty when Co is 0. The curve stops at a point the criterion
// does not define.
Envelope BieniawskiEnvelope(float co, float a, float k, float s1);

// The tail of the English internal-coordinates read-out: xmin, a blank and
// xmax, each in the general number form with a blank in place of the sign
// of a value that is not negative ("-10  20").
QString BieniawskiReadoutTail(float xmin, float xmax);

}  // namespace brantel
