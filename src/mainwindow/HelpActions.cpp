#include "mainwindow/HelpActions.h"

#include "core/ErrorReporting.h"
#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Version.h"
#include "core/platform/Launcher.h"
#include "core/update/Updater.h"
#include "mainwindow/HelpFileStamp.h"
#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "platform/HelpMessageBox.h"

#include <QApplication>
#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QResource>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

namespace brantel {
namespace {

void ShowMissing(const QString& name) {
  ShowMsg(QStringLiteral("Help file (") + name + QStringLiteral(") not available"), Buttons::Ok, QString());
}

void ShowFailed() { ShowMsg(QStringLiteral("Operation Failed"), Buttons::Ok, QString()); }

// Opens a document beside the program with the desktop's viewer, or says why
// not.
void OpenBesideProgram(const QString& path, const QString& name) {
  if (!FileExists(path)) return ShowMissing(name);
  if (!platform::OpenWithDefaultProgram(path)) ShowFailed();
}

// The help file whose pages are open under kHelpRoot, read whole into
// memory: Qt reads the pages straight from these bytes, so they stay alive,
// and unchanged, for as long as they are registered. Nothing done to the
// file on the disk afterwards can reach them.
struct OpenedHelp {
  QString path;  // "" when no help file is open
  QByteArray bytes;
};

// Never destroyed: Qt's list of resources may outlive every static object of
// the program.
OpenedHelp& Opened() {
  static auto* opened = new OpenedHelp;
  return *opened;
}

void CloseHelpFile() {
  OpenedHelp& opened = Opened();
  if (opened.path.isEmpty()) return;
  // Qt keeps a resource file that a resource object still reads from, and
  // then says so; its bytes are kept, for the rest of the program.
  if (!QResource::unregisterResource(reinterpret_cast<const uchar*>(opened.bytes.constData()), kHelpRoot)) {
    static auto* stillRead = new std::vector<QByteArray>;
    stillRead->push_back(opened.bytes);
  }
  opened.path.clear();
  opened.bytes.clear();
}

// After a help file was found unusable: its pages go, and with them the help
// window, which would show blank pages at every link.
void DropHelpFile() {
  CloseHelpFile();
  if (HelpWindow* window = HelpWindow::Existing()) window->hide();
}

// The bytes of the help file when it is the one the build made: of the size
// and the SHA-256 recorded in the program (HelpFileStamp.h). A file of any
// other size is refused before a byte of it is read. A file that cannot be
// read has its error logged.
std::optional<QByteArray> ReadHelpFile(const QString& path) {
  if (QFileInfo(path).size() != help_file::kSize) return std::nullopt;
  QByteArray bytes;
  if (const std::optional<RuntimeError> error = ReadRegularFile(path, bytes, ReadLimit{help_file::kSize, {}})) {
    LogRuntimeError(*error);
    return std::nullopt;
  }
  // The file may have changed between the look at its size and the read.
  if (bytes.size() != help_file::kSize) return std::nullopt;
  if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex() != QByteArrayView(help_file::kSha256)) {
    return std::nullopt;
  }
  return bytes;
}

// Makes the pages of the help file readable; a file that is not there, or
// is not the help file the build made, is reported and false returned. The
// file is checked at every request, so that a help file damaged or taken
// away while open is reported, not shown from the copy read before.
bool OpenHelpFile() {
  const QString path = GetHelpFile();
  if (!FileExists(path)) {
    DropHelpFile();
    ShowMissing(HelpFileName);
    return false;
  }
  std::optional<QByteArray> bytes = ReadHelpFile(path);
  if (!bytes) {
    DropHelpFile();
    ShowFailed();
    return false;
  }
  // The copy open from this file has the same bytes: both match the build's.
  OpenedHelp& opened = Opened();
  if (opened.path == path) return true;
  CloseHelpFile();
  opened.bytes = std::move(*bytes);
  if (!QResource::registerResource(reinterpret_cast<const uchar*>(opened.bytes.constData()), kHelpRoot)) {
    opened.bytes.clear();
    DropHelpFile();
    ShowFailed();
    return false;
  }
  opened.path = path;
  return true;
}

// Shows a page of the help file in the help window.
void ShowHelpPage(const QString& page) {
  if (OpenHelpFile()) HelpWindow::Instance().ShowPage(page);
}

}  // namespace

void SetAppHelpFile() {
  const QString folder = AppFolder;
  AppHelpFile = folder.trimmed().endsWith(u'/') ? folder + HelpFileName : folder + u'/' + HelpFileName;
}

QString GetHelpFile() { return AppHelpFile; }

void HelpShowContents() { ShowHelpPage(kHelpContentsPage); }

void HelpShowIndex() { ShowHelpPage(kHelpIndexPage); }

void HelpUninitialize() {
  HelpWindow::Dispose();
  CloseHelpFile();
}

void ShowHelpTopic(int topic) {
  const QString page = HelpTopicPage(topic);
  ShowHelpPage(page.isEmpty() ? kHelpContentsPage : page);
}

void ShowContextHelp(const QWidget* widget) {
  if (!widget) widget = QApplication::focusWidget();
  ShowHelpTopic(HelpTopicOf(widget));
}

QString AboutTitle() { return QStringLiteral("About the ") + AppNameUpper + QStringLiteral(" Program"); }

QString AboutText() {
  const QString crlf = QStringLiteral("\r\n");
  const QString revised = ReleaseDateText();
  QString text;
  text += AppNameUpper + crlf + u'\n';
  text += QStringLiteral("Version: %1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision) + crlf +
          u'\n';
  text += QStringLiteral("Revision Date: ") + revised + crlf + u'\n';
  text += QStringLiteral("This program was created and is currently maintained by:") + crlf;
  text += QStringLiteral("   The Brantel developers, Rock Mechanics Laboratory") + crlf + u'\n';
  text += QStringLiteral("The contribution of the following individuals is acknowledged:") + crlf;
  text += QStringLiteral("a) The stress analysis group: the stress, strain and Mohr's circle routines") + crlf;
  text += QStringLiteral("b) The rock engineering group: the failure criteria and design routines") + crlf;
  return text;
}

void ShowHelpManual() { OpenBesideProgram(AppFolder + ManualFileName, ManualFileName); }

void ShowAboutBox() {
  platform::ShowHelpMessageBox(AboutText(), Icon::Information, AboutTitle(), [] { ShowHelpTopic(1000); });
}

}  // namespace brantel
