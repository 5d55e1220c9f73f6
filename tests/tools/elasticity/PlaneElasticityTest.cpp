#include "tools/elasticity/PlaneElasticity.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

constexpr auto kStress = PlaneAssumption::PlaneStress;
constexpr auto kStrain = PlaneAssumption::PlaneStrain;

PlaneElasticityData Strains(double ex, double ey, double gxy) {
  PlaneElasticityData d;
  d.Ex = ex;
  d.Ey = ey;
  d.Gxy = gxy;
  return d;
}

TEST(PlaneElasticity, StressStatesWorkedByHand) {
  struct Case {
    double ex, ey, gxy;
    float e, nu;
    PlaneAssumption a;
    double sx, sy, txy;
  };
  const Case cases[] = {
      // 1 - nu^2 = 0.9375: sx = 1 / 0.9375, sy = 0.25 / 0.9375.
      {0.001, 0, 0, 1000, 0.25f, kStress, 1.0666667, 0.2666667, 0},
      // (1 - 2 nu)(1 + nu) = 0.625: sx = 0.75 / 0.625, sy = 0.25 / 0.625.
      {0.001, 0, 0, 1000, 0.25f, kStrain, 1.2, 0.4, 0},
      // G = 1000 / 2.5 = 400 under both assumptions.
      {0, 0, 0.002, 1000, 0.25f, kStress, 0, 0, 0.8},
      {0, 0, 0.002, 1000, 0.25f, kStrain, 0, 0, 0.8},
      // nu = 0.5 in plane stress: 1 - nu^2 = 0.75.
      {0.001, 0, 0, 1000, 0.5f, kStress, 1.3333333, 0.6666667, 0},
      // Negative Poisson's ratio: 1 - nu^2 = 0.75, sx = (1 - 0.5) / 0.75.
      {0.001, 0.001, 0, 1000, -0.5f, kStress, 0.6666667, 0.6666667, 0},
      // E = 0 is a zero state, not a missing one.
      {0.004, -0.002, 0.001, 0, 0.3f, kStrain, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const PlaneStressResult r = CalcStressState(Strains(c.ex, c.ey, c.gxy), {c.e, c.nu}, c.a);
    ASSERT_TRUE(r.Computable) << c.ex << " " << c.nu;
    EXPECT_NEAR(r.Sx, c.sx, 1e-6) << c.ex << " " << c.nu;
    EXPECT_NEAR(r.Sy, c.sy, 1e-6) << c.ex << " " << c.nu;
    EXPECT_NEAR(r.Txy, c.txy, 1e-6) << c.ex << " " << c.nu;
  }
}

TEST(PlaneElasticity, StrainStatesWorkedByHand) {
  struct Case {
    float sx, sy, txy, e, nu;
    PlaneAssumption a;
    double ex, ey, gxy;
  };
  const Case cases[] = {
      {10, 0, 5, 1000, 0.25f, kStress, 0.01, -0.0025, 0.0125},
      {10, 0, 5, 1000, 0.25f, kStrain, 0.009375, -0.003125, 0.0125},
      // Equal biaxial stress, nu = 0: no lateral effect.
      {-20, -20, 0, 4000, 0, kStrain, -0.005, -0.005, 0},
  };
  for (const Case& c : cases) {
    const PlaneStrainResult r = CalcStrainState({c.sx, c.sy, c.txy}, {c.e, c.nu}, c.a);
    ASSERT_TRUE(r.Computable);
    EXPECT_NEAR(r.Ex, c.ex, 1e-12);
    EXPECT_NEAR(r.Ey, c.ey, 1e-12);
    EXPECT_NEAR(r.Gxy, c.gxy, 1e-9);
  }
}

// Strains of a stress state, fed back through the other tab, give the stress
// state again under the same assumption.
TEST(PlaneElasticity, StressToStrainToStressRoundTrip) {
  const PlaneStressState states[] = {{10, 0, 5}, {-35.5f, 12.25f, -7}, {0, 0, 1}, {250, 250, 0}};
  for (PlaneAssumption a : {kStress, kStrain}) {
    for (float nu : {-0.9f, 0.0f, 0.2f, 0.35f, 0.49f}) {
      for (float e : {1.0f, 25000.0f}) {
        for (const PlaneStressState& s : states) {
          const PlaneStrainResult strains = CalcStrainState(s, {e, nu}, a);
          ASSERT_TRUE(strains.Computable);
          const PlaneStressResult back = CalcStressState(Strains(strains.Ex, strains.Ey, strains.Gxy), {e, nu}, a);
          ASSERT_TRUE(back.Computable);
          const double tol = 1e-5 * (std::fabs(s.Sx) + std::fabs(s.Sy) + std::fabs(s.Txy));
          EXPECT_NEAR(back.Sx, s.Sx, tol) << int(a) << " nu " << nu << " E " << e;
          EXPECT_NEAR(back.Sy, s.Sy, tol) << int(a) << " nu " << nu << " E " << e;
          EXPECT_NEAR(back.Txy, s.Txy, tol) << int(a) << " nu " << nu << " E " << e;
        }
      }
    }
  }
}

TEST(PlaneElasticity, StatesWithoutAFiniteAnswerAreNotComputable) {
  const PlaneElasticityData strains = Strains(0.001, 0.0005, 0.0002);
  const PlaneStressState stress{10, 5, 2};
  // Tab 0: nu = 0.5 in plane strain, nu = -1 (and below) in both.
  EXPECT_FALSE(CalcStressState(strains, {1000, 0.5f}, kStrain).Computable);
  EXPECT_TRUE(CalcStressState(strains, {1000, 0.5f}, kStress).Computable);
  for (float nu : {-1.0f, -1.5f}) {
    EXPECT_FALSE(CalcStressState(strains, {1000, nu}, kStress).Computable) << nu;
    EXPECT_FALSE(CalcStressState(strains, {1000, nu}, kStrain).Computable) << nu;
    EXPECT_FALSE(CalcStrainState(stress, {1000, nu}, kStress).Computable) << nu;
  }
  // Tab 1: E = 0 under both assumptions.
  EXPECT_FALSE(CalcStrainState(stress, {0, 0.25f}, kStress).Computable);
  EXPECT_FALSE(CalcStrainState(stress, {0, 0.25f}, kStrain).Computable);
  // A new project's zero state on tab 1 has nothing to show either.
  EXPECT_FALSE(CalcStrainState({}, {}, kStress).Computable);
}

TEST(PlaneElasticity, ResultsBeyondThe32BitRangeRaiseOverflow) {
  try {
    CalcStressState(Strains(10, 0, 0), {3e38f, 0}, kStress);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
  try {
    CalcStrainState({0, 0, 3e38f}, {1e-3f, 0.25f}, kStress);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
}

TEST(PlaneElasticity, ConstantRangesAndTheOkRule) {
  EXPECT_TRUE(PlaneModulusAccepted(0));
  EXPECT_TRUE(PlaneModulusAccepted(2e5));
  EXPECT_FALSE(PlaneModulusAccepted(-1));
  for (double nu : {0.5, 0.0, -0.3, -0.999}) EXPECT_TRUE(PlanePoissonAccepted(nu)) << nu;
  for (double nu : {0.6, 0.5000001, -1.0, -2.0}) EXPECT_FALSE(PlanePoissonAccepted(nu)) << nu;

  const PlaneElasticityData noStrain;
  const PlaneStressState noStress;
  // Tab 0 looks at the strains only, whatever E and nu of tab 1 are.
  EXPECT_FALSE(PlaneOkEnabled(PlaneElasticityTab::Stress, noStrain, noStress, {1000, 0.25f}));
  EXPECT_TRUE(PlaneOkEnabled(PlaneElasticityTab::Stress, Strains(0, 0, 0.00012), noStress, {}));
  // Tab 1 looks at its stresses and constants.
  EXPECT_FALSE(PlaneOkEnabled(PlaneElasticityTab::Strain, Strains(1, 1, 1), noStress, {}));
  EXPECT_TRUE(PlaneOkEnabled(PlaneElasticityTab::Strain, noStrain, noStress, {0, 0.2f}));
  EXPECT_TRUE(PlaneOkEnabled(PlaneElasticityTab::Strain, noStrain, {0, -3, 0}, {}));
}

}  // namespace
}  // namespace brantel
