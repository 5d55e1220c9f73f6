#include "tools/stress/Fadum.h"

#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <utility>

namespace brantel {
namespace {

constexpr double kPi = 3.141592653589793;

// The corner solution in its textbook form, with the full-turn arctangent
// taking care of the branch: 4 pi Ir = 2 m n V^1/2 (V + 1) / (V (V + m^2 n^2))
// + atan2(2 m n V^1/2, V - m^2 n^2), V = m^2 + n^2 + 1.
double TextbookIr(double m, double n) {
  if (m == 0 || n == 0) return 0;
  const double v = m * m + n * n + 1, v1 = m * m * n * n;
  const double first = 2 * m * n * std::sqrt(v) * (v + 1) / (v * (v + v1));
  return (first + std::atan2(2 * m * n * std::sqrt(v), v - v1)) / (4 * kPi);
}

// The stress at (x, y) under an L x B rectangle on [0, L] x [0, B] from the
// four corners of the rectangle, each with the signs of its offsets.
double Superposed(double l, double b, double z, double q, double x, double y) {
  const auto corner = [&](double cx, double cy) {
    const double dx = cx - x, dy = cy - y;
    const double sign = (dx < 0) != (dy < 0) ? -1 : 1;
    return sign * TextbookIr(std::fabs(dx) / z, std::fabs(dy) / z);
  };
  return q * (corner(l, b) - corner(0, b) - corner(l, 0) + corner(0, 0));
}

// The Boussinesq stress integrated over the rectangle [0, a] x [0, b] below
// its corner, by the midpoint rule.
double IntegratedCornerStress(double a, double b, double z, double q) {
  const int cells = 400;
  const double dx = a / cells, dy = b / cells;
  double sum = 0;
  for (int i = 0; i < cells; ++i)
    for (int j = 0; j < cells; ++j) {
      const double x = (i + 0.5) * dx, y = (j + 0.5) * dy;
      const double r2 = x * x + y * y + z * z;
      sum += 3 * q * z * z * z / (2 * kPi * std::pow(r2, 2.5)) * dx * dy;
    }
  return sum;
}

// 0 passes; a negative value is refused with the sentence of its box.
TEST(Fadum, FoundationValueRules) {
  const std::pair<FadumBox, const char*> boxes[] = {
      {FadumBox::Length, "The length of the foundation should be positive"},
      {FadumBox::Width, "The width of the foundation should be positive"},
      {FadumBox::Load, "The load of the foundation should be positive"},
      {FadumBox::Depth, "The depth of the point should be positive"}};
  for (const auto& [box, message] : boxes) {
    const ValueRule rule = FoundationValueRule(box);
    EXPECT_FALSE(rule(0.0)) << message;
    ASSERT_TRUE(rule(-0.001)) << message;
    EXPECT_STREQ(rule(-0.001)->text.english, message);
    EXPECT_FALSE(rule(-0.001)->withPrefix);
  }
}

TEST(Fadum, CornerFactorAgainstTheClosedForm) {
  // The written constants 3.1415 and 12.566 stay within 1e-5 of pi and 4 pi.
  for (float m : {0.05f, 0.1f, 0.3f, 0.5f, 1.0f, 1.5f, 2.0f, 3.0f, 5.0f, 10.0f, 50.0f})
    for (float n : {0.05f, 0.2f, 0.7f, 1.0f, 2.0f, 4.0f, 10.0f}) {
      EXPECT_NEAR(FadumIr(m, n), TextbookIr(m, n), 1e-5) << m << " " << n;
      EXPECT_EQ(FadumIr(m, n), FadumIr(n, m));
    }
  EXPECT_NEAR(FadumIr(1, 1), 0.1752, 1e-4);
  EXPECT_NEAR(FadumIr(2, 2), 0.2325, 1e-4);  // m^2 n^2 above m^2 + n^2 + 1
  EXPECT_NEAR(FadumIr(1000, 1000), 0.25, 1e-4);
  EXPECT_EQ(FadumIr(0, 3), 0.0f);
  EXPECT_EQ(FadumIr(3, 0), 0.0f);
}

TEST(Fadum, CornerStressIsTheIntegratedPointLoad) {
  const struct { double a, b, z; } cases[] = {{1, 1, 1}, {2, 0.5, 1}, {3, 2, 1.5}, {0.4, 0.4, 1}};
  for (const auto& c : cases) {
    const double expected = IntegratedCornerStress(c.a, c.b, c.z, 100);
    const float got = CornerStress(static_cast<float>(c.a), static_cast<float>(c.b), static_cast<float>(c.z), 100);
    EXPECT_NEAR(got, expected, 1e-3 * expected) << c.a << " " << c.b;
  }
}

TEST(Fadum, QuarterTurnWhereTheArctangentHasNoQuotient) {
  // For these two values m^2 + n^2 - m^2 n^2 + 1 is 0 in 64-bit arithmetic.
  const float m = 512.00048828125f, n = 1.0000038146972656f;
  const double mm = m, nn = n;
  ASSERT_EQ(mm * mm + nn * nn - mm * mm * nn * nn + 1.0, 0.0);
  const float ir = FadumIr(m, n);
  EXPECT_TRUE(std::isfinite(ir));
  EXPECT_NEAR(ir, TextbookIr(m, n), 1e-5);
  EXPECT_NEAR(CornerStress(m, n, 1, 10), 10 * TextbookIr(m, n), 1e-4);
  // The factor is continuous through the point.
  EXPECT_NEAR(FadumIr(m, std::nextafter(n, 2.0f)), ir, 1e-5);
  EXPECT_NEAR(FadumIr(m, std::nextafter(n, 0.0f)), ir, 1e-5);
}

TEST(Fadum, CoefficientDialogResults) {
  const FadumCornerResult defaults = FadumCornerResults(100, 1, 1, 1);
  EXPECT_EQ(Format(defaults.Ir, kFadumIrMask), "0.175");
  EXPECT_NEAR(defaults.Stress, 17.52, 5e-3);
  const FadumCornerResult r = FadumCornerResults(50, 3, 7, 2);
  EXPECT_NEAR(r.Ir, TextbookIr(3.5, 1.5), 1e-5);
  EXPECT_NEAR(r.Stress, 50 * TextbookIr(3.5, 1.5), 1e-3);
  const FadumCornerResult swapped = FadumCornerResults(50, 7, 3, 2);
  EXPECT_EQ(swapped.Ir, r.Ir);
  EXPECT_EQ(swapped.Stress, r.Stress);
  const FadumCornerResult flat = FadumCornerResults(100, 1, 1, 0);
  EXPECT_EQ(flat.Ir, 0.0f);
  EXPECT_EQ(flat.Stress, 0.0f);
  EXPECT_EQ(CornerStress(1, 1, 0, 100), 0.0f);
  EXPECT_EQ(CornerStress(1, 1, -1, 100), 0.0f);
}

// The coefficient dialog's rules: those of the foundation tool but for the
// Greek sentence of the load.
TEST(Fadum, CornerValueRules) {
  for (FadumBox box : {FadumBox::Load, FadumBox::Width, FadumBox::Length, FadumBox::Depth}) {
    const ValueRule corner = FadumCornerValueRule(box), foundation = FoundationValueRule(box);
    EXPECT_FALSE(corner(0.0));
    const std::optional<InputMessage> refusal = corner(-1e-30);
    ASSERT_TRUE(refusal);
    EXPECT_STREQ(refusal->text.english, foundation(-1e-30)->text.english);
    EXPECT_FALSE(refusal->withPrefix);
    if (box != FadumBox::Load) {
      EXPECT_STREQ(refusal->text.greek, foundation(-1e-30)->text.greek);
    }
  }
  EXPECT_STREQ(FadumCornerValueRule(FadumBox::Load)(-1)->text.greek,
               "Το φορτίο του θεμελίου πρέπει να έχει θετική τιμή!");
  EXPECT_STREQ(FoundationValueRule(FadumBox::Load)(-1)->text.greek,
               "Το Φορτίο του θεμελίου πρέπει να έχει θετική τιμή!");
}

TEST(Fadum, ChartCurves) {
  const auto curves = FadumChartCurves();
  for (int k = 0; k < kFadumCurves; ++k) {
    const FadumChartCurve& c = curves[k];
    EXPECT_NEAR(c.N, 0.1 * (k + 1), 1e-5);
    ASSERT_EQ(c.Points.size(), kFadumCurvePoints);
    EXPECT_NEAR(c.Points.front().x(), 0.1, 1e-7);
    EXPECT_NEAR(c.Points.back().x(), 10.0, 1e-4);
    for (int i = 0; i < kFadumCurvePoints; ++i) {
      const QPointF p = c.Points[i];
      EXPECT_NEAR(p.y(), TextbookIr(p.x(), c.N), 1e-5);
      EXPECT_GE(p.y(), kFadumChartAxes.YMin);
      EXPECT_LE(p.y(), kFadumChartAxes.YMax);
      if (i > 0) {
        EXPECT_GT(p.x(), c.Points[i - 1].x());
        EXPECT_GE(p.y(), c.Points[i - 1].y());  // rises with m
      }
      if (k > 0) {
        EXPECT_GT(p.y(), curves[k - 1].Points[i].y());  // and with n
      }
    }
  }
}

TEST(Fadum, EverySuperpositionCaseAgreesWithTheCornerSum) {
  const float l = 2.0f, b = 1.25f, z = 1.5f, q = 80.0f;
  const struct {
    float x, y;
    FoundationCase row;
    int shown;
  } points[] = {
      {3.0f, 2.5f, FoundationCase::BeyondFarCorner, 4},
      {3.0f, 1.25f, FoundationCase::BeyondOnFarEdgeY, 2},
      {2.0f, 2.5f, FoundationCase::BeyondOnFarEdgeX, 2},
      {3.0f, 0.5f, FoundationCase::BesideEdgeX, 4},
      {2.5f, -0.75f, FoundationCase::BesideEdgeX, 4},  // beside and behind
      {1.0f, 4.0f, FoundationCase::BesideEdgeY, 4},
      {-1.0f, 3.0f, FoundationCase::BesideEdgeY, 4},
      {2.0f, 0.5f, FoundationCase::OnEdgeX, 2},
      {2.0f, -1.0f, FoundationCase::OnEdgeX, 2},
      {0.75f, 1.25f, FoundationCase::OnEdgeY, 2},
      {2.0f, 1.25f, FoundationCase::AtFarCorner, 0},
      {0.5f, 0.5f, FoundationCase::Under, 4},
      {1.0f, 0.625f, FoundationCase::Under, 4},  // the centre
      {0.0f, 0.5f, FoundationCase::Under, 4},    // on the near edge
      {0.0f, 0.0f, FoundationCase::Under, 4},    // at the near corner
      {-0.5f, -0.5f, FoundationCase::Under, 4},  // outside, before the origin
      {-1.5f, 0.6f, FoundationCase::Under, 4},
  };
  for (const auto& p : points) {
    const FoundationStress s = FoundationPointStress(l, b, z, q, p.x, p.y);
    EXPECT_EQ(s.Case, p.row) << p.x << " " << p.y;
    EXPECT_EQ(s.Whole.Shown + s.A.Shown + s.B.Shown + s.C.Shown, p.shown);
    EXPECT_NEAR(s.Stress, Superposed(l, b, z, q, p.x, p.y), 2e-4 * q) << p.x << " " << p.y;
    // Every rectangle shown has the point at one of its corners.
    for (const PlanRect* r : {&s.Whole, &s.A, &s.B, &s.C}) {
      if (!r->Shown) continue;
      EXPECT_TRUE(r->X0 == p.x || r->X1 == p.x);
      EXPECT_TRUE(r->Y0 == p.y || r->Y1 == p.y);
    }
  }
}

TEST(Fadum, FoundationWorkedPointsAndSidesAsEntered) {
  // A 1 x 1 foundation, z = 1, q = 100.
  EXPECT_EQ(FoundationPointStress(1, 1, 1, 100, 4, 4).Case, FoundationCase::BeyondFarCorner);
  const FoundationStress centre = FoundationPointStress(1, 1, 1, 100, 0.5f, 0.5f);
  EXPECT_EQ(Format(centre.Stress, kFoundationStressMask), "33.6");
  EXPECT_NEAR(centre.Stress, 4 * CornerStress(0.5f, 0.5f, 1, 100), 1e-4);
  EXPECT_EQ(Format(FoundationPointStress(1, 1, 1, 100, 1, 0.5f).Stress, kFoundationStressMask), "24.0");
  EXPECT_EQ(Format(FoundationPointStress(1, 1, 1, 100, 1, 1).Stress, kFoundationStressMask), "17.5");

  // Sides of 1.25: the corner stress of a 1.25 x 1.25 rectangle, not of a
  // 1.2 x 1.2 one.
  const float corner = FoundationPointStress(1.25f, 1.25f, 1, 100, 1.25f, 1.25f).Stress;
  EXPECT_NEAR(corner, 100 * TextbookIr(1.25, 1.25), 2e-3);
  EXPECT_GT(std::fabs(corner - 100 * TextbookIr(1.2, 1.2)), 0.2);

  // The rows meet as the point crosses the edge x = L.
  const float before = FoundationPointStress(1.25f, 1, 1, 100, 1.2499f, 0.4f).Stress;
  const float on = FoundationPointStress(1.25f, 1, 1, 100, 1.25f, 0.4f).Stress;
  const float after = FoundationPointStress(1.25f, 1, 1, 100, 1.2501f, 0.4f).Stress;
  EXPECT_NEAR(before, on, 0.01);
  EXPECT_NEAR(after, on, 0.01);
  EXPECT_GT(before, on);
  EXPECT_GT(on, after);

  // No load reaches the surface; a side below 0 is no foundation.
  EXPECT_EQ(FoundationPointStress(1, 1, 0, 100, 0.5f, 0.5f).Stress, 0.0f);
  EXPECT_EQ(FoundationPointStress(1, 1, -2, 100, 0.5f, 0.5f).Stress, 0.0f);
  EXPECT_EQ(FoundationPointStress(-1, 1, 1, 100, 0.5f, 0.5f).Stress, 0.0f);
  EXPECT_EQ(FoundationOutline(-1, 2).InPlanUnits(), QRectF(0, 0, 0, 2000));
}

TEST(Fadum, PlanGeometry) {
  // Under the foundation the four rectangles tile it.
  const FoundationStress s = FoundationPointStress(3, 2, 1, 10, 1.2f, 0.7f);
  double area = 0;
  for (const PlanRect* r : {&s.Whole, &s.A, &s.B, &s.C}) {
    const QRectF rect = r->InPlanUnits();
    EXPECT_GE(rect.width(), 0);
    EXPECT_GE(rect.height(), 0);
    area += rect.width() * rect.height();
  }
  EXPECT_NEAR(area, 3000.0 * 2000.0, 1.0);
  EXPECT_EQ(FoundationOutline(3, 2).InPlanUnits(), QRectF(0, 0, 3000, 2000));

  // The pointer's place as the boxes show it, held to the plan.
  EXPECT_EQ(PlanPointAt(4000, 4000), QPointF(4, 4));
  EXPECT_EQ(PlanPointAt(1234.6, 5678.9), QPointF(1.23, 5.68));
  EXPECT_EQ(PlanPointAt(-500, 12000), QPointF(0, 10.04));
  EXPECT_EQ(Format(PlanPointAt(2500, 0).x(), kPlanCoordinateMask), "2.50");
}

}  // namespace
}  // namespace brantel
