#include "app/base/title_font.h"

namespace zeph {

QFont CreateTitleFont(const QFont& base) {
  QFont font = base;
  font.setBold(true);
  if (base.pointSizeF() > 0) {
    font.setPointSizeF(base.pointSizeF() * 1.5);
  } else {
    font.setPixelSize(base.pixelSize() * 3 / 2);
  }
  return font;
}

}  // namespace zeph
