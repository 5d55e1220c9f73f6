#include "tools/failure/FailureDialogs.h"

#include "core/Bilingual.h"
#include "core/History.h"
#include "core/Messages.h"
#include "core/NumberFormat.h"
#include "core/Settings.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailurePlot.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>

namespace brantel {

void FillArrowhead(QPainter& painter, const QPointF& tip, const QPointF& along, double head, const QColor& colour) {
  const QPointF side(along.y(), -along.x());
  QPainterPath arrow;
  arrow.moveTo(tip);
  arrow.lineTo(tip - head * along + 0.5 * head * side);
  arrow.lineTo(tip - head * along - 0.5 * head * side);
  arrow.closeSubpath();
  painter.fillPath(arrow, colour);
}

void DrawSenseMark(QPainter& painter, const QRectF& place, const QString& text, const QColor& colour) {
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(place, Qt::AlignCenter, text);
}

void ShowInputValue(QLineEdit* box, float value, QStringView mask) {
  forms::ShowStoredValue(box, value, Format(value, mask));
}

bool JudgeInputSets(std::initializer_list<const forms::NumericInputs*> sets) {
  for (;;) {
    bool zeroed = false;
    for (const forms::NumericInputs* set : sets) {
      const forms::NumericInputs::Outcome outcome = set->Check();
      if (outcome == forms::NumericInputs::Outcome::Refused) return false;
      zeroed = zeroed || outcome == forms::NumericInputs::Outcome::Zeroed;
    }
    if (!zeroed) return true;
  }
}

forms::InputRules CriterionInputRules(const CriterionBoxRules& rules, int box, bool zeroWhenEmpty) {
  return {.reading = forms::Reading::WholeEntry,
          .message = rules.Invalid(box),
          .rule = rules.Rule ? rules.Rule(box) : ValueRule{},
          .zeroWhenEmpty = zeroWhenEmpty};
}

void AddCriterionInputs(forms::NumericInputs& set, std::initializer_list<CriterionInput> inputs,
                        const CriterionBoxRules& rules, bool zeroWhenEmpty) {
  for (const CriterionInput& input : inputs)
    set.Add(input.box, *input.field, CriterionInputRules(rules, input.index, zeroWhenEmpty));
}

void ShowVerdict(QLineEdit* box, Verdict verdict, VerdictCase letterCase) {
  forms::ShowResult(box, VerdictText(verdict, letterCase));
}

void ShowPoreControls(const PoreControls& controls) {
  const bool on = controls.option->isChecked();
  controls.box->setEnabled(on);
  controls.caption->setEnabled(on);
  controls.result->setEnabled(on);
  controls.resultCaption->setEnabled(on);
  if (!on) controls.result->clear();
}

void ShowPoreInput(const PoreControls& controls, bool usePore, float porePressure, QStringView mask) {
  {
    const QSignalBlocker quiet(controls.option);
    controls.option->setChecked(usePore);
  }
  ShowPoreControls(controls);
  if (usePore) ShowInputValue(controls.box, porePressure, mask);
  else controls.box->setText(QStringLiteral("0"));
}

void ConnectFailurePlot(FailurePlot* plot, QScrollBar* zoom, QLabel* coordinates, QLabel* internalCoordinates) {
  for (QLabel* label : {coordinates, internalCoordinates}) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  plot->AttachZoomBar(zoom);
  plot->AttachReadouts(coordinates, internalCoordinates);
}

void SwitchPlotWidth(forms::FormDialog& dialog, FailurePlot* plot, bool shown, int narrowTwips, int wideTwips) {
  plot->SetPlotShown(shown);
  plot->setVisible(shown);  // no sliver of it at the edge of the narrow dialog
  dialog.Layout().SetFormWidth(shown ? wideTwips : narrowTwips);
  forms::CenterHorizontally(&dialog);
}

// --- PrincipalCriterionDialog ---------------------------------------------------

PrincipalCriterionDialog::PrincipalCriterionDialog(QWidget* owner, int narrowWidth, int wideWidth)
    : FormDialog(owner), narrowWidth_(narrowWidth), wideWidth_(wideWidth) {}

void PrincipalCriterionDialog::BindCriterionControls(FailurePlot::VerticalRange range) {
  stressBoxes_.sx = Require<QLineEdit>(criterion::kSx);
  stressBoxes_.sy = Require<QLineEdit>(criterion::kSy);
  stressBoxes_.txy = Require<QLineEdit>(criterion::kTxy);
  graphSwitch_ = Require<QCheckBox>(criterion::kGraphSwitch);
  plot_ = Require<PrincipalCriterionPlot>(criterion::kPlot);
  plot_->SetVerticalRange(range);
  ConnectFailurePlot(plot_, Require<QScrollBar>(criterion::kZoomBar), Require<QLabel>(criterion::kCoordinates),
                     Require<QLabel>(criterion::kInternalCoordinates));
  for (QLineEdit* box : {stressBoxes_.sx, stressBoxes_.sy, stressBoxes_.txy})
    connect(box, &QLineEdit::textChanged, this, &PrincipalCriterionDialog::OnInputEdited);
  connect(graphSwitch_, &QCheckBox::toggled, this, &PrincipalCriterionDialog::OnGraphSwitchToggled);
}

void PrincipalCriterionDialog::OpenCriterion(const Bilingual& history) {
  LoadInputs();
  if (ValidateInput()) Calculate();
  if (EnableMohrCircles) graphSwitch_->setChecked(true);
  // A plot kept with the inputs shows the loaded state too.
  Redraw(true);
  AddHistoryLine(Tr(history));
}

void PrincipalCriterionDialog::ShowStressInputs() {
  ShowInputValue(stressBoxes_.sx, stress_.Sx);
  ShowInputValue(stressBoxes_.sy, stress_.Sy);
  ShowInputValue(stressBoxes_.txy, stress_.Txy);
}

void PrincipalCriterionDialog::ShowGraphOption() {
  {
    const QSignalBlocker quiet(graphSwitch_);
    graphSwitch_->setChecked(stress_.GraphOption == StressGraph::MohrCircle);
  }
  OnGraphSwitchToggled();
}

StressGraph PrincipalCriterionDialog::GraphOption() const {
  return graphSwitch_->isChecked() ? StressGraph::MohrCircle : StressGraph::None;
}

void PrincipalCriterionDialog::Redraw(bool reset) {
  if (!computed_) {
    plot_->Forget();
    return;
  }
  PlotState();
  plot_->Show(reset);
}

void PrincipalCriterionDialog::OnInputEdited() {
  if (loading_ || calculating_ || validating_) return;
  if (!ValidateInput()) return;
  Calculate();
  Redraw(false);
}

void PrincipalCriterionDialog::OnGraphSwitchToggled() {
  const bool shown = graphSwitch_->isChecked();
  SwitchPlotWidth(*this, plot_, shown, narrowWidth_, wideWidth_);
  if (shown && !loading_) Redraw(true);
}

// --- PoreCriterionDialog --------------------------------------------------------

void PoreCriterionDialog::BindPoreCriterionControls(FailurePlot::VerticalRange range) {
  BindCriterionControls(range);
  porePressureBox_ = Require<QLineEdit>(porecriterion::kPorePressure);
  ui_.s1 = Require<QLineEdit>(porecriterion::kS1);
  ui_.s1Direction = Require<QLineEdit>(porecriterion::kS1Direction);
  ui_.s2 = Require<QLineEdit>(porecriterion::kS2);
  ui_.s2Direction = Require<QLineEdit>(porecriterion::kS2Direction);
  ui_.failureVerdict = Require<QLineEdit>(porecriterion::kFailureVerdict);
  ui_.poreFailureVerdict = Require<QLineEdit>(porecriterion::kPoreFailureVerdict);
  ui_.poreControls = {Require<QCheckBox>(porecriterion::kPoreOption),
                      Require<QLabel>(porecriterion::kPorePressureLabel), porePressureBox_,
                      Require<QLabel>(porecriterion::kPoreFailureLabel), ui_.poreFailureVerdict};
  connect(porePressureBox_, &QLineEdit::textChanged, this, &PoreCriterionDialog::OnPorePressureEdited);
  connect(ui_.poreControls.option, &QCheckBox::toggled, this, &PoreCriterionDialog::OnPoreOptionToggled);
}

bool PoreCriterionDialog::PoreTicked() const { return ui_.poreControls.option->isChecked(); }

void PoreCriterionDialog::ShowPoreSetting(bool usePore, float porePressure) {
  ShowPoreInput(ui_.poreControls, usePore, porePressure);
}

void PoreCriterionDialog::AddStressAndPoreInputs(forms::NumericInputs& stress, forms::NumericInputs& pore,
                                                 float& porePressure, const CriterionBoxRules& rules,
                                                 bool zeroWhenEmpty) {
  AddCriterionInputs(
      stress, {{stressBoxes_.sx, stress_.Sx, 0}, {stressBoxes_.sy, stress_.Sy, 1}, {stressBoxes_.txy, stress_.Txy, 2}},
      rules, zeroWhenEmpty);
  forms::InputRules poreRules = CriterionInputRules(rules, 3, zeroWhenEmpty);
  poreRules.when = [this] { return PoreTicked(); };
  pore.Add(porePressureBox_, porePressure, std::move(poreRules));
}

void PoreCriterionDialog::ReadPoreOption(bool& usePore, float& porePressure) const {
  usePore = PoreTicked();
  if (!usePore) porePressure = 0.0f;
}

void PoreCriterionDialog::CalculateVerdicts(const std::function<PrincipalVerdicts()>& evaluate, bool& failure,
                                            bool& poreFailure) {
  calculating_ = true;
  computed_ = forms::Calculate(
      {ui_.s1, ui_.s1Direction, ui_.s2, ui_.s2Direction, ui_.failureVerdict, ui_.poreFailureVerdict}, [&] {
        const PrincipalVerdicts result = evaluate();
        principal_ = result.Principal;
        forms::ShowResult(ui_.s1, principal_.S1, kCriterionValueMask);
        forms::ShowResult(ui_.s1Direction, principal_.Theta1, kCriterionValueMask);
        forms::ShowResult(ui_.s2, principal_.S2, kCriterionValueMask);
        forms::ShowResult(ui_.s2Direction, principal_.Theta2, kCriterionValueMask);
        ShowVerdict(ui_.failureVerdict, result.FailureVerdict);
        failure = result.Failure;
        if (result.PoreVerdict) {
          ShowVerdict(ui_.poreFailureVerdict, *result.PoreVerdict);
          poreFailure = result.PoreFailure;
        }
      });
  calculating_ = false;
}

void PoreCriterionDialog::OnPorePressureEdited() {
  if (loading_ || calculating_ || validating_) return;
  OnInputEdited();
  if (!PoreTicked()) return;
  // With no pore pressure there is no second verdict to give.
  const std::optional<float> p = forms::EntryValue<float>(porePressureBox_);
  if (p && *p == 0.0f) ui_.poreFailureVerdict->clear();
}

void PoreCriterionDialog::OnPoreOptionToggled() {
  ShowPoreControls(ui_.poreControls);
  if (loading_) return;
  // Emptying the box is an edit: it calculates and redraws.
  if (!PoreTicked()) porePressureBox_->clear();
  if (ValidateInput() && !calculating_) Calculate();
}

}  // namespace brantel
