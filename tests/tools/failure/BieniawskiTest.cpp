#include "tools/failure/Bieniawski.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

BieniawskiParams Params(float co, float a, float k) {
  BieniawskiParams p;
  p.Co = co;
  p.A = a;
  p.K = k;
  return p;
}

StressInput Stress(float sx, float sy, float txy) { return StressInput{sx, sy, txy, StressGraph::None}; }

TEST(Bieniawski, WorkedVerdicts) {
  struct Case {
    const char* what;
    BieniawskiParams params;
    float sx, sy, txy;
    Verdict expected;
  };
  const Case cases[] = {
      {"no stress", Params(100, 5, 0.75f), 0, 0, 0, Verdict::RangeError},
      {"uniaxial", Params(100, 5, 0.75f), 50, 0, 0, Verdict::RangeError},
      {"tension", Params(100, 5, 0.75f), 0, 0, 10, Verdict::RangeError},
      {"no strength", Params(0, 5, 0.75f), 300, 16, 0, Verdict::Blank},
      // s2 = 16: 1 + 5 x 0.16^0.75 = 2.2649, the limit s1 = 226.49.
      {"below", Params(100, 5, 0.75f), 226, 16, 0, Verdict::Holds},
      {"above", Params(100, 5, 0.75f), 227, 16, 0, Verdict::Fails},
      {"tie", Params(100, 5, 1), 150, 10, 0, Verdict::Holds},
      {"just above the tie", Params(100, 5, 1), 150.01f, 10, 0, Verdict::Fails},
      {"k = 0", Params(100, 5, 0), 601, 1, 0, Verdict::Fails},
  };
  for (const Case& c : cases) {
    for (const bool previous : {false, true}) {  // a blank or Range Error verdict keeps the flag
      BieniawskiParams p = c.params;
      p.Failure = previous;
      const BieniawskiResult r = EvaluateBieniawski(Stress(c.sx, c.sy, c.txy), p);
      EXPECT_EQ(r.FailureVerdict, c.expected) << c.what;
      const bool flag = c.expected == Verdict::Fails || (c.expected != Verdict::Holds && previous);
      EXPECT_EQ(r.Failure, flag) << c.what;
      EXPECT_FALSE(r.PoreVerdict) << c.what;
    }
  }
}

TEST(Bieniawski, AgreesWithTheCriterionSolvedForS1) {
  // s1 = Co + A Co^(1 - k) s3^k on the envelope.
  const float co = 90, a = 4.2f, k = 0.65f;
  for (int i = 1; i <= 40; ++i) {
    const double s2 = 5.0 * i;
    const double limit = co + a * std::pow(co, 1.0 - k) * std::pow(s2, k);
    for (int j = 0; j <= 80; ++j) {
      const double s1 = s2 + 10.0 * j + 0.29;
      if (std::fabs(s1 - limit) < 1e-2) continue;
      EXPECT_EQ(BieniawskiVerdict(s1, s2, co, a, k), s1 > limit ? Verdict::Fails : Verdict::Holds) << s1 << " " << s2;
    }
  }
}

TEST(Bieniawski, PorePressure) {
  BieniawskiParams p = Params(100, 5, 0.75f);
  p.UsePore = true;
  p.PoreFailure = true;
  struct Case {
    float pore;
    Verdict expected;
    bool flag;
  };
  // s1 = 40, s2 = 20 holds on the total stresses.
  const Case cases[] = {
      {20, Verdict::RangeError, true},  // s2 - P = 0: the flag stays
      {25, Verdict::RangeError, true},  // P above s2
      {10, Verdict::Holds, false},
      {0, Verdict::Holds, false},
  };
  for (const Case& c : cases) {
    p.PorePressure = c.pore;
    const BieniawskiResult r = EvaluateBieniawski(Stress(40, 20, 0), p);
    EXPECT_EQ(r.FailureVerdict, Verdict::Holds);
    ASSERT_TRUE(r.PoreVerdict);
    EXPECT_EQ(*r.PoreVerdict, c.expected) << c.pore;
    EXPECT_EQ(r.PoreFailure, c.flag) << c.pore;
  }
  // s1 = 250, s2 = 40 holds (limit 351.5); P = 30 takes it to s1 - P = 220
  // against 1 + 5 x 0.1^0.75 = 1.889, so it fails.
  p.PorePressure = 30;
  const BieniawskiResult r = EvaluateBieniawski(Stress(250, 40, 0), p);
  EXPECT_EQ(r.FailureVerdict, Verdict::Holds);
  EXPECT_EQ(*r.PoreVerdict, Verdict::Fails);
  EXPECT_TRUE(r.PoreFailure);
}

// Each box's message for a text that is no number (only the stresses' come
// behind "Invalid value for ") and its sign rule: zero passes, anything
// below it is refused.
TEST(Bieniawski, BoxMessagesAndSignRules) {
  struct Case {
    BieniawskiBox box;
    const char* invalid;
    bool prefixed;
    const char* negative;
  };
  const Case cases[] = {
      {BieniawskiBox::Sx, "sx", true, "sx > 0"},
      {BieniawskiBox::Sy, "sy", true, "sy > 0"},
      {BieniawskiBox::Txy, "txy", true, "txy > 0"},
      {BieniawskiBox::Pore, "Invalid Pore Pressure", false, "P > 0"},
      {BieniawskiBox::Co, "Invalid value for Uniaxial Compressive Strength", false, "Co > 0"},
      {BieniawskiBox::A, "Invalid value for Parameter A", false, "A > 0"},
      {BieniawskiBox::K, "Invalid value for Parameter k", false, "k > 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.invalid);
    const InputMessage invalid = BieniawskiInvalidMessage(c.box);
    EXPECT_EQ(invalid.text.In(true), QString::fromUtf8(c.invalid));
    EXPECT_EQ(invalid.withPrefix, c.prefixed);
    const ValueRule rule = BieniawskiValueRule(c.box);
    ASSERT_TRUE(rule);
    EXPECT_FALSE(rule(0.0));
    ASSERT_TRUE(rule(-1));
    EXPECT_EQ(rule(-1)->text.In(true), QString::fromUtf8(c.negative));
  }
  EXPECT_EQ(BieniawskiInvalidMessage(BieniawskiBox::Co).text.In(false),
            QString::fromUtf8("Εσφαλμένη τιμή για την Αντοχή"));
  EXPECT_EQ(BieniawskiInvalidMessage(BieniawskiBox::A).text.In(false),
            QString::fromUtf8("Εσφαλμένη τιμή για την Παράμετρο Α"));
}

TEST(Bieniawski, EnvelopePoints) {
  Envelope e = BieniawskiEnvelope(100, 5, 0.75f, 10.5f);
  ASSERT_EQ(e.Points.size(), 12u);  // the start, then x = 0 .. 10
  EXPECT_EQ(e.Points[0], (PlotPoint{0, 100}));
  EXPECT_EQ(e.Points[1], (PlotPoint{0, 100}));
  EXPECT_NEAR(e.Points[2].Y, 100 * (1 + 5 * std::pow(0.01, 0.75)), 1e-3);
  EXPECT_EQ(e.Points.back().X, 10.0);
  for (std::size_t i = 2; i < e.Points.size(); ++i) {
    const PlotPoint p = e.Points[i];
    EXPECT_EQ(BieniawskiVerdict(p.Y * 0.9999, p.X, 100, 5, 0.75f), Verdict::Holds);
    EXPECT_EQ(BieniawskiVerdict(p.Y * 1.0001, p.X, 100, 5, 0.75f), Verdict::Fails);
  }
  // k = 0: a vertical segment at x = 0, then the line y = Co (1 + A).
  e = BieniawskiEnvelope(100, 5, 0, 3);
  ASSERT_EQ(e.Points.size(), 5u);
  EXPECT_EQ(e.Points[1], (PlotPoint{0, 600}));
  EXPECT_EQ(e.Points[4], (PlotPoint{3, 600}));
  EXPECT_TRUE(BieniawskiEnvelope(0, 5, 0.75f, 50).Points.empty());
  EXPECT_EQ(BieniawskiEnvelope(100, 5, 0.75f, -2).Points.size(), 1u);
  // Stresses in psi: the run keeps to the cap and still ends at s1.
  e = BieniawskiEnvelope(20000, 5, 0.75f, 4.5e6f);
  EXPECT_EQ(e.Points.size(), static_cast<std::size_t>(kMaxEnvelopeSteps) + 2);
  EXPECT_EQ(e.Points.back().X, 4.5e6);
  EXPECT_FALSE(e.Overflow);
}

TEST(Bieniawski, ReadoutTail) {
  EXPECT_EQ(BieniawskiReadoutTail(-10, 20), "-10  20");
  EXPECT_EQ(BieniawskiReadoutTail(0, 2.5f), " 0  2.5");
}

}  // namespace
}  // namespace brantel
