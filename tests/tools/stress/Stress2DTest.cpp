#include "tools/stress/Stress2D.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace brantel {
namespace {

constexpr double kPi = 3.14159265358979;

TEST(PlaneStress2D, WorkedPrincipalStates) {
  struct Case {
    float sx, sy, txy;
    Principal2D expected;
  };
  const Case cases[] = {
      {30, 10, 0, {30, 10, 0, -90, 10, 45, -45}},
      {0, 10, 0, {10, 0, 90, 0, 5, 135, 45}},  // s1 along y
      {5, 5, 2, {7, 3, 45, -45, 2, 90, 0}},    // equal normal stresses
      {5, 5, -2, {7, 3, -45, 45, 2, 0, -90}},
      {7, 7, 0, {7, 7, 0, -90, 0, 45, -45}},  // a circle of radius 0
      {0, 0, 0, {0, 0, 0, 0, 0, 0, 0}},       // no state: no direction either
      {10, 0, 5, {12.071068f, -2.0710678f, 22.5f, -67.5f, 7.071068f, 67.5f, -22.5f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sx << ", " << c.sy << ", " << c.txy);
    const Principal2D p = PrincipalStresses(c.sx, c.sy, c.txy);
    EXPECT_FLOAT_EQ(p.S1, c.expected.S1);
    EXPECT_FLOAT_EQ(p.S2, c.expected.S2);
    EXPECT_FLOAT_EQ(p.Theta1, c.expected.Theta1);
    EXPECT_FLOAT_EQ(p.Theta2, c.expected.Theta2);
    EXPECT_FLOAT_EQ(p.TauMax, c.expected.TauMax);
    EXPECT_FLOAT_EQ(p.ThetaPlus45, c.expected.ThetaPlus45);
    EXPECT_FLOAT_EQ(p.ThetaMinus45, c.expected.ThetaMinus45);
  }
}

TEST(PlaneStress2D, WorkedPlanes) {
  struct Case {
    float s1, s2, angle, sigmaN, tauN;
  };
  const Case cases[] = {
      {30, 10, 0, 30, 0},    // the plane of s1
      {30, 10, 90, 10, 0},   // the plane of s2
      {30, 10, 45, 20, 10},  // maximum shear
      {30, 10, -45, 20, -10}, {5, 5, 30, 3.75f + 1.25f, 0},
      {7, 7, 17, 7, 0},  // equal principal stresses: no shear on any plane
  };
  for (const Case& c : cases) {
    const PlaneStress p = StressOnPlaneAt(c.s1, c.s2, c.angle);
    EXPECT_NEAR(p.SigmaN, c.sigmaN, 2e-5) << c.angle;
    EXPECT_NEAR(p.TauN, c.tauN, 2e-5) << c.angle;
  }
}

TEST(PlaneStress2D, RotatedStatesKeepTheirInvariants) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> stress(-200.0f, 200.0f);
  std::uniform_real_distribution<float> angle(-180.0f, 180.0f);
  for (int i = 0; i < 300; ++i) {
    const float sx = stress(rng), sy = stress(rng), txy = stress(rng);
    const Principal2D p = PrincipalStresses(sx, sy, txy);
    // The first and second invariants of the state.
    ASSERT_NEAR(p.S1 + p.S2, sx + sy, 1e-3);
    ASSERT_NEAR(static_cast<double>(p.S1) * p.S2, static_cast<double>(sx) * sy - static_cast<double>(txy) * txy,
                0.05 + 1e-5 * (std::fabs(sx * sy) + txy * txy));
    ASSERT_FLOAT_EQ(p.TauMax, (p.S1 - p.S2) / 2.0f);
    // Any two perpendicular planes share the first invariant, and the
    // stress on a plane is the classic formula in the x-y axes.
    const float a = angle(rng);
    const PlaneStress on = StressOnPlaneAt(p.S1, p.S2, a);
    const PlaneStress across = StressOnPlaneAt(p.S1, p.S2, a + 90.0f);
    ASSERT_NEAR(on.SigmaN + across.SigmaN, sx + sy, 1e-3);
    ASSERT_NEAR(on.TauN, -across.TauN, 1e-3);
    ASSERT_LE(std::fabs(on.TauN), p.TauMax + 1e-3);
    const double t = (a + p.Theta1) * kPi / 180.0;
    ASSERT_NEAR(on.SigmaN, (sx + sy) / 2.0 + (sx - sy) / 2.0 * std::cos(2 * t) + txy * std::sin(2 * t), 2e-3);
  }
}

TEST(PlaneStress2D, AResultBeyondTheFloatRangeIsAnError) {
  EXPECT_THROW(PrincipalStresses(3e38f, -3e38f, 3e38f), RuntimeError);
  EXPECT_NO_THROW(PrincipalStresses(3e38f, 10, 8));
}

}  // namespace
}  // namespace brantel
