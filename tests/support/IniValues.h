#pragma once

#include <QString>

#include <optional>

namespace brantel {

// One key of an INI file (core/IniFile.h), for the tests that set up or
// look into a settings file.

// A missing file or key, or an empty value, gives the default when one is
// passed and "" otherwise. Values are read whole.
QString ReadIniValue(const QString& section, const QString& key, const QString& file,
                     const std::optional<QString>& defaultValue = std::nullopt);

// Writes one key; the file and the section are created when missing.
// Returns nonzero on success, 0 when the file could not be written.
qint16 WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& file);

}  // namespace brantel
