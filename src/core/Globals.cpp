#include "core/Globals.h"

namespace brantel {

QString AppTitle;
QString HelpFileName;
QString ManualFileName;
QString WebPageURL;
QString UpdateFolderURL;
QString ToolbarBitmapName;
QString AppNameUpper;
QString IniFileVersionCurrent;
QString INIFileVersion;
std::array<QString, kProjectSignatureCount> ProjectSignatures;
std::array<std::array<QString, kUnitRows + 1>, 4> UnitLabels;
std::array<QString, 2> UnitSystemNames;
QString AppFolder;
QString UserFolder;
QString UserTempFolder;
QString SystemTempFolder;
QString SettingsIniPath;
QString DescTempFile;
QString DefaultFileExtension;
QString PathExchange;
QString SavedDecimalSeparator;
int HistoryCounter = 0;
int UnitsStartTab = 0;
int ConvertFileOption = 0;
int OutBufLastPage = 1;
QString BrowseLastDir;
QString AppHelpFile;
QString CommandLine;

QString UnitLabel(int unitSystem, int row) {
  if (unitSystem < 0 || unitSystem > 3 || row < 1 || row > kUnitRows) return QString();
  return UnitLabels[static_cast<std::size_t>(unitSystem)][static_cast<std::size_t>(row)];
}

}  // namespace brantel
