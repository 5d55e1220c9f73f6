#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QToolBar>

class QAction;

namespace brantel {

class IconStrip;

// The main window's toolbar: keyed buttons with an image of an image list, a
// caption and a tool tip, grouped in titled bars of which one is shown. A
// click reports the button's key.
class CommandBar : public QToolBar {
  Q_OBJECT

 public:
  explicit CommandBar(QWidget* parent = nullptr);

  // The list the button images come from (it must outlive the bar).
  void SetImageList(const IconStrip* list) { images_ = list; }

  // Kind 0 is a button, kind 1 a separator. An image index of -1 (or one the
  // list does not have) leaves the button without an image.
  void AddButton(const QString& key, int image, const QString& caption, int kind, const QString& toolTip);
  void AddBar(const QString& key, const QString& title, const QStringList& buttonKeys);
  // Shows the buttons of a bar.
  void SetCurrentBar(const QString& key);

  QAction* Button(const QString& key) const { return buttons_.value(key); }
  QString CurrentBar() const { return currentBar_; }

 signals:
  void ButtonClick(const QString& key);

 private:
  struct Bar {
    QString title;
    QStringList keys;
  };
  const IconStrip* images_ = nullptr;
  QHash<QString, QAction*> buttons_;
  QHash<QString, Bar> bars_;
  QString currentBar_;
};

}  // namespace brantel
