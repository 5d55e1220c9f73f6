#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/platform/Launcher.h"
#include "core/update/HttpAnswerReader.h"
#include "core/update/UpdateController.h"
#include "core/update/Updater.h"
#include "support/IniValues.h"
#include "support/LocalHttpServer.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <optional>

namespace brantel {
namespace {

using test::CoreTest;
using test::LocalHttpServer;
using Status = TransferResult::Status;
using Mode = LocalHttpServer::Response::Mode;

const QByteArray kVersionPath = "/updates/brantel_version.txt";
const QByteArray kErrorPage = "<!DOCTYPE html><html><head><title>Error</title></head><body>2106</body></html>";

TEST(UpdateVersionTexts, OnlyOneToNineDigitsAreAVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"2106", "2106"},
      {"2106\r\n", "2106"},
      {"2106\n", "2106"},
      {"2106,x", "2106"},
      {" 2106 ,2107\r\n", "2106"},
      {"123456789", "123456789"},
      {"0002106", "0002106"},
      {"", nullptr},
      {"\r\n2106", nullptr},
      {"1234567890", nullptr},
      {"garbage", nullptr},
      {"21 06", nullptr},
      {"+2106", nullptr},
      {"2.1.06", nullptr},
      {"../../etc/passwd", nullptr},
      {"2106/../../x", nullptr},
      {"2106?x=1", nullptr},
      {"\xef\xbc\x92\xef\xbc\x91", nullptr},  // full-width digits
      {kErrorPage.constData(), nullptr},
  };
  for (const auto& [body, expected] : cases) {
    const std::optional<QString> read = ReadVersionText(QByteArray(body));
    if (expected) {
      EXPECT_EQ(read.value_or(QStringLiteral("none")), QString::fromLatin1(expected)) << body;
    } else {
      EXPECT_FALSE(read) << body << " gave " << read->toStdString();
    }
  }
}

TEST(UpdateVersionTexts, VersionsCompareAsNumbers) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  const Case cases[] = {
      {"2106", "2105", 1},
      {"2105", "2105", 0},
      {"2104", "2105", -1},
      {"21005", "2105", 1},  // 2.10.05 is newer
                             // than 2.1.05
      {"3", "2105", -1},
      {"0002105", "2105", 0},
      {"999999999", "2105", 1},
      {"garbage", "2105", -1},
      {"", "1", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareVersions(QString::fromLatin1(c.a), QString::fromLatin1(c.b)), c.order) << c.a << " " << c.b;
    EXPECT_EQ(CompareVersions(QString::fromLatin1(c.b), QString::fromLatin1(c.a)), -c.order) << c.a << " " << c.b;
  }
  EXPECT_EQ(CurrentVersionText(), GetVersionString(VersionForm::Digits));
  EXPECT_TRUE(IsValidVersionText(CurrentVersionText()));
}

TEST(UpdateVersionTexts, NamesProgressAndRedirects) {
  EXPECT_EQ(SetupFileNameOf(QStringLiteral("2106")), QStringLiteral("brantel2106.exe"));
  EXPECT_EQ(ReleaseDateText(), QStringLiteral("24-Mar-2023"));
  // The bar counts chunks of 16384 bytes and wraps after 100 of them.
  const std::pair<qint64, int> bars[] = {{0, 0},       {1, 1},       {16384, 1},  {16385, 2},
                                         {1638399, 0}, {1638400, 0}, {1638401, 1}};
  for (const auto& [bytes, value] : bars) EXPECT_EQ(ProgressBarValue(bytes), value) << bytes;

  const QUrl https(QStringLiteral("https://a.example/x")), http(QStringLiteral("http://a.example/x"));
  EXPECT_TRUE(RedirectAllowed(http, QUrl(QStringLiteral("http://b.example/y"))));
  EXPECT_TRUE(RedirectAllowed(http, QUrl(QStringLiteral("https://b.example/y"))));
  EXPECT_TRUE(RedirectAllowed(https, QUrl(QStringLiteral("https://b.example/y"))));
  EXPECT_FALSE(RedirectAllowed(https, QUrl(QStringLiteral("http://b.example/y"))));
  EXPECT_FALSE(RedirectAllowed(http, QUrl(QStringLiteral("file:///etc/passwd"))));
  EXPECT_FALSE(RedirectAllowed(http, QUrl(QStringLiteral("ftp://b.example/y"))));

  UpdateFolderURL = QStringLiteral("https://updates.example/brantel/");
  EXPECT_EQ(UpdateFileUrl(QStringLiteral("brantel2106.exe")).toString(),
            QStringLiteral("https://updates.example/brantel/brantel2106.exe"));
  for (const char* name : {"", "../x.exe", "a/b", "a\\b", "x?y", "x#y", "%2e%2e", ".hidden"})
    EXPECT_FALSE(UpdateFileUrl(QString::fromLatin1(name)).isValid()) << name;
  for (const char* folder : {"file:///tmp/", "https://updates.example/no-slash", ""}) {
    UpdateFolderURL = QString::fromLatin1(folder);
    EXPECT_FALSE(UpdateFileUrl(VersionFileName()).isValid()) << folder;
  }
  UpdateFolderURL.clear();
}

// --- The reader of a server's answer.

using AnswerState = HttpAnswerReader::State;

// What a reader made of an answer, read whole and then a byte at a time,
// before the connection ends and after.
struct AnswerRead {
  AnswerState state = AnswerState::ReadingHeader;
  AnswerState closedState = AnswerState::ReadingHeader;
  int status = 0;
  std::optional<qint64> contentLength;
  QByteArray body;
};

AnswerRead ReadAnswer(const QByteArray& answer) {
  AnswerRead read[2];
  for (const bool bytewise : {false, true}) {
    HttpAnswerReader reader;
    AnswerRead& r = read[bytewise];
    if (bytewise) {
      for (const char c : answer) r.body += reader.Read(QByteArrayView(&c, 1));
    } else {
      r.body = reader.Read(answer);
    }
    r.state = reader.CurrentState();
    r.status = reader.Status();
    r.contentLength = reader.ContentLength();
    reader.ConnectionClosed();
    r.closedState = reader.CurrentState();
  }
  EXPECT_TRUE(read[0].state == read[1].state && read[0].closedState == read[1].closedState &&
              read[0].status == read[1].status && read[0].contentLength == read[1].contentLength &&
              read[0].body == read[1].body)
      << "a byte at a time reads otherwise: " << answer.constData();
  return read[0];
}

TEST(UpdateAnswerReader, AStatusLineIsHttpOneAndAThreeDigitCodeFrom100To599) {
  const std::pair<const char*, int> lines[] = {
      {"HTTP/1.1 200 OK", 200},     {"HTTP/1.0 404", 404},   {"HTTP/1.1 599 Odd", 599},  {"HTTP/1.1 101 Upgrade", 101},
      {"HTTP/1.1 000 Zero", 0},     {"HTTP/1.1 099 Low", 0}, {"HTTP/1.1 600 Beyond", 0}, {"HTTP/1.1 999 Beyond", 0},
      {"HTTP/1.1 20 OK", 0},        {"HTTP/1.1 2000 OK", 0}, {"HTTP/2 200 OK", 0},       {"HTTP/1.1  200 OK", 0},
      {"HTTP/1.1 -20 Negative", 0}, {"http/1.1 200 OK", 0},
  };
  for (const auto& [line, status] : lines) {
    const AnswerRead read = ReadAnswer(QByteArray(line) + "\r\nContent-Length: 4\r\n\r\n2106");
    EXPECT_EQ(read.status, status) << line;
    EXPECT_EQ(read.state, status ? AnswerState::Complete : AnswerState::Malformed) << line;
    EXPECT_EQ(read.body, QByteArray(status ? "2106" : "")) << line;
  }
}

TEST(UpdateAnswerReader, TransferEncodingIsAListOfCodingsOfWhichOnlyALastChunkedEndsTheBodyByItsChunks) {
  enum class End { Chunked, UntilClosed, Malformed, FourBytes };
  const QByteArray chunks = "4\r\n2106\r\n0\r\n\r\n";
  const std::pair<const char*, End> fields[] = {
      {"Transfer-Encoding: chunked", End::Chunked},
      {"Transfer-Encoding: ChUnKeD", End::Chunked},
      {"Transfer-Encoding: xchunkedx", End::UntilClosed},
      {"Transfer-Encoding: gzip, chunked", End::Chunked},
      {"Transfer-Encoding: chunked, gzip", End::UntilClosed},  // as RFC 9112 says for an answer
      {"Transfer-Encoding: gzip;level=\"1,chunked\" ,\t, chunked ;x=y", End::Chunked},
      {"Transfer-Encoding: gzip;level=\"1,chunked\"", End::UntilClosed},
      {"Transfer-Encoding: gzip\r\nTransfer-Encoding: chunked", End::Chunked},
      {"Transfer-Encoding: chunked\r\nTransfer-Encoding: gzip", End::UntilClosed},
      {"Transfer-Encoding: gzip,\r\n chunked", End::Chunked},  // a continued line
      {"Transfer-Encoding: chunked\r\n\t, gzip", End::UntilClosed},
      {"Content-Length: 4\r\nTransfer-Encoding: chunked", End::Chunked},
      {"Transfer-Encoding: identity\r\nContent-Length: 4", End::UntilClosed},
      {"Transfer-Encoding: chunked, chunked", End::Malformed},
      {"Transfer-Encoding: chunked\r\nTransfer-Encoding: CHUNKED", End::Malformed},
      {"Transfer-Encoding:  , ", End::Malformed},
      {"Transfer-Encoding: chun ked", End::Malformed},
      {"Transfer-Encoding: ;chunked", End::Malformed},
      {"Content-Length: 4", End::FourBytes},
      {"Content-Length: 4, 4\r\nContent-Length: 4", End::FourBytes},
      {"Content-Length: 4\r\nContent-Length: 5", End::Malformed},
      {"Content-Length: 4\r\n 5", End::Malformed},
      {"X-Other: chunked", End::UntilClosed},
  };
  for (const auto& [field, end] : fields) {
    const AnswerRead read = ReadAnswer("HTTP/1.1 200 OK\r\n" + QByteArray(field) + "\r\n\r\n" + chunks);
    switch (end) {
      case End::Chunked:
        EXPECT_EQ(read.state, AnswerState::Complete) << field;
        EXPECT_EQ(read.body, "2106") << field;
        break;
      case End::UntilClosed:
        EXPECT_EQ(read.state, AnswerState::ReadingBody) << field;
        EXPECT_EQ(read.closedState, AnswerState::Complete) << field;
        EXPECT_EQ(read.body, chunks) << field;
        break;
      case End::Malformed:
        EXPECT_EQ(read.state, AnswerState::Malformed) << field;
        EXPECT_EQ(read.status, 0) << field;
        break;
      case End::FourBytes:
        EXPECT_EQ(read.state, AnswerState::Complete) << field;
        EXPECT_EQ(read.body, chunks.left(4)) << field;
        break;
    }
    EXPECT_EQ(read.contentLength, end == End::FourBytes ? std::optional<qint64>(4) : std::nullopt) << field;
  }
}

class UpdateTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    server_.emplace();
    UpdateFolderURL = server_->Url(QStringLiteral("/updates/"));
    WebPageURL = server_->Url(QStringLiteral("/"));
    AppNameUpper = QStringLiteral("BRANTEL");
    UserFolder = Documents() + QStringLiteral("/MyBrantel/");
    previousLauncher_ = platform::SetLauncherHandlers({
        [this](const QString& program, const QStringList&) { return started_.push_back(program), true; },
        [this](const QUrl& url) { return opened_.push_back(url.toString()), true; },
        [this](const QString& path) { return revealed_.push_back(path), true; },
    });
    // 127.0.0.2 stands for an address away from this machine.
    previousGuard_ = SetUpdateRequestGuard(
        [](const QUrl& url) { return IsLoopbackUrl(url) && url.host() != QStringLiteral("127.0.0.2"); });
  }

  void TearDown() override {
    platform::SetLauncherHandlers(previousLauncher_);
    SetUpdateRequestGuard(previousGuard_);
    server_.reset();
    UpdateFolderURL.clear();
    CoreTest::TearDown();
  }

  static QString Offset(int by) { return QString::number(CurrentVersionText().toLongLong() + by); }
  QString Downloads() const { return Home() + QStringLiteral("/Downloads/"); }
  QStringList DownloadedFiles() const {
    return QDir(Downloads()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  void ServeVersion(const QString& text) { server_->Serve(kVersionPath, 200, text.toLatin1() + "\r\n"); }
  void ServeSetup(const QString& version, const QByteArray& body, int pieces = 1) {
    LocalHttpServer::Response response;
    response.body = body;
    response.pieces = pieces;
    server_->Serve("/updates/brantel" + version.toLatin1() + ".exe", response);
  }

  static VersionCheckResult Check(Updater& updater) {
    std::optional<VersionCheckResult> got;
    const auto connection =
        QObject::connect(&updater, &Updater::versionChecked, [&](const VersionCheckResult& r) { got = r; });
    EXPECT_TRUE(updater.CheckVersion());
    EXPECT_FALSE(got) << "reported from inside the call";
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.has_value(); }, 10000));
    QObject::disconnect(connection);
    return got.value_or(VersionCheckResult{});
  }

  static SetupDownloadResult Download(Updater& updater, const QString& version, const QString& path,
                                      std::vector<qint64>* progress = nullptr) {
    std::optional<SetupDownloadResult> got;
    const auto done =
        QObject::connect(&updater, &Updater::setupDownloaded, [&](const SetupDownloadResult& r) { got = r; });
    const auto step = QObject::connect(&updater, &Updater::downloadProgress, [&](qint64 received, qint64) {
      if (progress) progress->push_back(received);
    });
    EXPECT_TRUE(updater.DownloadSetup(version, path));
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.has_value(); }, 20000));
    QObject::disconnect(done);
    QObject::disconnect(step);
    return got.value_or(SetupDownloadResult{});
  }

  std::optional<LocalHttpServer> server_;
  platform::LauncherHandlers previousLauncher_;
  UpdateRequestGuard previousGuard_;
  std::vector<QString> started_, opened_, revealed_;
};

TEST_F(UpdateTest, TheServersVersionAgainstThisOne) {
  struct Case {
    QByteArray body;
    QString version;
    bool newer;
  };
  const Case cases[] = {
      {Offset(1).toLatin1() + "\r\n", Offset(1), true},
      {CurrentVersionText().toLatin1() + "\r\n", CurrentVersionText(), false},
      {Offset(-1).toLatin1() + "\n", Offset(-1), false},
      {Offset(1).toLatin1() + ",x", Offset(1), true},
  };
  for (const Case& c : cases) {
    server_->Serve(kVersionPath, 200, c.body);
    Updater updater;
    const VersionCheckResult result = Check(updater);
    ASSERT_TRUE(result.Ok()) << c.body.constData() << " " << result.transfer.detail.toStdString();
    EXPECT_EQ(result.serverVersion.value_or(QString()), c.version) << c.body.constData();
    EXPECT_EQ(result.currentVersion, CurrentVersionText());
    EXPECT_EQ(result.Newer(), c.newer) << c.body.constData();
  }
}

TEST_F(UpdateTest, FailuresAndBadTextsNeverGiveAVersion) {
  struct Case {
    LocalHttpServer::Response response;
    Status status;
  };
  std::vector<Case> cases = {
      {{404, kErrorPage}, Status::HttpError},
      {{500, kErrorPage}, Status::HttpError},
      {{200, "garbage"}, Status::Completed},
      {{200, "../../../etc/passwd"}, Status::Completed},
      {{200, "1234567890\r\n"}, Status::Completed},
      {{200, kErrorPage}, Status::Completed},
      {{200, ""}, Status::Completed},
      {{200, QByteArray(Updater::kVersionFileLimit + 1, '1')}, Status::TooLarge},
  };
  cases.push_back({{}, Status::Incomplete});
  cases.back().response.mode = Mode::Truncated;
  cases.back().response.body = Offset(1).toLatin1();
  cases.back().response.announced = 100;
  for (const Case& c : cases) {
    server_->Serve(kVersionPath, c.response);
    Updater updater;
    const VersionCheckResult result = Check(updater);
    EXPECT_EQ(result.transfer.status, c.status) << c.response.status << " " << c.response.body.left(40).constData();
    EXPECT_FALSE(result.serverVersion) << c.response.body.left(40).constData();
    if (c.status == Status::HttpError) {
      EXPECT_EQ(result.transfer.httpStatus, c.response.status);
    }
  }
  // Nothing but the version file was ever asked for.
  EXPECT_EQ(server_->RequestsFor(kVersionPath), static_cast<int>(server_->Requests().size()));
}

TEST_F(UpdateTest, EachFormOfAnAnswerIsReadWithItsHeaderBounded) {
  const QByteArray version = Offset(1).toLatin1();
  const QByteArray length = "Content-Length: " + QByteArray::number(version.size()) + "\r\n";
  const QByteArray filler = "X-Filler: " + QByteArray(1012, 'h') + "\r\n";  // 1 KiB
  const QByteArray withinLimit = filler.repeated(63), overLimit = filler.repeated(64);
  const std::pair<QByteArray, Status> cases[] = {
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n" + version.left(2) + "\r\n" +
           QByteArray::number(version.size() - 2, 16) + ";name=value\r\n" + version.mid(2) + "\r\n0\r\nX: y\r\n\r\n",
       Status::Completed},
      {"HTTP/1.0 200 OK\n" + length.chopped(2) + "\n\n" + version, Status::Completed},
      {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\n" + length + "\r\n" + version, Status::Completed},
      {"HTTP/1.1 200 OK\r\n\r\n" + version, Status::Completed},  // the body runs until the server hangs up
      {"HTTP/1.1 200 OK\r\n" + withinLimit + length + "\r\n" + version, Status::Completed},
      {"HTTP/1.1 200 OK\r\n" + overLimit + length + "\r\n" + version, Status::TooLarge},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4;" + QByteArray(2000, 'x') + "\r\n" + version +
           "\r\n0\r\n\r\n",
       Status::TooLarge},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n" + version, Status::Incomplete},
      {"HTTP/1.1 200 OK\r\n" + length + "\r\n" + version.left(2), Status::Incomplete},
      {"HTTP/1.1 200 OK\r\nContent-Length: 4x\r\n\r\n" + version, Status::ConnectionFailed},
      {version + "\r\n", Status::ConnectionFailed},                                              // no status line
      {"HTTP/1.1 000 Zero\r\n" + length + "\r\n" + version, Status::ConnectionFailed},           // no such status
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: xchunkedx\r\n\r\n" + version, Status::Completed},  // until the end
      {"HTTP/1.1 302 Found\r\nLocation: " + kVersionPath + "\r\n\r\n", Status::HttpError},       // redirects for ever
  };
  for (const auto& [answer, status] : cases) {
    LocalHttpServer::Response raw;
    raw.mode = Mode::Raw;
    raw.body = answer;
    server_->Serve(kVersionPath, raw);
    Updater updater;
    const VersionCheckResult result = Check(updater);
    EXPECT_EQ(result.transfer.status, status) << answer.left(80).constData();
    EXPECT_EQ(result.serverVersion.value_or(QString()), status == Status::Completed ? Offset(1) : QString())
        << answer.left(80).constData();
  }
  EXPECT_EQ(server_->RequestsFor(kVersionPath), static_cast<int>(std::size(cases)) + 5);
}

TEST_F(UpdateTest, ARefusedPortAndASilentServerFailAndTheEventLoopRunsMeanwhile) {
  {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    UpdateFolderURL = QStringLiteral("http://127.0.0.1:%1/updates/").arg(closed.serverPort());
  }
  Updater refused;
  EXPECT_EQ(Check(refused).transfer.status, Status::ConnectionFailed);

  UpdateFolderURL = server_->Url(QStringLiteral("/updates/"));
  LocalHttpServer::Response silent;
  silent.mode = Mode::Silent;
  server_->Serve(kVersionPath, silent);
  Updater updater;
  updater.SetTimeout(400);
  int ticks = 0;
  QTimer ticker;
  ticker.callOnTimeout([&] { ++ticks; });
  ticker.start(20);
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Check(updater).transfer.status, Status::TimedOut);
  EXPECT_GE(clock.elapsed(), 350);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_GE(ticks, 10);  // the user interface kept running
  EXPECT_EQ(server_->RequestsFor(kVersionPath), 1);

  // Addresses the guard refuses fail without a request.
  UpdateFolderURL = QStringLiteral("http://127.0.0.2:%1/updates/").arg(server_->Port());
  Updater guarded;
  EXPECT_EQ(Check(guarded).transfer.status, Status::ConnectionFailed);
  EXPECT_EQ(server_->RequestsFor(kVersionPath), 1);
}

TEST_F(UpdateTest, ALargeSetupArrivesWholeInManyPieces) {
  QByteArray body(3 * 1024 * 1024 + 123, Qt::Uninitialized);
  QRandomGenerator random(23);
  for (char& byte : body) byte = static_cast<char>(random.generate() & 0xFF);
  ServeSetup(Offset(1), body, 48);
  const QString path = Downloads() + SetupFileNameOf(Offset(1));
  QDir().mkpath(Downloads());

  Updater updater;
  std::vector<qint64> progress;
  const SetupDownloadResult result = Download(updater, Offset(1), path, &progress);
  ASSERT_TRUE(result.Ok()) << result.transfer.detail.toStdString();
  EXPECT_EQ(result.path, path);
  EXPECT_EQ(result.transfer.bytes, body.size());
  EXPECT_TRUE(ReadFile(path) == body);
  EXPECT_FALSE(QFileInfo(path).isExecutable());
  ASSERT_GT(progress.size(), 2u);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), body.size());
  EXPECT_EQ(DownloadedFiles(), QStringList{SetupFileNameOf(Offset(1))});
}

TEST_F(UpdateTest, ABrokenSetupTransferLeavesNothingBehind) {
  QDir().mkpath(Downloads());
  const QString older = WriteFile(Downloads() + SetupFileNameOf(Offset(1)), "the copy downloaded before");
  LocalHttpServer::Response truncated;
  truncated.mode = Mode::Truncated;
  truncated.body = QByteArray(50000, 'x');
  truncated.announced = 80000;
  server_->Serve("/updates/brantel" + Offset(1).toLatin1() + ".exe", truncated);
  Updater updater;
  EXPECT_EQ(Download(updater, Offset(1), older).transfer.status, Status::Incomplete);
  EXPECT_EQ(ReadFile(older), QByteArray("the copy downloaded before"));

  // 404, and a missing file: no file, no temporary file.
  QFile::remove(older);
  EXPECT_EQ(Download(updater, Offset(2), Downloads() + SetupFileNameOf(Offset(2))).transfer.status, Status::HttpError);
  server_->Serve("/updates/brantel" + Offset(1).toLatin1() + ".exe", truncated);
  EXPECT_EQ(Download(updater, Offset(1), older).transfer.status, Status::Incomplete);
  EXPECT_TRUE(DownloadedFiles().isEmpty()) << DownloadedFiles().join(u' ').toStdString();

  // A version text that is not one never reaches an address or a file.
  EXPECT_FALSE(updater.DownloadSetup(QStringLiteral("../x"), Downloads() + QStringLiteral("x")));
}

TEST_F(UpdateTest, ASetupDownloadedWhereALinkStandsReplacesTheLinkAndNeverTheFileItNames) {
  QDir().mkpath(Downloads());
  const QString mine = WriteFile(Home() + QStringLiteral("/thesis.doc"), "the user's own file");
  const QString path = Downloads() + SetupFileNameOf(Offset(1));
  ASSERT_TRUE(QFile::link(mine, path));
  ServeSetup(Offset(1), "the setup");
  Updater updater;
  const SetupDownloadResult result = Download(updater, Offset(1), path);
  ASSERT_TRUE(result.Ok()) << result.transfer.detail.toStdString();
  EXPECT_FALSE(QFileInfo(path).isSymLink());
  EXPECT_EQ(ReadFile(path), QByteArray("the setup"));
  EXPECT_EQ(ReadFile(mine), QByteArray("the user's own file"));
}

TEST_F(UpdateTest, RequestsAskTheServerItselfWithTheProgramsUserAgent) {
  // The version file moved: a redirect on plain http is followed.
  server_->Serve(kVersionPath, {302, "", {{"Location", "/updates/moved.txt"}}});
  server_->Serve("/updates/moved.txt", 200, Offset(1).toLatin1());
  ServeSetup(Offset(1), "setup");
  Updater updater;
  EXPECT_EQ(Check(updater).serverVersion.value_or(QString()), Offset(1));
  QDir().mkpath(Downloads());
  EXPECT_TRUE(Download(updater, Offset(1), Downloads() + SetupFileNameOf(Offset(1))).Ok());

  ASSERT_EQ(server_->Requests().size(), 3u);
  const QString agent = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  const char* paths[] = {kVersionPath.constData(), "/updates/moved.txt", nullptr};
  for (std::size_t i = 0; i < 3; ++i) {
    const LocalHttpServer::Request& request = server_->Requests()[i];
    if (paths[i]) {
      EXPECT_EQ(request.path, QByteArray(paths[i]));
    }
    EXPECT_EQ(request.method, QByteArray("GET"));
    EXPECT_EQ(request.headers.value("user-agent"), agent.toLatin1());
    EXPECT_EQ(request.headers.value("cache-control"), QByteArray("no-cache"));
    EXPECT_EQ(request.headers.value("pragma"), QByteArray("no-cache"));
    EXPECT_EQ(request.headers.value("accept-encoding"), QByteArray("identity"));
  }
  EXPECT_EQ(server_->Requests()[2].path, "/updates/brantel" + Offset(1).toLatin1() + ".exe");

  // Every redirect is judged before it is followed: here, to an address
  // the guard refuses.
  server_->Serve(
      kVersionPath,
      {301, "", {{"Location", "http://127.0.0.2:" + QByteArray::number(server_->Port()) + "/updates/moved.txt"}}});
  EXPECT_EQ(Check(updater).transfer.status, Status::ConnectionFailed);
  EXPECT_EQ(server_->RequestsFor("/updates/moved.txt"), 1);
}

// --- The window's procedures.

TEST_F(UpdateTest, WindowCheckDownloadAndInstallNeverRunTheSetup) {
  const UpdateWindowTexts texts = UpdateWindowTextsFor(ReleaseDate().addDays(10));
  EXPECT_EQ(texts.caption, QStringLiteral("Program Update for BRANTEL"));
  EXPECT_TRUE(texts.notice.startsWith(QStringLiteral("This version was released 10 days ago. Although major")));
  EXPECT_TRUE(texts.notice.endsWith(QStringLiteral(
      "click on 'Check for updates'.  \r\n\r\nYou may manually update the program by downloading and installing "
      "the new setup file.")));
  EXPECT_EQ(texts.info, QStringLiteral("Current Program Version: ") + CurrentVersionText() +
                            QStringLiteral("\r\nCurrent Revision Date: 24-Mar-2023"));

  ServeVersion(Offset(1));
  ServeSetup(Offset(1), "new setup");
  UpdateController window;
  bool leave = false;
  QObject::connect(&window, &UpdateController::leaveProgram, [&] { leave = true; });
  EXPECT_EQ(window.LastVersionText(), QStringLiteral("Version Available: "));
  EXPECT_FALSE(window.DownloadEnabled());
  boxes_->Answer(Answer::Yes);  // "Download?"
  window.Check();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.InstallEnabled(); }, 10000));
  const QString path = Downloads() + SetupFileNameOf(Offset(1));
  EXPECT_EQ(window.SetupFilePath(), path);
  EXPECT_EQ(window.LastVersionText(), QStringLiteral("Server Version: ") + Offset(1) +
                                          QStringLiteral(" / Current Version: ") + CurrentVersionText());
  EXPECT_TRUE(window.LastVersionRed());
  EXPECT_TRUE(window.DownloadEnabled());
  EXPECT_EQ(window.BytesText(), QStringLiteral("9"));
  EXPECT_EQ(window.ProgressValue(), 1);
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(boxes_->Shown()[0].prompt, QStringLiteral("A new version is available. Download?"));
  EXPECT_EQ(boxes_->Shown()[0].style, BoxStyle(Buttons::YesNoCancel, Icon::Question));
  EXPECT_EQ(boxes_->Shown()[1].prompt, QStringLiteral("Download completed. Program at: ") + path);
  EXPECT_EQ(ReadFile(path), QByteArray("new setup"));

  boxes_->Clear();
  window.Install();
  EXPECT_EQ(revealed_, std::vector<QString>{path});
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(path));
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("Run the setup program")));
  EXPECT_TRUE(leave);
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(opened_.empty());

  // The file removed in the meantime.
  QFile::remove(path);
  leave = false;
  window.Install();
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Update file: ") + path + QStringLiteral(" not found"));
  EXPECT_FALSE(leave);
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Update file: ")));
}

TEST_F(UpdateTest, WindowReportsEachOutcomeOfACheck) {
  struct Case {
    LocalHttpServer::Response response;
    const char* message;  // nullptr: none
    QString label;
  };
  const Case cases[] = {
      {{200, CurrentVersionText().toLatin1()},
       "Program is up to date",
       QStringLiteral("Server Version: ") + CurrentVersionText() + QStringLiteral(" / Current Version: ") +
           CurrentVersionText()},
      {{200, "../brantel"},
       "Invalid information for new version. Check with developer.",
       QStringLiteral("Version Available: ")},
      {{404, kErrorPage}, nullptr, QStringLiteral("Internet Connection Failed")},
      {{500, kErrorPage}, nullptr, QStringLiteral("Internet Connection Failed")},
  };
  for (const Case& c : cases) {
    server_->Serve(kVersionPath, c.response);
    boxes_->Clear();
    UpdateController window;
    window.Check();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Transfers().Checking(); }, 10000));
    EXPECT_EQ(window.LastVersionText(), c.label);
    EXPECT_TRUE(window.LastVersionRed());
    EXPECT_FALSE(window.DownloadEnabled());
    if (c.message) {
      ASSERT_EQ(boxes_->Shown().size(), 1u) << c.message;
      EXPECT_EQ(boxes_->Last().prompt, QString::fromLatin1(c.message));
      EXPECT_EQ(boxes_->Last().style, Buttons::OkCancel);
    } else {
      EXPECT_TRUE(boxes_->Shown().empty());
    }
    // Without a newer version, "Download Update" does nothing.
    window.DownloadUpdate();
    EXPECT_FALSE(window.Transfers().Downloading());
  }
  EXPECT_EQ(server_->RequestsFor(kVersionPath), static_cast<int>(server_->Requests().size()));
}

TEST_F(UpdateTest, ClosingTheWindowStopsItsDownloadAndWritesTheSettings) {
  ServeVersion(Offset(1));
  LocalHttpServer::Response silent;
  silent.mode = Mode::Silent;
  server_->Serve("/updates/brantel" + Offset(1).toLatin1() + ".exe", silent);
  for (const bool tick : {false, true}) {
    QFile::remove(SettingsIniPath);
    YearlyUpdateReminder = true;
    UpdateController window;
    window.CheckAndInstall();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Transfers().Downloading(); }, 10000));
    boxes_->Clear();
    window.Unload(tick);
    EXPECT_FALSE(window.Transfers().Downloading());
    QTest::qWait(50);
    EXPECT_TRUE(boxes_->Shown().empty()) << "no install step after the window went";
    EXPECT_EQ(YearlyUpdateReminder, !tick);
    EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("RemindAnnualUpdates"), SettingsIniPath),
              tick ? QStringLiteral("0") : QStringLiteral("1"));
  }
  EXPECT_TRUE(DownloadedFiles().isEmpty());
}

TEST_F(UpdateTest, ACheckEndsByItsDeadlineHoweverSlowlyTheServerTrickles) {
  // A byte every 50 ms keeps the idle time-out (300 ms) from ever firing.
  LocalHttpServer::Response trickle(200, QByteArray(1000, '1'));
  trickle.mode = Mode::Trickle;
  trickle.intervalMs = 50;
  server_->Serve(kVersionPath, trickle);
  Updater updater;
  updater.SetTimeout(300);
  updater.SetCheckDeadline(700);
  QElapsedTimer clock;
  clock.start();
  const VersionCheckResult result = Check(updater);
  EXPECT_EQ(result.transfer.status, Status::TimedOut);
  EXPECT_GE(clock.elapsed(), 650);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_GT(result.transfer.bytes, 3) << "the server kept sending";
  EXPECT_FALSE(result.serverVersion);
}

TEST_F(UpdateTest, AnEndlessOrOversizedSetupStopsAtTheLimitAndLeavesNoFile) {
  QDir().mkpath(Downloads());
  const QString path = Downloads() + SetupFileNameOf(Offset(1));
  const QByteArray route = "/updates/brantel" + Offset(1).toLatin1() + ".exe";
  Updater updater;
  updater.SetSetupLimit(1024 * 1024);
  std::vector<qint64> progress;

  // No announced length: the body never ends.
  LocalHttpServer::Response endless;
  endless.mode = Mode::Endless;
  server_->Serve(route, endless);
  SetupDownloadResult result = Download(updater, Offset(1), path, &progress);
  EXPECT_EQ(result.transfer.status, Status::TooLarge);
  EXPECT_LE(result.transfer.bytes, 1024 * 1024 + 64 * 1024);
  EXPECT_TRUE(DownloadedFiles().isEmpty()) << DownloadedFiles().join(u' ').toStdString();

  // An announced length over the limit is refused before the body.
  endless.announced = qint64{10} * 1024 * 1024 * 1024;
  server_->Serve(route, endless);
  result = Download(updater, Offset(1), path);
  EXPECT_EQ(result.transfer.status, Status::TooLarge);
  EXPECT_LT(result.transfer.bytes, 1024 * 1024);
  EXPECT_TRUE(DownloadedFiles().isEmpty());

  // A setup within the limit still arrives; the default limit leaves room
  // for any real setup program.
  ServeSetup(Offset(1), QByteArray(300000, 's'), 4);
  EXPECT_TRUE(Download(updater, Offset(1), path).Ok());
  EXPECT_GE(Updater::kDefaultSetupLimit, qint64{100} * 1024 * 1024);
}

// Starts the peak of this process's resident memory afresh; false where the
// kernel does not offer it.
bool ResetPeakMemory() {
  QFile refs(QStringLiteral("/proc/self/clear_refs"));
  return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}
// The highest resident memory of this process since the last reset, in
// bytes (VmHWM).
qint64 PeakMemory() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
  }
  return -1;
}

TEST_F(UpdateTest, AnAnswerHeaderWithoutEndFailsPromptlyWithinBoundedMemory) {
  QDir().mkpath(Downloads());
  const QByteArray setupRoute = "/updates/brantel" + Offset(1).toLatin1() + ".exe";
  for (const Mode mode : {Mode::EndlessHeaderLines, Mode::EndlessHeaderLine}) {
    LocalHttpServer::Response endless;
    endless.mode = mode;
    server_->Serve(kVersionPath, endless);
    server_->Serve(setupRoute, endless);
    for (const bool download : {false, true}) {
      if (!ResetPeakMemory()) GTEST_SKIP() << "the kernel does not reset the peak memory";
      const qint64 before = PeakMemory();
      Updater updater;
      updater.SetTimeout(5000);
      QElapsedTimer clock;
      clock.start();
      const TransferResult result =
          download ? Download(updater, Offset(1), Downloads() + SetupFileNameOf(Offset(1))).transfer
                   : Check(updater).transfer;
      const char* what = download ? "download" : "check";
      EXPECT_EQ(result.status, Status::TooLarge) << what << " " << result.detail.toStdString();
      EXPECT_LT(clock.elapsed(), 2000) << what;
      EXPECT_LT(PeakMemory() - before, qint64{100} * 1024 * 1024) << what;
    }
  }
  EXPECT_TRUE(DownloadedFiles().isEmpty());

  // The window says so as it does for any answer that is not one.
  UpdateController window;
  window.Check();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Transfers().Checking(); }, 10000));
  EXPECT_EQ(window.LastVersionText(), QStringLiteral("Internet Connection Failed"));
}

// --- The start-up path through the update window's procedures.

TEST_F(UpdateTest, CheckAndInstallDownloadsWithoutAskingThenRunsTheInstallStep) {
  ServeVersion(Offset(1));
  ServeSetup(Offset(1), "new setup", 3);
  UpdateController window;
  bool leave = false;
  QObject::connect(&window, &UpdateController::leaveProgram, [&] { leave = true; });
  window.CheckAndInstall();
  EXPECT_TRUE(window.Installing());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Installing(); }, 10000));
  const QString path = Downloads() + SetupFileNameOf(Offset(1));
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(boxes_->Shown()[0].prompt, QStringLiteral("Download completed. Program at: ") + path);
  EXPECT_TRUE(boxes_->Shown()[1].prompt.contains(QStringLiteral("Brantel will now close.")));
  EXPECT_EQ(window.BytesText(), QStringLiteral("9"));
  EXPECT_EQ(ReadFile(path), QByteArray("new setup"));
  EXPECT_EQ(revealed_, std::vector<QString>{path});
  EXPECT_TRUE(leave);
  EXPECT_TRUE(started_.empty());

  // Nothing newer on the server, or no answer: the check says so and the
  // install step finds no setup file.
  const LocalHttpServer::Response answers[] = {{200, CurrentVersionText().toLatin1()}, {404, kErrorPage}};
  for (const LocalHttpServer::Response& answer : answers) {
    server_->Serve(kVersionPath, answer);
    boxes_->Clear();
    UpdateController other;
    other.CheckAndInstall();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !other.Installing(); }, 10000));
    ASSERT_FALSE(boxes_->Shown().empty());
    EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("Update file: "))) << answer.status;
    EXPECT_TRUE(boxes_->Last().prompt.endsWith(QStringLiteral(" not found")));
    if (answer.status == 200) {
      EXPECT_EQ(boxes_->Shown().front().prompt, QStringLiteral("Program is up to date"));
    }
  }
  EXPECT_EQ(revealed_.size(), 1u);
}

// --- The check at start-up.

TEST_F(UpdateTest, StartupCheckStartsOnceItsWindowIsPaintedAndOnlyOffersTheUpdate) {
  ServeVersion(Offset(1));
  ServeSetup(Offset(1), "new setup");
  for (const Answer reply : {Answer::No, Answer::Yes}) {
    boxes_->Clear();
    HistoryLog::Instance().Clear();
    boxes_->Answer(reply);
    QObject window;
    StartupUpdateCheck* check = StartUpdateCheckAtStartup(&window);
    ASSERT_NE(check, nullptr);
    bool finished = false, accepted = false;
    QObject::connect(check, &StartupUpdateCheck::finished, [&] { finished = true; });
    QObject::connect(check, &StartupUpdateCheck::installAccepted, [&] { accepted = true; });
    QTest::qWait(100);
    EXPECT_FALSE(check->Started()) << "started before the window was painted";
    QEvent paint(QEvent::Paint);
    QCoreApplication::sendEvent(&window, &paint);
    EXPECT_FALSE(check->Started()) << "started from inside the paint";
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));

    EXPECT_TRUE(History().contains(QStringLiteral("Server/Current: ") + Offset(1) + u'/' + CurrentVersionText()));
    ASSERT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(boxes_->Shown()[0].prompt,
              QStringLiteral("A new BRANTEL version is available. \r\n\r\nNote that in order to download and install "
                             "you may need administrator priviledges and/or Windows may ask you for permission to "
                             "do so. \r\n\r\nProceed with Download and Install?"));
    EXPECT_EQ(boxes_->Shown()[0].style, BoxStyle(Buttons::YesNoCancel, Icon::Question));
    EXPECT_EQ(accepted, reply == Answer::Yes);
  }
  // The check itself never downloads: the update window does.
  EXPECT_EQ(server_->RequestsFor("/updates/brantel" + Offset(1).toLatin1() + ".exe"), 0);
  EXPECT_TRUE(DownloadedFiles().isEmpty());
  EXPECT_TRUE(revealed_.empty());
  EXPECT_TRUE(started_.empty());
  EXPECT_TRUE(opened_.empty());
}

TEST_F(UpdateTest, StartupCheckIsSilentWhenNothingIsNewerOrItFails) {
  const LocalHttpServer::Response responses[] = {
      {200, CurrentVersionText().toLatin1()}, {200, "garbage"}, {404, kErrorPage}};
  for (const auto& response : responses) {
    server_->Serve(kVersionPath, response);
    HistoryLog::Instance().Clear();
    QObject owner;
    StartupUpdateCheck* check = StartUpdateCheckAtStartup(&owner);
    bool finished = false;
    QObject::connect(check, &StartupUpdateCheck::finished, [&] { finished = true; });
    check->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 10000));
    EXPECT_EQ(History().contains(QStringLiteral("Server/Current: ")), response.body == CurrentVersionText().toLatin1());
  }
  EXPECT_TRUE(boxes_->Shown().empty());

  // Switched off by the setting: no request at all.
  const std::size_t asked = server_->Requests().size();
  YearlyUpdateReminder = false;
  QObject owner;
  EXPECT_EQ(StartUpdateCheckAtStartup(&owner), nullptr);
  QTest::qWait(100);
  EXPECT_EQ(server_->Requests().size(), asked);
}

}  // namespace
}  // namespace brantel
