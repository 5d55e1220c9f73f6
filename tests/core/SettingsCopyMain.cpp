// One copy of the program as far as the settings file goes, for the test of
// several copies sharing one file: it starts (the file made or read), then
// saves its own quick-button code round after round, opens one project half
// way, and writes the recent-file list once more as it exits.
// Usage: settings_copy <settings file> <copy 0..3> <rounds>
//
// Or a copy that hangs while it holds the lock beside the file: it takes
// the lock, writes "held" on its output and keeps it until its input ends.
// Usage: settings_copy <settings file> hold

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"

#include <QCoreApplication>
#include <QLockFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace brantel;

namespace {

// The setting this copy changes: a quick button of its own, or CircularCurvesExtent.
int& OwnSetting(int copy) { return copy < 3 ? QuickButtonTools[static_cast<std::size_t>(copy)] : CircularCurvesExtent; }

int HoldTheLock() {
  QLockFile lock(SettingsIniPath + QStringLiteral(".lock"));
  if (!lock.tryLock(5000)) return 6;
  std::puts("held");
  std::fflush(stdout);
  while (std::getchar() != EOF) {
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[2], "hold") == 0) {
    SettingsIniPath = QString::fromLocal8Bit(argv[1]);
    return HoldTheLock();
  }
  if (argc != 4) return 2;
  SettingsIniPath = QString::fromLocal8Bit(argv[1]);
  const int copy = std::atoi(argv[2]);
  const int rounds = std::atoi(argv[3]);
  IniFileVersionCurrent = QStringLiteral("050909");
  DefaultFileExtension = QStringLiteral("BNL");

  SettleSettingsFile();
  for (int round = 0; round < rounds; ++round) {
    OwnSetting(copy) = 100 * (copy + 1) + round;
    if (!SaveSettings(SettingsPart::Options)) return 3;
    if (round == rounds / 2) {
      AddRecentFile(QStringLiteral("/data/copy%1.BNL").arg(copy), RecentFileMark::Marked);
      if (!SaveSettings(SettingsPart::FileMenu)) return 4;
    }
  }
  return SaveSettings(SettingsPart::FileMenu) ? 0 : 5;
}
