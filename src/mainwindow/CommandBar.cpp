#include "mainwindow/CommandBar.h"

#include "mainwindow/IconStrip.h"

#include <QAction>

namespace brantel {

CommandBar::CommandBar(QWidget* parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(24, 24));
  setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void CommandBar::AddButton(const QString& key, int icon, const QString& caption, ButtonKind kind,
                           const QString& toolTip) {
  auto* action = new QAction(caption, this);
  action->setObjectName(key);
  action->setToolTip(toolTip.isEmpty() ? caption : toolTip);
  if (kind == ButtonKind::Separator) action->setSeparator(true);
  if (icons_ && icon >= 0 && icon < icons_->Count()) action->setIcon(QIcon(icons_->Icon(icon)));
  connect(action, &QAction::triggered, this, [this, key] { emit ButtonClicked(key); });
  delete buttons_.value(key);
  buttons_.insert(key, action);
}

void CommandBar::AddBar(const QString& key, const QString& title, const QStringList& buttonKeys) {
  bars_.insert(key, Bar{title, buttonKeys});
}

void CommandBar::SetCurrentBar(const QString& key) {
  const auto it = bars_.constFind(key);
  if (it == bars_.constEnd()) return;
  currentBar_ = key;
  clear();
  setWindowTitle(it->title);
  for (const QString& buttonKey : it->keys) {
    if (QAction* action = buttons_.value(buttonKey)) addAction(action);
  }
}

}  // namespace brantel
