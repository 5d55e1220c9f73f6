#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"

class QTextEdit;

namespace brantel {

// The print preview: the first output page, read-only, with Copy to
// Clipboard and Print.
class frmPreview : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmPreview(QWidget* owner = nullptr);

  const forms::FormLayout& Layout() const { return layout_; }
  QTextEdit* View() const;
  bool PrintCancelled() const { return printCancelled_; }

  void Command1_Click();  // close
  void Command2_Click();  // copy the page to the clipboard
  void Command3_Click();  // print
  void Command8_Click();  // help

 private:
  void Form_Load();
  void PrintPreviewText();

  forms::FormLayout layout_;
  qint16 pageIndex_ = 0;
  bool printCancelled_ = false;
};

// The File menu's Print Preview (after the listing is built into page 0):
// the preview, modal, without an owner.
void ShowPrintPreview();

}  // namespace brantel
