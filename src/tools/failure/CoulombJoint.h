#pragma once

#include "core/project/ProjectRecord.h"
#include "tools/failure/FailureCommon.h"

#include <QStringView>

#include <optional>
#include <vector>

namespace brantel {

// Mechanics of the Coulomb criterion in a material with one pre-existing
// discontinuity (plane of weakness), for one parameter set at a time (the
// dialog keeps two): the principal stresses, the pore-pressure clamp, the
// Coulomb test of the intact material and the single-plane-of-weakness test
// of the discontinuity, each with and without pore pressure, the world
// geometry of the Mohr plot with the discontinuity's sliding range, and the
// series and scales of the s1-beta chart. Stresses are in the project's
// stress unit, angles in degrees.
//
// Shared arithmetic used (core/Arithmetic.h): CalcPrincipal2D (through
// FailurePrincipalStresses), CoulombSigma1 for the material, ArcSin for the
// sliding range; kRadianFactor and kDegreeFactor for the angles.
//
// No function here raises: a number beyond the 32-bit range leaves the
// result concerned uncomputed (flagged or empty), never infinite or
// undefined.

// Display masks (the plot's captions: kStrengthCaptionMask).
inline constexpr QStringView kJointStressMask = u"#0.##0";      // sx, sy, txy, P, cohesions, s1, s2, w1, w2
inline constexpr QStringView kJointAngleMask = u"#0.0";         // friction angles, alpha, beta1 and beta2 labels
inline constexpr QStringView kJointBetaMask = u"#0.#0";         // "Angle to s1"
inline constexpr QStringView kJointReducedPoreMask = u"#0.#0";  // P after the clamp
inline constexpr QStringView kJointStrengthMask = u"0.00";      // "Material Strength"
// The notice of the material's pore test when P > s2.
inline constexpr QStringView kJointPoreNotice = u" p>σ2";

// --- Validation --------------------------------------------------------------

// The boxes of the tool in the order they are read. Every box is read by
// its leading number; a number beyond the 32-bit range is refused. The
// parameters are refused further, in this order: material cohesion below
// 0, material friction angle below 0 or 90 and more, discontinuity cohesion
// below 0, discontinuity friction angle below 0 or 90 and more. Stresses,
// pore pressure and inclination have no range.
enum class JointField {
  None,
  Sx,
  Sy,
  Txy,
  PorePressure,
  MaterialCohesion,
  MaterialFriction,
  JointCohesion,
  JointFriction,
  Alpha,
};
// The value rule of a field (none for the stresses, the pore pressure and
// the inclination), refusing with JointInvalidMessage.
ValueRule JointValueRule(JointField field);
// The first parameter its rule refuses; None when all pass.
JointField FirstInvalidJointInput(const JointMaterial& material, const JointPlane& plane);

// The message of a refused field: a sentence for the four parameters, the
// field's name behind "Invalid value for " for the others; empty for None.
InputMessage JointInvalidMessage(JointField field);

// --- Pore pressure -----------------------------------------------------------

// A pore pressure above s2 cannot act: it is reduced to s2 itself (by value;
// the box then shows s2 with kJointReducedPoreMask), or, when s2 <= 0, the
// pore option is switched off.
enum class PoreClamp { None, ReducedToS2, OptionSwitchedOff };

// "Pore pressure value is too high. Reduced to maximum allowed." shown for
// both clamps, then "Calculated pore pressure is negative. Option is
// disabled." for a switched-off option (through ShowMsg, OK button).
InputMessage JointPoreTooHighMessage();
InputMessage JointPoreNegativeMessage();

// --- The tests -----------------------------------------------------------------

// The angle beta between the normal of a discontinuity inclined alpha from
// the horizontal (counter-clockwise) and the direction theta1 of s1, folded
// into 0..90: b = (alpha + 90 - theta1) mod 180, beta = min(b, 180 - b).
float DiscontinuityBeta(float alpha, float theta1);

struct JointResult {
  // False only when the principal stresses lie beyond the 32-bit range;
  // every result box is then emptied.
  bool Computed = false;
  Principal2D Principal;  // s1, s2, w1, w2 boxes ("#0.##0"); never stored

  // The pore pressure after the clamp: what acts, and the option's state.
  PoreClamp PoreAction = PoreClamp::None;
  bool PoreOn = false;
  float PorePressure = 0;  // 0 while the option is off

  // Sx, Sy and Txy all 0: every failure box is emptied and the plot only
  // cleared.
  bool AllStressesZero = false;
  float Beta = 0;  // "Angle to s1", kJointBetaMask

  // Material: s1 >= CoulombSigma1(s2, c, phi, 0); with pore pressure
  // s1 - P >= CoulombSigma1(s2, c, phi, P); ties fail. The pore flag is
  // false while the option is off or P > s2.
  bool MaterialFailure = false;
  bool MaterialPoreFailure = false;
  // Discontinuity: no slip for beta <= phi_j or beta = 90; otherwise it
  // slips when s1 reaches (2 cj + 2 mu s2) / ((1 - mu cot beta) sin 2beta)
  // + s2, mu = tan phi_j (with s2 - P for the pore test, which is false
  // while the option is off).
  bool JointFailure = false;
  bool JointPoreFailure = false;

  // The four boxes, lower case. Blank: all stresses 0; the material's when
  // its cohesion and friction angle are both 0; the discontinuity's when its
  // cohesion and friction angle are both 0; the pore boxes while the option
  // is off or P is 0.
  Verdict MaterialVerdict = Verdict::Blank;
  Verdict MaterialPoreVerdict = Verdict::Blank;
  Verdict JointVerdict = Verdict::Blank;
  Verdict JointPoreVerdict = Verdict::Blank;
  // Pore option on and P > s2: kJointPoreNotice is shown (emptied when on
  // and not above; left as it is while the option is off).
  bool PoreAboveS2 = false;
};

// The whole computation for one set: the stresses, the material (its
// PorePressure acts while UsePore is set) and the discontinuity.
JointResult CalcCoulombJoint(const StressInput& stress, const JointMaterial& material, const JointPlane& plane);

// Writes a result into the set's working copy: the clamped PorePressure and
// UsePore, and the three result flags.
void StoreJointResult(const JointResult& result, JointMaterial& material, JointPlane& plane);

// --- Mohr plot -----------------------------------------------------------------

// The Mohr plot is drawn with one scale on both axes (the interactive
// plot's window, sigma from s2 - R to s1 + R, tau from -R to 2R); these are
// its curves in world units.
struct JointMohrView {
  float Radius = 0;           // R = (s1 - s2)/2
  float Centre = 0;           // C = (s1 + s2)/2
  float EffectiveCentre = 0;  // C' = C - P
  // The effective half-circle and its centre dot, for P not 0 and P <= s2.
  bool EffectiveCircleShown = false;
  PlotPoint StressPoint;             // (C, 0)
  PlotPoint MaterialCohesionMarker;  // (0, cm), teal
  PlotPoint JointCohesionMarker;     // (0, cj), yellow
  // tau = c + sigma tan phi from (0, c) over the run 1.3 s1; empty when the
  // end lies beyond the 32-bit range.
  std::optional<PlotSegment> MaterialEnvelope;
  std::optional<PlotSegment> JointEnvelope;
  // The centre the sliding range is drawn from: C, or C' with pore pressure.
  PlotPoint RangeCentre;
  // The double angles 2 beta1 and 2 beta2 (degrees on the circle) of the
  // sliding range, and the radii to them (magenta). The range exists when
  // s1 > s2 and |x| < 1 for x = (2 cj cos phi_j + (s1 + s2 - 2P) sin phi_j)
  // / (s1 - s2); the radii are drawn only when cj and phi_j are both not 0.
  std::optional<float> DoubleBeta1;
  std::optional<float> DoubleBeta2;
  std::optional<PlotSegment> RangeLimit1;
  std::optional<PlotSegment> RangeLimit2;
  // The radius to the given discontinuity at 2 beta (brown), only where
  // the range exists: a circle that does not reach the discontinuity's
  // envelope has no line to the discontinuity at all.
  std::optional<PlotSegment> DiscontinuityLine;
};
// `material` carries the pore pressure that acts (after the clamp).
JointMohrView JointMohrPlot(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane,
                            float beta);

// --- s1-beta chart -------------------------------------------------------------

struct ChartAxisScale {
  double Minimum = 0;
  double Maximum = 0;
  int MajorDivisions = 0;
};

// The sigma1 axis for values from `lowest` to `highest`: with p the power
// of ten at or below the largest magnitude, the maximum is
// (Int(highest / p) + 1) p (0 when nothing is above 0), the minimum 0, or
// -(Int(-lowest / p) + 1) p when a value is below 0; the major divisions
// are (maximum - minimum) / p rounded, 4 when that is 2 or less. 37.5 gives
// 0..40 in 4, 250 gives 0..300 in 3, 150 gives 0..200 in 4; all zero gives
// 0..1 in 4.
ChartAxisScale Sigma1AxisScale(double lowest, double highest);

// The first sliding-range point when the range would start at 0 or below
// (beta = 0 is a plane normal to s1, on which nothing slides).
inline constexpr float kFirstSlidingBeta = 0.01f;

struct Sigma1BetaChart {
  // False when the material strength cannot be formed (a number beyond the
  // 32-bit range): the "Material Strength" box and the chart are emptied.
  bool Computed = false;
  // "Material Strength": CoulombSigma1(s2, cm, phi_m, 0), kJointStrengthMask.
  float MaterialStrength = 0;
  // The sliding range within 0..90 for the labels below the chart
  // (kJointAngleMask); empty when there is none (s1 = s2, |x| >= 1), and
  // the labels are then emptied. Here x has no pore pressure: the chart is
  // for total stresses.
  std::optional<float> Beta1;
  std::optional<float> Beta2;
  // (beta, s1 at failure), beta ascending from 0 to 90 in steps of 1: the
  // material strength outside the range, and inside it from beta1 in steps
  // of 1 the discontinuity's strength (2 cj + 2 mu s2) / ((1 - mu cot beta)
  // sin 2beta) + s2, kept between s2 and s1. At most 93 points.
  std::vector<PlotPoint> Points;
  ChartAxisScale BetaAxis{0, 90, 9};
  ChartAxisScale Sigma1Axis;
};
Sigma1BetaChart Sigma1BetaSeries(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane);

// Chart title and axis titles in the current language (Tr):
// "Sigma 1 - Beta Plot", "beta", "sigma 1" / "Διάγραμμα σ1 - βήτα", "β", "σ1".
struct ChartTitles {
  QString Title;
  QString BetaTitle;
  QString Sigma1Title;
};
ChartTitles Sigma1BetaTitles();

}  // namespace brantel
