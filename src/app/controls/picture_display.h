#pragma once
// The picture display control: shows a picture centred over the dialog
// face (crTavPicture).

#include <QPixmap>
#include <QWidget>

namespace zeph {

class PictureDisplay final : public QWidget {
  Q_OBJECT

 public:
  PictureDisplay(QWidget* parent, QPixmap picture);

  const QPixmap& Picture() const { return picture_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QPixmap picture_;
};

}  // namespace zeph
