#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QSslConfiguration>
#include <QString>
#include <QTcpServer>

#include <map>
#include <memory>
#include <vector>

namespace brantel::test {

// A small HTTP/1.1 server on 127.0.0.1 for the update tests, running on the
// test's own event loop. Each path answers as set; any other path gets 404.
// Made with a TLS configuration (its certificate and key), it speaks HTTPS:
// a connection is served once its handshake has passed.
class LocalHttpServer : public QObject {
 public:
  struct Response {
    enum class Mode {
      Whole,      // the body, written in `pieces` parts with the event loop between
      Truncated,  // announces `announced` bytes, sends the body, then hangs up
      Silent,     // accepts and never answers
      Trickle,    // one byte of the body every `intervalMs`, announcing `announced` bytes (0: the body's)
      Endless,    // the body over and over until the client hangs up; announces `announced` bytes (0: no length)
      EndlessHeaderLines,  // after the status line, header lines of 1000 bytes until the client hangs up
      EndlessHeaderLine,   // after the status line, one header line that never ends
      Raw,                 // the body is the whole answer, status line and header included; then hangs up
    };
    Response() = default;
    Response(int status, QByteArray body, QList<QPair<QByteArray, QByteArray>> headers = {})
        : status(status), body(std::move(body)), headers(std::move(headers)) {}

    int status = 200;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    Mode mode = Mode::Whole;
    qint64 announced = 0;
    int pieces = 1;
    int intervalMs = 0;
  };
  struct Request {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers;  // names in lower case
  };

  LocalHttpServer();
  explicit LocalHttpServer(const QSslConfiguration& tls);
  quint16 Port() const { return server_->serverPort(); }
  QString Url(const QString& path) const;

  void Serve(const QByteArray& path, Response response) { routes_[path] = std::move(response); }
  void Serve(const QByteArray& path, int status, const QByteArray& body);
  const std::vector<Request>& Requests() const { return requests_; }
  int RequestsFor(const QByteArray& path) const;

 private:
  void Listen();
  void Accept();
  void Answer(class QTcpSocket* socket, const Request& request);

  bool secure_ = false;
  std::unique_ptr<QTcpServer> server_;
  std::map<QByteArray, Response> routes_;
  std::vector<Request> requests_;
};

}  // namespace brantel::test
