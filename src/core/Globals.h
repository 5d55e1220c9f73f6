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

// The rows of the unit-label table: one quantity a row, numbered from 1, with
// its suffix in each unit system (imperial / SI, FillUnitLabels in
// Startup.cpp). A new quantity takes a new row at the end, since the rows
// are numbered, and kUnitRows names it.
enum class UnitRow {
  Length = 1,                     // ft / m
  Stress = 2,                     // psi / MPa
  UnitWeight = 3,                 // pcf / kN/m3
  ShortLength = 4,                // in / cm
  SmallStress = 5,                // psf / kPa
  Force = 6,                      // lbs / kN
  Tonnage = 7,                    // tons / tn
  LengthInFeetOrCentimetres = 8,  // ft / cm
  LargeStress = 9,                // ksi / MPa
  LargeForce = 10,                // tons / MN
  LargeLineLoad = 11,             // tons/ft / MN/m
  FineLength = 12,                // in / mm
  TonForce = 13,                  // tons / kN
  LineLoad = 14,                  // tons/ft / kN/m
  Modulus = 15,                   // million psi / GPa
  KipLineLoad = 16,               // kips/ft / kN/m
  KipMomentPerArea = 17,          // kip-ft/ft^2 / kN-m/m^2
  TonMomentPerArea = 18,          // ton-ft/ft^2 / kN-m/m^2
};

// The unit suffixes of a unit system by quantity row 1..kUnitRows (row 0 unused),
// one list per UnitSystem (UnitLabelsOf); kUnitRows is the last row.
inline constexpr int kUnitRows = static_cast<int>(UnitRow::TonMomentPerArea);
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

// The unit suffix of a quantity row for a unit system; "" for a number that
// is no row of the table.
QString UnitLabel(UnitSystem units, UnitRow row);

}  // namespace brantel
