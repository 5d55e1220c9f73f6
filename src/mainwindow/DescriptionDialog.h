#pragma once

#include "core/Bilingual.h"
#include "core/UnitSystem.h"
#include "forms/FormDialog.h"

#include <QString>

class QPlainTextEdit;

namespace brantel {

// The design names of the description dialog's controls, for its code and
// its tests.
namespace description {
inline constexpr char kDescription[] = "Text1";
inline constexpr char kUnitsFrame[] = "Frame1";
inline constexpr char kUnitSystem[] = "Option1";
inline constexpr forms::ItemName kEnglish = forms::Item(kUnitSystem, 0);
inline constexpr forms::ItemName kMetric = forms::Item(kUnitSystem, 1);
inline constexpr char kOk[] = "Command2";
inline constexpr char kCancel[] = "Command1";
inline constexpr char kHelp[] = "Command3";
}  // namespace description

// The most lines the description box takes, a line ending at every line
// break of the view (IsViewLineBreak). The box keeps a block for every
// line, and its time grows with their number: a million short lines take
// seconds to paste or to show, fifty thousand a third of a second.
inline constexpr int kMaxDescriptionLines = 50'000;

// The longest line the description box keeps, in characters
// (CharacterCount). The box lays a line out whole at every key typed into
// it: a key into a line of a million characters took a quarter of a second
// of CPU time. At this length a key takes about a millisecond, and about
// twenty for the slowest text measured (a letter under thousands of
// accents). The project file wraps the description at 60 characters, so no
// description it holds comes near.
inline constexpr qsizetype kMaxDescriptionLineLength = 4096;

// The project-description dialog: edits the project's description and,
// while the project holds no data yet, its unit system. Changing the unit
// system starts the project afresh ("Untitled", every input at its default)
// in the new system; the description typed survives that. When a tool holds
// inputs typed in this project, OK asks first; No keeps the unit system and
// every input as they are.
//
// The box takes at most kMaxDescriptionLength characters, its line ends not
// counted, in at most kMaxDescriptionLines lines of at most
// kMaxDescriptionLineLength characters each; a longer description it was
// given sets its own limits. So a description the box took stays editable
// when it comes back from the project file, its lines wrapped at 60
// characters: the wrap adds line ends only, and a key that adds no line is
// never refused for the lines. Of a text typed, pasted or dropped beyond the
// characters or the lines, what fits goes in and the rest is left out, and
// a message says so. A pasted or dropped line longer than a line holds is
// broken into lines that fit, and nothing of it is lost; a key typed into a
// full line is left out, and a Backspace or Delete that would join two
// lines into one too long leaves the line end where it was, each with a
// message. Every line break of the view goes in as a line end of the box's
// own (LF), which the box gives back in any case. A description longer than
// the box shows at once (more than four times the characters it takes, or
// more than twice the lines once its long lines are broken) is kept as it
// stands and not shown: the box stays empty and read-only, and a message
// says why. The box keeps long lines laid out between paints
// (KeepLongLinesLaidOut), so that the blinking cursor costs next to nothing.
class DescriptionDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit DescriptionDialog(QWidget* owner = nullptr);

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;
  void FormUnload() override;

 private:
  void OnLoad();
  void OnDescriptionContentsChanged(int position, int removed, int added);
  void ChooseWrap(int position, int added);
  void WrapAtWordsWithoutLongStretch();
  void OnDescriptionEdited();
  void MakeLineSeparatorsLineEnds(int start);
  void LeaveOutLinesBeyondTheMost(int start);
  void LeaveOutCharactersBeyondTheMost(int start);
  void LeaveOutBeyondTheLongestLine(int start);
  QString TextToPaste(const QString& pasted) const;
  void LeaveOut(int from, int end, const Bilingual& message);
  void PartLines(int at, const Bilingual& message);
  void SayLeftOut(const Bilingual& message);
  void ShowLeftOutMessage();
  void ShowDescriptionNotShown();
  // The unit system chosen: the project's own while no option is on.
  UnitSystem ChosenUnits() const;

  struct Ui {
    QPlainTextEdit* description;
    forms::OptionArray units;
  } ui_;
  QString shownText_;                          // the description as the box showed it at load
  qsizetype mostCharacters_ = 0;               // the most characters the box takes, line ends not counted (set at load)
  int mostLines_ = 0;                          // the most lines the box takes (set at load)
  int editStart_ = -1;                         // where the box's last edit began
  const Bilingual* leftOutMessage_ = nullptr;  // the message of a text left out, on its way
  bool wrapCheckPending_ = false;              // whether to wrap at words again is to be looked at
  bool fitting_ = false;                       // whether the box's own steps are fitting an edit to the limits
};

}  // namespace brantel
