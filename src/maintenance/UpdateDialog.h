#pragma once

#include "core/update/UpdateController.h"
#include "forms/FormDialog.h"

#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace brantel {

// The design names of the program-update window's controls, for its code
// and its tests.
namespace update {
inline constexpr char kAgeNotice[] = "lblUpdate";     // how old this version is
inline constexpr char kVersionInfo[] = "lblInfo";     // this version and its date
inline constexpr char kLastVersion[] = "lblLastVer";  // the version on the server
inline constexpr char kWebPageLinkLabel[] = "Label1";
inline constexpr char kWebPageLink[] = "lblURL";
inline constexpr char kProgress[] = "ProgressBar1";
inline constexpr char kBytesReceived[] = "lblbytes";
inline constexpr char kCheckForUpdates[] = "cmdCheck";
inline constexpr char kDownloadUpdate[] = "cmdDownUpdate";
inline constexpr char kInstallUpdate[] = "cmdInstall";
inline constexpr char kOk[] = "Command1";
inline constexpr char kDisableCheck[] = "chkShow";  // for program updates at start-up
}  // namespace update

// The program-update window: how old this version is, the check of the
// version file on the maker's web server, the download of a newer setup
// program into the Downloads folder with its progress, and the install
// step, which shows the setup program in its folder and then asks to leave
// the program (leaveProgram; the main window connects it to its normal
// close path). The procedures are the UpdateController's; this window shows
// their state and passes its events on. English texts only. The Help menu shows it modally; the start-up check
// shows it beside the main window and drives its steps (ShowStartupUpdate).
class UpdateDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit UpdateDialog(QWidget* owner = nullptr);
  ~UpdateDialog() override;

  UpdateController& Controller() { return controller_; }

  // The buttons pass the user's steps on to the controller: the check, the
  // download and the install step.
  void OnCheckForUpdatesClicked();
  void OnDownloadUpdateClicked();
  void OnInstallUpdateClicked();

 signals:
  // The install step asks to leave the program; this window has unloaded.
  void leaveProgram();

 protected:
  // Stops the transfers and writes the [Settings] section, with the start-up
  // check off when "Disable check for program updates" is ticked; on every
  // unload (OK, Esc, the close box).
  void FormUnload() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnLoad();
  // The link clicked, or Space or Enter pressed on it: the web page opens.
  void OnWebPageLinkClicked();
  // The link underlined while the pointer is over it.
  void OnWebPageLinkHovered(bool over);
  // Shows the controller's state.
  void Refresh();
  // The install step asked to leave: this window goes first, then
  // leaveProgram.
  void LeaveProgram();

  struct Ui {
    QLabel* ageNotice;
    QLabel* versionInfo;
    QLabel* lastVersion;
    QLabel* webPageLink;
    QLabel* bytesReceived;
    QProgressBar* progress;
    QPushButton* checkForUpdates;
    QPushButton* downloadUpdate;
    QPushButton* installUpdate;
    QCheckBox* disableCheck;
  } ui_;
  UpdateController controller_;
};

// The start-up check's Yes: the update window, without owner and not modal
// (the one open already, when there is one), runs its check, downloads a
// newer setup without asking and then runs its install step, showing their
// progress and messages. It is deleted once it has unloaded. A window it
// opens calls `leaveProgram` when its install step asks to leave.
UpdateDialog* ShowStartupUpdate(const std::function<void()>& leaveProgram);

}  // namespace brantel
