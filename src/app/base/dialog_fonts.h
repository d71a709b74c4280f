#pragma once
// The two dialog fonts: the desktop's message font as it is, and the same
// in bold. They live for the whole process.

#include <QFont>

#include "app/base/control_id.h"

namespace zeph {

QFont DialogFontRegular();
QFont DialogFontBold();

// Gives the control with that id the bold font when `bold` is non-zero,
// else the regular one, and redraws it. Nothing happens when the dialog
// has no such control.
void SetDialogItemFont(QWidget* dialog, ControlId control, int bold);

}  // namespace zeph
