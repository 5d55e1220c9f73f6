#include "platform/DocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace brantel::platform {
namespace {
DocumentOpener& Opener() {
  static DocumentOpener opener;
  return opener;
}
}  // namespace

bool OpenDocument(const QString& path) {
  if (Opener()) return Opener()(path);
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

DocumentOpener SetDocumentOpener(DocumentOpener opener) {
  DocumentOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

}  // namespace brantel::platform
