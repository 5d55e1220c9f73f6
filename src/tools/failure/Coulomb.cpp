#include "tools/failure/Coulomb.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <cmath>
#include <functional>

namespace brantel {
namespace {

bool FrictionInRange(float phi) { return std::fabs(phi) < 90.0f; }

// sqrt(t^2 + 1) + t for t = tan phi, which is UCS / (2 c). For a negative t
// the sum is formed as 1 / (sqrt(t^2 + 1) - t), which keeps its digits.
double StrengthRatio(float phi) {
  const double t = std::tan(static_cast<double>(phi) / kRadianFactor);
  const double root = std::sqrt(t * t + 1.0);
  return t >= 0.0 ? root + t : 1.0 / (root - t);
}

}  // namespace

CoulombDerived DerivedParameter(CoulombDerived paramOption) {
  switch (paramOption) {
    case CoulombDerived::UniaxialStrength:
    case CoulombDerived::FrictionAngle: return paramOption;
    case CoulombDerived::Cohesion: break;
  }
  return CoulombDerived::Cohesion;  // also any value outside the list
}

CoulombStrength DeriveCoulombStrength(const CoulombParams& params) {
  CoulombStrength s;
  s.Cohesion = params.Cohesion;
  s.UniaxialStrength = params.UniaxialStrength;
  s.FrictionAngle = params.FrictionAngle;
  const CoulombDerived k = DerivedParameter(params.ParamOption);
  try {
    if (k == CoulombDerived::FrictionAngle) {
      s.FrictionAngle = 0;
      if (params.Cohesion != 0.0f) {
        const double ratio = static_cast<double>(params.UniaxialStrength) / (2.0 * params.Cohesion);
        s.FrictionAngle = CheckedFloat(2.0 * (std::atan(ratio) - kPi / 4.0) * kRadianFactor);
      }
      s.Derived = true;
      s.FrictionInRange = FrictionInRange(s.FrictionAngle);
      return s;
    }
    s.FrictionInRange = FrictionInRange(params.FrictionAngle);
    if (k == CoulombDerived::Cohesion) s.Cohesion = 0;
    else s.UniaxialStrength = 0;
    if (!s.FrictionInRange) return s;
    const double ratio = StrengthRatio(params.FrictionAngle);
    if (k == CoulombDerived::Cohesion) {
      s.Cohesion = CheckedFloat(static_cast<double>(params.UniaxialStrength) / (2.0 * ratio));
    } else {
      s.UniaxialStrength = CheckedFloat(2.0 * params.Cohesion * ratio);
    }
    s.Derived = true;
  } catch (const RuntimeError&) {
    s.Derived = false;
  }
  return s;
}

QString DerivedParameterText(const CoulombStrength& strength, CoulombDerived paramOption) {
  if (!strength.Derived) return QString();
  switch (DerivedParameter(paramOption)) {
    case CoulombDerived::UniaxialStrength: return Format(strength.UniaxialStrength, kCoulombStressMask);
    case CoulombDerived::FrictionAngle:
      if (strength.Cohesion == 0.0f) return QStringLiteral("0");
      return Format(strength.FrictionAngle, kCoulombFrictionMask);
    case CoulombDerived::Cohesion: break;
  }
  return Format(strength.Cohesion, kCoulombStressMask);
}

float DerivedParameterAsShown(float value, CoulombDerived paramOption) {
  const QStringView mask =
      DerivedParameter(paramOption) == CoulombDerived::FrictionAngle ? kCoulombFrictionMask : kCoulombStressMask;
  return LeadingNumber<float>(Format(value, mask)).value_or(value);
}

ValueRule CoulombValueRule(CoulombField field) {
  switch (field) {
    case CoulombField::Sx:
    case CoulombField::Sy:
    case CoulombField::PorePressure: return NotNegativeRule(CoulombInvalidMessage(field));
    case CoulombField::FrictionAngle:
      return AllowedWhen([](double phi) { return FrictionInRange(static_cast<float>(phi)); },
                         CoulombInvalidMessage(field));
    default: return {};
  }
}

InputMessage CoulombInvalidMessage(CoulombField field) {
  switch (field) {
    case CoulombField::Sx: return InvalidValueFor({"sx", "σx"});
    case CoulombField::Sy: return InvalidValueFor({"sy", "σy"});
    case CoulombField::Txy: return InvalidValueFor({"txy", "τxy"});
    case CoulombField::PorePressure: return InvalidValueFor({"Pore Pressure", "Πίεση Πόρων"});
    case CoulombField::Cohesion:
      return Sentence({"Invalid value for material cohesion", "Εσφαλμένη τιμή γιά τη συνοχή του υλικού"});
    case CoulombField::UniaxialStrength:
      return Sentence({"Invalid value for material strength", "Εσφαλμένη τιμή γιά την αντοχή του υλικού"});
    case CoulombField::FrictionAngle:
      return Sentence({"Invalid value for material friction angle", "Εσφαλμένη τιμή γιά τη γωνία τριβής του υλικού"});
    case CoulombField::None: break;
  }
  return {};
}

CoulombResult CalcCoulomb(const StressInput& stress, const CoulombParams& params) {
  CoulombResult r;
  try {
    r.Principal = FailurePrincipalStresses(stress);
  } catch (const RuntimeError&) {
    return r;
  }
  r.Computed = true;
  r.Strength = DeriveCoulombStrength(params);

  const float s1 = r.Principal.S1;
  const float s2 = r.Principal.S2;
  const bool poreOn = params.UsePore;
  const float u = poreOn ? params.PorePressure : 0.0f;
  r.PoreAboveS2 = poreOn && u > s2;

  const CoulombStrength& st = r.Strength;
  const bool noStrength = st.Cohesion == 0.0f && st.UniaxialStrength == 0.0f && st.FrictionAngle == 0.0f;
  const bool noStress = s1 == 0.0f && s2 == 0.0f;
  if (!st.Usable() || noStrength || noStress) return r;

  try {
    const float strength = CoulombSigma1(s2, st.Cohesion, st.FrictionAngle, 0.0f);
    bool poreFailure = false;
    if (poreOn && !r.PoreAboveS2) {
      const float poreStrength = CoulombSigma1(s2, st.Cohesion, st.FrictionAngle, u);
      poreFailure = EffectiveStress(s1, u) >= poreStrength;
    }
    r.FailureStrength = strength;
    r.Failure = s1 >= strength;
    r.PoreFailure = poreFailure;
    r.Judged = true;
  } catch (const RuntimeError&) {
    return r;
  }

  r.FailureVerdict = VerdictOf(r.Failure);
  if (poreOn && u != 0.0f) r.PoreVerdict = VerdictOf(r.PoreFailure);
  try {
    const double phi = st.FrictionAngle;
    if (r.Failure || r.PoreFailure) {
      r.FailureAngle = CheckedFloat((90.0 - r.Principal.Theta1) + 45.0 + phi / 2.0);
    }
    if (r.Failure) {
      const double a = phi / 2.0 + 45.0;
      r.ShearAtFailure =
          CheckedFloat(std::fabs((static_cast<double>(s1) - s2) * 0.5 * std::sin(2.0 * a * kDegreeFactor)));
    }
  } catch (const RuntimeError&) {
    // An angle or shear beyond the 32-bit range stays empty: its box is
    // blanked, the record keeps its last angle, and the verdict stands.
  }
  return r;
}

void StoreCoulombResult(const CoulombResult& result, CoulombParams& params, Principal2D& principal) {
  if (!result.Computed) return;
  principal = result.Principal;
  if (result.Strength.Derived) {
    params.Cohesion = result.Strength.Cohesion;
    params.UniaxialStrength = result.Strength.UniaxialStrength;
    params.FrictionAngle = result.Strength.FrictionAngle;
  }
  params.Failure = result.Failure;
  params.PoreFailure = result.PoreFailure;
  if (result.Judged && result.FailureAngle) params.FailureAngle = *result.FailureAngle;
}

// --- Limit searches ----------------------------------------------------------

namespace {

// Stresses are searched on the grid of hundredths up to this size.
constexpr double kLimitSearchBound = 1e15;

// The first index of first..last at which `fails` holds, for a predicate
// that is false and then true along the run; nothing when it never holds.
// Galloping then bisection: about 2 log2(last - first) evaluations.
std::optional<qint64> FirstFailingIndex(qint64 first, qint64 last, const std::function<bool(qint64)>& fails) {
  if (first > last) return std::nullopt;
  if (fails(first)) return first;
  qint64 lo = first;  // known not to fail
  qint64 hi = last;
  bool bracketed = false;
  for (qint64 d = 1;; d *= 2) {
    const qint64 probe = (last - first > d) ? first + d : last;
    if (fails(probe)) {
      hi = probe;
      bracketed = true;
      break;
    }
    lo = probe;
    if (probe == last) break;
  }
  if (!bracketed) return std::nullopt;
  while (hi - lo > 1) {
    const qint64 mid = lo + (hi - lo) / 2;
    if (fails(mid)) hi = mid;
    else lo = mid;
  }
  return hi;
}

// The stress a grid index stands for, as the box gives it back: k / 100.
double GridValue(qint64 k) { return static_cast<double>(k) / 100.0; }

bool FailsWith(const StressInput& stress, const CoulombParams& params) {
  const CoulombResult r = CalcCoulomb(stress, params);
  return r.Judged && r.Failure;
}

// The search starts from a state that can be judged and does not fail.
std::optional<CoulombLimit> RefuseStart(const StressInput& stress, const CoulombParams& params) {
  const CoulombResult r = CalcCoulomb(stress, params);
  if (!r.Judged) return CoulombLimit{LimitSearch::NotReachable, 0};
  if (r.Failure) return CoulombLimit{LimitSearch::AlreadyFailed, 0};
  return std::nullopt;
}

}  // namespace

CoulombLimit CoulombUpperLimit(const StressInput& stress, const CoulombParams& params) {
  if (auto refused = RefuseStart(stress, params)) return *refused;
  const double v0 = stress.Sy;
  if (!(v0 < kLimitSearchBound)) return {LimitSearch::NotReachable, 0};
  // The first hundredth above the present sy.
  qint64 first = static_cast<qint64>(std::floor(v0 * 100.0)) + 1;
  while (GridValue(first) <= v0) ++first;
  const qint64 last = static_cast<qint64>(kLimitSearchBound * 100.0);
  StressInput trial = stress;
  const auto k = FirstFailingIndex(first, last, [&](qint64 i) {
    try {
      trial.Sy = CheckedFloat(GridValue(i));
    } catch (const RuntimeError&) {
      return false;
    }
    return FailsWith(trial, params);
  });
  if (!k) return {LimitSearch::NotReachable, 0};
  return {LimitSearch::Found, GridValue(*k)};
}

CoulombLimit CoulombLowerLimit(const StressInput& stress, const CoulombParams& params) {
  if (auto refused = RefuseStart(stress, params)) return *refused;
  const double v0 = stress.Sx;
  if (!(v0 < kLimitSearchBound)) return {LimitSearch::NotReachable, 0};
  // The last hundredth below the present sx; the run goes down to 0.
  qint64 top = static_cast<qint64>(std::ceil(v0 * 100.0)) - 1;
  while (top >= 0 && GridValue(top) >= v0) --top;
  if (top < 0) return {LimitSearch::NotReachable, 0};
  StressInput trial = stress;
  const auto j = FirstFailingIndex(0, top, [&](qint64 i) {
    trial.Sx = CheckedFloat(GridValue(top - i));
    return FailsWith(trial, params);
  });
  if (!j) return {LimitSearch::NotReachable, 0};
  return {LimitSearch::Found, GridValue(top - *j)};
}

InputMessage CoulombLimitMessage(LimitSearch status) {
  switch (status) {
    case LimitSearch::AlreadyFailed: return Sentence({"Material is already failed", "Το υλικό είναι ήδη σε αστοχία"});
    case LimitSearch::NotReachable:
      return Sentence({"Failure cannot be reached by changing this stress",
                       "Η αστοχία δεν επιτυγχάνεται με μεταβολή αυτής της τάσης"});
    case LimitSearch::Found: break;
  }
  return {};
}

// --- Plots ---------------------------------------------------------------------

namespace {

float PlotPore(const CoulombParams& params) { return params.UsePore ? params.PorePressure : 0.0f; }

}  // namespace

CoulombMohrView CoulombMohrPlot(const Principal2D& principal, const CoulombParams& params) {
  CoulombMohrView v;
  const CoulombStrength st = DeriveCoulombStrength(params);
  const double s1 = principal.S1, s2 = principal.S2;
  const float u = PlotPore(params);
  try {
    v.Radius = CheckedFloat((s1 - s2) / 2.0);
    v.Centre = CheckedFloat((s2 + s1) / 2.0);
    v.EffectiveCentre = CheckedFloat(((s2 + s1) - 2.0 * u) / 2.0);
  } catch (const RuntimeError&) {
    return CoulombMohrView{};
  }
  v.EffectiveCircleShown = u != 0.0f && u <= principal.S2;
  v.StressPoint = {v.Centre, 0};
  v.CohesionMarker = {0, st.Cohesion};
  if (st.Usable() && st.Cohesion != 0.0f && st.FrictionAngle != 0.0f) {
    try {
      const double end = s1 + v.Radius;
      const double rise = end * std::tan(st.FrictionAngle * kDegreeFactor);
      v.Envelope = PlotSegment{{0, st.Cohesion}, {CheckedFloat(end), CheckedFloat(st.Cohesion + rise)}};
    } catch (const RuntimeError&) {
      v.Envelope.reset();
    }
  }
  return v;
}

CoulombPrincipalView CoulombS1S3Plot(const Principal2D& principal, const CoulombParams& params) {
  CoulombPrincipalView v;
  const CoulombStrength st = DeriveCoulombStrength(params);
  const float u = PlotPore(params);
  v.StrengthMarker = {0, st.UniaxialStrength};
  v.StressPoint = {principal.S2, principal.S1};
  if (st.Usable()) {
    try {
      const double sinPhi = std::sin(st.FrictionAngle * kDegreeFactor);
      v.N = CheckedFloat((1.0 + sinPhi) / (1.0 - sinPhi));
      v.CriterionLine =
          PlotSegment{{0, st.UniaxialStrength},
                      {principal.S1, CheckedFloat(static_cast<double>(v.N) * principal.S1 + st.UniaxialStrength)}};
    } catch (const RuntimeError&) {
      v.N = 0;
      v.CriterionLine.reset();
    }
  }
  v.EffectivePoint = EffectiveStressPointOf(principal.S1, principal.S2, u, params.UsePore);
  return v;
}

}  // namespace brantel
