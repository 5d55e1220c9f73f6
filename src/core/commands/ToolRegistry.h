#pragma once

#include "core/commands/Commands.h"

#include <functional>

class QWidget;

namespace brantel {

// How the main window reaches the dialogs of the other parts of the program.
// Each part registers an opener for its tool at start-up
// (RegisterProgramTools); an entry whose tool has no opener stays disabled.
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

// Registers the openers of every dialog the program holds; Main calls it
// before the main window loads.
void RegisterProgramTools();

}  // namespace brantel
