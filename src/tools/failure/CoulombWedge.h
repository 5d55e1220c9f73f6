#pragma once

#include "core/Bilingual.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

#include <QtGlobal>

#include <optional>

namespace brantel {

// Mechanics of the bolted rock wedge (CoulombWedgeDialog) and of its twin, the
// bolted rock slope (frmCoulombSlope): a block of length L, height H and
// unit weight g in a section one metre thick rests on a plane at psi degrees
// to the horizontal (counter-clockwise), with cohesion c (kPa) and friction
// angle phi (degrees) on the plane, held by one bolt at theta degrees to the
// horizontal (clockwise positive). Fixed SI units: m, kPa, kN/m3, kN.
//
//   weight      W  = H L g             (the full rectangle)
//   on the plane N  = W cos psi,        S  = W sin psi
//   bolt        Tn = T sin(psi - theta), Ts = T cos(psi - theta)
//   safety      F  = (max(Tn + N, 0) tan phi + c L) / (S - Ts)
//
// Angles become radians by dividing the degrees by kRadianFactor; W, N, S,
// tan phi and the bolt components are held as 32-bit floats, the arithmetic
// between them is done in 64 bits. Uses kRadianFactor (core/Arithmetic.h)
// and CheckedFloat / CheckFinite (core/Conversions.h). No function here raises an
// error: a result beyond the 32-bit range comes back as not computable.

// The two dialogs built from this one set of mechanics.
enum class WedgeTool { Wedge, Slope };

// What differs between the two dialogs. The Greek texts of the title, the
// block's frame, the width note and the required safety factor's caption
// are the same for both.
struct WedgeTexts {
  Bilingual Title;
  Bilingual BlockFrame;                   // the caption of the block's frame
  Bilingual WidthNote;                    // the block is one metre thick
  Bilingual RequiredSafetyFactorCaption;  // the label of the load page's safety factor
  Bilingual History;                      // the line written to the history when the dialog opens
  Bilingual TensionWarning;               // beside the safety factor of 999
  InputMessage NegativeSafetyFactor;      // refuses a negative required safety factor
};
const WedgeTexts& TextsOf(WedgeTool tool);

// The load page's note when the block needs no bolt to reach the required
// safety factor.
inline constexpr Bilingual kWedgeNoBoltNote{"Bolt is not Required", "Δεν απαιτείται κοχλίας"};
// The load page's note when no bolt load at the given angle reaches the
// required factor.
inline constexpr Bilingual kWedgeUnreachableNote{
    "The required safety factor cannot be reached with a bolt at this angle",
    "Ο απαιτούμενος συντελεστής ασφαλείας δεν επιτυγχάνεται με κοχλία σε αυτή τη γωνία"};

// The safety factor shown when the bolt's component along the plane reaches
// the driving force: the block cannot slide, the bolt is overtensioned.
inline constexpr float kWedgeExcessiveTensioning = 999.0f;

// Display: the ten inputs with the mask "#0.##0"; the safety factor and the
// required bolt load in the general form of a 32-bit float (FormatGeneral),
// 999 showing as "999".

// The ten inputs in the order the dialog reads them: the block and its
// plane, then the bolt of the safety-factor page (load T at angle theta),
// then the load page's required safety factor F and bolt angle theta2.
enum class WedgeInput {
  Width,
  Height,
  UnitWeight,
  Cohesion,
  FrictionAngle,
  PlaneAngle,
  BoltLoad,
  BoltAngle,
  RequiredSafetyFactor,
  BoltAngleForLoad,
};

// The value rule of a box: a negative length, unit weight, cohesion, bolt
// load, required safety factor or bolt angle is refused (0 passes), as are
// a friction angle below 0 or of 90 or more and a plane angle below 0 or of
// 90 or more. A plane angle of 0 (an empty box while typing, a new project)
// passes, and the calculations below give no result for it. With the
// message of a number beyond the 32-bit range, the dialog checks its boxes
// by these.
ValueRule WedgeValueRule(WedgeTool tool, WedgeInput input);
InputMessage WedgeTooLargeMessage();

// Tab 0, "Safety Factor".
struct WedgeSafetyFactor {
  // False for no block (W = 0), a plane angle outside (0, 90) or a result
  // beyond the 32-bit range: the result and the warning empty, OK disabled.
  bool Computable = false;
  float SafetyFactor = 0;  // kWedgeExcessiveTensioning when Ts >= S
  // Ts >= S: the tool's TensionWarning is shown.
  bool ExcessiveTensioning = false;
};
// With no bolt load the factor is that of the unbolted block. A bolt that
// pulls the block off the plane (Tn + N < 0) leaves no friction, never a
// negative one.
WedgeSafetyFactor CalcWedgeSafetyFactor(const BoltedWedgeData& d);

// Tab 1, "Load".
enum class WedgeLoadOutcome {
  NotComputable,  // no block (W = 0), a plane angle outside (0, 90) or beyond the 32-bit
                  // range: the load and the note empty, OK disabled
  Load,           // the load shows ReqBoltLoad, the note is empty
  NotRequired,    // the unbolted block reaches F: no load, the note kWedgeNoBoltNote
  Unreachable,    // no bolt load at theta2 reaches F: no load, the note kWedgeUnreachableNote
};
struct WedgeBoltLoad {
  WedgeLoadOutcome Outcome = WedgeLoadOutcome::NotComputable;
  // The load (kN) that gives the safety factor F on tab 0 with theta =
  // theta2; for NotRequired the value the load formula gave (0 or less),
  // otherwise 0.
  float ReqBoltLoad = 0;
};
//   T = (W (F sin psi - cos psi tan phi) - c L) / (F cos(psi - theta2) + sin(psi - theta2) tan phi)
// A denominator of 0 or less means a larger load does not raise the factor.
WedgeBoltLoad CalcWedgeBoltLoad(const BoltedWedgeData& d);

// The load page's note for an outcome (empty texts for Load and
// NotComputable).
Bilingual WedgeLoadNote(WedgeLoadOutcome outcome);

}  // namespace brantel
