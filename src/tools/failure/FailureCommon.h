#pragma once

#include "core/Conversions.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

namespace brantel {

// What the failure-criteria tools share, widget-free: the verdict texts and
// the record's failure flags, the messages of their input boxes, the
// principal and effective stresses of a tool's stress input, the world
// ranges of their plots and the stepping of envelope and chart points.
// Stresses are in the project's stress unit, angles in degrees.
//
// Shared arithmetic of core/Arithmetic.h used here: CalcPrincipal2D
// (through the plane stress tool's PrincipalStresses). Numbers are rounded
// to 32-bit floats with CheckedFloat (core/Conversions.h); a value the 32-bit range
// cannot hold raises Overflow (6) where a function says so.

// Display masks (core/NumberFormat Format) most tools use.
inline constexpr QStringView kCriterionValueMask = u"#0.##0";   // inputs, s1, s2, angles
inline constexpr QStringView kStrengthCaptionMask = u"###0.0";  // the value captions of the plots

// --- Verdicts -------------------------------------------------------------

// The answer of a criterion for one stress state, as its result box shows
// it. Blank: nothing to judge (a strength of 0, no stress at all, sides of
// the test beyond the 64-bit range); the box is emptied.
enum class Verdict { Blank, Holds, Fails, RangeError };

// The Coulomb and discontinuity tools write "true" / "false"; the other
// tools "True" / "False". "Range Error" has one spelling.
enum class VerdictCase { Capitalised, Lower };

// "True" (fails), "False" (holds), "Range Error" or "" (lower case "true" /
// "false" on request). The texts are the same in English and in Greek.
QString VerdictText(Verdict verdict, VerdictCase letterCase = VerdictCase::Capitalised);

inline Verdict VerdictOf(bool fails) { return fails ? Verdict::Fails : Verdict::Holds; }

// The record's failure flag after a verdict: true for Fails, false for
// Holds; Blank and Range Error keep the previous flag.
bool FailureFlagAfter(Verdict verdict, bool previous);

// The test "stress side > strength side", both sides rounded to 32-bit
// floats first, so a tie holds. Sides beyond the 32-bit range are compared
// as they are; a side that is not a finite number gives Blank.
Verdict CompareCriterionSides(double stressSide, double strengthSide);

// --- Messages and input boxes ----------------------------------------------

// The two messages of a box with a sign rule: for a text that is not a
// number, and for a negative value.
struct CriterionBoxMessages {
  InputMessage Invalid;
  InputMessage Negative;
};

// Those of the boxes the criteria with a pore pressure share.
inline constexpr CriterionBoxMessages kSxMessages{InvalidValueFor({"sx", "σx"}), Sentence({"sx > 0", "σx > 0"})};
inline constexpr CriterionBoxMessages kSyMessages{InvalidValueFor({"sy", "σy"}), Sentence({"sy > 0", "σy > 0"})};
inline constexpr CriterionBoxMessages kTxyMessages{InvalidValueFor({"txy", "τxy"}), Sentence({"txy > 0", "τxy > 0"})};
inline constexpr CriterionBoxMessages kPoreMessages{
    Sentence({"Invalid Pore Pressure", "Εσφαλμένη τιμή γιά τη πίεση πόρων"}), Sentence({"P > 0", "P > 0"})};
inline constexpr CriterionBoxMessages kStrengthMessages{
    Sentence({"Invalid value for Uniaxial Compressive Strength", "Εσφαλμένη τιμή για την Αντοχή"}),
    Sentence({"Co > 0", "Co > 0"})};

// How a tool checks its boxes (indexed by its box enum): the message that
// refuses a text, and the value rule (none: any value).
struct CriterionBoxRules {
  std::function<InputMessage(int box)> Invalid;
  std::function<ValueRule(int box)> Rule;
};

// The rules of a tool's boxes from its functions of its box enum.
template <typename Box>
CriterionBoxRules BoxRulesOf(InputMessage (*invalid)(Box), ValueRule (*rule)(Box) = nullptr) {
  CriterionBoxRules rules{[invalid](int box) { return invalid(static_cast<Box>(box)); }, {}};
  if (rule) rules.Rule = [rule](int box) { return rule(static_cast<Box>(box)); };
  return rules;
}

// --- Stresses --------------------------------------------------------------

// The principal stresses of a tool's plane stress state (CalcPrincipal2D:
// s1 >= s2, Theta2 the direction of s2; a state of three zeros has zero
// angles). Raises Overflow (6) when a principal stress is beyond the 32-bit
// range.
Principal2D FailurePrincipalStresses(const StressInput& stress);

// The graph a tool with three graph options opens with: the stored one, or
// none for a value the record holds outside the list.
StressGraph KnownStressGraph(StressGraph stored);

// The 32-bit value of a number when it has one.
std::optional<float> SingleOf(double value);

// A principal stress less the pore pressure: the 32-bit value when it has
// one, else the exact difference (a verdict is still given). Never raises.
double EffectiveStress(float stress, float porePressure);

// --- Criteria judged on the principal stresses ------------------------------

// The outcome of a criterion judged on the principal stresses of a plane
// state and, with the pore option on, on the effective stresses.
struct PrincipalVerdicts {
  Principal2D Principal;   // shown with kCriterionValueMask
  Verdict FailureVerdict;  // on the total stresses
  // On the effective stresses; empty while the pore option is clear,
  // when neither the box nor the flag is touched.
  std::optional<Verdict> PoreVerdict;
  bool Failure = false;      // the flags after the verdicts; a blank, Range
  bool PoreFailure = false;  // Error or not computable verdict keeps the previous flag
};

// The principal stresses of `stress` judged by `judge(s1, s2)` and, when
// params.UsePore is set, the effective stresses s1 - P and s2 - P too; the
// flags follow from params.Failure and params.PoreFailure. Raises Overflow
// (6) when the principal stresses leave the 32-bit range.
template <typename Params, typename Judge>
PrincipalVerdicts JudgePrincipalStresses(const StressInput& stress, const Params& params, Judge&& judge) {
  PrincipalVerdicts result;
  result.Principal = FailurePrincipalStresses(stress);
  const float s1 = result.Principal.S1, s2 = result.Principal.S2;
  result.FailureVerdict = judge(static_cast<double>(s1), static_cast<double>(s2));
  result.Failure = FailureFlagAfter(result.FailureVerdict, params.Failure);
  result.PoreFailure = params.PoreFailure;
  if (params.UsePore) {
    const double e1 = EffectiveStress(s1, params.PorePressure);
    const double e2 = EffectiveStress(s2, params.PorePressure);
    result.PoreVerdict = judge(e1, e2);
    result.PoreFailure = FailureFlagAfter(*result.PoreVerdict, params.PoreFailure);
  }
  return result;
}

// --- Plots -----------------------------------------------------------------

// A point of a plot in world units (stress, or degrees on a chart axis).
struct PlotPoint {
  float X = 0;
  float Y = 0;
  friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

struct PlotSegment {
  PlotPoint From;
  PlotPoint To;
};

// The world range of one axis of the interactive stress plot: the values at
// the picture's edges before the axes' crossing places them, and the span
// between them.
struct AxisRange {
  float Min = 0;
  float Max = 0;
  float Span = 0;
};

// For a state s1 >= s2 and a zoom factor f (1 on a range reset, else the
// zoom bar's value / 10): Min = s2 - f R and Max = s1 + f R with
// R = (s1 - s2) / 2; Span = Max - Min, raised to 1.2 Max when that is
// larger. Raises Overflow (6) beyond the 32-bit range.
AxisRange StressPlotRange(float s1, float s2, float zoom = 1.0f);

// Min = s2 - R, Max = s1 + R and the plain span 2 (s1 - s2): no zoom, no
// 1.2 rule. A state without spread (s1 = s2) has no plain span, and would
// show nothing on this axis: its span is then 1.2 Max, as the horizontal
// rule gives it. Raises Overflow (6) beyond the 32-bit range.
AxisRange PlainAxisRange(float s1, float s2);

// The point of a stress state in the principal-stress plane: (s2, s1).
PlotPoint StressPointOf(float s1, float s2);

// The effective-stress point (s2 - P, s1 - P), only while the pore option
// is on, P > 0 and s2 - P > 0 (both within the 32-bit range).
std::optional<PlotPoint> EffectiveStressPointOf(float s1, float s2, float porePressure, bool poreOn);

// An envelope as a polyline of world points.
struct Envelope {
  std::vector<PlotPoint> Points;
  // The curve stopped where a point left the 32-bit range; the plot hides
  // its axis captions, as on any overflow while drawing.
  bool Overflow = false;
};

// Adds the point (x, y) to the curve and returns true; returns false, adding
// nothing, where the curve must stop: y undefined (not a number), or beyond
// the 32-bit range (Overflow is then set).
bool AddEnvelopePoint(Envelope& envelope, float x, double y);

// At most this many steps along one run of an envelope or chart series: a
// finer run would draw nothing the picture could show (stresses in psi).
inline constexpr int kMaxEnvelopeSteps = 1000;

// The values from, from + step, from + 2 step, ... (step may be negative)
// while, rounded to 32-bit floats, they do not pass `to`; an integer
// counter drives the run (floats are never added up). With more than
// kMaxEnvelopeSteps steps the run takes kMaxEnvelopeSteps equal steps from
// `from` to `to` instead, ending on `to` itself. Empty when `from` already
// lies beyond `to`, or when the step is 0 or not finite.
std::vector<double> EnvelopeSteps(double from, double to, double step);

// Points (x, curve(x)) over the abscissae; curve returns
// std::optional<float>, and an abscissa without a value (or beyond the
// 32-bit range) is left out.
template <typename Curve>
std::vector<PlotPoint> SampleEnvelope(const std::vector<double>& xs, Curve&& curve) {
  std::vector<PlotPoint> points;
  points.reserve(xs.size());
  for (double x : xs) {
    if (!FitsFloat(x)) continue;
    if (const std::optional<float> y = curve(x)) {
      points.push_back({static_cast<float>(x), *y});
    }
  }
  return points;
}

}  // namespace brantel
