#include "tools/elasticity/Rosette.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

constexpr double kRad = 3.14159265358979 / 180.0;

RosetteData Gauges(float w1, float w2, float w3, float ea, float eb, float ec) {
  RosetteData r;
  r.W1 = w1;
  r.W2 = w2;
  r.W3 = w3;
  r.Ea = ea;
  r.Eb = eb;
  r.Ec = ec;
  return r;
}

// The reading of a gauge at `degrees` on the strain state (ex, ey, gxy),
// written as the rotation of the tensor.
double Reading(double ex, double ey, double gxy, double degrees) {
  const double t = 2 * degrees * kRad;
  return (ex + ey) / 2 + (ex - ey) / 2 * std::cos(t) + gxy / 2 * std::sin(t);
}

TEST(Rosette, RectangularAndDeltaRosettes) {
  struct Case {
    float w1, w2, w3;
    double ex, ey, gxy, e1, e2, theta1;
  };
  const Case cases[] = {
      {0, 45, 90, 100, 20, -20, 101.2311, 18.7689, -7.0181},
      {0, 60, 120, 100, 13.3333, 34.6410, 103.3333, 10.0, 10.8934},
  };
  for (const Case& c : cases) {
    const RosetteSolution s = CalcStrainTensor(Gauges(c.w1, c.w2, c.w3, 100, 50, 20));
    ASSERT_FALSE(s.Singular) << c.w2;
    EXPECT_NEAR(s.Tensor.Ex, c.ex, 1e-3);
    EXPECT_NEAR(s.Tensor.Ey, c.ey, 1e-3);
    EXPECT_NEAR(s.Tensor.Gxy, c.gxy, 1e-3);
    EXPECT_NEAR(s.Principal.E1, c.e1, 1e-3);
    EXPECT_NEAR(s.Principal.E2, c.e2, 1e-3);
    EXPECT_NEAR(s.Principal.Theta1, c.theta1, 1e-3);
    EXPECT_NEAR(s.Principal.Theta2, c.theta1 - 90, 1e-3);
  }
  const RosetteSolution rect = CalcStrainTensor(Gauges(0, 45, 90, 100, 50, 20));
  const RosettePlaneStrains at30 = CalcStrainAtAngle(rect.Principal, 30);
  EXPECT_NEAR(at30.Ew, 80.616, 1e-3);
  EXPECT_NEAR(at30.Gw, -35.707, 1e-3);
}

// Readings made from a known state give it back, for any independent set of
// directions, negative ones and ones past a full turn included.
TEST(Rosette, ReadingsOfAKnownStateGiveItBack) {
  const double ex = 420, ey = -130, gxy = 275;
  const float sets[][3] = {{0, 45, 90}, {30, 75, 150}, {-20, 40, 100}, {10, 200, 355}, {90, 0, 45}};
  for (const auto& w : sets) {
    const RosetteData g =
        Gauges(w[0], w[1], w[2], static_cast<float>(Reading(ex, ey, gxy, w[0])),
               static_cast<float>(Reading(ex, ey, gxy, w[1])), static_cast<float>(Reading(ex, ey, gxy, w[2])));
    const RosetteSolution s = CalcStrainTensor(g);
    ASSERT_FALSE(s.Singular) << w[0] << " " << w[1] << " " << w[2];
    EXPECT_NEAR(s.Tensor.Ex, ex, 0.05) << w[1];
    EXPECT_NEAR(s.Tensor.Ey, ey, 0.05) << w[1];
    EXPECT_NEAR(s.Tensor.Gxy, gxy, 0.05) << w[1];
    // Principal strains: the invariants of the 2-D state.
    EXPECT_NEAR(s.Principal.E1 + s.Principal.E2, ex + ey, 0.05);
    EXPECT_NEAR(s.Principal.E1 * s.Principal.E2, ex * ey - gxy * gxy / 4, 50);
    EXPECT_GE(s.Principal.E1, s.Principal.E2);
  }
}

TEST(Rosette, ZeroReadingsGiveZeroPrincipalAngles) {
  const RosetteSolution s = CalcStrainTensor(Gauges(0, 45, 90, 0, 0, 0));
  ASSERT_FALSE(s.Singular);
  EXPECT_EQ(s.Principal.E1, 0.0);
  EXPECT_EQ(s.Principal.E2, 0.0);
  EXPECT_EQ(s.Principal.Theta1, 0.0);
  EXPECT_EQ(s.Principal.Theta2, 0.0);  // not -90
  // Equal nonzero readings keep the angles of the shared routine.
  const RosetteSolution iso = CalcStrainTensor(Gauges(0, 60, 120, 5, 5, 5));
  EXPECT_NEAR(iso.Principal.Theta2 - iso.Principal.Theta1, -90.0, 1e-9);
}

// Directions that make the equations dependent, exactly or within rounding,
// give no results: 0/90/180 has a determinant near 9e-8 only because the
// angles are rounded, and would otherwise show strains near 1e9.
TEST(Rosette, SingularAndNearSingularSystemsAreRefused) {
  const float sets[][3] = {{0, 0, 90},     {0, 0, 0},    {0, 90, 180},        {0, 45, 180},
                           {45, 135, 225}, {0, 90, 360}, {30, 30.00005f, 120}};
  for (const auto& w : sets) {
    const RosetteSolution s = CalcStrainTensor(Gauges(w[0], w[1], w[2], 100, 50, 20));
    EXPECT_TRUE(s.Singular) << w[0] << " " << w[1] << " " << w[2];
    EXPECT_EQ(s.Tensor.Ex, 0.0);
    EXPECT_EQ(s.Principal.E1, 0.0);
  }

  // Ill-conditioned but solvable: the strains are large and finite, and they
  // reproduce the readings.
  const RosetteSolution s = CalcStrainTensor(Gauges(10, 10.001f, 80, 100, 50, 20));
  ASSERT_FALSE(s.Singular);
  EXPECT_GT(std::fabs(s.Tensor.Gxy), 1e5);
  const float w[] = {10, 10.001f, 80};
  const double readings[] = {100, 50, 20};
  for (int i = 0; i < 3; ++i) {
    const double back = Reading(s.Tensor.Ex, s.Tensor.Ey, s.Tensor.Gxy, w[i]);
    EXPECT_NEAR(back, readings[i], 2.0) << i;
  }
}

TEST(Rosette, StrainsOnAPlane) {
  const RosettePrincipalStrains p{300, -100, 25, -65};
  EXPECT_NEAR(CalcStrainAtAngle(p, 360).Ew, 300, 1e-3);
  EXPECT_NEAR(CalcStrainAtAngle(p, 90).Ew, -100, 1e-3);
  EXPECT_NEAR(CalcStrainAtAngle(p, -45).Gw, 200, 1e-3);
  // Against the tensor of the state turned to the plane's direction.
  const RosetteSolution s = CalcStrainTensor(Gauges(0, 45, 90, 100, 50, 20));
  for (float w : {-130.0f, -30.0f, 15.0f, 70.0f}) {
    const double fromX = s.Principal.Theta1 + w;
    EXPECT_NEAR(CalcStrainAtAngle(s.Principal, w).Ew, Reading(s.Tensor.Ex, s.Tensor.Ey, s.Tensor.Gxy, fromX), 1e-3);
  }
}

TEST(Rosette, RangesOfTheAngles) {
  EXPECT_TRUE(RosetteDirectionAccepted(360) && RosetteDirectionAccepted(-45));
  EXPECT_FALSE(RosetteDirectionAccepted(360.5));
  EXPECT_TRUE(RosettePlaneAngleAccepted(-360) && RosettePlaneAngleAccepted(360));
  EXPECT_FALSE(RosettePlaneAngleAccepted(-361) || RosettePlaneAngleAccepted(360.01));
}

}  // namespace
}  // namespace brantel
