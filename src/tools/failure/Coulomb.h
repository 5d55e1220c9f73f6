#pragma once

#include "core/Validation.h"
#include "core/project/ProjectRecord.h"
#include "tools/failure/FailureCommon.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace brantel {

// Mechanics of the Coulomb criterion tool for intact material: the third of
// cohesion c, uniaxial compressive strength UCS and friction angle phi from
// the other two, the principal stresses, the verdict with and without pore
// pressure, the failure plane and its shear stress, the searches for the
// stress at which failure starts, and the world geometry of the Mohr and
// s1-s3 plots. Stresses are in the project's stress unit, angles in degrees.
//
// Shared arithmetic used (core/Arithmetic.h): CalcPrincipal2D (through
// FailurePrincipalStresses) and CoulombSigma1, the strength
// s1f = (s3 - u)(1 + sin phi)/(1 - sin phi) + 2 c cos phi/(1 - sin phi);
// kRadianFactor and kDegreeFactor for the angle conversions.
//
// No function here raises: a number beyond the 32-bit range, or a friction
// angle of 90 degrees or more in size, leaves the result concerned
// uncomputed (flagged or empty), never infinite or undefined.

// Display masks of the dialog's boxes (the plot's captions: kStrengthCaptionMask).
inline constexpr QStringView kCoulombStressMask = u"#0.##0";    // sx, sy, txy, P, c, UCS, s1, s2, shear
inline constexpr QStringView kCoulombFrictionMask = u"#0.0";    // phi; "0" when derived from c = 0
inline constexpr QStringView kCoulombDirectionMask = u"#0.#0";  // w1(s1), w2(s2)
inline constexpr QStringView kCoulombFailureAngleMask = u"#0.0";
inline constexpr QStringView kCoulombLimitMask = u"#0.#0";  // the box a limit search writes
// The notice beside the pore-pressure box when P > s2.
inline constexpr QStringView kCoulombPoreNotice = u" pore>σ2";

// ParamOption of CoulombParams (CoulombDerived): which of the three values
// is derived. Any other stored value is taken as cohesion.
CoulombDerived DerivedParameter(CoulombDerived paramOption);

// --- Strength parameters -----------------------------------------------------

// c, UCS and phi, with the derived one filled in. With t = tan phi:
// c = UCS / (2 (sqrt(t^2 + 1) + t)), UCS = 2 c (sqrt(t^2 + 1) + t), and
// phi = 2 (atan(UCS / (2 c)) - pi/4) in degrees (0 when c is 0).
struct CoulombStrength {
  float Cohesion = 0;
  float UniaxialStrength = 0;
  float FrictionAngle = 0;
  // False when the derived value could not be formed (an entered friction
  // angle of 90 degrees or more in size, or a value beyond the 32-bit
  // range); the derived field is then 0.
  bool Derived = false;
  // |phi| < 90: the criterion can be evaluated. A derived phi outside it
  // (c and UCS of opposite signs, or UCS = 0 with c not 0) is kept for
  // display but judges nothing.
  bool FrictionInRange = false;
  bool Usable() const { return Derived && FrictionInRange; }
};
CoulombStrength DeriveCoulombStrength(const CoulombParams& params);

// The text of the derived parameter's box: c or UCS with "#0.##0", phi
// with "#0.0", and "0" for a friction angle derived from c = 0. Empty when
// the value could not be derived.
QString DerivedParameterText(const CoulombStrength& strength, CoulombDerived paramOption);

// A derived value as its box shows it, rounded to the mask of its text (c
// and UCS "#0.##0", phi "#0.0"): what OK keeps of the derived parameter.
float DerivedParameterAsShown(float value, CoulombDerived paramOption);

// --- Validation --------------------------------------------------------------

// The inputs, in the order the dialog reads and checks them.
enum class CoulombField { None, Sx, Sy, Txy, PorePressure, Cohesion, UniaxialStrength, FrictionAngle };

// The message of a refused field, for a text that is no number as for a
// value its rule refuses: "Invalid value for " + "sx" / "sy" / "txy" /
// "Pore Pressure", or the sentences for cohesion, strength and friction
// angle. Empty for None.
InputMessage CoulombInvalidMessage(CoulombField field);

// The value rule of a field (ValueRule, core/Validation.h), refusing with
// the field's message: sx, sy and P a value below 0, the friction angle one
// of 90 degrees or more in size (tan phi and 1 - sin phi would divide by
// zero at 90). txy, c and UCS have none (any number, any sign). The rules
// apply to the values entered: P only while the pore option is on, and the
// derived parameter not at all, so that a derived friction angle of -90 or
// less (c and UCS of opposite signs, or UCS = 0 with c not 0) is shown and
// judges nothing.
ValueRule CoulombValueRule(CoulombField field);

// --- The criterion -----------------------------------------------------------

struct CoulombResult {
  // False only when the principal stresses lie beyond the 32-bit range;
  // every result box is then emptied.
  bool Computed = false;
  Principal2D Principal;  // boxes s1, s2 ("#0.##0"), w1, w2 ("#0.#0")
  CoulombStrength Strength;

  // The state can be judged: the strength is usable, c, UCS and phi are not
  // all 0, and s1, s2 are not both 0. Otherwise the verdict, pore verdict,
  // angle and shear boxes are emptied (never left from an earlier state).
  bool Judged = false;
  // s1 at failure for s3 = s2 without pore pressure (CoulombSigma1).
  std::optional<float> FailureStrength;
  // s1 >= the failure strength: a tie fails.
  bool Failure = false;
  // With the pore option on: s1 - P >= the strength for s3 = s2 - P (a tie
  // fails); false when the option is off or P > s2.
  bool PoreFailure = false;
  Verdict FailureVerdict = Verdict::Blank;  // shown in lower case
  // On the effective stresses, in lower case; blank when the option is off
  // or P is 0.
  Verdict PoreVerdict = Verdict::Blank;
  // Pore option on and P > s2: kCoulombPoreNotice is shown.
  bool PoreAboveS2 = false;
  // The failure plane's angle from the x axis, (90 - theta1) + 45 + phi/2,
  // while the state fails with or without pore pressure.
  std::optional<float> FailureAngle;
  // The shear stress on the failure plane, |(s1 - s2)/2 sin(2a)| with
  // a = phi/2 + 45, while the state fails (without pore pressure).
  std::optional<float> ShearAtFailure;
};

// The whole computation for a stress input and the parameters (the pore
// pressure acts only while UsePore is set).
CoulombResult CalcCoulomb(const StressInput& stress, const CoulombParams& params);

// Writes a result into the dialog's working copy: the derived parameter
// (when derived), Failure, PoreFailure, FailureAngle (when judged) and the
// principal stresses.
void StoreCoulombResult(const CoulombResult& result, CoulombParams& params, Principal2D& principal);

// --- Limit searches ------------------------------------------------------------

// "Upper Limit" raises sy, "Lower Limit" lowers sx (never below 0), to the
// first value on the grid of hundredths at which the state fails. The
// verdict is convex in either stress, so the search is a bracketed
// bisection that always ends; values beyond 1E15 are not searched.
enum class LimitSearch {
  Found,          // Value holds the new stress
  AlreadyFailed,  // the state fails already
  NotReachable    // the state cannot be judged, or no stress in range fails
};
struct CoulombLimit {
  LimitSearch Status = LimitSearch::NotReachable;
  // The new sy (upper) or sx (lower), a whole number of hundredths, to be
  // written once with kCoulombLimitMask: the smallest such sy above the
  // present one, or the largest such sx below the present one and not
  // below 0, at which the state fails.
  double Value = 0;
};
CoulombLimit CoulombUpperLimit(const StressInput& stress, const CoulombParams& params);
CoulombLimit CoulombLowerLimit(const StressInput& stress, const CoulombParams& params);

// "Material is already failed" or the not-reachable sentence (whole
// sentences, no prefix); empty for Found.
InputMessage CoulombLimitMessage(LimitSearch status);

// --- Plots ---------------------------------------------------------------------

// Both plots take StressPlotRange(s1, s2, zoom) on both axes and are drawn
// with one scale (picture units per stress unit) on both axes, so that the
// envelope touches the circle exactly at failure. P is the pore pressure
// while the option is on, else 0.

// The Mohr view: tau against sigma.
struct CoulombMohrView {
  float Radius = 0;                   // R = (s1 - s2)/2
  float Centre = 0;                   // C = (s1 + s2)/2, value label between s2 and s1
  float EffectiveCentre = 0;          // C' = C - P
  bool EffectiveCircleShown = false;  // P not 0 and P <= s2
  PlotPoint StressPoint;              // (C, 0), blue
  PlotPoint CohesionMarker;           // (0, c), teal; its label shows c
  // tau = c + sigma tan phi from (0, c) to sigma = s1 + R; only when c and
  // phi are both not 0 and the strength is usable.
  std::optional<PlotSegment> Envelope;
};
CoulombMohrView CoulombMohrPlot(const Principal2D& principal, const CoulombParams& params);

// The s1-s3 view: s1 up, s3 = s2 along.
struct CoulombPrincipalView {
  // N = (1 + sin phi)/(1 - sin phi); 0 when the strength is not usable.
  float N = 0;
  PlotPoint StrengthMarker;  // (0, UCS), teal; its label shows UCS
  // s1 = UCS + N s3 from (0, UCS) to s3 = s1.
  std::optional<PlotSegment> CriterionLine;
  PlotPoint StressPoint;  // (s2, s1), blue
  // (s2 - P, s1 - P), only for P not 0, P <= s2, s2 - P > 0 and s1 - P > 0.
  std::optional<PlotPoint> EffectivePoint;
};
CoulombPrincipalView CoulombS1S3Plot(const Principal2D& principal, const CoulombParams& params);

}  // namespace brantel
