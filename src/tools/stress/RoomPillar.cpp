#include "tools/stress/RoomPillar.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "tools/stress/Stress2D.h"

namespace brantel {
namespace {

// The major principal stress of a plane state: the one place this tool
// meets the plane stress mechanics.
float MajorPrincipalStress(float sx, float sy, float txy) { return PrincipalStresses(sx, sy, txy).S1; }

}  // namespace

bool RoomPillarLayoutStored(const RoomPillarData& layout) {
  return layout.Wp > 0.0f && layout.Lp > 0.0f && layout.Wo > 0.0f;
}

bool RoomPillarValueAccepted(RoomPillarField field, double value) {
  if (!FitsFloat(value)) return false;
  return field == RoomPillarField::Sy ? value >= 0.0 : value > 0.0;
}

InputMessage RoomPillarMessage(RoomPillarField field) {
  switch (field) {
    case RoomPillarField::Sy: return InvalidValueFor({"sy", "σy"});
    case RoomPillarField::Wp:
      return Sentence({"Invalid value for pillar width", "Εσφαλμένη τιμή γιά το πλάτος στύλου"});
    case RoomPillarField::Lp:
      return Sentence({"Invalid value for pillar length", "Εσφαλμένη τιμή γιά το μήκος στύλου"});
    case RoomPillarField::Wo:
      return Sentence({"Invalid value for opening width", "Εσφαλμένη τιμή γιά το πλάτος ανοίγματος"});
  }
  return {};
}

ValueRule RoomPillarValueRule(RoomPillarField field) {
  return AllowedWhen([field](double value) { return RoomPillarValueAccepted(field, value); }, RoomPillarMessage(field));
}

RoomPillarCalculation CalcTributaryStress(const StressInput& stress, const RoomPillarData& layout) {
  RoomPillarCalculation calc;
  if (layout.Wp <= 0.0f || layout.Lp <= 0.0f) return calc;
  calc.Computed = true;
  calc.Sv = layout.Sv;
  calc.AvgPillarStress = layout.AvgPillarStress;
  calc.Extraction = layout.Extraction;
  const double wp = layout.Wp, lp = layout.Lp, wo = layout.Wo;
  bool svValid = false;
  try {
    calc.Sv = MajorPrincipalStress(0.0f, stress.Sy, 0.0f);
    svValid = true;
  } catch (const RuntimeError& e) {
    calc.Errors.push_back(e);
  }
  try {
    calc.AvgPillarStress = CheckedFloat(CheckedDivide(calc.Sv * (lp + wo) * (wp + wo), wp * lp));
    calc.AvgPillarStressValid = svValid;
  } catch (const RuntimeError& e) {
    calc.Errors.push_back(e);
  }
  try {
    calc.Extraction = CheckedFloat((1.0 - CheckedDivide(wp * lp, (lp + wo) * (wp + wo))) * 100.0);
    calc.ExtractionValid = true;
  } catch (const RuntimeError& e) {
    calc.Errors.push_back(e);
  }
  return calc;
}

}  // namespace brantel
