#include "core/Fonts.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/IniFile.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "support/IniValues.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>

#include <functional>
#include <memory>
#include <vector>

#include <sys/stat.h>

namespace brantel {
namespace {

using test::CoreTest;

class SettingsTest : public CoreTest {
 protected:
  void ReadFrom(const QString& text) { ReadAllSettings(IniDocument::FromText(text)); }
};

TEST_F(SettingsTest, RangesBecomeTheMinimumNotTheNearerBound) {
  ReadFrom(
      QStringLiteral("[Settings]\nMaxDisplaySize=20000\nDisplayFontSize=30\nDisplayFontBold=1\nDefaultUnits=2\n"
                     "[TextBrowse]\nBrowseFontSize=6.5\nBrowseFontItalic=-1\n"));
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(DisplayFontSize, 7.0f);
  EXPECT_TRUE(DisplayFontBold);
  EXPECT_EQ(NewProjectUnits, UnitSystem::Imperial);
  EXPECT_EQ(BrowseFontSize, 7.0f);
  EXPECT_TRUE(BrowseFontItalic);

  ReadFrom(
      QStringLiteral("[Settings]\nMaxDisplaySize=8000\nDisplayFontSize=10.5\n"
                     "[TextBrowse]\nBrowseFontSize=12.5\n"));
  EXPECT_EQ(HistoryMaxCharacters, 8000);
  EXPECT_EQ(DisplayFontSize, 10.0f);
  EXPECT_EQ(BrowseFontSize, 12.0f);
  ReadFrom(QStringLiteral("[Settings]\nDisplayFontSize=11.5\n"));
  EXPECT_EQ(DisplayFontSize, 12.0f);
}

// A yes/no reads as the whole number of its range, a value outside the
// range (or beyond 16 bits) as the range minimum, and is yes only for its
// form's yes; it is written back in that form.
TEST_F(SettingsTest, HandEditedYesNoValuesReadAsTheirRangeGivesThem) {
  struct Case {
    const char* stored;
    bool minusOneIsYes;  // DisplayFontBold and BrowseFontItalic, range -1..0
    bool oneIsYes;       // EnglishMenus and RecentFilesListed, range 0..1
  };
  const Case cases[] = {{"-1", true, false},   {"0", false, false},      {"1", true, true},      {"2", true, false},
                        {"-2", true, false},   {"1.4", true, true},      {"1.5", true, false},   {"0.5", false, false},
                        {"-0.6", true, false}, {"1e400", true, false},   {"40000", true, false}, {"yes", false, false},
                        {"", false, false},    {"1 English", true, true}};
  for (const Case& c : cases) {
    const QString v = QString::fromLatin1(c.stored);
    ReadFrom(QStringLiteral("[Settings]\nDisplayFontBold=%1\nKeepFileNames=%1\n[TextBrowse]\nBrowseFontItalic=%1\n"
                            "[BrantelOptions]\nEnglishMenus=%1\n")
                 .arg(v));
    EXPECT_EQ(DisplayFontBold, c.minusOneIsYes) << c.stored;
    EXPECT_EQ(BrowseFontItalic, c.minusOneIsYes) << c.stored;
    EXPECT_EQ(EnglishMenus, c.oneIsYes) << c.stored;
    EXPECT_EQ(RecentFilesListed, c.oneIsYes) << c.stored;

    IniDocument written;
    WriteSettings(SettingsPart::Everything, written);
    const QString minusOneForm = c.minusOneIsYes ? QStringLiteral("-1") : QStringLiteral("0");
    const QString oneForm = c.oneIsYes ? QStringLiteral("1") : QStringLiteral("0");
    EXPECT_EQ(written.Value(QStringLiteral("Settings"), QStringLiteral("DisplayFontBold")), minusOneForm) << c.stored;
    EXPECT_EQ(written.Value(QStringLiteral("TextBrowse"), QStringLiteral("BrowseFontItalic")), minusOneForm);
    EXPECT_EQ(written.Value(QStringLiteral("BrantelOptions"), QStringLiteral("EnglishMenus")), oneForm) << c.stored;
    EXPECT_EQ(written.Value(QStringLiteral("Settings"), QStringLiteral("KeepFileNames")), oneForm);
  }
  // A missing or empty CopyExampleFiles reads as yes; any other value as
  // the others of its range do.
  for (const auto& [text, yes] : {std::pair{"", true}, {"1", true}, {"0", false}, {"2", false}, {"-1", false}}) {
    ReadFrom(QStringLiteral("[Settings]\nCopyExampleFiles=") + QString::fromLatin1(text) + u'\n');
    EXPECT_EQ(CopyExampleFiles, yes) << text;
  }
}

TEST_F(SettingsTest, MissingKeysAndSpecialValues) {
  ReadFrom(QStringLiteral("[Settings]\nFileExtension=0\nDataPath=0\n[BrantelOptions]\nCircExtend=0\n"));
  EXPECT_EQ(FileExtension, QStringLiteral("BNL"));
  EXPECT_EQ(DataPath, QString());
  EXPECT_EQ(CircularCurvesExtent, 5);
  EXPECT_TRUE(CopyExampleFiles);    // a missing key reads as 1, yes
  EXPECT_FALSE(DisclaimerAtStart);  // a missing key reads as 0, no
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(DisplayFontSize, 7.0f);
  EXPECT_FALSE(EnglishMenus);
  EXPECT_EQ(QuickButtonTools[0], 0);
  EXPECT_EQ(DisplayFontName, DefaultFontName());
  EXPECT_EQ(ExternalViewer, QString());

  ReadFrom(QStringLiteral("[BrantelOptions]\nCircExtend=12abc\n[Settings]\nFileExtension=\n"));
  EXPECT_EQ(CircularCurvesExtent, 12);
  EXPECT_EQ(FileExtension, QString());
}

TEST_F(SettingsTest, ValuesBeyondSixteenBitsReadAsOutOfRange) {
  ReadFrom(
      QStringLiteral("[Settings]\nMaxDisplaySize=99999\nDisplayFontSize=1e300\nKeepFileNames=1e400\n"
                     "[FileMenu]\nMaxLastFiles=1\nLastFileMode1=40000\n"
                     "[BrantelOptions]\nToolBarPointer0=70000\nToolBarPointer1=-40000\nCircExtend=32768\n"));
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(DisplayFontSize, 7.0f);
  EXPECT_FALSE(RecentFilesListed);
  EXPECT_EQ(RecentFileMode[1], RecentFileMark::Unmarked);
  EXPECT_EQ(QuickButtonTools[0], 21);
  EXPECT_EQ(QuickButtonTools[1], 31);
  EXPECT_EQ(CircularCurvesExtent, 5);
}

TEST_F(SettingsTest, DataPathMustNameAnExistingFolder) {
  QDir().mkpath(Home() + QStringLiteral("/data"));
  ReadFrom(QStringLiteral("[Settings]\nDataPath=") + Home() + QStringLiteral("/data\n"));
  EXPECT_EQ(DataPath, Home() + QStringLiteral("/data/"));
  ReadFrom(QStringLiteral("[Settings]\nDataPath=") + Home() + QStringLiteral("/missing/\n"));
  EXPECT_EQ(DataPath, QString());
  EXPECT_TRUE(boxes_->Shown().empty());
}

// The default of a setting as a number (a yes/no as yes or no), or as its
// text.
QString DefaultText(const SettingSpec& setting) {
  if (std::holds_alternative<QString*>(setting.variable)) {
    return setting.text ? QString::fromLatin1(setting.text) : DefaultFontName();
  }
  if (std::holds_alternative<FlagVariable>(setting.variable))
    return setting.number != 0 ? QStringLiteral("yes") : QStringLiteral("no");
  return FormatGeneral(setting.number);
}

QString ValueText(const SettingSpec& setting) {
  if (auto* text = std::get_if<QString*>(&setting.variable)) return **text;
  if (auto* single = std::get_if<float*>(&setting.variable)) return FormatGeneral(**single);
  if (auto* flag = std::get_if<FlagVariable>(&setting.variable))
    return *flag->variable ? QStringLiteral("yes") : QStringLiteral("no");
  if (auto* units = std::get_if<UnitSystem*>(&setting.variable))
    return FormatGeneral(static_cast<double>(UnitSystemNumber(**units)));
  return FormatGeneral(static_cast<double>(*std::get<int*>(setting.variable)));
}

TEST_F(SettingsTest, TheTableHoldsEachSettingOnceAndAFreshFileReadsBackItsDefaults) {
  QStringList keys;
  for (const SettingSpec& setting : SettingsTable()) keys.append(QString::fromLatin1(setting.key));
  EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size());
  EXPECT_EQ(keys.size(), 33);

  SetDefaultSettings();
  for (const SettingSpec& setting : SettingsTable()) EXPECT_EQ(ValueText(setting), DefaultText(setting)) << setting.key;
  // A first start writes the defaults and reads them back through the rules:
  // a default below its range reads as the range minimum.
  IniDocument fresh;
  WriteSettings(SettingsPart::Everything, fresh);
  ReadAllSettings(fresh);
  for (const SettingSpec& setting : SettingsTable()) {
    const bool below = setting.rule == SettingRule::Ranged && setting.number < setting.min;
    EXPECT_EQ(ValueText(setting), below ? FormatGeneral(setting.min) : DefaultText(setting)) << setting.key;
  }
  EXPECT_EQ(HistoryMaxCharacters, 4096);
  EXPECT_EQ(FindSetting(u"MaxDisplaySize")->max, 16384);
  EXPECT_EQ(FindSetting(u"Missing"), nullptr);
}

TEST_F(SettingsTest, RecentFilesRoundTrip) {
  RecentFileCount = 3;
  const QString longPath = Home() + QStringLiteral("/") + QString(280, u'p') + QStringLiteral("/Έργο.BNL");
  RecentFileName = {QString(), QStringLiteral("Έργο.BNL"), QStringLiteral("b.BNL"), QStringLiteral("c.BNL"), QString()};
  RecentFileMode = {RecentFileMark::Unmarked, RecentFileMark::Unmarked, RecentFileMark::Marked,
                    static_cast<RecentFileMark>(-2), RecentFileMark::Unmarked};
  RecentFilePath = {QString(), longPath, QStringLiteral("/x/b.BNL"), QStringLiteral("/x/c.BNL"), QString()};
  ASSERT_TRUE(SaveSettings(SettingsPart::FileMenu));

  RecentFileCount = 0;
  RecentFileName.fill(QString());
  RecentFilePath.fill(QString());
  RecentFileMode.fill(RecentFileMark::Unmarked);
  ReadAllSettings();
  EXPECT_EQ(RecentFileCount, 3);
  EXPECT_EQ(RecentFileName[1], QStringLiteral("Έργο.BNL"));
  EXPECT_EQ(RecentFilePath[1], longPath);
  EXPECT_EQ(RecentFileMode[2], RecentFileMark::Marked);
  EXPECT_EQ(RecentFileMode[3], static_cast<RecentFileMark>(-2));
  EXPECT_EQ(RecentFilePath[3], QStringLiteral("/x/c.BNL"));
}

TEST_F(SettingsTest, TooManyRecentFilesWriteTheCountThenNoEntries) {
  RecentFileCount = 7;
  RecentFileName[1] = QStringLiteral("a.BNL");
  ASSERT_TRUE(SaveSettings(SettingsPart::FileMenu));
  EXPECT_EQ(RecentFileCount, 0);
  EXPECT_EQ(ReadFile(SettingsIniPath), QByteArray("[FileMenu]\r\nMaxLastFiles=7\r\n"));
}

TEST_F(SettingsTest, EveryCallIsLoggedAndASaveOfNothingWritesNothing) {
  EXPECT_TRUE(SaveSettings(SettingsPart::Nothing));
  EXPECT_FALSE(QFile::exists(SettingsIniPath));
  EXPECT_EQ(History(),
            QStringLiteral("1. Saving default settings to file: ") + SettingsIniPath + QStringLiteral("\r\n"));
  EnglishMenus = false;
  SaveSettings(SettingsPart::Options);
  EXPECT_TRUE(History().endsWith(QStringLiteral("2. Αποθήκευση ρυθμίσεων στο αρχείο: ") + SettingsIniPath +
                                 QStringLiteral("\r\n")));
  EXPECT_TRUE(QFile::exists(SettingsIniPath));
}

TEST_F(SettingsTest, SavingOneSectionLeavesTheRestUntouched) {
  WriteFile(SettingsIniPath, QByteArray("; hand-made\r\n[Version]\r\nINIFileVersion=050909\r\n\r\n"
                                        "[Settings]\r\nDefaultUnits=0\r\nMyOwnKey=keep me\r\n\r\n"
                                        "[Other]\r\nA=1\r\n\r\n[TextBrowse]\r\nBrowseFontSize=9\r\n"));
  BrowseFontName = QStringLiteral("Mono");
  BrowseFontSize = 12.0f;
  BrowseDefaultFilter = QStringLiteral("*.txt;*.BNL");
  ASSERT_TRUE(SaveSettings(SettingsPart::TextBrowse));
  EXPECT_EQ(ReadFile(SettingsIniPath), QByteArray("; hand-made\r\n[Version]\r\nINIFileVersion=050909\r\n\r\n"
                                                  "[Settings]\r\nDefaultUnits=0\r\nMyOwnKey=keep me\r\n\r\n"
                                                  "[Other]\r\nA=1\r\n\r\n[TextBrowse]\r\nBrowseFontSize=12\r\n"
                                                  "BrowseFontName=Mono\r\nBrowseFontBold=0\r\nBrowseFontItalic=0\r\n"
                                                  "BrowseDefaultFilter=*.txt;*.BNL\r\nBrowseUseNotepad=0\r\n"));
}

TEST_F(SettingsTest, AFailedWriteIsLoggedAsSuch) {
  QDir().mkpath(SettingsIniPath);  // a folder stands where the file should be
  EXPECT_FALSE(SaveSettings(SettingsPart::Main));
  EXPECT_EQ(History(), QStringLiteral("1. Saving default settings to file: ") + SettingsIniPath +
                           QStringLiteral("\r\n2. The settings file could not be written: ") + SettingsIniPath +
                           QStringLiteral("\r\n"));
}

TEST_F(SettingsTest, AReadOnlySettingsFileIsNotOverwritten) {
  if (!PermissionsApply()) GTEST_SKIP() << "the superuser writes read-only files";
  WriteFile(SettingsIniPath, QByteArray("[Settings]\r\nDefaultUnits=0\r\n"));
  QFile::setPermissions(SettingsIniPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  NewProjectUnits = UnitSystem::SI;
  EXPECT_FALSE(SaveSettings(SettingsPart::Main));
  EXPECT_EQ(ReadFile(SettingsIniPath), QByteArray("[Settings]\r\nDefaultUnits=0\r\n"));
  EXPECT_TRUE(History().contains(QStringLiteral("could not be written")));
}

TEST_F(SettingsTest, ASaveWritesOnlyWhatThisRunChangedOntoTheFileAsItIsNow) {
  const QByteArray start(
      "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nMaxDisplaySize=2048\r\n"
      "[FileMenu]\r\nMaxLastFiles=1\r\nLastFile1=a.BNL\r\nLastFileLong1=/p/a.BNL\r\n"
      "[BrantelOptions]\r\nEnglishMenus=1\r\n");
  WriteFile(SettingsIniPath, start);
  ReadAllSettings();
  // Nothing changed: nothing is written (2048 reads as 4096).
  ASSERT_TRUE(SaveSettings(SettingsPart::Everything));
  EXPECT_EQ(ReadFile(SettingsIniPath), start);

  // Another copy turns to Greek and opens b; this one changes CircularCurvesExtent
  // and opens c.
  WriteFile(SettingsIniPath,
            "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nMaxDisplaySize=2048\r\n"
            "[FileMenu]\r\nMaxLastFiles=2\r\nLastFile1=b.BNL\r\nLastFileLong1=/p/b.BNL\r\n"
            "LastFile2=a.BNL\r\nLastFileLong2=/p/a.BNL\r\n[BrantelOptions]\r\nEnglishMenus=0\r\n");
  CircularCurvesExtent = 9;
  AddRecentFile(QStringLiteral("/p/c.BNL"), RecentFileMark::Marked);
  EXPECT_EQ(RecentFilePath[1], QStringLiteral("/p/c.BNL"));
  ASSERT_TRUE(SaveSettings(SettingsPart::Everything));
  EXPECT_TRUE(EnglishMenus);  // this run keeps its own until it starts again
  // This run's file first, then the other copy's list, in the menu and
  // in the file.
  const QStringList merged{QStringLiteral("/p/c.BNL"), QStringLiteral("/p/b.BNL"), QStringLiteral("/p/a.BNL")};
  for (int read = 0; read < 2; ++read) {
    ASSERT_EQ(RecentFileCount, 3);
    EXPECT_EQ(QStringList({RecentFilePath[1], RecentFilePath[2], RecentFilePath[3]}), merged);
    EXPECT_EQ(RecentFileName[2], QStringLiteral("b.BNL"));
    EXPECT_EQ(RecentFileMode[1], RecentFileMark::Marked);
    ReadAllSettings();
  }
  EXPECT_FALSE(EnglishMenus);
  EXPECT_EQ(CircularCurvesExtent, 9);
  EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("MaxDisplaySize"), SettingsIniPath),
            QStringLiteral("2048"));
}

qint64 Milliseconds(const std::function<void()>& run) {
  QElapsedTimer clock;
  clock.start();
  run();
  return clock.elapsed();
}

TEST_F(SettingsTest, ALockThatCannotBeMadeCostsNoWaitAndTheSaveSaysSo) {
  // A folder, and a pipe that nobody writes, stand where the lock goes.
  const QString lock = SettingsIniPath + QStringLiteral(".lock");
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "a pipe" : "a folder");
    QDir(lock).removeRecursively();
    QFile::remove(lock);
    if (pipe) ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0644), 0);
    else ASSERT_TRUE(QDir().mkpath(lock));
    HistoryLog::Instance().Clear();
    CircularCurvesExtent = pipe ? 8 : 9;
    bool saved = false;
    EXPECT_LT(Milliseconds([&] { saved = SaveSettings(SettingsPart::Options); }), 1000);
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadIniValue(QStringLiteral("BrantelOptions"), QStringLiteral("CircExtend"), SettingsIniPath),
              QString::number(CircularCurvesExtent));
    EXPECT_TRUE(
        History().endsWith(QStringLiteral(". The settings file was saved without its lock, which cannot be made: ") +
                           lock + QStringLiteral("\r\n")));
    EXPECT_EQ(QFileInfo(lock).isDir(), !pipe);
  }
  // In Greek as well; and nothing written, nothing said.
  EnglishMenus = false;
  CircularCurvesExtent = 10;
  ASSERT_TRUE(SaveSettings(SettingsPart::Options));
  EXPECT_TRUE(History().endsWith(
      QStringLiteral("Το αρχείο ρυθμίσεων αποθηκεύτηκε χωρίς το κλείδωμά του, που δεν μπορεί να δημιουργηθεί: ") +
      lock + QStringLiteral("\r\n")));
  HistoryLog::Instance().Clear();
  ASSERT_TRUE(SaveSettings(SettingsPart::Options));
  EXPECT_EQ(History().count(QStringLiteral("κλείδωμα")), 0);
}

TEST_F(SettingsTest, ALockFileThatCannotBeReadIsStaleAtOnce) {
  // Fresh files that no copy of the program wrote whole: QLockFile would
  // wait for them to age half a minute.
  const QString lock = SettingsIniPath + QStringLiteral(".lock");
  const QByteArray contents[] = {"", "garbage\x01\xff\n", "12x\nbrantel\n", QByteArray(5000, '\n')};
  int value = 1;
  for (const QByteArray& content : contents) {
    SCOPED_TRACE(content.left(20).toStdString());
    WriteFile(lock, content);
    HistoryLog::Instance().Clear();
    CircularCurvesExtent = static_cast<qint16>(++value);
    bool saved = false;
    EXPECT_LT(Milliseconds([&] { saved = SaveSettings(SettingsPart::Options); }), 1000);
    EXPECT_TRUE(saved);
    // Taken and let go: no line about the lock, and no lock file left.
    EXPECT_FALSE(History().contains(QStringLiteral("without its lock")));
    EXPECT_FALSE(QFileInfo::exists(lock));
    EXPECT_EQ(ReadIniValue(QStringLiteral("BrantelOptions"), QStringLiteral("CircExtend"), SettingsIniPath),
              QString::number(value));
  }
}

TEST_F(SettingsTest, ASaveSetsADamagedFileAsideAndWritesTheWholeSession) {
  IniFileVersionCurrent = QStringLiteral("050909");
  WriteFile(SettingsIniPath,
            "[Version]\r\nINIFileVersion=050909\r\n[Settings]\r\nShowDisclaim=0\r\nDisplayHistoryWin=1\r\n"
            "[FileMenu]\r\nMaxLastFiles=1\r\nLastFile1=a.BNL\r\nLastFileLong1=/p/a.BNL\r\n"
            "[BrantelOptions]\r\nEnglishMenus=1\r\n");
  ReadAllSettings();
  // Something makes the file huge while the program runs.
  {
    QFile huge(SettingsIniPath);
    ASSERT_TRUE(huge.open(QIODevice::Append));
    ASSERT_TRUE(huge.resize(3 * kMaxSettingsFileBytes));
  }
  CircularCurvesExtent = 9;
  ASSERT_TRUE(SaveSettings(SettingsPart::Options));
  const QString bad = SettingsIniPath + QStringLiteral(".bad");
  EXPECT_EQ(QFileInfo(bad).size(), 3 * kMaxSettingsFileBytes);
  EXPECT_TRUE(History().contains(QStringLiteral("and is kept as ") + bad +
                                 QStringLiteral("; the settings of this session are written to a new file")))
      << History().toStdString();
  // Everything this run holds, not only the option just changed.
  SetDefaultSettings();
  ReadAllSettings();
  EXPECT_EQ(CircularCurvesExtent, 9);
  EXPECT_FALSE(DisclaimerAtStart);
  ASSERT_EQ(RecentFileCount, 1);
  EXPECT_EQ(RecentFilePath[1], QStringLiteral("/p/a.BNL"));
  EXPECT_EQ(ReadIniValue(QStringLiteral("Version"), QStringLiteral("INIFileVersion"), SettingsIniPath),
            IniFileVersionCurrent);
}

TEST_F(SettingsTest, CopiesOfTheProgramSharingTheFileLoseNoChange) {
  // Four copies start together on no file; each saves a setting of its own
  // round after round and opens a project of its own half way.
  constexpr int kCopies = 4;
  constexpr int kRounds = 12;
  std::vector<std::unique_ptr<QProcess>> copies;
  for (int copy = 0; copy < kCopies; ++copy) {
    copies.push_back(std::make_unique<QProcess>());
    copies.back()->setProcessChannelMode(QProcess::ForwardedChannels);
    copies.back()->start(QStringLiteral(BRANTEL_SETTINGS_COPY),
                         {SettingsIniPath, QString::number(copy), QString::number(kRounds)});
  }
  for (auto& copy : copies) {
    ASSERT_TRUE(copy->waitForFinished(30000));
    EXPECT_EQ(copy->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy->exitCode(), 0);
  }

  EXPECT_EQ(ReadIniValue(QStringLiteral("Version"), QStringLiteral("INIFileVersion"), SettingsIniPath),
            QStringLiteral("050909"));
  ReadAllSettings();
  for (int copy = 0; copy < 3; ++copy)
    EXPECT_EQ(QuickButtonTools[static_cast<std::size_t>(copy)], 100 * (copy + 1) + kRounds - 1);
  EXPECT_EQ(CircularCurvesExtent, 400 + kRounds - 1);
  ASSERT_EQ(RecentFileCount, kCopies);
  QStringList recent;
  for (int i = 1; i <= kCopies; ++i) recent << RecentFilePath[static_cast<std::size_t>(i)];
  recent.sort();
  EXPECT_EQ(recent, QStringList({QStringLiteral("/data/copy0.BNL"), QStringLiteral("/data/copy1.BNL"),
                                 QStringLiteral("/data/copy2.BNL"), QStringLiteral("/data/copy3.BNL")}));
  EXPECT_EQ(QDir(Home()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Brantel.INI")});
}

}  // namespace
}  // namespace brantel
