// The update client over TLS, against a local HTTPS server whose
// certificates a private authority signed (data/, made by
// data/make-test-authority.sh): the client keeps the system's authorities
// and checks the server's name, so it must refuse the server until the test
// trusts that authority, and refuse a certificate for another name even
// then.

#include "core/Globals.h"
#include "core/update/Updater.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QSslKey>
#include <QSslSocket>
#include <QTest>

#include <optional>

namespace brantel {
namespace {

using test::CoreTest;
using test::LocalHttpServer;
using Status = TransferResult::Status;

const QByteArray kVersionPath = "/updates/brantel_version.txt";

QByteArray DataFile(const QString& name) {
  QFile file(QStringLiteral(BRANTEL_UPDATE_TEST_DATA "/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

// The configuration of a server that shows the certificate `name`.pem.
QSslConfiguration ServerShowing(const QString& name) {
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  tls.setLocalCertificate(QSslCertificate(DataFile(name + QStringLiteral(".pem"))));
  tls.setPrivateKey(QSslKey(DataFile(name + QStringLiteral(".key")), QSsl::Ec));
  tls.setPeerVerifyMode(QSslSocket::VerifyNone);  // the client shows no certificate
  return tls;
}

class UpdateTlsTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    previousTls_ = QSslConfiguration::defaultConfiguration();
    previousGuard_ = SetUpdateRequestGuard(IsLoopbackUrl);
    if (!QSslSocket::supportsSsl()) GTEST_SKIP() << "Qt has no TLS back end here";
  }

  void TearDown() override {
    QSslConfiguration::setDefaultConfiguration(previousTls_);
    SetUpdateRequestGuard(previousGuard_);
    UpdateFolderURL.clear();
    CoreTest::TearDown();
  }

  // Trusts the private authority in this process only, as the system's
  // store would: the program's own code is left as it is.
  static void TrustTheTestAuthority() {
    const QSslCertificate authority(DataFile(QStringLiteral("authority.pem")));
    ASSERT_FALSE(authority.isNull());
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificate(authority);
    QSslConfiguration::setDefaultConfiguration(tls);
  }

  // A version check against `server`.
  static TransferResult CheckAgainst(const LocalHttpServer& server) {
    UpdateFolderURL = server.Url(QStringLiteral("/updates/"));
    Updater updater;
    std::optional<VersionCheckResult> got;
    QObject::connect(&updater, &Updater::versionChecked, [&](const VersionCheckResult& result) { got = result; });
    EXPECT_TRUE(updater.CheckVersion());
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.has_value(); }, 10000));
    if (got && got->transfer.Ok()) {
      EXPECT_EQ(got->serverVersion.value_or(QString()), QStringLiteral("2106"));
    }
    return got.value_or(VersionCheckResult{}).transfer;
  }

  QSslConfiguration previousTls_;
  UpdateRequestGuard previousGuard_;
};

bool IsOneOf(const QString& detail, std::initializer_list<QSslError::SslError> errors) {
  for (const QSslError::SslError error : errors) {
    if (detail == QSslError(error).errorString()) return true;
  }
  return false;
}

TEST_F(UpdateTlsTest, TheCheckSpeaksOnlyToAServerOfATrustedAuthorityUnderTheNameItAsked) {
  LocalHttpServer loopback(ServerShowing(QStringLiteral("loopback")));
  LocalHttpServer elsewhere(ServerShowing(QStringLiteral("elsewhere")));
  for (LocalHttpServer* server : {&loopback, &elsewhere}) server->Serve(kVersionPath, 200, "2106\r\n");

  // An authority that no store holds: the handshake fails and no request
  // goes out.
  const TransferResult untrusted = CheckAgainst(loopback);
  EXPECT_EQ(untrusted.status, Status::ConnectionFailed);
  EXPECT_TRUE(IsOneOf(untrusted.detail,
                      {QSslError::UnableToGetLocalIssuerCertificate, QSslError::UnableToVerifyFirstCertificate,
                       QSslError::CertificateUntrusted, QSslError::SelfSignedCertificateInChain}))
      << untrusted.detail.toStdString();
  EXPECT_TRUE(loopback.Requests().empty());

  TrustTheTestAuthority();
  // A trusted certificate for another name than the one asked (127.0.0.1).
  const TransferResult otherName = CheckAgainst(elsewhere);
  EXPECT_EQ(otherName.status, Status::ConnectionFailed);
  EXPECT_EQ(otherName.detail.toStdString(), QSslError(QSslError::HostNameMismatch).errorString().toStdString());
  EXPECT_TRUE(elsewhere.Requests().empty());

  // A trusted certificate for the name asked.
  const TransferResult trusted = CheckAgainst(loopback);
  EXPECT_EQ(trusted.status, Status::Completed) << trusted.detail.toStdString();
  EXPECT_EQ(loopback.RequestsFor(kVersionPath), 1);
}

}  // namespace
}  // namespace brantel
