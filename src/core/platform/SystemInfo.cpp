#include "core/platform/SystemInfo.h"

#include "core/platform/Launcher.h"

namespace brantel::platform {
namespace {
SystemInfoLookup& Lookup() {
  static SystemInfoLookup lookup;
  return lookup;
}
}  // namespace

QString FindSystemInfoProgram() {
  if (Lookup()) return Lookup()();
  // System-information programs of the common desktops, best first.
  static const char* const kPrograms[] = {"hardinfo2", "hardinfo", "kinfocenter"};
  for (const char* name : kPrograms) {
    const QString path = FindProgram(QString::fromLatin1(name));
    if (!path.isEmpty()) return path;
  }
  return QString();
}

SystemInfoLookup SetSystemInfoLookup(SystemInfoLookup lookup) {
  SystemInfoLookup previous = std::move(Lookup());
  Lookup() = std::move(lookup);
  return previous;
}

}  // namespace brantel::platform
