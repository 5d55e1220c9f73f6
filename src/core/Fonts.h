#pragma once

#include <QString>
#include <QStringList>

namespace brantel {

// Index of a font in a list of font names, compared without regard to case;
// -1 when it is not there.
int FontExists(const QString& name, const QStringList& fonts);

// The first of "Arial", "Courier New", "System", "Terminal" that the screen's
// fonts hold, spelt as the list spells it; otherwise the screen's first font,
// the desktop's general font counting as the first.
QString DefaultFontName();

// The same rule for a given font list (the screen's, or a printer's). A
// preferred font that is missing counts as present when the font made to
// its widths is there (Liberation Sans for Arial, Liberation Mono for
// Courier New and Courier).
QString PickFont(const QStringList& preferred, const QStringList& fonts);
QString MetricTwin(const QString& name);

}  // namespace brantel
