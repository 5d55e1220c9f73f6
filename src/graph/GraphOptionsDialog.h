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

// The design names of the graph options dialog's controls, for its code and
// its tests.
namespace graphoptions {
inline constexpr char kMode[] = "Option1";
inline constexpr forms::ItemName kDefaultFormat = forms::Item(kMode, 0);
inline constexpr forms::ItemName kLastFormat = forms::Item(kMode, 1);  // the format last used
inline constexpr char kTitle[] = "Text1";
inline constexpr char kXTitle[] = "Text2";
inline constexpr char kYTitle[] = "Text3";
inline constexpr char kGrid[] = "Combo1";   // grid style
inline constexpr char kStyle[] = "Combo2";  // graph style
inline constexpr char kLegend[] = "Check1";
inline constexpr char kSymbolLabel[] = "Label1";
inline constexpr char kSymbolSize[] = "HScroll1";
inline constexpr char kHelp[] = "Command3";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kOk[] = "Command2";
}  // namespace graphoptions

class GraphWindow;

// The graph options dialog: edits the current graph settings (header, axis
// titles, grid, graph style, legend, symbol size) and chooses between
// starting every time from the default format (mode 0) and keeping the
// format last used (mode 1). When it closes, with OK or Cancel, it applies
// the current settings to the graph window's chart.
class GraphOptionsDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit GraphOptionsDialog(GraphWindow* graph);

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
    forms::OptionArray mode;  // 0 default format, 1 format last used
    QLineEdit* title;
    QLineEdit* xTitle;
    QLineEdit* yTitle;
    QComboBox* grid;
    QComboBox* style;
    QCheckBox* legend;
    QLabel* symbolLabel;
    QScrollBar* symbolSize;
  } ui_;
  QPointer<GraphWindow> graph_;
  bool checkingCombo_ = false;
};

}  // namespace brantel
