#pragma once

#include <QImage>
#include <QWidget>

class QLabel;

namespace brantel {

// The reference element: a square with a vertical and a horizontal line
// through it, drawn in twips of a 3000 x 3000 box.
class ReferenceElement : public QWidget {
  Q_OBJECT

 public:
  explicit ReferenceElement(QWidget* parent = nullptr);
  // The element as it looks on the screen.
  QImage Picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The sketch box: first the labelled picture of the element in the x-y
// axes; once the principal direction is known, the reference element turned
// counter-clockwise by that angle. Parts of the box whose source falls
// outside the reference picture's interior stay blank.
class ElementView : public QWidget {
  Q_OBJECT

 public:
  explicit ElementView(QWidget* parent = nullptr);

  // Shows the reference picture turned by `degrees` and hides the labelled
  // picture.
  void ShowTurned(const QImage& reference, double degrees);
  // Shows the labelled picture again.
  void ShowLabelled();
  bool LabelledShown() const;
  bool Turned() const { return turned_; }
  double Angle() const { return degrees_; }
  // How many times a turned sketch was drawn.
  int DrawCount() const { return drawCount_; }
  // The box as it looks on the screen.
  QImage Picture() const;

  // The labelled picture of the element, 200 x 160 pixels.
  static QImage LabelledElement();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* labelled_;
  QImage reference_;
  double degrees_ = 0;
  bool turned_ = false;
  int drawCount_ = 0;
};

}  // namespace brantel
