#include "platform/SystemInfo.h"

#include <QProcess>
#include <QStandardPaths>

namespace brantel::platform {
namespace {
SystemInfoLookup& Lookup() {
  static SystemInfoLookup lookup;
  return lookup;
}
ProgramStarter& Starter() {
  static ProgramStarter starter;
  return starter;
}
}  // namespace

QString FindSystemInfoProgram() {
  if (Lookup()) return Lookup()();
  // System-information programs of the common desktops, best first.
  static const char* const kPrograms[] = {"hardinfo2", "hardinfo", "kinfocenter"};
  for (const char* name : kPrograms) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!path.isEmpty()) return path;
  }
  return QString();
}

bool StartProgram(const QString& path) {
  if (Starter()) return Starter()(path);
  return QProcess::startDetached(path, {});
}

SystemInfoLookup SetSystemInfoLookup(SystemInfoLookup lookup) {
  SystemInfoLookup previous = std::move(Lookup());
  Lookup() = std::move(lookup);
  return previous;
}

ProgramStarter SetProgramStarter(ProgramStarter starter) {
  ProgramStarter previous = std::move(Starter());
  Starter() = std::move(starter);
  return previous;
}

}  // namespace brantel::platform
