#include "core/platform/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <clocale>

namespace brantel::platform {

namespace {

bool ReadStandardFolder(QStandardPaths::StandardLocation location, QString& folder) {
  QString path = QStandardPaths::writableLocation(location);
  if (path.isEmpty()) return false;
  QDir().mkpath(path);
  if (!QFileInfo(path).isDir()) return false;
  while (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
  folder = path;
  return true;
}

}  // namespace

bool ReadDocumentsFolder(QString& folder) { return ReadStandardFolder(QStandardPaths::DocumentsLocation, folder); }

bool ReadDownloadsFolder(QString& folder) { return ReadStandardFolder(QStandardPaths::DownloadLocation, folder); }

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
