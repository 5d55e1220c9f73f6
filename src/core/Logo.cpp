#include "core/Logo.h"

#include <QPainter>
#include <QPainterPath>

namespace brantel {

QPixmap ProgramLogo() {
  const QSize size(300, 190);
  QPixmap logo(size);
  logo.fill(Qt::transparent);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 90, 90), 1.5));
  p.drawLine(QPointF(30, 130), QPointF(285, 130));  // normal stress
  p.drawLine(QPointF(30, 145), QPointF(30, 12));    // shear stress
  // The upper half of the circle: centre (165, 130), radius 75.
  QPainterPath circle;
  circle.moveTo(90, 130);
  circle.arcTo(QRectF(90, 55, 150, 150), 180, -180);
  p.setPen(QPen(QColor(0, 70, 160), 3));
  p.drawPath(circle);
  // The envelope, touching the circle.
  p.setPen(QPen(QColor(0, 128, 128), 3));
  p.drawLine(QPointF(30, 92), QPointF(270, 22));
  QFont font = p.font();
  font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"), font.family()});
  font.setPixelSize(34);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(60, 40, 20));
  p.drawText(QRectF(0, 140, size.width(), 48), Qt::AlignCenter, QStringLiteral("BRANTEL"));
  return logo;
}

}  // namespace brantel
