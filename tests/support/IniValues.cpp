#include "support/IniValues.h"

#include "core/IniFile.h"

namespace brantel {

QString ReadIniValue(const QString& section, const QString& key, const QString& file,
                     const std::optional<QString>& defaultValue) {
  IniDocument doc;
  QString value;
  if (doc.Load(file)) value = doc.Value(section, key).value_or(QString());
  if (value.isEmpty() && defaultValue) return *defaultValue;
  return value;
}

qint16 WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& file) {
  IniDocument doc;
  if (!doc.Load(file)) return 0;
  doc.SetValue(section, key, value);
  return doc.Save(file) ? 1 : 0;
}

}  // namespace brantel
