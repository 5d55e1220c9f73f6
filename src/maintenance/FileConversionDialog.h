#pragma once

#include "core/FileConversion.h"
#include "core/UnitSystem.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

namespace brantel {

// The design names of the file conversion dialog's controls.
namespace fileconversion {
inline constexpr char kTargetUnits[] = "Option1";
inline constexpr forms::ItemName kToEnglish = forms::Item(kTargetUnits, 0);
inline constexpr forms::ItemName kToMetric = forms::Item(kTargetUnits, 1);
inline constexpr char kFileOption[] = "Option2";  // what follows the conversion
inline constexpr forms::ItemName kLoadConverted = forms::Item(kFileOption, 0);
inline constexpr forms::ItemName kKeepOriginal = forms::Item(kFileOption, 1);
inline constexpr char kConvert[] = "Command2";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kHelp[] = "Command3";
}  // namespace fileconversion

// The conversion of the current project to the other unit system: the
// target unit system and whether the converted project is loaded or the
// original kept. The conversion (RunFileConversion, core/FileConversion.h)
// converts nothing and reports success. The Utilities menu does not open
// this dialog. English only.
class FileConversionDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit FileConversionDialog(QWidget* owner = nullptr);

 protected:
  void FormUnload() override;

 private:
  void OnLoad();
  void OnConvertClicked();

  struct Ui {
    forms::ChoiceArray<UnitSystem> units;  // the target unit system
    forms::ChoiceArray<AfterConversion> fileOption;
  } ui_;
};

}  // namespace brantel
