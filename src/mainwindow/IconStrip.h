#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <vector>

class QPainter;
class QPaintDevice;

namespace brantel {

// A list of equally sized images with optional string keys; the toolbar
// takes its button images from one. Images are addressed from outside by a
// key that is either a number (the 1-based position) or a key string;
// positions inside are 0-based. A position or key that is not there raises
// run-time error 9, a key that another image already has error 457.
//
// Colours are 24-bit values with red in the low byte; a value with the high
// bit set names a system colour by its low byte, and -1 means "none" (for a
// transparent colour: the colour of the image's top-left pixel).
class IconStrip {
 public:
  IconStrip();
  ~IconStrip();
  IconStrip(const IconStrip&) = delete;
  IconStrip& operator=(const IconStrip&) = delete;

  // Image types of the adders.
  static constexpr qint32 kBitmap = 0;
  static constexpr qint32 kIcon = 1;
  static constexpr qint32 kCursor = 2;

  // The paint device whose format the picture strips take.
  void SetOwnerHDC(QPaintDevice* device) { ownerDevice_ = device; }
  // Bits per pixel of the display.
  static qint32 SystemColourDepth();

  // flags 1 swaps the two images, 0 copies key2's image over key1's; then
  // the two keys are exchanged. Nothing when either key is not there.
  void SwapOrCopyImage(const QVariant& key1, const QVariant& key2, qint32 flags);

  // An empty list of the current size and depth; any former list is gone.
  bool Create();
  void Destroy();

  void DrawImage(const QVariant& key, QPainter& painter, int x, int y, bool selected = false, bool cut = false,
                 bool disabled = false, qint32 cutColour = -1, const IconStrip* externalList = nullptr) const;

  qint32 IconSizeX() const { return iconSizeX_; }
  void SetIconSizeX(qint32 pixels) { iconSizeX_ = pixels; }  // takes effect at the next Create
  qint32 IconSizeY() const { return iconSizeY_; }
  void SetIconSizeY(qint32 pixels) { iconSizeY_ = pixels; }
  qint32 ColourDepth() const { return colourDepth_; }
  void SetColourDepth(qint32 flags) { colourDepth_ = flags; }

  qint32 ImageCount() const;
  void RemoveImage(const QVariant& key);
  bool KeyExists(const QString& key);
  // 0-based position of a key.
  qint32 ItemIndex(const QVariant& key) const;
  // Key of a 1-based position.
  QString ItemKey(qint32 position) const;
  void SetItemKey(qint32 position, const QVariant& key);
  // The image with its transparent parts.
  QPixmap ItemPicture(const QVariant& key) const;
  QIcon ItemCopyOfIcon(const QVariant& key) const;

  void Clear() { Create(); }

  // Loads an image file (a bitmap strip, an icon or a cursor) and adds it.
  // mapSysColours maps the greys of a bitmap onto the desktop's 3-D colours.
  bool AddFromFile(const QString& fileName, qint32 imageType, const QVariant& key = {}, bool mapSysColours = false,
                   qint32 transparentColour = -1, const QVariant& insertBefore = {});
  // The same from the program's resources (a Qt resource path).
  bool AddFromResourceID(const QString& resource, qint32 imageType, const QVariant& key = {},
                         bool mapSysColours = false, qint32 transparentColour = -1, const QVariant& insertBefore = {});
  // Adds a bitmap (one image per IconSizeX columns, the transparent colour
  // masked out) or an icon; before the image of insertBefore when given
  // (0: at the end). True when added.
  bool AddFromHandle(const QImage& image, qint32 imageType, const QVariant& key = {}, qint32 transparentColour = -1,
                     const QVariant& insertBefore = {});
  // One image cut from a picture: at most 16 x 16 pixels from (left, top),
  // on a background of the colour, which is then masked out.
  bool AddFromPictureBox(const QImage& picture, const QVariant& key, int left, int top, qint32 colour = -1);

  // Identifies the list; 0 when none exists.
  quintptr hIml() const { return handle_; }

  // The images from the start key to the end key side by side on the back
  // colour (a bitmap as wide as the whole list); null when end is not past
  // start.
  QPixmap ImagePictureStrip(const QVariant& startKey = {}, const QVariant& endKey = {},
                            qint32 backColour = kButtonFace) const;

  static QPixmap IconToPicture(const QIcon& icon);
  static QPixmap BitmapToPicture(const QImage& bitmap);
  // The RGB value of a colour (system colours resolved), -1 when it cannot
  // be translated.
  static qint32 TranslateColor(qint32 colour);

  static constexpr qint32 kButtonFace = static_cast<qint32>(0x8000000F);
  static constexpr qint32 kWindowColour = static_cast<qint32>(0x80000005);

 private:
  // Position of a key, or -1 (no error).
  qint32 FindIndex(const QVariant& key) const;
  void StoreKey(qint32 position, const QVariant& key);
  void CheckKeyFree(qint32 position, const QString& key) const;
  void ResizeKeys();
  void SwapAt(qint32 a, qint32 b);

  quintptr handle_ = 0;
  qint32 iconSizeX_ = 16;
  qint32 iconSizeY_ = 16;
  qint32 colourDepth_ = 0;
  std::vector<QPixmap> images_;
  std::vector<QString> keys_;
  QPaintDevice* ownerDevice_ = nullptr;
};

}  // namespace brantel
