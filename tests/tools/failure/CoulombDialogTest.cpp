#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "tools/failure/CoulombDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <cmath>

namespace brantel {
namespace {

class CoulombDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    EnableMohrCircles = false;
    Project.CoulombStress = StressInput{};
    Project.CoulombInput = CoulombParams{};
    Project.CoulombPrincipal = Principal2D{};
  }
  // c = 5 and phi = 30 given, UCS = 17.321 derived: the strength is
  // s1f = 3 s2 + 17.321.
  static void StoreMaterial(float sx, float sy, StressGraph graph = StressGraph::None) {
    Project.CoulombStress = StressInput{sx, sy, 0, graph};
    Project.CoulombInput.Cohesion = 5;
    Project.CoulombInput.FrictionAngle = 30;
    Project.CoulombInput.ParamOption = CoulombDerived::UniaxialStrength;
  }
  CoulombDialog& Open() { return DialogTest::Open<CoulombDialog>(); }
  CoulombDialog& Dialog() const { return static_cast<CoulombDialog&>(Current()); }
  CoulombPlot* Plot() const { return Control<CoulombPlot>(coulomb::kPlot); }
  // The drawn items of a colour.
  std::vector<PlotItem> ItemsOf(QRgb colour, PlotItem::Type type) const { return test::ItemsOf(*Plot(), colour, type); }
};

TEST_F(CoulombDialogTest, TypingDerivesTheThirdParameterAndJudges) {
  Open();
  Press(coulomb::kDeriveStrength);  // the strength is derived
  EXPECT_TRUE(Control<QLineEdit>(coulomb::kUniaxialStrength)->isReadOnly());
  EXPECT_FALSE(Control<QLineEdit>(coulomb::kCohesion)->isReadOnly());
  Type(coulomb::kCohesion, QStringLiteral("5"));
  Type(coulomb::kFrictionAngle, QStringLiteral("30"));
  Type(coulomb::kSx, QStringLiteral("40"));
  Type(coulomb::kSy, QStringLiteral("10"));
  EXPECT_EQ(Text(coulomb::kUniaxialStrength), QStringLiteral("17.321"));
  EXPECT_EQ(Text(coulomb::kS1), QStringLiteral("40.000"));
  EXPECT_EQ(Text(coulomb::kS2), QStringLiteral("10.000"));
  EXPECT_EQ(Text(coulomb::kS1Direction), QStringLiteral("0.00"));
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("false"));
  EXPECT_EQ(Text(coulomb::kFailureAngle), QString());
  EXPECT_EQ(Text(coulomb::kShearAtFailure), QString());

  // Past the strength 47.32: failure, the plane at (90 - 0) + 45 + 15 and
  // the shear on it 20 sin 120.
  Type(coulomb::kSx, QStringLiteral("50"));
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("true"));
  EXPECT_EQ(Text(coulomb::kFailureAngle), QStringLiteral("150.0"));
  EXPECT_EQ(Text(coulomb::kShearAtFailure), QStringLiteral("17.321"));
  // Back below it: no stale angle or shear.
  Type(coulomb::kSx, QStringLiteral("45"));
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("false"));
  EXPECT_EQ(Text(coulomb::kFailureAngle), QString());
  EXPECT_EQ(Text(coulomb::kShearAtFailure), QString());

  // The other derivations from the same pair: phi from c and UCS, and c
  // from UCS and phi; the box that becomes derived starts from 0.
  Press(coulomb::kDeriveFriction);
  EXPECT_EQ(Text(coulomb::kFrictionAngle), QStringLiteral("30.0"));
  Type(coulomb::kUniaxialStrength, QStringLiteral("10"));  // UCS = 2c: no friction
  EXPECT_EQ(Text(coulomb::kFrictionAngle), QStringLiteral("0.0"));
  Type(coulomb::kCohesion, QStringLiteral("0"));
  EXPECT_EQ(Text(coulomb::kFrictionAngle), QStringLiteral("0"));
  Press(coulomb::kDeriveCohesion);
  EXPECT_EQ(Text(coulomb::kCohesion), QStringLiteral("5.000"));  // c = UCS / 2 at phi = 0
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Determination of shear failure plane based on Coulomb's theory.")));
}

TEST_F(CoulombDialogTest, ValidationMessages) {
  StoreMaterial(40, 10);
  Open();
  struct Case {
    const char* box;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {coulomb::kSx, "-1", "Invalid value for sx"},
      {coulomb::kSy, "12a", "Invalid value for sy"},
      {coulomb::kTxy, "1e39", "Invalid value for txy"},
      {coulomb::kCohesion, "abc", "Invalid value for material cohesion"},
      {coulomb::kFrictionAngle, "90", "Invalid value for material friction angle"},
      {coulomb::kFrictionAngle, "-95", "Invalid value for material friction angle"},
      {coulomb::kFrictionAngle, "135", "Invalid value for material friction angle"},
  };
  for (const Case& c : cases) {
    boxes_->Clear();
    Type(c.box, QString::fromUtf8(c.text));
    ASSERT_FALSE(Messages().empty()) << c.text;
    EXPECT_EQ(LastMessage(), QString::fromUtf8(c.message)) << c.text;
    EXPECT_TRUE(Control<QLineEdit>(c.box)->hasFocus()) << c.text;
    Type(c.box, QStringLiteral("1"));
  }
  // The pore pressure counts only while its option is on.
  boxes_->Clear();
  EXPECT_FALSE(Enabled(coulomb::kPorePressure));
  Press(coulomb::kPoreOption);
  EXPECT_TRUE(Enabled(coulomb::kPorePressure));
  Type(coulomb::kPorePressure, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for Pore Pressure"));
  EnglishMenus = false;
  Type(coulomb::kSx, QStringLiteral("-3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σx"));
}

TEST_F(CoulombDialogTest, PorePressureVerdicts) {
  StoreMaterial(40, 10);
  Project.CoulombInput.UsePore = true;
  Project.CoulombInput.PorePressure = 5;
  Open();
  // s1 - P = 35 against 3 x 5 + 17.32: only the pore pressure fails it.
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("false"));
  EXPECT_EQ(Text(coulomb::kPoreFailureVerdict), QStringLiteral("true"));
  EXPECT_EQ(Text(coulomb::kFailureAngle), QStringLiteral("150.0"));
  EXPECT_EQ(Text(coulomb::kShearAtFailure), QString());
  EXPECT_EQ(Text(coulomb::kPoreNotice), QString());
  // Above s2 the pore pressure is not let act.
  Type(coulomb::kPorePressure, QStringLiteral("12"));
  EXPECT_EQ(Text(coulomb::kPoreNotice), QStringLiteral(" pore>σ2"));
  EXPECT_EQ(Text(coulomb::kPoreFailureVerdict), QStringLiteral("false"));
  // No pore pressure, or the option off: nothing to say.
  Type(coulomb::kPorePressure, QStringLiteral("0"));
  EXPECT_EQ(Text(coulomb::kPoreFailureVerdict), QString());
  Type(coulomb::kPorePressure, QStringLiteral("5"));
  Press(coulomb::kPoreOption);
  EXPECT_FALSE(Enabled(coulomb::kPoreFailureVerdict));
  EXPECT_EQ(Text(coulomb::kPoreFailureVerdict), QString());
  EXPECT_EQ(Text(coulomb::kFailureAngle), QString());
  EXPECT_EQ(Dialog().WorkingParams().PorePressure, 0.0f);
}

TEST_F(CoulombDialogTest, LimitSearchesWriteTheBoxOnce) {
  // sx = 10 holds; raising sy fails once s1 = sy reaches 3 x 10 + 17.32.
  StoreMaterial(10, 0);
  Open();
  int changes = 0;
  QObject::connect(Control<QLineEdit>(coulomb::kSy), &QLineEdit::textChanged, [&] { ++changes; });
  Press(coulomb::kUpperLimit);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Text(coulomb::kSy), QStringLiteral("47.33"));
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("true"));
  EXPECT_TRUE(Messages().empty());
  Press(coulomb::kUpperLimit);
  EXPECT_EQ(LastMessage(), QStringLiteral("Material is already failed"));
  EXPECT_EQ(changes, 1);

  // Lowering sx from 20 with sy = 10 and c = 1: s2 = sx fails at or below
  // (10 - 3.464) / 3.
  StoreMaterial(20, 10);
  Project.CoulombInput.Cohesion = 1;
  Open();
  Press(coulomb::kLowerLimit);
  EXPECT_EQ(Text(coulomb::kSx), QStringLiteral("2.17"));
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("true"));

  // Nothing to reach: a message, and the box stays.
  boxes_->Clear();
  Project.CoulombInput = CoulombParams{};
  Open();
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QString());  // nothing to judge, nothing stale
  Press(coulomb::kUpperLimit);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Failure cannot be reached by changing this stress"));
  EXPECT_EQ(Text(coulomb::kSy), QStringLiteral("10.000"));
  // A box that cannot be read gives its own message and no search.
  Paste(coulomb::kSx, QStringLiteral("abc"));
  boxes_->Clear();
  Press(coulomb::kLowerLimit);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sx"));
}

// The boxes are judged in their order, each as soon as it is read; the
// pore pressure only while its option is ticked, the strength parameters
// whatever their sign.
TEST_F(CoulombDialogTest, TheBoxesAreJudgedInOrder) {
  StoreMaterial(40, 10);
  Open();
  Paste(coulomb::kSy, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  Paste(coulomb::kSx, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sx"));
  EXPECT_TRUE(Control<QLineEdit>(coulomb::kSx)->hasFocus());
  Paste(coulomb::kSx, QStringLiteral("40"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  Paste(coulomb::kSy, QStringLiteral("10"));

  // A negative pore pressure is refused while the option is ticked; cleared,
  // the box keeps its text and nothing is judged by it.
  Press(coulomb::kPoreOption);
  Type(coulomb::kPorePressure, QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for Pore Pressure"));
  boxes_->Clear();
  Press(coulomb::kPoreOption);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(coulomb::kPorePressure), QStringLiteral("-2"));
  Type(coulomb::kTxy, QStringLiteral("-50"));  // a negative shear stress is taken
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("true"));

  // Negative strength parameters are taken too.
  Type(coulomb::kTxy, QStringLiteral("0"));
  Type(coulomb::kCohesion, QStringLiteral("-5"));
  Type(coulomb::kFrictionAngle, QStringLiteral("-30"));
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(Text(coulomb::kUniaxialStrength).isEmpty());
  Press(coulomb::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_FALSE(Project.CoulombInput.UsePore);
  EXPECT_EQ(Project.CoulombInput.PorePressure, 0.0f);
  EXPECT_EQ(Project.CoulombInput.Cohesion, -5.0f);
  EXPECT_EQ(Project.CoulombInput.FrictionAngle, -30.0f);
}

// c and UCS of opposite signs, or UCS = 0 with c not 0, derive a friction
// angle of -90 or less: it is shown, never refused (the user typed no
// friction angle), and judges nothing.
TEST_F(CoulombDialogTest, ADerivedFrictionAngleBeyondMinus90IsShownWithoutAVerdict) {
  StoreMaterial(10, 5);
  Open();
  Press(coulomb::kDeriveFriction);
  Type(coulomb::kCohesion, QStringLiteral("5"));
  for (const char* strength : {"-4", "0"}) {
    Type(coulomb::kUniaxialStrength, QString::fromLatin1(strength));
    EXPECT_LE(ParseLeadingNumber(Text(coulomb::kFrictionAngle)), -90.0) << strength;
    EXPECT_EQ(Text(coulomb::kFailureVerdict), QString()) << strength;
    EXPECT_EQ(Text(coulomb::kS1), QStringLiteral("10.000")) << strength;
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CoulombDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  StoreMaterial(40, 10);
  Open();
  Type(coulomb::kSx, QStringLiteral("60"));
  Press(coulomb::kCancel);
  EXPECT_EQ(Project.CoulombStress.Sx, 40.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(coulomb::kSx, QStringLiteral("60"));
  Type(coulomb::kSy, QStringLiteral("-1"));  // refused
  Press(coulomb::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.CoulombStress.Sx, 40.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(coulomb::kSx, QStringLiteral("60"));
  Press(coulomb::kS1S2Graph);
  Press(coulomb::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CoulombStress.Sx, 60.0f);
  EXPECT_EQ(Project.CoulombStress.GraphOption, StressGraph::Sigma1Chart);
  EXPECT_FLOAT_EQ(Project.CoulombInput.UniaxialStrength, 17.321f);  // as its box shows it
  EXPECT_TRUE(Project.CoulombInput.Failure);
  EXPECT_EQ(Project.CoulombPrincipal.S1, 60.0f);
  EXPECT_FALSE(Project.FileSaved);
}

// The derived box is the program's; should it ever hold a text that is no
// 32-bit number, OK keeps the value computed and logs the error, never
// storing 0 in silence.
TEST_F(CoulombDialogTest, AnUnreadableDerivedBoxIsLoggedAndKeepsTheComputedValue) {
  StoreMaterial(40, 10);
  Open();
  const float computed = Dialog().WorkingParams().UniaxialStrength;
  ASSERT_NEAR(computed, 17.3205f, 1e-3f);
  {
    auto* derived = Control<QLineEdit>(coulomb::kUniaxialStrength);
    const QSignalBlocker quiet(derived);
    derived->setText(QStringLiteral("1e39"));
  }
  Press(coulomb::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CoulombInput.UniaxialStrength, computed);
  EXPECT_TRUE(History().endsWith(QStringLiteral(". 6 Overflow\r\n")));
}

TEST_F(CoulombDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.CoulombStress = StressInput{1.23456f, 0.54321f, -0.00042f, StressGraph::MohrCircle};
  CoulombParams& p = Project.CoulombInput;
  p.UsePore = true;
  p.PorePressure = 0.12345f;
  p.Cohesion = 2.34567f;
  p.FrictionAngle = 12.3456f;
  p.ParamOption = CoulombDerived::UniaxialStrength;
  // Derived, and stored as its box showed it.
  p.UniaxialStrength = static_cast<float>(
      ParseLeadingNumber(DerivedParameterText(DeriveCoulombStrength(p), CoulombDerived::UniaxialStrength)));
  const StressInput stress = Project.CoulombStress;
  const CoulombParams params = p;
  Open();
  Focus(coulomb::kSy);
  Focus(coulomb::kFrictionAngle);
  Press(coulomb::kOk);
  EXPECT_EQ(Project.CoulombStress.Sx, stress.Sx);
  EXPECT_EQ(Project.CoulombStress.Sy, stress.Sy);
  EXPECT_EQ(Project.CoulombStress.Txy, stress.Txy);
  EXPECT_EQ(Project.CoulombStress.GraphOption, stress.GraphOption);
  EXPECT_EQ(Project.CoulombInput.PorePressure, params.PorePressure);
  EXPECT_EQ(Project.CoulombInput.Cohesion, params.Cohesion);
  EXPECT_EQ(Project.CoulombInput.FrictionAngle, params.FrictionAngle);
  EXPECT_EQ(Project.CoulombInput.UniaxialStrength, params.UniaxialStrength);
  EXPECT_TRUE(Project.CoulombInput.UsePore);
}

TEST_F(CoulombDialogTest, TheGraphOptionSetsTheWidth) {
  Open();
  EXPECT_EQ(Dialog().width(), 427);  // 6405 twips
  EXPECT_FALSE(Plot()->isVisible());
  Press(coulomb::kMohrGraph);
  EXPECT_EQ(Dialog().width(), 716);  // 10740 twips
  EXPECT_TRUE(Plot()->isVisible());
  Press(coulomb::kS1S2Graph);
  EXPECT_EQ(Dialog().width(), 716);
  Press(coulomb::kNoGraph);
  EXPECT_EQ(Dialog().width(), 427);

  EnableMohrCircles = true;  // opens on the Mohr view whatever was stored
  Open();
  EXPECT_TRUE(Control<QRadioButton>(coulomb::kMohrGraph)->isChecked());
  EXPECT_EQ(Dialog().width(), 716);
}

TEST_F(CoulombDialogTest, TheEnvelopeTouchesTheCircleAtFailure) {
  // s1 at failure for s2 = 10, from the criterion itself.
  CoulombParams params;
  params.Cohesion = 5;
  params.FrictionAngle = 30;
  params.ParamOption = CoulombDerived::UniaxialStrength;
  const float s1f = CalcCoulomb(StressInput{20, 10, 0, StressGraph::None}, params).FailureStrength.value();
  StoreMaterial(s1f, 10, StressGraph::MohrCircle);
  Open();
  EXPECT_EQ(Text(coulomb::kFailureVerdict), QStringLiteral("true"));
  // Zoomed and dragged, the scales stay equal on both axes.
  Control<QScrollBar>(coulomb::kZoomBar)->setValue(14);
  Plot()->OnPointerPressed(900, 3000);
  Plot()->OnPointerReleased(900, 3000);
  const auto circles = ItemsOf(FailurePlot::kBlue, PlotItem::Type::Arc);
  const auto envelopes = ItemsOf(FailurePlot::kTeal, PlotItem::Type::Line);
  ASSERT_EQ(circles.size(), 1u);
  ASSERT_EQ(envelopes.size(), 1u);
  const QPointF c = circles[0].a;
  const QPointF a = envelopes[0].a, b = envelopes[0].b;
  const double distance = std::fabs((b.x() - a.x()) * (a.y() - c.y()) - (a.x() - c.x()) * (b.y() - a.y())) /
                          std::hypot(b.x() - a.x(), b.y() - a.y());
  EXPECT_NEAR(distance, circles[0].radius, 0.5);
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("5.0"));
  EXPECT_FALSE(Plot()->Caption(PlotCaption::S1)->isHidden());
  // The value captions are teal, the origin's is not.
  for (PlotCaption caption : {PlotCaption::S2, PlotCaption::Centre, PlotCaption::S1, PlotCaption::Strength})
    EXPECT_EQ(Plot()->Caption(caption)->palette().color(QPalette::WindowText).rgb(), FailurePlot::kTeal)
        << Plot()->Caption(caption)->objectName().toStdString();
  EXPECT_NE(Plot()->Caption(PlotCaption::Origin)->palette().color(QPalette::WindowText).rgb(), FailurePlot::kTeal);

  // The s1-s3 view: the point (s2, s1) lies on the criterion line, the
  // effective point beside it, and the captions under the axis are hidden.
  Press(coulomb::kPoreOption);
  Type(coulomb::kPorePressure, QStringLiteral("2"));
  Press(coulomb::kS1S2Graph);
  const auto lines = ItemsOf(FailurePlot::kTeal, PlotItem::Type::Line);
  const auto points = ItemsOf(FailurePlot::kBlue, PlotItem::Type::Dot);
  ASSERT_EQ(lines.size(), 1u);
  ASSERT_EQ(points.size(), 1u);
  const QPointF p = points[0].a;
  const QPointF u = lines[0].a, v = lines[0].b;
  EXPECT_NEAR((v.x() - u.x()) * (p.y() - u.y()) - (p.x() - u.x()) * (v.y() - u.y()), 0.0,
              0.5 * std::hypot(v.x() - u.x(), v.y() - u.y()));
  EXPECT_EQ(ItemsOf(FailurePlot::kDarkGreen, PlotItem::Type::Dot).size(), 1u);
  EXPECT_TRUE(Plot()->Caption(PlotCaption::S1)->isHidden());
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("17.3"));
}

TEST_F(CoulombDialogTest, NoStressDrawsNothingAndOverflowBlanks) {
  Project.CoulombStress.GraphOption = StressGraph::MohrCircle;
  Open();
  EXPECT_TRUE(Plot()->Items().empty());
  // Principal stresses beyond the 32-bit range: every result is emptied.
  StoreMaterial(40, 10, StressGraph::MohrCircle);
  Open();
  ASSERT_FALSE(Plot()->Items().empty());
  Type(coulomb::kSy, QStringLiteral("3e38"));
  Type(coulomb::kTxy, QStringLiteral("3e38"));
  for (const char* box : {coulomb::kS1, coulomb::kS2, coulomb::kFailureVerdict, coulomb::kUniaxialStrength})
    EXPECT_EQ(Text(box), QString()) << box;
  EXPECT_TRUE(Plot()->Items().empty());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  // The zoom bar does not bring back the last state that could be drawn.
  Paste(coulomb::kSx, QStringLiteral("1e38"));
  Paste(coulomb::kSy, QStringLiteral("0"));
  Paste(coulomb::kTxy, QStringLiteral("0"));
  ASSERT_FALSE(Plot()->Items().empty());
  Paste(coulomb::kTxy, QStringLiteral("3e38"));
  EXPECT_EQ(Text(coulomb::kS1), QString());
  EXPECT_TRUE(Plot()->Items().empty());
  Control<QScrollBar>(coulomb::kZoomBar)->setValue(14);
  EXPECT_TRUE(Plot()->Items().empty());
}

TEST_F(CoulombDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(coulomb::kSx)->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(coulomb::kPorePressure)->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QCheckBox>(coulomb::kPoreOption)->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(coulomb::kUniaxialStrength)->accessibleName(), QStringLiteral("Uniaxial Strength"));
  EXPECT_EQ(Control<QRadioButton>(coulomb::kDeriveFriction)->accessibleName(), QStringLiteral("Friction Angle"));
  EXPECT_EQ(Control<QLineEdit>(coulomb::kShearAtFailure)->accessibleName(), QStringLiteral("Shear Stress at Failure"));
  EXPECT_TRUE(Control<QLineEdit>(coulomb::kShearAtFailure)->isReadOnly());
}

TEST_F(CoulombDialogTest, RenderBothLanguagesAndBothViews) {
  StoreMaterial(60, 10);
  Project.CoulombInput.UsePore = true;
  Project.CoulombInput.PorePressure = 4;
  test::EachLanguage([&](const QString& language) {
    for (const StressGraph view : {StressGraph::None, StressGraph::MohrCircle, StressGraph::Sigma1Chart}) {
      Project.CoulombStress.GraphOption = view;
      Open();
      test::SaveRender(Dialog(), QStringLiteral("coulomb-%1-%2").arg(language).arg(static_cast<int>(view)));
      Dialog().close();
    }
  });
}

// The worked example of the tool's help page: c and phi given, the pore
// pressure alone fails the state; Upper Limit then finds sy at failure.
TEST_F(CoulombDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  Project.CoulombStress = StressInput{40, 10, 5, StressGraph::MohrCircle};
  Project.CoulombInput.Cohesion = 5;
  Project.CoulombInput.FrictionAngle = 30;
  Project.CoulombInput.ParamOption = CoulombDerived::UniaxialStrength;
  Project.CoulombInput.UsePore = true;
  Project.CoulombInput.PorePressure = 4;
  Open();
  test::ExpectShown(text, {{coulomb::kUniaxialStrength, "17.321"},
                           {coulomb::kS1, "40.811"},
                           {coulomb::kS1Direction, "9.22"},
                           {coulomb::kS2, "9.189"},
                           {coulomb::kS2Direction, "-80.78"},
                           {coulomb::kFailureVerdict, "false"},
                           {coulomb::kPoreFailureVerdict, "true"},
                           {coulomb::kFailureAngle, "140.8"},
                           {coulomb::kShearAtFailure, ""}});
  Press(coulomb::kUpperLimit);
  test::ExpectShown(text, {{coulomb::kSy, "136.29"},
                           {coulomb::kS1, "136.549"},
                           {coulomb::kS1Direction, "87.04"},
                           {coulomb::kS2, "39.741"},
                           {coulomb::kS2Direction, "-2.96"},
                           {coulomb::kFailureVerdict, "true"},
                           {coulomb::kPoreFailureVerdict, "true"},
                           {coulomb::kFailureAngle, "63.0"},
                           {coulomb::kShearAtFailure, "41.919"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(CoulombMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<CoulombDialog>(Tool::Coulomb);
  ClearTools();
}

}  // namespace
}  // namespace brantel
