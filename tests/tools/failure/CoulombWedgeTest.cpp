#include "tools/failure/CoulombWedge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>

namespace brantel {
namespace {

constexpr double kRad = 3.14159265358979 / 180.0;

// The block of the worked example: L 10 m, H 5 m, 25 kN/m3, c 20 kPa,
// phi 30, plane at 40 degrees.
BoltedWedgeData Example() {
  BoltedWedgeData d;
  d.Width = 10;
  d.Height = 5;
  d.SpecificGravity = 25;
  d.Cohesion = 20;
  d.FrictionAngle = 30;
  d.DiscAngle = 40;
  return d;
}

// The safety factor written out from the forces, in double precision.
double ExpectedFactor(const BoltedWedgeData& d) {
  const double w = d.Height * d.Width * d.SpecificGravity;
  const double psi = d.DiscAngle * kRad, rel = (d.DiscAngle - d.BoltAngle) * kRad;
  const double resisting =
      std::max(w * std::cos(psi) + d.BoltLoad * std::sin(rel), 0.0) * std::tan(d.FrictionAngle * kRad) +
      d.Cohesion * d.Width;
  return resisting / (w * std::sin(psi) - d.BoltLoad * std::cos(rel));
}

TEST(CoulombWedge, SafetyFactorOfWorkedCases) {
  struct Case {
    float load, angle, expected;
  } cases[] = {
      {100, 10, 1.0904f},  // bolted
      {0, 10, 0.9370f},    // unbolted
      {0, 0, 0.9370f},     // both bolt boxes at 0: still the unbolted block, not 0
      {300, 25, 1.5528f},
  };
  for (const Case& c : cases) {
    BoltedWedgeData d = Example();
    d.BoltLoad = c.load;
    d.BoltAngle = c.angle;
    const WedgeSafetyFactor r = CalcWedgeSafetyFactor(d);
    ASSERT_TRUE(r.Computable) << c.load;
    EXPECT_FALSE(r.ExcessiveTensioning);
    EXPECT_NEAR(r.SafetyFactor, c.expected, 1e-4) << c.load << " " << c.angle;
    EXPECT_NEAR(r.SafetyFactor, ExpectedFactor(d), 1e-5);
  }
}

TEST(CoulombWedge, BoltReachingTheDrivingForceGives999) {
  BoltedWedgeData d = Example();
  d.BoltAngle = 40;  // along the plane: Ts = T
  const double s = 1250 * std::sin(40 * kRad);
  d.BoltLoad = static_cast<float>(s) * 1.001f;
  WedgeSafetyFactor r = CalcWedgeSafetyFactor(d);
  EXPECT_TRUE(r.Computable);
  EXPECT_TRUE(r.ExcessiveTensioning);
  EXPECT_EQ(r.SafetyFactor, kWedgeExcessiveTensioning);
  // Slightly less load: a (large) factor of its own and no warning.
  d.BoltLoad = static_cast<float>(s) * 0.99f;
  r = CalcWedgeSafetyFactor(d);
  EXPECT_FALSE(r.ExcessiveTensioning);
  EXPECT_NEAR(r.SafetyFactor, ExpectedFactor(d), 1e-3 * ExpectedFactor(d));
  EXPECT_GT(r.SafetyFactor, 50);
  EXPECT_NE(r.SafetyFactor, kWedgeExcessiveTensioning);
}

TEST(CoulombWedge, ABoltPullingTheBlockOffThePlaneLeavesNoFriction) {
  // Bolt at 110 degrees: Tn = T sin(-70) exceeds N = 957.6 for T = 1500.
  BoltedWedgeData d = Example();
  d.BoltLoad = 1500;
  d.BoltAngle = 110;
  const WedgeSafetyFactor r = CalcWedgeSafetyFactor(d);
  ASSERT_TRUE(r.Computable);
  const double s = 1250 * std::sin(40 * kRad), ts = 1500 * std::cos(-70 * kRad);
  EXPECT_NEAR(r.SafetyFactor, 200 / (s - ts), 1e-5);
  EXPECT_GT(r.SafetyFactor, 0);
}

TEST(CoulombWedge, NoBlockIsNotComputable) {
  for (auto zero : {&BoltedWedgeData::Width, &BoltedWedgeData::Height, &BoltedWedgeData::SpecificGravity}) {
    BoltedWedgeData d = Example();
    d.*zero = 0;
    d.BoltLoad = 100;
    d.ReqSafetyFactor = 1.5;
    EXPECT_FALSE(CalcWedgeSafetyFactor(d).Computable);
    EXPECT_EQ(CalcWedgeBoltLoad(d).Outcome, WedgeLoadOutcome::NotComputable);
    EXPECT_EQ(std::strlen(WedgeLoadNote(CalcWedgeBoltLoad(d).Outcome).english), 0u);
  }
  // A plane angle outside (0, 90) carries no sliding block on either tab.
  for (float psi : {0.0f, -10.0f, 90.0f, 120.0f}) {
    BoltedWedgeData d = Example();
    d.DiscAngle = psi;
    d.ReqSafetyFactor = 1.5;
    EXPECT_FALSE(CalcWedgeSafetyFactor(d).Computable) << psi;
    EXPECT_EQ(CalcWedgeBoltLoad(d).Outcome, WedgeLoadOutcome::NotComputable) << psi;
  }
  BoltedWedgeData d;
  // A block whose weight does not fit a 32-bit float.
  d = Example();
  d.Width = 1e20f;
  d.Height = 1e20f;
  EXPECT_FALSE(CalcWedgeSafetyFactor(d).Computable);
  EXPECT_EQ(CalcWedgeBoltLoad(d).Outcome, WedgeLoadOutcome::NotComputable);
}

TEST(CoulombWedge, RequiredLoadOfTheWorkedCase) {
  BoltedWedgeData d = Example();
  d.ReqSafetyFactor = 1.5;
  d.BoltAngle2 = 10;
  const WedgeBoltLoad r = CalcWedgeBoltLoad(d);
  ASSERT_EQ(r.Outcome, WedgeLoadOutcome::Load);
  EXPECT_NEAR(r.ReqBoltLoad, 284.93, 0.01);
}

// The load found for a required factor, put on the bolt at the same angle,
// gives the factor back; a block that needs no bolt reaches it unbolted; an
// unreachable factor is reached by no load at all.
TEST(CoulombWedge, RequiredLoadGivesBackTheRequiredFactor) {
  int loads = 0, notRequired = 0, unreachable = 0;
  for (float psi : {5.0f, 25.0f, 40.0f, 70.0f, 89.0f})
    for (float phi : {0.0f, 20.0f, 45.0f})
      for (float c : {0.0f, 20.0f})
        for (float theta : {0.0f, 10.0f, 60.0f, 110.0f, 130.0f, 170.0f})
          for (float factor : {0.0f, 0.5f, 1.0f, 1.5f, 3.0f}) {
            BoltedWedgeData d = Example();
            d.DiscAngle = psi;
            d.FrictionAngle = phi;
            d.Cohesion = c;
            d.ReqSafetyFactor = factor;
            d.BoltAngle2 = theta;
            d.BoltAngle = theta;
            const WedgeBoltLoad r = CalcWedgeBoltLoad(d);
            SCOPED_TRACE(testing::Message() << psi << " " << phi << " " << c << " " << theta << " " << factor);
            switch (r.Outcome) {
              case WedgeLoadOutcome::Load: {
                ++loads;
                EXPECT_GT(r.ReqBoltLoad, 0);
                d.BoltLoad = r.ReqBoltLoad;
                const WedgeSafetyFactor back = CalcWedgeSafetyFactor(d);
                ASSERT_TRUE(back.Computable);
                if (!back.ExcessiveTensioning) {
                  EXPECT_NEAR(back.SafetyFactor, factor, 2e-3 * factor + 1e-4);
                }
                break;
              }
              case WedgeLoadOutcome::NotRequired: {
                ++notRequired;
                d.BoltLoad = 0;
                EXPECT_GE(CalcWedgeSafetyFactor(d).SafetyFactor, factor * (1 - 1e-5f));
                break;
              }
              case WedgeLoadOutcome::Unreachable: {
                ++unreachable;
                for (float t : {0.0f, 10.0f, 100.0f, 1e3f, 1e4f, 1e5f}) {
                  d.BoltLoad = t;
                  const WedgeSafetyFactor s = CalcWedgeSafetyFactor(d);
                  if (s.Computable && !s.ExcessiveTensioning) {
                    EXPECT_LT(s.SafetyFactor, factor) << t;
                  }
                }
                break;
              }
              case WedgeLoadOutcome::NotComputable: ADD_FAILURE();
            }
          }
  EXPECT_GT(loads, 100);
  EXPECT_GT(notRequired, 50);
  EXPECT_GT(unreachable, 10);
}

TEST(CoulombWedge, ANonPositiveDenominatorShowsNoLoad) {
  BoltedWedgeData d = Example();
  // Bolt across the plane (psi - theta2 = -90) with friction: a larger load
  // only lowers the factor.
  d.ReqSafetyFactor = 1.5;
  d.BoltAngle2 = 130;
  WedgeBoltLoad r = CalcWedgeBoltLoad(d);
  EXPECT_EQ(r.Outcome, WedgeLoadOutcome::Unreachable);
  EXPECT_STREQ(WedgeLoadNote(r.Outcome).english, kWedgeUnreachableNote.english);
  // The same bolt with a factor the unbolted block already reaches.
  d.ReqSafetyFactor = 0.5;
  r = CalcWedgeBoltLoad(d);
  EXPECT_EQ(r.Outcome, WedgeLoadOutcome::NotRequired);
  EXPECT_STREQ(WedgeLoadNote(r.Outcome).english, "Bolt is not Required");
  // A denominator of exactly 0: no required factor and no friction.
  d.ReqSafetyFactor = 0;
  d.FrictionAngle = 0;
  EXPECT_EQ(CalcWedgeBoltLoad(d).Outcome, WedgeLoadOutcome::NotRequired);
}

// What each input's value rule refuses, with which message; 0 passes every
// rule, and a plane angle of 0 (no plane yet) gives no result instead.
TEST(CoulombWedge, ValueRulesOfTheInputs) {
  struct Case {
    WedgeInput input;
    double value;
    const char* message;  // null: passes
  } cases[] = {
      {WedgeInput::Width, 0, nullptr},
      {WedgeInput::Width, -1, "Width > 0"},
      {WedgeInput::Height, -1, "Height > 0"},
      {WedgeInput::UnitWeight, -1, "Unit Weight > 0"},
      {WedgeInput::Cohesion, -0.5, "Cohesion > 0"},
      {WedgeInput::FrictionAngle, -1, "Angle of internal friction > 0"},
      {WedgeInput::FrictionAngle, 89.9, nullptr},
      {WedgeInput::FrictionAngle, 90, "Angle of internal friction < 90"},
      {WedgeInput::PlaneAngle, 0, nullptr},
      {WedgeInput::PlaneAngle, -0.001, "0 < Angle of discontinuity plane < 90"},
      {WedgeInput::PlaneAngle, 90, "0 < Angle of discontinuity plane < 90"},
      {WedgeInput::PlaneAngle, 0.01, nullptr},
      {WedgeInput::PlaneAngle, 89.99, nullptr},
      {WedgeInput::BoltLoad, -1, "load"},
      {WedgeInput::BoltLoad, 1e30, nullptr},
      {WedgeInput::BoltAngle, -1, "angle >= 0"},
      {WedgeInput::BoltAngle, 400, nullptr},
      {WedgeInput::RequiredSafetyFactor, -1, "Safety Factor"},
      {WedgeInput::BoltAngleForLoad, -1, "angle >= 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.input) << ": " << c.value);
    const std::optional<InputMessage> refusal = WedgeValueRule(WedgeTool::Wedge, c.input)(c.value);
    if (!c.message) {
      EXPECT_FALSE(refusal.has_value());
      continue;
    }
    ASSERT_TRUE(refusal.has_value());
    EXPECT_STREQ(refusal->text.english, c.message);
    // The two that name their field come behind "Invalid value for ".
    EXPECT_EQ(refusal->withPrefix, c.input == WedgeInput::BoltLoad || c.input == WedgeInput::RequiredSafetyFactor);
  }
  EXPECT_STREQ(WedgeTooLargeMessage().text.english, "The value is too large");
  EXPECT_FALSE(WedgeTooLargeMessage().withPrefix);
}

TEST(CoulombWedge, TheSlopeDialogHasItsOwnTexts) {
  const std::optional<InputMessage> slope = WedgeValueRule(WedgeTool::Slope, WedgeInput::RequiredSafetyFactor)(-1);
  ASSERT_TRUE(slope);
  EXPECT_FALSE(slope->withPrefix);
  EXPECT_STREQ(slope->text.english, "Invalid value for safety factor");
  EXPECT_STREQ(slope->text.greek, "Εσφαλμένη τιμή για τον συντελεστή ασφάλειας");

  const WedgeTexts& w = TextsOf(WedgeTool::Wedge);
  const WedgeTexts& s = TextsOf(WedgeTool::Slope);
  EXPECT_STRNE(w.TensionWarning.english, s.TensionWarning.english);
  // Greek captions are shared.
  for (auto field : {&WedgeTexts::Title, &WedgeTexts::BlockFrame, &WedgeTexts::WidthNote,
                     &WedgeTexts::RequiredSafetyFactorCaption, &WedgeTexts::TensionWarning}) {
    EXPECT_STREQ((w.*field).greek, (s.*field).greek);
  }
}

}  // namespace
}  // namespace brantel
