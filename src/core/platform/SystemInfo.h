#pragma once

#include <QString>

#include <functional>

namespace brantel::platform {

// The desktop's system-information program: the full path of the first of
// the known programs found on the search path, or "" when there is none.
// It is started through the launcher (core/platform/Launcher.h).
QString FindSystemInfoProgram();

// Replace the look-up (tests); an empty function restores the real one.
// Returns the previous function.
using SystemInfoLookup = std::function<QString()>;
SystemInfoLookup SetSystemInfoLookup(SystemInfoLookup lookup);

}  // namespace brantel::platform
