// Fuzz target of the settings reader. Whatever the bytes of the settings
// file, reading must not crash, every value read must lie in its range, the
// settings written back and read again must be the same settings, and a
// second save must leave the saved file as it is.

#include "FuzzCheck.h"
#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Settings.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <tuple>

const char* const brantel::fuzz::kTargetName = "settings fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;

void SetUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  DefaultFileExtension = QStringLiteral("BNL");
}

bool In(int value, int min, int max) { return value >= min && value <= max; }
bool WholeIn(float value, float min, float max) {
  return value >= min && value <= max && std::nearbyint(value) == value;
}

// Every setting, to compare two readings.
auto Snapshot() {
  return std::make_tuple(
      std::make_tuple(NewProjectUnits, HistoryShown, HistoryMaxCharacters, DisplayFontName, DisplayFontSize,
                      DisplayFontBold, DisplayFontItalic, RecentFilesListed, DisclaimerAtStart, MainWindowMaximized,
                      ToolbarShown, RecentFilesByName, LastProjectOpensAtStart, YearlyUpdateReminder),
      std::make_tuple(CopyExampleFiles, DataPath, FileExtension, ExternalViewer, RecentFileCount, RecentFileName,
                      RecentFileMode, RecentFilePath),
      std::make_tuple(BrowseFontName, BrowseFontSize, BrowseFontBold, BrowseFontItalic, BrowseDefaultFilter,
                      BrowseInExternalViewer),
      std::make_tuple(EnglishMenus, PrintModuleHeader, EnableMohrCircles, CircularCurvesExtent, ShowInternalPlotCoords,
                      QuickButtonTools));
}

// The yes/no settings are bools: any reading gives yes or no.
void CheckRanges() {
  Check((NewProjectUnits == UnitSystem::Imperial || NewProjectUnits == UnitSystem::SI) &&
            In(HistoryMaxCharacters, 4096, 16384),
        "[Settings] range");
  Check(WholeIn(DisplayFontSize, 7, 24), "display font range");
  Check(DataPath.isEmpty() || DataPath.endsWith(u'/'), "a data path without its closing /");
  Check(FileExtension != QStringLiteral("0"), "file extension 0");
  Check(In(RecentFileCount, 0, kMaxRecentFiles), "recent-file count range");
  Check(WholeIn(BrowseFontSize, 7, 24), "[TextBrowse] range");
  Check(CircularCurvesExtent != 0, "[BrantelOptions] range");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SetUpOnce();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  SetDefaultSettings();
  ReadAllSettings(IniDocument::FromBytes(bytes));
  CheckRanges();
  const auto first = Snapshot();

  // Written as a save writes them, and read back: the same settings.
  IniDocument written = IniDocument::FromBytes(bytes);
  WriteSettings(SettingsPart::Everything, written);
  const QByteArray saved = written.ToBytes();
  SetDefaultSettings();
  ReadAllSettings(IniDocument::FromBytes(saved));
  Check(Snapshot() == first, "the settings written back read differently");

  // The saved file reads as the document that was written, and the next
  // save leaves it byte for byte: its meaning never drifts from save to save.
  IniDocument again = IniDocument::FromBytes(saved);
  Check(again.Lines() == written.Lines(), "the saved file reads as another document");
  WriteSettings(SettingsPart::Everything, again);
  Check(again.ToBytes() == saved, "a second save changed the file");
  return 0;
}
