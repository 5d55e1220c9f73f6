#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/project/ProjectRecord.h"
#include "plot/StressPlot.h"
#include "support/TestEnvironment.h"
#include "tools/stress/ElementSketch.h"
#include "tools/stress/Stress2DDialog.h"
#include "mainwindow/Commands.h"
#include "mainwindow/ToolRegistry.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace brantel {
namespace {

using test::CoreTest;

class Stress2DDialogTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    EnableMohrCircles = 0;
    Project.Stress2D = StressInput{};
    Project.Stress2DPlane = StressOnPlane{};
  }
  void Open() {
    dialog = std::make_unique<frm2DPrinc>();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }
  QLineEdit* Box(const char16_t* name) const { return dialog->Layout().Require<QLineEdit>(name); }
  QPushButton* Button(const char16_t* name) const { return dialog->Layout().Require<QPushButton>(name); }
  void Type(const char16_t* name, const QString& text) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
  }
  std::unique_ptr<frm2DPrinc> dialog;
};

TEST_F(Stress2DDialogTest, TypingComputesTheResultsAtOnce) {
  Open();
  EXPECT_FALSE(Button(u"CmdOk")->isEnabled());  // everything is zero
  Type(u"Text1", QStringLiteral("30"));
  Type(u"Text2", QStringLiteral("10"));
  Type(u"Text3", QStringLiteral("0"));
  EXPECT_TRUE(Button(u"CmdOk")->isEnabled());
  EXPECT_EQ(Box(u"Text4")->text(), QStringLiteral("30.000"));
  EXPECT_EQ(Box(u"Text5")->text(), QStringLiteral("10.000"));
  EXPECT_EQ(Box(u"Text11")->text(), QStringLiteral("10.000"));
  Type(u"Text9", QStringLiteral("45"));
  EXPECT_EQ(Box(u"Text7")->text(), QStringLiteral("20.000"));
  EXPECT_EQ(Box(u"Text8")->text(), QStringLiteral("10.000"));
  EXPECT_EQ(Box(u"Text14")->text(), QStringLiteral("45.000"));
  Type(u"Text3", QStringLiteral("-"));  // still being typed: counts as 0
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(History().contains(QStringLiteral("Stress Analysis in Two Dimensions.")));
}

TEST_F(Stress2DDialogTest, AnInvalidEntryIsRefusedAndTheResultsStay) {
  Open();
  Type(u"Text1", QStringLiteral("30"));
  Type(u"Text2", QStringLiteral("12a"));
  ASSERT_FALSE(boxes_->Shown().empty());
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid value for sy"));
  EXPECT_TRUE(Box(u"Text2")->hasFocus());
  EXPECT_EQ(Box(u"Text4")->text(), QStringLiteral("30.000"));  // from the last valid state
  EnglishMenus = 0;
  // Leaving the bad box put its leading number in it; the next bad box is txy.
  Type(u"Text3", QStringLiteral("x"));
  EXPECT_EQ(Box(u"Text2")->text(), QStringLiteral("12.000"));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Εσφαλμένη τιμή για το τxy"));
}

TEST_F(Stress2DDialogTest, LargeEntriesKeepTheirValueWhenTheBoxIsLeft) {
  Open();
  // Too large to read at all: refused, and moving on does not fail.
  Box(u"Text1")->setFocus();
  Box(u"Text1")->setText(QStringLiteral("1e999"));  // pasted
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid value for sx"));
  Box(u"Text2")->setFocus();
  Box(u"Text1")->setFocus();
  EXPECT_EQ(dialog->WorkingStress().Sx, 0.0f);
  boxes_->Clear();

  // Valid for a 32-bit value, but longer than the box in its display form.
  Type(u"Text1", QStringLiteral("1e25"));
  Type(u"Text9", QStringLiteral("1e7"));
  Box(u"Text2")->setFocus();
  EXPECT_EQ(Val(Box(u"Text1")->text()), 1e25);
  EXPECT_EQ(Val(Box(u"Text9")->text()), 1e7);
  EXPECT_FLOAT_EQ(dialog->WorkingStress().Sx, 1e25f);
  EXPECT_FLOAT_EQ(dialog->WorkingPlane().PlaneAngle, 1e7f);
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(Stress2DDialogTest, ButtonsReadTheSameInBothLanguages) {
  EnglishMenus = 0;
  Open();
  EXPECT_EQ(Button(u"cmdHelp")->text(), QStringLiteral("Help"));
  EXPECT_EQ(Button(u"cmdCancel")->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(Button(u"CmdOk")->text(), QStringLiteral("OK"));
  EXPECT_EQ(Button(u"cmdPlot")->text(), QStringLiteral("απεικόνιση"));
}

TEST_F(Stress2DDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(u"Text1", QStringLiteral("5"));
  Button(u"cmdCancel")->click();
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("5"));
  Type(u"Text2", QStringLiteral("12a"));  // refused
  Button(u"CmdOk")->click();
  EXPECT_TRUE(dialog->isVisible());
  dialog->close();
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.FileSaved, kFlagTrue);

  Open();
  Type(u"Text1", QStringLiteral("5"));
  Type(u"Text9", QStringLiteral("30"));
  Button(u"CmdOk")->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(Project.Stress2D.Sx, 5.0f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 30.0f);
  EXPECT_NEAR(Project.Stress2DPlane.SigmaN, 3.75f, 1e-5);
  EXPECT_EQ(Project.FileSaved, kFlagFalse);
  EXPECT_EQ(Project.FileEmpty, kFlagFalse);

  Open();  // reopening shows the committed values
  EXPECT_EQ(Box(u"Text1")->text(), QStringLiteral("5.000"));
  EXPECT_EQ(Box(u"Text9")->text(), QStringLiteral("30.000"));
}

TEST_F(Stress2DDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.Stress2D.Sx = 1.23456f;
  Project.Stress2D.Sy = -0.00042f;
  Project.Stress2DPlane.PlaneAngle = 12.34567f;
  Open();
  EXPECT_EQ(Box(u"Text1")->text(), QStringLiteral("1.235"));
  // Entering and leaving a box without typing changes nothing either.
  Box(u"Text2")->setFocus();
  Box(u"Text9")->setFocus();
  Button(u"CmdOk")->click();
  EXPECT_EQ(Project.Stress2D.Sx, 1.23456f);
  EXPECT_EQ(Project.Stress2D.Sy, -0.00042f);
  EXPECT_EQ(Project.Stress2DPlane.PlaneAngle, 12.34567f);
}

TEST_F(Stress2DDialogTest, LeavingABoxPutsItInTheDisplayForm) {
  Open();
  Type(u"Text1", QStringLiteral("2.5"));
  Box(u"Text2")->setFocus();
  EXPECT_EQ(Box(u"Text1")->text(), QStringLiteral("2.500"));
  Type(u"Text2", QString());
  Box(u"Text9")->setFocus();
  EXPECT_EQ(Box(u"Text2")->text(), QStringLiteral("0.000"));
  Type(u"Text9", QString());
  Box(u"Text1")->setFocus();
  EXPECT_EQ(Box(u"Text9")->text(), QString());  // an empty angle stays empty
}

TEST_F(Stress2DDialogTest, ThePlotSwitchWidensTheDialog) {
  Open();
  EXPECT_EQ(dialog->width(), 545);  // 8170 twips
  dialog->Layout().Require<QCheckBox>(u"chkMohr")->setChecked(true);
  EXPECT_EQ(dialog->width(), 830);  // 12448 twips
  EXPECT_TRUE(Button(u"cmdPlot")->isVisible());
  dialog->Layout().Require<QCheckBox>(u"chkMohr")->setChecked(false);
  EXPECT_EQ(dialog->width(), 545);

  EnableMohrCircles = 1;  // opens wide whatever was stored
  Open();
  EXPECT_EQ(dialog->width(), 830);
}

TEST_F(Stress2DDialogTest, PlotRangeAfterZoomAndDragAndTheReadout) {
  Project.Stress2D = {30, 10, 0, 1};
  Open();
  MohrCirclePlot* plot = dialog->Plot();
  EXPECT_FLOAT_EQ(plot->XRange(), 48.0f);
  dialog->Layout().Require<QScrollBar>(u"HScroll1")->setValue(20);
  EXPECT_FLOAT_EQ(plot->XRange(), 60.0f);
  // Drag the origin with the mouse, then read out the circle's right end.
  QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(50, 150));
  QTest::mouseMove(plot, QPoint(60, 160));
  QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(60, 160));
  EXPECT_EQ(plot->YAxis().x1(), 900);
  EXPECT_EQ(plot->XAxis().y1(), 2400);
  const QPoint end(qRound((plot->CircleX() + plot->CircleRadius()) / 15), 160);
  QTest::mouseMove(plot, end);
  const QString text = dialog->Layout().Require<QLabel>(u"lblCoord")->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Coordinates: (X=3"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral(", Y=0)"))) << text.toStdString();
}

TEST_F(Stress2DDialogTest, TheSketchIsDrawnOnceAfterTheTimer) {
  Project.Stress2D = {10, 0, 5, 0};
  Open();
  EXPECT_FALSE(dialog->SketchDrawn());
  EXPECT_TRUE(Button(u"cmdView")->isEnabled());
  QTRY_VERIFY_WITH_TIMEOUT(dialog->SketchDrawn(), 2000);
  EXPECT_EQ(dialog->Sketch()->DrawCount(), 1);
  EXPECT_FALSE(dialog->Sketch()->LabelledShown());
  EXPECT_NEAR(dialog->Sketch()->Angle(), 22.5, 1e-4);
  EXPECT_FALSE(Button(u"cmdView")->isEnabled());
  // In and out of the stress boxes without a change: no new drawing.
  for (int i = 0; i < 3; ++i) {
    Box(u"Text1")->setFocus();
    Box(u"Text2")->setFocus();
  }
  EXPECT_EQ(dialog->Sketch()->DrawCount(), 1);
  // A change outdates it; the next focus change draws it again.
  Type(u"Text3", QStringLiteral("-5"));
  EXPECT_TRUE(Button(u"cmdView")->isEnabled());
  Box(u"Text1")->setFocus();
  EXPECT_EQ(dialog->Sketch()->DrawCount(), 2);
  EXPECT_NEAR(dialog->Sketch()->Angle(), -22.5, 1e-4);
}

TEST_F(Stress2DDialogTest, BoxesCarryTheNamesOfTheirLabels) {
  Open();
  EXPECT_EQ(Box(u"Text1")->accessibleName(), QStringLiteral("sx"));
  EXPECT_EQ(Box(u"Text4")->accessibleName(), QStringLiteral("s1"));
  EXPECT_EQ(Box(u"Text14")->accessibleName(), QStringLiteral("Angle of Plane from x-axis (deg)"));
  EXPECT_TRUE(Box(u"Text4")->isReadOnly());
}

TEST_F(Stress2DDialogTest, RenderBothLanguagesWithAndWithoutThePlot) {
  Project.Stress2D = {30, 10, 8, 1};
  Project.Stress2DPlane.PlaneAngle = 30;
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  for (int english = 0; english < 2; ++english) {
    EnglishMenus = static_cast<qint16>(english);
    for (int wide = 0; wide < 2; ++wide) {
      Project.Stress2D.GraphOption = static_cast<qint16>(wide);
      Open();
      QTRY_VERIFY_WITH_TIMEOUT(dialog->SketchDrawn(), 2000);
      const QImage image = dialog->grab().toImage();
      EXPECT_FALSE(image.isNull());
      image.save(folder + QStringLiteral("/stress2d-%1-%2.png").arg(english ? "en" : "el", wide ? "plot" : "narrow"));
      dialog->close();
    }
  }
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

}  // namespace
}  // namespace brantel
