#include "core/Arithmetic.h"

#include "core/Conversions.h"
#include "core/RuntimeError.h"

#include <cmath>

namespace brantel {
namespace {

double SquareRoot(double x) {
  if (x < 0.0) RaiseError(ErrorNumber::InvalidCall);
  return std::sqrt(CheckFinite(x));
}

}  // namespace

double CheckedDivide(double a, double b) {
  if (b == 0.0) RaiseError(ErrorNumber::DivisionByZero);
  return CheckFinite(a / b);
}

double ArcTan2(double y, double x) {
  if (x > 0.0) return std::atan(CheckedDivide(y, x));
  if (x < 0.0) {
    if (y > 0.0) return std::atan(CheckedDivide(y, x)) + kPi;
    if (y < 0.0) return std::atan(CheckedDivide(y, x)) - kPi;
    return kPi;
  }
  if (y > 0.0) return kPi / 2.0;
  if (y < 0.0) return -kPi / 2.0;
  return 0.0;
}

Principal2D CalcPrincipal2D(float sxIn, float syIn, float txyIn) {
  const double sx = sxIn, sy = syIn, txy = txyIn;
  const double r = SquareRoot(CheckFinite((sx - sy) * (sx - sy) * (1.0 / 4.0) + txy * txy));
  const float s1 = CheckedFloat((sx + sy) * 0.5 + r);
  const float s2 = CheckedFloat((sx + sy) * 0.5 - r);
  const float a = CheckedFloat(ArcTan2(CheckFinite(2.0 * txy), CheckFinite(sx - sy)) / 2.0);
  const float theta = CheckedFloat(static_cast<double>(a) / kDegreeFactor);

  const float t2 = CheckedFloat(static_cast<double>(theta) - 90.0);
  float theta2;
  if (t2 > 90.0f) {
    theta2 = t2;
  } else if (t2 < -90.0f) {
    theta2 = CheckedFloat(static_cast<double>(theta) + 90.0);
  } else {
    theta2 = t2;
  }

  Principal2D p;
  p.S1 = s1;
  p.S2 = s2;
  p.Theta1 = theta;
  p.Theta2 = theta2;
  p.TauMax = CheckedFloat((static_cast<double>(s1) - static_cast<double>(s2)) / 2.0);
  p.ThetaPlus45 = CheckedFloat(static_cast<double>(theta) + 45.0);
  p.ThetaMinus45 = CheckedFloat(static_cast<double>(theta) - 45.0);
  return p;
}

PrincipalStrain2D CalcPrincipalStrain2D(double ex, double ey, double gxy) {
  const double r = SquareRoot(CheckFinite((ex - ey) * (ex - ey) + gxy * gxy));
  PrincipalStrain2D p;
  p.E1 = CheckFinite((ex + ey) * 0.5 + (1.0 / 2.0) * r);
  p.E2 = CheckFinite((ex + ey) * 0.5 - (1.0 / 2.0) * r);
  const double theta = ArcTan2(gxy, CheckFinite(ex - ey)) / 2.0 / kDegreeFactor;
  p.Theta1 = theta;
  p.Theta2 = theta - 90.0;
  return p;
}

float Det3x3(double a11, double a12, double a13, double a21, double a22, double a23, double a31, double a32,
             double a33) {
  const double det = a11 * (a22 * a33 - a23 * a32) - a12 * (a21 * a33 - a23 * a31) + a13 * (a21 * a32 - a22 * a31);
  return CheckedFloat(det);
}

float CoulombSigma1(float s3, float c, float phi, float u) {
  const float p = CheckedFloat(static_cast<double>(phi) / kRadianFactor);
  const double sinP = std::sin(static_cast<double>(p));
  const double cosP = std::cos(static_cast<double>(p));
  // At phi = 90 degrees the float-rounded right angle leaves sin p a few
  // units in the last place below 1; that is the division by zero of a
  // vertical envelope, not a finite strength.
  double denominator = 1.0 - sinP;
  if (std::fabs(denominator) <= 8.0 * 2.220446049250313e-16) denominator = 0.0;
  const double s3Effective = static_cast<double>(s3) - static_cast<double>(u);
  const double result = CheckedDivide(s3Effective * (1.0 + sinP), denominator) +
                        CheckedDivide(2.0 * static_cast<double>(c) * cosP, denominator);
  return CheckedFloat(result);
}

double ArcSin(double x) {
  CheckFinite(x);
  return std::atan(CheckedDivide(x, SquareRoot(1.0 - x * x)));
}

float ArcCos(float x) {
  if (x == 1.0f) return 0.0f;
  if (x == -1.0f) return kPiSingle;
  const double dx = x;
  return CheckedFloat(std::atan(CheckedDivide(-dx, SquareRoot(1.0 - dx * dx))) + 2.0 * std::atan(1.0));
}

float AxisStep(float a, float b, int multiple) {
  const int n = multiple == 0 ? 1 : multiple;
  const float v = (a >= 0.0f || b >= 0.0f) ? std::fabs(a) : std::fabs(b);
  const float t = CheckedFloat(std::floor(static_cast<double>(v) / 10.0));
  float s = CheckedFloat(std::floor(static_cast<double>(t) / 10.0) * 10.0);
  if (s == 0.0f) {
    s = t;
    if (t == 0.0f) s = 1.0f;
  }
  return CheckedFloat(static_cast<double>(n) * s);
}

}  // namespace brantel
