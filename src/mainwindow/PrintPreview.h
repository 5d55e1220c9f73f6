#pragma once

#include "forms/FormDialog.h"

class QTextEdit;

namespace brantel {

// The print preview: the first output page, read-only, with Copy to
// Clipboard and Print.
class frmPreview : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmPreview(QWidget* owner = nullptr);

  bool PrintCancelled() const { return printCancelled_; }

 protected:
  // Shows the first output page.
  void LoadFromProject() override;

 private:
  void Form_Load();
  void Command2_Click();  // copy the page to the clipboard
  void Command3_Click();  // print
  void PrintPreviewText();

  struct Ui {
    QTextEdit* view;  // RichTextBox1
  } ui_;
  qint16 pageIndex_ = 0;
  bool printCancelled_ = false;
};

}  // namespace brantel
