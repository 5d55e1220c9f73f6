#include "tools/stress/ElementPicture.h"

#include "forms/FormBuilder.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brantel {
namespace {

constexpr double kTwips = forms::kTwipsPerPixel;

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len;
  const QPointF n(-u.y(), u.x());
  QPainterPath head;
  head.moveTo(to);
  head.lineTo(to - u * 7 + n * 3.5);
  head.lineTo(to - u * 7 - n * 3.5);
  head.closeSubpath();
  p.fillPath(head, p.pen().color());
}

}  // namespace

ReferenceElement::ReferenceElement(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAccessibleName(QStringLiteral("Reference element"));
}

void ReferenceElement::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.scale(1.0 / kTwips, 1.0 / kTwips);
  p.setPen(QPen(Qt::black, kTwips));
  p.drawRect(QRectF(1200, 1200, 600, 600));
  p.setPen(QPen(Qt::black, 2 * kTwips));
  p.drawLine(QPointF(1500, 720), QPointF(1500, 2160));
  p.drawLine(QPointF(0, 1500), QPointF(3000, 1500));
}

QImage ReferenceElement::Picture() const { return const_cast<ReferenceElement*>(this)->grab().toImage(); }

ElementView::ElementView(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  labelled_ = new QLabel(this);
  labelled_->setObjectName(QStringLiteral("Picture1"));
  labelled_->setPixmap(QPixmap::fromImage(LabelledElement()));
  labelled_->setGeometry(0, 0, 200, 200);
  labelled_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setAccessibleName(QStringLiteral("Stress element"));
}

bool ElementView::LabelledShown() const { return !labelled_->isHidden(); }

void ElementView::ShowTurned(const QImage& reference, double degrees) {
  reference_ = reference;
  degrees_ = degrees;
  turned_ = true;
  ++drawCount_;
  labelled_->hide();
  update();
}

void ElementView::ShowLabelled() {
  turned_ = false;
  reference_ = QImage();
  labelled_->show();
  update();
}

QImage ElementView::Picture() const { return const_cast<ElementView*>(this)->grab().toImage(); }

void ElementView::paintEvent(QPaintEvent*) {
  if (!turned_ || reference_.isNull()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.translate(width() / 2, height() / 2);
  // Counter-clockwise on the screen, whose y axis points down.
  p.rotate(-degrees_);
  p.translate(-(reference_.width() / 2), -(reference_.height() / 2));
  // Only the interior of the reference picture is copied.
  const QRect interior(1, 1, reference_.width() - 2, reference_.height() - 2);
  p.setClipRect(interior);
  p.drawImage(QPoint(0, 0), reference_);
}

QImage ElementView::LabelledElement() {
  QImage image(200, 160, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  const QPointF c(100, 84);
  // Axes.
  p.setPen(QPen(Qt::black, 1));
  Arrow(p, QPointF(18, 150), QPointF(188, 150));
  Arrow(p, QPointF(18, 150), QPointF(18, 8));
  p.drawText(QPointF(180, 146), QStringLiteral("x"));
  p.drawText(QPointF(24, 14), QStringLiteral("y"));
  // The element with the point P at its centre.
  const QRectF square(c.x() - 30, c.y() - 30, 60, 60);
  p.fillRect(square, QColor(200, 200, 200));
  p.drawRect(square);
  p.setBrush(Qt::black);
  p.drawEllipse(c, 2.5, 2.5);
  p.setBrush(Qt::NoBrush);
  p.drawText(c + QPointF(5, -4), QStringLiteral("P"));
  // Normal stresses.
  p.setPen(QPen(QColor(0, 0, 200), 1.5));
  Arrow(p, QPointF(c.x() + 30, c.y()), QPointF(c.x() + 58, c.y()));
  Arrow(p, QPointF(c.x() - 30, c.y()), QPointF(c.x() - 58, c.y()));
  Arrow(p, QPointF(c.x(), c.y() - 30), QPointF(c.x(), c.y() - 58));
  Arrow(p, QPointF(c.x(), c.y() + 30), QPointF(c.x(), c.y() + 58));
  p.drawText(QPointF(c.x() + 44, c.y() - 5), QStringLiteral("σx"));
  p.drawText(QPointF(c.x() + 5, c.y() - 50), QStringLiteral("σy"));
  // Shear stresses along the sides.
  p.setPen(QPen(QColor(200, 0, 0), 1.5));
  Arrow(p, QPointF(c.x() + 36, c.y() + 22), QPointF(c.x() + 36, c.y() - 22));
  Arrow(p, QPointF(c.x() - 36, c.y() - 22), QPointF(c.x() - 36, c.y() + 22));
  Arrow(p, QPointF(c.x() - 22, c.y() - 36), QPointF(c.x() + 22, c.y() - 36));
  Arrow(p, QPointF(c.x() + 22, c.y() + 36), QPointF(c.x() - 22, c.y() + 36));
  p.drawText(QPointF(c.x() + 40, c.y() + 24), QStringLiteral("τxy"));
  p.drawText(QPointF(c.x() + 8, c.y() - 40), QStringLiteral("τyx"));
  return image;
}

}  // namespace brantel
