#pragma once

#include "core/UnitConversion.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

#include <array>
#include <vector>

class QLineEdit;
class QTabWidget;

namespace brantel {

// The unit converter: a value of length, force, force per length, stress or
// stress gradient, in the unit picked on its tab, shown at once in every
// unit of that tab. It reads and writes neither the project nor the
// settings; the mechanics are in core/UnitConversion.h. English only.
class frmUnits : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmUnits(QWidget* owner = nullptr);

 private:
  void Form_Load();
  void Form_Activate();
  void SSTab1_Click();
  // The Change handler of a tab's input box (txtLength_Change, txtLoad_Change,
  // ...), also run when the tab's unit changes.
  void Input_Change(int tab);

  struct Tab {
    QLineEdit* input;                // txtLength, txtLoad, txtLoadGrad, txtStress, txtStressGrad
    forms::OptionArray units;        // Option2, Option5, Option4, Option1, Option3
    std::vector<QLineEdit*> readouts;
  };
  struct Ui {
    QTabWidget* tabs;  // SSTab1
    std::array<Tab, kUnitTabCount> tab;
  } ui_;

  bool activating_ = false;
};

}  // namespace brantel
