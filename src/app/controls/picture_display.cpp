#include "app/controls/picture_display.h"

#include <QEvent>
#include <QPainter>
#include <utility>

namespace zeph {

PictureDisplay::PictureDisplay(QWidget* parent, QPixmap picture)
    : QWidget(parent), picture_(std::move(picture)) {}

QSize PictureDisplay::sizeHint() const {
  return picture_.isNull() ? QSize(16, 16) : picture_.deviceIndependentSize().toSize();
}

void PictureDisplay::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (picture_.isNull()) return;
  const QSize size = picture_.deviceIndependentSize().toSize();
  painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, picture_);
}

void PictureDisplay::changeEvent(QEvent* event) {
  // A system colour change repaints the face around the picture.
  if (event->type() == QEvent::PaletteChange) update();
  QWidget::changeEvent(event);
}

}  // namespace zeph
