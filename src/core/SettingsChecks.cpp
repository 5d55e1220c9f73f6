#include "core/SettingsChecks.h"

#include "core/Conversions.h"
#include "core/NumberFormat.h"

#include <QFileInfo>

namespace brantel {

const SettingSpec& HistorySizeSetting() { return *FindSetting(u"MaxDisplaySize"); }

std::optional<qint16> HistorySizeOf(const QString& text) {
  const std::optional<double> value = ParseNumber(text.trimmed());
  const SettingSpec& size = HistorySizeSetting();
  if (!value || *value < size.min || *value > size.max) return std::nullopt;
  return RoundToInt16(*value);
}

DataPathCheck CheckDataPath(const QString& boxText) {
  DataPathCheck check;
  check.Text = boxText.trimmed();
  if (check.Text.isEmpty()) {
    check.Valid = true;
    return check;
  }
  if (!check.Text.endsWith(u'/')) check.Text += u'/';
  check.Valid = QFileInfo(check.Text).isDir();
  return check;
}

QString ExtensionBoxText(const QString& typed) { return typed.toUpper(); }

std::optional<QString> CheckedFileExtension(const QString& boxText) {
  const QString extension = boxText.trimmed();
  for (const QChar c : extension) {
    const bool upper = c >= u'A' && c <= u'Z';
    const bool digit = c >= u'0' && c <= u'9';
    if (!upper && !digit) return std::nullopt;
  }
  return extension;
}

}  // namespace brantel
