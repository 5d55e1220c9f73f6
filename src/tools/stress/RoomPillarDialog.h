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
inline constexpr char kVerticalStress[] = "Text2";  // in situ
inline constexpr char kPillarWidth[] = "Text4";
inline constexpr char kPillarLength[] = "Text5";
inline constexpr char kOpeningWidth[] = "Text6";   // the room between two pillars
inline constexpr char kAverageStress[] = "Text7";  // axial, in the pillars
inline constexpr char kExtractionRatio[] = "Text8";
inline constexpr char kVerticalStressLabel[] = "Label2";
inline constexpr char kPillarWidthLabel[] = "Label4";
inline constexpr char kPillarLengthLabel[] = "Label5";
inline constexpr char kOpeningWidthLabel[] = "Label6";
inline constexpr char kAverageStressLabel[] = "Label7";
inline constexpr char kExtractionRatioLabel[] = "Label8";
inline constexpr char kPlanSketch[] = "Picture1";
inline constexpr char kTributaryArea[] = "Shape1";  // of the middle pillar, on the plan
inline constexpr char kSectionSketch[] = "Picture2";
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
  void OnLoad();
  void OnInputEdited();
  // The box shows the number read from its text in the general format; an
  // empty side box stays empty.
  void OnInputFocusLost(QLineEdit* box);
  // Works out the layout's results from the accepted inputs and shows them.
  void ShowResults();

  struct Ui {
    QLineEdit* sy;
    QLineEdit* wp;
    QLineEdit* lp;
    QLineEdit* wo;
    QLineEdit* averageStress;
    QLineEdit* extraction;
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  RoomPillarData layout_;
};

}  // namespace brantel
