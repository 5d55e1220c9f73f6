#include "core/update/UpdateController.h"

#include "core/ErrorReporting.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/platform/Launcher.h"

#include <QEvent>
#include <QTimer>

namespace brantel {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The version label before any check, and after one that read no version.
QString NoVersionText() { return QStringLiteral("Version Available: "); }

QString CompletedText(const QString& path) { return QStringLiteral("Download completed. Program at: ") + path; }

QString NotFoundText(const QString& path) {
  return QStringLiteral("Update file: ") + path + QStringLiteral(" not found");
}

}  // namespace

UpdateWindowTexts UpdateWindowTextsFor(const QDate& today) {
  UpdateWindowTexts t;
  t.caption = QStringLiteral("Program Update for ") + AppNameUpper;
  const QString hint = QStringLiteral("You may manually update ") +
                       QStringLiteral("the program by downloading and installing the new setup file.");
  t.notice = QStringLiteral("This version was released ") + QString::number(ReleaseDate().daysTo(today)) +
             QStringLiteral(" days ago. ") +
             QStringLiteral(
                 "Although major updates may not be scheduled, interim updates may be released with "
                 "bug fixes. ") +
             QStringLiteral(
                 "Check for an updated version by visiting the program web page below or click on "
                 "'Check for updates'.  ") +
             kCrLf + kCrLf + hint;
  t.info = QStringLiteral("Current Program Version: ") + CurrentVersionText() + kCrLf +
           QStringLiteral("Current Revision Date: ") + ReleaseDateText();
  t.lastVersion = NoVersionText();
  t.urlCaption = QStringLiteral("URL to program web page:");
  t.url = WebPageURL;
  t.check = QStringLiteral("Check for Updates");
  t.download = QStringLiteral("Download Update");
  t.install = QStringLiteral("Install Update");
  t.ok = QStringLiteral("OK");
  t.disableCheck = QStringLiteral("Disable check for program updates");
  return t;
}

// --- The window's procedures.

UpdateController::UpdateController(QObject* parent) : QObject(parent) {
  lastVersion_ = NoVersionText();
  connect(&updater_, &Updater::versionChecked, this, &UpdateController::VersionChecked);
  connect(&updater_, &Updater::downloadProgress, this, &UpdateController::Progress);
  connect(&updater_, &Updater::setupDownloaded, this, &UpdateController::SetupDownloaded);
}

UpdateController::~UpdateController() {
  unloaded_ = true;
  updater_.disconnect(this);
}

QString UpdateController::SetupFilePath() const { return SetupDownloadFolder() + setupFileName_; }

void UpdateController::Check() {
  if (unloaded_ || checking_) return;
  checking_ = updater_.CheckVersion();
}

void UpdateController::VersionChecked(const VersionCheckResult& result) {
  if (!checking_) return;  // the start-up check's own
  checking_ = false;
  if (unloaded_) return;
  if (!result.Ok()) {
    // The window shows what this check found: no version, nothing to
    // download.
    lastVersion_ = QStringLiteral("Internet Connection Failed");
    lastVersionRed_ = true;
    downloadEnabled_ = false;
    emit changed();
  } else {
    ProcessVersion(result);
  }
  emit checkFinished();
  if (silent_ && !updater_.Downloading()) FinishInstall();
}

void UpdateController::ReadVersion(const QString& version) {
  if (version != version_) installEnabled_ = false;  // that setup is not yet here
  version_ = version;
  setupFileName_ = SetupFileNameOf(version);
}

void UpdateController::ProcessVersion(const VersionCheckResult& result) {
  lastVersionRed_ = true;
  if (!result.serverVersion) {
    // No version read: none shown, nothing to download.
    lastVersion_ = NoVersionText();
    downloadEnabled_ = false;
    emit changed();
    ShowMsg(QStringLiteral("Invalid information for new version. Check with developer."), Buttons::OkCancel);
    return;
  }
  const QString& server = *result.serverVersion;
  ReadVersion(server);
  lastVersion_ =
      QStringLiteral("Server Version: ") + server + QStringLiteral(" / Current Version: ") + result.currentVersion;
  // Only a newer version can be downloaded.
  downloadEnabled_ = result.Newer();
  emit changed();
  if (!result.Newer()) {
    ShowMsg(QStringLiteral("Program is up to date"), Buttons::OkCancel);
    return;
  }
  // During CheckAndInstall the user has agreed already.
  if (silent_ || ShowMsg(QStringLiteral("A new version is available. Download?"),
                         BoxStyle{Buttons::YesNoCancel, Icon::Question}) == Answer::Yes)
    StartDownload();
}

void UpdateController::DownloadUpdate() {
  if (unloaded_ || !downloadEnabled_ || updater_.Downloading()) return;
  StartDownload();
}

void UpdateController::CheckAndInstall() {
  if (unloaded_ || silent_ || checking_) return;
  silent_ = true;
  Check();
  if (!checking_) FinishInstall();
}

void UpdateController::FinishInstall() {
  if (!silent_ || unloaded_) return;
  Install();
  silent_ = false;
}

void UpdateController::StartDownload() {
  bytes_.clear();
  progress_ = 0;
  if (!updater_.DownloadSetup(version_, SetupFilePath())) return;
  emit changed();
}

void UpdateController::Progress(qint64 received, qint64 total) {
  if (unloaded_) return;
  bytes_ = QString::number(received);
  progress_ = ProgressBarValue(received);
  emit changed();
}

void UpdateController::SetupDownloaded(const SetupDownloadResult& result) {
  if (unloaded_) return;
  if (result.Ok()) {
    installEnabled_ = true;
    emit changed();
    ShowMsg(CompletedText(result.path), Buttons::Ok);
  } else if (result.transfer.fileError) {
    // The file could not be written here (a full disk): nothing of it is
    // left, and Retry downloads it again.
    if (ReportError(*result.transfer.fileError, true) == NextStep::Retry && !unloaded_) {
      StartDownload();
      if (updater_.Downloading()) return;
    }
  }
  // Any other failure is silent: the install step stays disabled.
  emit downloadFinished(result.Ok());
  FinishInstall();
}

void UpdateController::Install() {
  if (unloaded_) return;
  const QString path = SetupFilePath();
  if (setupFileName_.isEmpty() || !FileExists(path)) {
    ShowMsg(NotFoundText(path), Buttons::Ok);
    return;
  }
  platform::ShowFileInFolder(path);
  ShowMsg(QStringLiteral("The setup program of the new version is shown in its folder: ") + path + kCrLf + kCrLf +
              QStringLiteral("Brantel will now close. Run the setup program to install the new version."),
          Buttons::Ok);
  emit leaveProgram();
}

bool UpdateController::OpenWebPage() { return platform::OpenUrl(QUrl(WebPageURL)); }

void UpdateController::Unload(bool disableStartupCheck) {
  unloaded_ = true;
  checking_ = false;
  updater_.Abort();
  if (disableStartupCheck) YearlyUpdateReminder = false;
  SaveSettings(SettingsPart::Main);
}

// --- The start-up check.

StartupUpdateCheck::StartupUpdateCheck(QObject* parent) : QObject(parent) {
  connect(&updater_, &Updater::versionChecked, this, &StartupUpdateCheck::VersionChecked);
}

void StartupUpdateCheck::Start() {
  if (started_) return;
  started_ = true;
  if (parent()) parent()->removeEventFilter(this);
  if (!updater_.CheckVersion()) Finish();
}

bool StartupUpdateCheck::eventFilter(QObject* watched, QEvent* event) {
  // The window's first paint: the check starts once it is on the screen.
  if (watched == parent() && event->type() == QEvent::Paint && !started_) {
    watched->removeEventFilter(this);
    QTimer::singleShot(0, this, &StartupUpdateCheck::Start);
  }
  return false;
}

void StartupUpdateCheck::VersionChecked(const VersionCheckResult& result) {
  // A failed check ends without a word.
  if (!result.Ok() || !result.serverVersion) return Finish();
  const QString& server = *result.serverVersion;
  AddHistoryLine(QStringLiteral("Server/Current: ") + server + u'/' + result.currentVersion);
  if (!result.Newer()) return Finish();
  const QString question =
      QStringLiteral("A new ") + AppNameUpper + QStringLiteral(" version is available. ") + kCrLf + kCrLf +
      QStringLiteral(
          "Note that in order to download and install you may need administrator priviledges and/or "
          "Windows may ask you for permission to do so. ") +
      kCrLf + kCrLf + QStringLiteral("Proceed with Download and Install?");
  if (ShowMsg(question, BoxStyle{Buttons::YesNoCancel, Icon::Question}) == Answer::Yes) emit installAccepted();
  Finish();
}

void StartupUpdateCheck::Finish() {
  if (done_) return;
  done_ = true;
  emit finished();
}

StartupUpdateCheck* StartUpdateCheckAtStartup(QObject* window) {
  if (!YearlyUpdateReminder) return nullptr;
  auto* check = new StartupUpdateCheck(window);
  QObject::connect(check, &StartupUpdateCheck::finished, check, &QObject::deleteLater);
  if (window) window->installEventFilter(check);
  // A window that is never painted (minimised at start) still gets its
  // check; the timer starts with the event loop.
  QTimer::singleShot(
      0, check, [check] { QTimer::singleShot(StartupUpdateCheck::kLatestStartMs, check, &StartupUpdateCheck::Start); });
  return check;
}

}  // namespace brantel
