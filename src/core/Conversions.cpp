#include "core/Conversions.h"

#include "core/RuntimeError.h"

#include <cmath>
#include <limits>

namespace brantel {

double CheckFinite(double value) {
  if (std::isnan(value)) RaiseError(ErrorNumber::InvalidCall);
  if (std::isinf(value)) RaiseError(ErrorNumber::Overflow);
  return value;
}

float CheckedFloat(double value) {
  CheckFinite(value);
  const float result = static_cast<float>(value);
  if (std::isinf(result)) RaiseError(ErrorNumber::Overflow);
  return result;
}

bool FitsFloat(double value) {
  // NaN fails the comparison too.
  return std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max());
}

qint16 RoundToInt16(double value) {
  CheckFinite(value);
  const double rounded = std::nearbyint(value);  // default mode: to nearest, ties to even
  if (rounded < -32768.0 || rounded > 32767.0) RaiseError(ErrorNumber::Overflow);
  return static_cast<qint16>(rounded);
}

qint32 RoundToInt32(double value) {
  CheckFinite(value);
  const double rounded = std::nearbyint(value);
  if (rounded < -2147483648.0 || rounded > 2147483647.0) RaiseError(ErrorNumber::Overflow);
  return static_cast<qint32>(rounded);
}

}  // namespace brantel
