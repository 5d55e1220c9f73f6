#pragma once

#include "core/project/ProjectRecord.h"

#include <QPointF>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

namespace brantel {

// What the Hoek-Brown, Bieniawski and Von Mises tools share: each judges a
// plane stress state by its principal stresses and draws it in the
// principal-stress plane, the minor principal stress s2 along the
// horizontal axis and the major one s1 up the vertical axis. Stresses are
// in the project's stress unit, angles in degrees.
//
// Shared arithmetic of core/Arithmetic.h used here: CalcPrincipal2D. Numbers
// are rounded to 32-bit floats with CSng (core/Conversions.h); a value the
// 32-bit range cannot hold raises Overflow (6) where a function says so.

// Display masks (core/NumberFormat Format).
inline constexpr QStringView kCriterionValueMask = u"#0.##0";    // inputs, s1, s2, angles
inline constexpr QStringView kStrengthCaptionMask = u"###0.0";   // the strength caption Label19

// The answer of a criterion for one stress state.
enum class CriterionVerdict {
  Holds,          // "False": the state lies on or inside the envelope
  Fails,          // "True": the state lies beyond the envelope
  RangeError,     // "Range Error": the criterion is not defined for the state
  Blank,          // "": nothing to judge (a strength of 0, no stress at all)
  NotComputable,  // "": the two sides of the test leave the 64-bit range
};

// "True", "False", "Range Error" or an empty text; the same in both languages.
QString CriterionVerdictText(CriterionVerdict verdict);

// The 16-bit Boolean of the record after a verdict: -1 for Fails, 0 for
// Holds; every other verdict keeps the previous flag.
qint16 FailureFlagAfter(CriterionVerdict verdict, qint16 previous);

// The test "stress side > strength side", both sides rounded to 32-bit
// floats first, so a tie holds. Sides beyond the 32-bit range are compared
// as they are; a side that is not a finite number gives NotComputable.
CriterionVerdict CompareCriterionSides(double stressSide, double strengthSide);

// The principal stresses of a plane stress state (CalcPrincipal2D: s1 >= s2,
// Theta2 the direction of s2). Raises Overflow (6) beyond the 32-bit range.
Principal2D PrincipalOf(float sx, float sy, float txy);

// A principal stress less the pore pressure: the 32-bit value when it has
// one, else the exact difference (a verdict is still given).
double EffectiveStress(float stress, float porePressure);

// --- Validation of the input boxes.

// How one input box is checked: a text that is not a number gives the
// message Greek / English (behind "Invalid value for " when `prefixed`);
// with a sign sentence, a negative value gives that whole sentence.
struct CriterionBoxRule {
  QStringView Box;  // the control's name
  const char* Greek;
  const char* English;
  bool Prefixed;
  const char* SignGreek;    // nullptr: negative values pass
  const char* SignEnglish;
};

// A box that validation refuses, with the message to show; the dialog puts
// the focus back in the box and selects its text.
struct InputFault {
  int Box = -1;  // index into the tool's box table
  QString Greek;
  QString English;
  bool Prefixed = false;  // ShowInvalidValue's prefix flag
};

// The outcome of a tool's validation.
struct CriterionInputCheck {
  std::optional<InputFault> Fault;  // refused: message, no calculation, no redraw
  // Boxes that were empty: each gets the text "0" and is selected (its
  // change validates again).
  std::vector<int> ZeroedBoxes;
  // True when the stress boxes all passed, so their values go into the
  // working stress state in this pass.
  bool StoreStress = true;

  bool Valid() const { return !Fault.has_value(); }
};

// The text of a box holds a number the tools can take: IsNumericEntry
// passes and its leading number fits a 32-bit float.
bool IsCriterionEntry(const QString& text);

// The leading number of a box's text as a 32-bit float (0 for an empty box
// or a partial entry). Only for texts IsCriterionEntry accepts.
float CriterionEntryValue(const QString& text);

// The fault of a text that is not a number, or of a negative value, for the
// box at `index` of `rules`.
InputFault TextFault(std::span<const CriterionBoxRule> rules, int index);
InputFault SignFault(std::span<const CriterionBoxRule> rules, int index);

// --- The plot in the principal-stress plane.

// The zoom factor of the zoom bar (values 1 to 20): value / 10.
float ZoomFactorOf(int barValue);

// One axis of the plot: the world values at the picture's edges before the
// axes' crossing places them, and the span between them.
struct PrincipalAxisRange {
  float Min = 0;
  float Max = 0;
  float Span = 0;
};

// With R = (s1 - s2)/2: Min = s2 - f R, Max = s1 + f R, the span raised to
// 1.2 Max when that is larger. Raises Overflow (6) beyond the 32-bit range.
PrincipalAxisRange ZoomedAxisRange(float s1, float s2, float zoomFactor);

// Min = s2 - R, Max = s1 + R and the plain span, 2 (s1 - s2) (no zoom, no
// 1.2 rule). Raises Overflow (6) beyond the 32-bit range.
PrincipalAxisRange PlainAxisRange(float s1, float s2);

struct PrincipalPlotRange {
  PrincipalAxisRange X;
  PrincipalAxisRange Y;
  float R = 0;  // (s1 - s2)/2
};

// The point of a stress state: (s2, s1).
QPointF StressPointOf(float s1, float s2);

// The effective-stress point (s2 - P, s1 - P), only when the pore option is
// ticked (usePore = 1), P > 0 and s2 - P > 0.
std::optional<QPointF> EffectiveStressPointOf(float s1, float s2, float porePressure, qint16 usePore);

// An envelope as a polyline of world points (x = s2, y = s1).
struct PrincipalEnvelope {
  std::vector<QPointF> Points;
  // The curve stopped where a point left the 32-bit range; the plot hides
  // its axis captions, as on any overflow while drawing.
  bool Overflow = false;
};

// Adds the point (x, y) to the curve and returns true; returns false, adding
// nothing, where the curve must stop: y undefined (not a number), or beyond
// the 32-bit range (Overflow is then set).
bool AddEnvelopePoint(PrincipalEnvelope& envelope, float x, double y);

// At most this many steps along one run of an envelope: beyond it the step
// widens so that the run still ends where it should (stresses in psi).
inline constexpr int kMaxEnvelopeSteps = 1000;

// The values from, from + step, from + 2 step, ... (step may be negative)
// while, rounded to 32-bit floats, they do not pass `to`; an integer counter
// drives the run. With more than kMaxEnvelopeSteps steps the run takes
// kMaxEnvelopeSteps equal steps from `from` to `to` instead. Empty when
// `from` already lies beyond `to`, or when the step is 0.
std::vector<float> EnvelopeSteps(float from, float to, double step);

// The 32-bit value of a number when it has one.
std::optional<float> SingleOf(double value);

}  // namespace brantel
