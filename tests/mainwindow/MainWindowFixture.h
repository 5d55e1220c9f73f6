#pragma once

#include "core/Globals.h"
#include "core/History.h"
#include "core/RuntimeError.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/commands/ToolRegistry.h"
#include "core/project/ProjectRecord.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/ProgramTools.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace brantel::test {

// A main window whose file commands are replaced: the tests see what the
// menus ask of them.
class TestWindow : public MainWindow {
 public:
  bool FileMenuSave(bool saveAs) override {
    saveCalls.push_back(saveAs);
    return saveResult;
  }
  void LoadProjectFile() override { loads.push_back(Project.ProjectPath); }
  // The project's own file is chosen again, unless the dialog is cancelled.
  std::optional<QString> ChooseProjectFile(platform::FileDialogMode mode) override {
    dialogModes.push_back(mode);
    if (cancelDialog) return std::nullopt;
    return Project.ProjectPath;
  }
  void UpdateRecentFiles() override { ++recentUpdates; }
  void OnRecentFileChosen(int index) override { recentOpened.push_back(index); }
  bool FileCommandsReady() const override { return fileCommandsReady; }

  bool saveResult = false;
  bool fileCommandsReady = false;
  bool cancelDialog = false;
  std::vector<bool> saveCalls;
  std::vector<QString> loads;
  std::vector<platform::FileDialogMode> dialogModes;
  std::vector<int> recentOpened;
  int recentUpdates = 0;
};

// The program folder holds the toolbar strip; every tool records its
// opening (tool and owner) when registered.
class MainWindowTest : public CoreTest {
 protected:
  struct Opened {
    Tool tool;
    QWidget* owner;
  };

  void SetUp() override {
    CoreTest::SetUp();
    AppFolder = Home() + QStringLiteral("/program/");
    QDir().mkpath(AppFolder);
    QFile::copy(QStringLiteral(BRANTEL_TOOLBAR_STRIP), AppFolder + QStringLiteral("Brantel.bmp"));
    ToolbarBitmapName = QStringLiteral("Brantel.bmp");
    HelpFileName = QStringLiteral("Brantel.chm");
    ManualFileName = QStringLiteral("Brantel.PDF");
    AppNameUpper = QStringLiteral("BRANTEL");
    CommandLine.clear();
    DisclaimerAtStart = false;
    ClearTools();
  }

  void TearDown() override {
    window_.reset();
    ClearTools();
    CommandLine.clear();
    CoreTest::TearDown();
  }

  void RegisterAllTools() {
    for (int i = 0; i < kToolCount; ++i) {
      const auto tool = static_cast<Tool>(i);
      RegisterTool(tool, [this, tool](QWidget* owner) { opened_.push_back({tool, owner}); });
    }
  }

  TestWindow& LoadWindow() {
    window_ = std::make_unique<TestWindow>();
    EXPECT_TRUE(window_->OnLoad());
    return *window_;
  }

  std::unique_ptr<TestWindow> window_;
  std::vector<Opened> opened_;
};

// Chooses the menu entry that runs a tool or a command, as a click on it
// does: the entry must be enabled.
template <typename ToolOrCommand>
void ChooseEntry(const MainWindow& window, ToolOrCommand what) {
  QAction* entry = window.EntryOf(what);
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->isEnabled()) << entry->text().toStdString();
  entry->trigger();
}

// Runs `action` on the modal dialog of type T as soon as it shows. The poll
// is a timer owned by the application: when no such dialog ever shows, it
// goes with the application and leaves nothing behind.
template <typename T>
void WhenModalShows(std::function<void(T*)> action) {
  auto* poll = new QTimer(QApplication::instance());
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog) return;
    // Stopped first: the action may open further modal windows.
    poll->stop();
    poll->deleteLater();
    action(dialog);
  });
  poll->start();
}

}  // namespace brantel::test
