#include "mainwindow/DescriptionDialog.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "forms/FormHelpers.h"
#include "core/project/ProjectRecord.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

// The description box is wide enough for a wrapped line of 60 characters of
// the fixed font; the unit frame and the buttons stand to its right.
constexpr FormDesign kForm{9360, 4440, "Project Description", nullptr};
constexpr ControlRow kControls[] = {
    {"Text1", Kind::MemoBox, nullptr, 120, 120, 7200, 4200, "Project Description"},
    {"Frame1", Kind::Frame, nullptr, 7440, 120, 1800, 1080, "Current Units"},
    {"Option1(0)", Kind::Option, "Frame1", 240, 360, 1440, 255, "English"},
    {"Option1(1)", Kind::Option, "Frame1", 240, 720, 1440, 255, "Metric"},
    {"Command2", Kind::Button, nullptr, 7440, 3000, 1800, 375, "OK", nullptr, nullptr, forms::kDefault},
    {"Command1", Kind::Button, nullptr, 7440, 3480, 1800, 375, "Cancel"},
    {"Command3", Kind::Button, nullptr, 7440, 3960, 1800, 375, "Help"},
};

// The box shows lines ended by LF; the record keeps CR LF.
QString ForTheBox(const QString& description) {
  QString text = description;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

QString FromTheBox(const QString& text) {
  QString description = text;
  description.replace(u'\n', QStringLiteral("\r\n"));
  return description;
}

}  // namespace

frmBrantelDesc::frmBrantelDesc(QWidget* owner) : forms::FormDialog(owner), layout_(this, kForm, kControls) {
  option1_ = layout_.Options(u"Option1");
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setPointSizeF(9.0);
  Text1()->setFont(fixed);
  connect(Command1(), &QPushButton::clicked, this, &frmBrantelDesc::Command1_Click);
  connect(Command2(), &QPushButton::clicked, this, &frmBrantelDesc::Command2_Click);
  connect(Command3(), &QPushButton::clicked, this, &frmBrantelDesc::Command3_Click);
  Form_Load();
}

QPlainTextEdit* frmBrantelDesc::Text1() const { return layout_.Require<QPlainTextEdit>(u"Text1"); }
QPushButton* frmBrantelDesc::Command1() const { return layout_.Require<QPushButton>(u"Command1"); }
QPushButton* frmBrantelDesc::Command2() const { return layout_.Require<QPushButton>(u"Command2"); }
QPushButton* frmBrantelDesc::Command3() const { return layout_.Require<QPushButton>(u"Command3"); }

void frmBrantelDesc::Form_Load() {
  SetMessageTitles(1);
  AddHistoryLine(Tr(QStringLiteral("Editing Project Description"), QStringLiteral("Τροποποίηση περιγραφής")));
  loading_ = true;
  accepted_ = false;
  layout_.SetCaptions(EnglishMenus == 1);
  Text1()->setPlainText(ForTheBox(Project.ProjectDescription));
  shownText_ = Text1()->toPlainText();

  // Both options off, and disabled once the project holds data (from a file
  // or an earlier accepted visit); then the project's own system is set and
  // enabled.
  const bool locked = Project.FileHoldsData != kFlagFalse;
  for (QRadioButton* option : option1_.buttons) {
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
    option->setEnabled(!locked);
  }
  if (QRadioButton* current = option1_.At(Project.InputUnits)) {
    current->setChecked(true);
    current->setEnabled(true);
  }
  loading_ = false;
  forms::CenterForm(this);
}

void frmBrantelDesc::Command2_Click() { AcceptAndUnload(); }

void frmBrantelDesc::Command1_Click() { Unload(); }

void frmBrantelDesc::Command3_Click() { ShowHelpHint(); }

void frmBrantelDesc::FormUnload() {
  if (!IsAccepted()) {
    AddHistoryLine(Tr(QStringLiteral("Project Description Not Modified"),
                      QStringLiteral("Η περιγραφή δεν τροποποιήθηκε")));
    return;
  }
  // A box the user did not edit gives back the stored text as it stands.
  const QString text = Text1()->toPlainText();
  const QString description = text == shownText_ ? Project.ProjectDescription : FromTheBox(text);

  bool anyChosen = false;
  for (const QRadioButton* option : option1_.buttons) anyChosen = anyChosen || option->isChecked();
  const qint16 units = anyChosen ? forms::GetArrayIndex(option1_) : Project.InputUnits;
  if (units != Project.InputUnits) {
    // Inputs entered in the old units mean nothing in the new ones.
    Project.InputUnits = units;
    bool rename = true;
    bool keepUnits = false;
    FileNew(rename, keepUnits);
  }
  Project.ProjectDescription = description;
  AddHistoryLine(Tr(QStringLiteral("Project Description Modified"), QStringLiteral("Η περιγραφή τροποποιήθηκε")));
  MarkProjectChanged();
  Project.FileHoldsData = kFlagTrue;
}

bool ShowDescriptionDialog(QWidget* owner) {
  frmBrantelDesc dialog(owner);
  dialog.exec();
  return dialog.IsAccepted();
}

}  // namespace brantel
