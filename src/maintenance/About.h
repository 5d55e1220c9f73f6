#pragma once

#include "forms/FormDialog.h"

#include <QTimer>

#include <memory>

class QLabel;
class QPushButton;

namespace brantel {

namespace forms {
class FormLayout;
}

// The About window: title, version, credits, and a button that starts the
// desktop's system-information program.
class frmAbout : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* owner = nullptr);
  ~frmAbout() override;

  void Form_Load();
  void CmdOk_Click();
  void cmdSysInfo_Click();
  // Starts the system-information program, or says that there is none.
  void StartSysInfo();

  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QLabel* picIcon = nullptr;
  QPushButton* CmdOk = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QTimer Timer1;

 private:
  std::unique_ptr<forms::FormLayout> layout_;
};

}  // namespace brantel
