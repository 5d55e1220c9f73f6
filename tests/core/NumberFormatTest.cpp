#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace brantel {
namespace {

std::string S(const QString& s) { return s.toStdString(); }

TEST(DisplayMasks, StressAngleAndPlotMasks) {
  EXPECT_EQ(S(Format(1.5f, u"#0.##0")), "1.500");
  EXPECT_EQ(S(Format(0.0f, u"#0.##0")), "0.000");
  EXPECT_EQ(S(Format(-12.3456f, u"#0.##0")), "-12.346");
  EXPECT_EQ(S(Format(-2.25f, u"#0.#0")), "-2.25");
  EXPECT_EQ(S(Format(3.0f, u"#0.#0")), "3.00");
  EXPECT_EQ(S(Format(45.0f, u"#0.0")), "45.0");
  EXPECT_EQ(S(Format(123.456f, u"###0.0")), "123.5");
  EXPECT_EQ(S(Format(0.0f, u"###0.0")), "0.0");
  EXPECT_EQ(S(Format(1.234, u"#0.##")), "1.23");
  EXPECT_EQ(S(Format(0.00025, u"#0.#####0")), "0.000250");
  EXPECT_EQ(S(Format(1.5, u"0.00")), "1.50");
  EXPECT_EQ(S(Format(12.345, u"##0.00")), "12.35");
}

TEST(DisplayMasks, OptionalDigitsAndTheDecimalPoint) {
  // The point stays even when no decimal digit follows it.
  EXPECT_EQ(S(Format(2.0, u"#0.##")), "2.");
  EXPECT_EQ(S(Format(0.0049, u"#.##")), ".");
  // No integer digit is forced by "#".
  EXPECT_EQ(S(Format(0.5, u"#.0")), ".5");
  EXPECT_EQ(S(Format(0.0, u"#")), "");
  EXPECT_EQ(S(Format(0.0, u"#0")), "0");
  EXPECT_EQ(S(Format(7.0, u"00")), "07");
  EXPECT_EQ(S(Format(1.7, u"#0")), "2");
  // A "0" after "#" forces every digit up to it.
  EXPECT_EQ(S(Format(9.8, u"#0.#0#0#0#0#")), "9.80000000");
  EXPECT_EQ(S(Format(9.87654321, u"#0.#0#0#0#0#")), "9.87654321");
  EXPECT_EQ(S(Format(1.2, u"0#.0#0#0#0#0")), "01.200000000");
}

TEST(DisplayMasks, RoundingIsHalfAwayFromZeroOnTheShownDigits) {
  EXPECT_EQ(S(Format(2.5, u"0")), "3");
  EXPECT_EQ(S(Format(-2.5, u"0")), "-3");
  EXPECT_EQ(S(Format(9.9999999, u"#0.000000")), "10.000000");
  // 2.675 is stored a hair below; its 15 digits read 2.675.
  EXPECT_EQ(S(Format(2.675, u"0.00")), "2.68");
  // A 32-bit value rounds on its 7 digits, the number the user typed.
  EXPECT_EQ(S(Format(1.0005f, u"#0.##0")), "1.001");
  EXPECT_EQ(S(Format(0.1f, u"#0.#####0")), "0.100000");
  // A negative value that rounds to zero shows no sign.
  EXPECT_EQ(S(Format(-0.0001, u"#0.##0")), "0.000");
  EXPECT_EQ(S(Format(-0.1, u".#")), "-.1");
}

TEST(DisplayMasks, LargeAndTinyValuesNeverTurnIntoExponents) {
  EXPECT_EQ(S(Format(1e20f, u"#0.##0")), "100000000000000000000.000");
  EXPECT_EQ(S(Format(1e-20, u"#0.##0")), "0.000");
  EXPECT_EQ(S(Format(FLT_MAX, u"#0")).size(), 39u);
}

TEST(GeneralFormat, SingleUsesSevenDigits) {
  EXPECT_EQ(S(FormatGeneral(0.1f)), "0.1");
  EXPECT_EQ(S(FormatGeneral(10.0f)), "10");
  EXPECT_EQ(S(FormatGeneral(-3.0f)), "-3");
  EXPECT_EQ(S(FormatGeneral(12.5f)), "12.5");
  EXPECT_EQ(S(FormatGeneral(1.0f / 3.0f)), "0.3333333");
  EXPECT_EQ(S(FormatGeneral(1234567.0f)), "1234567");
  EXPECT_EQ(S(FormatGeneral(12345678.0f)), "1.234568E+07");
  EXPECT_EQ(S(FormatGeneral(0.0001f)), "0.0001");
  EXPECT_EQ(S(FormatGeneral(0.00001f)), "1E-05");
  EXPECT_EQ(S(FormatGeneral(-1.5e-7f)), "-1.5E-07");
  EXPECT_EQ(S(FormatGeneral(0.0f)), "0");
  EXPECT_EQ(S(FormatGeneral(-0.0f)), "0");
}

TEST(GeneralFormat, DoubleUsesFifteenDigits) {
  EXPECT_EQ(S(FormatGeneral(0.1 + 0.2)), "0.3");
  EXPECT_EQ(S(FormatGeneral(1.0 / 3.0)), "0.333333333333333");
  EXPECT_EQ(S(FormatGeneral(123456789012345.0)), "123456789012345");
  EXPECT_EQ(S(FormatGeneral(1e15)), "1E+15");
  EXPECT_EQ(S(FormatGeneral(1e20)), "1E+20");
  EXPECT_EQ(S(FormatGeneral(16384.0)), "16384");
  EXPECT_EQ(S(FormatGeneral(4096.0)), "4096");
}

TEST(ShortestFormat, ReadsBackToTheSameSingle) {
  std::mt19937 rng(12345);
  std::uniform_int_distribution<std::uint32_t> bits;
  std::vector<float> values{0.1f,        1.0f / 3.0f, FLT_MIN,  FLT_MAX, -FLT_MAX, FLT_TRUE_MIN,
                            16777216.0f, 1e-7f,       123.456f, -0.0f,   0.0f};
  for (int i = 0; i < 2000; ++i) {
    const std::uint32_t b = bits(rng);
    float f;
    std::memcpy(&f, &b, sizeof f);
    if (std::isfinite(f)) values.push_back(f);
  }
  for (float v : values) {
    const QString text = FormatShortest(v);
    ASSERT_FALSE(text.contains(u',')) << S(text);
    const float back = static_cast<float>(ParseLeadingNumber(text));
    ASSERT_EQ(back, v) << S(text);
  }
  EXPECT_EQ(S(FormatShortest(16777216.0f)), "16777216");
  EXPECT_EQ(S(FormatShortest(0.1f)), "0.1");
  EXPECT_EQ(S(FormatShortest(1e-7f)), "1E-07");
  EXPECT_EQ(S(FormatShortest(3e38f)), "3E+38");
}

TEST(ShortestFormat, ReadsBackToTheSameDouble) {
  std::mt19937_64 rng(777);
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t b = rng();
    double d;
    std::memcpy(&d, &b, sizeof d);
    if (!std::isfinite(d)) continue;
    const QString text = FormatShortest(d);
    ASSERT_EQ(ParseLeadingNumber(text), d) << S(text);
  }
  EXPECT_EQ(S(FormatShortest(0.1)), "0.1");
  EXPECT_EQ(S(FormatShortest(DBL_MAX)), "1.7976931348623157E+308");
}

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith) {
  EXPECT_EQ(ParseLeadingNumber(u"12abc"), 12.0);
  EXPECT_EQ(ParseLeadingNumber(u"-x"), 0.0);
  EXPECT_EQ(ParseLeadingNumber(u"  3.5"), 3.5);
  EXPECT_EQ(ParseLeadingNumber(u"1e"), 1.0);
  EXPECT_EQ(ParseLeadingNumber(u"1e-"), 1.0);
  EXPECT_EQ(ParseLeadingNumber(u"1e3x"), 1000.0);
  EXPECT_EQ(ParseLeadingNumber(u"-.5"), -0.5);
  EXPECT_EQ(ParseLeadingNumber(u"."), 0.0);
  EXPECT_EQ(ParseLeadingNumber(u""), 0.0);
  EXPECT_EQ(ParseLeadingNumber(u"+7"), 7.0);
  EXPECT_EQ(ParseLeadingNumber(u"1.2.3"), 1.2);
  EXPECT_EQ(ParseLeadingNumber(u"2,5"), 2.0);
  EXPECT_EQ(ParseLeadingNumber(u"1e-400"), 0.0);
}

TEST(LeadingNumber, BeyondTheDoubleRangeIsAnOverflow) {
  try {
    ParseLeadingNumber(u"1e400");
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), ErrorNumber::Overflow);
  }
}

TEST(WholeNumber, AcceptsOnlyACompleteNumber) {
  EXPECT_EQ(ParseNumber(u" 5 "), 5.0);
  EXPECT_EQ(ParseNumber(u"1."), 1.0);
  EXPECT_EQ(ParseNumber(u".5e2"), 50.0);
  EXPECT_FALSE(ParseNumber(u"1e").has_value());
  EXPECT_FALSE(ParseNumber(u"abc").has_value());
  EXPECT_FALSE(ParseNumber(u"12a").has_value());
  EXPECT_FALSE(ParseNumber(u"1e400").has_value());
  EXPECT_FALSE(ParseNumber(u"").has_value());
  EXPECT_FALSE(ParseNumber(u"-").has_value());
}

}  // namespace
}  // namespace brantel
