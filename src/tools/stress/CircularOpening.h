#pragma once

#include "core/Arithmetic.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <optional>

namespace brantel {

// Mechanics of the circular-opening tool: the Kirsch stresses around a
// circular opening under a plane far-field stress state, at one point and
// along the radial line of that point as three curves for the graph buffer.
//
// Stresses, the radius a and the distance r are in the project's units;
// angles are degrees at every interface, turned into radians with the
// degree factor kDegreeFactor (0.017453292519943278). Fields are 32-bit
// floats as the project record keeps them.
//
// Shared arithmetic used (core/Arithmetic.h): CalcPrincipal2D, CheckedDivide
// and kDegreeFactor. Floating-point faults are never silent: an overflow (6) or
// a division by zero (11) raises a RuntimeError, which the dialog logs to
// the history (LogRuntimeError) before it empties the results it could not
// compute.

// Display masks: the input boxes and the three stress results, the angle
// result Dw.
inline constexpr QStringView kCircularStressMask = u"#0.##0";
inline constexpr QStringView kCircularAngleMask = u"#0.0";

// ---------------------------------------------------------------------------
// Input boxes.

// One input box as the checks see it. `Numeric` is IsNumericEntry of the
// text; `Value` is the number the box gives back (ParseLeadingNumber of the text, or the
// stored value while the box is unedited) as a 32-bit float, and `Readable`
// is false when that number lies beyond the 32-bit range (Value is then 0).
// Such a box fails the first check made on it, so that nothing unreadable
// reaches the working copy.
struct OpeningEntry {
  bool Empty = true;
  bool Numeric = true;
  bool Readable = true;
  float Value = 0.0f;

  // The value; raises Overflow (6) when the box is not readable.
  float Number() const;
  // A number the checks can use: numeric text, within the 32-bit range.
  bool Usable() const { return Numeric && Readable; }
};

// The entry of a box from its text alone: ParseLeadingNumber of the text.
OpeningEntry ReadOpeningEntry(const QString& text);
// The entry of a box whose value is known apart from its text (the stored
// value of a box the user did not edit).
OpeningEntry ReadOpeningEntry(const QString& text, double value);

// The principal stresses of the far field.
Principal2D FieldPrincipal(const StressInput& stress);

// The message of a failed check (not of None) from a table in the order of
// the checks, the first failing check at index 0.
template <typename Message, std::size_t N, typename Check>
const Message& CheckMessageIn(const Message (&messages)[N], Check check) {
  const int index = static_cast<int>(check) - 1;
  Q_ASSERT(index >= 0 && index < static_cast<int>(N));
  return messages[index];
}

// ---------------------------------------------------------------------------
// The Kirsch solution.

// The stresses at a point around the opening (project stress unit).
struct KirschStresses {
  float SigmaR = 0.0f;      // radial
  float SigmaTheta = 0.0f;  // tangential
  float TauRTheta = 0.0f;   // shear
};

// The Kirsch stresses for the principal sum P = s2 + s1 and difference
// Q = s2 - s1, k = a^2 / rho^2, on a radial line at t radians from the
// direction of s2:
//   SigmaR     = (P/2)(1 - k) + (Q/2)(1 - 4k + 3k^2) cos 2t
//   SigmaTheta = (P/2)(1 + k) - (Q/2)(1 + 3k^2) cos 2t
//   TauRTheta  = -(Q/2)(1 + 2k - 3k^2) sin 2t
// Raises Overflow (6) when a stress lies beyond the 32-bit range.
KirschStresses KirschStressesAt(float P, float Q, float k, float t);

// ---------------------------------------------------------------------------
// The point values.

struct CircularPoint {
  // False when r is not greater than 0: nothing else is set; the dialog
  // empties the point results and logs CircularDistanceWarning.
  bool Computed = false;
  float S1 = 0.0f;  // principal far-field stresses (S1Field, S2Field)
  float S2 = 0.0f;
  float Theta2 = 0.0f;       // direction of s2 from the x axis, degrees
  float AngleFromS2 = 0.0f;  // Dw = w - Theta2, degrees (shown in kCircularAngleMask)
  KirschStresses Stress;     // shown in kCircularStressMask
  // SigmaR / s1 and SigmaTheta / s1 (64-bit quotients), empty when s1 = 0.
  std::optional<double> RadialRatio;
  std::optional<double> TangentialRatio;
};

// The stresses at distance opening.R from the centre on the radial line at
// opening.Angle degrees from the x axis, for the far field of `stress` and
// the radius opening.A. The internal pressure plays no part here. Raises
// Overflow (6) or Division by zero (11) on extreme inputs.
CircularPoint CalcKirschPoint(const StressInput& stress, const CircularData& opening);

// Writes what a point calculation leaves in the working copy: S1Field,
// S2Field, SigmaR, SigmaTheta, TauRTheta (nothing when not computed).
void RecordKirschPoint(const CircularPoint& point, CircularData& opening);

// The ratio labels: "sr/sv = " (radial) or "sw/sv = " (tangential) and the
// ratio with kCircularStressMask, the prefixes "σr/σv = " and "σθ/σv = "
// when EnglishMenus says no; "-" for an empty ratio.
QString RadialRatioText(const std::optional<double>& ratio);
QString TangentialRatioText(const std::optional<double>& ratio);

// The history warning of a distance that is not positive, in the current
// language: "Warning: Error < 0".
QString CircularDistanceWarning();

// ---------------------------------------------------------------------------
// The stress curves along the radial line.

inline constexpr int kCircularCurvePoints = 101;  // the graph buffer's points

// The extent factor F of the curves in radii: 3 with "Plot to 3R", else the
// setting CircularCurvesExtent. A factor below 1 gives no meaningful curves and reads
// as the default 5, as a stored 0 does.
float CurveExtent(bool plotTo3R, int circExtend);

struct StressCurves {
  float S1Field = 0.0f;  // s1 - p
  float S2Field = 0.0f;  // s2 - p
  int Count = 0;         // points 0..Count - 1, never more than 101
  // x = rho / a, the distance from the centre in radii (1 on the wall), and
  // the radial, tangential and shear stress there.
  std::array<float, kCircularCurvePoints> X{};
  std::array<float, kCircularCurvePoints> Radial{};
  std::array<float, kCircularCurvePoints> Tangential{};
  std::array<float, kCircularCurvePoints> Shear{};
  KirschStresses Last;  // the values of the last point
};

// The curves from the wall (rho = a) outward in steps of F a / 100 while rho
// does not pass F a, for the principal stresses reduced by the internal
// pressure (s1 - p, s2 - p). For a = 1, F = 3 gives 67 points up to
// x = 2.98, F = 5 gives 80 points up to x = 4.95 (the accumulated rho passes
// 5 by a rounding error), F = 2 gives 51, F = 1 one point; other radii can
// gain the last point. Needs opening.A > 0. Raises Overflow (6) on extreme
// inputs.
StressCurves CalcStressCurves(const StressInput& stress, const CircularData& opening, float extent);

// Writes what a curve calculation leaves in the working copy: S1Field and
// S2Field (reduced by p), and SigmaR, SigmaTheta, TauRTheta of the last point.
void RecordStressCurves(const StressCurves& curves, CircularData& opening);

// Fills the graph buffer: curve 0 radial, 1 tangential, 2 shear, all with
// the same x; GraphLastPoint = Count - 1.
void FillGraphBuffer(const StressCurves& curves);

// ---------------------------------------------------------------------------
// Validation of the dialog's boxes.

struct CircularEntries {
  OpeningEntry Sx, Sy, Txy;
  OpeningEntry A;             // radius of the opening
  OpeningEntry Angle;         // w
  OpeningEntry R;             // distance of the point
  OpeningEntry Pressure;      // p
  bool GraphChecked = false;  // the curves along the radial line are asked for
};

// The inputs, as a failed check names the one it refuses.
enum class CircularField { Sx, Sy, Txy, Radius, Angle, Distance, Pressure };

// The checks in the order they run; the first failing one stops validation.
enum class CircularCheck {
  None = 0,               // every check passed
  Sx,                     // sx not a number
  Sy,                     // sy
  Txy,                    // txy
  Radius,                 // a
  Angle,                  // w
  Distance,               // r, tested only while Graph is clear
  RadiusNotPositive,      // a <= 0: "a > 0" beside the radius
  NegativePressure,       // p < 0: message box
  DistanceNotPositive,    // r <= 0 while Graph is clear: "r > 0" beside the distance
  DistanceInsideOpening,  // both boxes filled and a > r: "r > a" beside the distance
};

CircularCheck FailedCircularCheck(const CircularEntries& entries);

// What the dialog shows for a failed check: either a message box, or the
// note `Note` beside the box of `Field` (the radius's or the distance's);
// the box of `Field` gets the focus.
struct CircularCheckMessage {
  CircularField Field;
  InputMessage Message;  // the message box; no text when a note is shown
  const char* Note;      // nullptr for a message box
};

// The message of a failed check (not of None).
const CircularCheckMessage& CircularCheckMessageOf(CircularCheck check);

// Reads the boxes into the working copy: Sx, Sy, Txy, A, Angle, R and
// InternalPressure. Raises Overflow (6) for a box that is not readable,
// which validation has refused before.
void StoreCircularEntries(const CircularEntries& entries, StressInput& stress, CircularData& opening);

// The scroll-bar position of an angle: the angle rounded to a whole number
// (halves to even), remainder of the division by 360 with the sign of the
// angle (370 gives 10, -725 gives -5). Empty when the rounded angle does not
// fit a 32-bit integer; the scroll bar then stays where it is.
std::optional<int> AngleScrollPosition(double angle);

}  // namespace brantel
