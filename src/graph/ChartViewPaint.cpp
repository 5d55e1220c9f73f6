#include "graph/ChartViewPaint.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHash>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

namespace brantel {
namespace {

// What each watched widget has painted since it was last shown.
class ShownPaints : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Show:
        painted_[watched] = QRegion();
        break;
      case QEvent::Hide:
        painted_.remove(watched);
        break;
      case QEvent::Paint: {
        const auto at = painted_.find(watched);
        if (at != painted_.end()) *at += static_cast<QPaintEvent*>(event)->region();
        break;
      }
      case QEvent::UpdateLater: {
        // The first such request after a show is the one the show made, for
        // the whole widget (or one made earlier for a part of it): only what
        // has not been painted since is painted.
        const auto at = painted_.find(watched);
        if (at == painted_.end()) break;
        const QRegion painted = *at;
        painted_.erase(at);
        if (painted.isEmpty()) break;
        auto* widget = static_cast<QWidget*>(watched);
        const QRegion rest = QRegion(widget->rect()) - painted;
        if (!rest.isEmpty()) widget->update(rest);
        return true;
      }
      default:
        break;
    }
    return false;
  }

 private:
  QHash<QObject*, QRegion> painted_;
};

}  // namespace

void PaintOnceWhenShown(QAbstractScrollArea* view) {
  auto* watch = new ShownPaints(view);
  view->installEventFilter(watch);
  view->viewport()->installEventFilter(watch);
}

}  // namespace brantel
