#include "core/Settings.h"

#include "core/Conversions.h"
#include "core/FileHelpers.h"
#include "core/Fonts.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"

#include <optional>

namespace brantel {

qint16 DefaultUnits = 0;
qint16 DisplayHistoryWin = 1;
qint16 MaxDisplaySize = 2048;
QString DisplayFontName;
float DisplayFontSize = 10.0f;
qint16 DisplayFontBold = 0;
qint16 DisplayFontItalic = 0;
qint16 KeepFileNames = 1;
qint16 ShowDisclaim = 1;
qint16 MaxMainMenu = 0;
qint16 EnableMainMenuToolbar = 1;
qint16 ShortRecentFiles = 0;
qint16 LoadLastInputFile = 0;
qint16 RemindAnnualUpdates = 1;
qint16 CopyExampleFiles = 1;
QString DataPath;
QString FileExtension = QStringLiteral("BNL");
QString ExternalEditor = QStringLiteral("Notepad.exe");

qint16 MaxLastFiles = 0;
std::array<QString, kMaxRecentFiles + 1> LastFile;
std::array<qint16, kMaxRecentFiles + 1> LastFileMode{};
std::array<QString, kMaxRecentFiles + 1> LastFileLong;

QString BrowseFontName;
float BrowseFontSize = 10.0f;
qint16 BrowseFontBold = 0;
qint16 BrowseFontItalic = 0;
QString BrowseDefaultFilter;
qint16 BrowseUseNotepad = 0;

qint16 EnglishMenus = 1;
qint16 PrintModuleHeader = 1;
qint16 EnableMohrCircles = 1;
qint16 CircExtend = 5;
qint16 ShowInternalPlotCoords = 0;
std::array<qint16, 3> ToolBarPointer{21, 31, 4};

namespace {

const QString kVersion = QStringLiteral("Version");
const QString kSettings = QStringLiteral("Settings");
const QString kFileMenu = QStringLiteral("FileMenu");
const QString kTextBrowse = QStringLiteral("TextBrowse");
const QString kOptions = QStringLiteral("BrantelOptions");

QString RawValue(const IniDocument& doc, const QString& section, const QString& key,
                 const std::optional<QString>& iniDefault = std::nullopt) {
  QString value = doc.Value(section, key).value_or(QString());
  if (value.isEmpty() && iniDefault) return *iniDefault;
  return value;
}

// A numeric key read into an Integer variable and checked against its
// range: a value outside it, or one that does not fit 16 bits at all,
// becomes the range minimum.
qint16 ReadRangedInt(const IniDocument& doc, const QString& section, const QString& key,
                     qint16 min, qint16 max, const std::optional<QString>& iniDefault = std::nullopt) {
  qint16 value = min;
  try {
    value = CInt(Val(RawValue(doc, section, key, iniDefault)));
  } catch (const RuntimeError&) {
    return min;
  }
  return ClampToRange(value, min, max);
}

// A numeric key without a range; a value that does not fit 16 bits gives
// the key's default.
qint16 ReadUncheckedInt(const IniDocument& doc, const QString& section, const QString& key,
                        qint16 fallback) {
  try {
    return CInt(Val(RawValue(doc, section, key)));
  } catch (const RuntimeError&) {
    return fallback;
  }
}

// A Single key: checked against its range, then rounded to a whole number.
float ReadRangedSingle(const IniDocument& doc, const QString& section, const QString& key,
                       float min, float max) {
  float value = min;
  try {
    value = CSng(Val(RawValue(doc, section, key)));
  } catch (const RuntimeError&) {
    value = min;
  }
  return static_cast<float>(ClampToRange(value, min, max));
}

QString ReadFontName(const IniDocument& doc, const QString& section, const QString& key) {
  const QString name = RawValue(doc, section, key);
  return name.isEmpty() ? DefaultFontName() : name;
}

void SetInt(IniDocument& doc, const QString& section, const QString& key, qint16 value) {
  doc.SetValue(section, key, FormatInt(value));
}

}  // namespace

void SetDefaultSettings() {
  DefaultUnits = 0;
  DisplayHistoryWin = 1;
  MaxDisplaySize = 2048;
  KeepFileNames = 1;
  ShowDisclaim = 1;
  MaxMainMenu = 0;
  DataPath.clear();
  BrowseDefaultFilter.clear();
  ExternalEditor = QStringLiteral("Notepad.exe");
  EnableMainMenuToolbar = 1;
  ShortRecentFiles = 0;
  LoadLastInputFile = 0;
  RemindAnnualUpdates = 1;
  CopyExampleFiles = 1;
  BrowseFontName = DefaultFontName();
  DisplayFontName = BrowseFontName;
  BrowseFontSize = 10.0f;
  DisplayFontSize = 10.0f;
  DisplayFontBold = 0;
  DisplayFontItalic = 0;
  BrowseFontBold = 0;
  BrowseFontItalic = 0;
  BrowseUseNotepad = 0;
  FileExtension = QStringLiteral("BNL");
  MaxLastFiles = 0;
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    LastFile[static_cast<std::size_t>(i)].clear();
    LastFileMode[static_cast<std::size_t>(i)] = 0;
    LastFileLong[static_cast<std::size_t>(i)].clear();
  }
  EnglishMenus = 1;
  PrintModuleHeader = 1;
  EnableMohrCircles = 1;
  CircExtend = 5;
  ShowInternalPlotCoords = 0;
  ToolBarPointer = {21, 31, 4};
}

QString ReadIniFileVersion() {
  INIFileVersion = ReadIniValue(kVersion, QStringLiteral("INIFileVersion"), SettingsIniPath);
  return INIFileVersion;
}

bool WriteIniFileVersion() {
  return WriteIniValue(kVersion, QStringLiteral("INIFileVersion"), INIFileVersion,
                       SettingsIniPath) != 0;
}

void ReadIniSection(int code, const IniDocument& doc) {
  switch (code) {
    case kSettingsMain: {
      const QString& s = kSettings;
      DefaultUnits = ReadRangedInt(doc, s, QStringLiteral("DefaultUnits"), 0, 1);
      DisplayHistoryWin = ReadRangedInt(doc, s, QStringLiteral("DisplayHistoryWin"), 0, 1);
      MaxDisplaySize = ReadRangedInt(doc, s, QStringLiteral("MaxDisplaySize"), 4096, 16384);
      DisplayFontName = ReadFontName(doc, s, QStringLiteral("DisplayFontName"));
      DisplayFontSize = ReadRangedSingle(doc, s, QStringLiteral("DisplayFontSize"), 7.0f, 24.0f);
      DisplayFontBold = ReadRangedInt(doc, s, QStringLiteral("DisplayFontBold"), -1, 0);
      DisplayFontItalic = ReadRangedInt(doc, s, QStringLiteral("DisplayFontItalic"), -1, 0);
      KeepFileNames = ReadRangedInt(doc, s, QStringLiteral("KeepFileNames"), 0, 1);
      ShowDisclaim = ReadRangedInt(doc, s, QStringLiteral("ShowDisclaim"), 0, 1);
      MaxMainMenu = ReadRangedInt(doc, s, QStringLiteral("MaxMainMenu"), 0, 1);
      EnableMainMenuToolbar = ReadRangedInt(doc, s, QStringLiteral("EnableMainMenuToolbar"), 0, 1);
      ShortRecentFiles = ReadRangedInt(doc, s, QStringLiteral("ShortRecentFiles"), 0, 1);
      LoadLastInputFile = ReadRangedInt(doc, s, QStringLiteral("LoadLastInputFile"), 0, 1);
      RemindAnnualUpdates = ReadRangedInt(doc, s, QStringLiteral("RemindAnnualUpdates"), 0, 1);
      CopyExampleFiles =
          ReadRangedInt(doc, s, QStringLiteral("CopyExampleFiles"), 0, 1, QStringLiteral("1"));
      ExternalEditor = RawValue(doc, s, QStringLiteral("ExternalEditor"));

      const QString dataPath = RawValue(doc, s, QStringLiteral("DataPath"));
      if (dataPath.isEmpty() || dataPath == QStringLiteral("0")) {
        DataPath.clear();
      } else {
        const QString trimmed = dataPath.trimmed();
        DataPath = trimmed.endsWith(u'/') ? dataPath : trimmed + u'/';
        if (!ValidPath(DataPath, true)) DataPath.clear();
      }

      const QString extension = RawValue(doc, s, QStringLiteral("FileExtension"));
      FileExtension = extension == QStringLiteral("0") ? DefaultFileExtension : extension;
      break;
    }
    case kSettingsFileMenu: {
      MaxLastFiles = ReadRangedInt(doc, kFileMenu, QStringLiteral("MaxLastFiles"), 0, kMaxRecentFiles);
      for (int i = 1; i <= MaxLastFiles; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QString n = QString::number(i);
        LastFile[k] = RawValue(doc, kFileMenu, QStringLiteral("LastFile") + n);
        LastFileMode[k] = ReadUncheckedInt(doc, kFileMenu, QStringLiteral("LastFileMode") + n, 0);
        LastFileLong[k] = RawValue(doc, kFileMenu, QStringLiteral("LastFileLong") + n);
      }
      break;
    }
    case kSettingsTextBrowse: {
      const QString& s = kTextBrowse;
      BrowseFontName = ReadFontName(doc, s, QStringLiteral("BrowseFontName"));
      BrowseFontSize = ReadRangedSingle(doc, s, QStringLiteral("BrowseFontSize"), 7.0f, 24.0f);
      BrowseFontBold = ReadRangedInt(doc, s, QStringLiteral("BrowseFontBold"), -1, 0);
      BrowseFontItalic = ReadRangedInt(doc, s, QStringLiteral("BrowseFontItalic"), -1, 0);
      BrowseDefaultFilter = RawValue(doc, s, QStringLiteral("BrowseDefaultFilter"));
      BrowseUseNotepad = ReadRangedInt(doc, s, QStringLiteral("BrowseUseNotepad"), 0, 1);
      break;
    }
    default:
      break;
  }
}

void ReadOptionsSection(const IniDocument& doc) {
  const QString& s = kOptions;
  EnglishMenus = ReadRangedInt(doc, s, QStringLiteral("EnglishMenus"), 0, 1);
  PrintModuleHeader = ReadRangedInt(doc, s, QStringLiteral("PrintModuleHeader"), 0, 1);
  EnableMohrCircles = ReadRangedInt(doc, s, QStringLiteral("EnableMohrCircles"), 0, 1);
  CircExtend = ReadUncheckedInt(doc, s, QStringLiteral("CircExtend"), 5);
  if (CircExtend == 0) CircExtend = 5;
  ShowInternalPlotCoords = ReadRangedInt(doc, s, QStringLiteral("ShowInternalPlotCoords"), 0, 1);
  const std::array<qint16, 3> defaults{21, 31, 4};
  for (std::size_t i = 0; i < ToolBarPointer.size(); ++i) {
    ToolBarPointer[i] = ReadUncheckedInt(doc, s, QStringLiteral("ToolBarPointer") + QString::number(i),
                                         defaults[i]);
  }
}

void WriteIniSection(int code, IniDocument& doc) {
  switch (code) {
    case kSettingsMain: {
      const QString& s = kSettings;
      SetInt(doc, s, QStringLiteral("DefaultUnits"), DefaultUnits);
      SetInt(doc, s, QStringLiteral("DisplayHistoryWin"), DisplayHistoryWin);
      SetInt(doc, s, QStringLiteral("MaxDisplaySize"), MaxDisplaySize);
      doc.SetValue(s, QStringLiteral("DisplayFontName"), DisplayFontName);
      doc.SetValue(s, QStringLiteral("DisplayFontSize"), FormatGeneral(DisplayFontSize));
      SetInt(doc, s, QStringLiteral("DisplayFontBold"), DisplayFontBold);
      SetInt(doc, s, QStringLiteral("DisplayFontItalic"), DisplayFontItalic);
      SetInt(doc, s, QStringLiteral("KeepFileNames"), KeepFileNames);
      SetInt(doc, s, QStringLiteral("ShowDisclaim"), ShowDisclaim);
      SetInt(doc, s, QStringLiteral("MaxMainMenu"), MaxMainMenu);
      SetInt(doc, s, QStringLiteral("EnableMainMenuToolbar"), EnableMainMenuToolbar);
      SetInt(doc, s, QStringLiteral("ShortRecentFiles"), ShortRecentFiles);
      SetInt(doc, s, QStringLiteral("LoadLastInputFile"), LoadLastInputFile);
      SetInt(doc, s, QStringLiteral("RemindAnnualUpdates"), RemindAnnualUpdates);
      SetInt(doc, s, QStringLiteral("CopyExampleFiles"), CopyExampleFiles);
      doc.SetValue(s, QStringLiteral("DataPath"), DataPath);
      doc.SetValue(s, QStringLiteral("FileExtension"), FileExtension);
      doc.SetValue(s, QStringLiteral("ExternalEditor"), ExternalEditor);
      break;
    }
    case kSettingsFileMenu: {
      SetInt(doc, kFileMenu, QStringLiteral("MaxLastFiles"), MaxLastFiles);
      ClampToRange(MaxLastFiles, qint16(0), qint16(kMaxRecentFiles));
      for (int i = 1; i <= MaxLastFiles; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QString n = QString::number(i);
        doc.SetValue(kFileMenu, QStringLiteral("LastFile") + n, LastFile[k]);
        SetInt(doc, kFileMenu, QStringLiteral("LastFileMode") + n, LastFileMode[k]);
        doc.SetValue(kFileMenu, QStringLiteral("LastFileLong") + n, LastFileLong[k]);
      }
      break;
    }
    case kSettingsTextBrowse: {
      const QString& s = kTextBrowse;
      doc.SetValue(s, QStringLiteral("BrowseFontName"), BrowseFontName);
      doc.SetValue(s, QStringLiteral("BrowseFontSize"), FormatGeneral(BrowseFontSize));
      SetInt(doc, s, QStringLiteral("BrowseFontBold"), BrowseFontBold);
      SetInt(doc, s, QStringLiteral("BrowseFontItalic"), BrowseFontItalic);
      doc.SetValue(s, QStringLiteral("BrowseDefaultFilter"), BrowseDefaultFilter);
      SetInt(doc, s, QStringLiteral("BrowseUseNotepad"), BrowseUseNotepad);
      break;
    }
    default:
      break;
  }
}

void WriteOptionsSection(IniDocument& doc) {
  const QString& s = kOptions;
  SetInt(doc, s, QStringLiteral("EnglishMenus"), EnglishMenus);
  SetInt(doc, s, QStringLiteral("PrintModuleHeader"), PrintModuleHeader);
  SetInt(doc, s, QStringLiteral("EnableMohrCircles"), EnableMohrCircles);
  SetInt(doc, s, QStringLiteral("CircExtend"), CircExtend);
  SetInt(doc, s, QStringLiteral("ShowInternalPlotCoords"), ShowInternalPlotCoords);
  for (std::size_t i = 0; i < ToolBarPointer.size(); ++i)
    SetInt(doc, s, QStringLiteral("ToolBarPointer") + QString::number(i), ToolBarPointer[i]);
}

void ReadAllSettings(const IniDocument& doc) {
  ReadIniSection(kSettingsMain, doc);
  ReadIniSection(kSettingsFileMenu, doc);
  ReadIniSection(kSettingsTextBrowse, doc);
  ReadOptionsSection(doc);
}

void ReadAllSettings() {
  IniDocument doc;
  if (!doc.Load(SettingsIniPath)) doc = IniDocument();
  ReadAllSettings(doc);
}

QString SettingsWriteFailedLine() {
  return Tr(QStringLiteral("The settings file could not be written: "),
            QStringLiteral("Δεν ήταν δυνατή η εγγραφή του αρχείου ρυθμίσεων: ")) +
         SettingsIniPath;
}

bool SaveSettings(int code) {
  AddHistoryLine(Tr(QStringLiteral("Saving default settings to file: "),
                    QStringLiteral("Αποθήκευση ρυθμίσεων στο αρχείο: ")) +
                 SettingsIniPath);
  const bool writes = code == kSettingsAll || code == kSettingsMain || code == kSettingsFileMenu ||
                      code == kSettingsTextBrowse || code == kSettingsOptions;
  if (!writes) return true;

  IniDocument doc;
  bool ok = doc.Load(SettingsIniPath);
  if (ok) {
    if (code == kSettingsAll || code == kSettingsMain) WriteIniSection(kSettingsMain, doc);
    if (code == kSettingsAll || code == kSettingsFileMenu) WriteIniSection(kSettingsFileMenu, doc);
    if (code == kSettingsAll || code == kSettingsTextBrowse) WriteIniSection(kSettingsTextBrowse, doc);
    if (code == kSettingsAll || code == kSettingsOptions) WriteOptionsSection(doc);
    ok = doc.Save(SettingsIniPath);
  }
  if (!ok) AddHistoryLine(SettingsWriteFailedLine());
  return ok;
}

}  // namespace brantel
