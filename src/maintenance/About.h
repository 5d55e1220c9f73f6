#pragma once

#include "forms/FormDialog.h"

#include <QTimer>

class QLabel;
class QPushButton;

namespace brantel {

// The About window: title, version, credits, and a button that starts the
// desktop's system-information program. OK closes it and shows its owner
// (the main window, when that opened it).
class frmAbout : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner = nullptr);

 private:
  void Form_Load();
  void CmdOk_Click();
  void cmdSysInfo_Click();
  // Starts the system-information program, or says that there is none.
  void StartSysInfo();

  struct Ui {
    QLabel* icon;         // picIcon
    QLabel* title;        // lblTitle
    QLabel* version;      // lblVersion
    QLabel* description;  // lblDescription
    QLabel* disclaimer;   // lblDisclaimer
  } ui_;
  QTimer timer1_;
};

}  // namespace brantel
