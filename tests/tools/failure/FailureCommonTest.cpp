#include "tools/failure/FailureCommon.h"

#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace brantel {
namespace {

TEST(FailureCommon, VerdictTextsAndFlags) {
  struct Case {
    Verdict verdict;
    const char* capitalised;
    const char* lower;
    std::optional<bool> flag;  // none: the previous flag stays
  };
  for (const Case& c : {Case{Verdict::Fails, "True", "true", true}, Case{Verdict::Holds, "False", "false", false},
                        Case{Verdict::RangeError, "Range Error", "Range Error", std::nullopt},
                        Case{Verdict::Blank, "", "", std::nullopt}}) {
    EXPECT_EQ(VerdictText(c.verdict), QString::fromUtf8(c.capitalised));
    EXPECT_EQ(VerdictText(c.verdict, VerdictCase::Lower), QString::fromUtf8(c.lower));
    for (const bool previous : {false, true})
      EXPECT_EQ(FailureFlagAfter(c.verdict, previous), c.flag.value_or(previous));
  }
}

TEST(FailureCommon, SidesAreComparedAsSingles) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CompareCriterionSides(1.0, 1.0), Verdict::Holds);
  // Apart only below the 32-bit resolution: a tie.
  EXPECT_EQ(CompareCriterionSides(1.0 + 1e-9, 1.0), Verdict::Holds);
  EXPECT_EQ(CompareCriterionSides(1.0001, 1.0), Verdict::Fails);
  // Beyond the 32-bit range the sides still decide.
  EXPECT_EQ(CompareCriterionSides(1e39, 1.0), Verdict::Fails);
  EXPECT_EQ(CompareCriterionSides(1.0, 1e39), Verdict::Holds);
  EXPECT_EQ(CompareCriterionSides(inf, 1.0), Verdict::Blank);
  EXPECT_EQ(CompareCriterionSides(1.0, std::nan("")), Verdict::Blank);
}

TEST(FailureCommon, RangesFromThePrincipalStresses) {
  // s1 = 10, s2 = 2: R = 4; the span 16 is raised to 1.2 x 14.
  AxisRange a = StressPlotRange(10, 2);
  EXPECT_FLOAT_EQ(a.Min, -2);
  EXPECT_FLOAT_EQ(a.Max, 14);
  EXPECT_FLOAT_EQ(a.Span, 16.8f);
  // s1 = 10, s2 = 0 at zoom factor 2: -10 to 20.
  a = StressPlotRange(10, 0, 2);
  EXPECT_EQ(a.Min, -10.0f);
  EXPECT_EQ(a.Max, 20.0f);
  EXPECT_EQ(a.Span, 30.0f);
  // s1 = 10, s2 = 8: 7 to 11, the span raised to 1.2 x 11; the plain range
  // keeps the span 4.
  a = StressPlotRange(10, 8, 1);
  EXPECT_EQ(a.Min, 7.0f);
  EXPECT_FLOAT_EQ(a.Span, 13.2f);
  const AxisRange plain = PlainAxisRange(10, 8);
  EXPECT_EQ(plain.Min, 7.0f);
  EXPECT_EQ(plain.Max, 11.0f);
  EXPECT_EQ(plain.Span, 4.0f);
  // A state without spread still spans the axis: 1.2 x s1.
  EXPECT_FLOAT_EQ(PlainAxisRange(10, 10).Span, 12.0f);
  EXPECT_EQ(PlainAxisRange(-10, -10).Span, 0.0f);
  try {
    StressPlotRange(3e38f, -3e38f, 1);
    ADD_FAILURE() << "no overflow";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), err::kOverflow);
  }
}

TEST(FailureCommon, EffectiveStressesAndTheirPoint) {
  EXPECT_EQ(EffectiveStress(10, 3), 7.0);
  // Beyond the 32-bit range the exact difference still judges.
  EXPECT_EQ(EffectiveStress(-3e38f, 3e38f), -2.0 * static_cast<double>(3e38f));
  EXPECT_EQ(StressPointOf(30, 10), (PlotPoint{10, 30}));
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 10, true));     // P = s2
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 0, true));      // no pore pressure
  EXPECT_FALSE(EffectiveStressPointOf(30, 10, 5, false));     // option clear
  const auto p = EffectiveStressPointOf(30, 10, 9.5f, true);  // P just below s2
  ASSERT_TRUE(p);
  EXPECT_EQ(*p, (PlotPoint{0.5f, 20.5f}));
}

TEST(FailureCommon, StepsAreCountedAndCapped) {
  struct Case {
    double from, to, step;
    std::size_t count;
    double last;
  };
  const Case cases[] = {
      {0, 11, 0.5, 23, 11},  // Hoek-Brown, s1 = 10.3
      {0, 10, 1, 11, 10},
      {0, 10.5, 1, 11, 10},
      {0, 0.3f, 0.1, 4, 0.3},     // the float end is reached
      {39.3, 80.7, 1, 42, 80.3},  // a run that does not fall on its end
      {0, 0, 0.5, 1, 0},
      {0, -1, 0.5, 0, 0},
      {10, 0, -0.1, 101, 0},
      {0, 1e30, 0.5, kMaxEnvelopeSteps + 1, 1e30},
      {0, 3.4e38, 1, kMaxEnvelopeSteps + 1, 3.4e38},
  };
  for (const Case& c : cases) {
    const std::vector<double> v = EnvelopeSteps(c.from, c.to, c.step);
    ASSERT_EQ(v.size(), c.count) << c.from << " " << c.to;
    if (v.empty()) continue;
    EXPECT_EQ(v.front(), c.from);
    EXPECT_NEAR(v.back(), c.last, std::fabs(c.last) * 1e-6 + 1e-5);
    for (std::size_t i = 1; i < v.size(); ++i) {
      EXPECT_TRUE(c.step > 0 ? v[i] > v[i - 1] : v[i] < v[i - 1]);
      EXPECT_TRUE(c.step > 0 ? static_cast<float>(v[i]) <= static_cast<float>(c.to)
                             : static_cast<float>(v[i]) >= static_cast<float>(c.to));
    }
  }
  EXPECT_TRUE(EnvelopeSteps(0, 10, 0).empty());
  EXPECT_TRUE(EnvelopeSteps(5, 9, -1).empty());
}

TEST(FailureCommon, EnvelopesStopWhereTheyLeaveTheRange) {
  Envelope e;
  EXPECT_TRUE(AddEnvelopePoint(e, 1, 2.5));
  EXPECT_FALSE(AddEnvelopePoint(e, 2, std::nan("")));
  EXPECT_FALSE(e.Overflow);
  EXPECT_FALSE(AddEnvelopePoint(e, 3, 1e39));
  EXPECT_TRUE(e.Overflow);
  EXPECT_EQ(e.Points, (std::vector<PlotPoint>{{1, 2.5f}}));

  // Sampling leaves out abscissae without a value and goes on.
  const auto points = SampleEnvelope(EnvelopeSteps(0, 4, 1), [](double x) -> std::optional<float> {
    if (x == 2.0) return std::nullopt;
    return static_cast<float>(x * x);
  });
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[2], (PlotPoint{3, 9}));
}

}  // namespace
}  // namespace brantel
