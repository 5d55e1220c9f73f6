#include "core/Settings.h"
#include "core/Startup.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/RoomPillarDialog.h"

#include <QLabel>
#include <QLineEdit>

namespace brantel {
namespace {

class RoomPillarDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    InitGlobals();  // the unit-label table
    SetDefaultSettings();
    EnglishMenus = 1;
    DisplayHistoryWin = 1;
    ResetProjectRecord(Project, true, false);  // a new project, imperial units
  }
  frmRoomPillar& Open() { return DialogTest::Open<frmRoomPillar>(); }
  frmRoomPillar& Dialog() const { return static_cast<frmRoomPillar&>(Current()); }
  void Enter(const char* sy, const char* wp, const char* lp, const char* wo) {
    Type(u"Text2", QString::fromLatin1(sy));
    Type(u"Text4", QString::fromLatin1(wp));
    Type(u"Text5", QString::fromLatin1(lp));
    Type(u"Text6", QString::fromLatin1(wo));
  }
  void Store(float sy, float wp, float lp, float wo) {
    Project.PillarStress.Sy = sy;
    Project.PillarLayout.Wp = wp;
    Project.PillarLayout.Lp = lp;
    Project.PillarLayout.Wo = wo;
  }
};

TEST_F(RoomPillarDialogTest, ANewProjectOpensEmptyAndTheStressAloneComputesNothing) {
  Open();
  EXPECT_TRUE(History().contains(QStringLiteral("Stress Analysis for a simple Room and Pillar Mining System.")));
  for (const char16_t* box : {u"Text2", u"Text4", u"Text5", u"Text6", u"Text7", u"Text8"}) {
    EXPECT_EQ(Text(box), QString());
  }
  Type(u"Text2", QStringLiteral("10"));
  EXPECT_EQ(Text(u"Text7"), QString());
  EXPECT_TRUE(Messages().empty());
  Press(u"CmdOk");  // a side is missing: refused without a message
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoomPillarDialogTest, WorkedLayoutsInBothUnitSystems) {
  struct Case {
    qint16 units;
    const char *sy, *wp, *lp, *wo, *avg, *extraction;
  };
  const Case cases[] = {
      {0, "10", "10", "10", "10", "40", "75.00"},
      {0, "10", "10", "20", "5", "19", "46.67"},
      {1, "10", "10", "20", "5", "18.75", "46.67"},
      {1, "0", "3", "4", "1", "0.00", "40.00"},
  };
  for (const Case& c : cases) {
    Project.InputUnits = c.units;
    Open();
    Enter(c.sy, c.wp, c.lp, c.wo);
    EXPECT_EQ(Text(u"Text7"), QString::fromLatin1(c.avg)) << c.wp << " " << c.lp;
    EXPECT_EQ(Text(u"Text8"), QString::fromLatin1(c.extraction)) << c.wp << " " << c.lp;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoomPillarDialogTest, InvalidEntriesAreRefusedAndTheResultsStay) {
  Open();
  Enter("10", "20", "20", "10");
  const QString avg = Text(u"Text7");
  Type(u"Text6", QStringLiteral("0"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for opening width"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text6")->hasFocus());
  EXPECT_EQ(Text(u"Text7"), avg);
  Type(u"Text6", QStringLiteral("10"));
  Paste(u"Text2", QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(Text(u"Text7"), avg);
  Type(u"Text2", QStringLiteral("10"));
  EnglishMenus = 0;
  Type(u"Text4", QStringLiteral("-"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το πλάτος στύλου"));
  Type(u"Text4", QStringLiteral("20"));
  Paste(u"Text5", QStringLiteral("1e39"));  // beyond a 32-bit value
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το μήκος στύλου"));
  Paste(u"Text2", QStringLiteral("1e999"));  // beyond any number
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σy"));
}

TEST_F(RoomPillarDialogTest, LeavingABoxShowsTheNumberReadFromIt) {
  Open();
  Type(u"Text2", QString());
  Focus(u"Text4");
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("0"));  // an empty stress is 0
  Focus(u"Text5");
  EXPECT_EQ(Text(u"Text4"), QString());  // an empty side stays empty
  Type(u"Text5", QStringLiteral("12.50abc"));
  Focus(u"Text6");
  EXPECT_EQ(Text(u"Text5"), QStringLiteral("12.5"));
}

TEST_F(RoomPillarDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Enter("10", "10", "10", "10");
  Press(u"cmdCancel");
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Enter("10", "10", "10", "10");
  Paste(u"Text6", QStringLiteral("-2"));  // refused
  Press(u"CmdOk");
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Project.PillarStress.GraphOption = 3;
  Open();
  Enter("10", "10", "20", "5");
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.PillarStress.Sy, 10.0f);
  EXPECT_EQ(Project.PillarStress.GraphOption, 0);
  EXPECT_EQ(Project.PillarLayout.Lp, 20.0f);
  EXPECT_EQ(Project.PillarLayout.Wo, 5.0f);
  EXPECT_FLOAT_EQ(Project.PillarLayout.AvgPillarStress, 18.75f);
  EXPECT_FLOAT_EQ(Project.PillarLayout.Sv, 10.0f);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);

  Open();  // a stored layout shows in the input mask, with no results yet
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("10.000"));
  EXPECT_EQ(Text(u"Text5"), QStringLiteral("20.000"));
  EXPECT_EQ(Text(u"Text7"), QString());
}

TEST_F(RoomPillarDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Store(1.23456f, 0.00042f, 7.77777f, 3.33333f);
  Project.PillarLayout.AvgPillarStress = 12.5f;
  Project.PillarLayout.Extraction = 33.3f;
  const RoomPillarData stored = Project.PillarLayout;
  Open();
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("0.000"));
  Focus(u"Text5");
  Focus(u"Text2");
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.PillarStress.Sy, 1.23456f);
  EXPECT_EQ(Project.PillarLayout.Wp, stored.Wp);
  EXPECT_EQ(Project.PillarLayout.Lp, stored.Lp);
  EXPECT_EQ(Project.PillarLayout.Wo, stored.Wo);
  EXPECT_EQ(Project.PillarLayout.AvgPillarStress, 12.5f);
  EXPECT_EQ(Project.PillarLayout.Extraction, 33.3f);
}

TEST_F(RoomPillarDialogTest, AnAverageStressBeyondTheRangeIsNotShown) {
  Project.InputUnits = 1;
  Open();
  Enter("3e38", "1e-10", "1e-10", "1e10");
  EXPECT_EQ(Text(u"Text7"), QString());
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("100.00"));
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  Type(u"Text2", QStringLiteral("3"));
  Type(u"Text6", QStringLiteral("1"));  // 3 / 1e-20
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("300000000000000000000.00"));
}

TEST_F(RoomPillarDialogTest, LabelsCarryTheUnitsOfTheProject) {
  Open();
  EXPECT_EQ(Text(u"Label2"), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Text(u"Label4"), QStringLiteral("Pillar Width (ft)"));
  EXPECT_EQ(Text(u"Label8"), QStringLiteral("Extraction (%)"));
  EXPECT_EQ(Control(u"Text2")->accessibleName(), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Control(u"Text7")->accessibleName(), QStringLiteral("Average Axial Stress (psi)"));
  EXPECT_EQ(Control(u"Text8")->accessibleName(), QStringLiteral("Extraction (%)"));
  Project.InputUnits = 1;
  EnglishMenus = 0;
  Open();
  EXPECT_EQ(Text(u"Label6"), QStringLiteral("Πλάτος ανοίγματος (m)"));
  EXPECT_EQ(Control(u"Text7")->accessibleName(), QStringLiteral("Μέση αξονική τάση (MPa)"));
}

TEST_F(RoomPillarDialogTest, RenderBothLanguages) {
  Store(10, 10, 20, 5);
  test::EachLanguage([&](const QString& language) {
    Project.InputUnits = EnglishMenus;
    Open();
    Type(u"Text6", QStringLiteral("5"));
    test::SaveRender(Dialog(), QStringLiteral("roompillar-") + language);
  });
}

TEST(RoomPillarMenuEntry, TheStressMenuAndQuickButton24OpenTheTool) {
  ClearTools();
  RegisterProgramTools();
  EXPECT_TRUE(ToolAvailable(Tool::RoomAndPillar));
  const auto target = QuickButtonTarget(24);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(ToolOfEntry(target->menu, target->index), Tool::RoomAndPillar);
  ClearTools();
}

// The worked example of the tool's help page (in MPa and m, then psi and ft).
TEST_F(RoomPillarDialogTest, HelpPageExample) {
  Project.InputUnits = 1;
  Open();
  Enter("10", "15", "25", "6");
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("17.36"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("42.40"));
  EXPECT_EQ(Text(u"Label7"), QStringLiteral("Average Axial Stress (MPa)"));
  Project.InputUnits = 0;
  Open();
  Enter("1450", "50", "80", "20");
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("2538"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("42.86"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
