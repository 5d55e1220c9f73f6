#pragma once

#include "forms/FormDialog.h"
#include "mainwindow/TextView.h"

class QPushButton;
class QTextEdit;

namespace brantel {

// The design names of the output window's controls, for its code and its
// tests.
namespace outputpages {
inline constexpr const char* kView = textview::kName;
inline constexpr char kNext[] = "Command4";
inline constexpr char kPrevious[] = "Command5";
inline constexpr char kCopyPage[] = "Command2";
inline constexpr char kCopyAll[] = "Command7";
inline constexpr char kPrintPage[] = "Command3";
inline constexpr char kPrintAll[] = "Command6";
inline constexpr char kHelp[] = "Command8";
inline constexpr char kClose[] = "Command1";
}  // namespace outputpages

// "Calculation Results": pages through the output pages OutBuf(0) to
// OutBuf(OutBufLastPage), and copies or prints one page or all of them.
class OutputPagesWindow : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit OutputPagesWindow(QWidget* owner = nullptr);

  int CurrentPage() const { return currentPage_; }

  // Shows the current page.
  void ShowCurrentPage();

  // The buttons: Next and Previous page through the pages (neither goes
  // past either end); Copy and Print take the page shown or all of them.
  void OnNextPageClicked();
  void OnPreviousPageClicked();
  void OnCopyPageClicked();
  void OnCopyAllClicked();
  void OnPrintPageClicked();
  void OnPrintAllClicked();

 protected:
  void LoadFromProject() override;
  bool event(QEvent* event) override;

 private:
  void OnLoad();
  // True when the pages were printed.
  bool PrintOutputPages(int first, int last);

  struct Ui {
    QTextEdit* view;
    QPushButton* next;
    QPushButton* previous;
  } ui_;
  int currentPage_ = 0;
  bool cancelled_ = false;
};

}  // namespace brantel
