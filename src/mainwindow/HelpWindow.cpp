#include "mainwindow/HelpWindow.h"

#include "core/Bilingual.h"
#include "core/help/HelpPages.h"
#include "mainwindow/HelpTopics.h"
#include "platform/WidgetMessageBox.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace brantel {
namespace {

QPointer<HelpWindow>& TheWindow() {
  static QPointer<HelpWindow> window;
  return window;
}

}  // namespace

QUrl HelpPageUrl(const QString& page) { return QUrl(QStringLiteral("qrc:") + kHelpRoot + u'/' + page); }

HelpWindow& HelpWindow::Instance() {
  if (!TheWindow()) TheWindow() = new HelpWindow;
  return *TheWindow();
}

HelpWindow* HelpWindow::Existing() { return TheWindow().data(); }

void HelpWindow::Dispose() { delete TheWindow().data(); }

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  // Closing the main window ends the program, whether the help is open or
  // not.
  setAttribute(Qt::WA_QuitOnClose, false);
  // A message box that opens while the help is in front belongs to the
  // program's window behind it, never to the help window.
  platform::KeepMessageBoxesAway(*this);

  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("HelpBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  bar->setMovable(false);
  contents_ = bar->addAction(QString());
  index_ = bar->addAction(QString());
  bar->addSeparator();
  back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QString());
  forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QString());

  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->document()->setDefaultStyleSheet(help::PageStyleSheet());
  browser_->document()->setDocumentMargin(12);
  browser_->setOpenLinks(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(browser_);

  connect(contents_, &QAction::triggered, this, [this] { ShowPage(kHelpContentsPage); });
  connect(index_, &QAction::triggered, this, [this] { ShowPage(kHelpIndexPage); });
  connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::ShowTitle);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &HelpWindow::FollowModalWindow);

  // Beside the program: on the right of the screen, a third of its width.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  resize(std::max(560, room.width() / 3), std::max(480, room.height() * 4 / 5));
  move(room.right() - width() - 20, room.top() + room.height() / 10);
  SetCaptions();
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::SetCaptions() {
  contents_->setText(Tr({"Contents", "Περιεχόμενα"}));
  index_->setText(Tr({"Index", "Ευρετήριο"}));
  back_->setText(Tr({"Back", "Πίσω"}));
  forward_->setText(Tr({"Forward", "Εμπρός"}));
  ShowTitle();
}

void HelpWindow::ShowTitle() {
  const QString caption = Tr({"Brantel Help", "Βοήθεια του Brantel"});
  const QString page = browser_->documentTitle();
  setWindowTitle(page.isEmpty() ? caption : page + QStringLiteral(" - ") + caption);
}

void HelpWindow::ShowPage(const QString& page) {
  SetCaptions();
  browser_->setSource(HelpPageUrl(page));
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  FollowModalWindow();
  raise();
  activateWindow();
}

QString HelpWindow::CurrentPage() const { return browser_->source().fileName(); }

void HelpWindow::FollowModalWindow() {
  // A modal window blocks every window but its own and those it is the
  // (transient) parent of: the help window becomes the modal window's.
  QWindow* handle = windowHandle();
  if (!handle) return;
  QWidget* modal = QApplication::activeModalWidget();
  QWindow* over = (modal && modal != this) ? modal->windowHandle() : nullptr;
  // Never the child of a window that the help window parents itself,
  // directly or through others: each would be the other's ancestor, and the
  // desktop's walk up that chain would never end.
  if (over && handle->isAncestorOf(over)) return;
  if (handle->transientParent() != over) handle->setTransientParent(over);
}

}  // namespace brantel
