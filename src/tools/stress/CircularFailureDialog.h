#pragma once

#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/stress/CircularFailure.h"

#include <QPixmap>

#include <array>

class QAction;
class QLineEdit;
class QPushButton;

namespace brantel {

// The design names of the dialog of failure around a circular opening, for
// its code, its tests and its benchmark.
namespace circularfailure {
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kInternalPressure[] = "txtlInternalPress";
inline constexpr char kOpeningRadius[] = "Text4";
inline constexpr char kRadialDistance[] = "Text7";  // of the circle looked at
inline constexpr char kCompressiveStrength[] = "Text5";
inline constexpr char kTensileStrength[] = "Text6";
inline constexpr char kZonePicture[] = "picMain";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace circularfailure

class FailureZonePicture;

// Failure around a circular opening: the parts of the boundary (or of the
// circle of radius r) where the tangential stress reaches Co or falls to
// -To, recomputed and drawn at every change of a box, with the findings in
// the history. Works on CircFailStress and CircFailInput of the project; the
// mechanics are in CircularFailure.h. Its own File menu prints the window
// as shown, its Edit menu copies the window's picture.
class CircularFailureDialog : public forms::FormDialog {
  Q_OBJECT

 public:
  explicit CircularFailureDialog(QWidget* owner = nullptr);
  ~CircularFailureDialog() override;

  // Draws the failing zones of the last calculation.
  void DrawZones();

  // The working copy and the zones of the last calculation.
  const StressInput& WorkingStress() const { return stress_; }
  const CircFailData& WorkingInput() const { return input_; }
  const FailureZones& Zones() const { return zones_; }

  // The window as Print and Copy take it: the area below the menu bar.
  QPixmap WindowPicture();

  // The menu items: File Save, Print, Exit (0, 2, 4; 1 and 3 are
  // separators) and Edit Copy (0).
  static constexpr int kFileItems = 5;
  QAction* FileItem(int index) const { return ui_.fileItems[static_cast<std::size_t>(index)]; }
  QAction* EditItem(int index) const { return ui_.editItems[static_cast<std::size_t>(index)]; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  void BuildMenus();
  // Any of the eight boxes.
  void OnInputEdited();
  void OnFileMenuChosen(int index);
  void OnEditMenuChosen(int index);

  // The boxes into the working copy as a calculation while typing reads
  // them, each once: its leading number, whatever follows it.
  void ReadInputs();
  void CalcFailureZones();
  void PrintWindow();
  QLineEdit* BoxOf(CircFailField field) const;

  struct Ui {
    QLineEdit* sx;
    QLineEdit* sy;
    QLineEdit* txy;
    QLineEdit* pressure;
    QLineEdit* radius;
    QLineEdit* co;
    QLineEdit* to;
    QLineEdit* distance;
    QPushButton* ok;
    FailureZonePicture* zonePicture;
    std::array<QAction*, kFileItems> fileItems;
    std::array<QAction*, 1> editItems;
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  CircFailData input_;
  FailureZones zones_;
};

}  // namespace brantel
