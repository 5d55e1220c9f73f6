#include "tools/stress/Stress3D.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brantel {
namespace {

using Mat3 = std::array<std::array<double, 3>, 3>;

// The unit roundoffs of 32-bit and 64-bit floats.
constexpr double kSingleRoundoff = 5.9604644775390625e-08;  // 2^-24
constexpr double kDoubleRoundoff = 1.1102230246251565e-16;  // 2^-53
// How many roundoffs of each deviator entry the double-root test allows for.
constexpr double kDeviatorRoundoffs = 8.0;
// 2 pi as the trigonometric solution writes it.
constexpr double kTwoPi = 6.28318530717958;

float Determinant(const Matrix3& m) {
  return Det3x3(m[0][0], m[0][1], m[0][2], m[1][0], m[1][1], m[1][2], m[2][0], m[2][1], m[2][2]);
}

// How far the discriminant 2916 Q'^3 - 729 R'^2 can stand from its exact
// value when Q' and R' carry the given absolute errors.
double DiscriminantTolerance(double qp, double rp, double dq, double dr) {
  const double aq = std::fabs(qp), ar = std::fabs(rp);
  const double tolerance =
      2916.0 * ((aq + dq) * (aq + dq) * (aq + dq) - aq * aq * aq) + 729.0 * ((ar + dr) * (ar + dr) - ar * ar);
  return CheckFinite(tolerance);
}

// The characteristic cubic x^3 + a x^2 + b x + c = 0 (a = -I1, b = I2,
// c = -I3) reduced by x = y - a / 3 to y^3 - (Q' / 3) y + R' / 27 = 0, with
// Q' = a^2 - 3b and R' = 2a^3 - 9ab + 27c. Formed from the invariants, Q' and
// R' are small differences of large terms whenever the principal stresses
// lie close together compared with their size, and 32-bit invariants leave
// nothing of them then. They are formed instead in 64 bits from the
// deviator, the same algebra without the cancellation:
//   Q' = 3 (d11^2 + d22^2 + d33^2) / 2 + 3 (M12^2 + M23^2 + M31^2)
//   R' = -27 (det D + mean X),  X = M12 (M12 - M21) + M23 (M23 - M32) + M31 (M31 - M13)
// where d_ii = M_ii - mean and D is M with d_ii on its diagonal (X is 0 for
// a symmetric tensor). Q' / 3 is J2.
struct ReducedCubic {
  double Mean = 0.0;     // I1 / 3, that is -a / 3
  double Qp = 0.0;       // Q'
  double Rp = 0.0;       // R'
  double Largest = 0.0;  // the largest entry of D in size
};

ReducedCubic Reduce(const Matrix3& m) {
  ReducedCubic c;
  c.Mean = (static_cast<double>(m[0][0]) + m[1][1] + m[2][2]) / 3.0;
  Mat3 d{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) d[i][j] = m[i][j];
  for (int i = 0; i < 3; ++i) d[i][i] = static_cast<double>(m[i][i]) - c.Mean;
  const double m12 = m[0][1], m21 = m[1][0], m23 = m[1][2], m32 = m[2][1];
  const double m31 = m[2][0], m13 = m[0][2];
  c.Qp = CheckFinite(1.5 * (d[0][0] * d[0][0] + d[1][1] * d[1][1] + d[2][2] * d[2][2]) +
                     3.0 * (m12 * m12 + m23 * m23 + m31 * m31));
  const double x = m12 * (m12 - m21) + m23 * (m23 - m32) + m31 * (m31 - m13);
  const double detD = d[0][0] * (d[1][1] * d[2][2] - d[1][2] * d[2][1]) -
                      d[0][1] * (d[1][0] * d[2][2] - d[1][2] * d[2][0]) +
                      d[0][2] * (d[1][0] * d[2][1] - d[1][1] * d[2][0]);
  c.Rp = CheckFinite(-27.0 * (detD + c.Mean * x));
  for (const auto& row : d)
    for (double v : row) c.Largest = std::max(c.Largest, std::fabs(v));
  return c;
}

}  // namespace

Matrix3 MirroredTensor(const Matrix3& m) {
  Matrix3 out = m;
  out[0][1] = m[1][0];
  out[0][2] = m[2][0];
  out[1][2] = m[2][1];
  return out;
}

StressInvariants3D StressInvariants(const Matrix3& m) {
  const double m11 = m[0][0], m22 = m[1][1], m33 = m[2][2];
  const double m12 = m[0][1], m23 = m[1][2], m31 = m[2][0];
  StressInvariants3D inv;
  inv.I1 = CheckedFloat(m11 + m22 + m33);
  inv.I2 = CheckedFloat(m11 * m22 + m22 * m33 + m11 * m33 - m12 * m12 - m23 * m23 - m31 * m31);
  inv.I3 = Determinant(m);
  return inv;
}

Deviator3D DeviatoricStress(const Matrix3& m, const StressInvariants3D& invariants) {
  Deviator3D d;
  d.Tensor = m;
  const double mean = static_cast<double>(invariants.I1) / 3.0;
  for (int i = 0; i < 3; ++i) d.Tensor[i][i] = CheckedFloat(static_cast<double>(m[i][i]) - mean);
  d.J1 = 0.0f;
  d.J2 = CheckedFloat(Reduce(m).Qp / 3.0);  // I1^2 / 3 - I2, without its cancellation
  d.J3 = Determinant(d.Tensor);
  return d;
}

Principal3D PrincipalStresses3D(const Matrix3& m) {
  const ReducedCubic cubic = Reduce(m);
  const double qp = cubic.Qp, rp = cubic.Rp, mean = cubic.Mean;
  const double q = qp / 9.0;
  const double r = rp / 54.0;
  const double shift = -mean;  // a / 3

  // Errors of Q' and R': a few 64-bit roundoffs of each entry of D against
  // the size of the mean it was shifted by, carried through the terms.
  const double big = cubic.Largest;
  const double entryError = kDeviatorRoundoffs * kDoubleRoundoff * (big + std::fabs(mean));
  const double dq = 9.0 * (2.0 * big * entryError + entryError * entryError) + 16.0 * kDoubleRoundoff * qp;
  const double dr = 27.0 * (6.0 * (big + entryError) * (big + entryError) * entryError +
                            32.0 * kDoubleRoundoff * big * big * (big + std::fabs(mean)));

  std::array<double, 3> roots{};
  Principal3D p;
  if (q == 0.0 && r == 0.0) {
    roots = {-shift, -shift, -shift};
  } else {
    const double lhs = CheckFinite(729.0 * rp * rp);
    const double rhs = CheckFinite(2916.0 * qp * qp * qp);
    const double tolerance = DiscriminantTolerance(qp, rp, dq, dr);
    if (std::fabs(rhs - lhs) <= tolerance) {
      // A double root; rounding may have left Q a hair below 0.
      const double s = std::sqrt(std::max(q, 0.0));
      if (r > 0.0) {
        roots = {-2.0 * s - shift, s - shift, s - shift};
      } else {
        roots = {-s - shift, -s - shift, 2.0 * s - shift};
      }
    } else if (lhs < rhs) {
      const double s = std::sqrt(q);
      // The angle's cosine lies close to +-1 when two principal stresses lie
      // close together; rounded to 32 bits there, it would put the angle off
      // by the square root of that rounding and the two stresses a visible
      // amount off theirs (3000, 1500.1, 1500 would show 1500.05 twice). It
      // is kept in full, held to [-1, 1] against the rounding of Q and R.
      const double cosine = std::clamp(CheckedDivide(r, s * s * s), -1.0, 1.0);
      const double theta = std::acos(cosine);
      roots = {-2.0 * s * std::cos(theta / 3.0) - shift, -2.0 * s * std::cos((theta + kTwoPi) / 3.0) - shift,
               -2.0 * s * std::cos((theta - kTwoPi) / 3.0) - shift};
    } else {
      p.ComplexRoots = true;
      const double g = r >= 0.0 ? 1.0 : -1.0;
      const double root = std::sqrt(std::max(CheckFinite(r * r - q * q * q), 0.0));
      const double big = -g * std::pow(std::fabs(r) + root, 1.0 / 3.0);
      const double small = CheckedDivide(q, big);
      p.S = {CheckedFloat((big + small) - shift), 0.0f, 0.0f};
      return p;
    }
  }
  for (int i = 0; i < 2; ++i) {
    for (int j = i + 1; j < 3; ++j) {
      if (roots[i] < roots[j]) std::swap(roots[i], roots[j]);
    }
  }
  p.S = {CheckedFloat(roots[0]), CheckedFloat(roots[1]), CheckedFloat(roots[2])};
  return p;
}

PlaneStress3D StressOnPlane3D(const Matrix3& m, const Vector3& n) {
  PlaneStress3D p;
  for (int i = 0; i < 3; ++i) {
    double sum = 0.0;
    for (int j = 0; j < 3; ++j) sum += static_cast<double>(m[i][j]) * n[j];
    p.Traction[i] = CheckedFloat(sum);
  }
  double sn = 0.0;
  for (int i = 0; i < 3; ++i) sn += static_cast<double>(n[i]) * p.Traction[i];
  p.Normal = CheckedFloat(sn);
  double squares = 0.0;
  for (float t : p.Traction) squares += static_cast<double>(t) * t;
  p.Norm = CheckedFloat(std::sqrt(static_cast<double>(CheckedFloat(squares))));

  const double norm = p.Norm, normal = p.Normal;
  const double d = CheckFinite(norm * norm - normal * normal);
  if (d > 0.0) {
    p.Shear = CheckedFloat(std::sqrt(d));
  } else if (d < 0.0) {
    // |t| and sn each carry a few roundoffs of the 32-bit traction; for a
    // normal of length 1 and a principal direction, d is 0 within them.
    const double lengthOfN = std::sqrt(static_cast<double>(n[0]) * n[0] + static_cast<double>(n[1]) * n[1] +
                                       static_cast<double>(n[2]) * n[2]);
    const double tolerance = 16.0 * kSingleRoundoff * (norm * norm + std::fabs(normal) * lengthOfN * norm);
    p.ShearError = -d > tolerance;
  }
  return p;
}

float NormOfNormal(const Vector3& n) {
  const double squares =
      static_cast<double>(n[0]) * n[0] + static_cast<double>(n[1]) * n[1] + static_cast<double>(n[2]) * n[2];
  return CheckedFloat(std::sqrt(static_cast<double>(CheckedFloat(squares))));
}

Stress3DResults CalcStress3D(const Matrix3& m, const Vector3& n, bool planeOn) {
  Stress3DResults r;
  r.Invariants = StressInvariants(m);
  r.Deviator = DeviatoricStress(m, r.Invariants);
  if (planeOn) {
    r.Plane = StressOnPlane3D(m, n);
    r.PlaneComputed = true;
  }
  r.Principal = PrincipalStresses3D(m);
  return r;
}

void StoreResults(const Stress3DResults& results, Stress3DData& data) {
  data.Principal = results.Principal.S;
  data.Invariants = {results.Invariants.I1, results.Invariants.I2, results.Invariants.I3};
  if (results.PlaneComputed) data.Traction = results.Plane.Traction;
}

}  // namespace brantel
