#include "core/project/ProjectRecord.h"

#include "core/History.h"
#include "core/Messages.h"
#include "core/Settings.h"

namespace brantel {

ProjectRecord Project;

qint16 FileNew(bool& renameFlag, bool& unitsFlag) {
  if (unitsFlag) Project.InputUnits = DefaultUnits;
  if (renameFlag) Project.ProjectPath = QStringLiteral("Untitled");
  Project.FileSaved = kFlagTrue;
  Project.FileEmpty = kFlagTrue;
  Project.NewFileMark = 1;
  Project.FileHoldsData = kFlagFalse;
  Project.ProjectDescription.clear();
  Project.ProjectTitle.clear();
  AddHistoryLine(Tr(QStringLiteral("File initialized. Use Edit-Project Parameters to enter data."),
                    QStringLiteral("Αρχικοποίηση αρχείου. Επιλέξτε το μενού 'Δεδομένα' για εισαγωγή δεδομένων.")));
  return 0;
}

}  // namespace brantel
