// The reference of the paced keystroke benchmark: a program of one bare
// QLineEdit, typed into as the benchmark types into a tool (a character and
// a Backspace in turn, one key every 20 ms, each painted in the gap). It
// prints the CPU time of its main thread per key, in microseconds.
//
//   lineedit_reference [keys]

#include "BenchHelpers.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int keys = argc > 1 ? std::max(2, std::atoi(argv[1])) : 50;
  QLineEdit box(QStringLiteral("6000"));
  box.show();
  if (!QTest::qWaitForWindowExposed(&box)) return 1;
  std::printf("%.3f\n", bench::CpuPerPacedKey(&box, keys));
  return 0;
}
