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

StressInput Stress(float sx, float sy, float txy) { return StressInput{sx, sy, txy, 0}; }

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
    BieniawskiParams p = c.params;
    p.Failure = 7;  // kept by a blank or Range Error verdict
    const BieniawskiResult r = EvaluateBieniawski(Stress(c.sx, c.sy, c.txy), p);
    EXPECT_EQ(r.FailureVerdict, c.expected) << c.what;
    const qint16 flag = c.expected == Verdict::Fails ? -1 : c.expected == Verdict::Holds ? 0 : 7;
    EXPECT_EQ(r.Failure, flag) << c.what;
    EXPECT_FALSE(r.PoreVerdict) << c.what;
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
  p.UsePore = 1;
  p.PoreFailure = 7;
  struct Case {
    float pore;
    Verdict expected;
    qint16 flag;
  };
  // s1 = 40, s2 = 20 holds on the total stresses.
  const Case cases[] = {
      {20, Verdict::RangeError, 7},  // s2 - P = 0
      {25, Verdict::RangeError, 7},  // P above s2
      {10, Verdict::Holds, 0},
      {0, Verdict::Holds, 0},
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
  EXPECT_EQ(r.PoreFailure, -1);
}

TEST(Bieniawski, ValidationOrderAndMessages) {
  const std::array<QString, kBieniawskiBoxCount> good = {"10", "5", "0", "0", "100", "5", "0.75"};
  struct Case {
    const char* what;
    BieniawskiBox box;
    const char* text;
    bool poreTicked;
    int faultBox;   // -1: valid
    int zeroedBox;  // -1: none
    bool storeStress;
    const char* english;
  };
  const Case cases[] = {
      {"all good", BieniawskiBox::Sx, "10", false, -1, -1, true, ""},
      {"empty sx", BieniawskiBox::Sx, "", false, -1, 0, false, ""},
      {"bad sy", BieniawskiBox::Sy, "abc", false, 1, -1, false, "sy"},
      {"negative txy", BieniawskiBox::Txy, "-4", false, 2, -1, false, "txy > 0"},
      {"pore clear", BieniawskiBox::Pore, "abc", false, -1, -1, true, ""},
      {"pore bad", BieniawskiBox::Pore, "abc", true, 3, -1, true, "Invalid Pore Pressure"},
      {"pore empty", BieniawskiBox::Pore, "", true, -1, 3, true, ""},
      {"pore negative", BieniawskiBox::Pore, "-1", true, 3, -1, true, "P > 0"},
      {"empty Co", BieniawskiBox::Co, "", false, -1, 4, true, ""},
      {"negative A", BieniawskiBox::A, "-1", false, 5, -1, true, "A > 0"},
      {"bad k", BieniawskiBox::K, "k", false, 6, -1, true, "Invalid value for Parameter k"},
      {"too large Co", BieniawskiBox::Co, "5e40", false, 4, -1, true,
       "Invalid value for Uniaxial Compressive Strength"},
  };
  for (const Case& c : cases) {
    std::array<QString, kBieniawskiBoxCount> texts = good;
    texts[static_cast<int>(c.box)] = QString::fromUtf8(c.text);
    const CriterionInputCheck check = CheckBieniawskiInputs(texts, c.poreTicked);
    if (c.faultBox < 0) {
      EXPECT_TRUE(check.Valid()) << c.what;
      EXPECT_EQ(check.StoreStress, c.storeStress) << c.what;
    } else {
      ASSERT_FALSE(check.Valid()) << c.what;
      EXPECT_EQ(check.Fault->Box, c.faultBox) << c.what;
      EXPECT_EQ(check.Fault->Message.text.In(true), QString::fromUtf8(c.english)) << c.what;
      // Only a stress box that is not a number gets the "Invalid value for " prefix.
      EXPECT_EQ(check.Fault->Message.withPrefix, c.faultBox < 3 && !QString::fromUtf8(c.english).contains(u'>'))
          << c.what;
    }
    EXPECT_EQ(check.ZeroedBoxes, c.zeroedBox < 0 ? std::vector<int>{} : std::vector<int>{c.zeroedBox}) << c.what;
  }
  // An emptied stress box lets the check go on to the material boxes; an
  // emptied material box ends it, valid, before the sign tests.
  std::array<QString, kBieniawskiBoxCount> texts = good;
  texts[1] = "";
  texts[4] = "";
  texts[5] = "-1";
  const CriterionInputCheck check = CheckBieniawskiInputs(texts, false);
  EXPECT_TRUE(check.Valid());
  EXPECT_EQ(check.ZeroedBoxes, (std::vector<int>{1, 4}));
  texts[4] = "x";
  EXPECT_EQ(CheckBieniawskiInputs(texts, false).Fault->Message.text.In(false),
            QString::fromUtf8("Εσφαλμένη τιμή για την Αντοχή"));
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
