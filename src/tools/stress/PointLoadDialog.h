#pragma once

#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/stress/PointLoad.h"

#include <QFrame>

#include <array>
#include <functional>
#include <optional>

class QLineEdit;

namespace brantel {

// The design names of the point load dialog's controls, for its code and its tests.
namespace pointload {
inline constexpr char kLoads[] = "txtFortio";  // one box for each kind of load
inline constexpr forms::ItemName kPointLoad = forms::Item(kLoads, 0);
inline constexpr forms::ItemName kLineLoad = forms::Item(kLoads, 1);
inline constexpr forms::ItemName kStripLoad = forms::Item(kLoads, 2);
inline constexpr char kStripWidth[] = "txtWidth";
inline constexpr char kStripWidthLabel[] = "lblWidth";
inline constexpr char kHorizontalDistance[] = "txtR";
inline constexpr char kVerticalDistance[] = "txtZ";
inline constexpr char kBoussinesqStress[] = "txtDsvBoussi";
inline constexpr char kWestergaardStress[] = "txtDsvWester";
inline constexpr char kLoadKind[] = "Option1";
inline constexpr forms::ItemName kPointKind = forms::Item(kLoadKind, 0);
inline constexpr forms::ItemName kLineKind = forms::Item(kLoadKind, 1);
inline constexpr forms::ItemName kStripKind = forms::Item(kLoadKind, 2);
inline constexpr char kVerticalSection[] = "frmEdafos";
inline constexpr char kOk[] = "btnOk";
inline constexpr char kCancel[] = "btnCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace pointload

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

  void SetPressHandler(std::function<void(QPoint twips)> handler) { onPress_ = std::move(handler); }
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
class PointLoadDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit PointLoadDialog(QWidget* owner = nullptr);
  ~PointLoadDialog() override;

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void OnLoadValueEdited(int index);
  void OnHorizontalDistanceEdited();
  void OnVerticalDistanceEdited();
  void OnSectionPressed(QPoint twips);

  // Both results, unless loading.
  void Recalculate();
  // True when the inputs were valid; then Westergaard's follows.
  bool CalcBoussinesq();
  void CalcWestergaard();

  struct Ui {
    std::array<QLineEdit*, 3> loads;  // point, line and strip load
    QLineEdit* horizontalDistance;
    QLineEdit* verticalDistance;
    QLineEdit* boussinesqStress;
    QLineEdit* westergaardStress;
    forms::ChoiceArray<PointLoadKind> loadKind;
    VerticalSection* section;
  } ui_;

  // The five inputs as last validated, and their boxes in the order of the checks.
  struct Entries {
    float R = 0.0f;       // horizontal distance
    float Z = 0.0f;       // depth
    float Q = 0.0f;       // point load
    float Qm = 0.0f;      // line load
    float StripQ = 0.0f;  // strip load
  } entries_;
  forms::NumericInputs inputs_{forms::NumericInputs::RuleOrder::AfterAllBoxes};
};

}  // namespace brantel
