#include "support/TestEnvironment.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace brantel::test {

ScopedEnv::~ScopedEnv() {
  for (const auto& [name, value] : saved_) {
    if (value) qputenv(name.constData(), *value);
    else qunsetenv(name.constData());
  }
}

void ScopedEnv::Set(const char* name, const QByteArray& value) {
  if (!saved_.count(name)) {
    saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
  }
  qputenv(name, value);
}

void ScopedEnv::Unset(const char* name) {
  if (!saved_.count(name)) {
    saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
  }
  qunsetenv(name);
}

void CoreTest::SetUp() {
  ASSERT_TRUE(home_.isValid());
  env_.Set("HOME", home_.path().toUtf8());
  env_.Set("XDG_CONFIG_HOME", (home_.path() + QStringLiteral("/.config")).toUtf8());
  env_.Unset("XDG_DOCUMENTS_DIR");
  boxes_.emplace();

  HistoryLog::Instance().Clear();
  HistoryCounter = 0;
  SetDefaultSettings();
  EnglishMenus = true;
  HistoryShown = true;
  HistoryMaxCharacters = 4096;
  AppTitle = QStringLiteral("Brantel");
  DefaultFileExtension = QStringLiteral("BNL");
  MsgTitle.clear();
  RangeErrorTitle.clear();
  RangeWarningTitle.clear();
  InvalidCharTitle.clear();
  ErrorTitle.clear();
  LogicErrorTitle.clear();
  Project = ProjectRecord{};
  SettingsIniPath = home_.path() + QStringLiteral("/Brantel.INI");
}

void CoreTest::TearDown() { boxes_.reset(); }

QString CoreTest::WriteFile(const QString& path, const QByteArray& bytes) const {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(bytes);
  return path;
}

QByteArray CoreTest::ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

QString CoreTest::History() { return HistoryLog::Instance().Text(); }

bool CoreTest::PermissionsApply() { return geteuid() != 0; }

}  // namespace brantel::test
