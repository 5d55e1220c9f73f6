#pragma once

#include "core/Messages.h"

#include <QString>

#include <functional>

namespace brantel::platform {

// A message box with OK and Help buttons and the given icon: pressing Help,
// or F1 anywhere in the box, runs `onHelp` and leaves the box open. Returns
// the button that closed the box, as ShowMessageBox does.
Answer ShowHelpMessageBox(const QString& prompt, Icon icon, const QString& title, const std::function<void()>& onHelp);

// Until InstallWidgetHelpMessageBox runs (Main does), the box goes to ShowMessageBox
// as an OK box without its Help button, so that tests answer it like every other box.
using HelpMessageBoxHandler =
    std::function<Answer(const QString& prompt, Icon icon, const QString& title, const std::function<void()>& onHelp)>;
HelpMessageBoxHandler SetHelpMessageBoxHandler(HelpMessageBoxHandler handler);
void InstallWidgetHelpMessageBox();

}  // namespace brantel::platform
