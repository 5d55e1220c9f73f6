#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"

#include <QPointer>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace brantel {

class frmGraph;

// The graph options dialog: edits the current graph settings (header, axis
// titles, grid, graph style, legend, symbol size) and chooses between
// starting every time from the default format (mode 0) and keeping the
// format last used (mode 1). When it closes, with OK or Cancel, it applies
// the current settings to the graph window's chart.
class frmGraphOpt : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmGraphOpt(frmGraph* graph);
  ~frmGraphOpt() override;

  // Fills the controls from the current settings.
  void InitForm();
  // In mode 0, resets the current settings to the defaults.
  void SetGraphParms();

  void Command1_Click();  // Cancel
  void Command2_Click();  // OK
  void Command3_Click();  // Help

  const forms::FormLayout& Layout() const { return *layout_; }

 protected:
  void FormUnload() override;

 private:
  void Form_Load();
  void Option1_Click(int index);
  void Combo1_Change();
  void Combo2_Change();
  void Combo2_Click();
  bool CheckOptions();
  void ShowSymbolSize();
  void EnableXTitle();
  // A combo box's text that is no list item: the message, then the first item.
  void CheckComboEntry(QComboBox* combo);

  QPointer<frmGraph> graph_;
  std::unique_ptr<forms::FormLayout> layout_;
  forms::OptionArray option1_;
  QLineEdit* text1_ = nullptr;
  QLineEdit* text2_ = nullptr;
  QLineEdit* text3_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QComboBox* combo2_ = nullptr;
  QCheckBox* check1_ = nullptr;
  QLabel* label1_ = nullptr;
  QScrollBar* hScroll1_ = nullptr;
  bool checkingCombo_ = false;
};

}  // namespace brantel
