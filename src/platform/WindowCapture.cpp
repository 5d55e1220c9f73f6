#include "platform/WindowCapture.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace brantel {

QPixmap CaptureWindow(QWidget* window, bool client, qint32 left, qint32 top, qint32 width, qint32 height) {
  if (!window || width <= 0 || height <= 0) return QPixmap();
  // Where the client area lies within the part asked for.
  QPoint origin(-left, -top);
  if (!client && window->isWindow()) {
    origin += window->geometry().topLeft() - window->frameGeometry().topLeft();
  }
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(window->palette().color(QPalette::Window));
  const QRect wanted = QRect(-origin, QSize(width, height)) & window->rect();
  if (!wanted.isEmpty()) {
    const QPixmap inner = window->grab(wanted);
    QPainter painter(&image);
    painter.drawPixmap(wanted.topLeft() + origin, inner);
  }
  return QPixmap::fromImage(image);
}

}  // namespace brantel
