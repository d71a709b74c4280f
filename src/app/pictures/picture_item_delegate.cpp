#include "app/pictures/picture_item_delegate.h"

#include <QPainter>
#include <cstring>

#include "app/controls/picture_pixels.h"
#include "app/pictures/picture_library_model.h"

namespace zeph {
namespace {

// A one-pixel rectangle line on the pixels of `r`'s edge.
void Outline(QPainter& painter, const QRect& r, const QColor& colour) {
  painter.fillRect(r.left(), r.top(), r.width(), 1, colour);
  painter.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
  painter.fillRect(r.left(), r.top(), 1, r.height(), colour);
  painter.fillRect(r.right(), r.top(), 1, r.height(), colour);
}

}  // namespace

void PictureItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const QRect item = option.rect;
  painter->fillRect(item, option.palette.base());
  // The frame: 2 pixels in at the left and top, 1 at the right and bottom.
  const QRect frame(item.left() + 2, item.top() + 2, item.width() - 3, item.height() - 3);
  if (option.state & QStyle::State_Selected) {
    const QColor mono = option.palette.color(QPalette::WindowText);
    Outline(*painter, frame, mono);
    Outline(*painter, frame.adjusted(1, 1, -1, -1), mono);
  } else {
    // Etched: a shadow line over a light line one pixel below and right.
    Outline(*painter, frame.adjusted(1, 1, 0, 0), option.palette.color(QPalette::Light));
    Outline(*painter, frame.adjusted(0, 0, -1, -1), option.palette.color(QPalette::Mid));
  }
  const QByteArray bytes = index.data(PictureLibraryModel::kPictureRole).toByteArray();
  if (bytes.size() != static_cast<qsizetype>(kPictureBytes)) return;
  PictureImage picture{};
  std::memcpy(picture.data(), bytes.constData(), picture.size());
  // On a screen whose scale has a fraction the picture is drawn smaller,
  // in whole device pixels; it then sits in the middle of its place.
  const qreal ratio = painter->device()->devicePixelRatioF();
  const qreal shown = DeviceCell(1, ratio) / ratio;
  const QPointF inset((kPictureWidth - kPictureWidth * shown) / 2 + kPictureInset,
                      (kPictureHeight - kPictureHeight * shown) / 2 + kPictureInset);
  DrawSharpPicture(*painter, QPointF(item.topLeft()) + inset, picture, 1);
}

QSize PictureItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {kItemWidth, kItemHeight};
}

}  // namespace zeph
