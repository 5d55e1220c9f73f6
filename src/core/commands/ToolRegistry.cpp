#include "core/commands/ToolRegistry.h"

#include <array>

namespace brantel {
namespace {
std::array<ToolOpener, kToolCount>& Openers() {
  static std::array<ToolOpener, kToolCount> openers;
  return openers;
}
}  // namespace

void RegisterTool(Tool tool, ToolOpener opener) { Openers()[static_cast<std::size_t>(tool)] = std::move(opener); }

bool ToolAvailable(Tool tool) { return static_cast<bool>(Openers()[static_cast<std::size_t>(tool)]); }

void OpenTool(Tool tool, QWidget* owner) {
  // A copy: the opener may register tools while it runs.
  const ToolOpener opener = Openers()[static_cast<std::size_t>(tool)];
  if (opener) opener(owner);
}

void ClearTools() { Openers().fill(ToolOpener()); }

}  // namespace brantel
