#include "tools/stress/Stress2D.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

TEST(PlaneStress2D, PrincipalAndPlaneStresses) {
  const auto p = PrincipalStresses(30, 10, 0);
  EXPECT_EQ(p.S1, 30.0f);
  EXPECT_EQ(p.S2, 10.0f);
  const PlaneStress at0 = StressOnPlaneAt(p.S1, p.S2, 0);
  EXPECT_EQ(at0.SigmaN, 30.0f);
  EXPECT_EQ(at0.TauN, 0.0f);
  const PlaneStress at90 = StressOnPlaneAt(p.S1, p.S2, 90);
  EXPECT_NEAR(at90.SigmaN, 10.0f, 1e-5);
  const PlaneStress at45 = StressOnPlaneAt(p.S1, p.S2, 45);
  EXPECT_NEAR(at45.TauN, p.TauMax, 1e-5);
  EXPECT_NEAR(at45.SigmaN, 20.0f, 1e-5);
}

TEST(PlaneStress2D, EqualPrincipalStressesHaveNoShearOnAnyPlane) {
  const auto p = PrincipalStresses(7, 7, 0);
  for (float angle : {0.0f, 17.0f, 45.0f, 90.0f, -130.0f}) {
    const PlaneStress s = StressOnPlaneAt(p.S1, p.S2, angle);
    EXPECT_EQ(s.SigmaN, 7.0f);
    EXPECT_EQ(s.TauN, 0.0f);
  }
}

TEST(PlaneStress2D, AZeroStateHasZeroAngles) {
  const auto p = PrincipalStresses(0, 0, 0);
  for (float v : {p.S1, p.S2, p.Theta1, p.Theta2, p.TauMax, p.ThetaPlus45, p.ThetaMinus45}) EXPECT_EQ(v, 0.0f);
  // Only the three zeros: a pure sy state keeps its angles.
  const auto q = PrincipalStresses(0, 10, 0);
  EXPECT_EQ(q.Theta1, 90.0f);
}

TEST(PlaneStress2D, RotatingTheStateGivesThePlaneStressFormula) {
  // sigma_n on a plane at theta from x, the classic formula, against the
  // plane given from s1 at theta - theta1.
  const float sx = 12, sy = -4, txy = 5;
  const auto p = PrincipalStresses(sx, sy, txy);
  for (double theta = -80; theta <= 80; theta += 20) {
    const double t = theta * 3.14159265358979 / 180.0;
    const double expectedN = (sx + sy) / 2.0 + (sx - sy) / 2.0 * std::cos(2 * t) + txy * std::sin(2 * t);
    const PlaneStress s = StressOnPlaneAt(p.S1, p.S2, static_cast<float>(theta - p.Theta1));
    EXPECT_NEAR(s.SigmaN, expectedN, 1e-4) << theta;
  }
}

}  // namespace
}  // namespace brantel
