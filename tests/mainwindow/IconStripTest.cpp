#include "mainwindow/IconStrip.h"

#include "core/RuntimeError.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace brantel {
namespace {

qint32 ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const RuntimeError& e) {
    return e.Number();
  }
  return 0;
}

// A strip of `count` cells of 24 x 24 on a magenta background, cell i with a
// grey square of level 10 * (i + 1) in its middle.
QImage Strip(int count, int height = 24) {
  QImage strip(count * 24, height, QImage::Format_RGB32);
  strip.fill(QColor(255, 0, 255));
  QPainter p(&strip);
  for (int i = 0; i < count; ++i)
    p.fillRect(i * 24 + 6, 6, 12, 12, QColor::fromRgb(10 * (i + 1), 10 * (i + 1), 10 * (i + 1)));
  return strip;
}

QRgb CentreOf(const IconStrip& list, int position) { return list.ItemPicture(position).toImage().pixel(12, 12); }

TEST(ImageList, CutsAStripIntoImagesWithTheCornerColourTransparent) {
  IconStrip list;
  EXPECT_EQ(list.IconSizeX(), 16);
  EXPECT_FALSE(list.AddFromHandle(Strip(1), IconStrip::kBitmap));  // no list yet
  list.SetIconSizeX(24);
  list.SetIconSizeY(24);
  ASSERT_TRUE(list.Create());
  EXPECT_NE(list.hIml(), 0u);
  ASSERT_TRUE(list.AddFromHandle(Strip(10), IconStrip::kBitmap));
  EXPECT_EQ(list.ImageCount(), 10);
  EXPECT_EQ(qGray(CentreOf(list, 1)), 10);
  EXPECT_EQ(qGray(CentreOf(list, 10)), 100);
  const QImage first = list.ItemPicture(1).toImage();
  EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(first.pixel(12, 12)), 255);

  // A partial cell at the end is no image; a short strip is padded.
  list.Clear();
  EXPECT_TRUE(list.AddFromHandle(Strip(3).copy(0, 0, 60, 20), IconStrip::kBitmap));
  EXPECT_EQ(list.ImageCount(), 2);
  EXPECT_EQ(list.ItemPicture(2).height(), 24);

  // A file that is not there adds nothing.
  EXPECT_FALSE(list.AddFromFile(QStringLiteral("/nonexistent/Brantel.bmp"), IconStrip::kBitmap));
  EXPECT_EQ(list.ImageCount(), 2);
  list.Destroy();
  EXPECT_EQ(list.hIml(), 0u);
  EXPECT_EQ(list.ImageCount(), 0);
}

TEST(ImageList, PositionsAndKeysRaiseTheirErrors) {
  IconStrip list;
  list.SetIconSizeX(24);
  list.SetIconSizeY(24);
  list.Create();
  ASSERT_TRUE(list.AddFromHandle(Strip(1), IconStrip::kBitmap, QStringLiteral("open")));
  ASSERT_TRUE(list.AddFromHandle(Strip(1), IconStrip::kBitmap, QStringLiteral("save")));
  ASSERT_TRUE(list.AddFromHandle(Strip(1), IconStrip::kBitmap));
  ASSERT_TRUE(list.AddFromHandle(Strip(1), IconStrip::kBitmap));  // an empty key may repeat

  EXPECT_EQ(list.ItemIndex(1), 0);
  EXPECT_EQ(list.ItemIndex(QStringLiteral("open")), 0);
  EXPECT_EQ(list.ItemIndex(QStringLiteral("save")), 1);
  EXPECT_EQ(list.ItemIndex(QStringLiteral("4")), 3);  // a number in a text is a position
  EXPECT_EQ(ErrorOf([&] { list.ItemIndex(0); }), err::kSubscript);
  EXPECT_EQ(ErrorOf([&] { list.ItemIndex(5); }), err::kSubscript);
  EXPECT_EQ(ErrorOf([&] { list.ItemIndex(QStringLiteral("Open")); }), err::kSubscript);
  EXPECT_EQ(ErrorOf([&] { list.ItemKey(5); }), err::kSubscript);
  EXPECT_EQ(list.ItemKey(2), QStringLiteral("save"));

  // A taken key raises 457 and adds nothing.
  EXPECT_EQ(ErrorOf([&] { list.AddFromHandle(Strip(1), IconStrip::kBitmap, QStringLiteral("open")); }),
            err::kKeyAlreadyInCollection);
  EXPECT_EQ(list.ImageCount(), 4);
  EXPECT_EQ(ErrorOf([&] { list.SetItemKey(3, QStringLiteral("save")); }), err::kKeyAlreadyInCollection);
  list.SetItemKey(3, QStringLiteral("print"));
  EXPECT_TRUE(list.KeyExists(QStringLiteral("print")));
  EXPECT_FALSE(list.KeyExists(QStringLiteral("PRINT")));

  // Removing the second of three keyed images keeps the first and third.
  list.RemoveImage(4);
  list.RemoveImage(QStringLiteral("save"));
  EXPECT_EQ(list.ImageCount(), 2);
  EXPECT_EQ(list.ItemKey(1), QStringLiteral("open"));
  EXPECT_EQ(list.ItemKey(2), QStringLiteral("print"));
  EXPECT_EQ(ErrorOf([&] { list.RemoveImage(QStringLiteral("save")); }), err::kSubscript);
}

TEST(ImageList, InsertSwapCopyAndStrip) {
  IconStrip list;
  list.SetIconSizeX(24);
  list.SetIconSizeY(24);
  list.Create();
  list.AddFromHandle(Strip(1), IconStrip::kBitmap, QStringLiteral("a"));
  list.AddFromHandle(Strip(2).copy(24, 0, 24, 24), IconStrip::kBitmap, QStringLiteral("b"));
  // Insert before "b"; a key that is not there adds nothing.
  QImage third = Strip(3).copy(48, 0, 24, 24);
  EXPECT_FALSE(list.AddFromHandle(third, IconStrip::kBitmap, QStringLiteral("c"), -1, QStringLiteral("x")));
  ASSERT_TRUE(list.AddFromHandle(third, IconStrip::kBitmap, QStringLiteral("c"), -1, QStringLiteral("b")));
  EXPECT_EQ(list.ItemIndex(QStringLiteral("c")), 1);
  EXPECT_EQ(list.ItemIndex(QStringLiteral("b")), 2);
  EXPECT_EQ(qGray(CentreOf(list, 2)), 30);

  list.SwapOrCopyImage(QStringLiteral("a"), QStringLiteral("b"), 1);
  EXPECT_EQ(list.ItemKey(1), QStringLiteral("b"));
  EXPECT_EQ(qGray(CentreOf(list, 1)), 20);
  list.SwapOrCopyImage(QStringLiteral("a"), QStringLiteral("nowhere"), 1);  // nothing
  EXPECT_EQ(list.ItemKey(3), QStringLiteral("a"));

  // A strip as wide as the list, the images from start to end in place.
  const QImage strip = list.ImagePictureStrip(2, 3, 0x00FFFFFF).toImage();
  ASSERT_EQ(strip.size(), QSize(72, 24));
  EXPECT_EQ(strip.pixelColor(12, 12), QColor(Qt::white));
  EXPECT_EQ(qGray(strip.pixel(36, 12)), 30);
  EXPECT_EQ(qGray(strip.pixel(60, 12)), 10);
  EXPECT_TRUE(list.ImagePictureStrip(3, 3).isNull());

  // A cut from a picture: at most 16 x 16 pixels, the colour masked out.
  QImage picture(40, 40, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  EXPECT_TRUE(list.AddFromPictureBox(picture, QStringLiteral("cut"), 0, 0, 0x0000FF));
  const QImage cut = list.ItemPicture(QStringLiteral("cut")).toImage();
  EXPECT_EQ(qAlpha(cut.pixel(20, 20)), 0);
  EXPECT_EQ(cut.pixelColor(5, 5), QColor(Qt::blue));

  EXPECT_EQ(IconStrip::TranslateColor(0x0000FF), 0x0000FF);
  EXPECT_EQ(IconStrip::TranslateColor(-1), -1);
  EXPECT_EQ(IconStrip::TranslateColor(static_cast<qint32>(0x80000063)), -1);
  EXPECT_NE(IconStrip::TranslateColor(IconStrip::kButtonFace), -1);
}

}  // namespace
}  // namespace brantel
