#pragma once

#include "core/Bilingual.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace brantel {

// Mechanics of the roof-bolting design tool (RoofBoltingDialog): the bolt density of
// the first tab, the anchor capacity of a resin-grouted bolt on the second,
// and the checks of OK. Fixed SI units as in the captions.
//
// Uses kPi and kDegreeFactor (core/Arithmetic.h), CheckedFloat (core/Conversions.h),
// ParseLeadingNumber / Format (core/NumberFormat.h) and IsNumericEntry (core/Validation.h).
// No function here raises an error: a result that cannot be computed, or
// lies beyond the 32-bit range, comes back as nothing and its box is blanked.

// The sixteen input boxes in the order of BoltInputs.
enum class BoltBox {
  Strength,  // txtStrength, steel strength, MPa
  Diameter,  // txtDiameter, bolt diameter, mm
  Length,    // txtLength, bolt length, m
  SF,        // txtSF, safety factor of the bolt
  Height,    // txtHeight, supported rock height, m
  Unit,      // txtUnit, unit weight of the rock, kN/m3
  Width,     // txtWidth, opening width, m
  Diam2,     // txtDiam2, bolt diameter, mm (tab 1 from here on)
  Length2,   // txtLength2, bonded length, m
  DiamHole,  // txtDiamHole, hole diameter, mm
  Co1,       // txtCo1, cohesion of the bolt/resin interface, kPa
  Phi1,      // txtPhi1, friction angle of the bolt/resin interface, degrees
  Co2,       // txtCo2, cohesion of the resin/rock interface, kPa
  Phi2,      // txtPhi2, friction angle of the resin/rock interface, degrees
  S2,        // txtS2, normal stress on the interfaces, kPa
  SF1,       // txtSF1, safety factor of the anchor
};
inline constexpr int kBoltBoxCount = 16;

// The tab that holds a box (0 or 1).
int TabOf(BoltBox box);

// Display masks.
inline constexpr char16_t kBoltLoadMask[] = u"#0.0";      // txtDynami, txtDesign, Text4
inline constexpr char16_t kBoltDensityMask[] = u"#0.#0";  // the three densities
inline constexpr char16_t kAnchorMask[] = u"#.0";         // Text1, Text2, Text3
// txtOver shows the overburden stress as a plain number text (FormatGeneral).

// Label8, in English in both languages.
inline constexpr char kBoltHeightWarning[] = "Supported Height should be <= bolt length";

// Tab 0, "Roof Bolting Density": the leading numbers of its boxes.
struct BoltDensityInputs {
  double Strength = 0;  // sigma_s, MPa
  double Diameter = 0;  // d, mm
  double Length = 0;    // bolt length, m
  double SF = 0;        // safety factor
  double Height = 0;    // h, m
  double Unit = 0;      // gamma, kN/m3
  double Width = 0;     // W, m
};

struct BoltDensity {
  bool HeightWarning = false;  // bolt length < h: Label8 shows kBoltHeightWarning
  // The six results and Text4 of tab 1; all nothing when the guard fails
  // (strength, diameter, length, h or gamma not above 0, safety factor below
  // 1, bolt length below h) or a value leaves the 32-bit range.
  std::optional<float> Overburden;       // txtOver: q = gamma h, kPa
  std::optional<float> MaxLoad;          // txtDynami and Text4: P = sigma_s pi d^2 / 4, kN
  std::optional<float> DesignLoad;       // txtDesign: P / SF, kN
  std::optional<float> BoltsPerArea;     // txtDensity: q / Pd, bolts per m2
  std::optional<float> AreaPerBolt;      // txtDensity1: Pd / q, m2 per bolt
  std::optional<float> BoltsPerSection;  // txtDensity2: q / Pd W, bolts per m of section
};
BoltDensity CalcBoltDensity(const BoltDensityInputs& in);

// Tab 1, "Tensile Strength of Anchor": the leading numbers of its boxes.
struct AnchorInputs {
  double BoltDiameter = 0;  // db, mm
  double Length = 0;        // L, m
  double HoleDiameter = 0;  // dh, mm
  double Cohesion1 = 0;     // c1, kPa
  double Friction1 = 0;     // phi1, degrees
  double Cohesion2 = 0;     // c2, kPa
  double Friction2 = 0;     // phi2, degrees
  double NormalStress = 0;  // sigma_n, kPa
  double SF = 0;            // safety factor of the anchor
};

struct AnchorCapacity {
  // T = (sigma_n tan phi + c) pi d L / 1000 (kN) at each interface; nothing
  // for a friction angle of 90 degrees or more (or -90 or less).
  std::optional<float> BoltResinLoad;  // Text1: T1
  std::optional<float> ResinRockLoad;  // Text2: T2
  // Text3: the least of T1, T2 and the steel load P as Text4 shows it
  // (one decimal), divided by the safety factor; nothing when any of the
  // three is missing or the safety factor is 0.
  std::optional<float> DesignLoad;
};
// The design load depends on the first tab: recompute it whenever a box of
// either tab changes.
AnchorCapacity CalcAnchorCapacity(const AnchorInputs& in, const BoltDensity& steel);

// The first failed check of OK: the box to select (on its tab) and the
// message for ShowInvalidValue (whole sentence). Box is empty for the
// "Input is not numeric" check, which leaves the focus where it was.
struct BoltInvalid {
  std::optional<BoltBox> Box;
  Bilingual Message;
};

// The checks of OK on the sixteen box texts (in BoltBox order): the first
// six must be numeric entries; no value may lie beyond the 32-bit range;
// then the ranges of each box in order, a friction angle of 90 or more
// refused like one of 0 or less.
std::optional<BoltInvalid> ValidateRoofBolting(const std::array<QString, kBoltBoxCount>& texts);

// The leading numbers of the box texts, as the calculations read them
// (0 for a text without a number or one beyond the 64-bit range).
BoltDensityInputs DensityInputsOf(const std::array<QString, kBoltBoxCount>& texts);
AnchorInputs AnchorInputsOf(const std::array<QString, kBoltBoxCount>& texts);

}  // namespace brantel
