#pragma once

#include "core/project/ProjectRecord.h"

#include <QStringView>

#include <array>

namespace brantel {

// Mechanics of the three-dimensional stress tool: the invariants of a 3 x 3
// stress tensor, its deviator with the deviator's invariants, the principal
// stresses as the roots of the characteristic cubic (closed form), and the
// stress vector on a plane given by its normal.
//
// Stresses are in the project's stress unit; the normal is dimensionless and
// used as entered (it is not normalised). Arrays are indexed from 0: the
// tensor element (i, j) of row i and column j is Tensor[i - 1][j - 1].
//
// Shared arithmetic used: Det3x3 (I3 and J3) and CheckedDivide of core/Arithmetic.h; CheckedFloat
// and CheckFinite of core/Conversions.h. The angle of the three-real-root
// solution is worked out in 64 bits, not through the 32-bit ArcCos. A 32-bit result beyond the float range raises
// Overflow (6); no function here returns an infinite or undefined number.

// Display masks: s1..s3, I1..I3 and J1..J3 use kStress3DMask. The deviator,
// the stress vector, its norm, the shear and the norm of the normal are
// shown in the general number format (FormatGeneral of a float).
inline constexpr QStringView kStress3DMask = u"#0.##0";
// The text of the shear box when the squared shear is negative beyond
// rounding (a normal longer than 1).
inline constexpr QStringView kShearErrorText = u"Error";

// --- The tensor boxes --------------------------------------------------------

// Box k of the tensor shows element (row, col), k = 3 row + col (0-based).
constexpr int TensorBox(int row, int col) { return 3 * row + col; }

// The box that mirrors box k (1 and 3, 2 and 6, 5 and 7); -1 for a
// diagonal box or an index outside 0..8.
constexpr int MirrorBox(int box) {
  switch (box) {
    case 1: return 3;
    case 3: return 1;
    case 2: return 6;
    case 6: return 2;
    case 5: return 7;
    case 7: return 5;
    default: return -1;
  }
}

// The names of the boxes in messages ("Invalid value for s12"): the nine
// tensor boxes in box order, then the three components of the normal.
// The same in both languages.
inline constexpr std::array<const char*, 9> kTensorBoxNames = {"s11", "s12", "t13", "t21", "s22",
                                                               "t23", "t31", "t32", "s33"};
inline constexpr std::array<const char*, 3> kNormalBoxNames = {"n1", "n2", "n3"};

// The tensor as the boxes show it after loading: each lower-triangle element
// also stands in its upper partner, since the lower box is filled last and
// its text is mirrored up.
Matrix3 MirroredTensor(const Matrix3& m);

// --- Results -----------------------------------------------------------------

struct StressInvariants3D {
  float I1 = 0.0f;  // trace
  float I2 = 0.0f;  // M11 M22 + M22 M33 + M11 M33 - M12^2 - M23^2 - M31^2
  float I3 = 0.0f;  // determinant of all nine entries
};

// The three invariants, each rounded to a 32-bit float.
StressInvariants3D StressInvariants(const Matrix3& m);

struct Deviator3D {
  Matrix3 Tensor{};  // M with I1 / 3 taken from the diagonal
  float J1 = 0.0f;   // always 0
  float J2 = 0.0f;   // I1^2 / 3 - I2, formed from the deviator in 64 bits
  float J3 = 0.0f;   // determinant of the deviator
};

// The deviatoric tensor and its invariants, from the tensor and its I1, I2.
Deviator3D DeviatoricStress(const Matrix3& m, const StressInvariants3D& invariants);

struct Principal3D {
  // s1 >= s2 >= s3; with ComplexRoots: the one real root, 0, 0.
  Vector3 S{};
  // The cubic has one real root and two complex ones. Never set for a
  // symmetric tensor: the dialog then shows S[0] only, blanks s2 and s3 and
  // shows the complex-roots notice.
  bool ComplexRoots = false;
};

// The roots of the characteristic equation s^3 - I1 s^2 + I2 s - I3 = 0 in
// closed form. With a = -I1, b = I2, c = -I3, Q' = a^2 - 3b, R' =
// 2a^3 - 9ab + 27c, Q = Q' / 9 and R = R' / 54: Q = R = 0 is a triple root;
// otherwise 2916 Q'^3 against 729 R'^2 decides between a double root (equal
// within the rounding of the computation), three distinct real roots
// (trigonometric form, the cosine of the angle in 64 bits held to [-1, 1])
// and one real root. Q' and R' are formed in 64 bits from
// the deviator of the tensor's own entries, not from the 32-bit invariants:
// the same numbers, without the cancellation that wipes them out when the
// principal stresses lie close together. A symmetric tensor never gives
// complex roots.
Principal3D PrincipalStresses3D(const Matrix3& m);

struct PlaneStress3D {
  Vector3 Traction{};       // t_i = sum_j M(i, j) n_j
  float Normal = 0.0f;      // sn = sum_i n_i t_i
  float Norm = 0.0f;        // |t|
  float Shear = 0.0f;       // sqrt(|t|^2 - sn^2); 0 when ShearError
  bool ShearError = false;  // |t|^2 - sn^2 is negative beyond rounding
};

// The stress vector on the plane of normal n and its normal and shear
// components. A negative |t|^2 - sn^2 within the rounding of the 32-bit
// values (a unit normal along a principal direction) is a shear of 0; only a
// normal longer than 1 can take it further below 0, which sets ShearError.
PlaneStress3D StressOnPlane3D(const Matrix3& m, const Vector3& n);

// The length of the normal as entered: sqrt(n1^2 + n2^2 + n3^2), the sum
// and the root held as 32-bit floats.
float NormOfNormal(const Vector3& n);

struct Stress3DResults {
  StressInvariants3D Invariants;
  Deviator3D Deviator;
  Principal3D Principal;
  PlaneStress3D Plane;  // only with PlaneComputed
  bool PlaneComputed = false;
};

// Every result of the tool, in the order the dialog writes its boxes:
// deviator, invariants, the plane (only when planeOn, the state of the
// "Calculate Stresses at Given Plane" box), then the principal stresses.
Stress3DResults CalcStress3D(const Matrix3& m, const Vector3& n, bool planeOn);

// Copies the results kept by the record into the working copy: Principal
// and Invariants, and Traction only when the plane was computed.
void StoreResults(const Stress3DResults& results, Stress3DData& data);

}  // namespace brantel
