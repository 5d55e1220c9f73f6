#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace brantel {

// The printing font: the first of "Courier New", "Courier", "Arial" that the
// printer's fonts hold, spelt as the list spells it; otherwise the printer's
// first font. Printers here print with the desktop's fonts, and the
// desktop's fixed-pitch font counts as the first one.
QString FixedFontName();
QString FixedFontName(const QStringList& printerFonts);

// The printer's font list: the desktop's fonts, its fixed-pitch font first.
QStringList PrinterFontNames();

// Bold, italic, strike-through and underline off, the name FixedFontName
// and size 9.
void SetObjectFont(QFont& font);

}  // namespace brantel
