#include "tools/stress/CircularFailure.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/Messages.h"
#include "core/RuntimeError.h"

#include <cfloat>
#include <cmath>

namespace brantel {
namespace {

// A quotient held as a 32-bit float. Past the 32-bit range it can only say
// "beyond 1" or "below -1", so it is held at the largest float of its sign.
float HeldQuotient(double numerator, double denominator) {
  const double q = CheckFinite(numerator / denominator);
  if (q > FLT_MAX) return FLT_MAX;
  if (q < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(q);
}

// Half the angle whose cosine is x: the angle in degrees as a 32-bit
// float, halved.
float HalfAngle(float x) { return CheckedFloat(static_cast<double>(ArcCos(x)) / kDegreeFactor) / 2.0f; }

float Add(float a, double b) { return CheckedFloat(static_cast<double>(a) + b); }

constexpr std::array<float, 4> kAllRound{-90.0f, 90.0f, 90.0f, 270.0f};

constexpr Bilingual kCompleteCompression{"Complete failure in compression", "Πλήρης αστοχία σε θλίψη"};
constexpr Bilingual kNoCompression{"There is no region that fails in compression",
                                   "Δεν υπάρχει περιοχή αστοχίας σε θλίψη"};
constexpr Bilingual kCompleteTension{"Complete failure in tension", "Πλήρης αστοχία σε εφελκυσμό"};
constexpr Bilingual kNoTension{"There is no region that fails in tension", "Δεν υπάρχει περιοχή αστοχίας σε εφελκυσμό"};

const CircFailCheckMessage kMessages[] = {
    {CircFailField::Sx, InvalidValueFor({"sx", "σx"})},
    {CircFailField::Sy, InvalidValueFor({"sy", "σy"})},
    {CircFailField::Txy, InvalidValueFor({"txy", "τxy"})},
    {CircFailField::Radius, Sentence({"Invalid value for the opening radius", "Εσφαλμένη τιμή γιά την ακτίνα"})},
    {CircFailField::Radius,
     Sentence({"Invalid value for the opening radius: a>0", "Εσφαλμένη τιμή γιά την ακτίνα a>0"})},
    {CircFailField::Pressure,
     Sentence({"Pressure in the borehole should be >= 0", "Η πίεση στην γεώτρηση δεν μπορεί να είναι <0"})},
    {CircFailField::Co, Sentence({"Invalid value for the UCS of the host rock", "Εσφαλμένη τιμή γιά την αντοχή Co"})},
    {CircFailField::Co,
     Sentence({"Invalid value for the UCS of the host rock: Co>=0", "Εσφαλμένη τιμή γιά την αντοχή: Co>=0"})},
    {CircFailField::To, Sentence({"Invalid value for the tensile strength of the host rock: To>=0",
                                  "Εσφαλμένη τιμή γιά την αντοχή: To>=0"})},
    {CircFailField::Distance, Sentence({"The distance from the center of the opening should be r>0",
                                        "Η απόσταση r από το κέντρο του ανοίγματος πρέπει να είναι r>0"})},
    {CircFailField::Distance,
     Sentence({"The distance from the center of the opening should be greater than the radius",
               "Η απόσταση r από το κέντρο του ανοίγματος πρέπει να είναι μεγαλύτερη της ακτίνας"})},
};

// What the value rule of an input allows.
enum class Bound { Any, AboveZero, ZeroOrAbove };

// Each input in the order of the checks: how its box is read, the check
// that refuses its text, and the value rule with the check it stands for.
struct InputChecks {
  CircFailField Field;
  bool WholeEntry;
  CircFailCheck Text;
  Bound Allowed;
  CircFailCheck Value;
};

constexpr InputChecks kInputChecks[] = {
    {CircFailField::Sx, true, CircFailCheck::Sx, Bound::Any, CircFailCheck::None},
    {CircFailField::Sy, true, CircFailCheck::Sy, Bound::Any, CircFailCheck::None},
    {CircFailField::Txy, true, CircFailCheck::Txy, Bound::Any, CircFailCheck::None},
    {CircFailField::Radius, true, CircFailCheck::Radius, Bound::AboveZero, CircFailCheck::RadiusNotPositive},
    {CircFailField::Pressure, false, CircFailCheck::NegativePressure, Bound::ZeroOrAbove,
     CircFailCheck::NegativePressure},
    {CircFailField::Co, true, CircFailCheck::Co, Bound::ZeroOrAbove, CircFailCheck::NegativeCo},
    {CircFailField::To, false, CircFailCheck::NegativeTo, Bound::ZeroOrAbove, CircFailCheck::NegativeTo},
    {CircFailField::Distance, false, CircFailCheck::DistanceNotPositive, Bound::AboveZero,
     CircFailCheck::DistanceNotPositive},
};

const InputChecks& ChecksOf(CircFailField field) {
  for (const InputChecks& checks : kInputChecks) {
    if (checks.Field == field) return checks;
  }
  Q_UNREACHABLE();
  return kInputChecks[0];
}

}  // namespace

FailureZones CalcFailureZones(const StressInput& stress, const CircFailData& input) {
  FailureZones zones;
  const float a = input.A;
  if (a <= 0.0f) return zones;

  const auto principal = FieldPrincipal(stress);
  zones.S1 = principal.S1;
  zones.S2 = principal.S2;
  zones.Theta1 = principal.Theta1;
  zones.Theta2 = principal.Theta2;
  const float theta2 = zones.Theta2;

  const double p = input.InternalPressure;
  zones.S1Field = CheckedFloat(zones.S1 - p);
  zones.S2Field = CheckedFloat(zones.S2 - p);
  const float S = CheckedFloat(static_cast<double>(zones.S1Field) + zones.S2Field);
  const float D = CheckedFloat(static_cast<double>(zones.S2Field) - zones.S1Field);
  const double r = input.R;
  if (r == 0.0) RaiseError(ErrorNumber::DivisionByZero);
  const float k = CheckedFloat(CheckFinite(static_cast<double>(a) * a / (r * r)));

  // sigma_t = mean - swing cos 2psi, mean = (S/2)(1 + k), swing = (D/2)(1 + 3k^2).
  const double mean = CheckFinite(static_cast<double>(S) / 2.0 * (1.0 + k));
  const double swing = CheckFinite(static_cast<double>(D) / 2.0 * (1.0 + 3.0 * static_cast<double>(k) * k));
  const double co = input.Co;
  const double to = input.To;

  if (swing == 0.0) {
    // Equal principal stresses: the same tangential stress all round.
    zones.Compression = mean >= co ? FailureState::Complete : FailureState::None;
    zones.Tension = mean <= -to ? FailureState::Complete : FailureState::None;
  } else {
    const float xc = HeldQuotient(mean - co, swing);
    if (xc < -1.0f) {
      zones.Compression = FailureState::Complete;
    } else if (xc > 1.0f) {
      zones.Compression = FailureState::None;
    } else {
      zones.Compression = FailureState::Partial;
      const float half = HalfAngle(xc);
      zones.ZoneLimits[0] = Add(theta2, -static_cast<double>(half));
      zones.ZoneLimits[1] = Add(theta2, half);
      zones.ZoneLimits[2] = Add(theta2, 180.0 - half);
      zones.ZoneLimits[3] = Add(theta2, 180.0 + half);
    }

    const float xt = HeldQuotient(mean + to, swing);
    if (xt > 1.0f) {
      zones.Tension = FailureState::Complete;
    } else if (xt < -1.0f) {
      zones.Tension = FailureState::None;
    } else {
      zones.Tension = FailureState::Partial;
      const float half = HalfAngle(xt);
      zones.ZoneLimits[4] = Add(theta2, half);
      zones.ZoneLimits[5] = Add(theta2, 180.0 - half);
      zones.ZoneLimits[6] = Add(theta2, 180.0 + half);
      zones.ZoneLimits[7] = Add(theta2, 360.0 - half);
    }
  }

  // A mode that fails all round covers the four quadrants.
  if (zones.Compression == FailureState::Complete)
    std::copy(kAllRound.begin(), kAllRound.end(), zones.ZoneLimits.begin());
  if (zones.Tension == FailureState::Complete)
    std::copy(kAllRound.begin(), kAllRound.end(), zones.ZoneLimits.begin() + 4);

  zones.WedgeAngles = BuildWedgeAngles(zones.ZoneLimits);
  zones.Computed = true;
  return zones;
}

void RecordFailureZones(const FailureZones& zones, CircFailData& input) {
  if (!zones.Computed) return;
  input.S1Field = zones.S1Field;
  input.S2Field = zones.S2Field;
}

std::array<float, 12> BuildWedgeAngles(const std::array<float, 8>& limits) {
  std::array<float, 12> angles{};
  for (std::size_t zone = 0; zone < 4; ++zone) {
    const float start = limits[2 * zone];
    const float end = limits[2 * zone + 1];
    angles[3 * zone] = start;
    angles[3 * zone + 1] = CheckedFloat((static_cast<double>(start) + end) / 2.0);
    angles[3 * zone + 2] = end;
  }
  return angles;
}

QStringList FailureZoneHistory(const FailureZones& zones) {
  if (!zones.Computed) return {CircFailRadiusError()};
  QStringList lines;
  if (zones.Compression == FailureState::Complete) lines << Tr(kCompleteCompression);
  if (zones.Compression == FailureState::None) lines << Tr(kNoCompression);
  if (zones.Tension == FailureState::Complete) lines << Tr(kCompleteTension);
  if (zones.Tension == FailureState::None) lines << Tr(kNoTension);
  return lines;
}

QString CircFailRadiusError() { return Tr({"Error: The opening radius is <= 0", "Σφάλμα: Η ακτίνα είναι <= 0"}); }

std::vector<ZoneWedge> ZoneWedges(const FailureZones& zones) {
  std::vector<ZoneWedge> wedges;
  const auto fails = [](FailureState s) { return s == FailureState::Partial || s == FailureState::Complete; };
  const auto addZones = [&](ZoneKind kind, std::size_t first) {
    for (std::size_t zone = 0; zone < 2; ++zone) {
      const std::size_t i = first + 3 * zone;
      wedges.push_back({kind, zones.WedgeAngles[i], zones.WedgeAngles[i + 1]});
      wedges.push_back({kind, zones.WedgeAngles[i + 1], zones.WedgeAngles[i + 2]});
    }
  };
  if (!zones.Computed) return wedges;
  if (fails(zones.Compression)) addZones(ZoneKind::Compression, 0);
  if (fails(zones.Tension)) addZones(ZoneKind::Tension, 6);
  return wedges;
}

QPoint ZonePoint(float angle, int distance) {
  const double w = -static_cast<double>(angle) * kDegreeFactor;
  return {RoundToInt32(kZoneCentre.x() + distance * std::cos(w)),
          RoundToInt32(kZoneCentre.y() + distance * std::sin(w))};
}

QPolygon WedgeTriangle(const ZoneWedge& wedge) {
  return QPolygon({kZoneCentre, ZonePoint(wedge.From, kZoneFarDistance), ZonePoint(wedge.To, kZoneFarDistance)});
}

std::array<QPoint, 2> PrincipalAxisEnds(float theta) {
  const double w = -static_cast<double>(theta) * kDegreeFactor;
  const double dx = kZoneAxisHalfLength * std::cos(w);
  const double dy = kZoneAxisHalfLength * std::sin(w);
  return {QPoint(RoundToInt32(kZoneCentre.x() + dx), RoundToInt32(kZoneCentre.y() + dy)),
          QPoint(RoundToInt32(kZoneCentre.x() - dx), RoundToInt32(kZoneCentre.y() - dy))};
}

QString CompressionLegend(FailureState state) {
  switch (state) {
    case FailureState::Partial: return QStringLiteral(" - Failure in Compression");
    case FailureState::Complete: return QStringLiteral(" - All boundary failing in compression");
    case FailureState::None: return QStringLiteral(" - There is no failure in Compression");
    case FailureState::Undecided: break;
  }
  return {};
}

QString TensionLegend(FailureState state) {
  switch (state) {
    case FailureState::Partial: return QStringLiteral(" - Failure in Tension");
    case FailureState::Complete: return QStringLiteral(" - All boundary failing in tension");
    case FailureState::None: return QStringLiteral(" - There is no failure in Tension");
    case FailureState::Undecided: break;
  }
  return {};
}

bool CircFailReadsWholeEntry(CircFailField field) { return ChecksOf(field).WholeEntry; }

InputMessage CircFailTextMessage(CircFailField field) { return CircFailCheckMessageOf(ChecksOf(field).Text).Message; }

ValueRule CircFailValueRule(CircFailField field) {
  const InputChecks& checks = ChecksOf(field);
  if (checks.Allowed == Bound::Any) return {};
  const bool aboveZero = checks.Allowed == Bound::AboveZero;
  return AllowedWhen([aboveZero](double value) { return aboveZero ? value > 0 : value >= 0; },
                     CircFailCheckMessageOf(checks.Value).Message);
}

CircFailCheck CircFailDistanceCheck(float a, float r) {
  return a > r ? CircFailCheck::DistanceInsideOpening : CircFailCheck::None;
}

const CircFailCheckMessage& CircFailCheckMessageOf(CircFailCheck check) { return CheckMessageIn(kMessages, check); }

}  // namespace brantel
