#include "core/UnitConversion.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace brantel {

namespace {

using namespace unit_factor;

// The number of units of each tab.
template <ConverterUnit Unit>
constexpr int kUnitCount = 0;
template <>
constexpr int kUnitCount<LengthUnit> = 4;
template <>
constexpr int kUnitCount<LoadUnit> = 5;
template <>
constexpr int kUnitCount<LoadGradUnit> = 4;
template <>
constexpr int kUnitCount<StressUnit> = 5;
template <>
constexpr int kUnitCount<StressGradUnit> = 4;

template <ConverterUnit Unit>
bool ValidUnit(Unit unit) {
  return static_cast<int>(unit) >= 0 && static_cast<int>(unit) < kUnitCount<Unit>;
}

// Each row: the read-outs of one input unit, every one a chain of operations
// evaluated left to right.
std::vector<double> Readouts(LengthUnit from, double x) {
  switch (from) {
    case LengthUnit::Inch: return {x, x / kInchesPerFoot, x * kCmPerInch, x * kCmPerInch / kCmPerMetre};
    case LengthUnit::Foot:
      return {x * kInchesPerFoot, x, x * kInchesPerFoot * kCmPerInch, x * kInchesPerFoot * kCmPerInch / kCmPerMetre};
    case LengthUnit::Centimetre: return {x / kCmPerInch, x / kCmPerInch / kInchesPerFoot, x, x / kCmPerMetre};
    case LengthUnit::Metre: break;
  }
  return {x * kCmPerMetre / kCmPerInch, x * kCmPerMetre / kCmPerInch / kInchesPerFoot, x * kCmPerMetre, x};
}

std::vector<double> Readouts(LoadUnit from, double x) {
  const double k = kKNPerLbf;
  switch (from) {
    case LoadUnit::PoundForce: return {x, x / kLbfPerShortTon, x * k, x * k / kPerThousand, x / kPerThousand};
    case LoadUnit::ShortTonForce:
      return {x * kLbfPerShortTon, x, x * kLbfPerShortTon * k, x * kLbfPerShortTon * k / kPerThousand,
              x * kLbfPerShortTon / kPerThousand};
    case LoadUnit::KiloNewton: return {x / k, x / kKNPerShortTonF, x, x / kPerThousand, x / kKNPerKip};
    case LoadUnit::MegaNewton:
      return {x * kPerThousand / k, x * kPerThousand / k / kLbfPerShortTon, x * kPerThousand, x,
              x * kPerThousand / kKNPerKip};
    case LoadUnit::Kip: break;
  }
  return {x * kPerThousand, x / kLbfPerShortTon * kPerThousand, x * k * kPerThousand,
          x * k / kPerThousand * kPerThousand, x};
}

std::vector<double> Readouts(LoadGradUnit from, double x) {
  const double t = kFootPerInch;
  const double g = kKNPerMPerLbfPerFt;
  switch (from) {
    case LoadGradUnit::PoundForcePerInch: return {x, x / t, x / t * g, x / t * g / kPerThousand};
    case LoadGradUnit::PoundForcePerFoot: return {x * t, x, x * g, x * g / kPerThousand};
    case LoadGradUnit::KiloNewtonPerMetre: return {x / g * t, x / g, x, x / kPerThousand};
    case LoadGradUnit::MegaNewtonPerMetre: break;
  }
  return {x * kPerThousand / g * t, x * kPerThousand / g, x * kPerThousand, x};
}

std::vector<double> Readouts(StressUnit from, double x) {
  const double f = kSquareFootPerSquareInch;
  const double p = kPaPerPsi;
  switch (from) {
    case StressUnit::Psi: return {x, x / kPerThousand, x / f, x * p, x * p / kPerMillion};
    case StressUnit::Ksi:
      return {x * kPerThousand, x, x / f * kPerThousand, x * p * kPerThousand, x * p / kPerMillion * kPerThousand};
    case StressUnit::Psf: return {x * f, x * f / kPerThousand, x, x * f * p, x * f * p / kPerMillion};
    case StressUnit::Pascal: return {x / p, x / p / kPerThousand, x / p / f, x, x / kPerMillion};
    case StressUnit::MegaPascal: break;
  }
  return {x * kPerMillion / p, x * kPerMillion / p / kPerThousand, x * kPerMillion / p / f, x * kPerMillion, x};
}

std::vector<double> Readouts(StressGradUnit from, double x) {
  const double t = kFootPerInch;
  const double q = kPaPerMPerPsiPerIn;
  switch (from) {
    case StressGradUnit::PsiPerInch: return {x, x / t, x * q, x * q / kPerMillion};
    case StressGradUnit::PsiPerFoot: return {x * t, x, x * t * q, x * t * q / kPerMillion};
    case StressGradUnit::PascalPerMetre: return {x / q, x / q / t, x, x / kPerMillion};
    case StressGradUnit::MegaPascalPerMetre: break;
  }
  return {x * kPerMillion / q, x * kPerMillion / q / t, x * kPerMillion, x};
}

}  // namespace

template <ConverterUnit Unit>
std::vector<std::optional<double>> ConvertUnits(Unit from, double x) {
  std::vector<std::optional<double>> out;
  if (!ValidUnit(from) || !std::isfinite(x)) return out;
  const std::vector<double> values = Readouts(from, x);
  out.reserve(values.size());
  for (const double v : values) {
    if (std::isfinite(v)) out.emplace_back(v);
    else out.emplace_back(std::nullopt);
  }
  return out;
}

template <ConverterUnit Unit>
QStringList UnitReadoutTexts(Unit from, std::optional<double> x) {
  QStringList texts;
  if (!ValidUnit(from)) return texts;
  if (!x) {
    // A number beyond the 64-bit range: every box blank.
    for (int i = 0; i < kUnitCount<Unit>; ++i) texts << QString();
    return texts;
  }
  for (const std::optional<double>& value : ConvertUnits(from, *x)) {
    // A negative zero ("-0" typed) shows as 0.
    texts << (value ? FormatGeneral(*value == 0.0 ? 0.0 : *value) : QString());
  }
  return texts;
}

template std::vector<std::optional<double>> ConvertUnits(LengthUnit, double);
template std::vector<std::optional<double>> ConvertUnits(LoadUnit, double);
template std::vector<std::optional<double>> ConvertUnits(LoadGradUnit, double);
template std::vector<std::optional<double>> ConvertUnits(StressUnit, double);
template std::vector<std::optional<double>> ConvertUnits(StressGradUnit, double);
template QStringList UnitReadoutTexts(LengthUnit, std::optional<double>);
template QStringList UnitReadoutTexts(LoadUnit, std::optional<double>);
template QStringList UnitReadoutTexts(LoadGradUnit, std::optional<double>);
template QStringList UnitReadoutTexts(StressUnit, std::optional<double>);
template QStringList UnitReadoutTexts(StressGradUnit, std::optional<double>);

}  // namespace brantel
