#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/RoofBoltingDialog.h"

#include <QLineEdit>
#include <QTabWidget>

namespace brantel {
namespace {

class RoofBoltingDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project = ProjectRecord{};
  }
  RoofBoltingDialog& Open() { return DialogTest::Open<RoofBoltingDialog>(); }
  RoofBoltingDialog& Dialog() const { return static_cast<RoofBoltingDialog&>(Current()); }
  QTabWidget* Tabs() const { return Control<QTabWidget>(roofbolting::kTabs); }
  // The worked case: 500 MPa steel, 20 mm, 3 m, SF 1.5 under 2 m of rock
  // at 25 kN/m3 over 4 m; a 24 mm bolt in a 27 mm hole over 3 m with
  // c1 1000 and c2 2000 kPa, phi 30 at both, no normal stress, SF 1.4.
  static void StoreWorkedCase() {
    Project.BoltStrength = 500, Project.BoltDiameter = 20, Project.BoltLength = 3, Project.BoltSF = 1.5f;
    Project.BoltHeight = 2, Project.BoltUnit = 25, Project.BoltWidth = 4;
    Project.BoltAnchorDiameter = 24, Project.BoltBondedLength = 3, Project.BoltHoleDiameter = 27,
    Project.BoltResinCohesion = 1000;
    Project.BoltResinFriction = 30, Project.ResinRockCohesion = 2000, Project.ResinRockFriction = 30,
    Project.BoltNormalStress = 0;
    Project.BoltAnchorSafetyFactor = 1.4f;
  }
};

TEST_F(RoofBoltingDialogTest, TheWorkedCaseAndTheSecondTabFollowingTheFirst) {
  StoreWorkedCase();
  Open();
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  const std::pair<const char*, const char*> shown[] = {
      {roofbolting::kSteelStrength, "500"},   {roofbolting::kSafetyFactor, "1.5"},
      {roofbolting::kMaxLoad, "157.1"},       {roofbolting::kDesignLoad, "104.7"},
      {roofbolting::kOverburden, "50"},       {roofbolting::kBoltsPerArea, "0.48"},
      {roofbolting::kAreaPerBolt, "2.09"},    {roofbolting::kBoltsPerSection, "1.91"},
      {roofbolting::kBoltResinLoad, "226.2"}, {roofbolting::kResinRockLoad, "508.9"},
      {roofbolting::kSteelLoad, "157.1"},     {roofbolting::kAnchorDesignLoad, "112.2"}};
  for (const auto& [box, text] : shown) EXPECT_EQ(Text(box), QString::fromLatin1(text)) << text;
  EXPECT_EQ(Text(roofbolting::kHeightWarning), QString());
  EXPECT_TRUE(History().contains(QStringLiteral(". Evaluation of roof bolting capacity.")));

  // A thinner bolt: the steel now governs the anchor at once.
  Type(roofbolting::kBoltDiameter, QStringLiteral("10"));
  EXPECT_EQ(Text(roofbolting::kSteelLoad), QStringLiteral("39.3"));
  EXPECT_EQ(Text(roofbolting::kAnchorDesignLoad), QStringLiteral("28.1"));
  // A bolt shorter than the rock it carries: the warning, and every result
  // of the first tab and the steel load blank, the design load with them.
  Type(roofbolting::kBoltLength, QStringLiteral("1.9"));
  EXPECT_EQ(Text(roofbolting::kHeightWarning), QStringLiteral("Supported Height should be <= bolt length"));
  for (const char* box : {roofbolting::kMaxLoad, roofbolting::kDesignLoad, roofbolting::kOverburden,
                          roofbolting::kBoltsPerArea, roofbolting::kAreaPerBolt, roofbolting::kBoltsPerSection,
                          roofbolting::kSteelLoad, roofbolting::kAnchorDesignLoad}) {
    EXPECT_EQ(Text(box), QString()) << box;
  }
  EXPECT_EQ(Text(roofbolting::kBoltResinLoad), QStringLiteral("226.2"));
  Type(roofbolting::kBoltLength, QStringLiteral("2"));  // equal: no warning, results back
  EXPECT_EQ(Text(roofbolting::kHeightWarning), QString());
  EXPECT_EQ(Text(roofbolting::kAnchorDesignLoad), QStringLiteral("28.1"));

  // The anchor's own guards: no safety factor, a friction angle of 90.
  Tabs()->setCurrentIndex(1);
  Type(roofbolting::kAnchorSafetyFactor, QStringLiteral("0"));
  EXPECT_EQ(Text(roofbolting::kAnchorDesignLoad), QString());
  Type(roofbolting::kAnchorSafetyFactor, QStringLiteral("1.4"));
  Type(roofbolting::kResinRockFriction, QStringLiteral("90"));
  EXPECT_EQ(Text(roofbolting::kResinRockLoad), QString());
  EXPECT_EQ(Text(roofbolting::kAnchorDesignLoad), QString());
  EXPECT_EQ(Text(roofbolting::kBoltResinLoad), QStringLiteral("226.2"));
  Type(roofbolting::kNormalStress, QStringLiteral("1e40"));  // beyond the 32-bit range
  EXPECT_EQ(Text(roofbolting::kBoltResinLoad), QString());
  EXPECT_TRUE(Messages().empty());  // nothing is reported while typing
}

// The worked example of the tool's help page.
TEST_F(RoofBoltingDialogTest, HelpPageExample) {
  Open();
  const std::pair<const char*, const char*> density[] = {
      {roofbolting::kSteelStrength, "600"}, {roofbolting::kBoltDiameter, "20"}, {roofbolting::kBoltLength, "2.4"},
      {roofbolting::kSafetyFactor, "1.5"},  {roofbolting::kRockHeight, "1.8"},  {roofbolting::kUnitWeight, "26"},
      {roofbolting::kOpeningWidth, "5"}};
  for (const auto& [box, text] : density) Type(box, QString::fromLatin1(text));
  Tabs()->setCurrentIndex(1);
  const std::pair<const char*, const char*> anchor[] = {
      {roofbolting::kAnchorDiameter, "20"},     {roofbolting::kBondedLength, "1.2"},
      {roofbolting::kHoleDiameter, "32"},       {roofbolting::kBoltResinCohesion, "3000"},
      {roofbolting::kBoltResinFriction, "25"},  {roofbolting::kResinRockCohesion, "1000"},
      {roofbolting::kResinRockFriction, "30"},  {roofbolting::kNormalStress, "200"},
      {roofbolting::kAnchorSafetyFactor, "1.5"}};
  for (const auto& [box, text] : anchor) Type(box, QString::fromLatin1(text));
  const std::pair<const char*, const char*> shown[] = {
      {roofbolting::kMaxLoad, "188.5"},
      {roofbolting::kDesignLoad, "125.7"},
      {roofbolting::kOverburden, "46.8"},
      {roofbolting::kBoltsPerArea, "0.37"},
      {roofbolting::kAreaPerBolt, "2.69"},
      {roofbolting::kBoltsPerSection, "1.86"},
      {roofbolting::kBoltResinLoad, "233.2"},
      {roofbolting::kResinRockLoad, "134.6"},
      {roofbolting::kSteelLoad, "188.5"},
      {roofbolting::kAnchorDesignLoad, "89.7"}};  // the resin/rock interface governs
  for (const auto& [box, text] : shown) {
    EXPECT_EQ(Text(box), QString::fromLatin1(text)) << box;
  }
  EXPECT_EQ(Text(roofbolting::kHeightWarning), QString());
  Press(roofbolting::kOk);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoofBoltingDialogTest, OkChecksInTheirOrderOnTheirTabs) {
  StoreWorkedCase();
  struct Case {
    const char* box;
    const char* text;
    const char* message;  // nullptr: OK passes
    int tab;
  } cases[] = {
      {roofbolting::kSafetyFactor, "1", nullptr, 0},
      {roofbolting::kSafetyFactor, "0.99", "The Safety Factor should be > 1", 0},
      {roofbolting::kUnitWeight, "10", "Unit Weight should be > 10kN/m3", 0},
      {roofbolting::kUnitWeight, "10.01", nullptr, 0},
      {roofbolting::kBoltLength, "2", "The length should be greater than overburden height", 0},
      {roofbolting::kOpeningWidth, "x", "Opening width should be > 0", 0},
      {roofbolting::kBoltResinCohesion, "0", "Cohesion should be positive", 1},
      {roofbolting::kBoltResinFriction, "90", "The Angle of Internal Friction should be < 90", 1},
      {roofbolting::kNormalStress, "-50", nullptr, 1},
      {roofbolting::kAnchorSafetyFactor, "0.5", "The Safety Factor should be > 1", 1},
      {roofbolting::kNormalStress, "1e39", "The value is too large", 1},
      {roofbolting::kSteelStrength, "1e39", "The value is too large", 0},
      {roofbolting::kResinRockCohesion, "1e400", "The value is too large", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    boxes_->Clear();
    Open();
    Tabs()->setCurrentIndex(1 - c.tab);
    Paste(c.box, QString::fromLatin1(c.text));
    Focus(roofbolting::kSteelStrength);
    Tabs()->setCurrentIndex(1 - c.tab);
    Press(roofbolting::kOk);
    if (!c.message) {
      EXPECT_TRUE(Messages().empty());
      EXPECT_FALSE(Dialog().isVisible());
      StoreWorkedCase();
      continue;
    }
    EXPECT_EQ(LastMessage(), QString::fromLatin1(c.message));
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Tabs()->currentIndex(), c.tab);
    EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus());
    Press(roofbolting::kCancel);
  }
  EXPECT_EQ(Project.BoltAnchorSafetyFactor, 1.4f);

  // Not a number in the first six: the message, before any value is
  // judged, and the focus stays.
  for (const auto& [box, text] : {std::pair{roofbolting::kUnitWeight, "2x"},
                                  {roofbolting::kSteelStrength, "abc"},
                                  {roofbolting::kSteelStrength, "1e400"}}) {
    SCOPED_TRACE(text);
    EnglishMenus = true;
    Open();
    Paste(box, QString::fromLatin1(text));
    Paste(roofbolting::kSafetyFactor, QStringLiteral("1e39"));
    Focus(roofbolting::kOpeningWidth);
    EnglishMenus = false;
    Press(roofbolting::kOk);
    EXPECT_EQ(LastMessage(), QStringLiteral("Κάποια τιμή δεν έχει αριθμητική μορφή!"));
    EXPECT_TRUE(Control<QLineEdit>(roofbolting::kOpeningWidth)->hasFocus());
    Press(roofbolting::kCancel);
  }
}

TEST_F(RoofBoltingDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  StoreWorkedCase();
  Open();
  Type(roofbolting::kSteelStrength, QStringLiteral("400"));
  Press(roofbolting::kCancel);
  Open();
  Type(roofbolting::kSteelStrength, QStringLiteral("400"));
  Type(roofbolting::kSafetyFactor, QStringLiteral("0.5"));
  Press(roofbolting::kOk);  // refused
  Dialog().close();
  EXPECT_EQ(Project.BoltStrength, 500.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(roofbolting::kSteelStrength, QStringLiteral("400"));
  Type(roofbolting::kNormalStress, QStringLiteral("-20"));
  Press(roofbolting::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.BoltStrength, 400.0f);
  EXPECT_EQ(Project.BoltNormalStress, -20.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(RoofBoltingDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  StoreWorkedCase();
  Project.BoltStrength = 512.34567f;
  Project.BoltUnit = 26.0000019f;
  Project.BoltNormalStress = 0.1f;
  Project.ResinRockCohesion = 1234567.9f;
  const ProjectRecord stored = Project;
  Open();
  Focus(roofbolting::kUnitWeight);
  Focus(roofbolting::kSteelStrength);
  Press(roofbolting::kOk);
  EXPECT_EQ(Project.BoltStrength, stored.BoltStrength);
  EXPECT_EQ(Project.BoltUnit, stored.BoltUnit);
  EXPECT_EQ(Project.BoltNormalStress, stored.BoltNormalStress);
  EXPECT_EQ(Project.ResinRockCohesion, stored.ResinRockCohesion);
  EXPECT_EQ(Project.BoltAnchorSafetyFactor, stored.BoltAnchorSafetyFactor);
}

TEST_F(RoofBoltingDialogTest, BoxesCarryTheirLabelsAndRenderInBothLanguages) {
  StoreWorkedCase();
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Control<QLineEdit>(roofbolting::kResinRockCohesion)->accessibleName(),
            QStringLiteral("Συνοχή διεπιφάνειας  ενέμα / πετρωμα (kPa)"));
  EXPECT_EQ(Control<QLineEdit>(roofbolting::kAnchorDesignLoad)->accessibleName(),
            QStringLiteral("Φορτίο Σχεδιασμού (kN)"));
  EXPECT_EQ(Tabs()->tabText(1), QStringLiteral("Αντοχή σε εφελκυσμό"));
  EXPECT_TRUE(Control<QLineEdit>(roofbolting::kBoltsPerArea)->isReadOnly());

  test::EachLanguage([&](const QString& language) {
    Project.BoltLength = 1.5f;  // the warning line shows
    Open();
    for (int tab : {0, 1}) {
      Tabs()->setCurrentIndex(tab);
      test::SaveRender(Dialog(), QStringLiteral("bolt-%1-tab%2").arg(language).arg(tab));
    }
  });
}

}  // namespace
}  // namespace brantel
