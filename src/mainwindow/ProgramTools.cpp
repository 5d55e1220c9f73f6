#include "mainwindow/ToolRegistry.h"

namespace brantel {

void RegisterProgramTools() {
  // Each tool dialog adds its opener here as it is built, for example
  //   RegisterTool(Tool::Stress2D, [](QWidget* owner) { ... exec() ... });
}

}  // namespace brantel
