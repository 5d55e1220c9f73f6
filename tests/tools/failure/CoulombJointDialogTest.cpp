#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "tools/failure/CoulombJointChart.h"
#include "tools/failure/CoulombJointDialog.h"
#include "tools/failure/FailureDialogTestSupport.h"

#include <QChart>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QRadioButton>
#include <QValueAxis>

#include <cmath>

namespace brantel {
namespace {

class CoulombJointDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    EnableMohrCircles = false;
    Project.JointStress = {};
    Project.JointMaterials = {};
    Project.JointPlanes = {};
    Project.JointSelectedSet = 0;
  }
  // A set: sx, sy (txy 0, so theta1 = 0 for sx > sy), the material c = 5,
  // phi = 30 and a discontinuity.
  static void StoreSet(int set, float sx, float sy, float cj, float phiJ, float alpha,
                       StressGraph graph = StressGraph::None) {
    const auto i = static_cast<std::size_t>(set);
    Project.JointStress[i] = StressInput{sx, sy, 0, graph};
    Project.JointMaterials[i] = JointMaterial{};
    Project.JointMaterials[i].Cohesion = 5;
    Project.JointMaterials[i].FrictionAngle = 30;
    Project.JointPlanes[i] = JointPlane{cj, phiJ, alpha, false};
  }
  CoulombJointDialog& Open() { return DialogTest::Open<CoulombJointDialog>(); }
  CoulombJointDialog& Dialog() const { return static_cast<CoulombJointDialog&>(Current()); }
  CoulombJointPlot* Plot() const { return Control<CoulombJointPlot>(coulombjoint::kMohrPlot); }
  Sigma1BetaChartView* Chart() const { return Control<Sigma1BetaChartView>(coulombjoint::kSigma1BetaChart); }
  std::vector<PlotItem> LinesOf(QRgb colour) const { return test::ItemsOf(*Plot(), colour, PlotItem::Type::Line); }
};

TEST_F(CoulombJointDialogTest, TypingJudgesTheMaterialAndTheFoldedPlane) {
  Open();
  Type(coulombjoint::kMaterialCohesion, QStringLiteral("5"));
  Type(coulombjoint::kMaterialFrictionAngle, QStringLiteral("30"));
  Type(coulombjoint::kJointCohesion, QStringLiteral("100"));
  Type(coulombjoint::kJointFrictionAngle, QStringLiteral("30"));
  Type(coulombjoint::kJointInclination, QStringLiteral("30"));
  Type(coulombjoint::kSx, QStringLiteral("20"));
  Type(coulombjoint::kSy, QStringLiteral("5"));
  EXPECT_EQ(Text(coulombjoint::kS1), QStringLiteral("20.000"));
  EXPECT_EQ(Text(coulombjoint::kS2), QStringLiteral("5.000"));
  EXPECT_EQ(Text(coulombjoint::kS1Direction), QStringLiteral("0.000"));
  EXPECT_EQ(Text(coulombjoint::kS2Direction), QStringLiteral("-90.000"));
  // alpha = 30 from the horizontal, s1 along x: beta = 60, not 120, and a
  // strong discontinuity holds; the material's strength is 3 x 5 + 17.32.
  EXPECT_EQ(Text(coulombjoint::kAngleToS1), QStringLiteral("60.00"));
  EXPECT_EQ(Text(coulombjoint::kJointFailureVerdict), QStringLiteral("false"));
  EXPECT_EQ(Text(coulombjoint::kMaterialFailureVerdict), QStringLiteral("false"));
  Type(coulombjoint::kSx, QStringLiteral("33"));
  EXPECT_EQ(Text(coulombjoint::kMaterialFailureVerdict), QStringLiteral("true"));
  // A plane parallel to s1 carries no shear.
  Type(coulombjoint::kJointCohesion, QStringLiteral("0"));
  Type(coulombjoint::kJointInclination, QStringLiteral("0"));
  EXPECT_EQ(Text(coulombjoint::kAngleToS1), QStringLiteral("90.00"));
  EXPECT_EQ(Text(coulombjoint::kJointFailureVerdict), QStringLiteral("false"));
  // Letters after a number count as nothing, and no message is shown.
  Type(coulombjoint::kSx, QStringLiteral("12abc"));
  EXPECT_EQ(Text(coulombjoint::kS1), QStringLiteral("12.000"));
  EXPECT_TRUE(Messages().empty());
  // No stress at all: nothing to judge.
  Type(coulombjoint::kSx, QStringLiteral("0"));
  Type(coulombjoint::kSy, QStringLiteral("0"));
  EXPECT_EQ(Text(coulombjoint::kMaterialFailureVerdict), QString());
  EXPECT_EQ(Text(coulombjoint::kJointFailureVerdict), QString());
  EXPECT_TRUE(History().contains(QStringLiteral(
      "Determination of shear failure plane based on Coulomb's theory on material with given discontinuities.")));
}

TEST_F(CoulombJointDialogTest, ValidationMessages) {
  StoreSet(0, 20, 5, 1, 20, 30);
  Open();
  ExpectEachRefused(
      {
          {coulombjoint::kMaterialCohesion, "-1", "Invalid value for material cohesion"},
          {coulombjoint::kMaterialFrictionAngle, "-2", "Invalid value for material friction angle"},
          {coulombjoint::kMaterialFrictionAngle, "90", "Invalid value for material friction angle"},
          {coulombjoint::kJointCohesion, "-0.5", "Invalid value for discontinuity cohesion"},
          {coulombjoint::kJointFrictionAngle, "-30", "Invalid value for discontinuity friction angle"},
          {coulombjoint::kSx, "1e39", "Invalid value for sx"},
          {coulombjoint::kJointInclination, "-4e38", "Invalid value for Discontinuity Angle from Horizontal"},
      },
      coulombjoint::kS1, QStringLiteral("20.000"));
  EnglishMenus = false;
  boxes_->Clear();
  Type(coulombjoint::kJointCohesion, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή γιά τη συνοχή της ασυνέχειας"));
}

TEST_F(CoulombJointDialogTest, PorePressureIsClampedToS2ByValue) {
  // s2 = 2.996 shows as "3.00" after the clamp, and 2.996 itself acts.
  StoreSet(0, 10, 2.996f, 1, 20, 0);
  Open();
  Press(coulombjoint::kPoreOption);
  EXPECT_TRUE(Enabled(coulombjoint::kPorePressure));
  EXPECT_TRUE(Enabled(coulombjoint::kMaterialPoreFailureVerdict));
  Type(coulombjoint::kPorePressure, QStringLiteral("5"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(LastMessage(), QStringLiteral("Pore pressure value is too high. Reduced to maximum allowed."));
  EXPECT_EQ(Text(coulombjoint::kPorePressure), QStringLiteral("3.00"));
  EXPECT_EQ(Dialog().WorkingMaterial(0).PorePressure, 2.996f);
  EXPECT_EQ(Text(coulombjoint::kPoreNotice), QString());
  EXPECT_NE(Text(coulombjoint::kMaterialPoreFailureVerdict), QString());
  // Leaving the box and pressing OK keeps the clamped value exactly.
  Focus(coulombjoint::kMaterialCohesion);
  Press(coulombjoint::kOk);
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Project.JointMaterials[0].PorePressure, 2.996f);
  EXPECT_TRUE(Project.JointMaterials[0].UsePore);

  // s2 <= 0: both messages in turn, and the option is switched off.
  boxes_->Clear();
  StoreSet(0, 10, -2, 1, 20, 0);
  Project.JointMaterials[0].UsePore = true;
  Project.JointMaterials[0].PorePressure = 5;
  Open();
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].prompt, QStringLiteral("Pore pressure value is too high. Reduced to maximum allowed."));
  EXPECT_EQ(LastMessage(), QStringLiteral("Calculated pore pressure is negative. Option is disabled."));
  EXPECT_FALSE(Control<QCheckBox>(coulombjoint::kPoreOption)->isChecked());
  EXPECT_FALSE(Enabled(coulombjoint::kPorePressure));
  EXPECT_EQ(Text(coulombjoint::kMaterialPoreFailureVerdict), QString());
  EXPECT_TRUE(History().contains(QStringLiteral("Message: Calculated pore pressure is negative. Option is disabled.")));

  // A pore pressure of 0 gives no pore verdicts.
  StoreSet(0, 10, 3, 1, 20, 0);
  Open();
  Press(coulombjoint::kPoreOption);
  Type(coulombjoint::kPorePressure, QStringLiteral("0"));
  EXPECT_EQ(Text(coulombjoint::kMaterialPoreFailureVerdict), QString());
  EXPECT_EQ(Text(coulombjoint::kJointPoreFailureVerdict), QString());
  EXPECT_NE(Text(coulombjoint::kMaterialFailureVerdict), QString());
}

TEST_F(CoulombJointDialogTest, SetSwitchKeepsEntriesAndCommitsOnlyOnOk) {
  StoreSet(0, 20, 5, 1, 20, 30);
  StoreSet(1, 8, 2, 0, 30, -45, StressGraph::MohrCircle);
  const auto stored = Project.JointStress;
  const auto materials = Project.JointMaterials;
  Open();
  EXPECT_TRUE(Control<QRadioButton>(coulombjoint::kSet1)->isChecked());
  Type(coulombjoint::kSx, QStringLiteral("25"));
  Press(coulombjoint::kSet2);
  EXPECT_EQ(Text(coulombjoint::kSx), QStringLiteral("8.000"));
  EXPECT_EQ(Text(coulombjoint::kS1), QStringLiteral("8.000"));
  EXPECT_TRUE(Control<QRadioButton>(coulombjoint::kMohrGraph)->isChecked());  // the set's own graph
  EXPECT_EQ(Dialog().width(), 797);
  // The switch stores without checks: a refused cohesion survives it.
  Type(coulombjoint::kMaterialCohesion, QStringLiteral("-3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for material cohesion"));
  boxes_->Clear();
  Press(coulombjoint::kSet1);
  EXPECT_EQ(Text(coulombjoint::kSx), QStringLiteral("25.000"));
  EXPECT_EQ(Dialog().width(), 510);
  EXPECT_TRUE(Messages().empty());
  // OK refuses it too: the set is shown again with the message.
  Press(coulombjoint::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Control<QRadioButton>(coulombjoint::kSet2)->isChecked());
  EXPECT_EQ(Text(coulombjoint::kMaterialCohesion), QStringLiteral("-3.000"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for material cohesion"));
  EXPECT_EQ(Text(coulombjoint::kS1), QString());  // nothing of set 1 stays on show
  EXPECT_EQ(Project.JointSelectedSet, 0);

  // Cancel, or OK refused and then the close box: nothing is stored.
  Press(coulombjoint::kCancel);
  EXPECT_EQ(Project.JointSelectedSet, 0);
  EXPECT_EQ(Project.JointStress[0].Sx, stored[0].Sx);
  EXPECT_EQ(Project.JointMaterials[1].Cohesion, materials[1].Cohesion);
  EXPECT_TRUE(Project.FileSaved);
  Open();
  Press(coulombjoint::kSet2);
  Type(coulombjoint::kJointFrictionAngle, QStringLiteral("-1"));
  Press(coulombjoint::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.JointSelectedSet, 0);
  EXPECT_TRUE(Project.FileSaved);

  // OK: both sets and the set shown.
  Open();
  Type(coulombjoint::kSy, QStringLiteral("6"));
  Press(coulombjoint::kSet2);
  Type(coulombjoint::kSx, QStringLiteral("9"));
  Press(coulombjoint::kS1BetaGraph);
  Press(coulombjoint::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.JointSelectedSet, 1);
  EXPECT_EQ(Project.JointStress[0].Sy, 6.0f);
  EXPECT_EQ(Project.JointStress[1].Sx, 9.0f);
  EXPECT_EQ(Project.JointStress[1].GraphOption, StressGraph::Sigma1Chart);
  EXPECT_FALSE(Project.FileSaved);
}

TEST_F(CoulombJointDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  for (std::size_t i = 0; i < 2; ++i) {
    Project.JointStress[i] =
        StressInput{1.23456f + i, 0.54321f, -0.00042f, i == 0 ? StressGraph::None : StressGraph::MohrCircle};
    Project.JointMaterials[i] = JointMaterial{0.12345f, true, 2.34567f, 12.3456f, false, false};
    Project.JointPlanes[i] = JointPlane{0.98765f, 21.2345f, -33.3333f, false};
  }
  Project.JointSelectedSet = 1;
  const auto stress = Project.JointStress;
  const auto materials = Project.JointMaterials;
  const auto planes = Project.JointPlanes;
  Open();
  EXPECT_TRUE(Control<QRadioButton>(coulombjoint::kSet2)->isChecked());
  Press(coulombjoint::kSet1);
  Focus(coulombjoint::kSy);
  Focus(coulombjoint::kJointInclination);
  Press(coulombjoint::kOk);
  EXPECT_TRUE(Messages().empty());
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(Project.JointStress[i].Sx, stress[i].Sx);
    EXPECT_EQ(Project.JointStress[i].Sy, stress[i].Sy);
    EXPECT_EQ(Project.JointStress[i].Txy, stress[i].Txy);
    EXPECT_EQ(Project.JointStress[i].GraphOption, stress[i].GraphOption);
    EXPECT_EQ(Project.JointMaterials[i].PorePressure, materials[i].PorePressure);
    EXPECT_TRUE(Project.JointMaterials[i].UsePore);
    EXPECT_EQ(Project.JointMaterials[i].Cohesion, materials[i].Cohesion);
    EXPECT_EQ(Project.JointMaterials[i].FrictionAngle, materials[i].FrictionAngle);
    EXPECT_EQ(Project.JointPlanes[i].Cohesion, planes[i].Cohesion);
    EXPECT_EQ(Project.JointPlanes[i].FrictionAngle, planes[i].FrictionAngle);
    EXPECT_EQ(Project.JointPlanes[i].Alpha, planes[i].Alpha);
  }
  EXPECT_EQ(Project.JointSelectedSet, 0);
}

TEST_F(CoulombJointDialogTest, MohrPlotDrawsTheSlidingRangeOrNone) {
  // s1 = 10, s2 = 2, cj = 1, phi_j = 30: the range's limits end on the
  // circle and on the discontinuity's envelope.
  StoreSet(0, 10, 2, 1, 30, -30, StressGraph::MohrCircle);
  Open();
  EXPECT_EQ(Dialog().width(), 797);
  ASSERT_TRUE(Plot()->isVisible());
  EXPECT_FALSE(Chart()->isVisible());
  const auto limits = LinesOf(CoulombJointPlot::kMagenta);
  const auto envelopes = LinesOf(CoulombJointPlot::kYellow);
  ASSERT_EQ(limits.size(), 2u);
  ASSERT_EQ(envelopes.size(), 1u);
  ASSERT_EQ(LinesOf(CoulombJointPlot::kBrown).size(), 1u);
  const QPointF a = envelopes[0].a, b = envelopes[0].b;
  for (const PlotItem& limit : limits) {
    EXPECT_NEAR(std::hypot(limit.b.x() - limit.a.x(), limit.b.y() - limit.a.y()), Plot()->CircleRadius(), 1);
    const double off = (b.x() - a.x()) * (limit.b.y() - a.y()) - (limit.b.x() - a.x()) * (b.y() - a.y());
    EXPECT_NEAR(off / std::hypot(b.x() - a.x(), b.y() - a.y()), 0.0, 1.5);
  }
  EXPECT_EQ(Plot()->Caption(PlotCaption::Strength)->text(), QStringLiteral("5.0"));
  EXPECT_EQ(Plot()->Caption(PlotCaption::JointCohesion)->text(), QStringLiteral("1.0"));
  EXPECT_EQ(Plot()->Caption(PlotCaption::S1)->text(), QStringLiteral("10.0"));
  const auto colourOf = [&](PlotCaption caption) {
    return Plot()->Caption(caption)->palette().color(QPalette::WindowText).rgb();
  };
  for (PlotCaption caption :
       {PlotCaption::Origin, PlotCaption::S2, PlotCaption::Centre, PlotCaption::S1, PlotCaption::Strength})
    EXPECT_EQ(colourOf(caption), FailurePlot::kTeal) << Plot()->Caption(caption)->objectName().toStdString();
  EXPECT_EQ(colourOf(PlotCaption::JointCohesion), CoulombJointPlot::kYellow);
  EXPECT_EQ(Plot()->Caption(PlotCaption::JointCohesion)->objectName(), QStringLiteral("Label24"));

  // A discontinuity the circle does not reach (cj = 10: x = 2.9): the
  // circle and both envelopes, but no line to the discontinuity, neither
  // the range's limits nor the given plane; the same after a drag of the
  // axes.
  Type(coulombjoint::kJointCohesion, QStringLiteral("10"));
  EXPECT_EQ(test::ItemsOf(*Plot(), FailurePlot::kBlue, PlotItem::Type::Arc).size(), 1u);
  EXPECT_EQ(LinesOf(CoulombJointPlot::kYellow).size(), 1u);
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kMagenta).empty());
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kBrown).empty());
  Plot()->OnPointerPressed(2000, 3000);
  Plot()->OnPointerReleased(2000, 3000);
  EXPECT_EQ(LinesOf(CoulombJointPlot::kYellow).size(), 1u);
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kBrown).empty());
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kMagenta).empty());
  // s1 = s2: a point for a circle, no range and no plane; nothing fails.
  Type(coulombjoint::kJointCohesion, QStringLiteral("1"));
  Type(coulombjoint::kSx, QStringLiteral("2"));
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kMagenta).empty());
  EXPECT_TRUE(LinesOf(CoulombJointPlot::kBrown).empty());
  EXPECT_EQ(Text(coulombjoint::kS1), QStringLiteral("2.000"));
  EXPECT_TRUE(Messages().empty());
  // Principal stresses beyond the 32-bit range: every result is emptied.
  Paste(coulombjoint::kSy, QStringLiteral("3e38"));
  Paste(coulombjoint::kTxy, QStringLiteral("3e38"));
  for (const char* box : {coulombjoint::kS1, coulombjoint::kS2, coulombjoint::kMaterialFailureVerdict,
                          coulombjoint::kJointFailureVerdict, coulombjoint::kAngleToS1})
    EXPECT_EQ(Text(box), QString()) << box;
  EXPECT_TRUE(Plot()->Items().empty());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
}

TEST_F(CoulombJointDialogTest, Sigma1BetaChartAndMaterialStrength) {
  // The worked case: cj = 0, phi_j = 30, s1 = 10, s2 = 2.
  StoreSet(0, 10, 2, 0, 30, 0, StressGraph::Sigma1Chart);
  Open();
  EXPECT_EQ(Dialog().width(), 797);
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_FALSE(Plot()->isVisible());
  EXPECT_EQ(Text(coulombjoint::kMaterialStrength), QStringLiteral("23.32"));
  EXPECT_EQ(Text(coulombjoint::kSlidingRangeStart), QStringLiteral("39.3"));
  EXPECT_EQ(Text(coulombjoint::kSlidingRangeEnd), QStringLiteral("80.7"));
  ASSERT_EQ(Chart()->Series()->count(), 92);
  EXPECT_EQ(Chart()->Series()->at(0).x(), 0);
  EXPECT_NEAR(Chart()->Series()->at(0).y(), 23.3205, 1e-3);
  EXPECT_NEAR(Chart()->Series()->at(91).x(), 89.7, 1e-2);
  EXPECT_EQ(Chart()->BetaAxis()->min(), 0);
  EXPECT_EQ(Chart()->BetaAxis()->max(), 90);
  EXPECT_EQ(Chart()->BetaAxis()->tickCount(), 10);
  EXPECT_EQ(Chart()->Sigma1Axis()->min(), 0);
  EXPECT_EQ(Chart()->Sigma1Axis()->max(), 30);
  EXPECT_EQ(Chart()->Sigma1Axis()->tickCount(), 4);
  EXPECT_EQ(Chart()->chart()->title(), QStringLiteral("Sigma 1 - Beta Plot"));

  // No sliding range: the labels are emptied, the strength stays current.
  Type(coulombjoint::kSx, QStringLiteral("2"));
  EXPECT_EQ(Text(coulombjoint::kSlidingRangeStart), QString());
  EXPECT_EQ(Text(coulombjoint::kMaterialStrength), QStringLiteral("23.32"));
  EXPECT_EQ(Chart()->Series()->count(), 91);
  // A negative intact strength (s2 = -40, c = 0): a scale that holds it.
  Type(coulombjoint::kMaterialCohesion, QStringLiteral("0"));
  Type(coulombjoint::kSx, QStringLiteral("-1"));
  Type(coulombjoint::kSy, QStringLiteral("-40"));
  EXPECT_EQ(Text(coulombjoint::kMaterialStrength), QStringLiteral("-120.00"));
  EXPECT_LE(Chart()->Sigma1Axis()->min(), -120);
  for (const QPointF& p : Chart()->Series()->points()) {
    EXPECT_GE(p.x(), 0);
    EXPECT_LE(p.x(), 90);
    EXPECT_GE(p.y(), Chart()->Sigma1Axis()->min());
    EXPECT_LE(p.y(), Chart()->Sigma1Axis()->max());
  }
  // The strength belongs to the chart: another graph empties it.
  Press(coulombjoint::kMohrGraph);
  EXPECT_EQ(Text(coulombjoint::kMaterialStrength), QString());
  Press(coulombjoint::kNoGraph);
  EXPECT_EQ(Dialog().width(), 510);
}

TEST_F(CoulombJointDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(coulombjoint::kSx)->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(coulombjoint::kPorePressure)->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QCheckBox>(coulombjoint::kPoreOption)->accessibleName(), QStringLiteral("Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(coulombjoint::kMaterialStrength)->accessibleName(), QStringLiteral("Material Strength"));
  EXPECT_EQ(Control<QLineEdit>(coulombjoint::kJointPoreFailureVerdict)->accessibleName(),
            QStringLiteral("Failure at Discontinuity due to Pore Pressure"));
  EXPECT_EQ(Control<QLineEdit>(coulombjoint::kAngleToS1)->accessibleName(), QStringLiteral("Angle to s1"));
  EXPECT_TRUE(Control<QLineEdit>(coulombjoint::kAngleToS1)->isReadOnly());
}

TEST_F(CoulombJointDialogTest, RenderBothLanguagesAndEveryGraph) {
  StoreSet(0, 10, 2, 1, 30, -30);
  Project.JointMaterials[0].UsePore = true;
  Project.JointMaterials[0].PorePressure = 1;
  test::EachLanguage([&](const QString& language) {
    for (const StressGraph graph : {StressGraph::None, StressGraph::MohrCircle, StressGraph::Sigma1Chart}) {
      Project.JointStress[0].GraphOption = graph;
      Open();
      test::SaveRender(Dialog(), QStringLiteral("coulomb-joint-%1-%2").arg(language).arg(static_cast<int>(graph)));
      Dialog().close();
    }
  });
}

// The worked example of the tool's help page: a discontinuity at 30 degrees
// slides, the intact material holds; the s1-b chart gives the range.
TEST_F(CoulombJointDialogTest, HelpPageExample) {
  const auto text = [this](QAnyStringView box) { return Text(box); };
  StoreSet(0, 10, 2, 1, 30, 30, StressGraph::MohrCircle);
  Project.JointMaterials[0].UsePore = true;
  Project.JointMaterials[0].PorePressure = 1;
  Open();
  test::ExpectShown(text, {{coulombjoint::kS1, "10.000"},
                           {coulombjoint::kS1Direction, "0.000"},
                           {coulombjoint::kS2, "2.000"},
                           {coulombjoint::kS2Direction, "-90.000"},
                           {coulombjoint::kJointFailureVerdict, "true"},
                           {coulombjoint::kMaterialFailureVerdict, "false"},
                           {coulombjoint::kJointPoreFailureVerdict, "true"},
                           {coulombjoint::kMaterialPoreFailureVerdict, "false"},
                           {coulombjoint::kAngleToS1, "60.00"},
                           {coulombjoint::kMaterialStrength, ""}});
  Press(coulombjoint::kS1BetaGraph);
  test::ExpectShown(text, {{coulombjoint::kMaterialStrength, "23.32"},
                           {coulombjoint::kSlidingRangeStart, "52.6"},
                           {coulombjoint::kSlidingRangeEnd, "67.4"}});
  EXPECT_TRUE(Messages().empty());
}

TEST(CoulombJointMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<CoulombJointDialog>(Tool::CoulombJoint);
  ClearTools();
}

}  // namespace
}  // namespace brantel
