#pragma once

#include <QObject>
#include <QString>

namespace brantel {

// The history: the numbered lines the program writes for every notable
// action. The text lives here, with CR LF line ends, from the first moment
// of start-up; the main window's pane shows it and follows the signals.
class HistoryLog : public QObject {
  Q_OBJECT

 public:
  static HistoryLog& Instance();

  const QString& Text() const { return text_; }

  // Appends one numbered line: the counter, ". ", the text, CR LF. Nothing is
  // appended (and the counter stays) unless HistoryShown says yes. Before
  // the line, a text of HistoryMaxCharacters characters or more keeps only its
  // last two lines. The counter counts 1 to 16384 and then starts at 1.
  void Append(const QString& line);

  // Empties the text; the numbering goes on.
  void Clear();

 signals:
  // The first `characters` characters of the text were dropped, holding
  // `lineEnds` CR LF pairs (a view turns each pair into one line break).
  void FrontDropped(qsizetype characters, qsizetype lineEnds);
  // A numbered line was added to the end of the text, CR LF included.
  void Appended(const QString& numberedLine);
  // The text was emptied.
  void Cleared();
  // After every Append and Clear, whether or not the text changed: the pane
  // should show its last line again.
  void Changed();

 private:
  HistoryLog() = default;
  QString text_;
};

// Appends one numbered line to the history (see HistoryLog::Append).
void AddHistoryLine(const QString& text);

}  // namespace brantel
