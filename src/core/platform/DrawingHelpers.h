#pragma once

#include <QColor>
#include <QtGlobal>

class QPainter;

namespace brantel {

// Colour values as the drawing code passes them around: with the top bit
// clear a 24-bit colour (red in the low byte); with the top bit set, the low
// 31 bits name a system colour (5 the window background, 8 the window text,
// 15 the face of a button, ...).
inline constexpr qint32 kSystemColourFlag = static_cast<qint32>(0x80000000u);
inline constexpr qint32 SystemColour(int index) { return kSystemColourFlag | index; }

// The 24-bit colour of a colour value: a plain colour comes back unchanged,
// a system colour is looked up in the desktop's palette (black for an index
// that names no system colour).
qint32 TranslateSysColor(qint32 colour);

// A 24-bit colour value (red in the low byte) as a QColor.
QColor ColourFromValue(qint32 rgb);

// Draws a line with the painter's pen from (x1, y1) towards (x2, y2) in
// pixels, leaving out the end point, so that lines drawn end to end never
// paint a pixel twice. Returns 0 when the painter cannot draw (none, or not
// active), nonzero otherwise.
qint32 DrawLineWithoutEndPoint(QPainter* painter, qint32 x1, qint32 y1, qint32 x2, qint32 y2);

}  // namespace brantel
