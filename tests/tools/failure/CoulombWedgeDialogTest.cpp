#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "tools/failure/CoulombWedgeDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTabWidget>

namespace brantel {
namespace {

// The block of the worked example: L 10 m, H 5 m, 25 kN/m3, c 20 kPa,
// phi 30, plane at 40 degrees; bolt 100 kN at 10 degrees; F 1.5 at 10.
BoltedWedgeData Example(qint16 tab = 0) { return {30, 20, 40, 10, 5, 25, 100, 10, 0, 1.5f, 10, 0, tab}; }

class CoulombWedgeDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project.CoulombWedgeData = {};
    Project.CoulombSlopeData = {};
  }
  CoulombWedgeDialog& Open(WedgeTool tool = WedgeTool::Wedge) {
    return DialogTest::Open<CoulombWedgeDialog>(nullptr, tool);
  }
  CoulombWedgeDialog& Dialog() const { return static_cast<CoulombWedgeDialog&>(Current()); }
  void SelectTab(int index) { Control<QTabWidget>(coulombwedge::kTabs)->setCurrentIndex(index); }
};

TEST_F(CoulombWedgeDialogTest, ANewProjectOpensQuietlyAndTypingGivesTheSafetyFactor) {
  Open();
  EXPECT_TRUE(Messages().empty());  // an angle of 0 in a new project is no error
  EXPECT_EQ(Text(coulombwedge::kSafetyFactor), QString());
  EXPECT_FALSE(Enabled(coulombwedge::kOk));
  const std::pair<const char*, const char*> entries[] = {{coulombwedge::kWidth, "10"},
                                                         {coulombwedge::kHeight, "5"},
                                                         {coulombwedge::kUnitWeight, "25"},
                                                         {coulombwedge::kPlaneCohesion, "20"},
                                                         {coulombwedge::kPlaneFrictionAngle, "30"},
                                                         {coulombwedge::kPlaneAngle, "40"},
                                                         {coulombwedge::kBoltLoad, "100"},
                                                         {coulombwedge::kBoltAngle, "10"}};
  for (const auto& [box, text] : entries) Type(box, QString::fromLatin1(text));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(coulombwedge::kSafetyFactor), FormatGeneral(CalcWedgeSafetyFactor(Example()).SafetyFactor));
  EXPECT_TRUE(Text(coulombwedge::kSafetyFactor).startsWith(QStringLiteral("1.090")))
      << Text(coulombwedge::kSafetyFactor).toStdString();
  EXPECT_TRUE(Enabled(coulombwedge::kOk));
  // No bolt load: the unbolted block, also with both bolt boxes at 0.
  Type(coulombwedge::kBoltLoad, QStringLiteral("0"));
  EXPECT_TRUE(Text(coulombwedge::kSafetyFactor).startsWith(QStringLiteral("0.93697")))
      << Text(coulombwedge::kSafetyFactor).toStdString();
  Type(coulombwedge::kBoltAngle, QStringLiteral("0"));
  EXPECT_TRUE(Text(coulombwedge::kSafetyFactor).startsWith(QStringLiteral("0.93697")))
      << Text(coulombwedge::kSafetyFactor).toStdString();
  EXPECT_TRUE(History().contains(QStringLiteral(
      ". Failure analysis of rock wedge with planar discontinuity supported by rock bolt (Coulomb criterion)")));
}

TEST_F(CoulombWedgeDialogTest, ExcessiveTensioningShows999AndTheToolsWarning) {
  struct Case {
    WedgeTool tool;
    bool english;
    const char* warning;
  } cases[] = {
      {WedgeTool::Wedge, true,
       "Bolt tensioning is greater than the horizontal weight component. Check for excessive tensioning."},
      {WedgeTool::Slope, true,
       "Bolt Tensioning is greater than the horizontal weight component. Check for excessive tensioning."},
      {WedgeTool::Slope, false, "Τάνυση κοχλία υπερβαίνει οριζόντια συνιστώσα βάρους. Κίνδυνος υπερβολικής τάνυσης."},
  };
  for (const Case& c : cases) {
    EnglishMenus = c.english;
    Project.CoulombWedgeData = Project.CoulombSlopeData = Example();
    Open(c.tool);
    Type(coulombwedge::kBoltAngle, QStringLiteral("40"));  // along the plane: S = 803.5 kN
    Type(coulombwedge::kBoltLoad, QStringLiteral("804"));
    EXPECT_EQ(Text(coulombwedge::kSafetyFactor), QStringLiteral("999"));
    EXPECT_EQ(Text(coulombwedge::kTensionWarning), QString::fromUtf8(c.warning));
    Type(coulombwedge::kBoltLoad, QStringLiteral("800"));
    EXPECT_NE(Text(coulombwedge::kSafetyFactor), QStringLiteral("999"));
    EXPECT_GT(ParseLeadingNumber(Text(coulombwedge::kSafetyFactor)), 0);
    EXPECT_EQ(Text(coulombwedge::kTensionWarning), QString());
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CoulombWedgeDialogTest, PlaneAnglesAtTheLimits) {
  for (int tab = 0; tab < 2; ++tab) {
    Project.CoulombWedgeData = Example(static_cast<qint16>(tab));
    Open();
    SelectTab(tab);
    const char* result = tab == 0 ? coulombwedge::kSafetyFactor : coulombwedge::kRequiredBoltLoad;
    struct Case {
      const char* angle;
      bool refused, computed;
    } cases[] = {{"0", false, false}, {"0.01", false, true}, {"89.99", false, true},
                 {"90", true, false}, {"-5", true, false},   {"45", false, true}};
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "tab " << tab << ": " << c.angle);
      boxes_->Clear();
      Type(coulombwedge::kPlaneAngle, QString::fromLatin1(c.angle));
      if (c.refused) {
        EXPECT_EQ(LastMessage(), QStringLiteral("0 < Angle of discontinuity plane < 90"));
        EXPECT_TRUE(Control(coulombwedge::kPlaneAngle)->hasFocus());
        continue;
      }
      EXPECT_TRUE(Messages().empty());
      // A result, or on tab 1 the note that takes its place.
      EXPECT_EQ((Text(result) + Text(coulombwedge::kLoadNote)).isEmpty(), !c.computed);
      EXPECT_EQ(Enabled(coulombwedge::kOk), c.computed);
    }
  }
}

TEST_F(CoulombWedgeDialogTest, TheLoadTabAndItsRoundTripToTheSafetyFactor) {
  Project.CoulombWedgeData = Example(1);
  Open();
  SelectTab(1);
  const QString load = Text(coulombwedge::kRequiredBoltLoad);
  EXPECT_NEAR(ParseLeadingNumber(load), 284.93, 0.01);
  EXPECT_EQ(Text(coulombwedge::kLoadNote), QString());
  // The load found, on the bolt at the same angle, gives back 1.5.
  SelectTab(0);
  Type(coulombwedge::kBoltLoad, load);
  EXPECT_NEAR(ParseLeadingNumber(Text(coulombwedge::kSafetyFactor)), 1.5, 1e-4);
  SelectTab(1);
  EXPECT_EQ(Text(coulombwedge::kRequiredBoltLoad), load);  // each tab keeps its own result

  // A factor the unbolted block reaches: no negative load, the note instead.
  Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("0.5"));
  EXPECT_EQ(Text(coulombwedge::kRequiredBoltLoad), QString());
  EXPECT_EQ(Text(coulombwedge::kLoadNote), QStringLiteral("Bolt is not Required"));
  // A bolt across the plane (denominator below 0): no stale load either.
  Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("1.5"));
  EXPECT_EQ(Text(coulombwedge::kRequiredBoltLoad), load);
  Type(coulombwedge::kBoltAngleForLoad, QStringLiteral("130"));
  EXPECT_EQ(Text(coulombwedge::kRequiredBoltLoad), QString());
  EXPECT_EQ(Text(coulombwedge::kLoadNote), QString::fromUtf8(kWedgeUnreachableNote.english));
  Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("0.5"));
  EXPECT_EQ(Text(coulombwedge::kLoadNote), QStringLiteral("Bolt is not Required"));
  EXPECT_TRUE(Enabled(coulombwedge::kOk));
  // No block: no result, no note, no OK.
  Type(coulombwedge::kUnitWeight, QStringLiteral("0"));
  EXPECT_EQ(Text(coulombwedge::kLoadNote), QString());
  EXPECT_FALSE(Enabled(coulombwedge::kOk));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CoulombWedgeDialogTest, NegativeEntriesAreRefusedWithTheirMessages) {
  struct Case {
    WedgeTool tool;
    bool english;
    int tab;
    const char* box;
    const char* text;
    const char* message;
  } cases[] = {
      {WedgeTool::Wedge, true, 0, coulombwedge::kWidth, "-1", "Width > 0"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kPlaneFrictionAngle, "-1", "Angle of internal friction > 0"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kHeight, "-1", "Height > 0"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kUnitWeight, "-1", "Unit Weight > 0"},
      {WedgeTool::Wedge, true, 1, coulombwedge::kPlaneCohesion, "-0.5", "Cohesion > 0"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kPlaneFrictionAngle, "90", "Angle of internal friction < 90"},
      // Read into its 32-bit field, this is 90 itself.
      {WedgeTool::Wedge, true, 0, coulombwedge::kPlaneFrictionAngle, "89.999999999", "Angle of internal friction < 90"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kHeight, "1e999", "The value is too large"},
      {WedgeTool::Wedge, true, 1, coulombwedge::kBoltAngleForLoad, "-1e300", "The value is too large"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kBoltLoad, "-1", "Invalid value for load"},
      {WedgeTool::Wedge, false, 0, coulombwedge::kBoltLoad, "-1", "Εσφαλμένη τιμή για το φορτίο"},
      {WedgeTool::Wedge, true, 0, coulombwedge::kBoltAngle, "-1", "angle >= 0"},
      {WedgeTool::Wedge, true, 1, coulombwedge::kRequiredSafetyFactor, "-1", "Invalid value for Safety Factor"},
      {WedgeTool::Slope, true, 1, coulombwedge::kRequiredSafetyFactor, "-1", "Invalid value for safety factor"},
      {WedgeTool::Slope, false, 1, coulombwedge::kBoltAngleForLoad, "-1", "γωνία >= 0"},
      {WedgeTool::Slope, false, 1, coulombwedge::kRequiredSafetyFactor, "-1",
       "Εσφαλμένη τιμή για τον συντελεστή ασφάλειας"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    EnglishMenus = c.english;
    Project.CoulombWedgeData = Project.CoulombSlopeData = Example(static_cast<qint16>(c.tab));
    Open(c.tool);
    SelectTab(c.tab);
    const QString shown = Text(coulombwedge::kSafetyFactor) + Text(coulombwedge::kRequiredBoltLoad);
    boxes_->Clear();
    Paste(c.box, QString::fromLatin1(c.text));
    EXPECT_EQ(LastMessage(), QString::fromUtf8(c.message));
    EXPECT_TRUE(Control(c.box)->hasFocus());
    EXPECT_EQ(Text(coulombwedge::kSafetyFactor) + Text(coulombwedge::kRequiredBoltLoad),
              shown);          // nothing computed from it
    Press(coulombwedge::kOk);  // refused again: the dialog stays
    EXPECT_TRUE(Dialog().isVisible());
  }
  Dialog().close();
  EXPECT_EQ(Project.CoulombWedgeData.BoltLoad, 100.0f);
  EXPECT_TRUE(Project.FileSaved);
}

// Only the page shown is read: a bolt entry left refused on the other page
// is neither judged nor kept.
TEST_F(CoulombWedgeDialogTest, TheBoltBoxesOfThePageNotShownAreNotRead) {
  Project.CoulombWedgeData = Example();
  Open();
  Type(coulombwedge::kPlaneFrictionAngle, QStringLiteral("89.9"));  // just below the limit
  EXPECT_TRUE(Messages().empty());
  Type(coulombwedge::kPlaneFrictionAngle, QStringLiteral("30"));
  Paste(coulombwedge::kBoltLoad, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for load"));
  boxes_->Clear();
  SelectTab(1);
  EXPECT_TRUE(Messages().empty());
  EXPECT_NEAR(ParseLeadingNumber(Text(coulombwedge::kRequiredBoltLoad)), 284.93, 0.01);
  Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("2"));
  EXPECT_TRUE(Messages().empty());
  Press(coulombwedge::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CoulombWedgeData.ReqSafetyFactor, 2.0f);
  EXPECT_EQ(Project.CoulombWedgeData.BoltLoad, 100.0f);

  // Back on the first page, its boxes count again.
  Project.CoulombWedgeData = Example(1);
  Open();
  SelectTab(1);
  Type(coulombwedge::kBoltAngleForLoad, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("angle >= 0"));
  boxes_->Clear();
  SelectTab(0);
  EXPECT_TRUE(Messages().empty());
  Type(coulombwedge::kBoltLoad, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for load"));
}

TEST_F(CoulombWedgeDialogTest, OkCommitsTheToolsOwnRecordAndCancelOrTheCloseBoxDoNot) {
  for (WedgeTool tool : {WedgeTool::Wedge, WedgeTool::Slope}) {
    Project.CoulombWedgeData = Project.CoulombSlopeData = Example();
    BoltedWedgeData& own = tool == WedgeTool::Slope ? Project.CoulombSlopeData : Project.CoulombWedgeData;
    BoltedWedgeData& other = tool == WedgeTool::Slope ? Project.CoulombWedgeData : Project.CoulombSlopeData;
    Open(tool);
    Type(coulombwedge::kWidth, QStringLiteral("12"));
    Press(coulombwedge::kCancel);
    Open(tool);
    Type(coulombwedge::kWidth, QStringLiteral("12"));
    Dialog().close();
    EXPECT_EQ(own.Width, 10.0f);
    EXPECT_TRUE(Project.FileSaved);

    Open(tool);
    Type(coulombwedge::kWidth, QStringLiteral("12"));
    SelectTab(1);
    Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("2"));
    Press(coulombwedge::kOk);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(own.Width, 12.0f);
    EXPECT_EQ(own.ReqSafetyFactor, 2.0f);
    EXPECT_EQ(own.BoltLoad, 100.0f);  // the other tab's input as its box showed it
    EXPECT_EQ(own.Tab, 1);
    EXPECT_EQ(other.Width, 10.0f);
    EXPECT_FALSE(Project.FileSaved);
    Project.FileSaved = true;
  }
}

TEST_F(CoulombWedgeDialogTest, OkWithoutEditsKeepsTheStoredValuesAndTheGreekTab) {
  const BoltedWedgeData stored{31.23456f, 0.00042f, 41.98765f, 10.00049f, 5.55555f, 24.99999f, 123.45678f,
                               9.87654f,  0,        1.23456f,  11.11111f, 0,        1};
  for (const bool english : {false, true}) {
    EnglishMenus = english;
    Project.CoulombWedgeData = stored;
    Open();
    EXPECT_EQ(Text(coulombwedge::kWidth), QStringLiteral("10.000"));
    Focus(coulombwedge::kRequiredSafetyFactor);
    Press(coulombwedge::kOk);
    const BoltedWedgeData& r = Project.CoulombWedgeData;
    for (auto field : {&BoltedWedgeData::FrictionAngle, &BoltedWedgeData::Cohesion, &BoltedWedgeData::DiscAngle,
                       &BoltedWedgeData::Width, &BoltedWedgeData::Height, &BoltedWedgeData::SpecificGravity,
                       &BoltedWedgeData::BoltLoad, &BoltedWedgeData::BoltAngle, &BoltedWedgeData::ReqSafetyFactor,
                       &BoltedWedgeData::BoltAngle2}) {
      EXPECT_EQ(r.*field, stored.*field);
    }
    EXPECT_EQ(r.Tab, english ? 0 : 1);  // the tab the dialog showed
  }
}

TEST_F(CoulombWedgeDialogTest, InEnglishBothToolsOpenOnTheSafetyFactorTab) {
  for (WedgeTool tool : {WedgeTool::Wedge, WedgeTool::Slope}) {
    for (const bool english : {true, false}) {
      EnglishMenus = english;
      Project.CoulombWedgeData = Project.CoulombSlopeData = Example(1);
      Open(tool);
      auto* tabs = Control<QTabWidget>(coulombwedge::kTabs);
      EXPECT_EQ(tabs->currentIndex(), english ? 0 : 1);
      EXPECT_EQ(tabs->tabText(tabs->currentIndex()),
                english ? QStringLiteral("Safety Factor") : QStringLiteral("Φορτίο"));
      // The tab shown has its result.
      EXPECT_FALSE(Text(english ? coulombwedge::kSafetyFactor : coulombwedge::kRequiredBoltLoad).isEmpty());
    }
  }
}

TEST_F(CoulombWedgeDialogTest, TheSlopeTwinHasItsOwnTextsAndBoxNames) {
  Open(WedgeTool::Slope);
  EXPECT_EQ(Dialog().objectName(), QStringLiteral("frmCoulombSlope"));
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Stability of Bolted Rock Slope"));
  EXPECT_EQ(Control<QGroupBox>(coulombwedge::kBlockFrame)->title(), QStringLiteral("Slope Parameters"));
  EXPECT_EQ(Text(coulombwedge::kBlockNote), QStringLiteral("Slope Width = 1 m"));
  EXPECT_EQ(Control(coulombwedge::kRequiredSafetyFactor)->accessibleName(), QStringLiteral("Slope Safety Factor"));
  EXPECT_TRUE(History().contains(QStringLiteral("Failure analysis of rock slope with planar discontinuity")));
  EnglishMenus = false;
  Open(WedgeTool::Slope);
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Αστοχία όγκου πετρώματος σε επίπεδη ασυνέχεια με κοχλία"));
  EXPECT_TRUE(History().contains(
      QStringLiteral("Υπολογισμός αστοχίας επίπεδης ασυνέχειας σε πρανές με κοχλία βάσει του κριτηρίου Coulomb.")));
  EXPECT_EQ(Control(coulombwedge::kWidth)->accessibleName(), QStringLiteral("Πλάτος (m)"));

  EnglishMenus = true;
  Open();
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("Stability of Bolted Rock Wedge"));
  EXPECT_EQ(Control(coulombwedge::kPlaneAngle)->accessibleName(),
            QStringLiteral("Angle of Discontinuity Plane to Horizontal Plane"));
  EXPECT_EQ(Control(coulombwedge::kSafetyFactor)->accessibleName(), QStringLiteral("Safety Factor for Slope"));
  EXPECT_EQ(Control(coulombwedge::kRequiredBoltLoad)->accessibleName(), QStringLiteral("Load (kN)"));
  EXPECT_EQ(Control(coulombwedge::kRequiredSafetyFactor)->accessibleName(), QStringLiteral("Wedge Safety Factor"));
  EXPECT_TRUE(Control<QLineEdit>(coulombwedge::kSafetyFactor)->isReadOnly());
}

TEST_F(CoulombWedgeDialogTest, RenderBothToolsTabsAndLanguages) {
  for (WedgeTool tool : {WedgeTool::Wedge, WedgeTool::Slope}) {
    test::EachLanguage([&](const QString& language) {
      for (qint16 tab : {0, 1}) {
        Project.CoulombWedgeData = Project.CoulombSlopeData = Example(tab);
        Project.CoulombWedgeData.BoltLoad = 900;  // 999 and the warning on tab 0
        Project.CoulombWedgeData.BoltAngle = 40;
        Project.CoulombSlopeData.ReqSafetyFactor = 0.5f;  // the note on tab 1
        Open(tool);
        test::SaveRender(
            Dialog(), QStringLiteral("%1-%2-tab%3")
                          .arg(tool == WedgeTool::Slope ? QStringLiteral("slope") : QStringLiteral("wedge"), language)
                          .arg(tab));
      }
    });
  }
}

// The worked example of the tool's help page, on both tabs.
TEST_F(CoulombWedgeDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  Project.CoulombWedgeData = {35, 25, 45, 12, 6, 26, 200, 15, 0, 1.5f, 15, 0, 0};
  Open();
  test::ExpectShown(text, {{coulombwedge::kSafetyFactor, "1.12724"}, {coulombwedge::kTensionWarning, ""}});
  Type(coulombwedge::kBoltLoad, QStringLiteral("0"));
  test::ExpectShown(text, {{coulombwedge::kSafetyFactor, "0.9268442"}});
  SelectTab(1);
  test::ExpectShown(text, {{coulombwedge::kRequiredBoltLoad, "460.0505"}, {coulombwedge::kLoadNote, ""}});
  Type(coulombwedge::kRequiredSafetyFactor, QStringLiteral("0.9"));
  test::ExpectShown(text, {{coulombwedge::kRequiredBoltLoad, ""}, {coulombwedge::kLoadNote, "Bolt is not Required"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(CoulombWedgeMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<CoulombWedgeDialog>(Tool::CoulombWedge);
  ClearTools();
}

}  // namespace
}  // namespace brantel
