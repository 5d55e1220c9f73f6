// The yardstick of the cold-start benchmark: a bare QMainWindow with a menu
// bar of the program's size, shown the way the program shows its window.

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Brantel"));
  for (const char* title : {"&File", "&Input", "&Utilities", "&Help"}) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
    for (int k = 0; k < 12; ++k) menu->addAction(QStringLiteral("An entry of the menu..."));
  }
  window.resize(800, 560);
  window.show();
  return app.exec();
}
