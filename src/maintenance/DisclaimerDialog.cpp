#include "maintenance/DisclaimerDialog.h"

#include "core/Globals.h"
#include "core/Settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmDisclaimer", .width = 10500, .height = 3660, .caption = {"Disclaimer"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = disclaimer::kText, .kind = Kind::Label, .at = {240, 240, 10020, 2040}, .caption = {""}},
    {.name = disclaimer::kDoNotShowAgain, .kind = Kind::CheckBox, .at = {240, 2400, 10020, 315}, .caption = {"I accept this disclaimer for this and any subsequent use of this program. Please do not " "show this disclaimer again."}},
    {.name = disclaimer::kAccept, .kind = Kind::Button, .at = {2760, 2940, 2280, 435}, .caption = {"Accept and Continue"}, .flags = forms::kDefault},
    {.name = disclaimer::kDecline, .kind = Kind::Button, .at = {5460, 2940, 2280, 435}, .caption = {"Do not Accept and Exit"}},
};
// clang-format on

}  // namespace

QString DisclaimerText() {
  const QString twoBreaks = QStringLiteral("\r\n\r\n");
  std::array<QString, 18> parts;
  parts[0] = QStringLiteral("Disclaimer of Liability Clause") + twoBreaks;
  parts[1] = QStringLiteral("This software is provided 'AS IS' without warranty ");
  parts[2] = QStringLiteral("of any kind including express or implied warranties of merchantability ");
  parts[3] = QStringLiteral("or fitness for a particular purpose. By acceptance and use of this ");
  parts[4] = QStringLiteral("software, which is conveyed to the user without consideration by the authors, the ");
  parts[5] = QStringLiteral("user expressly waives any and all claims for damage and/or suits for personal ");
  parts[6] = QStringLiteral("injury or property damage resulting from any direct, indirect, incidental, special ");
  parts[7] = QStringLiteral("or consequential damages, or damages for loss of profits, revenue, data or ");
  parts[8] = QStringLiteral("property use, incurred by the user or any third party, whether in an action in contract ");
  parts[9] =
      QStringLiteral("or tort, arising from access to, or use of, this software in whole or in part. ") + twoBreaks;
  QString text;
  for (const QString& part : parts) text += part;
  return text;
}

DisclaimerDialog::DisclaimerDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls);  // in English only: the table has no Greek captions
  ui_.disclaimer = Require<QLabel>(disclaimer::kText);
  ui_.doNotShowAgain = Require<QCheckBox>(disclaimer::kDoNotShowAgain);
  QFont mono = ui_.disclaimer->font();
  mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), mono.family()});
  ui_.disclaimer->setFont(mono);
  ui_.disclaimer->setWordWrap(true);
  // Accepting is the OK of the disclaimer, declining its Cancel.
  WireButtons(Require<QPushButton>(disclaimer::kAccept), Require<QPushButton>(disclaimer::kDecline), nullptr);
  OnLoad();
}

void DisclaimerDialog::OnLoad() {
  QString shown = DisclaimerText();
  ui_.disclaimer->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  ui_.disclaimer->setAccessibleName(QStringLiteral("Disclaimer of Liability Clause"));
  setWindowTitle(windowTitle() + QStringLiteral(" for ") + AppNameUpper);
}

void DisclaimerDialog::CommitToProject() {
  // Only an accepted disclaimer may be turned off; a declined one writes
  // nothing.
  if (!ui_.doNotShowAgain->isChecked()) return;
  DisclaimerAtStart = false;
  SaveSettings(SettingsPart::Main);
}

bool ShowDisclaimer() { return forms::ShowModal<DisclaimerDialog>(nullptr); }

}  // namespace brantel
