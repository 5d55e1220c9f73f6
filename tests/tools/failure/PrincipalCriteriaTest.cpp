#include "tools/failure/PrincipalCriteria.h"

#include "tools/failure/Bieniawski.h"
#include "tools/failure/VonMises.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brantel {
namespace {

TEST(PrincipalCriteria, VerdictTextsAndFlags) {
  EXPECT_EQ(CriterionVerdictText(CriterionVerdict::RangeError), "Range Error");
  EXPECT_EQ(CriterionVerdictText(CriterionVerdict::NotComputable), "");
  // Only a verdict of True or False moves the record's flag.
  EXPECT_EQ(FailureFlagAfter(CriterionVerdict::Holds, -1), 0);
  EXPECT_EQ(FailureFlagAfter(CriterionVerdict::Fails, 0), -1);
  for (CriterionVerdict v : {CriterionVerdict::RangeError, CriterionVerdict::Blank, CriterionVerdict::NotComputable})
    EXPECT_EQ(FailureFlagAfter(v, -1), -1);
}

TEST(PrincipalCriteria, SidesAreComparedAsSingles) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CompareCriterionSides(1.0, 1.0), CriterionVerdict::Holds);
  // Apart only below the 32-bit resolution: a tie.
  EXPECT_EQ(CompareCriterionSides(1.0 + 1e-9, 1.0), CriterionVerdict::Holds);
  EXPECT_EQ(CompareCriterionSides(1.0001, 1.0), CriterionVerdict::Fails);
  // Beyond the 32-bit range the sides still decide.
  EXPECT_EQ(CompareCriterionSides(1e39, 1.0), CriterionVerdict::Fails);
  EXPECT_EQ(CompareCriterionSides(1.0, 1e39), CriterionVerdict::Holds);
  EXPECT_EQ(CompareCriterionSides(inf, 1.0), CriterionVerdict::NotComputable);
  EXPECT_EQ(CompareCriterionSides(1.0, std::nan("")), CriterionVerdict::NotComputable);
}

TEST(PrincipalCriteria, EntriesMustFitASingle) {
  EXPECT_TRUE(IsCriterionEntry(QString()));
  EXPECT_TRUE(IsCriterionEntry(QStringLiteral("-")));
  EXPECT_TRUE(IsCriterionEntry(QStringLiteral("3e38")));
  EXPECT_FALSE(IsCriterionEntry(QStringLiteral("1e39")));
  EXPECT_FALSE(IsCriterionEntry(QStringLiteral("1e999")));
  EXPECT_FALSE(IsCriterionEntry(QStringLiteral("12a")));
  EXPECT_EQ(CriterionEntryValue(QStringLiteral("-.")), 0.0f);
  EXPECT_EQ(CriterionEntryValue(QStringLiteral("2.5")), 2.5f);
}

TEST(PrincipalCriteria, RangesFromThePrincipalStresses) {
  // s1 = 10, s2 = 0 at zoom factor 2: -10 to 20.
  PrincipalAxisRange a = ZoomedAxisRange(10, 0, 2);
  EXPECT_EQ(a.Min, -10.0f);
  EXPECT_EQ(a.Max, 20.0f);
  EXPECT_EQ(a.Span, 30.0f);
  // s1 = 10, s2 = 8: 7 to 11, the span raised to 1.2 x 11.
  a = ZoomedAxisRange(10, 8, 1);
  EXPECT_EQ(a.Min, 7.0f);
  EXPECT_EQ(a.Max, 11.0f);
  EXPECT_FLOAT_EQ(a.Span, 13.2f);
  const PrincipalAxisRange plain = PlainAxisRange(10, 8);
  EXPECT_EQ(plain.Min, 7.0f);
  EXPECT_EQ(plain.Max, 11.0f);
  EXPECT_EQ(plain.Span, 4.0f);
  EXPECT_EQ(ZoomFactorOf(10), 1.0f);
  // The Bieniawski and Von Mises plots zoom both axes alike.
  EXPECT_EQ(BieniawskiPlotRange(10, 0, 2).Y.Min, -10.0f);
  EXPECT_EQ(VonMisesPlotRange(10, 8, 1).Y.Span, a.Span);
  try {
    ZoomedAxisRange(3e38f, -3e38f, 1);
    ADD_FAILURE() << "no overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

TEST(PrincipalCriteria, EffectivePointOnlyAboveZero) {
  EXPECT_EQ(StressPointOf(30, 10), QPointF(10, 30));
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 10, 1));    // P = s2
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 0, 1));     // no pore pressure
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 5, 0));     // option clear
  const auto p = EffectiveStressPointOf(30, 10, 9.5f, 1);  // P just below s2
  ASSERT_TRUE(p);
  EXPECT_EQ(*p, QPointF(0.5, 20.5));
}

TEST(PrincipalCriteria, StepsAreCountedAndCapped) {
  struct Case {
    float from, to;
    double step;
    std::size_t count;
    float last;
  };
  const Case cases[] = {
      {0, 11, 0.5, 23, 11},         // Hoek-Brown, s1 = 10.3
      {0, 10, 1, 11, 10},
      {0, 10.5f, 1, 11, 10},
      {0, 0.3f, 0.1, 4, 0.3f},      // the float end is reached
      {0, 0, 0.5, 1, 0},
      {0, -1, 0.5, 0, 0},
      {10, 0, -0.1, 101, 0},
      {0, 1e30f, 0.5, kMaxEnvelopeSteps + 1, 1e30f},
      {0, 3.4e38f, 1, kMaxEnvelopeSteps + 1, 3.4e38f},
  };
  for (const Case& c : cases) {
    const std::vector<float> v = EnvelopeSteps(c.from, c.to, c.step);
    ASSERT_EQ(v.size(), c.count) << c.from << " " << c.to;
    if (v.empty()) continue;
    EXPECT_EQ(v.front(), c.from);
    EXPECT_NEAR(v.back(), c.last, std::fabs(c.last) * 1e-6 + 1e-5);
    for (std::size_t i = 1; i < v.size(); ++i) {
      EXPECT_TRUE(c.step > 0 ? v[i] > v[i - 1] : v[i] < v[i - 1]);
      EXPECT_TRUE(c.step > 0 ? v[i] <= c.to : v[i] >= c.to);
    }
  }
  EXPECT_TRUE(EnvelopeSteps(0, 10, 0).empty());
}

}  // namespace
}  // namespace brantel
