#pragma once
// Pictures on screen. Core's DrawPicture draws them into an image, and the
// image is shown in whole device pixels, so that a picture stays sharp at
// any screen scale: at a fractional scale a picture pixel takes the whole
// device pixels below its size rather than a blurred share of one more.

#include <QImage>
#include <QPointF>
#include <QSizeF>

#include "core/store/picture_image.h"

class QPainter;

namespace zeph {

// The picture at one pixel a picture pixel, black on white.
QImage PictureToImage(const PictureImage& picture);

// Device pixels per picture pixel for a picture shown at `cell` pixels a
// picture pixel on a screen of that ratio: the whole part, at least 1.
int DeviceCell(int cell, qreal devicePixelRatio);

// Draws `picture` with its top-left corner at `topLeft` at `cell` pixels a
// picture pixel, in whole device pixels of the painter's device; the
// result is the size it took.
QSizeF DrawSharpPicture(QPainter& painter, QPointF topLeft, const PictureImage& picture, int cell);

}  // namespace zeph
