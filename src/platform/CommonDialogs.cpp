#include "platform/CommonDialogs.h"

#include <QFontDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace brantel::platform {
namespace {

PrintDialogHandler& PrintHandler() {
  static PrintDialogHandler handler;
  return handler;
}

FontDialogHandler& FontHandler() {
  static FontDialogHandler handler;
  return handler;
}

InputBoxHandler& InputHandler() {
  static InputBoxHandler handler;
  return handler;
}

}  // namespace

bool ShowPrintDialog(QPrinter& printer, PrintDialogKind kind, QWidget* parent) {
  if (PrintHandler()) return PrintHandler()(printer, kind, parent);
  QPrintDialog dialog(&printer, parent);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
  if (kind == PrintDialogKind::Setup) {
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
  }
  return dialog.exec() == QDialog::Accepted;
}

bool ShowFontDialog(QFont& font, QWidget* parent) {
  if (FontHandler()) return FontHandler()(font, parent);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, parent);
  if (ok) font = chosen;
  return ok;
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, QWidget* parent) {
  if (InputHandler()) return InputHandler()(prompt, title, defaultText);
  bool ok = false;
  const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

PrintDialogHandler SetPrintDialogHandler(PrintDialogHandler handler) {
  PrintDialogHandler previous = PrintHandler();
  PrintHandler() = std::move(handler);
  return previous;
}

FontDialogHandler SetFontDialogHandler(FontDialogHandler handler) {
  FontDialogHandler previous = FontHandler();
  FontHandler() = std::move(handler);
  return previous;
}

InputBoxHandler SetInputBoxHandler(InputBoxHandler handler) {
  InputBoxHandler previous = InputHandler();
  InputHandler() = std::move(handler);
  return previous;
}

}  // namespace brantel::platform
