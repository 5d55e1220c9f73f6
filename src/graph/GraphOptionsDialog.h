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
inline constexpr char kFormatMode[] = "Option1";
inline constexpr forms::ItemName kDefaultFormat = forms::Item(kFormatMode, 0);
inline constexpr forms::ItemName kLastFormat = forms::Item(kFormatMode, 1);
inline constexpr char kGraphTitle[] = "Text1";
inline constexpr char kXTitle[] = "Text2";
inline constexpr char kYTitle[] = "Text3";
inline constexpr char kGridStyle[] = "Combo1";
inline constexpr char kGraphStyle[] = "Combo2";
inline constexpr char kCurveLegend[] = "Check1";
inline constexpr char kSymbolLabel[] = "Label1";
inline constexpr char kSymbolSize[] = "HScroll1";
inline constexpr char kHelp[] = "Command3";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kOk[] = "Command2";
}  // namespace graphoptions

class GraphWindow;

// The format options of the graph options dialog: every graph starts from
// the default format, or keeps the format last used (GraphSettingsValid).
enum class GraphFormatMode { Default = 0, LastUsed = 1 };

// The graph options dialog: edits the current graph settings (header, axis
// titles, grid, graph style, legend, symbol size) and chooses between
// starting every time from the default format and keeping the format last
// used. When it closes, with OK or Cancel, it applies the current settings
// to the graph window's chart.
class GraphOptionsDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit GraphOptionsDialog(GraphWindow* graph);

  // Fills the controls from the current settings.
  void ShowCurrentSettings();
  // In the default format mode, resets the current settings to the defaults.
  void ResetSettingsInDefaultMode();

 protected:
  // OK accepts every state of the options (the default ValidateInput).
  void LoadFromProject() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void OnLoad();
  // The default format resets the settings to the defaults and locks the
  // controls; the format last used lets them be edited.
  void OnFormatModeChosen(GraphFormatMode mode);
  // A style typed into a list's box must be one of its items.
  void OnGridStyleEdited();
  void OnGraphStyleEdited();
  // The symbol size shows only for a style with symbols.
  void OnGraphStyleChosen();
  void ShowSymbolSize();
  void EnableXTitle();
  // A combo box's text that is no list item: the message, then the first item.
  void CheckComboEntry(QComboBox* combo);

  struct Ui {
    forms::ChoiceArray<GraphFormatMode> formatMode;
    QLineEdit* graphTitle;
    QLineEdit* xTitle;
    QLineEdit* yTitle;
    QComboBox* gridStyle;
    QComboBox* graphStyle;
    QCheckBox* curveLegend;
    QLabel* symbolLabel;
    QScrollBar* symbolSize;
  } ui_;
  QPointer<GraphWindow> graph_;
  bool checkingCombo_ = false;
};

}  // namespace brantel
