#pragma once

namespace brantel {

// Registers the openers of every dialog the program holds (the tool
// registry, core/commands/ToolRegistry.h), with the connections that let a
// dialog's events reach the main window; Main calls it before the main
// window loads.
void RegisterProgramTools();

}  // namespace brantel
