#include "tools/failure/FailureCommon.h"

#include <gtest/gtest.h>

namespace brantel {
namespace {

TEST(FailureCommon, VerdictTexts) {
  struct Case {
    Verdict verdict;
    const char* capitalised;
    const char* lower;
  };
  for (const Case& c : {Case{Verdict::True, "True", "true"}, Case{Verdict::False, "False", "false"},
                        Case{Verdict::RangeError, "Range Error", "Range Error"},
                        Case{Verdict::Blank, "", ""}}) {
    EXPECT_EQ(VerdictText(c.verdict), QString::fromUtf8(c.capitalised));
    EXPECT_EQ(VerdictText(c.verdict, VerdictCase::Lower), QString::fromUtf8(c.lower));
  }
  EXPECT_EQ(RecordBool(true), -1);
  EXPECT_EQ(RecordBool(false), 0);
}

TEST(FailureCommon, EnvelopeAbscissaeAreCountedAndCapped) {
  // Steps of 0.5 from 0 to Int(10.3) + 1: 23 points, the last on 11.
  const std::vector<double> hoek = EnvelopeAbscissae(0, 11, 0.5);
  ASSERT_EQ(hoek.size(), 23u);
  EXPECT_EQ(hoek.back(), 11.0);
  // A run that does not fall on its end stops before it.
  const std::vector<double> beta = EnvelopeAbscissae(39.3, 80.7, 1);
  ASSERT_EQ(beta.size(), 42u);
  EXPECT_NEAR(beta.back(), 80.3, 1e-12);

  // Stresses in the millions would give millions of points: the step widens.
  const std::vector<double> wide = EnvelopeAbscissae(0, 2.0e6, 0.5);
  ASSERT_EQ(wide.size(), static_cast<size_t>(kMaxEnvelopePoints));
  EXPECT_EQ(wide.front(), 0.0);
  EXPECT_EQ(wide.back(), 2.0e6);
  for (size_t i = 1; i < wide.size(); ++i) ASSERT_LT(wide[i - 1], wide[i]);

  EXPECT_TRUE(EnvelopeAbscissae(5, 4, 1).empty());
  EXPECT_EQ(EnvelopeAbscissae(5, 9, 0), std::vector<double>{5.0});
  EXPECT_EQ(EnvelopeAbscissae(5, 9, -1), std::vector<double>{5.0});
}

TEST(FailureCommon, SampleEnvelopeLeavesOutPointsWithoutValue) {
  const auto points = SampleEnvelope(EnvelopeAbscissae(0, 4, 1), [](double x) -> std::optional<float> {
    if (x == 2.0) return std::nullopt;
    return static_cast<float>(x * x);
  });
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[2].X, 3.0f);
  EXPECT_EQ(points[2].Y, 9.0f);
}

TEST(FailureCommon, PlotRangeAndEffectiveStresses) {
  // s1 = 10, s2 = 2: R = 4; the span 16 is raised to 1.2 x 14.
  const AxisRange reset = StressPlotRange(10, 2);
  EXPECT_FLOAT_EQ(reset.Min, -2);
  EXPECT_FLOAT_EQ(reset.Max, 14);
  EXPECT_FLOAT_EQ(reset.Span, 16.8f);
  // Zoom 2: -6..18, span 24 stands.
  const AxisRange zoomed = StressPlotRange(10, 2, 2);
  EXPECT_FLOAT_EQ(zoomed.Min, -6);
  EXPECT_FLOAT_EQ(zoomed.Max, 18);
  EXPECT_FLOAT_EQ(zoomed.Span, 24);

  const EffectiveStresses e = EffectiveStressState(10, 3, 5);
  EXPECT_EQ(e.S1, 5.0f);
  EXPECT_EQ(e.S2, -2.0f);
  EXPECT_TRUE(e.PoreAboveS2);
  EXPECT_FALSE(EffectiveStressState(10, 3, 3).PoreAboveS2);
}

}  // namespace
}  // namespace brantel
