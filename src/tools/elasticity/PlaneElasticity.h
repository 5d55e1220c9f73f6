#pragma once

#include "core/Validation.h"
#include "core/project/ProjectRecord.h"

namespace brantel {

// Mechanics of the plane stress and plane strain tool: the stress state of a
// point from its strains (tab 0, "Calculate Stress State") and the strain
// state from its stresses (tab 1, "Calculate Strain State"), under the plane
// stress or the plane strain assumption. Stresses and E are in the project's
// stress unit, strains are dimensionless, gxy is the engineering shear strain.
//
// Arithmetic is 64-bit; results held as 32-bit values are rounded with CheckedFloat
// (core/Conversions.h), which raises Overflow (6) for a result beyond the
// 32-bit range. No function of core/Arithmetic.h is used. A state that has no
// finite answer (a vanishing divisor) comes back with Computable = false: the
// dialog then empties the result boxes instead of keeping the last ones.

// Each tab's "Solution Assumption:" group chooses a PlaneAssumption (of the
// record, which keeps one per tab): its options in the order of the enum.

// Display masks: the strains (inputs of tab 0, results of tab 1) and the
// stresses and E (inputs of tab 1 and E of tab 0, results of tab 0). Poisson's
// ratio is shown in the general number format.
inline constexpr char16_t kPlaneStrainMask[] = u"#0.#####0";
inline constexpr char16_t kPlaneStressMask[] = u"#0.##0";

// Results of tab 0, held as 32-bit values.
struct PlaneStressResult {
  bool Computable = false;
  float Sx = 0.0f;
  float Sy = 0.0f;
  float Txy = 0.0f;
};

// Results of tab 1: ex and ey as 64-bit values, gxy as a 32-bit one.
struct PlaneStrainResult {
  bool Computable = false;
  double Ex = 0.0;
  double Ey = 0.0;
  float Gxy = 0.0f;
};

// Tab 0: stresses from the strains Ex, Ey, Gxy of `strains` (Gxy taken as a
// 32-bit value) with E and Nu of `constants` (PlaneStressTabConstants).
//   plane stress: sx = E (ex + nu ey) / (1 - nu^2), sy likewise,
//                 txy = E gxy / (2 nu + 2);
//   plane strain: sx = E ((1 - nu) ex + nu ey) / ((1 - 2 nu)(1 + nu)),
//                 sy likewise, txy = E gxy / (2 (1 + nu)).
// E = 0 gives a zero state. Not computable: nu <= -1, and nu = 0.5 under
// plane strain.
PlaneStressResult CalcStressState(const PlaneElasticityData& strains, const ElasticConstants& constants,
                                  PlaneAssumption assumption);

// Tab 1: strains from the stresses of `stress` with E and Nu of `constants`
// (PlaneStrainTabConstants).
//   plane stress: ex = sx / E - nu sy / E, ey likewise;
//   plane strain: ex = (1 - nu)(1 + nu) sx / E - nu (1 + nu) sy / E, ey likewise;
//   both:         gxy = 2 (1 + nu) txy / E.
// Not computable: E = 0, and nu <= -1.
PlaneStrainResult CalcStrainState(const PlaneStressState& stress, const ElasticConstants& constants,
                                  PlaneAssumption assumption);

// Range checks of the two constant boxes of either tab, on the box's value.
// E may be 0 ("Young's modulus should be > 0" refuses only a negative value);
// Poisson's ratio must lie in (-1, 0.5] ("Poisson's ratio should be in the
// range: 0<n<0.5" otherwise): 0.5 and negative values pass, -1 and below,
// where the stresses have no finite value, do not.
bool PlaneModulusAccepted(double e);
bool PlanePoissonAccepted(double nu);
// The same as the value rules of those boxes (ValueRule, core/Validation.h),
// with those messages, which also refuse a text that is no number.
inline constexpr InputMessage kPlaneModulusMessage =
    Sentence({"Young's modulus should be > 0", "Για το μέτρο ελαστικότητας του Young θα πρέπει να ισχύει: E>0"});
inline constexpr InputMessage kPlanePoissonMessage = Sentence(
    {"Poisson's ratio should be in the range: 0<n<0.5", "Για το λόγο του Poisson θα πρέπει να ισχύει: 0<ν<0,5"});
ValueRule PlaneModulusRule();
ValueRule PlanePoissonRule();

// Whether OK is enabled with `activeTab` shown: on the stress tab unless the
// three strains are all 0 (E and nu not considered); on the strain tab unless
// the three stresses, E and nu of that tab are all 0.
bool PlaneOkEnabled(PlaneElasticityTab activeTab, const PlaneElasticityData& strains, const PlaneStressState& stress,
                    const ElasticConstants& constants2);

}  // namespace brantel
