#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <vector>

namespace brantel {

// The toolbar's icons, drawn side by side in one picture (a strip) and cut
// apart here, left to right. The colour of the strip's top-left pixel is its
// background: it is transparent in every icon.
class IconStrip {
 public:
  // The icons of a picture file; none when the file is missing or holds no
  // picture.
  IconStrip(const QString& fileName, QSize iconSize);
  // The icons of a picture. A part at the right end narrower than an icon
  // is no icon; an icon below a strip lower than the icon size is
  // transparent.
  IconStrip(const QImage& strip, QSize iconSize);

  int Count() const { return static_cast<int>(icons_.size()); }
  QSize IconSize() const { return iconSize_; }
  // The icon at a position from 0; a null picture outside the strip.
  QPixmap Icon(int index) const;

 private:
  QSize iconSize_;
  std::vector<QPixmap> icons_;
};

}  // namespace brantel
