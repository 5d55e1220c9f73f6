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

#include <tuple>

namespace brantel {
namespace {

class RoomPillarDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    InitGlobals();  // the unit-label table
    SetDefaultSettings();
    EnglishMenus = true;
    HistoryShown = true;
    ResetProjectRecord(Project, ProjectNameOnReset::Untitled, UnitsOnReset::Kept);  // a new project, imperial units
  }
  RoomPillarDialog& Open() { return DialogTest::Open<RoomPillarDialog>(); }
  RoomPillarDialog& Dialog() const { return static_cast<RoomPillarDialog&>(Current()); }
  void Enter(const char* sy, const char* wp, const char* lp, const char* wo) {
    Type(roompillar::kVerticalStress, QString::fromLatin1(sy));
    Type(roompillar::kPillarWidth, QString::fromLatin1(wp));
    Type(roompillar::kPillarLength, QString::fromLatin1(lp));
    Type(roompillar::kOpeningWidth, QString::fromLatin1(wo));
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
  for (const char* box : {roompillar::kVerticalStress, roompillar::kPillarWidth, roompillar::kPillarLength,
                          roompillar::kOpeningWidth, roompillar::kAverageStress, roompillar::kExtractionRatio}) {
    EXPECT_EQ(Text(box), QString());
  }
  Type(roompillar::kVerticalStress, QStringLiteral("10"));
  EXPECT_EQ(Text(roompillar::kAverageStress), QString());
  EXPECT_TRUE(Messages().empty());
  Press(roompillar::kOk);  // a side is missing: refused without a message
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoomPillarDialogTest, WorkedLayoutsInBothUnitSystems) {
  struct Case {
    UnitSystem units;
    const char *sy, *wp, *lp, *wo, *avg, *extraction;
  };
  const Case cases[] = {
      {UnitSystem::Imperial, "10", "10", "10", "10", "40", "75.00"},
      {UnitSystem::Imperial, "10", "10", "20", "5", "19", "46.67"},
      {UnitSystem::SI, "10", "10", "20", "5", "18.75", "46.67"},
      {UnitSystem::SI, "0", "3", "4", "1", "0.00", "40.00"},
  };
  for (const Case& c : cases) {
    Project.InputUnits = c.units;
    Open();
    Enter(c.sy, c.wp, c.lp, c.wo);
    EXPECT_EQ(Text(roompillar::kAverageStress), QString::fromLatin1(c.avg)) << c.wp << " " << c.lp;
    EXPECT_EQ(Text(roompillar::kExtractionRatio), QString::fromLatin1(c.extraction)) << c.wp << " " << c.lp;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoomPillarDialogTest, InvalidEntriesAreRefusedAndTheResultsStay) {
  Open();
  Enter("10", "20", "20", "10");
  const QString avg = Text(roompillar::kAverageStress);
  Type(roompillar::kOpeningWidth, QStringLiteral("0"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for opening width"));
  EXPECT_TRUE(Control<QLineEdit>(roompillar::kOpeningWidth)->hasFocus());
  EXPECT_EQ(Text(roompillar::kAverageStress), avg);
  Type(roompillar::kOpeningWidth, QStringLiteral("10"));
  Paste(roompillar::kVerticalStress, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(Text(roompillar::kAverageStress), avg);
  Type(roompillar::kVerticalStress, QStringLiteral("10"));
  EnglishMenus = false;
  Type(roompillar::kPillarWidth, QStringLiteral("-"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το πλάτος στύλου"));
  Type(roompillar::kPillarWidth, QStringLiteral("20"));
  Paste(roompillar::kPillarLength, QStringLiteral("1e39"));  // beyond a 32-bit value
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά το μήκος στύλου"));
  Paste(roompillar::kVerticalStress, QStringLiteral("1e999"));  // beyond any number
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σy"));
}

// OK reads the boxes in the order sy, Wp, Lp, Wo and the first one refused
// speaks, its box taking the focus; an empty side box refuses before any
// other check, without a message. Nothing reaches the working copy.
TEST_F(RoomPillarDialogTest, OkRefusesTheFirstFaultInOrder) {
  using namespace roompillar;
  struct Case {
    const char *sy, *wp, *lp, *wo;
    const char* message;  // none: refused without a message
    const char* focus;
  };
  const Case cases[] = {
      {"10", "20", "20", "0", "Invalid value for opening width", kOpeningWidth},
      {"-1", "10", "10", "10", "Invalid value for sy", kVerticalStress},
      {"-1", "0", "10", "10", "Invalid value for sy", kVerticalStress},
      {"10", "0", "-1", "10", "Invalid value for pillar width", kPillarWidth},
      {"10", "1", "-1", "10", "Invalid value for pillar length", kPillarLength},
      {"1e39", "1", "1", "1", "Invalid value for sy", kVerticalStress},  // beyond a 32-bit value
      {"1", "1", "1", "-1e39", "Invalid value for opening width", kOpeningWidth},
      {"-1", "", "0", "0", nullptr, nullptr},
  };
  for (const Case& c : cases) {
    Open();
    // Each box filled at once: a message while typing would take the focus
    // back and the next key would replace the text.
    Paste(kVerticalStress, QString::fromLatin1(c.sy));
    Paste(kPillarWidth, QString::fromLatin1(c.wp));
    Paste(kPillarLength, QString::fromLatin1(c.lp));
    Paste(kOpeningWidth, QString::fromLatin1(c.wo));
    Focus(kHelp);
    boxes_->Clear();
    Press(kOk);
    EXPECT_TRUE(Dialog().isVisible()) << c.sy << " " << c.wp << " " << c.lp << " " << c.wo;
    if (c.message) {
      ASSERT_EQ(Messages().size(), 1u) << c.message;
      EXPECT_EQ(LastMessage(), QString::fromLatin1(c.message));
      EXPECT_TRUE(Control<QLineEdit>(c.focus)->hasFocus()) << c.message;
    } else {
      EXPECT_TRUE(Messages().empty());
    }
    EXPECT_EQ(Dialog().WorkingStress().Sy, 0.0f);
    EXPECT_EQ(Dialog().WorkingLayout().Wp, 0.0f);
    Dialog().close();
    EXPECT_TRUE(Project.FileSaved);
  }

  // An empty stress box is 0, and the stress state keeps sy alone.
  Project.PillarStress = {7, 7, 7, static_cast<StressGraph>(3)};
  Open();
  Enter("", "1", "2", "3");
  Press(kOk);
  EXPECT_FALSE(Dialog().isVisible());
  const StressInput& stress = Project.PillarStress;
  EXPECT_EQ(std::make_tuple(stress.Sx, stress.Sy, stress.Txy, stress.GraphOption),
            std::make_tuple(0.0f, 0.0f, 0.0f, StressGraph::None));
  const RoomPillarData& layout = Project.PillarLayout;
  EXPECT_EQ(std::make_tuple(layout.Wp, layout.Lp, layout.Wo), std::make_tuple(1.0f, 2.0f, 3.0f));
}

TEST_F(RoomPillarDialogTest, LeavingABoxShowsTheNumberReadFromIt) {
  Open();
  Type(roompillar::kVerticalStress, QString());
  Focus(roompillar::kPillarWidth);
  EXPECT_EQ(Text(roompillar::kVerticalStress), QStringLiteral("0"));  // an empty stress is 0
  Focus(roompillar::kPillarLength);
  EXPECT_EQ(Text(roompillar::kPillarWidth), QString());  // an empty side stays empty
  Type(roompillar::kPillarLength, QStringLiteral("12.50abc"));
  Focus(roompillar::kOpeningWidth);
  EXPECT_EQ(Text(roompillar::kPillarLength), QStringLiteral("12.5"));
}

TEST_F(RoomPillarDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Enter("10", "10", "10", "10");
  Press(roompillar::kCancel);
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Enter("10", "10", "10", "10");
  Paste(roompillar::kOpeningWidth, QStringLiteral("-2"));  // refused
  Press(roompillar::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.PillarLayout.Wp, 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Project.PillarStress.GraphOption = static_cast<StressGraph>(3);
  Open();
  Enter("10", "10", "20", "5");
  Press(roompillar::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.PillarStress.Sy, 10.0f);
  EXPECT_EQ(Project.PillarStress.GraphOption, StressGraph::None);
  EXPECT_EQ(Project.PillarLayout.Lp, 20.0f);
  EXPECT_EQ(Project.PillarLayout.Wo, 5.0f);
  EXPECT_FLOAT_EQ(Project.PillarLayout.AvgPillarStress, 18.75f);
  EXPECT_FLOAT_EQ(Project.PillarLayout.Sv, 10.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);

  Open();  // a stored layout shows in the input mask, with no results yet
  EXPECT_EQ(Text(roompillar::kVerticalStress), QStringLiteral("10.000"));
  EXPECT_EQ(Text(roompillar::kPillarLength), QStringLiteral("20.000"));
  EXPECT_EQ(Text(roompillar::kAverageStress), QString());
}

TEST_F(RoomPillarDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Store(1.23456f, 0.00042f, 7.77777f, 3.33333f);
  Project.PillarLayout.AvgPillarStress = 12.5f;
  Project.PillarLayout.Extraction = 33.3f;
  const RoomPillarData stored = Project.PillarLayout;
  Open();
  EXPECT_EQ(Text(roompillar::kPillarWidth), QStringLiteral("0.000"));
  Focus(roompillar::kPillarLength);
  Focus(roompillar::kVerticalStress);
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
  Project.InputUnits = UnitSystem::SI;
  Open();
  Enter("3e38", "1e-10", "1e-10", "1e10");
  EXPECT_EQ(Text(roompillar::kAverageStress), QString());
  EXPECT_EQ(Text(roompillar::kExtractionRatio), QStringLiteral("100.00"));
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  Type(roompillar::kVerticalStress, QStringLiteral("3"));
  Type(roompillar::kOpeningWidth, QStringLiteral("1"));  // 3 / 1e-20
  EXPECT_EQ(Text(roompillar::kAverageStress), QStringLiteral("300000000000000000000.00"));
}

TEST_F(RoomPillarDialogTest, LabelsCarryTheUnitsOfTheProject) {
  Open();
  EXPECT_EQ(Text(roompillar::kVerticalStressLabel), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Text(roompillar::kPillarWidthLabel), QStringLiteral("Pillar Width (ft)"));
  EXPECT_EQ(Text(roompillar::kExtractionRatioLabel), QStringLiteral("Extraction (%)"));
  EXPECT_EQ(Control(roompillar::kVerticalStress)->accessibleName(), QStringLiteral("Insitu Vertical Stress (psi)"));
  EXPECT_EQ(Control(roompillar::kAverageStress)->accessibleName(), QStringLiteral("Average Axial Stress (psi)"));
  EXPECT_EQ(Control(roompillar::kExtractionRatio)->accessibleName(), QStringLiteral("Extraction (%)"));
  Project.InputUnits = UnitSystem::SI;
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Text(roompillar::kOpeningWidthLabel), QStringLiteral("Πλάτος ανοίγματος (m)"));
  EXPECT_EQ(Control(roompillar::kAverageStress)->accessibleName(), QStringLiteral("Μέση αξονική τάση (MPa)"));
}

TEST_F(RoomPillarDialogTest, RenderBothLanguages) {
  Store(10, 10, 20, 5);
  test::EachLanguage([&](const QString& language) {
    Project.InputUnits = EnglishMenus ? UnitSystem::SI : UnitSystem::Imperial;
    Open();
    Type(roompillar::kOpeningWidth, QStringLiteral("5"));
    test::SaveRender(Dialog(), QStringLiteral("roompillar-") + language);
  });
}

TEST(RoomPillarMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<RoomPillarDialog>(Tool::RoomAndPillar);
  ClearTools();
}

// The worked example of the tool's help page (in MPa and m, then psi and ft).
TEST_F(RoomPillarDialogTest, HelpPageExample) {
  Project.InputUnits = UnitSystem::SI;
  Open();
  Enter("10", "15", "25", "6");
  EXPECT_EQ(Text(roompillar::kAverageStress), QStringLiteral("17.36"));
  EXPECT_EQ(Text(roompillar::kExtractionRatio), QStringLiteral("42.40"));
  EXPECT_EQ(Text(roompillar::kAverageStressLabel), QStringLiteral("Average Axial Stress (MPa)"));
  Project.InputUnits = UnitSystem::Imperial;
  Open();
  Enter("1450", "50", "80", "20");
  EXPECT_EQ(Text(roompillar::kAverageStress), QStringLiteral("2538"));
  EXPECT_EQ(Text(roompillar::kExtractionRatio), QStringLiteral("42.86"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
