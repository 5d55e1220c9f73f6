#include "core/QuickButtonCodes.h"

#include "core/commands/Commands.h"

namespace brantel {

namespace {

bool ValidChoice(QuickButtonChoice choice) {
  if (choice.MenuIndex < 0 || choice.MenuIndex >= kQuickButtonMenuCount) return false;
  const int subCount = QuickButtonSubMenuCount(choice.MenuIndex);
  if (subCount == 0) return choice.SubIndex < 0;
  return choice.SubIndex >= 0 && choice.SubIndex < subCount;
}

}  // namespace

int QuickButtonSubMenuCount(int menuIndex) {
  const MainMenuRow* head = RowOfEntry(Menu::Input, menuIndex);
  return head && head->subMenu ? static_cast<int>(MenuRows(*head->subMenu).size()) : 0;
}

QStringList QuickButtonMenuItems() {
  QStringList items;
  for (int m = 1; m <= kQuickButtonMenuCount; ++m) items << QStringLiteral("Menu %1").arg(m);
  return items;
}

QStringList QuickButtonSubMenuItems(int menuIndex) {
  QStringList items;
  for (int s = 1; s <= QuickButtonSubMenuCount(menuIndex); ++s) {
    items << QStringLiteral("Sub Menu %1-%2").arg(menuIndex + 1).arg(s);
  }
  return items;
}

QuickButtonChoice DecodeQuickButton(int code) {
  QuickButtonChoice choice;
  if (code >= 1 && code <= 9) {
    choice.MenuIndex = code - 1;
  } else if (code >= 21 && code <= 39) {
    choice.MenuIndex = code / 10 - 1;
    choice.SubIndex = code % 10 - 1;
  }
  return ValidChoice(choice) ? choice : QuickButtonChoice{};
}

int EncodeQuickButton(QuickButtonChoice choice, int storedCode) {
  if (!ValidChoice(choice)) return storedCode;
  const int menu = choice.MenuIndex + 1;
  if (choice.SubIndex < 0) return menu;
  return menu * 10 + choice.SubIndex + 1;
}

}  // namespace brantel
