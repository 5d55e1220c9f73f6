#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/PointLoadDialog.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace brantel {
namespace {

class PointLoadDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ResetProjectRecord(Project, ProjectNameOnReset::Untitled, UnitsOnReset::Kept);  // Q = 100, R = 3, Z = 2
  }
  PointLoadDialog& Open() { return DialogTest::Open<PointLoadDialog>(); }
  PointLoadDialog& Dialog() const { return static_cast<PointLoadDialog&>(Current()); }
  // A press on the section at a place in twips from its corner.
  void PressSection(int xTwips, int yTwips) {
    QTest::mouseClick(Control(pointload::kVerticalSection), Qt::LeftButton, {},
                      QPoint(qRound(xTwips / 15.0), qRound(yTwips / 15.0)));
  }
};

TEST_F(PointLoadDialogTest, TheDefaultsAndTheSingularPoints) {
  const QString history = History();
  Open();
  EXPECT_EQ(History(), history);  // this tool writes no history line
  EXPECT_EQ(Text(pointload::kPointLoad), QStringLiteral("100"));
  EXPECT_EQ(Text(pointload::kHorizontalDistance), QStringLiteral("3"));
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QStringLiteral("0.63"));
  EXPECT_EQ(Text(pointload::kWestergaardStress), QStringLiteral("0.62"));
  struct Case {
    const char *r, *z, *boussinesq, *westergaard;
  };
  const Case cases[] = {
      {"0", "1", "47.75", "31.83"},
      {"0", "0", "9999", "9999"},  // under the load itself
      {"3", "0", "0.00", "9999"},  // on the surface beside it
      {"", "-", "9999", "9999"},   // partial entries count as 0
  };
  for (const Case& c : cases) {
    Type(pointload::kHorizontalDistance, QString::fromLatin1(c.r));
    Type(pointload::kVerticalDistance, QString::fromLatin1(c.z));
    EXPECT_EQ(Text(pointload::kBoussinesqStress), QString::fromLatin1(c.boussinesq)) << c.r << " " << c.z;
    EXPECT_EQ(Text(pointload::kWestergaardStress), QString::fromLatin1(c.westergaard)) << c.r << " " << c.z;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PointLoadDialogTest, ValidationMessages) {
  Open();
  Type(pointload::kVerticalDistance, QStringLiteral("2x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kVerticalDistance)->hasFocus());  // the focus stays
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QStringLiteral("0.63"));      // the results stay
  Type(pointload::kVerticalDistance, QStringLiteral("2"));
  Type(pointload::kHorizontalDistance, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Horizontal distance should be positive"));
  Type(pointload::kHorizontalDistance, QStringLiteral("3"));
  // A negative line load computes nothing at once; the next change of Q
  // reports it, and its box gets the focus.
  const std::size_t shown = Messages().size();
  Type(pointload::kLineLoad, QStringLiteral("-5"));
  EXPECT_EQ(Messages().size(), shown);
  Type(pointload::kPointLoad, QStringLiteral("50"));
  EXPECT_EQ(LastMessage(), QStringLiteral("The load should be positive"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kLineLoad)->hasFocus());
  EnglishMenus = false;
  Type(pointload::kLineLoad, QStringLiteral("5"));
  Type(pointload::kVerticalDistance, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Η κατακόρυφη απόσταση πρέπει να έχει θετική τιμή!"));
  Paste(pointload::kVerticalDistance, QStringLiteral("1e999"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Κάποια τιμή δεν έχει αριθμητική μορφή!"));
}

// Every box is read before any value is checked, and the values in the
// order R, Z, Q, Qm, strip load.
TEST_F(PointLoadDialogTest, EveryBoxIsReadBeforeAnyValueIsChecked) {
  Open();
  Type(pointload::kStripLoad, QStringLiteral("-1"));
  Type(pointload::kVerticalDistance, QStringLiteral("-2"));
  Type(pointload::kHorizontalDistance, QStringLiteral("-3"));
  Type(pointload::kLineLoad, QStringLiteral("1e39"));  // beyond a 32-bit value
  Type(pointload::kPointLoad, QStringLiteral("50"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kPointLoad)->hasFocus());
  Type(pointload::kLineLoad, QStringLiteral("1"));
  Type(pointload::kPointLoad, QStringLiteral("60"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Horizontal distance should be positive"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kHorizontalDistance)->hasFocus());
  Type(pointload::kHorizontalDistance, QStringLiteral("3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Vertical distance should be positive"));
  Type(pointload::kVerticalDistance, QStringLiteral("2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("The load should be positive"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kStripLoad)->hasFocus());
}

TEST_F(PointLoadDialogTest, APressOnTheSectionSetsRAndZ) {
  Open();
  PressSection(2500, 3000);
  EXPECT_EQ(Text(pointload::kHorizontalDistance), QStringLiteral("2.5"));
  EXPECT_EQ(Text(pointload::kVerticalDistance), QStringLiteral("3.0"));
  // 3 Q Z^3 / (2 pi (R^2 + Z^2)^2.5) with Q = 100.
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QStringLiteral("1.42"));
  EXPECT_EQ(Text(pointload::kWestergaardStress), QStringLiteral("0.96"));
  Press(pointload::kOk);
  EXPECT_EQ(Project.PointLoadR, 2.5f);
  EXPECT_EQ(Project.PointLoadZ, 3.0f);
}

TEST_F(PointLoadDialogTest, TheKindOfLoadChangesOnlyWithOk) {
  Project.PointLoadType = PointLoadKind::Strip;
  Open();
  EXPECT_TRUE(Control<QRadioButton>(pointload::kPointKind)->isChecked());
  Press(pointload::kCancel);
  EXPECT_EQ(Project.PointLoadType, PointLoadKind::Strip);  // opening and cancelling changes nothing
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Dialog().close();
  EXPECT_EQ(Project.PointLoadType, PointLoadKind::Strip);

  Open();
  Press(pointload::kOk);
  EXPECT_EQ(Project.PointLoadType, PointLoadKind::Point);
  Open();
  Press(pointload::kLineKind);
  Press(pointload::kOk);
  EXPECT_EQ(Project.PointLoadType, PointLoadKind::Line);
  EXPECT_FALSE(Project.FileSaved);
}

TEST_F(PointLoadDialogTest, ARefusedOkStoresNothingWhenTheDialogIsClosed) {
  Open();
  Type(pointload::kPointLoad, QStringLiteral("250"));
  Type(pointload::kStripLoad, QStringLiteral("-1"));
  Press(pointload::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("The load should be positive"));
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.PointLoadQ, 100.0f);
  EXPECT_EQ(Project.StripLoadQ, 100.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(pointload::kPointLoad, QStringLiteral("250"));
  Type(pointload::kLineLoad, QStringLiteral("12.5"));
  Press(pointload::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.PointLoadQ, 250.0f);
  EXPECT_EQ(Project.LineLoadQm, 12.5f);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(PointLoadDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.PointLoadQ = 123.456789f;
  Project.LineLoadQm = 1e-9f;
  Project.PointLoadR = 0.1f;
  Project.PointLoadZ = 2.71828183f;
  const ProjectRecord stored = Project;
  Open();
  EXPECT_EQ(Text(pointload::kPointLoad), QStringLiteral("123.4568"));
  Focus(pointload::kHorizontalDistance);
  Focus(pointload::kVerticalDistance);
  Press(pointload::kOk);
  EXPECT_EQ(Project.PointLoadQ, stored.PointLoadQ);
  EXPECT_EQ(Project.LineLoadQm, stored.LineLoadQm);
  EXPECT_EQ(Project.PointLoadR, stored.PointLoadR);
  EXPECT_EQ(Project.PointLoadZ, stored.PointLoadZ);
}

TEST_F(PointLoadDialogTest, AStoredValueThatFailsShowsItsMessageAndTheDialogOpens) {
  Project.PointLoadR = -1;
  Open();
  EXPECT_EQ(LastMessage(), QStringLiteral("Horizontal distance should be positive"));
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QString());
}

TEST_F(PointLoadDialogTest, TheStripWidthStaysDisabledAndBoxesCarryTheirNames) {
  Open();
  EXPECT_FALSE(Enabled(pointload::kStripWidth));
  EXPECT_FALSE(Enabled(pointload::kStripWidthLabel));
  EXPECT_EQ(Control(pointload::kLineLoad)->accessibleName(), QStringLiteral("Line Load Qm:"));
  EXPECT_EQ(Control(pointload::kLineKind)->accessibleName(), QStringLiteral("Line Load Qm:"));
  EXPECT_EQ(Control(pointload::kVerticalDistance)->accessibleName(), QStringLiteral("Vertical Distance Z:"));
  EXPECT_EQ(Control(pointload::kWestergaardStress)->accessibleName(), QStringLiteral("Westergaard Dsv"));
  EXPECT_TRUE(Control<QLineEdit>(pointload::kBoussinesqStress)->isReadOnly());
}

TEST_F(PointLoadDialogTest, RenderBothLanguages) {
  test::EachLanguage([&](const QString& language) {
    Open();
    test::SaveRender(Dialog(), QStringLiteral("pointload-") + language);
  });
}

TEST(PointLoadMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<PointLoadDialog>(Tool::PointLoad);
  ClearTools();
}

// The worked example of the tool's help page (in kN and m).
TEST_F(PointLoadDialogTest, HelpPageExample) {
  Open();
  Type(pointload::kPointLoad, QStringLiteral("500"));
  Type(pointload::kHorizontalDistance, QStringLiteral("1"));
  Type(pointload::kVerticalDistance, QStringLiteral("2"));
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QStringLiteral("34.16"));
  EXPECT_EQ(Text(pointload::kWestergaardStress), QStringLiteral("21.66"));
  Type(pointload::kHorizontalDistance, QStringLiteral("0"));
  EXPECT_EQ(Text(pointload::kBoussinesqStress), QStringLiteral("59.68"));
  EXPECT_EQ(Text(pointload::kWestergaardStress), QStringLiteral("39.79"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
