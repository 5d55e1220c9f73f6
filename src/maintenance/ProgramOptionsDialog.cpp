#include "maintenance/ProgramOptionsDialog.h"

#include "core/Bilingual.h"
#include "core/FileAssociation.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/QuickButtonCodes.h"
#include "core/Settings.h"
#include "core/commands/Commands.h"
#include "forms/FormHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr forms::FormDesign kForm{
    .name = "frmBrantelOpts", .width = 7200, .height = 4800, .caption = {"Program Options"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = programoptions::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 6960, 3960}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = programoptions::kTabs, .caption = {"General "}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = programoptions::kTabs, .caption = {" Default Settings"}},
    {.name = "SSTab1(2)", .kind = Kind::TabPage, .container = programoptions::kTabs, .caption = {"Advanced"}},
    // General.
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {240, 480, 6480, 1095}, .caption = {"Edit Menu Options"}},
    {.name = programoptions::kEnglishMenus, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 300, 6000, 255}, .caption = {"English Menus"}},
    {.name = programoptions::kAlwaysShowMohr, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 660, 6000, 255}, .caption = {"Always Show Mohr's Circle when Form Loads"}},
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {240, 1740, 6480, 735}, .caption = {"Print Options"}},
    {.name = programoptions::kPrintModuleHeader, .kind = Kind::CheckBox, .container = "Frame2", .at = {240, 300, 6000, 255}, .caption = {"Print Module Version Information"}},
    // Default settings: the quick buttons.
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 480, 6480, 3240}, .caption = {"Tool bar Settings"}},
    {.name = "Label1", .kind = Kind::Label, .container = "Frame3", .at = {1200, 300, 1695, 255}, .caption = {"Input Menu"}},
    {.name = "Label2", .kind = Kind::Label, .container = "Frame3", .at = {3000, 300, 1935, 255}, .caption = {"Input Sub Menu"}},
    {.name = "lblButton(0)", .kind = Kind::Label, .container = "Frame3", .at = {240, 645, 900, 255}, .caption = {"Button 1"}},
    {.name = programoptions::kButton1Menu, .kind = Kind::ComboBox, .container = "Frame3", .at = {1200, 600, 1695, 315}, .caption = {"Button 1 Input Menu"}},
    {.name = programoptions::kButton1SubMenu, .kind = Kind::ComboBox, .container = "Frame3", .at = {3000, 600, 1935, 315}, .caption = {"Button 1 Input Sub Menu"}},
    {.name = programoptions::kButton1Entry, .kind = Kind::Label, .container = "Frame3", .at = {1200, 975, 5160, 255}},
    {.name = "lblButton(1)", .kind = Kind::Label, .container = "Frame3", .at = {240, 1485, 900, 255}, .caption = {"Button 2"}},
    {.name = programoptions::kButton2Menu, .kind = Kind::ComboBox, .container = "Frame3", .at = {1200, 1440, 1695, 315}, .caption = {"Button 2 Input Menu"}},
    {.name = programoptions::kButton2SubMenu, .kind = Kind::ComboBox, .container = "Frame3", .at = {3000, 1440, 1935, 315}, .caption = {"Button 2 Input Sub Menu"}},
    {.name = programoptions::kButton2Entry, .kind = Kind::Label, .container = "Frame3", .at = {1200, 1815, 5160, 255}},
    {.name = "lblButton(2)", .kind = Kind::Label, .container = "Frame3", .at = {240, 2325, 900, 255}, .caption = {"Button 3"}},
    {.name = programoptions::kButton3Menu, .kind = Kind::ComboBox, .container = "Frame3", .at = {1200, 2280, 1695, 315}, .caption = {"Button 3 Input Menu"}},
    {.name = programoptions::kButton3SubMenu, .kind = Kind::ComboBox, .container = "Frame3", .at = {3000, 2280, 1935, 315}, .caption = {"Button 3 Input Sub Menu"}},
    {.name = programoptions::kButton3Entry, .kind = Kind::Label, .container = "Frame3", .at = {1200, 2655, 5160, 255}},
    // Advanced.
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {240, 480, 6480, 735}, .caption = {"Debug"}},
    {.name = programoptions::kShowInternalCoords, .kind = Kind::CheckBox, .container = "Frame4", .at = {240, 300, 6000, 255}, .caption = {"Show Internal Coordinates in Graphs"}},
    {.name = "Frame5", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {240, 1320, 6480, 735}, .caption = {"Circular Openings"}},
    {.name = "Label3", .kind = Kind::Label, .container = "Frame5", .at = {240, 330, 3000, 255}, .caption = {"Graph Extend (Number of radii)"}, .partner = programoptions::kGraphExtent},
    {.name = programoptions::kGraphExtent, .kind = Kind::TextBox, .container = "Frame5", .at = {3360, 300, 855, 285}},
    {.name = "Frame6", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {240, 2160, 6480, 855}, .caption = {"Create a File Association"}},
    {.name = programoptions::kCreateFileAssociation, .kind = Kind::Button, .container = "Frame6", .at = {240, 330, 2400, 375}, .caption = {"Create File Association"}},
    // Buttons.
    {.name = programoptions::kHelp, .kind = Kind::Button, .at = {2880, 4260, 1215, 375}, .caption = {"Help"}},
    {.name = programoptions::kCancel, .kind = Kind::Button, .at = {4320, 4260, 1215, 375}, .caption = {"Cancel"}},
    {.name = programoptions::kOk, .kind = Kind::Button, .at = {5760, 4260, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The menu whose entries a menu list index (0-based) with a sub-menu list
// names in that list: the sub-menu its Input entry heads (Menu 2 the Stress
// Analysis entries, Menu 3 the Failure Criteria ones).
Menu SubMenuOf(int menuIndex) { return *RowOfEntry(Menu::Input, menuIndex)->subMenu; }

QString EntryCaption(Menu menu, int index) {
  return forms::PlainCaption(MenuCaptionText(menu, index, ProgramInEnglish()));
}

}  // namespace

ProgramOptionsDialog::ProgramOptionsDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(programoptions::kTabs);
  ui_.englishMenus = Require<QCheckBox>(programoptions::kEnglishMenus);
  ui_.alwaysShowMohr = Require<QCheckBox>(programoptions::kAlwaysShowMohr);
  ui_.showInternalCoords = Require<QCheckBox>(programoptions::kShowInternalCoords);
  ui_.printModuleHeader = Require<QCheckBox>(programoptions::kPrintModuleHeader);
  ui_.graphExtent = Require<QLineEdit>(programoptions::kGraphExtent);
  for (int i = 0; i < kQuickButtons; ++i) {
    QuickButton& button = ui_.buttons[static_cast<std::size_t>(i)];
    button.menu = Require<QComboBox>(forms::Item(programoptions::kQuickButtonMenu, i));
    button.subMenu = Require<QComboBox>(forms::Item(programoptions::kQuickButtonSubMenu, i));
    button.entry = Require<QLabel>(forms::Item(programoptions::kQuickButtonEntry, i));
    connect(button.menu, &QComboBox::currentIndexChanged, this, [this, i] { OnQuickButtonMenuChosen(i); });
    connect(button.subMenu, &QComboBox::currentIndexChanged, this, [this, i] { OnQuickButtonSubMenuChosen(i); });
  }

  WireButtons(Require<QPushButton>(programoptions::kOk), Require<QPushButton>(programoptions::kCancel),
              Require<QPushButton>(programoptions::kHelp));
  connect(Require<QPushButton>(programoptions::kCreateFileAssociation), &QPushButton::clicked, this,
          &ProgramOptionsDialog::OnCreateFileAssociationClicked);

  OnLoad();
}

void ProgramOptionsDialog::OnLoad() {
  SetMessageTitles(TitlePrefix::ProgramOptions);
  AddHistoryLine(Tr({"Editing Brantel options", "Αλλαγές επιλογών Brantel"}));
  LoadInputs();
  ui_.tabs->setCurrentIndex(0);
  forms::CenterForm(this);
}

void ProgramOptionsDialog::LoadFromProject() {
  ui_.englishMenus->setChecked(EnglishMenus);
  ui_.alwaysShowMohr->setChecked(EnableMohrCircles);
  ui_.showInternalCoords->setChecked(ShowInternalPlotCoords);
  ui_.printModuleHeader->setChecked(PrintModuleHeader);
  ui_.graphExtent->setText(QString::number(CircularCurvesExtent));
  for (int i = 0; i < kQuickButtons; ++i) {
    const QuickButton& button = ui_.buttons[static_cast<std::size_t>(i)];
    {
      const QSignalBlocker quiet(button.menu);
      button.menu->clear();
      button.menu->addItems(QuickButtonMenuItems());
      button.menu->setCurrentIndex(-1);
    }
    button.subMenu->setEnabled(false);
    // A code the lists cannot show selects nothing and is kept by OK.
    const QuickButtonChoice shown = DecodeQuickButton(QuickButtonTools[static_cast<std::size_t>(i)]);
    if (shown.MenuIndex < 0) continue;
    button.menu->setCurrentIndex(shown.MenuIndex);  // fills the sub-menu list
    if (shown.SubIndex >= 0) button.subMenu->setCurrentIndex(shown.SubIndex);
  }
}

void ProgramOptionsDialog::OnQuickButtonMenuChosen(int quickButton) {
  const QuickButton& button = ui_.buttons[static_cast<std::size_t>(quickButton)];
  const int menu = button.menu->currentIndex();
  if (menu < 0) return;
  {
    const QSignalBlocker quiet(button.subMenu);
    button.subMenu->clear();
    button.subMenu->addItems(QuickButtonSubMenuItems(menu));
    button.subMenu->setCurrentIndex(-1);
  }
  if (QuickButtonSubMenuCount(menu) > 0) {
    button.subMenu->setEnabled(true);
    button.subMenu->setCurrentIndex(kQuickButtonPickedSubIndex);  // shows its entry
  } else {
    button.subMenu->setEnabled(false);
    button.entry->setText(EntryCaption(Menu::Input, menu));
  }
}

void ProgramOptionsDialog::OnQuickButtonSubMenuChosen(int quickButton) {
  const QuickButton& button = ui_.buttons[static_cast<std::size_t>(quickButton)];
  const int menu = button.menu->currentIndex();
  if (QuickButtonSubMenuCount(menu) == 0) return;
  button.entry->setText(EntryCaption(SubMenuOf(menu), button.subMenu->currentIndex()));
}

void ProgramOptionsDialog::OnCreateFileAssociationClicked() {
  const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const FileAssociationResult result = AssociateFileType(AppFolder, exeName, FileExtension, AppTitle);
  if (result.Succeeded()) {
    ShowMsg(QStringLiteral("The ") + FileExtension + QStringLiteral(" file extensions has been associated to ") +
                result.ProgramPath,
            Buttons::OkCancel, QString());
  } else {
    ShowMsg(QStringLiteral("The file extension could not be associated with the program:\n\n") +
                result.Failures.join(u'\n'),
            Icon::Critical, ErrorTitle);
  }
  AddHistoryLine(AppFolder + u' ' + exeName + u' ' + FileExtension);
}

void ProgramOptionsDialog::CommitToProject() {
  EnglishMenus = ui_.englishMenus->isChecked();
  PrintModuleHeader = ui_.printModuleHeader->isChecked();
  EnableMohrCircles = ui_.alwaysShowMohr->isChecked();
  ShowInternalPlotCoords = ui_.showInternalCoords->isChecked();
  // The graph extent box only shows CircularCurvesExtent.
  for (int i = 0; i < kQuickButtons; ++i) {
    const QuickButton& button = ui_.buttons[static_cast<std::size_t>(i)];
    int& code = QuickButtonTools[static_cast<std::size_t>(i)];
    code = EncodeQuickButton({button.menu->currentIndex(), button.subMenu->currentIndex()}, code);
  }
  SaveSettings(SettingsPart::Options);
  AddHistoryLine(Tr({"Brantel options modified", "Αλλαγή επιλογών Brantel"}));
}

void ProgramOptionsDialog::FormUnload() {
  if (!accepted_) {
    AddHistoryLine(Tr({"Brantel options NOT modified", "Οι επιλογές Brantel δεν άλλαξαν"}));
  }
}

}  // namespace brantel
