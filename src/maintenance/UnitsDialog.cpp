#include "maintenance/UnitsDialog.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "forms/FormInputs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <initializer_list>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
constexpr int kInputLength = 40;

constexpr forms::FormDesign kForm{5400, 4440, "Unit Conversions"};

constexpr ControlRow kControls[] = {
    {"SSTab1", Kind::TabStrip, nullptr, 120, 120, 5160, 3600},
    {"SSTab1(0)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Length"},
    {"SSTab1(1)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Load"},
    {"SSTab1(2)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Load Grad"},
    {"SSTab1(3)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Stress"},
    {"SSTab1(4)", Kind::TabPage, "SSTab1", 0, 0, 0, 0, "Stress Grad"},
    // Length: the value, its unit and the value in every unit.
    {"Frame1", Kind::Frame, "SSTab1(0)", 240, 480, 4680, 2880, "Length units"},
    {"txtLength", Kind::TextBox, "Frame1", 240, 330, 1680, 285, "Length", nullptr, nullptr, 0, kInputLength},
    {"Option2(0)", Kind::Option, "Frame1", 240, 780, 1680, 255, "in"},
    {"Text7", Kind::TextBox, "Frame1", 2040, 765, 2400, 285, "in", nullptr, nullptr, kResult},
    {"Option2(1)", Kind::Option, "Frame1", 240, 1170, 1680, 255, "ft"},
    {"Text8", Kind::TextBox, "Frame1", 2040, 1155, 2400, 285, "ft", nullptr, nullptr, kResult},
    {"Option2(2)", Kind::Option, "Frame1", 240, 1560, 1680, 255, "cm"},
    {"Text9", Kind::TextBox, "Frame1", 2040, 1545, 2400, 285, "cm", nullptr, nullptr, kResult},
    {"Option2(3)", Kind::Option, "Frame1", 240, 1950, 1680, 255, "m"},
    {"Text10", Kind::TextBox, "Frame1", 2040, 1935, 2400, 285, "m", nullptr, nullptr, kResult},
    // Load: the value, its unit and the value in every unit.
    {"Frame2", Kind::Frame, "SSTab1(1)", 240, 480, 4680, 2880, "Load units"},
    {"txtLoad", Kind::TextBox, "Frame2", 240, 330, 1680, 285, "Load", nullptr, nullptr, 0, kInputLength},
    {"Option5(0)", Kind::Option, "Frame2", 240, 780, 1680, 255, "lbsF"},
    {"Text21", Kind::TextBox, "Frame2", 2040, 765, 2400, 285, "lbsF", nullptr, nullptr, kResult},
    {"Option5(1)", Kind::Option, "Frame2", 240, 1170, 1680, 255, "tonsF (short)"},
    {"Text22", Kind::TextBox, "Frame2", 2040, 1155, 2400, 285, "tonsF (short)", nullptr, nullptr, kResult},
    {"Option5(2)", Kind::Option, "Frame2", 240, 1560, 1680, 255, "kN"},
    {"Text23", Kind::TextBox, "Frame2", 2040, 1545, 2400, 285, "kN", nullptr, nullptr, kResult},
    {"Option5(3)", Kind::Option, "Frame2", 240, 1950, 1680, 255, "MN"},
    {"Text24", Kind::TextBox, "Frame2", 2040, 1935, 2400, 285, "MN", nullptr, nullptr, kResult},
    {"Option5(4)", Kind::Option, "Frame2", 240, 2340, 1680, 255, "kips"},
    {"Text25", Kind::TextBox, "Frame2", 2040, 2325, 2400, 285, "kips", nullptr, nullptr, kResult},
    // Load Grad: the value, its unit and the value in every unit.
    {"Frame3", Kind::Frame, "SSTab1(2)", 240, 480, 4680, 2880, "Load gradient units"},
    {"txtLoadGrad", Kind::TextBox, "Frame3", 240, 330, 1680, 285, "Load Grad", nullptr, nullptr, 0, kInputLength},
    {"Option4(0)", Kind::Option, "Frame3", 240, 780, 1680, 255, "lbsF/in"},
    {"Text17", Kind::TextBox, "Frame3", 2040, 765, 2400, 285, "lbsF/in", nullptr, nullptr, kResult},
    {"Option4(1)", Kind::Option, "Frame3", 240, 1170, 1680, 255, "lbsF/ft"},
    {"Text18", Kind::TextBox, "Frame3", 2040, 1155, 2400, 285, "lbsF/ft", nullptr, nullptr, kResult},
    {"Option4(2)", Kind::Option, "Frame3", 240, 1560, 1680, 255, "kN/m"},
    {"Text19", Kind::TextBox, "Frame3", 2040, 1545, 2400, 285, "kN/m", nullptr, nullptr, kResult},
    {"Option4(3)", Kind::Option, "Frame3", 240, 1950, 1680, 255, "MN/m"},
    {"Text20", Kind::TextBox, "Frame3", 2040, 1935, 2400, 285, "MN/m", nullptr, nullptr, kResult},
    // Stress: the value, its unit and the value in every unit.
    {"Frame4", Kind::Frame, "SSTab1(3)", 240, 480, 4680, 2880, "Pressure/stress units"},
    {"txtStress", Kind::TextBox, "Frame4", 240, 330, 1680, 285, "Stress", nullptr, nullptr, 0, kInputLength},
    {"Option1(0)", Kind::Option, "Frame4", 240, 780, 1680, 255, "psi"},
    {"Text2", Kind::TextBox, "Frame4", 2040, 765, 2400, 285, "psi", nullptr, nullptr, kResult},
    {"Option1(1)", Kind::Option, "Frame4", 240, 1170, 1680, 255, "ksi"},
    {"Text3", Kind::TextBox, "Frame4", 2040, 1155, 2400, 285, "ksi", nullptr, nullptr, kResult},
    {"Option1(2)", Kind::Option, "Frame4", 240, 1560, 1680, 255, "psf"},
    {"Text4", Kind::TextBox, "Frame4", 2040, 1545, 2400, 285, "psf", nullptr, nullptr, kResult},
    {"Option1(3)", Kind::Option, "Frame4", 240, 1950, 1680, 255, "Pa"},
    {"Text5", Kind::TextBox, "Frame4", 2040, 1935, 2400, 285, "Pa", nullptr, nullptr, kResult},
    {"Option1(4)", Kind::Option, "Frame4", 240, 2340, 1680, 255, "MPa"},
    {"Text6", Kind::TextBox, "Frame4", 2040, 2325, 2400, 285, "MPa", nullptr, nullptr, kResult},
    // Stress Grad: the value, its unit and the value in every unit.
    {"Frame5", Kind::Frame, "SSTab1(4)", 240, 480, 4680, 2880, "Pressure/stress gradient units"},
    {"txtStressGrad", Kind::TextBox, "Frame5", 240, 330, 1680, 285, "Stress Grad", nullptr, nullptr, 0, kInputLength},
    {"Option3(0)", Kind::Option, "Frame5", 240, 780, 1680, 255, "psi/in"},
    {"Text12", Kind::TextBox, "Frame5", 2040, 765, 2400, 285, "psi/in", nullptr, nullptr, kResult},
    {"Option3(1)", Kind::Option, "Frame5", 240, 1170, 1680, 255, "psi/ft"},
    {"Text13", Kind::TextBox, "Frame5", 2040, 1155, 2400, 285, "psi/ft", nullptr, nullptr, kResult},
    {"Option3(2)", Kind::Option, "Frame5", 240, 1560, 1680, 255, "Pa/m"},
    {"Text14", Kind::TextBox, "Frame5", 2040, 1545, 2400, 285, "Pa/m", nullptr, nullptr, kResult},
    {"Option3(3)", Kind::Option, "Frame5", 240, 1950, 1680, 255, "MPa/m"},
    {"Text15", Kind::TextBox, "Frame5", 2040, 1935, 2400, 285, "MPa/m", nullptr, nullptr, kResult},
    // Buttons.
    {"Command3", Kind::Button, nullptr, 2640, 3900, 1215, 375, "Help"},
    {"Command1", Kind::Button, nullptr, 4020, 3900, 1215, 375, "OK", nullptr, nullptr, forms::kDefault},
};

// The design names of each tab's input box, unit options and read-outs.
struct TabNames {
  const char16_t* input;
  const char16_t* units;
  std::initializer_list<const char16_t*> readouts;
};
const TabNames kTabNames[kUnitTabCount] = {
    {u"txtLength", u"Option2", {u"Text7", u"Text8", u"Text9", u"Text10"}},
    {u"txtLoad", u"Option5", {u"Text21", u"Text22", u"Text23", u"Text24", u"Text25"}},
    {u"txtLoadGrad", u"Option4", {u"Text17", u"Text18", u"Text19", u"Text20"}},
    {u"txtStress", u"Option1", {u"Text2", u"Text3", u"Text4", u"Text5", u"Text6"}},
    {u"txtStressGrad", u"Option3", {u"Text12", u"Text13", u"Text14", u"Text15"}},
};

}  // namespace

frmUnits::frmUnits(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmUnits"));
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(u"SSTab1");
  for (int t = 0; t < kUnitTabCount; ++t) {
    const TabNames& names = kTabNames[t];
    Tab& tab = ui_.tab[static_cast<std::size_t>(t)];
    tab.input = Require<QLineEdit>(names.input);
    tab.units = Options(names.units);
    for (const char16_t* readout : names.readouts) tab.readouts.push_back(Require<QLineEdit>(readout));
    connect(tab.input, &QLineEdit::textChanged, this, [this, t] { Input_Change(t); });
    for (QRadioButton* unit : tab.units.buttons) {
      connect(unit, &QRadioButton::toggled, this, [this, t](bool on) {
        if (on && !loading_) Input_Change(t);
      });
    }
  }
  WireButtons(Require<QPushButton>(u"Command1"), nullptr, Require<QPushButton>(u"Command3"));
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &frmUnits::SSTab1_Click);

  Form_Load();
  Form_Activate();
}

void frmUnits::Form_Load() {
  SetMessageTitles(12);
  AddHistoryLine(QStringLiteral("Loading Unit Conversion Form"));
  // The first unit of every tab; the read-outs stay empty until a value or a
  // unit is entered.
  loading_ = true;
  for (const Tab& tab : ui_.tab) forms::SetArrayIndex(tab.units, 0);
  loading_ = false;
  forms::CenterForm(this);
}

void frmUnits::Form_Activate() {
  activating_ = true;
  ui_.tabs->setCurrentIndex(UnitsStartTab);
  activating_ = false;
}

void frmUnits::SSTab1_Click() {
  // Only the controls of the tab shown are in the Tab-key order: the tab
  // control hides the others.
  if (activating_) return;
  ui_.tab[static_cast<std::size_t>(ui_.tabs->currentIndex())].input->setFocus(Qt::TabFocusReason);
}

void frmUnits::Input_Change(int t) {
  const Tab& tab = ui_.tab[static_cast<std::size_t>(t)];
  const QStringList texts = UnitReadoutTexts(t, forms::GetArrayIndex(tab.units), tab.input->text());
  if (texts.size() != static_cast<qsizetype>(tab.readouts.size())) return;
  for (std::size_t i = 0; i < tab.readouts.size(); ++i) forms::ShowResult(tab.readouts[i], texts[static_cast<qsizetype>(i)]);
}

}  // namespace brantel
