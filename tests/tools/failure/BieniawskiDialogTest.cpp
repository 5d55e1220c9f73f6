#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "tools/failure/BieniawskiDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace brantel {
namespace {

class BieniawskiDialogTest : public test::CriterionDialogTest<BieniawskiDialog> {
 protected:
  // The reset record's A = 5 and k = 0.75, with Co = 100.
  static void Store(float sx, float sy, StressGraph graph = StressGraph::None) {
    Project.BieniawskiStress = StressInput{sx, sy, 0, graph};
    Project.BieniawskiInput.Co = 100;
  }
  BieniawskiPlot* Plot() const { return Control<BieniawskiPlot>(bieniawski::kPlot); }
  std::vector<QLineF> Envelope() const { return test::SegmentsOf(*Plot(), FailurePlot::kTeal); }
};

TEST_F(BieniawskiDialogTest, VerdictsOnTheTotalAndTheEffectiveStresses) {
  Store(100, 0);
  Open();
  EXPECT_EQ(Text(bieniawski::kFailureVerdict), QStringLiteral("Range Error"));  // uniaxial: s2 = 0
  // s2 = 10: the limit s1 = 100 (1 + 5 x 0.1^0.75) = 188.9.
  Type(bieniawski::kSy, QStringLiteral("10"));
  EXPECT_EQ(Text(bieniawski::kFailureVerdict), QStringLiteral("False"));
  Type(bieniawski::kSx, QStringLiteral("189"));
  EXPECT_EQ(Text(bieniawski::kFailureVerdict), QStringLiteral("True"));
  Type(bieniawski::kStrength, QStringLiteral("0"));
  EXPECT_EQ(Text(bieniawski::kFailureVerdict), QString());
  EXPECT_TRUE(Dialog().WorkingParams().Failure);  // kept

  Type(bieniawski::kStrength, QStringLiteral("100"));
  Press(bieniawski::kPoreOption);
  Type(bieniawski::kPorePressure, QStringLiteral("10"));  // s2 - P = 0
  EXPECT_EQ(Text(bieniawski::kPoreFailureVerdict), QStringLiteral("Range Error"));
  // s2 - P = 5: the limit s1 - P = 152.9, passed by 189 - 5.
  Type(bieniawski::kPorePressure, QStringLiteral("5"));
  EXPECT_EQ(Text(bieniawski::kPoreFailureVerdict), QStringLiteral("True"));
  Type(bieniawski::kPorePressure, QStringLiteral("0"));
  EXPECT_EQ(Text(bieniawski::kPoreFailureVerdict), QString());
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Failure Analysis based on the Bieniawski criterion.")));
}

TEST_F(BieniawskiDialogTest, EmptyBoxesBecomeZeroAndEachFaultIsShownOnce) {
  Store(100, 10);
  Open();
  Type(bieniawski::kSy, QString());
  EXPECT_EQ(Text(bieniawski::kSy), QStringLiteral("0"));
  EXPECT_EQ(Control<QLineEdit>(bieniawski::kSy)->selectedText(), QStringLiteral("0"));
  EXPECT_EQ(Text(bieniawski::kFailureVerdict), QStringLiteral("Range Error"));
  Type(bieniawski::kSy, QStringLiteral("10"));

  Paste(bieniawski::kTxy, QStringLiteral("abc"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for txy"));
  // An emptied box beside a bad one: the bad one speaks, once.
  Paste(bieniawski::kSx, QString());
  EXPECT_EQ(Text(bieniawski::kSx), QStringLiteral("0"));
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for txy"));
  // OK refuses the bad box; closing then commits nothing.
  Press(bieniawski::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.BieniawskiStress.Sx, 100.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  boxes_->Clear();
  Type(bieniawski::kParameterK, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("k > 0"));
  EnglishMenus = false;
  Type(bieniawski::kParameterA, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για την Παράμετρο Α"));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(BieniawskiDialogTest, ValidationMessages) {
  Store(100, 10);
  Open();
  ExpectEachRefused(
      {
          {bieniawski::kSy, "abc", "Invalid value for sy"},
          {bieniawski::kTxy, "-4", "txy > 0"},
          {bieniawski::kParameterA, "-1", "A > 0"},
          {bieniawski::kParameterK, "k", "Invalid value for Parameter k"},
          {bieniawski::kStrength, "5e40", "Invalid value for Uniaxial Compressive Strength"},
      },
      bieniawski::kS1, QStringLiteral("100.000"));
  EnglishMenus = false;
  Paste(bieniawski::kStrength, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για την Αντοχή"));
  EnglishMenus = true;
  Paste(bieniawski::kStrength, QStringLiteral("100"));

  // An emptied material box becomes "0" like a stress box, and a bad box
  // beside an emptied one speaks once for each edit.
  boxes_->Clear();
  Type(bieniawski::kStrength, QString());
  EXPECT_EQ(Text(bieniawski::kStrength), QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());
  Paste(bieniawski::kParameterA, QStringLiteral("-1"));
  Paste(bieniawski::kSy, QString());
  EXPECT_EQ(Text(bieniawski::kSy), QStringLiteral("0"));
  Paste(bieniawski::kStrength, QString());
  EXPECT_EQ(Text(bieniawski::kStrength), QStringLiteral("0"));
  ASSERT_EQ(Messages().size(), 3u);
  for (const test::ShownBox& shown : Messages()) EXPECT_EQ(shown.prompt, QStringLiteral("A > 0"));
}

// The pore pressure is read only while its option is ticked: whatever its
// greyed box holds meanwhile is not judged, and clearing the option leaves
// the box empty rather than "0".
TEST_F(BieniawskiDialogTest, ThePorePressureCountsOnlyWhileItsOptionIsTicked) {
  Store(100, 10);
  Open();
  ASSERT_FALSE(Enabled(bieniawski::kPorePressure));
  Paste(bieniawski::kPorePressure, QStringLiteral("abc"));
  EXPECT_TRUE(Messages().empty());
  Press(bieniawski::kPoreOption);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid Pore Pressure"));
  EXPECT_TRUE(Control<QLineEdit>(bieniawski::kPorePressure)->hasFocus());
  Paste(bieniawski::kPorePressure, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("P > 0"));
  EXPECT_EQ(Messages().size(), 2u);
  Type(bieniawski::kPorePressure, QString());
  EXPECT_EQ(Text(bieniawski::kPorePressure), QStringLiteral("0"));
  EXPECT_EQ(Messages().size(), 2u);
  Type(bieniawski::kPorePressure, QStringLiteral("5"));
  EXPECT_EQ(Text(bieniawski::kPoreFailureVerdict), QStringLiteral("False"));
  Press(bieniawski::kPoreOption);
  EXPECT_EQ(Text(bieniawski::kPorePressure), QString());
  EXPECT_EQ(Text(bieniawski::kPoreFailureVerdict), QString());
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(BieniawskiDialogTest, OkCommitsAndWithoutEditsKeepsTheStoredValues) {
  Project.BieniawskiStress = StressInput{12.34567f, 3.21098f, 0.00042f, StressGraph::MohrCircle};
  Project.BieniawskiInput.Co = 98.76543f;
  Project.BieniawskiInput.UsePore = true;
  Project.BieniawskiInput.PorePressure = 0.12345f;
  const ProjectRecord stored = Project;
  Open();
  EXPECT_EQ(Dialog().width(), 716);  // the plot kept with the inputs
  Focus(bieniawski::kStrength);
  Focus(bieniawski::kSx);
  Press(bieniawski::kOk);
  EXPECT_EQ(Project.BieniawskiStress.Sx, stored.BieniawskiStress.Sx);
  EXPECT_EQ(Project.BieniawskiStress.GraphOption, StressGraph::MohrCircle);
  EXPECT_EQ(Project.BieniawskiInput.Co, stored.BieniawskiInput.Co);
  EXPECT_EQ(Project.BieniawskiInput.PorePressure, stored.BieniawskiInput.PorePressure);
  EXPECT_FALSE(Project.FileSaved);

  Open();
  Press(bieniawski::kPoreOption);
  Press(bieniawski::kGraphSwitch);
  Type(bieniawski::kSx, QStringLiteral("200"));
  Press(bieniawski::kOk);
  EXPECT_EQ(Project.BieniawskiStress.GraphOption, StressGraph::None);
  EXPECT_FALSE(Project.BieniawskiInput.UsePore);
  EXPECT_EQ(Project.BieniawskiPrincipal.S1, 200.0f);
  EXPECT_TRUE(Project.BieniawskiInput.Failure);
}

TEST_F(BieniawskiDialogTest, EnvelopeRangesAndReadOut) {
  // k = 0: the envelope is the line y = Co (1 + A), joined to (0, Co) by a
  // vertical segment.
  Store(3, 1, StressGraph::MohrCircle);
  Project.BieniawskiInput.K = 0;
  Open();
  const std::vector<QLineF> lines = Envelope();
  ASSERT_EQ(lines.size(), 4u);  // x = 0 to 3
  EXPECT_DOUBLE_EQ(lines[0].x1(), lines[0].x2());
  for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_DOUBLE_EQ(lines[i].y1(), lines[i].y2());
  EXPECT_NEAR(lines[0].y1() - lines[0].y2(), 500 * Plot()->VerticalScale(), 0.5);

  // The zoom bar scales both axes: s1 = 10, s2 = 0 at zoom 20.
  Type(bieniawski::kSx, QStringLiteral("10"));
  Type(bieniawski::kSy, QStringLiteral("0"));
  Control<QScrollBar>(bieniawski::kZoomBar)->setValue(20);
  EXPECT_FLOAT_EQ(Plot()->XRange(), 30.0f);
  EXPECT_FLOAT_EQ(Plot()->YRange(), 30.0f);

  // The internal read-out gives the horizontal range in English only.
  ShowInternalPlotCoords = true;
  Plot()->OnPointerMoved(600, 300);
  EXPECT_EQ(Text(bieniawski::kInternalCoordinates),
            QStringLiteral("Int. Coordinates: (X=600, Y=300)") + BieniawskiReadoutTail(Plot()->XMin(), Plot()->XMax()));
  EnglishMenus = false;
  Plot()->OnPointerMoved(600, 300);
  EXPECT_EQ(Text(bieniawski::kInternalCoordinates), QStringLiteral("Εσωτ. Συντεταγμένες: (X=600, Y=300)"));
}

// The worked example of the tool's help page.
TEST_F(BieniawskiDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  Project.BieniawskiStress = StressInput{200, 20, 10, StressGraph::MohrCircle};
  Project.BieniawskiInput.Co = 100;
  Project.BieniawskiInput.UsePore = true;
  Project.BieniawskiInput.PorePressure = 10;
  Open();
  test::ExpectShown(text, {{bieniawski::kParameterA, "5.000"},
                           {bieniawski::kParameterK, "0.750"},
                           {bieniawski::kS1, "200.554"},
                           {bieniawski::kS1Direction, "3.170"},
                           {bieniawski::kS2, "19.446"},
                           {bieniawski::kS2Direction, "-86.830"},
                           {bieniawski::kFailureVerdict, "False"},
                           {bieniawski::kPoreFailureVerdict, "True"}});
  Type(bieniawski::kPorePressure, QStringLiteral("25"));
  test::ExpectShown(text, {{bieniawski::kFailureVerdict, "False"}, {bieniawski::kPoreFailureVerdict, "Range Error"}});
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
