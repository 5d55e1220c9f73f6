#pragma once

#include <QString>

namespace brantel::platform {

// The user's documents folder (the XDG documents folder), created with its
// parents when missing. False when the desktop names none or it cannot be
// made; the folder is given without a trailing "/".
bool ReadDocumentsFolder(QString& folder);

// The user's downloads folder (the XDG download folder), made the same way.
bool ReadDownloadsFolder(QString& folder);

// The desktop's decimal separator ("," or ".").
QString DesktopDecimalSeparator();

// Makes every number the process formats or parses use "." (the C numeric
// locale, for the C library and for Qt). The desktop's own settings are
// never changed.
void UseDotDecimalPoint();

}  // namespace brantel::platform
