#pragma once

#include <QString>

#include <functional>

namespace brantel::platform {

// The desktop's system-information program: the full path of the first of
// the known programs found on the search path, or "" when there is none.
QString FindSystemInfoProgram();

// Starts a program in its own process, detached from this one. False when
// it could not be started.
bool StartProgram(const QString& path);

// Replace the look-up and the start (tests); an empty function restores
// the real one. Each returns the previous function.
using SystemInfoLookup = std::function<QString()>;
using ProgramStarter = std::function<bool(const QString& path)>;
SystemInfoLookup SetSystemInfoLookup(SystemInfoLookup lookup);
ProgramStarter SetProgramStarter(ProgramStarter starter);

}  // namespace brantel::platform
