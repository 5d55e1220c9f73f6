#include "core/platform/DrawingHelpers.h"
#include "platform/WindowCapture.h"

#include "core/graph/GraphBuffer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

namespace brantel {
namespace {

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

int BlackPixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == Qt::black;
  }
  return count;
}

TEST(DrawLineWithoutEndPoint, LeavesOutTheEndPoint) {
  QImage image = WhiteImage(20, 3);
  {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    EXPECT_NE(DrawLineWithoutEndPoint(&painter, 0, 0, 10, 0), 0);
  }
  for (int x = 0; x < 20; ++x) {
    EXPECT_EQ(image.pixelColor(x, 0), x <= 9 ? QColor(Qt::black) : QColor(Qt::white)) << x;
  }
  EXPECT_EQ(BlackPixels(image), 10);

  // Slanted and backwards: one pixel per step of the longer axis, the end
  // left out; lines drawn end to end meet without overlapping.
  QImage slant = WhiteImage(12, 12);
  {
    QPainter painter(&slant);
    painter.setPen(QPen(Qt::black, 1));
    DrawLineWithoutEndPoint(&painter, 10, 8, 2, 4);
    DrawLineWithoutEndPoint(&painter, 2, 4, 2, 0);
  }
  EXPECT_EQ(slant.pixelColor(10, 8), QColor(Qt::black));
  EXPECT_EQ(slant.pixelColor(2, 4), QColor(Qt::black));
  EXPECT_EQ(slant.pixelColor(2, 0), QColor(Qt::white));
  EXPECT_EQ(BlackPixels(slant), 8 + 4);

  // Nothing to draw on: the move fails and nothing is drawn.
  QPainter idle;
  EXPECT_EQ(DrawLineWithoutEndPoint(&idle, 0, 0, 5, 5), 0);
  EXPECT_EQ(DrawLineWithoutEndPoint(nullptr, 0, 0, 5, 5), 0);
}

TEST(DrawLineWithoutEndPoint, ALineFarBeyondThePictureIsClippedNotStepped) {
  // Coordinates a caller's scaling can produce: the line crosses the picture
  // and is drawn there at once, whatever its length.
  QImage image = WhiteImage(50, 50);
  {
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    EXPECT_NE(DrawLineWithoutEndPoint(&painter, 0, 20, 2000000000, 20), 0);
    EXPECT_NE(DrawLineWithoutEndPoint(&painter, -2000000000, 30, 2000000000, 30), 0);
  }
  for (int x : {0, 25, 49}) {
    EXPECT_EQ(image.pixelColor(x, 20), QColor(Qt::black)) << x;
    EXPECT_EQ(image.pixelColor(x, 30), QColor(Qt::black)) << x;
  }
  EXPECT_EQ(BlackPixels(image), 100);
}

TEST(TranslateSysColor, PlainColoursStaySystemColoursComeFromThePalette) {
  EXPECT_EQ(TranslateSysColor(255), 255);
  EXPECT_EQ(TranslateSysColor(ColourRGB(1, 2, 3)), ColourRGB(1, 2, 3));
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Base, QColor(10, 20, 30));
  palette.setColor(QPalette::Text, QColor(40, 50, 60));
  const QPalette saved = QApplication::palette();
  QApplication::setPalette(palette);
  EXPECT_EQ(TranslateSysColor(SystemColour(5)), ColourRGB(10, 20, 30));  // window background
  EXPECT_EQ(TranslateSysColor(SystemColour(8)), ColourRGB(40, 50, 60));  // window text
  EXPECT_EQ(TranslateSysColor(SystemColour(25)), 0);                     // names no colour
  EXPECT_EQ(TranslateSysColor(SystemColour(1000)), 0);
  QApplication::setPalette(saved);
}

// A window that paints itself red with a blue square at (10, 10).
class Painted : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::red);
    painter.fillRect(10, 10, 5, 5, Qt::blue);
  }
};

TEST(WindowCapture, CopiesAPartOfTheClientAreaInPixels) {
  Painted window;
  window.resize(200, 100);
  window.show();
  // Another window on top of it is not copied.
  QWidget cover;
  cover.setGeometry(window.geometry());
  cover.show();
  const QPixmap client = CaptureWindow(&window, true, 0, 0, 200, 100);
  ASSERT_EQ(client.size(), QSize(200, 100));
  const QImage image = client.toImage();
  EXPECT_EQ(image.pixelColor(150, 50), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::blue));

  const QImage part = CaptureWindow(&window, true, 10, 10, 20, 20).toImage();
  ASSERT_EQ(part.size(), QSize(20, 20));
  EXPECT_EQ(part.pixelColor(0, 0), QColor(Qt::blue));
  EXPECT_EQ(part.pixelColor(10, 10), QColor(Qt::red));
  // A part reaching past the window: the rest is the background colour.
  const QImage beyond = CaptureWindow(&window, true, 190, 0, 20, 10).toImage();
  EXPECT_EQ(beyond.pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(beyond.pixelColor(15, 5), window.palette().color(QPalette::Window));
}

}  // namespace
}  // namespace brantel
