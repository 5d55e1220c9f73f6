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

void PrepareMessageBox(QMessageBox& box, const QString& prompt, Icon icon, const QString& title) {
  box.setWindowTitle(title);
  // Qt reads a line break as LF alone: with CR LF, blank lines would vanish.
  QString text = prompt;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  box.setTextFormat(Qt::PlainText);  // a path or a name is never markup
  box.setText(text);
  switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
  }
}

Answer ShowWidgetMessageBox(const QString& prompt, BoxStyle style, const QString& title) {
  QMessageBox box(MessageBoxOwner());
  PrepareMessageBox(box, prompt, style.icon, title);
  struct Choice {
    QMessageBox::StandardButton button;
    Answer answer;
  };
  std::vector<Choice> choices;
  switch (style.buttons) {
    case Buttons::Ok: choices = {{QMessageBox::Ok, Answer::Ok}}; break;
    case Buttons::OkCancel: choices = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}}; break;
    case Buttons::AbortRetryIgnore:
      choices = {{QMessageBox::Abort, Answer::Abort},
                 {QMessageBox::Retry, Answer::Retry},
                 {QMessageBox::Ignore, Answer::Ignore}};
      break;
    case Buttons::YesNoCancel:
      choices = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
      break;
    case Buttons::YesNo: choices = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}; break;
    case Buttons::RetryCancel:
      choices = {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}};
      break;
  }
  for (const Choice& c : choices) box.addButton(c.button);

  // BoxStyle keeps the default button within the set.
  box.setDefaultButton(choices[static_cast<std::size_t>(style.defaultButton)].button);
  // The close box answers Cancel where there is one, else the last button.
  box.setEscapeButton(box.button(choices.back().button));
  for (const Choice& c : choices) {
    if (c.answer == Answer::Cancel) box.setEscapeButton(box.button(c.button));
  }

  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const Choice& c : choices) {
    if (clicked == box.button(c.button)) return c.answer;
  }
  return SafeAnswer(style.buttons);
}

void InstallWidgetMessageBoxes() { SetMessageBoxHandler(&ShowWidgetMessageBox); }

}  // namespace brantel::platform
