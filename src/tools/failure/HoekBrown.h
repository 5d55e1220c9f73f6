#pragma once

#include "core/project/ProjectRecord.h"
#include "tools/failure/FailureCommon.h"

#include <optional>

namespace brantel {

// Mechanics of the Hoek-Brown tool: a plane stress state judged by the
// Hoek-Brown criterion, for intact rock (Co and m) or in the generalized
// form for a rock mass (Co', mb, s and a), on the total stresses and, with
// a pore pressure P, on the effective stresses s1 - P and s2 - P.
//
// The state fails when q > r with
//   intact:       q = s1/Co,  r = s2/Co + (m s2/Co + 1)^0.5
//   generalized:  q = s1/Co', r = s2/Co' + (mb s2/Co' + s)^a
// the powers taken in 64-bit and both sides rounded to 32-bit floats before
// they are compared (a tie holds). A minor stress beyond the tensile limit
// (a negative base under the power) fails. A strength not greater than 0
// leaves the verdict blank.
//
// Shared arithmetic of core/Arithmetic.h: CalcPrincipal2D (through
// FailurePrincipalStresses). Stresses in the project's stress unit, angles in degrees.

// The input boxes in the order validation visits them.
enum class HoekBox { Sx, Sy, Txy, Pore, Co, M, CoMass, Mb, S, A };
inline constexpr int kHoekBoxCount = 10;

// The message that refuses the text of a box: "Invalid value for " + "sx",
// "sy" or "txy", a sentence for the pore pressure and each parameter.
InputMessage HoekInvalidMessage(HoekBox box);
// The value rule of a box: a negative value is refused ("sx > 0", ...,
// "P > 0", "Co > 0" for Co and Co', "m > 0", "mb > 0", "s > 0", "a > 0");
// zero passes.
ValueRule HoekValueRule(HoekBox box);

// The verdict of one state: strength Co (or Co'), parameter m (or mb), s and
// the exponent a (the intact criterion is s = 1, a = 0.5). s1 and s2 may be
// effective stresses.
Verdict HoekBrownVerdict(double s1, double s2, float strength, float m, float s, float a);

// The strength of the selected type: Co for intact rock, Co' for the
// generalized criterion (the strength marker and its caption).
float HoekStrength(const HoekParams& params);

// The verdicts of the tool (on the total and the effective stresses) and its
// principal stresses.
using HoekResult = PrincipalVerdicts;

// The calculation on the stresses given (the boxes' current values) and the
// working parameters: CriterionType, Co, M, CoMass, Mb, S, A, UsePore,
// PorePressure, and the previous Failure and PoreFailure. Raises
// Overflow (6) when the principal stresses leave the 32-bit range.
HoekResult EvaluateHoek(const StressInput& stress, const HoekParams& params);

// --- The plot (its ranges: FailurePlot's Plain vertical range).

// The envelope of the selected criterion: from (0, strength) through the
// points (x, y) for x = 0, 0.5, 1.0, ... up to Int(s1) + 1, with
//   intact:       y = Co (x/Co + (m x/Co + 1)^0.5)
//   generalized:  y = Co' (x/Co' + (mb x/Co' + s)^a).
// Empty when the strength is 0; x is never negative. The curve stops at a
// point the criterion does not define.
Envelope HoekEnvelope(const HoekParams& params, float s1);

}  // namespace brantel
