#include "tools/elasticity/RoofBolting.h"

#include "core/NumberFormat.h"

#include <gtest/gtest.h>

namespace brantel {
namespace {

// 500 MPa steel, 20 mm, 3 m long, SF 1.5, 2 m of rock at 25 kN/m3, 4 m wide.
constexpr BoltDensityInputs kDensity{500, 20, 3, 1.5, 2, 25, 4};
// 24 mm bolt in a 27 mm hole over 3 m, c1 1000 and c2 2000 kPa, no normal stress.
constexpr AnchorInputs kAnchor{24, 3, 27, 1000, 30, 2000, 30, 0, 1.4};

TEST(RoofBolting, DensityOfTheWorkedCase) {
  const BoltDensity d = CalcBoltDensity(kDensity);
  EXPECT_FALSE(d.HeightWarning);
  EXPECT_EQ(Format(*d.MaxLoad, kBoltLoadMask), QStringLiteral("157.1"));
  EXPECT_EQ(Format(*d.DesignLoad, kBoltLoadMask), QStringLiteral("104.7"));
  EXPECT_EQ(FormatGeneral(*d.Overburden), QStringLiteral("50"));
  EXPECT_EQ(Format(*d.BoltsPerArea, kBoltDensityMask), QStringLiteral("0.48"));
  EXPECT_EQ(Format(*d.AreaPerBolt, kBoltDensityMask), QStringLiteral("2.09"));
  EXPECT_EQ(Format(*d.BoltsPerSection, kBoltDensityMask), QStringLiteral("1.91"));
  // The two densities are reciprocal.
  EXPECT_NEAR(*d.BoltsPerArea * *d.AreaPerBolt, 1.0, 1e-6);
}

TEST(RoofBolting, DensityGuardBlanksEveryResult) {
  struct Case {
    double BoltDensityInputs::*field;
    double value;
    bool computable;
  } cases[] = {
      {&BoltDensityInputs::Strength, 0, false},     {&BoltDensityInputs::Diameter, -1, false},
      {&BoltDensityInputs::Length, 0, false},       {&BoltDensityInputs::SafetyFactor, 0.99, false},
      {&BoltDensityInputs::SafetyFactor, 1, true},  {&BoltDensityInputs::Height, 0, false},
      {&BoltDensityInputs::UnitWeight, 0, false},   {&BoltDensityInputs::Length, 2, true},  // equal to h
      {&BoltDensityInputs::Length, 1.9, false},     {&BoltDensityInputs::Strength, 1e300, false},
      {&BoltDensityInputs::Diameter, 1e-30, false},  // a bolt of no section
  };
  for (const Case& c : cases) {
    BoltDensityInputs in = kDensity;
    in.*(c.field) = c.value;
    const BoltDensity d = CalcBoltDensity(in);
    for (const auto& r : {d.Overburden, d.MaxLoad, d.DesignLoad, d.BoltsPerArea, d.AreaPerBolt, d.BoltsPerSection}) {
      EXPECT_EQ(r.has_value(), c.computable) << c.value;
    }
    EXPECT_EQ(d.HeightWarning, in.Length < in.Height);
  }
}

TEST(RoofBolting, AnchorCapacityAndItsDesignLoad) {
  const BoltDensity steel = CalcBoltDensity(kDensity);
  AnchorCapacity a = CalcAnchorCapacity(kAnchor, steel);
  EXPECT_EQ(Format(*a.BoltResinLoad, kAnchorMask), QStringLiteral("226.2"));
  EXPECT_EQ(Format(*a.ResinRockLoad, kAnchorMask), QStringLiteral("508.9"));
  // The steel governs, as tab 1 shows it: 157.1 / 1.4.
  EXPECT_EQ(Format(*a.DesignLoad, kAnchorMask), QStringLiteral("112.2"));
  AnchorInputs one = kAnchor;
  one.SafetyFactor = 1;
  EXPECT_FLOAT_EQ(*CalcAnchorCapacity(one, steel).DesignLoad, 157.1f);

  // Normal stress adds friction: (100 tan 30 + 1000) x pi x 0.024 x 3.
  AnchorInputs pressed = kAnchor;
  pressed.NormalStress = 100;
  EXPECT_NEAR(*CalcAnchorCapacity(pressed, steel).BoltResinLoad,
              (100 * 0.5773502692 + 1000) * 3.14159265358979 * 0.024 * 3, 1e-3);

  // The first tab's inputs change the second tab's design load.
  BoltDensityInputs thin = kDensity;
  thin.Diameter = 10;  // P = 39.3
  EXPECT_EQ(Format(*CalcAnchorCapacity(kAnchor, CalcBoltDensity(thin)).DesignLoad, kAnchorMask),
            QStringLiteral("28.1"));
  // The interface governs when it is weaker than the steel.
  AnchorInputs weak = kAnchor;
  weak.BoltResinCohesion = 100;  // T1 = 22.6
  EXPECT_NEAR(*CalcAnchorCapacity(weak, steel).DesignLoad, *CalcAnchorCapacity(weak, steel).BoltResinLoad / 1.4, 1e-4);
}

TEST(RoofBolting, AnchorResultsBlankWhenTheyCannotBeFormed) {
  const BoltDensity steel = CalcBoltDensity(kDensity);
  AnchorInputs in = kAnchor;
  in.SafetyFactor = 0;
  EXPECT_FALSE(CalcAnchorCapacity(in, steel).DesignLoad);
  for (double phi : {90.0, 120.0, -90.0}) {
    in = kAnchor;
    in.ResinRockFriction = phi;
    const AnchorCapacity a = CalcAnchorCapacity(in, steel);
    EXPECT_TRUE(a.BoltResinLoad);
    EXPECT_FALSE(a.ResinRockLoad) << phi;
    EXPECT_FALSE(a.DesignLoad);
  }
  // No steel load on the first tab: no design load.
  BoltDensityInputs noSteel = kDensity;
  noSteel.SafetyFactor = 0.5;
  EXPECT_FALSE(CalcAnchorCapacity(kAnchor, CalcBoltDensity(noSteel)).DesignLoad);
  in = kAnchor;
  in.NormalStress = 1e300;
  EXPECT_FALSE(CalcAnchorCapacity(in, steel).BoltResinLoad);
}

TEST(RoofBolting, ChecksOfOkInTheirOrder) {
  const BoltReadings good = {500, 20, 3, 1.5, 2, 25, 4, 24, 3, 27, 1000, 30, 2000, 30, 0, 1.4};
  struct Case {
    BoltBox box;
    std::optional<double> value;  // nothing: beyond the 64-bit range
    const char* message;          // nullptr: passes
  } cases[] = {
      {BoltBox::SteelStrength, 0, "The strength should be positive"},
      {BoltBox::BoltDiameter, -2, "The diameter should be positive"},
      {BoltBox::BoltLength, 0, "The length should be positive"},
      {BoltBox::BoltLength, 2, "The length should be greater than overburden height"},
      {BoltBox::SafetyFactor, 0.99, "The Safety Factor should be > 1"},
      {BoltBox::SafetyFactor, 1, nullptr},
      {BoltBox::RockHeight, 0, "Overburden depth should be positive"},
      {BoltBox::UnitWeight, 10, "Unit Weight should be > 10kN/m3"},
      {BoltBox::UnitWeight, 10.0000001, "Unit Weight should be > 10kN/m3"},  // 10 as the record holds it
      {BoltBox::UnitWeight, 10.01, nullptr},
      {BoltBox::OpeningWidth, 0, "Opening width should be > 0"},  // a text without a number
      {BoltBox::AnchorDiameter, 0, "The diameter should be positive"},
      {BoltBox::BondedLength, 0, "The length should be positive"},
      {BoltBox::HoleDiameter, 0, "The diameter should be positive"},
      {BoltBox::BoltResinCohesion, 0, "Cohesion should be positive"},
      {BoltBox::BoltResinFriction, 0, "The Angle of Internal Friction should be positive"},
      {BoltBox::BoltResinFriction, 90, "The Angle of Internal Friction should be < 90"},
      {BoltBox::BoltResinFriction, 89.9, nullptr},
      {BoltBox::ResinRockCohesion, -1, "Cohesion should be positive"},
      {BoltBox::ResinRockFriction, 135, "The Angle of Internal Friction should be < 90"},
      {BoltBox::NormalStress, -50, nullptr},
      {BoltBox::AnchorSafetyFactor, 0.5, "The Safety Factor should be > 1"},
      {BoltBox::NormalStress, 1e39, "The value is too large"},
      {BoltBox::SteelStrength, 1e39, "The value is too large"},
      {BoltBox::ResinRockCohesion, std::nullopt, "The value is too large"},
  };
  for (const Case& c : cases) {
    BoltReadings readings = good;
    readings[static_cast<std::size_t>(c.box)] = c.value;
    const auto failed = CheckBoltValues(readings);
    SCOPED_TRACE(c.value.value_or(-1));
    if (!c.message) {
      EXPECT_FALSE(failed);
      continue;
    }
    ASSERT_TRUE(failed);
    EXPECT_STREQ(failed->Message.text.english, c.message);
    EXPECT_FALSE(failed->Message.withPrefix);
    EXPECT_EQ(failed->Box, c.box);
    EXPECT_EQ(TabOf(failed->Box), static_cast<int>(c.box) >= 7 ? 1 : 0);
  }
  EXPECT_FALSE(CheckBoltValues(good));

  // Several faults: a value too large anywhere comes before every range,
  // and the length against the rock height right after the length's own.
  BoltReadings two = good;
  two[static_cast<std::size_t>(BoltBox::SteelStrength)] = 0;
  two[static_cast<std::size_t>(BoltBox::NormalStress)] = 1e39;
  EXPECT_EQ(CheckBoltValues(two)->Box, BoltBox::NormalStress);
  two = good;
  two[static_cast<std::size_t>(BoltBox::BoltLength)] = 1;
  two[static_cast<std::size_t>(BoltBox::SafetyFactor)] = 0.5;
  EXPECT_STREQ(CheckBoltValues(two)->Message.text.english, kBoltShorterThanRock.text.english);
  EXPECT_TRUE(BoltLongerThanRock(2.5, 2));
  EXPECT_FALSE(BoltLongerThanRock(2, 2));
  EXPECT_FALSE(BoltValueRule(BoltBox::NormalStress));  // any normal stress

  // What the calculations read from the same values; a box without a value
  // lets no guard through.
  EXPECT_EQ(DensityInputsOf(good).Width, 4);
  EXPECT_EQ(AnchorInputsOf(good).SafetyFactor, 1.4);
  BoltReadings unreadable = good;
  unreadable[static_cast<std::size_t>(BoltBox::SteelStrength)] = std::nullopt;
  EXPECT_FALSE(CalcBoltDensity(DensityInputsOf(unreadable)).MaxLoad);
}

}  // namespace
}  // namespace brantel
