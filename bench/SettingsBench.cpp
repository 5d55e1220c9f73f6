// Reading and writing a full settings file.

#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Settings.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

struct SettingsFile {
  SettingsFile() {
    SettingsIniPath = dir.path() + QStringLiteral("/Brantel.INI");
    SetDefaultSettings();
    HistoryShown = false;  // keep the history out of the measurement
    RecentFileCount = 4;
    for (int i = 1; i <= kMaxRecentFiles; ++i) {
      RecentFileName[static_cast<std::size_t>(i)] = QStringLiteral("Project %1.BNL").arg(i);
      RecentFilePath[static_cast<std::size_t>(i)] = dir.path() + QStringLiteral("/projects/Project %1.BNL").arg(i);
    }
    INIFileVersion = QStringLiteral("050909");
    IniDocument stamp;
    stamp.SetValue(QStringLiteral("Version"), QStringLiteral("INIFileVersion"), INIFileVersion);
    stamp.Save(SettingsIniPath);
    SaveSettings(SettingsPart::Everything);
  }
  QTemporaryDir dir;
};

void BM_SaveAllSettings(benchmark::State& state) {
  SettingsFile file;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SaveSettings(SettingsPart::Everything));
  }
}
BENCHMARK(BM_SaveAllSettings);

void BM_ReadAllSettings(benchmark::State& state) {
  SettingsFile file;
  for (auto _ : state) {
    ReadAllSettings();
    benchmark::DoNotOptimize(HistoryMaxCharacters);
  }
}
BENCHMARK(BM_ReadAllSettings);

void BM_ParseSettingsText(benchmark::State& state) {
  SettingsFile file;
  IniDocument doc;
  doc.Load(SettingsIniPath);
  const QString text = QString::fromUtf8(doc.ToBytes());
  for (auto _ : state) {
    ReadAllSettings(IniDocument::FromText(text));
    benchmark::DoNotOptimize(HistoryMaxCharacters);
  }
}
BENCHMARK(BM_ParseSettingsText);

}  // namespace
