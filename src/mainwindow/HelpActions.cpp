#include "mainwindow/HelpActions.h"

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Version.h"
#include "core/commands/ToolRegistry.h"
#include "core/platform/Launcher.h"
#include "core/update/Updater.h"
#include "maintenance/Disclaimer.h"
#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "platform/HelpMessageBox.h"

#include <QApplication>
#include <QResource>
#include <QWidget>

namespace brantel {
namespace {

void ShowMissing(const QString& name) {
  ShowMsg(QStringLiteral("Help file (") + name + QStringLiteral(") not available"), mb::kOkOnly, QString());
}

void ShowFailed() { ShowMsg(QStringLiteral("Operation Failed"), mb::kOkOnly, QString()); }

// Opens a document beside the program with the desktop's viewer, or says why
// not.
void OpenBesideProgram(const QString& path, const QString& name) {
  if (!FileExists(path)) return ShowMissing(name);
  if (!platform::OpenWithDefaultProgram(path)) ShowFailed();
}

// The help file whose pages are open under kHelpRoot; "" when none is.
QString& OpenedHelpFile() {
  static QString path;
  return path;
}

void CloseHelpFile() {
  if (OpenedHelpFile().isEmpty()) return;
  QResource::unregisterResource(OpenedHelpFile(), kHelpRoot);
  OpenedHelpFile().clear();
}

// Makes the pages of the help file readable; a file that is not there, or
// is no help file, is reported and false returned.
bool OpenHelpFile(qint16 kind) {
  const QString path = GetHelpFile(kind);
  if (!OpenedHelpFile().isEmpty() && OpenedHelpFile() == path) return true;
  CloseHelpFile();
  if (!FileExists(path)) {
    ShowMissing(HelpFileName);
    return false;
  }
  if (!QResource::registerResource(path, kHelpRoot)) {
    ShowFailed();
    return false;
  }
  OpenedHelpFile() = path;
  return true;
}

// Shows a page of the help file in the help window.
void ShowHelpPage(qint16 kind, const QString& page) {
  if (OpenHelpFile(kind)) HelpWindow::Instance().ShowPage(page);
}

}  // namespace

void SetAppHelpFile() {
  const QString folder = AppFolder;
  AppHelpFile = folder.trimmed().endsWith(u'/') ? folder + HelpFileName : folder + u'/' + HelpFileName;
}

QString GetHelpFile(qint16 kind) {
  if (kind >= 0 && kind <= 2) return AppHelpFile;
  return QString();
}

void HelpShowContents(qint16 kind) { ShowHelpPage(kind, kHelpContentsPage); }

void HelpShowIndex(qint16 kind) { ShowHelpPage(kind, kHelpIndexPage); }

void HelpUninitialize(qint16 kind) {
  HelpWindow::Dispose();
  CloseHelpFile();
}

void ShowHelpTopic(int topic) {
  const QString page = HelpTopicPage(topic);
  ShowHelpPage(0, page.isEmpty() ? kHelpContentsPage : page);
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

void HelpMenuAction(qint16 index, QWidget* mainWindow) {
  switch (index) {
    case 0: HelpShowContents(0); break;
    case 1: HelpShowIndex(0); break;
    case 2: OpenBesideProgram(AppFolder + ManualFileName, ManualFileName); break;
    case 4:
      // Declining closes the window the normal way, so that an unsaved
      // project is offered for saving first.
      if (!ShowDisclaimer() && mainWindow) mainWindow->close();
      break;
    case 6: OpenTool(Tool::ProgramUpdate, nullptr); break;
    case 8:
      platform::ShowHelpMessageBox(AboutText(), mb::kInformation, AboutTitle(), [] { ShowHelpTopic(1000); });
      break;
    default: break;
  }
}

}  // namespace brantel
