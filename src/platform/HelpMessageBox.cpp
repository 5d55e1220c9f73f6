#include "platform/HelpMessageBox.h"

#include "core/Messages.h"
#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace brantel::platform {
namespace {

HelpMessageBoxHandler& Handler() {
  static HelpMessageBoxHandler handler;
  return handler;
}

// While it lives, F1 in the box does what the box's Help button does. The
// program's own F1 would give the topic of the window the box stands over;
// a filter of the application installed later is asked first.
class HelpKey : public QObject {
 public:
  HelpKey(const QWidget& box, const std::function<void()>& onHelp) : box_(box), onHelp_(onHelp) {
    qApp->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    if (static_cast<QWidget*>(watched)->window() != &box_) return false;
    if (!key->isAutoRepeat() && onHelp_) onHelp_();
    return true;
  }

 private:
  const QWidget& box_;
  const std::function<void()>& onHelp_;
};

// The information box with OK and Help that the About entry shows.
Answer ShowWidgetHelpBox(const QString& prompt, Icon icon, const QString& title, const std::function<void()>& onHelp) {
  QMessageBox box(MessageBoxOwner());
  const HelpKey helpKey(box, onHelp);
  PrepareMessageBox(box, prompt, icon, title);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  QPushButton* help = box.addButton(QMessageBox::Help);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  for (;;) {
    box.exec();
    if (box.clickedButton() != help) return Answer::Ok;
    if (onHelp) onHelp();
  }
}

}  // namespace

Answer ShowHelpMessageBox(const QString& prompt, Icon icon, const QString& title, const std::function<void()>& onHelp) {
  if (Handler()) return Handler()(prompt, icon, title, onHelp);
  return ShowMessageBox(prompt, icon, title);
}

HelpMessageBoxHandler SetHelpMessageBoxHandler(HelpMessageBoxHandler handler) {
  HelpMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void InstallWidgetHelpMessageBox() { SetHelpMessageBoxHandler(&ShowWidgetHelpBox); }

}  // namespace brantel::platform
