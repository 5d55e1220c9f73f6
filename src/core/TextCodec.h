#pragma once

#include <QByteArray>
#include <QString>

namespace brantel {

// Text files of the program are written in UTF-8. Files made by earlier
// versions on Windows are in the Greek ANSI code page (Windows-1253); a file
// that is not valid UTF-8 is read in that code page. A UTF-8 byte-order mark
// is ignored.
QString DecodeText(const QByteArray& bytes);

// Windows-1253 to Unicode; bytes the code page leaves undefined become U+FFFD.
QString DecodeWindows1253(const QByteArray& bytes);

// Splits a text into lines at CR LF, LF or CR. A final line break does not
// start another (empty) line.
QStringList SplitLines(const QString& text);

}  // namespace brantel
