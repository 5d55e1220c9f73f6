#pragma once

#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"

namespace brantel {

// The conversion of the current project to the other unit system: the
// target unit system and whether the converted project is loaded or the
// original kept. The conversion (RunFileConversion, core/FileConversion.h)
// converts nothing and reports success. The Utilities menu does not open
// this dialog. English only.
class frmConvert : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmConvert(QWidget* owner = nullptr);

 protected:
  void FormUnload() override;

 private:
  void Form_Load();
  void Command2_Click();

  struct Ui {
    forms::OptionArray units;        // Option1: the target unit system
    forms::OptionArray fileOption;   // Option2: load the converted project, keep the original
  } ui_;
};

}  // namespace brantel
