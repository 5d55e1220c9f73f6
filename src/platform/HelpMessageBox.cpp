#include "platform/HelpMessageBox.h"

#include "core/Messages.h"
#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace brantel::platform {
namespace {

HelpMessageBoxHandler& Handler() {
  static HelpMessageBoxHandler handler;
  return handler;
}

// The information box with OK and Help that the About entry shows.
qint16 ShowWidgetHelpBox(const QString& prompt, qint32 buttons, const QString& title,
                         const std::function<void()>& onHelp) {
  QMessageBox box(QApplication::activeWindow());
  PrepareMessageBox(box, prompt, buttons, title);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  QPushButton* help = box.addButton(QMessageBox::Help);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  for (;;) {
    box.exec();
    if (box.clickedButton() != help) return answer::kOk;
    if (onHelp) onHelp();
  }
}

}  // namespace

qint16 ShowHelpMessageBox(const QString& prompt, qint32 buttons, const QString& title,
                          const std::function<void()>& onHelp) {
  if (Handler()) return Handler()(prompt, buttons, title, onHelp);
  return ShowMessageBox(prompt, buttons, title);
}

HelpMessageBoxHandler SetHelpMessageBoxHandler(HelpMessageBoxHandler handler) {
  HelpMessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

void InstallWidgetHelpMessageBox() { SetHelpMessageBoxHandler(&ShowWidgetHelpBox); }

}  // namespace brantel::platform
