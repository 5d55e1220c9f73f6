#include "core/Startup.h"

#include "core/Bilingual.h"
#include "core/ChildTask.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Version.h"
#include "core/graph/GraphBuffer.h"
#include "core/platform/Desktop.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace brantel {
namespace {

QString& ProcessSeparator() {
  static QString separator = platform::DesktopDecimalSeparator();
  return separator;
}

void FillUnitLabels() {
  static const char* const kImperial[kUnitRows] = {
      " (ft)",   " (psi)",     " (pcf)",         " (in)",      " (psf)",         " (lbs)",
      " (tons)", " (ft)",      " (ksi)",         " (tons)",    " (tons/ft)",     " (in)",
      " (tons)", " (tons/ft)", " (million psi)", " (kips/ft)", " (kip-ft/ft^2)", " (ton-ft/ft^2)"};
  static const char* const kSI[kUnitRows] = {" (m)",  " (MPa)",  " (kN/m3)", " (cm)",   " (kPa)",      " (kN)",
                                             " (tn)", " (cm)",   " (MPa)",   " (MN)",   " (MN/m)",     " (mm)",
                                             " (kN)", " (kN/m)", " (GPa)",   " (kN/m)", " (kN-m/m^2)", " (kN-m/m^2)"};
  for (UnitLabelList& system : UnitLabels) system.fill(QString());
  for (int row = 1; row <= kUnitRows; ++row) {
    UnitLabelsOf(UnitSystem::Imperial)[static_cast<std::size_t>(row)] = QString::fromLatin1(kImperial[row - 1]);
    UnitLabelsOf(UnitSystem::SI)[static_cast<std::size_t>(row)] = QString::fromLatin1(kSI[row - 1]);
  }
  UnitSystemNames = {QStringLiteral("ft, in, lbs, psi, pcf"), QStringLiteral("m, cm, kN, MPa, kN/m3")};
}

// Makes a folder with its parents, as "mkdir -p" does: true when a folder
// stands at the path at the end. System calls alone: it runs in a process
// of its own.
bool MakeFolders(const QByteArray& path) {
  struct stat st {};
  if (::stat(path.constData(), &st) == 0) return S_ISDIR(st.st_mode);
  // A path that cannot be looked at (a folder that answers with an error)
  // is not made.
  if (errno != ENOENT && errno != ENOTDIR) return false;
  for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
    // A folder on the way that is there already gives EEXIST before any
    // other error.
    const QByteArray folder = slash < 0 ? path : path.left(slash);
    if (::mkdir(folder.constData(), 0777) != 0 && errno != EEXIST) return false;
    if (slash < 0) break;
  }
  return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

QString CommandLineProject() { return QString(CommandLine).remove(u'"'); }

void InitAppPath() {
  QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
  if (!folder.trimmed().endsWith(u'/')) folder += u'/';
  AppFolder = folder;
}

void InitUserFolders() {
  UserFolder = AppFolder;
  UserTempFolder = AppFolder;
  // The path alone is read here (from the desktop's settings in the home
  // folder); the folders are made in a process of their own, since the
  // documents folder may be a network folder whose server is gone.
  const std::optional<QString> documents = platform::DocumentsFolderPath();
  if (!documents) return;
  const QString data = WithTrailingSlash(JoinPath(*documents, QStringLiteral("MyBrantel/")));
  const QString scratch = WithTrailingSlash(JoinPath(*documents, QStringLiteral("MyBrantel/Temp/")));
  // The answer: one byte for each folder, '1' when it stands as a folder.
  ChildTask making(
      [data = QFile::encodeName(data), scratch = QFile::encodeName(scratch)] {
        return QByteArray(MakeFolders(data) ? "1" : "0") + (MakeFolders(scratch) ? "1" : "0");
      },
      WithoutChild::RunHere);
  if (!making.WaitFor(std::chrono::milliseconds(kUserFoldersWaitMs))) {
    AddHistoryLine(Tr({"The documents folder does not answer; this time the program keeps its settings in its own "
                       "folder: ",
                       "Ο φάκελος εγγράφων δεν αποκρίνεται· αυτή τη φορά το πρόγραμμα κρατά τις ρυθμίσεις του στον "
                       "δικό του φάκελο: "}) +
                   *documents);
    return;
  }
  const QByteArray made = making.Answer().value_or(QByteArray());
  if (made.size() != 2) return;
  if (made[0] == '1') UserFolder = data;
  if (made[1] == '1') UserTempFolder = scratch;
}

QString GetTempFolder() {
  const QString temp = QDir::tempPath();
  if (temp.isEmpty() || !QFileInfo(temp).isDir()) return UserFolder;
  return WithTrailingSlash(temp);
}

QString GetDecimalSeparator() { return ProcessSeparator(); }

void SetDecimalSeparator(const QString& text) {
  if (text == QStringLiteral(".")) platform::UseDotDecimalPoint();
  ProcessSeparator() = text;
}

void ForceDotDecimalSeparator() {
  SavedDecimalSeparator = GetDecimalSeparator() == QStringLiteral(",") ? QStringLiteral(",") : QStringLiteral(".");
  SetDecimalSeparator(QStringLiteral("."));
}

void RestoreDecimalSeparator() {
  // The desktop's locale was never changed; the process ends with ".".
}

QString FormatVersion(int major, int minor, int revision, VersionForm form) {
  const QString rev = QStringLiteral("%1").arg(revision, 2, 10, QLatin1Char('0'));
  if (form == VersionForm::Dotted) return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(rev);
  return QStringLiteral("%1%2%3").arg(major).arg(minor).arg(rev);
}

QString GetVersionString(VersionForm form) {
  return FormatVersion(version::kMajor, version::kMinor, version::kRevision, form);
}

void InitGlobals() {
  FillUnitLabels();
  UnitsStartTab = UnitTab::Length;
  for (int i = 1; i <= kMaxRecentFiles; ++i) {
    RecentFileName[static_cast<std::size_t>(i)].clear();
    RecentFilePath[static_cast<std::size_t>(i)].clear();
  }
  InitAppPath();
  InitUserFolders();
  AppHelpFile = AppFolder + HelpFileName;
  PathExchange.clear();
  SetDefaultSettings();
  Project.InputUnits = UnitSystem::Imperial;
  BrowseLastDir.clear();
  Project.FileSaved = true;
  Project.FileEmpty = true;
  Project.FileVersion = 0;
  HistoryCounter = 0;
  ConvertFileOption = AfterConversion::LoadConverted;
  MsgTitle = QStringLiteral("Message");
}

void SettleSettingsFile() {
  // Copies of the program starting together make and read the file one at
  // a time.
  const SettingsFileLock lock;
  bool settled = false;
  // A damaged file (far too large to be a settings file) is set aside
  // unread; where it cannot be moved, this session runs on the defaults.
  bool unwritable = !SetAsideDamagedSettingsFile(true);
  // A file that is there but cannot be read (no read permission, a pipe)
  // is the user's: it is neither deleted nor written over, and this session
  // runs on the defaults.
  const QFileInfo existing(SettingsIniPath);
  if (!unwritable && existing.exists() && !existing.isDir() && !IniDocument().Load(SettingsIniPath)) {
    AddHistoryLine(SettingsReadFailedLine());
    unwritable = true;
  }
  for (int pass = 0; pass < 2 && !settled && !unwritable; ++pass) {
    IniDocument doc;
    const bool present = FileExists(SettingsIniPath) && doc.Load(SettingsIniPath);
    const std::optional<QString> stamp = doc.Value(QStringLiteral("Version"), QStringLiteral("INIFileVersion"));
    INIFileVersion = present ? stamp.value_or(QString()) : QString();
    if (present && INIFileVersion != IniFileVersionCurrent) {
      // Another version's file: its values are dropped and it is written anew.
      QFile::remove(SettingsIniPath);
      if (QFileInfo::exists(SettingsIniPath)) {
        AddHistoryLine(SettingsWriteFailedLine());
        unwritable = true;
      }
      continue;
    }
    // A first start: the file is written whole, in one save. The stamp
    // without [Settings] is what a write cut short leaves: the sections
    // that are missing are written with their defaults, and those that are
    // there (the recent files, the language) are kept.
    if (!present) unwritable = !SaveFreshSettingsFile(lock);  // logs its failure
    else if (!IsCurrentSettingsFile(doc)) unwritable = !SaveMissingSections(doc, lock);
    settled = !unwritable;
  }
  if (!settled && !unwritable) {
    AddHistoryLine(SettingsWriteFailedLine());
    unwritable = true;
  }

  if (unwritable) {
    // The defaults in memory, read back through the same rules as a freshly
    // written file.
    IniDocument defaults;
    INIFileVersion = IniFileVersionCurrent;
    WriteSettings(SettingsPart::Everything, defaults);
    ReadAllSettings(defaults);
  } else {
    ReadAllSettings();
  }
}

namespace {

// The name QTemporaryFile gives a scratch copy of the text-file browser:
// "~tmpbr-", the six characters that replace its "XXXXXX", and ".tmp".
bool IsViewerCopyName(QByteArrayView name) {
  constexpr QByteArrayView kPrefix("~tmpbr-");
  constexpr QByteArrayView kSuffix(".tmp");
  return name.size() == kPrefix.size() + 6 + kSuffix.size() && name.startsWith(kPrefix) && name.endsWith(kSuffix);
}

// `names` are those of the files in `folder`.
void RemoveOldViewerCopies(const QString& folder, const QList<QByteArray>& names) {
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  for (const QByteArray& name : names) {
    if (!IsViewerCopyName(name)) continue;
    const QByteArray path = QFile::encodeName(JoinPath(folder, QFile::decodeName(name)));
    // An ordinary file, not a link: lstat looks at the name itself.
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (now - static_cast<qint64>(st.st_mtime) > kScratchCopyAgeSeconds) ::unlink(path.constData());
  }
}

// What a clean-up of leftovers works on, copied from the globals.
struct LeftoverCleanUp {
  QString folder;      // the user's scratch folder
  QStringList kept;    // the files never removed
  qint64 program = 0;  // this program's process, whose saves may run beside it
};

LeftoverCleanUp LeftoverCleanUpOfThisRun() {
  // The files the user may mean to open or keep, whatever their names: the
  // one to open now (a leftover named to recover work), the recent projects
  // and the settings.
  QStringList kept{SettingsIniPath};
  if (!CommandLine.isEmpty()) kept << CommandLineProject();
  for (int i = 1; i <= kMaxRecentFiles; ++i) kept << RecentFilePath[static_cast<std::size_t>(i)];
  return {UserTempFolder, kept, ::getpid()};
}

// Touches nothing but its argument and the files: it runs in a process of
// its own. Returns how many temporary files of saves it removed.
int RemoveLeftovers(const LeftoverCleanUp& cleanUp) {
  // The scratch folder is read once, for both.
  const QList<QByteArray> names = FileNamesIn(cleanUp.folder);
  const int removed = RemoveSavesCutShort(cleanUp.folder, names, cleanUp.kept, cleanUp.program);
  RemoveOldViewerCopies(cleanUp.folder, names);
  return removed;
}

// The clean-up the last start began.
ChildTask& StartedCleanUp() {
  static auto* task = new ChildTask;
  return *task;
}

}  // namespace

void RemoveLeftoverFiles() { RemoveLeftovers(LeftoverCleanUpOfThisRun()); }

void StartRemovingLeftoverFiles() {
  // A process of its own rather than a thread: a look at a folder that does
  // not answer may hold it in the kernel in a wait that no signal ends (a
  // FUSE folder whose server took the request and hangs), and a thread
  // held so would hold the program's exit with it. The process holds none
  // of the program's files and is left to finish alone; where none can be
  // made, the leftovers wait for a later start.
  StartedCleanUp() =
      ChildTask([cleanUp = LeftoverCleanUpOfThisRun()] { return QByteArray::number(RemoveLeftovers(cleanUp)); });
}

bool WaitForLeftoverCleanUp(std::chrono::milliseconds timeout) { return StartedCleanUp().WaitFor(timeout); }

void RunStartupSteps() {
  // 1. Fixed globals.
  AppTitle = QStringLiteral("Brantel");
  HelpFileName = QStringLiteral("Brantel.chm");
  ManualFileName = QStringLiteral("Brantel.PDF");
  WebPageURL = QStringLiteral("https://brantel.example.org/");
  UpdateFolderURL = QStringLiteral("https://brantel.example.org/updates/");
  ToolbarBitmapName = QStringLiteral("Brantel.bmp");
  AppNameUpper = QCoreApplication::instance()
                     ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toUpper()
                     : QStringLiteral("BRANTEL");
  IniFileVersionCurrent = QStringLiteral("050909");

  // 2. Everything else, with every setting's default.
  InitGlobals();

  // 3. New projects are in SI units.
  NewProjectUnits = UnitSystem::SI;
  Project.InputUnits = UnitSystem::SI;

  // 4. Graph defaults.
  SetUpGraphBuffer();

  // 5. Project-file signatures.
  SetProjectSignatures();
  OutBufLastPage = 1;

  // 6. The program options have their defaults from step 2.

  // 7. Project-file extension.
  DefaultFileExtension = QStringLiteral("BNL");

  // 8. "." as the decimal point.
  ForceDotDecimalSeparator();

  // 9. Paths.
  SystemTempFolder = GetTempFolder();
  SettingsIniPath = UserFolder + QStringLiteral("Brantel.INI");
  DescTempFile = SystemTempFolder + QStringLiteral("~tmpdesc.tmp");

  // 10 and 11. The settings file.
  SettleSettingsFile();

  // 12.
  UnitsStartTab = UnitTab::Load;

  // 13. What earlier runs left behind, in the background.
  StartRemovingLeftoverFiles();
}

}  // namespace brantel
