#include "core/PrintFonts.h"

#include "core/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

namespace brantel {

QStringList PrinterFontNames() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return {};
  QStringList fonts = QFontDatabase::families();
  // The family that a fixed-pitch request really gets, not the generic
  // "monospace" alias the desktop may name.
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fixed.setStyleHint(QFont::TypeWriter);
  int at = FontExists(fixed.family(), fonts);
  if (at < 0) at = FontExists(QFontInfo(fixed).family(), fonts);
  if (at > 0) fonts.move(at, 0);
  return fonts;
}

QString FixedFontName(const QStringList& printerFonts) {
  static const QStringList kPreferred{QStringLiteral("Courier New"), QStringLiteral("Courier"),
                                      QStringLiteral("Arial")};
  return PickFont(kPreferred, printerFonts);
}

QString FixedFontName() { return FixedFontName(PrinterFontNames()); }

void SetObjectFont(QFont& font) {
  font.setBold(false);
  font.setItalic(false);
  font.setStrikeOut(false);
  font.setUnderline(false);
  font.setFamily(FixedFontName());
  font.setPointSizeF(9.0);
}

}  // namespace brantel
