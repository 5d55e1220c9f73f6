#include "mainwindow/IconStrip.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace brantel {
namespace {

constexpr QSize kIcon(24, 24);

// A strip of `count` icons of 24 x 24 on a magenta background, icon i with a
// grey square of level 10 * (i + 1) in its middle.
QImage Strip(int count, int height = 24) {
  QImage strip(count * 24, height, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  QPainter p(&strip);
  for (int i = 0; i < count; ++i)
    p.fillRect(i * 24 + 6, 6, 12, 12, QColor::fromRgb(10 * (i + 1), 10 * (i + 1), 10 * (i + 1)));
  return strip;
}

QRgb CentreOf(const IconStrip& icons, int index) { return icons.Icon(index).toImage().pixel(12, 12); }

TEST(IconStrip, CutsAStripIntoIconsWithTheCornerColourTransparent) {
  const IconStrip icons(Strip(10), kIcon);
  EXPECT_EQ(icons.Count(), 10);
  EXPECT_EQ(icons.IconSize(), kIcon);
  EXPECT_EQ(qGray(CentreOf(icons, 0)), 10);
  EXPECT_EQ(qGray(CentreOf(icons, 9)), 100);
  const QImage first = icons.Icon(0).toImage();
  ASSERT_EQ(first.size(), kIcon);
  EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(first.pixel(12, 12)), 255);
  EXPECT_TRUE(icons.Icon(10).isNull());
  EXPECT_TRUE(icons.Icon(-1).isNull());
}

TEST(IconStrip, APartialIconIsLeftOutAndAShortStripIsPaddedWithTransparency) {
  const IconStrip icons(Strip(3).copy(0, 0, 60, 20), kIcon);
  ASSERT_EQ(icons.Count(), 2);
  const QImage second = icons.Icon(1).toImage();
  ASSERT_EQ(second.size(), kIcon);
  EXPECT_EQ(qGray(second.pixel(12, 12)), 20);
  EXPECT_EQ(qAlpha(second.pixel(12, 22)), 0);  // below the strip
}

TEST(IconStrip, AMissingOrUnreadableFileGivesNoIcons) {
  EXPECT_EQ(IconStrip(QStringLiteral("/nonexistent/Brantel.bmp"), kIcon).Count(), 0);
  EXPECT_EQ(IconStrip(QImage(), kIcon).Count(), 0);
  EXPECT_EQ(IconStrip(Strip(1).copy(0, 0, 20, 24), kIcon).Count(), 0);  // narrower than one icon
  // The program's own strip holds the toolbar's seven icons.
  EXPECT_EQ(IconStrip(QStringLiteral(BRANTEL_TOOLBAR_STRIP), kIcon).Count(), 7);
}

}  // namespace
}  // namespace brantel
