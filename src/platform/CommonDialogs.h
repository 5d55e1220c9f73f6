#pragma once

#include <functional>

class QFont;
class QString;
class QPrinter;
class QWidget;

namespace brantel::platform {

// The common dialogs of the program. Each goes through a function that
// tests replace, so that no test waits for a person.

enum class PrintDialogKind {
  Setup,  // choose and set up the printer
  Print,  // print now: printer and copies, no page range
};

// Shows the print dialog on the printer; true when the user pressed OK
// (the printer then holds the choices), false on Cancel.
bool ShowPrintDialog(QPrinter& printer, PrintDialogKind kind, QWidget* parent);

// Shows the font dialog starting at the font; true and the chosen font on
// OK, false and the font unchanged on Cancel.
bool ShowFontDialog(QFont& font, QWidget* parent);

// The input box: a title, a prompt and the text it starts with. Gives the
// text the user entered, or an empty text when the user cancels.
QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, QWidget* parent);

using PrintDialogHandler = std::function<bool(QPrinter&, PrintDialogKind, QWidget*)>;
using FontDialogHandler = std::function<bool(QFont&, QWidget*)>;
using InputBoxHandler = std::function<QString(const QString& prompt, const QString& title, const QString& defaultText)>;

// Install replacements (an empty one gives the real dialog back); each
// returns the previous one.
PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler);
FontDialogHandler SetFontDialogHandler(FontDialogHandler handler);
InputBoxHandler SetInputBoxHandler(InputBoxHandler handler);

}  // namespace brantel::platform
