#pragma once

#include "forms/FormDialog.h"

#include <QPointer>

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

  // Fills the controls from the current settings.
  void InitForm();
  // In mode 0, resets the current settings to the defaults.
  void SetGraphParms();

 protected:
  // OK accepts every state of the options (the default ValidateInput).
  void LoadFromProject() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void Form_Load();
  void Option1_Click(int index);
  void Combo1_Change();
  void Combo2_Change();
  void Combo2_Click();
  void ShowSymbolSize();
  void EnableXTitle();
  // A combo box's text that is no list item: the message, then the first item.
  void CheckComboEntry(QComboBox* combo);

  struct Ui {
    forms::OptionArray mode;  // Option1: 0 default format, 1 format last used
    QLineEdit* title;         // Text1
    QLineEdit* xTitle;        // Text2
    QLineEdit* yTitle;        // Text3
    QComboBox* grid;          // Combo1
    QComboBox* style;         // Combo2
    QCheckBox* legend;        // Check1
    QLabel* symbolLabel;      // Label1
    QScrollBar* symbolSize;   // HScroll1
  } ui_;
  QPointer<frmGraph> graph_;
  bool checkingCombo_ = false;
};

}  // namespace brantel
