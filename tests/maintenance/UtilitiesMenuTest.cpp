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

using test::ChooseEntry;

class UtilitiesMenuTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    YearlyUpdateReminder = false;
    UnitsStartTab = UnitTab::Load;
    RegisterProgramTools();
  }
};

template <typename T>
T* Find(QWidget* dialog, const char* name) {
  return dialog->findChild<T*>(QString::fromLatin1(name));
}

TEST_F(UtilitiesMenuTest, SettingsSetTheHistoryFontAtOnceAndTheRestOnOk) {
  MainWindow& window = LoadWindow();
  const auto previous = platform::SetFontDialogHandler([](QFont& font, QWidget*) {
    font = QFont(QStringLiteral("DejaVu Serif"), 15);
    return true;
  });
  QFont shown;
  QWidget* owner = nullptr;
  test::WhenModalShows<SettingsDialog>([&](SettingsDialog* dialog) {
    owner = dialog->parentWidget();
    Find<QPushButton>(dialog, settings::kHistoryFont)->click();
    shown = window.historyPane->font();
    Find<QCheckBox>(dialog, settings::kDisplayHistory)->click();
    Find<QCheckBox>(dialog, settings::kEnableToolbar)->click();
    dialog->OkClicked();
  });
  ChooseEntry(window, Tool::Settings);
  platform::SetFontDialogHandler(previous);
  EXPECT_EQ(owner, &window);
  EXPECT_EQ(shown.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(shown.pointSizeF(), 15.0);
  EXPECT_EQ(DisplayFontSize, 15.0f);
  EXPECT_TRUE(window.historyPane->isHidden());
  EXPECT_TRUE(window.toolbar->isHidden());
  EXPECT_FALSE(window.EntryOf(Command::ClearHistory)->isEnabled());

  // Cancel keeps the font chosen meanwhile, and nothing else.
  const auto italic = platform::SetFontDialogHandler([](QFont& font, QWidget*) {
    font = QFont(QStringLiteral("DejaVu Sans Mono"), 11);
    font.setItalic(true);
    return true;
  });
  test::WhenModalShows<SettingsDialog>([](SettingsDialog* dialog) {
    Find<QCheckBox>(dialog, settings::kDisplayHistory)->click();
    Find<QPushButton>(dialog, settings::kHistoryFont)->click();
    Find<QCheckBox>(dialog, settings::kEnableToolbar)->click();
    dialog->CancelClicked();
  });
  ChooseEntry(window, Tool::Settings);
  platform::SetFontDialogHandler(italic);
  EXPECT_EQ(DisplayFontName, QStringLiteral("DejaVu Sans Mono"));
  EXPECT_EQ(DisplayFontSize, 11.0f);
  EXPECT_TRUE(DisplayFontItalic);
  EXPECT_TRUE(window.historyPane->font().italic());
  EXPECT_FALSE(HistoryShown);
  EXPECT_FALSE(ToolbarShown);
}

TEST_F(UtilitiesMenuTest, OptionsRecaptionTheMenusUnitsOpenOnTheLoadTabItemThreeIsNotReady) {
  MainWindow& window = LoadWindow();
  test::WhenModalShows<ProgramOptionsDialog>([](ProgramOptionsDialog* dialog) {
    Find<QCheckBox>(dialog, programoptions::kEnglishMenus)->click();            // Greek
    Find<QComboBox>(dialog, programoptions::kButton1Menu)->setCurrentIndex(0);  // the project description
    dialog->OkClicked();
  });
  ChooseEntry(window, Tool::ProgramOptions);
  EXPECT_EQ(QuickButtonTools[0], 1);
  EXPECT_EQ(window.utilitiesMenu->title(), QStringLiteral("Εργαλεία"));
  EXPECT_EQ(window.EntryOf(Tool::Settings)->text(), QStringLiteral("Γενικές Ρυθμίσεις..."));

  int tab = -1;
  test::WhenModalShows<UnitsDialog>([&tab](UnitsDialog* dialog) {
    tab = Find<QTabWidget>(dialog, units::kTabs)->currentIndex();
    dialog->OkClicked();
  });
  ChooseEntry(window, Tool::UnitConversion);
  EXPECT_EQ(tab, 1);
  ChooseEntry(window, Command::FileConversion);
  ASSERT_FALSE(boxes_->Shown().empty());
  EXPECT_EQ(boxes_->Shown().back().prompt, QStringLiteral("Option not ready yet"));
}

}  // namespace
}  // namespace brantel
