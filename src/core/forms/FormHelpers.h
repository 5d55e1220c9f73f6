#pragma once

#include <QtGlobal>

#include <vector>

class QRadioButton;
class QWidget;

namespace brantel {

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
qint16 GetArrayIndex(const OptionArray& group);

// Selects the element at the index and clears the others. An index outside
// the bounds shows "Internal Error: SetArrayIndex. Check input/form data."
// and leaves every element unselected.
void SetArrayIndex(const OptionArray& group, int index);

// Selects the whole text of the focused text box.
void SelectAllText();

// Centres a window on its screen; a window larger than the screen goes to
// the screen's top or left edge.
void CenterForm(QWidget* window);

}  // namespace brantel
