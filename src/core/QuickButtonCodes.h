#pragma once

#include <QString>
#include <QStringList>

namespace brantel {

// The codes of the toolbar's three quick buttons (ToolBarPointer0..2) as the
// program-options dialog shows and edits them: a menu list "Menu 1" to
// "Menu 8" (the Input menu's entries) and, for menus 2 and 3, a sub-menu
// list, one entry for each entry of the sub-menu: "Sub Menu 2-1" on (Stress
// Analysis) and "Sub Menu 3-1" on (Failure Criteria). A code is m for menu m
// without a sub-menu and m x 10 + s for entry s of the sub-menu of menu m:
// 1, 4..8, and from 21 and from 31 as far as the sub-menus go.

inline constexpr int kQuickButtonMenuCount = 8;

// The sub-menu list a menu index (0-based) brings: one entry for each entry
// of the sub-menu that the Input menu's entry of that index heads (index 1
// and 2), none (0) for every other index.
int QuickButtonSubMenuCount(int menuIndex);

// The entries of the menu list, "Menu 1" .. "Menu 8", and of a menu's
// sub-menu list, "Sub Menu 2-1" ..; empty for a menu without one.
QStringList QuickButtonMenuItems();
QStringList QuickButtonSubMenuItems(int menuIndex);

// Picking a menu with a sub-menu in the menu list selects the sub-menu
// list's second entry (Sub Menu 2-2 or 3-2).
inline constexpr int kQuickButtonPickedSubIndex = 1;

// What the two lists show: 0-based list indexes, -1 for nothing selected.
struct QuickButtonChoice {
  int MenuIndex = -1;
  int SubIndex = -1;
  bool operator==(const QuickButtonChoice&) const = default;
};

// The lists' selection for a stored code. A code the lists cannot show
// (0 and below, 2, 3, 9, 10..20, 30, 40 and above, and the codes past the
// last entry of a sub-menu) selects nothing, so that OK keeps it unchanged.
QuickButtonChoice DecodeQuickButton(int code);

// The code for the lists' selection: with no menu selected the stored code
// stays; a menu without a sub-menu gives m; a menu with its sub-menu entry
// gives m x 10 + s. A selection the lists cannot hold (a menu index outside
// 0..7, a sub-menu entry outside its list, a menu with a sub-menu but no
// entry of it) also keeps the stored code.
int EncodeQuickButton(QuickButtonChoice choice, int storedCode);

}  // namespace brantel
