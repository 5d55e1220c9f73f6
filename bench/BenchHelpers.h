#pragma once

// What the dialog benchmarks share: the settings they run under, a window
// shown on screen, and a box typed into in turn.

#include "core/Settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace bench {

// English texts, and no history window to write to.
inline void QuietSettings() {
  brantel::EnglishMenus = 1;
  brantel::DisplayHistoryWin = 0;
}

// Shows a window and waits until it is on screen; without one the benchmark
// is skipped.
inline void ShowOnScreen(QWidget& window, benchmark::State& state) {
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("no window");
}

// Paints what a step changed, as the event loop does.
inline void PaintPending() { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); }

// Each step sets one of two texts in the box, the first and the second in
// turn, as a keystroke does; with paint, what it changed is painted too.
inline void TypeInTurn(benchmark::State& state, QLineEdit* box, const QString& first, const QString& second,
                       bool paint = true) {
  bool second_next = false;
  for (auto _ : state) {
    box->setText(second_next ? second : first);
    second_next = !second_next;
    if (paint) PaintPending();
  }
}

}  // namespace bench
