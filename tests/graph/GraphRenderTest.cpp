#include "GraphTestSupport.h"

#include "graph/GraphChart.h"
#include "graph/GraphOptionsDialog.h"
#include "graph/GraphWindow.h"
#include "support/Renders.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace brantel {
namespace {

using test::GraphTest;

// Pictures of the window and the dialog beside the test program, to look at.
TEST_F(GraphTest, RendersTheWindowAndTheOptionsDialog) {
  FillCurves(66);
  GraphWindow* window = GraphWindow::Load();
  window->GraphInit();
  window->DrawCurve();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  QTest::qWait(50);
  // The pointer on a point of the tangential stress fills the Point ID frame.
  QWidget* viewport = &window->Chart();
  const QPoint at = window->Chart().PixelOf(2, 11).toPoint();
  QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  test::SaveRender(*window, QStringLiteral("graph_window"));

  window->EntryOf(GraphCommand::BasicOptions)->trigger();
  GraphOptionsDialog* dialog = window->OptionsDialog();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  test::SaveRender(*dialog, QStringLiteral("graph_options_mode0"));
  Use(*dialog);
  Press(graphoptions::kLastFormat);
  test::SaveRender(*dialog, QStringLiteral("graph_options_mode1"));
  Control<QComboBox>(graphoptions::kGraphStyle)->setCurrentIndex(1);  // symbols only
  Control<QComboBox>(graphoptions::kGridStyle)->setCurrentIndex(3);   // both grids
  Control<QScrollBar>(graphoptions::kSymbolSize)->setValue(9);
  Press(graphoptions::kOk);
  QTest::qWait(50);
  test::SaveRender(*window, QStringLiteral("graph_window_symbols"));
}

}  // namespace
}  // namespace brantel
