#pragma once

#include "forms/FormDialog.h"

class QLabel;
class QPushButton;

namespace brantel {

// The design names of the About window's controls, for its code and its tests.
namespace about {
inline constexpr char kIcon[] = "picIcon";
inline constexpr char kTitle[] = "lblTitle";
inline constexpr char kVersion[] = "lblVersion";
inline constexpr char kDescription[] = "lblDescription";
inline constexpr char kDisclaimer[] = "lblDisclaimer";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kSystemInfo[] = "cmdSysInfo";
}  // namespace about

// The About window: title, version, credits, and a button that starts the
// desktop's system-information program. OK closes it and shows its owner
// (the main window, when that opened it).
class AboutDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* owner = nullptr);

 private:
  void OnLoad();
  // OK closes the window and shows the window that opened it.
  void OnOkClicked();
  void OnSystemInfoClicked();
  // Starts the system-information program, or says that there is none.
  void StartSystemInfo();

  struct Ui {
    QLabel* icon;
    QLabel* title;
    QLabel* version;
    QLabel* description;
    QLabel* disclaimer;
  } ui_;
};

}  // namespace brantel
