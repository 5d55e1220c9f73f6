#include "core/Globals.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "core/commands/ToolRegistry.h"
#include "core/graph/GraphBuffer.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "graph/GraphChart.h"
#include "graph/GraphWindow.h"
#include "mainwindow/DescriptionDialog.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgramTools.h"
#include "support/DialogTest.h"
#include "support/Renders.h"
#include "tools/stress/CircularOpeningDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

namespace brantel {
namespace {

class CircularDialogTest : public test::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUpGraphBuffer();
    CircularCurvesExtent = 5;
    Project.CircStress = {};
    Project.CircOpening = {};
  }
  void TearDown() override {
    GraphWindow::UnloadWindow();
    QApplication::processEvents();
    DialogTest::TearDown();
  }
  CircularOpeningDialog& Open() { return DialogTest::Open<CircularOpeningDialog>(); }
  CircularOpeningDialog& Dialog() const { return static_cast<CircularOpeningDialog&>(Current()); }
  // Stores a state in the project: sx, sy, txy; a, r, w.
  static void Store(float sx, float sy, float txy, float a, float r, float w) {
    Project.CircStress = {sx, sy, txy, StressGraph::None};
    Project.CircOpening.A = a;
    Project.CircOpening.R = r;
    Project.CircOpening.Angle = w;
  }
  static int GraphWindowPoints() { return GraphWindow::Loaded() ? GraphWindow::Loaded()->Chart().PointCount(1) : -1; }
  int ChartPoints() const { return Control<GraphChart>(circularopening::kCurveChart)->PointCount(2); }
};

TEST_F(CircularDialogTest, ANewProjectOpensEmptyAndComputesNothing) {
  Open();
  EXPECT_EQ(Text(circularopening::kOpeningRadius), QString());
  EXPECT_EQ(Text(circularopening::kPointDistance), QString());
  EXPECT_EQ(Text(circularopening::kSx), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kPointAngle), QStringLiteral("0.000"));
  EXPECT_TRUE(Control<QCheckBox>(circularopening::kShowCurves)->isChecked());
  EXPECT_TRUE(Control<QCheckBox>(circularopening::kPlotTo3R)->isChecked());
  EXPECT_EQ(Text(circularopening::kTangentialStress), QString());
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("-"));
  EXPECT_EQ(GraphWindow::Loaded(), nullptr);
  EXPECT_TRUE(History().contains(QStringLiteral("Stress Distribution around Circular Openings.")));
  EXPECT_EQ(Control<QLineEdit>(circularopening::kPointDistance)->accessibleName(), QStringLiteral("r"));
  EXPECT_EQ(Control<QLineEdit>(circularopening::kInternalPressure)->accessibleName(),
            QStringLiteral("Internal Pressure"));
  EXPECT_EQ(Control<QLineEdit>(circularopening::kShearStress)->accessibleName(), QStringLiteral("t(rt)"));
}

TEST_F(CircularDialogTest, PointValuesAndRatios) {
  Store(10, 0, 0, 1, 1, 90);
  Open();
  Press(circularopening::kShowCurves);  // the point values alone
  Press(circularopening::kPlotStresses);
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("180.0"));
  EXPECT_EQ(Text(circularopening::kRadialStress), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("30.000"));
  EXPECT_EQ(Text(circularopening::kShearStress), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("sw/sv = 3.000"));
  EXPECT_EQ(Text(circularopening::kRadialRatio), QStringLiteral("sr/sv = 0.000"));
  Type(circularopening::kPointAngle, QStringLiteral("0"));
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("90.0"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("sw/sv = -1.000"));
  Type(circularopening::kSx, QStringLiteral("0"));  // all stresses 0: no ratios
  EXPECT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("-"));
  EXPECT_EQ(GraphWindow::Loaded(), nullptr);
}

TEST_F(CircularDialogTest, ChecksShowBesideTheBoxesOrInMessages) {
  Store(0, 10, 0, 2, 3, 0);
  Open();
  Press(circularopening::kShowCurves);
  Type(circularopening::kPointDistance, QStringLiteral("1"));
  EXPECT_EQ(Text(circularopening::kPointDistanceNote), QStringLiteral("r > a"));
  EXPECT_EQ(Text(circularopening::kTangentialStress), QString());
  Type(circularopening::kPointDistance, QStringLiteral("2"));  // a point on the wall
  EXPECT_EQ(Text(circularopening::kPointDistanceNote), QString());
  EXPECT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("30.000"));
  EXPECT_TRUE(Messages().empty());
  Type(circularopening::kPointDistance, QStringLiteral("x"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Invalid value for the distance from the center of the opening"));
  Press(circularopening::kShowCurves);  // with Graph checked the letter counts as 0
  Type(circularopening::kPointDistance, QStringLiteral("y"));
  EXPECT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Text(circularopening::kPointDistanceNote), QStringLiteral("r > a"));
  Type(circularopening::kInternalPressure, QStringLiteral("-1"));
  EXPECT_EQ(LastMessage(), QStringLiteral("Pressure in the borehole should be >= 0"));
  EXPECT_TRUE(Control(circularopening::kInternalPressure)->hasFocus());
}

TEST_F(CircularDialogTest, TheKeysStayInTheBoxTheUserTypesIn) {
  Open();  // no radius yet
  Type(circularopening::kSx, QStringLiteral("10"));
  EXPECT_EQ(Text(circularopening::kOpeningRadiusNote), QStringLiteral("a > 0"));
  EXPECT_EQ(Text(circularopening::kSx), QStringLiteral("10"));
  EXPECT_EQ(Text(circularopening::kOpeningRadius), QString());
  // OK takes the user to the box the note is about.
  Press(circularopening::kOk);
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Control(circularopening::kOpeningRadius)->hasFocus());
}

TEST_F(CircularDialogTest, ABoxSelectsItsTextWhenTheDialogTakesTheFocus) {
  Store(10, 4, 3, 1, 1.5f, 30);
  Open();
  auto* sx = Control<QLineEdit>(circularopening::kSx);
  const auto activate = [](QWidget* window) {
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QApplication::processEvents();
  };
  // Opened: the first box, whole, so that the first key replaces it.
  activate(&Dialog());
  ASSERT_TRUE(sx->hasFocus());
  EXPECT_EQ(sx->selectedText(), QStringLiteral("10.000"));

  // Back from the graph window while it shows the curves: the caret stays
  // where it was.
  Press(circularopening::kPlotStresses);
  ASSERT_NE(GraphWindow::Loaded(), nullptr);
  sx->setFocus();
  QApplication::processEvents();
  sx->setCursorPosition(2);
  activate(GraphWindow::Loaded());
  activate(&Dialog());
  EXPECT_TRUE(sx->hasFocus());
  EXPECT_FALSE(sx->hasSelectedText());
  EXPECT_EQ(sx->cursorPosition(), 2);
}

TEST_F(CircularDialogTest, CurvesInTheDialogAndTheGraphWindowBesideIt) {
  Store(0, 10, 0, 1, 0, 0);  // no distance: the curves only
  Open();
  Press(circularopening::kPlotStresses);
  EXPECT_TRUE(History().contains(QStringLiteral("Warning: Error < 0")));
  EXPECT_EQ(Text(circularopening::kTangentialStress), QString());
  ASSERT_NE(GraphWindow::Loaded(), nullptr);
  GraphWindow* graph = GraphWindow::Loaded();
  EXPECT_TRUE(graph->isVisible());
  EXPECT_EQ(GraphWindowPoints(), 67);
  // The dialog's own chart shows the same in the default format, whatever
  // the graph window's options chose since.
  GraphSettings.GridStyle = GridLines::Both;
  Control<QTabWidget>(circularopening::kTabs)->setCurrentIndex(1);
  EXPECT_EQ(ChartPoints(), 67);
  EXPECT_FALSE(Control<GraphChart>(circularopening::kCurveChart)->Grid(GraphChart::Axis::X));
  EXPECT_EQ(GraphSettings.GridStyle, GridLines::Both);
  EXPECT_FLOAT_EQ(Control<GraphChart>(circularopening::kCurveChart)->Point(2, 1).y(), 30.0f);
  EXPECT_EQ(graph->pos().x(), Dialog().pos().x() + Dialog().frameGeometry().width());
  EXPECT_EQ(graph->Chart().Header(), QStringLiteral("Stress Distribution Around a Circular Opening"));

  // Plot to 3R counts only on the Graph tab.
  Control<QTabWidget>(circularopening::kTabs)->setCurrentIndex(0);
  Control<QCheckBox>(circularopening::kPlotTo3R)->setChecked(false);
  EXPECT_EQ(GraphWindowPoints(), 67);
  Control<QTabWidget>(circularopening::kTabs)->setCurrentIndex(1);
  Control<QCheckBox>(circularopening::kPlotTo3R)->setChecked(true);
  Control<QCheckBox>(circularopening::kPlotTo3R)->setChecked(false);
  EXPECT_EQ(GraphWindowPoints(), 80);  // CircularCurvesExtent 5
  CircularCurvesExtent = 2;
  Press(circularopening::kPlotStresses);
  EXPECT_EQ(ChartPoints(), 51);
  CircularCurvesExtent = 999;
  Press(circularopening::kPlotStresses);
  EXPECT_LE(GraphWindowPoints(), 101);
  EXPECT_EQ(GraphLastPoint, GraphWindowPoints() - 1);

  // A change of the format in the graph window lasts until the next curves.
  graph->Chart().SetHeader(QStringLiteral("Mine"));
  GraphSettings.GraphTitle = QStringLiteral("Mine");
  Type(circularopening::kSy, QStringLiteral("12"));
  EXPECT_EQ(graph->Chart().Header(), QStringLiteral("Stress Distribution Around a Circular Opening"));

  // Curves that cannot be computed leave both charts empty.
  Type(circularopening::kSx, QStringLiteral("3e38"));
  Type(circularopening::kSy, QStringLiteral("-3e38"));
  EXPECT_TRUE(History().contains(QStringLiteral(". 6 Overflow")));
  EXPECT_EQ(GraphWindowPoints(), 0);
  EXPECT_EQ(ChartPoints(), 0);

  // Clearing Graph leaves the window as it is; the dialog closes it.
  Press(circularopening::kShowCurves);
  Type(circularopening::kSy, QStringLiteral("1"));
  EXPECT_EQ(GraphWindowPoints(), 0);
  Dialog().close();
  QApplication::processEvents();
  EXPECT_EQ(GraphWindow::Loaded(), nullptr);
}

TEST_F(CircularDialogTest, TheAngleBoxTakesTheScrollBarsWholeDegrees) {
  Store(0, 10, 0, 1, 2, 30.7f);
  Open();
  auto* bar = Control<QScrollBar>(circularopening::kPointAngleBar);
  EXPECT_EQ(Text(circularopening::kPointAngle), QStringLiteral("31"));  // the stored angle as the bar writes it
  EXPECT_EQ(bar->value(), 31);
  EXPECT_FLOAT_EQ(Dialog().WorkingOpening().Angle, 30.7f);  // until the box is edited
  // Typed key by key: the box ends as the bar writes it, unless the rounded
  // angle is where the bar already stands.
  const struct {
    const char* typed;
    const char* shown;
    int position;
  } typed[] = {{"370", "10", 10},   {"-725", "-5", -5}, {"30.7", "31", 31}, {"30.5", "30.5", 30},
               {"-45", "-45", -45}, {".4", "0", 0},     {"-0.4", "-0.4", 0}};
  for (const auto& t : typed) {
    Type(circularopening::kPointAngle, QString::fromLatin1(t.typed));
    EXPECT_EQ(Text(circularopening::kPointAngle), QString::fromLatin1(t.shown)) << t.typed;
    EXPECT_EQ(bar->value(), t.position) << t.typed;
  }
  EXPECT_FLOAT_EQ(Dialog().WorkingOpening().Angle, -0.4f);
  Paste(circularopening::kPointAngle, QStringLiteral("30.5"));  // in one go from a bar at 0
  EXPECT_EQ(Text(circularopening::kPointAngle), QStringLiteral("30"));
  Type(circularopening::kPointAngle, QStringLiteral("370"));
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("10.0"));  // Dw from the 10 degrees the box shows
  bar->setValue(-45);
  EXPECT_EQ(Text(circularopening::kPointAngle), QStringLiteral("-45"));
  EXPECT_FLOAT_EQ(Dialog().WorkingOpening().Angle, -45.0f);
  // A number too large for the bar leaves it where it is.
  Paste(circularopening::kPointAngle, QStringLiteral("1e300"));
  EXPECT_EQ(Text(circularopening::kPointAngle), QStringLiteral("1e300"));
  EXPECT_EQ(bar->value(), -45);
}

TEST_F(CircularDialogTest, WithGraphAndNoDistanceOnlyTheStressesGo) {
  Store(10, 0, 0, 1, 1, 90);
  Open();
  Press(circularopening::kPlotStresses);
  ASSERT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("30.000"));
  Type(circularopening::kPointDistance, QString());
  EXPECT_TRUE(History().contains(QStringLiteral("Warning: Error < 0")));
  for (const char* box :
       {circularopening::kRadialStress, circularopening::kTangentialStress, circularopening::kShearStress})
    EXPECT_EQ(Text(box), QString());
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("180.0"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("sw/sv = 3.000"));
  EXPECT_EQ(Text(circularopening::kRadialRatio), QStringLiteral("sr/sv = 0.000"));
  EXPECT_GT(GraphWindowPoints(), 0);  // the curves are drawn all the same
}

TEST_F(CircularDialogTest, OkCommitsCancelAndTheCloseBoxDoNot) {
  Store(1.23456f, -0.00042f, 7, 0.3f, 1.0001f, 30.7f);
  Project.CircOpening.InternalPressure = 0.12345f;
  Project.CircStress.GraphOption = static_cast<StressGraph>(3);
  Open();
  Focus(circularopening::kSy);
  Focus(circularopening::kPointAngle);
  Press(circularopening::kOk);
  EXPECT_EQ(Project.CircStress.Sx, 1.23456f);
  EXPECT_EQ(Project.CircStress.Sy, -0.00042f);
  EXPECT_EQ(Project.CircStress.GraphOption, static_cast<StressGraph>(3));
  EXPECT_EQ(Project.CircOpening.R, 1.0001f);
  EXPECT_EQ(Project.CircOpening.Angle, 30.7f);  // shown as 31, but never edited
  EXPECT_EQ(Project.CircOpening.InternalPressure, 0.12345f);
  EXPECT_TRUE(Project.CircOpening.ShowGraph);  // the boxes start checked
  EXPECT_TRUE(Project.CircOpening.PlotTo3R);
  EXPECT_FALSE(Project.FileSaved);

  const ProjectRecord before = Project;
  Project.FileSaved = true;
  for (bool closeBox : {false, true}) {
    Open();
    Type(circularopening::kSx, QStringLiteral("5"));
    Press(circularopening::kShowCurves);
    if (closeBox) Dialog().close();
    else Press(circularopening::kCancel);
    EXPECT_EQ(Project.CircStress.Sx, before.CircStress.Sx);
    EXPECT_TRUE(Project.CircOpening.ShowGraph);
    EXPECT_TRUE(Project.FileSaved);
  }
}

// The dialog opened from the menus of a main window, as the program does.
class CircularModelessTest : public CircularDialogTest {
 protected:
  void SetUp() override {
    CircularDialogTest::SetUp();
    ClearTools();
    RegisterProgramTools();
    window_ = std::make_unique<MainWindow>();
  }
  void TearDown() override {
    window_.reset();
    ClearTools();
    CircularDialogTest::TearDown();
  }
  // The open dialogs of the tool, after the menu entry.
  static std::vector<CircularOpeningDialog*> OpenDialogs() {
    QApplication::processEvents();
    std::vector<CircularOpeningDialog*> open;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = qobject_cast<CircularOpeningDialog*>(w); d && d->isVisible()) open.push_back(d);
    }
    return open;
  }
  CircularOpeningDialog& FromMenu() {
    window_->EntryOf(Tool::CircularOpening)->trigger();
    const auto open = OpenDialogs();
    EXPECT_EQ(open.size(), 1u);
    Use(*open.front());
    return *open.front();
  }
  std::unique_ptr<MainWindow> window_;
};

TEST_F(CircularModelessTest, TheMenuEntryOpensOneDialog) {
  test::ExpectToolOpens<CircularOpeningDialog>(Tool::CircularOpening);
  CircularOpeningDialog* first = &FromMenu();
  Type(circularopening::kSx, QStringLiteral("4"));
  EXPECT_EQ(&FromMenu(), first);  // brought to the front, as it was
  EXPECT_EQ(Text(circularopening::kSx), QStringLiteral("4"));
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(CircularModelessTest, ClosingTheDialogMakesTheMainWindowActiveAgain) {
  window_->show();
  for (bool closeBox : {false, true}) {
    CircularOpeningDialog& dialog = FromMenu();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    if (closeBox) dialog.close();
    else Press(circularopening::kCancel);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
}

TEST_F(CircularModelessTest, ReplacingTheProjectClosesTheDialogAsACancel) {
  // File New.
  FromMenu();
  Type(circularopening::kSx, QStringLiteral("5"));
  window_->EntryOf(Command::New)->trigger();
  EXPECT_TRUE(OpenDialogs().empty());
  EXPECT_EQ(Project.CircStress.Sx, 0.0f);
  EXPECT_TRUE(Project.FileSaved);

  // File Open: the file's values, not the dialog's.
  SetProjectSignatures();
  ProjectRecord saved = Project;
  saved.CircStress.Sx = 7;
  const QString path = Home() + QStringLiteral("/opening.bnl");
  ASSERT_FALSE(WriteProjectFile(path, saved).has_value());
  FromMenu();
  Type(circularopening::kSx, QStringLiteral("5"));
  Project.ProjectDisplayName = Project.ProjectPath;
  Project.ProjectPath = path;
  window_->LoadProjectFile();
  EXPECT_TRUE(OpenDialogs().empty());
  EXPECT_EQ(Project.CircStress.Sx, 7.0f);

  // A new unit system from the project description.
  Project.FileHoldsData = false;
  FromMenu();
  Type(circularopening::kSx, QStringLiteral("5"));
  DialogTest::Open<DescriptionDialog>();
  Press(Project.InputUnits == UnitSystem::Imperial ? description::kMetric : description::kEnglish);
  AnswerNextBox(Answer::Yes);  // the inputs read from the file may go
  Press(description::kOk);
  EXPECT_TRUE(OpenDialogs().empty());
  EXPECT_EQ(Project.CircStress.Sx, 0.0f);

  // OK commits to the project that is open.
  FromMenu();
  Type(circularopening::kSx, QStringLiteral("5"));
  Type(circularopening::kOpeningRadius, QStringLiteral("1"));
  Press(circularopening::kOk);
  EXPECT_EQ(Project.CircStress.Sx, 5.0f);
}

TEST_F(CircularDialogTest, RenderTheDialogAndTheGraphWindowSideBySide) {
  Store(12, 4, 3, 1, 1.5f, 30);
  test::EachLanguage([&](const QString& language) {
    Open();
    Press(circularopening::kPlotStresses);
    for (int tab = 0; tab < 2; ++tab) {
      Control<QTabWidget>(circularopening::kTabs)->setCurrentIndex(tab);
      const QImage left = Dialog().grab().toImage();
      const QImage right = GraphWindow::Loaded()->grab().toImage();
      QImage both(left.width() + right.width(), std::max(left.height(), right.height()), QImage::Format_RGB32);
      both.fill(Qt::white);
      QPainter painter(&both);
      painter.drawImage(0, 0, left);
      painter.drawImage(left.width(), 0, right);
      painter.end();
      test::SaveRender(both, QStringLiteral("circular-%1-tab%2").arg(language).arg(tab));
    }
    Dialog().close();
  });
}

// The worked example of the tool's help page (in MPa and m).
TEST_F(CircularDialogTest, HelpPageExample) {
  Store(10, 20, 0, 2, 3, 0);
  Open();
  Press(circularopening::kPlotStresses);  // Plot Stresses, with Graph and Plot to 3R checked
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("0.0"));
  EXPECT_EQ(Text(circularopening::kRadialStress), QStringLiteral("9.259"));
  EXPECT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("29.630"));
  EXPECT_EQ(Text(circularopening::kShearStress), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kRadialRatio), QStringLiteral("sr/sv = 0.463"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("sw/sv = 1.481"));
  // The curves from the wall (x = 1) to x = 2.98.
  ASSERT_EQ(GraphLastPoint, 66);
  EXPECT_FLOAT_EQ(GraphCurveData[1][0][0], 1.0f);
  EXPECT_EQ(Format(GraphCurveData[0][0][1], u"#0.##0"), QStringLiteral("0.000"));
  EXPECT_EQ(Format(GraphCurveData[1][0][1], u"#0.##0"), QStringLiteral("50.000"));
  EXPECT_EQ(Format(GraphCurveData[1][66][0], u"#0.##0"), QStringLiteral("2.980"));
  EXPECT_EQ(Format(GraphCurveData[0][66][1], u"#0.##0"), QStringLiteral("10.373"));
  EXPECT_EQ(Format(GraphCurveData[1][66][1], u"#0.##0"), QStringLiteral("21.879"));
  EXPECT_NE(GraphWindow::Loaded(), nullptr);
  // The crown: a point on the wall straight above the centre.
  Type(circularopening::kPointAngle, QStringLiteral("90"));
  Type(circularopening::kPointDistance, QStringLiteral("2"));
  EXPECT_EQ(Text(circularopening::kAngleFromS2), QStringLiteral("90.0"));
  EXPECT_EQ(Text(circularopening::kRadialStress), QStringLiteral("0.000"));
  EXPECT_EQ(Text(circularopening::kTangentialStress), QStringLiteral("10.000"));
  EXPECT_EQ(Text(circularopening::kTangentialRatio), QStringLiteral("sw/sv = 0.500"));
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brantel
