#include "app/base/program_bitmaps.h"

#include <QLinearGradient>
#include <QPainter>

#include "app/base/resource_icons.h"
#include "core/resources/about_blend.h"

namespace zeph {
namespace {

constexpr int kW = kAboutBlendWidth;
constexpr int kH = kAboutBlendHeight;

size_t ByteOf(int x, int yFromTop) {
  const int row = kH - 1 - yFromTop;  // bottom-up
  return (static_cast<size_t>(row) * kW + static_cast<size_t>(x)) * 3;
}

}  // namespace

std::vector<uint8_t> AboutBannerBits() {
  // A deep blue field brightening to the right, with the card's radio waves
  // as rings around a point on the left. Integer arithmetic only, so the
  // bytes are the same everywhere.
  std::vector<uint8_t> bits(kAboutBlendBytes);
  constexpr int cx = 46;
  constexpr int cy = 46;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      int red = 18 + x * 30 / kW + y * 10 / kH;
      int green = 52 + x * 70 / kW + y * 20 / kH;
      int blue = 120 + x * 90 / kW;
      const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      // Rings of radius 10, 22, 34, ... each 5 pixels wide.
      for (int r = 10; r < 200; r += 12) {
        if (d2 >= r * r && d2 < (r + 5) * (r + 5) && x >= cx) {
          const int fade = 200 - r;
          red += 60 * fade / 200;
          green += 80 * fade / 200;
          blue += 70 * fade / 200;
        }
      }
      if (d2 < 36) red = green = blue = 250;  // the aerial's tip
      const size_t i = ByteOf(x, y);
      bits[i] = static_cast<uint8_t>(std::min(blue, 255));
      bits[i + 1] = static_cast<uint8_t>(std::min(green, 255));
      bits[i + 2] = static_cast<uint8_t>(std::min(red, 255));
    }
  }
  return bits;
}

std::vector<uint8_t> AboutMaskBits() {
  // Opaque on the left, fading into the dialog face over the right half
  // and along the bottom edge.
  std::vector<uint8_t> bits(kAboutBlendBytes);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      int m = x < kW / 2 ? 0 : (x - kW / 2) * 255 / (kW / 2 - 1);
      if (y >= kH - 16) m = std::max(m, (y - (kH - 16)) * 255 / 16);
      const uint8_t value = static_cast<uint8_t>(std::min(m, 255));
      const size_t i = ByteOf(x, y);
      bits[i] = bits[i + 1] = bits[i + 2] = value;
    }
  }
  return bits;
}

QImage ImageFromBottomUpBgr(std::span<const uint8_t> bits, int width, int height) {
  if (width <= 0 || height <= 0 || bits.size() != static_cast<size_t>(width) * height * 3) {
    return {};
  }
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const size_t rowStart = static_cast<size_t>(height - 1 - y) * width * 3;
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const size_t i = rowStart + static_cast<size_t>(x) * 3;
      line[x] = qRgb(bits[i + 2], bits[i + 1], bits[i]);
    }
  }
  return image;
}

QPixmap BitmapForResource(BitmapId id) {
  switch (id) {
    case BitmapId::kAboutPicture:
      return IconForResource(IconId::kApplication).pixmap(64, 64);
    case BitmapId::kAboutBanner:
      return QPixmap::fromImage(ImageFromBottomUpBgr(AboutBannerBits(), kW, kH));
    case BitmapId::kAboutMask:
      return QPixmap::fromImage(ImageFromBottomUpBgr(AboutMaskBits(), kW, kH));
    case BitmapId::kActionBar: {
      QPixmap pixmap(64, 32);
      QPainter painter(&pixmap);
      QLinearGradient fill(0, 0, 0, 32);
      fill.setColorAt(0, QColor(0xf7, 0xf9, 0xfc));
      fill.setColorAt(0.55, QColor(0xe6, 0xeb, 0xf2));
      fill.setColorAt(1, QColor(0xd2, 0xda, 0xe6));
      painter.fillRect(pixmap.rect(), fill);
      painter.setPen(QColor(0xb4, 0xbe, 0xcc));
      painter.drawLine(0, 31, 63, 31);
      return pixmap;
    }
    case BitmapId::kLeftStrip: {
      // Tall enough for any window; the windows copy the rows they cover.
      QPixmap pixmap(10, 1200);
      QPainter painter(&pixmap);
      QLinearGradient fill(0, 0, 0, 600);
      fill.setColorAt(0, QColor(0x2f, 0x6f, 0xb8));
      fill.setColorAt(1, QColor(0x1d, 0x4b, 0x85));
      fill.setSpread(QGradient::ReflectSpread);
      painter.fillRect(pixmap.rect(), fill);
      painter.setPen(QColor(0x8f, 0xb4, 0xe0));
      painter.drawLine(9, 0, 9, 1199);
      return pixmap;
    }
    case BitmapId::kComposerSend:
      return IconForResource(IconId::kSendNormal).pixmap(32, 32);
    case BitmapId::kPictureDecoration: {
      QPixmap pixmap(48, 48);
      pixmap.fill(Qt::transparent);
      QPainter painter(&pixmap);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(QColor(0x1d, 0x4b, 0x85), 2));
      painter.setBrush(QColor(0xfb, 0xfb, 0xf8));
      painter.drawRoundedRect(QRectF(4, 10, 40, 28), 3, 3);
      painter.setBrush(QColor(0x2f, 0x6f, 0xb8));
      painter.drawEllipse(QPointF(16, 21), 4, 4);
      painter.drawLine(QPointF(8, 34), QPointF(22, 24));
      painter.drawLine(QPointF(22, 24), QPointF(40, 34));
      return pixmap;
    }
  }
  return {};  // a number cast from outside the list
}

}  // namespace zeph
