#include "support/Renders.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

namespace brantel::test {
namespace {

// How many colours the picture holds within `area` (in its pixels), counted
// up to two: one colour is a blank area.
int ColoursIn(const QImage& image, const QRect& area) {
  const QRgb first = image.pixel(area.topLeft());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != first) return 2;
  return 1;
}

// The part of a child widget that shows in the window's picture, in the
// window's coordinates: the child's rectangle cut to each of its parents.
QRect ShownArea(const QWidget& window, const QWidget& child) {
  QRect area = child.rect();
  for (const QWidget* w = &child; w != &window; w = w->parentWidget()) {
    area.translate(w->pos());
    area &= w->parentWidget()->rect();
  }
  return area;
}

}  // namespace

void SaveRender(const QImage& image, const QString& name) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  ASSERT_FALSE(image.isNull()) << name.toStdString();
  EXPECT_EQ(ColoursIn(image, image.rect()), 2) << name.toStdString() << ": the picture is blank";
  EXPECT_TRUE(image.save(folder + QStringLiteral("/%1.png").arg(name))) << name.toStdString();
}

void SaveRender(QWidget& widget, const QString& name) {
  const QImage image = widget.grab().toImage();
  // The picture is the window at its size, and each caption the window
  // shows is drawn in its place: a label whose text is cut away by its
  // frame, covered over or left unpainted leaves its place one colour.
  const qreal scale = image.devicePixelRatio();
  EXPECT_EQ(image.size(), widget.size() * scale) << name.toStdString();
  for (const QLabel* label : widget.findChildren<QLabel*>()) {
    if (label->window() != widget.window() || !label->isVisibleTo(&widget) || label->text().trimmed().isEmpty())
      continue;
    const QRect area = ShownArea(widget, *label);
    const QRect pixels = QRect(area.topLeft() * scale, area.size() * scale) & image.rect();
    if (pixels.isEmpty()) continue;  // beyond the window's edge, as designed (a plot's read-out in the narrow form)
    EXPECT_EQ(ColoursIn(image, pixels), 2)
        << name.toStdString() << ": the caption of " << label->objectName().toStdString() << " (\""
        << label->text().toStdString() << "\") is not drawn";
  }
  SaveRender(image, name);
}

void EachLanguage(const std::function<void(const QString& language)>& step) {
  for (const bool english : {false, true}) {
    EnglishMenus = english;
    step(english ? QStringLiteral("en") : QStringLiteral("el"));
  }
}

}  // namespace brantel::test
