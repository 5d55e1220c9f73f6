#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"

#include <QFrame>

class QLabel;
class QLineEdit;

namespace brantel {

// The design names of the room-and-pillar dialog's controls, for its code and its tests.
namespace roompillar {
inline constexpr char kSy[] = "Text2";          // in-situ vertical stress
inline constexpr char kWp[] = "Text4";          // pillar width
inline constexpr char kLp[] = "Text5";          // pillar length
inline constexpr char kWo[] = "Text6";          // room width
inline constexpr char kAverage[] = "Text7";     // average axial stress in the pillars
inline constexpr char kExtraction[] = "Text8";  // extraction ratio
inline constexpr char kSyLabel[] = "Label2";
inline constexpr char kWpLabel[] = "Label4";
inline constexpr char kLpLabel[] = "Label5";
inline constexpr char kWoLabel[] = "Label6";
inline constexpr char kAverageLabel[] = "Label7";
inline constexpr char kExtractionLabel[] = "Label8";
inline constexpr char kPlan[] = "Picture1";     // the pillars in plan
inline constexpr char kPillar[] = "Shape1";     // the pillar drawn in the plan
inline constexpr char kSection[] = "Picture2";  // the section
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace roompillar

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
class RoomPillarDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit RoomPillarDialog(QWidget* owner = nullptr);
  ~RoomPillarDialog() override;

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
    QLineEdit* sy;
    QLineEdit* wp;
    QLineEdit* lp;
    QLineEdit* wo;
    QLineEdit* avg;
    QLineEdit* extraction;
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  RoomPillarData layout_;
};

}  // namespace brantel
