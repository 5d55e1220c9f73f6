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
    {.name = "lblText1", .kind = Kind::Label, .container = "Frame2", .at = {240, 375, 1335, 255}, .caption = {"Graph Title"}, .partner = graphoptions::kTitle},
    {.name = graphoptions::kTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 330, 4155, 285}},
    {.name = "lblText2", .kind = Kind::Label, .container = "Frame2", .at = {240, 780, 1335, 255}, .caption = {"X-axis Title"}, .partner = graphoptions::kXTitle},
    {.name = graphoptions::kXTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 735, 4155, 285}},
    {.name = "lblText3", .kind = Kind::Label, .container = "Frame2", .at = {240, 1185, 1335, 255}, .caption = {"Y-axis Title"}, .partner = graphoptions::kYTitle},
    {.name = graphoptions::kYTitle, .kind = Kind::TextBox, .container = "Frame2", .at = {1680, 1140, 4155, 285}},
    {.name = "lblCombo1", .kind = Kind::Label, .container = "Frame2", .at = {240, 1620, 1335, 255}, .caption = {"Grid Style"}, .partner = graphoptions::kGrid},
    {.name = graphoptions::kGrid, .kind = Kind::ComboBox, .container = "Frame2", .at = {1680, 1560, 2535, 315}},
    {.name = "lblCombo2", .kind = Kind::Label, .container = "Frame2", .at = {240, 2055, 1335, 255}, .caption = {"Graph Style"}, .partner = graphoptions::kStyle},
    {.name = graphoptions::kStyle, .kind = Kind::ComboBox, .container = "Frame2", .at = {1680, 1995, 2535, 315}},
    {.name = graphoptions::kLegend, .kind = Kind::CheckBox, .container = "Frame2", .at = {240, 2475, 2535, 255}, .caption = {"Curve Legend"}},
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

// A drop-down list whose text the user may also type into.
void MakeTypableList(QComboBox* combo, const QStringList& items) {
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setCompleter(nullptr);
  combo->addItems(items);
}

}  // namespace

GraphOptionsDialog::GraphOptionsDialog(GraphWindow* graph) : FormDialog(graph), graph_(graph) {
  setObjectName(QStringLiteral("frmGraphOpt"));
  Build(kOptForm, kOptControls);  // English only: the table has no Greek captions
  ui_.mode = Options(graphoptions::kMode);
  ui_.title = Require<QLineEdit>(graphoptions::kTitle);
  ui_.xTitle = Require<QLineEdit>(graphoptions::kXTitle);
  ui_.yTitle = Require<QLineEdit>(graphoptions::kYTitle);
  ui_.grid = Require<QComboBox>(graphoptions::kGrid);
  ui_.style = Require<QComboBox>(graphoptions::kStyle);
  ui_.legend = Require<QCheckBox>(graphoptions::kLegend);
  ui_.symbolLabel = Require<QLabel>(graphoptions::kSymbolLabel);
  ui_.symbolSize = Require<QScrollBar>(graphoptions::kSymbolSize);
  ui_.symbolSize->setRange(3, 20);
  ui_.symbolSize->setSingleStep(1);
  ui_.symbolSize->setPageStep(5);
  MakeTypableList(ui_.grid, GridStyleItems());
  MakeTypableList(ui_.style, GraphStyleItems());
  WireButtons(Require<QPushButton>(graphoptions::kOk), Require<QPushButton>(graphoptions::kCancel),
              Require<QPushButton>(graphoptions::kHelp));
  connect(ui_.grid, &QComboBox::editTextChanged, this, &GraphOptionsDialog::Combo1_Change);
  connect(ui_.style, &QComboBox::editTextChanged, this, &GraphOptionsDialog::Combo2_Change);
  connect(ui_.style, &QComboBox::currentIndexChanged, this, &GraphOptionsDialog::Combo2_Click);
  for (int i = ui_.mode.LBound(); i <= ui_.mode.UBound(); ++i) {
    connect(ui_.mode.At(i), &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Option1_Click(i);
    });
  }
  Form_Load();
}

void GraphOptionsDialog::Form_Load() {
  LoadInputs();
  forms::CenterForm(this);
}

void GraphOptionsDialog::LoadFromProject() {
  ui_.grid->setCurrentIndex(GraphSettings.GridStyle);
  ui_.style->setCurrentIndex(GraphSettings.GraphStyle - 1);
  forms::SetArrayIndex(ui_.mode, GraphSettingsValid);
  InitForm();
}

void GraphOptionsDialog::Option1_Click(int index) {
  if (index == 0) {
    GraphSettingsValid = 0;
    SetGraphParms();
    InitForm();
  }
  const bool editable = index != 0;
  for (QWidget* w : std::initializer_list<QWidget*>{ui_.title, ui_.xTitle, ui_.yTitle, ui_.grid, ui_.style, ui_.legend,
                                                    ui_.symbolLabel, ui_.symbolSize}) {
    w->setEnabled(editable);
  }
  EnableXTitle();
}

void GraphOptionsDialog::SetGraphParms() {
  if (GraphSettingsValid == 0) ResetGraphSettings();
}

void GraphOptionsDialog::InitForm() {
  ui_.title->setText(GraphSettings.GraphTitle);
  ui_.xTitle->setText(GraphSettings.XTitles.value(0));
  ui_.yTitle->setText(GraphSettings.YTitles.value(0));
  ui_.grid->setCurrentIndex(GraphSettings.GridStyle);
  ui_.style->setCurrentIndex(GraphSettings.GraphStyle - 1);
  ui_.legend->setChecked(GraphSettings.CurveLegend == 1);
  ShowSymbolSize();
  ui_.symbolSize->setValue(GraphSettings.SymbolSize);
  EnableXTitle();
}

void GraphOptionsDialog::ShowSymbolSize() {
  const bool withSymbols = ui_.style->currentIndex() >= 1;
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
  ShowMsg(QStringLiteral("Please select a valid entry"), mb::kOkOnly, QString());
  combo->setCurrentIndex(0);
  combo->setEditText(combo->itemText(0));
  checkingCombo_ = false;
}

void GraphOptionsDialog::Combo1_Change() { CheckComboEntry(ui_.grid); }

void GraphOptionsDialog::Combo2_Change() { CheckComboEntry(ui_.style); }

void GraphOptionsDialog::Combo2_Click() { ShowSymbolSize(); }

void GraphOptionsDialog::CommitToProject() {
  GraphSettings.GraphTitle = ui_.title->text();
  for (QString& title : GraphSettings.XTitles) title = ui_.xTitle->text();
  if (GraphSettings.XTitles.isEmpty()) GraphSettings.XTitles.append(ui_.xTitle->text());
  if (GraphSettings.YTitles.isEmpty()) GraphSettings.YTitles.append(QString());
  GraphSettings.YTitles[0] = ui_.yTitle->text();
  if (ui_.grid->currentIndex() >= 0) GraphSettings.GridStyle = static_cast<qint16>(ui_.grid->currentIndex());
  if (ui_.style->currentIndex() >= 0) {
    GraphSettings.GraphStyle = static_cast<qint16>(ui_.style->currentIndex() + 1);
  }
  GraphSettings.CurveLegend = ui_.legend->isChecked() ? 1 : 0;
  GraphSettings.SymbolSize = static_cast<qint16>(ui_.symbolSize->value());
  GraphSettingsValid = forms::GetArrayIndex(ui_.mode);
  SaveSettings(5);
}

void GraphOptionsDialog::FormUnload() {
  // After OK or Cancel alike, the chart shows the current settings.
  if (graph_) ApplyGraphSettings(graph_->Chart());
}

}  // namespace brantel
