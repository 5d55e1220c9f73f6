#pragma once

#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "tools/stress/PointLoad.h"

#include <QFrame>

#include <array>
#include <functional>
#include <optional>

class QLineEdit;

namespace brantel {

// The vertical section under a point load: the load at the top left
// corner, R to the right and Z downward at 1000 twips to a unit, and the
// point at which the stress is computed. A press on it hands its place, in
// twips from the corner, to the dialog.
class VerticalSection : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kTwipsPerUnit = 1000;
  static constexpr int kTicks = 5;

  explicit VerticalSection(QWidget* parent);

  void OnPress(std::function<void(QPoint twips)> handler) { onPress_ = std::move(handler); }
  // The point shown, or none.
  void SetPoint(std::optional<QPointF> point);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::function<void(QPoint)> onPress_;
  std::optional<QPointF> point_;  // R and Z
};

// Additional vertical stress in the ground under a point load at the
// surface, by Boussinesq and by Westergaard. Works on the point-load fields
// of the project; the mechanics are in PointLoad.h.
class frmPointLoad : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmPointLoad(QWidget* owner = nullptr);
  ~frmPointLoad() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void txtFortio_Change(int index);
  void txtR_Change();
  void txtZ_Change();
  void frmEdafos_MouseEvent(QPoint twips);

  // Both results, unless loading.
  void Recalculate();
  // True when the inputs were valid; then Westergaard's follows.
  bool CalcBoussinesq();
  void CalcWestergaard();

  struct Ui {
    std::array<QLineEdit*, 3> load;  // txtFortio(0..2): point, line and strip load
    QLineEdit* r;                    // txtR
    QLineEdit* z;                    // txtZ
    QLineEdit* boussinesq;           // txtDsvBoussi
    QLineEdit* westergaard;          // txtDsvWester
    forms::OptionArray kind;         // Option1
    VerticalSection* section;        // frmEdafos
  } ui_;

  PointLoadEntries entries_;  // the inputs as last validated
};

}  // namespace brantel
