#include "tools/elasticity/PlaneElasticity.h"

#include "core/Conversions.h"

namespace brantel {

PlaneStressResult CalcStressState(const PlaneElasticityData& strains, const ElasticConstants& constants,
                                  PlaneAssumption assumption) {
  const double e = constants.E;
  const double nu = constants.Nu;
  const double ex = strains.Ex;
  const double ey = strains.Ey;
  const double gxy = CheckedFloat(strains.Gxy);

  PlaneStressResult r;
  if (nu <= -1.0) return r;
  double sx = 0.0;
  double sy = 0.0;
  double txy = 0.0;
  if (assumption == PlaneAssumption::PlaneStrain) {
    if (constants.Nu == 0.5f) return r;
    const double d = (1.0 - 2.0 * nu) * (1.0 + nu);
    sx = e * (1.0 - nu) * ex / d + e * nu * ey / d;
    sy = e * (1.0 - nu) * ey / d + e * nu * ex / d;
    txy = e * gxy / (2.0 * (1.0 + nu));
  } else {
    const double d = 1.0 - nu * nu;
    sx = e * ex / d + e * nu * ey / d;
    sy = e * ey / d + e * nu * ex / d;
    txy = e * gxy / (2.0 * nu + 2.0);
  }
  r.Sx = CheckedFloat(sx);
  r.Sy = CheckedFloat(sy);
  r.Txy = CheckedFloat(txy);
  r.Computable = true;
  return r;
}

PlaneStrainResult CalcStrainState(const PlaneStressState& stress, const ElasticConstants& constants,
                                  PlaneAssumption assumption) {
  const double e = constants.E;
  const double nu = constants.Nu;
  const double sx = stress.Sx;
  const double sy = stress.Sy;
  const double txy = stress.Txy;

  PlaneStrainResult r;
  if (e == 0.0 || nu <= -1.0) return r;
  if (assumption == PlaneAssumption::PlaneStrain) {
    r.Ex = CheckFinite((1.0 - nu) * (1.0 + nu) * sx / e - nu * (1.0 + nu) * sy / e);
    r.Ey = CheckFinite((1.0 - nu) * (1.0 + nu) * sy / e - nu * (1.0 + nu) * sx / e);
  } else {
    r.Ex = CheckFinite(sx / e - nu * sy / e);
    r.Ey = CheckFinite(sy / e - nu * sx / e);
  }
  r.Gxy = CheckedFloat(2.0 * (1.0 + nu) * txy / e);
  r.Computable = true;
  return r;
}

bool PlaneModulusAccepted(double e) { return e >= 0.0; }

bool PlanePoissonAccepted(double nu) { return nu > -1.0 && nu <= 0.5; }

ValueRule PlaneModulusRule() { return AllowedWhen(PlaneModulusAccepted, kPlaneModulusMessage); }

ValueRule PlanePoissonRule() { return AllowedWhen(PlanePoissonAccepted, kPlanePoissonMessage); }

bool PlaneOkEnabled(PlaneElasticityTab activeTab, const PlaneElasticityData& strains, const PlaneStressState& stress,
                    const ElasticConstants& constants2) {
  if (activeTab == PlaneElasticityTab::Strain) {
    return stress.Sx != 0.0f || stress.Sy != 0.0f || stress.Txy != 0.0f || constants2.E != 0.0f ||
           constants2.Nu != 0.0f;
  }
  return strains.Ex != 0.0 || strains.Ey != 0.0 || strains.Gxy != 0.0;
}

}  // namespace brantel
