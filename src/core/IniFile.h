#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace brantel {

// An INI-format text held in memory, with the semantics of the classic
// private-profile calls: "[Section]" lines open sections, "Key=Value" lines
// hold values; section and key names match without regard to case; blanks
// around names and values are ignored, as are quotes around a whole value;
// the first of duplicate sections or keys counts. Writing an existing key
// replaces its line in place, a new key goes after the last line of its
// section, a new section at the end of the text; every other line is kept
// as it stands. Byte-order marks at the start of a line are dropped. A value
// that reading would change (blanks at either end, or quotes around it) is
// written in quotes, so that every value reads back as it was written.
class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument FromText(const QString& text);
  // The bytes of a file, each line decoded on its own (UTF-8, or
  // Windows-1253 for a line that is not UTF-8).
  static IniDocument FromBytes(const QByteArray& bytes);

  // Reads a file, each line decoded on its own (UTF-8, or Windows-1253 for
  // a line that is not UTF-8). A missing file gives an empty document and
  // true; a file that exists but cannot be read, a folder, a device or a
  // pipe (never read), and a file of more than kMaxSettingsFileBytes (the
  // settings file's limit, never read beyond it) give false.
  bool Load(const QString& path);

  bool HasSection(const QString& section) const;
  std::optional<QString> Value(const QString& section, const QString& key) const;
  void SetValue(const QString& section, const QString& key, const QString& value);

  // The text as written to disk: UTF-8, lines ended by CR LF.
  QByteArray ToBytes() const;
  const QStringList& Lines() const { return lines_; }

  // Writes the document through a temporary file and a rename, so that a
  // failure never leaves half a file. Returns false when it could not write.
  bool Save(const QString& path) const;

 private:
  // Index of the section header line, or -1.
  qsizetype FindSection(const QString& section) const;
  // End (exclusive) of the section whose header is at `header`.
  qsizetype SectionEnd(qsizetype header) const;

  QStringList lines_;
};

}  // namespace brantel
