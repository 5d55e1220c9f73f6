#pragma once

#include "core/Messages.h"

class QMessageBox;
class QWidget;

namespace brantel::platform {

// The window a message box belongs to: the modal window in front, else the
// active window, else the main window (SetMainMessageBoxOwner); never a
// window that keeps message boxes away (KeepMessageBoxesAway) nor one that
// such a window parents. Nothing when there is no window to take it.
QWidget* MessageBoxOwner();

// Marks a window that never owns a message box, nor do the windows it
// parents. The help window is one: it follows the modal window in front as
// that window's transient child, so a box of its own would make each the
// other's ancestor.
void KeepMessageBoxesAway(QWidget& window);

// The window that owns a message box when no other window can: the main
// window. Forgotten when that window goes.
void SetMainMessageBoxOwner(QWidget* window);

// Sets a box's title, its plain text (CR LF read as line breaks) and its icon.
void PrepareMessageBox(QMessageBox& box, const QString& prompt, Icon icon, const QString& title);

// Shows a modal message box of the given style over MessageBoxOwner(), and
// returns the button pressed.
Answer ShowWidgetMessageBox(const QString& prompt, BoxStyle style, const QString& title);

// Makes every message box of the program a real dialog on the screen.
void InstallWidgetMessageBoxes();

}  // namespace brantel::platform
