#include "mainwindow/MainWindow.h"

#include "core/Fonts.h"
#include "core/Globals.h"
#include "core/History.h"
#include "core/Logo.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/project/ProjectFile.h"
#include "core/project/ProjectRecord.h"
#include "core/update/UpdateController.h"
#include "forms/FormBuilder.h"
#include "forms/FormDialog.h"
#include "forms/FormHelpers.h"
#include "maintenance/DisclaimerDialog.h"
#include "maintenance/UpdateDialog.h"
#include "mainwindow/CommandBar.h"
#include "mainwindow/HelpActions.h"
#include "mainwindow/IconStrip.h"
#include "platform/WidgetMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include <cmath>

namespace brantel {
namespace {

MainWindow* g_mainWindow = nullptr;

// How often a close held back for a save is tried again while a box stands
// in front of the window.
constexpr int kCloseRetryMs = 100;

// Design sizes of the window and its controls, in twips.
constexpr int kDesignWidth = 12000;
constexpr int kDesignHeight = 8400;
constexpr int kHistoryHeight = 1200;
constexpr int kLogoGap = 1000;
// The size of the program's logo.
constexpr QSize kLogoSize(300, 190);

// The logo in the middle of the window, drawn when it is first painted:
// the window goes on the screen without waiting for the logo's font.
class LogoPicture : public QLabel {
 public:
  explicit LogoPicture(QWidget* parent) : QLabel(parent) { resize(kLogoSize); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (logo_.isNull()) {
      logo_ = ProgramLogo();
      if (logo_.size() != size()) {
        resize(logo_.size());
        if (auto* window = qobject_cast<MainWindow*>(this->window())) CenterLogoPicture(*window);
      }
    }
    QPainter(this).drawPixmap(0, 0, logo_);
  }

 private:
  QPixmap logo_;
};

}  // namespace

bool RecentMenuChanged = false;

MainWindow* MainWindow::Instance() { return g_mainWindow; }

MainWindow::MainWindow() {
  g_mainWindow = this;
  // A message box that no other window can take stands over this one.
  platform::SetMainMessageBoxOwner(this);
  setWindowTitle(QStringLiteral("Brantel"));
  setObjectName(QStringLiteral("frmMain"));

  surface = new QWidget(this);
  surface->setObjectName(QStringLiteral("surface"));
  setCentralWidget(surface);
  surface->installEventFilter(this);

  logo = new LogoPicture(surface);
  logo->setObjectName(QStringLiteral("Picture1"));
  logo->setAccessibleName(QStringLiteral("Brantel"));

  toolbar = new CommandBar(surface);
  toolbar->setObjectName(QStringLiteral("toolBar1"));
  toolbar->setFont(QFont(QStringLiteral("Tahoma")));
  connect(toolbar, &CommandBar::ButtonClicked, this, &MainWindow::OnToolbarButtonClicked);

  // The version label is designed with its caption, so the first layout
  // already knows its width.
  versionLabel = new QLabel(surface);
  versionLabel->setObjectName(QStringLiteral("lblver"));
  versionLabel->setText(GetVersionString(VersionForm::Dotted) + u' ');
  versionLabel->adjustSize();

  historyPane = new QPlainTextEdit(surface);
  historyPane->setObjectName(QStringLiteral("txtMain"));
  historyPane->setReadOnly(true);
  historyPane->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  historyPane->setAccessibleName(QStringLiteral("History"));
  historyPane->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  BuildMenus();

  // F1 opens the help on the focused window's topic from any window of the
  // program, the tool dialogs shown modally included: a shortcut of the main
  // window would not reach them, as the modal dialog blocks the window that
  // owns it.
  qApp->installEventFilter(this);

  FollowHistory();

  resize(forms::Px(kDesignWidth), forms::Px(kDesignHeight));
}

MainWindow::~MainWindow() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

void MainWindow::FollowHistory() {
  // The pane takes the history whole once; after that each line is added at
  // the end and the oldest text is cut from the top, in a time that does not
  // grow with the pane. The pane keeps no undo steps.
  const HistoryLog& log = HistoryLog::Instance();
  historyPane->setUndoRedoEnabled(false);
  historyPane->setPlainText(log.Text());
  connect(&log, &HistoryLog::Appended, historyPane, [pane = historyPane](const QString& line) {
    QTextCursor end(pane->document());
    end.movePosition(QTextCursor::End);
    end.insertText(line);
  });
  connect(&log, &HistoryLog::FrontDropped, historyPane, [pane = historyPane](qsizetype characters, qsizetype lineEnds) {
    // Each CR LF pair of the history is one line break of the pane.
    QTextCursor front(pane->document());
    front.setPosition(static_cast<int>(characters - lineEnds), QTextCursor::KeepAnchor);
    front.removeSelectedText();
  });
  connect(&log, &HistoryLog::Cleared, historyPane, &QPlainTextEdit::clear);
  connect(&log, &HistoryLog::Changed, this, &MainWindow::ShowLastHistoryLine);
  ShowLastHistoryLine();
}

void MainWindow::ShowLastHistoryLine() {
  // A caret at the end stays there as lines are added.
  if (!historyPane->textCursor().atEnd()) historyPane->moveCursor(QTextCursor::End);
  historyPane->ensureCursorVisible();
}

const std::vector<QAction*>& MainWindow::MenuItems(Menu menu) const { return menuItems_[static_cast<int>(menu)]; }

bool MainWindow::OnLoad() {
  // 1. The program folder is the current folder (the manual is found there).
  if (!AppFolder.isEmpty()) QDir::setCurrent(AppFolder);
  // 2. Help.
  SetAppHelpFile();
  // 3.
  FirstActivation = true;
  RefreshRecentFilesMenu();
  // 4.
  EnableMainWindow(*this);
  CenterLogoPicture(*this);
  ShowVersionLabel(*this, nullptr);
  // 5. Declining the disclaimer ends the program before the window shows.
  if (DisclaimerAtStart && !ShowDisclaimer()) return false;
  // 6. A maximised window stays where the desktop put it.
  if (!(windowState() & Qt::WindowMaximized)) forms::CenterForm(this);
  // 7.
  CheckForUpdates();
  // 8.
  SetMenuCaptions();
  // 9.
  LoadToolbarIcons();
  toolbar->SetIcons(toolbarIcons_.get());
  AddToolbarButtons();
  CreateStandardBar();
  toolbar->SetCurrentBar(QStringLiteral("STANDARD"));
  UpdateCommandStates();
  LayoutMainWindow(*this);
  ShowVersionLabel(*this, nullptr);
  return true;
}

void MainWindow::OnActivate() {
  if (RecentMenuChanged && !recentFileEntries.empty()) recentFileEntries[0]->setVisible(true);
  LayoutMainWindow(*this);
  if (!FirstActivation || CommandLine.isEmpty() || holdCommandLine_) return;
  AddHistoryLine(QStringLiteral("Command: ") + ShownText(CommandLine, 1024));
  const QString path = CommandLineProject();
  // A file that is not there yet leaves the open project and its path alone:
  // a Save would otherwise write that project where the awaited file is to
  // come, and the open would then offer to save it over that file.
  if (!QFileInfo::exists(path)) return;
  // Cleared first: the open's questions and messages activate the window
  // again.
  FirstActivation = false;
  Project.ProjectDisplayName = Project.ProjectPath;
  Project.ProjectPath = path;
  LoadProjectFile();
}

void MainWindow::HoldCommandLineProject(bool hold) {
  holdCommandLine_ = hold;
  if (!hold) OnActivate();
}

void MainWindow::ReportMissingCommandLineProject() {
  if (!FirstActivation || CommandLine.isEmpty() || holdCommandLine_) return;
  const QString path = CommandLineProject();
  if (QFileInfo::exists(path)) return;
  Run([&] {
    RaiseError(ErrorNumber::FileNotFound, Tr({"Cannot open the project file \"%1\": the file does not exist",
                                              "Αδύνατο το άνοιγμα του αρχείου έργου \"%1\": το αρχείο δεν υπάρχει"})
                                              .arg(ShownText(path, 1024)));
  });
}

void MainWindow::OnResize() {
  // Layout trouble while the window is minimised is of no consequence.
  LayoutMainWindow(*this);
  CenterLogoPicture(*this);
  ShowVersionLabel(*this, nullptr);
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) OnActivate();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == surface && event->type() == QEvent::Resize) OnResize();
  // The window system's close comes to the window's handle first. While a
  // save runs it waits for the save's end: handled now, it would ask about
  // the project in the middle of the save, and while the save's question or
  // error stands in front the window system's close is lost.
  if (event->type() == QEvent::Close && savesRunning_ > 0 && watched == windowHandle()) {
    closeAskedDuringSave_ = true;
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !key->isAutoRepeat()) {
      ShowContextHelp(static_cast<QWidget*>(watched));
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::MayLetProjectGo() {
  if (Project.FileSaved) return true;
  const Answer pressed = ShowMessageBox(QStringLiteral("Save changes to: ") + Project.ProjectPath + u'?',
                                        BoxStyle{Buttons::YesNoCancel, Icon::Question}, AppTitle);
  if (pressed == Answer::Yes) {
    if (!FileMenuSave(false)) return false;  // a failed save keeps the project
    UpdateRecentFiles();
    return true;
  }
  return pressed == Answer::No;
}

void MainWindow::OnUnload() {
  HelpUninitialize();
  SaveSettings(SettingsPart::FileMenu);
  RestoreDecimalSeparator();
  QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  // A save under way ends first, its wait for another copy's lock, its
  // questions and its error included; the close follows it (EndSave).
  if (savesRunning_ > 0 || ProjectFileLock::Waiting()) {
    event->ignore();
    if (savesRunning_ > 0) {
      closeAskedDuringSave_ = true;
    } else {
      CloseWhenNothingInFront();
    }
    return;
  }
  if (!MayLetProjectGo()) {
    event->ignore();
    return;
  }
  unloading_ = true;
  OnUnload();
  event->accept();
}

void MainWindow::BeginSave() { ++savesRunning_; }

void MainWindow::EndSave() {
  if (--savesRunning_ > 0 || !closeAskedDuringSave_) return;
  closeAskedDuringSave_ = false;
  CloseWhenNothingInFront();
}

void MainWindow::CloseWhenNothingInFront() {
  // From the event loop, once the command that saved is over: a close that
  // started the save has ended by then, either way. A box still in front
  // (the command's own, or a modal tool's) is answered first.
  QTimer::singleShot(kCloseRetryMs, this, [this] {
    if (QApplication::activeModalWidget() || savesRunning_ > 0 || ProjectFileLock::Waiting()) {
      CloseWhenNothingInFront();
    } else {
      close();
    }
  });
}

void MainWindow::NewProject(ProjectNameOnReset name, UnitsOnReset units) {
  forms::CloseModelessTools();
  FileNew(name, units);
  SetMainCaption(*this);
}

void MainWindow::CheckForUpdates() {
  // In the background, from the event loop once this window has been
  // painted: the window shows at once and stays usable. Yes to the offer
  // brings up the update window, which downloads and installs.
  if (StartupUpdateCheck* check = StartUpdateCheckAtStartup(this))
    connect(check, &StartupUpdateCheck::installAccepted, this, [] { ShowStartupUpdate(LeaveProgramForUpdate); });
}

void LeaveProgramForUpdate() {
  MainWindow* window = MainWindow::Instance();
  if (!window) return;
  QTimer::singleShot(0, window, [window] { window->close(); });
}

void ReturnToMainWindow() {
  MainWindow* window = MainWindow::Instance();
  if (!window) return;
  window->setEnabled(true);
  window->activateWindow();
}

// --- Window procedures.

void LayoutMainWindow(MainWindow& window) {
  QWidget* surface = window.surface;
  const int width = surface->width();
  const int height = surface->height();
  const QColor grey(0xC0, 0xC0, 0xC0);
  if (window.historyPane->palette().color(QPalette::Base) != grey) {
    QPalette palette = window.historyPane->palette();
    palette.setColor(QPalette::Base, grey);
    window.historyPane->setPalette(palette);
  }
  const int paneHeight = forms::Px(kHistoryHeight);
  window.historyPane->setGeometry(0, height - paneHeight, width, paneHeight);
  // The toolbar stands along the top edge.
  window.toolbar->setGeometry(0, 0, width, window.toolbar->sizeHint().height());
}

void CenterLogoPicture(MainWindow& window) {
  const QSize area = window.surface->size();
  const QSize picture = window.logo->size();
  const double top = (area.height() - picture.height() - forms::Px(kLogoGap)) / 2.0;
  const double left = area.width() / 2.0 - picture.width() / 2.0;
  window.logo->move(static_cast<int>(std::floor(left)), static_cast<int>(std::floor(top)));
}

void ShowVersionLabel(MainWindow& window, QWidget* refresh) {
  QLabel* label = window.versionLabel;
  const int left = window.surface->width() - label->width();
  const int top = window.toolbar->isHidden() ? 0 : window.toolbar->sizeHint().height();
  label->move(left, top);
  label->setText(GetVersionString(VersionForm::Dotted) + u' ');
  label->adjustSize();
  if (refresh) refresh->update();
}

void EnableMainWindow(MainWindow& window) {
  const bool history = HistoryShown;
  window.historyPane->setVisible(history);
  for (Menu menu : kAllMenus) {
    const auto rows = MenuRows(menu);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].command && IsHistoryCommand(*rows[i].command)) window.MenuItems(menu)[i]->setEnabled(history);
    }
  }
  if (MainWindowMaximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  else window.setWindowState(window.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  window.toolbar->setVisible(ToolbarShown);
  // The version label sits below the toolbar when there is one.
  ShowVersionLabel(window, nullptr);
}

void SetMainCaption(MainWindow& window) {
  window.setWindowTitle(MainCaptionText(window.CaptionPrefix, Project.ProjectPath, !Project.FileSaved));
}

void ApplyDisplayFont() {
  MainWindow* window = MainWindow::Instance();
  if (!window) return;
  QPlainTextEdit* pane = window->historyPane;
  QFont font = pane->font();
  // Name, size, bold, italic in this order; a value that cannot be set stops
  // there and the earlier ones stay.
  // A classic font that is not installed is shown in the font made to its
  // widths, as everywhere else in the program.
  const QStringList families = QFontDatabase::families();
  const QString twin = MetricTwin(DisplayFontName);
  bool failed = FontExists(DisplayFontName, families) < 0 && (twin.isEmpty() || FontExists(twin, families) < 0);
  if (!failed) {
    font.setFamilies(twin.isEmpty() ? QStringList{DisplayFontName} : QStringList{DisplayFontName, twin});
    pane->setFont(font);
    failed = !std::isfinite(DisplayFontSize) || DisplayFontSize < 1.0f || DisplayFontSize > 2048.0f;
  }
  if (!failed) {
    font.setPointSizeF(DisplayFontSize);
    pane->setFont(font);
    font.setBold(DisplayFontBold);
    pane->setFont(font);
    font.setItalic(DisplayFontItalic);
    pane->setFont(font);
    return;
  }
  ShowMsg(QStringLiteral("Invalid font selection:") + DisplayFontName, Buttons::Ok, ErrorTitle);
}

}  // namespace brantel
