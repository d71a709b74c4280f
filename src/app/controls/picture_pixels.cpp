#include "app/controls/picture_pixels.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/pictures/picture_ops.h"

namespace zeph {
namespace {

class ImageSink final : public PixelSink {
 public:
  explicit ImageSink(QImage& image) : image_(image) {}
  void SetPixel(int x, int y, bool black) override {
    if (!image_.valid(x, y)) return;
    image_.setPixel(x, y, black ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
  }

 private:
  QImage& image_;
};

}  // namespace

QImage PictureToImage(const PictureImage& picture) {
  QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
  ImageSink sink(image);
  DrawPicture(sink, picture, 0, 0, 1);
  return image;
}

int DeviceCell(int cell, qreal devicePixelRatio) {
  return std::max(1, static_cast<int>(std::floor(cell * devicePixelRatio + 1e-6)));
}

QSizeF DrawSharpPicture(QPainter& painter, QPointF topLeft, const PictureImage& picture, int cell) {
  const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
  const int deviceCell = DeviceCell(cell, ratio);
  const QSizeF size(kPictureWidth * deviceCell / ratio, kPictureHeight * deviceCell / ratio);
  painter.save();
  // Nearest-pixel scaling: each picture pixel becomes a whole square.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRectF(topLeft, size), PictureToImage(picture));
  painter.restore();
  return size;
}

}  // namespace zeph
