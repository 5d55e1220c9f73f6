#pragma once

#include <QString>

#include <functional>

namespace brantel::platform {

// Opens a file with the program the desktop associates with its type.
// False when no program could be started for it.
bool OpenWithDefaultProgram(const QString& path);

// Replaces what OpenWithDefaultProgram does (tests install one that starts
// nothing); returns the previous function. An empty function restores the
// desktop's own.
using OpenFileHandler = std::function<bool(const QString& path)>;
OpenFileHandler SetOpenFileHandler(OpenFileHandler handler);

}  // namespace brantel::platform
