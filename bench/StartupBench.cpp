// Start-up to the shown main window, against a bare QMainWindow shown in the
// same process; a start after thousands of saves cut short, and one whose
// records of saves cut short name a folder that does not answer, each
// against a plain one; and the cold start of the program, process and all,
// against a bare QMainWindow program with menus (startup_reference), on an
// X display.
// The settings file is there and the disclaimer is off, as on every start
// after the first.

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Logo.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/update/Updater.h"
#include "mainwindow/Main.h"
#include "mainwindow/MainWindow.h"
#include "support/StalledFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolBar>

#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace brantel;

// A home folder of its own with a settings file of the current version, and
// the toolbar strip beside the program (the build puts it beside the real one).
struct StartupHome {
  StartupHome() {
    Use();
    const QString here = QCoreApplication::applicationDirPath();
    if (!QFile::exists(here + QStringLiteral("/Brantel.bmp"))) {
      QFile::copy(here + QStringLiteral("/../src/Brantel.bmp"), here + QStringLiteral("/Brantel.bmp"));
    }
    RunStartupSteps();
    // The update check starts as at every start, but never leaves this
    // machine.
    SetUpdateRequestGuard(IsLoopbackUrl);
    DisclaimerAtStart = false;
    SaveSettings(SettingsPart::Main);
  }
  // The next start runs in this home.
  void Use() const {
    qputenv("HOME", dir.path().toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
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
    std::unique_ptr<MainWindow> window = StartMainWindow();
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

// A home whose recent list names 4 projects in a folder of 100,000 files,
// and whose scratch folder holds the records of 5,000 saves cut short: most
// with their temporary files beside those projects, some of the last
// version, some of a memory stick that is out. Each start removes some;
// Refill puts them back.
struct CrowdedHome : StartupHome {
  static constexpr int kFolderFiles = 100000;
  static constexpr int kRecords = 5000;
  static constexpr qint64 kFirstPid = 4000000;

  CrowdedHome() : projects(dir.path() + QStringLiteral("/projects/")), temp(UserTempFolder) {
    QDir().mkpath(projects);
    // One empty file under each name: only the folder's size matters here.
    QFile(Project(0)).open(QIODevice::WriteOnly);
    const QByteArray first = QFile::encodeName(Project(0));
    for (int n = 1; n < kFolderFiles; ++n) ::link(first.constData(), QFile::encodeName(Project(n)).constData());
    RecentFileCount = 4;
    for (int i = 1; i <= RecentFileCount; ++i) {
      RecentFilePath[static_cast<std::size_t>(i)] = Project(i);
      RecentFileName[static_cast<std::size_t>(i)] = QFileInfo(Project(i)).fileName();
    }
    SaveSettings(SettingsPart::FileMenu);
    Refill();
  }

  QString Project(int n) const { return projects + QStringLiteral("drawing-%1.BNL").arg(n, 6, 10, QLatin1Char('0')); }

  void Refill() const {
    for (int n = 0; n < kRecords; ++n) {
      const qint64 pid = kFirstPid + n;
      const QString record = temp + QLatin1String(kSaveRecordPrefix) + QString::number(pid) + QStringLiteral("-0");
      if (QFileInfo::exists(record)) continue;
      const bool stickOut = n % 10 == 9;
      const bool lastVersion = n % 10 == 8;
      const QString target = stickOut ? QStringLiteral("/media/stick/drawing.BNL") : Project(n);
      const QString temporary = SaveInProgressName(target, pid, 0);
      QFile file(record);
      file.open(QIODevice::WriteOnly);
      if (lastVersion) {
        file.write(QFile::encodeName(target) + '\n');
      } else {
        file.write(QFile::encodeName(target) + '\0' + QFile::encodeName(QFileInfo(temporary).fileName()) + '\0' + '\0');
      }
      if (!stickOut) QFile(temporary).open(QIODevice::WriteOnly);
    }
  }

  QString projects;
  QString temp;
};

// The time of one start to the shown main window, in milliseconds.
double StartMilliseconds(benchmark::State& state) {
  const auto start = std::chrono::steady_clock::now();
  std::unique_ptr<MainWindow> window = StartMainWindow();
  QCoreApplication::processEvents();  // the first paint
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (!window) state.SkipWithError("the main window did not start");
  window.reset();
  ForgetHistory();
  return ms;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts in the crowded home and in a plain one in turn; the counters are
// the medians of each and their ratio, and of the time from the crowded
// start to the end of its clean-up, which runs beside the start.
void BM_StartUpAfterManySavesCutShortAgainstAPlainStart(benchmark::State& state) {
  static StartupHome plain;
  static CrowdedHome crowded;
  std::vector<double> plainMs, crowdedMs, cleanedUpMs;
  for (auto _ : state) {
    plain.Use();
    plainMs.push_back(StartMilliseconds(state));
    crowded.Use();
    crowded.Refill();
    const auto start = std::chrono::steady_clock::now();
    crowdedMs.push_back(StartMilliseconds(state));
    // The next Refill must not race the clean-up.
    if (!WaitForLeftoverCleanUp(std::chrono::minutes(1))) state.SkipWithError("the clean-up did not end");
    cleanedUpMs.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    state.SetIterationTime(crowdedMs.back() / 1000);
  }
  state.counters["plain_ms"] = Median(plainMs);
  state.counters["crowded_ms"] = Median(crowdedMs);
  state.counters["extra_ms"] = Median(crowdedMs) - Median(plainMs);
  state.counters["ratio"] = Median(crowdedMs) / Median(plainMs);
  state.counters["cleaned_up_ms"] = Median(cleanedUpMs);
}
BENCHMARK(BM_StartUpAfterManySavesCutShortAgainstAPlainStart)->UseManualTime()->Unit(benchmark::kMillisecond);

// A home whose scratch folder holds the records of saves cut short, of both
// forms, on a network folder that stopped answering since: a FUSE file
// system of the benchmark's own that answers nothing (in a mount namespace
// of its own; it needs the superuser and /dev/fuse). Each start's clean-up
// waits on one record, which it holds while it waits: the starts after it
// go on to the next ones, and once every record is held the clean-ups end.
// The folder is cut off, and every clean-up ends, when the program does.
struct StalledHome : StartupHome {
  static constexpr int kRecords = 20;

  StalledHome() : stalled(dir.path() + QStringLiteral("/network"), std::chrono::hours(24)) {
    if (!stalled.Valid()) return;
    const QString records = UserTempFolder + QLatin1String(kSaveRecordPrefix);
    for (int n = 0; n < kRecords; ++n) {
      const qint64 pid = 4000000 + n;
      const QString target = stalled.Path() + QStringLiteral("/projects/drawing-%1.BNL").arg(n);
      QFile record(records + QString::number(pid) + QStringLiteral("-0"));
      record.open(QIODevice::WriteOnly);
      if (n % 2) {
        record.write(QFile::encodeName(target) + '\n');
      } else {
        record.write(QFile::encodeName(target) + '\0' +
                     QFile::encodeName(QFileInfo(SaveInProgressName(target, pid, 0)).fileName()) + '\0' + '\0');
      }
    }
  }

  brantel::test::StalledFolder stalled;
};

// Starts in the home of the stalled records and in a plain one in turn; the
// counters are the medians of each and their ratio.
void BM_StartUpBesideAFolderThatDoesNotAnswerAgainstAPlainStart(benchmark::State& state) {
  static StartupHome plain;
  static StalledHome stalled;
  if (!stalled.stalled.Valid()) {
    // Not an error: the other benchmarks run.
    state.SetLabel("not run: " + stalled.stalled.WhyNot().toStdString());
    for (auto _ : state) {
    }
    return;
  }
  std::vector<double> plainMs, stalledMs;
  for (auto _ : state) {
    plain.Use();
    plainMs.push_back(StartMilliseconds(state));
    stalled.Use();
    stalledMs.push_back(StartMilliseconds(state));
    state.SetIterationTime(stalledMs.back() / 1000);
  }
  state.counters["plain_ms"] = Median(plainMs);
  state.counters["stalled_ms"] = Median(stalledMs);
  state.counters["extra_ms"] = Median(stalledMs) - Median(plainMs);
  state.counters["ratio"] = Median(stalledMs) / Median(plainMs);
}
BENCHMARK(BM_StartUpBesideAFolderThatDoesNotAnswerAgainstAPlainStart)->UseManualTime()->Unit(benchmark::kMillisecond);

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

// --- Cold start on an X display.

using Clock = std::chrono::steady_clock;

// The peak resident memory of a process so far, in kB (VmHWM).
long PeakKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

struct ColdStart {
  double ms = 0;       // from the start of the process to its window mapped
  long mappedKb = 0;   // peak memory when the window was mapped
  long settledKb = 0;  // peak memory a second later
};

// Starts `program` on the display of `x` (which listens to the root window's
// children) and waits for its first top-level window to be mapped.
std::optional<ColdStart> Launch(const char* program, xcb_connection_t* x, char** environment) {
  xcb_flush(x);
  while (xcb_generic_event_t* stale = xcb_poll_for_event(x)) free(stale);
  char* argv[] = {const_cast<char*>(program), nullptr};
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program, nullptr, nullptr, argv, environment) != 0) return std::nullopt;
  std::optional<ColdStart> result;
  const Clock::time_point give_up = start + std::chrono::seconds(20);
  while (!result && Clock::now() < give_up) {
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    poll(&fd, 1, 50);
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
      if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && !result) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (!map->override_redirect) {
          result = ColdStart{};
          result->ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
          result->mappedKb = PeakKilobytes(pid);
        }
      }
      free(event);
    }
  }
  if (result) {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    result->settledKb = PeakKilobytes(pid);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return result;
}

// Pairs of cold starts, the program and the bare window in turn (which one
// goes first alternates), after one unmeasured start of each. Runs only when
// BRANTEL_STARTUP_PAIRS names the number of pairs, on an X display; the
// processes use the xcb platform whatever this one uses:
//   BRANTEL_STARTUP_PAIRS=9 xvfb-run -a build/bench/startup_bench --benchmark_filter=ColdStart
// time_ratio and memory_ratio (peak memory when the window is mapped) are the
// medians of the pairs' ratios; memory_ratio_1s is that of the peaks a second
// later.
void BM_ColdStartAgainstBareWindow(benchmark::State& state) {
  const int pairs = qEnvironmentVariableIntValue("BRANTEL_STARTUP_PAIRS");
  xcb_connection_t* x = pairs < 1 || qEnvironmentVariableIsEmpty("DISPLAY") ? nullptr : xcb_connect(nullptr, nullptr);
  if (!x || xcb_connection_has_error(x)) {
    if (x) xcb_disconnect(x);
    // Not an error: the smoke run has neither, and the other benchmarks run.
    state.SetLabel("not run: needs BRANTEL_STARTUP_PAIRS and an X display");
    for (auto _ : state) {
    }
    return;
  }
  static StartupHome home;
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);

  std::vector<std::string> variables;
  for (char** e = environ; *e; ++e) {
    if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0) variables.emplace_back(*e);
  }
  variables.emplace_back("QT_QPA_PLATFORM=xcb");
  std::vector<char*> environment;
  for (std::string& v : variables) environment.push_back(v.data());
  environment.push_back(nullptr);

  // Another build of either may stand in (BRANTEL_STARTUP_PROGRAM, BRANTEL_STARTUP_BARE).
  const QByteArray programPath = qEnvironmentVariableIsEmpty("BRANTEL_STARTUP_PROGRAM")
                                     ? QByteArray(BRANTEL_PROGRAM)
                                     : qgetenv("BRANTEL_STARTUP_PROGRAM");
  const QByteArray barePath = qEnvironmentVariableIsEmpty("BRANTEL_STARTUP_BARE") ? QByteArray(BRANTEL_BARE_PROGRAM)
                                                                                  : qgetenv("BRANTEL_STARTUP_BARE");
  const char* program = programPath.constData();
  const char* bare = barePath.constData();
  std::vector<double> programMs, bareMs, timeRatio, mappedRatio, settledRatio, programKb, bareKb;
  for (auto _ : state) {
    Launch(program, x, environment.data());
    Launch(bare, x, environment.data());
    for (int pair = 0; pair < pairs; ++pair) {
      std::optional<ColdStart> p, b;
      if (pair % 2) {
        b = Launch(bare, x, environment.data());
        p = Launch(program, x, environment.data());
      } else {
        p = Launch(program, x, environment.data());
        b = Launch(bare, x, environment.data());
      }
      if (!p || !b) {
        state.SkipWithError("a window was not mapped");
        break;
      }
      programMs.push_back(p->ms);
      bareMs.push_back(b->ms);
      timeRatio.push_back(p->ms / b->ms);
      mappedRatio.push_back(double(p->mappedKb) / double(b->mappedKb));
      settledRatio.push_back(double(p->settledKb) / double(b->settledKb));
      programKb.push_back(double(p->mappedKb));
      bareKb.push_back(double(b->mappedKb));
    }
  }
  xcb_disconnect(x);
  if (programMs.empty()) return;
  state.counters["program_ms"] = Median(programMs);
  state.counters["bare_ms"] = Median(bareMs);
  state.counters["time_ratio"] = Median(timeRatio);
  state.counters["program_kB"] = Median(programKb);
  state.counters["bare_kB"] = Median(bareKb);
  state.counters["memory_ratio"] = Median(mappedRatio);
  state.counters["memory_ratio_1s"] = Median(settledRatio);
}
BENCHMARK(BM_ColdStartAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
