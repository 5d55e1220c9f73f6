#include "core/SettingsChecks.h"

#include "core/Conversions.h"
#include "core/NumberFormat.h"

#include <QFileInfo>

namespace brantel {

HistorySizeCheck CheckHistorySize(const QString& boxText, std::optional<double> value) {
  const QString field = QStringLiteral("Size of Command History Window: ");
  const QString trimmed = boxText.trimmed();
  if (trimmed.isEmpty()) return {std::nullopt, field + QStringLiteral("Blank field not allowed")};
  const SettingSpec& size = *FindSetting(u"MaxDisplaySize");
  if (!value || *value < size.min || *value > size.max) {
    return {std::nullopt, field + QStringLiteral("Value '") + trimmed +
                              QStringLiteral("' is outside input range\r\nValid range is: ") + FormatGeneral(size.min) +
                              QStringLiteral("-") + FormatGeneral(size.max)};
  }
  return {RoundToInt16(*value), QString()};
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
