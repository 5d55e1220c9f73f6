#include "tools/stress/Stress3D.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>

namespace brantel {
namespace {

using Mat = std::array<std::array<double, 3>, 3>;

// Eigenvalues of a symmetric matrix by cyclic Jacobi rotations, with the
// eigenvectors as the columns of `vectors`; descending.
std::array<double, 3> JacobiEigen(const Matrix3& m, Mat* vectors = nullptr) {
  Mat a{}, v{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) a[i][j] = m[i][j];
    v[i][i] = 1.0;
  }
  for (int sweep = 0; sweep < 100; ++sweep) {
    const double off = a[0][1] * a[0][1] + a[0][2] * a[0][2] + a[1][2] * a[1][2];
    if (off == 0.0) break;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        if (a[p][q] == 0.0) continue;
        const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
        const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
        const double c = 1.0 / std::sqrt(t * t + 1.0), s = t * c;
        for (int k = 0; k < 3; ++k) {  // A = A J
          const double akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {  // A = J^T A
          const double apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const double vkp = v[k][p], vkq = v[k][q];
          v[k][p] = c * vkp - s * vkq;
          v[k][q] = s * vkp + c * vkq;
        }
      }
    }
  }
  std::array<int, 3> order = {0, 1, 2};
  std::sort(order.begin(), order.end(), [&](int x, int y) { return a[x][x] > a[y][y]; });
  std::array<double, 3> values{};
  Mat sorted{};
  for (int k = 0; k < 3; ++k) {
    values[k] = a[order[k]][order[k]];
    for (int i = 0; i < 3; ++i) sorted[i][k] = v[i][order[k]];
  }
  if (vectors) *vectors = sorted;
  return values;
}

Matrix3 Diagonal(float a, float b, float c) { return Matrix3{{{a, 0, 0}, {0, b, 0}, {0, 0, c}}}; }

// R diag(l) R^T for a rotation R from three angles, rounded to floats.
Matrix3 Rotated(const std::array<double, 3>& l, double a, double b, double c) {
  const Mat rx{{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}};
  const Mat ry{{{std::cos(b), 0, std::sin(b)}, {0, 1, 0}, {-std::sin(b), 0, std::cos(b)}}};
  const Mat rz{{{std::cos(c), -std::sin(c), 0}, {std::sin(c), std::cos(c), 0}, {0, 0, 1}}};
  const auto mul = [](const Mat& x, const Mat& y) {
    Mat z{};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 3; ++k) z[i][j] += x[i][k] * y[k][j];
    return z;
  };
  const Mat r = mul(mul(rx, ry), rz);
  Matrix3 out{};
  for (int i = 0; i < 3; ++i)
    for (int j = i; j < 3; ++j) {
      double s = 0;
      for (int k = 0; k < 3; ++k) s += r[i][k] * l[k] * r[j][k];
      out[i][j] = out[j][i] = static_cast<float>(s);
    }
  return out;
}

double Scale(const Matrix3& m) {
  double s = 0;
  for (const auto& row : m)
    for (float x : row) s = std::max(s, std::fabs(static_cast<double>(x)));
  return s;
}

// Principal stresses against the eigenvalues, the invariants against their
// sums and products, and never a complex pair for a symmetric tensor.
void ExpectAgreesWithJacobi(const Matrix3& m, double tolerance) {
  const std::array<double, 3> l = JacobiEigen(m);
  const Stress3DResults r = CalcStress3D(m, {}, false);
  ASSERT_FALSE(r.Principal.ComplexRoots);
  const double scale = std::max(Scale(m), 1e-30);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.Principal.S[k], l[k], tolerance * scale) << k;
  EXPECT_GE(r.Principal.S[0], r.Principal.S[1]);
  EXPECT_GE(r.Principal.S[1], r.Principal.S[2]);
  EXPECT_NEAR(r.Invariants.I1, l[0] + l[1] + l[2], 1e-6 * 3 * scale);
  EXPECT_NEAR(r.Invariants.I2, l[0] * l[1] + l[1] * l[2] + l[0] * l[2], 1e-5 * 3 * scale * scale);
  EXPECT_NEAR(r.Invariants.I3, l[0] * l[1] * l[2], 1e-5 * 6 * scale * scale * scale);
}

TEST(Stress3D, RandomSymmetricTensorsAgreeWithJacobiRotations) {
  std::mt19937 gen(20240611);
  std::uniform_real_distribution<double> entry(-100.0, 100.0);
  for (int trial = 0; trial < 2000; ++trial) {
    Matrix3 m{};
    for (int i = 0; i < 3; ++i)
      for (int j = i; j < 3; ++j) m[i][j] = m[j][i] = static_cast<float>(entry(gen));
    SCOPED_TRACE(trial);
    ExpectAgreesWithJacobi(m, 1e-6);
  }
}

TEST(Stress3D, NearlyEqualPrincipalStressesStayReal) {
  // Two equal principal stresses in turned axes, or two a hair apart: the
  // rounding puts such states on either side of a double root. Each stress
  // comes out to the rounding of a 32-bit result.
  constexpr double kClusterTolerance = 2e-6;
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> angle(-3.0, 3.0), value(-50.0, 50.0), tiny(-1e-4, 1e-4);
  for (int trial = 0; trial < 3000; ++trial) {
    const double p = value(gen), q = value(gen);
    const double split = trial % 3 == 0 ? 0.0 : tiny(gen) * std::fabs(p);
    const Matrix3 m = Rotated({p, p + split, q}, angle(gen), angle(gen), angle(gen));
    SCOPED_TRACE(trial);
    ExpectAgreesWithJacobi(m, kClusterTolerance);
  }
  // All three nearly equal.
  for (int trial = 0; trial < 500; ++trial) {
    const double p = value(gen);
    const Matrix3 m = Rotated({p, p * (1 + tiny(gen)), p * (1 + tiny(gen))}, angle(gen), angle(gen), angle(gen));
    SCOPED_TRACE(trial);
    ExpectAgreesWithJacobi(m, kClusterTolerance);
  }
}

TEST(Stress3D, WorkedStates) {
  struct Case {
    Matrix3 m;
    Vector3 s;
  };
  const Case cases[] = {
      {Diagonal(1, 1, 4), {4, 1, 1}},                    // double root, exactly
      {Diagonal(0.1f, 0.1f, 0.4f), {0.4f, 0.1f, 0.1f}},  // double root after rounding
      {Diagonal(1.1f, 1.1f, 2.3f), {2.3f, 1.1f, 1.1f}},
      {Diagonal(-3, 5, -3), {5, -3, -3}},  // double root below the single one
      {Diagonal(5, 5, 5), {5, 5, 5}},      // hydrostatic
      {Diagonal(-2.5f, -2.5f, -2.5f), {-2.5f, -2.5f, -2.5f}},
      {Diagonal(0.1f, 0.1f, 0.1f), {0.1f, 0.1f, 0.1f}},
      {Diagonal(0, 0, 0), {0, 0, 0}},  // zero tensor
      {Diagonal(1, 2, 3), {3, 2, 1}},
      // Close together against their size: 32-bit invariants leave nothing
      // of the differences, so the cubic is formed from the deviator.
      {Diagonal(30, 30.2f, 29.9f), {30.2f, 30, 29.9f}},
      {Diagonal(30, 30, 30.2f), {30.2f, 30, 30}},
      {Diagonal(1000, 1001, 999), {1001, 1000, 999}},
      {Diagonal(2.5f, 2.51f, 2.49f), {2.51f, 2.5f, 2.49f}},
      // Two a little apart against the third: the angle of the solution
      // lies close to 0 and has to be worked out in full.
      {Diagonal(3000, 1500.1f, 1500), {3000, 1500.1f, 1500}},
      {Diagonal(5000, 2500.5f, 2500), {5000, 2500.5f, 2500}},
      {Diagonal(100, 50.001f, 50), {100, 50.001f, 50}},
      {Diagonal(-10, -5.0001f, -5), {-5, -5.0001f, -10}},
      // A plane state sx = 10, sy = 6, txy = 5 and sz = 3: s = 8 +- sqrt(29).
      {Matrix3{{{10, 5, 0}, {5, 6, 0}, {0, 0, 3}}}, {8 + 5.385164807f, 3, 8 - 5.385164807f}},
  };
  for (const Case& c : cases) {
    const Stress3DResults r = CalcStress3D(c.m, {}, false);
    EXPECT_FALSE(r.Principal.ComplexRoots);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.Principal.S[k], c.s[k], 2e-6f * (1 + std::fabs(c.s[k]))) << k;
  }
  // J2 of a state close to hydrostatic: (d11^2 + d22^2 + d33^2) / 2 with
  // d = (-1/30, 1/6, -2/15).
  EXPECT_NEAR(CalcStress3D(Diagonal(30, 30.2f, 29.9f), {}, false).Deviator.J2, 0.0233333, 2e-6);
  // Exact where the arithmetic is exact.
  EXPECT_EQ(CalcStress3D(Diagonal(1, 1, 4), {}, false).Principal.S, (Vector3{4, 1, 1}));
  EXPECT_EQ(CalcStress3D(Diagonal(5, 5, 5), {}, false).Principal.S, (Vector3{5, 5, 5}));
  const Stress3DResults zero = CalcStress3D(Diagonal(0, 0, 0), {}, false);
  EXPECT_EQ(zero.Principal.S, (Vector3{0, 0, 0}));
  EXPECT_EQ(zero.Invariants.I1, 0.0f);
  EXPECT_EQ(zero.Invariants.I2, 0.0f);
  EXPECT_EQ(zero.Invariants.I3, 0.0f);
  EXPECT_EQ(zero.Deviator.J2, 0.0f);
}

TEST(Stress3D, AnUnsymmetricArrayCanHaveComplexRoots) {
  // I1 = 1, I2 = -1, I3 = 1: s^3 - s^2 - s - 1 = 0 has one real root.
  const Matrix3 m{{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  const Principal3D p = PrincipalStresses3D(m);
  EXPECT_TRUE(p.ComplexRoots);
  EXPECT_NEAR(p.S[0], 1.839286755f, 1e-6);
  EXPECT_EQ(p.S[1], 0.0f);
  EXPECT_EQ(p.S[2], 0.0f);
}

TEST(Stress3D, DeviatorHasNoTraceAndItsInvariantsFollowTheComponents) {
  std::mt19937 gen(3);
  std::uniform_real_distribution<double> entry(-20.0, 20.0);
  for (int trial = 0; trial < 50; ++trial) {
    Matrix3 m{};
    for (int i = 0; i < 3; ++i)
      for (int j = i; j < 3; ++j) m[i][j] = m[j][i] = static_cast<float>(entry(gen));
    const Stress3DResults r = CalcStress3D(m, {}, false);
    const Matrix3& d = r.Deviator.Tensor;
    EXPECT_NEAR(d[0][0] + d[1][1] + d[2][2], 0.0, 1e-4);
    double half = 0;  // J2 = s_ij s_ij / 2
    for (const auto& row : d)
      for (float x : row) half += 0.5 * x * x;
    EXPECT_NEAR(r.Deviator.J2, half, 1e-4 * (1 + half));
    // J3 = product of the deviatoric principal values.
    const std::array<double, 3> l = JacobiEigen(m);
    const double mean = (l[0] + l[1] + l[2]) / 3;
    const double j3 = (l[0] - mean) * (l[1] - mean) * (l[2] - mean);
    EXPECT_NEAR(r.Deviator.J3, j3, 1e-3 * (1 + std::fabs(j3)));
    EXPECT_EQ(r.Deviator.J1, 0.0f);
    EXPECT_EQ(d[0][1], m[0][1]);
  }
}

TEST(Stress3D, StressOnAPlane) {
  const Matrix3 m{{{10, 5, 0}, {5, 6, 0}, {0, 0, 3}}};
  // Normal (0.6, 0.8, 0): t = (10, 7.8, 0), sn = 12.24, |t|^2 = 160.84.
  const PlaneStress3D p = StressOnPlane3D(m, {0.6f, 0.8f, 0});
  EXPECT_NEAR(p.Traction[0], 10.0f, 1e-5);
  EXPECT_NEAR(p.Traction[1], 7.8f, 1e-5);
  EXPECT_EQ(p.Traction[2], 0.0f);
  EXPECT_NEAR(p.Normal, 12.24f, 1e-5);
  EXPECT_NEAR(p.Norm, std::sqrt(160.84), 1e-5);
  EXPECT_NEAR(p.Shear, std::sqrt(160.84 - 12.24 * 12.24), 1e-4);
  EXPECT_FALSE(p.ShearError);

  // Only a normal longer than 1 takes the squared shear below 0.
  const PlaneStress3D longer = StressOnPlane3D(Diagonal(1, 2, 3), {2, 0, 0});
  EXPECT_TRUE(longer.ShearError);
  EXPECT_EQ(longer.Shear, 0.0f);

  EXPECT_FLOAT_EQ(NormOfNormal({3, 4, 0}), 5.0f);
  EXPECT_FLOAT_EQ(NormOfNormal({0.6f, 0.8f, 0}), 1.0f);
}

TEST(Stress3D, APrincipalDirectionHasNoShear) {
  // Rounding leaves |t|^2 - sn^2 a hair either side of 0 on a principal
  // plane; it is a shear of 0, never an error.
  std::mt19937 gen(11);
  std::uniform_real_distribution<double> entry(-100.0, 100.0);
  int below = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    Matrix3 m{};
    for (int i = 0; i < 3; ++i)
      for (int j = i; j < 3; ++j) m[i][j] = m[j][i] = static_cast<float>(entry(gen));
    Mat v{};
    const std::array<double, 3> l = JacobiEigen(m, &v);
    for (int k = 0; k < 3; ++k) {
      const Vector3 n = {static_cast<float>(v[0][k]), static_cast<float>(v[1][k]), static_cast<float>(v[2][k])};
      const PlaneStress3D p = StressOnPlane3D(m, n);
      ASSERT_FALSE(p.ShearError) << trial << " " << k;
      EXPECT_NEAR(p.Normal, l[k], 1e-4 * Scale(m));
      EXPECT_LT(p.Shear, 2e-3 * Scale(m));
      const double d = static_cast<double>(p.Norm) * p.Norm - static_cast<double>(p.Normal) * p.Normal;
      if (d < 0) ++below;
    }
  }
  EXPECT_GT(below, 0);  // the case does occur
}

TEST(Stress3D, CalcFillsTheRecordsResults) {
  const Matrix3 m{{{10, 5, 0}, {5, 6, 0}, {0, 0, 3}}};
  Stress3DData data;
  data.Traction = {9, 9, 9};
  StoreResults(CalcStress3D(m, {1, 0, 0}, false), data);
  EXPECT_EQ(data.Traction, (Vector3{9, 9, 9}));  // the plane is off
  EXPECT_EQ(data.Invariants[0], 19.0f);
  EXPECT_EQ(data.Invariants[1], 60.0f + 18 + 30 - 25);
  EXPECT_EQ(data.Invariants[2], 3.0f * (60 - 25));
  EXPECT_NEAR(data.Principal[1], 3.0f, 1e-5);
  StoreResults(CalcStress3D(m, {1, 0, 0}, true), data);
  EXPECT_EQ(data.Traction, (Vector3{10, 5, 0}));
}

TEST(Stress3D, OverflowRaisesInsteadOfAnInfiniteResult) {
  const Matrix3 big = Diagonal(3e38f, 3e38f, 0);
  try {
    CalcStress3D(big, {}, false);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
  // Large but representable: every result finite.
  const Stress3DResults r = CalcStress3D(Diagonal(1e12f, -1e12f, 5e11f), {1, 1, 1}, true);
  for (float s : r.Principal.S) EXPECT_TRUE(std::isfinite(s));
  EXPECT_NEAR(r.Principal.S[0], 1e12, 1e6);
}

TEST(Stress3D, MirroredBoxes) {
  for (int box = 0; box < 9; ++box) {
    const int partner = MirrorBox(box);
    if (box / 3 == box % 3) {
      EXPECT_EQ(partner, -1);
      continue;
    }
    EXPECT_EQ(partner, TensorBox(box % 3, box / 3));  // the transposed element
    EXPECT_EQ(MirrorBox(partner), box);
  }
  // A stored tensor whose triangles differ shows its lower triangle twice.
  const Matrix3 stored{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
  EXPECT_EQ(MirroredTensor(stored), (Matrix3{{{1, 4, 7}, {4, 5, 8}, {7, 8, 9}}}));
}

}  // namespace
}  // namespace brantel
