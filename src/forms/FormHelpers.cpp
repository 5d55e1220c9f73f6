#include "forms/FormHelpers.h"

#include "core/Messages.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace brantel::forms {

namespace {

class EmptyPasteFilter final : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
      return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return !data || !data->hasText();
  }
};

}  // namespace

void FilterEmptyPastes() {
  static QPointer<EmptyPasteFilter> installed;  // gone with its application
  QCoreApplication* application = QCoreApplication::instance();
  if (installed || !application) return;
  installed = new EmptyPasteFilter(application);
  application->installEventFilter(installed);
}

QRadioButton* OptionArray::At(int index) const {
  const int i = index - lowerBound;
  if (i < 0 || i >= static_cast<int>(buttons.size())) return nullptr;
  return buttons[static_cast<std::size_t>(i)];
}

int GetArrayIndex(const OptionArray& group) {
  int result = group.LBound();
  for (int index = group.LBound(); index <= group.UBound(); ++index) {
    const QRadioButton* button = group.At(index);
    if (button && button->isChecked()) result = index;
  }
  return result;
}

void SetArrayIndex(const OptionArray& group, int index) {
  if (index > group.UBound() || index < group.LBound()) {
    ShowMsg(QStringLiteral("Internal Error: SetArrayIndex. Check input/form data."), Buttons::Ok, RangeErrorTitle);
  }
  // Exclusive buttons cannot all be cleared; lift the rule while setting.
  std::vector<bool> exclusive;
  for (QRadioButton* button : group.buttons) {
    exclusive.push_back(button->autoExclusive());
    button->setAutoExclusive(false);
  }
  for (QRadioButton* button : group.buttons) button->setChecked(false);
  if (QRadioButton* chosen = group.At(index)) chosen->setChecked(true);
  for (std::size_t i = 0; i < group.buttons.size(); ++i) group.buttons[i]->setAutoExclusive(exclusive[i]);
}

QTableWidgetItem* Cell(QTableWidget* grid, int row, int column) {
  if (row < 0 || column < 0 || row >= grid->rowCount() || column >= grid->columnCount()) return nullptr;
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    grid->setItem(row, column, item);
  }
  return item;
}

void SelectAllText() {
  QWidget* focus = QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    line->selectAll();
  } else if (auto* text = qobject_cast<QTextEdit*>(focus)) {
    text->selectAll();
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
    plain->selectAll();
  }
}

void CenterForm(QWidget* window) {
  if (!window) return;
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize size = window->frameGeometry().size();
  int top = area.height() / 2 - size.height() / 2;
  if (top + size.height() > area.height()) top = 0;
  int left = area.width() / 2 - size.width() / 2;
  if (left + size.width() > area.width()) left = 0;
  window->move(area.left() + left, area.top() + top);
}

void CenterHorizontally(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const int left = std::max(0, (area.width() - window->frameGeometry().width()) / 2);
  window->move(area.left() + left, window->y());
}

namespace {

class FocusFilter : public QObject {
 public:
  FocusFilter(QObject* parent, QEvent::Type type, std::function<void()> handler)
      : QObject(parent), type_(type), handler_(std::move(handler)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != type_) return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    // A window that has closed, or is being deleted (it hides first), moves
    // its focus as its boxes go: no user's doing, and the dialog whose
    // handler this is may be gone already.
    if (!static_cast<QWidget*>(watched)->window()->isVisible()) return false;
    handler_();
    return false;
  }

 private:
  QEvent::Type type_;
  std::function<void()> handler_;
};

}  // namespace

WaitPointer::WaitPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void WaitPointer::Restore() {
  if (!active_) return;
  active_ = false;
  QApplication::restoreOverrideCursor();
}

void OnGotFocus(QWidget* widget, std::function<void()> handler) {
  widget->installEventFilter(new FocusFilter(widget, QEvent::FocusIn, std::move(handler)));
}

void OnLostFocus(QWidget* widget, std::function<void()> handler) {
  widget->installEventFilter(new FocusFilter(widget, QEvent::FocusOut, std::move(handler)));
}

}  // namespace brantel::forms
