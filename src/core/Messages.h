#pragma once

#include "core/Bilingual.h"

#include <QString>

#include <array>
#include <functional>

namespace brantel {

// Buttons and icons of a message box, added together.
namespace mb {
inline constexpr qint32 kOkOnly = 0;
inline constexpr qint32 kOkCancel = 1;
inline constexpr qint32 kAbortRetryIgnore = 2;
inline constexpr qint32 kYesNoCancel = 3;
inline constexpr qint32 kYesNo = 4;
inline constexpr qint32 kRetryCancel = 5;
inline constexpr qint32 kCritical = 16;
inline constexpr qint32 kQuestion = 32;
inline constexpr qint32 kExclamation = 48;
inline constexpr qint32 kInformation = 64;
inline constexpr qint32 kDefaultButton2 = 256;
inline constexpr qint32 kDefaultButton3 = 512;
inline constexpr qint32 kButtonMask = 7;
inline constexpr qint32 kIconMask = 112;
}  // namespace mb

// The button the user pressed.
namespace answer {
inline constexpr qint16 kOk = 1;
inline constexpr qint16 kCancel = 2;
inline constexpr qint16 kAbort = 3;
inline constexpr qint16 kRetry = 4;
inline constexpr qint16 kIgnore = 5;
inline constexpr qint16 kYes = 6;
inline constexpr qint16 kNo = 7;
}  // namespace answer

// Message titles: MsgTitle is "Message"; the other five are the current
// dialog's prefix followed by their word. Empty until SetMessageTitles.
extern QString MsgTitle;
extern QString RangeErrorTitle;
extern QString RangeWarningTitle;
extern QString InvalidCharTitle;
extern QString ErrorTitle;
extern QString LogicErrorTitle;
inline constexpr int kMsgTitlePrefixCount = 13;
extern std::array<QString, kMsgTitlePrefixCount> MsgTitlePrefixes;

// Shows one modal message box and returns the button pressed. Every message
// box of the program goes through here, so that tests can answer them.
using MessageBoxHandler = std::function<qint16(const QString& prompt, qint32 buttons, const QString& title)>;

// Installs the function that shows message boxes; returns the previous one.
// Without one, no box is shown and the safe answer of the buttons is given
// (OK, Cancel, or No where there is no Cancel).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
qint16 ShowMessageBox(const QString& prompt, qint32 buttons, const QString& title);
qint16 SafeAnswer(qint32 buttons);

// Logs the box to the history (title, ": " and the prompt, or "Message: "
// and the prompt without title), then shows it. An empty title becomes the
// application title, also in the caller's variable.
qint16 ShowMsg(const QString& prompt, qint32 buttons, QString& title, const QString& helpFile = QString(),
               qint16 context = 0);
qint16 ShowMsg(const QString& prompt, qint32 buttons = 0, const QString& title = QString(),
               const QString& helpFile = QString(), qint16 context = 0);

// "Invalid value for " and a field name (or a whole sentence without the
// prefix), in the current language; the prefix follows the language, also
// where a text without English shows its Greek one.
qint16 ShowInvalidValue(const Bilingual& text, bool withPrefix);

// Sets MsgTitle and the five titles behind the prefix of a dialog (1..13).
void SetMessageTitles(qint16 formIndex);

// A text from outside the program (a line of a file, a file name) fit for a
// message box and a history line: control characters, line breaks and the
// invisible characters that reorder or hide text are shown as escapes ("\r",
// "\n", "\t", "\0", "\x1B", "\u{202E}"), and a text whose shown form is
// longer than `maxShown` characters is cut and ends in "...".
QString ShownText(QStringView text, qsizetype maxShown);
// The same in double quotes; 40 characters at most inside them.
QString QuotedText(QStringView text, qsizetype maxShown = 40);

}  // namespace brantel
