#include "mainwindow/Main.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/commands/ToolRegistry.h"
#include "forms/FormHelpers.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgramTools.h"
#include "platform/HelpMessageBox.h"
#include "platform/WidgetMessageBox.h"

#include <QApplication>
#include <QDir>

namespace brantel {

QString JoinCommandLine(const QStringList& arguments) { return arguments.mid(1).join(u' '); }

QString ResolveCommandLine(const QString& commandLine, const QString& startFolder) {
  const QString path = QString(commandLine).remove(u'"');
  if (path.trimmed().isEmpty() || QDir::isAbsolutePath(path)) return commandLine;
  return QDir::cleanPath(QDir(startFolder).absoluteFilePath(path));
}

std::unique_ptr<MainWindow> StartMainWindow() {
  // Before any window: the desktop's own dialogs (File > Open, Printer
  // Setup) are open to the paste keys from the first moment.
  forms::FilterEmptyPastes();
  RunStartupSteps();

  // Load the main window, start a new project and show the window. The
  // command-line project waits for the last project: it is the one open at
  // the end of start-up, and each later activation of the window tries it
  // again while its file is missing.
  auto window = std::make_unique<MainWindow>();
  if (!window->OnLoad()) return nullptr;
  window->NewProject();
  window->HoldCommandLineProject(true);
  window->show();
  QApplication::setActiveWindow(window.get());

  ApplyDisplayFont();

  if (LastProjectOpensAtStart && !RecentFilePath[1].isEmpty()) window->OnRecentFileChosen(1);

  window->HoldCommandLineProject(false);
  window->ReportMissingCommandLineProject();
  return window;
}

int Main(QApplication& app, const QStringList& arguments) {
  platform::InstallWidgetMessageBoxes();
  platform::InstallWidgetHelpMessageBox();
  CommandLine = ResolveCommandLine(JoinCommandLine(arguments), QDir::currentPath());
  RegisterProgramTools();
  const std::unique_ptr<MainWindow> window = StartMainWindow();
  if (!window) return 0;
  return app.exec();
}

}  // namespace brantel
