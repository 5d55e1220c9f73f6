#include "tools/stress/PointLoad.h"

#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace brantel {
namespace {

constexpr double kPi = 3.141592653589793;

TEST(PointLoad, WorkedPoints) {
  struct Case {
    float q, r, z;
    double boussinesq, westergaard;
    const char* boussinesqText;
    const char* westergaardText;
  };
  const Case cases[] = {
      {100, 3, 2, 0.6269, 0.6169, "0.63", "0.62"},
      {100, 0, 1, 47.7465, 31.8310, "47.75", "31.83"},
      {0, 5, 5, 0, 0, "0.00", "0.00"},
  };
  for (const Case& c : cases) {
    const PointLoadStress b = BoussinesqStress(c.q, c.r, c.z);
    const PointLoadStress w = WestergaardStress(c.q, c.r, c.z);
    EXPECT_FALSE(b.Singular);
    EXPECT_FALSE(w.Singular);
    EXPECT_NEAR(b.Value, c.boussinesq, 1e-4);
    EXPECT_NEAR(w.Value, c.westergaard, 1e-4);
    EXPECT_EQ(Format(b.Value, kPointLoadResultMask), c.boussinesqText);
    EXPECT_EQ(Format(w.Value, kPointLoadResultMask), c.westergaardText);
  }
  // Under the load itself, and on the surface beside it.
  EXPECT_TRUE(BoussinesqStress(100, 0, 0).Singular);
  EXPECT_TRUE(WestergaardStress(100, 0, 0).Singular);
  EXPECT_FALSE(BoussinesqStress(100, 3, 0).Singular);
  EXPECT_EQ(BoussinesqStress(100, 3, 0).Value, 0.0f);
  EXPECT_TRUE(WestergaardStress(100, 3, 0).Singular);
}

TEST(PointLoad, ClassicalFormsOverAGrid) {
  for (float r : {0.0f, 0.5f, 1.0f, 2.5f, 7.0f})
    for (float z : {0.25f, 1.0f, 3.0f, 10.0f}) {
      const double ratio = static_cast<double>(r) / z;
      // Boussinesq as 3 Q / (2 pi z^2) (1 + (r/z)^2)^-5/2.
      const double b = 3 * 250.0 / (2 * kPi * z * z) * std::pow(1 + ratio * ratio, -2.5);
      // Westergaard (Poisson's ratio 0) as Q z / (pi (z^2 + 2 r^2)^3/2).
      const double w = 250.0 * z / (kPi * std::pow(double(z) * z + 2.0 * r * r, 1.5));
      EXPECT_NEAR(BoussinesqStress(250, r, z).Value, b, 1e-5 * b + 1e-9) << r << " " << z;
      EXPECT_NEAR(WestergaardStress(250, r, z).Value, w, 1e-5 * w + 1e-9) << r << " " << z;
    }
}

TEST(PointLoad, BoussinesqStressesBalanceTheLoad) {
  // The vertical stress over any horizontal plane carries the load.
  for (double z : {0.5, 2.0}) {
    double total = 0;
    const double step = z / 2000;
    for (double r = step / 2; r < 200 * z; r += step)
      total += BoussinesqStress(100, static_cast<float>(r), static_cast<float>(z)).Value * 2 * kPi * r * step;
    EXPECT_NEAR(total, 100.0, 0.01) << z;
  }
}

// The rules of the five boxes: 0 passes, a negative value is refused with
// the sentence of its box; the three loads share theirs.
TEST(PointLoad, ValueRulesOfEachBox) {
  struct Case {
    PointLoadBox box;
    const char *english, *greek;
  };
  const Case cases[] = {
      {PointLoadBox::R, "Horizontal distance should be positive", "Η οριζόντια απόσταση πρέπει να έχει θετική τιμή!"},
      {PointLoadBox::Z, "Vertical distance should be positive", "Η κατακόρυφη απόσταση πρέπει να έχει θετική τιμή!"},
      {PointLoadBox::Q, "The load should be positive", "Το φορτίο πρέπει να έχει θετική τιμή!"},
      {PointLoadBox::Qm, "The load should be positive", "Το φορτίο πρέπει να έχει θετική τιμή!"},
      {PointLoadBox::StripQ, "The load should be positive", "Το φορτίο πρέπει να έχει θετική τιμή!"},
  };
  for (const Case& c : cases) {
    const ValueRule rule = PointLoadValueRule(c.box);
    EXPECT_FALSE(rule(0.0)) << c.english;
    EXPECT_FALSE(rule(3e38)) << c.english;
    const std::optional<InputMessage> refusal = rule(-1e-30);
    ASSERT_TRUE(refusal) << c.english;
    EXPECT_STREQ(refusal->text.english, c.english);
    EXPECT_STREQ(refusal->text.greek, c.greek);
    EXPECT_FALSE(refusal->withPrefix);
  }
}

TEST(PointLoad, SectionReadoutAndOverflow) {
  const SectionPoint p = SectionPointAt(2500, 3000);
  EXPECT_EQ(p.R, 2.5);
  EXPECT_EQ(p.Z, 3.0);
  EXPECT_EQ(Format(p.Z, kSectionReadoutMask), "3.0");
  const SectionPoint q = SectionPointAt(1234, 5678);
  EXPECT_DOUBLE_EQ(q.R, 1.2);
  EXPECT_DOUBLE_EQ(q.Z, 5.7);

  try {
    BoussinesqStress(3e38f, 0, 1e-30f);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
}

}  // namespace
}  // namespace brantel
