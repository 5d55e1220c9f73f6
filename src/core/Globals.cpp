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
std::array<UnitLabelList, kUnitSystemCount> UnitLabels;
std::array<QString, kUnitSystemCount> UnitSystemNames;
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
UnitTab UnitsStartTab = UnitTab::Length;
AfterConversion ConvertFileOption = AfterConversion::LoadConverted;
int OutBufLastPage = 1;
QString BrowseLastDir;
QString AppHelpFile;
QString CommandLine;

UnitLabelList& UnitLabelsOf(UnitSystem units) { return UnitLabels[static_cast<std::size_t>(UnitSystemNumber(units))]; }

QString UnitLabel(UnitSystem units, UnitRow row) {
  const int number = static_cast<int>(row);
  if (number < 1 || number > kUnitRows) return QString();
  return UnitLabelsOf(units)[static_cast<std::size_t>(number)];
}

}  // namespace brantel
