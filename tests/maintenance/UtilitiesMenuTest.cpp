#include "maintenance/ProgramOptionsDialog.h"
#include "maintenance/SettingsDialog.h"
#include "maintenance/UnitsDialog.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/MainWindowFixture.h"
#include "platform/CommonDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

namespace brantel {
namespace {

class UtilitiesMenuTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    RemindAnnualUpdates = 0;
    UnitsStartTab = 1;
    RegisterProgramTools();
  }
};

template <typename T>
T* Find(QWidget* dialog, const char* name) {
  return dialog->findChild<T*>(QString::fromLatin1(name));
}

TEST_F(UtilitiesMenuTest, SettingsApplyToTheMainWindowOnOk) {
  frmMain& window = LoadWindow();
  ASSERT_FALSE(window.txtMain->isHidden());
  QWidget* owner = nullptr;
  test::WhenModalShows<frmSet>([&owner](frmSet* dialog) {
    owner = dialog->parentWidget();
    Find<QCheckBox>(dialog, "chkDispHist")->click();
    Find<QCheckBox>(dialog, "chkEnableTB")->click();
    dialog->OkClicked();
  });
  window.mnuUtilItem_Click(0);
  EXPECT_EQ(owner, &window);
  EXPECT_EQ(DisplayHistoryWin, 0);
  EXPECT_TRUE(window.txtMain->isHidden());
  EXPECT_TRUE(window.toolBar1->isHidden());
  EXPECT_FALSE(window.MenuItems(Menu::Utilities)[5]->isEnabled());
}

TEST_F(UtilitiesMenuTest, TheHistoryFontReachesThePaneAtOnce) {
  frmMain& window = LoadWindow();
  QFont chosen(QStringLiteral("DejaVu Serif"));
  chosen.setPointSizeF(15);
  chosen.setItalic(true);
  const auto previous = platform::SetFontDialogHandler([chosen](QFont& font, QWidget*) {
    font = chosen;
    return true;
  });
  QFont shown;
  test::WhenModalShows<frmSet>([&window, &shown](frmSet* dialog) {
    Find<QPushButton>(dialog, "Command5")->click();
    shown = window.txtMain->font();
    dialog->CancelClicked();
  });
  window.mnuUtilItem_Click(0);
  platform::SetFontDialogHandler(previous);
  EXPECT_EQ(shown.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(shown.pointSizeF(), 15.0);
  EXPECT_TRUE(shown.italic());
  EXPECT_EQ(window.txtMain->font().family(), QStringLiteral("DejaVu Serif"));
}

TEST_F(UtilitiesMenuTest, OptionsRecaptionTheMenusAndMoveTheQuickButtons) {
  frmMain& window = LoadWindow();
  ASSERT_EQ(window.mnuUtil->title(), QStringLiteral("&Utilities"));
  test::WhenModalShows<frmBrantelOpts>([](frmBrantelOpts* dialog) {
    Find<QCheckBox>(dialog, "Check1")->click();               // Greek
    Find<QComboBox>(dialog, "Combo1(0)")->setCurrentIndex(0);  // the project description
    dialog->OkClicked();
  });
  window.mnuUtilItem_Click(1);
  EXPECT_EQ(EnglishMenus, 0);
  EXPECT_EQ(ToolBarPointer[0], 1);
  EXPECT_EQ(window.mnuUtil->title(), QStringLiteral("Εργαλεία"));
  EXPECT_EQ(window.MenuItems(Menu::Utilities)[0]->text(), QStringLiteral("Γενικές Ρυθμίσεις..."));
  EXPECT_TRUE(History().contains(QStringLiteral("Αλλαγή επιλογών Brantel")));
}

TEST_F(UtilitiesMenuTest, UnitsOpenOnTheLoadTabAndItemThreeIsNotReady) {
  frmMain& window = LoadWindow();
  int tab = -1;
  test::WhenModalShows<frmUnits>([&tab](frmUnits* dialog) {
    tab = Find<QTabWidget>(dialog, "SSTab1")->currentIndex();
    Find<QPushButton>(dialog, "Command1")->click();
  });
  window.mnuUtilItem_Click(2);
  EXPECT_EQ(tab, 1);
  window.mnuUtilItem_Click(3);
  ASSERT_FALSE(boxes_->Shown().empty());
  EXPECT_EQ(boxes_->Shown().back().prompt, QStringLiteral("Option not ready yet"));
}

}  // namespace
}  // namespace brantel
