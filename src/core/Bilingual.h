#pragma once

#include <QString>

namespace brantel {

// A text of the program in its two languages, English first, each a UTF-8
// literal. The one type for every such pair: a message, a caption, a
// history line.
//
//   constexpr Bilingual kNoBolt{"Bolt is not Required", "Δεν απαιτείται κοχλίας"};
//   AddHistoryLine(Tr({"Saving: ", "Αποθήκευση: "}) + path);
//
// A struct that says more than the text (the box to focus, whether it is a
// field name or a whole sentence) holds one Bilingual beside its other
// fields. A pair without any text (both nullptr) stands for nothing, such
// as a menu's separator.
struct Bilingual {
  const char* english = nullptr;
  const char* greek = nullptr;

  // The text in English (true) or in Greek (false). A pair without an
  // English text shows its Greek one in English too.
  QString In(bool inEnglish) const;
};

// Whether the program speaks English (the setting EnglishMenus says yes) or
// Greek: the one reader of the language setting, for Tr and for the callers
// that hand the language on (the captions of a control table, the menus).
bool ProgramInEnglish();

// The text of the current language. Every text the program picks by the
// language goes through here.
QString Tr(const Bilingual& text);

}  // namespace brantel
