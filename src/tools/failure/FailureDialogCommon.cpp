#include "tools/failure/FailureDialogCommon.h"

#include "core/Messages.h"
#include "core/RuntimeError.h"
#include "core/Validation.h"
#include "forms/FormDialog.h"
#include "forms/FormInputs.h"
#include "tools/failure/FailurePlot.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>

namespace brantel {

std::optional<float> InputBoxValue(const QLineEdit* box) {
  if (!IsNumericEntry(box->text())) return std::nullopt;
  try {
    return SingleOf(forms::BoxValue(box));
  } catch (const RuntimeError&) {
    return std::nullopt;  // beyond the 64-bit range
  }
}

void ShowToolMessage(const ToolMessage& message) {
  ShowInvalidValue(message.Greek.toString(), message.English.toString(), message.WithPrefix);
}

bool RefuseBox(QLineEdit* box, const ToolMessage& message) {
  ShowToolMessage(message);
  box->setFocus();
  box->selectAll();
  return false;
}

bool ApplyInputCheck(const CriterionInputCheck& check, std::span<QLineEdit* const> boxes) {
  for (int index : check.ZeroedBoxes) {
    QLineEdit* box = boxes[static_cast<std::size_t>(index)];
    box->setText(QStringLiteral("0"));
    box->selectAll();
  }
  if (check.Fault) return RefuseBox(boxes[static_cast<std::size_t>(check.Fault->Box)], check.Fault->Message);
  return true;
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
  CenterHorizontally(&dialog);
}

void CenterHorizontally(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const int left = std::max(0, (area.width() - window->frameGeometry().width()) / 2);
  window->move(area.left() + left, window->y());
}

}  // namespace brantel
