#include "mainwindow/Main.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Brantel"));
  return brantel::Main(app, QApplication::arguments());
}
