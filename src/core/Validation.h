#pragma once

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

// IsNumericEntry, then the bounds (a bound of 0 is no bound), with the
// whole-sentence message in the current language on failure.
bool ValidateNumericField(const QString& text, const QString& textGr, const QString& textEn,
                          float min, float max);

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
