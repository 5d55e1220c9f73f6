#include "maintenance/UpdateDialog.h"

#include "core/Globals.h"

#include <QCheckBox>
#include <QDate>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace brantel {
namespace {

using forms::ControlRow;
using forms::FormDesign;
using forms::Kind;

constexpr FormDesign kForm{.name = "frmUpdate", .width = 7080, .height = 4620, .caption = {"Program Update"}};
// clang-format off
constexpr ControlRow kControls[] = {
    {.name = update::kNotice, .kind = Kind::Label, .at = {240, 240, 6600, 1320}},
    {.name = update::kInfo, .kind = Kind::Label, .at = {240, 1680, 6600, 480}},
    {.name = update::kLastVersion, .kind = Kind::Label, .at = {240, 2280, 6600, 255}},
    {.name = update::kUrlLabel, .kind = Kind::Label, .at = {240, 2700, 2040, 255}, .caption = {"URL to program web page:"}, .partner = update::kUrl},
    {.name = update::kProgress, .kind = Kind::Picture, .at = {240, 3120, 5040, 255}, .caption = {"Download progress"}},
    {.name = update::kBytes, .kind = Kind::Label, .at = {5400, 3120, 1440, 255}},
    {.name = update::kCheck, .kind = Kind::Button, .at = {240, 3600, 1560, 375}, .caption = {"Check for Updates"}},
    {.name = update::kDownload, .kind = Kind::Button, .at = {1920, 3600, 1560, 375}, .caption = {"Download Update"}, .flags = forms::kDisabled},
    {.name = update::kInstall, .kind = Kind::Button, .at = {3600, 3600, 1560, 375}, .caption = {"Install Update"}, .flags = forms::kDisabled},
    {.name = update::kOk, .kind = Kind::Button, .at = {5280, 3600, 1560, 375}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = update::kDisable, .kind = Kind::CheckBox, .at = {240, 4140, 4200, 255}, .caption = {"Disable check for program updates"}},
    // Last in the Tab order: the window opens with the focus on OK.
    {.name = update::kUrl, .kind = Kind::Label, .at = {2280, 2700, 4560, 255}},
};
// clang-format on

// The progress bar of the download: the chunks received, modulo 100.
QWidget* MakeProgressBar(const ControlRow& row, QWidget* parent) {
  if (QLatin1StringView(row.name) != QLatin1StringView(update::kProgress)) return nullptr;
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

UpdateDialog::UpdateDialog(QWidget* owner) : FormDialog(owner) {
  Build(kForm, kControls, MakeProgressBar);  // in English only: the table has no Greek captions
  ui_.notice = Require<QLabel>(update::kNotice);
  ui_.info = Require<QLabel>(update::kInfo);
  ui_.lastVersion = Require<QLabel>(update::kLastVersion);
  ui_.url = Require<QLabel>(update::kUrl);
  ui_.bytes = Require<QLabel>(update::kBytes);
  ui_.progress = Require<QProgressBar>(update::kProgress);
  ui_.check = Require<QPushButton>(update::kCheck);
  ui_.download = Require<QPushButton>(update::kDownload);
  ui_.install = Require<QPushButton>(update::kInstall);
  ui_.disable = Require<QCheckBox>(update::kDisable);

  WireButtons(Require<QPushButton>(update::kOk), nullptr, nullptr);
  connect(ui_.check, &QPushButton::clicked, this, &UpdateDialog::cmdCheck_Click);
  connect(ui_.download, &QPushButton::clicked, this, &UpdateDialog::cmdDownUpdate_Click);
  connect(ui_.install, &QPushButton::clicked, this, &UpdateDialog::cmdInstall_Click);
  connect(&controller_, &UpdateController::changed, this, &UpdateDialog::Refresh);
  connect(&controller_, &UpdateController::leaveProgram, this, &UpdateDialog::LeaveProgram);

  // The link: a click, or Space or Enter while it has the focus, opens the
  // web page.
  ui_.url->setCursor(Qt::PointingHandCursor);
  ui_.url->setFocusPolicy(Qt::StrongFocus);
  ui_.url->installEventFilter(this);
  Form_Load();
}

UpdateDialog::~UpdateDialog() = default;

void UpdateDialog::Form_Load() {
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

void UpdateDialog::Refresh() {
  ui_.lastVersion->setText(controller_.LastVersionText());
  SetTextColour(ui_.lastVersion,
                controller_.LastVersionRed() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  ui_.bytes->setText(controller_.BytesText());
  ui_.progress->setValue(controller_.ProgressValue());
  ui_.download->setEnabled(controller_.DownloadEnabled());
  ui_.install->setEnabled(controller_.InstallEnabled());
}

void UpdateDialog::cmdCheck_Click() { controller_.Check(); }

void UpdateDialog::cmdDownUpdate_Click() { controller_.DownloadUpdate(); }

void UpdateDialog::cmdInstall_Click() { controller_.Install(); }

void UpdateDialog::lblURL_Click() { controller_.OpenWebPage(); }

void UpdateDialog::lblURL_Hover(bool over) {
  QFont font = ui_.url->font();
  if (font.underline() == over) return;
  font.setUnderline(over);
  ui_.url->setFont(font);
}

bool UpdateDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui_.url) return FormDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn: lblURL_Hover(true); break;
    case QEvent::Leave:
    case QEvent::FocusOut: lblURL_Hover(ui_.url->underMouse() || ui_.url->hasFocus()); break;
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
    default: break;
  }
  return FormDialog::eventFilter(watched, event);
}

void UpdateDialog::LeaveProgram() {
  Unload();
  emit leaveProgram();
}

void UpdateDialog::FormUnload() { controller_.Unload(ui_.disable->isChecked()); }

UpdateDialog* ShowStartupUpdate(const std::function<void()>& leaveProgram) {
  static QPointer<UpdateDialog> open;
  const QPointer<UpdateDialog> before = open;
  UpdateDialog* window = forms::ShowModeless(open, static_cast<QWidget*>(nullptr));
  if (window != before && leaveProgram) QObject::connect(window, &UpdateDialog::leaveProgram, window, leaveProgram);
  window->Controller().CheckAndInstall();
  return window;
}

}  // namespace brantel
