#pragma once

#include "forms/FormDialog.h"
#include "mainwindow/RichTextBox.h"

class QTextEdit;

namespace brantel {

// The design names of the print preview's controls, for its code and its
// tests.
namespace printpreview {
inline constexpr const char* kView = richtextbox::kName;  // the pages shown
inline constexpr char kCopy[] = "Command2";               // copy to the clipboard
inline constexpr char kPrint[] = "Command3";
inline constexpr char kHelp[] = "Command8";
inline constexpr char kClose[] = "Command1";
}  // namespace printpreview

// The print preview: the first output page, read-only, with Copy to
// Clipboard and Print.
class PrintPreview : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit PrintPreview(QWidget* owner = nullptr);

  bool PrintCancelled() const { return printCancelled_; }

 protected:
  // Shows the first output page.
  void LoadFromProject() override;

 private:
  void OnLoad();
  void Command2_Click();  // copy the page to the clipboard
  void Command3_Click();  // print
  void PrintPreviewText();

  struct Ui {
    QTextEdit* view;
  } ui_;
  qint16 pageIndex_ = 0;
  bool printCancelled_ = false;
};

}  // namespace brantel
