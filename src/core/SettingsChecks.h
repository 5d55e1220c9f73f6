#pragma once

#include "core/Settings.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace brantel {

// The checks of the settings dialog that need no window. The dialog shows
// the messages; these only decide.

// The history size box: a number of characters within the range of
// HistoryMaxCharacters in the settings table (4096 to 16384), read as every
// numeric box is read, by its whole entry (forms::EntryValue). `value` is
// what that reader gave for the box's text (nothing for a text it refuses).
// The size to store is the value rounded to a 16-bit integer, halves to the
// even neighbour. A box refused gets the message the dialog shows under
// RangeErrorTitle: "Size of Command History Window: Blank field not allowed"
// for a blank box, else "Size of Command History Window: Value '<the text,
// trimmed>' is outside input range", a line break and "Valid range is:
// 4096-16384".
struct HistorySizeCheck {
  std::optional<int> Size;  // nothing when refused
  QString Message;          // the refusal; empty when accepted
};
HistorySizeCheck CheckHistorySize(const QString& boxText, std::optional<double> value);

// The data folder box. The text is trimmed and gets a trailing "/" when it
// has none (the dialog writes this text back into the box, even when the
// check fails); it is valid when it names an existing folder. An empty box
// stays empty and is valid: no data folder (file dialogs start where they
// please), as the settings file keeps it.
struct DataPathCheck {
  QString Text;        // the text for the box and, when valid, for DataPath
  bool Valid = false;  // false: "Invalid Path for Data Files"
};
DataPathCheck CheckDataPath(const QString& boxText);

// The extension box shows what the user types in upper case.
QString ExtensionBoxText(const QString& typed);

// The project-file extension from the extension box: the text trimmed, valid
// when it is empty (no extension) or made only of the upper-case letters A
// to Z and the digits 0 to 9. Nothing when any other character is in it
// ("Invalid character in file extension"): a blank or "." inside, a
// lower-case or accented letter.
std::optional<QString> CheckedFileExtension(const QString& boxText);

}  // namespace brantel
