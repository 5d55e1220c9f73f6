#pragma once

#include <QString>

class QWidget;

namespace brantel {

// The help file and the manual beside the program, opened with the desktop's
// viewer, and the entries of the Help menu.

// The help file is the program folder's HelpFileName (AppHelpFile).
void SetAppHelpFile();
// The help file for kinds 0, 1 and 2; "" for any other.
QString GetHelpFile(qint16 kind);
// Open the help file; a missing file or one the desktop cannot open says so.
void HelpShowContents(qint16 kind);
void HelpShowIndex(qint16 kind);
// The viewers run outside the program: nothing to release.
void HelpUninitialize(qint16 kind);

// Carries out Help menu entry `index`. Declining the disclaimer closes the
// main window through its normal close path.
void HelpMenuAction(qint16 index, QWidget* mainWindow);

// The About box's text and title.
QString AboutText();
QString AboutTitle();

}  // namespace brantel
