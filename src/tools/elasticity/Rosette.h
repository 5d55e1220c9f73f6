#pragma once

#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

namespace brantel {

// Mechanics of the strain rosette tool: the plane strain tensor from the
// readings of three strain gauges, its principal strains, and the strains on
// a plane at a given angle from the first principal direction. Strains carry
// no unit; angles are in degrees, counter-clockwise from the +x axis.
//
// Uses Det3x3 and CalcPrincipalStrain2D of core/Arithmetic.h, and CheckedFloat of
// core/Conversions.h (Overflow (6) for a value beyond the 32-bit range).

// Display mask of every input and result box of the tool.
inline constexpr char16_t kRosetteMask[] = u"#0.##0";

// Gauge directions whose determinant is below this in magnitude make the three
// equations dependent within rounding: the rosette is singular.
inline constexpr float kRosetteSingularLimit = 1e-6f;

// Range checks of the boxes, on the box's value: a gauge direction may not
// exceed 360 degrees (360 itself passes, and so do negative directions, for
// which the equations hold as well); the plane angle lies in [-360, 360].
bool RosetteDirectionAccepted(double degrees);
bool RosettePlaneAngleAccepted(double degrees);

// The same as the value rules of the boxes (ValueRule, core/Validation.h),
// with their messages: the direction of gauge 0, 1 or 2 ("Angle w1 should
// observe: 0<d1<360"), and the plane angle ("Angle w should observe:
// -360<w<360").
ValueRule RosetteDirectionRule(int gauge);
ValueRule RosettePlaneAngleRule();

struct RosetteSolution {
  // The determinant of the gauge system (rounded to 32 bits by Det3x3) is
  // below kRosetteSingularLimit in magnitude: no results.
  bool Singular = true;
  RosetteStrainTensor Tensor;         // Ex, Ey, Gxy (engineering shear strain)
  RosettePrincipalStrains Principal;  // E1 >= E2, Theta1, Theta2 (degrees)
};

// Solves the gauge system of `rosette` (Ea, Eb, Ec read at W1, W2, W3 degrees;
// the other fields are not read). Gauge i at direction w (the degrees rounded
// to 32-bit radians) reads e_i = cos^2 w ex + sin^2 w ey + cos w sin w gxy;
// Cramer's rule gives ex, ey, gxy, and CalcPrincipalStrain2D the principal
// strains. Three readings of 0 give principal strains and angles of 0 (Theta2
// included). A singular system leaves Tensor and Principal at 0: the dialog
// empties the seven result boxes and the two plane results, and disables OK.
RosetteSolution CalcStrainTensor(const RosetteData& rosette);

struct RosettePlaneStrains {
  float Ew = 0.0f;  // normal strain on the plane
  float Gw = 0.0f;  // shear strain on the plane: half the engineering shear strain
};

// The strains on the plane at planeAngle degrees from the E1 direction:
// Ew = (E1 + E2) / 2 + (E1 - E2) / 2 cos 2w, Gw = (E2 - E1) / 2 sin 2w.
// The dialog recomputes them whenever the readings, the directions or the
// plane angle change, from the principal strains of a system that is not
// singular.
RosettePlaneStrains CalcStrainAtAngle(const RosettePrincipalStrains& principal, float planeAngle);

}  // namespace brantel
