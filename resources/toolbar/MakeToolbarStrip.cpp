// Draws the toolbar's image strip "Brantel.bmp": seven 24 x 24 images side by
// side (open, save, print, project description, quick buttons 1 to 3) on a
// magenta background, which the toolbar's icon strip makes transparent (it
// takes the colour of the top-left pixel).
//
//   cmake --build build --target make_toolbar_strip
//   build/src/mainwindow/make_toolbar_strip resources/toolbar/Brantel.bmp

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

constexpr int kSize = 24;
const QColor kTransparent(255, 0, 255);
const QColor kBehind(236, 236, 236);  // what semi-transparent edges blend into

void Folder(QPainter& p) {
  p.setPen(QPen(QColor(120, 85, 10), 1));
  p.setBrush(QColor(230, 180, 60));
  p.drawRect(QRectF(2.5, 6.5, 17, 14));
  p.drawRect(QRectF(2.5, 4.5, 7, 3));
  p.setBrush(QColor(250, 210, 90));
  QPainterPath front;
  front.moveTo(2.5, 20.5);
  front.lineTo(6.5, 10.5);
  front.lineTo(22.5, 10.5);
  front.lineTo(18.5, 20.5);
  front.closeSubpath();
  p.drawPath(front);
}

void Disk(QPainter& p) {
  p.setPen(QPen(QColor(20, 40, 90), 1));
  p.setBrush(QColor(40, 80, 170));
  p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5.5, 3.5, 13, 7));
  p.setBrush(QColor(200, 200, 210));
  p.drawRect(QRectF(7.5, 14.5, 9, 7));
  p.setBrush(QColor(40, 80, 170));
  p.drawRect(QRectF(9.5, 16, 2, 4));
}

void Printer(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 2.5, 11, 8));
  p.setBrush(QColor(150, 150, 160));
  p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 15.5, 11, 6));
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.drawLine(QPointF(8, 18), QPointF(16, 18));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 170, 60));
  p.drawEllipse(QRectF(17, 11, 2.5, 2.5));
}

void Document(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(Qt::white);
  QPainterPath page;
  page.moveTo(4.5, 1.5);
  page.lineTo(15.5, 1.5);
  page.lineTo(19.5, 5.5);
  page.lineTo(19.5, 22.5);
  page.lineTo(4.5, 22.5);
  page.closeSubpath();
  p.drawPath(page);
  p.setPen(QPen(QColor(40, 80, 170), 1.2));
  for (int y = 8; y <= 19; y += 3) p.drawLine(QPointF(7, y), QPointF(17, y));
}

void Quick(QPainter& p, const QColor& colour, int number) {
  p.setPen(QPen(colour.darker(160), 1));
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 4, 4);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(16);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(1, 1, 22, 22), Qt::AlignCenter, QString::number(number));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_toolbar_strip <output.bmp>\n");
    return 2;
  }
  const std::function<void(QPainter&)> icons[] = {
      Folder,
      Disk,
      Printer,
      Document,
      [](QPainter& p) { Quick(p, QColor(200, 60, 40), 1); },
      [](QPainter& p) { Quick(p, QColor(40, 130, 60), 2); },
      [](QPainter& p) { Quick(p, QColor(50, 90, 190), 3); },
  };
  const int count = static_cast<int>(std::size(icons));
  QImage strip(count * kSize, kSize, QImage::Format_RGB888);
  for (int i = 0; i < count; ++i) {
    QImage cell(kSize, kSize, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::Antialiasing);
    icons[i](painter);
    painter.end();
    // Flatten: faint pixels become the transparent colour, the rest are
    // blended into a light toolbar grey.
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const QColor c = cell.pixelColor(x, y);
        QColor out = kTransparent;
        if (c.alpha() >= 96) {
          const double a = c.alphaF();
          out = QColor::fromRgbF(c.redF() * a + kBehind.redF() * (1 - a), c.greenF() * a + kBehind.greenF() * (1 - a),
                                 c.blueF() * a + kBehind.blueF() * (1 - a));
        }
        strip.setPixelColor(i * kSize + x, y, out);
      }
    }
  }
  if (!strip.save(QString::fromLocal8Bit(argv[1]), "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
