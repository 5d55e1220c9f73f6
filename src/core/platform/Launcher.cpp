#include "core/platform/Launcher.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace brantel::platform {
namespace {

LauncherHandlers& Handlers() {
  static LauncherHandlers handlers;
  return handlers;
}

}  // namespace

bool StartProgram(const QString& program, const QStringList& arguments) {
  if (Handlers().start) return Handlers().start(program, arguments);
  return QProcess::startDetached(program, arguments);
}

bool OpenUrl(const QUrl& url) {
  if (Handlers().open) return Handlers().open(url);
  return QDesktopServices::openUrl(url);
}

bool OpenWithDefaultProgram(const QString& path) { return OpenUrl(QUrl::fromLocalFile(path)); }

bool ShowFileInFolder(const QString& path) {
  if (Handlers().reveal) return Handlers().reveal(path);
  const QFileInfo info(path);
  if (!info.exists()) return false;
  const QUrl folder = QUrl::fromLocalFile(info.absolutePath());
  // The desktop's file manager service selects the file; without one, the
  // folder opens in whatever shows folders.
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return QDesktopServices::openUrl(folder);
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{QUrl::fromLocalFile(info.absoluteFilePath()).toString()} << QString();
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), qApp);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [folder](QDBusPendingCallWatcher* done) {
    if (done->isError()) QDesktopServices::openUrl(folder);
    done->deleteLater();
  });
  return true;
}

QString FindProgram(const QString& name) {
  if (name.isEmpty()) return QString();
  if (name.contains(u'/')) {
    const QFileInfo info(name);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
  }
  return QStandardPaths::findExecutable(name);
}

LauncherHandlers SetLauncherHandlers(LauncherHandlers handlers) {
  LauncherHandlers previous = Handlers();
  Handlers() = std::move(handlers);
  return previous;
}

}  // namespace brantel::platform
