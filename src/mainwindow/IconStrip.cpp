#include "mainwindow/IconStrip.h"

#include "core/NumberFormat.h"
#include "core/RuntimeError.h"
#include "core/platform/DrawingHelpers.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace brantel {
namespace {

quintptr NextHandle() {
  static quintptr last = 0;
  return ++last;
}

// A key that stands for a position: a number, or a text that is one.
std::optional<double> NumericKey(const QVariant& key) {
  switch (key.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Long:
    case QMetaType::ULong: return key.toDouble();
    case QMetaType::QString: return ParseNumber(key.toString());
    default: return std::nullopt;
  }
}

bool IsMissing(const QVariant& key) { return !key.isValid() || key.isNull(); }

QColor PaletteColour(int index) {
  const QPalette p = QGuiApplication::palette();
  switch (index) {
    case 0: return p.color(QPalette::Button);  // scroll bar
    case 1: return p.color(QPalette::Window);  // desktop
    case 2:
    case 3: return p.color(QPalette::Highlight);  // captions
    case 4: return p.color(QPalette::Window);     // menu
    case 5: return p.color(QPalette::Base);       // window
    case 6: return p.color(QPalette::Shadow);     // window frame
    case 7:
    case 8: return p.color(QPalette::Text);             // menu and window text
    case 9: return p.color(QPalette::HighlightedText);  // caption text
    case 10:
    case 11: return p.color(QPalette::Mid);   // borders
    case 12: return p.color(QPalette::Dark);  // application work space
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 15: return p.color(QPalette::Button);                    // button face
    case 16: return p.color(QPalette::Dark);                      // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return p.color(QPalette::ButtonText);
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return p.color(QPalette::Light);     // button highlight
    case 21: return p.color(QPalette::Shadow);    // 3-D dark shadow
    case 22: return p.color(QPalette::Midlight);  // 3-D light
    case 23: return p.color(QPalette::ToolTipText);
    case 24: return p.color(QPalette::ToolTipBase);
    default: return QColor();
  }
}

qint32 ValueOf(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// The greys of a bitmap in the desktop's 3-D colours.
void MapSystemColours(QImage& image) {
  const QPalette p = QGuiApplication::palette();
  const QRgb dark = p.color(QPalette::Dark).rgb();
  const QRgb face = p.color(QPalette::Button).rgb();
  const QRgb light = p.color(QPalette::Midlight).rgb();
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = line[x] & 0xFFFFFF;
      if (c == 0x808080) line[x] = dark;
      else if (c == 0xC0C0C0) line[x] = face;
      else if (c == 0xDFDFDF) line[x] = light;
    }
  }
}

// The image with every pixel of the colour made transparent.
QImage Masked(const QImage& source, std::optional<QRgb> transparent) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  if (!transparent) return image;
  const QRgb key = *transparent & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
  }
  return image;
}

QImage LoadImageFile(const QString& fileName, bool mapSysColours, qint32 imageType) {
  QImage image;
  if (!QFile::exists(fileName) || !image.load(fileName)) return QImage();
  if (mapSysColours && imageType == IconStrip::kBitmap) MapSystemColours(image);
  return image;
}

}  // namespace

IconStrip::IconStrip() = default;

IconStrip::~IconStrip() { Destroy(); }

qint32 IconStrip::SystemColourDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}

qint32 IconStrip::FindIndex(const QVariant& key) const {
  const qint32 count = ImageCount();
  if (const auto n = NumericKey(key)) {
    if (!std::isfinite(*n) || *n < 1 || *n > count) return -1;
    return static_cast<qint32>(std::lround(*n)) - 1;
  }
  const QString text = key.toString();
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i] == text) return static_cast<qint32>(i);
  }
  return -1;
}

qint32 IconStrip::ItemIndex(const QVariant& key) const {
  const qint32 index = FindIndex(key);
  if (index < 0) RaiseError(err::kSubscript);
  return index;
}

void IconStrip::SwapAt(qint32 a, qint32 b) {
  std::swap(images_[static_cast<std::size_t>(a)], images_[static_cast<std::size_t>(b)]);
  std::swap(keys_[static_cast<std::size_t>(a)], keys_[static_cast<std::size_t>(b)]);
}

void IconStrip::SwapOrCopyImage(const QVariant& key1, const QVariant& key2, qint32 flags) {
  const qint32 destination = FindIndex(key1);
  const qint32 source = FindIndex(key2);
  if (destination < 0 || source < 0) return;
  auto& d = images_[static_cast<std::size_t>(destination)];
  auto& s = images_[static_cast<std::size_t>(source)];
  if (flags == 1) std::swap(d, s);
  else d = s;
  std::swap(keys_[static_cast<std::size_t>(destination)], keys_[static_cast<std::size_t>(source)]);
}

bool IconStrip::Create() {
  Destroy();
  if (iconSizeX_ <= 0 || iconSizeY_ <= 0) return false;
  handle_ = NextHandle();
  return true;
}

void IconStrip::Destroy() {
  handle_ = 0;
  images_.clear();
  keys_.clear();
}

qint32 IconStrip::ImageCount() const { return handle_ ? static_cast<qint32>(images_.size()) : 0; }

void IconStrip::ResizeKeys() {
  if (handle_ && keys_.size() != images_.size()) keys_.resize(images_.size());
}

void IconStrip::RemoveImage(const QVariant& key) {
  const qint32 index = ItemIndex(key);
  images_.erase(images_.begin() + index);
  if (static_cast<std::size_t>(index) < keys_.size()) keys_.erase(keys_.begin() + index);
  ResizeKeys();
}

bool IconStrip::KeyExists(const QString& key) {
  ResizeKeys();
  return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
}

QString IconStrip::ItemKey(qint32 position) const {
  if (position < 1 || position > ImageCount()) RaiseError(err::kSubscript);
  return keys_[static_cast<std::size_t>(position - 1)];
}

void IconStrip::SetItemKey(qint32 position, const QVariant& key) {
  if (position < 1 || position > ImageCount()) RaiseError(err::kSubscript);
  StoreKey(position - 1, key);
}

void IconStrip::CheckKeyFree(qint32 position, const QString& key) const {
  if (key.trimmed().isEmpty()) return;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (static_cast<qint32>(i) != position && keys_[i] == key) RaiseError(err::kKeyAlreadyInCollection);
  }
}

void IconStrip::StoreKey(qint32 position, const QVariant& key) {
  const QString text = IsMissing(key) ? QString() : key.toString();
  if (keys_.size() < static_cast<std::size_t>(position) + 1) keys_.resize(static_cast<std::size_t>(position) + 1);
  CheckKeyFree(position, text);
  keys_[static_cast<std::size_t>(position)] = text;
}

QPixmap IconStrip::ItemPicture(const QVariant& key) const { return images_[static_cast<std::size_t>(ItemIndex(key))]; }

QIcon IconStrip::ItemCopyOfIcon(const QVariant& key) const { return QIcon(ItemPicture(key)); }

bool IconStrip::AddFromFile(const QString& fileName, qint32 imageType, const QVariant& key, bool mapSysColours,
                            qint32 transparentColour, const QVariant& insertBefore) {
  if (!handle_) return false;
  return AddFromHandle(LoadImageFile(fileName, mapSysColours, imageType), imageType, key, transparentColour,
                       insertBefore);
}

bool IconStrip::AddFromResourceID(const QString& resource, qint32 imageType, const QVariant& key, bool mapSysColours,
                                  qint32 transparentColour, const QVariant& insertBefore) {
  if (!handle_) return false;
  return AddFromHandle(LoadImageFile(resource, mapSysColours, imageType), imageType, key, transparentColour,
                       insertBefore);
}

bool IconStrip::AddFromHandle(const QImage& image, qint32 imageType, const QVariant& key, qint32 transparentColour,
                              const QVariant& insertBefore) {
  if (!handle_ || image.isNull()) return false;

  qint32 insertAt = -1;
  if (!IsMissing(insertBefore) && ImageCount() > 0) {
    const auto n = NumericKey(insertBefore);
    if (!(n && *n == 0)) {
      insertAt = FindIndex(insertBefore);
      if (insertAt < 0) return false;
    }
  }

  std::vector<QPixmap> added;
  if (imageType == kBitmap) {
    std::optional<QRgb> transparent;
    if (transparentColour == -1) {
      transparent = image.pixel(0, 0);
    } else {
      const qint32 rgb = TranslateColor(transparentColour);
      if (rgb != -1) transparent = ColourFromValue(rgb).rgb();
    }
    const QImage masked = Masked(image, transparent);
    const int count = masked.width() / iconSizeX_;
    for (int i = 0; i < count; ++i) {
      QImage cell(iconSizeX_, iconSizeY_, QImage::Format_ARGB32);
      cell.fill(Qt::transparent);
      QPainter painter(&cell);
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(0, 0, masked, i * iconSizeX_, 0, iconSizeX_, std::min(iconSizeY_, masked.height()));
      painter.end();
      added.push_back(QPixmap::fromImage(cell));
    }
  } else {
    added.push_back(
        QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32)
                               .scaled(iconSizeX_, iconSizeY_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  }
  if (added.empty()) return false;

  // The key is checked before anything changes: a taken key adds nothing.
  const qint32 keyAt = insertAt >= 0 ? insertAt : ImageCount();
  const QString keyText = IsMissing(key) ? QString() : key.toString();
  ResizeKeys();
  CheckKeyFree(-1, keyText);

  const auto at = insertAt >= 0 ? static_cast<std::size_t>(insertAt) : images_.size();
  images_.insert(images_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(at), added.size(), QString());
  keys_[static_cast<std::size_t>(keyAt)] = keyText;
  ResizeKeys();
  return true;
}

bool IconStrip::AddFromPictureBox(const QImage& picture, const QVariant& key, int left, int top, qint32 colour) {
  if (!handle_ || picture.isNull()) return false;
  QColor background;
  if (colour == -1) {
    background = picture.pixelColor(0, 0);
  } else {
    const qint32 rgb = TranslateColor(colour);
    background = rgb == -1 ? QColor(192, 192, 192) : ColourFromValue(rgb);
  }
  QImage cell(iconSizeX_, iconSizeY_, QImage::Format_RGB32);
  cell.fill(background);
  const int width = std::min(16, picture.width() - left);
  const int height = std::min(16, picture.height() - top);
  if (left >= 0 && top >= 0 && width > 0 && height > 0) {
    QPainter painter(&cell);
    painter.drawImage(0, 0, picture, left, top, width, height);
  }
  return AddFromHandle(cell, kBitmap, key, ValueOf(background));
}

void IconStrip::DrawImage(const QVariant& key, QPainter& painter, int x, int y, bool selected, bool cut, bool disabled,
                          qint32 cutColour, const IconStrip* externalList) const {
  const qint32 index = FindIndex(key);
  if (index < 0) return;
  const IconStrip& list = externalList ? *externalList : *this;
  if (index >= static_cast<qint32>(list.images_.size())) return;
  const QPixmap& image = list.images_[static_cast<std::size_t>(index)];

  if (cut || selected) {
    // Half the image, half the blend colour, over the image's own shape.
    QColor blend = QGuiApplication::palette().color(QPalette::Highlight);
    if (cut) {
      const qint32 rgb = TranslateColor(cutColour);
      blend = rgb == -1 ? PaletteColour(5) : ColourFromValue(rgb);
    }
    QPixmap tinted = image;
    QPainter p(&tinted);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    blend.setAlphaF(0.5);
    p.fillRect(tinted.rect(), blend);
    p.end();
    painter.drawPixmap(x, y, tinted);
  } else if (disabled && index < static_cast<qint32>(images_.size())) {
    const QIcon icon(images_[static_cast<std::size_t>(index)]);
    painter.drawPixmap(x, y, icon.pixmap(QSize(iconSizeX_, iconSizeY_), QIcon::Disabled));
  } else {
    painter.drawPixmap(x, y, image);
  }
}

QPixmap IconStrip::ImagePictureStrip(const QVariant& startKey, const QVariant& endKey, qint32 backColour) const {
  const qint32 start = IsMissing(startKey) ? 0 : ItemIndex(startKey);
  const qint32 end = IsMissing(endKey) ? ImageCount() - 1 : ItemIndex(endKey);
  if (end <= start || end < 0) return QPixmap();
  QPixmap strip(ImageCount() * iconSizeX_, iconSizeY_);
  if (ownerDevice_) strip.setDevicePixelRatio(ownerDevice_->devicePixelRatioF());
  const qint32 rgb = TranslateColor(backColour);
  strip.fill(rgb == -1 ? QColor(192, 192, 192) : ColourFromValue(rgb));
  QPainter painter(&strip);
  for (qint32 i = start; i <= end; ++i) painter.drawPixmap(i * iconSizeX_, 0, images_[static_cast<std::size_t>(i)]);
  return strip;
}

QPixmap IconStrip::IconToPicture(const QIcon& icon) {
  if (icon.isNull()) return QPixmap();
  const QList<QSize> sizes = icon.availableSizes();
  return icon.pixmap(sizes.isEmpty() ? QSize(32, 32) : sizes.first());
}

QPixmap IconStrip::BitmapToPicture(const QImage& bitmap) {
  if (bitmap.isNull()) return QPixmap();
  return QPixmap::fromImage(bitmap);
}

qint32 IconStrip::TranslateColor(qint32 colour) {
  const auto value = static_cast<quint32>(colour);
  if (value & 0x80000000u) {
    if (value & 0x7FFFFF00u) return -1;
    const QColor c = PaletteColour(static_cast<int>(value & 0xFFu));
    return c.isValid() ? ValueOf(c) : -1;
  }
  const quint32 kind = value >> 24;
  if (kind != 0 && kind != 1 && kind != 2) return -1;
  return static_cast<qint32>(value & 0xFFFFFFu);
}

}  // namespace brantel
