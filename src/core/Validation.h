#pragma once

#include "core/Bilingual.h"
#include "core/Conversions.h"

#include <QString>

namespace brantel {

// True when the text may stand in a numeric box while the user types: an
// empty text, a complete number, or a text that can still grow into one
// ("-", ".", "-.", "1.", "1e", "1e-"). "-abc", ".x" and "12a" are refused.
bool IsNumericEntry(const QString& text);

// True when the text is a number within [min, max]. Otherwise shows, under
// RangeErrorTitle, the label (with ": " appended, also in the caller's
// variable) and "Blank field not allowed" or the range message, and gives
// False. A text that is not a number gets the range message.
bool CheckInputRange(const QString& text, double min, double max, QString& label);
bool CheckInputRange(const QString& text, double min, double max, const QString& label = QString());

// What refuses an input, as ShowInvalidValue shows it: the field's name
// behind "Invalid value for " ("Εσφαλμένη τιμή για το "), or a whole
// sentence. Written with the two helpers below:
//   InvalidValueFor({"sx", "σx"})
//   Sentence({"Young's modulus should be > 0", "Για το μέτρο ... E>0"})
// (No message at all, InputMessage{}, has no text.)
struct InputMessage {
  constexpr InputMessage() = default;
  constexpr InputMessage(Bilingual text, bool withPrefix) : text(text), withPrefix(withPrefix) {}

  Bilingual text;
  bool withPrefix = false;
};
constexpr InputMessage InvalidValueFor(Bilingual fieldName) { return {fieldName, true}; }
constexpr InputMessage Sentence(Bilingual sentence) { return {sentence, false}; }

// Shows the message through ShowInvalidValue (so it is logged to the history).
void ShowInputMessage(const InputMessage& message);

// IsNumericEntry, then the bounds (a bound of 0 is no bound), with the
// whole sentence in the current language on failure.
bool ValidateNumericField(const QString& text, const Bilingual& sentence, float min, float max);

// A value outside [min, max] becomes min (not the nearer bound). Returns the
// value as a 16-bit integer, halves to the even neighbour.
template <typename T, typename U>
qint16 ClampToRange(T& value, U min, U max) {
  if (value > static_cast<T>(max) || value < static_cast<T>(min)) value = static_cast<T>(min);
  return CInt(static_cast<double>(value));
}

// The answer of every Help button.
void ShowHelpHint();

}  // namespace brantel
