#include "tools/failure/HoekBrown.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

HoekParams Intact(float co, float m) {
  HoekParams p;
  p.CriterionType = HoekCriterion::IntactRock;
  p.Co = co;
  p.M = m;
  return p;
}

HoekParams Generalized(float co, float mb, float s, float a) {
  HoekParams p;
  p.CriterionType = HoekCriterion::Generalized;
  p.CoMass = co;
  p.Mb = mb;
  p.S = s;
  p.A = a;
  return p;
}

StressInput Stress(float sx, float sy, float txy) { return StressInput{sx, sy, txy, StressGraph::None}; }

TEST(HoekBrown, WorkedVerdicts) {
  struct Case {
    const char* what;
    HoekParams params;
    float sx, sy, txy;
    Verdict expected;
  };
  const Case cases[] = {
      {"intact tie", Intact(100, 7), 100, 0, 0, Verdict::Holds},
      {"intact above", Intact(100, 7), 100.01f, 0, 0, Verdict::Fails},
      // s2 = 10: r = 0.1 + 1.7^0.5, the limit s1 = 140.38.
      {"confined below", Intact(100, 7), 140, 10, 0, Verdict::Holds},
      {"confined above", Intact(100, 7), 141, 10, 0, Verdict::Fails},
      // Defaults of the generalized criterion: the limit s1 = 100 x 0.2^0.5.
      {"generalized below", Generalized(100, 10, 0.2f, 0.5f), 44, 0, 0, Verdict::Holds},
      {"generalized above", Generalized(100, 10, 0.2f, 0.5f), 45, 0, 0, Verdict::Fails},
      {"generalized tie", Generalized(100, 10, 0.25f, 0.5f), 50, 0, 0, Verdict::Holds},
      // Pure shear 50: s2 = -50, 7 x (-0.5) + 1 < 0, beyond the tensile limit.
      {"tensile limit passed", Intact(100, 7), 0, 0, 50, Verdict::Fails},
      {"tensile limit, integer power", Generalized(100, 10, 0.2f, 1), 0, 0, 50, Verdict::Fails},
      // m = 10, s1 = s2 = -10: exactly on the tensile limit, a tie.
      {"on the tensile limit", Intact(100, 10), -10, -10, 0, Verdict::Holds},
      {"zero strength", Intact(0, 7), 500, 0, 0, Verdict::Blank},
      {"zero strength generalized", Generalized(0, 10, 0.2f, 0.5f), 500, 0, 0, Verdict::Blank},
  };
  for (const Case& c : cases) {
    for (const bool previous : {false, true}) {  // a blank or Range Error verdict keeps the flag
      HoekParams p = c.params;
      p.Failure = previous;
      const HoekResult r = EvaluateHoek(Stress(c.sx, c.sy, c.txy), p);
      EXPECT_EQ(r.FailureVerdict, c.expected) << c.what;
      const bool flag = c.expected == Verdict::Fails || (c.expected != Verdict::Holds && previous);
      EXPECT_EQ(r.Failure, flag) << c.what;
      EXPECT_FALSE(r.PoreVerdict) << c.what;
    }
  }
}

TEST(HoekBrown, AgreesWithTheCriterionSolvedForS1) {
  // Failure when s1 > s2 + Co (m s2/Co + s)^a, away from the boundary.
  const HoekParams params[] = {Intact(80, 12), Generalized(120, 3.5f, 0.04f, 0.55f)};
  for (const HoekParams& p : params) {
    const double co = HoekStrength(p);
    const double m = p.CriterionType == HoekCriterion::Generalized ? p.Mb : p.M;
    const double s = p.CriterionType == HoekCriterion::Generalized ? p.S : 1.0;
    const double a = p.CriterionType == HoekCriterion::Generalized ? p.A : 0.5;
    for (int i = -8; i <= 40; ++i) {
      const double s2 = 5.0 * i;
      for (int j = 0; j <= 60; ++j) {
        const double s1 = s2 + 10.0 * j + 0.37;
        const double base = m * s2 / co + s;
        const bool fails = base < 0 || s1 > s2 + co * std::pow(base, a);
        if (base >= 0 && std::fabs(s1 - (s2 + co * std::pow(base, a))) < 1e-2) continue;
        const Verdict v = HoekBrownVerdict(s1, s2, static_cast<float>(co), static_cast<float>(m), static_cast<float>(s),
                                           static_cast<float>(a));
        EXPECT_EQ(v, fails ? Verdict::Fails : Verdict::Holds) << s1 << " " << s2;
      }
    }
  }
}

TEST(HoekBrown, PorePressure) {
  HoekParams p = Intact(100, 7);
  p.UsePore = true;
  p.PoreFailure = true;
  // s1 = s2 = 10 holds; P = 30 puts s2 - P = -20 beyond the tensile limit.
  p.PorePressure = 30;
  HoekResult r = EvaluateHoek(Stress(10, 10, 0), p);
  EXPECT_EQ(r.FailureVerdict, Verdict::Holds);
  ASSERT_TRUE(r.PoreVerdict);
  EXPECT_EQ(*r.PoreVerdict, Verdict::Fails);
  EXPECT_TRUE(r.PoreFailure);
  // P = 0: the effective test is the total one.
  p.PorePressure = 0;
  r = EvaluateHoek(Stress(100.01f, 0, 0), p);
  EXPECT_EQ(r.FailureVerdict, Verdict::Fails);
  EXPECT_EQ(*r.PoreVerdict, Verdict::Fails);
  // s1 = 150, s2 = 10 fails; P = 9 leaves s1 - P = 141 against the limit of
  // s2 - P = 1: 1 + 100 (0.07 + 1)^0.5 = 104.4, still failing; a zero
  // strength blanks both and keeps both flags.
  p.PorePressure = 9;
  r = EvaluateHoek(Stress(150, 10, 0), p);
  EXPECT_EQ(*r.PoreVerdict, Verdict::Fails);
  p.Co = 0;
  p.Failure = false;
  r = EvaluateHoek(Stress(150, 10, 0), p);
  EXPECT_EQ(r.FailureVerdict, Verdict::Blank);
  EXPECT_EQ(*r.PoreVerdict, Verdict::Blank);
  EXPECT_FALSE(r.Failure);
  EXPECT_TRUE(r.PoreFailure);
  // The principal stresses are those of the state given.
  EXPECT_EQ(r.Principal.S1, 150.0f);
  EXPECT_EQ(r.Principal.S2, 10.0f);
  EXPECT_EQ(r.Principal.Theta2, -90.0f);
}

// Each box's message for a text that is no number (only the stresses' come
// behind "Invalid value for ") and its sign rule: zero passes, anything
// below it is refused.
TEST(HoekBrown, BoxMessagesAndSignRules) {
  struct Case {
    HoekBox box;
    const char* invalid;
    bool prefixed;
    const char* negative;
  };
  const Case cases[] = {
      {HoekBox::Sx, "sx", true, "sx > 0"},
      {HoekBox::Sy, "sy", true, "sy > 0"},
      {HoekBox::Txy, "txy", true, "txy > 0"},
      {HoekBox::Pore, "Invalid Pore Pressure", false, "P > 0"},
      {HoekBox::Co, "Invalid value for Uniaxial Compressive Strength", false, "Co > 0"},
      {HoekBox::M, "Invalid value for Parameter m", false, "m > 0"},
      {HoekBox::CoMass, "Invalid value for Uniaxial Compressive Strength", false, "Co > 0"},
      {HoekBox::Mb, "Invalid value for Parameter mb", false, "mb > 0"},
      {HoekBox::S, "Invalid value for Parameter s", false, "s > 0"},
      {HoekBox::A, "Invalid value for Parameter a", false, "a > 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.invalid);
    const InputMessage invalid = HoekInvalidMessage(c.box);
    EXPECT_EQ(invalid.text.In(true), QString::fromUtf8(c.invalid));
    EXPECT_EQ(invalid.withPrefix, c.prefixed);
    const ValueRule rule = HoekValueRule(c.box);
    ASSERT_TRUE(rule);
    EXPECT_FALSE(rule(0.0));
    EXPECT_FALSE(rule(1e30));
    ASSERT_TRUE(rule(-1e-30));
    EXPECT_EQ(rule(-1e-30)->text.In(true), QString::fromUtf8(c.negative));
  }
  EXPECT_EQ(HoekInvalidMessage(HoekBox::Txy).text.In(false), QString::fromUtf8("τxy"));
  EXPECT_EQ(HoekInvalidMessage(HoekBox::Pore).text.In(false), QString::fromUtf8("Εσφαλμένη τιμή γιά τη πίεση πόρων"));
}

TEST(HoekBrown, EnvelopePoints) {
  // s1 = 10.3: x from 0 to 11 in steps of 0.5, after the start (0, Co).
  Envelope e = HoekEnvelope(Intact(100, 7), 10.3f);
  ASSERT_EQ(e.Points.size(), 24u);
  EXPECT_EQ(e.Points[0], (PlotPoint{0, 100}));
  EXPECT_EQ(e.Points.back().X, 11.0);
  EXPECT_NEAR(e.Points[9].Y, 4 + 100 * std::sqrt(1.28), 1e-3);  // x = 4
  EXPECT_FALSE(e.Overflow);
  // Every point lies on the envelope: holding just below, failing just above.
  for (std::size_t i = 1; i < e.Points.size(); ++i) {
    const PlotPoint p = e.Points[i];
    EXPECT_EQ(HoekBrownVerdict(p.Y * 0.9999, p.X, 100, 7, 1, 0.5f), Verdict::Holds);
    EXPECT_EQ(HoekBrownVerdict(p.Y * 1.0001, p.X, 100, 7, 1, 0.5f), Verdict::Fails);
  }
  // Generalized: the curve starts on the axis at Co' s^a.
  e = HoekEnvelope(Generalized(100, 10, 0.25f, 0.5f), 3);
  ASSERT_EQ(e.Points.size(), 10u);
  EXPECT_EQ(e.Points[1], (PlotPoint{0, 50}));
  // No strength, no envelope; a negative s1 leaves only the start point.
  EXPECT_TRUE(HoekEnvelope(Intact(0, 7), 50).Points.empty());
  EXPECT_EQ(HoekEnvelope(Intact(100, 7), -3.2f).Points.size(), 1u);
  EXPECT_EQ(HoekEnvelope(Intact(100, 7), -0.5f).Points.size(), 2u);
}

TEST(HoekBrown, PsiSizedStressesKeepTheEnvelopeShort) {
  HoekParams p = Intact(15000, 12);
  const Envelope e = HoekEnvelope(p, 1e6f);
  EXPECT_EQ(e.Points.size(), static_cast<std::size_t>(kMaxEnvelopeSteps) + 2);
  EXPECT_EQ(e.Points.back().X, 1000001.0);
  for (std::size_t i = 2; i < e.Points.size(); ++i) EXPECT_GT(e.Points[i].X, e.Points[i - 1].X);
  // At the top of the 32-bit range the curve stops where it overflows.
  const Envelope top = HoekEnvelope(Intact(1e38f, 1e6f), 3.4e38f);
  EXPECT_TRUE(top.Overflow);
  EXPECT_LE(top.Points.size(), static_cast<std::size_t>(kMaxEnvelopeSteps) + 2);
}

}  // namespace
}  // namespace brantel
