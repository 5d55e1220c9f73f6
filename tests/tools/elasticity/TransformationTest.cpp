#include "tools/elasticity/Transformation.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

constexpr Matrix3 kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
// New axis 1 along old axis 2, new axis 2 along old -1: 90 degrees about axis 3.
constexpr Matrix3 kQuarterTurn{{{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}}};

// Direction cosines of axes turned by a about 3, then b about the new 1,
// then c about the new 3.
Matrix3 Rotation(double a, double b, double c) {
  const double ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
  const double cc = std::cos(c), sc = std::sin(c);
  const double m[3][3] = {{ca * cc - sa * cb * sc, sa * cc + ca * cb * sc, sb * sc},
                          {-ca * sc - sa * cb * cc, -sa * sc + ca * cb * cc, sb * cc},
                          {sa * sb, -ca * sb, cb}};
  Matrix3 out{};
  for (std::size_t i = 0; i < 3; ++i)
    for (std::size_t j = 0; j < 3; ++j) out[i][j] = static_cast<float>(m[i][j]);
  return out;
}

struct Invariants {
  double I1, I2, I3;
};

Invariants InvariantsOf(const Matrix3& t) {
  const double a = t[0][0], b = t[1][1], c = t[2][2];
  const double i2 = a * b + b * c + c * a - t[0][1] * t[1][0] - t[1][2] * t[2][1] - t[0][2] * t[2][0];
  const double i3 = a * (b * c - t[1][2] * t[2][1]) - t[0][1] * (t[1][0] * c - t[1][2] * t[2][0]) +
                    t[0][2] * (t[1][0] * t[2][1] - b * t[2][0]);
  return {a + b + c, i2, i3};
}

TEST(Transformation, WorkedCases) {
  const Matrix3 diagonal{{{10, 0, 0}, {0, 20, 0}, {0, 0, 30}}};
  EXPECT_EQ(TransformTensor(kQuarterTurn, diagonal), (Matrix3{{{20, 0, 0}, {0, 10, 0}, {0, 0, 30}}}));
  EXPECT_EQ(TransformVector(kQuarterTurn, {1, 0, 0}), (Vector3{0, -1, 0}));

  // The matrix is used as entered, however far from a rotation.
  const Matrix3 ones{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
  EXPECT_EQ(TransformVector(ones, {1, 2, 3}), (Vector3{6, 6, 6}));
  const Matrix3 t{{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
  const float sum = 45;  // every element of a A a^T is the sum of A
  EXPECT_EQ(TransformTensor(ones, t), (Matrix3{{{sum, sum, sum}, {sum, sum, sum}, {sum, sum, sum}}}));

  // Identity and the zero state of a new project.
  EXPECT_EQ(TransformTensor(kIdentity, t), t);
  EXPECT_EQ(TransformVector(kIdentity, {-1.5f, 2, 7}), (Vector3{-1.5f, 2, 7}));
  EXPECT_EQ(TransformTensor(Matrix3{}, Matrix3{}), Matrix3{});

  // A non-symmetric tensor: A'12 = sum a1k a2l Akl with a1 = (0, 1, 0),
  // a2 = (-1, 0, 0) gives -A21.
  EXPECT_EQ(TransformTensor(kQuarterTurn, t)[0][1], -4.0f);
}

TEST(Transformation, RotationsKeepTheInvariants) {
  const Matrix3 tensors[] = {
      {{{12, -3, 5}, {-3, 40, 2.5f}, {5, 2.5f, -8}}},
      {{{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}},
  };
  const Vector3 v{3, -4, 12};
  for (const auto& angles : {std::array<double, 3>{0.3, 1.1, -0.7}, {2.5, -0.4, 0.9}, {-1.2, 2.9, 0.05}}) {
    const Matrix3 a = Rotation(angles[0], angles[1], angles[2]);
    for (const Matrix3& t : tensors) {
      const Matrix3 r = TransformTensor(a, t);
      const Invariants before = InvariantsOf(t), after = InvariantsOf(r);
      EXPECT_NEAR(after.I1, before.I1, 1e-4 * 50);
      EXPECT_NEAR(after.I2, before.I2, 1e-4 * 2500);
      EXPECT_NEAR(after.I3, before.I3, 1e-4 * 125000);
      // A symmetric tensor stays symmetric.
      if (t[0][1] == t[1][0]) {
        for (std::size_t i = 0; i < 3; ++i)
          for (std::size_t j = 0; j < 3; ++j) EXPECT_NEAR(r[i][j], r[j][i], 1e-4);
      }
      // The transposed cosines turn it back.
      Matrix3 back{};
      for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) back[i][j] = a[j][i];
      const Matrix3 again = TransformTensor(back, r);
      for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j) EXPECT_NEAR(again[i][j], t[i][j], 1e-4);
    }
    const Vector3 w = TransformVector(a, v);
    EXPECT_NEAR(std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]), 13.0, 1e-5);
  }
}

TEST(Transformation, TheOptionChoosesTheResult) {
  TransformData d;
  d.Cosines = kQuarterTurn;
  d.Tensor = {{{10, 0, 0}, {0, 20, 0}, {0, 0, 30}}};
  d.Vector = {1, 0, 0};
  d.NewVector = {7, 7, 7};
  d.Option = TransformOperand::Tensor;
  const TransformData tensor = CalcTransformation(d);
  EXPECT_EQ(tensor.NewTensor[0][0], 20.0f);
  EXPECT_EQ(tensor.NewVector, (Vector3{7, 7, 7}));
  d.Option = TransformOperand::Vector;
  const TransformData vector = CalcTransformation(d);
  EXPECT_EQ(vector.NewVector, (Vector3{0, -1, 0}));
  EXPECT_EQ(vector.NewTensor, Matrix3{});
}

TEST(Transformation, SumsBeyondThe32BitRangeRaiseOverflow) {
  const Matrix3 big{{{3e38f, 3e38f, 0}, {0, 1, 0}, {0, 0, 1}}};
  for (int option : {0, 1}) {
    TransformData d;
    d.Cosines = {{{1, 1, 0}, {0, 1, 0}, {0, 0, 1}}};
    d.Tensor = big;
    d.Vector = {3e38f, 3e38f, 0};
    d.Option = static_cast<TransformOperand>(option);
    try {
      CalcTransformation(d);
      FAIL() << "no error raised, option " << option;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
    }
  }
}

}  // namespace
}  // namespace brantel
