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
  RoomPillarDialog& Open() { return DialogTest::Open<RoomPillarDialog>(); }
  RoomPillarDialog& Dialog() const { return static_cast<RoomPillarDialog&>(Current()); }
  void Enter(const char* sy, const char* wp, const char* lp, const char* wo) {
    Type(roompillar::kSy, QString::fromLatin1(sy));
    Type(roompillar::kWp, QString::fromLatin1(wp));
    Type(roompillar::kLp, QString::fromLatin1(lp));
    Type(roompillar::kWo, QString::fromLatin1(wo));
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
  for (const char* box : {roompillar::kSy, roompillar::kWp, roompillar::kLp, roompillar::kWo, roompillar::kAverage,
                          roompillar::kExtraction}) {
    EXPECT_EQ(Text(box), QString());
  }
  Type(roompillar::kSy, QStringLiteral("10"));
  EXPECT_EQ(Text(roompillar::kAverage), QString());
  EXPECT_TRUE(Messages().empty());
  Press(roompillar::kOk);  // a side is missing: refused without a message
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
    EXPECT_EQ(Text(roompillar::kAverage), QString::fromLatin1(c.avg)) << c.wp << " " << c.lp;
    EXPECT_EQ(Text(roompillar::kExtraction), QString::fromLatin1(c.extraction)) << c.wp << " " << c.lp;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoomPillarDialogTest, InvalidEntriesAreRefusedAndTheResultsStay) {
  Open();
  Enter("10", "20", "20", "10");
  const QString avg = Text(roompillar::kAverage);
  Type(roompillar::kWo, QStringLiteral("0"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for opening width"));
  EXPECT_TRUE(Control<QLineEdit>(roompillar::kWo)->hasFocus());
  EXPECT_EQ(Text(roompillar::kAverage), avg);
  Type(roompillar::kWo, QStringLiteral("10"));
  Paste(roompillar::kSy, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(Text(roompillar::kAverage), avg);
  Type(roompillar::kSy, QStringLiteral("10"));
  EnglishMenus = 0;
  Type(roompillar::kWp, QStringLiteral("-"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το πλάτος στύλου"));
  Type(roompillar::kWp, QStringLiteral("20"));
  Paste(roompillar::kLp, QStringLiteral("1e39"));  // beyond a 32-bit value
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το μήκος στύλου"));
  Paste(roompillar::kSy, QStringLiteral("1e999"));  // beyond any number
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σy"));
}

TEST_F(RoomPillarDialogTest, LeavingABoxShowsTheNumberReadFromIt) {
  Open();
  Type(roompillar::kSy, QString());
  Focus(roompillar::kWp);
  EXPECT_EQ(Text(roompillar::kSy), QStringLiteral("0"));  // an empty stress is 0
  Focus(roompillar::kLp);
  EXPECT_EQ(Text(roompillar::kWp), QString());  // an empty side stays empty
  Type(roompillar::kLp, QStringLiteral("12.50abc"));
  Focus(roompillar::kWo);
  EXPECT_EQ(Text(roompillar::kLp), QStringLiteral("12.5"));
}

TEST_F(RoomPillarDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Enter("10", "10", "10", "10");
  Press(roompillar::kCancel);
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Enter("10", "10", "10", "10");
  Paste(roompillar::kWo, QStringLiteral("-2"));  // refused
  Press(roompillar::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Project.PillarStress.GraphOption = 3;
  Open();
  Enter("10", "10", "20", "5");
  Press(roompillar::kOk);
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
  EXPECT_EQ(Text(roompillar::kSy), QStringLiteral("10.000"));
  EXPECT_EQ(Text(roompillar::kLp), QStringLiteral("20.000"));
  EXPECT_EQ(Text(roompillar::kAverage), QString());
}

TEST_F(RoomPillarDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Store(1.23456f, 0.00042f, 7.77777f, 3.33333f);
  Project.PillarLayout.AvgPillarStress = 12.5f;
  Project.PillarLayout.Extraction = 33.3f;
  const RoomPillarData stored = Project.PillarLayout;
  Open();
  EXPECT_EQ(Text(roompillar::kWp), QStringLiteral("0.000"));
  Focus(roompillar::kLp);
  Focus(roompillar::kSy);
  Press(roompillar::kOk);
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
  EXPECT_EQ(Text(roompillar::kAverage), QString());
  EXPECT_EQ(Text(roompillar::kExtraction), QStringLiteral("100.00"));
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  Type(roompillar::kSy, QStringLiteral("3"));
  Type(roompillar::kWo, QStringLiteral("1"));  // 3 / 1e-20
  EXPECT_EQ(Text(roompillar::kAverage), QStringLiteral("300000000000000000000.00"));
}

TEST_F(RoomPillarDialogTest, LabelsCarryTheUnitsOfTheProject) {
  Open();
  EXPECT_EQ(Text(roompillar::kSyLabel), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Text(roompillar::kWpLabel), QStringLiteral("Pillar Width (ft)"));
  EXPECT_EQ(Text(roompillar::kExtractionLabel), QStringLiteral("Extraction (%)"));
  EXPECT_EQ(Control(roompillar::kSy)->accessibleName(), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Control(roompillar::kAverage)->accessibleName(), QStringLiteral("Average Axial Stress (psi)"));
  EXPECT_EQ(Control(roompillar::kExtraction)->accessibleName(), QStringLiteral("Extraction (%)"));
  Project.InputUnits = 1;
  EnglishMenus = 0;
  Open();
  EXPECT_EQ(Text(roompillar::kWoLabel), QStringLiteral("Πλάτος ανοίγματος (m)"));
  EXPECT_EQ(Control(roompillar::kAverage)->accessibleName(), QStringLiteral("Μέση αξονική τάση (MPa)"));
}

TEST_F(RoomPillarDialogTest, RenderBothLanguages) {
  Store(10, 10, 20, 5);
  test::EachLanguage([&](const QString& language) {
    Project.InputUnits = EnglishMenus;
    Open();
    Type(roompillar::kWo, QStringLiteral("5"));
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
  EXPECT_EQ(Text(roompillar::kAverage), QStringLiteral("17.36"));
  EXPECT_EQ(Text(roompillar::kExtraction), QStringLiteral("42.40"));
  EXPECT_EQ(Text(roompillar::kAverageLabel), QStringLiteral("Average Axial Stress (MPa)"));
  Project.InputUnits = 0;
  Open();
  Enter("1450", "50", "80", "20");
  EXPECT_EQ(Text(roompillar::kAverage), QStringLiteral("2538"));
  EXPECT_EQ(Text(roompillar::kExtraction), QStringLiteral("42.86"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
