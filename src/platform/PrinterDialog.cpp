#include "platform/PrinterDialog.h"

#include <QPrintDialog>
#include <QPrinter>

#include <utility>

namespace brantel::platform {
namespace {

PrinterDialogHandler& Handler() {
  static PrinterDialogHandler handler;
  return handler;
}

}  // namespace

bool ShowPrinterDialog(QPrinter& printer, QWidget* parent, const PrinterDialogChoices& choices) {
  if (Handler()) return Handler()(printer, parent, choices);
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, choices.pageRange);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, choices.selection);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

PrinterDialogHandler SetPrinterDialogHandler(PrinterDialogHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace brantel::platform
