#include "core/Validation.h"

#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"

#include <cmath>

namespace brantel {
namespace {
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool IsNumericEntry(QStringView text) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  while (i < n && IsBlank(text[i])) ++i;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  int mantissaDigits = 0;
  while (i < n && IsDigit(text[i])) {
    ++i;
    ++mantissaDigits;
  }
  if (i < n && text[i] == u'.') {
    ++i;
    while (i < n && IsDigit(text[i])) {
      ++i;
      ++mantissaDigits;
    }
  }
  bool complete = mantissaDigits > 0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    if (mantissaDigits == 0) return false;
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    int exponentDigits = 0;
    while (i < n && IsDigit(text[i])) {
      ++i;
      ++exponentDigits;
    }
    complete = exponentDigits > 0;
  }
  if (i < n) {
    // Only blanks may follow, and only after a complete number.
    if (!complete) return false;
    while (i < n && IsBlank(text[i])) ++i;
    if (i < n) return false;
  }
  if (!complete) return true;  // a partial entry, still being typed
  return ParseNumber(text).has_value();
}

template <NumberField T>
std::optional<T> FieldValue(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const T field = static_cast<T>(value);
  if (std::isinf(field)) return std::nullopt;
  return field;
}

template <NumberField T>
std::optional<T> LeadingNumber(QStringView text) {
  try {
    return FieldValue<T>(ParseLeadingNumber(text));
  } catch (const RuntimeError&) {
    return std::nullopt;  // beyond the 64-bit range
  }
}

template <NumberField T>
std::optional<T> EntryNumber(QStringView text) {
  if (!IsNumericEntry(text)) return std::nullopt;
  return LeadingNumber<T>(text);
}

template std::optional<float> FieldValue<float>(double);
template std::optional<double> FieldValue<double>(double);
template std::optional<float> LeadingNumber<float>(QStringView);
template std::optional<double> LeadingNumber<double>(QStringView);
template std::optional<float> EntryNumber<float>(QStringView);
template std::optional<double> EntryNumber<double>(QStringView);

void ShowInputMessage(const InputMessage& message) { ShowInvalidValue(message.text, message.withPrefix); }

ValueRule AllowedWhen(std::function<bool(double)> allowed, InputMessage message) {
  return [allowed = std::move(allowed), message](double value) -> std::optional<InputMessage> {
    if (allowed(value)) return std::nullopt;
    return message;
  };
}

ValueRule NotNegativeRule(InputMessage message) {
  return AllowedWhen([](double value) { return !(value < 0.0); }, std::move(message));
}

void ShowHelpHint() {
  ShowMsg(QStringLiteral("Position the cursor on any item on the form and press F1 for context-sensitive Help"),
          Icon::Warning, QStringLiteral("Help"));
}

}  // namespace brantel
