#include "tools/elasticity/RoofBolting.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brantel {
namespace {

constexpr Bilingual kNotNumeric{"Input is not numeric", "Κάποια τιμή δεν έχει αριθμητική μορφή!"};
constexpr Bilingual kTooLarge{"The value is too large", "Η τιμή είναι πολύ μεγάλη"};
constexpr Bilingual kDiameter{"The diameter should be positive", "Η διάμετρος πρέπει να έχει θετική τιμή!"};
constexpr Bilingual kLength{"The length should be positive", "Το μήκος πρέπει να έχει θετική τιμή!"};
constexpr Bilingual kSafetyFactor{"The Safety Factor should be > 1", "Ο συντελεστής ασφάλειας πρέπει να είναι >= 1"};
constexpr Bilingual kCohesion{"Cohesion should be positive", "Η συνοχή πρέπει να έχει θετική τιμή!"};
constexpr Bilingual kFriction{"The Angle of Internal Friction should be positive",
                              "Η γωνία εσωτ. τριβής πρέπει να έχει θετική τιμή!"};
constexpr Bilingual kFrictionBelow90{"The Angle of Internal Friction should be < 90",
                                     "Η γωνία εσωτ. τριβής πρέπει να είναι < 90"};

// The leading number of a box; NaN when it lies beyond the 64-bit range, so
// that no guard lets it through.
double Read(const QString& text) { return LeadingNumber(text).value_or(std::numeric_limits<double>::quiet_NaN()); }

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

}  // namespace

int TabOf(BoltBox box) { return static_cast<int>(box) >= static_cast<int>(BoltBox::Diam2) ? 1 : 0; }

BoltDensity CalcBoltDensity(const BoltDensityInputs& in) {
  BoltDensity r;
  r.HeightWarning = in.Length < in.Height;
  const bool guard = in.Strength > 0 && in.Diameter > 0 && in.Length > 0 && in.SF >= 1 && in.Height > 0 &&
                     in.Unit > 0 && !(in.Length < in.Height);
  if (!guard) return r;
  try {
    const float q = CheckedFloat(in.Unit * in.Height);
    const double section = kPi * (in.Diameter / 1000.0) * (in.Diameter / 1000.0) / 4.0;  // m2
    const float p = CheckedFloat(in.Strength * section * 1000.0);                        // MN -> kN
    const float pd = CheckedFloat(in.Strength * section / in.SF * 1000.0);               // design load of one bolt
    r.BoltsPerArea = CheckedFloat(static_cast<double>(q) / pd);
    r.AreaPerBolt = CheckedFloat(static_cast<double>(pd) / q);
    r.BoltsPerSection = CheckedFloat(static_cast<double>(q) / pd * in.Width);
    r.DesignLoad = CheckedFloat(p / in.SF);
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
  r.BoltResinLoad = InterfaceLoad(in.Cohesion1, in.Friction1, in.NormalStress, in.BoltDiameter, in.Length);
  r.ResinRockLoad = InterfaceLoad(in.Cohesion2, in.Friction2, in.NormalStress, in.HoleDiameter, in.Length);
  if (r.BoltResinLoad && r.ResinRockLoad && steel.MaxLoad && in.SF != 0 && std::isfinite(in.SF)) {
    // The steel load as Text4 shows it.
    const double shown = ParseLeadingNumber(Format(*steel.MaxLoad, kBoltLoadMask));
    const double least =
        std::min({static_cast<double>(*r.BoltResinLoad), static_cast<double>(*r.ResinRockLoad), shown});
    r.DesignLoad = Single(least / in.SF);
  }
  return r;
}

BoltDensityInputs DensityInputsOf(const std::array<QString, kBoltBoxCount>& t) {
  auto v = [&t](BoltBox b) { return Read(t[static_cast<int>(b)]); };
  return {v(BoltBox::Strength), v(BoltBox::Diameter), v(BoltBox::Length), v(BoltBox::SF),
          v(BoltBox::Height),   v(BoltBox::Unit),     v(BoltBox::Width)};
}

AnchorInputs AnchorInputsOf(const std::array<QString, kBoltBoxCount>& t) {
  auto v = [&t](BoltBox b) { return Read(t[static_cast<int>(b)]); };
  return {v(BoltBox::Diam2), v(BoltBox::Length2), v(BoltBox::DiamHole), v(BoltBox::Co1), v(BoltBox::Phi1),
          v(BoltBox::Co2),   v(BoltBox::Phi2),    v(BoltBox::S2),       v(BoltBox::SF1)};
}

std::optional<BoltInvalid> ValidateRoofBolting(const std::array<QString, kBoltBoxCount>& texts) {
  for (int i = 0; i <= static_cast<int>(BoltBox::Unit); ++i) {
    if (!IsNumericEntry(texts[i])) return BoltInvalid{std::nullopt, kNotNumeric};
  }
  // The values as the record will hold them.
  std::array<float, kBoltBoxCount> v{};
  for (int i = 0; i < kBoltBoxCount; ++i) {
    const std::optional<float> value = Single(Read(texts[i]));
    if (!value) return BoltInvalid{static_cast<BoltBox>(i), kTooLarge};
    v[i] = *value;
  }
  auto at = [&v](BoltBox b) { return v[static_cast<int>(b)]; };

  struct Check {
    BoltBox box;
    bool fails;
    Bilingual message;
  };
  const Check checks[] = {
      {BoltBox::Strength,
       at(BoltBox::Strength) <= 0,
       {"The strength should be positive", "Η αντοχή πρέπει να έχει θετική τιμή!"}},
      {BoltBox::Diameter, at(BoltBox::Diameter) <= 0, kDiameter},
      {BoltBox::Length, at(BoltBox::Length) <= 0, kLength},
      {BoltBox::Length,
       at(BoltBox::Height) >= at(BoltBox::Length),
       {"The length should be greater than overburden height",
        "Το μήκος πρέπει να είναι μεγαλύτερο από το ύψος υπερκειμένων!"}},
      {BoltBox::SF, at(BoltBox::SF) < 1, kSafetyFactor},
      {BoltBox::Height,
       at(BoltBox::Height) <= 0,
       {"Overburden depth should be positive", "Το ύψος υπερκειμένων πρέπει να έχει θετική τιμή!"}},
      {BoltBox::Unit,
       at(BoltBox::Unit) <= 10,
       {"Unit Weight should be > 10kN/m3", "Το μοναδιαίο βάρος πρέπει να είναι > 10kN/m3!"}},
      {BoltBox::Width,
       at(BoltBox::Width) <= 0,
       {"Opening width should be > 0", "Το πλάτος ανοίγματος πρέπει να είναι > 0"}},
      {BoltBox::Diam2, at(BoltBox::Diam2) <= 0, kDiameter},
      {BoltBox::Length2, at(BoltBox::Length2) <= 0, kLength},
      {BoltBox::DiamHole, at(BoltBox::DiamHole) <= 0, kDiameter},
      {BoltBox::Co1, at(BoltBox::Co1) <= 0, kCohesion},
      {BoltBox::Phi1, at(BoltBox::Phi1) <= 0, kFriction},
      {BoltBox::Phi1, at(BoltBox::Phi1) >= 90, kFrictionBelow90},
      {BoltBox::Co2, at(BoltBox::Co2) <= 0, kCohesion},
      {BoltBox::Phi2, at(BoltBox::Phi2) <= 0, kFriction},
      {BoltBox::Phi2, at(BoltBox::Phi2) >= 90, kFrictionBelow90},
      {BoltBox::SF1, at(BoltBox::SF1) < 1, kSafetyFactor},
  };
  for (const Check& c : checks) {
    if (c.fails) return BoltInvalid{c.box, c.message};
  }
  return std::nullopt;
}

}  // namespace brantel
