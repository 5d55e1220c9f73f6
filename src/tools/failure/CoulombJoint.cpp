#include "tools/failure/CoulombJoint.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brantel {
namespace {

float ActingPore(const JointMaterial& material) { return material.UsePore ? material.PorePressure : 0.0f; }

bool FrictionRefused(float phi) { return phi < 0.0f || phi >= 90.0f; }

// The clamp of a pore pressure above s2.
struct ClampedPore {
  PoreClamp Action = PoreClamp::None;
  bool On = false;
  float Pressure = 0;
};

ClampedPore ClampPore(float s2, const JointMaterial& material) {
  ClampedPore c;
  if (!material.UsePore) return c;
  if (static_cast<double>(s2) - material.PorePressure < 0.0) {
    if (s2 <= 0.0f) {
      c.Action = PoreClamp::OptionSwitchedOff;
      return c;
    }
    c.Action = PoreClamp::ReducedToS2;
    c.On = true;
    c.Pressure = s2;
    return c;
  }
  c.On = true;
  c.Pressure = material.PorePressure;
  return c;
}

// The factor (1 - mu cot beta) sin 2beta of the single-plane-of-weakness
// criterion, with mu, cot beta and sin 2beta each rounded to a 32-bit float,
// for 0 < beta < 90.
double PlaneFactor(float beta, float mu) {
  const double b = static_cast<double>(beta) / kRadianFactor;
  const float cotBeta = CheckedFloat(1.0 / std::tan(b));
  const float sin2Beta = CheckedFloat(std::sin(2.0 * b));
  return (1.0 - static_cast<double>(mu) * cotBeta) * sin2Beta;
}

}  // namespace

ValueRule JointValueRule(JointField field) {
  switch (field) {
    case JointField::MaterialCohesion:
    case JointField::JointCohesion: return NotNegativeRule(JointInvalidMessage(field));
    case JointField::MaterialFriction:
    case JointField::JointFriction:
      return AllowedWhen([](double angle) { return !FrictionRefused(static_cast<float>(angle)); },
                         JointInvalidMessage(field));
    default: return {};
  }
}

JointField FirstInvalidJointInput(const JointMaterial& material, const JointPlane& plane) {
  const std::pair<JointField, float> parameters[] = {{JointField::MaterialCohesion, material.Cohesion},
                                                     {JointField::MaterialFriction, material.FrictionAngle},
                                                     {JointField::JointCohesion, plane.Cohesion},
                                                     {JointField::JointFriction, plane.FrictionAngle}};
  for (const auto& [field, value] : parameters)
    if (JointValueRule(field)(value)) return field;
  return JointField::None;
}

InputMessage JointInvalidMessage(JointField field) {
  switch (field) {
    case JointField::MaterialCohesion:
      return Sentence({"Invalid value for material cohesion", "Εσφαλμένη τιμή γιά τη συνοχή του υλικού"});
    case JointField::MaterialFriction:
      return Sentence({"Invalid value for material friction angle", "Εσφαλμένη τιμή γιά τη γωνία τριβής του υλικού"});
    case JointField::JointCohesion:
      return Sentence({"Invalid value for discontinuity cohesion", "Εσφαλμένη τιμή γιά τη συνοχή της ασυνέχειας"});
    case JointField::JointFriction:
      return Sentence(
          {"Invalid value for discontinuity friction angle", "Εσφαλμένη τιμή γιά τη γωνία τριβής της ασυνέχειας"});
    case JointField::Sx: return InvalidValueFor({"sx", "σx"});
    case JointField::Sy: return InvalidValueFor({"sy", "σy"});
    case JointField::Txy: return InvalidValueFor({"txy", "τxy"});
    case JointField::PorePressure: return InvalidValueFor({"Pore Pressure", "Πίεση Πόρων"});
    case JointField::Alpha:
      return InvalidValueFor({"Discontinuity Angle from Horizontal", "Γωνία ασυνέχειας από το οριζόντιο επίπεδο"});
    case JointField::None: break;
  }
  return {};
}

InputMessage JointPoreTooHighMessage() {
  return Sentence({"Pore pressure value is too high. Reduced to maximum allowed.",
                   "Υπερβολική πίεση πόρων. Μείωση στο μέγιστο επιτρεπτό."});
}

InputMessage JointPoreNegativeMessage() {
  return Sentence({"Calculated pore pressure is negative. Option is disabled.",
                   "Η πίεση πόρων υπολογίζεται αρνητική. Απενεργοποίηση επιλογής."});
}

float DiscontinuityBeta(float alpha, float theta1) {
  double b = std::fmod(static_cast<double>(alpha) + 90.0 - theta1, 180.0);
  if (b < 0.0) b += 180.0;
  if (b >= 180.0) b -= 180.0;
  // + 0.0 turns a negative zero into zero.
  return static_cast<float>(std::min(b, 180.0 - b) + 0.0);
}

JointResult CalcCoulombJoint(const StressInput& stress, const JointMaterial& material, const JointPlane& plane) {
  JointResult r;
  try {
    r.Principal = FailurePrincipalStresses(stress);
  } catch (const RuntimeError&) {
    return r;
  }
  r.Computed = true;
  const float s1 = r.Principal.S1;
  const float s2 = r.Principal.S2;

  const ClampedPore pore = ClampPore(s2, material);
  r.PoreAction = pore.Action;
  r.PoreOn = pore.On;
  r.PorePressure = pore.Pressure;
  const float p = pore.Pressure;
  r.PoreAboveS2 = pore.On && p > s2;

  r.AllStressesZero = stress.Sx == 0.0f && stress.Sy == 0.0f && stress.Txy == 0.0f;
  r.Beta = DiscontinuityBeta(plane.Alpha, r.Principal.Theta1);

  // The intact material.
  bool materialJudged = false;
  try {
    const float strength = CoulombSigma1(s2, material.Cohesion, material.FrictionAngle, 0.0f);
    r.MaterialFailure = s1 >= strength;
    if (pore.On && !r.PoreAboveS2) {
      const float poreStrength = CoulombSigma1(s2, material.Cohesion, material.FrictionAngle, p);
      r.MaterialPoreFailure = EffectiveStress(s1, p) >= poreStrength;
    }
    materialJudged = true;
  } catch (const RuntimeError&) {
    r.MaterialFailure = false;
    r.MaterialPoreFailure = false;
  }

  // The discontinuity.
  const float phiJ = plane.FrictionAngle;
  // The strength is compared as (s1 - s2) x factor against 2 cj + 2 mu s2,
  // which needs no division by the factor (0 at the ends of the range).
  if (r.Beta > phiJ && r.Beta > 0.0f && r.Beta < 90.0f && phiJ < 90.0f) {
    try {
      const float mu = CheckedFloat(std::tan(static_cast<double>(phiJ) / kRadianFactor));
      const double factor = PlaneFactor(r.Beta, mu);
      const double deviator = static_cast<double>(s1) - s2;
      r.JointFailure = deviator * factor >= 2.0 * plane.Cohesion + 2.0 * mu * s2;
      if (pore.On) {
        r.JointPoreFailure = deviator * factor >= 2.0 * plane.Cohesion + 2.0 * mu * (static_cast<double>(s2) - p);
      }
    } catch (const RuntimeError&) {
      // A plane so close to normal to s1 that cot beta leaves the 32-bit
      // range carries no shear: no slip.
      r.JointFailure = false;
      r.JointPoreFailure = false;
    }
  }

  if (r.AllStressesZero) return r;
  const bool poreShown = pore.On && p != 0.0f;
  if (materialJudged && !(material.Cohesion == 0.0f && material.FrictionAngle == 0.0f)) {
    r.MaterialVerdict = VerdictOf(r.MaterialFailure);
    if (poreShown) r.MaterialPoreVerdict = VerdictOf(r.MaterialPoreFailure);
  }
  if (!(plane.Cohesion == 0.0f && plane.FrictionAngle == 0.0f)) {
    r.JointVerdict = VerdictOf(r.JointFailure);
    if (poreShown) r.JointPoreVerdict = VerdictOf(r.JointPoreFailure);
  }
  return r;
}

void StoreJointResult(const JointResult& result, JointMaterial& material, JointPlane& plane) {
  if (!result.Computed) return;
  material.PorePressure = result.PorePressure;
  material.UsePore = result.PoreOn;
  material.Failure = result.MaterialFailure;
  material.PoreFailure = result.MaterialPoreFailure;
  plane.JointFailure = result.JointFailure;
}

// --- Mohr plot -------------------------------------------------------------------

namespace {

// tau = c + sigma tan phi from (0, c) over the run t.
std::optional<PlotSegment> EnvelopeLine(float cohesion, float phi, double run) {
  try {
    const double rise = run * std::tan(static_cast<double>(phi) * kDegreeFactor);
    return PlotSegment{{0, cohesion}, {CheckedFloat(run), CheckedFloat(cohesion + rise)}};
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

// The radius from the centre to the point at the double angle (degrees).
std::optional<PlotSegment> RadiusAt(PlotPoint centre, float radius, double doubleAngle) {
  try {
    const double a = doubleAngle * kDegreeFactor;
    return PlotSegment{centre, {CheckedFloat(centre.X + radius * std::cos(a)), CheckedFloat(radius * std::sin(a))}};
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

// The sliding range's arcsine x, or nothing when s1 = s2 or |x| >= 1.
std::optional<double> SlidingSine(double s1, double s2, double pore, float cj, float phiJ) {
  if (!(s1 > s2)) return std::nullopt;
  const double phi = static_cast<double>(phiJ) * kDegreeFactor;
  const double x = (2.0 * cj * std::cos(phi) + (s1 + s2 - 2.0 * pore) * std::sin(phi)) / (s1 - s2);
  if (!(std::fabs(x) < 1.0)) return std::nullopt;
  return x;
}

}  // namespace

JointMohrView JointMohrPlot(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane,
                            float beta) {
  JointMohrView v;
  const double s1 = principal.S1, s2 = principal.S2;
  const float p = ActingPore(material);
  try {
    v.Radius = CheckedFloat((s1 - s2) / 2.0);
    v.Centre = CheckedFloat((s1 + s2) / 2.0);
    v.EffectiveCentre = CheckedFloat(((s1 + s2) - 2.0 * p) / 2.0);
  } catch (const RuntimeError&) {
    return JointMohrView{};
  }
  v.EffectiveCircleShown = p != 0.0f && p <= principal.S2;
  v.StressPoint = {v.Centre, 0};
  v.MaterialCohesionMarker = {0, material.Cohesion};
  v.JointCohesionMarker = {0, plane.Cohesion};
  const double run = 1.3 * s1;
  v.MaterialEnvelope = EnvelopeLine(material.Cohesion, material.FrictionAngle, run);
  v.JointEnvelope = EnvelopeLine(plane.Cohesion, plane.FrictionAngle, run);

  v.RangeCentre = {p == 0.0f ? v.Centre : v.EffectiveCentre, 0};
  if (const auto x = SlidingSine(s1, s2, p, plane.Cohesion, plane.FrictionAngle)) {
    const double a = ArcSin(*x) * 180.0 / kPi;
    v.DoubleBeta1 = static_cast<float>(plane.FrictionAngle + a);
    v.DoubleBeta2 = static_cast<float>(180.0 + plane.FrictionAngle - a);
    if (plane.Cohesion != 0.0f && plane.FrictionAngle != 0.0f) {
      v.RangeLimit1 = RadiusAt(v.RangeCentre, v.Radius, *v.DoubleBeta1);
      v.RangeLimit2 = RadiusAt(v.RangeCentre, v.Radius, *v.DoubleBeta2);
    }
    v.DiscontinuityLine = RadiusAt(v.RangeCentre, v.Radius, 2.0 * beta);
  }
  return v;
}

// --- s1-beta chart -----------------------------------------------------------------

ChartAxisScale Sigma1AxisScale(double lowest, double highest) {
  const double top = std::max(highest, 0.0);
  const double bottom = std::min(lowest, 0.0);
  const double largest = std::max(top, -bottom);
  if (!(largest > 0.0) || !std::isfinite(largest)) return {0, 1, 4};
  const double p = std::pow(10.0, std::floor(std::log10(largest)));
  ChartAxisScale s;
  s.Maximum = top > 0.0 ? (std::floor(top / p) + 1.0) * p : 0.0;
  s.Minimum = bottom < 0.0 ? -(std::floor(-bottom / p) + 1.0) * p : 0.0;
  const double d = std::round((s.Maximum - s.Minimum) / p);
  s.MajorDivisions = d <= 2.0 ? 4 : static_cast<int>(d);
  return s;
}

namespace {

// The discontinuity's s1 at failure at beta (s3 = s2), at most s1 and at
// least s2: a plane that needs a negative deviator slides as soon as
// s1 = s3. Nothing when cot beta leaves the 32-bit range.
std::optional<float> DiscontinuityStrength(double beta, float s1, float s2, float cj, float mu) {
  double factor = 0;
  try {
    factor = PlaneFactor(static_cast<float>(beta), mu);
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
  if (factor == 0.0) return s1;
  const double v = (2.0 * cj + 2.0 * mu * s2) / factor + s2;
  if (!(v <= s1)) return s1;
  if (v < s2) return s2;
  return static_cast<float>(v);
}

void AppendRun(std::vector<PlotPoint>& points, double from, double to, float value) {
  for (double beta : EnvelopeSteps(from, to, 1.0)) {
    points.push_back({static_cast<float>(beta), value});
  }
}

}  // namespace

Sigma1BetaChart Sigma1BetaSeries(const Principal2D& principal, const JointMaterial& material, const JointPlane& plane) {
  Sigma1BetaChart c;
  const float s1 = principal.S1;
  const float s2 = principal.S2;
  try {
    c.MaterialStrength = CoulombSigma1(s2, material.Cohesion, material.FrictionAngle, 0.0f);
  } catch (const RuntimeError&) {
    return c;
  }
  c.Computed = true;

  const float phiJ = plane.FrictionAngle;
  std::optional<double> beta1, beta2;
  bool rangeReaches90 = false;
  if (phiJ < 90.0f) {
    if (const auto x = SlidingSine(s1, s2, 0.0, plane.Cohesion, phiJ)) {
      const double a = ArcSin(*x) / kDegreeFactor;
      beta1 = std::max<double>(static_cast<float>((phiJ + a) / 2.0), kFirstSlidingBeta);
      const double b2 = static_cast<float>((180.0 + phiJ - a) / 2.0);
      rangeReaches90 = b2 > 90.0;
      beta2 = std::min(b2, 90.0);
    }
  }

  if (!beta1) {
    AppendRun(c.Points, 0.0, 90.0, c.MaterialStrength);
  } else {
    c.Beta1 = static_cast<float>(*beta1);
    c.Beta2 = static_cast<float>(*beta2);
    AppendRun(c.Points, 0.0, *beta1, c.MaterialStrength);
    const float mu = static_cast<float>(std::tan(static_cast<double>(phiJ) / kRadianFactor));
    const std::vector<PlotPoint> curve = SampleEnvelope(EnvelopeSteps(*beta1, *beta2, 1.0), [&](double beta) {
      return DiscontinuityStrength(beta, s1, s2, plane.Cohesion, mu);
    });
    c.Points.insert(c.Points.end(), curve.begin(), curve.end());
    if (!rangeReaches90) AppendRun(c.Points, *beta2, 90.0, c.MaterialStrength);
  }

  double lowest = c.MaterialStrength;
  double highest = c.MaterialStrength;
  for (const PlotPoint& pt : c.Points) {
    lowest = std::min<double>(lowest, pt.Y);
    highest = std::max<double>(highest, pt.Y);
  }
  c.Sigma1Axis = Sigma1AxisScale(lowest, highest);
  return c;
}

ChartTitles Sigma1BetaTitles() {
  return {Tr({"Sigma 1 - Beta Plot", "Διάγραμμα σ1 - βήτα"}), Tr({"beta", "β"}), Tr({"sigma 1", "σ1"})};
}

}  // namespace brantel
