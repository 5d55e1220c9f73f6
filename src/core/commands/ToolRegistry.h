#pragma once

#include "core/commands/Commands.h"

#include <functional>

class QWidget;

namespace brantel {

// How the main window reaches the dialogs of the other parts of the program.
// The main window registers an opener for each tool at start-up
// (RegisterProgramTools, mainwindow/ProgramTools.h); an entry whose tool has
// no opener stays disabled.
//
// An opener loads its dialog and shows it modally, with `owner` as owner
// (the main window for the project description and the three Utilities
// dialogs, none for the others), and returns when it has closed; the
// circular-opening tool is shown modeless and its opener returns at once.
// Run-time errors it raises go to the menu handler's error path.
using ToolOpener = std::function<void(QWidget* owner)>;

void RegisterTool(Tool tool, ToolOpener opener);
bool ToolAvailable(Tool tool);
// Runs the tool's opener; nothing when it has none.
void OpenTool(Tool tool, QWidget* owner);
// Forgets every opener (tests).
void ClearTools();

}  // namespace brantel
