#pragma once

#include <QString>

class QWidget;

namespace brantel {

// The topics of the help: each has a number, the one the windows carry, and
// a page of the help file.
//
// A window carries the topic of its design name, its object name ("frmHoek",
// the table in HelpTopics.cpp); a control can carry one of its own, by the
// window's name and the control's (the stress plot in each window that
// shows one).
// F1 opens the topic of the focused control: its own, else the nearest
// widget's that carries one up the chain of parents, windows included, so
// that a message box over a dialog gives the dialog's topic.

// The page of a topic ("stress-2d.html"); "" for a number that is no topic.
QString HelpTopicPage(int topic);
// The topic of a widget as F1 finds it; 0 when neither it nor anything it
// lies in carries one.
int HelpTopicOf(const QWidget* widget);

// Every topic number, in ascending order.
const QList<int>& HelpTopics();

// The pages that are no topic of a window.
inline const QString kHelpContentsPage = QStringLiteral("contents.html");
inline const QString kHelpIndexPage = QStringLiteral("index.html");

}  // namespace brantel
