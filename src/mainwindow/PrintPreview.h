#pragma once

#include "forms/FormDialog.h"
#include "mainwindow/TextView.h"

class QTextEdit;

namespace brantel {

// The design names of the print preview's controls, for its code and its
// tests.
namespace printpreview {
inline constexpr const char* kView = textview::kName;
inline constexpr char kCopyToClipboard[] = "Command2";
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
  void OnCopyToClipboardClicked();
  void OnPrintClicked();
  void PrintPreviewText();

  struct Ui {
    QTextEdit* view;
  } ui_;
  int pageIndex_ = 0;
  bool printCancelled_ = false;
};

}  // namespace brantel
