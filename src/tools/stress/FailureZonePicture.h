#pragma once

#include "tools/stress/CircularFailure.h"

#include <QFrame>
#include <QPainterPath>

#include <utility>
#include <vector>

namespace brantel {

// The picture of the failing zones around a circular opening: a disc for the
// rock around the opening, the failing zones as hatched wedges cut to the
// disc (blue in compression, red in tension, a diagonal cross on white), the
// two principal directions as thick dashed lines, a title and a legend. The
// geometry is that of CircularFailure.h, in pixels from the picture's top
// left corner inside its frame.
//
// The picture shows the last zones it was given until it gets new ones or is
// blanked; it repaints them whenever the window system asks.
class FailureZonePicture : public QFrame {
  Q_OBJECT

 public:
  explicit FailureZonePicture(QWidget* parent = nullptr);

  // Shows the zones of a calculation; zones that were not computed blank the
  // picture.
  void Draw(const FailureZones& zones);
  // Clears the picture.
  void Blank();

  // Whether the picture shows zones, and which.
  bool Drawn() const { return drawn_; }
  const FailureZones& Zones() const { return zones_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  FailureZones zones_;
  bool drawn_ = false;
  std::vector<std::pair<ZoneKind, QPainterPath>> wedges_;  // the hatched areas
};

}  // namespace brantel
