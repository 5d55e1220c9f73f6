#pragma once

#include <QtGlobal>

class QString;

namespace brantel::platform {

// Shows a modal message box with the buttons and icon of a message-box code
// and returns the code of the button pressed.
qint16 ShowWidgetMessageBox(const QString& prompt, qint32 buttons, const QString& title);

// Makes every message box of the program a real dialog on the screen.
void InstallWidgetMessageBoxes();

}  // namespace brantel::platform
