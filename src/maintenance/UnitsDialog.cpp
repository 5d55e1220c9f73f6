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

constexpr forms::FormDesign kForm{.name = "frmUnits", .width = 5400, .height = 4440, .caption = {"Unit Conversions"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = units::kTabs, .kind = Kind::TabStrip, .at = {120, 120, 5160, 3600}},
    {.name = "SSTab1(0)", .kind = Kind::TabPage, .container = units::kTabs, .caption = {"Length"}},
    {.name = "SSTab1(1)", .kind = Kind::TabPage, .container = units::kTabs, .caption = {"Load"}},
    {.name = "SSTab1(2)", .kind = Kind::TabPage, .container = units::kTabs, .caption = {"Load Grad"}},
    {.name = "SSTab1(3)", .kind = Kind::TabPage, .container = units::kTabs, .caption = {"Stress"}},
    {.name = "SSTab1(4)", .kind = Kind::TabPage, .container = units::kTabs, .caption = {"Stress Grad"}},
    // Length: the value, its unit and the value in every unit.
    {.name = "Frame1", .kind = Kind::Frame, .container = "SSTab1(0)", .at = {240, 480, 4680, 2880}, .caption = {"Length units"}},
    {.name = units::kLength, .kind = Kind::TextBox, .container = "Frame1", .at = {240, 330, 1680, 285}, .caption = {"Length"}, .maxLength = kInputLength},
    {.name = units::kFromIn, .kind = Kind::Option, .container = "Frame1", .at = {240, 780, 1680, 255}, .caption = {"in"}},
    {.name = units::kIn, .kind = Kind::TextBox, .container = "Frame1", .at = {2040, 765, 2400, 285}, .caption = {"in"}, .flags = kResult},
    {.name = units::kFromFt, .kind = Kind::Option, .container = "Frame1", .at = {240, 1170, 1680, 255}, .caption = {"ft"}},
    {.name = units::kFt, .kind = Kind::TextBox, .container = "Frame1", .at = {2040, 1155, 2400, 285}, .caption = {"ft"}, .flags = kResult},
    {.name = units::kFromCm, .kind = Kind::Option, .container = "Frame1", .at = {240, 1560, 1680, 255}, .caption = {"cm"}},
    {.name = units::kCm, .kind = Kind::TextBox, .container = "Frame1", .at = {2040, 1545, 2400, 285}, .caption = {"cm"}, .flags = kResult},
    {.name = units::kFromM, .kind = Kind::Option, .container = "Frame1", .at = {240, 1950, 1680, 255}, .caption = {"m"}},
    {.name = units::kM, .kind = Kind::TextBox, .container = "Frame1", .at = {2040, 1935, 2400, 285}, .caption = {"m"}, .flags = kResult},
    // Load: the value, its unit and the value in every unit.
    {.name = "Frame2", .kind = Kind::Frame, .container = "SSTab1(1)", .at = {240, 480, 4680, 2880}, .caption = {"Load units"}},
    {.name = units::kLoad, .kind = Kind::TextBox, .container = "Frame2", .at = {240, 330, 1680, 285}, .caption = {"Load"}, .maxLength = kInputLength},
    {.name = units::kFromLbsF, .kind = Kind::Option, .container = "Frame2", .at = {240, 780, 1680, 255}, .caption = {"lbsF"}},
    {.name = units::kLbsF, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 765, 2400, 285}, .caption = {"lbsF"}, .flags = kResult},
    {.name = units::kFromTonsF, .kind = Kind::Option, .container = "Frame2", .at = {240, 1170, 1680, 255}, .caption = {"tonsF (short)"}},
    {.name = units::kTonsF, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1155, 2400, 285}, .caption = {"tonsF (short)"}, .flags = kResult},
    {.name = units::kFromKN, .kind = Kind::Option, .container = "Frame2", .at = {240, 1560, 1680, 255}, .caption = {"kN"}},
    {.name = units::kKN, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1545, 2400, 285}, .caption = {"kN"}, .flags = kResult},
    {.name = units::kFromMN, .kind = Kind::Option, .container = "Frame2", .at = {240, 1950, 1680, 255}, .caption = {"MN"}},
    {.name = units::kMN, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 1935, 2400, 285}, .caption = {"MN"}, .flags = kResult},
    {.name = units::kFromKips, .kind = Kind::Option, .container = "Frame2", .at = {240, 2340, 1680, 255}, .caption = {"kips"}},
    {.name = units::kKips, .kind = Kind::TextBox, .container = "Frame2", .at = {2040, 2325, 2400, 285}, .caption = {"kips"}, .flags = kResult},
    // Load Grad: the value, its unit and the value in every unit.
    {.name = "Frame3", .kind = Kind::Frame, .container = "SSTab1(2)", .at = {240, 480, 4680, 2880}, .caption = {"Load gradient units"}},
    {.name = units::kLoadGrad, .kind = Kind::TextBox, .container = "Frame3", .at = {240, 330, 1680, 285}, .caption = {"Load Grad"}, .maxLength = kInputLength},
    {.name = units::kFromLbsFPerIn, .kind = Kind::Option, .container = "Frame3", .at = {240, 780, 1680, 255}, .caption = {"lbsF/in"}},
    {.name = units::kLbsFPerIn, .kind = Kind::TextBox, .container = "Frame3", .at = {2040, 765, 2400, 285}, .caption = {"lbsF/in"}, .flags = kResult},
    {.name = units::kFromLbsFPerFt, .kind = Kind::Option, .container = "Frame3", .at = {240, 1170, 1680, 255}, .caption = {"lbsF/ft"}},
    {.name = units::kLbsFPerFt, .kind = Kind::TextBox, .container = "Frame3", .at = {2040, 1155, 2400, 285}, .caption = {"lbsF/ft"}, .flags = kResult},
    {.name = units::kFromKNPerM, .kind = Kind::Option, .container = "Frame3", .at = {240, 1560, 1680, 255}, .caption = {"kN/m"}},
    {.name = units::kKNPerM, .kind = Kind::TextBox, .container = "Frame3", .at = {2040, 1545, 2400, 285}, .caption = {"kN/m"}, .flags = kResult},
    {.name = units::kFromMNPerM, .kind = Kind::Option, .container = "Frame3", .at = {240, 1950, 1680, 255}, .caption = {"MN/m"}},
    {.name = units::kMNPerM, .kind = Kind::TextBox, .container = "Frame3", .at = {2040, 1935, 2400, 285}, .caption = {"MN/m"}, .flags = kResult},
    // Stress: the value, its unit and the value in every unit.
    {.name = "Frame4", .kind = Kind::Frame, .container = "SSTab1(3)", .at = {240, 480, 4680, 2880}, .caption = {"Pressure/stress units"}},
    {.name = units::kStress, .kind = Kind::TextBox, .container = "Frame4", .at = {240, 330, 1680, 285}, .caption = {"Stress"}, .maxLength = kInputLength},
    {.name = units::kFromPsi, .kind = Kind::Option, .container = "Frame4", .at = {240, 780, 1680, 255}, .caption = {"psi"}},
    {.name = units::kPsi, .kind = Kind::TextBox, .container = "Frame4", .at = {2040, 765, 2400, 285}, .caption = {"psi"}, .flags = kResult},
    {.name = units::kFromKsi, .kind = Kind::Option, .container = "Frame4", .at = {240, 1170, 1680, 255}, .caption = {"ksi"}},
    {.name = units::kKsi, .kind = Kind::TextBox, .container = "Frame4", .at = {2040, 1155, 2400, 285}, .caption = {"ksi"}, .flags = kResult},
    {.name = units::kFromPsf, .kind = Kind::Option, .container = "Frame4", .at = {240, 1560, 1680, 255}, .caption = {"psf"}},
    {.name = units::kPsf, .kind = Kind::TextBox, .container = "Frame4", .at = {2040, 1545, 2400, 285}, .caption = {"psf"}, .flags = kResult},
    {.name = units::kFromPa, .kind = Kind::Option, .container = "Frame4", .at = {240, 1950, 1680, 255}, .caption = {"Pa"}},
    {.name = units::kPa, .kind = Kind::TextBox, .container = "Frame4", .at = {2040, 1935, 2400, 285}, .caption = {"Pa"}, .flags = kResult},
    {.name = units::kFromMPa, .kind = Kind::Option, .container = "Frame4", .at = {240, 2340, 1680, 255}, .caption = {"MPa"}},
    {.name = units::kMPa, .kind = Kind::TextBox, .container = "Frame4", .at = {2040, 2325, 2400, 285}, .caption = {"MPa"}, .flags = kResult},
    // Stress Grad: the value, its unit and the value in every unit.
    {.name = "Frame5", .kind = Kind::Frame, .container = "SSTab1(4)", .at = {240, 480, 4680, 2880}, .caption = {"Pressure/stress gradient units"}},
    {.name = units::kStressGrad, .kind = Kind::TextBox, .container = "Frame5", .at = {240, 330, 1680, 285}, .caption = {"Stress Grad"}, .maxLength = kInputLength},
    {.name = units::kFromPsiPerIn, .kind = Kind::Option, .container = "Frame5", .at = {240, 780, 1680, 255}, .caption = {"psi/in"}},
    {.name = units::kPsiPerIn, .kind = Kind::TextBox, .container = "Frame5", .at = {2040, 765, 2400, 285}, .caption = {"psi/in"}, .flags = kResult},
    {.name = units::kFromPsiPerFt, .kind = Kind::Option, .container = "Frame5", .at = {240, 1170, 1680, 255}, .caption = {"psi/ft"}},
    {.name = units::kPsiPerFt, .kind = Kind::TextBox, .container = "Frame5", .at = {2040, 1155, 2400, 285}, .caption = {"psi/ft"}, .flags = kResult},
    {.name = units::kFromPaPerM, .kind = Kind::Option, .container = "Frame5", .at = {240, 1560, 1680, 255}, .caption = {"Pa/m"}},
    {.name = units::kPaPerM, .kind = Kind::TextBox, .container = "Frame5", .at = {2040, 1545, 2400, 285}, .caption = {"Pa/m"}, .flags = kResult},
    {.name = units::kFromMPaPerM, .kind = Kind::Option, .container = "Frame5", .at = {240, 1950, 1680, 255}, .caption = {"MPa/m"}},
    {.name = units::kMPaPerM, .kind = Kind::TextBox, .container = "Frame5", .at = {2040, 1935, 2400, 285}, .caption = {"MPa/m"}, .flags = kResult},
    // Buttons.
    {.name = units::kHelp, .kind = Kind::Button, .at = {2640, 3900, 1215, 375}, .caption = {"Help"}},
    {.name = units::kOk, .kind = Kind::Button, .at = {4020, 3900, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
};
// clang-format on

// The design names of each tab's input box, unit options and read-outs.
struct TabNames {
  const char* input;
  const char* units;
  std::initializer_list<const char*> readouts;
};
// In the order of UnitTab.
const TabNames kTabNames[kUnitTabCount] = {
    {units::kLength, units::kLengthUnit, {units::kIn, units::kFt, units::kCm, units::kM}},
    {units::kLoad, units::kLoadUnit, {units::kLbsF, units::kTonsF, units::kKN, units::kMN, units::kKips}},
    {units::kLoadGrad, units::kLoadGradUnit, {units::kLbsFPerIn, units::kLbsFPerFt, units::kKNPerM, units::kMNPerM}},
    {units::kStress, units::kStressUnit, {units::kPsi, units::kKsi, units::kPsf, units::kPa, units::kMPa}},
    {units::kStressGrad, units::kStressGradUnit, {units::kPsiPerIn, units::kPsiPerFt, units::kPaPerM, units::kMPaPerM}},
};

// The page of a tab on the tab control, in the order of UnitTab.
int PageOf(UnitTab tab) { return static_cast<int>(tab); }

}  // namespace

UnitsDialog::UnitsDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.tabs = Require<QTabWidget>(units::kTabs);
  ForEachTab([this](auto& tab, UnitTab t) {
    const TabNames& names = kTabNames[PageOf(t)];
    tab.input = Require<QLineEdit>(names.input);
    tab.units = {Options(names.units)};
    for (const char* readout : names.readouts) tab.readouts.push_back(Require<QLineEdit>(readout));
    connect(tab.input, &QLineEdit::textChanged, this, [this, &tab] { OnInputEdited(tab); });
    for (QRadioButton* unit : tab.units.buttons) {
      connect(unit, &QRadioButton::toggled, this, [this, &tab](bool on) {
        if (on && !loading_) OnInputEdited(tab);
      });
    }
  });
  WireButtons(Require<QPushButton>(units::kOk), nullptr, Require<QPushButton>(units::kHelp));
  connect(ui_.tabs, &QTabWidget::currentChanged, this, &UnitsDialog::OnTabChanged);

  OnLoad();
  OnActivate();
}

template <typename Visit>
void UnitsDialog::ForEachTab(Visit visit) {
  visit(ui_.length, UnitTab::Length);
  visit(ui_.load, UnitTab::Load);
  visit(ui_.loadGrad, UnitTab::LoadGrad);
  visit(ui_.stress, UnitTab::Stress);
  visit(ui_.stressGrad, UnitTab::StressGrad);
}

void UnitsDialog::OnLoad() {
  SetMessageTitles(TitlePrefix::UnitConversion);
  AddHistoryLine(QStringLiteral("Loading Unit Conversion Form"));
  // The first unit of every tab (the unit of value 0); the read-outs stay
  // empty until a value or a unit is entered.
  loading_ = true;
  ForEachTab([](auto& tab, UnitTab) { tab.units.Choose({}); });
  loading_ = false;
  forms::CenterForm(this);
}

void UnitsDialog::OnActivate() {
  activating_ = true;
  ui_.tabs->setCurrentIndex(PageOf(UnitsStartTab));
  activating_ = false;
}

void UnitsDialog::OnTabChanged() {
  // Only the controls of the tab shown are in the Tab-key order: the tab
  // control hides the others.
  if (activating_) return;
  ForEachTab([this](auto& tab, UnitTab t) {
    if (PageOf(t) == ui_.tabs->currentIndex()) tab.input->setFocus(Qt::TabFocusReason);
  });
}

template <ConverterUnit Unit>
void UnitsDialog::OnInputEdited(const Tab<Unit>& tab) {
  const QStringList texts = UnitReadoutTexts(tab.units.Chosen(), forms::LeadingValue<double>(tab.input));
  if (texts.size() != static_cast<qsizetype>(tab.readouts.size())) return;
  for (std::size_t i = 0; i < tab.readouts.size(); ++i)
    forms::ShowResult(tab.readouts[i], texts[static_cast<qsizetype>(i)]);
}

}  // namespace brantel
