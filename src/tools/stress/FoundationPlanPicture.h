#pragma once

#include "tools/stress/Fadum.h"

#include <QWidget>

#include <array>

namespace brantel {

// The plan view of the rectangular foundation tool: the foundation with one
// corner at the origin, the auxiliary rectangles of the superposition and the
// grid of length units. It works in plan units (15 to a pixel) and reports
// where the pointer is, with or without a button down; a pointer dragged
// beyond the plan reports a place outside it.
class FoundationPlan : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWhole = 0, kA = 1, kB = 2, kC = 3;

  explicit FoundationPlan(QWidget* parent = nullptr);

  // The foundation as drawn.
  void SetFoundation(const PlanRect& outline);
  const PlanRect& Foundation() const { return foundation_; }

  // The auxiliary rectangles of the superposition, in the order Whole, A, B,
  // C of FoundationStress; a rectangle that is not Shown is hidden.
  void SetAuxiliary(const std::array<PlanRect, 4>& rects);
  void HideAuxiliary();
  const std::array<PlanRect, 4>& Auxiliary() const { return auxiliary_; }

 signals:
  // The pointer's place in plan units.
  void PointerMoved(double x, double y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // The plan's area with a margin: sides far beyond it are held to this.
  QRectF PaintClip() const;

  PlanRect foundation_;
  std::array<PlanRect, 4> auxiliary_;
};

}  // namespace brantel
