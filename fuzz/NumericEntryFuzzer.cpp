// Fuzz target of the numeric entry check: whatever the text of an input box
// (the bytes as UTF-8), IsNumericEntry must not crash and must agree with
// the readers. The value of any text is a finite number, or Overflow for a
// number beyond every range; a text that is a number as a whole reads the
// same through both readers, is accepted (with no other blanks than spaces
// and tabs) and comes back the same through the number formatter; a partial
// entry that the check lets through can still grow into a number.

#include "FuzzCheck.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

const char* const brantel::fuzz::kTargetName = "numeric entry fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;

// The value that a box with this text gives (ParseLeadingNumber); nothing for Overflow.
std::optional<double> ValueOf(const QString& text) {
  try {
    return ParseLeadingNumber(text);
  } catch (const RuntimeError& error) {
    Check(error.Number() == ErrorNumber::Overflow, "reading a value raised another error than Overflow");
    return std::nullopt;
  }
}

bool OnlySpacesAndTabs(const QString& text) {
  return std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSpace() && c != u' ' && c != u'\t'; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const bool accepted = IsNumericEntry(text);
  const std::optional<double> value = ValueOf(text);
  Check(!value || std::isfinite(*value), "a value that is not a finite number");

  const std::optional<double> whole = ParseNumber(text);
  if (whole) {
    Check(std::isfinite(*whole), "a whole number that is not finite");
    if (OnlySpacesAndTabs(text)) {
      Check(accepted, "a whole number refused");
      Check(value && *value == *whole, "the two readers differ on a whole number");
    }
    const QString shown = FormatShortest(*whole);
    Check(ParseNumber(shown) == whole, "a number does not read back from its shortest text");
    Check(IsNumericEntry(shown), "the shortest text of a number is refused");
    const std::optional<float> single = ParseNumberSingle(text);
    Check(!single || std::isfinite(*single), "an infinite float");
  } else if (accepted && value) {
    // A partial entry: ".", "-", "1e-", blanks...; one more digit makes a
    // number of it (unless its digits are already beyond every range).
    Check(ParseNumber(text + u'0').has_value() || !ValueOf(text + u'0'),
          "an accepted entry that never becomes a number");
  }
  return 0;
}
