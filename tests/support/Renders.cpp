#include "support/Renders.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace brantel::test {

void SaveRender(const QImage& image, const QString& name) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/renders");
  QDir().mkpath(folder);
  EXPECT_FALSE(image.isNull()) << name.toStdString();
  EXPECT_TRUE(image.save(folder + QStringLiteral("/%1.png").arg(name))) << name.toStdString();
}

void SaveRender(QWidget& widget, const QString& name) { SaveRender(widget.grab().toImage(), name); }

void EachLanguage(const std::function<void(const QString& language)>& step) {
  for (const qint16 english : {qint16(0), qint16(1)}) {
    EnglishMenus = english;
    step(english ? QStringLiteral("en") : QStringLiteral("el"));
  }
}

}  // namespace brantel::test
