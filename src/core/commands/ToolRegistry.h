#pragma once

#include "core/commands/Commands.h"

#include <functional>
#include <memory>

class QWidget;
struct QMetaObject;

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

// Makes the tool's window as its opener makes it (signals connected), without
// showing it: the tests reach every registered window through it. The
// caller owns the window.
using ToolWindowFactory = std::function<std::unique_ptr<QWidget>(QWidget* owner)>;

// What a tool shows: its factory and the class of its window. A command
// that shows no window of its own (Print, Printer Setup) has neither.
struct ToolWindow {
  ToolWindowFactory make;
  const QMetaObject* type = nullptr;
};

// The opener alone; forms/ToolWindows.h registers a dialog's opener and its
// window together.
void RegisterTool(Tool tool, ToolOpener opener);
void RegisterTool(Tool tool, ToolOpener opener, ToolWindow window);
bool ToolAvailable(Tool tool);
// Runs the tool's opener; nothing when it has none.
void OpenTool(Tool tool, QWidget* owner);
// The window of a tool; an empty one (no factory) for a tool without a
// window or without an opener.
const ToolWindow& ToolWindowOf(Tool tool);
// Forgets every opener (tests).
void ClearTools();

}  // namespace brantel
