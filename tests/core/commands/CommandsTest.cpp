#include "core/commands/Commands.h"

#include <gtest/gtest.h>

#include <map>

namespace brantel {
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
  // Targets that their menu does not know open nothing.
  EXPECT_FALSE(ToolOfEntry(Menu::Stress, 8));
  EXPECT_FALSE(ToolOfEntry(Menu::Failure, 8));
  EXPECT_FALSE(ToolOfEntry(Menu::Input, -1));
}

// A tool that no row names could never be opened; one that two rows name
// would be two entries of one window.
TEST(Commands, EveryToolHasOneMenuEntry) {
  std::map<int, int> entries;
  for (Menu menu : {Menu::File, Menu::Input, Menu::Stress, Menu::Failure, Menu::Utilities, Menu::Help}) {
    const auto rows = MenuRows(menu);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      if (const auto tool = ToolOfEntry(menu, i)) ++entries[static_cast<int>(*tool)];
    }
  }
  for (int tool = 0; tool < kToolCount; ++tool) EXPECT_EQ(entries[tool], 1) << "tool " << tool;
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

TEST(Commands, TablesHoldEveryEntryInBothLanguages) {
  const std::pair<Menu, int> sizes[] = {{Menu::File, 12},   {Menu::Input, 9},     {Menu::Stress, 6},
                                        {Menu::Failure, 8}, {Menu::Utilities, 8}, {Menu::Help, 9}};
  for (const auto& [menu, size] : sizes) {
    const auto rows = MenuRows(menu);
    ASSERT_EQ(static_cast<int>(rows.size()), size);
    for (const MenuRow& row : rows) {
      EXPECT_EQ(row.caption.english == nullptr, row.caption.greek == nullptr);
      EXPECT_FALSE(IsSeparator(row.caption) && row.tool.has_value()) << "a separator opens nothing";
    }
  }
  EXPECT_EQ(MenuCaptionText(Menu::Help, 3, true), QString());
  EXPECT_EQ(MenuCaptionText(Menu::Failure, 7, false), QStringLiteral("Failure Around a Circular Opening"));
  EXPECT_EQ(MenuCaptionText(Menu::Input, 7, false),
            QStringLiteral("Αξιολόγηση Εργ. Αποτελεσμάτων Μονοαξονικής Θλίψης..."));
  EXPECT_EQ(HistoryToggleCaption(false, false), QStringLiteral("Επαναφορά Ιστορικού"));
}

}  // namespace
}  // namespace brantel
