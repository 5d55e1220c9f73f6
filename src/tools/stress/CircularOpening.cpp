#include "tools/stress/CircularOpening.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"
#include "core/graph/GraphBuffer.h"

#include <cmath>

namespace brantel {
namespace {

// k = a^2 / rho^2, the squares in 64-bit arithmetic.
float RadiusRatioSquared(double a, double rho) { return CheckedFloat(CheckedDivide(a * a, rho * rho)); }

// The angle of the radial line from the direction of s2, in radians.
float LineAngle(float w, float theta2) {
  const float dw = CheckedFloat(static_cast<double>(w) - theta2);
  return CheckedFloat(static_cast<double>(dw) * kDegreeFactor);
}

const CircularCheckMessage kMessages[] = {
    {CircularField::Sx, InvalidValueFor({"sx", "σx"}), nullptr},
    {CircularField::Sy, InvalidValueFor({"sy", "σy"}), nullptr},
    {CircularField::Txy, InvalidValueFor({"txy", "τxy"}), nullptr},
    {CircularField::Radius, Sentence({"Invalid value for the opening radius", "Εσφαλμένη τιμή γιά την ακτίνα"}),
     nullptr},
    {CircularField::Angle, Sentence({"Invalid value for angle theta", "Εσφαλμένη τιμή γιά την γωνία θ"}), nullptr},
    {CircularField::Distance,
     Sentence({"Invalid value for the distance from the center of the opening",
               "Εσφαλμένη τιμή για την απόσταση r από το κέντρο του ανοίγματος"}),
     nullptr},
    {CircularField::Radius, {}, "a > 0"},
    {CircularField::Pressure,
     Sentence({"Pressure in the borehole should be >= 0", "Η πίεση στην γεώτρηση δεν μπορεί να είναι <0"}), nullptr},
    {CircularField::Distance, {}, "r > 0"},
    {CircularField::Distance, {}, "r > a"},
};

QString RatioText(const std::optional<double>& ratio, const Bilingual& prefix) {
  if (!ratio) return QStringLiteral("-");
  return Tr(prefix) + Format(*ratio, kCircularStressMask);
}

}  // namespace

Principal2D FieldPrincipal(const StressInput& s) { return CalcPrincipal2D(s.Sx, s.Sy, s.Txy); }

float OpeningEntry::Number() const {
  if (!Readable) RaiseError(ErrorNumber::Overflow);
  return Value;
}

OpeningEntry ReadOpeningEntry(const QString& text, double value) {
  OpeningEntry e;
  e.Empty = text.isEmpty();
  e.Numeric = IsNumericEntry(text);
  try {
    e.Value = CheckedFloat(value);
  } catch (const RuntimeError&) {
    e.Readable = false;
    e.Value = 0.0f;
  }
  return e;
}

OpeningEntry ReadOpeningEntry(const QString& text) {
  if (const std::optional<double> value = LeadingNumber(text)) return ReadOpeningEntry(text, *value);
  OpeningEntry e = ReadOpeningEntry(text, 0.0);
  e.Readable = false;
  return e;
}

KirschStresses KirschStressesAt(float P, float Q, float k, float t) {
  const double p2 = static_cast<double>(P) / 2.0;
  const double q2 = static_cast<double>(Q) / 2.0;
  const double kk = k;
  const double k2 = kk * kk;
  const double c = std::cos(2.0 * static_cast<double>(t));
  const double s = std::sin(2.0 * static_cast<double>(t));
  KirschStresses out;
  out.SigmaR = CheckedFloat(p2 * (1.0 - kk) + q2 * (1.0 - 4.0 * kk + 3.0 * k2) * c);
  out.SigmaTheta = CheckedFloat(p2 * (1.0 + kk) - q2 * (1.0 + 3.0 * k2) * c);
  out.TauRTheta = CheckedFloat(-q2 * (1.0 + 2.0 * kk - 3.0 * k2) * s);
  return out;
}

CircularPoint CalcKirschPoint(const StressInput& stress, const CircularData& opening) {
  CircularPoint point;
  if (!(opening.R > 0.0f)) return point;
  const auto principal = FieldPrincipal(stress);
  point.S1 = principal.S1;
  point.S2 = principal.S2;
  point.Theta2 = principal.Theta2;
  point.AngleFromS2 = CheckedFloat(static_cast<double>(opening.Angle) - point.Theta2);
  const float t = LineAngle(opening.Angle, point.Theta2);
  const float P = CheckedFloat(static_cast<double>(point.S2) + point.S1);
  const float Q = CheckedFloat(static_cast<double>(point.S2) - point.S1);
  const float k = RadiusRatioSquared(opening.A, opening.R);
  point.Stress = KirschStressesAt(P, Q, k, t);
  if (point.S1 != 0.0f) {
    point.RadialRatio = static_cast<double>(point.Stress.SigmaR) / point.S1;
    point.TangentialRatio = static_cast<double>(point.Stress.SigmaTheta) / point.S1;
  }
  point.Computed = true;
  return point;
}

void RecordKirschPoint(const CircularPoint& point, CircularData& opening) {
  if (!point.Computed) return;
  opening.S1Field = point.S1;
  opening.S2Field = point.S2;
  opening.SigmaR = point.Stress.SigmaR;
  opening.SigmaTheta = point.Stress.SigmaTheta;
  opening.TauRTheta = point.Stress.TauRTheta;
}

QString RadialRatioText(const std::optional<double>& ratio) { return RatioText(ratio, {"sr/sv = ", "σr/σv = "}); }

QString TangentialRatioText(const std::optional<double>& ratio) { return RatioText(ratio, {"sw/sv = ", "σθ/σv = "}); }

QString CircularDistanceWarning() { return Tr({"Warning: Error < 0", "Προσοχή Σφάλμα < 0"}); }

float CurveExtent(bool plotTo3R, int circExtend) {
  if (plotTo3R) return 3.0f;
  return circExtend < 1 ? 5.0f : static_cast<float>(circExtend);
}

StressCurves CalcStressCurves(const StressInput& stress, const CircularData& opening, float extent) {
  StressCurves curves;
  const float a = opening.A;
  const float rhoMax = CheckedFloat(static_cast<double>(extent) * a);
  const float step = CheckedFloat(static_cast<double>(rhoMax) / 100.0);
  const auto principal = FieldPrincipal(stress);
  curves.S1Field = CheckedFloat(static_cast<double>(principal.S1) - opening.InternalPressure);
  curves.S2Field = CheckedFloat(static_cast<double>(principal.S2) - opening.InternalPressure);
  const float P = CheckedFloat(static_cast<double>(curves.S2Field) + curves.S1Field);
  const float Q = CheckedFloat(static_cast<double>(curves.S2Field) - curves.S1Field);
  const float t = LineAngle(opening.Angle, principal.Theta2);

  // rho accumulates in 64-bit arithmetic; its rounding decides the last
  // point (5 radii end at 4.95). The bound keeps a vanishing step finite.
  int i = 0;
  for (double rho = a; rho <= rhoMax && i < kCircularCurvePoints; rho += step) {
    const float k = RadiusRatioSquared(a, rho);
    const KirschStresses s = KirschStressesAt(P, Q, k, t);
    const auto n = static_cast<std::size_t>(i);
    curves.X[n] = CheckedFloat(CheckedDivide(rho, a));
    curves.Radial[n] = s.SigmaR;
    curves.Tangential[n] = s.SigmaTheta;
    curves.Shear[n] = s.TauRTheta;
    curves.Last = s;
    ++i;
  }
  curves.Count = i;
  return curves;
}

void RecordStressCurves(const StressCurves& curves, CircularData& opening) {
  opening.S1Field = curves.S1Field;
  opening.S2Field = curves.S2Field;
  if (curves.Count > 0) {
    opening.SigmaR = curves.Last.SigmaR;
    opening.SigmaTheta = curves.Last.SigmaTheta;
    opening.TauRTheta = curves.Last.TauRTheta;
  }
}

void FillGraphBuffer(const StressCurves& curves) {
  const int count = std::min(curves.Count, kGraphPointBound + 1);
  for (int i = 0; i < count; ++i) {
    const auto n = static_cast<std::size_t>(i);
    const std::array<float, 3> ys{curves.Radial[n], curves.Tangential[n], curves.Shear[n]};
    for (std::size_t c = 0; c < ys.size(); ++c) {
      GraphCurveData[c][n][0] = curves.X[n];
      GraphCurveData[c][n][1] = ys[c];
    }
  }
  GraphLastPoint = count - 1;
}

CircularCheck FailedCircularCheck(const CircularEntries& e) {
  if (!e.Sx.Usable()) return CircularCheck::Sx;
  if (!e.Sy.Usable()) return CircularCheck::Sy;
  if (!e.Txy.Usable()) return CircularCheck::Txy;
  if (!e.A.Usable()) return CircularCheck::Radius;
  if (!e.Angle.Usable()) return CircularCheck::Angle;
  // The distance is read even while Graph is checked, so a number beyond
  // the 32-bit range is refused then too.
  if ((!e.GraphChecked && !e.R.Numeric) || !e.R.Readable) return CircularCheck::Distance;
  if (e.A.Value <= 0.0f) return CircularCheck::RadiusNotPositive;
  if (!e.Pressure.Readable || e.Pressure.Value < 0.0f) return CircularCheck::NegativePressure;
  if (e.R.Value <= 0.0f && !e.GraphChecked) return CircularCheck::DistanceNotPositive;
  if (!e.A.Empty && !e.R.Empty && e.A.Value > e.R.Value) return CircularCheck::DistanceInsideOpening;
  return CircularCheck::None;
}

const CircularCheckMessage& CircularCheckMessageOf(CircularCheck check) { return CheckMessageIn(kMessages, check); }

void StoreCircularEntries(const CircularEntries& e, StressInput& stress, CircularData& opening) {
  // Every box is read before anything is written.
  const std::array<float, 7> v{e.Sx.Number(),    e.Sy.Number(), e.Txy.Number(),     e.A.Number(),
                               e.Angle.Number(), e.R.Number(),  e.Pressure.Number()};
  stress.Sx = v[0];
  stress.Sy = v[1];
  stress.Txy = v[2];
  opening.A = v[3];
  opening.Angle = v[4];
  opening.R = v[5];
  opening.InternalPressure = v[6];
}

std::optional<int> AngleScrollPosition(double angle) {
  try {
    return RoundToInt32(angle) % 360;
  } catch (const RuntimeError&) {
    return std::nullopt;
  }
}

}  // namespace brantel
