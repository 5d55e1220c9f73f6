#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormDialog.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace brantel {

// A sketch of a room-and-pillar layout: the pillars in plan, or a vertical
// section through pillars and rooms under the vertical stress.
class PillarSketch : public QFrame {
  Q_OBJECT

 public:
  enum class View { Plan, Section };
  PillarSketch(View view, QWidget* parent);

  // The plan's pillars in pixels: width, length and the opening between
  // them; the pillar in the middle stands at the centre of the sketch.
  static constexpr int kPillarWidth = 44;
  static constexpr int kPillarLength = 56;
  static constexpr int kOpening = 26;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawPlan(class QPainter& p) const;
  void DrawSection(class QPainter& p) const;
  View view_;
};

// Tributary-area stress in the pillars of a room-and-pillar mine, and the
// extraction ratio. Works on PillarStress and PillarLayout of the project;
// the mechanics are in RoomPillar.h.
class frmRoomPillar : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit frmRoomPillar(QWidget* owner = nullptr);
  ~frmRoomPillar() override;

  const StressInput& WorkingStress() const { return stress_; }
  const RoomPillarData& WorkingLayout() const { return layout_; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void Form_Load();
  void Text_Change();
  // The box shows the number read from its text in the general format; an
  // empty side box stays empty.
  void Text_LostFocus(QLineEdit* box);
  void CalcTributaryStress();

  struct Ui {
    QLineEdit* sy;          // Text2
    QLineEdit* wp;          // Text4
    QLineEdit* lp;          // Text5
    QLineEdit* wo;          // Text6
    QLineEdit* avg;         // Text7
    QLineEdit* extraction;  // Text8
  } ui_;

  StressInput stress_;
  RoomPillarData layout_;
};

}  // namespace brantel
