#include "core/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>

namespace brantel {

int FontExists(const QString& name, const QStringList& fonts) {
  const QString wanted = name.toUpper();
  for (int i = 0; i < fonts.size(); ++i) {
    if (fonts[i].toUpper() == wanted) return i;
  }
  return -1;
}

QString MetricTwin(const QString& name) {
  // The free fonts made to the same widths as the classic ones; the build
  // scripts install them.
  static const QHash<QString, QString> kTwins{
      {QStringLiteral("ARIAL"), QStringLiteral("Liberation Sans")},
      {QStringLiteral("COURIER NEW"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("COURIER"), QStringLiteral("Liberation Mono")},
      {QStringLiteral("TIMES NEW ROMAN"), QStringLiteral("Liberation Serif")},
  };
  return kTwins.value(name.toUpper());
}

QString PickFont(const QStringList& preferred, const QStringList& fonts) {
  for (const QString& name : preferred) {
    int index = FontExists(name, fonts);
    if (index < 0 && !MetricTwin(name).isEmpty()) index = FontExists(MetricTwin(name), fonts);
    if (index >= 0) return fonts[index];
  }
  return fonts.isEmpty() ? QString() : fonts.first();
}

QString DefaultFontName() {
  static const QStringList kPreferred{QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("System"),
                                      QStringLiteral("Terminal")};
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return QString();
  QStringList fonts = QFontDatabase::families();
  // The screen's first font: on this desktop the list is sorted by name, so
  // its first entry is arbitrary; the desktop's own general font stands first.
  const QString general = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  const int at = FontExists(general, fonts);
  if (at > 0) fonts.move(at, 0);
  return PickFont(kPreferred, fonts);
}

}  // namespace brantel
