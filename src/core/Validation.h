#pragma once

#include "core/Bilingual.h"
#include "core/Conversions.h"

#include <QString>
#include <QStringView>

#include <concepts>
#include <functional>
#include <optional>

namespace brantel {

// True when the text may stand in a numeric box while the user types: an
// empty text, a complete number, or a text that can still grow into one
// ("-", ".", "-.", "1.", "1e", "1e-"). "-abc", ".x" and "12a" are refused.
bool IsNumericEntry(QStringView text);

// --- The two rules by which a number typed into a box or a grid cell is
// read, one parser each (the dialogs read their boxes through the readers
// of forms/FormInputs.h, which add the stored value of an unedited box).
// T is the type of the field the number goes to, float or double; each
// gives nothing for a text its rule refuses and for a number T cannot hold
// (beyond its range, or not finite).
template <typename T>
concept NumberField = std::same_as<T, float> || std::same_as<T, double>;

// The leading number (ParseLeadingNumber, core/NumberFormat.h): whatever follows the
// number is ignored and a text without one reads 0, so only a number
// beyond the range is refused ("12abc" reads 12, "x" reads 0).
template <NumberField T = double>
std::optional<T> LeadingNumber(QStringView text);

// The whole entry: a text that IsNumericEntry refuses gives nothing;
// otherwise its leading number, so that a box being typed reads 0 ("", "-",
// ".", "-.") or the digits so far ("1e" reads 1).
template <NumberField T = double>
std::optional<T> EntryNumber(QStringView text);

// A number as a field of type T holds it: rounded to a 32-bit float for a
// float field; nothing when T cannot hold it.
template <NumberField T>
std::optional<T> FieldValue(double value);

// What refuses an input, as ShowInvalidValue shows it: the field's name
// behind "Invalid value for " ("Εσφαλμένη τιμή για το "), or a whole
// sentence. Written with the two helpers below:
//   InvalidValueFor({"sx", "σx"})
//   Sentence({"Poisson's ratio should be < 0.5", "Ο λόγος Poisson πρέπει να είναι < 0.5"})
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

// A tool's rule for the value of one input: nothing when the value is
// allowed, else the message that refuses it. Written once, in the tool's
// mechanics (a function returning the rule, such as CoulombValueRule), and
// given to the dialog's NumericInputs, which applies it to the value the
// field will hold (a float field's value rounded to 32 bits).
using ValueRule = std::function<std::optional<InputMessage>(double value)>;

// The rule that allows a value for which `allowed` holds and refuses any
// other with `message`.
ValueRule AllowedWhen(std::function<bool(double)> allowed, InputMessage message);

// The rule that refuses a negative value with `message`; zero passes.
ValueRule NotNegativeRule(InputMessage message);

// A value outside [min, max] becomes min (not the nearer bound: no clamp).
// Returns the value as a 16-bit integer, halves to the even neighbour.
template <typename T, typename U>
qint16 MinimumWhenOutOfRange(T& value, U min, U max) {
  if (value > static_cast<T>(max) || value < static_cast<T>(min)) value = static_cast<T>(min);
  return RoundToInt16(static_cast<double>(value));
}

// The answer of every Help button.
void ShowHelpHint();

}  // namespace brantel
