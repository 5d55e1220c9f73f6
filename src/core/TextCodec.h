#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace brantel {

// Text files of the program are written in UTF-8. Files made by earlier
// versions on Windows are in the Greek ANSI code page (Windows-1253); a file
// that is not valid UTF-8 is read in that code page. A UTF-8 byte-order mark
// is ignored.
QString DecodeText(const QByteArray& bytes);

// Windows-1253 to Unicode; bytes the code page leaves undefined become U+FFFD.
QString DecodeWindows1253(const QByteArray& bytes);

// The lines of a text file, each decoded on its own: UTF-8 where the line
// is valid UTF-8, Windows-1253 otherwise, so that one line in the old code
// page never spoils the others. Lines end at CR LF, LF or CR; a final line
// break does not start another line; a UTF-8 byte-order mark is ignored.
QStringList DecodeLines(const QByteArray& bytes);

// Splits a text into lines at CR LF, LF or CR. A final line break does not
// start another (empty) line.
QStringList SplitLines(const QString& text);

}  // namespace brantel
