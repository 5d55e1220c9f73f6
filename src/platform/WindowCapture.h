#pragma once

#include <QPixmap>
#include <QtGlobal>

class QWidget;

namespace brantel {

// Pictures of windows, as the program puts them on the clipboard. The
// window paints itself into the picture, so whatever covers it on the
// screen, or lies off the screen, is never copied.

// A part of a window, in pixels: with client true, (left, top) is within the
// client area; with client false, within the whole window including its
// frame (the frame, which the window system draws, comes out in the window's
// background colour). Parts outside the window stay in that colour too.
QPixmap CaptureWindow(QWidget* window, bool client, qint32 left, qint32 top, qint32 width, qint32 height);

}  // namespace brantel
