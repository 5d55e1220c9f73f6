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

// What differs between the two dialogs. The Greek captions of the title,
// Frame1, Label3 and Label11 are the same for both.
struct WedgeTexts {
  Bilingual Title;
  Bilingual Frame1;                   // the block's frame
  Bilingual Label3;                   // the unit-thickness note
  Bilingual Label11;                  // caption of the required safety factor (Text11)
  Bilingual History;                  // the line written to the history when the dialog opens
  Bilingual TensionWarning;           // Label14 beside the 999 result
  InputMessage NegativeSafetyFactor;  // message for a negative Text11
};
const WedgeTexts& TextsOf(WedgeTool tool);

// Label15 when the block needs no bolt to reach the required safety factor.
inline constexpr Bilingual kWedgeNoBoltNote{"Bolt is not Required", "Δεν απαιτείται κοχλίας"};
// Label15 when no bolt load at the given angle reaches the required factor.
inline constexpr Bilingual kWedgeUnreachableNote{
    "The required safety factor cannot be reached with a bolt at this angle",
    "Ο απαιτούμενος συντελεστής ασφαλείας δεν επιτυγχάνεται με κοχλία σε αυτή τη γωνία"};

// The safety factor shown when the bolt's component along the plane reaches
// the driving force: the block cannot slide, the bolt is overtensioned.
inline constexpr float kWedgeExcessiveTensioning = 999.0f;

// Display: the ten inputs with the mask "#0.##0"; Text10 and Text9 in the
// general form of a 32-bit float (FormatGeneral), 999 showing as "999".

// The ten input boxes, named after the dialog's controls.
enum class WedgeBox { Text1, Text2, Text3, Text6, Text7, Text8, Text4, Text5, Text11, Text12 };

// The value rule of a box: a negative length, unit weight, cohesion, bolt
// load, required safety factor or bolt angle is refused (0 passes), as are
// a friction angle below 0 or of 90 or more and a plane angle below 0 or of
// 90 or more. A plane angle of 0 (an empty box while typing, a new project)
// passes, and the calculations below give no result for it. With the
// message of a number beyond the 32-bit range, the dialog checks its boxes
// by these.
ValueRule WedgeValueRule(WedgeTool tool, WedgeBox box);
InputMessage WedgeTooLargeMessage();

// Tab 0, "Safety Factor".
struct WedgeSafetyFactor {
  // False for no block (W = 0), a plane angle outside (0, 90) or a result
  // beyond the 32-bit range: Text10 empty, Label14 empty, OK disabled.
  bool Computable = false;
  float SafetyFactor = 0;  // kWedgeExcessiveTensioning when Ts >= S
  // Ts >= S: Label14 shows the tool's TensionWarning.
  bool ExcessiveTensioning = false;
};
// With no bolt load the factor is that of the unbolted block. A bolt that
// pulls the block off the plane (Tn + N < 0) leaves no friction, never a
// negative one.
WedgeSafetyFactor CalcWedgeSafetyFactor(const BoltedWedgeData& d);

// Tab 1, "Load".
enum class WedgeLoadOutcome {
  NotComputable,  // no block (W = 0), a plane angle outside (0, 90) or beyond the 32-bit
                  // range: Text9 and Label15 empty, OK disabled
  Load,           // Text9 shows ReqBoltLoad, Label15 empty
  NotRequired,    // the unbolted block reaches F: Text9 empty, Label15 kWedgeNoBoltNote
  Unreachable,    // no bolt load at theta2 reaches F: Text9 empty, Label15 kWedgeUnreachableNote
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

// The text of Label15 for an outcome (empty texts for Load and NotComputable).
Bilingual WedgeLoadNote(WedgeLoadOutcome outcome);

}  // namespace brantel
