#pragma once

#include "core/FileConversion.h"
#include "core/UnitConversion.h"
#include "core/UnitSystem.h"
#include "core/project/ProjectFileVersion.h"

#include <QString>

#include <array>

namespace brantel {

// Process-wide globals filled at start-up and read by every part of the
// program. Folder globals end with "/".

extern QString AppTitle;               // "Brantel"; default message-box title
extern QString HelpFileName;           // "Brantel.chm"
extern QString ManualFileName;         // "Brantel.PDF"
extern QString WebPageURL;             // the program's web page
extern QString UpdateFolderURL;        // folder of the version file and setups, ends with "/"
extern QString ToolbarBitmapName;      // "Brantel.bmp"
extern QString AppNameUpper;           // program file's base name in upper case
extern QString IniFileVersionCurrent;  // "050909"
extern QString INIFileVersion;         // the stamp read from the settings file

// Entry k is the signature of project-file version kProjectFileFirstVersion + k
// (ProjectSignatureOf).
extern std::array<QString, kProjectSignatureCount> ProjectSignatures;

// The unit suffixes of a unit system by quantity row 1..kUnitRows (row 0 unused),
// one list per UnitSystem (UnitLabelsOf).
inline constexpr int kUnitRows = 18;
using UnitLabelList = std::array<QString, kUnitRows + 1>;
extern std::array<UnitLabelList, kUnitSystemCount> UnitLabels;
// The list of a unit system.
UnitLabelList& UnitLabelsOf(UnitSystem units);
// The names of the unit systems in the unit options, by UnitSystemNumber.
extern std::array<QString, kUnitSystemCount> UnitSystemNames;

extern QString AppFolder;
extern QString UserFolder;
extern QString UserTempFolder;
extern QString SystemTempFolder;
extern QString SettingsIniPath;        // UserFolder + "Brantel.INI"
extern QString DescTempFile;           // SystemTempFolder + "~tmpdesc.tmp"
extern QString DefaultFileExtension;   // "BNL"
extern QString PathExchange;           // folder handed between the settings dialog and the folder picker
extern QString SavedDecimalSeparator;  // the desktop's decimal separator at start-up

extern int HistoryCounter;                 // number of the last history line
extern UnitTab UnitsStartTab;              // start tab of the unit converter
extern AfterConversion ConvertFileOption;  // the option the file converter last had chosen
extern int OutBufLastPage;                 // the last output page in use
extern QString BrowseLastDir;              // last folder of the text browser
extern QString AppHelpFile;                // full path of the help file
extern QString CommandLine;                // the program's arguments as one text

// The unit suffix of a quantity row for a unit system; "" outside the table.
QString UnitLabel(UnitSystem units, int row);

}  // namespace brantel
