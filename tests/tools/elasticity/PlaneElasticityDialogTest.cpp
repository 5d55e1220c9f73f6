#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/elasticity/Elasticity3DDialog.h"
#include "tools/elasticity/PlaneElasticityDialog.h"
#include "tools/elasticity/RosetteDialog.h"
#include "tools/elasticity/TransformationDialog.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>

namespace brantel {
namespace {

class PlaneElasticityDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Project.PlaneElasticity = {};
    Project.PlaneStressTabConstants = {};
    Project.PlaneStressIn = {};
    Project.PlaneStrainTabConstants = {};
  }
  PlaneElasticityDialog& Open() { return DialogTest::Open<PlaneElasticityDialog>(); }
  PlaneElasticityDialog& Dialog() const { return static_cast<PlaneElasticityDialog&>(Current()); }
  void ShowTab(int tab) { Control<QTabWidget>(planeelasticity::kTabs)->setCurrentIndex(tab); }
  void TypeAll(std::initializer_list<std::pair<const char*, const char*>> entries) {
    for (const auto& [box, text] : entries) Type(box, QString::fromUtf8(text));
  }
  void ExpectTexts(std::initializer_list<std::pair<const char*, const char*>> expected) {
    for (const auto& [box, text] : expected) {
      EXPECT_EQ(Text(box), QString::fromUtf8(text)) << box;
    }
  }
};

TEST_F(PlaneElasticityDialogTest, ANewProjectOpensOnTheStressTabWithOkDisabled) {
  Open();
  EXPECT_EQ(Control<QTabWidget>(planeelasticity::kTabs)->currentIndex(), 0);
  EXPECT_FALSE(Enabled(planeelasticity::kOk));
  ExpectTexts({{planeelasticity::kEx, "0.000000"},
               {planeelasticity::kStressTabModulus, "0.000"},
               {planeelasticity::kStressTabPoisson, "0"},
               {planeelasticity::kSx, "0.000"},
               {planeelasticity::kTxy, "0.000"}});
  ShowTab(1);  // E = 0 computes no strains
  ExpectTexts({{planeelasticity::kExOut, ""}, {planeelasticity::kGxyOut, ""}});
  EXPECT_FALSE(Enabled(planeelasticity::kOk));
  EXPECT_FALSE(Enabled(planeelasticity::kEx));  // the hidden tab's inputs are off
  EXPECT_TRUE(Enabled(planeelasticity::kSxIn));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Calculation of elastic behavior in two dimensions.")));
}

TEST_F(PlaneElasticityDialogTest, StatesWorkedByHandOnBothTabs) {
  Open();
  Type(planeelasticity::kEx, QStringLiteral("0.001"));
  Type(planeelasticity::kStressTabModulus, QStringLiteral("1000"));
  Type(planeelasticity::kStressTabPoisson, QStringLiteral("0.25"));
  ExpectTexts({{planeelasticity::kSx, "1.067"}, {planeelasticity::kSy, "0.267"}, {planeelasticity::kTxy, "0.000"}});
  Press(planeelasticity::kStressTabPlaneStrain);
  ExpectTexts({{planeelasticity::kSx, "1.200"}, {planeelasticity::kSy, "0.400"}});
  EXPECT_TRUE(Enabled(planeelasticity::kOk));

  ShowTab(1);
  Type(planeelasticity::kSxIn, QStringLiteral("10"));
  Type(planeelasticity::kTxyIn, QStringLiteral("5"));
  Type(planeelasticity::kStrainTabModulus, QStringLiteral("1000"));
  Type(planeelasticity::kStrainTabPoisson, QStringLiteral("0.25"));
  ExpectTexts({{planeelasticity::kExOut, "0.010000"},
               {planeelasticity::kEyOut, "-0.002500"},
               {planeelasticity::kGxyOut, "0.012500"}});
  Press(planeelasticity::kStrainTabPlaneStrain);
  ExpectTexts({{planeelasticity::kExOut, "0.009375"},
               {planeelasticity::kEyOut, "-0.003125"},
               {planeelasticity::kGxyOut, "0.012500"}});
  Type(planeelasticity::kSyIn, QStringLiteral("-"));  // still being typed: counts as 0
  EXPECT_TRUE(Messages().empty());
  // The other tab kept its results and inputs.
  ShowTab(0);
  ExpectTexts({{planeelasticity::kSx, "1.200"}, {planeelasticity::kEx, "0.001"}});
}

// The worked example of the tool's help page: a rock of E = 50000 and
// nu = 0.25, each tab under both assumptions.
TEST_F(PlaneElasticityDialogTest, HelpPageExample) {
  Open();
  TypeAll({{planeelasticity::kEx, "0.0005"},
           {planeelasticity::kEy, "0.0002"},
           {planeelasticity::kGxy, "0.0003"},
           {planeelasticity::kStressTabModulus, "50000"},
           {planeelasticity::kStressTabPoisson, "0.25"}});
  ExpectTexts({{planeelasticity::kSx, "29.333"}, {planeelasticity::kSy, "17.333"}, {planeelasticity::kTxy, "6.000"}});
  Press(planeelasticity::kStressTabPlaneStrain);
  ExpectTexts({{planeelasticity::kSx, "34.000"}, {planeelasticity::kSy, "22.000"}, {planeelasticity::kTxy, "6.000"}});

  ShowTab(1);
  TypeAll({{planeelasticity::kSxIn, "20"},
           {planeelasticity::kSyIn, "12"},
           {planeelasticity::kTxyIn, "5"},
           {planeelasticity::kStrainTabModulus, "50000"},
           {planeelasticity::kStrainTabPoisson, "0.25"}});
  ExpectTexts({{planeelasticity::kExOut, "0.000340"},
               {planeelasticity::kEyOut, "0.000140"},
               {planeelasticity::kGxyOut, "0.000250"}});
  Press(planeelasticity::kStrainTabPlaneStrain);
  ExpectTexts({{planeelasticity::kExOut, "0.000300"},
               {planeelasticity::kEyOut, "0.000100"},
               {planeelasticity::kGxyOut, "0.000250"}});
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PlaneElasticityDialogTest, BadEntriesAreRefusedWithTheirMessages) {
  struct Case {
    int tab;
    const char* box;
    const char* text;
    const char* english;
    const char* greek;
  };
  const Case cases[] = {
      {1, planeelasticity::kSxIn, "abc", "Invalid value for sx", "Εσφαλμένη τιμή για το σx"},
      {0, planeelasticity::kGxy, "1x", "Invalid value for gxy", "Εσφαλμένη τιμή για το gxy"},
      {0, planeelasticity::kStressTabModulus, "-1", "Young's modulus should be > 0",
       "Για το μέτρο ελαστικότητας του Young θα πρέπει να ισχύει: E>0"},
      {1, planeelasticity::kStrainTabModulus, "e", "Young's modulus should be > 0",
       "Για το μέτρο ελαστικότητας του Young θα πρέπει να ισχύει: E>0"},
      {0, planeelasticity::kStressTabPoisson, "0.6", "Poisson's ratio should be in the range: 0<n<0.5",
       "Για το λόγο του Poisson θα πρέπει να ισχύει: 0<ν<0,5"},
      // -1 has no finite stresses: refused, where it used to pass.
      {1, planeelasticity::kStrainTabPoisson, "-1", "Poisson's ratio should be in the range: 0<n<0.5",
       "Για το λόγο του Poisson θα πρέπει να ισχύει: 0<ν<0,5"},
      {0, planeelasticity::kStressTabPoisson, "-1.5", "Poisson's ratio should be in the range: 0<n<0.5",
       "Για το λόγο του Poisson θα πρέπει να ισχύει: 0<ν<0,5"},
  };
  Project.PlaneElasticity.Ex = 0.001;
  Project.PlaneStressIn.Sx = 10;
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      EnglishMenus = english;
      Open();
      ShowTab(c.tab);
      boxes_->Clear();
      Paste(c.box, QString::fromUtf8(c.text));
      ASSERT_EQ(Messages().size(), 1u) << c.text;
      EXPECT_EQ(LastMessage(), QString::fromUtf8(english ? c.english : c.greek));
      EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus()) << c.text;
      Press(planeelasticity::kOk);
      EXPECT_TRUE(Dialog().isVisible()) << c.text;
    }
  }
  // Nothing above was stored.
  Current().close();
  EXPECT_EQ(Project.PlaneStressTabConstants.E, 0.0f);
  EXPECT_TRUE(Project.FileSaved);
}

TEST_F(PlaneElasticityDialogTest, ResultsWithoutAFiniteValueAreEmptied) {
  Project.PlaneElasticity.Ex = 0.001;
  Project.PlaneStressTabConstants = {1000, 0.25f};
  Project.PlaneStressIn = {10, 0, 5};
  Project.PlaneStrainTabConstants = {1000, 0.25f};
  Open();
  // Plane strain with nu = 0.5: no stresses, where the last ones stayed.
  Press(planeelasticity::kStressTabPlaneStrain);
  EXPECT_EQ(Text(planeelasticity::kSx), QStringLiteral("1.200"));
  Type(planeelasticity::kStressTabPoisson, QStringLiteral("0.5"));
  ExpectTexts({{planeelasticity::kSx, ""}, {planeelasticity::kSy, ""}, {planeelasticity::kTxy, ""}});
  Press(planeelasticity::kStressTabPlaneStress);  // plane stress divides by 1 - nu^2 = 0.75
  ExpectTexts({{planeelasticity::kSx, "1.333"}, {planeelasticity::kSy, "0.667"}});
  // E = 0 passes; on tab 1 it leaves no strains, on tab 0 a zero state.
  ShowTab(1);
  EXPECT_EQ(Text(planeelasticity::kExOut), QStringLiteral("0.010000"));
  Type(planeelasticity::kStrainTabModulus, QStringLiteral("0"));
  ExpectTexts({{planeelasticity::kExOut, ""}, {planeelasticity::kEyOut, ""}, {planeelasticity::kGxyOut, ""}});
  ShowTab(0);
  Type(planeelasticity::kStressTabModulus, QStringLiteral("0"));
  ExpectTexts({{planeelasticity::kSx, "0.000"}, {planeelasticity::kSy, "0.000"}});
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PlaneElasticityDialogTest, OkStoresBothTabsWithTheirAssumptions) {
  Open();
  Type(planeelasticity::kEx, QStringLiteral("0.002"));
  Type(planeelasticity::kStressTabModulus, QStringLiteral("500"));
  Press(planeelasticity::kStressTabPlaneStrain);
  ShowTab(1);
  Press(planeelasticity::kStrainTabPlaneStrain);
  Type(planeelasticity::kSyIn, QStringLiteral("-7.5"));
  Type(planeelasticity::kStrainTabModulus, QStringLiteral("2000"));
  Press(planeelasticity::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.PlaneElasticity.Ex, 0.002);
  EXPECT_EQ(Project.PlaneStressTabConstants.E, 500.0f);
  EXPECT_EQ(Project.PlaneStressIn.Sy, -7.5f);
  EXPECT_EQ(Project.PlaneStrainTabConstants.E, 2000.0f);
  EXPECT_EQ(Project.PlaneElasticity.Tab, PlaneElasticityTab::Strain);
  EXPECT_EQ(Project.PlaneElasticity.StressTabAssumption,
            PlaneAssumption::PlaneStrain);  // chosen on the tab not in view
  EXPECT_EQ(Project.PlaneElasticity.StrainTabAssumption, PlaneAssumption::PlaneStrain);
  EXPECT_FALSE(Project.FileSaved);

  Open();  // reopens on the tab and with the assumptions stored
  EXPECT_EQ(Control<QTabWidget>(planeelasticity::kTabs)->currentIndex(), 1);
  EXPECT_TRUE(Control<QAbstractButton>(planeelasticity::kStressTabPlaneStrain)->isChecked());
  EXPECT_TRUE(Control<QAbstractButton>(planeelasticity::kStrainTabPlaneStrain)->isChecked());
  EXPECT_EQ(Text(planeelasticity::kSyIn), QStringLiteral("-7.500"));
  Type(planeelasticity::kSyIn, QStringLiteral("3"));
  Press(planeelasticity::kCancel);
  Open();
  Type(planeelasticity::kSyIn, QStringLiteral("4"));
  Dialog().close();  // the close box is a Cancel
  EXPECT_EQ(Project.PlaneStressIn.Sy, -7.5f);
}

TEST_F(PlaneElasticityDialogTest, OkWithoutEditsKeepsTheStoredValuesWhole) {
  Project.PlaneElasticity = {0.00025,
                             -0.00012,
                             0.000123456789,
                             PlaneElasticityTab::Stress,
                             PlaneAssumption::PlaneStrain,
                             PlaneAssumption::PlaneStress};
  Project.PlaneStressTabConstants = {1234.5678f, 0.123456789f};
  Project.PlaneStressIn = {12345.678f, -0.00012f, 0.5f};
  Project.PlaneStrainTabConstants = {30000, 1.5e-5f};
  const ProjectRecord before = Project;
  Open();
  // Longer than the 7 characters a user may type, and shown whole.
  ExpectTexts({{planeelasticity::kEx, "0.000250"},
               {planeelasticity::kStressTabPoisson, "0.1234568"},
               {planeelasticity::kSxIn, "12345.680"},
               {planeelasticity::kStrainTabPoisson, "1.5E-05"}});
  Focus(planeelasticity::kStressTabPoisson);
  Focus(planeelasticity::kEy);
  Press(planeelasticity::kOk);
  EXPECT_EQ(Project.PlaneElasticity.Ex, before.PlaneElasticity.Ex);
  EXPECT_EQ(Project.PlaneElasticity.Ey, before.PlaneElasticity.Ey);
  EXPECT_EQ(Project.PlaneElasticity.Gxy, before.PlaneElasticity.Gxy);
  EXPECT_EQ(Project.PlaneElasticity.StressTabAssumption, PlaneAssumption::PlaneStrain);
  EXPECT_EQ(Project.PlaneStressTabConstants.E, before.PlaneStressTabConstants.E);
  EXPECT_EQ(Project.PlaneStressTabConstants.Nu, before.PlaneStressTabConstants.Nu);
  EXPECT_EQ(Project.PlaneStressIn.Sx, before.PlaneStressIn.Sx);
  EXPECT_EQ(Project.PlaneStressIn.Sy, before.PlaneStressIn.Sy);
  EXPECT_EQ(Project.PlaneStrainTabConstants.Nu, before.PlaneStrainTabConstants.Nu);
}

TEST_F(PlaneElasticityDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Control<QLineEdit>(planeelasticity::kEx)->accessibleName(), QStringLiteral("ε x (1 από 2)"));
  EXPECT_EQ(Control<QLineEdit>(planeelasticity::kExOut)->accessibleName(), QStringLiteral("ε x (2 από 2)"));
  EXPECT_EQ(Control<QLineEdit>(planeelasticity::kStrainTabPoisson)->accessibleName(), QStringLiteral("v (2 από 2)"));
  EXPECT_TRUE(Control<QLineEdit>(planeelasticity::kSx)->isReadOnly());
  EXPECT_EQ(Control<QTabWidget>(planeelasticity::kTabs)->tabText(1),
            QStringLiteral("Υπολογισμός παραμορφωσιακής κατάστασης"));
}

TEST_F(PlaneElasticityDialogTest, RenderBothTabsInBothLanguages) {
  Project.PlaneElasticity = {
      0.001, 0.0002, -0.0005, PlaneElasticityTab::Stress, PlaneAssumption::PlaneStress, PlaneAssumption::PlaneStrain};
  Project.PlaneStressTabConstants = {20000, 0.25f};
  Project.PlaneStressIn = {10, -4, 5};
  Project.PlaneStrainTabConstants = {20000, 0.25f};
  test::EachLanguage([&](const QString& language) {
    Open();
    for (int tab : {0, 1}) {
      ShowTab(tab);
      test::SaveRender(Dialog(), QStringLiteral("plane-%1-tab%2").arg(language).arg(tab));
    }
  });
  EXPECT_TRUE(Messages().empty());
}

// The four elasticity tools open their dialogs.
TEST(ElasticityMenuEntries, TheToolsOpenTheirDialogs) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<PlaneElasticityDialog>(Tool::PlaneElasticity);
  test::ExpectToolOpens<Elasticity3DDialog>(Tool::Elasticity3D);
  test::ExpectToolOpens<RosetteDialog>(Tool::StrainRosette);
  test::ExpectToolOpens<TransformationDialog>(Tool::Transformation);
  ClearTools();
}

}  // namespace
}  // namespace brantel
