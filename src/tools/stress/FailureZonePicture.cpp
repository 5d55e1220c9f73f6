#include "tools/stress/FailureZonePicture.h"

#include "core/graph/GraphBuffer.h"
#include "core/platform/DrawingHelpers.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace brantel {
namespace {

constexpr qint32 kBlack = ColourRGB(0, 0, 0);
constexpr qint32 kWhite = ColourRGB(255, 255, 255);
constexpr qint32 kBlue = ColourRGB(0, 0, 255);  // compression
constexpr qint32 kRed = ColourRGB(255, 0, 0);   // tension

QColor Colour(qint32 value) { return ColourFromValue(TranslateSysColor(value)); }

qint32 ColourOf(ZoneKind kind) { return kind == ZoneKind::Compression ? kBlue : kRed; }

// A hatch in a colour on an opaque white ground.
void FillHatched(QPainter& painter, const QPainterPath& area, qint32 colour, Qt::BrushStyle hatch) {
  painter.fillPath(area, Colour(kWhite));
  painter.fillPath(area, QBrush(Colour(colour), hatch));
}

// The disc as a polygon of 64 corners, within a fifth of a pixel of the
// circle: a triangle is cut to it in a fifth of the time the curves of an
// ellipse take, which keeps a keystroke quick.
const QPainterPath& Disc() {
  static const QPainterPath disc = [] {
    constexpr int kCorners = 64;
    const QPointF centre = QRectF(kZoneDisc).center();
    const double radius = kZoneDisc.width() / 2.0;
    QPolygonF corners;
    for (int i = 0; i < kCorners; ++i) {
      const double w = 2.0 * M_PI * i / kCorners;
      corners << centre + QPointF(radius * std::cos(w), radius * std::sin(w));
    }
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
  }();
  return disc;
}

// A black frame one pixel wide along the edge of an area.
void Frame(QPainter& painter, const QPainterPath& area) { painter.strokePath(area, QPen(Colour(kBlack), 1)); }

QPainterPath RectPath(const QRect& rect) {
  QPainterPath path;
  path.addRect(rect);
  return path;
}

// A text with its top left corner at a point.
void PrintAt(QPainter& painter, const QPoint& at, const QString& text) {
  painter.drawText(QRect(at, QSize(2000, 100)), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

FailureZonePicture::FailureZonePicture(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::Box | QFrame::Plain); }

void FailureZonePicture::Draw(const FailureZones& zones) {
  zones_ = zones;
  drawn_ = zones.Computed;
  // Each failing wedge: its triangle cut to the disc.
  wedges_.clear();
  for (const ZoneWedge& wedge : ZoneWedges(zones_)) {
    QPainterPath triangle;
    triangle.addPolygon(WedgeTriangle(wedge));
    triangle.closeSubpath();
    wedges_.emplace_back(wedge.Kind, triangle.intersected(Disc()));
  }
  update();
}

void FailureZonePicture::Blank() {
  zones_ = {};
  drawn_ = false;
  wedges_.clear();
  update();
}

void FailureZonePicture::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!drawn_) return;
  QPainter painter(this);
  painter.setClipRect(contentsRect());
  painter.translate(contentsRect().topLeft());

  // The disc blanked (a white hatch on white), then the wedges hatched on it.
  const QPainterPath& disc = Disc();
  painter.fillPath(disc, Colour(kWhite));
  for (const auto& [kind, area] : wedges_) painter.fillPath(area, QBrush(Colour(ColourOf(kind)), Qt::DiagCrossPattern));
  Frame(painter, disc);
  for (const auto& [kind, area] : wedges_) Frame(painter, area);

  QFont font = this->font();
  font.setBold(true);
  font.setPointSizeF(9.75);
  painter.setFont(font);
  painter.setPen(Colour(kBlack));
  PrintAt(painter, kZoneTitleAt, QString::fromLatin1(kZoneTitle));

  // The principal directions: a diameter along each, overhanging the disc.
  painter.setPen(QPen(Colour(kBlack), 5, Qt::DashLine, Qt::RoundCap));
  for (const float theta : {zones_.Theta1, zones_.Theta2}) {
    for (const QPoint& end : PrincipalAxisEnds(theta)) {
      DrawLineWithoutEndPoint(&painter, kZoneCentre.x(), kZoneCentre.y(), end.x(), end.y());
    }
  }

  // The legend.
  painter.setPen(Colour(kBlack));
  const struct {
    QRect box;
    QPoint textAt;
    qint32 colour;
    QString text;
  } legend[] = {
      {kZoneCompressionLegendBox, kZoneCompressionLegendAt, kBlue, CompressionLegend(zones_.Compression)},
      {kZoneTensionLegendBox, kZoneTensionLegendAt, kRed, TensionLegend(zones_.Tension)},
  };
  for (const auto& line : legend) {
    const QPainterPath box = RectPath(line.box);
    FillHatched(painter, box, line.colour, Qt::DiagCrossPattern);
    Frame(painter, box);
    PrintAt(painter, line.textAt, line.text);
  }
}

}  // namespace brantel
