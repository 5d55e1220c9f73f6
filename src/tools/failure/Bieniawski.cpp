#include "tools/failure/Bieniawski.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace brantel {

const std::array<CriterionBoxRule, kBieniawskiBoxCount> kBieniawskiBoxRules = {{
    {u"Text1", InvalidValueFor({"sx", "σx"}), Sentence({"sx > 0", "σx > 0"})},
    {u"Text2", InvalidValueFor({"sy", "σy"}), Sentence({"sy > 0", "σy > 0"})},
    {u"Text3", InvalidValueFor({"txy", "τxy"}), Sentence({"txy > 0", "τxy > 0"})},
    {u"Text4", Sentence({"Invalid Pore Pressure", "Εσφαλμένη τιμή γιά τη πίεση πόρων"}), Sentence({"P > 0", "P > 0"})},
    {u"Text5", Sentence({"Invalid value for Uniaxial Compressive Strength", "Εσφαλμένη τιμή για την Αντοχή"}),
     Sentence({"Co > 0", "Co > 0"})},
    {u"Text6", Sentence({"Invalid value for Parameter A", "Εσφαλμένη τιμή για την Παράμετρο Α"}),
     Sentence({"A > 0", "A > 0"})},
    {u"Text7", Sentence({"Invalid value for Parameter k", "Εσφαλμένη τιμή για την Παράμετρο k"}),
     Sentence({"k > 0", "k > 0"})},
}};

namespace {

constexpr int Index(BieniawskiBox box) { return static_cast<int>(box); }

// A box that is neither a number nor empty.
bool Refused(const QString& text) { return !text.isEmpty() && !EntryNumber<float>(text); }
// A box that does not hold a number as it stands: refused or empty.
bool NotANumber(const QString& text) { return text.isEmpty() || !EntryNumber<float>(text); }

}  // namespace

CriterionInputCheck CheckBieniawskiInputs(const std::array<QString, kBieniawskiBoxCount>& texts,
                                          bool poreTicked) {
  CriterionInputCheck check;
  // A group of boxes: all numbers, then the sign tests; else the first box
  // that is not a number is refused, or, when empty, gets "0".
  auto checkGroup = [&](BieniawskiBox first, BieniawskiBox last) -> bool {
    for (int i = Index(first); i <= Index(last); ++i) {
      if (!NotANumber(texts[i])) continue;
      if (Refused(texts[i])) {
        check.Fault = TextFault(kBieniawskiBoxRules, i);
      } else {
        check.ZeroedBoxes.push_back(i);
      }
      return false;
    }
    for (int i = Index(first); i <= Index(last); ++i) {
      if (EntryNumber<float>(texts[i]).value_or(0.0f) < 0.0f) {
        check.Fault = SignFault(kBieniawskiBoxRules, i);
        return false;
      }
    }
    return true;
  };

  check.StoreStress = checkGroup(BieniawskiBox::Sx, BieniawskiBox::Txy);
  if (check.Fault) return check;
  if (poreTicked) {
    checkGroup(BieniawskiBox::Pore, BieniawskiBox::Pore);
    if (check.Fault) return check;
  }
  checkGroup(BieniawskiBox::Co, BieniawskiBox::K);
  return check;
}

Verdict BieniawskiVerdict(double s1, double s2, float co, float a, float k) {
  if (!(co > 0.0f)) return Verdict::Blank;
  if (!(s2 > 0.0)) return Verdict::RangeError;
  const double c = co;
  const double strengthSide = 1.0 + static_cast<double>(a) * std::pow(s2 / c, static_cast<double>(k));
  return CompareCriterionSides(s1 / c, strengthSide);
}

BieniawskiResult EvaluateBieniawski(const StressInput& stress, const BieniawskiParams& params) {
  return JudgePrincipalStresses(stress, params, [&params](double s1, double s2) {
    return BieniawskiVerdict(s1, s2, params.Co, params.A, params.K);
  });
}

Envelope BieniawskiEnvelope(float co, float a, float k, float s1) {
  Envelope envelope;
  if (co == 0.0f) return envelope;
  const double c = co;
  envelope.Points.push_back({0.0f, co});
  for (float x : EnvelopeSteps(0.0f, s1, 1.0)) {
    const double y = c * (1.0 + static_cast<double>(a) * std::pow(x / c, static_cast<double>(k)));
    if (!AddEnvelopePoint(envelope, x, y)) break;
  }
  return envelope;
}

namespace {

QString SignedGeneral(float value) {
  const QString text = FormatGeneral(value);
  return value < 0.0f ? text : QStringLiteral(" ") + text;
}

}  // namespace

QString BieniawskiReadoutTail(float xmin, float xmax) {
  return SignedGeneral(xmin) + QStringLiteral(" ") + SignedGeneral(xmax);
}

}  // namespace brantel
