#include "tools/elasticity/Rosette.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"

#include <cmath>

namespace brantel {

bool RosetteDirectionAccepted(double degrees) { return degrees <= 360.0; }

bool RosettePlaneAngleAccepted(double degrees) { return degrees >= -360.0 && degrees <= 360.0; }

ValueRule RosetteDirectionRule(int gauge) {
  static constexpr InputMessage kDirectionRange[3] = {
      Sentence({"Angle w1 should observe: 0<d1<360", "Για την γωνία θ1 πρέπει να ισχύει: 0<θ1<360"}),
      Sentence({"Angle w2 should observe: 0<d2<360", "Για την γωνία θ2 πρέπει να ισχύει: 0<θ2<360"}),
      Sentence({"Angle w3 should observe: 0<d3<360", "Για την γωνία θ3 πρέπει να ισχύει: 0<θ3<360"}),
  };
  return AllowedWhen(RosetteDirectionAccepted, kDirectionRange[gauge]);
}

ValueRule RosettePlaneAngleRule() {
  return AllowedWhen(RosettePlaneAngleAccepted,
                     Sentence({"Angle w should observe: -360<w<360", "Για την γωνία θ πρέπει να ισχύει: -360<θ<360"}));
}

namespace {

// One row of the gauge system: the factors of ex, ey and gxy in a reading.
struct GaugeRow {
  double A = 0.0;
  double B = 0.0;
  double C = 0.0;
};

GaugeRow RowAt(float degrees) {
  const double w = CheckedFloat(static_cast<double>(degrees) / kRadianFactor);
  const double c = std::cos(w);
  const double s = std::sin(w);
  return {c * c, s * s, c * s};
}

}  // namespace

RosetteSolution CalcStrainTensor(const RosetteData& rosette) {
  const GaugeRow r1 = RowAt(rosette.W1);
  const GaugeRow r2 = RowAt(rosette.W2);
  const GaugeRow r3 = RowAt(rosette.W3);
  const double ea = rosette.Ea;
  const double eb = rosette.Eb;
  const double ec = rosette.Ec;

  // The third gauge's factor of gxy enters the determinants rounded to a
  // 32-bit float, as it always has: the results depend on that rounding in
  // their last digits and stay those the tool has always given. In the
  // third numerator its place holds the reading Ec, a 32-bit value already.
  const double c3 = static_cast<float>(r3.C);

  RosetteSolution out;
  const float determinant = Det3x3(r1.A, r1.B, r1.C, r2.A, r2.B, r2.C, r3.A, r3.B, c3);
  if (std::fabs(determinant) < kRosetteSingularLimit) return out;

  const float d1 = Det3x3(ea, r1.B, r1.C, eb, r2.B, r2.C, ec, r3.B, c3);
  const float d2 = Det3x3(r1.A, ea, r1.C, r2.A, eb, r2.C, r3.A, ec, c3);
  const float d3 = Det3x3(r1.A, r1.B, ea, r2.A, r2.B, eb, r3.A, r3.B, ec);
  const double d = determinant;
  out.Tensor.Ex = CheckFinite(d1 / d);
  out.Tensor.Ey = CheckFinite(d2 / d);
  out.Tensor.Gxy = CheckFinite(d3 / d);

  PrincipalStrain2D p = CalcPrincipalStrain2D(out.Tensor.Ex, out.Tensor.Ey, out.Tensor.Gxy);
  if (rosette.Ea == 0.0f && rosette.Eb == 0.0f && rosette.Ec == 0.0f) p = {};
  out.Principal.E1 = p.E1;
  out.Principal.E2 = p.E2;
  out.Principal.Theta1 = p.Theta1;
  out.Principal.Theta2 = p.Theta2;
  out.Singular = false;
  return out;
}

RosettePlaneStrains CalcStrainAtAngle(const RosettePrincipalStrains& principal, float planeAngle) {
  const double twoW = 2.0 * static_cast<double>(planeAngle) / kRadianFactor;
  const double e1 = principal.E1;
  const double e2 = principal.E2;
  RosettePlaneStrains out;
  out.Ew = CheckedFloat((e1 + e2) / 2.0 + (e1 - e2) / 2.0 * std::cos(twoW));
  out.Gw = CheckedFloat((e2 - e1) / 2.0 * std::sin(twoW));
  return out;
}

}  // namespace brantel
