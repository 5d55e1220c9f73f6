#pragma once

#include "core/UnitConversion.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

#include <vector>

class QLineEdit;
class QTabWidget;

namespace brantel {

// The design names of the unit converter's controls, for its code and its
// tests. Each tab has its input box, the option array of the input's unit
// and a read-out box of the value in each unit.
namespace units {
inline constexpr char kTabs[] = "SSTab1";
// Length.
inline constexpr char kLength[] = "txtLength";
inline constexpr char kLengthUnit[] = "Option2";
inline constexpr forms::ItemName kFromIn = forms::Item(kLengthUnit, 0);
inline constexpr forms::ItemName kFromFt = forms::Item(kLengthUnit, 1);
inline constexpr forms::ItemName kFromCm = forms::Item(kLengthUnit, 2);
inline constexpr forms::ItemName kFromM = forms::Item(kLengthUnit, 3);
inline constexpr char kIn[] = "Text7";
inline constexpr char kFt[] = "Text8";
inline constexpr char kCm[] = "Text9";
inline constexpr char kM[] = "Text10";
// Load.
inline constexpr char kLoad[] = "txtLoad";
inline constexpr char kLoadUnit[] = "Option5";
inline constexpr forms::ItemName kFromLbsF = forms::Item(kLoadUnit, 0);
inline constexpr forms::ItemName kFromTonsF = forms::Item(kLoadUnit, 1);
inline constexpr forms::ItemName kFromKN = forms::Item(kLoadUnit, 2);
inline constexpr forms::ItemName kFromMN = forms::Item(kLoadUnit, 3);
inline constexpr forms::ItemName kFromKips = forms::Item(kLoadUnit, 4);
inline constexpr char kLbsF[] = "Text21";
inline constexpr char kTonsF[] = "Text22";  // short tons
inline constexpr char kKN[] = "Text23";
inline constexpr char kMN[] = "Text24";
inline constexpr char kKips[] = "Text25";
// Load gradient.
inline constexpr char kLoadGrad[] = "txtLoadGrad";
inline constexpr char kLoadGradUnit[] = "Option4";
inline constexpr forms::ItemName kFromLbsFPerIn = forms::Item(kLoadGradUnit, 0);
inline constexpr forms::ItemName kFromLbsFPerFt = forms::Item(kLoadGradUnit, 1);
inline constexpr forms::ItemName kFromKNPerM = forms::Item(kLoadGradUnit, 2);
inline constexpr forms::ItemName kFromMNPerM = forms::Item(kLoadGradUnit, 3);
inline constexpr char kLbsFPerIn[] = "Text17";
inline constexpr char kLbsFPerFt[] = "Text18";
inline constexpr char kKNPerM[] = "Text19";
inline constexpr char kMNPerM[] = "Text20";
// Stress.
inline constexpr char kStress[] = "txtStress";
inline constexpr char kStressUnit[] = "Option1";
inline constexpr forms::ItemName kFromPsi = forms::Item(kStressUnit, 0);
inline constexpr forms::ItemName kFromKsi = forms::Item(kStressUnit, 1);
inline constexpr forms::ItemName kFromPsf = forms::Item(kStressUnit, 2);
inline constexpr forms::ItemName kFromPa = forms::Item(kStressUnit, 3);
inline constexpr forms::ItemName kFromMPa = forms::Item(kStressUnit, 4);
inline constexpr char kPsi[] = "Text2";
inline constexpr char kKsi[] = "Text3";
inline constexpr char kPsf[] = "Text4";
inline constexpr char kPa[] = "Text5";
inline constexpr char kMPa[] = "Text6";
// Stress gradient.
inline constexpr char kStressGrad[] = "txtStressGrad";
inline constexpr char kStressGradUnit[] = "Option3";
inline constexpr forms::ItemName kFromPsiPerIn = forms::Item(kStressGradUnit, 0);
inline constexpr forms::ItemName kFromPsiPerFt = forms::Item(kStressGradUnit, 1);
inline constexpr forms::ItemName kFromPaPerM = forms::Item(kStressGradUnit, 2);
inline constexpr forms::ItemName kFromMPaPerM = forms::Item(kStressGradUnit, 3);
inline constexpr char kPsiPerIn[] = "Text12";
inline constexpr char kPsiPerFt[] = "Text13";
inline constexpr char kPaPerM[] = "Text14";
inline constexpr char kMPaPerM[] = "Text15";
inline constexpr char kHelp[] = "Command3";
inline constexpr char kOk[] = "Command1";
}  // namespace units

// The unit converter: a value of length, force, force per length, stress or
// stress gradient, in the unit picked on its tab, shown at once in every
// unit of that tab. It reads and writes neither the project nor the
// settings; the mechanics are in core/UnitConversion.h. English only.
class UnitsDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit UnitsDialog(QWidget* owner = nullptr);

 private:
  // A tab: its input box, the options of the input's unit and a read-out
  // box for each unit.
  template <ConverterUnit Unit>
  struct Tab {
    QLineEdit* input;
    forms::ChoiceArray<Unit> units;
    std::vector<QLineEdit*> readouts;
  };

  void OnLoad();
  void OnActivate();
  // The tab shown puts the focus in its input box.
  void OnTabChanged();
  // A tab's input box edited, or its unit changed: every read-out of the
  // tab shows the value in its unit.
  template <ConverterUnit Unit>
  void OnInputEdited(const Tab<Unit>& tab);
  // Calls visit(tab, which) for each tab, in the order of UnitTab.
  template <typename Visit>
  void ForEachTab(Visit visit);

  struct Ui {
    QTabWidget* tabs;
    Tab<LengthUnit> length;
    Tab<LoadUnit> load;
    Tab<LoadGradUnit> loadGrad;
    Tab<StressUnit> stress;
    Tab<StressGradUnit> stressGrad;
  } ui_;

  bool activating_ = false;
};

}  // namespace brantel
