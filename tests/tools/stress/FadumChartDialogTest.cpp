#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/project/ProjectRecord.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/Fadum.h"
#include "tools/stress/FadumChartDialog.h"

#include <QChart>
#include <QChartView>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QTabWidget>
#include <QTest>
#include <QValueAxis>

namespace brantel {
namespace {

class FadumChartDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    InitGlobals();  // the unit-label table
    Project.CornerLoad = 100;
    Project.CornerWidth = 1;
    Project.CornerLength = 1;
    Project.CornerDepth = 1;
    Project.InputUnits = UnitSystem::Imperial;
  }
  FadumChartDialog& Open() { return DialogTest::Open<FadumChartDialog>(); }
  FadumChartDialog& Dialog() const { return static_cast<FadumChartDialog&>(Current()); }
  QTabWidget* Tabs() const { return Control<QTabWidget>(fadumchart::kTabs); }
};

TEST_F(FadumChartDialogTest, LoadingShowsTheResultsOfTheStoredValues) {
  Project.InputUnits = UnitSystem::SI;
  Open();
  EXPECT_EQ(Tabs()->currentIndex(), FadumChartDialog::kAnalysisTab);
  EXPECT_EQ(Text(fadumchart::kDistributedLoad), QStringLiteral("100"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.175"));
  EXPECT_TRUE(Text(fadumchart::kCornerStress).startsWith(QStringLiteral("17.52")))
      << Text(fadumchart::kCornerStress).toStdString();
  EXPECT_EQ(Text(fadumchart::kPointDepthLabel), QStringLiteral("Depth (m)"));
  EXPECT_EQ(Control(fadumchart::kPointDepth)->accessibleName(), QStringLiteral("Depth (m)"));
  EXPECT_EQ(Control(fadumchart::kCornerStress)->accessibleName(),
            QStringLiteral("Additional Pressure under Foundation Corner (MPa)"));
  EXPECT_EQ(Control(fadumchart::kIrCoefficient)->accessibleName(), QStringLiteral("Ir Coefficient"));
  EXPECT_EQ(Control(fadumchart::kFadumChart)->accessibleName(), QStringLiteral("Fadum Chart"));
  EXPECT_TRUE(History().contains(
      QStringLiteral("Calculation of Additional Pressure a Corner of Orthogonal Foundation due to Uniform Loading.")));
  EXPECT_EQ(Dialog().ChartDrawCount(), 0);  // the chart waits for its tab
}

TEST_F(FadumChartDialogTest, TypingRecomputes) {
  Open();
  Type(fadumchart::kFoundationLength, QStringLiteral("7"));
  Type(fadumchart::kFoundationWidth, QStringLiteral("3"));
  Type(fadumchart::kPointDepth, QStringLiteral("2"));
  Type(fadumchart::kDistributedLoad, QStringLiteral("50"));
  const FadumCornerResult r = FadumCornerResults(50, 3, 7, 2);
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), Format(r.Ir, kFadumIrMask));
  EXPECT_EQ(Text(fadumchart::kCornerStress), FormatGeneral(r.Stress));
  // The sides swapped give the same results.
  Type(fadumchart::kFoundationLength, QStringLiteral("3"));
  Type(fadumchart::kFoundationWidth, QStringLiteral("7"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), Format(r.Ir, kFadumIrMask));
  EXPECT_EQ(Text(fadumchart::kCornerStress), FormatGeneral(r.Stress));
  // A partial entry counts as 0; no depth gives nothing.
  Type(fadumchart::kPointDepth, QStringLiteral("-"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.000"));
  EXPECT_EQ(Text(fadumchart::kCornerStress), QStringLiteral("0"));
  EXPECT_TRUE(Messages().empty());
  // m beyond the range of a 32-bit number: no result rather than a wrong one.
  Paste(fadumchart::kPointDepth, QStringLiteral("1e-30"));
  Paste(fadumchart::kFoundationLength, QStringLiteral("1e30"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QString());
  EXPECT_EQ(Text(fadumchart::kCornerStress), QString());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
}

TEST_F(FadumChartDialogTest, RefusedEntriesKeepTheResults) {
  Open();
  Paste(fadumchart::kPointDepth, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("The depth of the point should be positive"));
  EXPECT_TRUE(Control(fadumchart::kPointDepth)->hasFocus());
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.175"));
  Paste(fadumchart::kPointDepth, QStringLiteral("1"));

  // Not a number: one message for all boxes, and the focus stays.
  Focus(fadumchart::kDistributedLoad);
  Control<QLineEdit>(fadumchart::kFoundationLength)->setText(QStringLiteral("2a"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  EXPECT_TRUE(Control(fadumchart::kDistributedLoad)->hasFocus());
  Paste(fadumchart::kFoundationLength, QStringLiteral("1e39"));  // beyond a 32-bit number
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  Paste(fadumchart::kFoundationLength, QStringLiteral("1e999"));  // beyond any
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.175"));

  // The order of the check: load, width, length, depth.
  Paste(fadumchart::kFoundationLength, QStringLiteral("-2"));
  EnglishMenus = false;
  Paste(fadumchart::kFoundationWidth, QStringLiteral("-3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Το πλάτος του θεμελίου πρέπει να έχει θετική τιμή!"));
  Paste(fadumchart::kDistributedLoad, QStringLiteral("-3"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Το φορτίο του θεμελίου πρέπει να έχει θετική τιμή!"));
  EXPECT_TRUE(Control(fadumchart::kDistributedLoad)->hasFocus());
  // Every box is read before any value is checked.
  Paste(fadumchart::kPointDepth, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Κάποια τιμή δεν έχει αριθμητική μορφή!"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.175"));
}

TEST_F(FadumChartDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(fadumchart::kPointDepth, QStringLiteral("2"));
  Press(fadumchart::kCancel);
  EXPECT_EQ(Project.CornerDepth, 1.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(fadumchart::kPointDepth, QStringLiteral("2"));
  Paste(fadumchart::kFoundationWidth, QStringLiteral("-1"));  // refused
  Press(fadumchart::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.CornerDepth, 1.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(fadumchart::kPointDepth, QStringLiteral("2.5"));
  Type(fadumchart::kDistributedLoad, QStringLiteral("80"));
  Press(fadumchart::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.CornerDepth, 2.5f);
  EXPECT_EQ(Project.CornerLoad, 80.0f);
  EXPECT_EQ(Project.CornerWidth, 1.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(FadumChartDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.CornerLoad = 123.456789f;
  Project.CornerWidth = 0.1f;
  Project.CornerDepth = 1e-9f;
  Open();
  Focus(fadumchart::kFoundationWidth);
  Focus(fadumchart::kFoundationLength);
  Press(fadumchart::kOk);
  EXPECT_EQ(Project.CornerLoad, 123.456789f);
  EXPECT_EQ(Project.CornerWidth, 0.1f);
  EXPECT_EQ(Project.CornerDepth, 1e-9f);
}

TEST_F(FadumChartDialogTest, ChoosingTheGraphTabDrawsTheTwentyCurves) {
  Open();
  Tabs()->setCurrentIndex(FadumChartDialog::kGraphTab);
  EXPECT_EQ(Dialog().ChartDrawCount(), 1);
  QChart* chart = Dialog().Chart();
  EXPECT_EQ(chart->title(), QStringLiteral("Fadum Chart"));
  const auto series = chart->series();
  ASSERT_EQ(series.size(), kFadumCurves);
  const auto curves = FadumChartCurves();
  for (int k = 0; k < kFadumCurves; ++k) {
    const auto* line = qobject_cast<QLineSeries*>(series[k]);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->points(), curves[static_cast<std::size_t>(k)].Points);
  }
  EXPECT_EQ(series[0]->name(), QStringLiteral("n = 0.1"));
  EXPECT_EQ(series[19]->name(), QStringLiteral("n = 2.0"));
  const auto* x = qobject_cast<QLogValueAxis*>(chart->axes(Qt::Horizontal).value(0));
  const auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
  ASSERT_TRUE(x && y);
  EXPECT_EQ(x->titleText(), QStringLiteral("m"));
  EXPECT_DOUBLE_EQ(x->min(), 0.1);
  EXPECT_DOUBLE_EQ(x->max(), 10.0);
  EXPECT_EQ(y->titleText(), QStringLiteral("Ir"));
  EXPECT_DOUBLE_EQ(y->min(), 0.0);
  EXPECT_DOUBLE_EQ(y->max(), 0.28);
  EXPECT_EQ(y->tickCount(), 15);
  // Drawn again each time the tab is chosen.
  Tabs()->setCurrentIndex(FadumChartDialog::kAnalysisTab);
  Tabs()->setCurrentIndex(FadumChartDialog::kGraphTab);
  EXPECT_EQ(Dialog().ChartDrawCount(), 2);
}

TEST_F(FadumChartDialogTest, TheChartGrowsWithTheWindow) {
  Open();
  const QSize design = Dialog().size();
  const QSize chart = Control(fadumchart::kFadumChart)->size();
  Dialog().resize(design + QSize(150, 90));
  EXPECT_EQ(Control(fadumchart::kFadumChart)->size(), chart + QSize(150, 90));
  EXPECT_EQ(Dialog().minimumSize(), design);
}

TEST_F(FadumChartDialogTest, RenderBothTabsInBothLanguages) {
  test::EachLanguage([&](const QString& language) {
    for (int tab : {FadumChartDialog::kAnalysisTab, FadumChartDialog::kGraphTab}) {
      Open();
      Tabs()->setCurrentIndex(tab);
      QTest::qWait(20);  // the chart lays itself out from the event loop
      test::SaveRender(Dialog(), QStringLiteral("fadum-coefs-%1-%2").arg(language).arg(tab));
    }
  });
}

// The worked example of the tool's help page (in psi and ft).
TEST_F(FadumChartDialogTest, HelpPageExample) {
  Open();
  Type(fadumchart::kDistributedLoad, QStringLiteral("50"));
  Type(fadumchart::kFoundationWidth, QStringLiteral("1"));
  Type(fadumchart::kFoundationLength, QStringLiteral("2"));
  Type(fadumchart::kPointDepth, QStringLiteral("2"));
  EXPECT_EQ(Text(fadumchart::kIrCoefficient), QStringLiteral("0.120"));
  EXPECT_EQ(Text(fadumchart::kCornerStress), QStringLiteral("6.008944"));
  EXPECT_EQ(Text(fadumchart::kDistributedLoadLabel), QStringLiteral("Distributed Load (Pressure) (psi)"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
