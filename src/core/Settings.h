#pragma once

#include "core/UnitSystem.h"

#include <QString>
#include <QStringView>

#include <array>
#include <memory>
#include <span>
#include <variant>

class QLockFile;

namespace brantel {

class IniDocument;

// The settings: one variable per key of the settings file, named for what
// it holds (the table in Settings.cpp pairs each with its key, so the file
// keeps its keys). A yes/no is a bool here; the settings file writes it as -1/0 or 1/0 (the
// table below says which), and only reading and writing the file convert.

// [Settings]
extern UnitSystem NewProjectUnits;  // unit system of a new project (the file: 0 imperial, 1 SI)
extern bool HistoryShown;           // the history pane shown and lines appended
extern int HistoryMaxCharacters;    // history text limit in characters
extern QString DisplayFontName;
extern float DisplayFontSize;
extern bool DisplayFontBold;
extern bool DisplayFontItalic;
extern bool RecentFilesListed;        // the File menu lists the recent files
extern bool DisclaimerAtStart;        // the disclaimer shows at start
extern bool MainWindowMaximized;      // the main window starts maximized
extern bool ToolbarShown;             // the main window's toolbar shown
extern bool RecentFilesByName;        // recent files listed by name, not by path
extern bool LastProjectOpensAtStart;  // the last project opens at start
extern bool YearlyUpdateReminder;     // the yearly reminder to look for an update
extern bool CopyExampleFiles;         // the example projects copied at start
extern QString DataPath;              // starting folder of the project-file dialogs, "" or ending with "/"
extern QString FileExtension;         // extension of project files
extern QString ExternalViewer;        // external viewer of the text browser

// [FileMenu]: recent files, entries 1..4 (index 0 unused).
inline constexpr int kMaxRecentFiles = 4;
// The mode kept beside a recent file (LastFileMode). The program adds every
// file with the mark a project record gets when it is reset (Marked); the
// settings file holds the mode as a number: a missing one reads as Unmarked,
// and any other 16-bit number typed into the file is kept as typed.
enum class RecentFileMark : qint16 { Unmarked = 0, Marked = 1 };
extern int RecentFileCount;  // how many entries follow
extern std::array<QString, kMaxRecentFiles + 1> RecentFileName;
extern std::array<RecentFileMark, kMaxRecentFiles + 1> RecentFileMode;
extern std::array<QString, kMaxRecentFiles + 1> RecentFilePath;

// [TextBrowse]
extern QString BrowseFontName;
extern float BrowseFontSize;
extern bool BrowseFontBold;
extern bool BrowseFontItalic;
extern QString BrowseDefaultFilter;
extern bool BrowseInExternalViewer;  // the text browser opens files in the external viewer

// [BrantelOptions]
extern bool EnglishMenus;  // the program speaks English, otherwise Greek
extern bool PrintModuleHeader;
extern bool EnableMohrCircles;               // the failure and stress tools start with their Mohr circles
extern int CircularCurvesExtent;             // extent of the circular-opening curves, in radii
extern bool ShowInternalPlotCoords;          // the stress plot shows its own coordinates
extern std::array<int, 3> QuickButtonTools;  // tool codes of the three quick buttons

// What a save of the settings writes (WriteSettings, SaveSettings): every
// section of the settings file, one of them, or nothing. A setting belongs
// to one of the four sections.
enum class SettingsPart {
  Everything,  // every section
  Main,        // [Settings]
  FileMenu,    // [FileMenu]
  TextBrowse,  // [TextBrowse]
  Options,     // [BrantelOptions]
  Nothing,     // no section: the save is logged and writes nothing
};

// How a setting is read back from the file.
enum class SettingRule {
  Ranged,            // a number; outside [min, max] (or beyond 16 bits) it reads as min;
                     // a 32-bit one is then rounded to a whole number, halves to even
  MissingIsDefault,  // Ranged, but a missing key reads as the default
  Unchecked,         // a whole number taken as read; beyond 16 bits it reads as the default
  ZeroIsDefault,     // Unchecked, and 0 reads as the default
  RecentCount,       // Ranged: the number of recent-file entries that follow it
  Text,              // taken as read, an empty text included
  FontName,          // an empty name reads as the desktop's default font
  DataPath,          // "" and "0" read as ""; a folder that does not exist reads as ""
  Extension,         // "0" reads as the default project-file extension
};

// The number the settings file writes for a yes: no is 0 either way. How a
// yes/no is read back follows from its range (below), not from this
// choice alone; the project file's yes/no rows have their own forms
// (projectfile::FlagForm).
enum class YesWrittenAs { One, MinusOne };

// The variable of a yes/no setting and how the file writes it. It is read
// as the whole number of its range (0..1 or -1..0) and is yes when that
// number is the one written for yes: a hand-edited value outside the range
// reads as the range minimum, so DisplayFontBold=1 reads as -1, yes, and
// EnglishMenus=2 as 0, Greek.
struct FlagVariable {
  bool* variable;
  YesWrittenAs yes;
};

// One setting: its section (SettingsPart::Main, FileMenu, TextBrowse or
// Options) and key, the variable behind it, how it is read, its range and
// its default. Range and default are numbers as the file holds them (for a
// yes/no: -1, 0 or 1). The table serves the first start, reading, writing
// and the dialogs that edit the settings.
struct SettingSpec {
  SettingsPart section;
  const char* key;
  std::variant<int*, FlagVariable, UnitSystem*, float*, QString*> variable;
  SettingRule rule;
  double min = 0;
  double max = 0;
  double number = 0;           // the default of a number
  const char* text = nullptr;  // the default of a text (FontName: the desktop's font)
};

// Every setting, in the order in which a fresh file is written; the entries
// of the recent-file list follow RecentFileCount in [FileMenu].
std::span<const SettingSpec> SettingsTable();
// The setting of a key; nullptr for a key the table does not hold.
const SettingSpec* FindSetting(QStringView key);

// Sets every setting to its default, and forgets what was read from the
// settings file.
void SetDefaultSettings();

// What SaveSettings writes of a part, into a document.
void WriteSettings(SettingsPart part, IniDocument& doc);

// Every section, [Settings], [FileMenu], [TextBrowse] and
// [BrantelOptions], with every read rule. What
// was read is what this run of the program knows of the file (below). A
// file that cannot be read, or one above kMaxSettingsFileBytes (never
// read), reads as an empty file.
void ReadAllSettings();
void ReadAllSettings(const IniDocument& doc);

// Writes a part of the settings file: every section, one of them, or
// nothing (SettingsPart::Nothing). Every call logs "Saving default settings to file: " and the path; a write
// that fails logs a line saying so and returns false.
// Another copy of the program may share the file: under the lock, the file
// is read as it is now and only the settings of the part that this run
// changed since it read or last wrote them (every one it never did) are
// written onto it, so that what another copy wrote meanwhile stays. The
// recent-file list gets the files this run opened (AddRecentFile) put first
// in the list as the file holds it; the variables then hold that list.
// Nothing changed: nothing is written. A save that cannot have the lock
// (SettingsFileLock) writes all the same, atomically, and a line of the
// history says that it went without the lock. A damaged file (above
// kMaxSettingsFileBytes) is set aside unread, and everything this run
// holds, the stamp included, is written to a new file.
bool SaveSettings(SettingsPart part);

// Puts a project file first in the recent-file list, as File Open does: a
// file that the list holds already (by its caption) changes places with the
// first entry; a new one pushes every entry one place down, and the last of
// a full list drops out. The next save of [FileMenu] merges it into the
// file's own list.
void AddRecentFile(const QString& path, RecentFileMark mode);

// The lock beside the settings file (its path and ".lock") for the life of
// the object, so that copies of the program read, change and write the file
// one at a time. Another copy holds it for a few milliseconds at a time; a
// save waits for it at most kSettingsLockWaitMs, so that the window never
// waits longer. A lock file that QLockFile cannot read (empty, garbage, cut
// short) is stale at once, as is one whose process is gone. Where no lock
// can be had (a copy that hangs, a folder that takes no new file, a folder
// or other non-file in the lock's place) the copy goes on without it, at
// once where waiting cannot help.
class SettingsFileLock {
 public:
  SettingsFileLock();
  ~SettingsFileLock();
  SettingsFileLock(const SettingsFileLock&) = delete;
  SettingsFileLock& operator=(const SettingsFileLock&) = delete;

  bool Held() const { return held_; }
  // The history line of a save that went without the lock: whether
  // another copy holds it or it cannot be made. Empty while it is held.
  QString WithoutLockLine() const;

 private:
  std::unique_ptr<QLockFile> lock_;
  bool held_ = false;
  bool heldElsewhere_ = false;  // a live copy of the program holds it
};

// The longest a save waits for the lock, in milliseconds.
inline constexpr int kSettingsLockWaitMs = 400;

// No settings file comes near this size: a larger one is damaged, and it is
// never read (bytes).
inline constexpr qint64 kMaxSettingsFileBytes = 1 << 20;

// A settings file larger than kMaxSettingsFileBytes is set aside, unread,
// as "<file>.bad" (an older one of that name replaced), and the history
// says so: at start that the program starts from the default settings
// (`atStart`), during a save that the file is written anew. True when the
// settings file is now missing or of a size to be read; false when a
// damaged file could not be moved (the history says so) and stays in place.
bool SetAsideDamagedSettingsFile(bool atStart);

// A settings file of this version: the current stamp and a [Settings]
// section. A file with the stamp alone is what a write cut short leaves.
bool IsCurrentSettingsFile(const IniDocument& doc);

// The settings file written whole in one save, the stamp and every setting,
// as a first start writes it. Logs as SaveSettings does, and a save without
// the lock says so; the caller has taken the lock.
bool SaveFreshSettingsFile(const SettingsFileLock& lock);

// A file of the current stamp that lacks sections (what a write cut short
// leaves): the stamp and each missing section written with the settings as
// they stand (the defaults at start), every section the file holds kept as
// it is, in one save. Logs as SaveFreshSettingsFile does.
bool SaveMissingSections(IniDocument doc, const SettingsFileLock& lock);

// The history line of a settings file that could not be written.
QString SettingsWriteFailedLine();
// The history line of a settings file that is there but could not be read;
// such a file is never deleted or written over.
QString SettingsReadFailedLine();

}  // namespace brantel
