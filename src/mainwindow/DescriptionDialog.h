#pragma once

#include "core/Bilingual.h"
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

// The project-description dialog: edits the project's description and,
// while the project holds no data yet, its unit system. Changing the unit
// system starts the project afresh ("Untitled", every input at its default)
// in the new system; the description typed survives that. When a tool holds
// inputs typed in this project, OK asks first; No keeps the unit system and
// every input as they are.
//
// The box takes at most kMaxDescriptionLength characters (or the length of
// a longer description it was given) in at most 50,000 lines: of a text
// typed, pasted or dropped beyond that, what fits goes in and the rest is
// left out, and a message says so. A description longer than the box shows
// at once (more than four times that many characters, twice that many
// lines, or a line longer than it takes) is kept as it stands and not
// shown: the box stays empty and read-only, and a message says why.
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
  // The most characters the box takes, and how many more it takes now.
  qsizetype MostCharacters() const;
  qsizetype RoomLeft() const;
  void LeaveOut(int from, int end, const Bilingual& message);
  void ShowLeftOutMessage();
  void ShowDescriptionNotShown();
  // The unit system chosen: the project's own while no option is on.
  int ChosenUnits() const;

  struct Ui {
    QPlainTextEdit* description;
    forms::OptionArray units;
  } ui_;
  QString shownText_;                          // the description as the box showed it at load
  int editStart_ = -1;                         // where the box's last edit began
  const Bilingual* leftOutMessage_ = nullptr;  // the message of a text left out, on its way
  bool wrapCheckPending_ = false;              // whether to wrap at words again is to be looked at
};

}  // namespace brantel
