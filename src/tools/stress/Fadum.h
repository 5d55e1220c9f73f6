#pragma once

#include "core/Validation.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QStringView>

#include <array>

namespace brantel {

// Mechanics of the Fadum coefficient chart and of the uniformly loaded
// rectangular foundation: Fadum's influence factor Ir of the stress under a
// corner of a loaded rectangle, the chart of Ir against m for n = 0.1 to 2,
// and the stress under any point of the plan by superposition of rectangles
// that each have the point under a corner.
//
// Lengths are in the project's length unit, loads and stresses in its
// stress unit; m and n are the rectangle's sides divided by the depth.
// Inputs and results are 32-bit floats; the factor is worked out in 64 bits.
//
// Shared arithmetic used: kPi (the quarter turn) and CheckedDivide of core/Arithmetic.h; CheckedFloat
// and CheckFinite of core/Conversions.h; Format and ParseLeadingNumber of
// core/NumberFormat.h for the point shown in the plan's boxes.
// A result beyond the float range raises Overflow (6); no function here
// returns an infinite or undefined number.

// --- The corner factor ---------------------------------------------------------

// Fadum's corner influence factor:
//   Ir = [ (m^2 + n^2 + 2) / (m^2 + n^2 + 1) * 2 m n R / (m^2 + n^2 + m^2 n^2 + 1)
//          + atan(2 m n R / (m^2 + n^2 - m^2 n^2 + 1)) ] / 12.566
// with R = sqrt(m^2 + n^2 + 1). When the arctangent's denominator is
// negative, 3.1415 is added to it; where the denominator is 0, the
// arctangent is its limit, a quarter turn (pi / 2). A side of 0 gives 0.
// The factor is symmetric in m and n. A negative m or n gives the factor
// of the mirrored rectangle with the sign of a subtracted area (each
// negative argument changes the sign), as the superposition needs.
float FadumIr(float m, float n);

// q Ir under a corner of an a x b rectangle at depth z (m = a / z,
// n = b / z); 0 when z is not above 0. Signed sides as for FadumIr.
float CornerStress(float a, float b, float z, float q);

// --- The coefficient dialog ----------------------------------------------------

inline constexpr QStringView kFadumIrMask = u"#0.##0";  // Ir; q Ir in the general format

struct FadumCornerResult {
  float Ir = 0.0f;
  float Stress = 0.0f;  // q Ir
};

// The results of the coefficient dialog for its four inputs: m = length / z,
// n = width / z; a depth of 0 gives Ir = 0 and a stress of 0.
FadumCornerResult FadumCornerResults(float load, float width, float length, float depth);

// The input boxes of the two dialogs. The coefficient dialog checks them in
// the order load, width, length, depth, the foundation tool in the order
// length, width, load, depth; each reads every box (a text that is not a
// number, or a number beyond the range of a 32-bit float, is "Input is not
// numeric" for all of them) before any value is checked.
enum class FadumBox { Load, Width, Length, Depth };

// The rule of a value of either dialog: not negative (0 passes), refused with
// the sentence of its box, "The load / width / length of the foundation
// should be positive" or "The depth of the point should be positive". The
// two dialogs differ in the Greek sentence of the load.
ValueRule FadumCornerValueRule(FadumBox box);
ValueRule FoundationValueRule(FadumBox box);

// --- The chart -----------------------------------------------------------------

inline constexpr int kFadumCurves = 20;
inline constexpr int kFadumCurvePoints = 100;

// One curve of the chart: Ir against m for one n. m runs from 0.1 by steps
// of 0.1 (added to a 32-bit float, so the last m is near 10), and n is 0.1 k
// for the k-th curve, likewise accumulated.
struct FadumChartCurve {
  float N = 0.0f;
  QList<QPointF> Points;  // (m, Ir)
};

// The twenty curves, n = 0.1 to 2.0. They do not depend on any input.
std::array<FadumChartCurve, kFadumCurves> FadumChartCurves();

// The chart's axes: x logarithmic (marked at every whole multiple within
// each decade), y linear in YDivisions steps.
struct FadumChartAxes {
  double XMin = 0.1, XMax = 10.0;
  double YMin = 0.0, YMax = 0.28;
  int YDivisions = 14;
};
inline constexpr FadumChartAxes kFadumChartAxes{};
inline constexpr QStringView kFadumChartTitle = u"Fadum Chart";
inline constexpr QStringView kFadumChartXTitle = u"m";
inline constexpr QStringView kFadumChartYTitle = u"Ir";
inline constexpr QStringView kFadumChartNTitle = u"n";  // heads the values of n at the curves' ends

// --- The foundation plan -------------------------------------------------------

// The plan: x to the right along the foundation's length, y downward along
// its width, origin at the top-left corner, the foundation covering [0, L]
// by [0, B]. A length unit is 1000 plan units (twips); the plan is 10040
// plan units square with its grid every 1000 up to 10000.
inline constexpr double kPlanUnitsPerLength = 1000.0;
inline constexpr double kPlanExtent = 10040.0;
inline constexpr int kPlanGridLines = 10;

inline constexpr QStringView kPlanCoordinateMask = u"#0.#0";   // x and y of the point
inline constexpr QStringView kFoundationStressMask = u"#0.0";  // the stress (Dsv)

// A rectangle of the plan, from its x and y "from" to its "to" in length
// units, as the superposition names it; a side running backwards counts as a
// subtracted area.
struct PlanRect {
  float X0 = 0.0f, X1 = 0.0f;
  float Y0 = 0.0f, Y1 = 0.0f;
  bool Shown = false;
  // Its place in the plan, in plan units, with a width and height of 0 or more.
  QRectF InPlanUnits() const;
};

// The drawn foundation: [0, L] by [0, B], a side below 0 counting as 0.
PlanRect FoundationOutline(float length, float width);

// Where the point P = (x, y) lies against the foundation's far corner (L, B),
// each comparison one of greater, equal, less; the row of the superposition.
enum class FoundationCase {
  BeyondFarCorner = 1,   // x > L, y > B: Whole - A - B + C
  BeyondOnFarEdgeY = 2,  // x > L, y = B: Whole - A
  BeyondOnFarEdgeX = 3,  // x = L, y > B: Whole - A
  BesideEdgeX = 4,       // x > L, y < B: Whole - A - B + C
  BesideEdgeY = 5,       // x < L, y > B: Whole - A - B + C
  OnEdgeX = 6,           // x = L, y < B: Whole + C
  OnEdgeY = 7,           // x < L, y = B: Whole + C
  AtFarCorner = 8,       // the foundation's own corner stress
  Under = 9,             // x < L, y < B: Whole + A + B + C
};

struct FoundationStress {
  FoundationCase Case = FoundationCase::Under;
  // The auxiliary rectangles, each with P at a corner when shown: the whole
  // rectangle between the origin and P, and the three that the cases above
  // add to it or take from it.
  PlanRect Whole, A, B, C;
  float Stress = 0.0f;  // the additional vertical stress at P
};

// The stress at depth z under the point (x, y) of the plan, for a pressure q
// on the L x B foundation, with the sides as entered (a side below 0 counts
// as 0). A point with a negative coordinate falls into the row whose
// comparison for it is less; its rectangles then run backwards across the
// origin and still add up to the loaded area. A depth not above 0 gives 0.
FoundationStress FoundationPointStress(float length, float width, float depth, float load, float x, float y);

// The point shown in the x and y boxes for the pointer at (x, y) plan units:
// the pointer held to the plan [0, 10040], divided by 1000 and read back from
// its text in kPlanCoordinateMask, so the point moves in steps of 0.01.
QPointF PlanPointAt(double xPlanUnits, double yPlanUnits);

}  // namespace brantel
