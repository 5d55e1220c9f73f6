#pragma once

#include "forms/FormDialog.h"

class QPushButton;
class QTextEdit;

namespace brantel {

// "Calculation Results": pages through the output pages OutBuf(0) to
// OutBuf(OutBufLastPage), and copies or prints one page or all of them.
class frmTxtBox : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmTxtBox(QWidget* owner = nullptr);

  qint16 CurrentPage() const { return currentPage_; }

  // Shows the current page.
  void Loadbuffer();

  void Command2_Click();  // copy the page
  void Command3_Click();  // print the page
  void Command4_Click();  // next page
  void Command5_Click();  // previous page
  void Command6_Click();  // print all pages
  void Command7_Click();  // copy all pages

 protected:
  void LoadFromProject() override;
  bool event(QEvent* event) override;

 private:
  void Form_Load();
  // True when the pages were printed.
  bool PrintOutputPages(qint16 first, qint16 last);

  struct Ui {
    QTextEdit* view;        // RichTextBox1
    QPushButton* next;      // Command4
    QPushButton* previous;  // Command5
  } ui_;
  qint16 currentPage_ = 0;
  bool cancelled_ = false;
};

}  // namespace brantel
