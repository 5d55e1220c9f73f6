#pragma once

#include "forms/FormDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace brantel {

// The program options: the language of menus and messages, the plot and
// print options, the tools of the toolbar's three quick buttons, and the
// registration of the project-file extension with the desktop. OK writes the
// options and saves the [BrantelOptions] section. English captions; the
// history lines follow the language.
class frmBrantelOpts : public forms::FormDialog {
  Q_OBJECT

 public:
  static constexpr int kQuickButtons = 3;

  explicit frmBrantelOpts(QWidget* owner = nullptr);

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
    QComboBox* menu;     // Combo1(i)
    QComboBox* subMenu;  // Combo2(i)
    QLabel* entry;       // lblMenu(i): the caption of the entry chosen
  };
  struct Ui {
    QTabWidget* tabs;         // SSTab1
    QCheckBox* english;       // Check1
    QCheckBox* mohr;          // Check2
    QCheckBox* internal;      // Check3
    QCheckBox* printHeader;   // Check6
    QLineEdit* radius;        // txtRadius
    std::array<QuickButton, kQuickButtons> buttons;
  } ui_;
};

}  // namespace brantel
