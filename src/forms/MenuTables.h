#pragma once

#include "forms/FormBuilder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <span>

namespace brantel::forms {

// The menus of a window of its own (the graph window, the failure-zones
// window) as tables, as the main window's are: each entry names the command
// it runs, so that running, checking and the tests follow from the rows.

// One entry of a window's own menu: its design name where the design gives
// one, its caption (English in both languages), the window's command it
// runs, its shortcut and whether it shows a check mark. A separator has no
// command and runs nothing. The main window's menus are rows of MainMenuRow
// (core/commands/Commands.h), which open tools and sub-menus.
template <typename Command>
struct WindowMenuRow {
  ItemName name = {};
  const char* caption = nullptr;
  std::optional<Command> command = std::nullopt;
  QKeyCombination shortcut = {};
  bool checkable = false;
};

// A menu of the menu bar: its object name, its caption and its entries.
template <typename Command>
struct MenuTable {
  const char* name;
  const char* caption;
  std::span<const WindowMenuRow<Command>> rows;
};

// Fills the bar with the menus of the tables. The entry of each command is
// kept in `entries` (indexed by the command) and runs `chosen(command)`.
template <typename Command, std::size_t N, typename Chosen>
void BuildMenuBar(QMenuBar* bar, std::span<const MenuTable<Command>> menus, std::array<QAction*, N>& entries,
                  const QObject* context, Chosen chosen) {
  for (const MenuTable<Command>& table : menus) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(table.caption));
    menu->setObjectName(QString::fromLatin1(table.name));
    for (const WindowMenuRow<Command>& row : table.rows) {
      QAction* entry = row.command ? menu->addAction(QString::fromLatin1(row.caption)) : menu->addSeparator();
      if (row.name.text[0] != '\0') entry->setObjectName(QString::fromLatin1(row.name.text));
      if (!row.command) continue;
      if (row.shortcut != QKeyCombination()) entry->setShortcut(QKeySequence(row.shortcut));
      entry->setCheckable(row.checkable);
      const Command command = *row.command;
      QObject::connect(entry, &QAction::triggered, context, [chosen, command] { chosen(command); });
      entries[static_cast<std::size_t>(command)] = entry;
    }
  }
}

}  // namespace brantel::forms
