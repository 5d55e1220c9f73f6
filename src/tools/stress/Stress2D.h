#pragma once

#include "core/Arithmetic.h"

namespace brantel {

// Mechanics of the two-dimensional stress tool: the principal stresses of a
// plane stress state and the stresses on a plane given by its angle from the
// direction of s1.
//
// Shared arithmetic used (core/Arithmetic.h): CalcPrincipal2D for the
// principal stresses, kDegreeFactor for the plane's angle, CheckedFloat
// (core/Conversions.h) for every 32-bit result.

// The principal stresses of (sx, sy, txy), angles in degrees. A state of
// three zeros has all four angles 0 (the arc tangent of 0 / 0 gives no
// direction). Raises a RuntimeError when a result exceeds the 32-bit range.
Principal2D PrincipalStresses(float sx, float sy, float txy);

struct PlaneStress {
  float SigmaN = 0;  // normal stress on the plane
  float TauN = 0;    // shear stress on the plane
};

// The stresses on the plane whose vector makes planeAngle degrees with s1.
PlaneStress StressOnPlaneAt(float s1, float s2, float planeAngle);

}  // namespace brantel
