#include "maintenance/ProgramOptionsDialog.h"

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

constexpr forms::FormDesign kForm{7200, 4800, "Program Options"};

constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 6960, 3960},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "General "},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, " Default Settings"},
    {"SSTab1(2)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Advanced"},
    // General.
    {"Frame1", Kind::Frame, "SSTab1(0)", 240, 480, 6480, 1095, "Edit Menu Options"},
    {"Check1", Kind::CheckBox, "Frame1", 240, 300, 6000, 255, "English Menus"},
    {"Check2", Kind::CheckBox, "Frame1", 240, 660, 6000, 255, "Always Show Mohr's Circle when Form Loads"},
    {"Frame2", Kind::Frame, "SSTab1(0)", 240, 1740, 6480, 735, "Print Options"},
    {"Check6", Kind::CheckBox, "Frame2", 240, 300, 6000, 255, "Print Module Version Information"},
    // Default settings: the quick buttons.
    {"Frame3", Kind::Frame, "SSTab1(1)", 240, 480, 6480, 3240, "Tool bar Settings"},
    {"Label1", Kind::Label, "Frame3", 1200, 300, 1695, 255, "Input Menu"},
    {"Label2", Kind::Label, "Frame3", 3000, 300, 1935, 255, "Input Sub Menu"},
    {"lblButton(0)", Kind::Label, "Frame3", 240, 645, 900, 255, "Button 1"},
    {"Combo1(0)", Kind::ComboBox, "Frame3", 1200, 600, 1695, 315, "Button 1 Input Menu"},
    {"Combo2(0)", Kind::ComboBox, "Frame3", 3000, 600, 1935, 315, "Button 1 Input Sub Menu"},
    {"lblMenu(0)", Kind::Label, "Frame3", 1200, 975, 5160, 255},
    {"lblButton(1)", Kind::Label, "Frame3", 240, 1485, 900, 255, "Button 2"},
    {"Combo1(1)", Kind::ComboBox, "Frame3", 1200, 1440, 1695, 315, "Button 2 Input Menu"},
    {"Combo2(1)", Kind::ComboBox, "Frame3", 3000, 1440, 1935, 315, "Button 2 Input Sub Menu"},
    {"lblMenu(1)", Kind::Label, "Frame3", 1200, 1815, 5160, 255},
    {"lblButton(2)", Kind::Label, "Frame3", 240, 2325, 900, 255, "Button 3"},
    {"Combo1(2)", Kind::ComboBox, "Frame3", 1200, 2280, 1695, 315, "Button 3 Input Menu"},
    {"Combo2(2)", Kind::ComboBox, "Frame3", 3000, 2280, 1935, 315, "Button 3 Input Sub Menu"},
    {"lblMenu(2)", Kind::Label, "Frame3", 1200, 2655, 5160, 255},
    // Advanced.
    {"Frame4", Kind::Frame, "SSTab1(2)", 240, 480, 6480, 735, "Debug"},
    {"Check3", Kind::CheckBox, "Frame4", 240, 300, 6000, 255, "Show Internal Coordinates in Graphs"},
    {"Frame5", Kind::Frame, "SSTab1(2)", 240, 1320, 6480, 735, "Circular Openings"},
    {"Label3", Kind::Label, "Frame5", 240, 330, 3000, 255, "Graph Extend (Number of radii)", nullptr, "txtRadius"},
    {"txtRadius", Kind::TextBox, "Frame5", 3360, 300, 855, 285},
    {"Frame6", Kind::Frame, "SSTab1(2)", 240, 2160, 6480, 855, "Create a File Association"},
    {"cmdFileAssoc", Kind::Button, "Frame6", 240, 330, 2400, 375, "Create File Association"},
    // Buttons.
    {"Command3", Kind::Button, nullptr, 2880, 4260, 1215, 375, "Help"},
    {"Command1", Kind::Button, nullptr, 4320, 4260, 1215, 375, "Cancel"},
    {"Command2", Kind::Button, nullptr, 5760, 4260, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

// The menu whose entries a menu list index (0-based) names in its sub-menu
// list: Menu 2 the Stress Analysis entries, Menu 3 the Failure Criteria ones.
Menu SubMenuOf(int menuIndex) { return menuIndex == 1 ? Menu::Stress : Menu::Failure; }

QString EntryCaption(Menu menu, int index) {
  return forms::PlainCaption(MenuCaptionText(menu, index, EnglishMenus == 1));
}

}  // namespace

frmBrantelOpts::frmBrantelOpts(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmBrantelOpts"));
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  ui_.english = Require<QCheckBox>(u"Check1");
  ui_.mohr = Require<QCheckBox>(u"Check2");
  ui_.internal = Require<QCheckBox>(u"Check3");
  ui_.printHeader = Require<QCheckBox>(u"Check6");
  ui_.radius = Require<QLineEdit>(u"txtRadius");
  for (int i = 0; i < kQuickButtons; ++i) {
    QuickButton& button = ui_.buttons[static_cast<std::size_t>(i)];
    button.menu = Require<QComboBox>(QStringLiteral("Combo1(%1)").arg(i));
    button.subMenu = Require<QComboBox>(QStringLiteral("Combo2(%1)").arg(i));
    button.entry = Require<QLabel>(QStringLiteral("lblMenu(%1)").arg(i));
    connect(button.menu, &QComboBox::currentIndexChanged, this, [this, i] { Combo1_Click(i); });
    connect(button.subMenu, &QComboBox::currentIndexChanged, this, [this, i] { Combo2_Click(i); });
  }

  WireButtons(Require<QPushButton>(u"Command2"), Require<QPushButton>(u"Command1"),
              Require<QPushButton>(u"Command3"));
  connect(Require<QPushButton>(u"cmdFileAssoc"), &QPushButton::clicked, this, &frmBrantelOpts::cmdFileAssoc_Click);

  Form_Load();
}

void frmBrantelOpts::Form_Load() {
  SetMessageTitles(11);
  AddHistoryLine(Tr({"Editing Brantel options", "Αλλαγές επιλογών Brantel"}));
  LoadInputs();
  ui_.tabs->setCurrentIndex(0);
  forms::CenterForm(this);
}

void frmBrantelOpts::LoadFromProject() {
  ui_.english->setChecked(EnglishMenus == 1);
  ui_.mohr->setChecked(EnableMohrCircles == 1);
  ui_.internal->setChecked(ShowInternalPlotCoords == 1);
  ui_.printHeader->setChecked(PrintModuleHeader == 1);
  ui_.radius->setText(QString::number(CircExtend));
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
    const QuickButtonChoice shown = DecodeQuickButton(ToolBarPointer[static_cast<std::size_t>(i)]);
    if (shown.MenuIndex < 0) continue;
    button.menu->setCurrentIndex(shown.MenuIndex);  // fills the sub-menu list
    if (shown.SubIndex >= 0) button.subMenu->setCurrentIndex(shown.SubIndex);
  }
}

void frmBrantelOpts::Combo1_Click(int index) {
  const QuickButton& button = ui_.buttons[static_cast<std::size_t>(index)];
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

void frmBrantelOpts::Combo2_Click(int index) {
  const QuickButton& button = ui_.buttons[static_cast<std::size_t>(index)];
  const int menu = button.menu->currentIndex();
  if (QuickButtonSubMenuCount(menu) == 0) return;
  button.entry->setText(EntryCaption(SubMenuOf(menu), button.subMenu->currentIndex()));
}

void frmBrantelOpts::cmdFileAssoc_Click() {
  const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const FileAssociationResult result = AssociateFileType(AppFolder, exeName, FileExtension, AppTitle);
  if (result.Succeeded()) {
    ShowMsg(QStringLiteral("The ") + FileExtension + QStringLiteral(" file extensions has been associated to ") +
                result.ProgramPath,
            mb::kOkCancel, QString());
  } else {
    ShowMsg(QStringLiteral("The file extension could not be associated with the program:\n\n") +
                result.Failures.join(u'\n'),
            mb::kOkOnly | mb::kCritical, ErrorTitle);
  }
  AddHistoryLine(AppFolder + u' ' + exeName + u' ' + FileExtension);
}

void frmBrantelOpts::CommitToProject() {
  EnglishMenus = ui_.english->isChecked() ? 1 : 0;
  PrintModuleHeader = ui_.printHeader->isChecked() ? 1 : 0;
  EnableMohrCircles = ui_.mohr->isChecked() ? 1 : 0;
  ShowInternalPlotCoords = ui_.internal->isChecked() ? 1 : 0;
  // The graph extent box only shows CircExtend.
  for (int i = 0; i < kQuickButtons; ++i) {
    const QuickButton& button = ui_.buttons[static_cast<std::size_t>(i)];
    qint16& code = ToolBarPointer[static_cast<std::size_t>(i)];
    code = EncodeQuickButton({button.menu->currentIndex(), button.subMenu->currentIndex()}, code);
  }
  SaveSettings(kSettingsOptions);
  AddHistoryLine(Tr({"Brantel options modified", "Αλλαγή επιλογών Brantel"}));
}

void frmBrantelOpts::FormUnload() {
  if (!accepted_) {
    AddHistoryLine(Tr({"Brantel options NOT modified", "Οι επιλογές Brantel δεν άλλαξαν"}));
  }
}

}  // namespace brantel
