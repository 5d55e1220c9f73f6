#pragma once

#include "tools/failure/FailureCommon.h"

#include <QString>

#include <optional>
#include <span>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace brantel {

namespace forms {
class FormDialog;
}

class FailurePlot;

// The dialog code the failure-criteria tools share (their plot is
// FailurePlot.h). In short:
//   - InputBoxValue: the value of an input box for the working copy (the
//     stored value while the box is unedited), nothing for a text that is
//     no number or does not fit a 32-bit float.
//   - RefuseBox: a tool message through ShowInvalidValue, the focus back in
//     the box and its text selected; ShowToolMessage: the message alone.
//   - ApplyInputCheck: shows the fault of a CriterionInputCheck on its box
//     and writes "0" into the boxes it emptied.
//   - ShowVerdict: a verdict text in its result box.
//   - PoreControls / ShowPoreControls: the look of the pore-pressure
//     option, its box and the pore verdict, on or off.
//   - ConnectFailurePlot: the zoom bar and the two read-out labels.
//   - SwitchPlotWidth: the width switch of the graph option or check box,
//     the dialog centred horizontally after it.

// The value of an input box: the stored value while the box is unedited,
// else the leading number of its text (0 for an empty box or a partial
// entry such as "-"); nothing when IsNumericEntry refuses the text or the
// number does not fit a 32-bit float.
std::optional<float> InputBoxValue(const QLineEdit* box);

// Shows a tool message (behind "Invalid value for " when it asks for the
// prefix) through ShowInvalidValue, so it is logged to the history.
void ShowToolMessage(const ToolMessage& message);

// Refuses the entry of a box: the message, the focus back in the box and
// its whole text selected. Always false.
bool RefuseBox(QLineEdit* box, const ToolMessage& message);

// The outcome of a tool's check of its boxes (indexed like `boxes`): a
// fault refuses its box; each emptied box gets the text "0" and is
// selected (its change validates again). True when the check passed.
bool ApplyInputCheck(const CriterionInputCheck& check, std::span<QLineEdit* const> boxes);

// The verdict text in a result box ("True" / "False", or "true" / "false"
// in lower case; "Range Error"; empty).
void ShowVerdict(QLineEdit* box, Verdict verdict, VerdictCase letterCase = VerdictCase::Capitalised);

// The pore-pressure controls of a tool: the option (a check box), the
// caption and box of the pore pressure, and the caption and result box of
// the verdict with pore pressure.
struct PoreControls {
  QCheckBox* option = nullptr;
  QLabel* caption = nullptr;
  QLineEdit* box = nullptr;
  QLabel* resultCaption = nullptr;
  QLineEdit* result = nullptr;
};

// The look of the pore controls from the option: on, the box, its caption,
// the verdict and its caption are enabled; off, they are greyed and the
// verdict box is emptied.
void ShowPoreControls(const PoreControls& controls);

// Attaches the zoom bar and the read-out labels (bold) to the plot.
void ConnectFailurePlot(FailurePlot* plot, QScrollBar* zoom, QLabel* coordinates, QLabel* internalCoordinates);

// The width switch: the plot shown or hidden, the dialog `wide` or
// `narrow` twips wide (the narrow width leaves the picture out), then
// centred horizontally on its screen.
void SwitchPlotWidth(forms::FormDialog& dialog, FailurePlot* plot, bool shown, int narrowTwips, int wideTwips);

// Centres a window horizontally on its screen (left edge at the screen's
// width less the window's, halved, and never left of the screen); the top
// stays.
void CenterHorizontally(QWidget* window);

}  // namespace brantel
