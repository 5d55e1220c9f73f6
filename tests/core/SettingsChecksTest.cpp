#include "core/FileConversion.h"
#include "core/QuickButtonCodes.h"
#include "core/SettingsChecks.h"
#include "core/Validation.h"
#include "core/commands/Commands.h"
#include "support/TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

namespace brantel {
namespace {

using test::CoreTest;

class SettingsChecks : public CoreTest {};

// The box is read by its whole entry, as the dialog's reader reads it.
HistorySizeCheck CheckHistorySizeText(const QString& text) { return CheckHistorySize(text, EntryNumber(text)); }

TEST_F(SettingsChecks, HistorySizeIsStoredRoundedWithinItsRange) {
  struct Case {
    const char* text;
    std::optional<qint16> stored;
  };
  const std::vector<Case> cases = {
      {"4096", 4096},  {"16384", 16384}, {" 8000 ", 8000}, {"5000.5", 5000}, {"5001.5", 5002}, {"4.5e3", 4500},
      {"4095", {}},    {"16385", {}},    {"16384.5", {}},  {"", {}},         {"  ", {}},       {"abc", {}},
      {"4096abc", {}}, {"-5000", {}},    {"1e999", {}},    {"-", {}},        {".", {}},
  };
  for (const Case& c : cases) {
    const HistorySizeCheck check = CheckHistorySizeText(QString::fromLatin1(c.text));
    EXPECT_EQ(check.Size, c.stored) << c.text;
    EXPECT_EQ(check.Message.isEmpty(), c.stored.has_value()) << c.text;
  }
}

TEST_F(SettingsChecks, AHistorySizeRefusedSaysWhyAndQuotesTheTrimmedEntry) {
  const QString field = QStringLiteral("Size of Command History Window: ");
  const QString range = QStringLiteral("' is outside input range\r\nValid range is: 4096-16384");
  EXPECT_EQ(CheckHistorySizeText(QStringLiteral("   ")).Message, field + QStringLiteral("Blank field not allowed"));
  EXPECT_EQ(CheckHistorySizeText(QStringLiteral("  4095  ")).Message, field + QStringLiteral("Value '4095") + range);
  // A text that is no number is out of range, even where its leading number
  // would lie in it.
  EXPECT_EQ(CheckHistorySizeText(QStringLiteral("5000abc")).Message, field + QStringLiteral("Value '5000abc") + range);
  EXPECT_EQ(CheckHistorySizeText(QStringLiteral("-")).Message, field + QStringLiteral("Value '-") + range);
  EXPECT_EQ(CheckHistorySize(QStringLiteral("12"), std::nullopt).Message, field + QStringLiteral("Value '12") + range);
}

TEST_F(SettingsChecks, DataPathMustNameAFolderAndEndsWithASlash) {
  const QString folder = Home() + QStringLiteral("/data");
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString file = WriteFile(Home() + QStringLiteral("/notes.txt"), "x");

  DataPathCheck check = CheckDataPath(QStringLiteral("  ") + folder + QStringLiteral("  "));
  EXPECT_TRUE(check.Valid);
  EXPECT_EQ(check.Text, folder + u'/');
  check = CheckDataPath(folder + u'/');
  EXPECT_TRUE(check.Valid);
  EXPECT_EQ(check.Text, folder + u'/');

  check = CheckDataPath(Home() + QStringLiteral("/missing"));
  EXPECT_FALSE(check.Valid);
  EXPECT_EQ(check.Text, Home() + QStringLiteral("/missing/"));  // written back all the same
  EXPECT_FALSE(CheckDataPath(file).Valid);                      // a file is no folder

  check = CheckDataPath(QStringLiteral("   "));
  EXPECT_TRUE(check.Valid);
  EXPECT_TRUE(check.Text.isEmpty());
}

TEST(SettingsExtension, OnlyCapitalLettersAndDigitsPassAndTheTextIsTrimmed) {
  EXPECT_EQ(ExtensionBoxText(QStringLiteral("bnl")), QStringLiteral("BNL"));
  struct Case {
    const char16_t* box;
    std::optional<QString> stored;
  };
  const std::vector<Case> cases = {
      {u"BNL", QStringLiteral("BNL")},
      {u"B2", QStringLiteral("B2")},
      {u" BNL ", QStringLiteral("BNL")},
      {u"", QString()},
      {u"   ", QString()},
      {u"B NL", {}},
      {u"B.NL", {}},
      {u"bnl", {}},
      {u"ΒΝΛ", {}},
      {u"*", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckedFileExtension(QString::fromUtf16(c.box)), c.stored) << QString::fromUtf16(c.box).toStdString();
  }
}

TEST(QuickButtons, StoredCodesRoundTripThroughTheLists) {
  struct Case {
    qint16 code;
    QuickButtonChoice shown;
  };
  const std::vector<Case> cases = {
      {21, {1, 0}}, {26, {1, 5}}, {31, {2, 0}}, {38, {2, 7}}, {1, {0, -1}}, {4, {3, -1}}, {8, {7, -1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeQuickButton(c.code), c.shown) << c.code;
    EXPECT_EQ(EncodeQuickButton(c.shown, 99), c.code) << c.code;
  }
}

TEST(QuickButtons, CodesOutsideTheListsShowNothingAndAreKept) {
  // 2 and 3 would name a menu without its sub-menu entry; 9, and the codes
  // past the last entry of each sub-menu, entries the lists do not have.
  const auto past = [](Menu menu, int first) { return static_cast<qint16>(first + MenuRows(menu).size()); };
  for (const qint16 code : {qint16(-4), qint16(0), qint16(2), qint16(3), qint16(9), qint16(10), qint16(15), qint16(20),
                            past(Menu::Stress, 21), qint16(30), past(Menu::Failure, 31), qint16(40), qint16(32767)}) {
    const QuickButtonChoice shown = DecodeQuickButton(code);
    EXPECT_EQ(shown, QuickButtonChoice{}) << code;
    EXPECT_EQ(EncodeQuickButton(shown, code), code) << code;
  }
}

TEST(QuickButtons, PickingAMenuGivesItsCode) {
  EXPECT_EQ(EncodeQuickButton({1, kQuickButtonPickedSubIndex}, 4), 22);  // Menu 2 picks Sub Menu 2-2
  EXPECT_EQ(EncodeQuickButton({2, kQuickButtonPickedSubIndex}, 4), 32);
  EXPECT_EQ(EncodeQuickButton({0, -1}, 21), 1);
  EXPECT_EQ(EncodeQuickButton({7, -1}, 21), 8);
  // Selections the lists cannot hold keep the stored code.
  EXPECT_EQ(EncodeQuickButton({1, -1}, 21), 21);
  EXPECT_EQ(EncodeQuickButton({1, static_cast<int>(MenuRows(Menu::Stress).size())}, 21), 21);
  EXPECT_EQ(EncodeQuickButton({3, 0}, 21), 21);
  EXPECT_EQ(EncodeQuickButton({8, -1}, 21), 21);

  EXPECT_EQ(QuickButtonMenuItems().size(), 8);
  EXPECT_EQ(QuickButtonMenuItems().last(), QStringLiteral("Menu 8"));
  // Menus 2 and 3 list the entries of the sub-menus that their Input entries
  // head, one for each.
  const auto stress = static_cast<qsizetype>(MenuRows(Menu::Stress).size());
  const auto failure = static_cast<qsizetype>(MenuRows(Menu::Failure).size());
  ASSERT_EQ(QuickButtonSubMenuItems(1).size(), stress);
  EXPECT_EQ(QuickButtonSubMenuItems(1).first(), QStringLiteral("Sub Menu 2-1"));
  EXPECT_EQ(QuickButtonSubMenuItems(1).last(), QStringLiteral("Sub Menu 2-%1").arg(stress));
  ASSERT_EQ(QuickButtonSubMenuItems(2).size(), failure);
  EXPECT_EQ(QuickButtonSubMenuItems(2).last(), QStringLiteral("Sub Menu 3-%1").arg(failure));
  EXPECT_TRUE(QuickButtonSubMenuItems(0).isEmpty());
  EXPECT_TRUE(QuickButtonSubMenuItems(3).isEmpty());
}

TEST(FileConversionDialog, OffersTheOtherUnitSystemAndConvertsNothing) {
  EXPECT_EQ(FileConversionUnitsFor(UnitSystem::Imperial).Selected, UnitSystem::SI);
  EXPECT_EQ(FileConversionUnitsFor(UnitSystem::Imperial).Disabled, UnitSystem::Imperial);
  EXPECT_EQ(FileConversionUnitsFor(UnitSystem::SI).Selected, UnitSystem::Imperial);
  EXPECT_EQ(FileConversionUnitsFor(UnitSystem::SI).Disabled, UnitSystem::SI);
  EXPECT_EQ(FileConversionUnitsFor(static_cast<UnitSystem>(7)).Disabled, std::nullopt);

  const FileConversionOutcome outcome = RunFileConversion(UnitSystem::SI);
  EXPECT_TRUE(outcome.Succeeded);
  EXPECT_EQ(outcome.Message, QStringLiteral("Conversion Completed: The conversion form will be closed"));
  EXPECT_EQ(ConvertTargetUnits, UnitSystem::SI);
}

}  // namespace
}  // namespace brantel
