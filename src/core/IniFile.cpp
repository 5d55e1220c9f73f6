#include "core/IniFile.h"

#include "core/FileHelpers.h"
#include "core/Settings.h"
#include "core/TextCodec.h"

#include <QFile>
#include <QFileInfo>

namespace brantel {
namespace {

bool IsSectionLine(const QString& line, QString* name) {
  const QString t = line.trimmed();
  if (!t.startsWith(u'[')) return false;
  const qsizetype close = t.indexOf(u']');
  if (name) *name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
  return true;
}

bool SplitKeyLine(const QString& line, QString* key, QString* value) {
  const qsizetype eq = line.indexOf(u'=');
  if (eq < 0) return false;
  if (key) *key = line.left(eq).trimmed();
  if (value) {
    QString v = line.mid(eq + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) v = v.mid(1, v.size() - 2);
    *value = v;
  }
  return true;
}

// A value is one line; a line break inside it would start new keys.
QString OneLine(const QString& text) {
  QString v = text;
  v.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  v.replace(u'\r', u' ');
  v.replace(u'\n', u' ');
  return v;
}

// The value as a line holds it: quoted when reading it bare would drop
// its blanks or its own quotes.
QString AsWritten(const QString& value) {
  if (value.isEmpty()) return value;
  const QChar first = value.front();
  const QChar last = value.back();
  const bool quoted = value.size() >= 2 && (first == u'"' || first == u'\'') && last == first;
  if (quoted || first.isSpace() || last.isSpace()) return u'"' + value + u'"';
  return value;
}

// Byte-order marks at the start of a line are no text of it: an editor may
// have put several before the first line, and the reading of a line drops
// one of its own, so a line written back with them would read otherwise.
// The writer puts none back.
QStringList WithoutLeadingMarks(QStringList lines) {
  for (QString& line : lines) {
    qsizetype marks = 0;
    while (marks < line.size() && line[marks] == QChar(0xFEFF)) ++marks;
    line.remove(0, marks);
  }
  return lines;
}

}  // namespace

IniDocument IniDocument::FromBytes(const QByteArray& bytes) {
  IniDocument doc;
  doc.lines_ = WithoutLeadingMarks(DecodeLines(bytes));
  return doc;
}

IniDocument IniDocument::FromText(const QString& text) {
  IniDocument doc;
  doc.lines_ = WithoutLeadingMarks(SplitLines(text));
  return doc;
}

bool IniDocument::Load(const QString& path) {
  lines_.clear();
  if (!QFile::exists(path)) return true;
  QByteArray bytes;
  if (ReadRegularFile(path, bytes, ReadLimit{kMaxSettingsFileBytes, {}})) return false;
  *this = FromBytes(bytes);
  return true;
}

qsizetype IniDocument::FindSection(const QString& section) const {
  const QString wanted = section.trimmed();
  QString name;
  for (qsizetype i = 0; i < lines_.size(); ++i) {
    if (IsSectionLine(lines_[i], &name) && name.compare(wanted, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

qsizetype IniDocument::SectionEnd(qsizetype header) const {
  qsizetype i = header + 1;
  while (i < lines_.size() && !IsSectionLine(lines_[i], nullptr)) ++i;
  return i;
}

bool IniDocument::HasSection(const QString& section) const { return FindSection(section) >= 0; }

std::optional<QString> IniDocument::Value(const QString& section, const QString& key) const {
  const qsizetype header = FindSection(section);
  if (header < 0) return std::nullopt;
  const qsizetype end = SectionEnd(header);
  const QString wanted = key.trimmed();
  QString k, v;
  for (qsizetype i = header + 1; i < end; ++i) {
    if (SplitKeyLine(lines_[i], &k, &v) && k.compare(wanted, Qt::CaseInsensitive) == 0) return v;
  }
  return std::nullopt;
}

void IniDocument::SetValue(const QString& section, const QString& key, const QString& value) {
  const QString line = key.trimmed() + u'=' + AsWritten(OneLine(value));
  const qsizetype header = FindSection(section);
  if (header < 0) {
    if (!lines_.isEmpty() && !lines_.back().trimmed().isEmpty()) lines_.append(QString());
    lines_.append(u'[' + section.trimmed() + u']');
    lines_.append(line);
    return;
  }
  const qsizetype end = SectionEnd(header);
  const QString wanted = key.trimmed();
  QString k;
  for (qsizetype i = header + 1; i < end; ++i) {
    if (SplitKeyLine(lines_[i], &k, nullptr) && k.compare(wanted, Qt::CaseInsensitive) == 0) {
      lines_[i] = line;
      return;
    }
  }
  // After the last non-blank line of the section.
  qsizetype insertAt = end;
  while (insertAt > header + 1 && lines_[insertAt - 1].trimmed().isEmpty()) --insertAt;
  lines_.insert(insertAt, line);
}

QByteArray IniDocument::ToBytes() const {
  QByteArray out;
  for (const QString& line : lines_) {
    out += line.toUtf8();
    out += "\r\n";
  }
  return out;
}

bool IniDocument::Save(const QString& path) const { return !SaveFileAtomically(path, ToBytes()).has_value(); }

}  // namespace brantel
