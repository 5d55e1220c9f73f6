#include "platform/WidgetMessageBox.h"

#include "core/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVariant>

#include <vector>

namespace brantel::platform {
namespace {

constexpr char kKeepsBoxesAway[] = "brantelKeepsMessageBoxesAway";

QPointer<QWidget>& MainOwner() {
  static QPointer<QWidget> window;
  return window;
}

// True for a window that keeps message boxes away, or one that such a
// window parents. The widgets' own parents are followed, never the
// transient parents of their windows: those are what may go round in a
// circle.
bool KeepsBoxesAway(const QWidget* window) {
  for (const QWidget* w = window; w; w = w->parentWidget()) {
    if (w->property(kKeepsBoxesAway).toBool()) return true;
  }
  return false;
}

}  // namespace

QWidget* MessageBoxOwner() {
  for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow()}) {
    if (candidate && !KeepsBoxesAway(candidate)) return candidate->window();
  }
  QWidget* main = MainOwner().data();
  return main && !KeepsBoxesAway(main) ? main : nullptr;
}

void KeepMessageBoxesAway(QWidget& window) { window.setProperty(kKeepsBoxesAway, true); }

void SetMainMessageBoxOwner(QWidget* window) { MainOwner() = window; }

void PrepareMessageBox(QMessageBox& box, const QString& prompt, qint32 buttons, const QString& title) {
  box.setWindowTitle(title);
  // Qt reads a line break as LF alone: with CR LF, blank lines would vanish.
  QString text = prompt;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  box.setTextFormat(Qt::PlainText);  // a path or a name is never markup
  box.setText(text);
  switch (buttons & mb::kIconMask) {
    case mb::kCritical: box.setIcon(QMessageBox::Critical); break;
    case mb::kQuestion: box.setIcon(QMessageBox::Question); break;
    case mb::kExclamation: box.setIcon(QMessageBox::Warning); break;
    case mb::kInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
}

qint16 ShowWidgetMessageBox(const QString& prompt, qint32 buttons, const QString& title) {
  QMessageBox box(MessageBoxOwner());
  PrepareMessageBox(box, prompt, buttons, title);
  struct Choice {
    QMessageBox::StandardButton button;
    qint16 code;
  };
  std::vector<Choice> choices;
  switch (buttons & mb::kButtonMask) {
    case mb::kOkCancel: choices = {{QMessageBox::Ok, answer::kOk}, {QMessageBox::Cancel, answer::kCancel}}; break;
    case mb::kAbortRetryIgnore:
      choices = {{QMessageBox::Abort, answer::kAbort},
                 {QMessageBox::Retry, answer::kRetry},
                 {QMessageBox::Ignore, answer::kIgnore}};
      break;
    case mb::kYesNoCancel:
      choices = {
          {QMessageBox::Yes, answer::kYes}, {QMessageBox::No, answer::kNo}, {QMessageBox::Cancel, answer::kCancel}};
      break;
    case mb::kYesNo: choices = {{QMessageBox::Yes, answer::kYes}, {QMessageBox::No, answer::kNo}}; break;
    case mb::kRetryCancel:
      choices = {{QMessageBox::Retry, answer::kRetry}, {QMessageBox::Cancel, answer::kCancel}};
      break;
    default: choices = {{QMessageBox::Ok, answer::kOk}}; break;
  }
  for (const Choice& c : choices) box.addButton(c.button);

  std::size_t defaultIndex = 0;
  if (buttons & mb::kDefaultButton3) defaultIndex = 2;
  else if (buttons & mb::kDefaultButton2) defaultIndex = 1;
  if (defaultIndex < choices.size()) box.setDefaultButton(choices[defaultIndex].button);
  // The close box answers Cancel where there is one, else the only button.
  box.setEscapeButton(box.button(choices.back().button));
  for (const Choice& c : choices) {
    if (c.code == answer::kCancel) box.setEscapeButton(box.button(c.button));
  }

  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const Choice& c : choices) {
    if (clicked == box.button(c.button)) return c.code;
  }
  return SafeAnswer(buttons);
}

void InstallWidgetMessageBoxes() { SetMessageBoxHandler(&ShowWidgetMessageBox); }

}  // namespace brantel::platform
