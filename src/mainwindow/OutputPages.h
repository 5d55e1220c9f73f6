#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"

class QTextEdit;

namespace brantel {

// "Calculation Results": pages through the output pages OutBuf(0) to
// OutBuf(OutBufLastPage), and copies or prints one page or all of them.
class frmTxtBox : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmTxtBox(QWidget* owner = nullptr);

  const forms::FormLayout& Layout() const { return layout_; }
  QTextEdit* View() const;
  qint16 CurrentPage() const { return currentPage_; }

  // Shows the current page.
  void Loadbuffer();

  void Command1_Click();  // close
  void Command2_Click();  // copy the page
  void Command3_Click();  // print the page
  void Command4_Click();  // next page
  void Command5_Click();  // previous page
  void Command6_Click();  // print all pages
  void Command7_Click();  // copy all pages
  void Command8_Click();  // help

 protected:
  bool event(QEvent* event) override;

 private:
  void Form_Load();
  // True when the pages were printed.
  bool PrintOutputPages(qint16 first, qint16 last);
  void Enable(const char* name, bool enabled);

  forms::FormLayout layout_;
  qint16 currentPage_ = 0;
  bool cancelled_ = false;
};

}  // namespace brantel
