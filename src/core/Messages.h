#pragma once

#include "core/Bilingual.h"

#include <QString>

#include <array>
#include <functional>

namespace brantel {

// The buttons of a message box, in the order they stand.
enum class Buttons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

// The icon beside a message box's text.
enum class Icon { None, Critical, Question, Warning, Information };

// The button that Enter presses, counted from the left.
enum class DefaultButton { First, Second, Third };

// The button the user pressed.
enum class Answer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

// How many buttons a set has.
constexpr int ButtonCount(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return 1;
    case Buttons::AbortRetryIgnore:
    case Buttons::YesNoCancel: return 3;
    default: return 2;
  }
}

// The look of a message box: its buttons, its icon and its default button.
// A default button beyond the set's last one does not compile.
struct BoxStyle {
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  DefaultButton defaultButton = DefaultButton::First;

  // OK alone; OK with an icon; a set of buttons whose first is the default.
  constexpr BoxStyle() = default;
  constexpr BoxStyle(Icon withIcon) : icon(withIcon) {}
  constexpr BoxStyle(Buttons set, Icon withIcon = Icon::None) : buttons(set), icon(withIcon) {}
  // A set with another default button, known when the program is built.
  consteval BoxStyle(Buttons set, Icon withIcon, DefaultButton byDefault)
      : buttons(set), icon(withIcon), defaultButton(byDefault) {
    if (static_cast<int>(byDefault) >= ButtonCount(set)) throw "the default button is not in the set";
  }

  friend constexpr bool operator==(const BoxStyle&, const BoxStyle&) = default;
};

// Message titles: MsgTitle is "Message"; the other five are the current
// dialog's prefix followed by their word. Empty until SetMessageTitles.
extern QString MsgTitle;
extern QString RangeErrorTitle;
extern QString RangeWarningTitle;
extern QString InvalidCharTitle;
extern QString ErrorTitle;
extern QString LogicErrorTitle;

// Shows one modal message box and returns the button pressed. Every message
// box of the program goes through here, so that tests can answer them.
using MessageBoxHandler = std::function<Answer(const QString& prompt, BoxStyle style, const QString& title)>;

// Installs the function that shows message boxes; returns the previous one.
// Without one, no box is shown and the safe answer of the buttons is given
// (OK, Cancel, or No where there is no Cancel).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
Answer ShowMessageBox(const QString& prompt, BoxStyle style, const QString& title);
Answer SafeAnswer(Buttons buttons);

// Logs the box to the history (title, ": " and the prompt, or "Message: "
// and the prompt without title), then shows it. A box without a title shows
// the application title; when the title passed is one of the message titles
// above, still empty, that title holds the application title from then on.
Answer ShowMsg(const QString& prompt, BoxStyle style = {}, const QString& title = QString());

// "Invalid value for " and a field name (or a whole sentence without the
// prefix), in the current language; the prefix follows the language, also
// where a text without English shows its Greek one.
Answer ShowInvalidValue(const Bilingual& text, bool withPrefix);

// The windows whose message titles carry their name ("Settings: Range
// Error"); Unnamed gives the plain titles.
enum class TitlePrefix { Unnamed, ProjectDescription, Settings, ProgramOptions, UnitConversion };

// Sets MsgTitle and the five titles behind the window's prefix.
void SetMessageTitles(TitlePrefix window);

// A text from outside the program (a line of a file, a file name) fit for a
// message box and a history line: control characters, line breaks and the
// invisible characters that reorder or hide text are shown as escapes ("\r",
// "\n", "\t", "\0", "\x1B", "\u{202E}"), and a text whose shown form is
// longer than `maxShown` characters is cut and ends in "...".
QString ShownText(QStringView text, qsizetype maxShown);
// The same in double quotes; 40 characters at most inside them.
QString QuotedText(QStringView text, qsizetype maxShown = 40);

}  // namespace brantel
