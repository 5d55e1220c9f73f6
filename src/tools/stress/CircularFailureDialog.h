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
// The entries of the File menu (separators included) and of the Edit menu.
inline constexpr char kFileEntries[] = "mnuFileItem";
inline constexpr char kEditEntries[] = "mnuEditItem";
}  // namespace circularfailure

// What the entries of the dialog's own menus run.
enum class CircularFailureCommand {
  Save,   // File: not active yet
  Print,  // File: the window as shown on the printer
  Exit,   // File: the dialog closed as a Cancel
  Copy,   // Edit: the window's picture on the clipboard; stays last (kCircularFailureCommandCount)
};
inline constexpr int kCircularFailureCommandCount = static_cast<int>(CircularFailureCommand::Copy) + 1;

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

  // The menu entry that runs a command.
  QAction* EntryOf(CircularFailureCommand command) const { return ui_.entries[static_cast<std::size_t>(command)]; }

 protected:
  void LoadFromProject() override;
  bool ValidateInput() override;
  void CommitToProject() override;

 private:
  void OnLoad();
  // The menus from their tables; each entry runs the command its row names.
  void BuildMenus();
  // Any of the eight boxes.
  void OnInputEdited();
  void OnEntryChosen(CircularFailureCommand command);

  // The boxes into the working copy as a calculation while typing reads
  // them, each once: its leading number, whatever follows it.
  void ReadInputs();
  // Reads the boxes, works out the zones and draws them.
  void ShowFailureZones();
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
    std::array<QAction*, kCircularFailureCommandCount> entries;  // by command
  } ui_;

  forms::NumericInputs inputs_;
  StressInput stress_;
  CircFailData input_;
  FailureZones zones_;
};

}  // namespace brantel
