#pragma once

#include <QString>
#include <QWidget>

class QAction;
class QTextBrowser;
class QUrl;

namespace brantel {

// The help window: the pages of the help file in a browser with Contents,
// Index, Back and Forward. There is one, made when the help first opens; it
// stays open beside the program and is brought to the front for every page
// asked of it. It stays usable while a modal window is open (it follows the
// topmost one), so the user can read it while typing in a tool dialog.
// Its captions follow the language setting.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // The help window, made when there is none.
  static HelpWindow& Instance();
  // The help window when there is one.
  static HelpWindow* Existing();
  // Closes and deletes the help window, when there is one.
  static void Dispose();

  // Shows a page of the help ("stress-2d.html", or with "#anchor"), brings
  // the window to the front and recaptions it in the current language.
  void ShowPage(const QString& page);
  // The file name of the page shown ("stress-2d.html"); "" before any.
  QString CurrentPage() const;

  QTextBrowser* Browser() const { return browser_; }

 private:
  HelpWindow();
  ~HelpWindow() override;

  void SetCaptions();
  void ShowTitle();
  // Keeps the window out of the reach of the modal window in front, when
  // there is one.
  void FollowModalWindow();

  QTextBrowser* browser_;
  QAction* contents_;
  QAction* index_;
  QAction* back_;
  QAction* forward_;
};

// The address of a page of the help file once it is open
// ("qrc:/brantel-help/stress-2d.html").
QUrl HelpPageUrl(const QString& page);
// Where the help file's pages appear once it is open.
inline const QString kHelpRoot = QStringLiteral("/brantel-help");

}  // namespace brantel
