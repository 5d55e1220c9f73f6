#include "tools/stress/Stress2D.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"

#include <cmath>

namespace brantel {

Principal2D PrincipalStresses(float sx, float sy, float txy) {
  Principal2D p = CalcPrincipal2D(sx, sy, txy);
  if (sx == 0 && sy == 0 && txy == 0) {
    p.Theta1 = 0;
    p.Theta2 = 0;
    p.ThetaPlus45 = 0;
    p.ThetaMinus45 = 0;
  }
  return p;
}

PlaneStress StressOnPlaneAt(float s1, float s2, float planeAngle) {
  const float t = CheckedFloat(static_cast<double>(planeAngle) * kDegreeFactor);
  const double twoT = 2.0 * static_cast<double>(t);
  const double d = static_cast<double>(s1) - s2;
  PlaneStress p;
  p.SigmaN = CheckedFloat(d * std::cos(twoT) / 2.0 + (static_cast<double>(s1) + s2) / 2.0);
  p.TauN = CheckedFloat(d * std::sin(twoT) / 2.0);
  return p;
}

}  // namespace brantel
