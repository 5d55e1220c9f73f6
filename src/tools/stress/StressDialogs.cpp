#include "tools/stress/StressDialogs.h"

#include "core/Globals.h"
#include "core/Messages.h"
#include "core/project/ProjectRecord.h"
#include "forms/FormBuilder.h"
#include "forms/FormInputs.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <utility>

namespace brantel {

OpeningEntry OpeningEntryOf(const QLineEdit* box) {
  // The value by the box's leading-number reader (the stored value of a box
  // the user did not edit); the text decides whether the entry is numeric.
  const std::optional<float> value = forms::LeadingValue<float>(box);
  OpeningEntry entry = ReadOpeningEntry(box->text(), value.value_or(0.0f));
  entry.Readable = value.has_value();
  return entry;
}

forms::InputRules WholeEntryRules(ValueRule rule) {
  return {.reading = forms::Reading::WholeEntry,
          .message = kInputNotNumeric,
          .rule = std::move(rule),
          .refocusText = false};
}

void AppendUnitsToCaptions(const forms::FormLayout& layout, std::initializer_list<UnitCaption> captions) {
  for (const UnitCaption& caption : captions) {
    forms::AppendToCaption(layout.Require<QLabel>(caption.label), UnitLabel(Project.InputUnits, caption.row));
  }
}

void SetUpSketchFrame(QFrame* frame, const QColor& background) {
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  frame->setAutoFillBackground(true);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, background);
  frame->setPalette(palette);
}

void DrawArrow(QPainter& p, QPointF from, QPointF to, double headLength) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
  const QPointF n(-d.y(), d.x());
  p.drawLine(to, to - headLength * d + 3 * n);
  p.drawLine(to, to - headLength * d - 3 * n);
}

}  // namespace brantel
