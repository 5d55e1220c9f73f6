#include "platform/Launcher.h"

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
