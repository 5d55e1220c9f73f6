#include "mainwindow/ToolRegistry.h"

#include "mainwindow/DescriptionDialog.h"
#include "mainwindow/PrintText.h"
#include "mainwindow/TextBrowser.h"
#include "tools/stress/Stress2DDialog.h"

namespace brantel {

void RegisterProgramTools() {
  RegisterTool(Tool::ProjectDescription, [](QWidget* owner) { ShowDescriptionDialog(owner); });
  RegisterTool(Tool::PrinterSetup, [](QWidget* owner) { PrinterSetup(owner); });
  RegisterTool(Tool::TextBrowser, [](QWidget*) { ShowTextBrowser(); });
  RegisterTool(Tool::Stress2D, [](QWidget* owner) { ShowStress2DTool(owner); });
}

}  // namespace brantel
