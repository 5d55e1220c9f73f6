#pragma once

#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailureCommon.h"
#include "tools/failure/FailurePlot.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <initializer_list>
#include <optional>

class QCheckBox;
class QColor;
class QPainter;
class QPointF;
class QRectF;
class QLabel;
class QScrollBar;

namespace brantel {

// The dialog code the failure-criteria tools share (their plot is
// FailurePlot.h). In short:
//   - JudgeInputSets: the input boxes checked set by set, a box emptied to
//     "0" judged again.
//   - ShowVerdict: a verdict text in its result box.
//   - PoreControls / ShowPoreControls / ShowPoreInput: the look of the
//     pore-pressure option, its box and the pore verdict, on or off, and
//     the record's option and pressure shown in them.
//   - ConnectFailurePlot: the zoom bar and the two read-out labels.
//   - SwitchPlotWidth: the width switch of the graph option or check box,
//     the dialog centred horizontally after it.
//   - ShowInputValue: a record's number into its box (read back with
//     forms::EntryValue<float>).
//   - PrincipalCriterionDialog, PoreCriterionDialog: the steps of the tools
//     judged in the principal-stress plane.
//   - Criterion...Rows: the control rows those tools share (the stress and
//     pore inputs, the principal stresses, the verdicts, the plot and the
//     buttons), joined into each tool's table.

// The design names the failure criteria judged in the principal-stress plane
// share (PrincipalCriterionDialog); each tool's namespace takes them in.
namespace criterion {
inline constexpr char kSx[] = "Text1";
inline constexpr char kSy[] = "Text2";
inline constexpr char kTxy[] = "Text3";
inline constexpr char kGraphSwitch[] = "chkGraph";  // shows or hides the plot
inline constexpr char kPlot[] = "Picture1";
inline constexpr char kZoomBar[] = "HScroll1";
inline constexpr char kCoordinates[] = "lblCoord";  // the read-outs of the point under the pointer
inline constexpr char kInternalCoordinates[] = "lblIntCoord";
inline constexpr char kOk[] = "CmdOk";
inline constexpr char kCancel[] = "cmdCancel";
inline constexpr char kHelp[] = "cmdHelp";
}  // namespace criterion

// And those of the criteria with a pore pressure (PoreCriterionDialog).
namespace porecriterion {
inline constexpr char kPoreOption[] = "chkPore";
inline constexpr char kPorePressureLabel[] = "Label4";
inline constexpr char kPorePressure[] = "Text4";
inline constexpr char kS1[] = "Text11";
inline constexpr char kS1Direction[] = "Text12";
inline constexpr char kS2[] = "Text13";
inline constexpr char kS2Direction[] = "Text14";
inline constexpr char kFailureVerdict[] = "Text8";
inline constexpr char kPoreFailureVerdict[] = "Text9";  // on the effective stresses
inline constexpr char kPoreFailureLabel[] = "Label9";
}  // namespace porecriterion

// The control rows the principal-plane criteria share (Bieniawski, Hoek and
// Brown, von Mises), written once; each tool's table joins them with its
// own rows (forms::JoinRows) in its order. Only the places differ between
// the tools.

// The input frame "Frame1" with the labels and boxes of sx, sy and txy; the
// labels at 240 twips, `labelWidth` wide, the boxes from `boxLeft`.
struct CriterionStressPlace {
  forms::TwipsRect frame;
  int labelWidth = 0;
  int boxLeft = 0;
};
constexpr std::array<forms::ControlRow, 7> CriterionStressRows(const CriterionStressPlace& place) {
  using forms::Kind;
  const int w = place.labelWidth, x = place.boxLeft;
  // clang-format off
  return {{
      {.name = "Frame1", .kind = Kind::Frame, .at = place.frame, .caption = {"Input Data", "Εισαγωγή δεδομένων"}},
      {.name = "lblsx", .kind = Kind::Label, .container = "Frame1", .at = {240, 300, w, 255}, .caption = {"sx", "σ x"}, .partner = criterion::kSx},
      {.name = "lblsy", .kind = Kind::Label, .container = "Frame1", .at = {240, 660, w, 255}, .caption = {"sy", "σ y"}, .partner = criterion::kSy},
      {.name = "lbltxy", .kind = Kind::Label, .container = "Frame1", .at = {240, 1020, w, 255}, .caption = {"txy", "τ xy"}, .partner = criterion::kTxy},
      {.name = criterion::kSx, .kind = Kind::TextBox, .container = "Frame1", .at = {x, 270, 1215, 285}, .maxLength = 20},
      {.name = criterion::kSy, .kind = Kind::TextBox, .container = "Frame1", .at = {x, 630, 1215, 285}, .maxLength = 20},
      {.name = criterion::kTxy, .kind = Kind::TextBox, .container = "Frame1", .at = {x, 990, 1215, 285}, .maxLength = 20},
  }};
  // clang-format on
}

// The pore option, its caption and its box, in "Frame1" below the stresses.
constexpr std::array<forms::ControlRow, 3> CriterionPoreRows() {
  using forms::Kind;
  // clang-format off
  return {{
      {.name = porecriterion::kPoreOption, .kind = Kind::CheckBox, .container = "Frame1", .at = {240, 1410, 255, 255}, .partner = porecriterion::kPorePressureLabel},
      {.name = porecriterion::kPorePressureLabel, .kind = Kind::Label, .container = "Frame1", .at = {540, 1410, 1200, 255}, .caption = {"Pore Pressure", "Πίεση πόρων"}, .partner = porecriterion::kPorePressure},
      {.name = porecriterion::kPorePressure, .kind = Kind::TextBox, .container = "Frame1", .at = {1800, 1380, 1215, 285}, .maxLength = 20},
  }};
  // clang-format on
}

// The plot switch in "Frame1".
constexpr std::array<forms::ControlRow, 1> CriterionGraphSwitchRows(forms::TwipsRect at) {
  return {{{.name = criterion::kGraphSwitch,
            .kind = forms::Kind::CheckBox,
            .container = "Frame1",
            .at = at,
            .caption = {"Graph", "Γράφημα"}}}};
}

// The frame "Frame4" of the principal stresses, `frameWidth` wide, with
// s1, s2 and their directions.
constexpr std::array<forms::ControlRow, 9> CriterionPrincipalRows(int frameWidth) {
  using forms::Kind;
  constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
  // clang-format off
  return {{
      {.name = "Frame4", .kind = Kind::Frame, .at = {3480, 120, frameWidth, 1695}, .caption = {"Principal Stresses", "Κύριες τάσεις"}},
      {.name = "lbls1", .kind = Kind::Label, .container = "Frame4", .at = {240, 300, 1035, 255}, .caption = {"s1", "σ1"}, .partner = porecriterion::kS1},
      {.name = "lblth1", .kind = Kind::Label, .container = "Frame4", .at = {240, 630, 1035, 255}, .caption = {"w1(s1)", "θ(σ1)"}, .partner = porecriterion::kS1Direction},
      {.name = "lbls2", .kind = Kind::Label, .container = "Frame4", .at = {240, 960, 1035, 255}, .caption = {"s2", "σ2"}, .partner = porecriterion::kS2},
      {.name = "lblth2", .kind = Kind::Label, .container = "Frame4", .at = {240, 1290, 1035, 255}, .caption = {"w2(s2)", "θ(σ2)"}, .partner = porecriterion::kS2Direction},
      {.name = porecriterion::kS1, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 270, 1335, 285}, .flags = kResult},
      {.name = porecriterion::kS1Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 600, 1335, 285}, .flags = kResult},
      {.name = porecriterion::kS2, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 930, 1335, 285}, .flags = kResult},
      {.name = porecriterion::kS2Direction, .kind = Kind::TextBox, .container = "Frame4", .at = {1320, 1260, 1335, 285}, .flags = kResult},
  }};
  // clang-format on
}

// The frame "Frame3" of the verdicts on the total and on the effective
// stresses, the result boxes `boxWidth` wide.
constexpr std::array<forms::ControlRow, 5> CriterionVerdictRows(forms::TwipsRect frame, int boxWidth) {
  using forms::Kind;
  constexpr unsigned kResult = forms::kReadOnly | forms::kRedText;
  // clang-format off
  return {{
      {.name = "Frame3", .kind = Kind::Frame, .at = frame, .caption = {"Results", "Αποτελέσματα"}},
      {.name = "Label8", .kind = Kind::Label, .container = "Frame3", .at = {180, 300, 1440, 255}, .caption = {"Failure", "Αστοχία"}, .partner = porecriterion::kFailureVerdict},
      {.name = porecriterion::kPoreFailureLabel, .kind = Kind::Label, .container = "Frame3", .at = {180, 690, 1440, 420}, .caption = {"Failure due to Pore Pressure", "Αστοχία εξ αιτίας πίεσης πόρων"}, .partner = porecriterion::kPoreFailureVerdict},
      {.name = porecriterion::kFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 270, boxWidth, 285}, .flags = kResult},
      {.name = porecriterion::kPoreFailureVerdict, .kind = Kind::TextBox, .container = "Frame3", .at = {1680, 720, boxWidth, 285}, .flags = kResult},
  }};
  // clang-format on
}

// The interactive plot beyond the narrow width: the zoom bar above it, the
// two read-outs below; the bar and the read-outs stand 480 twips right of
// the plot's left edge.
struct CriterionPlotPlace {
  int plotLeft = 0;
  int zoomTop = 0;
  int plotTop = 0;
  int coordinatesTop = 0;
  int internalCoordinatesTop = 0;
};
constexpr std::array<forms::ControlRow, 4> CriterionPlotRows(const CriterionPlotPlace& place) {
  using forms::Kind;
  const int left = place.plotLeft + 480;
  // clang-format off
  return {{
      {.name = criterion::kZoomBar, .kind = Kind::HScroll, .at = {left, place.zoomTop, 3015, 255}, .caption = {"Zoom", "Μεγέθυνση"}},
      {.name = criterion::kPlot, .kind = Kind::Picture, .at = {place.plotLeft, place.plotTop, 4080, 4000}},
      {.name = criterion::kCoordinates, .kind = Kind::Label, .at = {left, place.coordinatesTop, 3255, 495}},
      {.name = criterion::kInternalCoordinates, .kind = Kind::Label, .at = {left, place.internalCoordinatesTop, 3255, 495}},
  }};
  // clang-format on
}

// The Help, Cancel and OK buttons in a row at `top`, each at its left edge.
struct CriterionButtonPlace {
  int top = 0;
  int help = 0;
  int cancel = 0;
  int ok = 0;
};
constexpr std::array<forms::ControlRow, 3> CriterionButtonRows(const CriterionButtonPlace& place) {
  using forms::Kind;
  // clang-format off
  return {{
      {.name = criterion::kHelp, .kind = Kind::Button, .at = {place.help, place.top, 1215, 375}, .caption = {"Help"}},
      {.name = criterion::kCancel, .kind = Kind::Button, .at = {place.cancel, place.top, 1215, 375}, .caption = {"Cancel"}},
      {.name = criterion::kOk, .kind = Kind::Button, .at = {place.ok, place.top, 1215, 375}, .caption = {"OK"}, .flags = forms::kDefault},
  }};
  // clang-format on
}

// The sketch of an angle's positive sense beside a tool's inputs: the
// arrowhead at the end of its arc, a filled triangle `head` long with its
// tip at `tip`, pointing along the unit vector `along`; and the bold mark
// centred in `place`.
void FillArrowhead(QPainter& painter, const QPointF& tip, const QPointF& along, double head, const QColor& colour);
void DrawSenseMark(QPainter& painter, const QRectF& place, const QString& text, const QColor& colour);

// A number of the record in its box, shown in the mask; while the box is
// unedited it gives back the number itself.
void ShowInputValue(QLineEdit* box, float value, QStringView mask = kCriterionValueMask);

// Checks the sets of input boxes in turn (NumericInputs::Check): the first
// box refused ends the check, false; a box emptied to "0" lets the check go
// on with the next set, and then every set is judged again, so that each
// fault is shown once. True when every set passed.
bool JudgeInputSets(std::initializer_list<const forms::NumericInputs*> sets);

// How a criterion's input box is read and checked: as a whole entry into
// its 32-bit field, its text refused with the tool's message, its value by
// the tool's rule (`rules`, at the box's index); `zeroWhenEmpty` for the
// tools that write "0" into an empty box.
forms::InputRules CriterionInputRules(const CriterionBoxRules& rules, int box, bool zeroWhenEmpty);

// An input box of a criterion, the field it fills and its place in the
// tool's box enum; AddCriterionInputs adds them to a set in order, each by
// CriterionInputRules.
struct CriterionInput {
  template <typename Box>
  CriterionInput(QLineEdit* box, float& field, Box which) : box(box), field(&field), index(static_cast<int>(which)) {}
  QLineEdit* box;
  float* field;
  int index;
};
void AddCriterionInputs(forms::NumericInputs& set, std::initializer_list<CriterionInput> inputs,
                        const CriterionBoxRules& rules, bool zeroWhenEmpty);

// The verdict text in a result box ("True" / "False", or "true" / "false"
// in lower case; "Range Error"; empty).
void ShowVerdict(QLineEdit* box, Verdict verdict, VerdictCase letterCase = VerdictCase::Capitalised);

// The pore-pressure controls of a tool: the option (a check box), the
// caption and box of the pore pressure, and the caption and result box of
// the verdict with pore pressure.
struct PoreControls {
  QCheckBox* option = nullptr;
  QLabel* caption = nullptr;
  QLineEdit* box = nullptr;
  QLabel* resultCaption = nullptr;
  QLineEdit* result = nullptr;
};

// The look of the pore controls from the option: on, the box, its caption,
// the verdict and its caption are enabled; off, they are greyed and the
// verdict box is emptied.
void ShowPoreControls(const PoreControls& controls);

// A record's pore option and pressure into the controls (the option set
// quietly; an unused pressure shows "0"), then their look.
void ShowPoreInput(const PoreControls& controls, bool usePore, float porePressure,
                   QStringView mask = kCriterionValueMask);

// Attaches the zoom bar and the read-out labels (bold) to the plot.
void ConnectFailurePlot(FailurePlot* plot, QScrollBar* zoom, QLabel* coordinates, QLabel* internalCoordinates);

// The width switch: the plot shown or hidden, the dialog `wide` or
// `narrow` twips wide (the narrow width leaves the picture out), then
// centred horizontally on its screen.
void SwitchPlotWidth(forms::FormDialog& dialog, FailurePlot* plot, bool shown, int narrowTwips, int wideTwips);

// The dialog of a criterion judged in the principal-stress plane: the
// stress boxes, the plot switch and the plot with its zoom bar and
// read-outs (the names of namespace criterion). Each tool reads and checks its own boxes (ValidateInput),
// calculates (Calculate) and gives the plot its state (PlotState).
class PrincipalCriterionDialog : public forms::FormDialog {
  Q_OBJECT

 protected:
  PrincipalCriterionDialog(QWidget* owner, int narrowWidth, int wideWidth);

  // After Build: finds the shared controls, attaches the zoom bar and the
  // read-outs to the plot, and wires the stress boxes and the plot switch.
  void BindCriterionControls(FailurePlot::VerticalRange range);

  // The opening: the inputs loaded, validated and calculated, the plot
  // switch on when the settings ask for it, the plot drawn from a reset,
  // and the history line.
  void OpenCriterion(const Bilingual& history);

  // The working stresses into their boxes.
  void ShowStressInputs();
  // The record's plot switch into its check box, and the width it gives.
  void ShowGraphOption();
  StressGraph GraphOption() const;

  virtual void Calculate() = 0;
  // Gives the plot the state to draw; only called with computed_ set.
  virtual void PlotState() = 0;
  void Redraw(bool reset);

  void OnInputEdited();
  void OnGraphSwitchToggled();

  // A tool's validation: its sets of input boxes judged in turn
  // (JudgeInputSets), the "0" written into an emptied box not validating by
  // its change. The working copy, stress_ and the tool's `record`, changes
  // only when every set passes.
  template <typename Record>
  bool CheckInputSets(std::initializer_list<const forms::NumericInputs*> sets, Record& record) {
    const QScopedValueRollback guard(validating_, true);
    const StressInput stress = stress_;
    const Record kept = record;
    if (JudgeInputSets(sets)) return true;
    stress_ = stress;
    record = kept;
    return false;
  }

  PrincipalCriterionPlot* Plot() const { return plot_; }

  struct StressBoxes {
    QLineEdit* sx = nullptr;
    QLineEdit* sy = nullptr;
    QLineEdit* txy = nullptr;
  } stressBoxes_;

  StressInput stress_;
  Principal2D principal_;
  bool computed_ = false;     // the results stand for the working copy
  bool calculating_ = false;  // the busy flag
  bool validating_ = false;   // boxes emptied to "0" are judged by the validation that wrote them

 private:
  int narrowWidth_;
  int wideWidth_;
  QCheckBox* graphSwitch_ = nullptr;
  PrincipalCriterionPlot* plot_ = nullptr;
};

// A principal-plane criterion with a pore pressure: besides the shared
// controls, the pore option with its box, the principal stresses and the
// verdicts on the total and on the effective stresses.
class PoreCriterionDialog : public PrincipalCriterionDialog {
  Q_OBJECT

 protected:
  using PrincipalCriterionDialog::PrincipalCriterionDialog;

  // After Build: the shared controls and the pore and result controls.
  void BindPoreCriterionControls(FailurePlot::VerticalRange range);

  // The record's pore option and pressure into their controls (an unused
  // pressure shows "0"); and the option into the working copy, whose
  // pressure the pore box has filled while the option is ticked (0 while
  // it is clear).
  void ShowPoreSetting(bool usePore, float porePressure);
  // The stress boxes into `stress`, and the pore box into `pore`, read only
  // while the option is ticked: into the working stress and `porePressure`,
  // by CriterionInputRules of the boxes 0 to 3 (each tool's box enum begins
  // sx, sy, txy, pore).
  void AddStressAndPoreInputs(forms::NumericInputs& stress, forms::NumericInputs& pore, float& porePressure,
                              const CriterionBoxRules& rules, bool zeroWhenEmpty);
  void ReadPoreOption(bool& usePore, float& porePressure) const;
  bool PoreTicked() const;

  // The calculation: `evaluate` on the working copy, the principal stresses
  // and the verdicts shown and the flags written to `failure` and
  // `poreFailure` (the pore flag only when there is a pore verdict).
  void CalculateVerdicts(const std::function<PrincipalVerdicts()>& evaluate, bool& failure, bool& poreFailure);

  void OnPorePressureEdited();
  void OnPoreOptionToggled();

  QLineEdit* porePressureBox_ = nullptr;

 private:
  struct Ui {
    QLineEdit* s1;
    QLineEdit* s1Direction;
    QLineEdit* s2;
    QLineEdit* s2Direction;
    QLineEdit* failureVerdict;
    QLineEdit* poreFailureVerdict;
    PoreControls poreControls;
  } ui_{};
};

}  // namespace brantel
