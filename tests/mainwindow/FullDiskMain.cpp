// The test program of the full-disk tests: it enters a mount namespace of
// its own while it still has one thread, so that each test may mount a tiny
// file system.

#include "support/FileSystemTricks.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  brantel::test::EnterOwnMountNamespace();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("brantel-tests"));
  return RUN_ALL_TESTS();
}
