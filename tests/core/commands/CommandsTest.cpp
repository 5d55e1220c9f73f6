#include "core/commands/Commands.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>

namespace brantel {

// Tools and menu places in the messages, as numbers.
void PrintTo(Tool tool, std::ostream* out) { *out << "Tool " << static_cast<int>(tool); }
void PrintTo(const MenuEntry& entry, std::ostream* out) {
  *out << "menu " << static_cast<int>(entry.menu) << ", entry " << entry.index;
}

namespace {

TEST(Commands, QuickButtonCodesPickTheirMenuEntry) {
  using E = MenuEntry;
  const std::pair<int, std::optional<MenuEntry>> cases[] = {
      {0, std::nullopt},         {1, E{Menu::Input, 0}}, {4, E{Menu::Input, 3}},    {9, E{Menu::Input, 8}},
      {10, std::nullopt},        {20, std::nullopt},     {21, E{Menu::Stress, 0}},  {26, E{Menu::Stress, 5}},
      {29, E{Menu::Stress, 8}},  {30, std::nullopt},     {31, E{Menu::Failure, 0}}, {38, E{Menu::Failure, 7}},
      {39, E{Menu::Failure, 8}}, {40, std::nullopt},     {-1, std::nullopt},
  };
  for (const auto& [code, target] : cases) EXPECT_EQ(QuickButtonTarget(code), target) << code;
  // A sub-menu head is an Input entry too; the entries that head no sub-menu
  // give no codes of two digits.
  EXPECT_EQ(QuickButtonTarget(2), (E{Menu::Input, 1}));
  for (int code : {11, 41, 95, 101}) EXPECT_FALSE(QuickButtonTarget(code)) << code;
  // Targets that their menu does not know open nothing.
  EXPECT_FALSE(ToolOfEntry(Menu::Stress, static_cast<int>(MenuRows(Menu::Stress).size())));
  EXPECT_FALSE(ToolOfEntry(Menu::Failure, static_cast<int>(MenuRows(Menu::Failure).size())));
  EXPECT_FALSE(ToolOfEntry(Menu::Input, -1));
}

// Users' settings keep quick buttons by their codes, and a code stands for
// a place in the menus: the tool of every code that names an entry, and the
// place it opens, written out by hand once. A row moved or put between two
// in the menus' tables would move a user's button onto another tool.
TEST(Commands, EachQuickButtonCodeAndItsMenuPlaceOpenTheSameToolAsUsersSettingsKeep) {
  const struct {
    int code;
    MenuEntry place;
    std::optional<Tool> tool;  // none: a sub-menu's head or a command
  } places[] = {
      {1, {Menu::Input, 0}, Tool::ProjectDescription},
      {2, {Menu::Input, 1}, std::nullopt},  // Stress Analysis
      {3, {Menu::Input, 2}, std::nullopt},  // Failure Criteria
      {4, {Menu::Input, 3}, Tool::PlaneElasticity},
      {5, {Menu::Input, 4}, Tool::Elasticity3D},
      {6, {Menu::Input, 5}, Tool::StrainRosette},
      {7, {Menu::Input, 6}, Tool::Transformation},
      {8, {Menu::Input, 7}, Tool::LabTest},
      {9, {Menu::Input, 8}, Tool::RoofBolting},
      {21, {Menu::Stress, 0}, Tool::Stress2D},
      {22, {Menu::Stress, 1}, Tool::Stress3D},
      {23, {Menu::Stress, 2}, Tool::CircularOpening},
      {24, {Menu::Stress, 3}, Tool::RoomAndPillar},
      {25, {Menu::Stress, 4}, Tool::PointLoad},
      {26, {Menu::Stress, 5}, Tool::Foundation},
      {31, {Menu::Failure, 0}, Tool::Coulomb},
      {32, {Menu::Failure, 1}, Tool::CoulombJoint},
      {33, {Menu::Failure, 2}, Tool::CoulombWedge},
      {34, {Menu::Failure, 3}, std::nullopt},  // the bolted slope, not ready yet
      {35, {Menu::Failure, 4}, Tool::Bieniawski},
      {36, {Menu::Failure, 5}, Tool::HoekBrown},
      {37, {Menu::Failure, 6}, Tool::VonMises},
      {38, {Menu::Failure, 7}, Tool::CircularFailure},
  };
  for (const auto& [code, place, tool] : places) {
    EXPECT_EQ(QuickButtonTarget(code), place) << "code " << code;
    EXPECT_EQ(ToolOfEntry(place.menu, place.index), tool) << "code " << code;
  }
}

// A tool or command that no row names could never be run; one that two rows
// name would be two entries of one window or command. Each sub-menu has one
// head.
TEST(Commands, EveryToolAndCommandHasOneMenuEntry) {
  std::map<int, int> tools;
  std::map<int, int> commands;
  std::map<Menu, int> heads;
  for (Menu menu : kAllMenus) {
    for (const MainMenuRow& row : MenuRows(menu)) {
      if (row.tool) ++tools[static_cast<int>(*row.tool)];
      if (row.command) ++commands[static_cast<int>(*row.command)];
      if (row.subMenu) ++heads[*row.subMenu];
    }
  }
  for (int tool = 0; tool < kToolCount; ++tool) EXPECT_EQ(tools[tool], 1) << "tool " << tool;
  for (int command = 0; command < kCommandCount; ++command) EXPECT_EQ(commands[command], 1) << "command " << command;
  EXPECT_EQ(heads, (std::map<Menu, int>{{Menu::Stress, 1}, {Menu::Failure, 1}}));
}

TEST(Commands, CaptionShowsShortenedPathAndChanges) {
  const QString fifty(50, u'p');
  EXPECT_EQ(MainCaptionText(QString(), fifty, false), QStringLiteral(": ") + fifty);
  const QString path =
      QStringLiteral("0123456789") + QString(4, u'x') + QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789Z");
  ASSERT_EQ(path.size(), 51);
  EXPECT_EQ(MainCaptionText(QStringLiteral("T"), path, true),
            QStringLiteral("T: 0123456789...abcdefghijklmnopqrstuvwxyz0123456789Z*"));
}

// Every entry has both captions and runs exactly one thing; a separator has
// neither and runs nothing.
TEST(Commands, TablesHoldEveryEntryInBothLanguages) {
  for (Menu menu : kAllMenus) {
    const auto rows = MenuRows(menu);
    ASSERT_FALSE(rows.empty());
    for (const MainMenuRow& row : rows) {
      EXPECT_EQ(row.caption.english == nullptr, row.caption.greek == nullptr);
      const int runs = int{row.tool.has_value()} + int{row.command.has_value()} + int{row.subMenu.has_value()};
      EXPECT_EQ(runs, IsSeparator(row.caption) ? 0 : 1) << (row.caption.english ? row.caption.english : "separator");
    }
  }
  EXPECT_EQ(MenuCaptionText(Menu::Help, 3, true), QString());
  for (bool english : {true, false})
    EXPECT_EQ(MenuCaptionText(Menu::Failure, 7, english), QStringLiteral("Failure Around a Circular Opening"));
  EXPECT_EQ(MenuCaptionText(Menu::Input, 7, false),
            QStringLiteral("Αξιολόγηση Εργ. Αποτελεσμάτων Μονοαξονικής Θλίψης..."));
  EXPECT_EQ(HistoryToggleCaption(false, false), QStringLiteral("Επαναφορά Ιστορικού"));
}

}  // namespace
}  // namespace brantel
