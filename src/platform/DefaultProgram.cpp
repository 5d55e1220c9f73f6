#include "platform/DefaultProgram.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

namespace brantel::platform {
namespace {

OpenFileHandler& Handler() {
  static OpenFileHandler handler;
  return handler;
}

}  // namespace

bool OpenWithDefaultProgram(const QString& path) {
  if (Handler()) return Handler()(path);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

OpenFileHandler SetOpenFileHandler(OpenFileHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace brantel::platform
