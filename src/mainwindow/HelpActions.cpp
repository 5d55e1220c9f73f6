#include "mainwindow/HelpActions.h"

#include "core/FileHelpers.h"
#include "core/Globals.h"
#include "core/Messages.h"
#include "core/Version.h"
#include "maintenance/Disclaimer.h"
#include "maintenance/Updater.h"
#include "mainwindow/ToolRegistry.h"
#include "platform/Launcher.h"
#include "platform/HelpMessageBox.h"

#include <QWidget>

namespace brantel {
namespace {

// Opens a document beside the program, or says why not.
void OpenBesideProgram(const QString& path, const QString& name) {
  if (!FileExists(path)) {
    ShowMsg(QStringLiteral("Help file (") + name + QStringLiteral(") not available"), mb::kOkOnly, QString());
    return;
  }
  if (!platform::OpenWithDefaultProgram(path)) ShowMsg(QStringLiteral("Operation Failed"), mb::kOkOnly, QString());
}

void OpenHelpFile(qint16 kind) { OpenBesideProgram(GetHelpFile(kind), HelpFileName); }

}  // namespace

void SetAppHelpFile() {
  const QString folder = AppFolder;
  AppHelpFile = folder.trimmed().endsWith(u'/') ? folder + HelpFileName
                                                : folder + u'/' + HelpFileName;
}

QString GetHelpFile(qint16 kind) {
  if (kind >= 0 && kind <= 2) return AppHelpFile;
  return QString();
}

// The desktop's viewers show a document as a whole: the contents and the
// index open the same help file.
void HelpShowContents(qint16 kind) { OpenHelpFile(kind); }

void HelpShowIndex(qint16 kind) { OpenHelpFile(kind); }

void HelpUninitialize(qint16 kind) {}

QString AboutTitle() { return QStringLiteral("About the ") + AppNameUpper + QStringLiteral(" Program"); }

QString AboutText() {
  const QString crlf = QStringLiteral("\r\n");
  const QString revised = ReleaseDateText();
  QString text;
  text += AppNameUpper + crlf + u'\n';
  text += QStringLiteral("Version: %1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision) +
          crlf + u'\n';
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
    case 0:
      HelpShowContents(0);
      break;
    case 1:
      HelpShowIndex(0);
      break;
    case 2:
      OpenBesideProgram(AppFolder + ManualFileName, ManualFileName);
      break;
    case 4:
      // Declining closes the window the normal way, so that an unsaved
      // project is offered for saving first.
      if (!ShowDisclaimer() && mainWindow) mainWindow->close();
      break;
    case 6:
      OpenTool(Tool::ProgramUpdate, nullptr);
      break;
    case 8:
      platform::ShowHelpMessageBox(AboutText(), mb::kInformation, AboutTitle(), [] { HelpShowContents(0); });
      break;
    default:
      break;
  }
}

}  // namespace brantel
