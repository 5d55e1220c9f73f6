#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QToolBar>

class QAction;

namespace brantel {

class IconStrip;

// What an entry of the toolbar is.
enum class ButtonKind { Button, Separator };

// The main window's toolbar: keyed buttons with an icon of an icon strip, a
// caption and a tool tip, grouped in titled bars of which one is shown. A
// click reports the button's key.
class CommandBar : public QToolBar {
  Q_OBJECT

 public:
  explicit CommandBar(QWidget* parent = nullptr);

  // The strip the button icons come from (it must outlive the bar).
  void SetIcons(const IconStrip* icons) { icons_ = icons; }

  // An icon index of -1 (or one the strip does not have) leaves the button
  // without an icon.
  void AddButton(const QString& key, int icon, const QString& caption, ButtonKind kind, const QString& toolTip);
  void AddBar(const QString& key, const QString& title, const QStringList& buttonKeys);
  // Shows the buttons of a bar.
  void SetCurrentBar(const QString& key);

  QAction* Button(const QString& key) const { return buttons_.value(key); }
  QString CurrentBar() const { return currentBar_; }

 signals:
  void ButtonClicked(const QString& key);

 private:
  struct Bar {
    QString title;
    QStringList keys;
  };
  const IconStrip* icons_ = nullptr;
  QHash<QString, QAction*> buttons_;
  QHash<QString, Bar> bars_;
  QString currentBar_;
};

}  // namespace brantel
