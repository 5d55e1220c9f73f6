#include "core/platform/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <clocale>

namespace brantel::platform {

namespace {

std::optional<QString> StandardPath(QStandardPaths::StandardLocation location) {
  QString path = QStandardPaths::writableLocation(location);
  if (path.isEmpty()) return std::nullopt;
  while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
  return path;
}

std::optional<QString> StandardFolder(QStandardPaths::StandardLocation location) {
  const std::optional<QString> path = StandardPath(location);
  if (!path) return std::nullopt;
  QDir().mkpath(*path);
  if (!QFileInfo(*path).isDir()) return std::nullopt;
  return path;
}

}  // namespace

std::optional<QString> DocumentsFolder() { return StandardFolder(QStandardPaths::DocumentsLocation); }

std::optional<QString> DocumentsFolderPath() { return StandardPath(QStandardPaths::DocumentsLocation); }

std::optional<QString> DownloadsFolder() { return StandardFolder(QStandardPaths::DownloadLocation); }

QString DesktopDecimalSeparator() {
  // The desktop's locale as the environment names it, whatever the process
  // has set since.
  return QLocale::system().decimalPoint();
}

void UseDotDecimalPoint() {
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

}  // namespace brantel::platform
