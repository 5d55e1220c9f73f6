#pragma once

#include <array>

namespace brantel {

// Mechanics of the two-dimensional stress tool: principal stresses of a
// plane stress state and the stresses on a plane given by its angle from
// the direction of s1.

// The seven principal results in the order of Principal2D: S1, S2, Theta1,
// Theta2, TauMax, ThetaPlus45, ThetaMinus45 (angles in degrees). A state of
// three zeros has all four angles 0.
std::array<float, 7> PrincipalStresses(float sx, float sy, float txy);

struct PlaneStress {
  float SigmaN = 0;  // normal stress on the plane
  float TauN = 0;    // shear stress on the plane
};

// The stresses on the plane whose vector makes planeAngle degrees with s1.
PlaneStress StressOnPlaneAt(float s1, float s2, float planeAngle);

}  // namespace brantel
