#pragma once

#include <QString>

#include <functional>

class QImage;
class QWidget;

namespace brantel::test {

// Pictures for a look by eye, saved as renders/<name>.png beside the test
// program (in the build folder). Each picture is checked as it is saved: it
// is not empty nor blank (one colour), and it is saved; a window's picture
// has the window's size, and every caption the window shows (a visible
// label with a text) is drawn in its place, not cut away or covered.
void SaveRender(const QImage& image, const QString& name);
void SaveRender(QWidget& widget, const QString& name);

// Runs a step in each language in turn, Greek first (EnglishMenus 0, then
// 1, which it keeps), with the language's tag for file names: "el", "en".
void EachLanguage(const std::function<void(const QString& language)>& step);

}  // namespace brantel::test
