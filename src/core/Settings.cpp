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

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brantel {

// The variables take their defaults from the settings table (below).
UnitSystem NewProjectUnits;
bool HistoryShown;
int HistoryMaxCharacters;
QString DisplayFontName;
float DisplayFontSize;
bool DisplayFontBold;
bool DisplayFontItalic;
bool RecentFilesListed;
bool DisclaimerAtStart;
bool MainWindowMaximized;
bool ToolbarShown;
bool RecentFilesByName;
bool LastProjectOpensAtStart;
bool YearlyUpdateReminder;
bool CopyExampleFiles;
QString DataPath;
QString FileExtension;
QString ExternalViewer;

int RecentFileCount;
std::array<QString, kMaxRecentFiles + 1> RecentFileName;
std::array<RecentFileMark, kMaxRecentFiles + 1> RecentFileMode{};
std::array<QString, kMaxRecentFiles + 1> RecentFilePath;

QString BrowseFontName;
float BrowseFontSize;
bool BrowseFontBold;
bool BrowseFontItalic;
QString BrowseDefaultFilter;
bool BrowseInExternalViewer;

bool EnglishMenus;
bool PrintModuleHeader;
bool EnableMohrCircles;
int CircularCurvesExtent;
bool ShowInternalPlotCoords;
std::array<int, 3> QuickButtonTools{};

namespace {

// The number the settings file writes for yes.
qint16 YesNumber(YesWrittenAs written) { return written == YesWrittenAs::MinusOne ? -1 : 1; }

// A yes/no setting: its range is its no and yes, and its default is
// written as the file writes it.
SettingSpec Flag(SettingsPart section, const char* key, bool* variable, YesWrittenAs written, bool yes,
                 SettingRule rule = SettingRule::Ranged) {
  const qint16 yesNumber = YesNumber(written);
  return {section,
          key,
          FlagVariable{variable, written},
          rule,
          static_cast<double>(std::min<qint16>(0, yesNumber)),
          static_cast<double>(std::max<qint16>(0, yesNumber)),
          yes ? static_cast<double>(yesNumber) : 0.0};
}

}  // namespace

std::span<const SettingSpec> SettingsTable() {
  using R = SettingRule;
  using enum SettingsPart;
  constexpr YesWrittenAs kOne = YesWrittenAs::One;
  constexpr YesWrittenAs kMinusOne = YesWrittenAs::MinusOne;
  static const SettingSpec table[] = {
      {Main, "DefaultUnits", &NewProjectUnits, R::Ranged, 0, 1, 1},
      Flag(Main, "DisplayHistoryWin", &HistoryShown, kOne, true),
      // The default lies below the range: a fresh file holds 2048, which
      // reads back as 4096.
      {Main, "MaxDisplaySize", &HistoryMaxCharacters, R::Ranged, 4096, 16384, 2048},
      {Main, "DisplayFontName", &DisplayFontName, R::FontName},
      {Main, "DisplayFontSize", &DisplayFontSize, R::Ranged, 7, 24, 10},
      Flag(Main, "DisplayFontBold", &DisplayFontBold, kMinusOne, false),
      Flag(Main, "DisplayFontItalic", &DisplayFontItalic, kMinusOne, false),
      Flag(Main, "KeepFileNames", &RecentFilesListed, kOne, true),
      Flag(Main, "ShowDisclaim", &DisclaimerAtStart, kOne, true),
      Flag(Main, "MaxMainMenu", &MainWindowMaximized, kOne, false),
      Flag(Main, "EnableMainMenuToolbar", &ToolbarShown, kOne, true),
      Flag(Main, "ShortRecentFiles", &RecentFilesByName, kOne, false),
      Flag(Main, "LoadLastInputFile", &LastProjectOpensAtStart, kOne, false),
      Flag(Main, "RemindAnnualUpdates", &YearlyUpdateReminder, kOne, true),
      Flag(Main, "CopyExampleFiles", &CopyExampleFiles, kOne, true, R::MissingIsDefault),
      {Main, "DataPath", &DataPath, R::DataPath, 0, 0, 0, ""},
      {Main, "FileExtension", &FileExtension, R::Extension, 0, 0, 0, "BNL"},
      {Main, "ExternalEditor", &ExternalViewer, R::Text, 0, 0, 0, "Notepad.exe"},
      {FileMenu, "MaxLastFiles", &RecentFileCount, R::RecentCount, 0, kMaxRecentFiles, 0},
      {TextBrowse, "BrowseFontName", &BrowseFontName, R::FontName},
      {TextBrowse, "BrowseFontSize", &BrowseFontSize, R::Ranged, 7, 24, 10},
      Flag(TextBrowse, "BrowseFontBold", &BrowseFontBold, kMinusOne, false),
      Flag(TextBrowse, "BrowseFontItalic", &BrowseFontItalic, kMinusOne, false),
      {TextBrowse, "BrowseDefaultFilter", &BrowseDefaultFilter, R::Text, 0, 0, 0, ""},
      Flag(TextBrowse, "BrowseUseNotepad", &BrowseInExternalViewer, kOne, false),
      Flag(Options, "EnglishMenus", &EnglishMenus, kOne, true),
      Flag(Options, "PrintModuleHeader", &PrintModuleHeader, kOne, true),
      Flag(Options, "EnableMohrCircles", &EnableMohrCircles, kOne, true),
      {Options, "CircExtend", &CircularCurvesExtent, R::ZeroIsDefault, 0, 0, 5},
      Flag(Options, "ShowInternalPlotCoords", &ShowInternalPlotCoords, kOne, false),
      {Options, "ToolBarPointer0", &QuickButtonTools[0], R::Unchecked, 0, 0, 21},
      {Options, "ToolBarPointer1", &QuickButtonTools[1], R::Unchecked, 0, 0, 31},
      {Options, "ToolBarPointer2", &QuickButtonTools[2], R::Unchecked, 0, 0, 4},
  };
  return table;
}

const SettingSpec* FindSetting(QStringView key) {
  for (const SettingSpec& setting : SettingsTable()) {
    if (key == QLatin1String(setting.key)) return &setting;
  }
  return nullptr;
}

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
qint16 ReadRangedInt(const IniDocument& doc, const QString& section, const QString& key, qint16 min, qint16 max,
                     const std::optional<QString>& iniDefault = std::nullopt) {
  qint16 value = min;
  try {
    value = RoundToInt16(ParseLeadingNumber(RawValue(doc, section, key, iniDefault)));
  } catch (const RuntimeError&) {
    return min;
  }
  return MinimumWhenOutOfRange(value, min, max);
}

// A numeric key without a range; a value that does not fit 16 bits gives
// the key's default.
qint16 ReadUncheckedInt(const IniDocument& doc, const QString& section, const QString& key, qint16 fallback) {
  try {
    return RoundToInt16(ParseLeadingNumber(RawValue(doc, section, key)));
  } catch (const RuntimeError&) {
    return fallback;
  }
}

// A Single key: checked against its range, then rounded to a whole number.
float ReadRangedSingle(const IniDocument& doc, const QString& section, const QString& key, float min, float max) {
  float value = min;
  try {
    value = CheckedFloat(ParseLeadingNumber(RawValue(doc, section, key)));
  } catch (const RuntimeError&) {
    value = min;
  }
  return static_cast<float>(MinimumWhenOutOfRange(value, min, max));
}

// "" and "0" give no data path; a text that does not end with "/" gets one;
// a folder that does not exist gives none, without a message.
QString ReadDataPath(const QString& text) {
  if (text.isEmpty() || text == QStringLiteral("0")) return QString();
  const QString trimmed = text.trimmed();
  const QString path = trimmed.endsWith(u'/') ? text : trimmed + u'/';
  return ValidPath(path, true) ? path : QString();
}

QString ReadFontName(const IniDocument& doc, const QString& section, const QString& key) {
  const QString name = RawValue(doc, section, key);
  return name.isEmpty() ? DefaultFontName() : name;
}

void SetInt(IniDocument& doc, const QString& section, const QString& key, int value) {
  doc.SetValue(section, key, FormatInt(value));
}

// ---------------------------------------------------------------- the file as this run knows it

// The recent-file list: the count and the entries 1..4.
struct RecentList {
  int count = 0;
  std::array<QString, kMaxRecentFiles + 1> names;
  std::array<RecentFileMark, kMaxRecentFiles + 1> modes{};
  std::array<QString, kMaxRecentFiles + 1> paths;
  bool operator==(const RecentList&) const = default;
};

RecentList HeldRecentList() { return {RecentFileCount, RecentFileName, RecentFileMode, RecentFilePath}; }

void Hold(const RecentList& list) {
  RecentFileCount = list.count;
  RecentFileName = list.names;
  RecentFileMode = list.modes;
  RecentFilePath = list.paths;
}

// A project file this run opened.
struct RecentOpen {
  QString name;
  QString path;
  RecentFileMark mode = RecentFileMark::Unmarked;
};

// File Open's rule: a file the list holds (by its caption) changes places
// with the first entry; a new one pushes every entry one place down, the
// last of a full list dropping out.
void PutFirst(RecentList& list, const RecentOpen& file) {
  const auto at = [](int i) { return static_cast<std::size_t>(i); };
  const bool shortNames = RecentFilesByName;
  const QString caption = shortNames ? file.name : file.path;
  const int count = std::clamp<int>(list.count, 0, kMaxRecentFiles);
  int found = 0;
  for (int i = 1; i <= count && found == 0; ++i)
    if ((shortNames ? list.names[at(i)] : list.paths[at(i)]) == caption) found = i;
  if (found > 0) {
    std::swap(list.names[1], list.names[at(found)]);
    std::swap(list.paths[1], list.paths[at(found)]);
    std::swap(list.modes[1], list.modes[at(found)]);
    list.paths[1] = file.path;
    return;
  }
  list.count = std::min(count + 1, kMaxRecentFiles);
  for (int i = list.count; i >= 2; --i) {
    list.names[at(i)] = list.names[at(i - 1)];
    list.paths[at(i)] = list.paths[at(i - 1)];
    list.modes[at(i)] = list.modes[at(i - 1)];
  }
  list.names[1] = file.name;
  list.paths[1] = file.path;
  list.modes[1] = file.mode;
}

// What this run last read from or wrote to the settings file: the text of
// each setting of the table (nothing for one it never had) and the
// recent-file list; and the files opened since the list was last written.
// A save writes only what differs from it, so that what another copy of
// the program wrote meanwhile stays.
struct KnownFile {
  std::vector<std::optional<QString>> texts;
  std::optional<RecentList> recent;
  std::vector<RecentOpen> opened;
};

KnownFile& Known() {
  static KnownFile known;
  return known;
}

std::size_t IndexOf(const SettingSpec& setting) { return static_cast<std::size_t>(&setting - SettingsTable().data()); }

std::optional<QString>& KnownText(const SettingSpec& setting) {
  std::vector<std::optional<QString>>& texts = Known().texts;
  texts.resize(SettingsTable().size());
  return texts[IndexOf(setting)];
}

// A whole number as the file holds it: a yes/no as written for it, a unit
// system by its number.
int StoredNumber(const SettingSpec& setting) {
  if (auto* flag = std::get_if<FlagVariable>(&setting.variable)) return *flag->variable ? YesNumber(flag->yes) : 0;
  if (auto* units = std::get_if<UnitSystem*>(&setting.variable)) return UnitSystemNumber(**units);
  return *std::get<int*>(setting.variable);
}

// A whole number read from the file into a whole-number, yes/no or unit
// system variable: a yes/no is yes only for the number written for yes.
void SetStoredNumber(const SettingSpec& setting, qint16 number) {
  if (auto* flag = std::get_if<FlagVariable>(&setting.variable)) *flag->variable = number == YesNumber(flag->yes);
  else if (auto* units = std::get_if<UnitSystem*>(&setting.variable)) **units = UnitSystemOfNumber(number);
  else *std::get<int*>(setting.variable) = number;
}

// A setting as the file holds it.
QString SettingText(const SettingSpec& setting) {
  if (auto* single = std::get_if<float*>(&setting.variable)) return FormatGeneral(**single);
  if (auto* text = std::get_if<QString*>(&setting.variable)) return **text;
  return FormatInt(StoredNumber(setting));
}

// The default of a setting; the font names need the desktop's fonts, which
// are not known before the application runs.
void SetDefault(const SettingSpec& setting, bool withFonts) {
  if (auto* single = std::get_if<float*>(&setting.variable)) {
    **single = static_cast<float>(setting.number);
  } else if (!std::holds_alternative<QString*>(setting.variable)) {
    SetStoredNumber(setting, static_cast<qint16>(setting.number));
  } else if (setting.rule != SettingRule::FontName) {
    *std::get<QString*>(setting.variable) = QString::fromLatin1(setting.text);
  } else if (withFonts) {
    *std::get<QString*>(setting.variable) = DefaultFontName();
  }
}

void SetDefaults(bool withFonts) {
  Known() = KnownFile{};
  for (const SettingSpec& setting : SettingsTable()) SetDefault(setting, withFonts);
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    RecentFileName[static_cast<std::size_t>(i)].clear();
    RecentFileMode[static_cast<std::size_t>(i)] = RecentFileMark::Unmarked;
    RecentFilePath[static_cast<std::size_t>(i)].clear();
  }
}

// The variables hold their defaults from the start.
[[maybe_unused]] const bool kDefaultsFromTheStart = (SetDefaults(false), true);

QString& TextOf(const SettingSpec& setting) { return *std::get<QString*>(setting.variable); }

void ReadSetting(const SettingSpec& setting, const IniDocument& doc, const QString& section) {
  using R = SettingRule;
  const QString key = QString::fromLatin1(setting.key);
  const auto min = static_cast<qint16>(setting.min);
  const auto max = static_cast<qint16>(setting.max);
  const auto fallback = static_cast<qint16>(setting.number);
  if (auto* single = std::get_if<float*>(&setting.variable)) {
    **single = ReadRangedSingle(doc, section, key, static_cast<float>(setting.min), static_cast<float>(setting.max));
    return;
  }
  switch (setting.rule) {
    case R::Ranged:
    case R::RecentCount: SetStoredNumber(setting, ReadRangedInt(doc, section, key, min, max)); break;
    case R::MissingIsDefault:
      SetStoredNumber(setting, ReadRangedInt(doc, section, key, min, max, FormatInt(fallback)));
      break;
    case R::Unchecked: SetStoredNumber(setting, ReadUncheckedInt(doc, section, key, fallback)); break;
    case R::ZeroIsDefault: {
      const qint16 number = ReadUncheckedInt(doc, section, key, fallback);
      SetStoredNumber(setting, number == 0 ? fallback : number);
      break;
    }
    case R::Text: TextOf(setting) = RawValue(doc, section, key); break;
    case R::FontName: TextOf(setting) = ReadFontName(doc, section, key); break;
    case R::DataPath: TextOf(setting) = ReadDataPath(RawValue(doc, section, key)); break;
    case R::Extension: {
      const QString extension = RawValue(doc, section, key);
      TextOf(setting) = extension == QStringLiteral("0") ? DefaultFileExtension : extension;
      break;
    }
  }
}

void WriteSetting(const SettingSpec& setting, IniDocument& doc, const QString& section) {
  doc.SetValue(section, QString::fromLatin1(setting.key), SettingText(setting));
}

const SettingSpec& RecentCountSetting() { return *FindSetting(u"MaxLastFiles"); }

// The recent-file list of a document: the count, then its entries.
RecentList ReadRecentList(const IniDocument& doc) {
  const SettingSpec& count = RecentCountSetting();
  RecentList list;
  list.count = ReadRangedInt(doc, kFileMenu, QString::fromLatin1(count.key), static_cast<qint16>(count.min),
                             static_cast<qint16>(count.max));
  for (int i = 1; i <= list.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const QString n = QString::number(i);
    list.names[k] = RawValue(doc, kFileMenu, QStringLiteral("LastFile") + n);
    list.modes[k] =
        static_cast<RecentFileMark>(ReadUncheckedInt(doc, kFileMenu, QStringLiteral("LastFileMode") + n, 0));
    list.paths[k] = RawValue(doc, kFileMenu, QStringLiteral("LastFileLong") + n);
  }
  return list;
}

// The entries 1 to the list's count (the count itself is written by the
// caller).
void WriteRecentEntries(const RecentList& list, IniDocument& doc) {
  for (int i = 1; i <= list.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    const QString n = QString::number(i);
    doc.SetValue(kFileMenu, QStringLiteral("LastFile") + n, list.names[k]);
    SetInt(doc, kFileMenu, QStringLiteral("LastFileMode") + n, static_cast<int>(list.modes[k]));
    doc.SetValue(kFileMenu, QStringLiteral("LastFileLong") + n, list.paths[k]);
  }
}

// The count as it stands, then checked in memory, and the entries up to
// the checked count.
void WriteHeldRecentList(IniDocument& doc) {
  WriteSetting(RecentCountSetting(), doc, kFileMenu);
  MinimumWhenOutOfRange(RecentFileCount, 0, kMaxRecentFiles);
  WriteRecentEntries(HeldRecentList(), doc);
}

// The sections of the settings file, in the order they are read and written.
constexpr SettingsPart kSections[] = {SettingsPart::Main, SettingsPart::FileMenu, SettingsPart::TextBrowse,
                                      SettingsPart::Options};

// The name of one of the four sections.
const QString& SectionName(SettingsPart section) {
  switch (section) {
    case SettingsPart::Main: return kSettings;
    case SettingsPart::FileMenu: return kFileMenu;
    case SettingsPart::TextBrowse: return kTextBrowse;
    default: return kOptions;
  }
}

// A save of `part` writes `section`.
bool Writes(SettingsPart part, SettingsPart section) { return part == SettingsPart::Everything || part == section; }

void ReadSection(SettingsPart section, const IniDocument& doc) {
  for (const SettingSpec& setting : SettingsTable()) {
    if (setting.section != section) continue;
    if (setting.rule == SettingRule::RecentCount) {
      Hold(ReadRecentList(doc));
      Known().recent = HeldRecentList();
    } else {
      ReadSetting(setting, doc, SectionName(section));
    }
    KnownText(setting) = SettingText(setting);
  }
}

void WriteSection(SettingsPart section, IniDocument& doc) {
  for (const SettingSpec& setting : SettingsTable()) {
    if (setting.section != section) continue;
    if (setting.rule == SettingRule::RecentCount) WriteHeldRecentList(doc);
    else WriteSetting(setting, doc, SectionName(section));
  }
}

// What a save of changes writes, kept until the file is written.
struct Changes {
  bool any = false;
  std::vector<std::pair<const SettingSpec*, QString>> texts;
  std::optional<RecentList> recent;
  bool merged = false;  // `recent` holds this run's opened files merged in
};

// The recent-file list onto the file as it is now: the files this run
// opened, in order, put first in the file's own list, so that the files
// another copy opened stay in it. Without such files a list that changed
// otherwise is written as it stands.
void WriteRecentChanges(IniDocument& doc, Changes& changes) {
  KnownFile& known = Known();
  if (!known.opened.empty()) {
    RecentList merged = ReadRecentList(doc);
    for (const RecentOpen& file : known.opened) PutFirst(merged, file);
    SetInt(doc, kFileMenu, QString::fromLatin1(RecentCountSetting().key), merged.count);
    WriteRecentEntries(merged, doc);
    changes.recent = merged;
    changes.merged = true;
  } else if (!known.recent || *known.recent != HeldRecentList()) {
    WriteHeldRecentList(doc);
    changes.recent = HeldRecentList();
  } else {
    return;
  }
  changes.any = true;
}

// The settings of a section that differ from what this run last read or
// wrote (all of them when it never did), onto the document.
void WriteSectionChanges(SettingsPart section, IniDocument& doc, Changes& changes) {
  for (const SettingSpec& setting : SettingsTable()) {
    if (setting.section != section) continue;
    if (setting.rule == SettingRule::RecentCount) {
      WriteRecentChanges(doc, changes);
      continue;
    }
    const QString text = SettingText(setting);
    if (KnownText(setting) == text) continue;
    WriteSetting(setting, doc, SectionName(section));
    changes.texts.emplace_back(&setting, text);
    changes.any = true;
  }
}

// The file now holds the changes.
void Remember(const Changes& changes) {
  KnownFile& known = Known();
  for (const auto& [setting, text] : changes.texts) KnownText(*setting) = text;
  if (changes.recent) known.recent = changes.recent;
  if (changes.merged) {
    Hold(*changes.recent);
    known.opened.clear();
  }
}

void LogSaving() {
  AddHistoryLine(Tr({"Saving default settings to file: ", "Αποθήκευση ρυθμίσεων στο αρχείο: "}) + SettingsIniPath);
}

// ---------------------------------------------------------------- the lock

// How often a waiting copy tries the lock again when it hears of no change
// in the lock's folder.
constexpr int kLockRetryMs = 10;
// How long a lock file may stay unreadable before it is stale: a copy of
// the program writes it a moment after making it.
constexpr qint64 kUnreadableLockMs = 50;
// How often a lock whose process is gone is tried again before the copy
// goes on without it: QLockFile removes such a lock itself, unless the
// folder takes no change.
constexpr int kStaleLockTries = 3;

// Wakes a waiting copy as soon as a file leaves the lock's folder (the
// holder's unlock removes its lock file), so that it takes its turn before
// a copy that saves again and again takes the lock back. Where the folder
// cannot be watched, the copy waits out the retry time.
class FolderWatch {
 public:
  explicit FolderWatch(const QString& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ >= 0 && ::inotify_add_watch(fd_, QFile::encodeName(folder).constData(), IN_DELETE | IN_MOVED_FROM) < 0) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FolderWatch() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  void Wait(int ms) {
    if (fd_ < 0) {
      QThread::msleep(static_cast<unsigned long>(ms));
      return;
    }
    pollfd watched{fd_, POLLIN, 0};
    if (::poll(&watched, 1, ms) <= 0) return;
    char events[4096];
    while (::read(fd_, events, sizeof events) > 0) {
    }
  }

 private:
  int fd_;
};

// What is at the lock's path: nothing, an ordinary file, or anything else
// (a folder, a pipe, a link), which no copy of the program made and which
// is never opened: reading a pipe would wait for a writer for ever.
struct LockPath {
  enum Kind { Missing, File, Other } kind = Missing;
  std::pair<dev_t, ino_t> file{};  // the lock file's identity
};

LockPath LookAtLockPath(const QString& path) {
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
    return {errno == ENOENT ? LockPath::Missing : LockPath::Other};
  return {S_ISREG(st.st_mode) ? LockPath::File : LockPath::Other, {st.st_dev, st.st_ino}};
}

bool ProcessGone(qint64 pid) { return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

// After an attempt on a lock that another file holds: try again at once
// (the lock was let go meanwhile), wait for a live holder, or stop; a lock
// file that cannot be read, or whose process is gone, is the caller's to
// judge.
enum class NextStep { TryAgain, Wait, Unreadable, Stale, GiveUp };

NextStep AfterRefusal(QLockFile& lock, const LockPath& at) {
  // A lock file cannot be made here at all (a folder that takes no new
  // file, a full disk): waiting changes nothing.
  if (lock.error() != QLockFile::LockFailedError) return NextStep::GiveUp;
  switch (at.kind) {
    case LockPath::Missing: return NextStep::TryAgain;
    case LockPath::Other: return NextStep::GiveUp;
    case LockPath::File: break;
  }
  qint64 pid = 0;
  QString host;
  QString application;
  if (!lock.getLockInfo(&pid, &host, &application)) return NextStep::Unreadable;
  const bool here = host.isEmpty() || host == QSysInfo::machineHostName();
  return here && ProcessGone(pid) ? NextStep::Stale : NextStep::Wait;
}

}  // namespace

SettingsFileLock::SettingsFileLock() {
  if (SettingsIniPath.isEmpty()) return;
  const QString path = SettingsIniPath + QStringLiteral(".lock");
  lock_ = std::make_unique<QLockFile>(path);
  // Another copy holds the file for a few milliseconds at a time. A copy
  // that hangs, or a lock that cannot be had at all, leaves this one to go
  // on without it, so that the window never waits long.
  const QDeadlineTimer deadline(kSettingsLockWaitMs);
  std::optional<FolderWatch> watch;
  int staleTries = 0;
  std::pair<dev_t, ino_t> unreadable{};  // the unreadable lock file last seen
  QElapsedTimer unreadableFor;
  while (LookAtLockPath(path).kind != LockPath::Other) {
    if (lock_->tryLock(0)) {
      held_ = true;
      return;
    }
    const LockPath at = LookAtLockPath(path);
    switch (AfterRefusal(*lock_, at)) {
      case NextStep::GiveUp: return;
      case NextStep::TryAgain:
        if (deadline.hasExpired()) return;
        continue;
      case NextStep::Stale:
        // QLockFile removes such a lock itself, unless the folder takes no
        // change: then waiting changes nothing.
        if (++staleTries >= kStaleLockTries) return;
        break;
      case NextStep::Wait: heldElsewhere_ = true; break;
      case NextStep::Unreadable:
        // Empty, garbage or cut short. A copy of the program writes its lock
        // file a moment after making it, holding it meanwhile; one that is
        // still unreadable after that moment is stale, whoever made it
        // (QLockFile would wait for it to age). The removal fails while a
        // live copy holds it.
        if (!unreadableFor.isValid() || unreadable != at.file) {
          unreadable = at.file;
          unreadableFor.start();
        } else if (unreadableFor.hasExpired(kUnreadableLockMs) && lock_->removeStaleLockFile()) {
          unreadableFor.invalidate();
          if (deadline.hasExpired()) return;
          continue;
        }
        break;
    }
    if (deadline.hasExpired()) return;
    if (!watch) watch.emplace(QFileInfo(path).absolutePath());
    watch->Wait(static_cast<int>(std::min<qint64>(kLockRetryMs, deadline.remainingTime())));
  }
}

SettingsFileLock::~SettingsFileLock() = default;

QString SettingsFileLock::WithoutLockLine() const {
  if (held_) return QString();
  const QString path = SettingsIniPath + QStringLiteral(".lock");
  if (heldElsewhere_) {
    return Tr({"The settings file was saved without its lock, which another copy of the program holds: ",
               "Το αρχείο ρυθμίσεων αποθηκεύτηκε χωρίς το κλείδωμά του, που το κρατά άλλο αντίγραφο του "
               "προγράμματος: "}) +
           path;
  }
  return Tr({"The settings file was saved without its lock, which cannot be made: ",
             "Το αρχείο ρυθμίσεων αποθηκεύτηκε χωρίς το κλείδωμά του, που δεν μπορεί να δημιουργηθεί: "}) +
         path;
}

namespace {

// A write of the settings file under the lock as it was had: a line of the
// history when it went without it.
bool SaveUnder(const SettingsFileLock& lock, const IniDocument& doc) {
  if (!doc.Save(SettingsIniPath)) return false;
  if (!lock.Held()) AddHistoryLine(lock.WithoutLockLine());
  return true;
}

// The size of an ordinary file (a link followed), or nothing.
std::optional<qint64> FileSize(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<qint64>(st.st_size);
}

bool IsDamagedSettingsFile() {
  const std::optional<qint64> size = FileSize(SettingsIniPath);
  return size && *size > kMaxSettingsFileBytes;
}

// The settings file as it is now; false when it is there but cannot be
// read. A damaged one is never read.
bool LoadSettingsFile(IniDocument& doc) {
  if (IsDamagedSettingsFile()) {
    doc = IniDocument();
    return false;
  }
  return doc.Load(SettingsIniPath);
}

enum class Damage { None, SetAside, Stays };

Damage SetAsideIfDamaged(bool atStart) {
  if (!IsDamagedSettingsFile()) return Damage::None;
  const QString bad = SettingsIniPath + QStringLiteral(".bad");
  // One rename: an older damaged file of that name is replaced, and
  // nothing of this one is read or copied.
  if (::rename(QFile::encodeName(SettingsIniPath).constData(), QFile::encodeName(bad).constData()) != 0) {
    AddHistoryLine(Tr({"The settings file is larger than 1 MiB and so damaged; it was not read and could not be "
                       "set aside, and the program runs on the default settings: ",
                       "Το αρχείο ρυθμίσεων είναι μεγαλύτερο από 1 MiB και άρα κατεστραμμένο· δεν διαβάστηκε "
                       "ούτε μπόρεσε να μετακινηθεί, και το πρόγραμμα λειτουργεί με τις προεπιλεγμένες "
                       "ρυθμίσεις: "}) +
                   SettingsIniPath);
    return Damage::Stays;
  }
  QString line = Tr({"The settings file is larger than 1 MiB and so damaged; it was not read and is kept as ",
                     "Το αρχείο ρυθμίσεων είναι μεγαλύτερο από 1 MiB και άρα κατεστραμμένο· δεν διαβάστηκε και "
                     "φυλάσσεται ως "}) +
                 bad;
  line += atStart ? Tr({"; the program starts from the default settings",
                        "· το πρόγραμμα ξεκινά με τις προεπιλεγμένες ρυθμίσεις"})
                  : Tr({"; the settings of this session are written to a new file",
                        "· οι ρυθμίσεις αυτής της συνεδρίας γράφονται σε νέο αρχείο"});
  AddHistoryLine(line);
  return Damage::SetAside;
}

}  // namespace

void AddRecentFile(const QString& path, RecentFileMark mode) {
  const RecentOpen file{StripPath(path, false), path, mode};
  RecentList list = HeldRecentList();
  PutFirst(list, file);
  Hold(list);
  Known().opened.push_back(file);
}

bool IsCurrentSettingsFile(const IniDocument& doc) {
  return doc.Value(kVersion, QStringLiteral("INIFileVersion")) == IniFileVersionCurrent && doc.HasSection(kSettings);
}

bool SaveMissingSections(IniDocument doc, const SettingsFileLock& lock) {
  LogSaving();
  INIFileVersion = IniFileVersionCurrent;
  doc.SetValue(kVersion, QStringLiteral("INIFileVersion"), INIFileVersion);
  for (const SettingsPart section : kSections) {
    if (!doc.HasSection(SectionName(section))) WriteSection(section, doc);
  }
  if (SaveUnder(lock, doc)) return true;
  AddHistoryLine(SettingsWriteFailedLine());
  return false;
}

bool SaveFreshSettingsFile(const SettingsFileLock& lock) { return SaveMissingSections(IniDocument(), lock); }

bool SetAsideDamagedSettingsFile(bool atStart) { return SetAsideIfDamaged(atStart) != Damage::Stays; }

void SetDefaultSettings() { SetDefaults(true); }

void WriteSettings(SettingsPart part, IniDocument& doc) {
  for (const SettingsPart section : kSections) {
    if (Writes(part, section)) WriteSection(section, doc);
  }
}

void ReadAllSettings(const IniDocument& doc) {
  for (const SettingsPart section : kSections) ReadSection(section, doc);
}

void ReadAllSettings() {
  IniDocument doc;
  if (!LoadSettingsFile(doc)) doc = IniDocument();
  ReadAllSettings(doc);
}

QString SettingsWriteFailedLine() {
  return Tr({"The settings file could not be written: ", "Δεν ήταν δυνατή η εγγραφή του αρχείου ρυθμίσεων: "}) +
         SettingsIniPath;
}

QString SettingsReadFailedLine() {
  return Tr({"The settings file could not be read; the program runs on the default settings: ",
             "Δεν ήταν δυνατή η ανάγνωση του αρχείου ρυθμίσεων· το πρόγραμμα λειτουργεί με τις "
             "προεπιλεγμένες ρυθμίσεις: "}) +
         SettingsIniPath;
}

bool SaveSettings(SettingsPart part) {
  LogSaving();
  if (part == SettingsPart::Nothing) return true;

  const SettingsFileLock lock;
  IniDocument doc;
  bool ok = true;
  SettingsPart written = part;
  switch (SetAsideIfDamaged(false)) {
    case Damage::None: ok = LoadSettingsFile(doc); break;
    case Damage::Stays: ok = false; break;
    case Damage::SetAside:
      // Nothing of the file is left: everything this run holds is written
      // to a new one, the recent-file list as it stands included.
      Known() = KnownFile{};
      doc.SetValue(kVersion, QStringLiteral("INIFileVersion"), IniFileVersionCurrent);
      written = SettingsPart::Everything;
      break;
  }
  if (ok) {
    Changes changes;
    for (const SettingsPart section : kSections) {
      if (Writes(written, section)) WriteSectionChanges(section, doc, changes);
    }
    if (!changes.any) return true;
    ok = SaveUnder(lock, doc);
    if (ok) Remember(changes);
  }
  if (!ok) AddHistoryLine(SettingsWriteFailedLine());
  return ok;
}

}  // namespace brantel
