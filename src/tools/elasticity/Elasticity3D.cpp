#include "tools/elasticity/Elasticity3D.h"

#include "core/Conversions.h"

#include <limits>

namespace brantel {
namespace {

constexpr InputMessage kModulusInvalid =
    Sentence({"Invalid value for Young's modulus", "Εσφαλμένη τιμή γιά το μέτρο ελαστικότητας"});
constexpr InputMessage kModulusPositive =
    Sentence({"Young's modulus should be positive", "Το μέτρο ελαστικότητας πρέπει να είναι θετικό"});
constexpr InputMessage kPoissonPositive =
    Sentence({"Poisson's ratio should be positive", "Ο λόγος Poisson πρέπει να είναι θετικός"});
constexpr InputMessage kPoissonInvalid =
    Sentence({"Invalid value for Poisson's ratio", "Εσφαλμένη τιμή γιά το λόγο Poisson"});
constexpr InputMessage kPoissonBelowHalf =
    Sentence({"Poisson's ratio should be < 0.5", "Ο λόγος Poisson πρέπει να είναι < 0.5"});

}  // namespace

int HookeTwinBox(int k) {
  static constexpr std::array<int, 9> kTwin{-1, 3, 6, 1, -1, 7, 2, 5, -1};
  return (k >= 0 && k < 9) ? kTwin[static_cast<std::size_t>(k)] : -1;
}

Matrix3d HookeStrains3D::Tensor() const {
  const double e33 = Eps33;
  const double e31 = Eps31;
  return {{{Eps11, Eps12, e31}, {Eps12, Eps22, Eps23}, {e31, Eps23, e33}}};
}

HookeStrains3D CalcStrainTensor3D(const Matrix3d& stress, double e, double nu) {
  HookeStrains3D r;
  if (e == 0.0 || nu == -1.0) return r;
  const double s11 = stress[0][0];
  const double s22 = stress[1][1];
  const double s33 = stress[2][2];
  const double s12 = stress[0][1];
  const double s23 = stress[1][2];
  const double s31 = stress[2][0];

  const float g = CheckedFloat(e / (2.0 * (1.0 + nu)));
  if (g == 0.0f) return r;  // E too small for a 32-bit shear modulus
  const double invE = 1.0 / e;
  const double invTwoG = 1.0 / (2.0 * static_cast<double>(g));

  r.Eps11 = CheckFinite((s11 - nu * (s33 + s22)) * invE);
  r.Eps22 = CheckFinite((s22 - nu * (s33 + s11)) * invE);
  r.Eps33 = CheckedFloat((s33 - nu * (s22 + s11)) * invE);
  r.Eps12 = CheckFinite(s12 * invTwoG);
  r.Eps23 = CheckFinite(s23 * invTwoG);
  r.Eps31 = CheckedFloat(s31 * invTwoG);
  r.Computable = true;
  return r;
}

HookeModulusVerdict CheckHookeModulus(bool numeric, double value) {
  if (!numeric) return value > 0.0 ? HookeModulusVerdict::InvalidValue : HookeModulusVerdict::ShouldBePositive;
  return value <= 0.0 ? HookeModulusVerdict::ShouldBePositive : HookeModulusVerdict::Accepted;
}

double HookeVerdictValue(std::optional<double> leadingNumber, QStringView text) {
  if (leadingNumber) return *leadingNumber;
  const double huge = std::numeric_limits<double>::max();
  return text.trimmed().startsWith(u'-') ? -huge : huge;
}

HookePoissonVerdict CheckHookePoisson(bool numeric, double value) {
  if (!numeric) {
    if (value <= 0.0) return HookePoissonVerdict::ShouldBePositive;
    if (value < 0.5) return HookePoissonVerdict::InvalidValue;
    return HookePoissonVerdict::ShouldBeBelowHalf;
  }
  if (value <= 0.0) return HookePoissonVerdict::NotPositiveNotice;
  if (value >= 0.5) return HookePoissonVerdict::ShouldBeBelowHalf;
  return HookePoissonVerdict::Accepted;
}

std::optional<InputMessage> HookeModulusMessage(HookeModulusVerdict verdict) {
  switch (verdict) {
    case HookeModulusVerdict::InvalidValue: return kModulusInvalid;
    case HookeModulusVerdict::ShouldBePositive: return kModulusPositive;
    case HookeModulusVerdict::Accepted: break;
  }
  return std::nullopt;
}

std::optional<InputMessage> HookePoissonMessage(HookePoissonVerdict verdict) {
  switch (verdict) {
    case HookePoissonVerdict::ShouldBePositive: return kPoissonPositive;
    case HookePoissonVerdict::InvalidValue: return kPoissonInvalid;
    case HookePoissonVerdict::ShouldBeBelowHalf: return kPoissonBelowHalf;
    case HookePoissonVerdict::Accepted:
    case HookePoissonVerdict::NotPositiveNotice: break;
  }
  return std::nullopt;
}

}  // namespace brantel
