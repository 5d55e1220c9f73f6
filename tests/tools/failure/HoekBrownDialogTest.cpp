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

class HoekDialogTest : public test::CriterionDialogTest<frmHoek> {
 protected:
  // Intact rock, Co = 100 and m = 7: s1 = 100 at s2 = 0 is the limit.
  static void StoreIntact(float sx, float sy, float txy = 0, qint16 graph = 0) {
    Project.HoekStress = StressInput{sx, sy, txy, graph};
    Project.HoekInput.Co = 100;
    Project.HoekInput.M = 7;
  }
  PrincipalCriterionPlot* Plot() const { return Control<PrincipalCriterionPlot>(u"Picture1"); }
  int Count(QRgb colour, PlotItem::Type type) const {
    return static_cast<int>(test::ItemsOf(*Plot(), colour, type).size());
  }
  int EnvelopeSegments() const { return static_cast<int>(test::SegmentsOf(*Plot(), FailurePlot::kTeal).size()); }
};

TEST_F(HoekDialogTest, EveryEditIsJudgedOnTheBoxesAsTheyStand) {
  StoreIntact(100, 0);
  Open();
  EXPECT_EQ(Text(u"Text11"), QStringLiteral("100.000"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("False"));  // a tie holds
  Type(u"Text1", QStringLiteral("100.01"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("True"));
  EXPECT_EQ(Dialog().WorkingParams().Failure, -1);
  // Pure shear 50: s2 = -50 lies beyond the tensile limit of m = 7.
  Type(u"Text1", QStringLiteral("0"));
  Type(u"Text3", QStringLiteral("50"));
  EXPECT_EQ(Text(u"Text13"), QStringLiteral("-50.000"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("True"));
  // A zero strength gives no verdict and keeps the flag.
  Type(u"Text5", QStringLiteral("0"));
  EXPECT_EQ(Text(u"Text8"), QString());
  EXPECT_EQ(Dialog().WorkingParams().Failure, -1);

  // The generalized criterion with its defaults: the limit s1 = 100 x 0.2^0.5.
  Type(u"Text3", QStringLiteral("0"));
  Press(u"optType(1)");
  Type(u"Text25", QStringLiteral("100"));
  EXPECT_FALSE(Enabled(u"Text5"));
  EXPECT_TRUE(Enabled(u"Text28"));
  EXPECT_EQ(Control<QScrollBar>(u"HScroll1")->value(), 1);
  Type(u"Text1", QStringLiteral("44"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("False"));
  Type(u"Text1", QStringLiteral("45"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("True"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Failure Analysis based on the Hoek - Brown criterion.")));

  // Another project: the dialog judges its stresses, not the last ones.
  Dialog().close();
  StoreIntact(50, 0);
  Open();
  EXPECT_EQ(Text(u"Text11"), QStringLiteral("50.000"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("False"));
}

TEST_F(HoekDialogTest, PorePressure) {
  StoreIntact(120, 10);
  Open();
  EXPECT_FALSE(Enabled(u"Text4"));
  Press(u"chkPore");
  // s1 = 120 holds at s2 = 10 (limit 140.4); P = 9 fails it (limit 104.4 + 1).
  Type(u"Text4", QStringLiteral("9"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("False"));
  EXPECT_EQ(Text(u"Text9"), QStringLiteral("True"));
  // P beyond s2: beyond the tensile limit.
  Type(u"Text4", QStringLiteral("30"));
  EXPECT_EQ(Text(u"Text9"), QStringLiteral("True"));
  Type(u"Text4", QStringLiteral("0"));
  EXPECT_EQ(Text(u"Text9"), QString());
  Type(u"Text4", QStringLiteral("9"));
  Press(u"chkPore");
  EXPECT_EQ(Text(u"Text4"), QString());
  EXPECT_EQ(Text(u"Text9"), QString());
  EXPECT_FALSE(Enabled(u"Text9"));
  EXPECT_EQ(Dialog().WorkingParams().PorePressure, 0.0f);
  EXPECT_EQ(Control<QCheckBox>(u"chkPore")->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(u"Text25")->accessibleName(),
            QStringLiteral("Uniaxial Compressive Strength (Intact-Pieces)"));
}

TEST_F(HoekDialogTest, ValidationMessages) {
  StoreIntact(40, 10);
  Open();
  Press(u"optType(1)");
  struct Case {
    const char16_t* box;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {u"Text1", "abc", "Invalid value for sx"},
      {u"Text2", "-1", "sy > 0"},
      {u"Text3", "1e39", "Invalid value for txy"},
      {u"Text25", "-1", "Co > 0"},
      {u"Text28", "x", "Invalid value for Parameter a"},
      {u"Text26", "-3", "mb > 0"},
  };
  for (const Case& c : cases) {
    boxes_->Clear();
    const QString before = Text(c.box);
    Paste(c.box, QString::fromUtf8(c.text));
    ASSERT_EQ(Messages().size(), 1u) << c.text;
    EXPECT_EQ(LastMessage(), QString::fromUtf8(c.message)) << c.text;
    EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus()) << c.text;
    EXPECT_EQ(Text(u"Text11"), QStringLiteral("40.000"));  // the results stay
    Paste(c.box, before);
  }
  // The boxes of the type not selected must hold valid numbers as well.
  boxes_->Clear();
  Paste(u"Text6", QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("m > 0"));
  Paste(u"Text6", QStringLiteral("7"));
  boxes_->Clear();
  Type(u"Text2", QStringLiteral("-"));  // a number being typed
  Type(u"Text3", QString());
  EXPECT_TRUE(Messages().empty());
  Press(u"chkPore");
  Type(u"Text4", QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("P > 0"));
  EnglishMenus = 0;
  Type(u"Text4", QStringLiteral("q"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά τη πίεση πόρων"));
}

TEST_F(HoekDialogTest, OkCommitsAndKeepsTheReservedFieldsCancelAndTheCloseBoxDoNot) {
  StoreIntact(1.23456f, 0.54321f, 0.00042f, 1);
  HoekParams& p = Project.HoekInput;
  p.UsePore = 1;
  p.PorePressure = 0.12345f;
  p.M = 7.654321f;
  p.Reserved1 = 1.5f;
  p.Reserved2 = -2.25e-7f;
  p.Reserved3 = 3e38f;
  const StressInput stress = Project.HoekStress;
  const HoekParams params = p;

  Open();
  Type(u"Text1", QStringLiteral("60"));
  Press(u"cmdCancel");
  Open();
  Type(u"Text1", QStringLiteral("60"));
  Type(u"Text2", QStringLiteral("-1"));
  Press(u"CmdOk");  // refused
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.HoekStress.Sx, stress.Sx);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  // OK without edits: every stored value as it was, the results computed.
  Open();
  Focus(u"Text2");
  Focus(u"Text6");
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.HoekStress.Sx, stress.Sx);
  EXPECT_EQ(Project.HoekStress.Sy, stress.Sy);
  EXPECT_EQ(Project.HoekStress.Txy, stress.Txy);
  EXPECT_EQ(Project.HoekStress.GraphOption, 1);
  EXPECT_EQ(Project.HoekInput.PorePressure, params.PorePressure);
  EXPECT_EQ(Project.HoekInput.M, params.M);
  EXPECT_EQ(Project.HoekInput.UsePore, 1);
  EXPECT_EQ(Project.HoekPrincipal.S1, FailurePrincipalStresses(stress).S1);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);

  // An edit commits; the reserved fields pass through OK and the file.
  Open();
  Type(u"Text1", QStringLiteral("150"));
  Press(u"optType(1)");
  Type(u"Text25", QStringLiteral("100"));
  Press(u"CmdOk");
  EXPECT_EQ(Project.HoekStress.Sx, 150.0f);
  EXPECT_EQ(Project.HoekInput.CriterionType, 1);
  EXPECT_EQ(Project.HoekInput.Failure, -1);
  for (int k = 0; k < kProjectSignatureCount; ++k)
    ProjectSignatures[static_cast<std::size_t>(k)] = QStringLiteral("BRANTEL_%1").arg(100 + k);
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
  Press(u"chkGraph");
  EXPECT_EQ(Dialog().width(), 716);  // 10740 twips
  EXPECT_TRUE(Plot()->Items().empty());  // no stress, nothing drawn

  // s1 = 10.3: the envelope from (0, Co) through x = 0, 0.5, ... 11.
  Type(u"Text5", QStringLiteral("100"));
  Type(u"Text1", QStringLiteral("10.3"));
  EXPECT_EQ(EnvelopeSegments(), 23);
  EXPECT_EQ(Count(FailurePlot::kTeal, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("100.0"));

  // s1 = 10, s2 = 0 at zoom 20: horizontally -10 .. 20, vertically 20.
  Type(u"Text1", QStringLiteral("10"));
  Control<QScrollBar>(u"HScroll1")->setValue(20);
  EXPECT_FLOAT_EQ(Plot()->XRange(), 30.0f);
  EXPECT_FLOAT_EQ(Plot()->YRange(), 20.0f);
  // s1 = 10, s2 = 8 on a reset: 13.2 across (1.2 x 11), 4 up.
  Type(u"Text2", QStringLiteral("8"));
  Press(u"chkGraph");
  Press(u"chkGraph");
  EXPECT_FLOAT_EQ(Plot()->XRange(), 13.2f);
  EXPECT_FLOAT_EQ(Plot()->YRange(), 4.0f);
  // A state without spread (sx = sy) is drawn too: the vertical span 1.2 x 10.
  Type(u"Text2", QStringLiteral("10"));
  EXPECT_FLOAT_EQ(Plot()->YRange(), 12.0f);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);
  EXPECT_EQ(Count(FailurePlot::kTeal, PlotItem::Type::Dot), 1);
  EXPECT_GT(EnvelopeSegments(), 0);
  Type(u"Text2", QStringLiteral("8"));

  // The effective point only while s2 - P > 0.
  Press(u"chkPore");
  Type(u"Text4", QStringLiteral("8"));
  EXPECT_EQ(Count(FailurePlot::kRed, PlotItem::Type::Dot), 0);
  Type(u"Text4", QStringLiteral("7.9"));
  EXPECT_EQ(Count(FailurePlot::kRed, PlotItem::Type::Dot), 1);
  // No strength, no envelope; the state is still drawn.
  Type(u"Text5", QStringLiteral("0"));
  EXPECT_EQ(EnvelopeSegments(), 0);
  EXPECT_EQ(Count(FailurePlot::kBlue, PlotItem::Type::Dot), 1);

  // Stresses in psi: the envelope keeps to a bounded number of points.
  Paste(u"Text5", QStringLiteral("15000"));
  Paste(u"Text1", QStringLiteral("3000000"));
  EXPECT_EQ(EnvelopeSegments(), kMaxEnvelopeSteps + 1);
  // Principal stresses beyond the 32-bit range: no results, nothing drawn.
  Paste(u"Text2", QStringLiteral("3e38"));
  Paste(u"Text3", QStringLiteral("3e38"));
  EXPECT_EQ(Text(u"Text11"), QString());
  EXPECT_EQ(Text(u"Text8"), QString());
  EXPECT_TRUE(Plot()->Items().empty());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
}

// Renders of the three principal-plane tools, with their plots, in both
// languages (to look at, not compared).
TEST_F(HoekDialogTest, RenderThePrincipalPlaneTools) {
  StoreIntact(150, 20);
  Project.HoekInput.UsePore = 1;
  Project.HoekInput.PorePressure = 4;
  Project.BieniawskiStress = StressInput{60, 10, 5, 0};
  Project.BieniawskiInput.Co = 40;
  Project.BieniawskiInput.UsePore = 1;
  Project.BieniawskiInput.PorePressure = 4;
  Project.VonMisesStress = StressInput{6, 2, 2, 0};
  Project.VonMisesInput.TensileStrength = 8;
  for (int view = 0; view < 3; ++view) {
    // Greek and English with the plot, English without it.
    EnglishMenus = view == 0 ? 0 : 1;
    EnableMohrCircles = view < 2 ? 1 : 0;
    const QString language = QStringList{"el", "en", "en-narrow"}[view];
    auto save = [&](const char* name) {
      test::SaveRender(Current(), QStringLiteral("%1-%2").arg(QLatin1String(name), language));
      Current().close();
    };
    DialogTest::Open<frmHoek>();
    save("hoek");
    DialogTest::Open<frmBieniawski>();
    save("bieniawski");
    DialogTest::Open<frmVonMises>();
    save("vonmises");
  }
}

// The worked example of the tool's help page: intact rock, then the
// generalized criterion for the same state.
TEST_F(HoekDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  StoreIntact(110, 10, 5, 1);
  Project.HoekInput.CoMass = 100;
  Project.HoekInput.UsePore = 1;
  Project.HoekInput.PorePressure = 5;
  Open();
  test::ExpectShown(text, {{u"Text11", "110.249"}, {u"Text12", "2.855"}, {u"Text13", "9.751"},
                           {u"Text14", "-87.145"}, {u"Text8", "False"}, {u"Text9", "False"}});
  Press(u"optType(1)");
  test::ExpectShown(text, {{u"Text26", "10.000"}, {u"Text27", "0.200"}, {u"Text28", "0.500"}, {u"Text8", "False"},
                           {u"Text9", "True"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(PrincipalPlaneMenuEntries, FailureItems4To6AndQuickButtons35To37OpenTheTools) {
  ClearTools();
  RegisterProgramTools();
  const struct {
    int item;
    int code;
    Tool tool;
  } entries[] = {{4, 35, Tool::Bieniawski}, {5, 36, Tool::HoekBrown}, {6, 37, Tool::VonMises}};
  for (const auto& e : entries) test::ExpectFailureEntry(e.tool, e.item, e.code);
  ClearTools();
}

}  // namespace
}  // namespace brantel
