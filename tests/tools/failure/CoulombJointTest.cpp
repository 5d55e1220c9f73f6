#include "tools/failure/CoulombJoint.h"

#include "core/Settings.h"

#include <gtest/gtest.h>

#include <cmath>

namespace brantel {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

StressInput Stress(float sx, float sy, float txy = 0) { return StressInput{sx, sy, txy, StressGraph::None}; }

JointMaterial Material(float c, float phi, float pore = -1) {
  JointMaterial m;
  m.Cohesion = c;
  m.FrictionAngle = phi;
  if (pore >= 0) {
    m.UsePore = true;
    m.PorePressure = pore;
  }
  return m;
}

JointPlane Plane(float c, float phi, float alpha) {
  JointPlane p;
  p.Cohesion = c;
  p.FrictionAngle = phi;
  p.Alpha = alpha;
  return p;
}

// s1 at which a plane at beta from s1 slides, for s3 = s2 (single plane of
// weakness), written from the shear and normal stresses on the plane:
// tau = cj + sigma_n tan(phi) with tau = (s1 - s3)/2 sin 2b and
// sigma_n = s3 + (s1 - s3) cos^2 b.
double SlidingS1(double s3, double cj, double phi, double beta) {
  const double b = beta * kRad, mu = std::tan(phi * kRad);
  return s3 + (cj + mu * s3) / (std::sin(2 * b) / 2 - mu * std::cos(b) * std::cos(b));
}

TEST(CoulombJoint, BetaIsFoldedIntoZeroToNinety) {
  // The angle between the plane's normal (alpha + 90) and s1 (theta1),
  // taken from the two direction vectors.
  for (float alpha : {30.0f, 0.0f, -30.0f, 60.0f, 135.0f, -90.0f, 200.0f, 725.5f, -359.0f}) {
    for (float theta : {0.0f, 45.0f, -10.0f, 90.0f, -89.5f, 33.3f}) {
      const double n = (alpha + 90.0) * kRad, d = theta * kRad;
      const double cosine = std::fabs(std::cos(n) * std::cos(d) + std::sin(n) * std::sin(d));
      const double expected = std::acos(std::min(1.0, cosine)) / kRad;
      const float beta = DiscontinuityBeta(alpha, theta);
      EXPECT_NEAR(beta, expected, 2e-3) << alpha << " " << theta;
      EXPECT_GE(beta, 0.0f);
      EXPECT_LE(beta, 90.0f);
    }
  }
  EXPECT_EQ(DiscontinuityBeta(30, 0), 60.0f);  // 120 as written
  EXPECT_EQ(DiscontinuityBeta(0, 0), 90.0f);
  EXPECT_FALSE(std::signbit(DiscontinuityBeta(-90, 0)));
}

TEST(CoulombJoint, OrdinaryInputsThatNeedTheFoldDoNotSlideWhenStrong) {
  // alpha = 30 with sx > sy: beta = 60; a strong discontinuity holds.
  const JointResult r = CalcCoulombJoint(Stress(20, 5), Material(5, 30), Plane(100, 30, 30));
  EXPECT_EQ(r.Beta, 60.0f);
  EXPECT_FALSE(r.JointFailure);
  EXPECT_EQ(r.JointVerdict, Verdict::Holds);
}

TEST(CoulombJoint, PlaneParallelToS1DoesNotSlip) {
  // alpha = 0, sx > sy, txy = 0: beta = 90, a cohesionless weak plane.
  const JointResult r = CalcCoulombJoint(Stress(100, 1), Material(0, 0), Plane(0, 5, 0));
  EXPECT_EQ(r.Beta, 90.0f);
  EXPECT_FALSE(r.JointFailure);
  EXPECT_EQ(r.JointVerdict, Verdict::Holds);
}

TEST(CoulombJoint, SlidingAgainstThePlaneStresses) {
  // theta1 = 0; alpha = -45 gives beta = 45, alpha = -30 beta = 60,
  // alpha = -60 beta = 30; cj = 1, phi_j = 20, s2 = 5.
  for (float alpha : {-45.0f, -30.0f, -60.0f}) {
    const float beta = alpha + 90;
    const double s1f = SlidingS1(5, 1, 20, beta);
    for (double f : {0.99, 1.01}) {
      const JointResult r = CalcCoulombJoint(Stress(float(s1f * f), 5), Material(0, 0), Plane(1, 20, alpha));
      EXPECT_FLOAT_EQ(r.Beta, beta);
      EXPECT_EQ(r.JointFailure, f > 1) << alpha << " " << f;
    }
    // With P = 2: slides when s1 - P reaches the strength at s3 = s2 - P.
    const double s1fp = SlidingS1(3, 1, 20, beta) + 2;
    for (double f : {0.99, 1.01}) {
      const JointResult r = CalcCoulombJoint(Stress(float(s1fp * f), 5), Material(0, 0, 2), Plane(1, 20, alpha));
      EXPECT_EQ(r.JointPoreFailure, f > 1) << alpha << " " << f;
      EXPECT_EQ(r.JointPoreVerdict, VerdictOf(f > 1));
    }
  }
  // beta <= phi_j: no slip without computing a strength.
  const JointResult r = CalcCoulombJoint(Stress(1000, 0), Material(0, 0), Plane(0, 40, -60));
  EXPECT_FALSE(r.JointFailure);
  EXPECT_FALSE(r.JointPoreFailure);
}

TEST(CoulombJoint, MaterialTiesFailWithAndWithoutPorePressure) {
  // c = 5, phi = 0: strength s2 + 10; with P = 2, s1 - P = 18 against 8 + 10.
  const JointResult r = CalcCoulombJoint(Stress(20, 10), Material(5, 0, 2), Plane(0, 0, 0));
  EXPECT_TRUE(r.MaterialFailure);
  EXPECT_TRUE(r.MaterialPoreFailure);
  EXPECT_EQ(r.MaterialVerdict, Verdict::Fails);
  EXPECT_EQ(r.MaterialPoreVerdict, Verdict::Fails);
  const JointResult below = CalcCoulombJoint(Stress(19.99f, 10), Material(5, 0, 2), Plane(0, 0, 0));
  EXPECT_EQ(below.MaterialVerdict, Verdict::Holds);
  EXPECT_EQ(below.MaterialPoreVerdict, Verdict::Holds);
}

TEST(CoulombJoint, PorePressureIsClampedToS2ByValue) {
  // s2 = 2.996 shows as "3.00"; the pressure that acts is 2.996 itself.
  JointMaterial m = Material(5, 30, 5);
  JointPlane pl = Plane(1, 20, 0);
  const JointResult r = CalcCoulombJoint(Stress(10, 2.996f), m, pl);
  EXPECT_EQ(r.PoreAction, PoreClamp::ReducedToS2);
  EXPECT_TRUE(r.PoreOn);
  EXPECT_EQ(r.PorePressure, 2.996f);
  EXPECT_FALSE(r.PoreAboveS2);
  StoreJointResult(r, m, pl);
  EXPECT_EQ(m.PorePressure, 2.996f);
  EXPECT_TRUE(m.UsePore);
  // Computing again with the stored value changes nothing.
  EXPECT_EQ(CalcCoulombJoint(Stress(10, 2.996f), m, pl).PoreAction, PoreClamp::None);

  // s2 <= 0: the option is switched off and the pore boxes are blank.
  JointMaterial neg = Material(5, 30, 5);
  const JointResult off = CalcCoulombJoint(Stress(10, -2), neg, pl);
  EXPECT_EQ(off.PoreAction, PoreClamp::OptionSwitchedOff);
  EXPECT_FALSE(off.PoreOn);
  EXPECT_EQ(off.PorePressure, 0.0f);
  EXPECT_EQ(off.MaterialPoreVerdict, Verdict::Blank);
  EXPECT_NE(off.MaterialVerdict, Verdict::Blank);
  StoreJointResult(off, neg, pl);
  EXPECT_FALSE(neg.UsePore);
  EXPECT_STREQ(JointPoreTooHighMessage().text.english, "Pore pressure value is too high. Reduced to maximum allowed.");
  EXPECT_STREQ(JointPoreNegativeMessage().text.english, "Calculated pore pressure is negative. Option is disabled.");
}

TEST(CoulombJoint, BlankVerdicts) {
  const JointResult zero = CalcCoulombJoint(Stress(0, 0), Material(5, 30, 1), Plane(1, 20, 10));
  EXPECT_TRUE(zero.AllStressesZero);
  for (Verdict v : {zero.MaterialVerdict, zero.MaterialPoreVerdict, zero.JointVerdict, zero.JointPoreVerdict}) {
    EXPECT_EQ(v, Verdict::Blank);
  }
  const JointResult noMaterial = CalcCoulombJoint(Stress(10, 2), Material(0, 0, 1), Plane(1, 20, 10));
  EXPECT_EQ(noMaterial.MaterialVerdict, Verdict::Blank);
  EXPECT_EQ(noMaterial.MaterialPoreVerdict, Verdict::Blank);
  EXPECT_NE(noMaterial.JointVerdict, Verdict::Blank);
  const JointResult noPlane = CalcCoulombJoint(Stress(10, 2), Material(5, 30, 0), Plane(0, 0, 10));
  EXPECT_EQ(noPlane.JointVerdict, Verdict::Blank);
  EXPECT_NE(noPlane.MaterialVerdict, Verdict::Blank);
  EXPECT_EQ(noPlane.MaterialPoreVerdict, Verdict::Blank);  // P = 0
}

TEST(CoulombJoint, ValidationRefusesNegativeValuesAndRightAngles) {
  struct Case {
    JointMaterial m;
    JointPlane p;
    JointField expected;
  };
  const Case cases[] = {
      {Material(-1, -1), Plane(-1, -1, 0), JointField::MaterialCohesion},
      {Material(1, -1), Plane(-1, -1, 0), JointField::MaterialFriction},
      {Material(1, 90), Plane(1, 1, 0), JointField::MaterialFriction},
      {Material(1, 1), Plane(-1, -1, 0), JointField::JointCohesion},
      {Material(1, 1), Plane(1, 90, 0), JointField::JointFriction},
      {Material(0, 0, -5), Plane(0, 89.9f, -1000), JointField::None},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstInvalidJointInput(c.m, c.p), c.expected);
  EXPECT_STREQ(JointInvalidMessage(JointField::JointFriction).text.english,
               "Invalid value for discontinuity friction angle");
  // The rules the dialog checks its boxes by: the same edges and messages;
  // the stresses, the pore pressure and the inclination have none.
  EXPECT_FALSE(JointValueRule(JointField::MaterialCohesion)(0.0));
  const std::optional<InputMessage> refused = JointValueRule(JointField::MaterialFriction)(90.0);
  ASSERT_TRUE(refused);
  EXPECT_STREQ(refused->text.english, "Invalid value for material friction angle");
  EXPECT_FALSE(refused->withPrefix);
  EXPECT_FALSE(JointValueRule(JointField::JointFriction)(89.9));
  EXPECT_TRUE(JointValueRule(JointField::JointCohesion)(-0.5));
  for (JointField free : {JointField::Sx, JointField::PorePressure, JointField::Alpha})
    EXPECT_FALSE(JointValueRule(free));
}

TEST(CoulombJoint, SlidingRangeEndsLieOnCircleAndEnvelope) {
  const JointMaterial m = Material(5, 30);
  const JointPlane pl = Plane(1, 30, -30);
  const JointResult r = CalcCoulombJoint(Stress(10, 2), m, pl);
  const JointMohrView v = JointMohrPlot(r.Principal, m, pl, r.Beta);
  ASSERT_TRUE(v.RangeLimit1 && v.RangeLimit2 && v.DiscontinuityLine);
  for (const PlotSegment& s : {*v.RangeLimit1, *v.RangeLimit2}) {
    EXPECT_NEAR(std::hypot(s.To.X - v.Centre, s.To.Y), v.Radius, 1e-4);
    EXPECT_NEAR(s.To.Y, 1 + s.To.X * std::tan(30 * kRad), 1e-4);
  }
  // The given plane at 2 beta = 120 degrees on the circle.
  EXPECT_NEAR(v.DiscontinuityLine->To.X, v.Centre + v.Radius * std::cos(120 * kRad), 1e-4);

  // Cohesionless: the range exists but its radii are not drawn.
  const JointMohrView c0 = JointMohrPlot(r.Principal, m, Plane(0, 30, -30), r.Beta);
  EXPECT_TRUE(c0.DoubleBeta1);
  EXPECT_FALSE(c0.RangeLimit1);
  // |x| >= 1 (cj = 10: x = 2.9) or s1 = s2: the circle does not reach the
  // discontinuity's envelope, so there is no range and no line to the
  // discontinuity at all.
  const JointMohrView strong = JointMohrPlot(r.Principal, m, Plane(10, 30, -30), r.Beta);
  EXPECT_FALSE(strong.DoubleBeta1);
  EXPECT_FALSE(strong.RangeLimit1 || strong.RangeLimit2 || strong.DiscontinuityLine);
  const Principal2D equal = CalcCoulombJoint(Stress(5, 5), m, pl).Principal;
  const JointMohrView hydro = JointMohrPlot(equal, m, pl, 0);
  EXPECT_FALSE(hydro.DoubleBeta1);
  EXPECT_FALSE(hydro.DiscontinuityLine);
}

TEST(CoulombJoint, Sigma1BetaChartOfTheWorkedCase) {
  // cj = 0, phi_j = 30, s1 = 10, s2 = 2: x = 0.75, beta1 = 39.3, beta2 = 80.7.
  const Principal2D pr = CalcCoulombJoint(Stress(10, 2), Material(5, 30), Plane(0, 30, 0)).Principal;
  const Sigma1BetaChart c = Sigma1BetaSeries(pr, Material(5, 30), Plane(0, 30, 0));
  ASSERT_TRUE(c.Computed);
  const double a = std::asin(0.75) / kRad;
  ASSERT_TRUE(c.Beta1 && c.Beta2);
  EXPECT_NEAR(*c.Beta1, (30 + a) / 2, 1e-4);
  EXPECT_NEAR(*c.Beta2, (180 + 30 - a) / 2, 1e-4);
  EXPECT_NEAR(c.MaterialStrength, 3 * 2 + 2 * 5 * std::cos(30 * kRad) / 0.5, 1e-4);
  ASSERT_EQ(c.Points.size(), 40u + 42u + 10u);
  for (size_t i = 0; i < c.Points.size(); ++i) {
    const PlotPoint& p = c.Points[i];
    if (i > 0) {
      EXPECT_GE(p.X, c.Points[i - 1].X);
    }
    if (p.X < *c.Beta1 || p.X > *c.Beta2 || (i >= 82)) {
      EXPECT_EQ(p.Y, c.MaterialStrength) << i;
    } else {
      EXPECT_NEAR(p.Y, std::min(10.0, SlidingS1(2, 0, 30, p.X)), 1e-3) << i;
    }
  }
  // 23.32 gives 0..30 in 3 divisions.
  EXPECT_EQ(c.Sigma1Axis.Minimum, 0);
  EXPECT_EQ(c.Sigma1Axis.Maximum, 30);
  EXPECT_EQ(c.Sigma1Axis.MajorDivisions, 3);
  EXPECT_EQ(c.BetaAxis.Maximum, 90);
  EXPECT_EQ(c.BetaAxis.MajorDivisions, 9);
}

TEST(CoulombJoint, Sigma1BetaChartClampsItsRange) {
  const JointMaterial m = Material(5, 30);
  // s2 = -5: beta2 = 100.2 is clamped to 90.
  const Principal2D tension = CalcCoulombJoint(Stress(10, -5), m, Plane(0, 30, 0)).Principal;
  const Sigma1BetaChart c = Sigma1BetaSeries(tension, m, Plane(0, 30, 0));
  ASSERT_TRUE(c.Beta2);
  EXPECT_EQ(*c.Beta2, 90.0f);
  EXPECT_LE(c.Points.size(), 93u);
  EXPECT_LE(c.Points.back().X, 90.0f);
  // s1 at failure lies between s3 and s1 (near 90 degrees the plane slides
  // under any deviator in this tension).
  for (const PlotPoint& p : c.Points) {
    EXPECT_GE(p.Y, -5.0f);
    EXPECT_LE(p.Y, 10.0f);
  }
  EXPECT_EQ(c.Sigma1Axis.Minimum, -10);

  // s1 = -1, s2 = -40: beta1 = -0.86 starts just above 0; the intact
  // strength is negative and the scale takes it in.
  const JointMaterial loose = Material(0, 30);
  const Principal2D deep = CalcCoulombJoint(Stress(-1, -40), loose, Plane(0, 30, 0)).Principal;
  const Sigma1BetaChart d = Sigma1BetaSeries(deep, loose, Plane(0, 30, 0));
  ASSERT_TRUE(d.Beta1);
  EXPECT_EQ(*d.Beta1, kFirstSlidingBeta);
  EXPECT_EQ(d.Points.front().X, 0.0f);
  EXPECT_LT(d.MaterialStrength, 0.0f);
  for (const PlotPoint& p : d.Points) {
    EXPECT_TRUE(std::isfinite(p.Y));
    EXPECT_GE(p.X, 0.0f);
    EXPECT_LE(p.X, 90.0f);
    EXPECT_GE(p.Y, d.Sigma1Axis.Minimum);
    EXPECT_LE(p.Y, d.Sigma1Axis.Maximum);
  }

  // s1 = s2: no range, 91 flat points, and the strength is still given.
  const Principal2D hydro = CalcCoulombJoint(Stress(5, 5), m, Plane(0, 30, 0)).Principal;
  const Sigma1BetaChart h = Sigma1BetaSeries(hydro, m, Plane(0, 30, 0));
  EXPECT_TRUE(h.Computed);
  EXPECT_FALSE(h.Beta1);
  EXPECT_EQ(h.Points.size(), 91u);
}

TEST(CoulombJoint, Sigma1AxisScale) {
  struct Case {
    double lowest, highest, min, max;
    int divisions;
  };
  for (const Case& c :
       {Case{0, 37.5, 0, 40, 4}, Case{0, 250, 0, 300, 3}, Case{0, 150, 0, 200, 4}, Case{0, 0.375, 0, 0.4, 4},
        Case{0, 1000, 0, 2000, 4}, Case{0, 0, 0, 1, 4}, Case{-120, -1, -200, 0, 4}, Case{-3, 37.5, -10, 40, 5}}) {
    const ChartAxisScale s = Sigma1AxisScale(c.lowest, c.highest);
    EXPECT_NEAR(s.Minimum, c.min, 1e-12) << c.highest;
    EXPECT_NEAR(s.Maximum, c.max, 1e-12) << c.highest;
    EXPECT_EQ(s.MajorDivisions, c.divisions) << c.highest;
  }
}

TEST(CoulombJoint, ChartTitlesInBothLanguages) {
  const bool saved = EnglishMenus;
  EnglishMenus = true;
  EXPECT_EQ(Sigma1BetaTitles().Title, "Sigma 1 - Beta Plot");
  EnglishMenus = false;
  EXPECT_EQ(Sigma1BetaTitles().Sigma1Title, QStringLiteral("σ1"));
  EXPECT_EQ(Tr(JointPoreTooHighMessage().text),
            QStringLiteral("Υπερβολική πίεση πόρων. Μείωση στο μέγιστο επιτρεπτό."));
  EnglishMenus = saved;
}

}  // namespace
}  // namespace brantel
