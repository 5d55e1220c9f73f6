#include "maintenance/About.h"

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

constexpr FormDesign kForm{6840, 4080, "Brantel"};
constexpr ControlRow kControls[] = {
    {"picIcon", Kind::Label, nullptr, 240, 240, 1080, 690, ""},
    {"lblTitle", Kind::Label, nullptr, 1500, 240, 5100, 480, "Brantel: Rock Mechanics Calculations"},
    {"lblVersion", Kind::Label, nullptr, 1500, 780, 5100, 255, "Version"},
    {"lblDescription", Kind::Label, nullptr, 1500, 1140, 5100, 1260, ""},
    {"lblDisclaimer", Kind::Label, nullptr, 240, 2760, 4320, 1020,
     "This program is provided as is, without warranty of any kind. 2023"},
    {"CmdOk", Kind::Button, nullptr, 4920, 2760, 1680, 435, "OK", nullptr, nullptr, forms::kDefault},
    {"cmdSysInfo", Kind::Button, nullptr, 4920, 3300, 1680, 435, "&System Info..."},
};

}  // namespace

frmAbout::frmAbout(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);
  ui_.icon = Require<QLabel>(u"picIcon");
  ui_.title = Require<QLabel>(u"lblTitle");
  ui_.version = Require<QLabel>(u"lblVersion");
  ui_.description = Require<QLabel>(u"lblDescription");
  ui_.disclaimer = Require<QLabel>(u"lblDisclaimer");
  QFont big = ui_.title->font();
  big.setPointSizeF(11.0);
  big.setBold(true);
  ui_.title->setFont(big);
  ui_.description->setWordWrap(true);
  ui_.disclaimer->setWordWrap(true);
  ui_.icon->setScaledContents(true);
  connect(Require<QPushButton>(u"CmdOk"), &QPushButton::clicked, this, &frmAbout::CmdOk_Click);
  connect(Require<QPushButton>(u"cmdSysInfo"), &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  Form_Load();
}

void frmAbout::Form_Load() {
  setWindowTitle(AppTitle.isEmpty() ? QStringLiteral("Brantel") : AppTitle);
  ui_.icon->setPixmap(ProgramLogo());
  ui_.description->setText(QStringLiteral(
      "Written by the Brantel developers of the Rock Mechanics Laboratory: stresses, failure "
      "criteria, elasticity and design calculations for rock engineering."));
  ui_.version->setText(QStringLiteral("Version: %1.%2.%3")
                           .arg(version::kMajor)
                           .arg(version::kMinor)
                           .arg(version::kRevision));
  timer1_.start(500);
}

void frmAbout::CmdOk_Click() {
  timer1_.stop();
  Unload();
  // Back to the window that opened it.
  if (QWidget* owner = parentWidget()) owner->show();
}

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
  const QString program = platform::FindSystemInfoProgram();
  if (program.isEmpty() || !platform::StartProgram(program, {})) {
    ShowMsg(QStringLiteral("System Information Is Unavailable At This Time"), mb::kOkOnly, QString());
  }
}

}  // namespace brantel
