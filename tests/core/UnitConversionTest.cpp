#include "core/UnitConversion.h"
#include "core/Validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace brantel {
namespace {

// The read-outs for an input box's text, read as the dialog reads the box:
// its leading number.
template <ConverterUnit Unit>
QStringList ReadoutsOf(Unit from, QStringView text) {
  return UnitReadoutTexts(from, LeadingNumber(text));
}

// Every unit in its SI base unit (m, N, N/m, Pa, Pa/m), built here from the
// definitions: 1 in = 0.0254 m, 1 ft = 0.3048 m, and the converter's own
// bases, 1 kN = 224.809 lbf and 1 psi = 6894.757293 Pa.
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kLbf = 1000.0 / 224.809;
constexpr double kPsi = 6894.757293;

// Every read-out of every unit of a tab against the SI values of its units.
template <ConverterUnit Unit>
void ExpectEveryReadoutAgreesWith(const std::vector<double>& si) {
  ASSERT_EQ(ConvertUnits(Unit{}, 1.0).size(), si.size());
  for (int from = 0; from < static_cast<int>(si.size()); ++from) {
    for (const double x : {1.0, -3.75, 1234.5678, 2.5e-7}) {
      const auto out = ConvertUnits(static_cast<Unit>(from), x);
      ASSERT_EQ(out.size(), si.size());
      for (std::size_t to = 0; to < si.size(); ++to) {
        const double expected = x * si[static_cast<std::size_t>(from)] / si[to];
        ASSERT_TRUE(out[to].has_value());
        EXPECT_NEAR(*out[to], expected, std::abs(expected) * 1e-14) << "from " << from << " to " << to << " x " << x;
      }
    }
  }
}

TEST(UnitConversion, TheFactorsFollowFromTheirBases) {
  using namespace unit_factor;
  // Each factor is the 64-bit value of its formula, to the last bit.
  EXPECT_EQ(kKNPerLbf, 1.0 / 224.809);
  EXPECT_EQ(kKNPerShortTonF, 2000 * kKNPerLbf);
  EXPECT_EQ(kKNPerKip, 1000 * kKNPerLbf);
  EXPECT_EQ(kKNPerMPerLbfPerFt, kKNPerLbf / kFoot);
  EXPECT_EQ(kPaPerMPerPsiPerIn, kPsi / kInch);
  EXPECT_EQ(kFootPerInch, 1.0 / 12);
  EXPECT_EQ(kSquareFootPerSquareInch, 1.0 / 144);
  // Against the definition of the pound-force (0.45359237 kg x 9.80665 m/s^2)
  // the bases are good to a millionth.
  EXPECT_NEAR(kLbf, 0.45359237 * 9.80665, 4.4482216152605 * 1e-6);
  EXPECT_NEAR(kPsi, 0.45359237 * 9.80665 / (kInch * kInch), kPsi * 1e-6);
}

TEST(UnitConversion, EveryReadoutOfEveryUnitAgreesWithTheBases) {
  ExpectEveryReadoutAgreesWith<LengthUnit>({kInch, kFoot, 0.01, 1.0});
  ExpectEveryReadoutAgreesWith<LoadUnit>({kLbf, 2000 * kLbf, 1e3, 1e6, 1000 * kLbf});
  ExpectEveryReadoutAgreesWith<LoadGradUnit>({kLbf / kInch, kLbf / kFoot, 1e3, 1e6});
  ExpectEveryReadoutAgreesWith<StressUnit>({kPsi, 1000 * kPsi, kPsi / 144, 1.0, 1e6});
  ExpectEveryReadoutAgreesWith<StressGradUnit>({kPsi / kInch, kPsi / kFoot, 1.0, 1e6});
}

TEST(UnitConversion, ReadoutsShowUpToFifteenSignificantDigits) {
  struct Case {
    const char* what;
    QStringList readouts;
    QStringList shown;
  };
  const std::vector<Case> cases = {
      {"1 ft", ReadoutsOf(LengthUnit::Foot, u"1"), {"12", "1", "30.48", "0.3048"}},
      {"1 m", ReadoutsOf(LengthUnit::Metre, u"1"), {"39.3700787401575", "3.28083989501312", "100", "1"}},
      {"12abc in", ReadoutsOf(LengthUnit::Inch, u"12abc"), {"12", "1", "30.48", "0.3048"}},
      {"abc cm", ReadoutsOf(LengthUnit::Centimetre, u"abc"), {"0", "0", "0", "0"}},
      {"empty cm", ReadoutsOf(LengthUnit::Centimetre, u""), {"0", "0", "0", "0"}},
      {"-0 cm", ReadoutsOf(LengthUnit::Centimetre, u"-0"), {"0", "0", "0", "0"}},
      {"144 psf", ReadoutsOf(StressUnit::Psf, u"144"), {"1", "0.001", "144", "6894.757293", "0.006894757293"}},
      {"1 lbsF",
       ReadoutsOf(LoadUnit::PoundForce, u"1"),
       {"1", "0.0005", "0.00444822048939322", "4.44822048939322E-06", "0.001"}},
      {"2 kips", ReadoutsOf(LoadUnit::Kip, u"2"), {"2000", "1", "8.89644097878644", "0.00889644097878644", "2"}},
      {"1 kN", ReadoutsOf(LoadUnit::KiloNewton, u"1"), {"224.809", "0.1124045", "1", "0.001", "0.224809"}},
      {"1 lbsF/in",
       ReadoutsOf(LoadGradUnit::PoundForcePerInch, u"1"),
       {"1", "12", "0.175126790920993", "0.000175126790920993"}},
      {"1 psi/in", ReadoutsOf(StressGradUnit::PsiPerInch, u"1"), {"1", "12", "271447.137519685", "0.271447137519685"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.readouts, c.shown) << c.what;
}

TEST(UnitConversion, LoadFromKiloNewtonsUsesTheDirectFactors) {
  const auto out = ConvertUnits(LoadUnit::KiloNewton, 1.0);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_NEAR(*out[1], 0.1124045, 5e-8);  // tonsF
  EXPECT_NEAR(*out[4], 0.224809, 5e-7);   // kips
  EXPECT_EQ(*out[1], 1.0 / unit_factor::kKNPerShortTonF);
  EXPECT_EQ(*out[4], 1.0 / unit_factor::kKNPerKip);
}

TEST(UnitConversion, ValuesBeyondTheRangeLeaveBlankBoxesNeverInfinity) {
  // MPa to Pa multiplies by a million: 1E+305 MPa has no 64-bit value in Pa.
  const QStringList big = ReadoutsOf(StressUnit::MegaPascal, u"1e305");
  ASSERT_EQ(big.size(), 5);
  EXPECT_TRUE(big[3].isEmpty());
  EXPECT_EQ(big[4], QStringLiteral("1E+305"));
  for (const QString& text : big) {
    EXPECT_FALSE(text.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
    EXPECT_FALSE(text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
  }
  // An input beyond the 64-bit range itself blanks every box.
  EXPECT_EQ(ReadoutsOf(LengthUnit::Inch, u"1e400"), QStringList(4, QString()));
  EXPECT_TRUE(ConvertUnits(LengthUnit::Inch, INFINITY).empty());
  EXPECT_TRUE(ConvertUnits(LengthUnit::Inch, NAN).empty());
}

TEST(UnitConversion, AUnitOutsideItsTabConvertsNothing) {
  EXPECT_TRUE(ReadoutsOf(static_cast<LengthUnit>(-1), u"5").isEmpty());
  EXPECT_TRUE(ReadoutsOf(static_cast<LengthUnit>(4), u"5").isEmpty());  // Length has four units
  EXPECT_TRUE(ConvertUnits(static_cast<LengthUnit>(4), 5.0).empty());
  EXPECT_EQ(ReadoutsOf(static_cast<LoadUnit>(4), u"5").size(), 5);  // Load has five
  EXPECT_TRUE(ReadoutsOf(static_cast<StressGradUnit>(4), u"5").isEmpty());
}

}  // namespace
}  // namespace brantel
