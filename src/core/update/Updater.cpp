#include "core/update/Updater.h"

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/platform/Desktop.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace brantel {
namespace {

UpdateRequestGuard& Guard() {
  static UpdateRequestGuard guard;
  return guard;
}

bool Allowed(const QUrl& url) {
  if (!url.isValid() || url.host().isEmpty()) return false;
  const QString scheme = url.scheme();
  if (scheme != u"http" && scheme != u"https") return false;
  return !Guard() || Guard()(url);
}

// The value of a version text; -1 when it is not one.
qint64 VersionValue(const QString& text) {
  if (!IsValidVersionText(text)) return -1;
  return text.toLongLong();
}

}  // namespace

// --- Version texts.

bool IsValidVersionText(const QString& text) {
  if (text.isEmpty() || text.size() > kMaxVersionDigits) return false;
  for (const QChar c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

std::optional<QString> ReadVersionText(const QByteArray& body) {
  qsizetype end = body.size();
  for (const char stop : {',', '\r', '\n'}) {
    const qsizetype at = body.indexOf(stop);
    if (at >= 0 && at < end) end = at;
  }
  const QString text = QString::fromLatin1(body.left(end)).trimmed();
  if (!IsValidVersionText(text)) return std::nullopt;
  return text;
}

QString CurrentVersionText() { return GetVersionString(VersionForm::Digits); }

int CompareVersions(const QString& a, const QString& b) {
  const qint64 x = VersionValue(a);
  const qint64 y = VersionValue(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

bool IsNewerVersion(const QString& server, const QString& current) {
  return IsValidVersionText(server) && CompareVersions(server, current) > 0;
}

QDate ReleaseDate() { return QDate(2023, 3, 24); }

QString ReleaseDateText() { return QLocale::c().toString(ReleaseDate(), QStringLiteral("dd-MMM-yyyy")); }

// --- Names and places.

QString VersionFileName() { return QStringLiteral("brantel_version.txt"); }

QString SetupFileNameOf(const QString& version) { return QStringLiteral("brantel") + version + QStringLiteral(".exe"); }

QUrl UpdateFileUrl(const QString& name) {
  if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u'?') || name.contains(u'#') ||
      name.contains(u'%') || name.startsWith(u'.'))
    return QUrl();
  const QUrl folder(UpdateFolderURL, QUrl::StrictMode);
  if (!folder.isValid() || !UpdateFolderURL.endsWith(u'/')) return QUrl();
  if (folder.scheme() != u"http" && folder.scheme() != u"https") return QUrl();
  return QUrl(UpdateFolderURL + name, QUrl::StrictMode);
}

QString SetupDownloadFolder() {
  if (const std::optional<QString> folder = platform::DownloadsFolder()) return WithTrailingSlash(*folder);
  return UserFolder;
}

QString UpdateUserAgent() {
  const QString name =
      QCoreApplication::instance() ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() : QString();
  return name.isEmpty() ? QStringLiteral("brantel") : name;
}

int ProgressBarValue(qint64 bytesReceived) {
  constexpr qint64 kChunk = 16384;
  if (bytesReceived <= 0) return 0;
  return static_cast<int>(((bytesReceived + kChunk - 1) / kChunk) % 100);
}

bool RedirectAllowed(const QUrl& from, const QUrl& to) {
  if (!to.isValid() || to.host().isEmpty()) return false;
  const QString scheme = to.scheme();
  if (scheme == u"https") return true;
  return scheme == u"http" && from.scheme() != u"https";
}

UpdateRequestGuard SetUpdateRequestGuard(UpdateRequestGuard guard) {
  UpdateRequestGuard previous = std::move(Guard());
  Guard() = std::move(guard);
  return previous;
}

bool IsLoopbackUrl(const QUrl& url) {
  const QString host = url.host();
  if (host.compare(u"localhost", Qt::CaseInsensitive) == 0) return true;
  const QHostAddress address(host);
  return !address.isNull() && address.isLoopback();
}

// --- One request.

// One GET into memory (up to a limit) or into a file through an
// AtomicFileWriter, piece by piece as it arrives. The result is reported
// once, through `done`, never from inside the call that started the
// transfer.
class Updater::Transfer : public QObject {
 public:
  using Done = std::function<void(Transfer*, const TransferResult&)>;
  using Progress = std::function<void(qint64, qint64)>;

  Transfer(QObject* parent, int timeoutMs, Done done) : QObject(parent), done_(std::move(done)) {
    timer_.setSingleShot(true);
    timer_.setInterval(timeoutMs);
    timer_.callOnTimeout(this, [this] { Stop(TransferResult::Status::TimedOut); });
    deadline_.setSingleShot(true);
    deadline_.callOnTimeout(this, [this] { Stop(TransferResult::Status::TimedOut); });
  }

  ~Transfer() override {
    done_ = nullptr;
    if (reply_) {
      reply_->disconnect(this);
      reply_->abort();
      delete reply_;
    }
  }

  void ToMemory(qint64 limit) { limit_ = limit; }
  void ToFile(const QString& path, qint64 limit, Progress progress) {
    path_ = path;
    limit_ = limit;
    progress_ = std::move(progress);
  }
  // The whole transfer ends by then, however the server trickles.
  void SetDeadline(int milliseconds) { deadline_.setInterval(milliseconds); }

  void Start(QNetworkAccessManager& network, const QUrl& url) {
    current_ = url;
    if (!Allowed(url))
      return FailLater(TransferResult::Status::ConnectionFailed, QStringLiteral("address not allowed"));
    if (!path_.isEmpty()) {
      file_.emplace();
      if (const std::optional<RuntimeError> error = file_->Open(path_)) {
        FileFailed(*error);
        return FailLater(TransferResult::Status::FileError, detail_);
      }
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, UpdateUserAgent());
    // From the server itself, never from a cache on the way, and as it is
    // stored (no compression, so the announced length is the body's).
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setRawHeader("Accept-Encoding", "identity");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);

    reply_ = network.get(request);
    reply_->setParent(this);
    connect(reply_, &QNetworkReply::metaDataChanged, this, [this] {
      timer_.start();
      // An announced body over the limit is not fetched at all.
      bool known = false;
      const qint64 length = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
      if (known && length > limit_ && Status() == 200) StopSoon(TransferResult::Status::TooLarge);
    });
    connect(reply_, &QNetworkReply::readyRead, this, &Transfer::Read);
    connect(reply_, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
      timer_.start();
      if (progress_ && Status() == 200) progress_(received, total);
    });
    connect(reply_, &QNetworkReply::redirected, this, &Transfer::Redirected);
    connect(reply_, &QNetworkReply::finished, this, &Transfer::Finished);
    timer_.start();
    if (deadline_.interval() > 0) deadline_.start();
  }

  // Stops the transfer; it reports `reason`.
  void Stop(TransferResult::Status reason) {
    if (finished_) return;
    reason_ = reason;
    if (reply_ && reply_->isRunning()) reply_->abort();  // reports through Finished
    Finish();                                            // when the reply did not, or there is none
  }

  // Stop from inside a signal of the reply: the reply is aborted once that
  // signal is over; what arrives meanwhile is dropped.
  void StopSoon(TransferResult::Status reason) {
    if (finished_ || reason_) return;
    reason_ = reason;
    QTimer::singleShot(0, this, [this, reason] { Stop(reason); });
  }

  const QByteArray& Body() const { return body_; }

  // Leaves its owner and goes once the event loop is back: whoever is told
  // of the result may delete the owner meanwhile.
  void Retire() {
    setParent(nullptr);
    deleteLater();
  }

 private:
  int Status() const { return reply_ ? reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0; }

  // The setup file could not be written: the error names the file.
  void FileFailed(const RuntimeError& error) {
    fileError_ = RuntimeError(error.Number(), error.Description() + QStringLiteral(": ") + ShownText(path_, 1024));
    detail_ = fileError_->Description();
  }

  void FailLater(TransferResult::Status status, const QString& detail) {
    reason_ = status;
    detail_ = detail;
    QTimer::singleShot(0, this, [this] { Finish(); });
  }

  void Redirected(const QUrl& target) {
    timer_.start();
    const QUrl next = current_.resolved(target);
    if (!RedirectAllowed(current_, next)) {
      detail_ = QStringLiteral("redirect to ") + next.toString();
      return StopSoon(TransferResult::Status::InsecureRedirect);
    }
    if (!Allowed(next)) {
      detail_ = QStringLiteral("address not allowed");
      return StopSoon(TransferResult::Status::ConnectionFailed);
    }
    current_ = next;
    emit reply_->redirectAllowed();
  }

  void Read() {
    timer_.start();
    const int status = Status();
    if (status >= 300 && status < 400) {
      reply_->readAll();  // the body of a redirect
      return;
    }
    if (status != 200) {
      reply_->readAll();
      return StopSoon(TransferResult::Status::HttpError);
    }
    Take(reply_->readAll());
  }

  void Take(const QByteArray& data) {
    if (data.isEmpty() || reason_) return;
    received_ += data.size();
    if (received_ > limit_) return StopSoon(TransferResult::Status::TooLarge);
    if (file_) {
      if (const std::optional<RuntimeError> error = file_->Write(data)) {
        FileFailed(*error);
        StopSoon(TransferResult::Status::FileError);
      }
      return;
    }
    body_ += data;
  }

  void Finished() {
    if (!reason_ && reply_->error() == QNetworkReply::NoError && Status() == 200) Take(reply_->readAll());
    Finish();
  }

  void Finish() {
    if (finished_) return;
    finished_ = true;
    timer_.stop();
    deadline_.stop();
    TransferResult result;
    result.bytes = received_;
    result.httpStatus = Status();
    result.detail = detail_;
    if (reply_ && result.detail.isEmpty() && reply_->error() != QNetworkReply::NoError)
      result.detail = reply_->errorString();
    result.status = Judge(result.httpStatus);
    if (file_) {
      // Every byte synced and its answer read before the rename: a full
      // disk never leaves a short setup file in place.
      if (result.Ok()) {
        if (const std::optional<RuntimeError> error = file_->Commit()) {
          result.status = TransferResult::Status::FileError;
          FileFailed(*error);
          result.detail = detail_;
        }
      }
      file_.reset();  // an uncommitted temporary file is removed here
    }
    if (result.status == TransferResult::Status::FileError) result.fileError = fileError_;
    if (!result.Ok()) body_.clear();
    // A copy: whoever is told may delete this transfer's owner.
    if (const Done done = done_) done(this, result);
  }

  TransferResult::Status Judge(int httpStatus) const {
    using S = TransferResult::Status;
    if (reason_) return *reason_;
    if (!reply_) return S::ConnectionFailed;
    if (reply_->error() == QNetworkReply::OperationCanceledError) return S::Aborted;
    if (httpStatus != 0 && httpStatus != 200) return S::HttpError;
    if (reply_->error() == QNetworkReply::InsecureRedirectError) return S::InsecureRedirect;
    if (reply_->error() != QNetworkReply::NoError) return httpStatus == 200 ? S::Incomplete : S::ConnectionFailed;
    if (httpStatus != 200) return S::HttpError;
    // A body shorter than its announced length is incomplete.
    bool known = false;
    const qint64 length = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && length != received_) return S::Incomplete;
    return S::Completed;
  }

  Done done_;
  Progress progress_;
  QTimer timer_;
  QTimer deadline_;
  QPointer<QNetworkReply> reply_;
  QUrl current_;
  qint64 limit_ = 0;
  QString path_;
  std::optional<AtomicFileWriter> file_;
  QByteArray body_;
  qint64 received_ = 0;
  std::optional<TransferResult::Status> reason_;
  QString detail_;
  std::optional<RuntimeError> fileError_;
  bool finished_ = false;
};

// --- The updater.

Updater::Updater(QObject* parent) : QObject(parent) {
  qRegisterMetaType<VersionCheckResult>();
  qRegisterMetaType<SetupDownloadResult>();
}

Updater::~Updater() {
  // Transfers stopped here report nothing.
  for (Transfer* transfer : {check_, download_}) delete transfer;
}

QNetworkAccessManager& Updater::Network() {
  if (!network_) network_ = new QNetworkAccessManager(this);
  return *network_;
}

bool Updater::Checking() const { return check_ != nullptr; }

bool Updater::Downloading() const { return download_ != nullptr; }

bool Updater::CheckVersion() {
  if (check_) return false;
  check_ = new Transfer(this, timeoutMs_, [this](Transfer* transfer, const TransferResult& transfered) {
    VersionCheckResult result;
    result.transfer = transfered;
    result.currentVersion = CurrentVersionText();
    if (transfered.Ok()) result.serverVersion = ReadVersionText(transfer->Body());
    check_ = nullptr;
    transfer->Retire();
    emit versionChecked(result);
  });
  check_->ToMemory(kVersionFileLimit);
  check_->SetDeadline(checkDeadlineMs_);
  check_->Start(Network(), UpdateFileUrl(VersionFileName()));
  return true;
}

bool Updater::DownloadSetup(const QString& version, const QString& path) {
  if (download_ || !IsValidVersionText(version) || path.isEmpty()) return false;
  download_ = new Transfer(this, timeoutMs_, [this, path](Transfer* transfer, const TransferResult& transfered) {
    SetupDownloadResult result;
    result.transfer = transfered;
    if (transfered.Ok()) result.path = path;
    download_ = nullptr;
    transfer->Retire();
    emit setupDownloaded(result);
  });
  download_->ToFile(path, setupLimit_,
                    [this](qint64 received, qint64 total) { emit downloadProgress(received, total); });
  download_->Start(Network(), UpdateFileUrl(SetupFileNameOf(version)));
  return true;
}

void Updater::Abort() {
  // Each reports Aborted and clears its pointer on the way.
  if (check_) check_->Stop(TransferResult::Status::Aborted);
  if (download_) download_->Stop(TransferResult::Status::Aborted);
}

}  // namespace brantel
