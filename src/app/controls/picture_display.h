#pragma once
// The picture display control: shows one of the program's bitmaps,
// centred, over the dialog face (crTavPicture).

#include <QPixmap>
#include <QWidget>

namespace zeph {

class PictureDisplay final : public QWidget {
  Q_OBJECT

 public:
  // `bitmapId` is the number of the bitmap shown (BitmapForResource).
  PictureDisplay(QWidget* parent, int controlId, int bitmapId);

  const QPixmap& Picture() const { return picture_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace zeph
