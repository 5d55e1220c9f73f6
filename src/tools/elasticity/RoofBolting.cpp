#include "tools/elasticity/RoofBolting.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brantel {
namespace {

constexpr InputMessage kTooLarge = Sentence({"The value is too large", "Η τιμή είναι πολύ μεγάλη"});
constexpr InputMessage kStrength =
    Sentence({"The strength should be positive", "Η αντοχή πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kDiameter =
    Sentence({"The diameter should be positive", "Η διάμετρος πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kLength = Sentence({"The length should be positive", "Το μήκος πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kSafetyFactor =
    Sentence({"The Safety Factor should be > 1", "Ο συντελεστής ασφάλειας πρέπει να είναι >= 1"});
constexpr InputMessage kRockHeight =
    Sentence({"Overburden depth should be positive", "Το ύψος υπερκειμένων πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kUnitWeight =
    Sentence({"Unit Weight should be > 10kN/m3", "Το μοναδιαίο βάρος πρέπει να είναι > 10kN/m3!"});
constexpr InputMessage kOpeningWidth =
    Sentence({"Opening width should be > 0", "Το πλάτος ανοίγματος πρέπει να είναι > 0"});
constexpr InputMessage kCohesion = Sentence({"Cohesion should be positive", "Η συνοχή πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kFriction =
    Sentence({"The Angle of Internal Friction should be positive", "Η γωνία εσωτ. τριβής πρέπει να έχει θετική τιμή!"});
constexpr InputMessage kFrictionBelow90 =
    Sentence({"The Angle of Internal Friction should be < 90", "Η γωνία εσωτ. τριβής πρέπει να είναι < 90"});

// The value of a box for the calculations: NaN for one without a value, so
// that no guard lets it through.
double ValueOf(const BoltReadings& boxes, BoltBox box) {
  return boxes[static_cast<std::size_t>(box)].value_or(std::numeric_limits<double>::quiet_NaN());
}

std::optional<float> Single(double value) {
  if (!FitsFloat(value)) return std::nullopt;
  return static_cast<float>(value);
}

// The load that a bonded interface carries: shear strength times area.
std::optional<float> InterfaceLoad(double cohesion, double frictionDegrees, double normalStress, double diameter,
                                   double length) {
  if (!(std::fabs(frictionDegrees) < 90)) return std::nullopt;
  const double area = kPi * diameter * length / 1000.0;  // m2
  return Single((normalStress * std::tan(frictionDegrees * kDegreeFactor) + cohesion) * area);
}

ValueRule AboveZero(InputMessage message) {
  return AllowedWhen([](double value) { return value > 0; }, message);
}

}  // namespace

int TabOf(BoltBox box) { return static_cast<int>(box) >= static_cast<int>(BoltBox::AnchorDiameter) ? 1 : 0; }

BoltDensity CalcBoltDensity(const BoltDensityInputs& in) {
  BoltDensity r;
  r.HeightWarning = in.Length < in.Height;
  const bool guard = in.Strength > 0 && in.Diameter > 0 && in.Length > 0 && in.SafetyFactor >= 1 && in.Height > 0 &&
                     in.UnitWeight > 0 && !(in.Length < in.Height);
  if (!guard) return r;
  try {
    const float q = CheckedFloat(in.UnitWeight * in.Height);
    const double section = kPi * (in.Diameter / 1000.0) * (in.Diameter / 1000.0) / 4.0;  // m2
    const float p = CheckedFloat(in.Strength * section * 1000.0);                        // MN -> kN
    const float pd = CheckedFloat(in.Strength * section / in.SafetyFactor * 1000.0);     // design load of one bolt
    r.BoltsPerArea = CheckedFloat(static_cast<double>(q) / pd);
    r.AreaPerBolt = CheckedFloat(static_cast<double>(pd) / q);
    r.BoltsPerSection = CheckedFloat(static_cast<double>(q) / pd * in.Width);
    r.DesignLoad = CheckedFloat(p / in.SafetyFactor);
    r.Overburden = q;
    r.MaxLoad = p;
  } catch (const RuntimeError&) {
    const bool warning = r.HeightWarning;
    r = BoltDensity{};
    r.HeightWarning = warning;
  }
  return r;
}

AnchorCapacity CalcAnchorCapacity(const AnchorInputs& in, const BoltDensity& steel) {
  AnchorCapacity r;
  r.BoltResinLoad =
      InterfaceLoad(in.BoltResinCohesion, in.BoltResinFriction, in.NormalStress, in.BoltDiameter, in.BondedLength);
  r.ResinRockLoad =
      InterfaceLoad(in.ResinRockCohesion, in.ResinRockFriction, in.NormalStress, in.HoleDiameter, in.BondedLength);
  if (r.BoltResinLoad && r.ResinRockLoad && steel.MaxLoad && in.SafetyFactor != 0 && std::isfinite(in.SafetyFactor)) {
    // The steel load as tab 1 shows it.
    const double shown = ParseLeadingNumber(Format(*steel.MaxLoad, kBoltLoadMask));
    const double least =
        std::min({static_cast<double>(*r.BoltResinLoad), static_cast<double>(*r.ResinRockLoad), shown});
    r.DesignLoad = Single(least / in.SafetyFactor);
  }
  return r;
}

BoltDensityInputs DensityInputsOf(const BoltReadings& boxes) {
  auto v = [&boxes](BoltBox box) { return ValueOf(boxes, box); };
  return {v(BoltBox::SteelStrength), v(BoltBox::BoltDiameter), v(BoltBox::BoltLength),  v(BoltBox::SafetyFactor),
          v(BoltBox::RockHeight),    v(BoltBox::UnitWeight),   v(BoltBox::OpeningWidth)};
}

AnchorInputs AnchorInputsOf(const BoltReadings& boxes) {
  auto v = [&boxes](BoltBox box) { return ValueOf(boxes, box); };
  return {v(BoltBox::AnchorDiameter),    v(BoltBox::BondedLength),      v(BoltBox::HoleDiameter),
          v(BoltBox::BoltResinCohesion), v(BoltBox::BoltResinFriction), v(BoltBox::ResinRockCohesion),
          v(BoltBox::ResinRockFriction), v(BoltBox::NormalStress),      v(BoltBox::AnchorSafetyFactor)};
}

ValueRule BoltValueRule(BoltBox box) {
  switch (box) {
    case BoltBox::SteelStrength: return AboveZero(kStrength);
    case BoltBox::BoltDiameter:
    case BoltBox::AnchorDiameter:
    case BoltBox::HoleDiameter: return AboveZero(kDiameter);
    case BoltBox::BoltLength:
    case BoltBox::BondedLength: return AboveZero(kLength);
    case BoltBox::SafetyFactor:
    case BoltBox::AnchorSafetyFactor: return AllowedWhen([](double value) { return value >= 1; }, kSafetyFactor);
    case BoltBox::RockHeight: return AboveZero(kRockHeight);
    case BoltBox::UnitWeight: return AllowedWhen([](double value) { return value > 10; }, kUnitWeight);
    case BoltBox::OpeningWidth: return AboveZero(kOpeningWidth);
    case BoltBox::BoltResinCohesion:
    case BoltBox::ResinRockCohesion: return AboveZero(kCohesion);
    case BoltBox::BoltResinFriction:
    case BoltBox::ResinRockFriction:
      return [](double degrees) -> std::optional<InputMessage> {
        if (degrees <= 0) return kFriction;
        if (degrees >= 90) return kFrictionBelow90;
        return std::nullopt;
      };
    case BoltBox::NormalStress: break;
  }
  return {};
}

bool BoltLongerThanRock(double boltLength, double rockHeight) { return boltLength > rockHeight; }

std::optional<BoltRefusal> CheckBoltValues(const BoltReadings& boxes) {
  // The values as the record will hold them.
  std::array<float, kBoltBoxCount> values{};
  for (int i = 0; i < kBoltBoxCount; ++i) {
    const std::optional<double>& box = boxes[static_cast<std::size_t>(i)];
    if (!box || !FitsFloat(*box)) return BoltRefusal{static_cast<BoltBox>(i), kTooLarge};
    values[static_cast<std::size_t>(i)] = static_cast<float>(*box);
  }
  auto at = [&values](BoltBox box) { return static_cast<double>(values[static_cast<std::size_t>(box)]); };
  for (int i = 0; i < kBoltBoxCount; ++i) {
    const auto box = static_cast<BoltBox>(i);
    if (const ValueRule rule = BoltValueRule(box)) {
      if (std::optional<InputMessage> refusal = rule(at(box))) return BoltRefusal{box, *refusal};
    }
    if (box == BoltBox::BoltLength && !BoltLongerThanRock(at(BoltBox::BoltLength), at(BoltBox::RockHeight))) {
      return BoltRefusal{box, kBoltShorterThanRock};
    }
  }
  return std::nullopt;
}

}  // namespace brantel
