#include "core/Messages.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Settings.h"

#include <QCoreApplication>

#include <algorithm>

namespace brantel {

QString MsgTitle;
QString RangeErrorTitle;
QString RangeWarningTitle;
QString InvalidCharTitle;
QString ErrorTitle;
QString LogicErrorTitle;

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

Answer SafeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::AbortRetryIgnore: return Answer::Abort;
    case Buttons::YesNo: return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel: break;
  }
  return Answer::Cancel;
}

Answer ShowMessageBox(const QString& prompt, BoxStyle style, const QString& title) {
  if (Handler()) return Handler()(prompt, style, title);
  return SafeAnswer(style.buttons);
}

namespace {

// A message title that no window has set yet (they stay empty until the
// first SetMessageTitles) takes the title its first box showed: the later
// boxes under it are logged under the application title, not as messages.
void KeepShownTitle(const QString& title, const QString& shown) {
  for (QString* messageTitle :
       {&MsgTitle, &RangeErrorTitle, &RangeWarningTitle, &InvalidCharTitle, &ErrorTitle, &LogicErrorTitle}) {
    if (&title == messageTitle) *messageTitle = shown;
  }
}

}  // namespace

Answer ShowMsg(const QString& prompt, BoxStyle style, const QString& title) {
  if (!title.isEmpty()) {
    AddHistoryLine(title + QStringLiteral(": ") + prompt);
    return ShowMessageBox(prompt, style, title);
  }
  AddHistoryLine(QStringLiteral("Message: ") + prompt);
  const QString shown = !AppTitle.isEmpty() ? AppTitle : QCoreApplication::applicationName();
  KeepShownTitle(title, shown);
  return ShowMessageBox(prompt, style, shown);
}

Answer ShowInvalidValue(const Bilingual& text, bool withPrefix) {
  const QString shown = Tr(text);
  const QString message = withPrefix ? Tr({"Invalid value for ", "Εσφαλμένη τιμή για το "}) + shown : shown;
  return ShowMsg(message, Buttons::Ok, QString());
}

namespace {

QString PrefixOf(TitlePrefix window) {
  switch (window) {
    case TitlePrefix::Unnamed: break;
    case TitlePrefix::ProjectDescription: return QStringLiteral("Project Description: ");
    case TitlePrefix::Settings: return QStringLiteral("Settings: ");
    case TitlePrefix::ProgramOptions: return QStringLiteral("Program Options: ");
    case TitlePrefix::UnitConversion: return QStringLiteral("Unit Conversion: ");
  }
  return QString();
}

}  // namespace

void SetMessageTitles(TitlePrefix window) {
  MsgTitle = QStringLiteral("Message");
  const QString prefix = PrefixOf(window);
  RangeErrorTitle = prefix + QStringLiteral("Range Error");
  RangeWarningTitle = prefix + QStringLiteral("Range Warning");
  InvalidCharTitle = prefix + QStringLiteral("Invalid Character");
  ErrorTitle = prefix + QStringLiteral("Error");
  LogicErrorTitle = prefix + QStringLiteral("Logic Error");
}

namespace {

// The escape of a character that a message must not show as it is, or an
// empty text for one that it shows.
QString Escape(char32_t c) {
  switch (c) {
    case U'\r': return QStringLiteral("\\r");
    case U'\n': return QStringLiteral("\\n");
    case U'\t': return QStringLiteral("\\t");
    case 0: return QStringLiteral("\\0");
    default: break;
  }
  const auto hex = [c](int digits) {
    return QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(digits, u'0');
  };
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return QStringLiteral("\\x") + hex(2);
  const QChar::Category category = QChar::category(c);
  if (category == QChar::Other_Format || category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
      category == QChar::Other_Surrogate)
    return QStringLiteral("\\u{") + hex(4) + u'}';
  return QString();
}

}  // namespace

QString ShownText(QStringView text, qsizetype maxShown) {
  static const QString kCut = QStringLiteral("...");
  QString out;
  out.reserve(std::min<qsizetype>(text.size(), maxShown) + kCut.size());
  qsizetype i = 0;
  while (i < text.size()) {
    // One character: a pair of surrogates together, a lone one alone.
    char32_t c = text[i].unicode();
    qsizetype units = 1;
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      units = 2;
    }
    const QString escape = Escape(c);
    const QString piece = escape.isEmpty() ? text.mid(i, units).toString() : escape;
    if (out.size() + piece.size() > maxShown) {
      out += kCut;
      return out;
    }
    out += piece;
    i += units;
  }
  return out;
}

QString QuotedText(QStringView text, qsizetype maxShown) { return u'"' + ShownText(text, maxShown) + u'"'; }

}  // namespace brantel
