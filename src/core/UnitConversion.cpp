#include "core/UnitConversion.h"

#include "core/NumberFormat.h"

#include <array>
#include <cmath>

namespace brantel {

namespace {

using namespace unit_factor;

// The number of units of each tab.
constexpr std::array<int, kUnitTabCount> kUnitCounts{4, 5, 4, 5, 4};

bool ValidTab(int tab) { return tab >= 0 && tab < kUnitTabCount; }

int UnitCount(int tab) { return kUnitCounts[static_cast<std::size_t>(tab)]; }

// Each row: the read-outs of one input unit, every one a chain of operations
// evaluated left to right.
std::vector<double> Length(int from, double x) {
  switch (from) {
    case 0: return {x, x / kInchesPerFoot, x * kCmPerInch, x * kCmPerInch / kCmPerMetre};
    case 1:
      return {x * kInchesPerFoot, x, x * kInchesPerFoot * kCmPerInch, x * kInchesPerFoot * kCmPerInch / kCmPerMetre};
    case 2: return {x / kCmPerInch, x / kCmPerInch / kInchesPerFoot, x, x / kCmPerMetre};
    default: return {x * kCmPerMetre / kCmPerInch, x * kCmPerMetre / kCmPerInch / kInchesPerFoot, x * kCmPerMetre, x};
  }
}

std::vector<double> Load(int from, double x) {
  const double k = kKNPerLbf;
  switch (from) {
    case 0: return {x, x / kLbfPerShortTon, x * k, x * k / kPerThousand, x / kPerThousand};
    case 1:
      return {x * kLbfPerShortTon, x, x * kLbfPerShortTon * k, x * kLbfPerShortTon * k / kPerThousand,
              x * kLbfPerShortTon / kPerThousand};
    case 2: return {x / k, x / kKNPerShortTonF, x, x / kPerThousand, x / kKNPerKip};
    case 3:
      return {x * kPerThousand / k, x * kPerThousand / k / kLbfPerShortTon, x * kPerThousand, x,
              x * kPerThousand / kKNPerKip};
    default:
      return {x * kPerThousand, x / kLbfPerShortTon * kPerThousand, x * k * kPerThousand,
              x * k / kPerThousand * kPerThousand, x};
  }
}

std::vector<double> LoadGrad(int from, double x) {
  const double t = kFootPerInch;
  const double g = kKNPerMPerLbfPerFt;
  switch (from) {
    case 0: return {x, x / t, x / t * g, x / t * g / kPerThousand};
    case 1: return {x * t, x, x * g, x * g / kPerThousand};
    case 2: return {x / g * t, x / g, x, x / kPerThousand};
    default: return {x * kPerThousand / g * t, x * kPerThousand / g, x * kPerThousand, x};
  }
}

std::vector<double> Stress(int from, double x) {
  const double f = kSquareFootPerSquareInch;
  const double p = kPaPerPsi;
  switch (from) {
    case 0: return {x, x / kPerThousand, x / f, x * p, x * p / kPerMillion};
    case 1:
      return {x * kPerThousand, x, x / f * kPerThousand, x * p * kPerThousand, x * p / kPerMillion * kPerThousand};
    case 2: return {x * f, x * f / kPerThousand, x, x * f * p, x * f * p / kPerMillion};
    case 3: return {x / p, x / p / kPerThousand, x / p / f, x, x / kPerMillion};
    default:
      return {x * kPerMillion / p, x * kPerMillion / p / kPerThousand, x * kPerMillion / p / f, x * kPerMillion, x};
  }
}

std::vector<double> StressGrad(int from, double x) {
  const double t = kFootPerInch;
  const double q = kPaPerMPerPsiPerIn;
  switch (from) {
    case 0: return {x, x / t, x * q, x * q / kPerMillion};
    case 1: return {x * t, x, x * t * q, x * t * q / kPerMillion};
    case 2: return {x / q, x / q / t, x, x / kPerMillion};
    default: return {x * kPerMillion / q, x * kPerMillion / q / t, x * kPerMillion, x};
  }
}

}  // namespace

std::vector<std::optional<double>> ConvertUnits(int tab, int from, double x) {
  std::vector<std::optional<double>> out;
  if (!ValidTab(tab) || from < 0 || from >= UnitCount(tab) || !std::isfinite(x)) return out;
  std::vector<double> values;
  switch (static_cast<UnitTab>(tab)) {
    case UnitTab::Length: values = Length(from, x); break;
    case UnitTab::Load: values = Load(from, x); break;
    case UnitTab::LoadGrad: values = LoadGrad(from, x); break;
    case UnitTab::Stress: values = Stress(from, x); break;
    case UnitTab::StressGrad: values = StressGrad(from, x); break;
  }
  out.reserve(values.size());
  for (const double v : values) {
    if (std::isfinite(v)) out.emplace_back(v);
    else out.emplace_back(std::nullopt);
  }
  return out;
}

QStringList UnitReadoutTexts(int tab, int from, std::optional<double> x) {
  QStringList texts;
  if (!ValidTab(tab) || from < 0 || from >= UnitCount(tab)) return texts;
  if (!x) {
    // A number beyond the 64-bit range: every box blank.
    for (int i = 0; i < UnitCount(tab); ++i) texts << QString();
    return texts;
  }
  for (const std::optional<double>& value : ConvertUnits(tab, from, *x)) {
    // A negative zero ("-0" typed) shows as 0.
    texts << (value ? FormatGeneral(*value == 0.0 ? 0.0 : *value) : QString());
  }
  return texts;
}

}  // namespace brantel
