#include "core/Bilingual.h"

#include "core/Settings.h"

namespace brantel {

QString Bilingual::In(bool inEnglish) const {
  if (inEnglish && english && *english) return QString::fromUtf8(english);
  return QString::fromUtf8(greek);
}

bool ProgramInEnglish() { return EnglishMenus; }

QString Tr(const Bilingual& text) { return text.In(ProgramInEnglish()); }

}  // namespace brantel
