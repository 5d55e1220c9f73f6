#include "mainwindow/IconStrip.h"

#include <QFile>
#include <QPainter>

#include <algorithm>

namespace brantel {
namespace {

QImage LoadPicture(const QString& fileName) {
  QImage image;
  if (!QFile::exists(fileName) || !image.load(fileName)) return QImage();
  return image;
}

// The strip with every pixel of its top-left colour made transparent.
QImage WithoutBackground(const QImage& strip) {
  QImage image = strip.convertToFormat(QImage::Format_ARGB32);
  const QRgb background = strip.pixel(0, 0) & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == background) line[x] = 0;
    }
  }
  return image;
}

}  // namespace

IconStrip::IconStrip(const QString& fileName, QSize iconSize) : IconStrip(LoadPicture(fileName), iconSize) {}

IconStrip::IconStrip(const QImage& strip, QSize iconSize) : iconSize_(iconSize) {
  if (strip.isNull() || iconSize.isEmpty()) return;
  const QImage masked = WithoutBackground(strip);
  const int width = iconSize.width();
  const int height = iconSize.height();
  const int count = masked.width() / width;
  for (int i = 0; i < count; ++i) {
    QImage icon(width, height, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, masked, i * width, 0, width, std::min(height, masked.height()));
    painter.end();
    icons_.push_back(QPixmap::fromImage(icon));
  }
}

QPixmap IconStrip::Icon(int index) const {
  if (index < 0 || index >= Count()) return QPixmap();
  return icons_[static_cast<std::size_t>(index)];
}

}  // namespace brantel
