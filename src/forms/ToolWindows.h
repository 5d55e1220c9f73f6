#pragma once

#include "core/commands/ToolRegistry.h"
#include "forms/FormDialog.h"

#include <memory>
#include <type_traits>

namespace brantel::forms {

// Registers a tool's dialog with the tool registry (core/commands/
// ToolRegistry.h): the opener that the menus run and the window that the
// tests make, both from one recipe, so that what the tests check is what
// the user opens.

// The recipe of a dialog that needs nothing but its owner.
template <typename Dialog>
std::unique_ptr<Dialog> MakeDialog(QWidget* owner) {
  return std::make_unique<Dialog>(owner);
}

// A modal tool: `make` loads the dialog (and connects its signals); the
// opener shows it modally and returns when it has closed.
template <typename Dialog, typename Make = decltype(&MakeDialog<Dialog>)>
void RegisterModalTool(Tool tool, Make make = &MakeDialog<Dialog>) {
  RegisterTool(tool,
               [make](QWidget* owner) {
                 const std::unique_ptr<Dialog> dialog = make(owner);
                 dialog->exec();
               },
               {[make](QWidget* owner) -> std::unique_ptr<QWidget> { return make(owner); }, &Dialog::staticMetaObject});
}

// A modeless tool (OpenModeless): one dialog of the kind at a time, which
// stays open beside the main window; `Closed`, when given, runs each time
// it has closed.
template <typename Dialog, auto Closed = nullptr>
void RegisterModelessTool(Tool tool) {
  RegisterTool(tool, OpenModeless<Dialog, Closed>,
               {[](QWidget* owner) -> std::unique_ptr<QWidget> {
                  auto dialog = std::make_unique<Dialog>(owner);
                  if constexpr (!std::is_null_pointer_v<decltype(Closed)>) {
                    QObject::connect(dialog.get(), &QDialog::finished, dialog.get(), Closed);
                  }
                  return dialog;
                },
                &Dialog::staticMetaObject});
}

}  // namespace brantel::forms
