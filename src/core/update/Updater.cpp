#include "core/update/Updater.h"

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/platform/Desktop.h"
#include "core/update/HttpAnswerReader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QLocale>
#include <QSslSocket>
#include <QTcpSocket>
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

// A text as the value of a request's header line: UTF-8 without the control
// characters that would end the line.
QByteArray HeaderValue(const QString& text) {
  QByteArray value = text.toUtf8();
  value.removeIf([](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  return value;
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
// AtomicFileWriter, piece by piece as it arrives. Each address (the first and
// every redirect's) gets a connection of its own, TLS with the system's
// certificates for https, on which one request is sent; its answer is read by
// an HttpAnswerReader, so that a header without end stops at the reader's
// limit as a body stops at the transfer's. The result is reported once,
// through `done`, never from inside the call that started the transfer.
class Updater::Transfer : public QObject {
 public:
  using Done = std::function<void(Transfer*, const TransferResult&)>;
  using Progress = std::function<void(qint64, qint64)>;

  // The most redirects followed for one transfer.
  static constexpr int kMaxRedirects = 5;

  Transfer(QObject* parent, int timeoutMs, Done done) : QObject(parent), done_(std::move(done)) {
    timer_.setSingleShot(true);
    timer_.setInterval(timeoutMs);
    timer_.callOnTimeout(this, [this] { Stop(TransferResult::Status::TimedOut); });
    deadline_.setSingleShot(true);
    deadline_.callOnTimeout(this, [this] { Stop(TransferResult::Status::TimedOut); });
  }

  ~Transfer() override {
    done_ = nullptr;
    CloseConnection();
  }

  void ToMemory(qint64 limit) { limit_ = limit; }
  void ToFile(const QString& path, qint64 limit, Progress progress) {
    path_ = path;
    limit_ = limit;
    progress_ = std::move(progress);
  }
  // The whole transfer ends by then, however the server trickles.
  void SetDeadline(int milliseconds) { deadline_.setInterval(milliseconds); }

  void Start(const QUrl& url) {
    current_ = url;
    if (!Allowed(url))
      return FailLater(TransferResult::Status::ConnectionFailed, QStringLiteral("address not allowed"));
    if (!path_.isEmpty()) {
      file_.emplace();
      if (const std::optional<RuntimeError> error = file_->Open(path_, LinkAtPath::Replaced)) {
        FileFailed(*error);
        return FailLater(TransferResult::Status::FileError, detail_);
      }
    }
    Connect();
    timer_.start();
    if (deadline_.interval() > 0) deadline_.start();
  }

  // Stops the transfer; it reports `reason`.
  void Stop(TransferResult::Status reason) {
    if (finished_) return;
    reason_ = reason;
    Finish();
  }

  const QByteArray& Body() const { return body_; }

  // Leaves its owner and goes once the event loop is back: whoever is told
  // of the result may delete the owner meanwhile.
  void Retire() {
    setParent(nullptr);
    deleteLater();
  }

 private:
  // Opens a connection to current_ and sends the request once it is up.
  void Connect() {
    answer_ = HttpAnswerReader();
    const bool secure = current_.scheme() == u"https";
    const quint16 port = static_cast<quint16>(current_.port(secure ? 443 : 80));
    if (secure) {
      auto* socket = new QSslSocket(this);
      socket_ = socket;
      connect(socket, &QSslSocket::encrypted, this, &Transfer::SendRequest);
      socket->connectToHostEncrypted(current_.host(), port);
    } else {
      socket_ = new QTcpSocket(this);
      connect(socket_, &QTcpSocket::connected, this, &Transfer::SendRequest);
      socket_->connectToHost(current_.host(), port);
    }
    connect(socket_, &QTcpSocket::readyRead, this, &Transfer::Read);
    connect(socket_, &QTcpSocket::disconnected, this, &Transfer::Closed);
    connect(socket_, &QTcpSocket::errorOccurred, this, &Transfer::Failed);
  }

  // Leaves the connection; the socket goes once the event loop is back, as
  // this may run inside one of its signals.
  void CloseConnection() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
    socket_->setParent(nullptr);
    socket_->deleteLater();
    socket_ = nullptr;
  }

  void SendRequest() {
    QByteArray target = current_.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty()) target = "/";
    if (current_.hasQuery()) target += '?' + current_.query(QUrl::FullyEncoded).toLatin1();
    // From the server itself, never from a cache on the way, and as it is
    // stored (no compression, so the announced length is the body's).
    const QByteArray request =
        "GET " + target +
        " HTTP/1.1\r\nHost: " + current_.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toLatin1() +
        "\r\nUser-Agent: " + HeaderValue(UpdateUserAgent()) +
        "\r\nCache-Control: no-cache\r\nPragma: no-cache\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n";
    socket_->write(request);
  }

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

  void Read() {
    if (finished_ || !socket_) return;
    const QByteArray data = socket_->readAll();
    if (data.isEmpty()) return;
    timer_.start();
    const bool headerBefore = answer_.HeaderRead();
    const QByteArray body = answer_.Read(data);
    if (answer_.CurrentState() == HttpAnswerReader::State::TooLarge) {
      detail_ = QStringLiteral("answer header or chunk line over its limit");
      return Stop(TransferResult::Status::TooLarge);
    }
    if (answer_.CurrentState() == HttpAnswerReader::State::Malformed) {
      detail_ = QStringLiteral("malformed answer");
      return Finish();
    }
    if (!headerBefore && answer_.HeaderRead() && !AcceptHeader()) return;
    Take(body);
    if (!finished_ && answer_.CurrentState() == HttpAnswerReader::State::Complete) Finish();
  }

  // The header of the final answer arrived: a redirect is followed, an
  // answer other than 200 ends the transfer, and so does an announced body
  // over the limit. False when the transfer goes no further on this answer.
  bool AcceptHeader() {
    const int status = answer_.Status();
    if (IsRedirect(status) && !answer_.Location().isEmpty()) {
      Redirected(QUrl(QString::fromUtf8(answer_.Location())));
      return false;
    }
    if (status != 200) {
      Stop(TransferResult::Status::HttpError);
      return false;
    }
    if (answer_.ContentLength() && *answer_.ContentLength() > limit_) {
      Stop(TransferResult::Status::TooLarge);
      return false;
    }
    return true;
  }

  static bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
  }

  void Redirected(const QUrl& target) {
    const QUrl next = current_.resolved(target);
    if (++redirects_ > kMaxRedirects) {
      detail_ = QStringLiteral("too many redirects");
      return Stop(TransferResult::Status::HttpError);
    }
    if (!RedirectAllowed(current_, next)) {
      detail_ = QStringLiteral("redirect to ") + next.toString();
      return Stop(TransferResult::Status::InsecureRedirect);
    }
    if (!Allowed(next)) {
      detail_ = QStringLiteral("address not allowed");
      return Stop(TransferResult::Status::ConnectionFailed);
    }
    CloseConnection();
    current_ = next;
    timer_.start();
    Connect();
  }

  // The server ended the connection: what it sent last is read first.
  void Closed() {
    QTcpSocket* const closed = socket_;
    if (finished_ || !closed) return;
    Read();
    if (finished_ || socket_ != closed) return;  // over, or redirected on a new connection
    answer_.ConnectionClosed();
    Finish();
  }

  void Failed(QAbstractSocket::SocketError error) {
    if (finished_ || !socket_) return;
    if (error == QAbstractSocket::RemoteHostClosedError) return Closed();
    detail_ = socket_->errorString();
    Finish();
  }

  void Take(const QByteArray& data) {
    if (data.isEmpty() || reason_) return;
    received_ += data.size();
    if (received_ > limit_) return Stop(TransferResult::Status::TooLarge);
    if (file_) {
      if (const std::optional<RuntimeError> error = file_->Write(data)) {
        FileFailed(*error);
        Stop(TransferResult::Status::FileError);
        return;
      }
    } else {
      body_ += data;
    }
    if (progress_) progress_(received_, answer_.ContentLength().value_or(-1));
  }

  void Finish() {
    if (finished_) return;
    finished_ = true;
    timer_.stop();
    deadline_.stop();
    CloseConnection();
    TransferResult result;
    result.bytes = received_;
    result.httpStatus = answer_.Status();
    result.detail = detail_;
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
    if (httpStatus == 0) return S::ConnectionFailed;
    if (httpStatus != 200) return S::HttpError;
    // The body ended as its header said it would: whole.
    return answer_.CurrentState() == HttpAnswerReader::State::Complete ? S::Completed : S::Incomplete;
  }

  Done done_;
  Progress progress_;
  QTimer timer_;
  QTimer deadline_;
  QTcpSocket* socket_ = nullptr;  // the connection of the current address
  HttpAnswerReader answer_;
  QUrl current_;
  int redirects_ = 0;
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
  check_->Start(UpdateFileUrl(VersionFileName()));
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
  download_->Start(UpdateFileUrl(SetupFileNameOf(version)));
  return true;
}

void Updater::Abort() {
  // Each reports Aborted and clears its pointer on the way.
  if (check_) check_->Stop(TransferResult::Status::Aborted);
  if (download_) download_->Stop(TransferResult::Status::Aborted);
}

}  // namespace brantel
