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

constexpr forms::FormDesign kForm{
    .name = "frmConvert", .width = 4920, .height = 2880, .caption = {"File Conversion Utility"}};

// clang-format off
constexpr ControlRow kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 120, 3000, 975}, .caption = {"Units"}},
    {.name = fileconversion::kToEnglish, .kind = Kind::Option, .container = "Frame1", .at = {240, 300, 2640, 255}, .caption = {"feet, psi, pcf"}},
    {.name = fileconversion::kToMetric, .kind = Kind::Option, .container = "Frame1", .at = {240, 600, 2640, 255}, .caption = {"meters, MPa, kN/m3"}},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1320, 3000, 975}, .caption = {"File options"}},
    {.name = fileconversion::kLoadConverted, .kind = Kind::Option, .container = "Frame2", .at = {240, 300, 2640, 255}, .caption = {"Load converted project "}},
    {.name = fileconversion::kKeepOriginal, .kind = Kind::Option, .container = "Frame2", .at = {240, 600, 2640, 255}, .caption = {"Keep original project"}},
    {.name = fileconversion::kConvert, .kind = Kind::Button, .at = {3360, 195, 1335, 375}, .caption = {"Convert"}, .flags = forms::kDefault},
    {.name = fileconversion::kCancel, .kind = Kind::Button, .at = {3360, 675, 1335, 375}, .caption = {"Cancel"}},
    {.name = fileconversion::kHelp, .kind = Kind::Button, .at = {3360, 1155, 1335, 375}, .caption = {"Help"}},
};
// clang-format on

}  // namespace

FileConversionDialog::FileConversionDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.units = {Options(fileconversion::kTargetUnits)};
  ui_.fileOption = {Options(fileconversion::kFileOption)};
  WireButtons(nullptr, Require<QPushButton>(fileconversion::kCancel), Require<QPushButton>(fileconversion::kHelp));
  connect(Require<QPushButton>(fileconversion::kConvert), &QPushButton::clicked, this,
          &FileConversionDialog::OnConvertClicked);
  OnLoad();
}

void FileConversionDialog::OnLoad() {
  SetMessageTitles(TitlePrefix::Unnamed);
  AddHistoryLine(QStringLiteral("Loading File Conversion Form"));
  // The project's own unit system cannot be the target.
  const FileConversionUnits units = FileConversionUnitsFor(Project.InputUnits);
  ui_.units.Choose(units.Selected);
  for (const UnitSystem system : {UnitSystem::Imperial, UnitSystem::SI})
    ui_.units.OptionOf(system)->setEnabled(units.Disabled != system);
  ui_.fileOption.Choose(ConvertFileOption);
  forms::CenterForm(this);
}

void FileConversionDialog::OnConvertClicked() {
  const FileConversionOutcome outcome = RunFileConversion(ui_.units.Chosen());
  ShowMsg(outcome.Message, outcome.Succeeded ? BoxStyle{} : BoxStyle{Icon::Critical}, QString());
  Unload();
}

void FileConversionDialog::FormUnload() {
  // Kept on every unload, Cancel included.
  ConvertFileOption = ui_.fileOption.Chosen();
}

}  // namespace brantel
