#include "app/base/dialog_fonts.h"

#include <QApplication>
#include <QWidget>

#include "app/base/control_id.h"

namespace zeph {

QFont DialogFontRegular() {
  return QApplication::font("QMessageBox");
}

QFont DialogFontBold() {
  QFont font = DialogFontRegular();
  font.setWeight(QFont::Bold);
  return font;
}

void SetDialogItemFont(QWidget* dialog, ControlId controlId, int bold) {
  QWidget* control = dialog == nullptr ? nullptr : FindControl(dialog, controlId);
  if (control == nullptr) return;
  control->setFont(bold != 0 ? DialogFontBold() : DialogFontRegular());
  control->update();
}

}  // namespace zeph
