#pragma once

#include "core/Bilingual.h"
#include "core/Validation.h"

#include <QStringView>

#include <array>
#include <optional>

namespace brantel {

// Mechanics of the Hooke's-law tool: the strain tensor of an isotropic linear
// elastic material from a symmetric stress tensor, Young's modulus E and
// Poisson's ratio nu. Stresses and E are in the project's stress unit; the
// strains are dimensionless tensor strains (the shear components are half
// the engineering shear strains).
//
// Uses CheckedFloat and CheckFinite of core/Conversions.h (Overflow (6) for a value
// beyond its range); no function of core/Arithmetic.h. Stresses, E, nu and
// the strains are shown in the general number format.

// A 3 x 3 matrix of 64-bit values, [i][j] holding component (i+1, j+1); box
// k = 3i + j of the dialog's grids is [k / 3][k % 3].
using Matrix3d = std::array<std::array<double, 3>, 3>;

// The boxes E and nu show when the record holds 0 there.
inline constexpr float kHookeDefaultE = 1.0f;
inline constexpr float kHookeDefaultNu = 0.25f;

// The twin of stress box k (0..8, filled row by row) that mirrors it so the
// tensor stays symmetric: 1 <-> 3, 2 <-> 6, 5 <-> 7; the diagonal boxes 0, 4
// and 8 have none (-1).
int HookeTwinBox(int k);

struct HookeStrains3D {
  bool Computable = false;  // false for E = 0 and nu = -1, where G is 0 or has no value
  double Eps11 = 0.0;       // 64-bit components
  double Eps22 = 0.0;
  double Eps12 = 0.0;
  double Eps23 = 0.0;
  float Eps33 = 0.0f;  // rounded to 32 bits; shown in the 32-bit general format
  float Eps31 = 0.0f;

  // The full symmetric tensor, [i][j] holding component (i+1, j+1); box k of
  // the strain grid shows Tensor()[k / 3][k % 3].
  Matrix3d Tensor() const;
};

// Strains from the stresses s11 = [0][0], s22 = [1][1], s33 = [2][2],
// s12 = [0][1], s23 = [1][2], s31 = [2][0] (the other three off-diagonal
// elements are not read):
//   e11 = (s11 - nu (s33 + s22)) / E, e22 and e33 likewise,
//   e12 = s12 / (2 G), e23 = s23 / (2 G), e31 = s31 / (2 G),
// with the shear modulus G = E / (2 (1 + nu)) rounded to 32 bits.
HookeStrains3D CalcStrainTensor3D(const Matrix3d& stress, double e, double nu);

// Verdicts of the two constant boxes. `numeric` is whether the box passes the
// entry test (its whole entry is a number that the record's 32-bit field
// holds), `value` the value the verdict takes (HookeVerdictValue).
//
// The value the two verdicts take for a constant box: its leading number,
// or, for a text whose number lies beyond any range (no leading number),
// the largest number of the text's sign.
double HookeVerdictValue(std::optional<double> leadingNumber, QStringView text);

// E: a box that fails the entry test is InvalidValue when its value is above 0
// ("Invalid value for Young's modulus"), ShouldBePositive otherwise; a box that
// passes is ShouldBePositive when its value is at most 0 (reported with the
// range checks, after the entry checks of the other boxes).
enum class HookeModulusVerdict { Accepted, InvalidValue, ShouldBePositive };
HookeModulusVerdict CheckHookeModulus(bool numeric, double value);

// nu: a box that fails the entry test is ShouldBePositive at most 0,
// InvalidValue below 0.5 and ShouldBeBelowHalf from 0.5 on; a box that passes
// is NotPositiveNotice at most 0 (the notice beside the box, no message box,
// and the inputs are not accepted) and ShouldBeBelowHalf from 0.5 on.
enum class HookePoissonVerdict { Accepted, NotPositiveNotice, ShouldBePositive, InvalidValue, ShouldBeBelowHalf };
HookePoissonVerdict CheckHookePoisson(bool numeric, double value);

// The message that refuses a constant box, by its verdict: nothing for an
// accepted box, and nothing for NotPositiveNotice, where the notice below
// stands beside the box instead of a message box.
std::optional<InputMessage> HookeModulusMessage(HookeModulusVerdict verdict);
std::optional<InputMessage> HookePoissonMessage(HookePoissonVerdict verdict);
inline constexpr Bilingual kHookePoissonNotice{"n should be > 0", "ν πρέπει > 0"};

}  // namespace brantel
