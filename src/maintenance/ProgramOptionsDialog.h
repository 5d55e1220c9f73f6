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
// tests. The quick button i (from 0) has the lists Item(kMenu, i) and
// Item(kSubMenu, i) and shows its entry in Item(kEntry, i).
namespace programoptions {
inline constexpr char kTabs[] = "SSTab1";
inline constexpr char kEnglish[] = "Check1";         // English menus
inline constexpr char kMohr[] = "Check2";            // always show Mohr's circle
inline constexpr char kInternalCoords[] = "Check3";  // internal coordinates in graphs
inline constexpr char kPrintHeader[] = "Check6";     // print module version information
inline constexpr char kMenu[] = "Combo1";            // a quick button's input menu
inline constexpr char kSubMenu[] = "Combo2";         // a quick button's input sub-menu
inline constexpr char kEntry[] = "lblMenu";          // the caption of the entry chosen
inline constexpr forms::ItemName kButton1Menu = forms::Item(kMenu, 0);
inline constexpr forms::ItemName kButton1SubMenu = forms::Item(kSubMenu, 0);
inline constexpr forms::ItemName kButton1Entry = forms::Item(kEntry, 0);
inline constexpr forms::ItemName kButton2Menu = forms::Item(kMenu, 1);
inline constexpr forms::ItemName kButton2SubMenu = forms::Item(kSubMenu, 1);
inline constexpr forms::ItemName kButton2Entry = forms::Item(kEntry, 1);
inline constexpr forms::ItemName kButton3Menu = forms::Item(kMenu, 2);
inline constexpr forms::ItemName kButton3SubMenu = forms::Item(kSubMenu, 2);
inline constexpr forms::ItemName kButton3Entry = forms::Item(kEntry, 2);
inline constexpr char kRadius[] = "txtRadius";  // graph extent of circular openings, in radii
inline constexpr char kFileAssoc[] = "cmdFileAssoc";
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
  void Form_Load();
  void Combo1_Click(int index);
  void Combo2_Click(int index);
  void cmdFileAssoc_Click();

  struct QuickButton {
    QComboBox* menu;
    QComboBox* subMenu;
    QLabel* entry;  // the caption of the entry chosen
  };
  struct Ui {
    QTabWidget* tabs;
    QCheckBox* english;
    QCheckBox* mohr;
    QCheckBox* internal;
    QCheckBox* printHeader;
    QLineEdit* radius;
    std::array<QuickButton, kQuickButtons> buttons;
  } ui_;
};

}  // namespace brantel
