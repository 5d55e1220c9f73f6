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
    EnableMohrCircles = 0;
    Project.Stress2D = StressInput{};
    Project.Stress2DPlane = StressOnPlane{};
  }
  frm2DPrinc& Open() { return DialogTest::Open<frm2DPrinc>(); }
  frm2DPrinc& Dialog() const { return static_cast<frm2DPrinc&>(Current()); }
  MohrCirclePlot* Plot() const { return Control<MohrCirclePlot>(u"picMohr"); }
  ElementView* Sketch() const { return Control<ElementView>(u"pic_bot"); }
};

TEST_F(Stress2DDialogTest, TypingComputesTheResultsAtOnce) {
  Open();
  EXPECT_FALSE(Enabled(u"CmdOk"));  // everything is zero
  Type(u"Text1", QStringLiteral("30"));
  Type(u"Text2", QStringLiteral("10"));
  Type(u"Text3", QStringLiteral("0"));
  EXPECT_TRUE(Enabled(u"CmdOk"));
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("30.000"));
  EXPECT_EQ(Text(u"Text5"), QStringLiteral("10.000"));
  EXPECT_EQ(Text(u"Text11"), QStringLiteral("10.000"));
  Type(u"Text9", QStringLiteral("45"));
  EXPECT_EQ(Text(u"Text7"), QStringLiteral("20.000"));
  EXPECT_EQ(Text(u"Text8"), QStringLiteral("10.000"));
  EXPECT_EQ(Text(u"Text14"), QStringLiteral("45.000"));
  Type(u"Text3", QStringLiteral("-"));  // still being typed: counts as 0
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Stress Analysis in Two Dimensions.")));
}

TEST_F(Stress2DDialogTest, AnInvalidEntryIsRefusedAndTheResultsStay) {
  Open();
  Type(u"Text1", QStringLiteral("30"));
  Type(u"Text2", QStringLiteral("12a"));
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sy"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text2")->hasFocus());
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("30.000"));  // from the last valid state
  EnglishMenus = 0;
  // Leaving the bad box put its leading number in it; the next bad box is txy.
  Type(u"Text3", QStringLiteral("x"));
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("12.000"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Εσφαλμένη τιμή για το τxy"));
}

TEST_F(Stress2DDialogTest, LargeEntriesKeepTheirValueWhenTheBoxIsLeft) {
  Open();
  // Too large to read at all: refused, and moving on does not fail.
  Paste(u"Text1", QStringLiteral("1e999"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for sx"));
  Focus(u"Text2");
  Focus(u"Text1");
  EXPECT_EQ(Dialog().WorkingStress().Sx, 0.0f);
  boxes_->Clear();

  // Valid for a 32-bit value, but longer than the box in its display form.
  Type(u"Text1", QStringLiteral("1e25"));
  Type(u"Text9", QStringLiteral("1e7"));
  Focus(u"Text2");
  EXPECT_EQ(Val(Text(u"Text1")), 1e25);
  EXPECT_EQ(Val(Text(u"Text9")), 1e7);
  EXPECT_FLOAT_EQ(Dialog().WorkingStress().Sx, 1e25f);
  EXPECT_FLOAT_EQ(Dialog().WorkingPlane().PlaneAngle, 1e7f);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Stress2DDialogTest, ButtonsReadTheSameInBothLanguages) {
  EnglishMenus = 0;
  Open();
  EXPECT_EQ(Text(u"cmdHelp"), QStringLiteral("Help"));
  EXPECT_EQ(Text(u"cmdCancel"), QStringLiteral("Cancel"));
  EXPECT_EQ(Text(u"CmdOk"), QStringLiteral("OK"));
  EXPECT_EQ(Text(u"cmdPlot"), QStringLiteral("απεικόνιση"));
}

TEST_F(Stress2DDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(u"Text1", QStringLiteral("5"));
  Press(u"cmdCancel");
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("5"));
  Type(u"Text2", QStringLiteral("12a"));  // refused
  Press(u"CmdOk");
  EXPECT_TRUE(Dialog().isVisible());
  Dialog().close();
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("5"));
  Type(u"Text9", QStringLiteral("30"));
  Press(u"CmdOk");
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.Stress2D.Sx, 5.0f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 30.0f);
  EXPECT_NEAR(Project.Stress2DPlane.SigmaN, 3.75f, 1e-5);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);

  Open();  // reopening shows the committed values
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("5.000"));
  EXPECT_EQ(Text(u"Text9"), QStringLiteral("30.000"));
}

TEST_F(Stress2DDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.Stress2D.Sx = 1.23456f;
  Project.Stress2D.Sy = -0.00042f;
  Project.Stress2DPlane.PlaneAngle = 12.34567f;
  Open();
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("1.235"));
  // Entering and leaving a box without typing changes nothing either.
  Focus(u"Text2");
  Focus(u"Text9");
  Press(u"CmdOk");
  EXPECT_EQ(Project.Stress2D.Sx, 1.23456f);
  EXPECT_EQ(Project.Stress2D.Sy, -0.00042f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 12.34567f);
}

TEST_F(Stress2DDialogTest, LeavingABoxPutsItInTheDisplayForm) {
  Open();
  Type(u"Text1", QStringLiteral("2.5"));
  Focus(u"Text2");
  EXPECT_EQ(Text(u"Text1"), QStringLiteral("2.500"));
  Type(u"Text2", QString());
  Focus(u"Text9");
  EXPECT_EQ(Text(u"Text2"), QStringLiteral("0.000"));
  Type(u"Text9", QString());
  Focus(u"Text1");
  EXPECT_EQ(Text(u"Text9"), QString());  // an empty angle stays empty
}

TEST_F(Stress2DDialogTest, ThePlotSwitchWidensTheDialog) {
  Open();
  EXPECT_EQ(Dialog().width(), 545);  // 8170 twips
  Control<QCheckBox>(u"chkMohr")->setChecked(true);
  EXPECT_EQ(Dialog().width(), 830);  // 12448 twips
  EXPECT_TRUE(Control(u"cmdPlot")->isVisible());
  Control<QCheckBox>(u"chkMohr")->setChecked(false);
  EXPECT_EQ(Dialog().width(), 545);

  EnableMohrCircles = 1;  // opens wide whatever was stored
  Open();
  EXPECT_EQ(Dialog().width(), 830);
}

TEST_F(Stress2DDialogTest, PlotRangeAfterZoomAndDragAndTheReadout) {
  Project.Stress2D = {30, 10, 0, 1};
  Open();
  MohrCirclePlot* plot = Plot();
  EXPECT_FLOAT_EQ(plot->XRange(), 48.0f);
  Control<QScrollBar>(u"HScroll1")->setValue(20);
  EXPECT_FLOAT_EQ(plot->XRange(), 60.0f);
  // Drag the origin with the mouse, then read out the circle's right end.
  QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(50, 150));
  QTest::mouseMove(plot, QPoint(60, 160));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(60, 160));
  EXPECT_EQ(plot->YAxis().x1(), 900);
  EXPECT_EQ(plot->XAxis().y1(), 2400);
  const QPoint end(qRound((plot->CircleX() + plot->CircleRadius()) / 15), 160);
  QTest::mouseMove(plot, end);
  const QString text = Text(u"lblCoord");
  EXPECT_TRUE(text.startsWith(QStringLiteral("Coordinates: (X=3"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral(", Y=0)"))) << text.toStdString();
}

TEST_F(Stress2DDialogTest, TheSketchIsDrawnOnceAfterTheTimer) {
  Project.Stress2D = {10, 0, 5, 0};
  Open();
  EXPECT_FALSE(Dialog().SketchDrawn());
  EXPECT_TRUE(Enabled(u"cmdView"));
  QTRY_VERIFY_WITH_TIMEOUT(Dialog().SketchDrawn(), 2000);
  EXPECT_EQ(Sketch()->DrawCount(), 1);
  EXPECT_FALSE(Sketch()->LabelledShown());
  EXPECT_NEAR(Sketch()->Angle(), 22.5, 1e-4);
  EXPECT_FALSE(Enabled(u"cmdView"));
  // In and out of the stress boxes without a change: no new drawing.
  for (int i = 0; i < 3; ++i) {
    Focus(u"Text1");
    Focus(u"Text2");
  }
  EXPECT_EQ(Sketch()->DrawCount(), 1);
  // A change outdates it; the next focus change draws it again.
  Type(u"Text3", QStringLiteral("-5"));
  EXPECT_TRUE(Enabled(u"cmdView"));
  Focus(u"Text1");
  EXPECT_EQ(Sketch()->DrawCount(), 2);
  EXPECT_NEAR(Sketch()->Angle(), -22.5, 1e-4);
}

TEST_F(Stress2DDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Control<QLineEdit>(u"Text1")->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Control<QLineEdit>(u"Text4")->accessibleName(), QStringLiteral("s1"));
  EXPECT_EQ(Control<QLineEdit>(u"Text14")->accessibleName(), QStringLiteral("Angle of Plane from x-axis (deg)"));
  EXPECT_TRUE(Control<QLineEdit>(u"Text4")->isReadOnly());
  // The two angle boxes of one caption, and the two option buttons without
  // captions beside the angle boxes of the plane.
  EXPECT_EQ(Control<QLineEdit>(u"Text12")->accessibleName(), QStringLiteral("w(tmax) from x (1 of 2)"));
  EXPECT_EQ(Control<QLineEdit>(u"Text13")->accessibleName(), QStringLiteral("w(tmax) from x (2 of 2)"));
  EXPECT_EQ(Control<QRadioButton>(u"optAngle(0)")->accessibleName(),
            QStringLiteral("Angle of Plane Vector from s1 (deg)"));
  EXPECT_EQ(Control<QRadioButton>(u"optAngle(1)")->accessibleName(),
            QStringLiteral("Angle of Plane from x-axis (deg)"));
}

TEST_F(Stress2DDialogTest, AResultLongerThanItsBoxShowsItsFirstDigits) {
  Project.Stress2D.Sx = 4177086.0f;  // tmax 100 MPa in psf
  Open();
  for (const char16_t* name : {u"Text11", u"Text1"}) {  // a result, and a stored input
    QLineEdit* box = Control<QLineEdit>(name);
    ASSERT_GT(box->fontMetrics().horizontalAdvance(box->text()), box->contentsRect().width());
    EXPECT_EQ(box->cursorPosition(), 0);
    // The text is not scrolled to its end.
    EXPECT_LT(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 8);
  }
  EXPECT_EQ(Text(u"Text11"), QStringLiteral("2088543.000"));
}

TEST_F(Stress2DDialogTest, ACalculationThatFailsShowsNothingStale) {
  Project.Stress2D = {30, 10, 8, 1};
  Open();
  MohrCirclePlot* plot = Plot();
  ASSERT_FALSE(plot->Items().empty());
  // The principal stresses overflow: every result box is emptied and the
  // plot is blank, where they used to show the last state.
  Type(u"Text2", QStringLiteral("-3e38"));
  Type(u"Text3", QStringLiteral("3e38"));
  Type(u"Text1", QStringLiteral("3e38"));
  for (const char16_t* box : {u"Text4", u"Text5", u"Text6(0)", u"Text10", u"Text11", u"Text12", u"Text13",
                              u"Text7", u"Text8", u"Text14"}) {
    EXPECT_EQ(Text(box), QString()) << QString::fromUtf16(box).toStdString();
  }
  EXPECT_TRUE(plot->Items().empty());
  EXPECT_TRUE(plot->Caption(PlotCaption::S1)->isHidden());
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  // A new angle cannot bring back the stale plane results either.
  Type(u"Text9", QStringLiteral("30"));
  EXPECT_EQ(Text(u"Text7"), QString());
  EXPECT_TRUE(plot->Items().empty());

  // The results fit, but the plot's range does not: the boxes show the
  // state and the plot shows nothing rather than the last circle.
  Type(u"Text2", QStringLiteral("10"));
  Type(u"Text3", QStringLiteral("8"));
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("300000000000000000000000000000000000000.000"));
  EXPECT_TRUE(plot->Items().empty());
  // A state that fits again draws again.
  Type(u"Text1", QStringLiteral("30"));
  EXPECT_EQ(Text(u"Text4"), QStringLiteral("32.806"));
  EXPECT_FALSE(plot->Items().empty());
  EXPECT_FALSE(plot->Caption(PlotCaption::S1)->isHidden());
}

TEST_F(Stress2DDialogTest, RenderBothLanguagesWithAndWithoutThePlot) {
  Project.Stress2D = {30, 10, 8, 1};
  Project.Stress2DPlane.PlaneAngle = 30;
  test::EachLanguage([&](const QString& language) {
    for (int wide = 0; wide < 2; ++wide) {
      Project.Stress2D.GraphOption = static_cast<qint16>(wide);
      Open();
      QTRY_VERIFY_WITH_TIMEOUT(Dialog().SketchDrawn(), 2000);
      test::SaveRender(Dialog(), QStringLiteral("stress2d-%1-%2").arg(language, wide ? "plot" : "narrow"));
      Dialog().close();
    }
  });
}

}  // namespace
}  // namespace brantel

namespace brantel {
namespace {

TEST(Stress2DMenuEntry, TheInputMenuAndQuickButton21OpenTheTool) {
  ClearTools();
  RegisterProgramTools();
  EXPECT_TRUE(ToolAvailable(Tool::Stress2D));
  const auto target = QuickButtonTarget(21);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(ToolOfEntry(target->menu, target->index), Tool::Stress2D);
  EXPECT_FALSE(OwnedByMainWindow(Tool::Stress2D));
  ClearTools();
}

// The worked example of the tool's help page (in MPa).
TEST_F(Stress2DDialogTest, HelpPageExample) {
  Open();
  Type(u"Text1", QStringLiteral("12"));
  Type(u"Text2", QStringLiteral("6"));
  Type(u"Text3", QStringLiteral("4"));
  Type(u"Text9", QStringLiteral("30"));
  const std::pair<const char16_t*, const char*> shown[] = {
      {u"Text4", "14.000"},  {u"Text5", "4.000"},   {u"Text6(0)", "26.565"}, {u"Text10", "-63.435"},
      {u"Text11", "5.000"},  {u"Text12", "71.565"}, {u"Text13", "-18.435"},  {u"Text7", "11.500"},
      {u"Text8", "4.330"},   {u"Text14", "56.565"},
  };
  for (const auto& [box, text] : shown) EXPECT_EQ(Text(box), QString::fromLatin1(text)) << text;
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
