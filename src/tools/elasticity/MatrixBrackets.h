#pragma once

#include <QWidget>

namespace brantel {

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

}  // namespace brantel
