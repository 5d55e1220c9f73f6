// Renders the main window and its menus in both languages into
// <build>/tests/mainwindow/renders, and checks that nothing overlaps.

#include "MainWindowFixture.h"

#include "mainwindow/CommandBar.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/HelpWindow.h"
#include "support/Renders.h"

#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

namespace brantel {
namespace {

using test::MainWindowTest;

class RenderTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RenderTest, MainWindowAndMenus) {
  EnglishMenus = GetParam();
  const QString language = EnglishMenus ? QStringLiteral("en") : QStringLiteral("el");
  AddHistoryLine(QStringLiteral("Saving default settings to file: /home/user/Documents/MyBrantel/Brantel.INI"));
  test::TestWindow& w = LoadWindow();
  w.NewProject();
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  test::SaveRender(w, QStringLiteral("main-") + language);
  QMenu* const menus[] = {w.fileMenu, w.inputMenu, w.stressMenu, w.failureMenu, w.utilitiesMenu, w.helpMenu};
  for (QMenu* menu : menus) {
    menu->adjustSize();
    test::SaveRender(*menu, menu->objectName() + u'-' + language);
  }

  const QRect toolbar = w.toolbar->geometry();
  const QRect logo = w.logo->geometry();
  const QRect pane = w.historyPane->geometry();
  const QRect version = w.versionLabel->geometry();
  EXPECT_FALSE(logo.intersects(toolbar));
  EXPECT_FALSE(logo.intersects(pane));
  EXPECT_FALSE(version.intersects(toolbar));
  EXPECT_GE(version.left(), 0);
  // Every toolbar button shows its whole caption.
  for (QAction* action : w.toolbar->actions()) {
    QWidget* button = w.toolbar->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(action->text())) << action->text().toStdString();
    EXPECT_LE(button->geometry().right(), toolbar.width());
  }
}

// The help window on a tool's page, its captions in the language of the
// menus.
TEST_P(RenderTest, HelpWindow) {
  EnglishMenus = GetParam();
  const QString language = EnglishMenus ? QStringLiteral("en") : QStringLiteral("el");
  ASSERT_TRUE(QFile::copy(QStringLiteral(BRANTEL_HELP_FILE), AppFolder + HelpFileName));
  LoadWindow();
  ShowHelpTopic(1100);
  HelpWindow* help = HelpWindow::Existing();
  ASSERT_NE(help, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
  EXPECT_TRUE(help->windowTitle().startsWith(QStringLiteral("The Brantel Main Window - ")));
  EXPECT_EQ(help->windowTitle().endsWith(QStringLiteral("Brantel Help")), EnglishMenus);
  test::SaveRender(*help, QStringLiteral("help-") + language);
  HelpShowIndex();
  test::SaveRender(*help, QStringLiteral("help-index-") + language);
  HelpUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Languages, RenderTest, ::testing::Values(true, false));

}  // namespace
}  // namespace brantel
