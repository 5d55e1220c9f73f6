#pragma once

#include "core/update/Updater.h"

#include <QDate>
#include <QObject>
#include <QString>

namespace brantel {

// What the program-update window does, without its widgets: the window
// shows the texts and the state below, and its events call the procedures.
// Every message goes through ShowMsg, so it is also a history line.

// The window's fixed texts (line breaks as CR LF).
struct UpdateWindowTexts {
  QString caption;      // "Program Update for BRANTEL"
  QString notice;       // the days since the release, and how to update
  QString info;         // the current version and its revision date
  QString lastVersion;  // the version on the server, before any check
  QString urlCaption;   // "URL to program web page:"
  QString url;          // the program's web page, WebPageURL
  QString check;        // the captions of the buttons and the check box
  QString download;
  QString install;
  QString ok;
  QString disableCheck;
};
UpdateWindowTexts UpdateWindowTextsFor(const QDate& today);

class UpdateController : public QObject {
  Q_OBJECT

 public:
  explicit UpdateController(QObject* parent = nullptr);
  ~UpdateController() override;

  // The transfers (their time-out, whether one is running).
  Updater& Transfers() { return updater_; }

  // --- What the window shows; changed() follows every change.
  const QString& LastVersionText() const { return lastVersion_; }  // the version on the server
  bool LastVersionRed() const { return lastVersionRed_; }          // shown in red
  const QString& BytesText() const { return bytes_; }              // the bytes received
  int ProgressValue() const { return progress_; }                  // of the download, 0..99
  bool DownloadEnabled() const { return downloadEnabled_; }        // the Download Update button
  bool InstallEnabled() const { return installEnabled_; }          // the Install Update button
  // The setup file in the downloads folder.
  QString SetupFilePath() const;

  // --- The window's steps.
  // Check for Updates: reads the version file; "Internet Connection Failed"
  // when that fails; otherwise the server's version against this one, with
  // the offer to download a newer one (downloaded without asking during
  // CheckAndInstall). A check that fails or reads no version leaves no
  // earlier version on show and nothing to download. Nothing while a check
  // runs.
  void Check();
  // Download Update: downloads the setup of the version read; on
  // success says where it is and enables the install step. A file that
  // cannot be written (a full disk) is reported, and Retry downloads again.
  // Nothing while a download runs or unless the last check found a newer
  // version.
  void DownloadUpdate();
  // Install Update: shows the setup file in its folder, says what to do
  // and asks to leave the program (leaveProgram); a missing file says so.
  // The setup file is never run.
  void Install();
  // The link: the program's web page in the desktop's browser.
  bool OpenWebPage();
  // The window unloads: stops the transfers; a ticked "Disable check for program
  // updates" turns the start-up check off; the [Settings] section is
  // written in every case.
  void Unload(bool disableStartupCheck);

  // The start-up path, after the user agreed to download and install: the
  // check, the download of a newer setup without asking, then the install
  // step, each with its messages, whatever their outcome. Nothing once the
  // window has unloaded.
  void CheckAndInstall();
  bool Installing() const { return silent_; }

 signals:
  void changed();
  void checkFinished();
  void downloadFinished(bool ok);
  // The install step asks to leave the program (the update window passes it
  // on to the main window, which closes the normal way).
  void leaveProgram();

 private:
  void VersionChecked(const VersionCheckResult& result);
  void ProcessVersion(const VersionCheckResult& result);
  void StartDownload();
  void Progress(qint64 received, qint64 total);
  void SetupDownloaded(const SetupDownloadResult& result);
  void ReadVersion(const QString& version);
  // The install step of CheckAndInstall, once its check and download are over.
  void FinishInstall();

  Updater updater_;
  bool checking_ = false;  // this controller's own check is running
  bool silent_ = false;    // CheckAndInstall runs
  bool unloaded_ = false;
  QString version_;
  QString setupFileName_;
  QString lastVersion_;
  bool lastVersionRed_ = false;
  QString bytes_;
  int progress_ = 0;
  bool downloadEnabled_ = false;
  bool installEnabled_ = false;
};

// The check at every start: asks the server for its version in the
// background (the main window shows at once and stays usable), writes
// "Server/Current: " to the history when the server named one, and when it
// is newer offers to download and install it; Yes is installAccepted(),
// which the main window answers with the update window.
class StartupUpdateCheck : public QObject {
  Q_OBJECT

 public:
  // A window that is never painted starts its check this long after the
  // event loop runs.
  static constexpr int kLatestStartMs = 3000;

  explicit StartupUpdateCheck(QObject* parent = nullptr);

  Updater& Transfers() { return updater_; }
  bool Started() const { return started_; }
  // Starts the check once; finished() follows when it is over.
  void Start();

 signals:
  void installAccepted();
  void finished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void VersionChecked(const VersionCheckResult& result);
  void Finish();

  Updater updater_;
  bool started_ = false;
  bool done_ = false;
};

// The start-up check under `window` (the main window): it starts from the
// event loop once the window has been painted for the first time, so that
// the window never waits for the network, and deletes itself when finished.
// Nothing when the setting YearlyUpdateReminder says no.
StartupUpdateCheck* StartUpdateCheckAtStartup(QObject* window);

}  // namespace brantel
