#pragma once

#include "core/Validation.h"

#include <QLineEdit>
#include <QString>
#include <QStringView>

#include <functional>
#include <initializer_list>
#include <optional>
#include <variant>
#include <vector>

namespace brantel::forms {

// The input and result boxes of a dialog: how numbers go into them, how
// they are read back and checked, and how results are shown.

// The one-line edit box of the control tables: it remembers the stored
// number it shows (below).
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;

 private:
  friend void ShowStoredValue(QLineEdit* box, double value, const QString& shownText);
  friend std::optional<double> StoredValue(const QLineEdit* box);

  QString shownText_;
  double shownValue_ = 0;
  bool holdsStoredValue_ = false;
};

// --- Stored values. A box that shows a number in its rounded display form
// gives back the number itself for as long as its text is the one shown, so
// that opening a dialog and pressing OK changes nothing. Once the user has
// edited the text, the box's value is read from its text. (A box that is no
// TextBox only shows the text.)
void ShowStoredValue(QLineEdit* box, double value, const QString& shownText);
// The number behind the text ShowStoredValue put in the box, while the box
// still holds that text; nothing once it has been edited.
std::optional<double> StoredValue(const QLineEdit* box);
// True while the box still holds the text ShowStoredValue put there.
bool BoxUnedited(const QLineEdit* box);

// --- The readers of an input box, one for each reading rule of
// core/Validation.h, with the stored-value rule on top: an unedited box
// gives back its stored value. T is the type of the field the value goes to
// (float or double); nothing for a number T cannot hold.
//   LeadingValue: the leading number of the text, whatever follows it (a
//     text without a number reads 0); only a number too large is refused.
//   EntryValue: the whole entry; nothing for a text IsNumericEntry refuses,
//     and a box being typed ("", "-", ".") reads 0.
template <NumberField T = double>
std::optional<T> LeadingValue(const QLineEdit* box);
template <NumberField T = double>
std::optional<T> EntryValue(const QLineEdit* box);

// A stored value shown in the general number format (FormatGeneral of its
// own width).
void ShowStoredGeneral(QLineEdit* box, float value);
void ShowStoredGeneral(QLineEdit* box, double value);

// One box takes the text of another, as its twin: while the source is
// unedited, the stored value behind its text goes with it.
void CopyBoxText(const QLineEdit* from, QLineEdit* to);

// How a box that the user has left shows what was typed: its leading number
// in the mask (an empty or non-numeric text shows 0), or only a text that is
// a number as a whole in the mask (anything else stays as typed). The value
// typed is kept in full behind the display form. An unedited box stays.
enum class OnLeave { ValueOfText, NumbersOnly };
void ShowTypedValue(QLineEdit* box, QStringView mask, OnLeave rule);
// The same in the general number format.
void ShowTypedGeneral(QLineEdit* box, OnLeave rule);

// --- Validation. Messages are InputMessage (core/Validation.h): the
// field's name behind "Invalid value for ", or a whole sentence.

// Puts the focus back in a box that failed a check, its whole text selected.
void FocusBack(QLineEdit* box);

// Refuses the entry of a box: the message through ShowInvalidValue, then
// FocusBack. Always false, so that a validation step can end with
// `return RefuseEntry(box, message);`.
bool RefuseEntry(QLineEdit* box, const InputMessage& message);

// The reading rule of an input box: its leading number (LeadingValue) or its
// whole entry (EntryValue).
enum class Reading { LeadingNumber, WholeEntry };

// How one input of NumericInputs is read and checked.
struct InputRules {
  Reading reading;
  // Refuses a text the reading rule refuses, and a number the field cannot
  // hold.
  InputMessage message;
  // The tool's value rule, from its mechanics; none: any number the field
  // can hold.
  ValueRule rule = {};
  // The box is read only while this holds (an option ticked, a parameter
  // not derived); otherwise its field keeps what it holds. None: always.
  std::function<bool()> when = {};
  // False: a text refused leaves the focus where it is (one message speaks
  // for every box); a value its rule refuses still takes the focus back.
  bool refocusText = true;
  // True: an empty box is not read as 0 but gets the text "0", selected,
  // and is judged again (NumericInputs::Check).
  bool zeroWhenEmpty = false;
};

// The numeric input boxes of a dialog, each with the field of the dialog's
// working copy it fills and its rules, added in the order of validation:
//   inputs_.Add(ui_.sx, stress_.Sx,
//               {Reading::WholeEntry, InvalidValueFor({"sx", "σx"}), CoulombValueRule(CoulombField::Sx)});
class NumericInputs {
 public:
  // When the value rules run: each right after its box is read (the first
  // box refused stops validation, whether for its text or its value), or
  // only once every box has been read.
  enum class RuleOrder { WithEachBox, AfterAllBoxes };
  explicit NumericInputs(RuleOrder order = RuleOrder::WithEachBox) : order_(order) {}

  void Add(QLineEdit* box, float& field, InputRules rules);
  void Add(QLineEdit* box, double& field, InputRules rules);

  // Every box shows its field in the mask, as a stored value.
  void Show(QStringView mask = u"#0.##0") const;

  // Reads and checks the boxes in order (those whose `when` holds). The
  // first box refused (RefuseEntry: its message, the focus back in it) makes
  // the result false, and no field changes. Otherwise every field read takes
  // its box's value (the stored value while the box is unedited). A box
  // emptied to "0" (zeroWhenEmpty) is judged again with the others.
  bool Validate() const;

  // One pass of Validate: Refused and Valid as there; Zeroed when the pass
  // ended at an empty box of zeroWhenEmpty, which now holds "0" (selected;
  // no message, no field changed, no value rule run after it). A tool that
  // checks several sets in turn goes on with the next set and then judges
  // them all again, so that each fault is shown once.
  enum class Outcome { Valid, Refused, Zeroed };
  Outcome Check() const;

 private:
  struct Input {
    QLineEdit* box;
    std::variant<float*, double*> field;
    InputRules rules;
  };
  RuleOrder order_;
  std::vector<Input> inputs_;
};

// --- Results. A result is shown from its first character, so that a number
// longer than its box shows its sign and leading digits; an empty text
// blanks the box, and so does a result that is not there.
void ShowResult(QLineEdit* box, const QString& text);
void ShowResult(QLineEdit* box, float value, QStringView mask = u"#0.##0");
void ShowResult(QLineEdit* box, double value, QStringView mask = u"#0.##0");
void ShowResult(QLineEdit* box, const std::optional<float>& value, QStringView mask = u"#0.##0");
void ClearResults(std::initializer_list<QLineEdit*> boxes);

// Runs a calculation that shows its results in the given boxes. A run-time
// error of its arithmetic goes to the history and empties those boxes (they
// would otherwise show the last state as if it were this one); onFailure
// then drops whatever else shows the state, such as a plot. True when the
// calculation ran through.
bool Calculate(std::initializer_list<QLineEdit*> results, const std::function<void()>& calculation,
               const std::function<void()>& onFailure = {});

}  // namespace brantel::forms
