#include "tools/stress/PointLoad.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace brantel {
namespace {

constexpr double kTwoPiWritten = 6.28318530717958;
constexpr double kPiWritten = 3.14159265358979;
constexpr double kTwipsPerUnit = 1000.0;

// The value of the text a box shows for x / 1000.
double ShownValue(double twips) {
  return ParseLeadingNumber(Format(CheckFinite(twips / kTwipsPerUnit), kSectionReadoutMask));
}

}  // namespace

ValueRule PointLoadValueRule(PointLoadBox box) {
  static constexpr InputMessage kNegative[] = {
      Sentence({"Horizontal distance should be positive", "Η οριζόντια απόσταση πρέπει να έχει θετική τιμή!"}),
      Sentence({"Vertical distance should be positive", "Η κατακόρυφη απόσταση πρέπει να έχει θετική τιμή!"}),
      Sentence({"The load should be positive", "Το φορτίο πρέπει να έχει θετική τιμή!"}),
  };
  const std::size_t message = std::min(static_cast<std::size_t>(box), std::size(kNegative) - 1);  // the loads share one
  return NotNegativeRule(kNegative[message]);
}

PointLoadStress BoussinesqStress(float q, float r, float z) {
  if (r == 0.0f && z == 0.0f) return {0.0f, true};
  const double dq = q, dr = r, dz = z;
  const double spread = std::pow(dr * dr + dz * dz, 2.5);
  return {CheckedFloat(CheckedDivide(3.0 * dq * dz * dz * dz, kTwoPiWritten * spread)), false};
}

PointLoadStress WestergaardStress(float q, float r, float z) {
  if (z == 0.0f) return {0.0f, true};
  const double dq = q, dz = z;
  const double ratio = CheckedDivide(r, dz);
  const double spread = std::pow(1.0 + 2.0 * ratio * ratio, 1.5);
  return {CheckedFloat(CheckedDivide(CheckedDivide(dq, dz * dz), kPiWritten * CheckFinite(spread))), false};
}

SectionPoint SectionPointAt(double xTwips, double yTwips) { return {ShownValue(xTwips), ShownValue(yTwips)}; }

}  // namespace brantel
