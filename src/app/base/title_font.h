#pragma once

#include <QFont>

namespace zeph {

// The font of a module's title label: the given font, bold
// and half as large again.
QFont CreateTitleFont(const QFont& base);

}  // namespace zeph
