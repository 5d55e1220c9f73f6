#include "core/Fonts.h"

#include <gtest/gtest.h>

namespace brantel {
namespace {

TEST(Fonts, PreferredFontsOrTheirMetricTwinsOrTheFirst) {
  const QStringList linux{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Mono"),
                          QStringLiteral("Liberation Sans")};
  EXPECT_EQ(PickFont({QStringLiteral("Arial"), QStringLiteral("Courier New")}, linux),
            QStringLiteral("Liberation Sans"));
  EXPECT_EQ(PickFont({QStringLiteral("Courier New"), QStringLiteral("Courier"), QStringLiteral("Arial")}, linux),
            QStringLiteral("Liberation Mono"));
  // The font itself wins over its twin, spelt as the list spells it.
  EXPECT_EQ(PickFont({QStringLiteral("Arial")}, {QStringLiteral("Liberation Sans"), QStringLiteral("ARIAL")}),
            QStringLiteral("ARIAL"));
  EXPECT_EQ(PickFont({QStringLiteral("System")}, linux), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(PickFont({QStringLiteral("Arial")}, {}), QString());
  EXPECT_EQ(FontExists(QStringLiteral("liberation mono"), linux), 1);
  EXPECT_EQ(FontExists(QStringLiteral("Courier"), linux), -1);
}

}  // namespace
}  // namespace brantel
