#pragma once

#include "forms/FormDialog.h"

class QCheckBox;
class QLabel;

namespace brantel {

// The design names of the disclaimer's controls, for its code and its tests.
namespace disclaimer {
inline constexpr char kText[] = "lblDisclaimer";
inline constexpr char kDoNotShowAgain[] = "chkShow";
inline constexpr char kAccept[] = "Command1";
inline constexpr char kDecline[] = "cmdNoAccept";
}  // namespace disclaimer

// The disclaimer of liability that the user accepts before using the
// program. "Accept and Continue" accepts; "Do not Accept and Exit", Esc and
// the close box decline. Accepting with the box ticked turns the disclaimer
// off for later starts.
class DisclaimerDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit DisclaimerDialog(QWidget* owner = nullptr);

 protected:
  // Writes the setting when accepted with the box ticked.
  void CommitToProject() override;

 private:
  void OnLoad();

  struct Ui {
    QLabel* disclaimer;
    QCheckBox* doNotShowAgain;
  } ui_;
};

// The disclaimer's text, with CR LF line ends.
QString DisclaimerText();

// Shows the disclaimer modally, without an owner. True when the user
// accepted; the caller ends the program (at start-up) or closes the main
// window (from the Help menu) otherwise.
bool ShowDisclaimer();

}  // namespace brantel
