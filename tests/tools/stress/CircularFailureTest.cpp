#include "tools/stress/CircularFailure.h"

#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace brantel {
namespace {

using test::CoreTest;

StressInput Field(float sx, float sy, float txy) { return {sx, sy, txy, StressGraph::None}; }

CircFailData Inputs(float a, float r, float co, float to, float p = 0.0f) {
  CircFailData d;
  d.A = a;
  d.R = r;
  d.Co = co;
  d.To = to;
  d.InternalPressure = p;
  return d;
}

constexpr double kPi = 3.14159265358979;

// The tangential stress at angle w (degrees from x) at distance r, written
// in the x-y frame of the field with the pressure taken off both normal
// stresses.
double Tangential(const StressInput& s, const CircFailData& d, double w) {
  const double sx = s.Sx - d.InternalPressure, sy = s.Sy - d.InternalPressure;
  const double k = static_cast<double>(d.A) * d.A / (static_cast<double>(d.R) * d.R);
  const double t = 2 * w * kPi / 180;
  return (sx + sy) / 2 * (1 + k) - ((sx - sy) / 2 * std::cos(t) + s.Txy * std::sin(t)) * (1 + 3 * k * k);
}

// True when w lies in [from, to] (degrees, taken round the circle).
bool Within(double w, double from, double to) {
  const double span = to - from;
  double d = std::fmod(w - from, 360.0);
  if (d < 0) d += 360.0;
  return d <= span;
}

using S = FailureState;

struct ZoneCase {
  const char* name;
  float sx, sy, txy;
  float a, r, co, to, p;
  FailureState compression, tension;
};

const ZoneCase kZoneCases[] = {
    {"no failure", 10, 5, 0, 1, 1, 100, 100, 0, S::None, S::None},
    {"compression only", 0, 10, 0, 1, 1, 20, 100, 0, S::Partial, S::None},
    {"tension only", 0, 10, 0, 1, 1, 100, 5, 0, S::None, S::Partial},
    {"both", 0, 10, 0, 1, 1, 20, 5, 0, S::Partial, S::Partial},
    {"both, turned, with shear", 4, 12, -5, 2, 2, 25, 1, 0, S::Partial, S::Partial},
    {"off the wall", 4, 12, -5, 2, 3, 15, 0.5f, 0, S::Partial, S::None},
    {"pressure pushes to tension", 10, 6, 2, 1, 1, 100, 3, 12, S::None, S::Partial},
    {"complete compression", 10, 5, 0, 1, 1, 0, 100, 0, S::Complete, S::None},
    {"complete tension", -10, -5, 0, 1, 1, 100, 0, 0, S::None, S::Complete},
    {"equal stresses reaching Co", 10, 10, 0, 1, 1, 15, 5, 0, S::Complete, S::None},
    {"equal stresses at Co", 10, 10, 0, 1, 1, 20, 5, 0, S::Complete, S::None},
    {"equal stresses below Co", 10, 10, 0, 1, 2, 15, 5, 0, S::None, S::None},  // 12.5 off the wall
    {"equal stresses in tension", 10, 10, 0, 1, 1, 100, 30, 30, S::None, S::Complete},
    {"equal stresses above -To", 10, 10, 0, 1, 1, 100, 50, 30, S::None, S::None},
};

TEST(CircularFailure, ClassificationOfWorkedCases) {
  for (const ZoneCase& c : kZoneCases) {
    const FailureZones z = CalcFailureZones(Field(c.sx, c.sy, c.txy), Inputs(c.a, c.r, c.co, c.to, c.p));
    ASSERT_TRUE(z.Computed) << c.name;
    EXPECT_EQ(z.Compression, c.compression) << c.name;
    EXPECT_EQ(z.Tension, c.tension) << c.name;
  }
}

TEST(CircularFailure, ZonesHoldExactlyTheFailingAngles) {
  // Away from the zone edges, an angle lies in a compression zone exactly
  // when the tangential stress there reaches Co, in a tension zone exactly
  // when it falls to -To.
  for (const ZoneCase& c : kZoneCases) {
    const StressInput s = Field(c.sx, c.sy, c.txy);
    const CircFailData d = Inputs(c.a, c.r, c.co, c.to, c.p);
    const FailureZones z = CalcFailureZones(s, d);
    for (double w = 0.5; w < 360; w += 1.0) {
      const double t = Tangential(s, d, w);
      const bool inCompression = z.Compression == S::Complete ||
                                 (z.Compression == S::Partial && (Within(w, z.ZoneLimits[0], z.ZoneLimits[1]) ||
                                                                  Within(w, z.ZoneLimits[2], z.ZoneLimits[3])));
      const bool inTension =
          z.Tension == S::Complete || (z.Tension == S::Partial && (Within(w, z.ZoneLimits[4], z.ZoneLimits[5]) ||
                                                                   Within(w, z.ZoneLimits[6], z.ZoneLimits[7])));
      if (std::fabs(t - c.co) > 1e-3) {
        EXPECT_EQ(inCompression, t >= c.co) << c.name << " w " << w;
      }
      if (std::fabs(t + c.to) > 1e-3) {
        EXPECT_EQ(inTension, t <= -c.to) << c.name << " w " << w;
      }
    }
  }
}

TEST(CircularFailure, ZoneAnglesOfAPartialFailure) {
  // theta2 = 0 and phi = 60: compression from -30 to 30 and 150 to 210.
  FailureZones z = CalcFailureZones(Field(0, 10, 0), Inputs(1, 1, 20, 100));
  const float expected[] = {-30, 30, 150, 210};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(z.ZoneLimits[i], expected[i], 1e-4) << i;
  for (std::size_t i = 4; i < 8; ++i) EXPECT_EQ(z.ZoneLimits[i], 0.0f);
  EXPECT_EQ(z.Theta2, 0.0f);
  EXPECT_EQ(z.Theta1, 90.0f);

  // Complete failure covers the four quadrants in either mode.
  const std::array<float, 4> quadrants{-90, 90, 90, 270};
  z = CalcFailureZones(Field(10, 5, 0), Inputs(1, 1, 0, 100));
  EXPECT_TRUE(std::equal(quadrants.begin(), quadrants.end(), z.ZoneLimits.begin()));
  z = CalcFailureZones(Field(-10, -5, 0), Inputs(1, 1, 100, 0));
  EXPECT_TRUE(std::equal(quadrants.begin(), quadrants.end(), z.ZoneLimits.begin() + 4));
  const std::array<float, 12> w = BuildWedgeAngles(z.ZoneLimits);
  const std::array<float, 12> expectedW{0, 0, 0, 0, 0, 0, -90, 0, 90, 90, 180, 270};
  EXPECT_EQ(w, expectedW);
  EXPECT_EQ(z.WedgeAngles, expectedW);
}

TEST(CircularFailure, PressureReducesThePrincipalStresses) {
  const FailureZones z = CalcFailureZones(Field(10, 6, 0), Inputs(1, 1, 100, 3, 12));
  EXPECT_EQ(z.S1Field, -2.0f);
  EXPECT_EQ(z.S2Field, -6.0f);
  CircFailData working;
  RecordFailureZones(z, working);
  EXPECT_EQ(working.S1Field, -2.0f);
  EXPECT_EQ(working.S2Field, -6.0f);
}

TEST(CircularFailure, NothingWithoutAPositiveRadiusAndNoDivisionByAZeroDistance) {
  for (float a : {0.0f, -2.0f}) {
    const FailureZones z = CalcFailureZones(Field(10, 5, 0), Inputs(a, 1, 10, 1));
    EXPECT_FALSE(z.Computed);
    EXPECT_EQ(z.Compression, S::Undecided);
    EXPECT_TRUE(ZoneWedges(z).empty());
  }
  try {
    CalcFailureZones(Field(10, 5, 0), Inputs(1, 0, 10, 1));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::DivisionByZero);
  }
  // A point inside the opening is computed while typing (OK refuses it).
  EXPECT_TRUE(CalcFailureZones(Field(10, 5, 0), Inputs(2, 1, 10, 1)).Computed);
}

TEST(CircularFailure, QuotientsBeyondTheFloatRangeOnlyClassify) {
  // A nearly equal pair of principal stresses against huge strengths.
  const FailureZones z = CalcFailureZones(Field(1e-38f, 0, 0), Inputs(1, 1, 1e30f, 1e30f));
  EXPECT_EQ(z.Compression, S::None);
  EXPECT_EQ(z.Tension, S::None);
  const FailureZones y = CalcFailureZones(Field(1e-38f, 0, 0), Inputs(1, 1, -1e30f, -1e30f));
  EXPECT_EQ(y.Compression, S::Complete);
  EXPECT_EQ(y.Tension, S::Complete);
}

class CircularFailureHistory : public CoreTest {};

TEST_F(CircularFailureHistory, FindingsInBothLanguages) {
  struct Case {
    StressInput s;
    CircFailData d;
    QStringList english, greek;
  };
  const Case cases[] = {
      {Field(10, 5, 0),
       Inputs(1, 1, 100, 100),
       {"There is no region that fails in compression", "There is no region that fails in tension"},
       {"Δεν υπάρχει περιοχή αστοχίας σε θλίψη", "Δεν υπάρχει περιοχή αστοχίας σε εφελκυσμό"}},
      {Field(10, 5, 0),
       Inputs(1, 1, 0, 100),
       {"Complete failure in compression", "There is no region that fails in tension"},
       {"Πλήρης αστοχία σε θλίψη", "Δεν υπάρχει περιοχή αστοχίας σε εφελκυσμό"}},
      {Field(-10, -5, 0),
       Inputs(1, 1, 100, 0),
       {"There is no region that fails in compression", "Complete failure in tension"},
       {"Δεν υπάρχει περιοχή αστοχίας σε θλίψη", "Πλήρης αστοχία σε εφελκυσμό"}},
      {Field(0, 10, 0), Inputs(1, 1, 20, 5), {}, {}},  // partial failures add no line
      {Field(0, 10, 0), Inputs(0, 1, 20, 5), {"Error: The opening radius is <= 0"}, {"Σφάλμα: Η ακτίνα είναι <= 0"}},
  };
  for (const Case& c : cases) {
    const FailureZones z = CalcFailureZones(c.s, c.d);
    EnglishMenus = true;
    EXPECT_EQ(FailureZoneHistory(z), c.english);
    EnglishMenus = false;
    EXPECT_EQ(FailureZoneHistory(z), c.greek);
  }
}

TEST(CircularFailure, WedgesAndLegendOfEachState) {
  FailureZones z = CalcFailureZones(Field(0, 10, 0), Inputs(1, 1, 20, 5));
  std::vector<ZoneWedge> w = ZoneWedges(z);
  ASSERT_EQ(w.size(), 8u);
  const float compression[][2] = {{-30, 0}, {0, 30}, {150, 180}, {180, 210}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(w[i].Kind, ZoneKind::Compression);
    EXPECT_NEAR(w[i].From, compression[i][0], 1e-4);
    EXPECT_NEAR(w[i].To, compression[i][1], 1e-4);
  }
  for (std::size_t i = 4; i < 8; ++i) EXPECT_EQ(w[i].Kind, ZoneKind::Tension);
  for (const ZoneWedge& wedge : w) {
    EXPECT_GE(wedge.To, wedge.From);
    EXPECT_LE(wedge.To - wedge.From, 90.0f);
  }
  EXPECT_EQ(CompressionLegend(z.Compression), QStringLiteral(" - Failure in Compression"));
  EXPECT_EQ(TensionLegend(z.Tension), QStringLiteral(" - Failure in Tension"));

  z = CalcFailureZones(Field(10, 5, 0), Inputs(1, 1, 100, 100));
  EXPECT_TRUE(ZoneWedges(z).empty());
  EXPECT_EQ(CompressionLegend(z.Compression), QStringLiteral(" - There is no failure in Compression"));
  EXPECT_EQ(TensionLegend(z.Tension), QStringLiteral(" - There is no failure in Tension"));

  // Complete failure in tension is drawn and named like complete compression.
  z = CalcFailureZones(Field(-10, -5, 0), Inputs(1, 1, 100, 0));
  w = ZoneWedges(z);
  ASSERT_EQ(w.size(), 4u);
  for (const ZoneWedge& wedge : w) EXPECT_EQ(wedge.Kind, ZoneKind::Tension);
  EXPECT_EQ(TensionLegend(z.Tension), QStringLiteral(" - All boundary failing in tension"));
  z = CalcFailureZones(Field(10, 5, 0), Inputs(1, 1, 0, 100));
  EXPECT_EQ(ZoneWedges(z).size(), 4u);
  EXPECT_EQ(CompressionLegend(z.Compression), QStringLiteral(" - All boundary failing in compression"));
}

TEST(CircularFailure, PictureGeometry) {
  EXPECT_EQ(ZonePoint(0, 900), QPoint(1125, 190));
  EXPECT_EQ(ZonePoint(90, 900), QPoint(225, -710));  // anticlockwise: up the screen
  EXPECT_EQ(ZonePoint(180, 900), QPoint(-675, 190));
  EXPECT_EQ(ZonePoint(-90, 150), QPoint(225, 340));  // the bottom of the disc
  EXPECT_EQ(ZonePoint(45, 900), QPoint(861, -446));  // 636.396... each way
  EXPECT_EQ(WedgeTriangle({ZoneKind::Tension, 0, 90}),
            QPolygon({QPoint(225, 190), QPoint(1125, 190), QPoint(225, -710)}));
  const auto ends = PrincipalAxisEnds(0);
  EXPECT_EQ(ends[0], QPoint(405, 190));
  EXPECT_EQ(ends[1], QPoint(45, 190));
  const auto vertical = PrincipalAxisEnds(-90);
  EXPECT_EQ(vertical[0], QPoint(225, 370));
  EXPECT_EQ(vertical[1], QPoint(225, 10));
}

// Each check's message and the box that gets the focus; the order of the
// checks at OK is the dialog's (CircularFailureDialogTest).
TEST(CircFailValidation, EachCheckNamesItsMessageAndBox) {
  using C = CircFailCheck;
  using F = CircFailField;
  const F focus[] = {F::Sx, F::Sy, F::Txy, F::Radius,   F::Radius,  F::Pressure,
                     F::Co, F::Co, F::To,  F::Distance, F::Distance};
  for (int i = 1; i <= 11; ++i) {
    const CircFailCheckMessage& m = CircFailCheckMessageOf(static_cast<CircFailCheck>(i));
    EXPECT_EQ(m.Field, focus[i - 1]) << i;
    EXPECT_EQ(m.Message.withPrefix, i <= 3) << i;
  }
  EXPECT_STREQ(CircFailCheckMessageOf(C::DistanceInsideOpening).Message.text.english,
               "The distance from the center of the opening should be greater than the radius");
  EXPECT_STREQ(CircFailCheckMessageOf(C::Sy).Message.text.greek, "σy");
}

TEST(CircFailValueRules, EachInputRefusesWhatItsCheckRefuses) {
  using F = CircFailField;
  // The rule of each bounded input at its bound and just past it (as 32-bit
  // floats), with the message of its check.
  struct Case {
    F field;
    float allowed, refused;
    CircFailCheck check;
  };
  const float below = -std::numeric_limits<float>::denorm_min();
  const Case cases[] = {
      {F::Radius, std::numeric_limits<float>::denorm_min(), 0, CircFailCheck::RadiusNotPositive},
      {F::Pressure, 0, below, CircFailCheck::NegativePressure},
      {F::Co, 0, below, CircFailCheck::NegativeCo},
      {F::To, 0, below, CircFailCheck::NegativeTo},
      {F::Distance, std::numeric_limits<float>::denorm_min(), 0, CircFailCheck::DistanceNotPositive},
  };
  for (const Case& c : cases) {
    const ValueRule rule = CircFailValueRule(c.field);
    ASSERT_TRUE(rule) << static_cast<int>(c.field);
    EXPECT_FALSE(rule(c.allowed)) << static_cast<int>(c.field);
    const std::optional<InputMessage> refusal = rule(c.refused);
    ASSERT_TRUE(refusal) << static_cast<int>(c.field);
    EXPECT_STREQ(refusal->text.english, CircFailCheckMessageOf(c.check).Message.text.english);
  }
  for (const F field : {F::Sx, F::Sy, F::Txy}) EXPECT_FALSE(CircFailValueRule(field)) << static_cast<int>(field);

  // A leading-number box is refused for its text with the message of its
  // value rule; a whole-entry box with a message of its own.
  EXPECT_STREQ(CircFailTextMessage(F::Pressure).text.english, "Pressure in the borehole should be >= 0");
  EXPECT_STREQ(CircFailTextMessage(F::Distance).text.english,
               "The distance from the center of the opening should be r>0");
  EXPECT_STREQ(CircFailTextMessage(F::Radius).text.english, "Invalid value for the opening radius");
  EXPECT_STREQ(CircFailTextMessage(F::Sx).text.greek, "σx");
  for (const F field : {F::Sx, F::Sy, F::Txy, F::Radius, F::Co}) EXPECT_TRUE(CircFailReadsWholeEntry(field));
  for (const F field : {F::Pressure, F::To, F::Distance}) EXPECT_FALSE(CircFailReadsWholeEntry(field));

  // Across the boxes: the distance may equal the radius, not fall inside it.
  EXPECT_EQ(CircFailDistanceCheck(1.5f, 1.5f), CircFailCheck::None);
  EXPECT_EQ(CircFailDistanceCheck(1.5f, 1.4999999f), CircFailCheck::DistanceInsideOpening);
}

}  // namespace
}  // namespace brantel
