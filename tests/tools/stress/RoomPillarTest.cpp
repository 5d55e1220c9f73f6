#include "tools/stress/RoomPillar.h"

#include "core/NumberFormat.h"

#include <gtest/gtest.h>

namespace brantel {
namespace {

RoomPillarData Layout(float wp, float lp, float wo) {
  RoomPillarData d;
  d.Wp = wp;
  d.Lp = lp;
  d.Wo = wo;
  return d;
}

// The stress may be 0, a side may not; each refusal carries its box's message.
TEST(RoomPillar, ValueRulesOfTheBoxes) {
  const ValueRule sy = RoomPillarValueRule(RoomPillarField::Sy);
  EXPECT_FALSE(sy(0.0));
  ASSERT_TRUE(sy(-0.5));
  EXPECT_STREQ(sy(-0.5)->text.english, "sy");
  EXPECT_TRUE(sy(-0.5)->withPrefix);
  const struct {
    RoomPillarField field;
    const char* message;
  } sides[] = {{RoomPillarField::Wp, "Invalid value for pillar width"},
               {RoomPillarField::Lp, "Invalid value for pillar length"},
               {RoomPillarField::Wo, "Invalid value for opening width"}};
  for (const auto& side : sides) {
    const ValueRule rule = RoomPillarValueRule(side.field);
    EXPECT_FALSE(rule(0.5)) << side.message;
    for (double refused : {0.0, -1.0, 1e39}) {
      ASSERT_TRUE(rule(refused)) << side.message;
      EXPECT_STREQ(rule(refused)->text.english, side.message);
    }
  }
}

TEST(RoomPillar, WorkedLayouts) {
  struct Case {
    float sy, wp, lp, wo;
    double avg, extraction;
    const char* imperialAvg;
    const char* siAvg;
    const char* extractionText;
  };
  const Case cases[] = {
      {10, 10, 10, 10, 40.0, 75.0, "40", "40.00", "75.00"},
      {10, 10, 20, 5, 18.75, 100.0 * (1 - 200.0 / 375.0), "19", "18.75", "46.67"},
      {0, 3, 4, 1, 0.0, 100.0 * (1 - 12.0 / 20.0), "0", "0.00", "40.00"},
  };
  for (const Case& c : cases) {
    StressInput stress;
    stress.Sy = c.sy;
    const RoomPillarCalculation calc = CalcTributaryStress(stress, Layout(c.wp, c.lp, c.wo));
    EXPECT_TRUE(calc.Computed);
    EXPECT_TRUE(calc.Errors.empty());
    EXPECT_TRUE(calc.AvgPillarStressValid && calc.ExtractionValid);
    EXPECT_EQ(calc.Sv, c.sy);
    EXPECT_NEAR(calc.AvgPillarStress, c.avg, 1e-5);
    EXPECT_NEAR(calc.Extraction, c.extraction, 1e-4);
    EXPECT_EQ(Format(calc.AvgPillarStress, RoomPillarResultMasks(UnitSystem::Imperial).AvgPillarStress), c.imperialAvg);
    EXPECT_EQ(Format(calc.AvgPillarStress, RoomPillarResultMasks(UnitSystem::SI).AvgPillarStress), c.siAvg);
    EXPECT_EQ(Format(calc.Extraction, RoomPillarResultMasks(UnitSystem::Imperial).Extraction), c.extractionText);
    EXPECT_EQ(Format(calc.Extraction, RoomPillarResultMasks(UnitSystem::SI).Extraction), c.extractionText);
  }
}

TEST(RoomPillar, PillarStressCarriesTheLoadOfTheMinedArea) {
  // The pillars carry the whole overburden: avg (1 - e) = sv.
  for (float wp : {1.0f, 4.5f, 12.0f})
    for (float lp : {2.0f, 7.0f})
      for (float wo : {0.5f, 3.0f, 9.0f}) {
        StressInput stress;
        stress.Sy = 12.5f;
        const RoomPillarCalculation calc = CalcTributaryStress(stress, Layout(wp, lp, wo));
        EXPECT_NEAR(calc.AvgPillarStress * (1 - calc.Extraction / 100.0), 12.5, 1e-4);
        EXPECT_GT(calc.Extraction, 0.0f);
        EXPECT_LT(calc.Extraction, 100.0f);
      }
}

TEST(RoomPillar, NothingComputedWithoutAPillarAndErrorsAreTrappedStepByStep) {
  EXPECT_FALSE(CalcTributaryStress(StressInput{0, 10, 0, StressGraph::None}, Layout(0, 10, 10)).Computed);

  // An average stress beyond a 32-bit value: that step is trapped, the
  // previous value stays, and the extraction is still worked out.
  RoomPillarData big = Layout(1e-10f, 1e-10f, 1e10f);
  big.AvgPillarStress = 3;
  const RoomPillarCalculation calc = CalcTributaryStress(StressInput{0, 3e38f, 0, StressGraph::None}, big);
  ASSERT_EQ(calc.Errors.size(), 1u);
  EXPECT_EQ(calc.Errors[0].Number(), ErrorNumber::Overflow);
  EXPECT_EQ(calc.AvgPillarStress, 3.0f);
  EXPECT_FALSE(calc.AvgPillarStressValid);
  EXPECT_NEAR(calc.Extraction, 100.0f, 1e-3);
  EXPECT_TRUE(calc.ExtractionValid);

  EXPECT_TRUE(RoomPillarLayoutStored(Layout(1, 1, 1)));
  EXPECT_FALSE(RoomPillarLayoutStored(Layout(1, 1, 0)));
  EXPECT_FALSE(RoomPillarLayoutStored(Layout(0, 1, 1)));
}

}  // namespace
}  // namespace brantel
