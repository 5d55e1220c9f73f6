#pragma once

#include <QString>

class QWidget;

namespace brantel {

// The help beside the program and the entries of the Help menu.
//
// The help file (HelpFileName in the program folder) is a Qt resource file
// that holds the help's pages; they show in the help window (HelpWindow).
// The manual (ManualFileName, a PDF made of the same pages) opens with the
// desktop's viewer. A file that is not there says "Help file (...) not
// available"; one that cannot be opened, "Operation Failed". The help file
// is read whole into memory and opened only when it is the one the build
// made (its size and SHA-256 are built into the program); it is checked
// again at every request for the help, so a help file damaged, cut short or
// replaced by another also says "Operation Failed", and one taken away "not
// available".

// The help file is the program folder's HelpFileName (AppHelpFile).
void SetAppHelpFile();
// The help file (AppHelpFile).
QString GetHelpFile();
// The help window on the contents page, or on the keyword index.
void HelpShowContents();
void HelpShowIndex();
// Closes the help window and the help file, at the end of the program.
void HelpUninitialize();

// The help window on a topic's page; a number that is no topic shows the
// contents.
void ShowHelpTopic(int topic);
// F1: the topic of a widget (HelpTopicOf), of the focused one when none is
// given.
void ShowContextHelp(const QWidget* widget = nullptr);

// The manual (ManualFileName beside the program) in the desktop's viewer.
void ShowHelpManual();
// The About box; its Help button shows the About topic.
void ShowAboutBox();

// The About box's text and title.
QString AboutText();
QString AboutTitle();

}  // namespace brantel
