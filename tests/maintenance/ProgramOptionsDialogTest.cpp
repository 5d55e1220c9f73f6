#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/platform/Launcher.h"
#include "maintenance/ProgramOptionsDialog.h"
#include "support/DialogTest.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace brantel {
namespace {

class ProgramOptionsTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    QuickButtonTools = {21, 31, 4};
  }
  ProgramOptionsDialog& Open() { return DialogTest::Open<ProgramOptionsDialog>(); }
  QComboBox* Menu(int i) const { return Control<QComboBox>(forms::Item(programoptions::kQuickButtonMenu, i)); }
  QComboBox* SubMenu(int i) const { return Control<QComboBox>(forms::Item(programoptions::kQuickButtonSubMenu, i)); }
  QString Entry(int i) const { return Text(forms::Item(programoptions::kQuickButtonEntry, i)); }
  // What the quick button i shows: its menu, its sub-menu and its entry.
  QStringList Shown(int i) const {
    return {Text(forms::Item(programoptions::kQuickButtonMenu, i)),
            Text(forms::Item(programoptions::kQuickButtonSubMenu, i)), Entry(i)};
  }
};

TEST_F(ProgramOptionsTest, StoredCodesShowTheirEntriesAndOkWithoutEditsKeepsEveryCode) {
  Open();
  EXPECT_EQ(Shown(0), QStringList({"Menu 2", "Sub Menu 2-1", "Stresses in 2D..."}));
  EXPECT_EQ(Shown(1), QStringList({"Menu 3", "Sub Menu 3-1", "Coulomb Criterion in Intact Rock..."}));
  EXPECT_EQ(Shown(2), QStringList({"Menu 4", "", "Elasticity in 2D..."}));
  EXPECT_FALSE(SubMenu(2)->isEnabled());
  const int stressEntries = static_cast<int>(MenuRows(Menu::Stress).size());
  const int failureEntries = static_cast<int>(MenuRows(Menu::Failure).size());
  EXPECT_EQ(SubMenu(1)->count(), failureEntries);
  // A code the lists cannot show selects nothing and is kept.
  for (int code = -2; code <= 45; ++code) {
    QuickButtonTools = {code, 31, 4};
    Open();
    const bool shown = (code >= 1 && code <= 8 && code != 2 && code != 3) ||
                       (code >= 21 && code < 21 + stressEntries) || (code >= 31 && code < 31 + failureEntries);
    EXPECT_EQ(Menu(0)->currentIndex() >= 0, shown) << code;
    EXPECT_EQ(Entry(0).isEmpty(), !shown) << code;
    Press(programoptions::kOk);
    EXPECT_EQ(QuickButtonTools, (std::array{code, 31, 4}));
  }
  IniDocument saved;
  saved.Load(SettingsIniPath);
  EXPECT_EQ(saved.Value(QStringLiteral("BrantelOptions"), QStringLiteral("ToolBarPointer1")), QStringLiteral("31"));
}

TEST_F(ProgramOptionsTest, PickingMenusGivesTheirCodes) {
  struct Case {
    int menu, subMenu;  // subMenu -1: as the menu list picks it
    qint16 code;
    QString entry;
  };
  const std::vector<Case> cases = {
      {1, -1, 22, "Stresses in 3D..."},
      {2, -1, 32, "Coulomb Criterion in Jointed Rock..."},
      {2, 4, 35, "Bieniawski Criterion in Rock..."},
      {0, -1, 1, "Project Description..."},
      {7, -1, 8, "Evaluation of Uniaxial Testing Results..."},
  };
  for (const Case& c : cases) {
    Open();
    Menu(2)->setCurrentIndex(c.menu);
    if (c.subMenu >= 0) SubMenu(2)->setCurrentIndex(c.subMenu);
    EXPECT_EQ(SubMenu(2)->isEnabled(), c.menu == 1 || c.menu == 2);
    EXPECT_EQ(Entry(2), c.entry);
    Press(programoptions::kOk);
    EXPECT_EQ(QuickButtonTools[2], c.code);
  }
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Entry(0), QStringLiteral("Εντατική Κατάσταση σε Δύο Διαστάσεις..."));
}

TEST_F(ProgramOptionsTest, TheOptionsAreWrittenOnOkOnlyAndTheHistoryFollowsTheLanguage) {
  CircularCurvesExtent = 5;
  for (const bool ok : {false, true}) {
    Open();
    EXPECT_EQ(Text(programoptions::kGraphExtent), QStringLiteral("5"));
    for (const char* box : {programoptions::kEnglishMenus, programoptions::kAlwaysShowMohr,
                            programoptions::kShowInternalCoords, programoptions::kPrintModuleHeader}) {
      Press(box);
    }
    Type(programoptions::kGraphExtent, QStringLiteral("9"));
    Press(ok ? programoptions::kOk : programoptions::kCancel);
  }
  EXPECT_EQ((std::array{EnglishMenus, EnableMohrCircles, ShowInternalPlotCoords, PrintModuleHeader}),
            (std::array{false, false, true, false}));
  EXPECT_EQ(CircularCurvesExtent, 5);  // the graph extent is only shown
  Open();
  Press(programoptions::kCancel);
  EXPECT_TRUE(History().contains(QStringLiteral(
      "1. Editing Brantel options\r\n2. Brantel options NOT modified\r\n3. Editing Brantel options\r\n4. Αποθήκευση")));
  EXPECT_TRUE(History().contains(QStringLiteral(
      "5. Αλλαγή επιλογών Brantel\r\n6. Αλλαγές επιλογών Brantel\r\n7. Οι επιλογές Brantel δεν άλλαξαν\r\n")));
}

class FileAssociationDialogTest : public ProgramOptionsTest {
 protected:
  void SetUp() override {
    ProgramOptionsTest::SetUp();
    dataHome_ = Home() + QStringLiteral("/xdg-data");
    env_.Set("XDG_DATA_HOME", dataHome_.toUtf8());
    AppFolder = QCoreApplication::applicationDirPath() + u'/';
    exe_ = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    id_ = exe_.toLower().replace(u'_', u'-');
  }
  QString dataHome_, exe_, id_;
};

TEST_F(FileAssociationDialogTest, RegistersTheExtensionAndConfirms) {
  if (platform::FindProgram(QStringLiteral("update-mime-database")).isEmpty() ||
      platform::FindProgram(QStringLiteral("update-desktop-database")).isEmpty()) {
    GTEST_SKIP() << "shared-mime-info or desktop-file-utils is not installed";
  }
  Open();
  Press(programoptions::kCreateFileAssociation);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("The BNL file extensions has been associated to ") + AppFolder + exe_);
  EXPECT_TRUE(ReadFile(dataHome_ + "/mime/packages/" + id_ + "-bnl.xml").contains("<glob pattern=\"*.bnl\"/>"));
  EXPECT_TRUE(ReadFile(dataHome_ + "/applications/" + id_ + ".desktop")
                  .contains(("\nExec=\"" + AppFolder + exe_ + "\" %f\n").toUtf8()));
  // Both databases took the new type, and the program handles it.
  EXPECT_TRUE(ReadFile(dataHome_ + "/mime/globs2").contains(("application/x-" + id_ + "-bnl:*.bnl").toUtf8()));
  EXPECT_TRUE(ReadFile(dataHome_ + "/applications/mimeinfo.cache").contains((id_ + ".desktop").toUtf8()));
  EXPECT_TRUE(ReadFile(Home() + "/.config/mimeapps.list").contains(("-bnl=" + id_ + ".desktop;").toUtf8()));
  EXPECT_TRUE(History().contains(AppFolder + u' ' + exe_ + QStringLiteral(" BNL\r\n")));
}

TEST_F(FileAssociationDialogTest, FailuresAreShownInsteadOfTheConfirmation) {
  FileExtension = QStringLiteral("B.N");  // refused: nothing written
  Open();
  Press(programoptions::kCreateFileAssociation);
  EXPECT_FALSE(QFileInfo::exists(dataHome_));
  FileExtension = QStringLiteral("BNL");
  WriteFile(dataHome_, "a file where the data folder belongs");
  Press(programoptions::kCreateFileAssociation);
  if (PermissionsApply()) {
    QFile::remove(dataHome_);
    QDir().mkpath(dataHome_);
    QFile::setPermissions(dataHome_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    Press(programoptions::kCreateFileAssociation);
    QFile::setPermissions(dataHome_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  }
  ASSERT_EQ(Messages().size(), PermissionsApply() ? 3u : 2u);
  EXPECT_TRUE(Messages()[0].prompt.contains(QStringLiteral("Invalid file extension 'B.N'")));
  for (const test::ShownBox& box : Messages()) {
    EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("The file extension could not be associated with the program:")));
    EXPECT_EQ(box.title, QStringLiteral("Program Options: Error"));
    EXPECT_EQ(box.style, Icon::Critical);
  }
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("Could not create the folder"))) << LastMessage().toStdString();
}

}  // namespace
}  // namespace brantel
