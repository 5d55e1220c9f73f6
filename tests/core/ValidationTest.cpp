#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Validation.h"
#include "support/TestEnvironment.h"

#include <cmath>
#include <optional>

namespace brantel {
namespace {

using test::CoreTest;

class ValidationTest : public CoreTest {};

TEST(NumericEntry, AcceptsNumbersAndWhatCanStillGrowIntoOne) {
  for (const char* text : {"", "-", "+", ".", "-.", "1.", "1e", "1e-", "1E+", "-12.5", ".5", "-.5", "1e5", "2.5E-3",
                           " 7", "7 ", "  ", "0"}) {
    EXPECT_TRUE(IsNumericEntry(QString::fromLatin1(text))) << "'" << text << "'";
  }
  for (const char* text : {"-abc", ".x", "12a", "abc", "1..2", "1.2.3", "e5", "-e", ".e1", "1e5x", "1 2", "- 1",
                           "1e400", "--1", "0x10", "1,5"}) {
    EXPECT_FALSE(IsNumericEntry(QString::fromLatin1(text))) << "'" << text << "'";
  }
}

// The two reading rules, into a 32-bit and a 64-bit field.
TEST(ReadingRules, LeadingNumberAndWholeEntry) {
  const struct {
    const char* text;
    std::optional<double> leading, entry;  // as a 64-bit field
    std::optional<float> entrySingle;      // the whole entry as a 32-bit field
  } cases[] = {
      {"", 0.0, 0.0, 0.0f},  {"-.", 0.0, 0.0, 0.0f},  // still being typed
      {"-", 0.0, 0.0, 0.0f}, {"2.5", 2.5, 2.5, 2.5f},     {"1e", 1.0, 1.0, 1.0f},
      {"12a", 12.0, {}, {}},  // only the leading rule ignores what follows
      {"x", 0.0, {}, {}},    {"3e38", 3e38, 3e38, 3e38f}, {"1e39", 1e39, 1e39, {}},  // beyond a 32-bit field
      {"1e999", {}, {}, {}},                                                         // beyond any field
  };
  for (const auto& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(LeadingNumber(text), c.leading) << c.text;
    EXPECT_EQ(EntryNumber(text), c.entry) << c.text;
    EXPECT_EQ(EntryNumber<float>(text), c.entrySingle) << c.text;
  }
  EXPECT_EQ(LeadingNumber<float>(u"1e39x"), std::nullopt);
  EXPECT_EQ(FieldValue<double>(std::nan("")), std::nullopt);
}

TEST(MinimumWhenOutOfRange, OutsideBecomesTheMinimum) {
  float size = 5.0f;
  EXPECT_EQ(MinimumWhenOutOfRange(size, 7.0f, 24.0f), 7);
  EXPECT_EQ(size, 7.0f);
  size = 30.0f;
  EXPECT_EQ(MinimumWhenOutOfRange(size, 7.0f, 24.0f), 7);
  size = 10.0f;
  EXPECT_EQ(MinimumWhenOutOfRange(size, 7.0f, 24.0f), 10);
  size = 10.5f;
  EXPECT_EQ(MinimumWhenOutOfRange(size, 7.0f, 24.0f), 10);
  qint16 flag = 1;
  EXPECT_EQ(MinimumWhenOutOfRange(flag, qint16(-1), qint16(0)), -1);
}

TEST_F(ValidationTest, HelpHint) {
  ShowHelpHint();
  EXPECT_EQ(boxes_->Last().title, QStringLiteral("Help"));
  EXPECT_EQ(boxes_->Last().style, Icon::Warning);
  EXPECT_EQ(History(), QStringLiteral("1. Help: Position the cursor on any item on the form and press F1 "
                                      "for context-sensitive Help\r\n"));
}

}  // namespace
}  // namespace brantel
