#include "platform/CommonDialogs.h"

#include <QAbstractButton>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace brantel::platform {
namespace {

// The printer dialog of the program: every print is the whole document, so
// neither page numbers nor a selection can be chosen. Without those options
// the desktop's dialog still enables its page range where the print system
// can pick pages itself, each time it shows; so the choices of the range
// group other than "all" are disabled once it has shown.
class WholeDocumentPrintDialog : public QPrintDialog {
 public:
  WholeDocumentPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    setOption(QAbstractPrintDialog::PrintSelection, false);
    setOption(QAbstractPrintDialog::PrintPageRange, false);
    setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    setPrintRange(QAbstractPrintDialog::AllPages);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QPrintDialog::showEvent(event);
    auto* range = findChild<QGroupBox*>(QStringLiteral("gbPrintRange"));
    if (!range) return;
    for (QWidget* choice : range->findChildren<QWidget*>()) {
      auto* button = qobject_cast<QAbstractButton*>(choice);
      if (button && button->objectName() == QLatin1String("printAll")) button->setChecked(true);
      else choice->setEnabled(false);
    }
  }
};

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
  WholeDocumentPrintDialog dialog(&printer, parent);
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
