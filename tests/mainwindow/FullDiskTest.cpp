// Saving and printing onto a file system that is full. A small file fits
// the write buffer whole, so the disk answers only when the buffer goes
// out: the save must hear that answer before it puts the new file in place.
// Each test mounts a 64 KB memory file system of its own (in a mount
// namespace that the test program enters at start) and fills it up.

#include "MainWindowFixture.h"
#include "PdfPrinting.h"

#include "core/ErrorReporting.h"
#include "core/FileHelpers.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Startup.h"
#include "core/project/ProjectFile.h"
#include "mainwindow/PrintText.h"
#include "platform/CommonDialogs.h"
#include "support/FileSystemTricks.h"
#include "support/IniValues.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include <optional>

#include <sys/mount.h>

namespace brantel {
namespace {

using test::ChooseEntry;

class FullDiskTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (!test::InOwnMountNamespace()) GTEST_SKIP() << "this machine gives a test no mount namespace";
    disk_.emplace(Disk(), 64);
    if (!disk_->Valid()) GTEST_SKIP() << "no memory file system could be mounted";
    SetProjectSignatures();
  }

  void TearDown() override {
    window_.reset();
    main_.reset();
    disk_.reset();
    MainWindowTest::TearDown();
  }

  QString Disk() const { return Home() + QStringLiteral("/disk"); }
  QStringList DiskFiles() const { return QDir(Disk()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

  // A project whose description makes its file about `bytes` long.
  static ProjectRecord MakeProject(qsizetype bytes) {
    ProjectRecord r;
    ResetProjectRecord(r);
    r.ProjectTitle = QStringLiteral("Pillar layout, level 3");
    const QString line = QStringLiteral("Room and pillar panel with a weak floor layer below it.\r\n");
    while (ProjectFileBytes(r).size() < bytes) r.ProjectDescription += line;
    return r;
  }

  std::optional<test::TinyFileSystem> disk_;
  std::unique_ptr<MainWindow> main_;
};

TEST_F(FullDiskTest, ASaveThatDoesNotFitKeepsTheOldFileWholeAndSaysDiskFull) {
  const QString path = Disk() + QStringLiteral("/panel.BNL");
  // 1.3 KB goes out only at the flush; 25 KB already fails in the write.
  for (const qsizetype size : {1300, 25000}) {
    SCOPED_TRACE(size);
    QFile::remove(Disk() + QStringLiteral("/filler"));
    ProjectRecord record = MakeProject(size);
    ASSERT_FALSE(WriteProjectFile(path, record).has_value());
    const QByteArray old = ReadFile(path);
    ASSERT_GE(old.size(), size);
    ASSERT_TRUE(disk_->FillUp());

    record.Stress2D.Sx = 99.5f;
    const std::optional<RuntimeError> error = WriteProjectFile(path, record);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), ErrorNumber::DiskFull);
    EXPECT_TRUE(error->Description().contains(path));
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("filler"), QStringLiteral("panel.BNL")}));
  }
}

TEST_F(FullDiskTest, AStreamedSaveFileIsCommittedOnlyWhenEveryByteFits) {
  // As a download writes: pieces as they arrive, then the commit.
  const QString path = Disk() + QStringLiteral("/setup.bin");
  ASSERT_FALSE(SaveFileAtomically(path, QByteArray(3000, 'o')).has_value());
  ASSERT_TRUE(disk_->FillUp());
  AtomicFileWriter file;
  ASSERT_FALSE(file.Open(path).has_value());
  for (int piece = 0; piece < 3; ++piece) file.Write(QByteArray(500, 'n'));
  const std::optional<RuntimeError> error = file.Commit();  // the first failure
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->Number(), ErrorNumber::DiskFull);
  EXPECT_EQ(ReadFile(path), QByteArray(3000, 'o'));
  EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("filler"), QStringLiteral("setup.bin")}));
}

TEST_F(FullDiskTest, ASaveOnAReadOnlyFileSystemNamesTheFolderAndSaysItIsReadOnly) {
  const QString existing = Disk() + QStringLiteral("/panel.BNL");
  ASSERT_FALSE(SaveFileAtomically(existing, "old").has_value());
  ASSERT_EQ(::mount(nullptr, QFile::encodeName(Disk()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  // The file there (refused by its check) and a new one (by its making).
  for (const QString& path : {existing, Disk() + QStringLiteral("/new.BNL")}) {
    const std::optional<RuntimeError> error = WriteProjectFile(path, MakeProject(100));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), ErrorNumber::PermissionDenied);
    EXPECT_TRUE(error->Description().startsWith(QStringLiteral("Permission denied: the folder \"") + Disk() +
                                                QStringLiteral("\" is on a read-only file system: ")))
        << error->Description().toStdString();
  }
  EXPECT_EQ(ReadFile(existing), QByteArray("old"));
}

TEST_F(FullDiskTest, ASettingsFileThatCannotBeWrittenStaysAsItWas) {
  SettingsIniPath = Disk() + QStringLiteral("/Brantel.INI");
  INIFileVersion = QStringLiteral("050909");
  ASSERT_NE(WriteIniValue(QStringLiteral("Version"), QStringLiteral("INIFileVersion"), INIFileVersion, SettingsIniPath),
            0);
  RecentFileCount = 1;
  RecentFileName[1] = QStringLiteral("Πυλώνας.BNL");
  RecentFilePath[1] = QStringLiteral("/έργα/Πυλώνας.BNL");
  ASSERT_TRUE(SaveSettings(SettingsPart::Everything));
  const QByteArray old = ReadFile(SettingsIniPath);
  ASSERT_TRUE(disk_->FillUp());

  HistoryLog::Instance().Clear();
  RecentFileCount = 2;
  RecentFileName[2] = QStringLiteral("second.BNL");
  RecentFilePath[2] = QStringLiteral("/data/second.BNL");
  EXPECT_FALSE(SaveSettings(SettingsPart::FileMenu));
  EXPECT_EQ(
      WriteIniValue(QStringLiteral("Settings"), QStringLiteral("ShowDisclaim"), QStringLiteral("0"), SettingsIniPath),
      0);
  EXPECT_EQ(ReadFile(SettingsIniPath), old);
  EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("Brantel.INI"), QStringLiteral("filler")}));
  EXPECT_TRUE(History().contains(QStringLiteral("The settings file could not be written: ") + SettingsIniPath));
}

TEST_F(FullDiskTest, AFirstStartWithLittleRoomWritesTheSettingsWholeOrNotAtAll) {
  // The data folder on a disk of its own with one 4 KB block free: room
  // for one small file, not for two.
  const QString folder = Documents() + QStringLiteral("/MyBrantel");
  const test::TinyFileSystem data(folder, 64);
  ASSERT_TRUE(data.Valid());
  QDir().mkpath(folder + QStringLiteral("/Temp"));
  ASSERT_TRUE(data.FillUp());
  const QString filler = folder + QStringLiteral("/filler");
  ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - 4096));

  RunStartupSteps();
  const QString ini = folder + QStringLiteral("/Brantel.INI");
  const QByteArray first = ReadFile(ini);
  EXPECT_TRUE(first.isEmpty() || first.contains("\r\n[Settings]\r\n")) << first.constData();
  EXPECT_TRUE(EnglishMenus);
  EXPECT_TRUE(DisclaimerAtStart);

  // With room again, the next start runs on the whole settings.
  QFile::remove(filler);
  RunStartupSteps();
  EXPECT_TRUE(ReadFile(ini).contains("\r\n[Settings]\r\nDefaultUnits=1\r\n"));
  EXPECT_TRUE(EnglishMenus);
  EXPECT_TRUE(DisclaimerAtStart);
  EXPECT_TRUE(RecentFilesListed);
}

TEST_F(FullDiskTest, ExitWithAFailedSaveKeepsTheProgramAndItsEdits) {
  SettingsIniPath = Disk() + QStringLiteral("/Brantel.INI");
  ASSERT_TRUE(SaveSettings(SettingsPart::Everything));
  const QString path = Disk() + QStringLiteral("/panel.BNL");
  ASSERT_FALSE(WriteProjectFile(path, MakeProject(1300)).has_value());

  main_ = std::make_unique<MainWindow>();
  ASSERT_TRUE(main_->OnLoad());
  main_->show();
  Project.ProjectPath = path;
  ASSERT_TRUE(main_->FileOpen());
  const QByteArray old = ReadFile(path);
  const QByteArray oldSettings = ReadFile(SettingsIniPath);
  ASSERT_TRUE(disk_->FillUp());

  // An edit, then File > Exit with Yes to "Save changes": the save fails,
  // its error offers Retry and Cancel, and Cancel keeps the program open.
  Project.Stress2D.Sx = 42.0f;
  MarkProjectChanged();
  boxes_->Clear();
  boxes_->Answer(Answer::Yes);
  boxes_->Answer(Answer::Cancel);
  ChooseEntry(*main_, Command::Exit);
  ASSERT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Disk full: ") + path + QStringLiteral(" (61)"));
  EXPECT_EQ(boxes_->Last().style, Buttons::RetryCancel);
  EXPECT_TRUE(main_->isVisible());
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_EQ(Project.Stress2D.Sx, 42.0f);
  EXPECT_EQ(Project.ProjectPath, path);
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_EQ(ReadFile(SettingsIniPath), oldSettings);

  // With room again, Exit saves the edits and the program ends.
  QFile::remove(Disk() + QStringLiteral("/filler"));
  boxes_->Clear();
  boxes_->Answer(Answer::Yes);
  ChooseEntry(*main_, Command::Exit);
  EXPECT_FALSE(main_->isVisible());
  EXPECT_TRUE(Project.FileSaved);
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(path, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 42.0f);
  EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("Brantel.INI"), QStringLiteral("panel.BNL")}));
}

TEST_F(FullDiskTest, EveryPlaceSaysAPrintFailedLeavesNoPartOfItAndPrintsWholeAfterIt) {
  // Printer Setup with "Print to File (PDF)"; the graph's dialog keeps it.
  QString chosen;
  platform::SetPrintDialogHandler([&chosen](QPrinter& printer, platform::PrintDialogKind kind, QWidget*) {
    if (kind == platform::PrintDialogKind::Print) return true;
    printer.setPrinterName(QString());
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(chosen);
    return true;
  });
  // About 4 KB free on the disk: short prints go out only at their end.
  ASSERT_TRUE(disk_->FillUp());
  const QString filler = Disk() + QStringLiteral("/filler");
  ASSERT_TRUE(QFile::resize(filler, QFileInfo(filler).size() - 4096));
  // No file (as where no printer is known), the full disk, a device that is
  // always full, a removed folder, a good file with the scratch folder on
  // the full disk; long listings fill Qt's buffers before the end.
  const QString good = Home() + QStringLiteral("/good.pdf");
  const struct {
    QString file, scratch;
    int lines;
  } failing[] = {{QString(), QString(), 90},
                 {Disk() + QStringLiteral("/out.pdf"), QString(), 90},
                 {QStringLiteral("/dev/full"), QString(), 600},
                 {Home() + QStringLiteral("/gone/out.pdf"), QString(), 90},
                 {good, Disk(), 600}};
  const QByteArray scratch = qgetenv("TMPDIR");
  for (const test::PrintPlace place : test::kPrintPlaces) {
    for (const auto& [file, scratchFolder, lines] : failing) {
      SCOPED_TRACE(QStringLiteral("place %1, %2").arg(static_cast<int>(place)).arg(file).toStdString());
      chosen = file;
      PrinterSetup();
      boxes_->Clear();
      boxes_->Answer(Answer::Cancel);
      if (!scratchFolder.isEmpty()) qputenv("TMPDIR", scratchFolder.toLocal8Bit());
      test::PrintFrom(place, test::NumberedLines(lines));
      qputenv("TMPDIR", scratch);
      ASSERT_EQ(boxes_->Shown().size(), 1u);
      EXPECT_EQ(boxes_->Last().style, Buttons::RetryCancel);
      EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("Error occurred: Printer error: ")));
      EXPECT_TRUE(boxes_->Last().prompt.contains(file)) << boxes_->Last().prompt.toStdString();
      EXPECT_EQ(DiskFiles(), QStringList({QStringLiteral("filler")}));

      chosen = good;
      PrinterSetup();
      QFile::remove(good);
      test::PrintFrom(place, test::NumberedLines(90));
      EXPECT_EQ(boxes_->Shown().size(), 1u);
      EXPECT_GE(test::PdfPageCount(good), 1);
    }
  }
  platform::SetPrintDialogHandler({});
}

}  // namespace
}  // namespace brantel
