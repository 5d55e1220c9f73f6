#include "core/platform/DrawingHelpers.h"

#include "core/graph/GraphBuffer.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace brantel {
namespace {

struct SystemColourRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The palette colour that stands for each system colour index (0..30);
// index 25 names none.
bool RoleOfSystemColour(int index, SystemColourRole& out) {
  using P = QPalette;
  static const SystemColourRole kRoles[] = {
      {P::Active, P::Button},           // 0 scroll bar
      {P::Active, P::Window},           // 1 desktop
      {P::Active, P::Highlight},        // 2 active caption
      {P::Inactive, P::Mid},            // 3 inactive caption
      {P::Active, P::Window},           // 4 menu
      {P::Active, P::Base},             // 5 window background
      {P::Active, P::Shadow},           // 6 window frame
      {P::Active, P::WindowText},       // 7 menu text
      {P::Active, P::Text},             // 8 window text
      {P::Active, P::HighlightedText},  // 9 caption text
      {P::Active, P::Window},           // 10 active border
      {P::Inactive, P::Window},         // 11 inactive border
      {P::Active, P::Dark},             // 12 application workspace
      {P::Active, P::Highlight},        // 13 selected item
      {P::Active, P::HighlightedText},  // 14 selected text
      {P::Active, P::Button},           // 15 button face
      {P::Active, P::Dark},             // 16 button shadow
      {P::Disabled, P::Text},           // 17 grey text
      {P::Active, P::ButtonText},       // 18 button text
      {P::Inactive, P::Text},           // 19 inactive caption text
      {P::Active, P::Light},            // 20 button highlight
      {P::Active, P::Shadow},           // 21 dark 3-D shadow
      {P::Active, P::Midlight},         // 22 3-D light
      {P::Active, P::ToolTipText},      // 23 tooltip text
      {P::Active, P::ToolTipBase},      // 24 tooltip background
      {P::Active, P::NoRole},           // 25 none
      {P::Active, P::Link},             // 26 hot-tracked item
      {P::Active, P::Highlight},        // 27 active caption gradient
      {P::Inactive, P::Mid},            // 28 inactive caption gradient
      {P::Active, P::Highlight},        // 29 menu highlight
      {P::Active, P::Window},           // 30 menu bar
  };
  if (index < 0 || index >= static_cast<int>(std::size(kRoles))) return false;
  if (kRoles[index].role == P::NoRole) return false;
  out = kRoles[index];
  return true;
}

// Lines of more steps than this are left to the painter, which clips them
// to its device; stepping through them pixel by pixel would take time and
// memory without end for coordinates far outside the picture.
constexpr qint64 kMostPixelSteps = 1 << 16;

}  // namespace

qint32 TranslateSysColor(qint32 colour) {
  if ((colour & kSystemColourFlag) == 0) return colour;
  SystemColourRole role;
  if (!RoleOfSystemColour(colour & 0x7FFFFFFF, role)) return 0;
  const QPalette palette = qGuiApp ? QGuiApplication::palette() : QPalette();
  const QColor c = palette.color(role.group, role.role);
  return ColourRGB(c.red(), c.green(), c.blue());
}

QColor ColourFromValue(qint32 rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

qint32 DrawLineWithoutEndPoint(QPainter* painter, qint32 x1, qint32 y1, qint32 x2, qint32 y2) {
  if (!painter || !painter->isActive()) return 0;
  const qint64 dx = static_cast<qint64>(x2) - x1;
  const qint64 dy = static_cast<qint64>(y2) - y1;
  const qint64 steps = std::max(std::llabs(dx), std::llabs(dy));
  if (steps == 0) return 1;  // a line to its own start paints nothing
  const QPen pen = painter->pen();
  if (pen.style() == Qt::NoPen) return 1;
  if (pen.widthF() <= 1.0 && steps <= kMostPixelSteps) {
    // A thin line: the pixels of the line from start to end, without the
    // last one, by the integer line algorithm.
    QPolygon pixels;
    pixels.reserve(static_cast<int>(std::min<qint64>(steps, 1 << 20)));
    const qint64 ax = std::llabs(dx), ay = std::llabs(dy);
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    qint64 x = x1, y = y1;
    qint64 error = ax - ay;
    for (qint64 i = 0; i < steps; ++i) {
      pixels << QPoint(static_cast<int>(x), static_cast<int>(y));
      const qint64 e2 = 2 * error;
      if (e2 > -ay) {
        error -= ay;
        x += sx;
      }
      if (e2 < ax) {
        error += ax;
        y += sy;
      }
    }
    painter->drawPoints(pixels);
  } else {
    // A wide pen, or a line far longer than any picture (which the painter
    // clips instead of stepping through every pixel of it): the line
    // shortened by one step along its longer axis.
    const QPointF from(x1, y1);
    const QPointF to(x2 - static_cast<double>(dx) / steps, y2 - static_cast<double>(dy) / steps);
    if (to == from) painter->drawPoint(from);
    else painter->drawLine(QLineF(from, to));
  }
  return 1;
}

}  // namespace brantel
