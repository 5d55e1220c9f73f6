#include "support/LocalHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace brantel::test {

LocalHttpServer::LocalHttpServer() : server_(std::make_unique<QTcpServer>()) { Listen(); }

LocalHttpServer::LocalHttpServer(const QSslConfiguration& tls) : secure_(true) {
  auto server = std::make_unique<QSslServer>();
  server->setSslConfiguration(tls);
  server_ = std::move(server);
  Listen();
}

void LocalHttpServer::Listen() {
  EXPECT_TRUE(server_->listen(QHostAddress::LocalHost, 0));
  // A plain server hands on a connection at newConnection; a TLS one only
  // once its handshake has passed, at pendingConnectionAvailable.
  connect(server_.get(), &QTcpServer::newConnection, this, &LocalHttpServer::Accept);
  connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, &LocalHttpServer::Accept);
}

QString LocalHttpServer::Url(const QString& path) const {
  return QStringLiteral("%1://127.0.0.1:%2%3").arg(secure_ ? u"https" : u"http").arg(Port()).arg(path);
}

void LocalHttpServer::Serve(const QByteArray& path, int status, const QByteArray& body) {
  Response response;
  response.status = status;
  response.body = body;
  Serve(path, std::move(response));
}

int LocalHttpServer::RequestsFor(const QByteArray& path) const {
  int count = 0;
  for (const Request& request : requests_) count += request.path == path ? 1 : 0;
  return count;
}

void LocalHttpServer::Accept() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    socket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
      *buffer += socket->readAll();
      const qsizetype end = buffer->indexOf("\r\n\r\n");
      if (end < 0) return;
      const QList<QByteArray> lines = buffer->left(end).split('\n');
      buffer->clear();
      Request request;
      const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
      request.method = first.value(0);
      request.path = first.value(1);
      for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
      }
      requests_.push_back(request);
      Answer(socket, request);
    });
  }
}

void LocalHttpServer::Answer(QTcpSocket* socket, const Request& request) {
  Response response;
  const auto route = routes_.find(request.path);
  if (route != routes_.end()) response = route->second;
  else response = Response{404, "<html><body><h1>404 Not Found</h1></body></html>"};
  if (response.mode == Response::Mode::Silent) return;

  using Mode = Response::Mode;
  QPointer<QTcpSocket> guard(socket);
  if (response.mode == Mode::Raw) {
    socket->write(response.body);
    socket->disconnectFromHost();
    return;
  }
  if (response.mode == Mode::EndlessHeaderLines || response.mode == Mode::EndlessHeaderLine) {
    // More of the header whenever what was written has gone out, until the
    // client leaves; the header never ends.
    const QByteArray more = response.mode == Mode::EndlessHeaderLines
                                ? (QByteArray("X-Filler: ") + QByteArray(988, 'h') + "\r\n").repeated(16)
                                : QByteArray(16384, 'h');
    connect(socket, &QTcpSocket::bytesWritten, socket, [guard, more] {
      if (guard && guard->bytesToWrite() < more.size()) guard->write(more);
    });
    socket->write("HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n");
    if (response.mode == Mode::EndlessHeaderLine) socket->write("X-Filler: ");
    socket->write(more);
    return;
  }

  qint64 length = response.body.size();
  if (response.mode == Mode::Truncated || response.mode == Mode::Endless ||
      (response.mode == Mode::Trickle && response.announced > 0))
    length = response.announced;
  QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
  if (length > 0 || response.mode != Mode::Endless) head += "Content-Length: " + QByteArray::number(length) + "\r\n";
  for (const auto& [name, value] : response.headers) head += name + ": " + value + "\r\n";
  head += "Connection: close\r\n\r\n";
  socket->write(head);

  if (response.mode == Mode::Endless) {
    // More whenever what was written has gone out, until the client leaves.
    const QByteArray body = response.body.isEmpty() ? QByteArray(16384, 'x') : response.body;
    connect(socket, &QTcpSocket::bytesWritten, socket, [guard, body] {
      if (guard && guard->bytesToWrite() < body.size()) guard->write(body);
    });
    socket->write(body);
    return;
  }
  if (response.mode == Mode::Trickle) {
    auto* timer = new QTimer(socket);
    auto at = std::make_shared<qsizetype>(0);
    connect(timer, &QTimer::timeout, socket, [guard, timer, at, body = response.body] {
      if (!guard || *at >= body.size()) return timer->stop();
      guard->write(body.mid((*at)++, 1));
    });
    timer->start(std::max(1, response.intervalMs));
    return;
  }

  // The body in pieces, the event loop running between them.
  const int pieces = std::max(1, response.pieces);
  const qsizetype size = (response.body.size() + pieces - 1) / pieces;
  // Each queued piece holds the sender; the sender holds itself only weakly,
  // so it goes with the last piece, or with the socket.
  auto next = std::make_shared<std::function<void(qsizetype)>>();
  const std::weak_ptr<std::function<void(qsizetype)>> self = next;
  *next = [guard, response, size, self](qsizetype at) {
    if (!guard) return;
    if (at < response.body.size()) {
      guard->write(response.body.mid(at, size));
      QTimer::singleShot(0, guard, [sender = self.lock(), at, size] {
        if (sender) (*sender)(at + size);
      });
      return;
    }
    guard->flush();
    guard->disconnectFromHost();
  };
  (*next)(0);
}

}  // namespace brantel::test
