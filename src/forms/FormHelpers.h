#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <type_traits>
#include <vector>

class QLineEdit;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace brantel::forms {

// A group of option buttons that behaves as one control with an index:
// element i of `buttons` has index lowerBound + i.
struct OptionArray {
  int lowerBound = 0;
  std::vector<QRadioButton*> buttons;

  int LBound() const { return lowerBound; }
  int UBound() const { return lowerBound + static_cast<int>(buttons.size()) - 1; }
  QRadioButton* At(int index) const;
};

// Index of the selected element (the last selected one, scanning upward);
// the lower bound when none is selected.
int GetArrayIndex(const OptionArray& group);

// Selects the element at the index and clears the others. An index outside
// the bounds shows "Internal Error: SetArrayIndex. Check input/form data."
// and leaves every element unselected.
void SetArrayIndex(const OptionArray& group, int index);

// An option array whose choices are the values of an enum: each value is
// the index of its option. Read and set by name, as GetArrayIndex and
// SetArrayIndex do by index (a value without its option shows the same
// internal error).
template <typename Choice>
requires std::is_enum_v<Choice>
struct ChoiceArray : OptionArray {
  Choice Chosen() const { return static_cast<Choice>(GetArrayIndex(*this)); }
  void Choose(Choice choice) const { SetArrayIndex(*this, static_cast<int>(choice)); }
  // The option of a choice; nullptr for a value without its option.
  QRadioButton* OptionOf(Choice choice) const { return At(static_cast<int>(choice)); }
};

// The cell of a grid at a row and column, made empty when the grid has none
// there yet; nullptr outside the grid's rows and columns.
QTableWidgetItem* Cell(QTableWidget* grid, int row, int column);

// Selects the whole text of the focused text box.
void SelectAllText();

// Centres a window on its screen; a window larger than the screen goes to
// the screen's top or left edge.
void CenterForm(QWidget* window);

// Centres a window horizontally on its screen (left edge at the screen's
// width less the window's, halved, and never left of the screen); the top
// stays.
void CenterHorizontally(QWidget* window);

// Lets no paste key (Ctrl+V, Shift+Insert) through, in any window of the
// program, the desktop's file and printer dialogs among them, while the
// clipboard holds no text: no data at all while no program owns the
// clipboard (after a start, or once the program that copied has closed),
// or a picture. A line edit would replace its selection with nothing, and
// this Qt's multi-line text boxes crash on data of no format. No box of the
// program pastes anything but text. The start calls it once, before the
// first window; later calls do nothing.
void FilterEmptyPastes();

// The hourglass while a command works, put back when the object goes or
// earlier by Restore (before a message box, say).
class WaitPointer {
 public:
  WaitPointer();
  ~WaitPointer() { Restore(); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;
  void Restore();

 private:
  bool active_ = true;
};

// Runs a handler when the widget gets / loses the focus within its window
// (a message box or another window taking the focus does not count, nor
// does a change in a window that is not shown, such as a closed dialog
// being deleted).
void OnGotFocus(QWidget* widget, std::function<void()> handler);
void OnLostFocus(QWidget* widget, std::function<void()> handler);

}  // namespace brantel::forms
