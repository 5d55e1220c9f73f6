#pragma once

#include "core/RuntimeError.h"

#include <QByteArray>
#include <QDate>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace brantel {

// The update service on the maker's web server: the version file
// "brantel_version.txt" and the setup programs "brantel<version>.exe" in the
// folder UpdateFolderURL. Everything here is widget-free and asynchronous on
// the one user-interface thread; nothing here ever runs a downloaded file.

// --- Version texts.

// A version text is 1 to 9 ASCII digits: major, minor and the two-digit
// revision joined (2.1.05 is "2105").
inline constexpr int kMaxVersionDigits = 9;
bool IsValidVersionText(const QString& text);

// The version text of the version file's body: its first value (up to the
// first comma or line end), without surrounding blanks. Nothing when that is
// not a valid version text ("no valid version").
std::optional<QString> ReadVersionText(const QByteArray& body);

// The running program's version text (GetVersionString in digits alone).
QString CurrentVersionText();

// Compares two version texts as numbers: negative, 0 or positive as `a` is
// older than, equal to or newer than `b`. A text that is not a valid version
// counts as older than every valid one.
int CompareVersions(const QString& a, const QString& b);
bool IsNewerVersion(const QString& server, const QString& current);

// The release date of this version, 24 March 2023, and its display form.
QDate ReleaseDate();
QString ReleaseDateText();  // "24-Mar-2023"

// --- Names and places.

QString VersionFileName();                        // "brantel_version.txt"
QString SetupFileNameOf(const QString& version);  // "brantel2106.exe"
// UpdateFolderURL followed by the name; an invalid URL when the name is not
// a plain file name or the folder is not an http or https address.
QUrl UpdateFileUrl(const QString& name);
// The folder the setup programs are downloaded to: the desktop's Downloads
// folder (made when missing), else the user data folder. Ends with "/".
QString SetupDownloadFolder();

// The user agent of every request: the program file's name without
// extension.
QString UpdateUserAgent();

// The value of the download progress bar: the number of 16384-byte chunks
// received so far, modulo 100.
int ProgressBarValue(qint64 bytesReceived);

// Whether a redirect from one address to another may be followed: only to
// http or https, and never from https down to http.
bool RedirectAllowed(const QUrl& from, const QUrl& to);

// Every address a request goes to (redirects included) is first shown to
// this guard; one it refuses fails as an unreachable server. Empty: no
// guard. Returns the previous guard. The test programs allow the loopback
// addresses only.
using UpdateRequestGuard = std::function<bool(const QUrl& url)>;
UpdateRequestGuard SetUpdateRequestGuard(UpdateRequestGuard guard);
bool IsLoopbackUrl(const QUrl& url);

// --- Transfers.

struct TransferResult {
  enum class Status {
    Completed,         // HTTP 200 and the whole body
    ConnectionFailed,  // no connection, refused, or an address not allowed
    TimedOut,          // the server sent nothing for the time-out, or a check ran past its deadline
    HttpError,         // an answer other than 200 (httpStatus)
    Incomplete,        // the body ended before its announced length
    InsecureRedirect,  // a redirect from https to http or to another scheme
    TooLarge,          // more than the limit of the transfer (announced or received), or an answer header over its own
    FileError,         // the downloaded file could not be written (fileError)
    Aborted,           // stopped by the program
  };
  Status status = Status::ConnectionFailed;
  int httpStatus = 0;
  qint64 bytes = 0;                       // body bytes received
  QString detail;                         // the network layer's description, for the history
  std::optional<RuntimeError> fileError;  // with FileError: "Disk full" and the like

  bool Ok() const { return status == Status::Completed; }
};

struct VersionCheckResult {
  TransferResult transfer;
  std::optional<QString> serverVersion;  // when the file held a valid version
  QString currentVersion;

  bool Ok() const { return transfer.Ok(); }
  bool Newer() const { return serverVersion && IsNewerVersion(*serverVersion, currentVersion); }
};

struct SetupDownloadResult {
  TransferResult transfer;
  QString path;  // the setup file, there only when the transfer completed

  bool Ok() const { return transfer.Ok(); }
};

// One version check and one setup download at a time, each on its own
// request: no cache, the program's user agent, redirects only as
// RedirectAllowed says, a time-out while the server sends nothing, a
// deadline for the whole check, and a size limit for each. The answer's
// header is bounded as its body is (HttpAnswerReader::kHeaderLimit): a
// server that sends header lines without end fails the transfer as soon as
// they pass the limit.
class Updater : public QObject {
  Q_OBJECT

 public:
  // The default time-out while the server sends nothing.
  static constexpr int kDefaultTimeoutMs = 15000;
  // The longest a version check may take, however the server trickles.
  static constexpr int kDefaultCheckDeadlineMs = 30000;
  // The largest version file read.
  static constexpr qint64 kVersionFileLimit = 64 * 1024;
  // The largest setup program downloaded; a larger or endless answer stops
  // there and leaves no file.
  static constexpr qint64 kDefaultSetupLimit = qint64{256} * 1024 * 1024;

  explicit Updater(QObject* parent = nullptr);
  ~Updater() override;

  void SetTimeout(int milliseconds) { timeoutMs_ = milliseconds; }
  int Timeout() const { return timeoutMs_; }
  void SetCheckDeadline(int milliseconds) { checkDeadlineMs_ = milliseconds; }
  void SetSetupLimit(qint64 bytes) { setupLimit_ = bytes; }

  // Fetches the version file; versionChecked follows, always after this
  // call has returned. False (and no signal) when a check is running.
  bool CheckVersion();
  // Downloads the setup of `version` to `path`, each piece written as it
  // arrives into the temporary file of an AtomicFileWriter, committed only
  // when the whole body arrived; a broken transfer, a full disk or a body
  // over the limit leaves nothing behind and an older file of that name as
  // it was, and what a download killed midway leaves is removed at the
  // next start, as for any save. downloadProgress follows for every piece,
  // setupDownloaded at the end. False (and no signal) when a download is
  // running or the version text is not valid.
  bool DownloadSetup(const QString& version, const QString& path);

  bool Checking() const;
  bool Downloading() const;
  // Stops both transfers; their signals then report Aborted.
  void Abort();

 signals:
  void versionChecked(const brantel::VersionCheckResult& result);
  void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);  // total -1 when unknown
  void setupDownloaded(const brantel::SetupDownloadResult& result);

 private:
  class Transfer;

  int timeoutMs_ = kDefaultTimeoutMs;
  int checkDeadlineMs_ = kDefaultCheckDeadlineMs;
  qint64 setupLimit_ = kDefaultSetupLimit;
  Transfer* check_ = nullptr;  // children of this object while they run
  Transfer* download_ = nullptr;
};

}  // namespace brantel

Q_DECLARE_METATYPE(brantel::VersionCheckResult)
Q_DECLARE_METATYPE(brantel::SetupDownloadResult)
