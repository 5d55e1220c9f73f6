#pragma once

#include <QtGlobal>

namespace brantel {

// Shared stress and plot arithmetic. Angles cross these interfaces in
// degrees unless radians are stated. A division by zero (11), an invalid
// argument (5) or an overflow (6), also on rounding to a 32-bit float,
// raises a RuntimeError; no result is ever infinite or undefined.

// Pi written with 14 decimals, and the two angle factors derived from it.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kDegreeFactor = 0.017453292519943278;  // kPi / 180
inline constexpr double kRadianFactor = 57.29577951308238;     // 180 / kPi
inline constexpr float kPiSingle = 3.1415927f;

// --- Division.

// a / b for every division of the mechanics: a zero divisor raises Division
// by zero (11), a quotient beyond the double range Overflow (6), an undefined
// one Invalid procedure call (5).
double CheckedDivide(double a, double b);

// --- Angles and functions.

// Quadrant-correct arc tangent of y / x in radians, in (-pi, pi].
double ArcTan2(double y, double x);

// --- Principal stresses and strains.

// The principal stresses of a plane stress state (angles in degrees): s1 and
// s2, the direction of s1 from x and that of s2, the maximum shear stress,
// and the two directions at 45 degrees to s1.
struct Principal2D {
  float S1 = 0.0f;
  float S2 = 0.0f;
  float Theta1 = 0.0f;
  float Theta2 = 0.0f;
  float TauMax = 0.0f;
  float ThetaPlus45 = 0.0f;
  float ThetaMinus45 = 0.0f;
};

Principal2D CalcPrincipal2D(float sx, float sy, float txy);

// The principal strains of a plane strain state given by ex, ey and gxy (the
// engineering shear strain): e1 >= e2, the direction of e1 from x (degrees)
// and that direction less 90 degrees.
struct PrincipalStrain2D {
  double E1 = 0.0;
  double E2 = 0.0;
  double Theta1 = 0.0;
  double Theta2 = 0.0;
};

PrincipalStrain2D CalcPrincipalStrain2D(double ex, double ey, double gxy);

// --- Matrices and criteria.

// 3 x 3 determinant by cofactors along the first row, given row by row,
// worked out in 64 bits and rounded to a 32-bit float.
float Det3x3(double a11, double a12, double a13, double a21, double a22, double a23, double a31, double a32,
             double a33);

// Mohr-Coulomb major principal stress at failure for the minor principal
// stress s3, cohesion c, friction angle phi (degrees) and pore pressure u.
float CoulombSigma1(float s3, float c, float phi, float u);

// --- Angles and plot ticks.

// Arc sine in radians, as atan(x / sqrt(1 - x^2)).
double ArcSin(double x);

// Arc cosine in radians; exactly 0 for 1 and 3.1415927 for -1.
float ArcCos(float x);

// Tick step of the stress plots, `multiple` times the base step (a multiple
// of 0 counts as 1).
float AxisStep(float a, float b, int multiple);

}  // namespace brantel
