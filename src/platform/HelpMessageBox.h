#pragma once

#include <QString>

#include <functional>

namespace brantel::platform {

// A message box with a Help button beside its own buttons: pressing Help, or
// F1 anywhere in the box, runs `onHelp` and leaves the box open. Returns the
// code of the button that closed the box, as ShowMessageBox does.
qint16 ShowHelpMessageBox(const QString& prompt, qint32 buttons, const QString& title,
                          const std::function<void()>& onHelp);

// Until InstallWidgetHelpMessageBox runs (Main does), the box goes to ShowMessageBox
// without its Help button, so that tests answer it like every other box.
using HelpMessageBoxHandler = std::function<qint16(const QString& prompt, qint32 buttons, const QString& title,
                                                   const std::function<void()>& onHelp)>;
HelpMessageBoxHandler SetHelpMessageBoxHandler(HelpMessageBoxHandler handler);
void InstallWidgetHelpMessageBox();

}  // namespace brantel::platform
