#include "maintenance/AboutDialog.h"

#include "core/Globals.h"
#include "core/Logo.h"
#include "core/Messages.h"
#include "core/Version.h"
#include "core/platform/Launcher.h"
#include "core/platform/SystemInfo.h"

#include <QLabel>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmAbout", .width = 6840, .height = 4080, .caption = {"Brantel"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = about::kIcon, .kind = Kind::Label, .at = {240, 240, 1080, 690}, .caption = {""}},
    {.name = about::kTitle, .kind = Kind::Label, .at = {1500, 240, 5100, 480}, .caption = {"Brantel: Rock Mechanics Calculations"}},
    {.name = about::kVersion, .kind = Kind::Label, .at = {1500, 780, 5100, 255}, .caption = {"Version"}},
    {.name = about::kDescription, .kind = Kind::Label, .at = {1500, 1140, 5100, 1260}, .caption = {""}},
    {.name = about::kDisclaimer, .kind = Kind::Label, .at = {240, 2760, 4320, 1020}, .caption = {"This program is provided as is, without warranty of any kind. 2023"}},
    {.name = about::kOk, .kind = Kind::Button, .at = {4920, 2760, 1680, 435}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = about::kSystemInfo, .kind = Kind::Button, .at = {4920, 3300, 1680, 435}, .caption = {"&System Info..."}},
};
// clang-format on

}  // namespace

AboutDialog::AboutDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.icon = Require<QLabel>(about::kIcon);
  ui_.title = Require<QLabel>(about::kTitle);
  ui_.version = Require<QLabel>(about::kVersion);
  ui_.description = Require<QLabel>(about::kDescription);
  ui_.disclaimer = Require<QLabel>(about::kDisclaimer);
  QFont big = ui_.title->font();
  big.setPointSizeF(11.0);
  big.setBold(true);
  ui_.title->setFont(big);
  ui_.description->setWordWrap(true);
  ui_.disclaimer->setWordWrap(true);
  ui_.icon->setScaledContents(true);
  connect(Require<QPushButton>(about::kOk), &QPushButton::clicked, this, &AboutDialog::OnOkClicked);
  connect(Require<QPushButton>(about::kSystemInfo), &QPushButton::clicked, this, &AboutDialog::OnSystemInfoClicked);
  OnLoad();
}

void AboutDialog::OnLoad() {
  setWindowTitle(AppTitle.isEmpty() ? QStringLiteral("Brantel") : AppTitle);
  ui_.icon->setPixmap(ProgramLogo());
  ui_.description->setText(
      QStringLiteral("Written by the Brantel developers of the Rock Mechanics Laboratory: stresses, failure "
                     "criteria, elasticity and design calculations for rock engineering."));
  ui_.version->setText(
      QStringLiteral("Version: %1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision));
}

void AboutDialog::OnOkClicked() {
  Unload();
  // Back to the window that opened it.
  if (QWidget* owner = parentWidget()) owner->show();
}

void AboutDialog::OnSystemInfoClicked() { StartSystemInfo(); }

void AboutDialog::StartSystemInfo() {
  const QString program = platform::FindSystemInfoProgram();
  if (program.isEmpty() || !platform::StartProgram(program, {})) {
    ShowMsg(QStringLiteral("System Information Is Unavailable At This Time"), Buttons::Ok, QString());
  }
}

}  // namespace brantel
