#pragma once

#include "forms/FormDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace brantel {

// The design names of the program options' controls, for its code and its
// tests. Quick button i (from 0) has the lists Item(kQuickButtonMenu, i) of
// the Input menu's entries and Item(kQuickButtonSubMenu, i) of a sub-menu's
// entries, and shows the caption of the entry chosen in
// Item(kQuickButtonEntry, i).
namespace programoptions {
inline constexpr char kTabs[] = "SSTab1";
inline constexpr char kEnglishMenus[] = "Check1";
inline constexpr char kAlwaysShowMohr[] = "Check2";
inline constexpr char kShowInternalCoords[] = "Check3";  // in graphs
inline constexpr char kPrintModuleHeader[] = "Check6";
inline constexpr char kQuickButtonMenu[] = "Combo1";
inline constexpr char kQuickButtonSubMenu[] = "Combo2";
inline constexpr char kQuickButtonEntry[] = "lblMenu";
inline constexpr forms::ItemName kButton1Menu = forms::Item(kQuickButtonMenu, 0);
inline constexpr forms::ItemName kButton1SubMenu = forms::Item(kQuickButtonSubMenu, 0);
inline constexpr forms::ItemName kButton1Entry = forms::Item(kQuickButtonEntry, 0);
inline constexpr forms::ItemName kButton2Menu = forms::Item(kQuickButtonMenu, 1);
inline constexpr forms::ItemName kButton2SubMenu = forms::Item(kQuickButtonSubMenu, 1);
inline constexpr forms::ItemName kButton2Entry = forms::Item(kQuickButtonEntry, 1);
inline constexpr forms::ItemName kButton3Menu = forms::Item(kQuickButtonMenu, 2);
inline constexpr forms::ItemName kButton3SubMenu = forms::Item(kQuickButtonSubMenu, 2);
inline constexpr forms::ItemName kButton3Entry = forms::Item(kQuickButtonEntry, 2);
inline constexpr char kGraphExtent[] = "txtRadius";  // of circular openings, in radii
inline constexpr char kCreateFileAssociation[] = "cmdFileAssoc";
inline constexpr char kHelp[] = "Command3";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kOk[] = "Command2";
}  // namespace programoptions

// The program options: the language of menus and messages, the plot and
// print options, the tools of the toolbar's three quick buttons, and the
// registration of the project-file extension with the desktop. OK writes the
// options and saves the [BrantelOptions] section. English captions; the
// history lines follow the language.
class ProgramOptionsDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kQuickButtons = 3;

  explicit ProgramOptionsDialog(QWidget* owner = nullptr);

 protected:
  void LoadFromProject() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void OnLoad();
  // The lists of quick button `quickButton` (from 0): a menu chosen fills the
  // sub-menu list, or names the menu's entry when it has no sub-menu; an
  // entry chosen in the sub-menu list is named.
  void OnQuickButtonMenuChosen(int quickButton);
  void OnQuickButtonSubMenuChosen(int quickButton);
  void OnCreateFileAssociationClicked();

  struct QuickButton {
    QComboBox* menu;
    QComboBox* subMenu;
    QLabel* entry;  // the caption of the entry chosen
  };
  struct Ui {
    QTabWidget* tabs;
    QCheckBox* englishMenus;
    QCheckBox* alwaysShowMohr;
    QCheckBox* showInternalCoords;
    QCheckBox* printModuleHeader;
    QLineEdit* graphExtent;
    std::array<QuickButton, kQuickButtons> buttons;
  } ui_;
};

}  // namespace brantel
