#pragma once

#include "core/Validation.h"
#include "core/project/ProjectRecord.h"  // PointLoadKind

#include <QStringView>
#include <QtGlobal>

namespace brantel {

// Mechanics of the point-load tool: the additional vertical stress at depth
// Z and horizontal distance R from a point load Q at the surface, by
// Boussinesq's and by Westergaard's solution.
//
// Q, R and Z are 32-bit floats in the project's units; the line load and the
// strip load are checked and stored but take no part in a result.
//
// Shared arithmetic used: CheckedDivide of core/Arithmetic.h; CheckedFloat and
// CheckFinite of core/Conversions.h. A result beyond the float range raises
// Overflow (6).

// The load kinds are PointLoadKind (of the record's PointLoadType), in the
// order of the option group.

// Masks: both results; the R and Z set from the section sketch.
inline constexpr QStringView kPointLoadResultMask = u"#0.#0";
inline constexpr QStringView kSectionReadoutMask = u"#0.0";
// The text of a result at a singular point (under the load itself).
inline constexpr QStringView kSingularText = u"9999";

// The input boxes, in the order they are checked.
enum class PointLoadBox { R, Z, Q, Qm, StripQ };

// The rule of a value of the tool: not negative (0 passes), refused with
// "Horizontal distance should be positive", "Vertical distance should be
// positive", or for each of the three loads "The load should be positive".
// Every box is read (a text that is not a number, or a number beyond the
// range of a 32-bit float, is "Input is not numeric" for all of them) before
// any value is checked.
ValueRule PointLoadValueRule(PointLoadBox box);

struct PointLoadStress {
  float Value = 0.0f;
  bool Singular = false;  // shown as kSingularText, Value 0
};

// Boussinesq: 3 Q Z^3 / (2 pi (R^2 + Z^2)^2.5), with 2 pi written
// 6.28318530717958. Singular for R = Z = 0.
PointLoadStress BoussinesqStress(float q, float r, float z);

// Westergaard: (Q / Z^2) / (pi (1 + 2 (R / Z)^2)^1.5), with pi written
// 3.14159265358979. Singular for Z = 0.
PointLoadStress WestergaardStress(float q, float r, float z);

// R and Z from a press on the section sketch at (x, y) twips from its
// top-left corner (1000 twips to a unit): each value is the one the box
// shows, x / 1000 in kSectionReadoutMask.
struct SectionPoint {
  double R = 0.0;
  double Z = 0.0;
};
SectionPoint SectionPointAt(double xTwips, double yTwips);

}  // namespace brantel
