#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "plot/StressPlot.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/ElementPicture.h"
#include "tools/stress/Stress2DDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <utility>

namespace brantel {
namespace {

class Stress2DDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    EnableMohrCircles = false;
    Project.Stress2D = StressInput{};
    Project.Stress2DPlane = StressOnPlane{};
  }
  Stress2DDialog& Open() { return DialogTest::Open<Stress2DDialog>(); }
  Stress2DDialog& Dialog() const { return static_cast<Stress2DDialog&>(Current()); }
  MohrCirclePlot* Plot() const { return Control<MohrCirclePlot>(stress2d::kMohrPlot); }
  ElementView* Sketch() const { return Control<ElementView>(stress2d::kTurnedElement); }
};

TEST_F(Stress2DDialogTest, TypingComputesTheResultsAtOnce) {
  Open();
  EXPECT_FALSE(Enabled(stress2d::kOk));  // everything is zero
  Type(stress2d::kSx, QStringLiteral("30"));
  Type(stress2d::kSy, QStringLiteral("10"));
  Type(stress2d::kTxy, QStringLiteral("0"));
  EXPECT_TRUE(Enabled(stress2d::kOk));
  EXPECT_EQ(Text(stress2d::kS1), QStringLiteral("30.000"));
  EXPECT_EQ(Text(stress2d::kS2), QStringLiteral("10.000"));
  EXPECT_EQ(Text(stress2d::kTmax), QStringLiteral("10.000"));
  Type(stress2d::kPlaneAngle, QStringLiteral("45"));
  EXPECT_EQ(Text(stress2d::kPlaneNormalStress), QStringLiteral("20.000"));
  EXPECT_EQ(Text(stress2d::kPlaneShearStress), QStringLiteral("10.000"));
  EXPECT_EQ(Text(stress2d::kPlaneAngleFromX), QStringLiteral("45.000"));
  Type(stress2d::kTxy, QStringLiteral("-"));  // still being typed: counts as 0
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Stress Analysis in Two Dimensions.")));
}

TEST_F(Stress2DDialogTest, AnInvalidEntryIsRefusedAndTheResultsStay) {
  Open();
  Type(stress2d::kSx, QStringLiteral("30"));
  Type(stress2d::kSy, QStringLiteral("12a"));
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_TRUE(Control<QLineEdit>(stress2d::kSy)->hasFocus());
  EXPECT_EQ(Text(stress2d::kS1), QStringLiteral("30.000"));  // from the last valid state
  EnglishMenus = false;
  // Leaving the bad box put its leading number in it; the next bad box is txy.
  Type(stress2d::kTxy, QStringLiteral("x"));
  EXPECT_EQ(Text(stress2d::kSy), QStringLiteral("12.000"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το τxy"));
}

TEST_F(Stress2DDialogTest, LargeEntriesKeepTheirValueWhenTheBoxIsLeft) {
  Open();
  // Too large to read at all: refused, and moving on does not fail.
  Paste(stress2d::kSx, QStringLiteral("1e999"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sx"));
  Focus(stress2d::kSy);
  Focus(stress2d::kSx);
  EXPECT_EQ(Dialog().WorkingStress().Sx, 0.0f);
  boxes_->Clear();

  // Valid for a 32-bit value, but longer than the box in its display form.
  Type(stress2d::kSx, QStringLiteral("1e25"));
  Type(stress2d::kPlaneAngle, QStringLiteral("1e7"));
  Focus(stress2d::kSy);
  EXPECT_EQ(ParseLeadingNumber(Text(stress2d::kSx)), 1e25);
  EXPECT_EQ(ParseLeadingNumber(Text(stress2d::kPlaneAngle)), 1e7);
  EXPECT_FLOAT_EQ(Dialog().WorkingStress().Sx, 1e25f);
  EXPECT_FLOAT_EQ(Dialog().WorkingPlane().PlaneAngle, 1e7f);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Stress2DDialogTest, ButtonsReadTheSameInBothLanguages) {
  EnglishMenus = false;
  Open();
  EXPECT_EQ(Text(stress2d::kHelp), QStringLiteral("Help"));
  EXPECT_EQ(Text(stress2d::kCancel), QStringLiteral("Cancel"));
  EXPECT_EQ(Text(stress2d::kOk), QStringLiteral("OK"));
  EXPECT_EQ(Text(stress2d::kRedrawPlot), QStringLiteral("απεικόνιση"));
}

TEST_F(Stress2DDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(stress2d::kSx, QStringLiteral("5"));
  Press(stress2d::kCancel);
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(stress2d::kSx, QStringLiteral("5"));
  Type(stress2d::kSy, QStringLiteral("12a"));  // refused
  Press(stress2d::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(stress2d::kSx, QStringLiteral("5"));
  Type(stress2d::kPlaneAngle, QStringLiteral("30"));
  Press(stress2d::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.Stress2D.Sx, 5.0f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 30.0f);
  EXPECT_NEAR(Project.Stress2DPlane.SigmaN, 3.75f, 1e-5);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);

  Open();  // reopening shows the committed values
  EXPECT_EQ(Text(stress2d::kSx), QStringLiteral("5.000"));
  EXPECT_EQ(Text(stress2d::kPlaneAngle), QStringLiteral("30.000"));
}

TEST_F(Stress2DDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.Stress2D.Sx = 1.23456f;
  Project.Stress2D.Sy = -0.00042f;
  Project.Stress2DPlane.PlaneAngle = 12.34567f;
  Open();
  EXPECT_EQ(Text(stress2d::kSx), QStringLiteral("1.235"));
  // Entering and leaving a box without typing changes nothing either.
  Focus(stress2d::kSy);
  Focus(stress2d::kPlaneAngle);
  Press(stress2d::kOk);
  EXPECT_EQ(Project.Stress2D.Sx, 1.23456f);
  EXPECT_EQ(Project.Stress2D.Sy, -0.00042f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 12.34567f);
}

TEST_F(Stress2DDialogTest, LeavingABoxPutsItInTheDisplayForm) {
  Open();
  Type(stress2d::kSx, QStringLiteral("2.5"));
  Focus(stress2d::kSy);
  EXPECT_EQ(Text(stress2d::kSx), QStringLiteral("2.500"));
  Type(stress2d::kSy, QString());
  Focus(stress2d::kPlaneAngle);
  EXPECT_EQ(Text(stress2d::kSy), QStringLiteral("0.000"));
  Type(stress2d::kPlaneAngle, QString());
  Focus(stress2d::kSx);
  EXPECT_EQ(Text(stress2d::kPlaneAngle), QString());  // an empty angle stays empty
}

TEST_F(Stress2DDialogTest, ThePlotSwitchWidensTheDialog) {
  Open();
  EXPECT_EQ(Dialog().width(), 545);  // 8170 twips
  Control<QCheckBox>(stress2d::kShowMohrCircle)->setChecked(true);
  EXPECT_EQ(Dialog().width(), 830);  // 12448 twips
  EXPECT_TRUE(Control(stress2d::kRedrawPlot)->isVisible());
  Control<QCheckBox>(stress2d::kShowMohrCircle)->setChecked(false);
  EXPECT_EQ(Dialog().width(), 545);

  EnableMohrCircles = true;  // opens wide whatever was stored
  Open();
  EXPECT_EQ(Dialog().width(), 830);
}

TEST_F(Stress2DDialogTest, PlotRangeAfterZoomAndDragAndTheReadout) {
  Project.Stress2D = {30, 10, 0, StressGraph::MohrCircle};
  Open();
  MohrCirclePlot* plot = Plot();
  EXPECT_FLOAT_EQ(plot->XRange(), 48.0f);
  Control<QScrollBar>(stress2d::kZoomBar)->setValue(20);
  EXPECT_FLOAT_EQ(plot->XRange(), 60.0f);
  // Drag the origin with the mouse, then read out the circle's right end.
  QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(50, 150));
  QTest::mouseMove(plot, QPoint(60, 160));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(60, 160));
  EXPECT_EQ(plot->YAxis().x1(), 900);
  EXPECT_EQ(plot->XAxis().y1(), 2400);
  const QPoint end(qRound((plot->CircleX() + plot->CircleRadius()) / 15), 160);
  QTest::mouseMove(plot, end);
  const QString text = Text(stress2d::kPointerCoordinates);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Coordinates: (X=3"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral(", Y=0)"))) << text.toStdString();
}

TEST_F(Stress2DDialogTest, TheSketchIsDrawnOnceAfterTheTimer) {
  Project.Stress2D = {10, 0, 5, StressGraph::None};
  Open();
  EXPECT_FALSE(Dialog().SketchDrawn());
  EXPECT_TRUE(Enabled(stress2d::kViewOrientation));
  QTRY_VERIFY_WITH_TIMEOUT(Dialog().SketchDrawn(), 2000);
  EXPECT_EQ(Sketch()->DrawCount(), 1);
  EXPECT_FALSE(Sketch()->LabelledShown());
  EXPECT_NEAR(Sketch()->Angle(), 22.5, 1e-4);
  EXPECT_FALSE(Enabled(stress2d::kViewOrientation));
  // In and out of the stress boxes without a change: no new drawing.
  for (int i = 0; i < 3; ++i) {
    Focus(stress2d::kSx);
    Focus(stress2d::kSy);
  }
  EXPECT_EQ(Sketch()->DrawCount(), 1);
  // A change outdates it; the next focus change draws it again.
  Type(stress2d::kTxy, QStringLiteral("-5"));
  EXPECT_TRUE(Enabled(stress2d::kViewOrientation));
  Focus(stress2d::kSx);
  EXPECT_EQ(Sketch()->DrawCount(), 2);
  EXPECT_NEAR(Sketch()->Angle(), -22.5, 1e-4);
}

TEST_F(Stress2DDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(stress2d::kSx)->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(stress2d::kS1)->accessibleName(), QStringLiteral("s1"));
  EXPECT_EQ(Control<QLineEdit>(stress2d::kPlaneAngleFromX)->accessibleName(),
            QStringLiteral("Angle of Plane from x-axis (deg)"));
  EXPECT_TRUE(Control<QLineEdit>(stress2d::kS1)->isReadOnly());
  // The two angle boxes of one caption, and the two option buttons without
  // captions beside the angle boxes of the plane.
  EXPECT_EQ(Control<QLineEdit>(stress2d::kAngleOfTmax)->accessibleName(), QStringLiteral("w(tmax) from x (1 of 2)"));
  EXPECT_EQ(Control<QLineEdit>(stress2d::kAngleOfOtherTmax)->accessibleName(),
            QStringLiteral("w(tmax) from x (2 of 2)"));
  EXPECT_EQ(Control<QRadioButton>(stress2d::kAngleFromS1)->accessibleName(),
            QStringLiteral("Angle of Plane Vector from s1 (deg)"));
  EXPECT_EQ(Control<QRadioButton>(stress2d::kAngleFromXAxis)->accessibleName(),
            QStringLiteral("Angle of Plane from x-axis (deg)"));
}

TEST_F(Stress2DDialogTest, AResultLongerThanItsBoxShowsItsFirstDigits) {
  Project.Stress2D.Sx = 4177086.0f;  // tmax 100 MPa in psf
  Open();
  for (const char* name : {stress2d::kTmax, stress2d::kSx}) {  // a result, and a stored input
    QLineEdit* box = Control<QLineEdit>(name);
    ASSERT_GT(box->fontMetrics().horizontalAdvance(box->text()), box->contentsRect().width());
    EXPECT_EQ(box->cursorPosition(), 0);
    // The text is not scrolled to its end.
    EXPECT_LT(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 8);
  }
  EXPECT_EQ(Text(stress2d::kTmax), QStringLiteral("2088543.000"));
}

TEST_F(Stress2DDialogTest, ACalculationThatFailsShowsNothingStale) {
  Project.Stress2D = {30, 10, 8, StressGraph::MohrCircle};
  Open();
  MohrCirclePlot* plot = Plot();
  ASSERT_FALSE(plot->Items().empty());
  // The principal stresses overflow: every result box is emptied and the
  // plot is blank, where they used to show the last state.
  Type(stress2d::kSy, QStringLiteral("-3e38"));
  Type(stress2d::kTxy, QStringLiteral("3e38"));
  Type(stress2d::kSx, QStringLiteral("3e38"));
  for (const char* box : {stress2d::kS1, stress2d::kS2, stress2d::kAngleOfS1, stress2d::kAngleOfS2, stress2d::kTmax,
                          stress2d::kAngleOfTmax, stress2d::kAngleOfOtherTmax, stress2d::kPlaneNormalStress,
                          stress2d::kPlaneShearStress, stress2d::kPlaneAngleFromX}) {
    EXPECT_EQ(Text(box), QString()) << box;
  }
  EXPECT_TRUE(plot->Items().empty());
  EXPECT_TRUE(plot->Caption(PlotCaption::S1)->isHidden());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  // A new angle cannot bring back the stale plane results either.
  Type(stress2d::kPlaneAngle, QStringLiteral("30"));
  EXPECT_EQ(Text(stress2d::kPlaneNormalStress), QString());
  EXPECT_TRUE(plot->Items().empty());

  // The results fit, but the plot's range does not: the boxes show the
  // state and the plot shows nothing rather than the last circle.
  Type(stress2d::kSy, QStringLiteral("10"));
  Type(stress2d::kTxy, QStringLiteral("8"));
  EXPECT_EQ(Text(stress2d::kS1), QStringLiteral("300000000000000000000000000000000000000.000"));
  EXPECT_TRUE(plot->Items().empty());
  // A state that fits again draws again.
  Type(stress2d::kSx, QStringLiteral("30"));
  EXPECT_EQ(Text(stress2d::kS1), QStringLiteral("32.806"));
  EXPECT_FALSE(plot->Items().empty());
  EXPECT_FALSE(plot->Caption(PlotCaption::S1)->isHidden());
}

TEST_F(Stress2DDialogTest, RenderBothLanguagesWithAndWithoutThePlot) {
  Project.Stress2D = {30, 10, 8, StressGraph::MohrCircle};
  Project.Stress2DPlane.PlaneAngle = 30;
  test::EachLanguage([&](const QString& language) {
    int narrowWidth = 0;
    for (const bool wide : {false, true}) {
      Project.Stress2D.GraphOption = wide ? StressGraph::MohrCircle : StressGraph::None;
      Open();
      QTRY_VERIFY_WITH_TIMEOUT(Dialog().SketchDrawn(), 2000);
      test::SaveRender(Dialog(), QStringLiteral("stress2d-%1-%2").arg(language, wide ? "plot" : "narrow"));
      // The plot widens the picture.
      if (wide) EXPECT_GT(Dialog().width(), narrowWidth) << language.toStdString();
      else narrowWidth = Dialog().width();
      Dialog().close();
    }
  });
}

}  // namespace
}  // namespace brantel

namespace brantel {
namespace {

TEST(Stress2DMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<Stress2DDialog>(Tool::Stress2D);
  EXPECT_FALSE(OwnedByMainWindow(Tool::Stress2D));
  ClearTools();
}

// The worked example of the tool's help page (in MPa).
TEST_F(Stress2DDialogTest, HelpPageExample) {
  Open();
  Type(stress2d::kSx, QStringLiteral("12"));
  Type(stress2d::kSy, QStringLiteral("6"));
  Type(stress2d::kTxy, QStringLiteral("4"));
  Type(stress2d::kPlaneAngle, QStringLiteral("30"));
  const std::pair<const char*, const char*> shown[] = {
      {stress2d::kS1, "14.000"},
      {stress2d::kS2, "4.000"},
      {stress2d::kAngleOfS1, "26.565"},
      {stress2d::kAngleOfS2, "-63.435"},
      {stress2d::kTmax, "5.000"},
      {stress2d::kAngleOfTmax, "71.565"},
      {stress2d::kAngleOfOtherTmax, "-18.435"},
      {stress2d::kPlaneNormalStress, "11.500"},
      {stress2d::kPlaneShearStress, "4.330"},
      {stress2d::kPlaneAngleFromX, "56.565"},
  };
  for (const auto& [box, text] : shown) EXPECT_EQ(Text(box), QString::fromLatin1(text)) << text;
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
