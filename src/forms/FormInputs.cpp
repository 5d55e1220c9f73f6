#include "forms/FormInputs.h"

#include "core/Conversions.h"
#include "core/ErrorReporting.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

namespace brantel::forms {
namespace {

// The text of a box, shown from its first character.
void SetTextFromStart(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

}  // namespace

void ShowStoredValue(QLineEdit* box, double value, const QString& shownText) {
  if (auto* stored = qobject_cast<TextBox*>(box)) {
    stored->shownText_ = shownText;
    stored->shownValue_ = value;
    stored->holdsStoredValue_ = true;
  }
  SetTextFromStart(box, shownText);
}

std::optional<double> StoredValue(const QLineEdit* box) {
  const auto* stored = qobject_cast<const TextBox*>(box);
  if (!stored || !stored->holdsStoredValue_ || stored->shownText_ != box->text()) return std::nullopt;
  return stored->shownValue_;
}

bool BoxUnedited(const QLineEdit* box) { return StoredValue(box).has_value(); }

template <NumberField T>
std::optional<T> LeadingValue(const QLineEdit* box) {
  if (const std::optional<double> stored = StoredValue(box)) return FieldValue<T>(*stored);
  return LeadingNumber<T>(box->text());
}

template <NumberField T>
std::optional<T> EntryValue(const QLineEdit* box) {
  if (!IsNumericEntry(box->text())) return std::nullopt;
  return LeadingValue<T>(box);
}

template std::optional<float> LeadingValue<float>(const QLineEdit*);
template std::optional<double> LeadingValue<double>(const QLineEdit*);
template std::optional<float> EntryValue<float>(const QLineEdit*);
template std::optional<double> EntryValue<double>(const QLineEdit*);

void ShowStoredGeneral(QLineEdit* box, float value) { ShowStoredValue(box, value, FormatGeneral(value)); }

void ShowStoredGeneral(QLineEdit* box, double value) { ShowStoredValue(box, value, FormatGeneral(value)); }

void CopyBoxText(const QLineEdit* from, QLineEdit* to) {
  if (const std::optional<double> stored = StoredValue(from)) {
    ShowStoredValue(to, *stored, from->text());
  } else {
    to->setText(from->text());
  }
}

namespace {

// The value a box that the user has left shows, by the rule; nothing for an
// unedited box, or for a text that stays as typed.
std::optional<double> TypedValue(const QLineEdit* box, OnLeave rule) {
  if (BoxUnedited(box)) return std::nullopt;
  if (rule == OnLeave::NumbersOnly) return ParseNumber(box->text());
  // A number too large to read stays as typed; validation refuses it.
  return LeadingNumber(box->text());
}

}  // namespace

void ShowTypedValue(QLineEdit* box, QStringView mask, OnLeave rule) {
  if (const auto value = TypedValue(box, rule)) ShowStoredValue(box, *value, Format(*value, mask));
}

void ShowTypedGeneral(QLineEdit* box, OnLeave rule) {
  if (const auto value = TypedValue(box, rule)) ShowStoredGeneral(box, *value);
}

void FocusBack(QLineEdit* box) {
  box->setFocus();
  box->selectAll();
}

bool RefuseEntry(QLineEdit* box, const InputMessage& message) {
  ShowInputMessage(message);
  FocusBack(box);
  return false;
}

void NumericInputs::Add(QLineEdit* box, float& field, InputRules rules) {
  inputs_.push_back({box, &field, std::move(rules)});
}

void NumericInputs::Add(QLineEdit* box, double& field, InputRules rules) {
  inputs_.push_back({box, &field, std::move(rules)});
}

void NumericInputs::Show(QStringView mask) const {
  for (const Input& input : inputs_) {
    std::visit([&](auto* field) { ShowStoredValue(input.box, *field, Format(*field, mask)); }, input.field);
  }
}

bool NumericInputs::Validate() const {
  Outcome outcome = Check();
  while (outcome == Outcome::Zeroed) outcome = Check();
  return outcome == Outcome::Valid;
}

NumericInputs::Outcome NumericInputs::Check() const {
  // The values read (in the type of their fields), stored only when all
  // are valid; nothing for a box not read.
  std::vector<std::optional<double>> values(inputs_.size());
  // The value rule of a box read: false, with its message, when it refuses.
  auto passesRule = [&](std::size_t i) {
    const ValueRule& rule = inputs_[i].rules.rule;
    if (!rule) return true;
    if (const std::optional<InputMessage> refusal = rule(*values[i])) return RefuseEntry(inputs_[i].box, *refusal);
    return true;
  };
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    const Input& input = inputs_[i];
    if (input.rules.when && !input.rules.when()) continue;
    if (input.rules.zeroWhenEmpty && input.box->text().isEmpty()) {
      input.box->setText(QStringLiteral("0"));
      input.box->selectAll();
      // A box that cannot hold the "0" reads its empty text as 0 (no endless judging).
      if (!input.box->text().isEmpty()) return Outcome::Zeroed;
    }
    values[i] = std::visit(
        [&](auto* field) -> std::optional<double> {
          using Field = std::remove_reference_t<decltype(*field)>;
          return input.rules.reading == Reading::WholeEntry ? EntryValue<Field>(input.box)
                                                            : LeadingValue<Field>(input.box);
        },
        input.field);
    if (!values[i]) {
      if (input.rules.refocusText) RefuseEntry(input.box, input.rules.message);
      else ShowInputMessage(input.rules.message);
      return Outcome::Refused;
    }
    if (order_ == RuleOrder::WithEachBox && !passesRule(i)) return Outcome::Refused;
  }
  if (order_ == RuleOrder::AfterAllBoxes) {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
      if (values[i] && !passesRule(i)) return Outcome::Refused;
    }
  }
  for (std::size_t i = 0; i < inputs_.size(); ++i) {
    if (!values[i]) continue;
    std::visit([&](auto* field) { *field = static_cast<std::remove_reference_t<decltype(*field)>>(*values[i]); },
               inputs_[i].field);
  }
  return Outcome::Valid;
}

void ShowResult(QLineEdit* box, const QString& text) { SetTextFromStart(box, text); }

void ShowResult(QLineEdit* box, float value, QStringView mask) { SetTextFromStart(box, Format(value, mask)); }

void ShowResult(QLineEdit* box, double value, QStringView mask) { SetTextFromStart(box, Format(value, mask)); }

void ShowResult(QLineEdit* box, const std::optional<float>& value, QStringView mask) {
  SetTextFromStart(box, value ? Format(*value, mask) : QString());
}

void ClearResults(std::initializer_list<QLineEdit*> boxes) {
  for (QLineEdit* box : boxes) box->clear();
}

bool Calculate(std::initializer_list<QLineEdit*> results, const std::function<void()>& calculation,
               const std::function<void()>& onFailure) {
  try {
    calculation();
    return true;
  } catch (const RuntimeError& e) {
    LogRuntimeError(e);
    ClearResults(results);
    if (onFailure) onFailure();
    return false;
  }
}

}  // namespace brantel::forms
