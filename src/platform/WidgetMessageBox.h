#pragma once

#include <QtGlobal>

class QMessageBox;
class QString;

namespace brantel::platform {

// Sets a box's title, its plain text (CR LF read as line breaks) and the
// icon of a message-box code.
void PrepareMessageBox(QMessageBox& box, const QString& prompt, qint32 buttons, const QString& title);

// Shows a modal message box with the buttons and icon of a message-box code
// and returns the code of the button pressed.
qint16 ShowWidgetMessageBox(const QString& prompt, qint32 buttons, const QString& title);

// Makes every message box of the program a real dialog on the screen.
void InstallWidgetMessageBoxes();

}  // namespace brantel::platform
