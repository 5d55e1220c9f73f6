#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace brantel::platform {

// Which choices the printer dialog offers besides the printer itself.
struct PrinterDialogChoices {
  bool pageRange = true;   // "pages from ... to ..."
  bool selection = true;   // "print the selection"
};

// Shows the printer dialog for `printer` over `parent`; the choices the user
// makes go into the printer. False when the user cancels.
bool ShowPrinterDialog(QPrinter& printer, QWidget* parent, const PrinterDialogChoices& choices);

// Replaces the dialog (tests answer it without a person, usually by sending
// the output to a PDF file); returns the previous function. An empty
// function restores the real dialog.
using PrinterDialogHandler =
    std::function<bool(QPrinter& printer, QWidget* parent, const PrinterDialogChoices& choices)>;
PrinterDialogHandler SetPrinterDialogHandler(PrinterDialogHandler handler);

}  // namespace brantel::platform
