#include "core/Messages.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Settings.h"

#include <QCoreApplication>

namespace brantel {

QString MsgTitle;
QString RangeErrorTitle;
QString RangeWarningTitle;
QString InvalidCharTitle;
QString ErrorTitle;
QString LogicErrorTitle;
std::array<QString, kMsgTitlePrefixCount> MsgTitlePrefixes;

namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

qint16 SafeAnswer(qint32 buttons) {
  switch (buttons & mb::kButtonMask) {
    case mb::kOkOnly: return answer::kOk;
    case mb::kAbortRetryIgnore: return answer::kAbort;
    case mb::kYesNo: return answer::kNo;
    default: return answer::kCancel;
  }
}

qint16 MsgBox(const QString& prompt, qint32 buttons, const QString& title) {
  if (Handler()) return Handler()(prompt, buttons, title);
  return SafeAnswer(buttons);
}

qint16 ShowMsg(const QString& prompt, qint32 buttons, QString& title, const QString& helpFile,
               qint16 context) {
  if (!title.isEmpty()) {
    AddHistoryLine(title + QStringLiteral(": ") + prompt);
  } else {
    AddHistoryLine(QStringLiteral("Message: ") + prompt);
    title = !AppTitle.isEmpty() ? AppTitle : QCoreApplication::applicationName();
  }
  return MsgBox(prompt, buttons, title);
}

qint16 ShowMsg(const QString& prompt, qint32 buttons, const QString& title,
               const QString& helpFile, qint16 context) {
  QString local = title;
  return ShowMsg(prompt, buttons, local, helpFile, context);
}

qint16 ShowInvalidValue(const QString& textGr, const QString& textEn, bool withPrefix) {
  QString message;
  if (EnglishMenus == 1) {
    const QString text = textEn.isEmpty() ? textGr : textEn;
    message = withPrefix ? QStringLiteral("Invalid value for ") + text : text;
  } else {
    message = withPrefix ? QStringLiteral("Εσφαλμένη τιμή για το ") + textGr : textGr;
  }
  return ShowMsg(message, mb::kOkOnly, QString());
}

void SetMessageTitles(qint16 formIndex) {
  MsgTitle = QStringLiteral("Message");
  QString prefix;
  if (formIndex >= 1 && formIndex <= kMsgTitlePrefixCount)
    prefix = MsgTitlePrefixes[static_cast<std::size_t>(formIndex - 1)];
  RangeErrorTitle = prefix + QStringLiteral("Range Error");
  RangeWarningTitle = prefix + QStringLiteral("Range Warning");
  InvalidCharTitle = prefix + QStringLiteral("Invalid Character");
  ErrorTitle = prefix + QStringLiteral("Error");
  LogicErrorTitle = prefix + QStringLiteral("Logic Error");
}

QString Tr(const QString& english, const QString& greek) {
  return EnglishMenus == 1 ? english : greek;
}

}  // namespace brantel
