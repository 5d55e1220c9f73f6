#pragma once

#include <QString>

#include <optional>

namespace brantel::platform {

// The user's documents folder (the XDG documents folder), created with its
// parents when missing, without a trailing "/". Nothing when the desktop
// names none or it cannot be made.
std::optional<QString> DocumentsFolder();
// Its path alone, as the desktop names it, without looking at the folder
// (which may be on a network folder that does not answer).
std::optional<QString> DocumentsFolderPath();

// The user's downloads folder (the XDG download folder), made the same way.
std::optional<QString> DownloadsFolder();

// The desktop's decimal separator ("," or ".").
QString DesktopDecimalSeparator();

// Makes every number the process formats or parses use "." (the C numeric
// locale, for the C library and for Qt). The desktop's own settings are
// never changed.
void UseDotDecimalPoint();

}  // namespace brantel::platform
