#include "tools/elasticity/Elasticity3D.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

TEST(Hooke3D, StrainsWorkedByHand) {
  struct Case {
    Matrix3d stress;
    double e, nu;
    Matrix3d strain;
  };
  const Case cases[] = {
      // Uniaxial: e11 = 100 / 1000, lateral -0.25 of it.
      {{{{100, 0, 0}, {0, 0, 0}, {0, 0, 0}}}, 1000, 0.25, {{{0.1, 0, 0}, {0, -0.025, 0}, {0, 0, -0.025}}}},
      // Pure shear s12 = 10: G = 400, tensor shear strain 10 / 800.
      {{{{0, 10, 0}, {10, 0, 0}, {0, 0, 0}}}, 1000, 0.25, {{{0, 0.0125, 0}, {0.0125, 0, 0}, {0, 0, 0}}}},
      // Hydrostatic p: every normal strain p (1 - 2 nu) / E.
      {{{{-30, 0, 0}, {0, -30, 0}, {0, 0, -30}}}, 2000, 0.2, {{{-0.009, 0, 0}, {0, -0.009, 0}, {0, 0, -0.009}}}},
      // Shear on the other two planes: G = 10000 / 2.6.
      {{{{0, 0, 26}, {0, 0, 13}, {26, 13, 0}}},
       10000,
       0.3,
       {{{0, 0, 0.00338}, {0, 0, 0.00169}, {0.00338, 0.00169, 0}}}},
  };
  for (const Case& c : cases) {
    const HookeStrains3D r = CalcStrainTensor3D(c.stress, c.e, c.nu);
    ASSERT_TRUE(r.Computable);
    const Matrix3d t = r.Tensor();
    for (std::size_t i = 0; i < 3; ++i) {
      for (std::size_t j = 0; j < 3; ++j) EXPECT_NEAR(t[i][j], c.strain[i][j], 1e-8) << i << j;
    }
  }
  // No stress, no strain.
  const HookeStrains3D unloaded = CalcStrainTensor3D({}, 1000, 0.25);
  ASSERT_TRUE(unloaded.Computable);
  EXPECT_EQ(unloaded.Tensor(), Matrix3d{});
}

// The strains turned back into stresses with Lame's form,
// s = lambda tr(e) I + 2 mu e, give the stress tensor again.
TEST(Hooke3D, StrainsTurnedBackGiveTheStresses) {
  const Matrix3d stresses[] = {
      {{{12.5, -3, 7}, {-3, -40, 2.25}, {7, 2.25, 18}}},
      {{{0, 1e3, -2e3}, {1e3, 5e3, 0}, {-2e3, 0, -1e3}}},
  };
  for (double e : {1.0, 30000.0}) {
    for (double nu : {0.05, 0.25, 0.49}) {
      const double lambda = e * nu / ((1 + nu) * (1 - 2 * nu));
      const double mu = e / (2 * (1 + nu));
      for (const Matrix3d& s : stresses) {
        const HookeStrains3D r = CalcStrainTensor3D(s, e, nu);
        ASSERT_TRUE(r.Computable);
        const Matrix3d eps = r.Tensor();
        const double trace = eps[0][0] + eps[1][1] + eps[2][2];
        for (std::size_t i = 0; i < 3; ++i) {
          for (std::size_t j = 0; j < 3; ++j) {
            const double back = (i == j ? lambda * trace : 0.0) + 2 * mu * eps[i][j];
            EXPECT_NEAR(back, s[i][j], 1e-5 * std::fabs(s[0][0] + s[1][1]) + 1e-3) << e << " " << nu;
          }
        }
      }
    }
  }
}

TEST(Hooke3D, OnlyTheUpperShearBoxesAndTheirTwinsAreRead) {
  // s21, s32 and s13 stand in the grid as the twins of s12, s23 and s31.
  const Matrix3d upper{{{0, 4, 99}, {99, 0, 6}, {8, 99, 0}}};
  const Matrix3d t = CalcStrainTensor3D(upper, 100, 0.25).Tensor();
  EXPECT_DOUBLE_EQ(t[0][1], 4 / 80.0);
  EXPECT_DOUBLE_EQ(t[1][0], 4 / 80.0);
  EXPECT_DOUBLE_EQ(t[1][2], 6 / 80.0);
  EXPECT_FLOAT_EQ(static_cast<float>(t[2][0]), 8 / 80.0f);
  EXPECT_EQ(t[0][2], t[2][0]);

  for (int k = 0; k < 9; ++k) {
    const int twin = HookeTwinBox(k);
    if (k % 4 == 0) {
      EXPECT_EQ(twin, -1) << k;  // the diagonal
    } else {
      EXPECT_EQ(twin, 3 * (k % 3) + k / 3) << k;  // (i, j) <-> (j, i)
      EXPECT_EQ(HookeTwinBox(twin), k);
    }
  }
  EXPECT_EQ(HookeTwinBox(9), -1);
}

TEST(Hooke3D, NoStrainsWithoutAModulus) {
  const Matrix3d s{{{1, 2, 3}, {2, 4, 5}, {3, 5, 6}}};
  EXPECT_FALSE(CalcStrainTensor3D(s, 0, 0.25).Computable);
  EXPECT_FALSE(CalcStrainTensor3D(s, 1000, -1).Computable);
  EXPECT_FALSE(CalcStrainTensor3D(s, 1e-50, 0.25).Computable);  // G below the 32-bit range
  try {
    CalcStrainTensor3D({{{0, 0, 0}, {0, 0, 0}, {3e38, 0, 3e38}}}, 1e-3, 0.25);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
}

TEST(Hooke3D, VerdictsOfTheConstantBoxes) {
  using M = HookeModulusVerdict;
  EXPECT_EQ(CheckHookeModulus(true, 1000), M::Accepted);
  EXPECT_EQ(CheckHookeModulus(true, 0), M::ShouldBePositive);
  EXPECT_EQ(CheckHookeModulus(true, -5), M::ShouldBePositive);
  EXPECT_EQ(CheckHookeModulus(false, 12), M::InvalidValue);     // "12abc"
  EXPECT_EQ(CheckHookeModulus(false, 0), M::ShouldBePositive);  // "abc"

  using P = HookePoissonVerdict;
  EXPECT_EQ(CheckHookePoisson(true, 0.25), P::Accepted);
  EXPECT_EQ(CheckHookePoisson(true, 0), P::NotPositiveNotice);
  EXPECT_EQ(CheckHookePoisson(true, -0.1), P::NotPositiveNotice);
  EXPECT_EQ(CheckHookePoisson(true, 0.5), P::ShouldBeBelowHalf);
  EXPECT_EQ(CheckHookePoisson(false, 0), P::ShouldBePositive);
  EXPECT_EQ(CheckHookePoisson(false, 0.3), P::InvalidValue);
  EXPECT_EQ(CheckHookePoisson(false, 0.7), P::ShouldBeBelowHalf);

  // A number beyond any range counts as the largest of its sign.
  EXPECT_EQ(HookeVerdictValue(12.5, u"12.5abc"), 12.5);
  EXPECT_EQ(CheckHookeModulus(false, HookeVerdictValue(std::nullopt, u"1e999")), M::InvalidValue);
  EXPECT_EQ(CheckHookeModulus(false, HookeVerdictValue(std::nullopt, u" -1e999")), M::ShouldBePositive);
  EXPECT_EQ(CheckHookePoisson(false, HookeVerdictValue(std::nullopt, u"1e999")), P::ShouldBeBelowHalf);

  // Each verdict that refuses a box has its own message; an accepted box
  // and the notice beside the box have none.
  EXPECT_STREQ(HookeModulusMessage(M::InvalidValue)->text.english, "Invalid value for Young's modulus");
  EXPECT_STREQ(HookeModulusMessage(M::ShouldBePositive)->text.greek, "Το μέτρο ελαστικότητας πρέπει να είναι θετικό");
  EXPECT_STREQ(HookePoissonMessage(P::ShouldBePositive)->text.english, "Poisson's ratio should be positive");
  EXPECT_STREQ(HookePoissonMessage(P::InvalidValue)->text.english, "Invalid value for Poisson's ratio");
  EXPECT_STREQ(HookePoissonMessage(P::ShouldBeBelowHalf)->text.english, "Poisson's ratio should be < 0.5");
  for (const auto& message : {HookeModulusMessage(M::InvalidValue), HookePoissonMessage(P::ShouldBeBelowHalf)}) {
    EXPECT_FALSE(message->withPrefix);  // whole sentences
  }
  EXPECT_FALSE(HookeModulusMessage(M::Accepted));
  EXPECT_FALSE(HookePoissonMessage(P::Accepted));
  EXPECT_FALSE(HookePoissonMessage(P::NotPositiveNotice));
}

}  // namespace
}  // namespace brantel
