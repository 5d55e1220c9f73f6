// Start-up to the shown main window, against a bare QMainWindow shown in the
// same process. The settings file is there and the disclaimer is off, as on
// every start after the first.

#include "core/Globals.h"
#include "core/History.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "maintenance/Updater.h"
#include "mainwindow/Main.h"
#include "mainwindow/Logo.h"
#include "mainwindow/MainWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace brantel;

// A home folder of its own with a settings file of the current version, and
// the toolbar strip beside the program (the build puts it beside the real one).
struct StartupHome {
  StartupHome() {
    qputenv("HOME", dir.path().toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    const QString here = QCoreApplication::applicationDirPath();
    if (!QFile::exists(here + QStringLiteral("/Brantel.bmp"))) {
      QFile::copy(here + QStringLiteral("/../src/Brantel.bmp"), here + QStringLiteral("/Brantel.bmp"));
    }
    RunStartupSteps();
    // The update check starts as at every start, but never leaves this
    // machine.
    SetUpdateRequestGuard(IsLoopbackUrl);
    ShowDisclaim = 0;
    SaveSettings(kSettingsMain);
  }
  QTemporaryDir dir;
};

void ForgetHistory() {
  HistoryLog::Instance().Clear();
  HistoryCounter = 0;
}

void BM_StartUpToShownMainWindow(benchmark::State& state) {
  static StartupHome home;
  for (auto _ : state) {
    std::unique_ptr<frmMain> window = StartMainWindow();
    QCoreApplication::processEvents();  // the first paint
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    if (!window) state.SkipWithError("the main window did not start");
    window.reset();
    ForgetHistory();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToShownMainWindow)->Unit(benchmark::kMillisecond);

void BM_BareMainWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    auto window = std::make_unique<QMainWindow>();
    window->resize(800, 600);
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BareMainWindowShown)->Unit(benchmark::kMillisecond);

// For scale: the widgets the main window shows (menus, toolbar, logo, version
// label, history pane), made and shown plainly, without start-up and without
// the main window's own code.
void BM_SameWidgetsShownPlainly(benchmark::State& state) {
  const QPixmap logo = ProgramLogo();
  QPixmap strip(7 * 24, 24);
  strip.fill(Qt::darkCyan);
  for (auto _ : state) {
    auto window = std::make_unique<QMainWindow>();
    auto* surface = new QWidget(window.get());
    window->setCentralWidget(surface);
    for (int m = 0; m < 6; ++m) {
      QMenu* menu = window->menuBar()->addMenu(QStringLiteral("Menu"));
      for (int k = 0; k < 9; ++k) menu->addAction(QStringLiteral("An entry of the menu..."));
      menu->addSeparator();
    }
    auto* bar = new QToolBar(surface);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (int k = 0; k < 7; ++k) bar->addAction(QIcon(strip.copy(k * 24, 0, 24, 24)), QStringLiteral("Button"));
    bar->setGeometry(0, 0, 800, bar->sizeHint().height());
    auto* picture = new QLabel(surface);
    picture->setPixmap(logo);
    picture->setGeometry(250, 150, logo.width(), logo.height());
    auto* label = new QLabel(QStringLiteral("1.0.00 "), surface);
    label->move(740, 60);
    auto* pane = new QPlainTextEdit(surface);
    pane->setPlainText(QStringLiteral("1. A line of the history\r\n"));
    pane->setGeometry(0, 480, 800, 80);
    window->resize(800, 600);
    window->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SameWidgetsShownPlainly)->Unit(benchmark::kMillisecond);

}  // namespace
