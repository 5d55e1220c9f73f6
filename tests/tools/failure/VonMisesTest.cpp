#include "tools/failure/VonMises.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

StressInput Stress(float sx, float sy, float txy) { return StressInput{sx, sy, txy, StressGraph::None}; }

TEST(VonMises, WorkedCases) {
  struct Case {
    const char* what;
    float sx, sy, txy, t;
    double stress;
    Verdict verdict;
    bool failure;
    bool canCommit;
  };
  const Case cases[] = {
      {"tie fails", 100, 0, 0, 100, 100, Verdict::Fails, true, true},
      {"equal stresses", 50, 50, 0, 60, 50, Verdict::Holds, false, true},
      {"pure shear", 0, 0, 10, 20, std::sqrt(300.0), Verdict::Holds, false, true},
      {"no strength", 100, 0, 0, 0, 100, Verdict::Blank, true, false},
      {"no stress", 0, 0, 0, 5, 0, Verdict::Blank, false, false},
      {"negative strength", 1, 0, 0, -1, 1, Verdict::Fails, true, true},
  };
  for (const Case& c : cases) {
    const VonMisesResult r = EvaluateVonMises(Stress(c.sx, c.sy, c.txy), VonMisesData{c.t, true});
    ASSERT_TRUE(r.EquivalentStress) << c.what;
    EXPECT_NEAR(*r.EquivalentStress, c.stress, 1e-4) << c.what;
    EXPECT_EQ(r.FailureVerdict, c.verdict) << c.what;
    EXPECT_EQ(r.Failure, c.failure) << c.what;
    EXPECT_EQ(r.CanCommit, c.canCommit) << c.what;
  }
}

TEST(VonMises, EquivalentStressFromTheStressComponents) {
  // sv^2 = sx^2 - sx sy + sy^2 + 3 txy^2, without the principal stresses.
  for (int i = -4; i <= 4; ++i)
    for (int j = -4; j <= 4; ++j)
      for (int k = -3; k <= 3; ++k) {
        const double sx = 12.5 * i, sy = 7.0 * j + 1, txy = 9.0 * k;
        const Principal2D p = FailurePrincipalStresses(
            StressInput{static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(txy), StressGraph::None});
        const double expected = std::sqrt(sx * sx - sx * sy + sy * sy + 3 * txy * txy);
        EXPECT_NEAR(*VonMisesStress(p.S1, p.S2), expected, 1e-5 * expected + 1e-4) << sx << " " << sy << " " << txy;
      }
}

TEST(VonMises, StressBeyondTheSingleRangeFails) {
  const VonMisesResult r = EvaluateVonMises(Stress(3e38f, -3e38f, 0), VonMisesData{1, false});
  EXPECT_FALSE(r.EquivalentStress);
  EXPECT_EQ(r.FailureVerdict, Verdict::Fails);
  EXPECT_TRUE(r.Failure);
}

// The message of each box for a text that is no number; no box has a sign
// rule.
TEST(VonMises, BoxMessages) {
  struct Case {
    VonMisesBox box;
    const char* english;
    const char* greek;
    bool prefixed;
  };
  const Case cases[] = {
      {VonMisesBox::Sx, "sx", "σx", true},
      {VonMisesBox::Sy, "sy", "σy", true},
      {VonMisesBox::Txy, "txy", "τxy", true},
      {VonMisesBox::T, "Invalid tensile strength", "Λάθος αντοχή σε εφελκυσμό", false},
  };
  for (const Case& c : cases) {
    const InputMessage message = VonMisesInvalidMessage(c.box);
    EXPECT_EQ(message.text.In(true), QString::fromUtf8(c.english));
    EXPECT_EQ(message.text.In(false), QString::fromUtf8(c.greek));
    EXPECT_EQ(message.withPrefix, c.prefixed) << c.english;
  }
}

TEST(VonMises, EnvelopeIsTheEllipseBetweenTheAxes) {
  const Envelope e = VonMisesEnvelope(10);
  ASSERT_EQ(e.Points.size(), 203u);  // the start, then 101 points on each branch
  EXPECT_EQ(e.Points.front(), (PlotPoint{0, 10}));
  EXPECT_EQ(e.Points[101], (PlotPoint{10, 10}));
  EXPECT_EQ(e.Points.back(), (PlotPoint{10, 0}));
  double highest = 0;
  for (const PlotPoint& p : e.Points) {
    EXPECT_NEAR(p.X * p.X - p.X * p.Y + p.Y * p.Y, 100.0, 1e-3) << p.X << " " << p.Y;
    EXPECT_GE(p.X, 0);
    EXPECT_GE(p.Y, 0);
    highest = std::max(highest, static_cast<double>(p.Y));
  }
  EXPECT_NEAR(highest, 20 / std::sqrt(3.0), 1e-3);
  // Every point of the envelope is judged as reaching the strength.
  for (const PlotPoint& p : e.Points) {
    const auto sv = VonMisesStress(static_cast<float>(std::max(p.X, p.Y)), static_cast<float>(std::min(p.X, p.Y)));
    EXPECT_NEAR(*sv, 10.0f, 1e-4);
  }

  EXPECT_TRUE(VonMisesEnvelope(0).Points.empty());
  EXPECT_TRUE(VonMisesEnvelope(-5).Points.empty());
  // Psi-sized strengths keep each branch to the cap and still reach (T, 0).
  const Envelope psi = VonMisesEnvelope(5e4f);
  EXPECT_EQ(psi.Points.size(), 2u * kMaxEnvelopeSteps + 3);
  EXPECT_EQ(psi.Points.back(), (PlotPoint{5e4, 0}));
  EXPECT_TRUE(VonMisesEnvelope(3e38f).Overflow);
}

}  // namespace
}  // namespace brantel
