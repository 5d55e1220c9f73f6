#pragma once

#include "core/project/ProjectRecord.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace brantel {

// What the failure-criteria tools share: verdict texts, the effective-stress
// step of the pore-pressure option, the principal stresses of a tool's
// stress input, the world range rule of their plots and the stepping of
// envelope and chart points. Widget-free; stresses are in the project's
// stress unit, angles in degrees.

// --- Verdicts -------------------------------------------------------------

// The answer a failure test gives for a result box. Blank: the inputs
// cannot be judged (a strength of 0, no stresses, no pore pressure) and
// the box is emptied.
enum class Verdict { Blank, True, False, RangeError };

// The Coulomb and discontinuity tools write "true" / "false"; the other
// tools "True" / "False". "Range Error" has one spelling.
enum class VerdictCase { Capitalised, Lower };

// "True", "False", "Range Error" or "" (lower case "true" / "false" on
// request). The texts are the same in English and in Greek.
QString VerdictText(Verdict verdict, VerdictCase letterCase = VerdictCase::Capitalised);

inline Verdict VerdictOf(bool fails) { return fails ? Verdict::True : Verdict::False; }

// A 16-bit Boolean of the project record: -1 for true, 0 for false.
inline constexpr qint16 RecordBool(bool value) { return value ? qint16(-1) : qint16(0); }

// --- Messages --------------------------------------------------------------

// A message of a tool in both languages, as ShowInvalidValue and ShowMsg
// take it. WithPrefix: shown behind "Invalid value for " (a field name);
// otherwise a whole sentence.
struct ToolMessage {
  QStringView Greek;
  QStringView English;
  bool WithPrefix = false;
  // The text of the current language (EnglishMenus), without the prefix.
  QString Text() const;
};

// --- Stresses --------------------------------------------------------------

// The principal stresses of a tool's plane stress state (CalcPrincipal2D
// through the plane stress tool's PrincipalStresses: s1 >= s2, a state of
// three zeros has zero angles). May raise Overflow (6) when a principal
// stress is beyond the 32-bit range.
Principal2D FailurePrincipalStresses(const StressInput& stress);

// The state seen by the pore-pressure option: both principal stresses less
// the pore pressure P, each rounded to a 32-bit float. PoreAboveS2: P > s2,
// a pore pressure the tools do not let act on the minor principal stress.
// May raise Overflow (6).
struct EffectiveStresses {
  float S1 = 0;
  float S2 = 0;
  bool PoreAboveS2 = false;
};
EffectiveStresses EffectiveStressState(float s1, float s2, float pore);

// --- Plots -----------------------------------------------------------------

// A point of a plot in world units (stress, or degrees on the chart axis).
struct PlotPoint {
  float X = 0;
  float Y = 0;
};

struct PlotSegment {
  PlotPoint From;
  PlotPoint To;
};

// The world range of one axis of the interactive stress plot for a state
// s1 >= s2 and a zoom factor f (1 on a range reset, else the zoom bar's
// value / 10): Min = s2 - f R and Max = s1 + f R with R = (s1 - s2) / 2;
// Span = Max - Min, raised to 1.2 Max when that is larger. The Coulomb,
// Bieniawski and Von Mises plots take the same range on both axes. May
// raise Overflow (6).
struct AxisRange {
  float Min = 0;
  float Max = 0;
  float Span = 0;
};
AxisRange StressPlotRange(float s1, float s2, float zoom = 1.0f);

// The most points one envelope polyline or chart series is given; a finer
// step would draw nothing the picture could show.
inline constexpr int kMaxEnvelopePoints = 1001;

// The abscissae from, from + step, from + 2 step, ... up to and including
// `to`, counted with an integer (never by adding floats up). When there
// would be more than maxPoints of them, the step is widened to
// (to - from) / (maxPoints - 1) so that the run still spans from..to.
// Nothing when to < from; only `from` for a step that is not positive or
// not finite.
std::vector<double> EnvelopeAbscissae(double from, double to, double step,
                                      int maxPoints = kMaxEnvelopePoints);

// Envelope points (x, curve(x)) over the abscissae; curve returns
// std::optional<float>, and an abscissa without a value (or beyond the
// 32-bit range) is left out.
template <typename Curve>
std::vector<PlotPoint> SampleEnvelope(const std::vector<double>& xs, Curve&& curve) {
  std::vector<PlotPoint> points;
  points.reserve(xs.size());
  for (double x : xs) {
    if (!(std::fabs(x) <= std::numeric_limits<float>::max())) continue;
    if (const std::optional<float> y = curve(x)) {
      points.push_back({static_cast<float>(x), *y});
    }
  }
  return points;
}

}  // namespace brantel
