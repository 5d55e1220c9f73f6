// The project-file commands of the main window driven through its menus:
// Open, Save, Save As, the save question before Open, the recent-file list,
// the command-line project and closing with unsaved changes. The file dialog
// is answered by a script.

#include "MainWindowFixture.h"

#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/commands/Commands.h"
#include "core/project/ProjectFile.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/Main.h"
#include "platform/FileDialog.h"
#include "platform/WidgetMessageBox.h"
#include "support/IniValues.h"
#include "support/Renders.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <limits>
#include <ostream>
#include <thread>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace brantel {
namespace {

using platform::FileDialogMode;
using platform::FileDialogRequest;
using test::ChooseEntry;

// Answers the message boxes from a script of its own while it lives: each
// box runs its step's action first (what another program does while the box
// is open), then gets the step's answer, or is shown as the real box (which
// runs its own event loop, as at the desktop) and pressed. Each box's prompt
// is kept, and whether another box stood in front as it opened.
class BoxScript {
 public:
  struct Step {
    std::function<void()> meanwhile;
    Answer answer = Answer::Cancel;
    bool realBox = false;
  };

  explicit BoxScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    previous_ = SetMessageBoxHandler([this](const QString& prompt, BoxStyle style, const QString& title) {
      prompts << prompt;
      overAnotherBox.push_back(QApplication::activeModalWidget() != nullptr);
      if (next_ >= steps_.size()) return SafeAnswer(style.buttons);
      const Step& step = steps_[next_++];
      if (step.meanwhile) step.meanwhile();
      if (!step.realBox) return step.answer;
      test::WhenModalShows<QMessageBox>(
          [](QMessageBox* box) { QTimer::singleShot(200, box, [box] { box->defaultButton()->click(); }); });
      return platform::ShowWidgetMessageBox(prompt, style, title);
    });
  }
  ~BoxScript() { SetMessageBoxHandler(std::move(previous_)); }
  BoxScript(const BoxScript&) = delete;
  BoxScript& operator=(const BoxScript&) = delete;

  QStringList prompts;
  std::vector<bool> overAnotherBox;

 private:
  MessageBoxHandler previous_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

// Sends the window the request that a window manager sends when the user
// clicks its close button (WM_DELETE_WINDOW), over the application's own
// connection to the X server, through the X library that Qt's xcb platform
// has loaded (the build needs none of its headers). False off that platform.
bool SendWindowManagerClose(QWindow* window) {
  const bool onX11 = QGuiApplication::platformName() == QStringLiteral("xcb");
  auto* x11 = onX11 ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  void* library = x11 ? ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_NOLOAD) : nullptr;
  if (!library) return false;
  struct Cookie {
    unsigned sequence;
  };
  struct AtomReply {
    std::uint32_t head, length, atom;
  };
  const auto intern = reinterpret_cast<Cookie (*)(void*, std::uint8_t, std::uint16_t, const char*)>(
      ::dlsym(library, "xcb_intern_atom"));
  const auto reply = reinterpret_cast<AtomReply* (*)(void*, Cookie, void**)>(::dlsym(library, "xcb_intern_atom_reply"));
  const auto send = reinterpret_cast<Cookie (*)(void*, std::uint8_t, std::uint32_t, std::uint32_t, const char*)>(
      ::dlsym(library, "xcb_send_event"));
  const auto flush = reinterpret_cast<int (*)(void*)>(::dlsym(library, "xcb_flush"));
  xcb_connection_t* server = x11->connection();
  const auto atom = [&](const char* name) {
    AtomReply* answer = reply(server, intern(server, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const std::uint32_t value = answer ? answer->atom : 0;
    std::free(answer);
    return value;
  };
  const auto id = static_cast<std::uint32_t>(window->winId());
  // A client message (33) of 32-bit data: the protocol and its request.
  const std::array<std::uint32_t, 8> message{33 | 32 << 8, id, atom("WM_PROTOCOLS"), atom("WM_DELETE_WINDOW")};
  send(server, 0, id, 0, reinterpret_cast<const char*>(message.data()));
  const bool sent = flush(server) > 0;
  ::dlclose(library);
  return sent;
}

class FileCommandsTest : public test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetProjectSignatures();
    previous_ = platform::SetFileDialogHandler([this](const FileDialogRequest& r, QWidget*) {
      requests_.push_back(r);
      std::optional<QString> chosen;
      if (!choices_.empty()) {
        chosen = choices_.front();
        choices_.pop_front();
      }
      return chosen;
    });
    folder_ = Documents() + QStringLiteral("/projects/");
    QDir().mkpath(folder_);
  }

  void TearDown() override {
    main_.reset();
    platform::SetFileDialogHandler(previous_);
    MainWindowTest::TearDown();
  }

  MainWindow& Load() {
    main_ = std::make_unique<MainWindow>();
    EXPECT_TRUE(main_->OnLoad());
    main_->NewProject();
    return *main_;
  }

  // The shown main window with the project file at `path` (2-D stress Sx 1)
  // open and edited, unsaved (Sx 2).
  MainWindow& ShowEdited(const QString& path) {
    MakeFile(path, 1.0f);
    MainWindow& w = Load();
    w.show();
    Open(path);
    Project.Stress2D.Sx = 2.0f;
    Project.FileSaved = false;
    return w;
  }

  // A project file whose 2-D stress Sx is `sx`.
  QString MakeFile(const QString& path, float sx) {
    ProjectRecord r;
    ResetProjectRecord(r);
    r.Stress2D.Sx = sx;
    r.ProjectTitle = QStringLiteral("Title of ") + QFileInfo(path).fileName();
    r.LabHeight = 123.25f;
    r.LabArea = 789.5f;
    r.LabPointCount = 2;
    WriteFile(path, ProjectFileBytes(r));
    return path;
  }

  void Choose(const QString& path) { choices_.push_back(path); }
  void Cancel() { choices_.push_back(std::nullopt); }

  void Open(const QString& path) {
    Choose(path);
    ChooseEntry(*main_, Command::Open);
  }

  QStringList Recent() const {
    QStringList out;
    for (int i = 1; i <= RecentFileCount; ++i) out << RecentFilePath[static_cast<std::size_t>(i)];
    return out;
  }

  QString Caption(const QString& path, bool unsaved) const { return MainCaptionText(QString(), path, unsaved); }

  std::unique_ptr<MainWindow> main_;
  platform::FileDialogHandler previous_;
  std::deque<std::optional<QString>> choices_;
  std::vector<FileDialogRequest> requests_;
  QString folder_;
};

TEST_F(FileCommandsTest, OpenReadsAGoodFileIntoTheProjectAndTheRecentList) {
  DataPath = folder_;
  const QString file = MakeFile(folder_ + QStringLiteral("pillar.BNL"), 12.5f);
  MainWindow& w = Load();
  EXPECT_TRUE(w.toolbar->Button(QStringLiteral("OPEN"))->isEnabled());
  EXPECT_TRUE(w.EntryOf(Command::SaveAs)->isEnabled());
  HistoryLog::Instance().Clear();

  Choose(file);
  w.OnToolbarButtonClicked(QStringLiteral("OPEN"));

  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].mode, FileDialogMode::Open);
  EXPECT_EQ(requests_[0].fileName, QStringLiteral("Untitled"));
  EXPECT_EQ(requests_[0].folder, Documents() + QStringLiteral("/projects"));
  EXPECT_EQ(requests_[0].filter, QStringLiteral("All Files (*.*)|*.*|BRANTEL Files (*.BNL)|*.BNL"));
  EXPECT_EQ(requests_[0].filterIndex, 2);
  EXPECT_EQ(requests_[0].defaultExtension, QStringLiteral("BNL"));
  EXPECT_EQ(platform::FileDialogNameFilters(requests_[0].filter),
            QStringList({"All Files (*)", "BRANTEL Files (*.BNL)"}));

  EXPECT_EQ(Project.Stress2D.Sx, 12.5f);
  EXPECT_EQ(Project.ProjectTitle, QStringLiteral("Title of pillar.BNL"));
  EXPECT_EQ(Project.ProjectPath, file);
  EXPECT_TRUE(Project.FileSaved);
  EXPECT_FALSE(Project.FileEmpty);
  EXPECT_TRUE(Project.FileHoldsData);
  EXPECT_EQ(w.windowTitle(), Caption(file, false));
  EXPECT_EQ(RecentFileCount, 1);
  EXPECT_EQ(RecentFileName[1], QStringLiteral("pillar.BNL"));
  EXPECT_EQ(RecentFilePath[1], file);
  EXPECT_EQ(RecentFileMode[1], RecentFileMark::Marked);
  EXPECT_TRUE(w.recentFileEntries[0]->isVisible());
  EXPECT_TRUE(w.recentFileEntries[1]->isVisible());
  EXPECT_TRUE(w.recentFileEntries[1]->isEnabled());
  EXPECT_EQ(w.recentFileEntries[1]->text(), file);
  EXPECT_EQ(ReadIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong1"), SettingsIniPath), file);
  QStringList lines = History().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  for (QString& line : lines) line = line.mid(line.indexOf(QStringLiteral(". ")) + 2);  // without the counter
  EXPECT_EQ(lines, QStringList({QStringLiteral("Opening: ") + file,
                                QStringLiteral("File initialized. Use Edit-Project Parameters to enter data."),
                                QStringLiteral("Saving default settings to file: ") + SettingsIniPath}));
  EXPECT_TRUE(boxes_->Shown().empty());
}

TEST_F(FileCommandsTest, ABrokenFileChangesNothingAndSaysWhichLineFailed) {
  const QString good = MakeFile(folder_ + QStringLiteral("good.BNL"), 1.0f);
  const QStringList lines = QString::fromUtf8(ReadFile(good)).split(QStringLiteral("\r\n"));
  const qsizetype labCount = lines.indexOf(QStringLiteral("789.5")) + 3;  // 1-based line of LabPointCount
  auto broken = [&](int line, const QString& text) {
    QStringList copy = lines;
    copy[line - 1] = text;
    return copy.join(QStringLiteral("\r\n")).toUtf8();
  };
  struct Case {
    const char* name;
    QByteArray bytes;  // empty: no file at all
    QString said;
  };
  const std::vector<Case> cases = {
      {"signature", "BRANTEL_099\r\n 1\r\n", QStringLiteral("Invalid File Type")},
      {"missing", QByteArray(), QStringLiteral("missing.BNL")},
      {"ends early", lines.mid(0, 20).join(QStringLiteral("\r\n")).toUtf8(), QStringLiteral("line 21")},
      {"no end marker", "BRANTEL_109\r\n 1\r\nT\r\n##StartDesc##\r\ntext\r\n", QStringLiteral("##EndDesc##")},
      {"not a number", broken(7, QStringLiteral("12,5x")), QStringLiteral("line 7")},
      {"16-bit range", broken(2, QStringLiteral("40000")), QStringLiteral("line 2")},
      {"NaN", broken(8 + 1, QStringLiteral("nan")), QStringLiteral("line 9")},
      {"infinite", broken(7, QStringLiteral("inf")), QStringLiteral("line 7")},
      {"huge", broken(7, QStringLiteral("1e39")), QStringLiteral("line 7")},
      {"lab points", broken(static_cast<int>(labCount), QStringLiteral("21")), QStringLiteral("line %1").arg(labCount)},
      // Bytes of a binary file are shown as escapes, and cut short.
      {"binary", broken(7, QStringLiteral("\x1B[2J\x07") + QString(50, u'9')),
       QStringLiteral("\"\\x1B[2J\\x07") + QString(29, u'9') + QStringLiteral("...\" is not a number")},
  };

  MainWindow& w = Load();
  Open(MakeFile(folder_ + QStringLiteral("current.BNL"), 4.0f));
  ASSERT_EQ(Project.Stress2D.Sx, 4.0f);
  Project.Stress2D.Sx = 5.0f;  // an unsaved change
  Project.FileSaved = false;
  const QByteArray before = ProjectFileBytes(Project);
  const QString path = Project.ProjectPath;
  const QString caption = w.windowTitle();
  const QStringList recent = Recent();

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString file = folder_ + (c.bytes.isEmpty() ? QStringLiteral("missing") : QString::fromLatin1(c.name)) +
                         QStringLiteral(".BNL");
    if (!c.bytes.isEmpty()) WriteFile(file, c.bytes);
    boxes_->Clear();
    boxes_->Answer(Answer::No);  // do not save the current project
    Open(file);
    ASSERT_EQ(boxes_->Shown().size(), 2u);
    const QString said = boxes_->Last().prompt;
    EXPECT_TRUE(said.contains(c.said)) << said.toStdString();
    EXPECT_FALSE(std::any_of(said.begin(), said.end(), [](QChar ch) { return ch.category() == QChar::Other_Control; }))
        << said.toStdString();
    if (c.said != u"Invalid File Type") {
      EXPECT_TRUE(said.contains(file)) << said.toStdString();
    }
    EXPECT_EQ(ProjectFileBytes(Project), before);
    EXPECT_EQ(Project.ProjectPath, path);
    EXPECT_FALSE(Project.FileSaved);
    EXPECT_TRUE(Project.FileHoldsData);
    EXPECT_EQ(w.windowTitle(), caption);
    EXPECT_EQ(Recent(), recent);
  }
}

TEST_F(FileCommandsTest, APipeADeviceOrAFolderIsRefusedBeforeAnythingElse) {
  const QString pipe = folder_ + QStringLiteral("pipe.BNL");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  const QString folder = folder_ + QStringLiteral("folder.BNL");
  QDir().mkpath(folder);
  const QString current = MakeFile(folder_ + QStringLiteral("current.BNL"), 4.0f);
  struct Case {
    QString path;
    QString why;
  };
  const Case cases[] = {
      {pipe, QStringLiteral("it is a pipe, not a file")},
      {QStringLiteral("/dev/zero"), QStringLiteral("it is a device, not a file")},
      {folder, QStringLiteral("it is a folder")},
  };

  MainWindow& w = Load();
  Open(current);
  Project.Stress2D.Sx = 5.0f;  // an unsaved change: no save question comes first
  Project.FileSaved = false;
  const QByteArray before = ProjectFileBytes(Project);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    const QString said = QStringLiteral("Error occurred: Cannot open the project file \"") + c.path +
                         QStringLiteral("\": ") + c.why + QStringLiteral(" (75). Procedure Terminated");
    // From the Open dialog, and from the recent-file list.
    for (int from = 0; from < 2; ++from) {
      boxes_->Clear();
      HistoryLog::Instance().Clear();
      if (from == 0) {
        Open(c.path);
      } else {
        RecentFileCount = 2;
        RecentFilePath[2] = c.path;
        w.OnRecentFileChosen(2);
      }
      ASSERT_EQ(boxes_->Shown().size(), 1u);
      EXPECT_EQ(boxes_->Last().prompt, said);
      EXPECT_EQ(ProjectFileBytes(Project), before);
      EXPECT_EQ(Project.ProjectPath, current);
      EXPECT_FALSE(Project.FileSaved);
      EXPECT_FALSE(History().contains(QStringLiteral("Opening:")));
      EXPECT_FALSE(History().contains(QStringLiteral("File initialized")));
    }
  }
  EXPECT_EQ(Recent().first(), current);
}

TEST_F(FileCommandsTest, SaveAndSaveAsWriteWholeFilesOrLeaveEverythingAsItWas) {
  DataPath = folder_;
  MainWindow& w = Load();
  Project.Stress2D.Sx = 3.0f;
  Project.FileSaved = false;

  // Save on a new project asks for a name in the data folder.
  const QString a = folder_ + QStringLiteral("a.BNL");
  Choose(a);
  ChooseEntry(w, Command::Save);
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].mode, FileDialogMode::Save);
  EXPECT_EQ(requests_[0].fileName, QStringLiteral("Untitled"));
  EXPECT_EQ(requests_[0].folder, Documents() + QStringLiteral("/projects"));
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 3.0f);
  EXPECT_EQ(Project.ProjectPath, a);
  EXPECT_TRUE(Project.FileSaved);
  EXPECT_EQ(w.windowTitle(), Caption(a, false));
  EXPECT_EQ(Recent(), QStringList{a});
  EXPECT_TRUE(History().contains(QStringLiteral("Saving: ") + a));

  // Save on a named project writes without a dialog.
  Project.Stress2D.Sx = 4.0f;
  Project.FileSaved = false;
  ChooseEntry(w, Command::Save);
  EXPECT_EQ(requests_.size(), 1u);
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 4.0f);
  const QByteArray saved = ReadFile(a);

  // A value that cannot be written: the error is reported, the old file,
  // the flags and the list stay, and no temporary file is left behind.
  Project.Stress2D.Sx = std::numeric_limits<float>::quiet_NaN();
  Project.FileSaved = false;
  boxes_->Clear();
  ChooseEntry(w, Command::Save);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("Error occurred: ")));
  EXPECT_EQ(ReadFile(a), saved);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_EQ(Recent(), QStringList{a});
  EXPECT_EQ(QDir(folder_).entryList(QDir::Files), QStringList{QStringLiteral("a.BNL")});

  // Save As into a folder that is not there: reported, nothing changes.
  Project.Stress2D.Sx = 5.0f;
  const QString caption = w.windowTitle();
  Choose(Home() + QStringLiteral("/missing/b.BNL"));
  boxes_->Clear();
  ChooseEntry(w, Command::SaveAs);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("(76)"))) << boxes_->Last().prompt.toStdString();
  EXPECT_EQ(requests_.back().fileName, QStringLiteral("a.BNL"));
  EXPECT_EQ(Project.ProjectPath, a);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_EQ(w.windowTitle(), caption);
  EXPECT_EQ(Recent(), QStringList{a});

  // A cancelled Save As says nothing and saves nothing.
  Cancel();
  boxes_->Clear();
  ChooseEntry(w, Command::SaveAs);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(w.Cancelled);
  EXPECT_EQ(Project.ProjectPath, a);
  EXPECT_FALSE(Project.FileSaved);

  // "Untitled" in any letter case, or no path at all, is a project without a
  // name: Save asks for one.
  for (const QString& unnamed : {QStringLiteral("uNTITLED"), QString()}) {
    Project.ProjectPath = unnamed;
    const std::size_t asked = requests_.size();
    Cancel();
    ChooseEntry(w, Command::Save);
    ASSERT_EQ(requests_.size(), asked + 1);
    EXPECT_EQ(requests_.back().mode, FileDialogMode::Save);
    EXPECT_EQ(requests_.back().fileName, unnamed);
    EXPECT_EQ(Project.ProjectPath, unnamed);
  }
}

TEST_F(FileCommandsTest, SaveAsksBeforeWritingOverAnotherProgramsChange) {
  const QString a = MakeFile(folder_ + QStringLiteral("a.BNL"), 1.0f);
  MainWindow& w = Load();
  w.show();
  Open(a);
  const auto edit = [](float sx) {
    Project.Stress2D.Sx = sx;
    Project.FileSaved = false;
  };
  // Nothing changed on disk: Save writes without a word.
  edit(2.0f);
  ChooseEntry(w, Command::Save);
  EXPECT_TRUE(boxes_->Shown().empty());

  // Another copy of the program saves its edit: the same size, and the
  // modification time put back, so that only the bytes tell.
  struct stat saved {};
  ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &saved), 0);
  const QByteArray theirs = ReadFile(a).replace("\r\n2\r\n", "\r\n9\r\n");
  WriteFile(a, theirs);
  const struct timespec times[2] = {saved.st_atim, saved.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), times, 0), 0);

  // No, Cancel, and No after Yes to the save question of Exit: their file
  // stays, this project stays unsaved (and the window open).
  edit(3.0f);
  const QString question = a + QStringLiteral(" was changed by another program since it was opened. Overwrite it?");
  for (const Answer reply : {Answer::No, Answer::Cancel, Answer::Yes}) {
    boxes_->Clear();
    if (reply == Answer::Yes) {
      boxes_->Answer(Answer::Yes);
      boxes_->Answer(Answer::No);
      EXPECT_FALSE(w.close());
    } else {
      boxes_->Answer(reply);
      ChooseEntry(w, Command::Save);
    }
    EXPECT_EQ(boxes_->Last().prompt, question);
    EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNoCancel, Icon::Warning, DefaultButton::Second));
    EXPECT_EQ(ReadFile(a), theirs);
    EXPECT_FALSE(Project.FileSaved);
  }
  EXPECT_TRUE(w.isVisible());

  // Yes writes over it; the file is then this copy's again.
  boxes_->Clear();
  boxes_->Answer(Answer::Yes);
  ChooseEntry(w, Command::Save);
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 3.0f);
  EXPECT_TRUE(Project.FileSaved);
  edit(4.0f);
  boxes_->Clear();
  ChooseEntry(w, Command::Save);
  EXPECT_TRUE(boxes_->Shown().empty());

  // Touched by another program: a new modification time, the same bytes.
  // Nothing of theirs to lose: saved without a question.
  struct stat ours {};
  ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &ours), 0);
  const struct timespec touched[2] = {{ours.st_mtim.tv_sec + 60, 0}, {ours.st_mtim.tv_sec + 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), touched, 0), 0);
  edit(5.0f);
  ChooseEntry(w, Command::Save);
  EXPECT_TRUE(boxes_->Shown().empty());
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 5.0f);
  EXPECT_TRUE(Project.FileSaved);

  // One byte changed, with its own new time: the question.
  WriteFile(a, ReadFile(a).replace("\r\n5\r\n", "\r\n8\r\n"));
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(a).constData(), touched, 0), 0);
  edit(6.0f);
  boxes_->Answer(Answer::No);
  ChooseEntry(w, Command::Save);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt, question);
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 8.0f);
  EXPECT_FALSE(Project.FileSaved);
}

TEST_F(FileCommandsTest, OfTwoCopiesSavingAtOnceTheSecondWaitsThenAsks) {
  const QString a = folder_ + QStringLiteral("a.BNL");
  MainWindow& w = ShowEdited(a);

  // Another copy of the program has taken the file's lock and found the
  // file unchanged; a moment later its edit replaces the file (a new file
  // renamed over it) and the lock goes.
  const QByteArray theirs = ReadFile(a).replace("\r\n1\r\n", "\r\n9\r\n");
  std::atomic<bool> locked = false;
  std::thread other([&] {
    const int fd = ::open(QFile::encodeName(a).constData(), O_RDONLY | O_CLOEXEC);
    ::flock(fd, LOCK_EX);
    locked = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const QByteArray edit = QFile::encodeName(a + QStringLiteral(".theirs"));
    const int out = ::open(edit.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_EQ(::write(out, theirs.constData(), static_cast<size_t>(theirs.size())), theirs.size());
    ::close(out);
    EXPECT_EQ(::rename(edit.constData(), QFile::encodeName(a).constData()), 0);
    ::close(fd);
  });
  while (!locked) std::this_thread::yield();
  // The window goes on handling its events while it waits.
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start(10);
  // The window is closed while the save waits: the close comes after it.
  bool closedWhileWaiting = true;
  QTimer::singleShot(50, &w, [&] { closedWhileWaiting = w.close(); });
  boxes_->Answer(Answer::No);
  ChooseEntry(w, Command::Save);
  other.join();
  EXPECT_GT(ticks, 5);
  EXPECT_FALSE(closedWhileWaiting);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt,
            a + QStringLiteral(" was changed by another program since it was opened. Overwrite it?"));
  EXPECT_EQ(ReadFile(a), theirs);
  EXPECT_FALSE(Project.FileSaved);
  boxes_->Answer(Answer::Cancel);
  ASSERT_TRUE(QTest::qWaitFor([this] { return boxes_->Shown().size() == 2; }, 2000));
  EXPECT_TRUE(boxes_->Last().prompt.startsWith(QStringLiteral("Save changes to: ")));
  EXPECT_TRUE(w.isVisible());
}

TEST_F(FileCommandsTest, AYesToAnotherProgramsChangeOverwritesOnlyTheChangeItWasAskedAbout) {
  const QString a = folder_ + QStringLiteral("a.BNL");
  MainWindow& w = Load();
  const QString sinceOpened = a + QStringLiteral(" was changed by another program since it was opened. Overwrite it?");
  const QString again = a + QStringLiteral(" was changed again by another program while you were asked. Overwrite it?");
  const QString folderError = QStringLiteral("Error occurred: Cannot save the project file \"") + a +
                              QStringLiteral("\": it is a folder (75). Procedure Terminated");
  // What the other copy of the program does while this one asks.
  const auto theirEdit = [&](float sx) { return [this, a, sx] { MakeFile(a, sx); }; };
  const auto removed = [a] { QFile::remove(a); };
  const auto folder = [a] { QFile::remove(a) && QDir().mkdir(a); };
  struct Case {
    const char* what;
    std::vector<BoxScript::Step> steps;
    QStringList asked;
    float onDisk;  // 0: a folder stands there
  };
  for (const Case& c : std::vector<Case>{
           {"changed again, then No", {{theirEdit(7.0f), Answer::Yes}, {{}, Answer::No}}, {sinceOpened, again}, 7.0f},
           {"changed at each question, Yes to each",
            {{theirEdit(7.0f), Answer::Yes}, {theirEdit(6.0f), Answer::Yes}, {{}, Answer::Yes}},
            {sinceOpened, again, again},
            2.0f},
           {"removed while asked", {{removed, Answer::Yes}}, {sinceOpened}, 2.0f},
           {"a folder put in its place while asked", {{folder, Answer::Yes}}, {sinceOpened, folderError}, 0.0f}}) {
    SCOPED_TRACE(c.what);
    // This copy opens the project and edits it; the other saves its own
    // edit first.
    MakeFile(a, 1.0f);
    Project.FileSaved = true;
    Open(a);
    Project.Stress2D.Sx = 2.0f;
    Project.FileSaved = false;
    MakeFile(a, 9.0f);
    {
      BoxScript script(c.steps);
      ChooseEntry(w, Command::Save);
      EXPECT_EQ(script.prompts, c.asked);
    }
    EXPECT_EQ(Project.FileSaved, c.onDisk == 2.0f);
    EXPECT_EQ(Project.ProjectPath, a);
    if (c.onDisk == 0.0f) {
      EXPECT_TRUE(QDir().rmdir(a));
      continue;
    }
    ProjectRecord read;
    ASSERT_TRUE(ReadProjectFile(a, read).read);
    EXPECT_EQ(read.Stress2D.Sx, c.onDisk);
  }
}

TEST_F(FileCommandsTest, ACloseAskedForWhileASaveWaitsForTheLockGoesOnAfterTheSavesError) {
  const QString a = folder_ + QStringLiteral("a.BNL");
  MainWindow& w = ShowEdited(a);
  const QByteArray theirs = ReadFile(a);
  // Another program holds the file's lock, through an open file of its own,
  // for longer than the save waits.
  const int other = ::open(QFile::encodeName(a).constData(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  w.SaveLockWaitSeconds = 1;
  const QString error = QStringLiteral("Error occurred: Cannot save the project file \"") + a +
                        QStringLiteral(
                            "\": another program has kept it locked for more than 1 seconds (75). "
                            "Procedure Terminated");
  const QString saveChanges = QStringLiteral("Save changes to: ") + a + u'?';

  // The close comes from the program itself (the update's leave closes the
  // window so), or from the window manager, where there is one: the X
  // server holds that request back with the user's input while the save
  // waits. The error is a real box, whose own event loop runs until it is
  // pressed, as at the desktop.
  struct Way {
    const char* what;
    std::function<bool()> close;
  };
  const std::vector<Way> ways = {
      {"the program's own close",
       [&w] {
         w.close();
         return true;
       }},
      {"the window manager's close", [&w] { return SendWindowManagerClose(w.windowHandle()); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    bool closeSent = false;
    BoxScript script({{{}, Answer::Ok, true}, {{}, Answer::Cancel}});
    QTimer::singleShot(300, &w, [&] { closeSent = way.close(); });
    ChooseEntry(w, Command::Save);
    if (!closeSent) {
      std::printf("%s: cannot be sent on the %s platform; not tried\n", way.what,
                  qPrintable(QGuiApplication::platformName()));
      continue;
    }
    // After the error, the close asks as any close of an unsaved project
    // does; Cancel keeps the window, the project unsaved and their file.
    ASSERT_TRUE(QTest::qWaitFor([&] { return script.prompts.size() >= 2; }, 5000))
        << script.prompts.join(u'|').toStdString();
    QTest::qWait(300);
    EXPECT_EQ(script.prompts, QStringList({error, saveChanges}));
    EXPECT_FALSE(script.overAnotherBox[1]);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(Project.FileSaved);
    EXPECT_EQ(ReadFile(a), theirs);
  }
  ::close(other);
}

TEST_F(FileCommandsTest, SaveSaysWhenAFolderOrAPipeStandsInPlaceOfTheProject) {
  const QString a = MakeFile(folder_ + QStringLiteral("a.BNL"), 1.0f);
  MainWindow& w = Load();
  Open(a);
  Project.Stress2D.Sx = 2.0f;
  Project.FileSaved = false;
  const QString caption = w.windowTitle();
  struct Case {
    const char* what;
    QString why;
  };
  for (const Case& c :
       {Case{"folder", QStringLiteral("it is a folder")}, Case{"pipe", QStringLiteral("it is a pipe, not a file")}}) {
    SCOPED_TRACE(c.what);
    // Put in place of the project's file since it was opened.
    ASSERT_TRUE(QFile::remove(a) || QDir().rmdir(a));
    if (c.what == std::string("folder")) {
      ASSERT_TRUE(QDir().mkdir(a));
    } else {
      ASSERT_EQ(::mkfifo(QFile::encodeName(a).constData(), 0644), 0);
    }
    boxes_->Clear();
    ChooseEntry(w, Command::Save);
    ASSERT_EQ(boxes_->Shown().size(), 1u);  // no question about another program's change
    EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Error occurred: Cannot save the project file \"") + a +
                                         QStringLiteral("\": ") + c.why +
                                         QStringLiteral(" (75). Procedure Terminated"));
    EXPECT_FALSE(Project.FileSaved);
    EXPECT_EQ(Project.ProjectPath, a);
    EXPECT_EQ(w.windowTitle(), caption);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(a).constData(), &st), 0);
    EXPECT_EQ(c.what == std::string("folder") ? S_ISDIR(st.st_mode) : S_ISFIFO(st.st_mode), true);
  }

  // Save As elsewhere saves the project.
  const QString b = folder_ + QStringLiteral("b.BNL");
  Choose(b);
  boxes_->Clear();
  ChooseEntry(w, Command::SaveAs);
  EXPECT_TRUE(boxes_->Shown().empty());
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(b, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 2.0f);
  EXPECT_TRUE(Project.FileSaved);
}

TEST_F(FileCommandsTest, SaveRefusesAProjectTooLargeToOpenAgainAndKeepsIt) {
  // A file of exactly the limit whose description is one long line: it
  // opens, but written with the description wrapped it would be larger.
  ProjectRecord source;
  ResetProjectRecord(source);
  source.ProjectDescription = QStringLiteral("@");
  QByteArray bytes = ProjectFileBytes(source);
  const qsizetype line = kMaxProjectFileBytes - (bytes.size() - 1);
  bytes.replace("\r\n@\r\n", "\r\n" + QByteArray(line, 'w') + "\r\n");
  ASSERT_EQ(bytes.size(), kMaxProjectFileBytes);
  const QString big = WriteFile(folder_ + QStringLiteral("big.BNL"), bytes);
  struct stat before {};
  ASSERT_EQ(::stat(QFile::encodeName(big).constData(), &before), 0);

  MainWindow& w = Load();
  Open(big);
  ASSERT_EQ(Project.ProjectPath, big);
  ASSERT_EQ(Project.ProjectDescription.size(), line + 2);
  Project.Stress2D.Sx = 5.0f;  // an edit
  Project.FileSaved = false;
  const QString description = Project.ProjectDescription;
  const QString caption = w.windowTitle();

  boxes_->Clear();
  ChooseEntry(w, Command::Save);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Error occurred: Cannot save the project file \"") + big +
                QStringLiteral("\": it would be too large for a project file: 16.6 MB (a project file is at most "
                               "16 MB). Shorten the project description. (75). Procedure Terminated"));
  // The old file untouched, the project still modified and whole.
  EXPECT_TRUE(ReadFile(big) == bytes);
  struct stat after {};
  ASSERT_EQ(::stat(QFile::encodeName(big).constData(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(QDir(folder_).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("big.BNL")});
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_EQ(Project.ProjectPath, big);
  EXPECT_TRUE(Project.ProjectDescription == description);
  EXPECT_EQ(Project.Stress2D.Sx, 5.0f);
  EXPECT_EQ(w.windowTitle(), caption);

  // Shortened, it saves under a new name and opens again.
  Project.ProjectDescription = QStringLiteral("A shorter description");
  const QString small = folder_ + QStringLiteral("small.BNL");
  Choose(small);
  boxes_->Clear();
  ChooseEntry(w, Command::SaveAs);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_TRUE(Project.FileSaved);
  Open(small);
  EXPECT_EQ(Project.ProjectDescription, QStringLiteral("A shorter description\r\n"));
  EXPECT_EQ(Project.Stress2D.Sx, 5.0f);
}

TEST_F(FileCommandsTest, AFileTooLargeForAProjectIsRefusedBeforeItIsRead) {
  // 40 MB without a byte on disk; the reading of such a file once held the
  // window for a long time.
  const QString huge = folder_ + QStringLiteral("huge.BNL");
  {
    QFile file(huge);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ProjectFileBytes(Project));
    ASSERT_TRUE(file.resize(40LL * 1024 * 1024));
  }
  const QString current = MakeFile(folder_ + QStringLiteral("current.BNL"), 4.0f);
  Load();
  Open(current);
  Project.Stress2D.Sx = 5.0f;  // an unsaved change: no save question comes first
  Project.FileSaved = false;
  const QByteArray before = ProjectFileBytes(Project);
  boxes_->Clear();
  HistoryLog::Instance().Clear();
  Open(huge);
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(boxes_->Last().prompt,
            QStringLiteral("Error occurred: Cannot open the project file \"") + huge +
                QStringLiteral("\": it is too large for a project file: 40.0 MB (a project file is at most 16 MB)"
                               " (75). Procedure Terminated"));
  EXPECT_EQ(ProjectFileBytes(Project), before);
  EXPECT_EQ(Project.ProjectPath, current);
  EXPECT_FALSE(History().contains(QStringLiteral("Opening:")));
}

TEST_F(FileCommandsTest, TheSaveQuestionBeforeOpen) {
  const QString a = MakeFile(folder_ + QStringLiteral("a.BNL"), 1.0f);
  const QString b = MakeFile(folder_ + QStringLiteral("b.BNL"), 2.0f);
  MainWindow& w = Load();
  Open(a);

  // No: the change is dropped and the new file opens.
  Project.Stress2D.Sx = 10.0f;
  Project.FileSaved = false;
  boxes_->Answer(Answer::No);
  Open(b);
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Save changes to: ") + a + u'?');
  EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNo, Icon::Question, DefaultButton::Second));
  EXPECT_EQ(boxes_->Last().title, AppTitle);
  EXPECT_FALSE(History().contains(QStringLiteral("Save changes")));
  EXPECT_EQ(Project.ProjectPath, b);
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(a, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 1.0f);

  // Yes: the open project is saved under its own path first.
  Project.Stress2D.Sx = 20.0f;
  Project.FileSaved = false;
  boxes_->Answer(Answer::Yes);
  Open(a);
  ASSERT_TRUE(ReadProjectFile(b, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 20.0f);
  EXPECT_EQ(Project.ProjectPath, a);
  EXPECT_EQ(Project.Stress2D.Sx, 1.0f);

  // A box closed without an answer, and Yes with a save that fails: the
  // Open is abandoned and the unsaved project stays.
  Project.Stress2D.Sx = std::numeric_limits<float>::infinity();
  Project.FileSaved = false;
  const QString caption = w.windowTitle();
  for (Answer reply : {Answer::Cancel, Answer::Yes}) {
    boxes_->Clear();
    boxes_->Answer(reply);
    HistoryLog::Instance().Clear();
    Open(b);
    EXPECT_EQ(boxes_->Shown().size(), reply == Answer::Yes ? 2u : 1u);
    EXPECT_EQ(Project.ProjectPath, a);
    EXPECT_FALSE(Project.FileSaved);
    EXPECT_TRUE(std::isinf(Project.Stress2D.Sx));
    EXPECT_EQ(w.windowTitle(), caption);
    EXPECT_FALSE(History().contains(QStringLiteral("Opening:")));
  }

  // Yes on a new project whose Save As is cancelled: nothing happens.
  w.NewProject();
  Project.Stress2D.Sx = 7.0f;
  Project.FileSaved = false;
  boxes_->Answer(Answer::Yes);
  Choose(b);  // the file to open
  Cancel();   // the Save As dialog
  Open(b);
  ASSERT_EQ(choices_.size(), 1u);  // the second choice was never asked for
  choices_.clear();
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  EXPECT_EQ(Project.Stress2D.Sx, 7.0f);
  EXPECT_FALSE(Project.FileSaved);

  // Yes on a new project saved as c, then a file that cannot be read: the
  // project is c, saved, and the caption says so.
  const QString c = folder_ + QStringLiteral("c.BNL");
  const QString bad = WriteFile(folder_ + QStringLiteral("bad.BNL"), "nonsense\r\n");
  boxes_->Answer(Answer::Yes);
  Choose(bad);
  Choose(c);
  ChooseEntry(w, Command::Open);
  EXPECT_EQ(Project.ProjectPath, c);
  EXPECT_TRUE(Project.FileSaved);
  EXPECT_EQ(Project.Stress2D.Sx, 7.0f);
  EXPECT_EQ(w.windowTitle(), Caption(c, false));
  EXPECT_EQ(boxes_->Last().prompt, QStringLiteral("Invalid File Type"));
}

TEST_F(FileCommandsTest, ACancelledOpenDialogLeavesThePath) {
  MainWindow& w = Load();
  Project.ProjectPath = folder_ + QStringLiteral("kept.BNL");
  Cancel();
  ChooseEntry(w, Command::Open);
  EXPECT_EQ(requests_.back().fileName, QStringLiteral("kept.BNL"));
  EXPECT_EQ(Project.ProjectPath, folder_ + QStringLiteral("kept.BNL"));
  EXPECT_TRUE(w.Cancelled);
  EXPECT_TRUE(boxes_->Shown().empty());
  EXPECT_EQ(RecentFileCount, 0);
}

TEST_F(FileCommandsTest, TheRecentListMovesAnOpenedFileToTheTop) {
  QStringList f;
  for (const char* name : {"A", "B", "C", "D", "E"})
    f << MakeFile(folder_ + QString::fromLatin1(name) + QStringLiteral(".BNL"), 1.0f);
  MainWindow& w = Load();
  for (int i = 0; i < 4; ++i) {
    Open(f[i]);
    EXPECT_EQ(RecentFileCount, i + 1);
  }
  EXPECT_EQ(Recent(), QStringList({f[3], f[2], f[1], f[0]}));
  // Opening the third swaps it with the first; the others keep their places.
  Open(f[1]);
  EXPECT_EQ(Recent(), QStringList({f[1], f[2], f[3], f[0]}));
  // A new file pushes the last one out.
  Open(f[4]);
  EXPECT_EQ(Recent(), QStringList({f[4], f[1], f[2], f[3]}));
  EXPECT_EQ(RecentFileCount, 4);
  // From the menu: entry 3.
  w.recentFileEntries[3]->trigger();
  EXPECT_EQ(Project.ProjectPath, f[2]);
  EXPECT_EQ(Recent(), QStringList({f[2], f[1], f[4], f[3]}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(w.recentFileEntries[static_cast<std::size_t>(i)]->text(), Recent()[i - 1]);
  EXPECT_EQ(ReadIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong3"), SettingsIniPath), f[4]);

  // Short names: a file of the same name from another folder counts as
  // found, and the entry takes the new path.
  RecentFilesByName = true;
  const QString other = MakeFile(Home() + QStringLiteral("/other/B.BNL"), 2.0f);
  Open(other);
  EXPECT_EQ(Recent(), QStringList({other, f[2], f[4], f[3]}));
  EXPECT_EQ(RecentFileName[1], QStringLiteral("B.BNL"));
  EXPECT_EQ(RecentFileName[2], QStringLiteral("C.BNL"));
  EXPECT_EQ(w.recentFileEntries[1]->text(), QStringLiteral("B.BNL"));

  // Without RecentFilesListed the list and the menu stay as they are.
  RecentFilesListed = false;
  HistoryLog::Instance().Clear();
  Open(f[0]);
  EXPECT_EQ(Project.ProjectPath, f[0]);
  EXPECT_EQ(Recent(), QStringList({other, f[2], f[4], f[3]}));
  EXPECT_FALSE(History().contains(QStringLiteral("Saving default settings")));
}

TEST_F(FileCommandsTest, ARecentFileThatIsGoneIsReportedAndNothingChanges) {
  const QString a = MakeFile(folder_ + QStringLiteral("a.BNL"), 1.0f);
  const QString b = MakeFile(folder_ + QStringLiteral("b.BNL"), 2.0f);
  MainWindow& w = Load();
  Open(b);
  Open(a);
  QFile::remove(b);
  Project.FileSaved = false;
  const QString caption = w.windowTitle();
  boxes_->Clear();
  w.OnRecentFileChosen(2);
  ASSERT_EQ(boxes_->Shown().size(), 1u);  // no save question first
  EXPECT_EQ(boxes_->Last().style, Buttons::RetryCancel);
  EXPECT_TRUE(boxes_->Last().prompt.contains(b + QStringLiteral("\": the file no longer exists")));
  EXPECT_EQ(Project.ProjectPath, a);
  EXPECT_FALSE(Project.FileSaved);
  EXPECT_EQ(w.windowTitle(), caption);
  EXPECT_EQ(Recent(), QStringList({a, b}));

  // Retry looks again.
  boxes_->Clear();
  boxes_->Answer(Answer::Retry);
  w.OnRecentFileChosen(2);
  EXPECT_EQ(boxes_->Shown().size(), 2u);
  EXPECT_EQ(Project.ProjectPath, a);
}

TEST_F(FileCommandsTest, TheMenuShowsShortOrLongNamesOfTheSettings) {
  RecentFileCount = 2;
  RecentFileName[1] = QStringLiteral("R&D.BNL");
  RecentFilePath[1] = QStringLiteral("/data/R&D.BNL");
  RecentFileName[2] = QStringLiteral("b.BNL");
  RecentFilePath[2] = QStringLiteral("/data/b.BNL");
  RecentFilesByName = true;
  MainWindow& w = Load();
  EXPECT_EQ(w.recentFileEntries[1]->text(), QStringLiteral("R&&D.BNL"));
  EXPECT_EQ(w.recentFileEntries[2]->text(), QStringLiteral("b.BNL"));
  EXPECT_FALSE(w.recentFileEntries[3]->isVisible());

  RecentFilesByName = false;
  MainWindow& longNames = Load();
  EXPECT_EQ(longNames.recentFileEntries[1]->text(), QStringLiteral("/data/R&&D.BNL"));
  longNames.OnActivate();
  EXPECT_TRUE(longNames.recentFileEntries[0]->isVisible());

  RecentFilesListed = false;
  MainWindow& none = Load();
  none.OnActivate();
  for (QAction* entry : none.recentFileEntries) EXPECT_FALSE(entry->isVisible());
}

TEST_F(FileCommandsTest, TheCommandLineProjectIsOpenAtTheEndOfStartUp) {
  RunStartupSteps();
  WriteIniValue(QStringLiteral("Settings"), QStringLiteral("ShowDisclaim"), QStringLiteral("0"), SettingsIniPath);
  const QString last = MakeFile(folder_ + QStringLiteral("last.BNL"), 1.0f);
  const QString named = MakeFile(folder_ + QStringLiteral("named file.BNL"), 2.0f);
  WriteIniValue(QStringLiteral("Settings"), QStringLiteral("LoadLastInputFile"), QStringLiteral("1"), SettingsIniPath);
  WriteIniValue(QStringLiteral("FileMenu"), QStringLiteral("MaxLastFiles"), QStringLiteral("1"), SettingsIniPath);
  WriteIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFile1"), QStringLiteral("last.BNL"), SettingsIniPath);
  WriteIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong1"), last, SettingsIniPath);
  CommandLine = u'"' + named + u'"';
  std::unique_ptr<MainWindow> window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(Project.ProjectPath, named);
  EXPECT_EQ(Project.Stress2D.Sx, 2.0f);
  EXPECT_EQ(window->windowTitle(), Caption(named, false));
  // The last file first, then the command-line project, each once; the
  // first activation only logs the command line.
  EXPECT_EQ(History().count(QStringLiteral("Opening: ") + named), 1);
  EXPECT_EQ(History().count(QStringLiteral("Opening: ") + last), 1);
  EXPECT_LT(History().indexOf(QStringLiteral("Opening: ") + last),
            History().indexOf(QStringLiteral("Opening: ") + named));
  EXPECT_EQ(History().count(QStringLiteral("Command: \"") + named + u'"'), 1);
  EXPECT_EQ(Recent(), QStringList({named, last}));
  EXPECT_TRUE(boxes_->Shown().empty());
  window.reset();

  // A command-line file that cannot be read is reported once; the project
  // stays the new one of start-up.
  CommandLine = WriteFile(folder_ + QStringLiteral("broken.BNL"), "BRANTEL_109\r\nx\r\n");
  WriteIniValue(QStringLiteral("Settings"), QStringLiteral("LoadLastInputFile"), QStringLiteral("0"), SettingsIniPath);
  boxes_->Clear();
  HistoryLog::Instance().Clear();
  window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(CommandLine + QStringLiteral("\", line 2")));
  EXPECT_EQ(History().count(QStringLiteral("Opening: ")), 1);
  EXPECT_EQ(History().count(QStringLiteral("File initialized")), 1);  // the New of start-up
  window.reset();

  // A pipe on the command line is refused at once; start-up goes on.
  CommandLine = folder_ + QStringLiteral("pipe.BNL");
  ASSERT_EQ(::mkfifo(QFile::encodeName(CommandLine).constData(), 0644), 0);
  boxes_->Clear();
  window = StartMainWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_TRUE(boxes_->Last().prompt.contains(QStringLiteral("it is a pipe, not a file")));
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));
}

TEST_F(FileCommandsTest, ClosingWithUnsavedChangesAndYesSavesForReal) {
  DataPath = folder_;
  MainWindow& w = Load();
  w.show();
  Project.Stress2D.Sx = 6.0f;
  Project.FileSaved = false;

  // Yes with the Save As cancelled keeps the window open.
  boxes_->Answer(Answer::Yes);
  Cancel();
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));

  const QString file = folder_ + QStringLiteral("closing.BNL");
  boxes_->Answer(Answer::Yes);
  Choose(file);
  EXPECT_TRUE(w.close());
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(file, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 6.0f);
  EXPECT_TRUE(Project.FileSaved);
  EXPECT_EQ(ReadIniValue(QStringLiteral("FileMenu"), QStringLiteral("LastFileLong1"), SettingsIniPath), file);
}

TEST_F(FileCommandsTest, NewAsksAsClosingDoesBeforeUnsavedChangesGo) {
  DataPath = folder_;
  MainWindow& w = Load();
  const auto typed = [] {
    Project.Stress2D.Sx = 50.0f;
    MarkProjectChanged();
  };
  typed();
  const QString question = QStringLiteral("Save changes to: Untitled?");

  // Cancel, and Yes with the Save As cancelled: everything stays as it was.
  for (const Answer reply : {Answer::Cancel, Answer::Yes}) {
    boxes_->Clear();
    boxes_->Answer(reply);
    if (reply == Answer::Yes) Cancel();
    ChooseEntry(w, Command::New);
    ASSERT_EQ(boxes_->Shown().size(), 1u);
    EXPECT_EQ(boxes_->Last().prompt, question);
    EXPECT_EQ(boxes_->Last().style, BoxStyle(Buttons::YesNoCancel, Icon::Question));
    EXPECT_EQ(Project.Stress2D.Sx, 50.0f);
    EXPECT_FALSE(Project.FileSaved);
  }

  // Yes saves first, then starts afresh.
  const QString file = folder_ + QStringLiteral("typed.BNL");
  boxes_->Answer(Answer::Yes);
  Choose(file);
  ChooseEntry(w, Command::New);
  ProjectRecord read;
  ASSERT_TRUE(ReadProjectFile(file, read).read);
  EXPECT_EQ(read.Stress2D.Sx, 50.0f);
  EXPECT_EQ(Recent().value(0), file);
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_EQ(Project.ProjectPath, QStringLiteral("Untitled"));

  // No lets the changes go; a saved project asks nothing.
  typed();
  boxes_->Clear();
  boxes_->Answer(Answer::No);
  ChooseEntry(w, Command::New);
  EXPECT_EQ(boxes_->Shown().size(), 1u);
  EXPECT_EQ(Project.Stress2D.Sx, 0.0f);
  EXPECT_TRUE(Project.FileSaved);
  ChooseEntry(w, Command::New);
  EXPECT_EQ(boxes_->Shown().size(), 1u);
}

TEST_F(FileCommandsTest, TheRealDialogStartsInTheFolderAndAddsTheExtension) {
  platform::SetFileDialogHandler(nullptr);
  FileDialogRequest request;
  request.mode = FileDialogMode::Save;
  request.fileName = QStringLiteral("Untitled");
  request.folder = Documents() + QStringLiteral("/projects");
  request.filter = QStringLiteral("All Files (*.*)|*.*|BRANTEL Files (*.BNL)|*.BNL");
  request.filterIndex = 2;
  request.defaultExtension = QStringLiteral("BNL");
  QString folder;
  QString filter;
  test::WhenModalShows<QFileDialog>([&](QFileDialog* d) {
    folder = d->directory().absolutePath();
    filter = d->selectedNameFilter();
    // Typed into the name box, as the user does: QFileDialog::selectFile
    // may be overridden by the first name once the folder has been read.
    auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("pillar"));
    static_cast<QDialog*>(d)->accept();  // as the Save button does
  });
  EXPECT_EQ(platform::ShowFileDialog(request, nullptr), folder_ + QStringLiteral("pillar.BNL"));
  EXPECT_EQ(folder, Documents() + QStringLiteral("/projects"));
  EXPECT_EQ(filter, QStringLiteral("BRANTEL Files (*.BNL)"));

  test::WhenModalShows<QFileDialog>([](QFileDialog* d) { d->reject(); });
  EXPECT_EQ(platform::ShowFileDialog(request, nullptr), std::nullopt);
}

// The File menu with recent entries, in both languages.
class FileMenuRender : public FileCommandsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FileMenuRender, FileMenuWithRecentEntries) {
  EnglishMenus = GetParam();
  MainWindow& w = Load();
  for (const char* name : {"Kirsch opening.BNL", "pillar-layout.BNL", "wedge & bolts.BNL"})
    Open(MakeFile(folder_ + QString::fromLatin1(name), 1.0f));
  w.show();
  w.OnActivate();
  w.fileMenu->adjustSize();
  test::SaveRender(*w.fileMenu, QStringLiteral("mnuFile-recent-") + QString::fromLatin1(GetParam() ? "en" : "el"));
  // Every recent entry is wide enough for its whole caption.
  for (int i = 1; i <= 3; ++i) {
    QAction* entry = w.recentFileEntries[static_cast<std::size_t>(i)];
    EXPECT_TRUE(entry->isVisible());
    EXPECT_GE(w.fileMenu->actionGeometry(entry).width(),
              w.fileMenu->fontMetrics().horizontalAdvance(RecentFilePath[static_cast<std::size_t>(i)]));
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, FileMenuRender, ::testing::Values(true, false));

}  // namespace
}  // namespace brantel
