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
  frmBolt& Open() { return DialogTest::Open<frmBolt>(); }
  frmBolt& Dialog() const { return static_cast<frmBolt&>(Current()); }
  QTabWidget* Tabs() const { return Control<QTabWidget>(u"SSTab1"); }
  // The worked case: 500 MPa steel, 20 mm, 3 m, SF 1.5 under 2 m of rock
  // at 25 kN/m3 over 4 m; a 24 mm bolt in a 27 mm hole over 3 m with
  // c1 1000 and c2 2000 kPa, phi 30 at both, no normal stress, SF 1.4.
  static void StoreWorkedCase() {
    Project.BoltStrength = 500, Project.BoltDiameter = 20, Project.BoltLength = 3, Project.BoltSF = 1.5f;
    Project.BoltHeight = 2, Project.BoltUnit = 25, Project.BoltWidth = 4;
    Project.BoltDiam2 = 24, Project.BoltLength2 = 3, Project.BoltDiamHole = 27, Project.BoltCo1 = 1000;
    Project.BoltPhi1 = 30, Project.BoltCo2 = 2000, Project.BoltPhi2 = 30, Project.BoltS2 = 0;
    Project.BoltSF1 = 1.4f;
  }
};

TEST_F(RoofBoltingDialogTest, TheWorkedCaseAndTheSecondTabFollowingTheFirst) {
  StoreWorkedCase();
  Open();
  EXPECT_EQ(Tabs()->currentIndex(), 0);
  const std::pair<const char16_t*, const char*> shown[] = {
      {u"txtStrength", "500"}, {u"txtSF", "1.5"},   {u"txtDynami", "157.1"},  {u"txtDesign", "104.7"},
      {u"txtOver", "50"},      {u"txtDensity", "0.48"}, {u"txtDensity1", "2.09"}, {u"txtDensity2", "1.91"},
      {u"Text1", "226.2"},     {u"Text2", "508.9"}, {u"Text4", "157.1"},      {u"Text3", "112.2"}};
  for (const auto& [box, text] : shown) EXPECT_EQ(Text(box), QString::fromLatin1(text)) << text;
  EXPECT_EQ(Text(u"Label8"), QString());
  EXPECT_TRUE(History().contains(QStringLiteral(". Evaluation of roof bolting capacity.")));

  // A thinner bolt: the steel now governs the anchor at once.
  Type(u"txtDiameter", QStringLiteral("10"));
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("39.3"));
  EXPECT_EQ(Text(u"Text3"), QStringLiteral("28.1"));
  // A bolt shorter than the rock it carries: the warning, and every result
  // of the first tab and the steel load blank, the design load with them.
  Type(u"txtLength", QStringLiteral("1.9"));
  EXPECT_EQ(Text(u"Label8"), QStringLiteral("Supported Height should be <= bolt length"));
  for (const char16_t* box : {u"txtDynami", u"txtDesign", u"txtOver", u"txtDensity", u"txtDensity1",
                              u"txtDensity2", u"Text4", u"Text3"}) {
    EXPECT_EQ(Text(box), QString()) << QString::fromUtf16(box).toStdString();
  }
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("226.2"));
  Type(u"txtLength", QStringLiteral("2"));  // equal: no warning, results back
  EXPECT_EQ(Text(u"Label8"), QString());
  EXPECT_EQ(Text(u"Text3"), QStringLiteral("28.1"));

  // The anchor's own guards: no safety factor, a friction angle of 90.
  Tabs()->setCurrentIndex(1);
  Type(u"txtSF1", QStringLiteral("0"));
  EXPECT_EQ(Text(u"Text3"), QString());
  Type(u"txtSF1", QStringLiteral("1.4"));
  Type(u"txtPhi2", QStringLiteral("90"));
  EXPECT_EQ(Text(u"Text2"), QString());
  EXPECT_EQ(Text(u"Text3"), QString());
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("226.2"));
  Type(u"txtS2", QStringLiteral("1e40"));  // beyond the 32-bit range
  EXPECT_EQ(Text(u"Text1"), QString());
  EXPECT_TRUE(Messages().empty());  // nothing is reported while typing
}

// The worked example of the tool's help page.
TEST_F(RoofBoltingDialogTest, HelpPageExample) {
  Open();
  const std::pair<const char16_t*, const char*> density[] = {
      {u"txtStrength", "600"}, {u"txtDiameter", "20"}, {u"txtLength", "2.4"}, {u"txtSF", "1.5"},
      {u"txtHeight", "1.8"},   {u"txtUnit", "26"},     {u"txtWidth", "5"}};
  for (const auto& [box, text] : density) Type(box, QString::fromLatin1(text));
  Tabs()->setCurrentIndex(1);
  const std::pair<const char16_t*, const char*> anchor[] = {
      {u"txtDiam2", "20"}, {u"txtLength2", "1.2"}, {u"txtDiamHole", "32"}, {u"txtCo1", "3000"}, {u"txtPhi1", "25"},
      {u"txtCo2", "1000"}, {u"txtPhi2", "30"},     {u"txtS2", "200"},      {u"txtSF1", "1.5"}};
  for (const auto& [box, text] : anchor) Type(box, QString::fromLatin1(text));
  const std::pair<const char16_t*, const char*> shown[] = {
      {u"txtDynami", "188.5"},  {u"txtDesign", "125.7"},  {u"txtOver", "46.8"}, {u"txtDensity", "0.37"},
      {u"txtDensity1", "2.69"}, {u"txtDensity2", "1.86"}, {u"Text1", "233.2"},  {u"Text2", "134.6"},
      {u"Text4", "188.5"},      {u"Text3", "89.7"}};  // the resin/rock interface governs
  for (const auto& [box, text] : shown) {
    EXPECT_EQ(Text(box), QString::fromLatin1(text)) << QString::fromUtf16(box).toStdString();
  }
  EXPECT_EQ(Text(u"Label8"), QString());
  Press(u"btnOk");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RoofBoltingDialogTest, OkChecksInTheirOrderOnTheirTabs) {
  StoreWorkedCase();
  struct Case {
    const char16_t* box;
    const char* text;
    const char* message;  // nullptr: OK passes
    int tab;
  } cases[] = {
      {u"txtSF", "1", nullptr, 0},
      {u"txtSF", "0.99", "The Safety Factor should be > 1", 0},
      {u"txtUnit", "10", "Unit Weight should be > 10kN/m3", 0},
      {u"txtUnit", "10.01", nullptr, 0},
      {u"txtLength", "2", "The length should be greater than overburden height", 0},
      {u"txtWidth", "x", "Opening width should be > 0", 0},
      {u"txtCo1", "0", "Cohesion should be positive", 1},
      {u"txtPhi1", "90", "The Angle of Internal Friction should be < 90", 1},
      {u"txtS2", "-50", nullptr, 1},
      {u"txtSF1", "0.5", "The Safety Factor should be > 1", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    boxes_->Clear();
    Open();
    Tabs()->setCurrentIndex(1 - c.tab);
    Paste(c.box, QString::fromLatin1(c.text));
    Focus(u"txtStrength");
    Tabs()->setCurrentIndex(1 - c.tab);
    Press(u"btnOk");
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
    Press(u"btnCancel");
  }
  EXPECT_EQ(Project.BoltSF1, 1.4f);

  // Not a number in the first six: the message, and the focus stays.
  Open();
  Paste(u"txtUnit", QStringLiteral("2x"));
  Focus(u"txtWidth");
  EnglishMenus = 0;
  Press(u"btnOk");
  EXPECT_EQ(LastMessage(), QStringLiteral("Κάποια τιμή δεν έχει αριθμητική μορφή!"));
  EXPECT_TRUE(Control<QLineEdit>(u"txtWidth")->hasFocus());
}

TEST_F(RoofBoltingDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  StoreWorkedCase();
  Open();
  Type(u"txtStrength", QStringLiteral("400"));
  Press(u"btnCancel");
  Open();
  Type(u"txtStrength", QStringLiteral("400"));
  Type(u"txtSF", QStringLiteral("0.5"));
  Press(u"btnOk");  // refused
  Dialog().close();
  EXPECT_EQ(Project.BoltStrength, 500.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"txtStrength", QStringLiteral("400"));
  Type(u"txtS2", QStringLiteral("-20"));
  Press(u"btnOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.BoltStrength, 400.0f);
  EXPECT_EQ(Project.BoltS2, -20.0f);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);
}

TEST_F(RoofBoltingDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  StoreWorkedCase();
  Project.BoltStrength = 512.34567f;
  Project.BoltUnit = 26.0000019f;
  Project.BoltS2 = 0.1f;
  Project.BoltCo2 = 1234567.9f;
  const ProjectRecord stored = Project;
  Open();
  Focus(u"txtUnit");
  Focus(u"txtStrength");
  Press(u"btnOk");
  EXPECT_EQ(Project.BoltStrength, stored.BoltStrength);
  EXPECT_EQ(Project.BoltUnit, stored.BoltUnit);
  EXPECT_EQ(Project.BoltS2, stored.BoltS2);
  EXPECT_EQ(Project.BoltCo2, stored.BoltCo2);
  EXPECT_EQ(Project.BoltSF1, stored.BoltSF1);
}

TEST_F(RoofBoltingDialogTest, BoxesCarryTheirLabelsAndRenderInBothLanguages) {
  StoreWorkedCase();
  EnglishMenus = 0;
  Open();
  EXPECT_EQ(Control<QLineEdit>(u"txtCo2")->accessibleName(), QStringLiteral("Συνοχή διεπιφάνειας  ενέμα / πετρωμα (kPa)"));
  EXPECT_EQ(Control<QLineEdit>(u"Text3")->accessibleName(), QStringLiteral("Φορτίο Σχεδιασμού (kN)"));
  EXPECT_EQ(Tabs()->tabText(1), QStringLiteral("Αντοχή σε εφελκυσμό"));
  EXPECT_TRUE(Control<QLineEdit>(u"txtDensity")->isReadOnly());

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
