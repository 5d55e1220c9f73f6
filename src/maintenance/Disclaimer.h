#pragma once

#include "forms/FormDialog.h"

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace brantel {

namespace forms {
class FormLayout;
}

// The disclaimer of liability that the user accepts before using the
// program. "Accept and Continue" accepts; "Do not Accept and Exit", Esc and
// the close box decline. Accepting with the box ticked turns the disclaimer
// off for later starts.
class frmDisclaimer : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmDisclaimer(QWidget* owner = nullptr);
  ~frmDisclaimer() override;

  void Form_Load();
  void Command1_Click();
  void cmdNoAccept_Click();

  QLabel* lblDisclaimer = nullptr;
  QCheckBox* chkShow = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* cmdNoAccept = nullptr;

 protected:
  void FormUnload() override;

 private:
  std::unique_ptr<forms::FormLayout> layout_;
};

// The disclaimer's text, with CR LF line ends.
QString DisclaimerText();

// Shows the disclaimer modally, without an owner. True when the user
// accepted; the caller ends the program (at start-up) or closes the main
// window (from the Help menu) otherwise.
bool ShowDisclaimer();

}  // namespace brantel
