#include "core/commands/ToolRegistry.h"

#include <array>

namespace brantel {
namespace {

struct Registered {
  ToolOpener opener;
  ToolWindow window;
};

std::array<Registered, kToolCount>& Tools() {
  static std::array<Registered, kToolCount> tools;
  return tools;
}

Registered& Of(Tool tool) { return Tools()[static_cast<std::size_t>(tool)]; }

}  // namespace

void RegisterTool(Tool tool, ToolOpener opener) { RegisterTool(tool, std::move(opener), {}); }

void RegisterTool(Tool tool, ToolOpener opener, ToolWindow window) {
  Of(tool) = {std::move(opener), std::move(window)};
}

bool ToolAvailable(Tool tool) { return static_cast<bool>(Of(tool).opener); }

void OpenTool(Tool tool, QWidget* owner) {
  // A copy: the opener may register tools while it runs.
  const ToolOpener opener = Of(tool).opener;
  if (opener) opener(owner);
}

const ToolWindow& ToolWindowOf(Tool tool) { return Of(tool).window; }

void ClearTools() { Tools().fill(Registered()); }

}  // namespace brantel
