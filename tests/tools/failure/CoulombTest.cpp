#include "tools/failure/Coulomb.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

CoulombParams Params(float c, float ucs, float phi, CoulombDerived derived) {
  CoulombParams p;
  p.Cohesion = c;
  p.UniaxialStrength = ucs;
  p.FrictionAngle = phi;
  p.ParamOption = derived;
  return p;
}

StressInput Stress(float sx, float sy, float txy = 0) { return StressInput{sx, sy, txy, StressGraph::None}; }

CoulombParams WithPore(CoulombParams p, float u) {
  p.UsePore = true;
  p.PorePressure = u;
  return p;
}

// UCS = 2 c cos(phi) / (1 - sin(phi)), the Mohr-Coulomb intercept.
double Ucs(double c, double phiDeg) { return 2 * c * std::cos(phiDeg * kRad) / (1 - std::sin(phiDeg * kRad)); }

TEST(Coulomb, EachParameterIsDerivedFromTheOtherTwo) {
  struct Case {
    float c, ucs, phi;
    CoulombDerived derived;
    double expected;
  };
  const Case cases[] = {
      {0, 10, 0, CoulombDerived::Cohesion, 5},
      {3, 0, 0, CoulombDerived::UniaxialStrength, 6},
      {10, 0, 30, CoulombDerived::UniaxialStrength, Ucs(10, 30)},
      {0, 34.641016f, 30, CoulombDerived::Cohesion, 10},
      {0, 10, -30, CoulombDerived::Cohesion, 10 / Ucs(1, -30)},
      {10, 34.641016f, 0, CoulombDerived::FrictionAngle, 30},
      {4, 8, 0, CoulombDerived::FrictionAngle, 0},  // UCS = 2c
      {0, 8, 0, CoulombDerived::FrictionAngle, 0},  // c = 0
  };
  for (const Case& k : cases) {
    const CoulombStrength s = DeriveCoulombStrength(Params(k.c, k.ucs, k.phi, k.derived));
    ASSERT_TRUE(s.Usable());
    const float got = k.derived == CoulombDerived::Cohesion           ? s.Cohesion
                      : k.derived == CoulombDerived::UniaxialStrength ? s.UniaxialStrength
                                                                      : s.FrictionAngle;
    EXPECT_NEAR(got, k.expected, 1e-4 * (1 + std::fabs(k.expected))) << static_cast<int>(k.derived) << " " << k.phi;
  }
  constexpr CoulombDerived friction = CoulombDerived::FrictionAngle;
  EXPECT_EQ(DerivedParameterText(DeriveCoulombStrength(Params(0, 8, 0, friction)), friction), "0");
  EXPECT_EQ(DerivedParameterText(DeriveCoulombStrength(Params(10, 34.641016f, 0, friction)), friction), "30.0");
  constexpr CoulombDerived strength = CoulombDerived::UniaxialStrength;
  EXPECT_EQ(DerivedParameterText(DeriveCoulombStrength(Params(3, 0, 0, strength)), strength), "6.000");
}

// What OK keeps of a derived parameter is the number its box shows.
TEST(Coulomb, ADerivedParameterIsKeptAsShown) {
  for (CoulombDerived option :
       {CoulombDerived::Cohesion, CoulombDerived::UniaxialStrength, CoulombDerived::FrictionAngle}) {
    for (float value : {17.3205f, -133.57f, 0.0f, 3e38f}) {
      CoulombStrength strength;
      strength.Cohesion = strength.UniaxialStrength = strength.FrictionAngle = value;
      strength.Derived = true;
      EXPECT_EQ(DerivedParameterAsShown(value, option), LeadingNumber<float>(DerivedParameterText(strength, option)))
          << static_cast<int>(option) << " " << value;
    }
  }
  EXPECT_EQ(DerivedParameterAsShown(17.3205f, CoulombDerived::UniaxialStrength), 17.321f);
  EXPECT_EQ(DerivedParameterAsShown(30.04f, CoulombDerived::FrictionAngle), 30.0f);
}

TEST(Coulomb, DerivationsRoundTrip) {
  for (float phi : {-80.0f, -45.0f, 0.0f, 20.0f, 45.0f, 80.0f, 89.9f}) {
    const CoulombStrength up = DeriveCoulombStrength(Params(7, 0, phi, CoulombDerived::UniaxialStrength));
    const CoulombStrength phiBack =
        DeriveCoulombStrength(Params(7, up.UniaxialStrength, 0, CoulombDerived::FrictionAngle));
    const CoulombStrength cBack = DeriveCoulombStrength(Params(0, up.UniaxialStrength, phi, CoulombDerived::Cohesion));
    EXPECT_NEAR(phiBack.FrictionAngle, phi, 2e-3) << phi;
    EXPECT_NEAR(cBack.Cohesion, 7, 7e-5) << phi;
  }
}

TEST(Coulomb, FrictionAnglesOfNinetyDegreesAreRefused) {
  for (float phi : {90.0f, -90.0f, 135.0f}) {
    const CoulombParams p = Params(5, 0, phi, CoulombDerived::UniaxialStrength);
    EXPECT_FALSE(DeriveCoulombStrength(p).Usable()) << phi;
    EXPECT_TRUE(CoulombValueRule(CoulombField::FrictionAngle)(phi)) << phi;
    const CoulombResult r = CalcCoulomb(Stress(10, 5), p);
    EXPECT_TRUE(r.Computed);
    EXPECT_FALSE(r.Judged);
    EXPECT_EQ(r.FailureVerdict, Verdict::Blank);
  }
  // Derived: c and UCS of opposite signs, or UCS = 0 with c not 0, give a
  // friction angle of -90 or below. It is shown, but judges nothing (the
  // dialog does not refuse it: the user typed no friction angle).
  for (float ucs : {-4.0f, 0.0f}) {
    const CoulombParams p = Params(5, ucs, 0, CoulombDerived::FrictionAngle);
    const CoulombResult r = CalcCoulomb(Stress(10, 5), p);
    EXPECT_LE(r.Strength.FrictionAngle, -90.0f);
    EXPECT_FALSE(r.Judged);
    EXPECT_FALSE(DerivedParameterText(r.Strength, CoulombDerived::FrictionAngle).isEmpty());
  }
  EXPECT_STREQ(CoulombInvalidMessage(CoulombField::FrictionAngle).text.english,
               "Invalid value for material friction angle");
}

TEST(Coulomb, FieldMessages) {
  const InputMessage sx = CoulombInvalidMessage(CoulombField::Sx);
  EXPECT_TRUE(sx.withPrefix);
  EXPECT_STREQ(sx.text.english, "sx");
  EXPECT_STREQ(sx.text.greek, "σx");
  EXPECT_FALSE(CoulombInvalidMessage(CoulombField::Cohesion).withPrefix);
}

TEST(Coulomb, ValueRulesOfTheFields) {
  for (CoulombField field : {CoulombField::Sx, CoulombField::Sy, CoulombField::PorePressure}) {
    const ValueRule rule = CoulombValueRule(field);
    ASSERT_TRUE(rule);
    EXPECT_FALSE(rule(0.0));
    ASSERT_TRUE(rule(-0.5));
    EXPECT_STREQ(rule(-0.5)->text.english, CoulombInvalidMessage(field).text.english);
  }
  const ValueRule friction = CoulombValueRule(CoulombField::FrictionAngle);
  EXPECT_FALSE(friction(-89.9));
  EXPECT_TRUE(friction(90.0) && friction(-90.0));
  for (CoulombField field : {CoulombField::Txy, CoulombField::Cohesion, CoulombField::UniaxialStrength})
    EXPECT_FALSE(CoulombValueRule(field));  // any number
}

// c = 5, phi = 0: the strength is s2 + 10.
TEST(Coulomb, VerdictsOnBothSidesOfTheStrengthAndAtTies) {
  const CoulombParams p = Params(5, 0, 0, CoulombDerived::UniaxialStrength);
  struct Case {
    float sx;
    float pore;  // < 0: option off
    Verdict failure, poreFailure;
  };
  const Case cases[] = {
      {19.99f, -1, Verdict::Holds, Verdict::Blank},
      {20.0f, -1, Verdict::Fails, Verdict::Blank},  // tie fails
      {20.01f, -1, Verdict::Fails, Verdict::Blank},
      {20.0f, 2, Verdict::Fails, Verdict::Fails},  // both ties fail
      {19.99f, 2, Verdict::Holds, Verdict::Holds},
      {20.0f, 0, Verdict::Fails, Verdict::Blank},   // no pore pressure to judge
      {20.0f, 12, Verdict::Fails, Verdict::Holds},  // P > s2
  };
  for (const Case& k : cases) {
    const CoulombResult r = CalcCoulomb(Stress(k.sx, 10), k.pore < 0 ? p : WithPore(p, k.pore));
    ASSERT_TRUE(r.Judged);
    EXPECT_EQ(r.FailureVerdict, k.failure) << k.sx << " " << k.pore;
    EXPECT_EQ(r.PoreVerdict, k.poreFailure) << k.sx << " " << k.pore;
    EXPECT_EQ(r.PoreAboveS2, k.pore > 10);
    EXPECT_EQ(r.ShearAtFailure.has_value(), r.Failure);
  }
}

TEST(Coulomb, PorePressureAloneCanFailAndGivesTheAngle) {
  // phi = 30, c = 5: s1f = 3 s2 + UCS = 47.32 at s2 = 10; with P = 5 the
  // effective strength is 3 x 5 + 17.32 = 32.32 against s1 - P = 35.
  const CoulombParams p = WithPore(Params(5, 0, 30, CoulombDerived::UniaxialStrength), 5);
  const CoulombResult r = CalcCoulomb(Stress(40, 10), p);
  EXPECT_FALSE(r.Failure);
  EXPECT_TRUE(r.PoreFailure);
  EXPECT_EQ(VerdictText(r.FailureVerdict, VerdictCase::Lower), "false");
  EXPECT_EQ(VerdictText(r.PoreVerdict, VerdictCase::Lower), "true");
  ASSERT_TRUE(r.FailureAngle);
  EXPECT_FLOAT_EQ(*r.FailureAngle, 150);  // (90 - 0) + 45 + 15
  EXPECT_FALSE(r.ShearAtFailure);

  // Switched off, the pore result is false and blank whatever P was.
  CoulombParams off = p;
  off.UsePore = false;
  const CoulombResult o = CalcCoulomb(Stress(40, 10), off);
  EXPECT_FALSE(o.PoreFailure);
  EXPECT_EQ(o.PoreVerdict, Verdict::Blank);
  EXPECT_FALSE(o.FailureAngle);
}

TEST(Coulomb, ShearAtFailureIsTheTangentPointShear) {
  // s1 = 60, s2 = 10, phi = 30: tau = R cos(phi) = 25 x 0.866.
  CoulombParams params = Params(5, 0, 30, CoulombDerived::UniaxialStrength);
  CoulombResult r = CalcCoulomb(Stress(60, 10), params);
  ASSERT_TRUE(r.ShearAtFailure);
  EXPECT_NEAR(*r.ShearAtFailure, 25 * std::cos(30 * kRad), 1e-4);
  Principal2D principal;
  StoreCoulombResult(r, params, principal);
  EXPECT_TRUE(params.Failure);
  EXPECT_NEAR(params.UniaxialStrength, Ucs(5, 30), 1e-4);
  EXPECT_EQ(principal.S1, 60.0f);
}

TEST(Coulomb, StatesThatCannotBeJudgedLeaveNoVerdict) {
  const CoulombResult zeroParams = CalcCoulomb(Stress(60, 10), Params(0, 0, 0, CoulombDerived::UniaxialStrength));
  const CoulombResult zeroStress = CalcCoulomb(Stress(0, 0), Params(5, 0, 30, CoulombDerived::UniaxialStrength));
  for (const CoulombResult& r : {zeroParams, zeroStress}) {
    EXPECT_TRUE(r.Computed);
    EXPECT_FALSE(r.Judged);
    EXPECT_EQ(r.FailureVerdict, Verdict::Blank);
    EXPECT_FALSE(r.FailureAngle);
    EXPECT_FALSE(r.ShearAtFailure);
  }
  EXPECT_EQ(zeroParams.Principal.S1, 60.0f);  // principal stresses still shown

  // Principal stresses beyond the 32-bit range: nothing, and no exception.
  const CoulombResult huge =
      CalcCoulomb(Stress(3e38f, -3e38f, 3e38f), Params(5, 0, 30, CoulombDerived::UniaxialStrength));
  EXPECT_FALSE(huge.Computed);
}

// The sy at which s1 = N s2 + K, for sx and txy fixed: the larger root of
// (1+N)^2 ((sx-y)^2/4 + t^2) = ((N-1)(sx+y)/2 + K)^2, found from three
// values of the quadratic.
double ClosedFormSy(double sx, double t, double phi, double c) {
  const double s = std::sin(phi * kRad);
  const double n = (1 + s) / (1 - s);
  const double k = Ucs(c, phi);
  const auto f = [&](double y) {
    const double lhs = (1 + n) * (1 + n) * ((sx - y) * (sx - y) / 4 + t * t);
    const double rhs = (n - 1) * (sx + y) / 2 + k;
    return lhs - rhs * rhs;
  };
  const double cc = f(0), a = (f(1) + f(-1)) / 2 - cc, b = (f(1) - f(-1)) / 2;
  if (std::fabs(a) < 1e-12) return -cc / b;
  const double d = std::sqrt(b * b - 4 * a * cc);
  return std::max((-b + d) / (2 * a), (-b - d) / (2 * a));
}

TEST(Coulomb, UpperLimitMatchesTheClosedForm) {
  struct Case {
    float sx, sy, txy, c, phi;
  };
  for (const Case& k : {Case{10, 0, 0, 5, 30}, Case{10, 2, 3, 5, 30}, Case{4, 1, 2, 3, 0}, Case{25, 3, -6, 6, 40}}) {
    const StressInput s = Stress(k.sx, k.sy, k.txy);
    const CoulombParams p = Params(k.c, 0, k.phi, CoulombDerived::UniaxialStrength);
    const CoulombLimit limit = CoulombUpperLimit(s, p);
    ASSERT_EQ(limit.Status, LimitSearch::Found) << k.sx;
    const double expected = std::ceil(ClosedFormSy(k.sx, k.txy, k.phi, k.c) * 100) / 100;
    EXPECT_NEAR(limit.Value, expected, 0.0101) << k.sx;
    // The value written fails; one hundredth less does not.
    EXPECT_TRUE(CalcCoulomb(Stress(k.sx, float(limit.Value), k.txy), p).Failure);
    EXPECT_FALSE(CalcCoulomb(Stress(k.sx, float(limit.Value - 0.01), k.txy), p).Failure);
  }
}

TEST(Coulomb, LowerLimitSearchesDownToZero) {
  // sy = 10 stays s1 once sx < 10; s2 = sx fails below (10 - K) / 3.
  const CoulombParams p = Params(1, 0, 30, CoulombDerived::UniaxialStrength);
  const CoulombLimit limit = CoulombLowerLimit(Stress(20, 10), p);
  ASSERT_EQ(limit.Status, LimitSearch::Found);
  EXPECT_NEAR(limit.Value, std::floor((10 - Ucs(1, 30)) / 3 * 100) / 100, 1e-9);

  // With K = 34.6 > 10 no sx of 0 or more fails.
  EXPECT_EQ(CoulombLowerLimit(Stress(20, 10), Params(10, 0, 30, CoulombDerived::UniaxialStrength)).Status,
            LimitSearch::NotReachable);
  // Already at sx = 0.
  EXPECT_EQ(CoulombLowerLimit(Stress(0, 10), Params(5, 0, 30, CoulombDerived::UniaxialStrength)).Status,
            LimitSearch::NotReachable);
}

TEST(Coulomb, LimitSearchesRefuseAndAlwaysEnd) {
  const CoulombParams p = Params(5, 0, 30, CoulombDerived::UniaxialStrength);
  EXPECT_EQ(CoulombUpperLimit(Stress(60, 10), p).Status, LimitSearch::AlreadyFailed);
  EXPECT_EQ(CoulombLowerLimit(Stress(60, 10), p).Status, LimitSearch::AlreadyFailed);
  // All parameters 0: no verdict to reach.
  EXPECT_EQ(CoulombUpperLimit(Stress(10, 5), Params(0, 0, 0, CoulombDerived::UniaxialStrength)).Status,
            LimitSearch::NotReachable);
  // A friction angle of 90 degrees.
  EXPECT_EQ(CoulombUpperLimit(Stress(10, 5), Params(5, 0, 90, CoulombDerived::UniaxialStrength)).Status,
            LimitSearch::NotReachable);
  // Failure only far beyond any stress the box could take.
  EXPECT_EQ(CoulombUpperLimit(Stress(10, 5), Params(1e30f, 0, 30, CoulombDerived::UniaxialStrength)).Status,
            LimitSearch::NotReachable);
  EXPECT_STREQ(CoulombLimitMessage(LimitSearch::AlreadyFailed).text.english, "Material is already failed");
  EXPECT_FALSE(CoulombLimitMessage(LimitSearch::NotReachable).text.In(true).isEmpty());
}

TEST(Coulomb, MohrEnvelopeTouchesTheCircleAtFailure) {
  // phi = 30, c = 5, s2 = 10: s1 at failure from the criterion itself.
  const CoulombParams p = Params(5, 0, 30, CoulombDerived::UniaxialStrength);
  const float s1f = CalcCoulomb(Stress(20, 10), p).FailureStrength.value();
  const CoulombResult r = CalcCoulomb(Stress(s1f, 10), p);
  const CoulombMohrView v = CoulombMohrPlot(r.Principal, p);
  ASSERT_TRUE(v.Envelope);
  const double dx = v.Envelope->To.X - v.Envelope->From.X;
  const double dy = v.Envelope->To.Y - v.Envelope->From.Y;
  // Distance from the centre (C, 0) to the envelope line.
  const double dist =
      std::fabs(dy * (v.Centre - v.Envelope->From.X) - dx * (0 - v.Envelope->From.Y)) / std::hypot(dx, dy);
  EXPECT_NEAR(dist, v.Radius, 1e-5 * v.Radius);
  EXPECT_FALSE(v.EffectiveCircleShown);

  // The s1-s3 line passes through (s2, s1f).
  const CoulombPrincipalView s = CoulombS1S3Plot(r.Principal, p);
  ASSERT_TRUE(s.CriterionLine);
  EXPECT_NEAR(s.N, 3, 1e-6);
  EXPECT_NEAR(s.CriterionLine->From.Y + s.N * 10, s1f, 1e-4);
}

TEST(Coulomb, PlotPiecesFollowTheirConditions) {
  const Principal2D pr = CalcCoulomb(Stress(40, 10), Params(5, 0, 30, CoulombDerived::UniaxialStrength)).Principal;
  // No envelope without cohesion or without friction.
  EXPECT_FALSE(CoulombMohrPlot(pr, Params(0, 0, 30, CoulombDerived::UniaxialStrength)).Envelope);
  EXPECT_FALSE(CoulombMohrPlot(pr, Params(5, 0, 0, CoulombDerived::UniaxialStrength)).Envelope);
  // P = s2: the effective circle, but no effective point (s2 - P = 0).
  const CoulombParams atS2 = WithPore(Params(5, 0, 30, CoulombDerived::UniaxialStrength), 10);
  EXPECT_TRUE(CoulombMohrPlot(pr, atS2).EffectiveCircleShown);
  EXPECT_FALSE(CoulombS1S3Plot(pr, atS2).EffectivePoint);
  const std::optional<PlotPoint> e =
      CoulombS1S3Plot(pr, WithPore(Params(5, 0, 30, CoulombDerived::UniaxialStrength), 2)).EffectivePoint;
  ASSERT_TRUE(e);
  EXPECT_EQ(e->X, 8.0f);
  EXPECT_EQ(e->Y, 38.0f);
  // P > s2: neither.
  const CoulombParams above = WithPore(Params(5, 0, 30, CoulombDerived::UniaxialStrength), 12);
  EXPECT_FALSE(CoulombMohrPlot(pr, above).EffectiveCircleShown);
  EXPECT_FALSE(CoulombS1S3Plot(pr, above).EffectivePoint);
}

}  // namespace
}  // namespace brantel
