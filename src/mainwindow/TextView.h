#pragma once

#include "forms/FormBuilder.h"

#include <QString>

class QTextEdit;

namespace brantel {

// The design name of the text view of the output and preview windows.
namespace textview {
inline constexpr char kName[] = "RichTextBox1";
}  // namespace textview

// The text views of the output and browser windows: a read-only text box in
// a fixed-pitch font ("Courier New" or the desktop's metric twin), without
// word wrap, so that listings keep their columns.
QTextEdit* MakeTextView(QWidget* parent);

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

// The form factory that builds a text view for every row named
// textview::kName (declared as a Picture row in the tables).
QWidget* TextViewFactory(const forms::ControlRow& row, QWidget* parent);

// Shows a text with CR LF, LF or CR line breaks.
void SetViewText(QTextEdit* box, const QString& text);

// The text of the box with CR LF line breaks.
QString ViewText(const QTextEdit* box);

}  // namespace brantel
