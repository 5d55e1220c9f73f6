#include "tools/failure/CoulombWedge.h"

#include "core/Arithmetic.h"
#include "core/Conversions.h"
#include "core/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

constexpr WedgeTexts kWedgeTexts{
    {"Stability of Bolted Rock Wedge", "Αστοχία όγκου πετρώματος σε επίπεδη ασυνέχεια με κοχλία"},
    {"Wedge Parameters", "Παράμετροι ογκοτεμαχίου"},
    {"Wedge Width = 1 m", "*Το πάχος της σφήνας θεωρείται μοναδιαίο"},
    {"Wedge Safety Factor", "Συντελεστής ασφαλείας σφήνας"},
    {"Failure analysis of rock wedge with planar discontinuity supported by rock bolt (Coulomb "
     "criterion)",
     "Υπολογισμός αστοχίας επίπεδης ασυνέχειας σε σφήνα με κοχλία βάσει του κριτηρίου Coulomb."},
    {"Bolt tensioning is greater than the horizontal weight component. Check for excessive "
     "tensioning.",
     "Τάνυση κοχλία υπερβαίνει οριζόντια συνιστώσα βάρους. Κίνδυνος υπερβολικής τάνυσης."},
    InvalidValueFor({"Safety Factor", "Συντελεστή Ασφάλειας"}),
};

constexpr WedgeTexts kSlopeTexts{
    {"Stability of Bolted Rock Slope", "Αστοχία όγκου πετρώματος σε επίπεδη ασυνέχεια με κοχλία"},
    {"Slope Parameters", "Παράμετροι ογκοτεμαχίου"},
    {"Slope Width = 1 m", "*Το πάχος της σφήνας θεωρείται μοναδιαίο"},
    {"Slope Safety Factor", "Συντελεστής ασφαλείας σφήνας"},
    {"Failure analysis of rock slope with planar discontinuity supported by rock bolt (Coulomb "
     "criterion)",
     "Υπολογισμός αστοχίας επίπεδης ασυνέχειας σε πρανές με κοχλία βάσει του κριτηρίου Coulomb."},
    {"Bolt Tensioning is greater than the horizontal weight component. Check for excessive "
     "tensioning.",
     "Τάνυση κοχλία υπερβαίνει οριζόντια συνιστώσα βάρους. Κίνδυνος υπερβολικής τάνυσης."},
    Sentence({"Invalid value for safety factor", "Εσφαλμένη τιμή για τον συντελεστή ασφάλειας"}),
};

constexpr InputMessage kTooLarge = Sentence({"The value is too large", "Η τιμή είναι πολύ μεγάλη"});
constexpr InputMessage kAngleAtLeastZero = Sentence({"angle >= 0", "γωνία >= 0"});

float Radians(float degrees) { return CheckedFloat(static_cast<double>(degrees) / kRadianFactor); }

// The block's weight and its components on the plane.
struct Block {
  float W = 0;  // weight per metre of thickness
  float N = 0;  // normal to the plane
  float S = 0;  // along the plane, driving
  float TanPhi = 0;
  float Psi = 0;  // plane angle, radians
};

Block BlockOf(const BoltedWedgeData& d) {
  Block b;
  b.W = CheckedFloat(static_cast<double>(d.Height) * d.Width * d.SpecificGravity);
  b.Psi = Radians(d.DiscAngle);
  b.N = CheckedFloat(b.W * std::cos(static_cast<double>(b.Psi)));
  b.S = CheckedFloat(b.W * std::sin(static_cast<double>(b.Psi)));
  b.TanPhi = CheckedFloat(std::tan(static_cast<double>(Radians(d.FrictionAngle))));
  return b;
}

double CohesionForce(const BoltedWedgeData& d) { return static_cast<double>(d.Cohesion) * d.Width; }

// A plane strictly between 0 and 90 degrees: one the block can slide on.
bool PlaneCarriesBlock(const BoltedWedgeData& d) { return d.DiscAngle > 0 && d.DiscAngle < 90; }

}  // namespace

const WedgeTexts& TextsOf(WedgeTool tool) { return tool == WedgeTool::Slope ? kSlopeTexts : kWedgeTexts; }

InputMessage WedgeTooLargeMessage() { return kTooLarge; }

ValueRule WedgeValueRule(WedgeTool tool, WedgeInput input) {
  switch (input) {
    case WedgeInput::Width: return NotNegativeRule(Sentence({"Width > 0", "Πλάτος > 0"}));
    case WedgeInput::Height: return NotNegativeRule(Sentence({"Height > 0", "Υψος > 0"}));
    case WedgeInput::UnitWeight: return NotNegativeRule(Sentence({"Unit Weight > 0", "Μοναδιαίο Βάρος > 0"}));
    case WedgeInput::Cohesion: return NotNegativeRule(Sentence({"Cohesion > 0", "Συνοχή > 0"}));
    case WedgeInput::FrictionAngle:
      // At 90 degrees and beyond tan phi turns huge and then negative.
      return [](double phi) -> std::optional<InputMessage> {
        if (phi < 0) return Sentence({"Angle of internal friction > 0", "Γωνία εσωτερικής τριβής > 0"});
        if (phi >= 90) return Sentence({"Angle of internal friction < 90", "Γωνία εσωτερικής τριβής < 90"});
        return std::nullopt;
      };
    case WedgeInput::PlaneAngle:
      // A plane below 0 or at 90 degrees and beyond carries no block that
      // can slide. 0 itself is what an empty box or a new project holds: it
      // passes here and gives no result (PlaneCarriesBlock).
      return AllowedWhen([](double psi) { return psi >= 0 && psi < 90; },
                         Sentence({"0 < Angle of discontinuity plane < 90", "0 < Γωνία επιπέδου ασυνέχειας < 90"}));
    case WedgeInput::BoltLoad: return NotNegativeRule(InvalidValueFor({"load", "φορτίο"}));
    case WedgeInput::RequiredSafetyFactor: return NotNegativeRule(TextsOf(tool).NegativeSafetyFactor);
    case WedgeInput::BoltAngle:
    case WedgeInput::BoltAngleForLoad: break;
  }
  return NotNegativeRule(kAngleAtLeastZero);
}

WedgeSafetyFactor CalcWedgeSafetyFactor(const BoltedWedgeData& d) {
  WedgeSafetyFactor r;
  try {
    if (!PlaneCarriesBlock(d)) return r;
    const Block b = BlockOf(d);
    if (b.W == 0) return r;
    const double relative = static_cast<double>(b.Psi) - static_cast<double>(Radians(d.BoltAngle));
    const float tn = CheckedFloat(d.BoltLoad * std::sin(relative));
    const float ts = CheckedFloat(d.BoltLoad * std::cos(relative));
    if (ts < b.S) {
      const double normal = std::max(static_cast<double>(tn) + b.N, 0.0);
      r.SafetyFactor = CheckedFloat((normal * b.TanPhi + CohesionForce(d)) / (static_cast<double>(b.S) - ts));
    } else {
      r.SafetyFactor = kWedgeExcessiveTensioning;
      r.ExcessiveTensioning = true;
    }
    r.Computable = true;
  } catch (const RuntimeError&) {
    r = WedgeSafetyFactor{};
  }
  return r;
}

WedgeBoltLoad CalcWedgeBoltLoad(const BoltedWedgeData& d) {
  WedgeBoltLoad r;
  try {
    if (!PlaneCarriesBlock(d)) return r;
    const Block b = BlockOf(d);
    if (b.W == 0) return r;
    const double factor = d.ReqSafetyFactor;
    const double relative = static_cast<double>(b.Psi) - static_cast<double>(Radians(d.BoltAngle2));
    const float A = CheckedFloat(factor * std::sin(static_cast<double>(b.Psi)));
    const float B = CheckedFloat(factor * std::cos(relative));
    const float C = CheckedFloat(std::cos(static_cast<double>(b.Psi)) * b.TanPhi);
    const float D = CheckedFloat(std::sin(relative) * b.TanPhi);
    const float denominator = CheckedFloat(static_cast<double>(D) + B);
    // F S - N tan phi - c L: what the bolt must make up; 0 or less when the
    // unbolted block already reaches the required factor.
    const double shortfall = CheckFinite((static_cast<double>(A) - C) * b.W - CohesionForce(d));
    if (denominator <= 0) {
      r.Outcome = shortfall <= 0 ? WedgeLoadOutcome::NotRequired : WedgeLoadOutcome::Unreachable;
      return r;
    }
    const float rounded = CheckedFloat(shortfall / denominator);
    if (rounded <= 0) {
      r.Outcome = WedgeLoadOutcome::NotRequired;
      r.ReqBoltLoad = rounded;
      return r;
    }
    double load = rounded;
    if (load * std::sin(relative) + b.N < 0) {
      // That load pulls the block off the plane, where friction is lost:
      // only c L / (S - T cos(psi - theta2)) is left to reach the factor.
      const double along = std::cos(relative);
      if (along <= 0) {
        r.Outcome = WedgeLoadOutcome::Unreachable;
        return r;
      }
      load = (factor * b.S - CohesionForce(d)) / (factor * along);
    }
    // With nothing left to resist (no cohesion, and no friction at that
    // load) the factor jumps from 0 to the 999 of a held block.
    const double friction = std::max(load * std::sin(relative) + b.N, 0.0) * b.TanPhi;
    if (friction + CohesionForce(d) <= 0) {
      r.Outcome = WedgeLoadOutcome::Unreachable;
      return r;
    }
    r.ReqBoltLoad = CheckedFloat(load);
    r.Outcome = WedgeLoadOutcome::Load;
  } catch (const RuntimeError&) {
    r = WedgeBoltLoad{};
  }
  return r;
}

Bilingual WedgeLoadNote(WedgeLoadOutcome outcome) {
  switch (outcome) {
    case WedgeLoadOutcome::NotRequired: return kWedgeNoBoltNote;
    case WedgeLoadOutcome::Unreachable: return kWedgeUnreachableNote;
    default: return {"", ""};
  }
}

}  // namespace brantel
