#include "core/update/Updater.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("brantel-tests"));
  // The update check never leaves this machine in a test: only the tests'
  // own servers on the loopback address answer.
  brantel::SetUpdateRequestGuard(brantel::IsLoopbackUrl);
  return RUN_ALL_TESTS();
}
