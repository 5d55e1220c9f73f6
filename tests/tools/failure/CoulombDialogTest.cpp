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
    EnableMohrCircles = 0;
    Project.CoulombStress = StressInput{};
    Project.CoulombInput = CoulombParams{};
    Project.CoulombPrincipal = Principal2D{};
  }
  // c = 5 and phi = 30 given, UCS = 17.321 derived: the strength is
  // s1f = 3 s2 + 17.321.
  static void StoreMaterial(float sx, float sy, qint16 graph = 0) {
    Project.CoulombStress = StressInput{sx, sy, 0, graph};
    Project.CoulombInput.Cohesion = 5;
    Project.CoulombInput.FrictionAngle = 30;
    Project.CoulombInput.ParamOption = kCoulombDeriveStrength;
  }
  frmCoulomb& Open() { return DialogTest::Open<frmCoulomb>(); }
  frmCoulomb& Dialog() const { return static_cast<frmCoulomb&>(Current()); }
  CoulombPlot* Plot() const { return Control<CoulombPlot>(u"picMohr1"); }
  // The drawn items of a colour.
  std::vector<PlotItem> ItemsOf(QRgb colour, PlotItem::Type type) const {
    return test::ItemsOf(*Plot(), colour, type);
  }
};

TEST_F(CoulombDialogTest, TypingDerivesTheThirdParameterAndJudges) {
  Open();
  Press(u"optParam(1)");  // the strength is derived
  EXPECT_TRUE(Control<QLineEdit>(u"Text6")->isReadOnly());
  EXPECT_FALSE(Control<QLineEdit>(u"Text5")->isReadOnly());
  Type(u"Text5", QStringLiteral("5"));
  Type(u"Text7", QStringLiteral("30"));
  Type(u"Text1", QStringLiteral("40"));
  Type(u"Text2", QStringLiteral("10"));
  EXPECT_EQ(Text(u"Text6"), QStringLiteral("17.321"));
  EXPECT_EQ(Text(u"Text11"), QStringLiteral("40.000"));
  EXPECT_EQ(Text(u"Text13"), QStringLiteral("10.000"));
  EXPECT_EQ(Text(u"Text12"), QStringLiteral("0.00"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("false"));
  EXPECT_EQ(Text(u"Text10"), QString());
  EXPECT_EQ(Text(u"Text20"), QString());

  // Past the strength 47.32: failure, the plane at (90 - 0) + 45 + 15 and
  // the shear on it 20 sin 120.
  Type(u"Text1", QStringLiteral("50"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("true"));
  EXPECT_EQ(Text(u"Text10"), QStringLiteral("150.0"));
  EXPECT_EQ(Text(u"Text20"), QStringLiteral("17.321"));
  // Back below it: no stale angle or shear.
  Type(u"Text1", QStringLiteral("45"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("false"));
  EXPECT_EQ(Text(u"Text10"), QString());
  EXPECT_EQ(Text(u"Text20"), QString());

  // The other derivations from the same pair: phi from c and UCS, and c
  // from UCS and phi; the box that becomes derived starts from 0.
  Press(u"optParam(2)");
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("30.0"));
  Type(u"Text6", QStringLiteral("10"));  // UCS = 2c: no friction
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("0.0"));
  Type(u"Text5", QStringLiteral("0"));
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("0"));
  Press(u"optParam(0)");
  EXPECT_EQ(Text(u"Text5"), QStringLiteral("5.000"));  // c = UCS / 2 at phi = 0
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Determination of shear failure plane based on Coulomb's theory.")));
}

TEST_F(CoulombDialogTest, ValidationMessages) {
  StoreMaterial(40, 10);
  Open();
  struct Case {
    const char16_t* box;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {u"Text1", "-1", "Invalid value for sx"},
      {u"Text2", "12a", "Invalid value for sy"},
      {u"Text3", "1e39", "Invalid value for txy"},
      {u"Text5", "abc", "Invalid value for material cohesion"},
      {u"Text7", "90", "Invalid value for material friction angle"},
      {u"Text7", "-95", "Invalid value for material friction angle"},
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
  EXPECT_FALSE(Enabled(u"Text4"));
  Press(u"chkPore");
  EXPECT_TRUE(Enabled(u"Text4"));
  Type(u"Text4", QStringLiteral("-2"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for Pore Pressure"));
  EnglishMenus = 0;
  Type(u"Text1", QStringLiteral("-3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το σx"));
}

TEST_F(CoulombDialogTest, PorePressureVerdicts) {
  StoreMaterial(40, 10);
  Project.CoulombInput.UsePore = -1;
  Project.CoulombInput.PorePressure = 5;
  Open();
  // s1 - P = 35 against 3 x 5 + 17.32: only the pore pressure fails it.
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("false"));
  EXPECT_EQ(Text(u"Text9"), QStringLiteral("true"));
  EXPECT_EQ(Text(u"Text10"), QStringLiteral("150.0"));
  EXPECT_EQ(Text(u"Text20"), QString());
  EXPECT_EQ(Text(u"Label15"), QString());
  // Above s2 the pore pressure is not let act.
  Type(u"Text4", QStringLiteral("12"));
  EXPECT_EQ(Text(u"Label15"), QStringLiteral(" pore>σ2"));
  EXPECT_EQ(Text(u"Text9"), QStringLiteral("false"));
  // No pore pressure, or the option off: nothing to say.
  Type(u"Text4", QStringLiteral("0"));
  EXPECT_EQ(Text(u"Text9"), QString());
  Type(u"Text4", QStringLiteral("5"));
  Press(u"chkPore");
  EXPECT_FALSE(Enabled(u"Text9"));
  EXPECT_EQ(Text(u"Text9"), QString());
  EXPECT_EQ(Text(u"Text10"), QString());
  EXPECT_EQ(Dialog().WorkingParams().PorePressure, 0.0f);
}

TEST_F(CoulombDialogTest, LimitSearchesWriteTheBoxOnce) {
  // sx = 10 holds; raising sy fails once s1 = sy reaches 3 x 10 + 17.32.
  StoreMaterial(10, 0);
  Open();
  int changes = 0;
  QObject::connect(Control<QLineEdit>(u"Text2"), &QLineEdit::textChanged, [&] { ++changes; });
  Press(u"cmdLimit");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("47.33"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("true"));
  EXPECT_TRUE(Messages().empty());
  Press(u"cmdLimit");
  EXPECT_EQ(LastMessage(), QStringLiteral("Material is already failed"));
  EXPECT_EQ(changes, 1);

  // Lowering sx from 20 with sy = 10 and c = 1: s2 = sx fails at or below
  // (10 - 3.464) / 3.
  StoreMaterial(20, 10);
  Project.CoulombInput.Cohesion = 1;
  Open();
  Press(u"cmdLimitD");
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("2.17"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("true"));

  // Nothing to reach: a message, and the box stays.
  boxes_->Clear();
  Project.CoulombInput = CoulombParams{};
  Open();
  EXPECT_EQ(Text(u"Text8"), QString());  // nothing to judge, nothing stale
  Press(u"cmdLimit");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Failure cannot be reached by changing this stress"));
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("10.000"));
  // A box that cannot be read gives its own message and no search.
  Paste(u"Text1", QStringLiteral("abc"));
  boxes_->Clear();
  Press(u"cmdLimitD");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sx"));
}

TEST_F(CoulombDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  StoreMaterial(40, 10);
  Open();
  Type(u"Text1", QStringLiteral("60"));
  Press(u"cmdCancel");
  EXPECT_EQ(Project.CoulombStress.Sx, 40.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("60"));
  Type(u"Text2", QStringLiteral("-1"));  // refused
  Press(u"CmdOk");
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.CoulombStress.Sx, 40.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("60"));
  Press(u"optGraph(2)");
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CoulombStress.Sx, 60.0f);
  EXPECT_EQ(Project.CoulombStress.GraphOption, 2);
  EXPECT_FLOAT_EQ(Project.CoulombInput.UniaxialStrength, 17.321f);  // as its box shows it
  EXPECT_EQ(Project.CoulombInput.Failure, -1);
  EXPECT_EQ(Project.CoulombPrincipal.S1, 60.0f);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
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
    auto* derived = Control<QLineEdit>(u"Text6");
    const QSignalBlocker quiet(derived);
    derived->setText(QStringLiteral("1e39"));
  }
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CoulombInput.UniaxialStrength, computed);
  EXPECT_TRUE(History().endsWith(QStringLiteral(". 6 Overflow\r\n")));
}

TEST_F(CoulombDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.CoulombStress = StressInput{1.23456f, 0.54321f, -0.00042f, 1};
  CoulombParams& p = Project.CoulombInput;
  p.UsePore = -1;
  p.PorePressure = 0.12345f;
  p.Cohesion = 2.34567f;
  p.FrictionAngle = 12.3456f;
  p.ParamOption = kCoulombDeriveStrength;
  // Derived, and stored as its box showed it.
  p.UniaxialStrength = static_cast<float>(Val(DerivedParameterText(DeriveCoulombStrength(p), 1)));
  const StressInput stress = Project.CoulombStress;
  const CoulombParams params = p;
  Open();
  Focus(u"Text2");
  Focus(u"Text7");
  Press(u"CmdOk");
  EXPECT_EQ(Project.CoulombStress.Sx, stress.Sx);
  EXPECT_EQ(Project.CoulombStress.Sy, stress.Sy);
  EXPECT_EQ(Project.CoulombStress.Txy, stress.Txy);
  EXPECT_EQ(Project.CoulombStress.GraphOption, stress.GraphOption);
  EXPECT_EQ(Project.CoulombInput.PorePressure, params.PorePressure);
  EXPECT_EQ(Project.CoulombInput.Cohesion, params.Cohesion);
  EXPECT_EQ(Project.CoulombInput.FrictionAngle, params.FrictionAngle);
  EXPECT_EQ(Project.CoulombInput.UniaxialStrength, params.UniaxialStrength);
  EXPECT_EQ(Project.CoulombInput.UsePore, -1);
}

TEST_F(CoulombDialogTest, TheGraphOptionSetsTheWidth) {
  Open();
  EXPECT_EQ(Dialog().width(), 427);  // 6405 twips
  EXPECT_FALSE(Plot()->isVisible());
  Press(u"optGraph(1)");
  EXPECT_EQ(Dialog().width(), 716);  // 10740 twips
  EXPECT_TRUE(Plot()->isVisible());
  Press(u"optGraph(2)");
  EXPECT_EQ(Dialog().width(), 716);
  Press(u"optGraph(0)");
  EXPECT_EQ(Dialog().width(), 427);

  EnableMohrCircles = 1;  // opens on the Mohr view whatever was stored
  Open();
  EXPECT_TRUE(Control<QRadioButton>(u"optGraph(1)")->isChecked());
  EXPECT_EQ(Dialog().width(), 716);
}

TEST_F(CoulombDialogTest, TheEnvelopeTouchesTheCircleAtFailure) {
  // s1 at failure for s2 = 10, from the criterion itself.
  CoulombParams params;
  params.Cohesion = 5;
  params.FrictionAngle = 30;
  params.ParamOption = kCoulombDeriveStrength;
  const float s1f = CalcCoulomb(StressInput{20, 10, 0, 0}, params).FailureStrength.value();
  StoreMaterial(s1f, 10, 1);
  Open();
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("true"));
  // Zoomed and dragged, the scales stay equal on both axes.
  Control<QScrollBar>(u"HScroll1")->setValue(14);
  Plot()->MouseDown(900, 3000);
  Plot()->MouseUp(900, 3000);
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
  EXPECT_NE(Plot()->Caption(PlotCaption::Origin)->palette().color(QPalette::WindowText).rgb(),
            FailurePlot::kTeal);

  // The s1-s3 view: the point (s2, s1) lies on the criterion line, the
  // effective point beside it, and the captions under the axis are hidden.
  Press(u"chkPore");
  Type(u"Text4", QStringLiteral("2"));
  Press(u"optGraph(2)");
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
  Project.CoulombStress.GraphOption = 1;
  Open();
  EXPECT_TRUE(Plot()->Items().empty());
  // Principal stresses beyond the 32-bit range: every result is emptied.
  StoreMaterial(40, 10, 1);
  Open();
  ASSERT_FALSE(Plot()->Items().empty());
  Type(u"Text2", QStringLiteral("3e38"));
  Type(u"Text3", QStringLiteral("3e38"));
  for (const char16_t* box : {u"Text11", u"Text13", u"Text8", u"Text6"})
    EXPECT_EQ(Text(box), QString()) << QString::fromUtf16(box).toStdString();
  EXPECT_TRUE(Plot()->Items().empty());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  // The zoom bar does not bring back the last state that could be drawn.
  Paste(u"Text1", QStringLiteral("1e38"));
  Paste(u"Text2", QStringLiteral("0"));
  Paste(u"Text3", QStringLiteral("0"));
  ASSERT_FALSE(Plot()->Items().empty());
  Paste(u"Text3", QStringLiteral("3e38"));
  EXPECT_EQ(Text(u"Text11"), QString());
  EXPECT_TRUE(Plot()->Items().empty());
  Control<QScrollBar>(u"HScroll1")->setValue(14);
  EXPECT_TRUE(Plot()->Items().empty());
}

TEST_F(CoulombDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(u"Text1")->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(u"Text4")->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QCheckBox>(u"chkPore")->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(u"Text6")->accessibleName(), QStringLiteral("Uniaxial Strength"));
  EXPECT_EQ(Control<QRadioButton>(u"optParam(2)")->accessibleName(), QStringLiteral("Friction Angle"));
  EXPECT_EQ(Control<QLineEdit>(u"Text20")->accessibleName(), QStringLiteral("Shear Stress at Failure"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text20")->isReadOnly());
}

TEST_F(CoulombDialogTest, RenderBothLanguagesAndBothViews) {
  StoreMaterial(60, 10);
  Project.CoulombInput.UsePore = -1;
  Project.CoulombInput.PorePressure = 4;
  test::EachLanguage([&](const QString& language) {
    for (qint16 view = 0; view < 3; ++view) {
      Project.CoulombStress.GraphOption = view;
      Open();
      test::SaveRender(Dialog(), QStringLiteral("coulomb-%1-%2").arg(language).arg(view));
      Dialog().close();
    }
  });
}

// The worked example of the tool's help page: c and phi given, the pore
// pressure alone fails the state; Upper Limit then finds sy at failure.
TEST_F(CoulombDialogTest, HelpPageExample) {
  const auto text = [this](QStringView box) { return Text(box); };
  Project.CoulombStress = StressInput{40, 10, 5, 1};
  Project.CoulombInput.Cohesion = 5;
  Project.CoulombInput.FrictionAngle = 30;
  Project.CoulombInput.ParamOption = kCoulombDeriveStrength;
  Project.CoulombInput.UsePore = -1;
  Project.CoulombInput.PorePressure = 4;
  Open();
  test::ExpectShown(text, {{u"Text6", "17.321"}, {u"Text11", "40.811"}, {u"Text12", "9.22"}, {u"Text13", "9.189"},
                           {u"Text14", "-80.78"}, {u"Text8", "false"}, {u"Text9", "true"}, {u"Text10", "140.8"},
                           {u"Text20", ""}});
  Press(u"cmdLimit");
  test::ExpectShown(text, {{u"Text2", "136.29"}, {u"Text11", "136.549"}, {u"Text12", "87.04"}, {u"Text13", "39.741"},
                           {u"Text14", "-2.96"}, {u"Text8", "true"}, {u"Text9", "true"}, {u"Text10", "63.0"},
                           {u"Text20", "41.919"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(CoulombMenuEntry, FailureItem0AndQuickButton31OpenTheTool) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectFailureEntry(Tool::Coulomb, 0, 31);
  ClearTools();
}

}  // namespace
}  // namespace brantel
