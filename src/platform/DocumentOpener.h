#pragma once

#include <QString>

#include <functional>

namespace brantel::platform {

// Opens a document (the help file, the manual) with the desktop's default
// program for its type. True when the desktop took the request.
bool OpenDocument(const QString& path);

// Replaces the way documents are opened (tests record the paths instead);
// an empty function restores the desktop's. Returns the previous one.
using DocumentOpener = std::function<bool(const QString& path)>;
DocumentOpener SetDocumentOpener(DocumentOpener opener);

}  // namespace brantel::platform
