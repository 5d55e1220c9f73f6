// The main of the widget-free test programs: the mechanics run under a core
// application, with no window system and no widget.

#include "core/update/Updater.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("brantel-tests"));
  // The update check never leaves this machine in a test: only the tests'
  // own servers on the loopback address answer.
  brantel::SetUpdateRequestGuard(brantel::IsLoopbackUrl);
  return RUN_ALL_TESTS();
}
