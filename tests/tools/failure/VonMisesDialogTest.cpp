#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "tools/failure/FailureDialogTestSupport.h"
#include "tools/failure/FailurePlot.h"
#include "tools/failure/VonMisesDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace brantel {
namespace {

class VonMisesDialogTest : public test::CriterionDialogTest<VonMisesDialog> {
 protected:
  static void Store(float sx, float sy, float txy, float t, StressGraph graph = StressGraph::None) {
    Project.VonMisesStress = StressInput{sx, sy, txy, graph};
    Project.VonMisesInput.TensileStrength = t;
  }
  PrincipalCriterionPlot* Plot() const { return Control<PrincipalCriterionPlot>(vonmises::kPlot); }
  int EnvelopeSegments() const { return static_cast<int>(test::SegmentsOf(*Plot(), FailurePlot::kTeal).size()); }
};

TEST_F(VonMisesDialogTest, VerdictsAndTheOkButton) {
  Store(100, 0, 0, 100);
  Open();
  EXPECT_EQ(Text(vonmises::kVonMisesStress), QStringLiteral("100.00"));
  EXPECT_EQ(Text(vonmises::kFailureVerdict), QStringLiteral("True"));  // reaching T fails
  EXPECT_TRUE(Enabled(vonmises::kOk));
  // Nothing to judge without a strength: no verdict, no OK.
  Type(vonmises::kTensileStrength, QStringLiteral("0"));
  EXPECT_EQ(Text(vonmises::kFailureVerdict), QString());
  EXPECT_EQ(Text(vonmises::kVonMisesStress), QStringLiteral("100.00"));
  EXPECT_FALSE(Enabled(vonmises::kOk));
  EXPECT_TRUE(Dialog().WorkingInput().Failure);
  // Pure shear 10: sv = 300^0.5.
  Type(vonmises::kTensileStrength, QStringLiteral("20"));
  Type(vonmises::kSx, QStringLiteral("0"));
  Type(vonmises::kTxy, QStringLiteral("10"));
  EXPECT_EQ(Text(vonmises::kVonMisesStress), QStringLiteral("17.32"));
  EXPECT_EQ(Text(vonmises::kFailureVerdict), QStringLiteral("False"));
  EXPECT_TRUE(Enabled(vonmises::kOk));
  Type(vonmises::kTxy, QString());  // becomes "0": no stress at all
  EXPECT_EQ(Text(vonmises::kTxy), QStringLiteral("0"));
  EXPECT_EQ(Text(vonmises::kFailureVerdict), QString());
  EXPECT_FALSE(Enabled(vonmises::kOk));
  // A negative strength is taken: every state fails.
  Type(vonmises::kTensileStrength, QStringLiteral("-5"));
  Type(vonmises::kSy, QStringLiteral("-1"));
  EXPECT_EQ(Text(vonmises::kFailureVerdict), QStringLiteral("True"));
  EXPECT_TRUE(Messages().empty());

  Paste(vonmises::kTensileStrength, QStringLiteral("t"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid tensile strength"));
  Press(vonmises::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_EQ(Messages().size(), 2u);
  EnglishMenus = false;
  Paste(vonmises::kSx, QStringLiteral("z"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σx"));
  Dialog().close();
  EXPECT_EQ(Project.VonMisesInput.TensileStrength, 100.0f);
  EXPECT_TRUE(Project.FileSaved);
}

// Every box is read as a whole entry, without a sign rule: the first that
// is no number is refused, and an emptied one becomes "0".
TEST_F(VonMisesDialogTest, TheFirstBoxThatIsNoNumberSpeaks) {
  Store(80, 20, 30, 100);
  Open();
  Paste(vonmises::kTensileStrength, QStringLiteral("t"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid tensile strength"));
  Paste(vonmises::kSy, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_TRUE(Control<QLineEdit>(vonmises::kSy)->hasFocus());
  // An emptied box before it: "0", and the bad box still speaks, once.
  Paste(vonmises::kSx, QString());
  EXPECT_EQ(Text(vonmises::kSx), QStringLiteral("0"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_EQ(Messages().size(), 3u);
  Paste(vonmises::kSy, QStringLiteral("20"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid tensile strength"));
  EnglishMenus = false;
  Paste(vonmises::kTensileStrength, QStringLiteral("u"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Λάθος αντοχή σε εφελκυσμό"));
  EXPECT_EQ(Messages().size(), 5u);
  Type(vonmises::kTensileStrength, QString());
  EXPECT_EQ(Text(vonmises::kTensileStrength), QStringLiteral("0"));
  EXPECT_EQ(Messages().size(), 5u);
  EXPECT_FALSE(Enabled(vonmises::kOk));  // nothing to judge without a strength
}

TEST_F(VonMisesDialogTest, ACommitLeavesThePlotToEnableMohrCircles) {
  Store(6.54321f, -3.21f, 2.0001f, 8.765432f, StressGraph::MohrCircle);
  const ProjectRecord stored = Project;
  Open();
  EXPECT_EQ(Dialog().width(), 612);  // a stored plot shows at the opening (9180 twips)
  // From (0, T) over (T, T) to (T, 0), and the state.
  EXPECT_EQ(EnvelopeSegments(), static_cast<int>(VonMisesEnvelope(8.765432f).Points.size()) - 1);
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("8.8"));
  Press(vonmises::kOk);
  EXPECT_EQ(Project.VonMisesStress.GraphOption, StressGraph::None);
  EXPECT_EQ(Project.VonMisesStress.Sx, stored.VonMisesStress.Sx);
  EXPECT_EQ(Project.VonMisesStress.Txy, stored.VonMisesStress.Txy);
  EXPECT_EQ(Project.VonMisesInput.TensileStrength, stored.VonMisesInput.TensileStrength);
  EXPECT_TRUE(Project.VonMisesInput.Failure);  // sv = 9.28
  EXPECT_FALSE(Project.FileSaved);

  // Reopened: without EnableMohrCircles no plot, with it the plot of the
  // loaded state; OK with the plot on still stores 0.
  Open();
  EXPECT_FALSE(Control<QCheckBox>(vonmises::kGraphSwitch)->isChecked());
  EXPECT_EQ(Dialog().width(), 318);  // 4770 twips
  Press(vonmises::kGraphSwitch);
  Press(vonmises::kOk);
  EXPECT_EQ(Project.VonMisesStress.GraphOption, StressGraph::None);
  EnableMohrCircles = true;
  Open();
  EXPECT_TRUE(Control<QCheckBox>(vonmises::kGraphSwitch)->isChecked());
  EXPECT_EQ(Dialog().width(), 612);
  EXPECT_GT(EnvelopeSegments(), 0);
  Press(vonmises::kHelp);
  EXPECT_EQ(LastMessage(),
            QStringLiteral("Position the cursor on any item on the form and press F1 for context-sensitive Help"));
  EXPECT_EQ(Control<QLineEdit>(vonmises::kTensileStrength)->accessibleName(), QStringLiteral("Tensile Strength"));
  EXPECT_EQ(Control<QLineEdit>(vonmises::kVonMisesStress)->accessibleName(), QStringLiteral("Von Mises Stress"));
}

// The worked example of the tool's help page.
TEST_F(VonMisesDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  Store(80, 20, 30, 100, StressGraph::MohrCircle);
  Open();
  test::ExpectShown(text, {{vonmises::kVonMisesStress, "88.88"}, {vonmises::kFailureVerdict, "False"}});
  Type(vonmises::kTensileStrength, QStringLiteral("80"));
  test::ExpectShown(text, {{vonmises::kVonMisesStress, "88.88"}, {vonmises::kFailureVerdict, "True"}});
  EXPECT_TRUE(Enabled(vonmises::kOk));
}

}  // namespace
}  // namespace brantel
