#include "core/Arithmetic.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <random>

namespace brantel {
namespace {

// The number of the run-time error the call raises, if any.
std::optional<ErrorNumber> RaisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return std::nullopt;
}

Principal2D Principal(float sx, float sy, float txy) { return CalcPrincipal2D(sx, sy, txy); }

TEST(AngleConstants, DeriveFromPiWithFourteenDecimals) {
  EXPECT_EQ(kDegreeFactor, 3.14159265358979 / 180.0);
  EXPECT_NE(kDegreeFactor, 0.017453292519943295);
  EXPECT_DOUBLE_EQ(kRadianFactor, 180.0 / 3.14159265358979);
}

TEST(CheckedDivide, QuotientOrTheFaultThatStopsIt) {
  EXPECT_EQ(CheckedDivide(7.5, -2.5), -3.0);
  EXPECT_EQ(CheckedDivide(0.0, 1e-300), 0.0);
  EXPECT_EQ(RaisedBy([] { CheckedDivide(1.0, 0.0); }), ErrorNumber::DivisionByZero);
  EXPECT_EQ(RaisedBy([] { CheckedDivide(0.0, -0.0); }), ErrorNumber::DivisionByZero);
  EXPECT_EQ(RaisedBy([] { CheckedDivide(1e300, 1e-300); }), ErrorNumber::Overflow);
  EXPECT_EQ(RaisedBy([] { CheckedDivide(std::nan(""), 2.0); }), ErrorNumber::InvalidCall);
}

TEST(ArcTan2, QuadrantsAndAxes) {
  EXPECT_EQ(ArcTan2(0, -1), 3.14159265358979);
  EXPECT_EQ(ArcTan2(0, 0), 0.0);
  EXPECT_EQ(ArcTan2(1, 0), 1.570796326794895);
  EXPECT_EQ(ArcTan2(-1, 0), -1.570796326794895);
  EXPECT_NEAR(ArcTan2(1, -1), 3.0 * 3.14159265358979 / 4.0, 1e-15);
  EXPECT_NEAR(ArcTan2(-1, -1), -3.0 * 3.14159265358979 / 4.0, 1e-15);
  EXPECT_NEAR(ArcTan2(1, 1), std::atan(1.0), 1e-15);
}

TEST(Principal2D, AxisAlignedStates) {
  const auto a = Principal(10, 0, 0);
  EXPECT_EQ(a.S1, 10.0f);
  EXPECT_EQ(a.S2, 0.0f);
  EXPECT_EQ(a.Theta1, 0.0f);
  EXPECT_EQ(a.Theta2, -90.0f);
  EXPECT_EQ(a.TauMax, 5.0f);
  EXPECT_EQ(a.ThetaPlus45, 45.0f);
  EXPECT_EQ(a.ThetaMinus45, -45.0f);

  const auto b = Principal(0, 10, 0);
  EXPECT_EQ(b.Theta1, 90.0f);
  EXPECT_EQ(b.Theta2, 0.0f);
}

TEST(Principal2D, EqualNormalStressesTurnByFortyFiveDegrees) {
  const auto plus = Principal(5, 5, 2);
  EXPECT_EQ(plus.Theta1, 45.0f);
  EXPECT_EQ(plus.Theta2, -45.0f);
  EXPECT_EQ(plus.S1, 7.0f);
  EXPECT_EQ(plus.S2, 3.0f);
  const auto minus = Principal(5, 5, -2);
  EXPECT_EQ(minus.Theta1, -45.0f);
  EXPECT_EQ(minus.Theta2, 45.0f);
}

TEST(Principal2D, RandomStatesAreTheRotatedState) {
  std::mt19937 rng(42);
  std::uniform_real_distribution<float> stress(-500.0f, 500.0f);
  for (int i = 0; i < 500; ++i) {
    const float sx = stress(rng), sy = stress(rng), txy = stress(rng);
    const auto p = Principal(sx, sy, txy);
    ASSERT_GE(p.S1, p.S2);
    ASSERT_NEAR(p.S1 + p.S2, sx + sy, 1e-3);
    ASSERT_GT(p.Theta1, -90.0f);
    ASSERT_LE(p.Theta1, 90.0f);
    ASSERT_GE(p.Theta2, -90.0f);
    ASSERT_LE(p.Theta2, 90.0f);
    ASSERT_NEAR(std::fabs(p.Theta1 - p.Theta2), 90.0f, 1e-4);
    // The normal stress on the plane whose normal is at Theta1 is S1, and
    // the shear stress there vanishes.
    const double t = p.Theta1 * 3.14159265358979 / 180.0;
    const double sn =
        sx * std::cos(t) * std::cos(t) + sy * std::sin(t) * std::sin(t) + 2.0 * txy * std::sin(t) * std::cos(t);
    const double tn = (sy - sx) * std::sin(t) * std::cos(t) + txy * (std::cos(2 * t));
    ASSERT_NEAR(sn, p.S1, 2e-3);
    ASSERT_NEAR(tn, 0.0, 2e-3);
    ASSERT_FLOAT_EQ(p.TauMax, (p.S1 - p.S2) / 2.0f);
  }
}

TEST(Principal2D, ResultsBeyondTheFloatRangeAreAnOverflow) {
  EXPECT_EQ(RaisedBy([] { Principal(3e38f, 0.0f, 3e38f); }), ErrorNumber::Overflow);
  EXPECT_EQ(RaisedBy([] { Principal(3e38f, 3e38f, 0.0f); }), std::nullopt);
}

TEST(PrincipalStrain2D, EqualStrainsAndARotatedState) {
  const PrincipalStrain2D equal = CalcPrincipalStrain2D(0.001, 0.001, 0.0);
  EXPECT_EQ(equal.E1, 0.001);
  EXPECT_EQ(equal.E2, 0.001);
  EXPECT_EQ(equal.Theta1, 0.0);
  EXPECT_EQ(equal.Theta2, -90.0);

  // Pure shear: e1 = -e2 = gxy / 2 at 45 degrees.
  const PrincipalStrain2D shear = CalcPrincipalStrain2D(0.0, 0.0, 0.002);
  EXPECT_NEAR(shear.E1, 0.001, 1e-15);
  EXPECT_NEAR(shear.E2, -0.001, 1e-15);
  EXPECT_NEAR(shear.Theta1, 45.0, 1e-12);
  EXPECT_NEAR(shear.Theta2, -45.0, 1e-12);
}

TEST(Det3x3, IdentityRowSwapAndOverflow) {
  EXPECT_EQ(Det3x3(1, 0, 0, 0, 1, 0, 0, 0, 1), 1.0f);
  const float d = Det3x3(2, 1, 3, 0, 4, 5, 1, 0, 6);
  const float swapped = Det3x3(0, 4, 5, 2, 1, 3, 1, 0, 6);
  EXPECT_EQ(d, 2 * (24 - 0) - 1 * (0 - 5) + 3 * (0 - 4));
  EXPECT_EQ(swapped, -d);
  EXPECT_EQ(RaisedBy([] { Det3x3(1e30, 0, 0, 0, 1e30, 0, 0, 0, 1e30); }), ErrorNumber::Overflow);
}

TEST(CoulombSigma1, FrictionlessAndThirtyDegrees) {
  EXPECT_FLOAT_EQ(CoulombSigma1(10.0f, 2.0f, 0.0f, 1.0f), 10.0f - 1.0f + 4.0f);
  EXPECT_NEAR(CoulombSigma1(10.0f, 0.0f, 30.0f, 4.0f), 3.0f * (10.0f - 4.0f), 1e-5);
  // Total stress: pore pressure comes off s3 only.
  EXPECT_NEAR(CoulombSigma1(0.0f, 5.0f, 30.0f, 0.0f), 2.0 * 5.0 * std::sqrt(3.0), 1e-4);
}

TEST(CoulombSigma1, VerticalEnvelopeIsADivisionByZero) {
  EXPECT_EQ(RaisedBy([] { CoulombSigma1(1.0f, 1.0f, 90.0f, 0.0f); }), ErrorNumber::DivisionByZero);
  EXPECT_EQ(RaisedBy([] { CoulombSigma1(1.0f, 1.0f, 89.0f, 0.0f); }), std::nullopt);
}

TEST(InverseFunctions, ArcSinAndArcCos) {
  EXPECT_NEAR(ArcSin(0.5), 3.14159265358979 / 6.0, 1e-15);
  EXPECT_EQ(ArcSin(0.0), 0.0);
  EXPECT_EQ(RaisedBy([] { ArcSin(1.0); }), ErrorNumber::DivisionByZero);
  EXPECT_EQ(RaisedBy([] { ArcSin(-1.0); }), ErrorNumber::DivisionByZero);
  EXPECT_EQ(RaisedBy([] { ArcSin(1.5); }), ErrorNumber::InvalidCall);

  EXPECT_EQ(ArcCos(1.0f), 0.0f);
  EXPECT_EQ(ArcCos(-1.0f), 3.1415927f);
  EXPECT_EQ(ArcCos(0.0f), 1.5707963705062866f);
  EXPECT_NEAR(ArcCos(0.5f), 1.0471975511965976, 1e-6);
  EXPECT_EQ(RaisedBy([] { ArcCos(1.5f); }), ErrorNumber::InvalidCall);
}

TEST(AxisStep, ExamplesAndTheMultiple) {
  EXPECT_EQ(AxisStep(250.0f, 0.0f, 1), 20.0f);
  EXPECT_EQ(AxisStep(55.0f, 0.0f, 1), 5.0f);
  EXPECT_EQ(AxisStep(5.0f, 0.0f, 1), 1.0f);
  EXPECT_EQ(AxisStep(1234.0f, 0.0f, 1), 120.0f);
  EXPECT_EQ(AxisStep(-20.0f, -300.0f, 2), 60.0f);
  // A multiple of 0 counts as 1.
  EXPECT_EQ(AxisStep(-20.0f, 300.0f, 0), 2.0f);
}

}  // namespace
}  // namespace brantel
