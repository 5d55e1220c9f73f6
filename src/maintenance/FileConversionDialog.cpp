#include "maintenance/FileConversionDialog.h"

#include "core/FileConversion.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/project/ProjectRecord.h"

#include <QPushButton>
#include <QRadioButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::Kind;

constexpr forms::FormDesign kForm{4920, 2880, "File Conversion Utility"};

constexpr ControlRow kControls[] = {
    {"Frame1", Kind::Frame, nullptr, 120, 120, 3000, 975, "Units"},
    {"Option1(0)", Kind::Option, "Frame1", 240, 300, 2640, 255, "feet, psi, pcf"},
    {"Option1(1)", Kind::Option, "Frame1", 240, 600, 2640, 255, "meters, MPa, kN/m3"},
    {"Frame2", Kind::Frame, nullptr, 120, 1320, 3000, 975, "File options"},
    {"Option2(0)", Kind::Option, "Frame2", 240, 300, 2640, 255, "Load converted project "},
    {"Option2(1)", Kind::Option, "Frame2", 240, 600, 2640, 255, "Keep original project"},
    {"Command2", Kind::Button, nullptr, 3360, 195, 1335, 375, "Convert", nullptr, nullptr, forms::kDefault},
    {"Command1", Kind::Button, nullptr, 3360, 675, 1335, 375, "Cancel"},
    {"Command3", Kind::Button, nullptr, 3360, 1155, 1335, 375, "Help"},
};

}  // namespace

frmConvert::frmConvert(QWidget* owner) : FormDialog(owner) {
  setObjectName(QStringLiteral("frmConvert"));
  Build(kForm, kControls);
  ui_.units = Options(u"Option1");
  ui_.fileOption = Options(u"Option2");
  WireButtons(nullptr, Require<QPushButton>(u"Command1"), Require<QPushButton>(u"Command3"));
  connect(Require<QPushButton>(u"Command2"), &QPushButton::clicked, this, &frmConvert::Command2_Click);
  Form_Load();
}

void frmConvert::Form_Load() {
  SetMessageTitles(13);
  AddHistoryLine(QStringLiteral("Loading File Conversion Form"));
  // The project's own unit system cannot be the target.
  const FileConversionUnits units = FileConversionUnitsFor(Project.InputUnits);
  forms::SetArrayIndex(ui_.units, units.Selected);
  for (int i = ui_.units.LBound(); i <= ui_.units.UBound(); ++i) ui_.units.At(i)->setEnabled(i != units.Disabled);
  forms::SetArrayIndex(ui_.fileOption, ConvertFileOption);
  forms::CenterForm(this);
}

void frmConvert::Command2_Click() {
  const FileConversionOutcome outcome = RunFileConversion(forms::GetArrayIndex(ui_.units));
  ShowMsg(outcome.Message, outcome.Succeeded ? mb::kOkOnly : mb::kOkOnly | mb::kCritical, QString());
  Unload();
}

void frmConvert::FormUnload() {
  // Kept on every unload, Cancel included.
  ConvertFileOption = forms::GetArrayIndex(ui_.fileOption);
}

}  // namespace brantel
