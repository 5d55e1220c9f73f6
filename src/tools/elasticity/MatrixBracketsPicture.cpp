#include "tools/elasticity/MatrixBracketsPicture.h"

#include "forms/FormBuilder.h"

#include <QPainter>

namespace brantel {

QWidget* BracketsOfRow(const forms::ControlRow& row, QWidget* parent) {
  if (QLatin1String(row.name).startsWith(QLatin1String("lin"))) return new MatrixBrackets(parent);
  return nullptr;
}

MatrixBrackets::MatrixBrackets(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void MatrixBrackets::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
  const int right = width() - 1;
  const int bottom = height() - 1;
  const int stroke = qMin(5, width() / 4);
  painter.drawLine(0, 0, 0, bottom);
  painter.drawLine(0, 0, stroke, 0);
  painter.drawLine(0, bottom, stroke, bottom);
  painter.drawLine(right, 0, right, bottom);
  painter.drawLine(right - stroke, 0, right, 0);
  painter.drawLine(right - stroke, bottom, right, bottom);
}

}  // namespace brantel
