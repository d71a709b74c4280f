#pragma once
// Draws a Picture Library item: 80 x 36 pixels,
// an etched frame, or for the selected item two one-colour frames, and the
// picture at its natural size 4 pixels in from the item's corner.

#include <QStyledItemDelegate>

namespace zeph {

class PictureItemDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static constexpr int kItemWidth = 80;
  static constexpr int kItemHeight = 36;
  static constexpr int kPictureInset = 4;

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace zeph
