#include "core/History.h"

#include "core/Globals.h"
#include "core/Settings.h"

namespace brantel {

HistoryLog& HistoryLog::Instance() {
  static HistoryLog log;
  return log;
}

void HistoryLog::Append(const QString& line) {
  if (HistoryShown) {
    if (text_.size() >= HistoryMaxCharacters) {
      const qsizetype pairs = text_.count(QStringLiteral("\r\n"));
      if (pairs > 2) {
        // Drop the first pairs - 2 lines in one cut.
        qsizetype cut = 0;
        for (qsizetype k = 0; k < pairs - 2; ++k) cut = text_.indexOf(QStringLiteral("\r\n"), cut) + 2;
        text_.remove(0, cut);
        emit FrontDropped(cut, pairs - 2);
      }
    }
    ++HistoryCounter;
    if (HistoryCounter > 16384) HistoryCounter = 1;
    const QString numbered = QString::number(HistoryCounter) + QStringLiteral(". ") + line + QStringLiteral("\r\n");
    text_ += numbered;
    emit Appended(numbered);
  }
  emit Changed();
}

void HistoryLog::Clear() {
  text_.clear();
  emit Cleared();
  emit Changed();
}

void AddHistoryLine(const QString& text) { HistoryLog::Instance().Append(text); }

}  // namespace brantel
