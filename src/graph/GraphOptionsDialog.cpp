#include "graph/GraphOptionsDialog.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "core/graph/GraphBuffer.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr forms::FormDesign kOptForm{
    .name = "frmGraphOpt", .width = 6255, .height = 5340, .caption = {"Graph Parameters and Options"}};

// clang-format off
constexpr ControlRow kOptControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 6015, 945}, .caption = {"Options"}},
    {.name = graphoptions::kDefaultFormat, .kind = Kind::Option, .container = "Frame1", .at = {240, 300, 4695, 255}, .caption = {"Set Default Format Parameters"}},
    {.name = graphoptions::kLastFormat, .kind = Kind::Option, .container = "Frame1", .at = {240, 600, 4695, 255}, .caption = {"Set Format Parameters to Last Used"}},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1185, 6015, 3465}, .caption = {"Basic Formatting Parameters"}},
    {.name = "lblText1", .kind = Kind::Label, .container = "Frame2", .at = {240, 375, 1335, 255}, .caption = {"Graph Title"}, .partner = graphoptions::kGraphTitle},
    {.name = graphoptions::kGraphTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 330, 4155, 285}},
    {.name = "lblText2", .kind = Kind::Label, .container = "Frame2", .at = {240, 780, 1335, 255}, .caption = {"X-axis Title"}, .partner = graphoptions::kXTitle},
    {.name = graphoptions::kXTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 735, 4155, 285}},
    {.name = "lblText3", .kind = Kind::Label, .container = "Frame2", .at = {240, 1185, 1335, 255}, .caption = {"Y-axis Title"}, .partner = graphoptions::kYTitle},
    {.name = graphoptions::kYTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 1140, 4155, 285}},
    {.name = "lblCombo1", .kind = Kind::Label, .container = "Frame2", .at = {240, 1620, 1335, 255}, .caption = {"Grid Style"}, .partner = graphoptions::kGridStyle},
    {.name = graphoptions::kGridStyle, .kind = Kind::ComboBox, .container = "Frame2", .at = {1680, 1560, 2535, 315}},
    {.name = "lblCombo2", .kind = Kind::Label, .container = "Frame2", .at = {240, 2055, 1335, 255}, .caption = {"Graph Style"}, .partner = graphoptions::kGraphStyle},
    {.name = graphoptions::kGraphStyle, .kind = Kind::ComboBox, .container = "Frame2", .at = {1680, 1995, 2535, 315}},
    {.name = graphoptions::kCurveLegend, .kind = Kind::CheckBox, .container = "Frame2", .at = {240, 2475, 2535, 255}, .caption = {"Curve Legend"}},
    {.name = graphoptions::kSymbolLabel, .kind = Kind::Label, .container = "Frame2", .at = {240, 2925, 1335, 255}, .caption = {"Symbol Size"}, .partner = graphoptions::kSymbolSize},
    {.name = graphoptions::kSymbolSize, .kind = Kind::HScroll, .container = "Frame2", .at = {1680, 2910, 2535, 255}},
    {.name = graphoptions::kHelp, .kind = Kind::Button, .at = {2280, 4830, 1215, 375}, .caption = {"Help"}},
    {.name = graphoptions::kCancel, .kind = Kind::Button, .at = {3600, 4830, 1215, 375}, .caption = {"Cancel"}},
    {.name = graphoptions::kOk, .kind = Kind::Button, .at = {4920, 4830, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

const QStringList& GridStyleItems() {
  static const QStringList items{QStringLiteral("None"), QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                 QStringLiteral("Horizontal & Vertical")};
  return items;
}

const QStringList& GraphStyleItems() {
  static const QStringList items{QStringLiteral("Lines Only"), QStringLiteral("Symbols Only"),
                                 QStringLiteral("Lines & Symbols")};
  return items;
}

// The places of the styles in their lists: the grid lines from None, the
// curve styles from Lines.
int ItemOf(GridLines grid) { return static_cast<int>(grid); }
int ItemOf(CurveStyle style) { return static_cast<int>(style) - 1; }
GridLines GridLinesAt(int item) { return static_cast<GridLines>(item); }
CurveStyle CurveStyleAt(int item) { return static_cast<CurveStyle>(item + 1); }

// A drop-down list whose text the user may also type into.
void MakeTypableList(QComboBox* combo, const QStringList& items) {
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->addItems(items);
}

}  // namespace

GraphOptionsDialog::GraphOptionsDialog(GraphWindow* graph) : FormDialog(graph), graph_(graph) {
  Build(kOptForm, kOptControls);  // English only: the table has no Greek captions
  ui_.formatMode = {Options(graphoptions::kFormatMode)};
  ui_.graphTitle = Require<QLineEdit>(graphoptions::kGraphTitle);
  ui_.xTitle = Require<QLineEdit>(graphoptions::kXTitle);
  ui_.yTitle = Require<QLineEdit>(graphoptions::kYTitle);
  ui_.gridStyle = Require<QComboBox>(graphoptions::kGridStyle);
  ui_.graphStyle = Require<QComboBox>(graphoptions::kGraphStyle);
  ui_.curveLegend = Require<QCheckBox>(graphoptions::kCurveLegend);
  ui_.symbolLabel = Require<QLabel>(graphoptions::kSymbolLabel);
  ui_.symbolSize = Require<QScrollBar>(graphoptions::kSymbolSize);
  ui_.symbolSize->setRange(3, 20);
  ui_.symbolSize->setSingleStep(1);
  ui_.symbolSize->setPageStep(5);
  MakeTypableList(ui_.gridStyle, GridStyleItems());
  MakeTypableList(ui_.graphStyle, GraphStyleItems());
  WireButtons(Require<QPushButton>(graphoptions::kOk), Require<QPushButton>(graphoptions::kCancel),
              Require<QPushButton>(graphoptions::kHelp));
  connect(ui_.gridStyle, &QComboBox::editTextChanged, this, &GraphOptionsDialog::OnGridStyleEdited);
  connect(ui_.graphStyle, &QComboBox::editTextChanged, this, &GraphOptionsDialog::OnGraphStyleEdited);
  connect(ui_.graphStyle, &QComboBox::currentIndexChanged, this, &GraphOptionsDialog::OnGraphStyleChosen);
  for (const GraphFormatMode mode : {GraphFormatMode::Default, GraphFormatMode::LastUsed}) {
    connect(ui_.formatMode.OptionOf(mode), &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) OnFormatModeChosen(mode);
    });
  }
  OnLoad();
}

void GraphOptionsDialog::OnLoad() {
  LoadInputs();
  forms::CenterForm(this);
}

void GraphOptionsDialog::LoadFromProject() {
  ui_.gridStyle->setCurrentIndex(ItemOf(GraphSettings.GridStyle));
  ui_.graphStyle->setCurrentIndex(ItemOf(GraphSettings.GraphStyle));
  ui_.formatMode.Choose(GraphSettingsValid ? GraphFormatMode::LastUsed : GraphFormatMode::Default);
  ShowCurrentSettings();
}

void GraphOptionsDialog::OnFormatModeChosen(GraphFormatMode mode) {
  if (mode == GraphFormatMode::Default) {
    GraphSettingsValid = false;
    ResetSettingsInDefaultMode();
    ShowCurrentSettings();
  }
  const bool editable = mode == GraphFormatMode::LastUsed;
  for (QWidget* w : std::initializer_list<QWidget*>{ui_.graphTitle, ui_.xTitle, ui_.yTitle, ui_.gridStyle,
                                                    ui_.graphStyle, ui_.curveLegend, ui_.symbolLabel, ui_.symbolSize}) {
    w->setEnabled(editable);
  }
  EnableXTitle();
}

void GraphOptionsDialog::ResetSettingsInDefaultMode() {
  if (!GraphSettingsValid) ResetGraphSettings();
}

void GraphOptionsDialog::ShowCurrentSettings() {
  ui_.graphTitle->setText(GraphSettings.GraphTitle);
  ui_.xTitle->setText(GraphSettings.XTitles.value(0));
  ui_.yTitle->setText(GraphSettings.YTitles.value(0));
  ui_.gridStyle->setCurrentIndex(ItemOf(GraphSettings.GridStyle));
  ui_.graphStyle->setCurrentIndex(ItemOf(GraphSettings.GraphStyle));
  ui_.curveLegend->setChecked(GraphSettings.CurveLegend);
  ShowSymbolSize();
  ui_.symbolSize->setValue(GraphSettings.SymbolSize);
  EnableXTitle();
}

void GraphOptionsDialog::ShowSymbolSize() {
  const int item = ui_.graphStyle->currentIndex();
  const bool withSymbols = item >= 0 && StyleHasSymbols(CurveStyleAt(item));
  ui_.symbolLabel->setVisible(withSymbols);
  ui_.symbolSize->setVisible(withSymbols);
}

void GraphOptionsDialog::EnableXTitle() { ui_.xTitle->setEnabled(true); }

void GraphOptionsDialog::CheckComboEntry(QComboBox* combo) {
  if (checkingCombo_) return;
  const int item = combo->findText(combo->currentText(), Qt::MatchExactly);
  if (item >= 0) {
    if (combo->currentIndex() != item) combo->setCurrentIndex(item);
    return;
  }
  // Putting the first item back changes the text once more; that change is
  // ours and is not checked again.
  checkingCombo_ = true;
  ShowMsg(QStringLiteral("Please select a valid entry"), Buttons::Ok, QString());
  combo->setCurrentIndex(0);
  combo->setEditText(combo->itemText(0));
  checkingCombo_ = false;
}

void GraphOptionsDialog::OnGridStyleEdited() { CheckComboEntry(ui_.gridStyle); }

void GraphOptionsDialog::OnGraphStyleEdited() { CheckComboEntry(ui_.graphStyle); }

void GraphOptionsDialog::OnGraphStyleChosen() { ShowSymbolSize(); }

void GraphOptionsDialog::CommitToProject() {
  GraphSettings.GraphTitle = ui_.graphTitle->text();
  for (QString& title : GraphSettings.XTitles) title = ui_.xTitle->text();
  if (GraphSettings.XTitles.isEmpty()) GraphSettings.XTitles.append(ui_.xTitle->text());
  if (GraphSettings.YTitles.isEmpty()) GraphSettings.YTitles.append(QString());
  GraphSettings.YTitles[0] = ui_.yTitle->text();
  if (ui_.gridStyle->currentIndex() >= 0) GraphSettings.GridStyle = GridLinesAt(ui_.gridStyle->currentIndex());
  if (ui_.graphStyle->currentIndex() >= 0) {
    GraphSettings.GraphStyle = CurveStyleAt(ui_.graphStyle->currentIndex());
  }
  GraphSettings.CurveLegend = ui_.curveLegend->isChecked();
  GraphSettings.SymbolSize = ui_.symbolSize->value();
  GraphSettingsValid = ui_.formatMode.Chosen() == GraphFormatMode::LastUsed;
  // The graph options are not kept in the settings file: the save logs its
  // line, as every save does, and writes nothing.
  SaveSettings(SettingsPart::Nothing);
}

void GraphOptionsDialog::FormUnload() {
  // After OK or Cancel alike, the chart shows the current settings.
  if (graph_) ApplyGraphSettings(graph_->Chart());
}

}  // namespace brantel
