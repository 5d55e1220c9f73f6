#include "maintenance/UpdateDialog.h"

#include "core/Globals.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{7080, 4620, "Program Update"};
constexpr ControlRow kControls[] = {
    {"lblUpdate", Kind::Label, nullptr, 240, 240, 6600, 1320},
    {"lblInfo", Kind::Label, nullptr, 240, 1680, 6600, 480},
    {"lblLastVer", Kind::Label, nullptr, 240, 2280, 6600, 255},
    {"Label1", Kind::Label, nullptr, 240, 2700, 2040, 255, "URL to program web page:", nullptr, "lblURL"},
    {"ProgressBar1", Kind::Picture, nullptr, 240, 3120, 5040, 255, "Download progress"},
    {"lblbytes", Kind::Label, nullptr, 5400, 3120, 1440, 255},
    {"cmdCheck", Kind::Button, nullptr, 240, 3600, 1560, 375, "Check for Updates"},
    {"cmdDownUpdate", Kind::Button, nullptr, 1920, 3600, 1560, 375, "Download Update", nullptr, nullptr,
     forms::kDisabled},
    {"cmdInstall", Kind::Button, nullptr, 3600, 3600, 1560, 375, "Install Update", nullptr, nullptr,
     forms::kDisabled},
    {"Command1", Kind::Button, nullptr, 5280, 3600, 1560, 375, "OK", nullptr, nullptr, forms::kDefault},
    {"chkShow", Kind::CheckBox, nullptr, 240, 4140, 4200, 255, "Disable check for program updates"},
    // Last in the Tab order: the window opens with the focus on OK.
    {"lblURL", Kind::Label, nullptr, 2280, 2700, 4560, 255},
};

// The progress bar of the download: the chunks received, modulo 100.
QWidget* MakeProgressBar(const ControlRow& row, QWidget* parent) {
  if (QStringView(u"ProgressBar1") != QString::fromUtf8(row.name)) return nullptr;
  auto* bar = new QProgressBar(parent);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  return bar;
}

void SetTextColour(QWidget* w, const QColor& colour) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::WindowText, colour);
  w->setPalette(palette);
}

QString Shown(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

frmUpdate::frmUpdate(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, MakeProgressBar);  // in English only: the table has no Greek captions
  ui_.notice = Require<QLabel>(u"lblUpdate");
  ui_.info = Require<QLabel>(u"lblInfo");
  ui_.lastVersion = Require<QLabel>(u"lblLastVer");
  ui_.url = Require<QLabel>(u"lblURL");
  ui_.bytes = Require<QLabel>(u"lblbytes");
  ui_.progress = Require<QProgressBar>(u"ProgressBar1");
  ui_.check = Require<QPushButton>(u"cmdCheck");
  ui_.download = Require<QPushButton>(u"cmdDownUpdate");
  ui_.install = Require<QPushButton>(u"cmdInstall");
  ui_.disable = Require<QCheckBox>(u"chkShow");

  WireButtons(Require<QPushButton>(u"Command1"), nullptr, nullptr);
  connect(ui_.check, &QPushButton::clicked, this, &frmUpdate::cmdCheck_Click);
  connect(ui_.download, &QPushButton::clicked, this, &frmUpdate::cmdDownUpdate_Click);
  connect(ui_.install, &QPushButton::clicked, this, &frmUpdate::cmdInstall_Click);
  connect(&controller_, &UpdateController::changed, this, &frmUpdate::Refresh);
  connect(&controller_, &UpdateController::leaveProgram, this, &frmUpdate::LeaveProgram);

  // The link: a click, or Space or Enter while it has the focus, opens the
  // web page.
  ui_.url->setCursor(Qt::PointingHandCursor);
  ui_.url->setFocusPolicy(Qt::StrongFocus);
  ui_.url->installEventFilter(this);
  Form_Load();
}

frmUpdate::~frmUpdate() = default;

void frmUpdate::Form_Load() {
  const UpdateWindowTexts texts = UpdateWindowTextsFor(QDate::currentDate());
  setWindowTitle(texts.caption);
  ui_.notice->setText(Shown(texts.notice));
  ui_.info->setText(Shown(texts.info));
  ui_.url->setText(texts.url);
  ui_.url->setToolTip(texts.url);
  SetTextColour(ui_.url, Qt::black);
  ui_.bytes->setAccessibleDescription(QStringLiteral("Bytes received"));
  Refresh();
}

void frmUpdate::Refresh() {
  ui_.lastVersion->setText(controller_.LastVersionText());
  SetTextColour(ui_.lastVersion,
                controller_.LastVersionRed() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  ui_.bytes->setText(controller_.BytesText());
  ui_.progress->setValue(controller_.ProgressValue());
  ui_.download->setEnabled(controller_.DownloadEnabled());
  ui_.install->setEnabled(controller_.InstallEnabled());
}

void frmUpdate::cmdCheck_Click() { controller_.Check(); }

void frmUpdate::cmdDownUpdate_Click() { controller_.DownloadUpdate(); }

void frmUpdate::cmdInstall_Click() { controller_.Install(); }

void frmUpdate::lblURL_Click() { controller_.OpenWebPage(); }

void frmUpdate::lblURL_Hover(bool over) {
  QFont font = ui_.url->font();
  if (font.underline() == over) return;
  font.setUnderline(over);
  ui_.url->setFont(font);
}

bool frmUpdate::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui_.url) return FormDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
      lblURL_Hover(true);
      break;
    case QEvent::Leave:
    case QEvent::FocusOut:
      lblURL_Hover(ui_.url->underMouse() || ui_.url->hasFocus());
      break;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && ui_.url->rect().contains(mouse->position().toPoint())) {
        lblURL_Click();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        lblURL_Click();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return FormDialog::eventFilter(watched, event);
}

void frmUpdate::LeaveProgram() {
  Unload();
  emit leaveProgram();
}

void frmUpdate::FormUnload() { controller_.Unload(ui_.disable->isChecked()); }

frmUpdate* ShowStartupUpdate(const std::function<void()>& leaveProgram) {
  static QPointer<frmUpdate> open;
  const QPointer<frmUpdate> before = open;
  frmUpdate* window = forms::ShowModeless(open, static_cast<QWidget*>(nullptr));
  if (window != before && leaveProgram) QObject::connect(window, &frmUpdate::leaveProgram, window, leaveProgram);
  window->Controller().CheckAndInstall();
  return window;
}

}  // namespace brantel
