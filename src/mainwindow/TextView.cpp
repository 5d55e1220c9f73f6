#include "mainwindow/TextView.h"

#include <QTextEdit>

#include <cstring>

namespace brantel {

QTextEdit* MakeTextView(QWidget* parent) {
  auto* box = new QTextEdit(parent);
  box->setAcceptRichText(false);
  SetUpReadingView(box);
  return box;
}

void SetDesignFont(QWidget* box) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSizeF(10.0);
  box->setFont(font);
}

QWidget* TextViewFactory(const forms::ControlRow& row, QWidget* parent) {
  if (std::strcmp(row.name, textview::kName) == 0) return MakeTextView(parent);
  return nullptr;
}

void SetViewText(QTextEdit* box, const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(u'\r', u'\n');
  box->setPlainText(plain);
}

QString ViewText(const QTextEdit* box) {
  QString text = box->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

}  // namespace brantel
