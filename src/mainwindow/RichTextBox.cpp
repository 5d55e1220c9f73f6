#include "mainwindow/RichTextBox.h"

#include <QTextEdit>

#include <cstring>

namespace brantel {

QTextEdit* MakeRichTextBox(QWidget* parent) {
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

QWidget* RichTextBoxFactory(const forms::ControlRow& row, QWidget* parent) {
  if (std::strcmp(row.name, richtextbox::kName) == 0) return MakeRichTextBox(parent);
  return nullptr;
}

void SetRichText(QTextEdit* box, const QString& text) {
  QString plain = text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  plain.replace(u'\r', u'\n');
  box->setPlainText(plain);
}

QString RichText(const QTextEdit* box) {
  QString text = box->toPlainText();
  text.replace(u'\n', QStringLiteral("\r\n"));
  return text;
}

}  // namespace brantel
