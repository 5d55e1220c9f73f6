#include "mainwindow/Main.h"

#include "core/Globals.h"
#include "core/History.h"
#include "core/Startup.h"
#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

namespace brantel {

QString JoinCommandLine(const QStringList& arguments) {
  return arguments.mid(1).join(u' ');
}

int Main(QApplication& app, const QStringList& arguments) {
  platform::InstallWidgetMessageBoxes();
  CommandLine = JoinCommandLine(arguments);
  RunStartupSteps();

  // The main window until the real one stands: the history in a pane.
  QMainWindow window;
  window.setWindowTitle(AppTitle);
  auto* pane = new QPlainTextEdit(&window);
  pane->setReadOnly(true);
  pane->setAccessibleName(QStringLiteral("History"));
  window.setCentralWidget(pane);
  auto showHistory = [pane] {
    pane->setPlainText(HistoryLog::Instance().Text());
    pane->moveCursor(QTextCursor::End);
  };
  QObject::connect(&HistoryLog::Instance(), &HistoryLog::Changed, pane, showHistory);
  showHistory();
  window.resize(640, 480);
  window.show();
  return app.exec();
}

}  // namespace brantel
