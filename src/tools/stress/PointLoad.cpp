#include "tools/stress/PointLoad.h"

#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <array>
#include <cmath>
#include <utility>

namespace brantel {
namespace {

constexpr double kTwoPiWritten = 6.28318530717958;
constexpr double kPiWritten = 3.14159265358979;
constexpr double kTwipsPerUnit = 1000.0;

double Divide(double a, double b) {
  if (b == 0.0) RaiseError(err::kDivisionByZero);
  return CheckFinite(a / b);
}

// The value of the text a box shows for x / 1000.
double ShownValue(double twips) {
  return Val(Format(CheckFinite(twips / kTwipsPerUnit), kSectionReadoutMask));
}

}  // namespace

PointLoadCheck CheckPointLoad(const PointLoadEntries& e) {
  const std::array<std::pair<PointLoadBox, double>, 5> boxes = {{{PointLoadBox::R, e.R},
                                                                 {PointLoadBox::Z, e.Z},
                                                                 {PointLoadBox::Q, e.Q},
                                                                 {PointLoadBox::Qm, e.Qm},
                                                                 {PointLoadBox::StripQ, e.StripQ}}};
  for (const auto& [box, value] : boxes) {
    if (!FitsSingle(value)) return {PointLoadFault::NotNumeric, box};
  }
  if (e.R < 0.0) return {PointLoadFault::NegativeR, PointLoadBox::R};
  if (e.Z < 0.0) return {PointLoadFault::NegativeZ, PointLoadBox::Z};
  for (std::size_t i = 2; i < boxes.size(); ++i) {
    if (boxes[i].second < 0.0) return {PointLoadFault::NegativeLoad, boxes[i].first};
  }
  return {};
}

PointLoadStress BoussinesqStress(float q, float r, float z) {
  if (r == 0.0f && z == 0.0f) return {0.0f, true};
  const double dq = q, dr = r, dz = z;
  const double spread = std::pow(dr * dr + dz * dz, 2.5);
  return {CSng(Divide(3.0 * dq * dz * dz * dz, kTwoPiWritten * spread)), false};
}

PointLoadStress WestergaardStress(float q, float r, float z) {
  if (z == 0.0f) return {0.0f, true};
  const double dq = q, dz = z;
  const double ratio = Divide(r, dz);
  const double spread = std::pow(1.0 + 2.0 * ratio * ratio, 1.5);
  return {CSng(Divide(Divide(dq, dz * dz), kPiWritten * CheckFinite(spread))), false};
}

SectionPoint SectionPointAt(double xTwips, double yTwips) {
  return {ShownValue(xTwips), ShownValue(yTwips)};
}

}  // namespace brantel
