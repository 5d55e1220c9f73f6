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
    {.name = update::kAgeNotice, .kind = Kind::Label, .at = {240, 240, 6600, 1320}},
    {.name = update::kVersionInfo, .kind = Kind::Label, .at = {240, 1680, 6600, 480}},
    {.name = update::kLastVersion, .kind = Kind::Label, .at = {240, 2280, 6600, 255}},
    {.name = update::kWebPageLinkLabel, .kind = Kind::Label, .at = {240, 2700, 2040, 255}, .caption = {"URL to program web page:"}, .partner = update::kWebPageLink},
    {.name = update::kProgress, .kind = Kind::Picture, .at = {240, 3120, 5040, 255}, .caption = {"Download progress"}},
    {.name = update::kBytesReceived, .kind = Kind::Label, .at = {5400, 3120, 1440, 255}},
    {.name = update::kCheckForUpdates, .kind = Kind::Button, .at = {240, 3600, 1560, 375}, .caption = {"Check for Updates"}},
    {.name = update::kDownloadUpdate, .kind = Kind::Button, .at = {1920, 3600, 1560, 375}, .caption = {"Download Update"}, .flags = forms::kDisabled},
    {.name = update::kInstallUpdate, .kind = Kind::Button, .at = {3600, 3600, 1560, 375}, .caption = {"Install Update"}, .flags = forms::kDisabled},
    {.name = update::kOk, .kind = Kind::Button, .at = {5280, 3600, 1560, 375}, .caption = {"OK"}, .flags = forms::kDefault},
    {.name = update::kDisableCheck, .kind = Kind::CheckBox, .at = {240, 4140, 4200, 255}, .caption = {"Disable check for program updates"}},
    // Last in the Tab order: the window opens with the focus on OK.
    {.name = update::kWebPageLink, .kind = Kind::Label, .at = {2280, 2700, 4560, 255}},
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
  ui_.ageNotice = Require<QLabel>(update::kAgeNotice);
  ui_.versionInfo = Require<QLabel>(update::kVersionInfo);
  ui_.lastVersion = Require<QLabel>(update::kLastVersion);
  ui_.webPageLink = Require<QLabel>(update::kWebPageLink);
  ui_.bytesReceived = Require<QLabel>(update::kBytesReceived);
  ui_.progress = Require<QProgressBar>(update::kProgress);
  ui_.checkForUpdates = Require<QPushButton>(update::kCheckForUpdates);
  ui_.downloadUpdate = Require<QPushButton>(update::kDownloadUpdate);
  ui_.installUpdate = Require<QPushButton>(update::kInstallUpdate);
  ui_.disableCheck = Require<QCheckBox>(update::kDisableCheck);

  WireButtons(Require<QPushButton>(update::kOk), nullptr, nullptr);
  connect(ui_.checkForUpdates, &QPushButton::clicked, this, &UpdateDialog::OnCheckForUpdatesClicked);
  connect(ui_.downloadUpdate, &QPushButton::clicked, this, &UpdateDialog::OnDownloadUpdateClicked);
  connect(ui_.installUpdate, &QPushButton::clicked, this, &UpdateDialog::OnInstallUpdateClicked);
  connect(&controller_, &UpdateController::changed, this, &UpdateDialog::Refresh);
  connect(&controller_, &UpdateController::leaveProgram, this, &UpdateDialog::LeaveProgram);

  // The link: a click, or Space or Enter while it has the focus, opens the
  // web page.
  ui_.webPageLink->setCursor(Qt::PointingHandCursor);
  ui_.webPageLink->setFocusPolicy(Qt::StrongFocus);
  ui_.webPageLink->installEventFilter(this);
  OnLoad();
}

UpdateDialog::~UpdateDialog() = default;

void UpdateDialog::OnLoad() {
  const UpdateWindowTexts texts = UpdateWindowTextsFor(QDate::currentDate());
  setWindowTitle(texts.caption);
  ui_.ageNotice->setText(Shown(texts.notice));
  ui_.versionInfo->setText(Shown(texts.info));
  ui_.webPageLink->setText(texts.url);
  ui_.webPageLink->setToolTip(texts.url);
  SetTextColour(ui_.webPageLink, Qt::black);
  ui_.bytesReceived->setAccessibleDescription(QStringLiteral("Bytes received"));
  Refresh();
}

void UpdateDialog::Refresh() {
  ui_.lastVersion->setText(controller_.LastVersionText());
  SetTextColour(ui_.lastVersion,
                controller_.LastVersionRed() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  ui_.bytesReceived->setText(controller_.BytesText());
  ui_.progress->setValue(controller_.ProgressValue());
  ui_.downloadUpdate->setEnabled(controller_.DownloadEnabled());
  ui_.installUpdate->setEnabled(controller_.InstallEnabled());
}

void UpdateDialog::OnCheckForUpdatesClicked() { controller_.Check(); }

void UpdateDialog::OnDownloadUpdateClicked() { controller_.DownloadUpdate(); }

void UpdateDialog::OnInstallUpdateClicked() { controller_.Install(); }

void UpdateDialog::OnWebPageLinkClicked() { controller_.OpenWebPage(); }

void UpdateDialog::OnWebPageLinkHovered(bool over) {
  QFont font = ui_.webPageLink->font();
  if (font.underline() == over) return;
  font.setUnderline(over);
  ui_.webPageLink->setFont(font);
}

bool UpdateDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ui_.webPageLink) return FormDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn: OnWebPageLinkHovered(true); break;
    case QEvent::Leave:
    case QEvent::FocusOut: OnWebPageLinkHovered(ui_.webPageLink->underMouse() || ui_.webPageLink->hasFocus()); break;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton && ui_.webPageLink->rect().contains(mouse->position().toPoint())) {
        OnWebPageLinkClicked();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        OnWebPageLinkClicked();
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

void UpdateDialog::FormUnload() { controller_.Unload(ui_.disableCheck->isChecked()); }

UpdateDialog* ShowStartupUpdate(const std::function<void()>& leaveProgram) {
  static QPointer<UpdateDialog> open;
  const QPointer<UpdateDialog> before = open;
  UpdateDialog* window = forms::ShowModeless(open, static_cast<QWidget*>(nullptr));
  if (window != before && leaveProgram) QObject::connect(window, &UpdateDialog::leaveProgram, window, leaveProgram);
  window->Controller().CheckAndInstall();
  return window;
}

}  // namespace brantel
