#include "core/forms/FormDialog.h"

#include <QCloseEvent>

namespace brantel {

FormDialog::FormDialog(QWidget* owner) : QDialog(owner) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormDialog::showEvent(QShowEvent* event) {
  unloaded_ = false;
  QDialog::showEvent(event);
}

void FormDialog::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  FormUnload();
  done(accepted_ ? QDialog::Accepted : QDialog::Rejected);
}

void FormDialog::AcceptAndUnload() {
  accepted_ = true;
  Unload();
}

void FormDialog::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

}  // namespace brantel
