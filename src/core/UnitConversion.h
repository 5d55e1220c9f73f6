#pragma once

#include <QString>
#include <QStringList>

#include <concepts>
#include <optional>
#include <vector>

namespace brantel {

// The unit converter: one value converted between the imperial and SI units
// of length, force, force per length, stress and stress gradient. Everything
// is computed in 64-bit floating point, each read-out by its own chain of
// operations applied left to right, and shown in the 64-bit general number
// format (FormatGeneral of core/NumberFormat.h: up to 15 significant digits,
// no trailing zeros, no thousands separator, exponent form below 1E-04 and
// from 1E+15 on). Uses no function of core/Arithmetic.h; the dialog reads
// its input box by its leading number (forms::LeadingValue).

// The five tabs, in their order on the tab control.
enum class UnitTab { Length = 0, Load = 1, LoadGrad = 2, Stress = 3, StressGrad = 4 };
inline constexpr int kUnitTabCount = 5;

// The conversion factors, 64-bit, exactly these values. The force factors
// rest on 1 lbf = 4.448220489393218 N (a quarter of a millionth below the
// 4.4482216152605 N of its definition), the stress ones on
// 1 psi = 6894.757293 Pa; the length factors are exact.
namespace unit_factor {
inline constexpr double kInchesPerFoot = 12.0;
inline constexpr double kCmPerInch = 2.54;
inline constexpr double kCmPerMetre = 100.0;
inline constexpr double kLbfPerShortTon = 2000.0;
inline constexpr double kPerThousand = 1000.0;
inline constexpr double kKNPerLbf = 0.004448220489393218;                 // k
inline constexpr double kKNPerShortTonF = 8.896440978786435;              // 2000 k
inline constexpr double kKNPerKip = 4.448220489393218;                    // 1000 k
inline constexpr double kFootPerInch = 0.08333333333333333;               // t = 1 / 12
inline constexpr double kKNPerMPerLbfPerFt = 0.014593899243416069;        // g = k / 0.3048 m
inline constexpr double kSquareFootPerSquareInch = 0.006944444444444444;  // f = 1 / 144
inline constexpr double kPaPerPsi = 6894.757293;                          // p
inline constexpr double kPerMillion = 1000000.0;
inline constexpr double kPaPerMPerPsiPerIn = 271447.137519685;  // q = p / 0.0254 m
}  // namespace unit_factor

// The units of each tab, in the order of its option buttons and of its
// read-out boxes.
enum class LengthUnit { Inch = 0, Foot = 1, Centimetre = 2, Metre = 3 };
enum class LoadUnit { PoundForce = 0, ShortTonForce = 1, KiloNewton = 2, MegaNewton = 3, Kip = 4 };
enum class LoadGradUnit {
  PoundForcePerInch = 0,
  PoundForcePerFoot = 1,
  KiloNewtonPerMetre = 2,
  MegaNewtonPerMetre = 3
};
enum class StressUnit { Psi = 0, Ksi = 1, Psf = 2, Pascal = 3, MegaPascal = 4 };
enum class StressGradUnit { PsiPerInch = 0, PsiPerFoot = 1, PascalPerMetre = 2, MegaPascalPerMetre = 3 };

// The unit of a tab: its type names the tab.
template <typename T>
concept ConverterUnit = std::same_as<T, LengthUnit> || std::same_as<T, LoadUnit> || std::same_as<T, LoadGradUnit> ||
    std::same_as<T, StressUnit> || std::same_as<T, StressGradUnit>;

// The value x, given in unit `from`, in every unit of from's tab. A read-out
// beyond the 64-bit range has no value (nullopt: its box stays blank). An
// empty vector when `from` is outside its list.
template <ConverterUnit Unit>
std::vector<std::optional<double>> ConvertUnits(Unit from, double x);

// The texts of a tab's read-out boxes for the number of its input box, as
// the dialog reads it (its leading number: "12abc" is 12; no number, or an
// empty box, is 0; nothing for a number beyond the 64-bit range): the number
// converted and shown in the general format; "" for a read-out without a
// value, and for every read-out when there is no input number. An empty
// list when `from` is outside its list (the read-outs are left as they are).
template <ConverterUnit Unit>
QStringList UnitReadoutTexts(Unit from, std::optional<double> input);

}  // namespace brantel
