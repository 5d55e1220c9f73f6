#include "tools/stress/CircularOpening.h"

#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/graph/GraphBuffer.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

using test::CoreTest;

StressInput Field(float sx, float sy, float txy) { return {sx, sy, txy, StressGraph::None}; }

CircularData Opening(float a, float r, float w, float p = 0.0f) {
  CircularData c;
  c.A = a;
  c.R = r;
  c.Angle = w;
  c.InternalPressure = p;
  return c;
}

// The Kirsch solution written in the x-y frame of the field, with its shear
// stress, at the angle w from the x axis (an independent form of the same
// solution).
KirschStresses CartesianKirsch(double sx, double sy, double txy, double a, double r, double wDeg) {
  const double k = a * a / (r * r);
  const double t = wDeg * 3.14159265358979 / 180.0;
  const double c = std::cos(2 * t), s = std::sin(2 * t);
  const double mean = (sx + sy) / 2, half = (sx - sy) / 2;
  KirschStresses out;
  out.SigmaR = static_cast<float>(mean * (1 - k) + (half * c + txy * s) * (1 - 4 * k + 3 * k * k));
  out.SigmaTheta = static_cast<float>(mean * (1 + k) - (half * c + txy * s) * (1 + 3 * k * k));
  out.TauRTheta = static_cast<float>((-half * s + txy * c) * (1 + 2 * k - 3 * k * k));
  return out;
}

TEST(CircularOpening, WorkedPointCases) {
  struct Case {
    float sx, sy, txy, a, r, w;
    float dw, sigmaR, sigmaTheta, tau;
    std::optional<double> tangentialRatio;
  };
  const Case cases[] = {
      {10, 0, 0, 1, 1, 90, 180, 0, 30, 0, 3.0},  // the wall across s1
      {10, 0, 0, 1, 1, 0, 90, 0, -10, 0, -1.0},  // the wall along s1
      {0, 10, 0, 1, 2, 0, 0, 2.8125f, 12.1875f, 0, 1.21875},
      {0, 0, 0, 1, 3, 45, 135, 0, 0, 0, std::nullopt},  // no stress: no ratios
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sx << " " << c.sy << " w " << c.w);
    const CircularPoint p = CalcKirschPoint(Field(c.sx, c.sy, c.txy), Opening(c.a, c.r, c.w));
    ASSERT_TRUE(p.Computed);
    EXPECT_FLOAT_EQ(p.AngleFromS2, c.dw);
    EXPECT_NEAR(p.Stress.SigmaR, c.sigmaR, 1e-5);
    EXPECT_NEAR(p.Stress.SigmaTheta, c.sigmaTheta, 1e-5);
    EXPECT_NEAR(p.Stress.TauRTheta, c.tau, 1e-5);
    ASSERT_EQ(p.TangentialRatio.has_value(), c.tangentialRatio.has_value());
    if (c.tangentialRatio) {
      EXPECT_NEAR(*p.TangentialRatio, *c.tangentialRatio, 1e-6);
    }
    EXPECT_EQ(p.RadialRatio.has_value(), c.tangentialRatio.has_value());
  }
}

TEST(CircularOpening, PointValuesMatchTheSolutionInTheFieldFrame) {
  // States with shear stress, inside and outside, at angles all round.
  const float states[][3] = {{12, -4, 5}, {3, 8, -6}, {-5, -5, 2}, {20, 10, 0}};
  for (const auto& st : states) {
    for (float r : {1.0f, 1.3f, 2.0f, 5.0f}) {
      for (float w = -170; w <= 180; w += 37) {
        const CircularPoint p = CalcKirschPoint(Field(st[0], st[1], st[2]), Opening(1, r, w));
        const KirschStresses e = CartesianKirsch(st[0], st[1], st[2], 1, r, w);
        SCOPED_TRACE(testing::Message() << st[0] << "," << st[1] << "," << st[2] << " r " << r << " w " << w);
        EXPECT_NEAR(p.Stress.SigmaR, e.SigmaR, 2e-4);
        EXPECT_NEAR(p.Stress.SigmaTheta, e.SigmaTheta, 2e-4);
        EXPECT_NEAR(p.Stress.TauRTheta, e.TauRTheta, 2e-4);
      }
    }
  }
}

TEST(CircularOpening, TheWallCarriesOnlyTangentialStress) {
  const StressInput f = Field(7, -3, 4);
  for (float w = 0; w < 360; w += 15) {
    const CircularPoint p = CalcKirschPoint(f, Opening(2.5f, 2.5f, w));
    const double t = 2.0 * p.AngleFromS2 * 3.14159265358979 / 180.0;
    EXPECT_NEAR(p.Stress.SigmaR, 0, 1e-5);
    EXPECT_NEAR(p.Stress.TauRTheta, 0, 1e-5);
    EXPECT_NEAR(p.Stress.SigmaTheta, p.S1 + p.S2 - 2 * (p.S2 - p.S1) * std::cos(t), 1e-4) << w;
  }
}

TEST(CircularOpening, FarAwayTheFieldStressesReturn) {
  const float sx = 9, sy = 2, txy = -3;
  for (float w : {0.0f, 30.0f, 90.0f, 135.0f}) {
    const CircularPoint p = CalcKirschPoint(Field(sx, sy, txy), Opening(1, 2000, w));
    const double t = w * 3.14159265358979 / 180.0;
    const double c = std::cos(2 * t), s = std::sin(2 * t);
    EXPECT_NEAR(p.Stress.SigmaR, (sx + sy) / 2 + (sx - sy) / 2 * c + txy * s, 1e-4) << w;
    EXPECT_NEAR(p.Stress.SigmaTheta, (sx + sy) / 2 - (sx - sy) / 2 * c - txy * s, 1e-4) << w;
    EXPECT_NEAR(p.Stress.TauRTheta, -(sx - sy) / 2 * s + txy * c, 1e-4) << w;
  }
}

TEST(CircularOpening, NoPointWithoutAPositiveDistance) {
  for (float r : {0.0f, -1.0f}) {
    CircularData working;
    working.SigmaR = 5;
    const CircularPoint p = CalcKirschPoint(Field(10, 0, 0), Opening(1, r, 0));
    EXPECT_FALSE(p.Computed);
    RecordKirschPoint(p, working);
    EXPECT_EQ(working.SigmaR, 5.0f);  // the working copy keeps what it had
  }
}

TEST(CircularOpening, ExtremeStressesRaiseInsteadOfOverflowing) {
  try {
    CalcKirschPoint(Field(3e38f, -3e38f, 0), Opening(1, 1, 0));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
  EXPECT_THROW(CalcStressCurves(Field(3e38f, -3e38f, 0), Opening(1, 0, 0), 3), RuntimeError);
}

TEST(CircularOpening, CurvePointCountsForUnitRadius) {
  struct Case {
    float extent;
    int count;
    float lastX;
  };
  for (const Case& c : {Case{3, 67, 2.98f}, Case{5, 80, 4.95f}, Case{2, 51, 2.0f}, Case{1, 1, 1.0f}}) {
    const StressCurves curves = CalcStressCurves(Field(0, 10, 0), Opening(1, 0, 0), c.extent);
    EXPECT_EQ(curves.Count, c.count) << c.extent;
    EXPECT_EQ(curves.X[0], 1.0f);
    EXPECT_NEAR(curves.X[static_cast<std::size_t>(c.count - 1)], c.lastX, 1e-5) << c.extent;
  }
  EXPECT_EQ(CurveExtent(true, 5), 3.0f);
  EXPECT_EQ(CurveExtent(false, 5), 5.0f);
  EXPECT_EQ(CurveExtent(false, 12), 12.0f);
  EXPECT_EQ(CurveExtent(false, 0), 5.0f);
  EXPECT_EQ(CurveExtent(false, -3), 5.0f);
}

TEST(CircularOpening, CurvesNeverHoldMoreThanTheBuffer) {
  for (qint16 extent : {qint16{1}, qint16{7}, qint16{100}, qint16{999}, qint16{32767}}) {
    for (float a : {1.0f, 0.3f, 2.5f, 1e-44f, 1e30f}) {
      const StressCurves curves = CalcStressCurves(Field(1, 2, 3), Opening(a, 0, 10), CurveExtent(false, extent));
      EXPECT_GE(curves.Count, 1);
      EXPECT_LE(curves.Count, 101) << extent << " " << a;
    }
  }
}

TEST(CircularOpening, CurveValuesAlongTheRadialLine) {
  // Across s1 (w = 0 is the direction of s2 here): three times s1 on the wall.
  StressCurves c = CalcStressCurves(Field(0, 10, 0), Opening(1, 0, 0), 3);
  EXPECT_NEAR(c.Radial[0], 0, 1e-5);
  EXPECT_NEAR(c.Tangential[0], 30, 1e-5);
  EXPECT_NEAR(c.X[33], 1.99, 1e-5);
  EXPECT_NEAR(c.Radial[33], 2.831, 1e-3);
  EXPECT_NEAR(c.Tangential[33], 12.219, 1e-3);
  EXPECT_NEAR(c.Radial[66], 1.499, 1e-3);
  EXPECT_NEAR(c.Tangential[66], 10.753, 1e-3);
  for (int i = 0; i < c.Count; ++i) EXPECT_NEAR(c.Shear[static_cast<std::size_t>(i)], 0, 1e-5);

  // Along s1: -s1 on the wall, tending to the field stresses.
  c = CalcStressCurves(Field(0, 10, 0), Opening(1, 0, 90), 3);
  EXPECT_NEAR(c.Tangential[0], -10, 1e-5);
  EXPECT_NEAR(c.Tangential[66], 0.373, 1e-3);
  EXPECT_NEAR(c.Radial[66], 7.375, 1e-3);

  // The internal pressure reduces both principal stresses.
  c = CalcStressCurves(Field(10, 10, 0), Opening(1, 0, 40, 2), 3);
  EXPECT_EQ(c.S1Field, 8.0f);
  EXPECT_EQ(c.S2Field, 8.0f);
  for (std::size_t i = 0; i < static_cast<std::size_t>(c.Count); ++i) {
    const double k = 1.0 / (static_cast<double>(c.X[i]) * c.X[i]);
    EXPECT_NEAR(c.Radial[i], 8 * (1 - k), 1e-4);
    EXPECT_NEAR(c.Tangential[i], 8 * (1 + k), 1e-4);
    EXPECT_NEAR(c.Shear[i], 0, 1e-5);
  }
  // ... while the point values ignore it.
  EXPECT_NEAR(CalcKirschPoint(Field(10, 10, 0), Opening(1, 1, 40, 2)).Stress.SigmaTheta, 20, 1e-5);
}

TEST(CircularOpening, CurvesPassThroughThePointValues) {
  const StressInput f = Field(6, -2, 3.5f);
  const StressCurves c = CalcStressCurves(f, Opening(2, 0, 25), 5);
  for (std::size_t i : {std::size_t{0}, std::size_t{17}, std::size_t{79}}) {
    const CircularPoint p = CalcKirschPoint(f, Opening(2, c.X[i] * 2, 25));
    EXPECT_NEAR(c.Radial[i], p.Stress.SigmaR, 1e-4) << i;
    EXPECT_NEAR(c.Tangential[i], p.Stress.SigmaTheta, 1e-4) << i;
    EXPECT_NEAR(c.Shear[i], p.Stress.TauRTheta, 1e-4) << i;
  }
}

TEST(CircularOpening, FillingTheGraphBufferAndTheWorkingCopy) {
  const StressCurves c = CalcStressCurves(Field(0, 10, 0), Opening(1, 0, 0, 1), 3);
  FillGraphBuffer(c);
  EXPECT_EQ(GraphLastPoint, 66);
  for (std::size_t curve = 0; curve < 3; ++curve) EXPECT_EQ(GraphCurveData[curve][66][0], c.X[66]);
  EXPECT_EQ(GraphCurveData[0][10][1], c.Radial[10]);
  EXPECT_EQ(GraphCurveData[1][10][1], c.Tangential[10]);
  EXPECT_EQ(GraphCurveData[2][10][1], c.Shear[10]);

  CircularData working;
  RecordStressCurves(c, working);
  EXPECT_EQ(working.S1Field, 9.0f);
  EXPECT_EQ(working.S2Field, -1.0f);
  EXPECT_EQ(working.SigmaTheta, c.Tangential[66]);
  const CircularPoint p = CalcKirschPoint(Field(0, 10, 0), Opening(1, 2, 0, 1));
  RecordKirschPoint(p, working);
  EXPECT_EQ(working.S1Field, 10.0f);  // the point values leave p out
  EXPECT_EQ(working.SigmaR, p.Stress.SigmaR);
}

TEST(CircularOpening, ReadingABox) {
  struct Case {
    const char* text;
    bool empty, numeric, readable;
    float value;
  };
  const Case cases[] = {
      {"", true, true, true, 0},         {"-", false, true, true, 0},     {"2.5", false, true, true, 2.5f},
      {"12abc", false, false, true, 12}, {"1e39", false, true, false, 0}, {"1e400", false, false, false, 0},
  };
  for (const Case& c : cases) {
    const OpeningEntry e = ReadOpeningEntry(QString::fromUtf8(c.text));
    EXPECT_EQ(e.Empty, c.empty) << c.text;
    EXPECT_EQ(e.Numeric, c.numeric) << c.text;
    EXPECT_EQ(e.Readable, c.readable) << c.text;
    EXPECT_EQ(e.Value, c.value) << c.text;
  }
  // A box left as loaded gives back its stored value, not its display text.
  EXPECT_EQ(ReadOpeningEntry(QStringLiteral("0.000"), 0.0001).Value, 0.0001f);
  EXPECT_THROW(ReadOpeningEntry(QStringLiteral("1e39")).Number(), RuntimeError);
}

class CircularValidation : public CoreTest {
 protected:
  CircularEntries Entries(const char* sx, const char* sy, const char* txy, const char* a, const char* w, const char* r,
                          const char* p, bool graph) {
    const auto read = [](const char* t) { return ReadOpeningEntry(QString::fromUtf8(t)); };
    return {read(sx), read(sy), read(txy), read(a), read(w), read(r), read(p), graph};
  }
};

TEST_F(CircularValidation, ChecksInOrder) {
  struct Case {
    const char* sx;
    const char* sy;
    const char* txy;
    const char* a;
    const char* w;
    const char* r;
    const char* p;
    bool graph;
    CircularCheck expected;
  };
  using C = CircularCheck;
  const Case cases[] = {
      {"1", "2", "3", "1", "30", "2", "0", false, C::None},
      {"x", "y", "3", "0", "30", "2", "0", false, C::Sx},
      {"1", "y", "z", "0", "30", "2", "0", false, C::Sy},
      {"1", "2", "1e39", "1", "30", "2", "0", false, C::Txy},
      {"1", "2", "3", "a", "w", "2", "0", false, C::Radius},
      {"1", "2", "3", "1", "w", "2", "0", false, C::Angle},
      {"1", "2", "3", "1", "30", "r", "0", false, C::Distance},
      {"1", "2", "3", "1", "30", "r", "0", true, C::DistanceInsideOpening},  // counts as 0
      {"1", "2", "3", "1", "30", "1e39", "0", true, C::Distance},
      {"1", "2", "3", "", "30", "2", "-1", false, C::RadiusNotPositive},
      {"1", "2", "3", "-1", "30", "2", "0", false, C::RadiusNotPositive},
      {"1", "2", "3", "1", "30", "2", "-0.5", false, C::NegativePressure},
      {"1", "2", "3", "1", "30", "2", "1e39", false, C::NegativePressure},
      {"1", "2", "3", "1", "30", "", "0", false, C::DistanceNotPositive},
      {"1", "2", "3", "1", "30", "", "0", true, C::None},  // the curves need no distance
      {"1", "2", "3", "2", "30", "1", "0", false, C::DistanceInsideOpening},
      {"1", "2", "3", "2", "30", "2", "0", false, C::None},  // a point on the wall
      {"", "-", ".", "1", "-.", "1", "", false, C::None},
  };
  for (const Case& c : cases) {
    const CircularEntries e = Entries(c.sx, c.sy, c.txy, c.a, c.w, c.r, c.p, c.graph);
    EXPECT_EQ(FailedCircularCheck(e), c.expected)
        << c.sx << "|" << c.sy << "|" << c.txy << "|" << c.a << "|" << c.w << "|" << c.r << "|" << c.p;
  }
  EXPECT_STREQ(CircularCheckMessageOf(C::RadiusNotPositive).Note, "a > 0");
  EXPECT_STREQ(CircularCheckMessageOf(C::DistanceNotPositive).Note, "r > 0");
  EXPECT_STREQ(CircularCheckMessageOf(C::DistanceInsideOpening).Note, "r > a");
  EXPECT_EQ(CircularCheckMessageOf(C::DistanceInsideOpening).Field, CircularField::Distance);
  EXPECT_EQ(CircularCheckMessageOf(C::RadiusNotPositive).Field, CircularField::Radius);
  EXPECT_EQ(CircularCheckMessageOf(C::NegativePressure).Note, nullptr);
  EXPECT_STREQ(CircularCheckMessageOf(C::NegativePressure).Message.text.english,
               "Pressure in the borehole should be >= 0");
  EXPECT_TRUE(CircularCheckMessageOf(C::Txy).Message.withPrefix);

  StressInput stress;
  CircularData opening;
  StoreCircularEntries(Entries("1", "2", "3", "1.5", "30", "2", "0.25", false), stress, opening);
  EXPECT_EQ(stress.Txy, 3.0f);
  EXPECT_EQ(opening.A, 1.5f);
  EXPECT_EQ(opening.Angle, 30.0f);
  EXPECT_EQ(opening.R, 2.0f);
  EXPECT_EQ(opening.InternalPressure, 0.25f);
}

TEST_F(CircularValidation, RatioLabelsAndWarningInBothLanguages) {
  EXPECT_EQ(TangentialRatioText(3.0), QStringLiteral("sw/sv = 3.000"));
  EXPECT_EQ(RadialRatioText(-0.5), QStringLiteral("sr/sv = -0.500"));
  EXPECT_EQ(RadialRatioText(std::nullopt), QStringLiteral("-"));
  EXPECT_EQ(CircularDistanceWarning(), QStringLiteral("Warning: Error < 0"));
  EnglishMenus = false;
  EXPECT_EQ(TangentialRatioText(3.0), QStringLiteral("σθ/σv = 3.000"));
  EXPECT_EQ(RadialRatioText(1.25), QStringLiteral("σr/σv = 1.250"));
  EXPECT_EQ(CircularDistanceWarning(), QStringLiteral("Προσοχή Σφάλμα < 0"));
}

TEST(CircularOpening, AngleScrollPositions) {
  const std::pair<double, int> cases[] = {{370, 10},  {-725, -5}, {30.5, 30}, {30.7, 31},
                                          {29.5, 30}, {-360, 0},  {359, 359}, {0, 0}};
  for (const auto& [angle, position] : cases) EXPECT_EQ(AngleScrollPosition(angle), position) << angle;
  EXPECT_EQ(AngleScrollPosition(1e10), std::nullopt);
}

}  // namespace
}  // namespace brantel
