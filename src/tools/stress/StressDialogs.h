#pragma once

#include "core/Globals.h"
#include "forms/FormInputs.h"
#include "tools/stress/CircularOpening.h"

#include <QColor>
#include <QPointF>

#include <initializer_list>

class QFrame;
class QPainter;

namespace brantel {

namespace forms {
class FormLayout;
}

// The dialog code the stress tools share.

// The entry of an opening's input box as the checks see it: the stored
// value while the user has not edited the box, else the number of its text.
OpeningEntry OpeningEntryOf(const QLineEdit* box);

// The message for an entry without a number, "Input is not numeric", one for
// all the boxes of a dialog; the focus stays where it is.
inline constexpr InputMessage kInputNotNumeric =
    Sentence({"Input is not numeric", "Κάποια τιμή δεν έχει αριθμητική μορφή!"});

// The rules of an input box that is read as a whole entry, with the value
// rule of its tool: a text that is not a number (or a number its field
// cannot hold) gets kInputNotNumeric and the focus stays where it is. The
// dialogs that use it read every box before checking any value.
forms::InputRules WholeEntryRules(ValueRule rule);

// A label and the quantity its caption names (a row of the unit-label table).
struct UnitCaption {
  const char* label;
  UnitRow row;
};

// The project's unit of each quantity after its label's caption; the box
// beside a label is spoken of by the whole caption.
void AppendUnitsToCaptions(const forms::FormLayout& layout, std::initializer_list<UnitCaption> captions);

// A sketch's frame: a plain box line around a background of one colour.
void SetUpSketchFrame(QFrame* frame, const QColor& background);

// A line from one point to another with an open arrow head at its end,
// headLength pixels long.
void DrawArrow(QPainter& p, QPointF from, QPointF to, double headLength);

}  // namespace brantel
