#pragma once

#include <QWidget>

namespace brantel {

namespace forms {
struct ControlRow;
}

// The square brackets of a matrix of boxes: a vertical line down each side
// of the widget with short strokes at its ends, drawn around the boxes that
// lie over it. Clicks pass through to what lies below.
class MatrixBrackets : public QWidget {
  Q_OBJECT

 public:
  explicit MatrixBrackets(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The widget factory of a dialog with brackets in its table: MatrixBrackets
// for a row whose name begins with "lin", the plain widget for any other.
QWidget* BracketsOfRow(const forms::ControlRow& row, QWidget* parent);

}  // namespace brantel
