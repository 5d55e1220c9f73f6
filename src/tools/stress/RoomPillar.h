#pragma once

#include "core/RuntimeError.h"
#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

#include <QStringView>

#include <vector>

namespace brantel {

// Mechanics of the room-and-pillar tool: the average axial stress in the
// pillars by the tributary-area method, and the extraction ratio.
//
// Stresses are in the project's stress unit, lengths in its length unit,
// the extraction ratio in percent. The tool works on the two records of its
// group: PillarStress (of which only Sy is an input; Sx, Txy and GraphOption
// stay 0) and PillarLayout.
//
// Shared arithmetic used: CalcPrincipal2D of core/Arithmetic.h (through the
// plane stress tool's PrincipalStresses) for the major principal stress and
// CheckedDivide of core/Arithmetic.h; CheckedFloat of core/Conversions.h.

// Masks of the input boxes when a stored layout is loaded.
inline constexpr QStringView kRoomPillarInputMask = u"#0.##0";

// Masks of the two results by unit system.
struct RoomPillarMasks {
  QStringView AvgPillarStress;
  QStringView Extraction;
};
constexpr RoomPillarMasks RoomPillarResultMasks(UnitSystem units) {
  return units == UnitSystem::Imperial ? RoomPillarMasks{u"#0", u"#0.#0"} : RoomPillarMasks{u"#0.#0", u"#0.#0"};
}

// True when the stored layout is shown on loading: Wp, Lp and Wo all above
// 0. Otherwise the three side boxes stay empty.
bool RoomPillarLayoutStored(const RoomPillarData& layout);

// The four input boxes, in the order of their checks, each with the rule of
// its value (the stress not negative, the sides above 0) and the message that
// refuses it, which is also the message of an entry that cannot be read.
enum class RoomPillarField { Sy, Wp, Lp, Wo };
bool RoomPillarValueAccepted(RoomPillarField field, double value);
InputMessage RoomPillarMessage(RoomPillarField field);
ValueRule RoomPillarValueRule(RoomPillarField field);

struct RoomPillarCalculation {
  bool Computed = false;  // false when Wp or Lp is not above 0: nothing done
  // The layout's three results as the steps left them: a step that raised a
  // run-time error keeps the value the layout held.
  float Sv = 0.0f;
  float AvgPillarStress = 0.0f;
  float Extraction = 0.0f;
  // Whether each result shown stands for the inputs: false when its step (or
  // the step it follows from) raised a run-time error.
  bool AvgPillarStressValid = false;
  bool ExtractionValid = false;
  // Run-time errors met on the way, in order; each step that raised one
  // left its result as it was and the next step went on.
  std::vector<RuntimeError> Errors;
};

// The tributary-area calculation of a layout (Wp, Lp, Wo, and the results it
// holds, which a step that raises keeps):
//   Sv = the major principal stress of (0, Sy, 0), which is Sy for Sy >= 0
//   AvgPillarStress = Sv (Lp + Wo)(Wp + Wo) / (Wp Lp)
//   Extraction = (1 - Wp Lp / ((Lp + Wo)(Wp + Wo))) x 100
// each worked out in 64 bits and given as a 32-bit float.
RoomPillarCalculation CalcTributaryStress(const StressInput& stress, const RoomPillarData& layout);

}  // namespace brantel
