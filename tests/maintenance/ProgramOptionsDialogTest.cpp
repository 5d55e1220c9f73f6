#include "core/Globals.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "maintenance/ProgramOptionsDialog.h"
#include "platform/Launcher.h"
#include "support/DialogTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>

namespace brantel {
namespace {

class ProgramOptionsTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    MsgTitlePrefixes[10] = QStringLiteral("Program Options: ");
    ToolBarPointer = {21, 31, 4};
  }
  frmBrantelOpts& Open() { return DialogTest::Open<frmBrantelOpts>(); }
  QComboBox* Menu(int i) const { return Control<QComboBox>(QStringLiteral("Combo1(%1)").arg(i)); }
  QComboBox* SubMenu(int i) const { return Control<QComboBox>(QStringLiteral("Combo2(%1)").arg(i)); }
  QString Entry(int i) const { return Text(QStringLiteral("lblMenu(%1)").arg(i)); }
  QString StoredOption(const char* key) const {
    IniDocument doc;
    doc.Load(SettingsIniPath);
    return doc.Value(QStringLiteral("BrantelOptions"), QString::fromLatin1(key)).value_or(QStringLiteral("<none>"));
  }
};

TEST_F(ProgramOptionsTest, TheDefaultQuickButtonsShowTheirEntriesAndOkKeepsThem) {
  Open();
  EXPECT_EQ(Control<QTabWidget>(u"SSTab1")->currentIndex(), 0);
  EXPECT_EQ(Menu(0)->count(), 8);
  EXPECT_EQ(Menu(0)->itemText(7), QStringLiteral("Menu 8"));
  EXPECT_EQ(Text(u"Combo1(0)"), QStringLiteral("Menu 2"));
  EXPECT_EQ(Text(u"Combo2(0)"), QStringLiteral("Sub Menu 2-1"));
  EXPECT_EQ(SubMenu(0)->count(), 6);
  EXPECT_EQ(Entry(0), QStringLiteral("Stresses in 2D..."));
  EXPECT_EQ(Text(u"Combo1(1)"), QStringLiteral("Menu 3"));
  EXPECT_EQ(Text(u"Combo2(1)"), QStringLiteral("Sub Menu 3-1"));
  EXPECT_EQ(SubMenu(1)->count(), 8);
  EXPECT_EQ(Entry(1), QStringLiteral("Coulomb Criterion in Intact Rock..."));
  EXPECT_EQ(Text(u"Combo1(2)"), QStringLiteral("Menu 4"));
  EXPECT_FALSE(SubMenu(2)->isEnabled());
  EXPECT_EQ(SubMenu(2)->count(), 0);
  EXPECT_EQ(Entry(2), QStringLiteral("Elasticity in 2D..."));
  Press(u"Command2");
  EXPECT_EQ(ToolBarPointer, (std::array<qint16, 3>{21, 31, 4}));
  EXPECT_EQ(StoredOption("ToolBarPointer0"), QStringLiteral("21"));
  EXPECT_EQ(StoredOption("ToolBarPointer2"), QStringLiteral("4"));
  EXPECT_TRUE(History().contains(QStringLiteral("1. Editing Brantel options")));
  EXPECT_TRUE(History().contains(QStringLiteral("Brantel options modified")));
}

TEST_F(ProgramOptionsTest, OkWithoutEditsKeepsEveryCode) {
  // Codes the lists cannot show select nothing and are kept; the others go
  // through the lists and come back.
  for (int code = -2; code <= 45; ++code) {
    ToolBarPointer = {static_cast<qint16>(code), 31, 4};
    Open();
    const bool shown = (code >= 1 && code <= 8 && code != 2 && code != 3) || (code >= 21 && code <= 26) ||
                       (code >= 31 && code <= 38);
    EXPECT_EQ(Menu(0)->currentIndex() >= 0, shown) << code;
    if (!shown) {
      EXPECT_EQ(Entry(0), QString()) << code;
    }
    Press(u"Command2");
    EXPECT_EQ(ToolBarPointer[0], code);
  }
}

TEST_F(ProgramOptionsTest, PickingMenusGivesTheirCodes) {
  struct Case {
    int menu;
    int subMenu;  // -1: as the menu list picks it
    qint16 code;
    QString entry;
  };
  const std::vector<Case> cases = {
      {1, -1, 22, QStringLiteral("Stresses in 3D...")},
      {2, -1, 32, QStringLiteral("Coulomb Criterion in Jointed Rock...")},
      {2, 4, 35, QStringLiteral("Bieniawski Criterion in Rock...")},
      {1, 5, 26, QStringLiteral("Distributed Load on Surface...")},
      {0, -1, 1, QStringLiteral("Project Description...")},
      {7, -1, 8, QStringLiteral("Evaluation of Uniaxial Testing Results...")},
  };
  for (const Case& c : cases) {
    ToolBarPointer = {15, 40, 4};
    Open();
    Menu(1)->setCurrentIndex(c.menu);
    EXPECT_EQ(SubMenu(1)->isEnabled(), c.menu == 1 || c.menu == 2);
    if (c.subMenu >= 0) SubMenu(1)->setCurrentIndex(c.subMenu);
    EXPECT_EQ(Entry(1), c.entry);
    Press(u"Command2");
    EXPECT_EQ(ToolBarPointer, (std::array<qint16, 3>{15, c.code, 4})) << c.code;
  }
  // Greek captions of the entries in a Greek session.
  EnglishMenus = 0;
  ToolBarPointer = {21, 31, 4};
  Open();
  EXPECT_EQ(Entry(0), QStringLiteral("Εντατική Κατάσταση σε Δύο Διαστάσεις..."));
}

TEST_F(ProgramOptionsTest, TheOptionsAreWrittenOnOkOnly) {
  EnglishMenus = 1;
  EnableMohrCircles = 1;
  ShowInternalPlotCoords = 0;
  PrintModuleHeader = 1;
  CircExtend = 5;
  Open();
  EXPECT_EQ(Text(u"txtRadius"), QStringLiteral("5"));
  Press(u"Check1");
  Press(u"Check2");
  Press(u"Check3");
  Press(u"Check6");
  Type(u"txtRadius", QStringLiteral("9"));
  Press(u"Command1");
  EXPECT_EQ(EnglishMenus, 1);
  EXPECT_EQ(EnableMohrCircles, 1);
  EXPECT_FALSE(QFileInfo::exists(SettingsIniPath));
  EXPECT_TRUE(History().contains(QStringLiteral("Brantel options NOT modified")));

  Open();
  Press(u"Check1");
  Press(u"Check2");
  Press(u"Check3");
  Press(u"Check6");
  Type(u"txtRadius", QStringLiteral("9"));
  Press(u"Command2");
  EXPECT_EQ(EnglishMenus, 0);
  EXPECT_EQ(EnableMohrCircles, 0);
  EXPECT_EQ(ShowInternalPlotCoords, 1);
  EXPECT_EQ(PrintModuleHeader, 0);
  EXPECT_EQ(CircExtend, 5);  // the graph extent is only shown
  EXPECT_EQ(StoredOption("EnglishMenus"), QStringLiteral("0"));
  EXPECT_EQ(StoredOption("ShowInternalPlotCoords"), QStringLiteral("1"));
  EXPECT_TRUE(History().contains(QStringLiteral("Αλλαγή επιλογών Brantel")));

  // Cancel in Greek.
  Open();
  Press(u"Command1");
  EXPECT_TRUE(History().contains(QStringLiteral("Οι επιλογές Brantel δεν άλλαξαν")));
  EXPECT_TRUE(History().contains(QStringLiteral("Αλλαγές επιλογών Brantel")));
}

class FileAssociationDialogTest : public ProgramOptionsTest {
 protected:
  void SetUp() override {
    ProgramOptionsTest::SetUp();
    dataHome_ = Home() + QStringLiteral("/xdg-data");
    env_.Set("XDG_DATA_HOME", dataHome_.toUtf8());
    AppFolder = QCoreApplication::applicationDirPath() + u'/';
    exeName_ = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    FileExtension = QStringLiteral("BNL");
  }
  static bool ToolsInstalled() {
    return !platform::FindProgram(QStringLiteral("update-mime-database")).isEmpty() &&
           !platform::FindProgram(QStringLiteral("update-desktop-database")).isEmpty();
  }
  QString dataHome_;
  QString exeName_;
};

TEST_F(FileAssociationDialogTest, RegistersTheExtensionAndConfirms) {
  if (!ToolsInstalled()) GTEST_SKIP() << "shared-mime-info or desktop-file-utils is not installed";
  Open();
  Press(u"cmdFileAssoc");
  const QString program = AppFolder + exeName_;
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("The BNL file extensions has been associated to ") + program);
  EXPECT_EQ(Messages().back().title, QStringLiteral("Brantel"));

  const QString id = exeName_.toLower().replace(u'_', u'-');
  const QByteArray package = ReadFile(dataHome_ + QStringLiteral("/mime/packages/") + id + QStringLiteral("-bnl.xml"));
  EXPECT_TRUE(package.contains("<glob pattern=\"*.bnl\"/>")) << package.toStdString();
  const QByteArray entry = ReadFile(dataHome_ + QStringLiteral("/applications/") + id + QStringLiteral(".desktop"));
  EXPECT_TRUE(entry.contains(("Exec=\"" + program + "\" %f\n").toUtf8())) << entry.toStdString();
  // The databases took the type.
  EXPECT_TRUE(ReadFile(dataHome_ + QStringLiteral("/mime/globs2")).contains(":*.bnl"));
  EXPECT_TRUE(ReadFile(dataHome_ + QStringLiteral("/applications/mimeinfo.cache")).contains(id.toUtf8()));
  EXPECT_TRUE(ReadFile(Home() + QStringLiteral("/.config/mimeapps.list"))
                  .contains(("application/x-" + id + "-bnl=" + id + ".desktop;").toUtf8()));
  EXPECT_TRUE(History().contains(AppFolder + u' ' + exeName_ + QStringLiteral(" BNL")));
}

TEST_F(FileAssociationDialogTest, FailuresAreShownInsteadOfTheConfirmation) {
  // An extension that is not letters and digits is refused, nothing written.
  FileExtension = QStringLiteral("B.N");
  Open();
  Press(u"cmdFileAssoc");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("Invalid file extension 'B.N'"))) << LastMessage().toStdString();
  EXPECT_EQ(Messages().back().title, QStringLiteral("Program Options: Error"));
  EXPECT_EQ(Messages().back().buttons, mb::kOkOnly | mb::kCritical);
  EXPECT_FALSE(QFileInfo::exists(dataHome_));

  // A file where the data folder belongs.
  FileExtension = QStringLiteral("BNL");
  WriteFile(dataHome_, "not a folder");
  Press(u"cmdFileAssoc");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("Could not create the folder"))) << LastMessage().toStdString();
  EXPECT_FALSE(LastMessage().contains(QStringLiteral("has been associated")));
  EXPECT_TRUE(History().contains(AppFolder + u' ' + exeName_ + QStringLiteral(" B.N")));
}

TEST_F(FileAssociationDialogTest, AReadOnlyDataFolderIsReported) {
  if (!PermissionsApply()) GTEST_SKIP() << "the superuser writes into read-only folders";
  ASSERT_TRUE(QDir().mkpath(dataHome_));
  QFile::setPermissions(dataHome_, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  Open();
  Press(u"cmdFileAssoc");
  QFile::setPermissions(dataHome_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(LastMessage().contains(QStringLiteral("Could not create the folder"))) << LastMessage().toStdString();
  EXPECT_EQ(Messages().back().title, QStringLiteral("Program Options: Error"));
}

TEST_F(ProgramOptionsTest, RenderEveryTabInBothLanguages) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  for (int english = 0; english < 2; ++english) {
    EnglishMenus = static_cast<qint16>(english);
    Open();
    auto* tabs = Control<QTabWidget>(u"SSTab1");
    for (int tab = 0; tab < tabs->count(); ++tab) {
      tabs->setCurrentIndex(tab);
      const QImage image = Current().grab().toImage();
      EXPECT_FALSE(image.isNull());
      image.save(folder + QStringLiteral("/options-%1-%2.png").arg(english ? "en" : "el").arg(tab));
    }
  }
}

}  // namespace
}  // namespace brantel
