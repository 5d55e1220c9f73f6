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

constexpr forms::FormDesign kOptForm{6255, 5340, "Graph Parameters and Options"};

constexpr ControlRow kOptControls[] = {
    {"Frame1", Kind::Frame, nullptr, 120, 120, 6015, 945, "Options"},
    {"Option1(0)", Kind::Option, "Frame1", 240, 300, 4695, 255, "Set Default Format Parameters"},
    {"Option1(1)", Kind::Option, "Frame1", 240, 600, 4695, 255, "Set Format Parameters to Last Used"},
    {"Frame2", Kind::Frame, nullptr, 120, 1185, 6015, 3465, "Basic Formatting Parameters"},
    {"lblText1", Kind::Label, "Frame2", 240, 375, 1335, 255, "Graph Title", nullptr, "Text1"},
    {"Text1", Kind::TextBox, "Frame2", 1680, 330, 4155, 285},
    {"lblText2", Kind::Label, "Frame2", 240, 780, 1335, 255, "X-axis Title", nullptr, "Text2"},
    {"Text2", Kind::TextBox, "Frame2", 1680, 735, 4155, 285},
    {"lblText3", Kind::Label, "Frame2", 240, 1185, 1335, 255, "Y-axis Title", nullptr, "Text3"},
    {"Text3", Kind::TextBox, "Frame2", 1680, 1140, 4155, 285},
    {"lblCombo1", Kind::Label, "Frame2", 240, 1620, 1335, 255, "Grid Style", nullptr, "Combo1"},
    {"Combo1", Kind::ComboBox, "Frame2", 1680, 1560, 2535, 315},
    {"lblCombo2", Kind::Label, "Frame2", 240, 2055, 1335, 255, "Graph Style", nullptr, "Combo2"},
    {"Combo2", Kind::ComboBox, "Frame2", 1680, 1995, 2535, 315},
    {"Check1", Kind::CheckBox, "Frame2", 240, 2475, 2535, 255, "Curve Legend"},
    {"Label1", Kind::Label, "Frame2", 240, 2925, 1335, 255, "Symbol Size", nullptr, "HScroll1"},
    {"HScroll1", Kind::HScroll, "Frame2", 1680, 2910, 2535, 255},
    {"Command3", Kind::Button, nullptr, 2280, 4830, 1215, 375, "Help"},
    {"Command1", Kind::Button, nullptr, 3600, 4830, 1215, 375, "Cancel"},
    {"Command2", Kind::Button, nullptr, 4920, 4830, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

const QStringList& GridStyleItems() {
  static const QStringList items{QStringLiteral("None"), QStringLiteral("Horizontal"),
                                 QStringLiteral("Vertical"), QStringLiteral("Horizontal & Vertical")};
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

frmGraphOpt::frmGraphOpt(frmGraph* graph) : FormDialog(graph), graph_(graph) {
  setObjectName(QStringLiteral("frmGraphOpt"));
  Build(kOptForm, kOptControls);  // English only: the table has no Greek captions
  ui_.mode = Options(u"Option1");
  ui_.title = Require<QLineEdit>(u"Text1");
  ui_.xTitle = Require<QLineEdit>(u"Text2");
  ui_.yTitle = Require<QLineEdit>(u"Text3");
  ui_.grid = Require<QComboBox>(u"Combo1");
  ui_.style = Require<QComboBox>(u"Combo2");
  ui_.legend = Require<QCheckBox>(u"Check1");
  ui_.symbolLabel = Require<QLabel>(u"Label1");
  ui_.symbolSize = Require<QScrollBar>(u"HScroll1");
  ui_.symbolSize->setRange(3, 20);
  ui_.symbolSize->setSingleStep(1);
  ui_.symbolSize->setPageStep(5);
  MakeTypableList(ui_.grid, GridStyleItems());
  MakeTypableList(ui_.style, GraphStyleItems());
  WireButtons(Require<QPushButton>(u"Command2"), Require<QPushButton>(u"Command1"),
              Require<QPushButton>(u"Command3"));
  connect(ui_.grid, &QComboBox::editTextChanged, this, &frmGraphOpt::Combo1_Change);
  connect(ui_.style, &QComboBox::editTextChanged, this, &frmGraphOpt::Combo2_Change);
  connect(ui_.style, &QComboBox::currentIndexChanged, this, &frmGraphOpt::Combo2_Click);
  for (int i = ui_.mode.LBound(); i <= ui_.mode.UBound(); ++i) {
    connect(ui_.mode.At(i), &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Option1_Click(i);
    });
  }
  Form_Load();
}

void frmGraphOpt::Form_Load() {
  LoadInputs();
  forms::CenterForm(this);
}

void frmGraphOpt::LoadFromProject() {
  ui_.grid->setCurrentIndex(GraphSettings.GridStyle);
  ui_.style->setCurrentIndex(GraphSettings.GraphStyle - 1);
  forms::SetArrayIndex(ui_.mode, GraphSettingsValid);
  InitForm();
}

void frmGraphOpt::Option1_Click(int index) {
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

void frmGraphOpt::SetGraphParms() {
  if (GraphSettingsValid == 0) ResetGraphSettings();
}

void frmGraphOpt::InitForm() {
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

void frmGraphOpt::ShowSymbolSize() {
  const bool withSymbols = ui_.style->currentIndex() >= 1;
  ui_.symbolLabel->setVisible(withSymbols);
  ui_.symbolSize->setVisible(withSymbols);
}

void frmGraphOpt::EnableXTitle() { ui_.xTitle->setEnabled(true); }

void frmGraphOpt::CheckComboEntry(QComboBox* combo) {
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

void frmGraphOpt::Combo1_Change() { CheckComboEntry(ui_.grid); }

void frmGraphOpt::Combo2_Change() { CheckComboEntry(ui_.style); }

void frmGraphOpt::Combo2_Click() { ShowSymbolSize(); }

void frmGraphOpt::CommitToProject() {
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

void frmGraphOpt::FormUnload() {
  // After OK or Cancel alike, the chart shows the current settings.
  if (graph_) ApplyGraphSettings(graph_->Chart());
}

}  // namespace brantel
