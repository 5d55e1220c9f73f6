#pragma once

#include "core/Validation.h"

#include <array>
#include <optional>

namespace brantel {

// Mechanics of the roof-bolting design tool (RoofBoltingDialog): the bolt density of
// the first tab, the anchor capacity of a resin-grouted bolt on the second,
// and the checks of OK. Fixed SI units as in the captions.
//
// Uses kPi and kDegreeFactor (core/Arithmetic.h), CheckedFloat and FitsFloat
// (core/Conversions.h) and ParseLeadingNumber / Format (core/NumberFormat.h).
// No function here raises an error: a result that cannot be computed, or
// lies beyond the 32-bit range, comes back as nothing and its box is blanked.

// The sixteen input boxes, those of the first tab first.
enum class BoltBox {
  SteelStrength,       // MPa
  BoltDiameter,        // mm
  BoltLength,          // m
  SafetyFactor,        // of the bolt
  RockHeight,          // the height of rock the bolts carry, m
  UnitWeight,          // of the rock, kN/m3
  OpeningWidth,        // m
  AnchorDiameter,      // the anchor's bolt diameter, mm (tab 1 from here on)
  BondedLength,        // m
  HoleDiameter,        // mm
  BoltResinCohesion,   // kPa
  BoltResinFriction,   // friction angle, degrees
  ResinRockCohesion,   // kPa
  ResinRockFriction,   // friction angle, degrees
  NormalStress,        // on both interfaces, kPa
  AnchorSafetyFactor,  // of the anchor
};
inline constexpr int kBoltBoxCount = 16;

// The tab that holds a box (0 or 1).
int TabOf(BoltBox box);

// Display masks: the maximum and design loads of a bolt (and the steel load
// on the second tab), the three densities, and the anchor's loads. The
// overburden stress shows as a plain number text (FormatGeneral).
inline constexpr char16_t kBoltLoadMask[] = u"#0.0";
inline constexpr char16_t kBoltDensityMask[] = u"#0.#0";
inline constexpr char16_t kAnchorMask[] = u"#.0";

// The warning under the density results, in English in both languages.
inline constexpr char kBoltHeightWarning[] = "Supported Height should be <= bolt length";

// Tab 0, "Roof Bolting Density".
struct BoltDensityInputs {
  double Strength = 0;      // sigma_s, MPa
  double Diameter = 0;      // d, mm
  double Length = 0;        // bolt length, m
  double SafetyFactor = 0;  // of the bolt
  double Height = 0;        // h, the rock height the bolts carry, m
  double UnitWeight = 0;    // gamma, kN/m3
  double Width = 0;         // W, the opening's width, m
};

struct BoltDensity {
  bool HeightWarning = false;  // bolt length < h: kBoltHeightWarning shows
  // The six results, the maximum load shown on tab 1 too; all nothing when
  // the guard fails (strength, diameter, length, h or gamma not above 0,
  // safety factor below 1, bolt length below h) or a value leaves the
  // 32-bit range.
  std::optional<float> Overburden;       // q = gamma h, kPa
  std::optional<float> MaxLoad;          // P = sigma_s pi d^2 / 4, kN
  std::optional<float> DesignLoad;       // P / SF, kN
  std::optional<float> BoltsPerArea;     // q / Pd, bolts per m2
  std::optional<float> AreaPerBolt;      // Pd / q, m2 per bolt
  std::optional<float> BoltsPerSection;  // q / Pd W, bolts per m of section
};
BoltDensity CalcBoltDensity(const BoltDensityInputs& in);

// Tab 1, "Tensile Strength of Anchor".
struct AnchorInputs {
  double BoltDiameter = 0;       // db, mm
  double BondedLength = 0;       // L, m
  double HoleDiameter = 0;       // dh, mm
  double BoltResinCohesion = 0;  // c1, kPa
  double BoltResinFriction = 0;  // phi1, degrees
  double ResinRockCohesion = 0;  // c2, kPa
  double ResinRockFriction = 0;  // phi2, degrees
  double NormalStress = 0;       // sigma_n, kPa
  double SafetyFactor = 0;       // of the anchor
};

struct AnchorCapacity {
  // T = (sigma_n tan phi + c) pi d L / 1000 (kN) at each interface; nothing
  // for a friction angle of 90 degrees or more (or -90 or less).
  std::optional<float> BoltResinLoad;  // T1
  std::optional<float> ResinRockLoad;  // T2
  // The least of T1, T2 and the steel load P as tab 1 shows it (one
  // decimal), divided by the safety factor; nothing when any of the three
  // is missing or the safety factor is 0.
  std::optional<float> DesignLoad;
};
// The design load depends on the first tab: recompute it whenever a box of
// either tab changes.
AnchorCapacity CalcAnchorCapacity(const AnchorInputs& in, const BoltDensity& steel);

// The values of the sixteen boxes in BoltBox order: the leading number of
// each, nothing for a number beyond the 64-bit range.
using BoltReadings = std::array<std::optional<double>, kBoltBoxCount>;

// The inputs of each tab as the calculations read them: a box without a
// value reads NaN, which no guard lets through.
BoltDensityInputs DensityInputsOf(const BoltReadings& boxes);
AnchorInputs AnchorInputsOf(const BoltReadings& boxes);

// The checks of OK. First the first six boxes (steel strength to unit
// weight) must hold numbers, the dialog's own check of their texts: one
// message for them all, which leaves the focus where it was.
inline constexpr int kBoltNumericBoxes = 6;
inline constexpr InputMessage kBoltNotNumeric =
    Sentence({"Input is not numeric", "Κάποια τιμή δεν έχει αριθμητική μορφή!"});

// The value rule of a box (ValueRule, core/Validation.h): each length and
// diameter, the strength, the rock height, the width and each cohesion
// above 0; each safety factor at least 1; the unit weight above 10; each
// friction angle above 0 and below 90; any normal stress.
ValueRule BoltValueRule(BoltBox box);

// The check across boxes: the bolt must be longer than the rock height it
// carries; refused in the bolt length's box.
bool BoltLongerThanRock(double boltLength, double rockHeight);
inline constexpr InputMessage kBoltShorterThanRock =
    Sentence({"The length should be greater than overburden height",
              "Το μήκος πρέπει να είναι μεγαλύτερο από το ύψος υπερκειμένων!"});

// The first refusal of the values: the box to select (on its tab) and the
// message.
struct BoltRefusal {
  BoltBox Box;
  InputMessage Message;
};

// The checks of the values, once the first six boxes hold numbers: no
// value may lie beyond the 32-bit range of the record ("The value is too
// large"); then each box's value rule in BoltBox order, on the value its
// 32-bit field will hold, with the bolt length checked against the rock
// height right after its own rule.
std::optional<BoltRefusal> CheckBoltValues(const BoltReadings& boxes);

}  // namespace brantel
