#pragma once

#include "forms/FormBuilder.h"

#include <QString>

class QTextEdit;

namespace brantel {

// The design name of the rich text box of the output and preview windows.
namespace richtextbox {
inline constexpr char kName[] = "RichTextBox1";
}  // namespace richtextbox

// The text views of the output and browser windows: a read-only text box in
// a fixed-pitch font ("Courier New" or the desktop's metric twin), without
// word wrap, so that listings keep their columns.
QTextEdit* MakeRichTextBox(QWidget* parent);

// Gives a text view its fixed-pitch design font (the form builder sets the
// dialog font on every control it makes, so call this after the layout).
void SetDesignFont(QWidget* box);

// Makes a QTextEdit or a QPlainTextEdit a view for reading: read-only,
// without word wrap, Tab moving on, its text selectable, in the design font.
template <typename View>
void SetUpReadingView(View* view) {
  view->setReadOnly(true);
  view->setLineWrapMode(View::NoWrap);
  view->setTabChangesFocus(true);
  view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  SetDesignFont(view);
}

// The form factory that builds a rich text box for every row named
// richtextbox::kName (declared as a Picture row in the tables).
QWidget* RichTextBoxFactory(const forms::ControlRow& row, QWidget* parent);

// Shows a text with CR LF, LF or CR line breaks.
void SetRichText(QTextEdit* box, const QString& text);

// The text of the box with CR LF line breaks.
QString RichText(const QTextEdit* box);

}  // namespace brantel
