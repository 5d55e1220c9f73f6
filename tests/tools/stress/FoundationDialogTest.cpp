#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/Fadum.h"
#include "tools/stress/FadumChartDialog.h"
#include "tools/stress/FoundationDialog.h"
#include "tools/stress/FoundationPlanPicture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace brantel {
namespace {

class FoundationDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    InitGlobals();  // the unit-label table
    // A new project's values.
    Project.FadumLength = 1;
    Project.FadumWidth = 1;
    Project.FadumDepth = 1;
    Project.FadumLoad = 100;
    Project.FadumX = 4;
    Project.FadumY = 4;
    Project.InputUnits = UnitSystem::Imperial;
  }
  FoundationDialog& Open() { return DialogTest::Open<FoundationDialog>(); }
  FoundationDialog& Dialog() const { return static_cast<FoundationDialog&>(Current()); }
  FoundationPlan* Plan() const { return Control<FoundationPlan>(foundation::kPlanView); }
  // The pointer over the plan at a point given in length units.
  void PointAt(double x, double y) const {
    const QPointF at(x * kPlanUnitsPerLength / 15, y * kPlanUnitsPerLength / 15);
    QMouseEvent move(QEvent::MouseMove, at, Plan()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Plan(), &move);
  }
  int ShownRects() const {
    int shown = 0;
    for (const PlanRect& r : Plan()->Auxiliary()) shown += r.Shown;
    return shown;
  }
};

TEST_F(FoundationDialogTest, LoadingComputesForTheStoredPoint) {
  Open();
  EXPECT_EQ(Text(foundation::kFoundationLength), QStringLiteral("1"));
  EXPECT_EQ(Text(foundation::kPointX), QStringLiteral("4"));
  EXPECT_EQ(Text(foundation::kPointY), QStringLiteral("4"));
  EXPECT_EQ(Dialog().LastStress().Case, FoundationCase::BeyondFarCorner);
  EXPECT_EQ(ShownRects(), 4);
  EXPECT_EQ(Text(foundation::kAdditionalStress),
            Format(FoundationPointStress(1, 1, 1, 100, 4, 4).Stress, kFoundationStressMask));
  EXPECT_EQ(Plan()->Foundation().InPlanUnits(), QRectF(0, 0, 1000, 1000));
  EXPECT_TRUE(History().contains(
      QStringLiteral("Calculation of Additional Pressure due to Orthogonal Foundation Uniform Loading.")));
  EXPECT_EQ(Control(foundation::kFoundationPressure)->accessibleName(), QStringLiteral("Pressure on Foundation (psi)"));
  EXPECT_EQ(Control(foundation::kPointX)->accessibleName(), QStringLiteral("X (ft)"));
  EXPECT_EQ(Control(foundation::kAdditionalStress)->accessibleName(), QStringLiteral("Dsv (psi)"));
  EXPECT_EQ(Plan()->accessibleName(), QStringLiteral("Plan View of Foundation and Surrounding Area"));
}

TEST_F(FoundationDialogTest, ThePointFollowsThePointer) {
  Open();
  const struct {
    double x, y;
    FoundationCase row;
    const char* stress;
  } cases[] = {
      {0.5, 0.5, FoundationCase::Under, "33.6"},        {1.0, 0.5, FoundationCase::OnEdgeX, "24.0"},
      {1.0, 1.0, FoundationCase::AtFarCorner, "17.5"},  {3.0, 1.0, FoundationCase::BeyondOnFarEdgeY, nullptr},
      {0.5, 2.0, FoundationCase::BesideEdgeY, nullptr},
  };
  for (const auto& c : cases) {
    PointAt(c.x, c.y);
    EXPECT_EQ(Text(foundation::kPointX), Format(c.x, kPlanCoordinateMask));
    EXPECT_EQ(Text(foundation::kPointY), Format(c.y, kPlanCoordinateMask));
    EXPECT_EQ(Dialog().LastStress().Case, c.row) << c.x << " " << c.y;
    const float expected = FoundationPointStress(1, 1, 1, 100, static_cast<float>(c.x), static_cast<float>(c.y)).Stress;
    EXPECT_EQ(Text(foundation::kAdditionalStress),
              c.stress ? QString::fromLatin1(c.stress) : Format(expected, kFoundationStressMask));
  }
  // The mouse itself, at whole pixels: 15 plan units each. It is moved
  // away first: a move to where an earlier test left it would be no move.
  QTest::mouseMove(Plan(), QPoint(20, 20));
  QTest::mouseMove(Plan(), QPoint(200, 100));
  EXPECT_EQ(Text(foundation::kPointX), QStringLiteral("3.00"));
  EXPECT_EQ(Text(foundation::kPointY), QStringLiteral("1.50"));
  EXPECT_EQ(ShownRects(), 4);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FoundationDialogTest, APointDraggedBeyondThePlanIsHeldToIt) {
  Open();
  QTest::mousePress(Plan(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(Plan(), QPoint(-40, 900));
  EXPECT_EQ(Text(foundation::kPointX), QStringLiteral("0.00"));
  EXPECT_EQ(Text(foundation::kPointY), QStringLiteral("10.04"));
  QTest::mouseRelease(Plan(), Qt::LeftButton, {}, QPoint(-40, 900));
  Press(foundation::kOk);
  EXPECT_EQ(Project.FadumX, 0.0f);
  EXPECT_EQ(Project.FadumY, 10.04f);
}

TEST_F(FoundationDialogTest, WhatEachBoxChangesAndWhen) {
  Open();
  PointAt(0.5, 0.5);
  const QString before = Text(foundation::kAdditionalStress);
  // The sides redraw the foundation; the result waits for the point or the depth.
  Type(foundation::kFoundationLength, QStringLiteral("1.25"));
  Type(foundation::kFoundationWidth, QStringLiteral("1.25"));
  EXPECT_EQ(Plan()->Foundation().InPlanUnits(), QRectF(0, 0, 1250, 1250));
  Type(foundation::kFoundationPressure, QStringLiteral("200"));
  EXPECT_EQ(Text(foundation::kAdditionalStress), before);
  Type(foundation::kPointDepth, QStringLiteral("1"));
  EXPECT_EQ(Text(foundation::kAdditionalStress),
            Format(FoundationPointStress(1.25f, 1.25f, 1, 200, 0.5f, 0.5f).Stress, kFoundationStressMask));
  // The sides as entered, not rounded to 1.2 or 1.3.
  PointAt(1.25, 1.25);
  EXPECT_EQ(Dialog().LastStress().Case, FoundationCase::AtFarCorner);
  EXPECT_FLOAT_EQ(Dialog().LastStress().Stress, CornerStress(1.25f, 1.25f, 1, 200));
  // While typing, a text that is no number reads as 0.
  Type(foundation::kPointDepth, QStringLiteral("x"));
  EXPECT_EQ(Text(foundation::kAdditionalStress), QStringLiteral("0.0"));
  Type(foundation::kFoundationLength, QStringLiteral("-"));
  EXPECT_EQ(Plan()->Foundation().InPlanUnits(), QRectF(0, 0, 0, 1250));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(FoundationDialogTest, APointerMovePaintsOnlyWhatChangedAndLeavesNoTrail) {
  Project.FadumLength = 3;
  Project.FadumWidth = 2;
  Open();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  QScreen* screen = Dialog().screen();
  for (const QPointF& p : {QPointF(1.7, 0.8), QPointF(1.72, 0.83), QPointF(4.5, 3.2), QPointF(3, 0.5),
                           QPointF(2.0, 2.0), QPointF(0.4, 5.1), QPointF(3.0, 2.0), QPointF(6.1, 1.3)}) {
    PointAt(p.x(), p.y());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    // What the window shows, painted bit by bit, against the plan painted whole.
    const QImage shown = screen->grabWindow(Dialog().winId()).toImage().copy(Plan()->geometry());
    const QImage whole = Plan()->grab().toImage();
    ASSERT_EQ(shown.size(), whole.size());
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32), whole.convertToFormat(QImage::Format_RGB32))
        << p.x() << " " << p.y();
  }
}

TEST_F(FoundationDialogTest, AStressBeyondTheNumberRangeShowsNothing) {
  Open();
  Type(foundation::kFoundationLength, QStringLiteral("1e30"));
  Type(foundation::kFoundationWidth, QStringLiteral("1e30"));
  Type(foundation::kPointDepth, QStringLiteral("1e-30"));
  EXPECT_EQ(Text(foundation::kAdditionalStress), QString());
  EXPECT_EQ(ShownRects(), 0);
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  Plan()->grab();  // a foundation far larger than the plan still paints
  Type(foundation::kPointDepth, QStringLiteral("1"));
  EXPECT_EQ(Text(foundation::kAdditionalStress),
            Format(FoundationPointStress(1e30f, 1e30f, 1, 100, 4, 4).Stress, kFoundationStressMask));
  EXPECT_EQ(ShownRects(), 4);
}

TEST_F(FoundationDialogTest, OkChecksTheInputs) {
  Open();
  Type(foundation::kFoundationLength, QStringLiteral("-1"));
  Press(foundation::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("The length of the foundation should be positive"));
  EXPECT_TRUE(Control(foundation::kFoundationLength)->hasFocus());
  EXPECT_TRUE(Dialog().isVisible());
  Type(foundation::kFoundationLength, QStringLiteral("2a"));
  Focus(foundation::kPointDepth);
  Press(foundation::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("Input is not numeric"));
  EXPECT_TRUE(Control(foundation::kPointDepth)->hasFocus());
  EnglishMenus = false;
  Type(foundation::kFoundationLength, QStringLiteral("2"));
  Type(foundation::kFoundationPressure, QStringLiteral("-5"));
  Type(foundation::kPointDepth, QStringLiteral("-5"));
  Press(foundation::kOk);
  EXPECT_EQ(LastMessage(), QStringLiteral("Το Φορτίο του θεμελίου πρέπει να έχει θετική τιμή!"));
  EXPECT_EQ(Messages().size(), 3u);  // none while typing
  EXPECT_TRUE(Project.FileSaved);
  // Partial entries pass as 0.
  Type(foundation::kFoundationPressure, QStringLiteral("-"));
  Type(foundation::kPointDepth, QStringLiteral("."));
  Type(foundation::kFoundationWidth, QString());
  Press(foundation::kOk);
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_EQ(Project.FadumLength, 2.0f);
  EXPECT_EQ(Project.FadumLoad, 0.0f);
  EXPECT_EQ(Project.FadumWidth, 0.0f);
  EXPECT_EQ(Project.FadumDepth, 0.0f);
}

TEST_F(FoundationDialogTest, OkCommitsAndCancelOrTheCloseBoxDoNot) {
  Open();
  Type(foundation::kPointDepth, QStringLiteral("3"));
  PointAt(2, 3);
  Press(foundation::kCancel);
  Open();
  Type(foundation::kPointDepth, QStringLiteral("3"));
  PointAt(2, 3);
  Dialog().close();
  EXPECT_EQ(Project.FadumDepth, 1.0f);
  EXPECT_EQ(Project.FadumX, 4.0f);
  EXPECT_TRUE(Project.FileSaved);

  Open();
  Type(foundation::kPointDepth, QStringLiteral("3"));
  PointAt(2, 3);
  Press(foundation::kOk);
  EXPECT_EQ(Project.FadumDepth, 3.0f);
  EXPECT_EQ(Project.FadumX, 2.0f);
  EXPECT_EQ(Project.FadumY, 3.0f);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
}

TEST_F(FoundationDialogTest, OkWithoutEditsKeepsTheStoredValues) {
  Project.FadumLength = 1.23456789f;
  Project.FadumLoad = 1e-9f;
  Project.FadumX = 0.123456f;
  Open();
  Focus(foundation::kFoundationWidth);
  Focus(foundation::kFoundationLength);
  Press(foundation::kOk);
  EXPECT_EQ(Project.FadumLength, 1.23456789f);
  EXPECT_EQ(Project.FadumLoad, 1e-9f);
  EXPECT_EQ(Project.FadumX, 0.123456f);
  EXPECT_EQ(Project.FadumY, 4.0f);
}

TEST_F(FoundationDialogTest, TheDetailsButtonOpensTheCoefficientDialog) {
  Project.CornerDepth = 2;
  FoundationDialog& foundation = Open();
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* coefs = qobject_cast<FadumChartDialog*>(QApplication::activeModalWidget());
    opened = coefs != nullptr;
    if (!coefs) return;
    EXPECT_EQ(coefs->parentWidget(), nullptr);
    coefs->Layout().Require<QLineEdit>(fadumchart::kPointDepth)->setText(QStringLiteral("5"));
    coefs->OkClicked();
  });
  Press(foundation::kFadumDetails);
  EXPECT_TRUE(opened);
  EXPECT_EQ(Project.CornerDepth, 5.0f);
  EXPECT_TRUE(foundation.isVisible());
  EXPECT_EQ(Text(foundation::kPointDepth), QStringLiteral("1"));  // its own fields stay
}

TEST_F(FoundationDialogTest, RenderBothLanguages) {
  Project.FadumLength = 3;
  Project.FadumWidth = 2;
  test::EachLanguage([&](const QString& language) {
    const bool english = EnglishMenus;
    Project.InputUnits = EnglishMenus ? UnitSystem::SI : UnitSystem::Imperial;
    Open();
    PointAt(english ? 1.7 : 4.5, english ? 0.8 : 3.2);
    test::SaveRender(Dialog(), QStringLiteral("foundation-") + language);
  });
}

TEST(FoundationMenuEntry, TheToolOpensTheDialog) {
  ClearTools();
  RegisterProgramTools();
  test::ExpectToolOpens<FoundationDialog>(Tool::Foundation);
  ClearTools();
}

// The worked example of the tool's help page (in psi and ft).
TEST_F(FoundationDialogTest, HelpPageExample) {
  Open();
  Type(foundation::kFoundationPressure, QStringLiteral("50"));
  Type(foundation::kFoundationWidth, QStringLiteral("2"));
  Type(foundation::kFoundationLength, QStringLiteral("4"));
  Type(foundation::kPointDepth, QStringLiteral("2"));
  const struct {
    double x, y;
    FoundationCase row;
    const char* stress;
  } points[] = {
      {2, 1, FoundationCase::Under, "24.0"},
      {4, 2, FoundationCase::AtFarCorner, "10.0"},
      {6, 1, FoundationCase::BesideEdgeX, "1.7"},
  };
  for (const auto& p : points) {
    PointAt(p.x, p.y);
    EXPECT_EQ(Text(foundation::kPointX), Format(p.x, u"#0.#0"));
    EXPECT_EQ(Text(foundation::kPointY), Format(p.y, u"#0.#0"));
    EXPECT_EQ(Dialog().LastStress().Case, p.row) << p.x;
    EXPECT_EQ(Text(foundation::kAdditionalStress), QString::fromLatin1(p.stress)) << p.x;
  }
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
