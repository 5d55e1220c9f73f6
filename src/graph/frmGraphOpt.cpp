#include "graph/frmGraphOpt.h"

#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "graph/GraphBuffer.h"
#include "graph/GraphDrawing.h"
#include "graph/frmGraph.h"

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

frmGraphOpt::frmGraphOpt(frmGraph* graph) : forms::FormDialog(graph), graph_(graph) {
  setObjectName(QStringLiteral("frmGraphOpt"));
  layout_ = std::make_unique<forms::FormLayout>(this, kOptForm, kOptControls);
  layout_->SetCaptions(true);  // the dialog has English texts only
  option1_ = layout_->Options(u"Option1");
  text1_ = layout_->Require<QLineEdit>(u"Text1");
  text2_ = layout_->Require<QLineEdit>(u"Text2");
  text3_ = layout_->Require<QLineEdit>(u"Text3");
  combo1_ = layout_->Require<QComboBox>(u"Combo1");
  combo2_ = layout_->Require<QComboBox>(u"Combo2");
  check1_ = layout_->Require<QCheckBox>(u"Check1");
  label1_ = layout_->Require<QLabel>(u"Label1");
  hScroll1_ = layout_->Require<QScrollBar>(u"HScroll1");
  hScroll1_->setRange(3, 20);
  hScroll1_->setSingleStep(1);
  hScroll1_->setPageStep(5);

  connect(layout_->Require<QPushButton>(u"Command1"), &QPushButton::clicked, this,
          &frmGraphOpt::Command1_Click);
  connect(layout_->Require<QPushButton>(u"Command2"), &QPushButton::clicked, this,
          &frmGraphOpt::Command2_Click);
  connect(layout_->Require<QPushButton>(u"Command3"), &QPushButton::clicked, this,
          &frmGraphOpt::Command3_Click);
  Form_Load();
}

frmGraphOpt::~frmGraphOpt() = default;

void frmGraphOpt::Form_Load() {
  loading_ = true;
  MakeTypableList(combo1_, GridStyleItems());
  MakeTypableList(combo2_, GraphStyleItems());
  combo1_->setCurrentIndex(GraphSettings.GridStyle);
  combo2_->setCurrentIndex(GraphSettings.GraphStyle - 1);
  connect(combo1_, &QComboBox::editTextChanged, this, &frmGraphOpt::Combo1_Change);
  connect(combo2_, &QComboBox::editTextChanged, this, &frmGraphOpt::Combo2_Change);
  connect(combo2_, &QComboBox::currentIndexChanged, this, &frmGraphOpt::Combo2_Click);
  for (int i = option1_.LBound(); i <= option1_.UBound(); ++i) {
    connect(option1_.At(i), &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) Option1_Click(i);
    });
  }
  forms::SetArrayIndex(option1_, GraphSettingsValid);
  InitForm();
  accepted_ = false;
  loading_ = false;
  forms::CenterForm(this);
}

void frmGraphOpt::Option1_Click(int index) {
  if (index == 0) {
    GraphSettingsValid = 0;
    SetGraphParms();
    InitForm();
  }
  const bool editable = index != 0;
  for (QWidget* w : std::initializer_list<QWidget*>{text1_, text2_, text3_, combo1_, combo2_, check1_,
                                                    label1_, hScroll1_}) {
    w->setEnabled(editable);
  }
  EnableXTitle();
}

void frmGraphOpt::SetGraphParms() {
  if (GraphSettingsValid == 0) ResetGraphSettings();
}

void frmGraphOpt::InitForm() {
  text1_->setText(GraphSettings.GraphTitle);
  text2_->setText(GraphSettings.XTitles.value(0));
  text3_->setText(GraphSettings.YTitles.value(0));
  combo1_->setCurrentIndex(GraphSettings.GridStyle);
  combo2_->setCurrentIndex(GraphSettings.GraphStyle - 1);
  check1_->setChecked(GraphSettings.CurveLegend == 1);
  ShowSymbolSize();
  hScroll1_->setValue(GraphSettings.SymbolSize);
  EnableXTitle();
}

void frmGraphOpt::ShowSymbolSize() {
  const bool withSymbols = combo2_->currentIndex() >= 1;
  label1_->setVisible(withSymbols);
  hScroll1_->setVisible(withSymbols);
}

void frmGraphOpt::EnableXTitle() { text2_->setEnabled(true); }

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

void frmGraphOpt::Combo1_Change() { CheckComboEntry(combo1_); }

void frmGraphOpt::Combo2_Change() { CheckComboEntry(combo2_); }

void frmGraphOpt::Combo2_Click() { ShowSymbolSize(); }

bool frmGraphOpt::CheckOptions() { return true; }

void frmGraphOpt::Command1_Click() { Unload(); }

void frmGraphOpt::Command2_Click() {
  if (CheckOptions()) AcceptAndUnload();
}

void frmGraphOpt::Command3_Click() { ShowHelpHint(); }

void frmGraphOpt::FormUnload() {
  if (IsAccepted()) {
    GraphSettings.GraphTitle = text1_->text();
    for (QString& title : GraphSettings.XTitles) title = text2_->text();
    if (GraphSettings.XTitles.isEmpty()) GraphSettings.XTitles.append(text2_->text());
    if (GraphSettings.YTitles.isEmpty()) GraphSettings.YTitles.append(QString());
    GraphSettings.YTitles[0] = text3_->text();
    if (combo1_->currentIndex() >= 0) GraphSettings.GridStyle = static_cast<qint16>(combo1_->currentIndex());
    if (combo2_->currentIndex() >= 0) {
      GraphSettings.GraphStyle = static_cast<qint16>(combo2_->currentIndex() + 1);
    }
    GraphSettings.CurveLegend = check1_->isChecked() ? 1 : 0;
    GraphSettings.SymbolSize = static_cast<qint16>(hScroll1_->value());
    GraphSettingsValid = forms::GetArrayIndex(option1_);
    SaveSettings(5);
  }
  // After OK or Cancel alike, the chart shows the current settings.
  if (graph_) ApplyGraphSettings(graph_->Chart());
}

}  // namespace brantel
