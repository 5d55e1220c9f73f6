#include "core/Globals.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "tools/failure/BieniawskiDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"
#include "tools/failure/HoekBrownDialog.h"
#include "tools/failure/VonMisesDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace brantel {
namespace {

class HoekDialogTest : public test::CriterionDialogTest<HoekBrownDialog> {
 protected:
  // Intact rock, Co = 100 and m = 7: s1 = 100 at s2 = 0 is the limit.
  static void StoreIntact(float sx, float sy, float txy = 0, StressGraph graph = StressGraph::None) {
    Project.HoekStress = StressInput{sx, sy, txy, graph};
    Project.HoekInput.Co = 100;
    Project.HoekInput.M = 7;
  }
  PrincipalCriterionPlot* Plot() const { return Control<PrincipalCriterionPlot>(hoek::kPlot); }
  int Count(QRgb colour, PlotItem::Type type) const {
    return static_cast<int>(test::ItemsOf(*Plot(), colour, type).size());
  }
  int EnvelopeSegments() const { return static_cast<int>(test::SegmentsOf(*Plot(), FailurePlot::kTeal).size()); }
};

TEST_F(HoekDialogTest, EveryEditIsJudgedOnTheBoxesAsTheyStand) {
  StoreIntact(100, 0);
  Open();
  EXPECT_EQ(Text(hoek::kS1), QStringLiteral("100.000"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("False"));  // a tie holds
  Type(hoek::kSx, QStringLiteral("100.01"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("True"));
  EXPECT_TRUE(Dialog().WorkingParams().Failure);
  // Pure shear 50: s2 = -50 lies beyond the tensile limit of m = 7.
  Type(hoek::kSx, QStringLiteral("0"));
  Type(hoek::kTxy, QStringLiteral("50"));
  EXPECT_EQ(Text(hoek::kS2), QStringLiteral("-50.000"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("True"));
  // A zero strength gives no verdict and keeps the flag.
  Type(hoek::kIntactStrength, QStringLiteral("0"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QString());
  EXPECT_TRUE(Dialog().WorkingParams().Failure);

  // The generalized criterion with its defaults: the limit s1 = 100 x 0.2^0.5.
  Type(hoek::kTxy, QStringLiteral("0"));
  Press(hoek::kGeneralized);
  Type(hoek::kPiecesStrength, QStringLiteral("100"));
  EXPECT_FALSE(Enabled(hoek::kIntactStrength));
  EXPECT_TRUE(Enabled(hoek::kParameterA));
  EXPECT_EQ(Control<QScrollBar>(hoek::kZoomBar)->value(), 1);
  Type(hoek::kSx, QStringLiteral("44"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("False"));
  Type(hoek::kSx, QStringLiteral("45"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("True"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Failure Analysis based on the Hoek - Brown criterion.")));

  // Another project: the dialog judges its stresses, not the last ones.
  Dialog().close();
  StoreIntact(50, 0);
  Open();
  EXPECT_EQ(Text(hoek::kS1), QStringLiteral("50.000"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("False"));
}

TEST_F(HoekDialogTest, PorePressure) {
  StoreIntact(120, 10);
  Open();
  EXPECT_FALSE(Enabled(hoek::kPorePressure));
  Press(hoek::kPoreOption);
  // s1 = 120 holds at s2 = 10 (limit 140.4); P = 9 fails it (limit 104.4 + 1).
  Type(hoek::kPorePressure, QStringLiteral("9"));
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("False"));
  EXPECT_EQ(Text(hoek::kPoreFailureVerdict), QStringLiteral("True"));
  // P beyond s2: beyond the tensile limit.
  Type(hoek::kPorePressure, QStringLiteral("30"));
  EXPECT_EQ(Text(hoek::kPoreFailureVerdict), QStringLiteral("True"));
  Type(hoek::kPorePressure, QStringLiteral("0"));
  EXPECT_EQ(Text(hoek::kPoreFailureVerdict), QString());
  Type(hoek::kPorePressure, QStringLiteral("9"));
  Press(hoek::kPoreOption);
  EXPECT_EQ(Text(hoek::kPorePressure), QString());
  EXPECT_EQ(Text(hoek::kPoreFailureVerdict), QString());
  EXPECT_FALSE(Enabled(hoek::kPoreFailureVerdict));
  EXPECT_EQ(Dialog().WorkingParams().PorePressure, 0.0f);
  EXPECT_EQ(Control<QCheckBox>(hoek::kPoreOption)->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(hoek::kPiecesStrength)->accessibleName(),
            QStringLiteral("Uniaxial Compressive Strength (Intact-Pieces)"));
}

TEST_F(HoekDialogTest, ValidationMessages) {
  StoreIntact(40, 10);
  Open();
  Press(hoek::kGeneralized);
  ExpectEachRefused(
      {
          {hoek::kSx, "abc", "Invalid value for sx"},
          {hoek::kSy, "-1", "sy > 0"},
          {hoek::kTxy, "1e39", "Invalid value for txy"},
          {hoek::kPiecesStrength, "-1", "Co > 0"},
          {hoek::kParameterA, "x", "Invalid value for Parameter a"},
          {hoek::kParameterMb, "-3", "mb > 0"},
      },
      hoek::kS1, QStringLiteral("40.000"));
  // The boxes of the type not selected must hold valid numbers as well.
  boxes_->Clear();
  Paste(hoek::kParameterM, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("m > 0"));
  Paste(hoek::kParameterM, QStringLiteral("7"));
  boxes_->Clear();
  Type(hoek::kSy, QStringLiteral("-"));  // a number being typed
  Type(hoek::kTxy, QString());
  EXPECT_TRUE(Messages().empty());
  Press(hoek::kPoreOption);
  Type(hoek::kPorePressure, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("P > 0"));
  EnglishMenus = false;
  Type(hoek::kPorePressure, QStringLiteral("q"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά τη πίεση πόρων"));
}

// The stresses are read, all three, before any of their signs is judged,
// and so are the six material boxes, whichever criterion type is chosen.
TEST_F(HoekDialogTest, EachGroupIsReadWholeBeforeItsSignsAreJudged) {
  StoreIntact(40, 10);
  Open();
  Paste(hoek::kSx, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("sx > 0"));
  // A later stress that is no number speaks before the sign of an earlier one.
  Paste(hoek::kTxy, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for txy"));
  EXPECT_TRUE(Control<QLineEdit>(hoek::kTxy)->hasFocus());
  EnglishMenus = false;
  Paste(hoek::kTxy, QStringLiteral("y"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το τxy"));
  EnglishMenus = true;
  Paste(hoek::kTxy, QStringLiteral("0"));
  EXPECT_EQ(LastMessage(), QStringLiteral("sx > 0"));
  EXPECT_TRUE(Control<QLineEdit>(hoek::kSx)->hasFocus());
  Paste(hoek::kSx, QStringLiteral("40"));
  boxes_->Clear();
  Type(hoek::kSx, QStringLiteral("-."));  // a number being typed
  EXPECT_TRUE(Messages().empty());
  Type(hoek::kSx, QStringLiteral("40"));
  EXPECT_EQ(Text(hoek::kS1), QStringLiteral("40.000"));

  // Intact rock chosen, the generalized criterion's strength is still judged.
  Paste(hoek::kPiecesStrength, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Co > 0"));
  Paste(hoek::kParameterMb, QStringLiteral("b"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for Parameter mb"));
}

// The pore pressure is read only while its option is ticked: whatever its
// greyed box holds meanwhile is neither judged nor kept.
TEST_F(HoekDialogTest, ThePorePressureCountsOnlyWhileItsOptionIsTicked) {
  StoreIntact(120, 10);
  Open();
  ASSERT_FALSE(Enabled(hoek::kPorePressure));
  Paste(hoek::kPorePressure, QStringLiteral("abc"));
  Paste(hoek::kPorePressure, QStringLiteral("-2"));
  Type(hoek::kSx, QStringLiteral("130"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(hoek::kFailureVerdict), QStringLiteral("False"));
  Press(hoek::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.HoekStress.Sx, 130.0f);
  EXPECT_FALSE(Project.HoekInput.UsePore);
  EXPECT_EQ(Project.HoekInput.PorePressure, 0.0f);

  // Ticked, the same texts are refused, the focus back in the box.
  Open();
  Press(hoek::kPoreOption);
  Paste(hoek::kPorePressure, QStringLiteral("abc"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid Pore Pressure"));
  EXPECT_TRUE(Control<QLineEdit>(hoek::kPorePressure)->hasFocus());
  Paste(hoek::kPorePressure, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("P > 0"));
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(HoekDialogTest, OkCommitsAndKeepsTheReservedFieldsCancelAndTheCloseBoxDoNot) {
  StoreIntact(1.23456f, 0.54321f, 0.00042f, StressGraph::MohrCircle);
  HoekParams& p = Project.HoekInput;
  p.UsePore = true;
  p.PorePressure = 0.12345f;
  p.M = 7.654321f;
  p.Reserved1 = 1.5f;
  p.Reserved2 = -2.25e-7f;
  p.Reserved3 = 3e38f;
  const StressInput stress = Project.HoekStress;
  const HoekParams params = p;

  Open();
  Type(hoek::kSx, QStringLiteral("60"));
  Press(hoek::kCancel);
  Open();
  Type(hoek::kSx, QStringLiteral("60"));
  Type(hoek::kSy, QStringLiteral("-1"));
  Press(hoek::kOk);  // refused
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.HoekStress.Sx, stress.Sx);
  EXPECT_TRUE(Project.FileSaved);

  // OK without edits: every stored value as it was, the results computed.
  Open();
  Focus(hoek::kSy);
  Focus(hoek::kParameterM);
  Press(hoek::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.HoekStress.Sx, stress.Sx);
  EXPECT_EQ(Project.HoekStress.Sy, stress.Sy);
  EXPECT_EQ(Project.HoekStress.Txy, stress.Txy);
  EXPECT_EQ(Project.HoekStress.GraphOption, StressGraph::MohrCircle);
  EXPECT_EQ(Project.HoekInput.PorePressure, params.PorePressure);
  EXPECT_EQ(Project.HoekInput.M, params.M);
  EXPECT_TRUE(Project.HoekInput.UsePore);
  EXPECT_EQ(Project.HoekPrincipal.S1, FailurePrincipalStresses(stress).S1);
  EXPECT_FALSE(Project.FileSaved);

  // An edit commits; the reserved fields pass through OK and the file.
  Open();
  Type(hoek::kSx, QStringLiteral("150"));
  Press(hoek::kGeneralized);
  Type(hoek::kPiecesStrength, QStringLiteral("100"));
  Press(hoek::kOk);
  EXPECT_EQ(Project.HoekStress.Sx, 150.0f);
  EXPECT_EQ(Project.HoekInput.CriterionType, HoekCriterion::Generalized);
  EXPECT_TRUE(Project.HoekInput.Failure);
  SetProjectSignatures();
  ProjectRecord read;
  const ProjectReadResult result = ReadProjectBytes(ProjectFileBytes(Project), QStringLiteral("h.bnl"), read);
  ASSERT_TRUE(result.read) << result.message.toStdString();
  for (const HoekParams* h : {&Project.HoekInput, &read.HoekInput}) {
    EXPECT_EQ(h->Reserved1, params.Reserved1);
    EXPECT_EQ(h->Reserved2, params.Reserved2);
    EXPECT_EQ(h->Reserved3, params.Reserved3);
  }
}

TEST_F(HoekDialogTest, PlotRangesEnvelopeAndPoints) {
  Open();
  EXPECT_EQ(Dialog().width(), 427);  // 6405 twips
  Press(hoek::kGraphSwitch);
  EXPECT_EQ(Dialog().width(), 716);      // 10740 twips
  EXPECT_TRUE(Plot()->Items().empty());  // no stress, nothing drawn

  // s1 = 10.3: the envelope from (0, Co) through x = 0, 0.5, ... 11.
  Type(hoek::kIntactStrength, QStringLiteral("100"));
  Type(hoek::kSx, QStringLiteral("10.3"));
  EXPECT_EQ(EnvelopeSegments(), 23);
  EXPECT_EQ(Count(FailurePlot::kTeal, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("100.0"));

  // s1 = 10, s2 = 0 at zoom 20: horizontally -10 .. 20, vertically 20.
  Type(hoek::kSx, QStringLiteral("10"));
  Control<QScrollBar>(hoek::kZoomBar)->setValue(20);
  EXPECT_FLOAT_EQ(Plot()->XRange(), 30.0f);
  EXPECT_FLOAT_EQ(Plot()->YRange(), 20.0f);
  // s1 = 10, s2 = 8 on a reset: 13.2 across (1.2 x 11), 4 up.
  Type(hoek::kSy, QStringLiteral("8"));
  Press(hoek::kGraphSwitch);
  Press(hoek::kGraphSwitch);
  EXPECT_FLOAT_EQ(Plot()->XRange(), 13.2f);
  EXPECT_FLOAT_EQ(Plot()->YRange(), 4.0f);
  // A state without spread (sx = sy) is drawn too: the vertical span 1.2 x 10.
  Type(hoek::kSy, QStringLiteral("10"));
  EXPECT_FLOAT_EQ(Plot()->YRange(), 12.0f);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Count(FailurePlot::kTeal, PlotItem::Type::Dot), 1);
  EXPECT_GT(EnvelopeSegments(), 0);
  Type(hoek::kSy, QStringLiteral("8"));

  // The effective point only while s2 - P > 0.
  Press(hoek::kPoreOption);
  Type(hoek::kPorePressure, QStringLiteral("8"));
  EXPECT_EQ(Count(FailurePlot::kRed, PlotItem::Type::Dot), 0);
  Type(hoek::kPorePressure, QStringLiteral("7.9"));
  EXPECT_EQ(Count(FailurePlot::kRed, PlotItem::Type::Dot), 1);
  // No strength, no envelope; the state is still drawn.
  Type(hoek::kIntactStrength, QStringLiteral("0"));
  EXPECT_EQ(EnvelopeSegments(), 0);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);

  // Stresses in psi: the envelope keeps to a bounded number of points.
  Paste(hoek::kIntactStrength, QStringLiteral("15000"));
  Paste(hoek::kSx, QStringLiteral("3000000"));
  EXPECT_EQ(EnvelopeSegments(), kMaxEnvelopeSteps + 1);
  // Principal stresses beyond the 32-bit range: no results, nothing drawn.
  Paste(hoek::kSy, QStringLiteral("3e38"));
  Paste(hoek::kTxy, QStringLiteral("3e38"));
  EXPECT_EQ(Text(hoek::kS1), QString());
  EXPECT_EQ(Text(hoek::kFailureVerdict), QString());
  EXPECT_TRUE(Plot()->Items().empty());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
}

// Renders of the three principal-plane tools, with their plots, in both
// languages (to look at, not compared).
TEST_F(HoekDialogTest, RenderThePrincipalPlaneTools) {
  StoreIntact(150, 20);
  Project.HoekInput.UsePore = true;
  Project.HoekInput.PorePressure = 4;
  Project.BieniawskiStress = StressInput{60, 10, 5, StressGraph::None};
  Project.BieniawskiInput.Co = 40;
  Project.BieniawskiInput.UsePore = true;
  Project.BieniawskiInput.PorePressure = 4;
  Project.VonMisesStress = StressInput{6, 2, 2, StressGraph::None};
  Project.VonMisesInput.TensileStrength = 8;
  for (int view = 0; view < 3; ++view) {
    // Greek and English with the plot, English without it.
    EnglishMenus = view != 0;
    EnableMohrCircles = view < 2;
    const QString language = QStringList{"el", "en", "en-narrow"}[view];
    auto save = [&](const char* name) {
      test::SaveRender(Current(), QStringLiteral("%1-%2").arg(QLatin1String(name), language));
      Current().close();
    };
    DialogTest::Open<HoekBrownDialog>();
    save("hoek");
    DialogTest::Open<BieniawskiDialog>();
    save("bieniawski");
    DialogTest::Open<VonMisesDialog>();
    save("vonmises");
  }
}

// The worked example of the tool's help page: intact rock, then the
// generalized criterion for the same state.
TEST_F(HoekDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  StoreIntact(110, 10, 5, StressGraph::MohrCircle);
  Project.HoekInput.CoMass = 100;
  Project.HoekInput.UsePore = true;
  Project.HoekInput.PorePressure = 5;
  Open();
  test::ExpectShown(text, {{hoek::kS1, "110.249"},
                           {hoek::kS1Direction, "2.855"},
                           {hoek::kS2, "9.751"},
                           {hoek::kS2Direction, "-87.145"},
                           {hoek::kFailureVerdict, "False"},
                           {hoek::kPoreFailureVerdict, "False"}});
  Press(hoek::kGeneralized);
  test::ExpectShown(text, {{hoek::kParameterMb, "10.000"},
                           {hoek::kParameterS, "0.200"},
                           {hoek::kParameterA, "0.500"},
                           {hoek::kFailureVerdict, "False"},
                           {hoek::kPoreFailureVerdict, "True"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(PrincipalPlaneMenuEntries, TheToolsOpenTheirDialogs) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<BieniawskiDialog>(Tool::Bieniawski);
  test::ExpectToolOpens<HoekBrownDialog>(Tool::HoekBrown);
  test::ExpectToolOpens<VonMisesDialog>(Tool::VonMises);
  ClearTools();
}

}  // namespace
}  // namespace brantel
